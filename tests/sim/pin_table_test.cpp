#include "sim/pin_table.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace sim;

namespace {

int pinOfRole(const PinTable& t, int32_t role) {
    for (int pin = 1; pin <= t.pinCount; ++pin) {
        if (t.roles[pin] == role) return pin;
    }
    return 0;
}

std::vector<int> pinsOfRange(const PinTable& t, int32_t base, int count) {
    std::vector<int> pins;
    for (int k = 0; k < count; ++k) pins.push_back(pinOfRole(t, base + k));
    return pins;
}

}  // namespace

TEST(IcTypes, NamesInTypeOrder) {
    EXPECT_EQ(IcTypeNames.size(), 24u);
    EXPECT_EQ(IcTypeNames[0], "8251");
    EXPECT_EQ(IcTypeNames[3], "AM2901");
    EXPECT_EQ(IcTypeNames[8], "GAL20V8_4");
    EXPECT_EQ(IcTypeNames[9], "74LS00");
    EXPECT_EQ(IcTypeNames[20], "74LS32");
    EXPECT_EQ(IcTypeNames[22], "74LS377");
    EXPECT_EQ(IcTypeNames[23], "");
    for (int32_t t = 0; t < kIcTypeCount; ++t) EXPECT_EQ(icTypeFromName(IcTypeNames[t]), t);
    EXPECT_EQ(icTypeFromName("74ls00"), -1);
    EXPECT_EQ(icTypeFromName(" 74LS00"), -1);
    EXPECT_EQ(icTypeFromName("74LS00A"), -1);
    EXPECT_EQ(icTypeFromName(""), -1);
    EXPECT_EQ(icTypeName(23), "");
    EXPECT_EQ(icTypeName(-1), "");
}

