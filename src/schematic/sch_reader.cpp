#include "schematic/sch_reader.h"

#include "platform/codepage.h"
#include "schematic/sch_numbers.h"
#include "schematic/sch_record_parser.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <optional>
#include "schematic/text_scan.h"

namespace schematic {
namespace {

constexpr std::string_view kHeader = "Protel for Windows - Schematic Capture Ascii File Version 1.2 - 2.0";


std::string_view firstWord(std::string_view s) { return s.substr(0, s.find(' ')); }

// The file's lines: each ends at a carriage return, and a line feed right
// after it belongs to the line end.
class LineSource {
public:
    explicit LineSource(std::string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    std::optional<std::string_view> next() {
        if (atEnd()) return std::nullopt;
        const std::size_t cr = text_.find('\r', pos_);
        std::string_view line;
        if (cr == std::string_view::npos) {
            line = text_.substr(pos_);
            pos_ = text_.size();
        } else {
            line = text_.substr(pos_, cr - pos_);
            pos_ = cr + 1;
            if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        }
        return line;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Fields of a font line or the sheet parameter line, separated by single
// blanks: field k is the text before the k-th blank (after the (k-1)-th).
class BlankFields {
public:
    explicit BlankFields(std::string_view line) : line_(line) {
        for (std::size_t i = 0; i < line.size(); ++i)
            if (line[i] == ' ') blanks_.push_back(i);
    }
    std::size_t blankCount() const { return blanks_.size(); }
    // Field k (from 1), which must be followed by a blank.
    std::string_view field(std::size_t k) const {
        const std::size_t start = k == 1 ? 0 : blanks_[k - 2] + 1;
        return line_.substr(start, blanks_[k - 1] - start);
    }
    std::string_view after(std::size_t blankNo) const { return line_.substr(blanks_[blankNo - 1] + 1); }

private:
    std::string_view line_;
    std::vector<std::size_t> blanks_;
};

class SheetReader {
public:
    SheetReader(std::string_view text, SchSheet& sheet, SchReadNotifier& notifier)
        : lines_(text), sheet_(sheet), notifier_(notifier) {}

    int unknownCount = 0;
    std::optional<SchFormatError> formatError;
    SchFailure failure = SchFailure::None;

    bool run() {
        state_.startRead();
        return readHeaderAndFonts() && readLibrary() && readFuture() && readSheet() && readVersion2();
    }

private:
    bool fail(SchFailure f) {
        failure = f;
        return false;
    }
    bool badFormat(SchFormatError e) {
        formatError = e;
        return false;
    }

    bool line(std::string_view& out) {
        const auto l = lines_.next();
        if (!l) return fail(SchFailure::PastEndOfFile);
        out = *l;
        return true;
    }
    bool trimmedLine(std::string_view& out) {
        if (!line(out)) return false;
        out = trimBlanks(out);
        return true;
    }
    bool skipLines(int count) {
        std::string_view unused;
        for (int i = 0; i < count; ++i)
            if (!line(unused)) return false;
        return true;
    }
    // One item of list input: this format holds one item per line. Leading
    // blanks are skipped and, unless asked otherwise, trailing ones too; an
    // item that opens with a double quote ends at the next one.
    bool item(std::string_view& out, bool keepTrailingBlanks = false) {
        if (!line(out)) return false;
        const auto first = out.find_first_not_of(' ');
        out = first == std::string_view::npos ? std::string_view{} : out.substr(first);
        if (!out.empty() && out.front() == '"') {
            const std::size_t close = out.find('"', 1);
            out = out.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        } else if (!keepTrailingBlanks) {
            out = trimBlanks(out);
        }
        return true;
    }
    // A section count. Counts only bound loops that read the file, so a count
    // larger than the file ends at its end; a negative one is refused.
    bool count(std::string_view text, int32_t& out) {
        const auto v = fieldNumber(text);
        if (!v) return fail(SchFailure::NumberOutOfRange);
        if (*v < 0) return fail(SchFailure::NegativeCount);
        out = *v;
        return true;
    }
    bool number(std::string_view text, int32_t& out) {
        const auto v = fieldNumber(text);
        if (!v) return fail(SchFailure::NumberOutOfRange);
        out = *v;
        return true;
    }
    // Trimmed lines up to and including `end`; a closing line that is the
    // file's last line ends the loop normally.
    template <class IsEnd>
    bool readUntilMatch(IsEnd isEnd, SchFormatError error) {
        std::string_view l;
        do {
            if (lines_.atEnd()) return badFormat(error);
            if (!trimmedLine(l)) return false;
        } while (!isEnd(l));
        return true;
    }
    bool readUntil(std::string_view end, SchFormatError error) {
        return readUntilMatch([end](std::string_view l) { return l == end; }, error);
    }
    bool parse(std::string_view l, std::vector<SchElement>& list) {
        const SchRecordResult r = ParseSchRecord(l, list, state_, notifier_);
        if (r.failed()) return fail(r.failure);
        unknownCount += r.unrecognised;
        return true;
    }

    bool readHeaderAndFonts() {
        // Each keyword item is checked as soon as it is read, so a file of
        // another kind is told apart from one that ends early.
        std::string_view header, unused, fontTable, n;
        if (!item(header)) return false;
        if (header != kHeader) return badFormat(SchFormatError::Header);
        if (!item(unused) || !item(fontTable)) return false;
        if (fontTable != "[Font_Table]") return badFormat(SchFormatError::FontTable);
        if (!item(n)) return false;
        int32_t fontCount = 0;
        if (!count(n, fontCount)) return false;
        if (fontCount > INT32_MAX - 3) return fail(SchFailure::NumberOutOfRange);

        sheet_.fonts.resize(3);
        for (int32_t k = 1; k <= fontCount; ++k) {
            std::string_view l;
            if (!trimmedLine(l)) return false;
            const BlankFields f(l);
            if (f.blankCount() < 6) return fail(SchFailure::MissingField);
            SchFont font;
            if (!number(f.field(1), font.size) || !number(f.field(2), font.rotation) ||
                !number(f.field(3), font.underline) || !number(f.field(4), font.italic) ||
                !number(f.field(5), font.bold) || !number(f.field(6), font.strikeOut))
                return false;
            font.faceName = std::string(f.after(6));
            sheet_.fonts.push_back(std::move(font));
        }
        sheet_.fonts.emplace_back();
        sheet_.fontSlotMax = fontCount + 3;
        return true;
    }

    bool readLibrary() {
        std::string_view unused, library, c;
        if (!item(unused) || !item(library)) return false;
        if (library != "Library") return badFormat(SchFormatError::LibraryHeader);
        if (!item(c)) return false;
        int32_t compCount = 0;
        if (!count(c, compCount)) return false;
        for (int32_t i = 0; i < compCount; ++i)
            if (!readComponent()) return false;
        return true;
    }

    bool readComponent() {
        std::string_view keyword, p, m;
        if (!item(keyword)) return false;
        if (keyword != "Component") return badFormat(SchFormatError::ComponentHeader);
        if (!item(p) || !item(m) || !skipLines(2)) return false;
        int32_t partCount = 0, nameCount = 0;
        if (!count(p, partCount) || !count(m, nameCount)) return false;

        SchComponent& comp = sheet_.comps.emplace_back();
        std::string_view l;
        std::string* libTexts[] = {&comp.libText1, &comp.libText2, &comp.libText3, &comp.libText4};
        for (std::string* t : libTexts) {
            if (!trimmedLine(l)) return false;
            *t = std::string(l);
        }
        if (!skipLines(8) || !trimmedLine(l)) return false;
        comp.libText5 = std::string(l);
        if (!skipLines(1)) return false;
        for (int32_t k = 0; k < nameCount; ++k) {
            if (!trimmedLine(l)) return false;
            comp.names.emplace_back(l);
        }
        for (int32_t a = 0; a < partCount; ++a)
            if (!readPartGraphics(comp)) return false;
        return item(l);
    }

    bool readPartGraphics(SchComponent& comp) {
        std::string_view keyword, l;
        if (!item(keyword)) return false;
        if (keyword != "Part") return badFormat(SchFormatError::PartGraphics);
        if (!skipLines(1) || !trimmedLine(l)) return false;
        auto& list = comp.parts.emplace_back().elements;
        state_.beginList(false);
        // The line after the part header always goes to the parser; one
        // without a blank (an immediate EndNormalPart too) is ignored there.
        for (;;) {
            if (!parse(l, list)) return false;
            if (lines_.atEnd()) return badFormat(SchFormatError::PartGraphics);
            if (!trimmedLine(l)) return false;
            if (l == "EndNormalPart") break;
            if (lines_.atEnd()) return badFormat(SchFormatError::PartGraphics);
        }
        return readUntil("EndDeMorganPart", SchFormatError::PartGraphics) &&
               readUntil("EndIEEEPart", SchFormatError::PartGraphics);
    }

    bool readFuture() {
        std::string_view l;
        if (!skipLines(12) || !line(l)) return false;
        if (firstWord(l) != "Future") return badFormat(SchFormatError::FutureSection);
        return readUntilMatch([](std::string_view t) { return firstWord(t) == "EndFuture"; },
                         SchFormatError::FutureSection);
    }

    bool readSheet() {
        std::string_view keyword, s, l;
        if (!item(keyword)) return false;
        if (keyword != "Sheet") return badFormat(SchFormatError::SheetRecords);
        if (!item(s) || !trimmedLine(l)) return false;
        const BlankFields f(s);
        if (f.blankCount() < 13) return fail(SchFailure::MissingField);
        if (!number(f.field(3), sheet_.orientation) || !number(f.field(6), sheet_.borderColor) ||
            !number(f.field(7), sheet_.sheetColor) || !number(f.field(10), sheet_.sheetParam10) ||
            !number(f.field(11), sheet_.sheetParam11) || !number(f.field(12), sheet_.sheetSizeA) ||
            !number(f.field(13), sheet_.sheetSizeB))
            return false;
        state_.sheetHeight = sheet_.sheetHeight();
        state_.beginList(true);

        // "EndSheet" ends the records even inside an open text frame.
        while (l != "EndSheet") {
            if (lines_.atEnd()) return badFormat(SchFormatError::SheetRecords);
            if (!parse(l, sheet_.elements) || !trimmedLine(l)) return false;
        }
        return true;
    }

    bool readVersion2() {
        std::string_view keyword, l;
        // The section's first line keeps its trailing blanks.
        if (!item(keyword)) return false;
        if (keyword != "Version 2.0 Sheet") return badFormat(SchFormatError::Version2Records);
        if (!item(l, true)) return false;
        state_.beginPartExtras();
        while (l != "Library Version 2.0") {
            if (lines_.atEnd()) return badFormat(SchFormatError::Version2Records);
            const SchFailure f = ParseSchPartExtra(l, sheet_.elements, state_);
            if (f != SchFailure::None) return fail(f);
            if (!trimmedLine(l)) return false;
        }
        return readUntil("EndLibrary", SchFormatError::Version2Library) &&
               readUntil("EndSheet", SchFormatError::Version2Records);
    }

    LineSource lines_;
    SchSheet& sheet_;
    SchReadNotifier& notifier_;
    SchParserState state_;
};

}  // namespace

int ReadSchText(SchSheet& sheet, std::string_view utf8Text, SchReadNotifier& notifier) {
    sheet.clear();
    SheetReader reader(utf8Text, sheet, notifier);
    if (!reader.run()) {
        sheet.clear();
        if (reader.formatError) notifier.formatError(*reader.formatError);
        else notifier.failure(reader.failure);
        return 0;
    }
    if (reader.unknownCount > 0) notifier.unknownRecordCount(reader.unknownCount);
    return 1;
}

int ReadSchBytes(SchSheet& sheet, std::string_view cp936Bytes, SchReadNotifier& notifier) {
    const std::string text =
        platform::fromCp936(QByteArrayView(cp936Bytes.data(), static_cast<qsizetype>(cp936Bytes.size())))
            .toStdString();
    return ReadSchText(sheet, text, notifier);
}

int ReadSchFile(SchSheet& sheet, const QString& path, SchReadNotifier& notifier) {
    sheet.clear();
    if (!QFileInfo(path).isFile()) return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    const QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    file.close();
    if (readFailed) return 0;
    return ReadSchBytes(sheet, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), notifier);
}

}  // namespace schematic
