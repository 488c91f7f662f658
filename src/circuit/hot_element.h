#pragma once
// What the views' hot elements stand for, and the tooltip a view shows over
// one: "Signal :12 :A0 :1" over a signal, "Ic :5 :U6 :74LS374 :Reg_(Q=3F)"
// over an IC. Levels and register contents show only while no continuous run
// is going on; a run changes them faster than a tooltip could follow.

#include <QString>

#include <cstdint>

namespace sim {
class Simulator;
struct IcRecord;
}

namespace circuit {

struct HotElement {
    enum class Kind { None, Signal, Ic };
    Kind kind = Kind::None;
    int32_t number = -1;  // the global signal or IC number
};

// A view's hot-element id: -1 nothing; an IC when any of the bits 16..19 or
// 31 is set; the number is in the low 16 bits.
HotElement decodeHotElement(int32_t value);

// " :Reg_(...)" of an IC with registers; empty for any other type, memories included.
QString registerPart(const sim::IcRecord& ic);

// The tooltip over `value`; levels and registers only when `showValues`
// (StopFlag -1). Empty for nothing, and for a number outside the tables.
QString hotElementText(const sim::Simulator& simulator, int32_t value, bool showValues);

}  // namespace circuit