// Every pin has exactly one kind and one role, the role ranges have no gaps, and
// the number of pins of each kind matches the rows as the data sheet column lists them.
TEST(PinTables, CountsKindsAndRolesOfEveryType) {
    struct Row {
        int pins, in, out, bidir;
        // pins of kind input, output, bidirectional, open collector, VCC, GND, not simulated
        int kindIn, kindOut, kindBidir, kindOc, kindVcc, kindGnd, kindNs;
    };
    const Row rows[kIcTypeCount] = {
        {28, 4, 0, 8, 8, 2, 8, 0, 1, 1, 8},     // 8251
        {24, 14, 8, 0, 14, 8, 0, 0, 1, 1, 0},   // 2732
        {24, 14, 0, 8, 14, 0, 8, 0, 1, 1, 0},   // 6116
        {40, 24, 10, 4, 24, 9, 4, 1, 1, 1, 0},  // AM2901
        {40, 22, 16, 0, 22, 16, 0, 0, 1, 1, 0}, // AM2910
        {24, 15, 4, 0, 16, 4, 0, 0, 1, 1, 2},   // GAL20V8_1
        {24, 17, 1, 0, 21, 1, 0, 0, 1, 1, 0},   // GAL20V8_2
        {24, 12, 3, 4, 13, 3, 4, 0, 1, 1, 2},   // GAL20V8_3
        {24, 4, 2, 0, 14, 8, 0, 0, 1, 1, 0},    // GAL20V8_4
        {14, 8, 4, 0, 8, 4, 0, 0, 1, 1, 0},     // 74LS00
        {14, 6, 6, 0, 6, 6, 0, 0, 1, 1, 0},     // 74LS04
        {14, 8, 4, 0, 8, 4, 0, 0, 1, 1, 0},     // 74LS08
        {14, 8, 4, 0, 8, 4, 0, 0, 1, 1, 0},     // 74LS125
        {16, 6, 8, 0, 6, 8, 0, 0, 1, 1, 0},     // 74LS138
        {16, 6, 8, 0, 6, 8, 0, 0, 1, 1, 0},     // 74LS139
        {14, 6, 6, 0, 6, 6, 0, 0, 1, 1, 0},     // 74LS14
        {20, 10, 8, 0, 10, 8, 0, 0, 1, 1, 0},   // 74LS244
        {20, 2, 0, 16, 2, 0, 16, 0, 1, 1, 0},   // 74LS245
        {16, 10, 4, 0, 10, 4, 0, 0, 1, 1, 0},   // 74LS257
        {20, 10, 8, 0, 10, 8, 0, 0, 1, 1, 0},   // 74LS273
        {14, 8, 4, 0, 8, 4, 0, 0, 1, 1, 0},     // 74LS32
        {20, 10, 8, 0, 10, 8, 0, 0, 1, 1, 0},   // 74LS374
        {20, 10, 8, 0, 10, 8, 0, 0, 1, 1, 0},   // 74LS377
    };
    for (int32_t type = 0; type < kIcTypeCount; ++type) {
        SCOPED_TRACE(IcTypeNames[type].data());
        const PinTable& t = pinTable(type);
        const Row& r = rows[type];
        EXPECT_EQ(t.pinCount, r.pins);
        EXPECT_EQ(t.inputCount, r.in);
        EXPECT_EQ(t.outputCount, r.out);
        EXPECT_EQ(t.bidirCount, r.bidir);
        EXPECT_EQ(t.roles[0], 0);

        std::map<PinKind, int> kinds;
        std::map<int32_t, int> roleUses;
        for (int pin = 1; pin <= t.pinCount; ++pin) {
            ++kinds[t.kinds[pin]];
            const int32_t role = t.roles[pin];
            if (role != kNoRole) ++roleUses[role];
            // A role's range matches the pin's kind.
            if (isInputRole(role)) {
                EXPECT_EQ(t.kinds[pin], PinKind::Input) << "pin " << pin;
            }
            if (isOutputRole(role)) {
                EXPECT_TRUE(t.kinds[pin] == PinKind::Output || t.kinds[pin] == PinKind::OpenCollector) << "pin " << pin;
            }
            if (isBidirRole(role)) {
                EXPECT_EQ(t.kinds[pin], PinKind::Bidirectional) << "pin " << pin;
            }
            if (t.kinds[pin] == PinKind::Vcc || t.kinds[pin] == PinKind::Gnd || t.kinds[pin] == PinKind::NotSimulated) {
                EXPECT_EQ(role, kNoRole) << "pin " << pin;
            }
        }
        EXPECT_EQ(kinds[PinKind::Input], r.kindIn);
        EXPECT_EQ(kinds[PinKind::Output], r.kindOut);
        EXPECT_EQ(kinds[PinKind::Bidirectional], r.kindBidir);
        EXPECT_EQ(kinds[PinKind::OpenCollector], r.kindOc);
        EXPECT_EQ(kinds[PinKind::Vcc], r.kindVcc);
        EXPECT_EQ(kinds[PinKind::Gnd], r.kindGnd);
        EXPECT_EQ(kinds[PinKind::NotSimulated], r.kindNs);

        // Each range is 0..count-1, every role used by exactly one pin.
        EXPECT_EQ(static_cast<int>(roleUses.size()), r.in + r.out + r.bidir);
        for (int k = 0; k < r.in; ++k) EXPECT_EQ(roleUses[k], 1) << "input " << k;
        for (int k = 0; k < r.out; ++k) EXPECT_EQ(roleUses[kOutputRoleBase + k], 1) << "output " << k;
        for (int k = 0; k < r.bidir; ++k) EXPECT_EQ(roleUses[kBidirRoleBase + k], 1) << "bidir " << k;
    }
}

