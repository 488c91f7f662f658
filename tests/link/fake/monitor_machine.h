#pragma once
// The device behind the fake monitor's commands: its memory and registers, and
// the text of what D, R, U, T, P and G print, laid out as each edition's
// monitor prints it. Bodies are lines ended by CR LF; the caller adds the echo,
// the lead-in and the prompt.

#include "link/fake/monitor_core.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fakevaz {

class MonitorMachine {
public:
    explicit MonitorMachine(Edition edition);

    bool eightBit() const { return eightBit_; }

    // The address after a command letter: 16-bit editions take 0 to 5 hex digits
    // right after the letter (the value wraps to 16 bits), the 8-bit edition
    // nothing or exactly a blank and 4 hex digits. nullopt: no address given.
    // Sets `malformed` when the text is no address at all.
    std::optional<std::uint16_t> parseAddress(const std::string& rest, bool& malformed) const;

    std::string dump(std::optional<std::uint16_t> start);       // D
    std::string registers() const;                               // R
    std::string unassemble(std::optional<std::uint16_t> start);  // U
    // T and P: one instruction at PC (or at `start`), then the registers and the next instruction.
    std::string step(std::optional<std::uint16_t> start);
    // G: runs from `start` and stops at once: the registers.
    std::string run(std::optional<std::uint16_t> start);

    // Memory as the device holds it (a word per location in the 16-bit editions).
    unsigned memory(std::uint16_t address) const;
    void setMemory(std::uint16_t address, unsigned value);
    unsigned reg(int index) const { return regs_.at(static_cast<std::size_t>(index)); }
    void setReg(int index, unsigned value);
    unsigned pc() const;

private:
    std::string unasmLine(std::uint16_t address) const;
    void setPc(unsigned value);

    bool eightBit_;
    std::vector<unsigned> memory_;
    std::vector<unsigned> regs_;  // R0..R15 (16-bit) or R0..R11 (8-bit)
    unsigned flags_ = 0x5A;       // F or STATE
    unsigned pc8_ = 0;            // the 8-bit monitor shows no PC row
    std::uint16_t nextDump_ = 0;
    std::uint16_t nextUnasm_ = 0;
};

}  // namespace fakevaz
