#pragma once
// The event-driven, zero-delay gate-level simulator: its tables, work lists,
// conflict records and the kernel operations over them.
//
// One Simulator holds every circuit the program has loaded; circuits take
// consecutive ranges of IC, net and fanout numbers and never give them back.
// The kernel keeps the exact evaluation order (queue order, then list order
// inside each record): which driver owns a bus net, and so the conflict records,
// depend on it.
//
// Nothing here is re-entrant: models call only the drive, release and
// SetNetValue operations and Put8251RxByte, never ToggleNetAndSettle.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/records.h"
#include "sim/serial_link.h"
#include "sim/settle_report.h"

namespace sim {

inline constexpr int32_t kSpareNet = 2;            // the first circuit's NC net
inline constexpr int32_t kConflictEventLimit = 50;  // events recorded until the counters are reset
inline constexpr int kConflictCandidateCapacity = 455;
inline constexpr int kConflictRecordsInitialSize = 201;
// Used from index 1. A record is queued at most once at a time, so this many
// entries never run out while the flags are kept; the check stays for safety.
inline constexpr int kQueueCapacity = kFanoutCount;
inline constexpr int kDriveBitsSize = 33;
// Far above the depth of any real circuit; only an oscillating one gets there.
inline constexpr int32_t kDefaultPassLimit = 10000;

// A table with the size it was created with; entries are addressed by number.
template <class T>
class FixedTable {
public:
    explicit FixedTable(std::size_t size) : items_(size) {}
    T& operator[](std::size_t i) { return items_[i]; }
    const T& operator[](std::size_t i) const { return items_[i]; }
    std::size_t size() const { return items_.size(); }
    T* begin() { return items_.data(); }
    T* end() { return items_.data() + items_.size(); }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + items_.size(); }

private:
    std::vector<T> items_;
};

// Work done by the kernel since construction, for measurements.
struct KernelCounters {
    uint64_t netChanges = 0;     // net value changes that queued the net's readers
    uint64_t icEvaluations = 0;
    uint64_t settlePasses = 0;
};

class Simulator {
public:
    Simulator();

    // ---- Tables (created empty: every number 0, every array absent) ----
    FixedTable<NetRecord> NetTable{kNetCount};
    FixedTable<IcRecord> IcTable{kIcCount};
    FixedTable<FanoutRecord> FanoutTable{kFanoutCount};

    // Fanout records waiting for evaluation, used from index 1; NetEventCount is the
    // number queued. Callers that replace or drop what is queued use replaceQueue()
    // and discardQueue(), which keep the records' Unqueued flags right.
    std::vector<int32_t> NetEventQueue;
    int32_t NetEventCount = 0;
    // ICs of the current settle pass, used from index 0; IcEvalCount is the last index.
    std::vector<int32_t> IcEvalList;
    int32_t IcEvalCount = -1;
    // Nets that got a further driver since the last conflict pass; a full list
    // drops further candidates (counted in the report).
    std::vector<int32_t> ConflictCandidates;
    int32_t ConflictCandidateCount = -1;
    // Conflict events from index 1: header net x 65536 + further drivers, then one
    // word per driver, IC x 65536 + its value (the owner first, with the net's value).
    // The list grows when an event does not fit, so a recorded event is never cut;
    // at most 50 events are recorded until the counters are reset.
    std::vector<int32_t> ConflictRecords;
    int32_t ConflictWriteIndex = 0;
    int32_t ConflictEventCount = 0;
    int32_t ConflictShownIndex = 0;
    int32_t ConflictShownCount = 0;
    // One bit per pin role, filled by a model before a pin-range drive.
    std::array<int32_t, kDriveBitsSize> DriveBits{};
    // Per net, owned by the state views; the kernel does not touch it.
    std::vector<int32_t> SignalChangedFlags;
    // Schematic designator of each IC.
    std::vector<std::string> IcDesignators;

    // Shared with the 8251 model and the circuit environment.
    int32_t Pending8251Ic = -1;
    int32_t Receiving8251Ic = -1;
    int32_t PortByte = 0;
    int32_t PortBytePending = 0;

    // Last IC, net and fanout numbers given out; advanced only by the circuit builder.
    int32_t LastIcNumber = -1;
    int32_t LastSignalNumber = -1;
    int32_t LastFanoutNumber = 0;

    // Settle passes allowed per toggle before the settle is cut short as an oscillation.
    int32_t passLimit = kDefaultPassLimit;

    // The environment's serial port that the 8251 status reads poll; not owned.
    // Without one, no input ever waits and nothing fails.
    void setSerialLink(SerialLink* link) { serialLink_ = link; }
    SerialLink* serialLink() const { return serialLink_; }

    // ---- Kernel entries ----

    // count + 1 times: invert the net, settle, run the conflict pass and reset the
    // spare net. A net outside the table is not inverted, the rest still runs.
    void ToggleNetAndSettle(int32_t count, int32_t net);
    void SetNetValue(int32_t value, int32_t net);
    void WriteIcMemory(int32_t address, int32_t value, int32_t ic);  // ignored out of range
    int32_t ReadIcMemory(int32_t address, int32_t ic) const;         // 0 out of range
    int32_t Put8251RxByte(int32_t ic, int32_t byte);                  // 0 accepted, -1 refused

