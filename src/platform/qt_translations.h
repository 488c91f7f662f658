#pragma once
// Qt's own texts (the labels and buttons of the file, font and message dialogs
// Qt draws, the command-line help) in Chinese, to match the programs' own.

#include <QString>

class QTranslator;

namespace platform {

// Loads qtbase_zh_CN.qm from `folder` (Qt's translations folder when empty)
// into the running application and returns the translator (owned by the
// application). Null when the file is missing or unreadable: the program then
// goes on with Qt's English texts.
QTranslator* installQtChineseTexts(const QString& folder = QString());

}  // namespace platform
