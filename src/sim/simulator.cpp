#include "sim/simulator.h"

#include <algorithm>

#include "sim/models.h"

namespace sim {

Simulator::Simulator()
    : NetEventQueue(kQueueCapacity + 1, 0),
      IcEvalList(kIcCount, 0),
      ConflictCandidates(kConflictCandidateCapacity, 0),
      ConflictRecords(kConflictRecordsInitialSize, 0),
      SignalChangedFlags(kNetCount, 0),
      IcDesignators(kIcCount) {}

void Simulator::ToggleNetAndSettle(int32_t count, int32_t net) {
    for (int64_t toggle = 0; toggle <= count; ++toggle) {
        if (isNet(net)) {
            NetRecord& n = NetTable[net];
            change(n, n.Value ^ 1, n.Fanout);
        }
        settle(net);
        conflictPass();
        NetRecord& spare = NetTable[kSpareNet];
        spare.Value = 0;
        spare.ActiveDrivers = -1;
    }
}

void Simulator::settle(int32_t toggledNet) {
    int32_t passes = 0;
    for (;;) {
        // Take the queue: every IC once per pass, in queue order, then list order.
        int32_t listed = -1;
        const int32_t queued = std::clamp(NetEventCount, 0, kQueueCapacity);
        for (int32_t q = 1; q <= queued; ++q) {
            const int32_t r = NetEventQueue[q];
            // Record 0 is the empty list; its flag stays "queued" so that nobody queues it.
            if (r == 0 || !isRecord(r)) continue;
            FanoutRecord& f = FanoutTable[r];
            f.Unqueued = -1;
            const int32_t count = std::min<int32_t>(f.IcCount, static_cast<int32_t>(f.Ics.size()));
            const int32_t* ics = f.Ics.data();
            for (int32_t k = 0; k < count; ++k) {
                const int32_t i = ics[k];
                if (!isIc(i)) continue;
                IcRecord& ic = IcTable[i];
                if (ic.Unscheduled != 0) {
                    ic.Unscheduled = 0;
                    IcEvalList[++listed] = i;
                }
            }
        }
        IcEvalCount = listed;
        NetEventCount = 0;
        ++counters_.settlePasses;

        // Records queued by the models from here on are taken by the next pass.
        for (int32_t e = 0; e <= listed; ++e) {
            IcRecord& ic = IcTable[IcEvalList[e]];
            ic.Unscheduled = -1;
            evaluate(ic);
        }
        counters_.icEvaluations += static_cast<uint64_t>(listed + 1);

        if (NetEventCount == 0) return;
        if (++passes >= passLimit) {
            report_.oscillation = true;
            report_.oscillationNet = toggledNet;
            ++report_.oscillationToggles;
            discardQueue();
            return;
        }
    }
}

void Simulator::evaluate(IcRecord& ic) {
    switch (static_cast<IcType>(ic.Type)) {
    case IcType::Usart8251: models::usart8251(*this, ic); break;
    case IcType::Eprom2732: models::eprom2732(*this, ic); break;
    case IcType::Ram6116: models::ram6116(*this, ic); break;
    case IcType::Am2901: models::am2901(*this, ic); break;
    case IcType::Am2910: models::am2910(*this, ic); break;
    case IcType::Gal20V8_1: models::gal20v8_1(*this, ic); break;
    case IcType::Gal20V8_2: models::gal20v8_2(*this, ic); break;
    case IcType::Gal20V8_3: models::gal20v8_3(*this, ic); break;
    case IcType::Gal20V8_4: models::gal20v8_4(*this, ic); break;
    case IcType::Ls00: models::ls00(*this, ic); break;
    case IcType::Ls04: models::ls04(*this, ic); break;
    case IcType::Ls08: models::ls08(*this, ic); break;
    case IcType::Ls125: models::ls125(*this, ic); break;
    case IcType::Ls138: models::ls138(*this, ic); break;
    case IcType::Ls139: models::ls139(*this, ic); break;
    case IcType::Ls14: models::ls04(*this, ic); break;
    case IcType::Ls244: models::ls244(*this, ic); break;
    case IcType::Ls245: models::ls245(*this, ic); break;
    case IcType::Ls257: models::ls257(*this, ic); break;
    case IcType::Ls273: models::ls273(*this, ic); break;
    case IcType::Ls32: models::ls32(*this, ic); break;
    case IcType::Ls374: models::ls374(*this, ic); break;
    case IcType::Ls377: models::ls377(*this, ic); break;
    default: break;  // no model
    }
}

void Simulator::conflictPass() {
    const int32_t last = std::min(ConflictCandidateCount, kConflictCandidateCapacity - 1);
    for (int32_t e = 0; e <= last; ++e) {
        if (ConflictEventCount >= kConflictEventLimit) break;
        const int32_t net = ConflictCandidates[e];
        if (!isNet(net)) continue;
        const NetRecord& n = NetTable[net];
        // Only drivers whose pairs exist can be written; the drive operations keep them so.
        const int32_t further =
            std::min<int32_t>(n.ActiveDrivers, static_cast<int32_t>(n.DriverPairs.size() / 2) - 1);
        if (further <= 0) continue;  // the conflict ended within the settle
        if (ConflictWriteIndex < 0) ConflictWriteIndex = 0;
        const std::size_t needed = static_cast<std::size_t>(ConflictWriteIndex) + 2 + static_cast<std::size_t>(further);
        if (ConflictRecords.size() <= needed) ConflictRecords.resize(needed + 1, 0);
        ConflictRecords[++ConflictWriteIndex] = net * 65536 + further;
        for (int32_t k = 0; k <= 2 * further; k += 2) {
            const int32_t value = k == 0 ? n.Value : n.DriverPairs[k + 1];
            ConflictRecords[++ConflictWriteIndex] = n.DriverPairs[k] * 65536 + value;
        }
        ++ConflictEventCount;
    }
    ConflictCandidateCount = -1;
}

void Simulator::addCandidate(int32_t net) {
    if (ConflictCandidateCount < -1) ConflictCandidateCount = -1;
    if (ConflictCandidateCount >= kConflictCandidateCapacity - 1) {
        ++report_.droppedCandidates;
        return;
    }
    ConflictCandidates[++ConflictCandidateCount] = net;
}

void Simulator::ensurePairs(NetRecord& n, std::size_t size) {
    // Pairs are sized for DriverCount drivers; a net with more distinct drivers
    // than that (an open-collector line also driven as a bus) gets room as needed.
    if (n.DriverPairs.size() < size) n.DriverPairs.resize(size, 0);
}

template <bool PerDriver>
void Simulator::driveFurther(NetRecord& n, int32_t net, int32_t value, int32_t driver) {
    std::vector<int32_t>& pairs = n.DriverPairs;
    const int32_t active = n.ActiveDrivers;
    ensurePairs(n, 2 * static_cast<std::size_t>(active) + 2);
    int32_t i = 2;
    while (i <= 2 * active && pairs[i] != driver) i += 2;
    if (i > 2 * active) {
        n.ActiveDrivers = active + 1;
        i = 2 * n.ActiveDrivers;
        ensurePairs(n, static_cast<std::size_t>(i) + 2);
        pairs[i] = driver;
    }
    pairs[i + 1] = value;
    if (ConflictEventCount < kConflictEventLimit) addCandidate(net);
}

template <bool PerDriver>
void Simulator::releaseAmongSeveral(NetRecord& n, int32_t driver) {
    std::vector<int32_t>& pairs = n.DriverPairs;
    ensurePairs(n, 2 * static_cast<std::size_t>(n.ActiveDrivers) + 2);
    int32_t i = 0;
    while (i <= 2 * n.ActiveDrivers && pairs[i] != driver) i += 2;
    if (i > 2 * n.ActiveDrivers) return;
    --n.ActiveDrivers;
    for (int32_t k = i; k <= 2 * n.ActiveDrivers; k += 2) {
        pairs[k] = pairs[k + 2];
        pairs[k + 1] = pairs[k + 3];
    }
    if (i != 0) return;  // a further driver left: no value changes
    // The first further driver is the new owner and the net takes its value.
    const int32_t value = pairs[1];
    if (n.Value != value) change(n, value, PerDriver ? driverRecord(n, pairs[0]) : n.Fanout);
}

template void Simulator::driveFurther<false>(NetRecord&, int32_t, int32_t, int32_t);
template void Simulator::driveFurther<true>(NetRecord&, int32_t, int32_t, int32_t);
template void Simulator::releaseAmongSeveral<false>(NetRecord&, int32_t);
template void Simulator::releaseAmongSeveral<true>(NetRecord&, int32_t);

void Simulator::DriveOpenCollector(int32_t level, int32_t driver, int32_t net) {
    if (!isNet(net)) return;
    NetRecord& n = NetTable[net];
    // Pairs 0 .. ActiveDrivers - 1 list every driver with its level (1 released,
    // 0 pulling low); a net that is not preset lists nobody and acts as a plain line.
    const int32_t listed = std::clamp<int32_t>(n.ActiveDrivers, 0, static_cast<int32_t>(n.DriverPairs.size() / 2));
    int32_t self = -1;
    for (int32_t k = 0; k < listed; ++k) {
        if (n.DriverPairs[2 * k] == driver) {
            self = k;
            break;
        }
    }
    if (level == 0) {
        if (self >= 0) n.DriverPairs[2 * self + 1] = 0;
        if (n.Value != 0) change(n, 0, n.Fanout);
        return;
    }
    // A release is always stored, also while the net is already 1 (after an outside
    // write): a stale 0 would otherwise hold the line low once it next falls.
    if (self >= 0) n.DriverPairs[2 * self + 1] = 1;
    if (n.Value != 0) return;
    for (int32_t k = 0; k < listed; ++k) {
        if (n.DriverPairs[2 * k + 1] != 1) return;
    }
    change(n, 1, n.Fanout);
}

void Simulator::WriteIcMemory(int32_t address, int32_t value, int32_t ic) {
    if (!isIc(ic)) return;
    std::vector<int32_t>& memory = IcTable[ic].Memory;
    if (static_cast<std::size_t>(address) < memory.size()) memory[address] = value;
}

int32_t Simulator::ReadIcMemory(int32_t address, int32_t ic) const {
    if (!isIc(ic)) return 0;
    const std::vector<int32_t>& memory = IcTable[ic].Memory;
    return static_cast<std::size_t>(address) < memory.size() ? memory[address] : 0;
}

int32_t Simulator::Put8251RxByte(int32_t ic, int32_t byte) {
    if (!isIc(ic)) return -1;
    IcRecord& usart = IcTable[ic];
    if (usart.Type != static_cast<int32_t>(IcType::Usart8251)) return -1;
    // The receiver enable is bit 1 (value 2) of the command, and one byte waits at a time.
    if ((usart.Command & 2) == 0 || (usart.Status & 2) != 0) return -1;
    usart.RxData = byte;
    usart.Status |= 2;
    return 0;
}

void Simulator::discardQueue() {
    const int32_t queued = std::clamp(NetEventCount, 0, kQueueCapacity);
    for (int32_t q = 1; q <= queued; ++q) {
        const int32_t r = NetEventQueue[q];
        if (r != 0 && isRecord(r)) FanoutTable[r].Unqueued = -1;
    }
    NetEventCount = 0;
}

void Simulator::replaceQueue(int32_t record) {
    discardQueue();
    if (record == 0 || !isRecord(record)) return;
    FanoutTable[record].Unqueued = 0;
    NetEventQueue[1] = record;
    NetEventCount = 1;
}

void Simulator::resetConflictCounters() {
    ConflictWriteIndex = 0;
    ConflictEventCount = 0;
    ConflictShownIndex = 0;
    ConflictShownCount = 0;
}

SettleReport Simulator::takeReport() {
    SettleReport taken = report_;
    report_ = SettleReport{};
    return taken;
}

}  // namespace sim
