#include "schgen/sch_writer.h"

#include <algorithm>
#include <string_view>

#include <QString>

#include "platform/codepage.h"
#include "platform/whole_file.h"
#include "schematic/sch_record_parser.h"

namespace schgen {
namespace {

using schematic::SchElement;
using schematic::SchElementKind;

constexpr std::string_view kHeader = "Protel for Windows - Schematic Capture Ascii File Version 1.2 - 2.0";

class Out {
public:
    void line(std::string_view l) {
        text_ += l;
        text_ += "\r\n";
    }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

// Delimiters the reader accepts around a Part's or Pin's first text, which
// ends at the first closing one.
constexpr std::string_view kOpeners = "'([<{";
constexpr std::string_view kClosers = "')]>}";

// One record line: the keyword, two blanks, then the fields of a layout.
class RecordLine {
public:
    // `height` is what the reader flips Y against in this list (0 in the library).
    RecordLine(std::string_view keyword, int64_t height) : line_(keyword), height_(height) { line_ += ' '; }

    void fields(std::string_view layout, const SchElement& e, std::size_t param, std::size_t text) {
        for (char op : layout) {
            switch (op) {
                case 'n': case 'N': number(e.param(param++)); break;
                case 'a': case 'A': number(height_ - e.param(param++)); break;
                case 's': case 'S': number(flipIfSheet(e.param(param++))); break;
                case 'x': number(0); break;
                case 't': field(e.text(text++)); break;
                case 'p': case 'q': points(e, param, op == 'p'); break;
                case 'd': field("'" + e.text(text++) + "'"); break;
                case 'D':
                    twoTexts(e.text(text), e.text(text + 1));
                    text += 2;
                    break;
                default: break;
            }
        }
    }
    const std::string& text() const { return line_; }

private:
    int64_t flipIfSheet(int64_t v) const { return height_ != 0 ? height_ - v : v; }
    void field(std::string_view f) {
        line_ += ' ';
        line_ += f;
    }
    void number(int64_t v) { field(std::to_string(v)); }

    // The count is the pairs actually held, so a sheet made in code cannot
    // write a count its points do not fill.
    void points(const SchElement& e, std::size_t& param, bool alwaysFlip) {
        const std::size_t first = param + 1;
        const std::size_t pairs = e.params.size() > first ? (e.params.size() - first) / 2 : 0;
        number(static_cast<int64_t>(pairs));
        for (std::size_t j = 0; j < pairs; ++j) {
            number(e.params[first + 2 * j]);
            const int64_t y = e.params[first + 2 * j + 1];
            number(alwaysFlip ? height_ - y : flipIfSheet(y));
        }
        param = first + 2 * pairs;
    }

    void twoTexts(const std::string& first, const std::string& second) {
        std::size_t d = 0;
        while (d < kClosers.size() && first.find(kClosers[d]) != std::string::npos) ++d;
        std::string kept = first;
        if (d == kClosers.size()) {
            d = 0;
            std::erase(kept, '\'');
        }
        field(std::string(1, kOpeners[d]) + kept + kClosers[d]);
        field("'" + second + "'");
    }

    std::string line_;
    int64_t height_;
};

class SheetWriter {
public:
    explicit SheetWriter(const schematic::SchSheet& sheet) : s_(sheet) {}

    std::string run() {
        out_.line(kHeader);
        out_.line(kHeader);
        fonts();
        library();
        future();
        sheet();
        version2();
        return out_.take();
    }

private:
    void fonts() {
        out_.line("[Font_Table]");
        const int32_t count = s_.fontSlotMax > 3 ? s_.fontSlotMax - 3 : 0;
        out_.line(std::to_string(count));
        for (int32_t k = 1; k <= count; ++k) {
            const std::size_t slot = static_cast<std::size_t>(k) + 2;
            const schematic::SchFont f = slot < s_.fonts.size() ? s_.fonts[slot] : schematic::SchFont{};
            out_.line(std::to_string(f.size) + ' ' + std::to_string(f.rotation) + ' ' + std::to_string(f.underline) +
                      ' ' + std::to_string(f.italic) + ' ' + std::to_string(f.bold) + ' ' +
                      std::to_string(f.strikeOut) + ' ' + f.faceName);
        }
        out_.line("EndFont");
    }

