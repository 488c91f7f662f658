#include "schematic/sch_record_parser.h"

#include "schematic/sch_numbers.h"

#include <array>
#include <string>
#include "schematic/text_scan.h"

namespace schematic {
namespace {

// Texts are UTF-8; the format's positions count characters, so the few places
// that drop "one character, whatever it is" step over whole sequences.
std::size_t charLength(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if (c >= 0xF0) n = 4;
    else if (c >= 0xE0) n = 3;
    else if (c >= 0xC0) n = 2;
    return n < s.size() - i ? n : s.size() - i;
}

std::size_t lastCharStart(std::string_view s) {
    std::size_t i = s.size() - 1;
    while (i > 0 && s.size() - i < 4 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
    return i;
}

// Removes `front` characters at the start and one at the end; false when the
// text has fewer than front + 1 characters.
bool stripChars(std::string_view s, std::size_t front, std::string& out) {
    std::size_t start = 0;
    for (std::size_t k = 0; k < front; ++k) {
        if (start >= s.size()) return false;
        start += charLength(s, start);
    }
    if (start >= s.size()) return false;
    out.assign(s.substr(start, lastCharStart(s) - start));
    return true;
}


enum class YFlip { None, Always, IfSheet };

// Reads the fields of one record line in order, by the layout letters of
// SchRecordLayout.
class FieldReader {
public:
    FieldReader(std::string_view line, std::size_t keywordBlank, int32_t sheetHeight)
        : line_(line), sheetHeight_(sheetHeight) {
        // The character right after the keyword's blank is skipped.
        pos_ = keywordBlank + 1;
        if (pos_ < line_.size()) pos_ += charLength(line_, pos_);
    }

    SchFailure failure = SchFailure::None;
    bool dropped = false;  // a point list with fewer than two points

    // Runs `layout` into `e`, storing numbers from params[paramBase] and texts
    // from texts[textBase] on. False on failure or when the record is dropped.
    bool run(std::string_view layout, SchElement& e, std::size_t paramBase, std::size_t textBase) {
        std::size_t p = paramBase;
        std::size_t t = textBase;
        for (char op : layout) {
            std::string_view field;
            int32_t value = 0;
            switch (op) {
                case 'n': case 'a': case 's': case 'x':
                    if (!next(field) || !number(field, flipOf(op), value)) return false;
                    if (op != 'x') e.params[p++] = value;
                    break;
                case 'N': case 'A': case 'S':
                    if (!number(rest(), flipOf(op), value)) return false;
                    e.params[p++] = value;
                    pos_ = line_.size();
                    break;
                case 't':
                    if (!next(field)) return false;
                    e.texts[t++] = std::string(field);
                    break;
                case 'p': case 'q':
                    if (!points(e, p, op == 'p' ? YFlip::Always : YFlip::IfSheet)) return false;
                    break;
                case 'd':
                    if (!stripChars(rest(), 1, e.texts[t++])) return fail(SchFailure::BadTextDelimiter);
                    break;
                case 'D':
                    if (!twoTexts(e.texts[t], e.texts[t + 1])) return false;
                    t += 2;
                    break;
            }
        }
        return true;
    }

private:
    static YFlip flipOf(char op) {
        switch (op) {
            case 'a': case 'A': return YFlip::Always;
            case 's': case 'S': return YFlip::IfSheet;
            default: return YFlip::None;
        }
    }

    bool fail(SchFailure f) {
        failure = f;
        return false;
    }

    // A field that must be followed by a blank.
    bool next(std::string_view& field) {
        const std::size_t blank = pos_ < line_.size() ? line_.find(' ', pos_) : std::string_view::npos;
        if (blank == std::string_view::npos) return fail(SchFailure::MissingField);
        field = line_.substr(pos_, blank - pos_);
        pos_ = blank + 1;
        return true;
    }

    std::string_view rest() const { return pos_ < line_.size() ? line_.substr(pos_) : std::string_view{}; }

    bool number(std::string_view field, YFlip flip, int32_t& out) {
        const auto v = fieldNumber(field);
        if (!v) return fail(SchFailure::NumberOutOfRange);
        int64_t stored = *v;
        if (flip == YFlip::Always || (flip == YFlip::IfSheet && sheetHeight_ != 0))
            stored = static_cast<int64_t>(sheetHeight_) - stored;
        if (stored < INT32_MIN || stored > INT32_MAX) return fail(SchFailure::NumberOutOfRange);
        out = static_cast<int32_t>(stored);
        return true;
    }

    // The point count at params[p], then the points after it. The params grow
    // only as points are actually read, so a lying count ends at the line's end.
    bool points(SchElement& e, std::size_t& p, YFlip flip) {
        std::string_view field;
        int32_t n = 0;
        if (!next(field) || !number(field, YFlip::None, n)) return false;
        e.params[p++] = n;
        if (n < 2) {
            dropped = true;
            return false;
        }
        for (int32_t j = 0; j < n; ++j) {
            int32_t x = 0, y = 0;
            if (!next(field) || !number(field, YFlip::None, x)) return false;
            if (j + 1 < n) {
                if (!next(field) || !number(field, flip, y)) return false;
            } else {
                if (!number(rest(), flip, y)) return false;
                pos_ = line_.size();
            }
            e.params.push_back(x);
            e.params.push_back(y);
        }
        p = e.params.size();
        return true;
    }

    // The blank ending the last field is at pos_ - 1.
    bool twoTexts(std::string& first, std::string& second) {
        const std::size_t blank = pos_ - 1;  // 0-based
        const std::size_t e = FindTextEnd(line_, blank + 1);
        if (e < 2) return fail(SchFailure::BadTextDelimiter);
        const std::size_t close = e - 2;  // 0-based index of the closing delimiter
        first.assign(line_.substr(blank + 2, close - (blank + 2)));
        // Skip the character after the closing delimiter and the second text's
        // opening delimiter; the line's last character closes it.
        if (!stripChars(line_.substr(close + 1), 2, second)) return fail(SchFailure::BadTextDelimiter);
        return true;
    }

    std::string_view line_;
    int32_t sheetHeight_;
    std::size_t pos_ = 0;
};

// In the order the keywords are tested.
constexpr std::array<SchRecordLayout, 25> kKinds{{
    {"Part", SchElementKind::Part, part_param::Count, 4, "nannnnnnnnD"},
    {"Wire", SchElementKind::Wire, 4, 0, "nnnp"},
    {"Bus", SchElementKind::Bus, 4, 0, "nnnp"},
    {"BusEntry", SchElementKind::BusEntry, 7, 0, "nanannN"},
    {"Junction", SchElementKind::Junction, 6, 0, "nannN"},
    {"PowerObject", SchElementKind::PowerObject, 6, 1, "nnannnd"},
    {"Port", SchElementKind::Port, 10, 1, "nnnnnannnnd"},
    {"NetLabel", SchElementKind::NetLabel, 6, 1, "nannnnd"},
    {"SimProbe", SchElementKind::SimProbe, 4, 1, "nannd"},
    {"SimVector", SchElementKind::SimVector, 4, 1, "nannd"},
    {"SimStimulus", SchElementKind::SimStimulus, 4, 1, "nannd"},
    {"TextFrame", SchElementKind::TextFrame, 15, 1, "nanannnnnnnnnnN"},
    {"Polyline", SchElementKind::Polyline, 5, 0, "nnnnq"},
    {"Bezier", SchElementKind::Bezier, 4, 0, "nnnq"},
    {"Arc", SchElementKind::Arc, 6, 2, "nsnnttnN"},
    {"EllipticalArc", SchElementKind::EllipticalArc, 7, 2, "nsnnnttnN"},
    {"Polygon", SchElementKind::Polygon, 6, 0, "nnnnnq"},
    {"Rectangle", SchElementKind::Rectangle, 9, 0, "nsnsnnnnN"},
    {"RoundRectangle", SchElementKind::RoundRectangle, 11, 0, "nsnsnnnnnnN"},
    {"Ellipse", SchElementKind::Ellipse, 9, 0, "nsnnnnnnN"},
    {"Pie", SchElementKind::Pie, 8, 2, "nsnnttnnnN"},
    {"Image", SchElementKind::Image, 9, 1, "nsnsnnnnnd"},
    {"Label", SchElementKind::Label, 6, 1, "nsnnnnd"},
    {"Line", SchElementKind::Line, 8, 0, "nsnsnnnN"},
    {"Pin", SchElementKind::Pin, pin_param::Count, 2, "nnnnnnnnnnnD"},
}};

// Every layout fills exactly the Params and Texts its kind starts with, but
// for the entries filled later (a Part's sub-records, a frame's text lines)
// or always 0 (a Junction's P5).
constexpr bool layoutsMatchSizes() {
    for (const SchRecordLayout& k : kKinds) {
        std::size_t params = 0, texts = 0;
        for (char op : k.layout) {
            switch (op) {
                case 'n': case 'a': case 's': case 'N': case 'A': case 'S': case 'p': case 'q': ++params; break;
                case 't': case 'd': ++texts; break;
                case 'D': texts += 2; break;
                default: break;
            }
        }
        const bool part = k.kind == SchElementKind::Part;
        if (params != k.params && !(part && params == 10) && !(k.kind == SchElementKind::Junction && params == 5))
            return false;
        if (texts != k.texts && !(part && texts == 2) && !(k.kind == SchElementKind::TextFrame && texts == 0))
            return false;
    }
    return true;
}
static_assert(layoutsMatchSizes());

constexpr std::array<std::string_view, 9> kIgnored{
    "SheetPartFileName", "SheetSymbol", "SheetFileName", "SheetName", "SheetNet",
    "NoERC", "LayoutDirective", "TaskHolder", "Symbol",
};

// The Part that sub-records complete, or nullptr.
SchElement* currentPart(std::vector<SchElement>& list, const SchParserState& state) {
    if (state.currentPart < 0 || state.currentPart >= static_cast<int64_t>(list.size())) return nullptr;
    SchElement& e = list[static_cast<std::size_t>(state.currentPart)];
    return e.kind == SchElementKind::Part ? &e : nullptr;
}

// Designator (params from 10, text 2) and PartType (params from 17, text 3).
SchRecordResult completePartText(std::string_view line, std::size_t blank, std::vector<SchElement>& list,
                                 const SchParserState& state, std::size_t paramBase, std::size_t textIndex) {
    SchElement* part = currentPart(list, state);
    if (!part) return {0, SchFailure::NoPartToComplete};
    SchElement updated = *part;
    FieldReader reader(line, blank, state.sheetHeight);
    if (!reader.run(kPartTextLayout, updated, paramBase, textIndex)) return {0, reader.failure};
    *part = std::move(updated);
    return {};
}

SchRecordResult addDescription(std::string_view line, std::size_t blank, std::vector<SchElement>& list,
                               const SchParserState& state) {
    SchElement* part = currentPart(list, state);
    if (!part) return {0, SchFailure::NoPartToComplete};
    SchElement scratch;
    scratch.texts.resize(1);
    FieldReader reader(line, blank, state.sheetHeight);
    if (!reader.run(kPartDescriptionLayout, scratch, 0, 0)) return {0, reader.failure};
    const std::string_view text = trimBlanks(scratch.texts[0]);
    if (!text.empty() && text != "*") part->texts.emplace_back(text);
    return {};
}

// A line while a frame is open: "Begin" is ignored, "End" closes the frame
// (its last line loses its last character), anything else is frame text.
void addFrameLine(std::string_view line, SchElement& frame, SchParserState& state) {
    if (line == "Begin") return;
    if (line == "End") {
        state.textFrameOpen = false;
        if (frame.textCount > 0) {
            std::string& last = frame.texts[static_cast<std::size_t>(frame.textCount - 1)];
            if (!last.empty()) last.erase(lastCharStart(last));
        }
        return;
    }
    frame.texts.back() = std::string(line);
    frame.texts.emplace_back();
    ++frame.textCount;
}

}  // namespace

const SchRecordLayout* SchRecordLayoutOf(SchElementKind kind) {
    for (const SchRecordLayout& k : kKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

std::size_t FindTextEnd(std::string_view text, std::size_t position) {
    // position + 1 (from 1) is index `position` (from 0).
    if (position >= text.size()) return 0;
    char close = 0;
    switch (text[position]) {
        case '\'': close = '\''; break;
        case '(': close = ')'; break;
        case '[': close = ']'; break;
        case '<': close = '>'; break;
        case '{': close = '}'; break;
        default: return 0;
    }
    const std::size_t found = text.find(close, position + 1);
    return found == std::string_view::npos ? 1 : found + 2;
}

SchRecordResult ParseSchRecord(std::string_view line, std::vector<SchElement>& list, SchParserState& state,
                               SchReadNotifier& notifier) {
    if (state.textFrameOpen) {
        if (!list.empty() && list.back().kind == SchElementKind::TextFrame) {
            addFrameLine(line, list.back(), state);
            return {};
        }
        state.textFrameOpen = false;  // no frame to collect into
    }

    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return {};
    const std::string_view keyword = line.substr(0, blank);

    for (const SchRecordLayout& k : kKinds) {
        if (keyword != k.keyword) continue;
        SchElement e;
        e.kind = k.kind;
        e.params.assign(k.params, 0);
        e.texts.assign(k.texts, std::string{});
        FieldReader reader(line, blank, state.sheetHeight);
        if (!reader.run(k.layout, e, 0, 0)) {
            if (reader.dropped) return {};
            return {0, reader.failure};
        }
        if (k.kind == SchElementKind::Image) {
            std::string& path = e.texts[0];
            const std::size_t slash = path.rfind('\\');
            if (slash != std::string::npos) path.erase(0, slash + 1);
        }
        list.push_back(std::move(e));
        if (k.kind == SchElementKind::Part) {
            state.currentPart = static_cast<int64_t>(list.size() - 1);
            if (state.sheetList) state.partIndex.push_back(list.size() - 1);
        } else if (k.kind == SchElementKind::TextFrame) {
            state.textFrameOpen = true;
        }
        return {};
    }

    if (keyword == "Designator") return completePartText(line, blank, list, state, part_param::DesignatorX, part_text::Designator);
    if (keyword == "PartType") return completePartText(line, blank, list, state, part_param::PartTypeX, part_text::PartType);
    if (keyword == "PartDescription") return addDescription(line, blank, list, state);

    for (std::string_view ignored : kIgnored)
        if (keyword == ignored) return {};

    notifier.unknownRecord(line);
    return {1, SchFailure::None};
}

SchFailure ParseSchPartExtra(std::string_view line, std::vector<SchElement>& sheetElements, SchParserState& state) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos || line.substr(0, blank) != "Part") return SchFailure::None;
    if (state.currentPart < 0 || state.currentPart >= static_cast<int64_t>(state.partIndex.size()))
        return SchFailure::NoPartToComplete;
    const std::size_t index = state.partIndex[static_cast<std::size_t>(state.currentPart)];
    if (index >= sheetElements.size() || sheetElements[index].kind != SchElementKind::Part)
        return SchFailure::NoPartToComplete;
    SchElement updated = sheetElements[index];
    FieldReader reader(line, blank, state.sheetHeight);
    if (!reader.run(kPartExtraLayout, updated, part_param::FillColor, 0)) return reader.failure;
    sheetElements[index] = std::move(updated);
    ++state.currentPart;
    return SchFailure::None;
}

}  // namespace schematic
