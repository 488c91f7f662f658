#include "schematic/circuit_build.h"

#include <gtest/gtest.h>

#include <set>

namespace schematic {
namespace {

using sim::PinKind;

// A new IC carries its type's row: the counts, and for every pin 1..count one
// kind and one role, the roles of each range running 0..count-1 without gaps.
TEST(CircuitIc, EveryTypeGetsItsPinRow) {
    struct Row { int pins, in, out, bidir; } rows[sim::kIcTypeCount] = {
        {28, 4, 0, 8},  {24, 14, 8, 0}, {24, 14, 0, 8}, {40, 24, 10, 4}, {40, 22, 16, 0}, {24, 15, 4, 0},
        {24, 17, 1, 0}, {24, 12, 3, 4}, {24, 4, 2, 0},  {14, 8, 4, 0},   {14, 6, 6, 0},   {14, 8, 4, 0},
        {14, 8, 4, 0},  {16, 6, 8, 0},  {16, 6, 8, 0},  {14, 6, 6, 0},   {20, 10, 8, 0},  {20, 2, 0, 16},
        {16, 10, 4, 0}, {20, 10, 8, 0}, {14, 8, 4, 0},  {20, 10, 8, 0},  {20, 10, 8, 0},
    };
    for (int32_t type = 0; type < sim::kIcTypeCount; ++type) {
        SCOPED_TRACE(std::string(sim::IcTypeNames[type]));
        const CircuitIc ic = makeCircuitIc(type, "U9");
        const Row& r = rows[type];
        EXPECT_EQ(ic.type, type);
        EXPECT_EQ(ic.designator, "U9");
        EXPECT_EQ(ic.pinCount, r.pins);
        EXPECT_EQ(ic.inputCount, r.in);
        EXPECT_EQ(ic.outputCount, r.out);
        EXPECT_EQ(ic.bidirCount, r.bidir);
        ASSERT_EQ(ic.pinRoles.size(), std::size_t(r.pins + 1));
        ASSERT_EQ(ic.pinKinds.size(), std::size_t(r.pins + 1));
        EXPECT_EQ(ic.pinRoles[0], 0);
        EXPECT_EQ(ic.pinKinds[0], PinKind::Input);
        EXPECT_TRUE(ic.pins.empty());

        std::set<int32_t> in, out, bidir;
        for (int pin = 1; pin <= r.pins; ++pin) {
            const int32_t role = ic.pinRoles[pin];
            const PinKind kind = ic.pinKinds[pin];
            if (sim::isInputRole(role)) {
                EXPECT_TRUE(in.insert(role).second) << pin;
                EXPECT_EQ(kind, PinKind::Input) << pin;
            } else if (sim::isOutputRole(role)) {
                EXPECT_TRUE(out.insert(role - sim::kOutputRoleBase).second) << pin;
                EXPECT_TRUE(kind == PinKind::Output || kind == PinKind::OpenCollector) << pin;
            } else if (sim::isBidirRole(role)) {
                EXPECT_TRUE(bidir.insert(role - sim::kBidirRoleBase).second) << pin;
                EXPECT_EQ(kind, PinKind::Bidirectional) << pin;
            } else {
                EXPECT_EQ(role, sim::kNoRole) << pin;
            }
        }
        auto range = [](int count) {
            std::set<int32_t> s;
            for (int k = 0; k < count; ++k) s.insert(k);
            return s;
        };
        EXPECT_EQ(in, range(r.in));
        EXPECT_EQ(out, range(r.out));
        EXPECT_EQ(bidir, range(r.bidir));
    }
}

TEST(CircuitIc, SpotChecksAndSharedRows) {
    const CircuitIc usart = makeCircuitIc(0, "U1");
    EXPECT_EQ(usart.pinRoles[10], 0);
    EXPECT_EQ(usart.pinRoles[13], 3);
    EXPECT_EQ(usart.pinRoles[8], 20000);
    EXPECT_EQ(usart.pinRoles[27], 20007);
    for (int pin : {17, 20, 21, 22}) {
        EXPECT_EQ(usart.pinKinds[pin], PinKind::Input) << pin;
        EXPECT_EQ(usart.pinRoles[pin], 70000) << pin;
    }
    for (int pin : {23, 24}) {
        EXPECT_EQ(usart.pinKinds[pin], PinKind::Output) << pin;
        EXPECT_EQ(usart.pinRoles[pin], 70000) << pin;
    }
    for (int pin : {3, 9, 14, 15, 16, 18, 19, 25}) EXPECT_EQ(usart.pinKinds[pin], PinKind::NotSimulated) << pin;
    EXPECT_EQ(usart.pinKinds[26], PinKind::Vcc);
    EXPECT_EQ(usart.pinKinds[4], PinKind::Gnd);

    const CircuitIc alu = makeCircuitIc(3, "U2");
    EXPECT_EQ(alu.pinKinds[11], PinKind::OpenCollector);
    EXPECT_EQ(alu.pinRoles[11], 10000);
    // The B address pins are inputs 11..14 in the order 20, 19, 18, 17.
    EXPECT_EQ(alu.pinRoles[20], 11);
    EXPECT_EQ(alu.pinRoles[17], 14);

    const CircuitIc ram = makeCircuitIc(2, "U3");
    const int data[] = {17, 16, 15, 14, 13, 11, 10, 9};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(ram.pinRoles[data[k]], 20000 + k) << data[k];

    for (auto group : {std::vector<int32_t>{9, 11, 20}, {10, 15}, {19, 21, 22}}) {
        const CircuitIc first = makeCircuitIc(group[0], "");
        for (int32_t type : group) {
            const CircuitIc other = makeCircuitIc(type, "");
            EXPECT_EQ(other.pinRoles, first.pinRoles) << type;
            EXPECT_EQ(other.pinKinds, first.pinKinds) << type;
        }
    }
}

}  // namespace
}  // namespace schematic
