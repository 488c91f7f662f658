#include "rtf_text.h"

#include <QString>
#include <stdexcept>

#include "platform/codepage.h"

namespace labdata {
namespace {

// Text in RTF: ASCII as it is (the three RTF characters escaped), every other
// character as its code page 936 bytes.
std::string rtfEscaped(const std::string& utf8) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (!platform::fitsCp936(text)) throw std::runtime_error("not in code page 936: " + utf8);
    static const char* hex = "0123456789abcdef";
    std::string out;
    for (const char c : platform::toCp936(text)) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80) {
            out += "\\'";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            if (c == '\\' || c == '{' || c == '}') out += '\\';
            out += c;
        }
    }
    return out;
}

}  // namespace

std::vector<TextParagraph> parseTextSource(std::string_view source, const std::vector<TextParagraph>& steps) {
    std::vector<TextParagraph> out;
    while (!source.empty()) {
        const std::size_t end = source.find('\n');
        std::string line(source.substr(0, end));
        source = end == std::string_view::npos ? std::string_view() : source.substr(end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.empty()) continue;
        if (line == "{steps}") {
            out.insert(out.end(), steps.begin(), steps.end());
        } else if (line.rfind("## ", 0) == 0) {
            out.push_back({TextParagraph::Style::Heading, line.substr(3)});
        } else if (line.rfind("# ", 0) == 0) {
            out.push_back({TextParagraph::Style::Title, line.substr(2)});
        } else {
            out.push_back({TextParagraph::Style::Body, line});
        }
    }
    return out;
}

std::string rtfDocument(const std::vector<TextParagraph>& paragraphs) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
        "{\\fonttbl{\\f0\\fnil\\fcharset134 " + rtfEscaped("宋体") + ";}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue128;}\r\n"
        "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs21\r\n";
    for (const TextParagraph& p : paragraphs) {
        const std::string text = rtfEscaped(p.text);
        switch (p.style) {
        case TextParagraph::Style::Title:
            rtf += "\\pard\\qc\\sb120\\sa120\\cf1\\b\\fs30 " + text + "\\cf0\\b0\\fs21\\par\r\n";
            break;
        case TextParagraph::Style::Heading:
            rtf += "\\pard\\sb120\\b\\fs24 " + text + "\\b0\\fs21\\par\r\n";
            break;
        case TextParagraph::Style::Body:
            rtf += "\\pard\\fi420 " + text + "\\par\r\n";
            break;
        case TextParagraph::Style::Step:
            rtf += "\\pard\\sb120\\b " + text + "\\b0\\par\r\n";
            break;
        case TextParagraph::Style::StepDetail:
            rtf += "\\pard\\li420 " + text + "\\par\r\n";
            break;
        }
    }
    rtf += "}\r\n";
    return rtf;
}

}  // namespace labdata