    // ---- Drive and release operations (used by the models) ----
    void DriveNet(int32_t value, int32_t driver, int32_t net);
    void DriveNetPerDriver(int32_t value, int32_t driver, int32_t net);
    void ReleaseNet(int32_t driver, int32_t net);
    void ReleaseNetPerDriver(int32_t driver, int32_t net);
    void DriveOpenCollector(int32_t level, int32_t driver, int32_t net);
    // Pin ranges use DriveBits at the roles' own indexes; nothing when first > last.
    void DriveOutputPins(int32_t first, int32_t last, int32_t ic);
    void DriveBusPins(int32_t first, int32_t last, int32_t ic);
    void DriveOutputPinsDirect(int32_t first, int32_t last, int32_t ic);
    void ReleaseOutputPins(int32_t first, int32_t last, int32_t ic);
    void ReleaseBusPins(int32_t first, int32_t last, int32_t ic);
    // The same for a model holding its record; the driver identity is ic.Number.
    void DriveOutputPins(int32_t first, int32_t last, const IcRecord& ic);
    void DriveBusPins(int32_t first, int32_t last, const IcRecord& ic);
    void DriveOutputPinsDirect(int32_t first, int32_t last, const IcRecord& ic);
    void ReleaseOutputPins(int32_t first, int32_t last, const IcRecord& ic);
    void ReleaseBusPins(int32_t first, int32_t last, const IcRecord& ic);

    // ---- Queue handling for callers ----

    // Queues a fanout record (a record already queued, and record 0, stay as they are).
    void schedule(int32_t record);
    // Replaces whatever is queued by the one record; the dropped records can be
    // queued again later.
    void replaceQueue(int32_t record);
    // Drops whatever is queued, leaving the dropped records queueable again.
    void discardQueue();
    // Sets the four conflict counters to 0, so that recording resumes from index 1.
    void resetConflictCounters();

    // What went wrong since the report was last taken.
    const SettleReport& report() const { return report_; }
    SettleReport takeReport();
    // For the models: failures they meet go into the report, never to the user.
    void noteSerialError(int32_t number) { report_.addSerialError(number); }
    void noteDroppedTransmitByte() { ++report_.droppedTransmitBytes; }

    const KernelCounters& counters() const { return counters_; }

    static bool isNet(int32_t net) { return static_cast<uint32_t>(net) < static_cast<uint32_t>(kNetCount); }
    static bool isIc(int32_t ic) { return static_cast<uint32_t>(ic) < static_cast<uint32_t>(kIcCount); }
    static bool isRecord(int32_t r) { return static_cast<uint32_t>(r) < static_cast<uint32_t>(kFanoutCount); }

    // Value of a model's input, output or bidirectional role k.
    int32_t in(const IcRecord& ic, int k) const { return NetTable[ic.InputNets[k]].Value; }
    int32_t out(const IcRecord& ic, int k) const { return NetTable[ic.OutputNets[k]].Value; }
    int32_t bi(const IcRecord& ic, int k) const { return NetTable[ic.BidirNets[k]].Value; }

private:
    void settle(int32_t toggledNet);
    void conflictPass();
    void evaluate(IcRecord& ic);

    // A value change that queues `record`.
    void change(NetRecord& n, int32_t value, int32_t record) {
        n.Value = value;
        ++counters_.netChanges;
        schedule(record);
    }
    void setValue(NetRecord& n, int32_t value) {
        if (n.Value != value) change(n, value, n.Fanout);
    }
    int32_t driverRecord(const NetRecord& n, int32_t driver);
    template <bool PerDriver>
    void drive(int32_t value, int32_t driver, int32_t net);
    template <bool PerDriver>
    void driveFurther(NetRecord& n, int32_t net, int32_t value, int32_t driver);
    template <bool PerDriver>
    void release(int32_t driver, int32_t net);
    template <bool PerDriver>
    void releaseAmongSeveral(NetRecord& n, int32_t driver);
    void addCandidate(int32_t net);
    static void ensurePairs(NetRecord& n, std::size_t size);

    SettleReport report_;
    KernelCounters counters_;
    SerialLink* serialLink_ = nullptr;
};

// ---- Hot paths, inline so the models get them without a call ----

inline void Simulator::schedule(int32_t record) {
    if (!isRecord(record)) {
        ++report_.droppedRecords;
        return;
    }
    FanoutRecord& f = FanoutTable[record];
    if (f.Unqueued == 0) return;
    if (NetEventCount < 0 || NetEventCount >= kQueueCapacity) {
        ++report_.droppedRecords;
        return;
    }
    f.Unqueued = 0;
    NetEventQueue[++NetEventCount] = record;
}

inline void Simulator::SetNetValue(int32_t value, int32_t net) {
    if (isNet(net)) setValue(NetTable[net], value);
}

