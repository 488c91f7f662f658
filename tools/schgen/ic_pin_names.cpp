#include "schgen/ic_pin_names.h"

#include <array>
#include <sstream>
#include <string_view>

#include "sim/ic_type.h"
#include "sim/pin_table.h"

namespace schgen {
namespace {

// Names in pin-number order, blank-separated; an empty entry takes names from
// the pin table's roles instead (the GAL programs have no fixed pin meanings).
constexpr std::array<std::string_view, sim::kIcTypeCount> kNames = {
    // 8251
    "D2 D3 RxD GND D4 D5 D6 D7 /TxC /WR /CS C/D /RD RxRDY TxRDY SYNDET /CTS TxE TxD CLK RESET /DSR /RTS /DTR /RxC "
    "VCC D0 D1",
    // 2732
    "A7 A6 A5 A4 A3 A2 A1 A0 O0 O1 O2 GND O3 O4 O5 O6 O7 /CE A10 /OE A11 A9 A8 VCC",
    // 6116
    "A7 A6 A5 A4 A3 A2 A1 A0 D0 D1 D2 GND D3 D4 D5 D6 D7 /CS A10 /OE /WE A9 A8 VCC",
    // AM2901
    "A3 A2 A1 A0 I6 I8 I7 RAM3 RAM0 VCC F=0 I0 I1 I2 CP Q3 B0 B1 B2 B3 Q0 D3 D2 D1 D0 I3 I5 I4 Cn GND F3 /G Cn+4 "
    "OVR /P Y0 Y1 Y2 Y3 /OE",
    // AM2910
    "Y4 D4 Y5 D5 /VECT /PL /MAP I3 I2 VCC I1 I0 /CCEN /CC /RLD /FULL D6 Y6 D7 Y7 D8 Y8 D9 Y9 D10 Y10 D11 Y11 /OE GND "
    "CP CI Y0 D0 Y1 D1 Y2 D2 Y3 D3",
    "", "", "", "",  // GAL20V8_1..4
    // 74LS00
    "1A 1B 1Y 2A 2B 2Y GND 3Y 3A 3B 4Y 4A 4B VCC",
    // 74LS04
    "1A 1Y 2A 2Y 3A 3Y GND 4Y 4A 5Y 5A 6Y 6A VCC",
    // 74LS08
    "1A 1B 1Y 2A 2B 2Y GND 3Y 3A 3B 4Y 4A 4B VCC",
    // 74LS125
    "/1G 1A 1Y /2G 2A 2Y GND 3Y 3A /3G 4Y 4A /4G VCC",
    // 74LS138
    "A B C /G2A /G2B G1 Y7 GND Y6 Y5 Y4 Y3 Y2 Y1 Y0 VCC",
    // 74LS139
    "/1G 1A 1B 1Y0 1Y1 1Y2 1Y3 GND 2Y3 2Y2 2Y1 2Y0 2B 2A /2G VCC",
    // 74LS14
    "1A 1Y 2A 2Y 3A 3Y GND 4Y 4A 5Y 5A 6Y 6A VCC",
    // 74LS244
    "/1G 1A1 2Y4 1A2 2Y3 1A3 2Y2 1A4 2Y1 GND 2A1 1Y4 2A2 1Y3 2A3 1Y2 2A4 1Y1 /2G VCC",
    // 74LS245
    "DIR A1 A2 A3 A4 A5 A6 A7 A8 GND B8 B7 B6 B5 B4 B3 B2 B1 /G VCC",
    // 74LS257
    "SEL 1A 1B 1Y 2A 2B 2Y GND 3Y 3B 3A 4Y 4B 4A /G VCC",
    // 74LS273
    "/CLR Q0 D0 D1 Q1 Q2 D2 D3 Q3 GND CLK Q4 D4 D5 Q5 Q6 D6 D7 Q7 VCC",
    // 74LS32
    "1A 1B 1Y 2A 2B 2Y GND 3Y 3A 3B 4Y 4A 4B VCC",
    // 74LS374
    "/OE Q0 D0 D1 Q1 Q2 D2 D3 Q3 GND CLK Q4 D4 D5 Q5 Q6 D6 D7 Q7 VCC",
    // 74LS377
    "/G Q0 D0 D1 Q1 Q2 D2 D3 Q3 GND CLK Q4 D4 D5 Q5 Q6 D6 D7 Q7 VCC",
};

std::string roleName(const sim::PinTable& t, int32_t pin, int32_t type) {
    const int32_t role = t.roles[static_cast<std::size_t>(pin)];
    switch (t.kinds[static_cast<std::size_t>(pin)]) {
        case sim::PinKind::Vcc: return "VCC";
        case sim::PinKind::Gnd: return "GND";
        default: break;
    }
    if (role == sim::kNoRole) return "NC";
    if (sim::isInputRole(role)) {
        // The registered programs read their clock as input 0.
        const bool clocked = type == static_cast<int32_t>(sim::IcType::Gal20V8_1) ||
                             type == static_cast<int32_t>(sim::IcType::Gal20V8_2);
        return role == 0 && clocked ? "CLK" : "I" + std::to_string(role);
    }
    if (sim::isOutputRole(role)) return "O" + std::to_string(role - sim::kOutputRoleBase);
    return "IO" + std::to_string(role - sim::kBidirRoleBase);
}

}  // namespace

std::vector<std::string> icPinNames(int32_t type) {
    if (!sim::isIcType(type)) return {};
    const sim::PinTable& t = sim::pinTable(type);
    std::vector<std::string> names(1);
    std::istringstream in{std::string(kNames[static_cast<std::size_t>(type)])};
    for (std::string name; in >> name;) names.push_back(name);
    if (names.size() == 1) {
        for (int32_t pin = 1; pin <= t.pinCount; ++pin) names.push_back(roleName(t, pin, type));
    }
    return names;
}

}  // namespace schgen
