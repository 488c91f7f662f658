#pragma once
// The experiment settings a schematic carries in the texts of its simulation
// records (SimProbe, SimVector, SimStimulus), collected while the sheet is
// scanned. Circuit setup later looks the names up among the circuit's nets and
// ICs; here they are only split into their parts.
//
// SimProbe:    "IC:(title) U5.A,U6.B"  or  "(title) D7..0 CLK,RST"
// SimVector:   "LoadMemData:(title) U7.U", "SaveMemData:(title) ...",
//              "Lab:(diagram.sch)Name (title)text.rtf ...", "VrPcb:board.sch"
// SimStimulus: "CLK(S/C):CP 1", "CLK(NS/C):CP 0", "RESET:RST 1", "SW1 1", "D7..0 5"
//
// Keywords are compared exactly, colon included; what follows starts right
// after the colon.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "schematic/sch_model.h"
#include "schematic/sch_read_notifier.h"

namespace schematic {

// A title and the text of its list, as SplitParenText gives them.
struct TitledList {
    std::string title;
    std::string list;

    friend bool operator==(const TitledList&, const TitledList&) = default;
};

struct LabHeadList {
    std::string head;  // "(diagram.sch)Name" or "Name"
    std::string list;  // "(title)file file ..."

    friend bool operator==(const LabHeadList&, const LabHeadList&) = default;
};

struct Stimulus {
    std::string name;  // a signal name, or a bus range holding ".."
    int32_t value = 0;

    friend bool operator==(const Stimulus&, const Stimulus&) = default;
};

struct LabDirectives {
    std::string clkName;
    int32_t clkValue = 0;  // 0 or 1
    int32_t clkMode = 0;   // 1 after "CLK(S/C):" (continuous run offered), 0 after "CLK(NS/C):"
    std::string resetName;
    int32_t resetValue = 0;  // the reset signal's idle level
    std::vector<TitledList> loadMems;
    std::vector<TitledList> saveMems;
    std::vector<LabHeadList> labs;
    std::vector<Stimulus> stimuli;
    std::vector<TitledList> probes;
    std::vector<TitledList> icProbes;
    std::string vrPcbFile;

    friend bool operator==(const LabDirectives&, const LabDirectives&) = default;
};

// Splits "(title) rest" into its trimmed title and rest; the title's
// parentheses may nest. Without a leading matched non-empty pair, the first
// result is the text with every blank removed and the second the text itself.
TitledList SplitParenText(std::string_view text);

// Applies the text of one simulation record (kind SimProbe, SimVector or
// SimStimulus; other kinds are ignored). Fails with NumberOutOfRange when a
// clock, reset or stimulus value does not fit 32 bits; the directives are then
// unchanged.
SchFailure applyDirective(LabDirectives& directives, SchElementKind kind, std::string_view text);

}  // namespace schematic
