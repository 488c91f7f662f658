#pragma once
// Helpers for the model tests: a chip with a net of its own on every role, a
// 74LS244 standing in for a second driver on a group of nets (so the nets keep
// drivers and "Z" can be seen), multi-bit values on groups of nets (first net the
// top bit, as the models read them), and one settle through the spare net.

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/circuit_fixture.h"
#include "sim/simulator.h"

namespace simtest {

// Nets of a chip by role.
struct Chip {
    int ic = -1;
    std::vector<int> in, out, bi;

    // Nets of roles first..first+width-1 of one kind.
    static std::vector<int> slice(const std::vector<int>& nets, int first, int width) {
        return std::vector<int>(nets.begin() + first, nets.begin() + first + width);
    }
};

// A chip whose every role gets a fresh net, unless `shared` already names one
// (keyed by kind letter and role: "i3", "o0", "b2").
inline Chip addChip(CircuitFixture& fx, sim::IcType type, const std::string& name,
                    const std::vector<std::pair<std::string, int>>& shared = {}) {
    Chip chip;
    chip.ic = fx.ic(type, name);
    const sim::PinTable& table = sim::pinTable(type);
    auto netFor = [&](char kind, int role) {
        const std::string key = std::string(1, kind) + std::to_string(role);
        for (const auto& [k, net] : shared) {
            if (k == key) return net;
        }
        return fx.net(name + "." + key);
    };
    for (int k = 0; k < table.inputCount; ++k) {
        chip.in.push_back(netFor('i', k));
        fx.in(chip.ic, k, chip.in.back());
    }
    for (int k = 0; k < table.outputCount; ++k) {
        chip.out.push_back(netFor('o', k));
        fx.out(chip.ic, k, chip.out.back());
    }
    for (int k = 0; k < table.bidirCount; ++k) {
        chip.bi.push_back(netFor('b', k));
        fx.bidir(chip.ic, k, chip.bi.back());
    }
    return chip;
}

// A 74LS244 whose outputs go onto up to eight nets, enabled by one net (low =
// driving) and fed from its own data nets, data[k] feeding nets[k].
struct SecondDriver {
    int ic = -1;
    int enable = -1;
    std::vector<int> data;
};

inline SecondDriver addSecondDriver(CircuitFixture& fx, const std::vector<int>& nets, const std::string& name) {
    SecondDriver d;
    d.ic = fx.ic(sim::IcType::Ls244, name);
    d.enable = fx.net(name + ".G");
    fx.in(d.ic, 0, d.enable).in(d.ic, 1, d.enable);
    for (int k = 0; k < static_cast<int>(nets.size()); ++k) {
        d.data.push_back(fx.net());
        // Output roles 0..3 follow inputs 6..9, roles 4..7 inputs 2..5.
        fx.in(d.ic, k < 4 ? 6 + k : 2 + (k - 4), d.data.back());
        fx.out(d.ic, k, nets[k]);
    }
    return d;
}

// Writes values straight into nets (before build's first settle, or between settles).
inline void preset(sim::Simulator& sim, std::initializer_list<std::pair<int, int>> values) {
    for (auto [net, value] : values) sim.NetTable[net].Value = value;
}

// Sets nets as an outside source would and settles once.
inline void apply(sim::Simulator& sim, std::initializer_list<std::pair<int, int>> values) {
    for (auto [net, value] : values) sim.SetNetValue(value, net);
    sim.ToggleNetAndSettle(0, sim::kSpareNet);
}

// A value on a group of nets, nets[0] the top bit; not settled.
inline void setValue(sim::Simulator& sim, const std::vector<int>& nets, int value) {
    const int width = static_cast<int>(nets.size());
    for (int k = 0; k < width; ++k) sim.SetNetValue((value >> (width - 1 - k)) & 1, nets[k]);
}

inline void settle(sim::Simulator& sim) { sim.ToggleNetAndSettle(0, sim::kSpareNet); }

// Evaluates one IC again although none of its inputs changed.
inline void reevaluate(sim::Simulator& sim, CircuitFixture& fx, int ic) {
    sim.schedule(fx.ownRecord(ic));
    settle(sim);
}

inline int valueOf(const sim::Simulator& sim, const std::vector<int>& nets) {
    int value = 0;
    for (int net : nets) value = (value << 1) | sim.NetTable[net].Value;
    return value;
}

// "0"/"1"/"Z" per net, in the order given.
inline std::string levels(const sim::Simulator& sim, const std::vector<int>& nets) {
    std::string s;
    for (int net : nets) s += level(sim, net);
    return s;
}

inline std::string bits(int value, int width) {
    std::string s;
    for (int k = width - 1; k >= 0; --k) s += ((value >> k) & 1) ? '1' : '0';
    return s;
}

}  // namespace simtest
