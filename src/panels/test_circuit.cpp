#include "panels/test_circuit.h"

#include "sim/pin_table.h"
#include "sim/simulator.h"

namespace panels {
namespace {

// Pins that can let go of their net: the kernel tracks drivers only on nets
// that more than one pin can drive, so these nets are given two.
bool hasThreeStateOutputs(sim::IcType type) {
    return type == sim::IcType::Ls244 || type == sim::IcType::Ls374 || type == sim::IcType::Eprom2732 ||
           type == sim::IcType::Ram6116;
}

sim::NetRecord& enterNet(sim::Simulator& s, int32_t number, int32_t value) {
    sim::NetRecord& n = s.NetTable[static_cast<std::size_t>(number)];
    n = sim::NetRecord{};
    n.Number = number;
    n.Value = value;
    n.ActiveDrivers = -1;
    return n;
}

void withDriverBookkeeping(sim::NetRecord& n) {
    n.DriverCount = 2;
    n.DriverPairs.assign(4, 0);
}

}  // namespace

void buildTestCircuit(sim::Simulator& s) {
    enterNet(s, 0, 0);  // GND
    enterNet(s, 1, 1);  // VCC
    enterNet(s, sim::kSpareNet, 0);

    int32_t net = kFirstChipNet;
    for (int32_t ic = 0; ic < kTestIcCount; ++ic) {
        const sim::IcType type = kTestIcTypes[ic];
        const sim::PinTable& pins = sim::pinTable(type);
        const int32_t record = recordOf(ic);

        sim::IcRecord& chip = s.IcTable[static_cast<std::size_t>(ic)];
        chip = sim::IcRecord{};
        chip.Number = ic;
        chip.Type = static_cast<int32_t>(type);
        chip.InputCount = pins.inputCount;
        chip.OutputCount = pins.outputCount;
        chip.BidirCount = pins.bidirCount;

        for (int32_t k = 0; k < pins.inputCount; ++k) {
            enterNet(s, net, 0).Fanout = record;
            chip.InputNets[static_cast<std::size_t>(k)] = net++;
        }
        for (int32_t k = 0; k < pins.outputCount; ++k) {
            sim::NetRecord& n = enterNet(s, net, 0);
            if (hasThreeStateOutputs(type)) withDriverBookkeeping(n);
            else n.DriverCount = 1;
            chip.OutputNets[static_cast<std::size_t>(k)] = net++;
        }
        for (int32_t k = 0; k < pins.bidirCount; ++k) {
            sim::NetRecord& n = enterNet(s, net, 0);
            withDriverBookkeeping(n);
            // Nothing else reads the pin, so the chip's own changes queue the
            // empty list, record 0.
            n.DriverFanout.assign(static_cast<std::size_t>(ic) + 1, -1);
            n.DriverFanout[static_cast<std::size_t>(ic)] = 0;
            chip.BidirNets[static_cast<std::size_t>(k)] = net++;
        }
        sim::setStartValues(chip);

        sim::FanoutRecord& f = s.FanoutTable[static_cast<std::size_t>(record)];
        f.Unqueued = -1;
        f.Number = record;
        f.IcCount = 1;
        f.Ics = {ic};
    }

    s.LastIcNumber = kTestIcCount - 1;
    s.LastSignalNumber = net - 1;
    s.LastFanoutNumber = recordOf(kTestIcCount - 1);
}

PanelCircuit::PanelCircuit() : simulator_(std::make_unique<sim::Simulator>()) { buildTestCircuit(*simulator_); }

PanelCircuit::~PanelCircuit() = default;

}  // namespace panels
