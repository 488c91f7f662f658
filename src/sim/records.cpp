#include "sim/records.h"

namespace sim {

void setStartValues(IcRecord& ic) {
    ic.Unscheduled = -1;
    switch (static_cast<IcType>(ic.Type)) {
    case IcType::Usart8251:
        ic.Memory.assign(kUsartBufferSize, 0);
        ic.TxLast = -1;
        ic.Status = 1;
        ic.StatusShown = kByteNotShown;
        ic.RxShown = kByteNotShown;
        break;
    case IcType::Eprom2732:
        ic.Memory.assign(kEpromSize, 0);
        ic.DataShown = kByteNotShown;
        break;
    case IcType::Ram6116:
        ic.Memory.assign(kRamSize, 0);
        ic.DataShown = kByteNotShown;
        break;
    case IcType::Am2901:
        ic.Registers.fill(0);
        ic.YShown = kNibbleNotShown;
        break;
    case IcType::Am2910:
        ic.Stack.fill(0);
        ic.StackPointer = 0;
        ic.AddressShown = kAddressNotShown;
        break;
    case IcType::Ls374:
        ic.QShown = kByteNotShown;
        break;
    default:
        break;
    }
}

}  // namespace sim
