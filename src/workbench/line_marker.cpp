#include "workbench/line_marker.h"

#include <QColor>
#include <QFont>
#include <QTextDocument>

namespace workbench {

LineMarker::LineMarker(QTextDocument* document) : QSyntaxHighlighter(document) {}

void LineMarker::mark(const QTextBlock& block) {
    const QTextBlock old = mark_.isNull() ? QTextBlock() : mark_.block();
    mark_ = QTextCursor(block);
    if (old.isValid() && old != block) rehighlightBlock(old);
    rehighlightBlock(block);
}

void LineMarker::clear() {
    if (mark_.isNull()) return;
    const QTextBlock old = mark_.block();
    mark_ = QTextCursor();
    if (old.isValid()) rehighlightBlock(old);
}

int LineMarker::markedLine() const { return mark_.isNull() ? -1 : mark_.block().blockNumber(); }

void LineMarker::highlightBlock(const QString& text) {
    if (mark_.isNull() || currentBlock() != mark_.block()) return;
    QTextCharFormat f;
    f.setForeground(QColor(255, 0, 0));
    f.setFontWeight(QFont::Bold);
    setFormat(0, int(text.size()), f);
}

}  // namespace workbench
