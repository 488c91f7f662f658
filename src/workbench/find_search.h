#pragma once
// The search behind "查找" and F3: one step forwards or backwards, never wrapping.

#include <QString>

#include <optional>

namespace workbench {

struct FindQuery {
    QString pattern;
    bool matchCase = false;
    bool down = true;
    // The caret has not moved since the last search (and the text was not
    // changed in the dialog): the hit it marks is passed over.
    bool skipCurrent = false;
};

// Searches `text` from the caret offset `caret` (0-based). Returns the 0-based
// offset of the hit, or nullopt when there is none before the end (or start).
std::optional<int> findInText(const QString& text, int caret, const FindQuery& query);

}  // namespace workbench
