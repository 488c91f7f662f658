#include "schematic/circuit_build.h"

namespace schematic {

bool CircuitIc::lists(int32_t pinNumber) const {
    for (const ListedPin& pin : pins) {
        if (pin.pinNumber == pinNumber) return true;
    }
    return false;
}

CircuitIc makeCircuitIc(int32_t type, std::string designator) {
    const sim::PinTable& table = sim::pinTable(type);
    CircuitIc ic;
    ic.type = type;
    ic.designator = std::move(designator);
    ic.pinCount = table.pinCount;
    ic.inputCount = table.inputCount;
    ic.outputCount = table.outputCount;
    ic.bidirCount = table.bidirCount;
    ic.pinRoles.assign(table.roles.begin(), table.roles.begin() + table.pinCount + 1);
    ic.pinKinds.assign(table.kinds.begin(), table.kinds.begin() + table.pinCount + 1);
    return ic;
}

bool CircuitBuild::isLiveNet(int32_t net) const {
    if (net < 0 || net >= static_cast<int32_t>(circuitNets.size())) return false;
    return circuitNets[static_cast<std::size_t>(net)].live() && !isSupplyNet(net);
}

}  // namespace schematic
