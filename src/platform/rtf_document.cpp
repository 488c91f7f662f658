#include "platform/rtf_document.h"

#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace platform {
namespace {

Qt::Alignment toAlignment(RtfAlignment a) {
    switch (a) {
        case RtfAlignment::Centre: return Qt::AlignHCenter;
        case RtfAlignment::Right: return Qt::AlignRight;
        case RtfAlignment::Justify: return Qt::AlignJustify;
        case RtfAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

QColor toColor(const RtfColour& c) { return QColor(c.red, c.green, c.blue); }

}  // namespace

QTextCharFormat toCharFormat(const RtfRunFormat& f) {
    QTextCharFormat cf;
    if (!f.fontFamily.isEmpty()) cf.setFontFamilies(QStringList{f.fontFamily});
    cf.setFontPointSize(f.pointSize);
    cf.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    cf.setFontItalic(f.italic);
    cf.setFontUnderline(f.underline);
    cf.setFontStrikeOut(f.strikeOut);
    if (f.foreground) cf.setForeground(toColor(*f.foreground));
    if (f.background) cf.setBackground(toColor(*f.background));
    return cf;
}

void fillTextDocument(const RtfContent& content, QTextDocument& doc) {
    doc.clear();
    QTextCursor cursor(&doc);
    bool first = true;
    for (const auto& para : content.paragraphs) {
        QTextBlockFormat bf;
        bf.setAlignment(toAlignment(para.alignment));
        if (first) {
            cursor.setBlockFormat(bf);
            cursor.setBlockCharFormat(toCharFormat(para.markFormat));
            first = false;
        } else {
            cursor.insertBlock(bf, toCharFormat(para.markFormat));
        }
        for (const auto& run : para.runs) cursor.insertText(run.text, toCharFormat(run.format));
    }
}

bool loadRtf(QByteArrayView data, QTextDocument& doc) {
    auto content = parseRtf(data);
    if (!content) return false;
    fillTextDocument(*content, doc);
    return true;
}

}  // namespace platform
