#pragma once
// The rich-text box the panes are built on: what the program uses of the
// platform's rich-text control, on top of QTextEdit.
//
// Positions are character offsets into the text as text() returns it: a line
// break counts as one character.

#include <QByteArrayView>
#include <QColor>
#include <QFont>
#include <QString>
#include <QTextEdit>

namespace platform {

class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    enum class FileType { RichText, PlainText };

    explicit RichTextBox(QWidget* parent = nullptr);

    // Reads a whole file. As rich text, RTF is shown with its formatting and any
    // other file as plain text; plain text is decoded from code page 936.
    // False when the file cannot be read; the box is then left as it was.
    bool loadFile(const QString& path, FileType type = FileType::RichText);

    // The box's rich text: RTF is shown with its formatting, anything else
    // replaces the content as plain text in the box's font.
    void setRichText(QByteArrayView rtfOrPlain);
    void setRichText(const QString& rtfOrPlain);

    // The plain text, lines separated by '\n'.
    QString text() const;
    // Replaces the whole content with plain text in the box's font.
    void setText(const QString& plain);
    int textLength() const;

    // The selection. Setting the start moves the caret there and selects nothing;
    // setting the length extends the selection from the start. Out-of-range
    // values are clamped to the text.
    int selStart() const;
    void setSelStart(int position);
    int selLength() const;
    void setSelLength(int length);
    QString selText() const;
    void setSelText(const QString& text);  // replaces the selection, caret after it

    QColor selColor() const;
    void setSelColor(const QColor& colour);
    bool selBold() const;
    void setSelBold(bool bold);
    QString selFontName() const;
    void setSelFontName(const QString& family);
    double selFontSize() const;
    void setSelFontSize(double pointSize);

    // The 0-based paragraph line that holds the character at `position`.
    int lineFromChar(int position) const;

    // The width at which lines wrap, in twips from the left edge.
    int rightMargin() const { return rightMarginTwips_; }
    void setRightMargin(int twips);
    // While on, lines also wrap at the box's own width whenever the box is
    // narrower than the right margin (for texts that are read, not edited).
    void setWrapAtBoxWidth(bool on);
    bool wrapsAtBoxWidth() const { return wrapAtBoxWidth_; }

    // The box's font: applies to all of its text and to what is typed next.
    QFont boxFont() const { return font(); }
    void setBoxFont(const QFont& f);
    void setBoxFontName(const QString& family);
    void setBoxFontSize(double pointSize);

    // A free text the program keeps with the box.
    QString tag() const { return tag_; }
    void setTag(const QString& t) { tag_ = t; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyToAll(const QTextCharFormat& format);
    void applyWrapWidth();

    int rightMarginTwips_ = 0;
    bool wrapAtBoxWidth_ = false;
    QString tag_;
};

}  // namespace platform
