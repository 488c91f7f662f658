#include "sim/pin_table.h"

#include <initializer_list>

namespace sim {
namespace {

using Pins = std::initializer_list<int>;

struct Row {
    int pins;
    Pins inputs, outputs, openCollector, bidirs, vcc, gnd, ignoredInputs, ignoredOutputs, notSimulated;
};

constexpr void place(PinTable& t, Pins pins, PinKind kind, int32_t firstRole, bool counted) {
    int32_t role = firstRole;
    for (int pin : pins) {
        t.kinds[pin] = kind;
        t.roles[pin] = counted ? role++ : kNoRole;
    }
}

constexpr bool contains(Pins pins, int pin) {
    for (int p : pins) {
        if (p == pin) return true;
    }
    return false;
}

constexpr PinTable make(const Row& r) {
    PinTable t;
    t.pinCount = r.pins;
    t.inputCount = static_cast<int32_t>(r.inputs.size());
    t.outputCount = static_cast<int32_t>(r.outputs.size());
    t.bidirCount = static_cast<int32_t>(r.bidirs.size());
    place(t, r.inputs, PinKind::Input, 0, true);
    int32_t role = kOutputRoleBase;
    for (int pin : r.outputs) {
        t.kinds[pin] = contains(r.openCollector, pin) ? PinKind::OpenCollector : PinKind::Output;
        t.roles[pin] = role++;
    }
    place(t, r.bidirs, PinKind::Bidirectional, kBidirRoleBase, true);
    place(t, r.vcc, PinKind::Vcc, 0, false);
    place(t, r.gnd, PinKind::Gnd, 0, false);
    place(t, r.ignoredInputs, PinKind::Input, 0, false);
    place(t, r.ignoredOutputs, PinKind::Output, 0, false);
    place(t, r.notSimulated, PinKind::NotSimulated, 0, false);
    return t;
}

constexpr PinTable kGate2 = make({14, {1, 2, 4, 5, 9, 10, 12, 13}, {3, 6, 8, 11}, {}, {}, {14}, {7}, {}, {}, {}});
constexpr PinTable kInverter = make({14, {1, 3, 5, 9, 11, 13}, {2, 4, 6, 8, 10, 12}, {}, {}, {14}, {7}, {}, {}, {}});
constexpr PinTable kRegister =
    make({20, {1, 18, 17, 14, 13, 8, 7, 4, 3, 11}, {19, 16, 15, 12, 9, 6, 5, 2}, {}, {}, {20}, {10}, {}, {}, {}});

constexpr std::array<PinTable, kIcTypeCount> kTables = {
    // 8251
    make({28, {10, 11, 12, 13}, {}, {}, {8, 7, 6, 5, 2, 1, 28, 27}, {26}, {4}, {17, 20, 21, 22}, {23, 24},
          {3, 9, 14, 15, 16, 18, 19, 25}}),
    // 2732
    make({24, {21, 19, 22, 23, 1, 2, 3, 4, 5, 6, 7, 8, 18, 20}, {17, 16, 15, 14, 13, 11, 10, 9}, {}, {}, {24}, {12},
          {}, {}, {}}),
    // 6116
    make({24, {19, 22, 23, 1, 2, 3, 4, 5, 6, 7, 8, 18, 20, 21}, {}, {}, {17, 16, 15, 14, 13, 11, 10, 9}, {24}, {12},
          {}, {}, {}}),
    // AM2901
    make({40, {1, 2, 3, 4, 6, 7, 5, 14, 13, 12, 15, 20, 19, 18, 17, 22, 23, 24, 25, 27, 28, 26, 29, 40},
          {11, 31, 32, 33, 34, 35, 39, 38, 37, 36}, {11}, {8, 9, 16, 21}, {10}, {30}, {}, {}, {}}),
    // AM2910
    make({40, {27, 25, 23, 21, 19, 17, 4, 2, 40, 38, 36, 34, 8, 9, 11, 12, 13, 14, 15, 29, 31, 32},
          {28, 26, 24, 22, 20, 18, 3, 1, 39, 37, 35, 33, 5, 6, 7, 16}, {}, {}, {10}, {30}, {}, {}, {}}),
    // GAL20V8_1
    make({24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 21, 22, 23}, {17, 18, 19, 20}, {}, {}, {24}, {12}, {13}, {},
          {15, 16}}),
    // GAL20V8_2
    make({24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 16, 17, 18, 19, 23}, {15}, {}, {}, {24}, {12}, {13, 20, 21, 22},
          {}, {}}),
    // GAL20V8_3
    make({24, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 23}, {15, 16, 22}, {}, {17, 18, 19, 20}, {24}, {12}, {13}, {},
          {1, 21}}),
    // GAL20V8_4
    make({24, {1, 3, 13, 14}, {15, 16}, {}, {}, {24}, {12}, {2, 4, 5, 6, 7, 8, 9, 10, 11, 23}, {17, 18, 19, 20, 21, 22},
          {}}),
    kGate2,     // 74LS00
    kInverter,  // 74LS04
    kGate2,     // 74LS08
    // 74LS125
    make({14, {1, 4, 10, 13, 2, 5, 9, 12}, {3, 6, 8, 11}, {}, {}, {14}, {7}, {}, {}, {}}),
    // 74LS138
    make({16, {3, 2, 1, 4, 5, 6}, {7, 9, 10, 11, 12, 13, 14, 15}, {}, {}, {16}, {8}, {}, {}, {}}),
    // 74LS139
    make({16, {1, 2, 3, 15, 14, 13}, {7, 6, 5, 4, 9, 10, 11, 12}, {}, {}, {16}, {8}, {}, {}, {}}),
    kInverter,  // 74LS14
    // 74LS244
    make({20, {1, 19, 8, 6, 4, 2, 17, 15, 13, 11}, {3, 5, 7, 9, 12, 14, 16, 18}, {}, {}, {20}, {10}, {}, {}, {}}),
    // 74LS245
    make({20, {1, 19}, {}, {}, {9, 8, 7, 6, 5, 4, 3, 2, 11, 12, 13, 14, 15, 16, 17, 18}, {20}, {10}, {}, {}, {}}),
    // 74LS257
    make({16, {1, 14, 11, 5, 2, 13, 10, 6, 3, 15}, {12, 9, 7, 4}, {}, {}, {16}, {8}, {}, {}, {}}),
    kRegister,  // 74LS273
    kGate2,     // 74LS32
    kRegister,  // 74LS374
    kRegister,  // 74LS377
};

constexpr PinTable kEmpty{};

}  // namespace

const PinTable& pinTable(int32_t type) { return isIcType(type) ? kTables[type] : kEmpty; }

}  // namespace sim
