#include "circuit/table_names.h"

#include "sim/simulator.h"

namespace circuit {

QString netName(const sim::Simulator& simulator, int32_t net) {
    return sim::Simulator::isNet(net) ? QString::fromStdString(simulator.NetTable[static_cast<std::size_t>(net)].Name)
                                      : QString();
}

QString icDesignator(const sim::Simulator& simulator, int32_t ic) {
    return sim::Simulator::isIc(ic) ? QString::fromStdString(simulator.IcDesignators[static_cast<std::size_t>(ic)])
                                    : QString();
}

QString icTypeText(int32_t type) { return QString::fromUtf8(sim::icTypeName(type)); }

}  // namespace circuit
