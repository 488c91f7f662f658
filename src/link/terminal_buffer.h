#pragma once
// The text of the command-line pane and where received text goes next, as
// the pane's text property counts: a line break is the two characters CR LF.
// Rendering follows the monitor's control characters; every position is kept
// within the text.

#include <QByteArrayView>
#include <QString>

namespace devlink {

class TerminalBuffer {
public:
    static constexpr qsizetype kTrimAbove = 9000;
    static constexpr qsizetype kTrimTo = 8000;

    // `promptStart` < 0 puts the insertion point at the end of `text`.
    explicit TerminalBuffer(QString text = {}, qsizetype promptStart = -1);

    const QString& text() const { return text_; }
    qsizetype promptStart() const { return promptStart_; }
    void setPromptStart(qsizetype position) { promptStart_ = clamp(position); }

    // Renders one read: printable characters are inserted at the prompt in one
    // piece; CR goes back to the start of the line, LF starts a new line at the
    // end, BS deletes one character, 26 clears, 30 is ignored, other control
    // and high bytes become blanks.
    void render(QByteArrayView bytes);
    // Keeps only the last 8000 characters once the text holds more than 9000.
    void trim();
    // The clear command: deletes everything up to and including the last CR of a CR LF.
    void clearToLastLine();

    // True once since the text was last replaced as a whole (26, clear, trim).
    bool takeReplaced();

    // The text as a document shows it, every line break (CR LF, lone CR or
    // lone LF) one '\n', and where a position of the text stands in it.
    static QString documentText(const QString& text);
    static qsizetype documentPosition(const QString& text, qsizetype position);
    // A document's text ('\n' line breaks) in the pane's counting.
    static QString fromDocumentText(const QString& document);
    static qsizetype fromDocumentPosition(const QString& document, qsizetype position);

private:
    qsizetype clamp(qsizetype position) const;
    qsizetype lineStart(qsizetype position) const;
    void replaceAll(QString text);

    QString text_;
    qsizetype promptStart_ = 0;
    bool replaced_ = false;
};

}  // namespace devlink
