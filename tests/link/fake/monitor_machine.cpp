#include "link/fake/monitor_machine.h"

#include <cctype>
#include <cstdio>

namespace fakevaz {
namespace {

constexpr int kDumpLines16 = 15;
constexpr int kWordsPerLine = 8;
constexpr int kDumpLines8 = 8;
constexpr int kBytesPerLine = 16;
constexpr int kUnasmLines = 15;
constexpr int kPcRegister = 5;  // PC(R5) in the 16-bit editions

std::string hex(unsigned value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, value);
    return buf;
}

char shown(unsigned byte) { return byte >= 0x20 && byte <= 0x7E ? static_cast<char>(byte) : '.'; }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

}  // namespace

MonitorMachine::MonitorMachine(Edition edition)
    : eightBit_(edition == Edition::Corvane8), memory_(65536), regs_(eightBit_ ? 12 : 16) {
    // Printable characters cycle through the 16-bit memory, so the display text
    // of a dump holds letters, digits and now and then blanks; 8-bit memory
    // holds each address's low byte, printable or not.
    for (unsigned a = 0; a < 65536; ++a) {
        memory_[a] = eightBit_ ? (a & 0xFF) : ((0x20 + (2 * a) % 95) << 8) | (0x20 + (2 * a + 1) % 95);
    }
    for (std::size_t k = 0; k < regs_.size(); ++k) regs_[k] = static_cast<unsigned>(k) * (eightBit_ ? 0x11 : 0x1111);
}

std::optional<std::uint16_t> MonitorMachine::parseAddress(const std::string& rest, bool& malformed) const {
    malformed = false;
    if (rest.empty()) return std::nullopt;
    std::string digits = rest;
    if (eightBit_) {
        if (rest.size() != 5 || rest[0] != ' ') {
            malformed = true;
            return std::nullopt;
        }
        digits = rest.substr(1);
    } else if (rest.size() > 5) {
        malformed = true;
        return std::nullopt;
    }
    unsigned value = 0;
    for (char c : digits) {
        const int d = hexDigit(c);
        if (d < 0) {
            malformed = true;
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(d);
    }
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

std::string MonitorMachine::dump(std::optional<std::uint16_t> start) {
    std::uint16_t a = start ? *start : nextDump_;
    std::string body;
    if (eightBit_) {
        for (int k = 0; k < kDumpLines8; ++k) {
            std::string line = hex(a, 4);
            for (int m = 0; m < kBytesPerLine; ++m) line += " " + hex(memory_[static_cast<std::uint16_t>(a + m)], 2);
            body += line + " \r\n";
            a = static_cast<std::uint16_t>(a + kBytesPerLine);
        }
    } else {
        for (int k = 0; k < kDumpLines16; ++k) {
            std::string line = hex(a, 4);
            std::string display;
            for (int w = 0; w < kWordsPerLine; ++w) {
                const unsigned word = memory_[static_cast<std::uint16_t>(a + w)];
                line += " " + hex(word, 4);
                display += shown(word >> 8);
                display += shown(word & 0xFF);
            }
            body += line + "  " + display + "\r\n";
            a = static_cast<std::uint16_t>(a + kWordsPerLine);
        }
    }
    nextDump_ = a;
    return body;
}

std::string MonitorMachine::registers() const {
    std::string body;
    auto entry = [&](std::size_t k) { return "R" + std::to_string(k) + "=" + hex(regs_[k], eightBit_ ? 2 : 4); };
    const std::size_t half = regs_.size() / 2;
    for (std::size_t row = 0; row < 2; ++row) {
        std::string line;
        for (std::size_t k = row * half; k < (row + 1) * half; ++k) line += (line.empty() ? "" : "  ") + entry(k);
        body += line + "\r\n";
    }
    if (eightBit_) {
        body += "STATE=" + hex(flags_, 2) + "\r\n";
    } else {
        std::string bits;
        for (int b = 7; b >= 0; --b) bits += (flags_ >> b) & 1 ? '1' : '0';
        body += "F=" + bits + "\r\n";
    }
    return body;
}

std::string MonitorMachine::unasmLine(std::uint16_t a) const {
    // Every location shows as a data directive: address, codes field, text.
    const unsigned v = memory_[a];
    if (eightBit_) return hex(a, 4) + " " + hex(v, 2) + std::string(7, ' ') + "  DB    " + hex(v, 2) + "H";
    return hex(a, 4) + "  " + hex(v, 4) + std::string(5, ' ') + "  DW    " + hex(v, 4) + "H";
}

std::string MonitorMachine::unassemble(std::optional<std::uint16_t> start) {
    std::uint16_t a = start ? *start : nextUnasm_;
    std::string body;
    for (int k = 0; k < kUnasmLines; ++k, a = static_cast<std::uint16_t>(a + 1)) body += unasmLine(a) + "\r\n";
    nextUnasm_ = a;
    return body;
}

std::string MonitorMachine::step(std::optional<std::uint16_t> start) {
    if (start) setPc(*start);
    // One instruction: R0 counts the steps, PC moves on by one location.
    const unsigned mask = eightBit_ ? 0xFF : 0xFFFF;
    regs_[0] = (regs_[0] + 1) & mask;
    setPc(pc() + 1);
    return registers() + unasmLine(static_cast<std::uint16_t>(pc())) + "\r\n";
}

std::string MonitorMachine::run(std::optional<std::uint16_t> start) {
    if (start) setPc(*start);
    return registers();
}

unsigned MonitorMachine::memory(std::uint16_t address) const { return memory_[address]; }

void MonitorMachine::setMemory(std::uint16_t address, unsigned value) { memory_[address] = value & (eightBit_ ? 0xFF : 0xFFFF); }

void MonitorMachine::setReg(int index, unsigned value) {
    regs_.at(static_cast<std::size_t>(index)) = value & (eightBit_ ? 0xFF : 0xFFFF);
}

unsigned MonitorMachine::pc() const { return eightBit_ ? pc8_ : regs_[kPcRegister]; }

void MonitorMachine::setPc(unsigned value) {
    if (eightBit_) pc8_ = value & 0xFFFF;
    else regs_[kPcRegister] = value & 0xFFFF;
}

}  // namespace fakevaz