inline int32_t Simulator::driverRecord(const NetRecord& n, int32_t driver) {
    if (static_cast<std::size_t>(driver) < n.DriverFanout.size()) {
        const int32_t r = n.DriverFanout[driver];
        if (isRecord(r)) return r;
    }
    // No entry for this driver (the NC net, or a net that copied another's array):
    // queueing every reader, the driver included, is always safe.
    ++report_.fanoutFallbacks;
    return n.Fanout;
}

template <bool PerDriver>
inline void Simulator::drive(int32_t value, int32_t driver, int32_t net) {
    if (!isNet(net)) return;
    NetRecord& n = NetTable[net];
    if (n.DriverCount >= 2) {
        if (n.ActiveDrivers < 0) {
            if (n.DriverPairs.size() < 2) ensurePairs(n, 2);
            n.ActiveDrivers = 0;
            n.DriverPairs[0] = driver;
        } else if (n.DriverPairs.empty() || n.DriverPairs[0] != driver) {
            driveFurther<PerDriver>(n, net, value, driver);
            return;
        }
    }
    if (n.Value != value) change(n, value, PerDriver ? driverRecord(n, driver) : n.Fanout);
}

template <bool PerDriver>
inline void Simulator::release(int32_t driver, int32_t net) {
    if (!isNet(net)) return;
    NetRecord& n = NetTable[net];
    if (n.ActiveDrivers < 0) return;
    if (n.ActiveDrivers == 0) {
        // The sole owner leaves: the net keeps its value and becomes undriven.
        if (!n.DriverPairs.empty() && n.DriverPairs[0] == driver) {
            n.ActiveDrivers = -1;
            n.DriverPairs[0] = 0;
        }
        return;
    }
    releaseAmongSeveral<PerDriver>(n, driver);
}

inline void Simulator::DriveNet(int32_t value, int32_t driver, int32_t net) { drive<false>(value, driver, net); }
inline void Simulator::DriveNetPerDriver(int32_t value, int32_t driver, int32_t net) {
    drive<true>(value, driver, net);
}
inline void Simulator::ReleaseNet(int32_t driver, int32_t net) { release<false>(driver, net); }
inline void Simulator::ReleaseNetPerDriver(int32_t driver, int32_t net) { release<true>(driver, net); }

namespace detail {
// Keeps a role range inside the IC's connected roles (and DriveBits).
inline bool clampRange(int32_t& first, int32_t& last, int32_t count, std::size_t arraySize) {
    const int32_t end = std::min({count, static_cast<int32_t>(arraySize), kDriveBitsSize});
    if (first < 0) first = 0;
    if (last > end - 1) last = end - 1;
    return first <= last;
}
}  // namespace detail

inline void Simulator::DriveOutputPins(int32_t first, int32_t last, const IcRecord& ic) {
    if (!detail::clampRange(first, last, ic.OutputCount, ic.OutputNets.size())) return;
    for (int32_t j = first; j <= last; ++j) drive<false>(DriveBits[j], ic.Number, ic.OutputNets[j]);
}
inline void Simulator::DriveBusPins(int32_t first, int32_t last, const IcRecord& ic) {
    if (!detail::clampRange(first, last, ic.BidirCount, ic.BidirNets.size())) return;
    for (int32_t j = first; j <= last; ++j) drive<true>(DriveBits[j], ic.Number, ic.BidirNets[j]);
}
inline void Simulator::DriveOutputPinsDirect(int32_t first, int32_t last, const IcRecord& ic) {
    if (!detail::clampRange(first, last, ic.OutputCount, ic.OutputNets.size())) return;
    for (int32_t j = first; j <= last; ++j) SetNetValue(DriveBits[j], ic.OutputNets[j]);
}
inline void Simulator::ReleaseOutputPins(int32_t first, int32_t last, const IcRecord& ic) {
    if (!detail::clampRange(first, last, ic.OutputCount, ic.OutputNets.size())) return;
    for (int32_t j = first; j <= last; ++j) release<false>(ic.Number, ic.OutputNets[j]);
}
inline void Simulator::ReleaseBusPins(int32_t first, int32_t last, const IcRecord& ic) {
    if (!detail::clampRange(first, last, ic.BidirCount, ic.BidirNets.size())) return;
    for (int32_t j = first; j <= last; ++j) release<true>(ic.Number, ic.BidirNets[j]);
}

inline void Simulator::DriveOutputPins(int32_t first, int32_t last, int32_t ic) {
    if (isIc(ic)) DriveOutputPins(first, last, IcTable[ic]);
}
inline void Simulator::DriveBusPins(int32_t first, int32_t last, int32_t ic) {
    if (isIc(ic)) DriveBusPins(first, last, IcTable[ic]);
}
inline void Simulator::DriveOutputPinsDirect(int32_t first, int32_t last, int32_t ic) {
    if (isIc(ic)) DriveOutputPinsDirect(first, last, IcTable[ic]);
}
inline void Simulator::ReleaseOutputPins(int32_t first, int32_t last, int32_t ic) {
    if (isIc(ic)) ReleaseOutputPins(first, last, IcTable[ic]);
}
inline void Simulator::ReleaseBusPins(int32_t first, int32_t last, int32_t ic) {
    if (isIc(ic)) ReleaseBusPins(first, last, IcTable[ic]);
}

}  // namespace sim
