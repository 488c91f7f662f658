#pragma once
// The edition profile holds its texts as UTF-8 views; the workbench works in QString.

#include <QString>

#include <string_view>

namespace workbench {

inline QString fromView(std::string_view v) { return QString::fromUtf8(v.data(), qsizetype(v.size())); }

}  // namespace workbench
