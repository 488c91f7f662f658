#pragma once
// Turns single lines of a Protel ASCII schematic into model elements.
//
// A record line (`Keyword  f1 f2 ...`) becomes a new element at the end of the
// list it is parsed into: the sheet's list or one library part's. Designator,
// PartType and PartDescription lines complete the list's last Part, the lines
// after a TextFrame record are that frame's text until "End", and the Part
// lines of the Version 2.0 section complete the sheet's Parts in order.
//
// Field rules: the keyword ends at the first blank and the character after
// that blank is skipped (records are written with two blanks there); every
// field ends at the next blank, except a record's last numeric field, which
// takes the rest of the line. Numbers are read by fieldNumber().

#include "schematic/sch_model.h"
#include "schematic/sch_read_notifier.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace schematic {

// How the fields of one record keyword fill an element: its kind, the Params
// and Texts it starts with, and one layout letter per field or text, in line
// order. Whatever writes the format must use the same letters:
//   n  number          a  number, Y always flipped     s  number, Y flipped on the sheet
//   N, A, S            the same, taking the rest of the line (the record's last number)
//   x  number read and checked but not stored
//   t  the field kept as a text
//   p  point count and points, Y always    q  the same, Y flipped on the sheet
//   d  one delimited text (the rest of the line)
//   D  two delimited texts (Part and Pin)
struct SchRecordLayout {
    std::string_view keyword;
    SchElementKind kind;
    std::size_t params;  // before any points
    std::size_t texts;
    std::string_view layout;
};

// The layout of a kind, or nullptr for a kind no record produces.
const SchRecordLayout* SchRecordLayoutOf(SchElementKind kind);

// Sub-record lines of a Part: Designator and PartType (from P10 and T2, and
// from P17 and T3), PartDescription, and the part's Version 2.0 line (from P24).
inline constexpr std::string_view kPartTextLayout = "nannnnnd";
inline constexpr std::string_view kPartDescriptionLayout = "xxxxxxxd";
inline constexpr std::string_view kPartExtraLayout = "nnnnN";

// What the parser keeps between lines; one instance per read.
struct SchParserState {
    // Y values are flipped against this: 0 while the library is read, the
    // sheet height once the sheet parameter line is known.
    int32_t sheetHeight = 0;
    // Element indexes of the sheet list's Part records, in file order (Part
    // records inside library graphics are not counted: the Version 2.0 lines
    // complete sheet Parts only).
    std::vector<std::size_t> partIndex;
    // Index of the Part that sub-records complete (-1: none in this list); in
    // the Version 2.0 section, the ordinal into partIndex of the next Part.
    int64_t currentPart = -1;
    // While set, lines are the text of the list's last element, a TextFrame.
    bool textFrameOpen = false;
    // The list being parsed is the sheet's own.
    bool sheetList = false;

    // Before every read.
    void startRead() { *this = SchParserState{}; }
    // Each time the reader starts a new element list. A frame left open in the
    // previous list ends there, and sub-records must find a Part of the new list.
    void beginList(bool isSheet) {
        currentPart = -1;
        textFrameOpen = false;
        sheetList = isSheet;
    }
    // At the start of the Version 2.0 section.
    void beginPartExtras() {
        currentPart = 0;
        textFrameOpen = false;
    }
};

struct SchRecordResult {
    int unrecognised = 0;  // 1 when the keyword was unknown (and reported)
    SchFailure failure = SchFailure::None;
    bool failed() const { return failure != SchFailure::None; }
};

// Parses one line (trimmed by the caller) into `list`. An unknown keyword is
// reported through `notifier` and counted in the result; a failure leaves the
// list as it was and ends the read.
SchRecordResult ParseSchRecord(std::string_view line, std::vector<SchElement>& list, SchParserState& state,
                               SchReadNotifier& notifier);

// Applies one line of the Version 2.0 section to the sheet's next Part
// (P24..P28). Lines that are not Part lines are ignored.
SchFailure ParseSchPartExtra(std::string_view line, std::vector<SchElement>& sheetElements, SchParserState& state);

// For a delimited text whose opening delimiter is at position + 1 (positions
// count from 1): the position just after its closing delimiter. "'" closes
// with "'", "(" with ")", "[" with "]", "<" with ">", "{" with "}". Another
// opening character gives 0; a missing closing delimiter gives 1.
std::size_t FindTextEnd(std::string_view text, std::size_t position);

}  // namespace schematic
