#pragma once
// The red, bold mark of an error line. It is drawn over the text, never stored
// in it: marking changes neither the text nor the undo history, and what is
// typed later does not inherit the colour.

#include <QSyntaxHighlighter>
#include <QTextCursor>

namespace workbench {

class LineMarker : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit LineMarker(QTextDocument* document);

    // Marks the block (the mark follows it as lines are inserted above it).
    void mark(const QTextBlock& block);
    void clear();
    // The marked block's number, -1 when none.
    int markedLine() const;

protected:
    void highlightBlock(const QString& text) override;

private:
    QTextCursor mark_;
};

}  // namespace workbench
