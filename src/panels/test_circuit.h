#pragma once
// The six-chip circuit the IC test panels drive: one chip of each tested kind,
// every signal pin on a net of its own, entered straight into a Simulator that
// belongs to the panels alone.
//
// Numbering: ICs 0..5 are the 74LS00, 74LS138, 74LS244, 74LS374, 6116 and 2732;
// nets 0, 1 and 2 are GND, VCC and the spare NC net; from net 3 on each chip's
// nets follow its model's roles, inputs first, then outputs, then bidirectional
// pins; fanout record k (1..6) lists IC k - 1 alone and is what its input nets
// queue. The panels' tables of box and label nets rely on exactly these numbers.

#include <cstdint>
#include <memory>

#include "sim/ic_type.h"

namespace sim {
class Simulator;
}

namespace panels {

inline constexpr int32_t kLs00Ic = 0;
inline constexpr int32_t kLs138Ic = 1;
inline constexpr int32_t kLs244Ic = 2;
inline constexpr int32_t kLs374Ic = 3;
inline constexpr int32_t kRamIc = 4;
inline constexpr int32_t kRomIc = 5;
inline constexpr int32_t kTestIcCount = 6;

inline constexpr sim::IcType kTestIcTypes[kTestIcCount] = {
    sim::IcType::Ls00, sim::IcType::Ls138, sim::IcType::Ls244,
    sim::IcType::Ls374, sim::IcType::Ram6116, sim::IcType::Eprom2732,
};

// The record that evaluates test IC `ic` alone.
constexpr int32_t recordOf(int32_t ic) { return ic + 1; }

inline constexpr int32_t kFirstChipNet = 3;
inline constexpr int32_t kLastTestNet = 108;

// Enters the test circuit into a simulator that holds nothing yet, with the start
// values a registered circuit gets: records not queued, ICs idle in their start
// state, nets undriven. Nets that a three-state output or a data pin drives keep
// driver bookkeeping (two possible drivers), so that a released pin shows as
// undriven; the 6116's data nets name its per-driver record.
void buildTestCircuit(sim::Simulator& simulator);

// Owns the panels' simulator and builds the test circuit into it at once. One
// instance serves all six panels; nothing else ever settles it.
class PanelCircuit {
public:
    PanelCircuit();
    ~PanelCircuit();
    PanelCircuit(const PanelCircuit&) = delete;
    PanelCircuit& operator=(const PanelCircuit&) = delete;

    sim::Simulator& simulator() { return *simulator_; }
    const sim::Simulator& simulator() const { return *simulator_; }

private:
    std::unique_ptr<sim::Simulator> simulator_;
};

}  // namespace panels
