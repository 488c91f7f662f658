#include "microcode.h"

#include <string>
#include <vector>

#include "plan_text.h"

namespace labdata {
namespace {

// The sixteen Am2910 instructions in code order.
const std::vector<std::string> kInstructions = {"JZ",   "CJS",  "JMAP", "CJP",  "PUSH", "JSRP", "CJV",  "JRP",
                                                "RFCT", "RPCT", "CRTN", "CJPP", "LDCT", "LOOP", "CONT", "TWB"};
// Condition selects of the GAL20V8 condition selector, in code order.
const std::vector<std::string> kConditions = {"PASS", "FAIL", "COND", "ZF", "CY", "WAIT", "SF", "OF"};

int indexOf(const std::vector<std::string>& list, const std::string& word) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == word) return static_cast<int>(i);
    return -1;
}

}  // namespace

std::map<int32_t, MicroWord> assembleMicrocode(std::string_view text) {
    std::map<int32_t, MicroWord> words_;
    for (const PlanLine& l : planLines(text)) {
        const std::vector<std::string> w = words(l.text);
        if (w.size() != 5) throw PlanError(l.number, "a microword reads ADDR INSTR COND BA MO");
        const int32_t address = hexNumber(w[0], l.number);
        if (address < 0 || address > 4095) throw PlanError(l.number, "address out of the 2732");
        const int instruction = indexOf(kInstructions, w[1]);
        if (instruction < 0) throw PlanError(l.number, "no Am2910 instruction " + w[1]);
        int ccenBar = 1, select = 0;
        if (w[2] != "-") {
            select = indexOf(kConditions, w[2]);
            if (select < 0) throw PlanError(l.number, "no condition " + w[2]);
            ccenBar = 0;
        }
        const int32_t ba = hexNumber(w[3], l.number);
        const int32_t mo = hexNumber(w[4], l.number);
        if (ba > 255 || mo > 255) throw PlanError(l.number, "BA and MO are bytes");
        if (!words_.emplace(address, MicroWord{static_cast<uint8_t>(instruction << 4 | ccenBar << 3 | select),
                                               static_cast<uint8_t>(ba), static_cast<uint8_t>(mo)})
                 .second)
            throw PlanError(l.number, "address given twice");
    }
    return words_;
}

}  // namespace labdata
