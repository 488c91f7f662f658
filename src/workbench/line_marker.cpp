#include "workbench/line_marker.h"

#include <QColor>
#include <QFont>
#include <QTextDocument>

#include <algorithm>

namespace workbench {

LineMarker::LineMarker(QTextDocument* document) : QSyntaxHighlighter(document) {}

void LineMarker::mark(const QTextBlock& block) {
    clear();
    start_ = QTextCursor(block);
    end_ = QTextCursor(block);
    end_.movePosition(QTextCursor::EndOfBlock);
    end_.setKeepPositionOnInsert(true);
    rehighlightBetween(start_, end_);
}

void LineMarker::clear() {
    if (start_.isNull()) return;
    const QTextCursor start = start_;
    const QTextCursor end = end_;
    start_ = QTextCursor();
    end_ = QTextCursor();
    rehighlightBetween(start, end);
}

void LineMarker::rehighlightBetween(const QTextCursor& start, const QTextCursor& end) {
    for (QTextBlock b = start.block(); b.isValid(); b = b.next()) {
        rehighlightBlock(b);
        if (b == end.block()) break;
    }
}

int LineMarker::markedLine() const {
    return start_.isNull() || start_.position() >= end_.position() ? -1 : start_.block().blockNumber();
}

void LineMarker::highlightBlock(const QString& text) {
    if (start_.isNull()) return;
    const int blockStart = currentBlock().position();
    const int from = std::max(start_.position(), blockStart) - blockStart;
    const int to = std::min(end_.position(), blockStart + static_cast<int>(text.size())) - blockStart;
    if (to <= from) return;
    QTextCharFormat f;
    f.setForeground(QColor(255, 0, 0));
    f.setFontWeight(QFont::Bold);
    setFormat(from, to - from, f);
}

}  // namespace workbench
