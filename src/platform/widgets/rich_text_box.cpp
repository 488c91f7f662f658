#include "platform/widgets/rich_text_box.h"

#include "platform/codepage.h"
#include "platform/rtf_document.h"
#include "platform/twips.h"

#include <QFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace platform {
namespace {

QString normaliseLineEnds(QString s) {
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

}  // namespace

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    // Pasted text takes the box's font, as typed text does.
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
}

bool RichTextBox::loadFile(const QString& path, FileType type) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return false;
    if (type == FileType::RichText) setRichText(QByteArrayView(bytes));
    else setText(fromCp936(bytes));
    return true;
}

void RichTextBox::setRichText(QByteArrayView data) {
    if (isRtf(data)) {
        auto content = parseRtf(data);
        if (content) {
            fillTextDocument(*content, *document());
            moveCursor(QTextCursor::Start);
            // A centred first line must not leave the view scrolled sideways.
            horizontalScrollBar()->setValue(0);
            return;
        }
    }
    setText(fromCp936(data));
}

void RichTextBox::setRichText(const QString& data) {
    if (data.startsWith(QStringLiteral("{\\rtf"))) setRichText(QByteArrayView(toCp936(data)));
    else setText(data);
}

QString RichTextBox::text() const {
    QString t = document()->toPlainText();
    t.replace(QChar(0x2028), QLatin1Char('\n'));
    return t;
}

void RichTextBox::setText(const QString& plain) {
    document()->clear();
    QTextCursor c(document());
    QTextCharFormat cf;
    cf.setFont(font());
    c.setBlockCharFormat(cf);
    c.insertText(normaliseLineEnds(plain), cf);
    setCurrentCharFormat(cf);
    moveCursor(QTextCursor::Start);
}

int RichTextBox::textLength() const { return std::max(0, document()->characterCount() - 1); }

int RichTextBox::selStart() const { return textCursor().selectionStart(); }

void RichTextBox::setSelStart(int position) {
    QTextCursor c = textCursor();
    c.setPosition(std::clamp(position, 0, textLength()));
    setTextCursor(c);
}

int RichTextBox::selLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void RichTextBox::setSelLength(int length) {
    QTextCursor c = textCursor();
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(std::clamp(start + std::max(0, length), 0, textLength()), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString RichTextBox::selText() const {
    QString t = textCursor().selectedText();
    t.replace(QChar(0x2029), QLatin1Char('\n'));
    t.replace(QChar(0x2028), QLatin1Char('\n'));
    return t;
}

void RichTextBox::setSelText(const QString& text) {
    QTextCursor c = textCursor();
    c.insertText(normaliseLineEnds(text));
    setTextCursor(c);
}

QColor RichTextBox::selColor() const {
    const QBrush b = textCursor().charFormat().foreground();
    return b.style() == Qt::NoBrush ? palette().color(QPalette::Text) : b.color();
}

void RichTextBox::setSelColor(const QColor& colour) {
    QTextCharFormat f;
    f.setForeground(colour);
    QTextCursor c = textCursor();
    c.mergeCharFormat(f);
    mergeCurrentCharFormat(f);
}

bool RichTextBox::selBold() const { return textCursor().charFormat().fontWeight() >= QFont::Bold; }

void RichTextBox::setSelBold(bool bold) {
    QTextCharFormat f;
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    QTextCursor c = textCursor();
    c.mergeCharFormat(f);
    mergeCurrentCharFormat(f);
}

QString RichTextBox::selFontName() const {
    const QStringList families = textCursor().charFormat().fontFamilies().toStringList();
    return families.isEmpty() ? font().family() : families.first();
}

void RichTextBox::setSelFontName(const QString& family) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    QTextCursor c = textCursor();
    c.mergeCharFormat(f);
    mergeCurrentCharFormat(f);
}

double RichTextBox::selFontSize() const {
    const double s = textCursor().charFormat().fontPointSize();
    return s > 0 ? s : font().pointSizeF();
}

void RichTextBox::setSelFontSize(double pointSize) {
    QTextCharFormat f;
    f.setFontPointSize(pointSize);
    QTextCursor c = textCursor();
    c.mergeCharFormat(f);
    mergeCurrentCharFormat(f);
}

int RichTextBox::lineFromChar(int position) const {
    const QTextBlock b = document()->findBlock(std::clamp(position, 0, textLength()));
    if (!b.isValid()) return std::max(0, document()->blockCount() - 1);
    // A \line inside a paragraph starts a line of its own.
    const QString before = b.text().left(position - b.position());
    return b.blockNumber() + static_cast<int>(before.count(QChar(0x2028)));
}

void RichTextBox::setRightMargin(int twips) {
    rightMarginTwips_ = twips;
    applyWrapWidth();
}

void RichTextBox::setWrapAtBoxWidth(bool on) {
    wrapAtBoxWidth_ = on;
    applyWrapWidth();
}

void RichTextBox::applyWrapWidth() {
    if (rightMarginTwips_ <= 0) return;  // no margin set: lines wrap at the box's width
    const int margin = std::max(1, twipsToPx(rightMarginTwips_, screenTwipsPerPixel()));
    if (wrapAtBoxWidth_ && viewport()->width() < margin) {
        setLineWrapMode(QTextEdit::WidgetWidth);
        return;
    }
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    // Setting the width lays the whole text out again; a resize leaves it as it was.
    if (lineWrapColumnOrWidth() != margin) setLineWrapColumnOrWidth(margin);
}

void RichTextBox::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    if (wrapAtBoxWidth_) applyWrapWidth();
}

void RichTextBox::applyToAll(const QTextCharFormat& format) {
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    c.mergeCharFormat(format);
    mergeCurrentCharFormat(format);
}

void RichTextBox::setBoxFont(const QFont& f) {
    setFont(f);
    QTextCharFormat cf;
    cf.setFont(f);
    applyToAll(cf);
}

void RichTextBox::setBoxFontName(const QString& family) {
    QFont f = font();
    f.setFamilies(QStringList{family});
    setFont(f);
    QTextCharFormat cf;
    cf.setFontFamilies(QStringList{family});
    applyToAll(cf);
}

void RichTextBox::setBoxFontSize(double pointSize) {
    QFont f = font();
    f.setPointSizeF(pointSize);
    setFont(f);
    QTextCharFormat cf;
    cf.setFontPointSize(pointSize);
    applyToAll(cf);
}

}  // namespace platform
