#include "sheet_checks.h"

#include <map>

#include "schgen/ic_pin_names.h"
#include "sim/ic_type.h"

namespace labtest {
namespace {

using schematic::CircuitBuild;
using schematic::CircuitIc;
using sim::IcType;
using sim::PinKind;

// Outputs with an enable that can release them, by package pin; every other
// output of these types, and every output of the other types, always drives.
const std::map<IcType, std::set<int32_t>> kThreeStateOutputs = {
    {IcType::Eprom2732, {9, 10, 11, 13, 14, 15, 16, 17}},
    {IcType::Am2901, {36, 37, 38, 39}},                                  // Y0..Y3
    {IcType::Am2910, {1, 3, 18, 20, 22, 24, 26, 28, 33, 35, 37, 39}},   // Y0..Y11
    {IcType::Ls125, {3, 6, 8, 11}},
    {IcType::Ls244, {3, 5, 7, 9, 12, 14, 16, 18}},
    {IcType::Ls257, {4, 7, 9, 12}},
    {IcType::Ls374, {2, 5, 6, 9, 12, 15, 16, 19}},
};

// Clock and reset inputs of the sequential parts, by package pin.
const std::map<IcType, std::set<int32_t>> kClocksAndResets = {
    {IcType::Usart8251, {20, 21}},  // CLK, RESET
    {IcType::Am2901, {15}},         // CP
    {IcType::Am2910, {31}},         // CP
    {IcType::Gal20V8_1, {1}},       // CLK
    {IcType::Gal20V8_2, {1}},
    {IcType::Ls273, {1, 11}},       // /CLR, CLK
    {IcType::Ls374, {11}},
    {IcType::Ls377, {11}},
};

std::string pinText(const CircuitIc& ic, int32_t pin) {
    const std::vector<std::string> names = schgen::icPinNames(ic.type);
    return ic.designator + "." + std::to_string(pin) + " (" + names[static_cast<std::size_t>(pin)] + ")";
}

const schematic::NetNameGroup* nameGroup(const CircuitBuild& build, int32_t net) {
    const int32_t g = build.circuitNets[static_cast<std::size_t>(net)].nameGroup;
    return g < 0 ? nullptr : &build.netNameGroups[static_cast<std::size_t>(g)];
}

std::string netName(const CircuitBuild& build, int32_t net) {
    const schematic::NetNameGroup* g = nameGroup(build, net);
    std::string out;
    if (g)
        for (const std::string& n : g->names) out += (out.empty() ? "" : ";") + n;
    return out.empty() ? "net " + std::to_string(net) : out;
}

bool alwaysDrives(const CircuitIc& ic, int32_t pin) {
    if (ic.kindOf(pin) != PinKind::Output) return false;
    const auto t = kThreeStateOutputs.find(static_cast<IcType>(ic.type));
    return t == kThreeStateOutputs.end() || !t->second.count(pin);
}

}  // namespace

std::vector<std::string> netsWithSeveralNames(const CircuitBuild& build, const std::set<std::set<std::string>>& deliberate) {
    std::vector<std::string> out;
    for (const schematic::NetNameGroup& g : build.netNameGroups) {
        // Groups without label points carry the builder's own names.
        if (g.merged != 0 || g.labelPoints.empty() || g.names.size() < 2) continue;
        if (deliberate.count(std::set<std::string>(g.names.begin(), g.names.end()))) continue;
        std::string names;
        for (const std::string& n : g.names) names += (names.empty() ? "" : ", ") + n;
        out.push_back("one net carries the labels " + names);
    }
    return out;
}

std::vector<std::string> fightingOutputs(const CircuitBuild& build) {
    std::vector<std::string> out;
    for (std::size_t n = 0; n < build.circuitNets.size(); ++n) {
        const auto net = static_cast<int32_t>(n);
        if (!build.circuitNets[n].live() || net == build.ncNet) continue;
        std::vector<std::string> drivers;
        bool fixed = false;
        for (int32_t i : build.circuitNets[n].ics) {
            const CircuitIc& ic = build.circuitIcs[static_cast<std::size_t>(i)];
            for (const schematic::ListedPin& pin : ic.pins) {
                const PinKind kind = ic.kindOf(pin.pinNumber);
                if (pin.net != net || (kind != PinKind::Output && kind != PinKind::OpenCollector && kind != PinKind::Bidirectional))
                    continue;
                fixed = fixed || alwaysDrives(ic, pin.pinNumber);
                drivers.push_back(pinText(ic, pin.pinNumber));
            }
        }
        if (!fixed || drivers.size() < 2) continue;
        std::string pins;
        for (const std::string& d : drivers) pins += (pins.empty() ? "" : ", ") + d;
        out.push_back(netName(build, net) + " is driven by " + pins);
    }
    return out;
}

std::vector<std::string> unnamedClocksAndResets(const CircuitBuild& build) {
    std::vector<std::string> out;
    for (const CircuitIc& ic : build.circuitIcs) {
        const auto clocked = kClocksAndResets.find(static_cast<IcType>(ic.type));
        if (clocked == kClocksAndResets.end()) continue;
        for (const schematic::ListedPin& pin : ic.pins) {
            if (!clocked->second.count(pin.pinNumber)) continue;
            const schematic::NetNameGroup* g = pin.net < 0 ? nullptr : nameGroup(build, pin.net);
            if (pin.net >= 0 && build.isSupplyNet(pin.net))
                out.push_back(pinText(ic, pin.pinNumber) + " is on the supply net " + netName(build, pin.net));
            else if (!g || g->labelPoints.empty())
                out.push_back(pinText(ic, pin.pinNumber) + " is on no named net");
        }
    }
    return out;
}

std::vector<std::string> unpoweredChips(const CircuitBuild& build) {
    std::vector<std::string> out;
    for (const CircuitIc& ic : build.circuitIcs) {
        for (const schematic::ListedPin& pin : ic.pins) {
            const PinKind kind = ic.kindOf(pin.pinNumber);
            if ((kind != PinKind::Vcc && kind != PinKind::Gnd) || !pin.hasEnd) continue;
            const int32_t supply = kind == PinKind::Vcc ? build.vccNet : build.gndNet;
            if (pin.net == supply) continue;
            out.push_back(pinText(ic, pin.pinNumber) + (pin.net < 0 ? " is on no net" : " is on " + netName(build, pin.net)));
        }
    }
    return out;
}

}  // namespace labtest
