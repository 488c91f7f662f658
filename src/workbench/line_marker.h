#pragma once
// The red, bold mark of an error line. It is drawn over the text, never stored
// in it: marking changes neither the text nor the undo history. The mark holds
// the characters the line had when it was marked; what is typed before, after
// or in place of them is not marked.

#include <QSyntaxHighlighter>
#include <QTextCursor>

namespace workbench {

class LineMarker : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit LineMarker(QTextDocument* document);

    // Marks the block's characters (the mark follows them as lines are inserted above).
    void mark(const QTextBlock& block);
    void clear();
    // The number of the block where the mark begins, -1 when nothing is marked.
    int markedLine() const;

protected:
    void highlightBlock(const QString& text) override;

private:
    // Draws the blocks from `start`'s to `end`'s again.
    void rehighlightBetween(const QTextCursor& start, const QTextCursor& end);

    // Before the first marked character, and after the last one; text
    // inserted at either stays outside.
    QTextCursor start_;
    QTextCursor end_;
};

}  // namespace workbench