TEST(PinTables, RoleOrderAsTheModelsReadIt) {
    using V = std::vector<int>;
    const PinTable& usart = pinTable(IcType::Usart8251);
    EXPECT_EQ(pinsOfRange(usart, 0, 4), (V{10, 11, 12, 13}));
    EXPECT_EQ(pinsOfRange(usart, kBidirRoleBase, 8), (V{8, 7, 6, 5, 2, 1, 28, 27}));
    EXPECT_EQ(usart.kinds[17], PinKind::Input);
    EXPECT_EQ(usart.roles[17], kNoRole);
    EXPECT_EQ(usart.kinds[23], PinKind::Output);
    EXPECT_EQ(usart.roles[23], kNoRole);

    const PinTable& ram = pinTable(IcType::Ram6116);
    EXPECT_EQ(pinsOfRange(ram, kBidirRoleBase, 8), (V{17, 16, 15, 14, 13, 11, 10, 9}));

    const PinTable& alu = pinTable(IcType::Am2901);
    EXPECT_EQ(alu.roles[11], kOutputRoleBase);
    EXPECT_EQ(alu.kinds[11], PinKind::OpenCollector);
    EXPECT_EQ(alu.kinds[31], PinKind::Output);
    EXPECT_EQ(pinsOfRange(alu, kBidirRoleBase, 4), (V{8, 9, 16, 21}));

    EXPECT_EQ(pinsOfRange(pinTable(IcType::Ls138), 0, 6), (V{3, 2, 1, 4, 5, 6}));
    EXPECT_EQ(pinsOfRange(pinTable(IcType::Ls138), kOutputRoleBase, 8), (V{7, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(pinsOfRange(pinTable(IcType::Ls139), kOutputRoleBase, 8), (V{7, 6, 5, 4, 9, 10, 11, 12}));
    EXPECT_EQ(pinsOfRange(pinTable(IcType::Ls244), 0, 10), (V{1, 19, 8, 6, 4, 2, 17, 15, 13, 11}));
    EXPECT_EQ(pinsOfRange(pinTable(IcType::Ls245), kBidirRoleBase, 16),
              (V{9, 8, 7, 6, 5, 4, 3, 2, 11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(pinsOfRange(pinTable(IcType::Ls257), 0, 10), (V{1, 14, 11, 5, 2, 13, 10, 6, 3, 15}));
    EXPECT_EQ(pinsOfRange(pinTable(IcType::Ls374), 0, 10), (V{1, 18, 17, 14, 13, 8, 7, 4, 3, 11}));
    EXPECT_EQ(pinsOfRange(pinTable(IcType::Ls374), kOutputRoleBase, 8), (V{19, 16, 15, 12, 9, 6, 5, 2}));
    EXPECT_EQ(pinsOfRange(pinTable(IcType::Gal20V8_2), 0, 17),
              (V{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 16, 17, 18, 19, 23}));
    EXPECT_EQ(pinTable(IcType::Gal20V8_3).kinds[1], PinKind::NotSimulated);
    EXPECT_EQ(pinTable(IcType::Gal20V8_4).kinds[17], PinKind::Output);
    EXPECT_EQ(pinTable(IcType::Gal20V8_4).roles[17], kNoRole);
}

TEST(PinTables, TypesSharingAPinoutHaveIdenticalTables) {
    auto same = [](IcType a, IcType b) {
        const PinTable& x = pinTable(a);
        const PinTable& y = pinTable(b);
        return x.pinCount == y.pinCount && x.inputCount == y.inputCount && x.outputCount == y.outputCount &&
               x.bidirCount == y.bidirCount && x.roles == y.roles && x.kinds == y.kinds;
    };
    EXPECT_TRUE(same(IcType::Ls00, IcType::Ls08));
    EXPECT_TRUE(same(IcType::Ls00, IcType::Ls32));
    EXPECT_TRUE(same(IcType::Ls04, IcType::Ls14));
    EXPECT_TRUE(same(IcType::Ls273, IcType::Ls374));
    EXPECT_TRUE(same(IcType::Ls273, IcType::Ls377));
    EXPECT_EQ(pinTable(23).pinCount, 0);
    EXPECT_EQ(pinTable(-1).pinCount, 0);
}
