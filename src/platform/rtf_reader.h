#pragma once
// A reader for the part of RTF that the program's panes show: the help files,
// the window's string resources and whatever a user saved from a rich-text pane.
// Groups, paragraphs, line breaks, tabs, bold/italic/underline/strike, font
// sizes, fonts from \fonttbl, colours from \colortbl, paragraph alignment,
// \'hh bytes decoded in the font's code page (936 for Chinese), \uN with \ucN.
// Pictures, objects and every {\* ...} destination are skipped.
//
// The parser needs only Qt Core; rtf_document.h turns its result into a
// QTextDocument.

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace platform {

// An entry of \colortbl, each component 0..255.
struct RtfColour {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const RtfColour&) const = default;
};

struct RtfRunFormat {
    QString fontFamily;        // empty: the pane's own font
    double pointSize = 12;     // \fs24 by default
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::optional<RtfColour> foreground;  // \cf; none for the "auto" entry
    std::optional<RtfColour> background;  // \cb / \highlight

    bool operator==(const RtfRunFormat&) const = default;
};

enum class RtfAlignment { Left, Centre, Right, Justify };

struct RtfRun {
    QString text;  // may hold '\t' and U+2028 (a \line inside the paragraph)
    RtfRunFormat format;
};

struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    std::vector<RtfRun> runs;
    RtfRunFormat markFormat;  // the format in force at the paragraph's end

    QString text() const;
};

struct RtfContent {
    std::vector<RtfParagraph> paragraphs;  // at least one

    // Paragraphs joined with '\n'.
    QString plainText() const;
};

// True when `data` starts with "{\rtf": anything else is plain text.
bool isRtf(QByteArrayView data);

// Parses `data`; nullopt when it is not RTF. Like the rich-text control it stands
// in for, the reader is lenient: unknown control words are ignored, a missing
// closing brace at the end is tolerated, and the document's final \par is the
// last paragraph's own mark rather than the start of an empty one.
std::optional<RtfContent> parseRtf(QByteArrayView data);

}  // namespace platform