    void library() {
        out_.line("Library");
        out_.line(std::to_string(s_.comps.size()));
        for (const schematic::SchComponent& c : s_.comps) {
            out_.line("Component");
            out_.line(std::to_string(c.parts.size()));
            out_.line(std::to_string(c.names.size()));
            out_.line("'LIB'");
            out_.line("'component'");
            for (const std::string* t : {&c.libText1, &c.libText2, &c.libText3, &c.libText4}) out_.line(*t);
            for (int i = 1; i <= 8; ++i) out_.line("l" + std::to_string(i));
            out_.line(c.libText5);
            out_.line("'sheetpart'");
            for (const std::string& name : c.names) out_.line(name);
            for (const schematic::SchPartGraphics& g : c.parts) {
                out_.line("Part");
                out_.line("0 0");
                // The line after the part header is always parsed, even an
                // EndNormalPart; an empty part needs the closing line twice.
                if (g.elements.empty()) out_.line("EndNormalPart");
                elements(g.elements, 0);
                out_.line("EndNormalPart");
                out_.line("EndDeMorganPart");
                out_.line("EndIEEEPart");
            }
            out_.line("EndComponent");
        }
    }

    // Twelve lines the reader skips, then the Future section.
    void future() {
        out_.line("EndLibrary");
        out_.line("Organization");
        for (int i = 0; i < 8; ++i) out_.line("");
        out_.line("0 0");
        out_.line("End");
        out_.line("Future  1 8 6");
        out_.line("EndFuture  1");
    }

    void sheet() {
        out_.line("Sheet");
        out_.line("0 6 " + std::to_string(s_.orientation) + " 1 1 " + std::to_string(s_.borderColor) + ' ' +
                  std::to_string(s_.sheetColor) + " 1 10 " + std::to_string(s_.sheetParam10) + ' ' +
                  std::to_string(s_.sheetParam11) + ' ' + std::to_string(s_.sheetSizeA) + ' ' +
                  std::to_string(s_.sheetSizeB) + " 0");
        elements(s_.elements, s_.sheetHeight());
        out_.line("EndSheet");
    }

    void version2() {
        out_.line("Version 2.0 Sheet");
        for (const SchElement& e : s_.elements) {
            if (e.kind != SchElementKind::Part) continue;
            RecordLine l("Part", 0);
            l.fields(schematic::kPartExtraLayout, e, schematic::part_param::FillColor, 0);
            out_.line(l.text());
        }
        out_.line("Library Version 2.0");
        out_.line("EndLibrary");
        out_.line("EndSheet");
    }

    void elements(const std::vector<SchElement>& list, int64_t height) {
        for (const SchElement& e : list) {
            const schematic::SchRecordLayout* layout = schematic::SchRecordLayoutOf(e.kind);
            if (!layout) continue;
            RecordLine l(layout->keyword, height);
            l.fields(layout->layout, e, 0, 0);
            out_.line(l.text());
            if (e.kind == SchElementKind::Part) partLines(e, height);
            if (e.kind == SchElementKind::TextFrame) frameLines(e);
        }
    }

    void partLines(const SchElement& e, int64_t height) {
        namespace pp = schematic::part_param;
        namespace pt = schematic::part_text;
        RecordLine designator("Designator", height);
        designator.fields(schematic::kPartTextLayout, e, pp::DesignatorX, pt::Designator);
        out_.line(designator.text());
        RecordLine type("PartType", height);
        type.fields(schematic::kPartTextLayout, e, pp::PartTypeX, pt::PartType);
        out_.line(type.text());
        for (std::size_t t = pt::FirstDescription; t < e.texts.size(); ++t) {
            SchElement one;
            one.texts = {e.texts[t]};
            RecordLine d("PartDescription", height);
            d.fields(schematic::kPartDescriptionLayout, one, 0, 0);
            out_.line(d.text());
        }
    }

    // The reader drops the last character of a frame's last line.
    void frameLines(const SchElement& e) {
        out_.line("Begin");
        const std::size_t n = std::min(e.texts.size(), static_cast<std::size_t>(std::max(0, e.textCount)));
        for (std::size_t i = 0; i < n; ++i) out_.line(i + 1 == n ? e.texts[i] + "~" : e.texts[i]);
        out_.line("End");
    }

    const schematic::SchSheet& s_;
    Out out_;
};

}  // namespace

std::string writeSchText(const schematic::SchSheet& sheet) { return SheetWriter(sheet).run(); }

std::string writeSchBytes(const schematic::SchSheet& sheet) {
    const QByteArray bytes = platform::toCp936(QString::fromStdString(writeSchText(sheet)));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool writeSchFile(const schematic::SchSheet& sheet, const std::string& path) {
    const std::string bytes = writeSchBytes(sheet);
    return platform::writeWholeFile(QString::fromStdString(path), QByteArray::fromStdString(bytes)).ok;
}

}  // namespace schgen
