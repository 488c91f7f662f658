#include "platform/rtf_document.h"
#include "platform/rtf_reader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace platform;

namespace {

RtfContent parse(const char* rtf) {
    auto c = parseRtf(QByteArrayView(rtf));
    EXPECT_TRUE(c.has_value()) << rtf;
    return c ? *c : RtfContent{};
}

// "内存" in code page 936 is c4 da b4 e6; 宋体 is cb ce cc e5.
const char* kHelpLike =
    "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
    "{\\f1\\fswiss\\fcharset0 Arial;}}\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n"
    "{\\*\\generator Riched20 5.50;}\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs24 D \\'c4\\'da\\'b4\\'e6\\par\n"
    "\\b bold\\b0  \\cf1 red\\cf0  \\cf2 blue\\cf0\\par\n"
    "\\qc\\f1\\fs20 centre\\par\n"
    "}\n";

}  // namespace

TEST(RtfReader, TextFontsSizesAndColours) {
    const RtfContent c = parse(kHelpLike);
    ASSERT_EQ(c.paragraphs.size(), 3u);  // the final \par closes the last paragraph
    EXPECT_EQ(c.plainText(), QStringLiteral("D 内存\nbold red blue\ncentre"));

    const auto& first = c.paragraphs[0].runs;
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first[0].format.fontFamily, QStringLiteral("宋体"));
    EXPECT_DOUBLE_EQ(first[0].format.pointSize, 12.0);

    const auto& second = c.paragraphs[1].runs;
    ASSERT_EQ(second.size(), 5u);
    EXPECT_EQ(second[0].text, QStringLiteral("bold"));
    EXPECT_TRUE(second[0].format.bold);
    EXPECT_FALSE(second[1].format.bold);
    EXPECT_EQ(second[2].text, QStringLiteral("red"));
    EXPECT_EQ(second[2].format.foreground, (RtfColour{255, 0, 0}));
    EXPECT_FALSE(second[3].format.foreground.has_value());
    EXPECT_EQ(second[4].text, QStringLiteral("blue"));
    EXPECT_EQ(second[4].format.foreground, (RtfColour{0, 0, 255}));
    EXPECT_FALSE(second[0].format.foreground.has_value());  // \cf0 is the automatic colour

    EXPECT_EQ(c.paragraphs[2].alignment, RtfAlignment::Centre);
    EXPECT_EQ(c.paragraphs[2].runs[0].format.fontFamily, QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(c.paragraphs[2].runs[0].format.pointSize, 10.0);
    EXPECT_EQ(c.paragraphs[0].alignment, RtfAlignment::Left);
}

TEST(RtfReader, NotRtfIsRefused) {
    for (const char* s : {"", "plain text", " {\\rtf1 x}", "{\\rt", "{rtf1 x}"}) {
        EXPECT_FALSE(isRtf(QByteArrayView(s))) << s;
        EXPECT_FALSE(parseRtf(QByteArrayView(s)).has_value()) << s;
    }
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("keep"));
    EXPECT_FALSE(loadRtf(QByteArrayView("not rich text"), doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("keep"));
}

TEST(RtfReader, UnicodeEscapesAndSkipCounts) {
    struct Case { const char* rtf; const char16_t* text; };
    const Case cases[] = {
        // \u with its one-byte fallback (\uc1 is the default) skipped
        {"{\\rtf1 a\\u20013?b}", u"a中b"},
        // negative values wrap, a \'hh fallback counts as one character
        {"{\\rtf1 \\u-24178\\'3fz}", u"\uA18Ez"},
        // \uc2 skips a two-byte 936 fallback
        {"{\\rtf1\\ansicpg936 \\uc2\\u20013\\'d6\\'d0x}", u"中x"},
        // \uc0: nothing is skipped
        {"{\\rtf1 \\uc0\\u65 B}", u"AB"},
        // the skip count belongs to its group
        {"{\\rtf1 {\\uc3 x}\\u66 yz}", u"xBz"},
        // escaped braces and backslash, tab and line break
        {"{\\rtf1 \\{a\\}\\\\\\tab b\\line c}", u"{a}\\\tb\nc"},
    };
    for (const auto& c : cases) {
        auto content = parseRtf(QByteArrayView(c.rtf));
        ASSERT_TRUE(content) << c.rtf;
        QString t = content->plainText();
        t.replace(QChar(0x2028), QLatin1Char('\n'));
        EXPECT_EQ(t, QString::fromUtf16(c.text)) << c.rtf;
    }
}

