#pragma once
// The microprogram sources (microcode.txt, lights.txt): one microword a line,
// assembled into the three bytes the microcode chips hold at its address.
//
//   ADDR INSTR COND BA MO      numbers in hexadecimal
//
// Byte 0 = I3..I0 (the Am2910 instruction), /CCEN, CS2..CS0 (the condition
// the GAL20V8 selects); byte 1 = BA, the next-address field; byte 2 = MO, the
// micro-commands. COND "-" leaves /CCEN high, so the instruction never fails.

#include <array>
#include <cstdint>
#include <map>
#include <string_view>

namespace labdata {

using MicroWord = std::array<uint8_t, 3>;

// Address -> microword. Throws PlanError for an unknown mnemonic or condition.
std::map<int32_t, MicroWord> assembleMicrocode(std::string_view text);

}  // namespace labdata
