#pragma once
// Experiment texts: UTF-8 sources (texts/*.txt) written into the rich-text
// files the circuit window shows, in code page 936 with \'hh escapes and the
// font 宋体.
//
// In a source, "# " starts the title, "## " a heading, every other line is a
// paragraph of its own, and a line "{steps}" stands for the procedure's steps.

#include <string>
#include <string_view>
#include <vector>

namespace labdata {

struct TextParagraph {
    enum class Style { Title, Heading, Body, Step, StepDetail };
    Style style = Style::Body;
    std::string text;  // UTF-8
};

// `steps` replaces the line "{steps}"; a source without that line takes none.
std::vector<TextParagraph> parseTextSource(std::string_view source, const std::vector<TextParagraph>& steps);

// The RTF file's bytes. Throws std::runtime_error for a character that code
// page 936 cannot hold.
std::string rtfDocument(const std::vector<TextParagraph>& paragraphs);

}  // namespace labdata