TEST(RtfReader, Cp936EscapesDecodeAcrossRunsAndInRawBytes) {
    // A double-byte character may be written as two escapes or as raw bytes.
    const RtfContent c = parse("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\xce\xc4 OK}");
    EXPECT_EQ(c.plainText(), QStringLiteral("中文 OK"));
    // A font with charset 134 decodes as 936 even when the document says 1252.
    const RtfContent d = parse("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f1\\fcharset134 SimSun;}}\\f1 \\'c4\\'da}");
    EXPECT_EQ(d.plainText(), QStringLiteral("内"));
}

TEST(RtfReader, SkippedDestinationsShowNothing) {
    const RtfContent c = parse(
        "{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\*\\unknown hidden}"
        "A{\\pict\\wmetafile8 0123456789abcdef}B{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt C}}"
        "\\bin3 {}}D}");
    EXPECT_EQ(c.plainText(), QStringLiteral("ABCD"));
}

TEST(RtfReader, ParagraphMarksAndEmptyParagraphs) {
    // One \par at the end is the last paragraph's own mark; a second makes an empty paragraph.
    EXPECT_EQ(parse("{\\rtf1 a\\par}").paragraphs.size(), 1u);
    EXPECT_EQ(parse("{\\rtf1 a\\par\\par}").plainText(), QStringLiteral("a\n"));
    EXPECT_EQ(parse("{\\rtf1 a\\par\\par >\\par}").plainText(), QStringLiteral("a\n\n>"));
    EXPECT_EQ(parse("{\\rtf1}").plainText(), QString());
    // Paragraph properties apply to the paragraph that \par closes.
    const RtfContent c = parse("{\\rtf1\\qc one\\par\\pard two}");
    ASSERT_EQ(c.paragraphs.size(), 2u);
    EXPECT_EQ(c.paragraphs[0].alignment, RtfAlignment::Centre);
    EXPECT_EQ(c.paragraphs[1].alignment, RtfAlignment::Left);
}

TEST(RtfReader, LenientOnDamage) {
    // A missing closing brace, an unknown word, a truncated escape and text after the end.
    EXPECT_EQ(parse("{\\rtf1 {\\b a}\\foo12 b").plainText(), QStringLiteral("ab"));
    EXPECT_EQ(parse("{\\rtf1 x\\'4").plainText(), QStringLiteral("x"));
    EXPECT_EQ(parse("{\\rtf1 x}tail").plainText(), QStringLiteral("x"));
    EXPECT_EQ(parse("{\\rtf1 x}}}").plainText(), QStringLiteral("x"));
    std::string deep = "{\\rtf1 ";
    for (int i = 0; i < 20000; ++i) deep += "{";
    deep += "z";
    EXPECT_EQ(parse(deep.c_str()).plainText(), QStringLiteral("z"));
}

TEST(RtfReader, FillsTextDocumentWithFormats) {
    QTextDocument doc;
    ASSERT_TRUE(loadRtf(QByteArrayView(kHelpLike), doc));
    EXPECT_EQ(doc.blockCount(), 3);
    const QTextBlock second = doc.findBlockByNumber(1);
    auto it = second.begin();
    ASSERT_FALSE(it.atEnd());
    EXPECT_EQ(it.fragment().text(), QStringLiteral("bold"));
    EXPECT_EQ(it.fragment().charFormat().fontWeight(), QFont::Bold);
    const QTextBlock third = doc.findBlockByNumber(2);
    EXPECT_EQ(third.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(third.begin().fragment().charFormat().fontPointSize(), 10.0);
}
