#include "workbench/find_search.h"

namespace workbench {

std::optional<int> findInText(const QString& text, int caret, const FindQuery& query) {
    const QString& p = query.pattern;
    if (p.isEmpty()) return std::nullopt;
    // Case-insensitive comparison folds case per character and keeps lengths,
    // so offsets stay those of the editor's text.
    const Qt::CaseSensitivity cs = query.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int skip = query.skipCurrent ? 1 : 0;
    const qsizetype n = text.size();
    if (query.down) {
        const qsizetype from = qsizetype(caret) + skip;
        if (from > n) return std::nullopt;
        const qsizetype hit = text.indexOf(p, from, cs);
        if (hit < 0) return std::nullopt;
        return int(hit);
    }
    // Upwards the first candidate starts at the 1-based position caret + skip - 1,
    // i.e. a fresh search examines hits starting two characters before the caret,
    // a repeated one hits starting before the current hit.
    for (qsizetype k = qsizetype(caret) + skip - 2; k >= 0; --k) {
        if (k + p.size() > n) continue;
        if (QStringView(text).sliced(k, p.size()).compare(p, cs) == 0) return int(k);
    }
    return std::nullopt;
}

}  // namespace workbench
