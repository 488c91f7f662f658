#include "schematic/circuit_registration.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "sim/simulator.h"

namespace schematic {
namespace {

std::string joinedNames(const CircuitBuild& b, int32_t net) {
    if (net < 0 || static_cast<std::size_t>(net) >= b.circuitNets.size()) return {};
    const int32_t group = b.circuitNets[static_cast<std::size_t>(net)].nameGroup;
    if (group < 0 || static_cast<std::size_t>(group) >= b.netNameGroups.size()) return {};
    const std::vector<std::string>& names = b.netNameGroups[static_cast<std::size_t>(group)].names;
    std::string name;
    for (std::size_t i = 0; i < names.size(); ++i) name += (i ? ";" : "") + names[i];
    return name;
}

// The circuit's records, numbered from its first free number, before any of
// them is written.
class Staging {
public:
    Staging(const sim::Simulator& simulator, CircuitBuild& build)
        : b_(build),
          firstIc_(simulator.LastIcNumber + 1),
          firstSignal_(simulator.LastSignalNumber + 1),
          firstFanout_(simulator.LastFanoutNumber + 1) {}

    void run() {
        numberIcs();
        supplyNets();
        for (NetReaderGroup& group : b_.netReaderGroups) {
            group.fanout = -1;
            group.firstSignal = -1;
        }
        for (std::size_t n = 0; n < b_.circuitNets.size(); ++n) {
            if (!b_.isSupplyNet(static_cast<int32_t>(n))) ordinaryNet(static_cast<int32_t>(n));
        }
        icPinNets();
        supplyDriverTables();
        for (const CircuitIc& ic : b_.circuitIcs) appendRecord({ic.icNumber});
        for (MemImageEntry& image : b_.memImageEntries) {
            if (image.icIndex >= 0 && static_cast<std::size_t>(image.icIndex) < b_.circuitIcs.size()) {
                image.icNumber = b_.circuitIcs[static_cast<std::size_t>(image.icIndex)].icNumber;
            }
        }
    }

    TableRoom needed() const {
        return TableRoom{static_cast<int32_t>(ics_.size()), static_cast<int32_t>(nets_.size()),
                         static_cast<int32_t>(records_.size())};
    }

    void commit(sim::Simulator& simulator) && {
        for (std::size_t i = 0; i < ics_.size(); ++i) {
            const std::size_t g = static_cast<std::size_t>(firstIc_) + i;
            simulator.IcTable[g] = std::move(ics_[i]);
            simulator.IcDesignators[g] = std::move(designators_[i]);
        }
        for (std::size_t i = 0; i < nets_.size(); ++i) {
            simulator.NetTable[static_cast<std::size_t>(firstSignal_) + i] = std::move(nets_[i]);
        }
        for (std::size_t i = 0; i < records_.size(); ++i) {
            simulator.FanoutTable[static_cast<std::size_t>(firstFanout_) + i] = std::move(records_[i]);
        }
        simulator.LastIcNumber = firstIc_ + static_cast<int32_t>(ics_.size()) - 1;
        simulator.LastSignalNumber = firstSignal_ + static_cast<int32_t>(nets_.size()) - 1;
        simulator.LastFanoutNumber = firstFanout_ + static_cast<int32_t>(records_.size()) - 1;
    }

    std::vector<int32_t> usart8251Ics;

private:
    CircuitNet& net(int32_t n) { return b_.circuitNets[static_cast<std::size_t>(n)]; }
    int32_t icNumber(int32_t icIndex) const { return b_.circuitIcs[static_cast<std::size_t>(icIndex)].icNumber; }

    std::vector<int32_t> icNumbers(const std::vector<int32_t>& icIndexes) const {
        std::vector<int32_t> numbers;
        numbers.reserve(icIndexes.size());
        for (int32_t i : icIndexes) numbers.push_back(icNumber(i));
        return numbers;
    }

    int32_t nextSignal() const { return firstSignal_ + static_cast<int32_t>(nets_.size()); }

    void numberIcs() {
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            CircuitIc& ic = b_.circuitIcs[i];
            ic.icNumber = firstIc_ + static_cast<int32_t>(i);
            sim::IcRecord record;
            record.Number = ic.icNumber;
            record.Type = ic.type;
            sim::setStartValues(record);
            ics_.push_back(std::move(record));
            designators_.push_back(ic.designator);
            if (ic.type == static_cast<int32_t>(sim::IcType::Usart8251)) usart8251Ics.push_back(ic.icNumber);
        }
    }

    // GND, VCC and NC take the circuit's first three signals, in that order.
    void supplyNets() {
        const int32_t supplies[] = {b_.gndNet, b_.vccNet, b_.ncNet};
        const int32_t levels[] = {0, 1, 0};
        for (int k = 0; k < 3; ++k) {
            sim::NetRecord record;
            record.Value = levels[k];
            record.Number = nextSignal();
            record.Name = joinedNames(b_, supplies[k]);
            record.Fanout = 0;
            record.ActiveDrivers = -1;
            if (supplies[k] >= 0 && static_cast<std::size_t>(supplies[k]) < b_.circuitNets.size()) {
                net(supplies[k]).signalNumber = record.Number;
            }
            supplySignals_[k] = record.Number;
            nets_.push_back(std::move(record));
        }
    }

    // The record listing `ics`: the first equal record of this circuit when
    // there is one, otherwise a new one.
    int32_t fanoutRecord(const std::vector<int32_t>& ics) {
        const auto found = recordWith_.find(ics);
        if (found != recordWith_.end()) return found->second;
        return appendRecord(ics);
    }

    int32_t appendRecord(const std::vector<int32_t>& ics) {
        sim::FanoutRecord r;
        r.Unqueued = -1;
        r.Number = firstFanout_ + static_cast<int32_t>(records_.size());
        r.IcCount = static_cast<int32_t>(ics.size());
        r.Ics = ics;
        // The list keeps at least one entry, also when it names no IC.
        if (r.Ics.empty()) r.Ics.push_back(0);
        recordWith_.try_emplace(ics, r.Number);
        records_.push_back(std::move(r));
        return records_.back().Number;
    }

    // Every net works out its own reader list and per-driver lists; equal
    // lists still end up in one record through the search for an equal one.
    void ordinaryNet(int32_t n) {
        net(n).signalNumber = -1;
        if (!net(n).live()) return;
        const CircuitNet& c = net(n);
        const int32_t s = nextSignal();

        sim::NetRecord record;
        record.Number = s;
        record.Name = joinedNames(b_, n);

        // Readers that are all bidirectional re-evaluate through their
        // per-driver lists only.
        const bool onlyBidirReaders = c.inputIcs.empty() && c.outputIcs.empty();
        record.Fanout = c.readers.empty() || onlyBidirReaders ? 0 : fanoutRecord(icNumbers(c.readers));

        NetReaderGroup* group = nullptr;
        if (c.readerGroup >= 0 && static_cast<std::size_t>(c.readerGroup) < b_.netReaderGroups.size()) {
            group = &b_.netReaderGroups[static_cast<std::size_t>(c.readerGroup)];
            if (group->fanout == -1) group->fanout = record.Fanout;
        }

        if (!c.bidirIcs.empty()) {
            int32_t highest = 0;
            for (int32_t i : c.bidirIcs) highest = std::max(highest, icNumber(i));
            for (int32_t i : c.outputIcs) highest = std::max(highest, icNumber(i));
            record.DriverFanout.assign(static_cast<std::size_t>(highest) + 1, -1);
            const std::vector<int32_t> readers = icNumbers(c.readers);
            for (int32_t b : c.bidirIcs) {
                std::vector<int32_t> others;
                for (int32_t r : readers) {
                    if (r != icNumber(b)) others.push_back(r);
                }
                record.DriverFanout[static_cast<std::size_t>(icNumber(b))] = fanoutRecord(others);
            }
            for (int32_t o : c.outputIcs) record.DriverFanout[static_cast<std::size_t>(icNumber(o))] = record.Fanout;
            if (group && group->firstSignal == -1) group->firstSignal = s;
        }

        record.DriverCount = static_cast<int32_t>(c.outputIcs.size() + c.bidirIcs.size());
        record.ActiveDrivers = -1;
        if (record.DriverCount > 1) {
            record.DriverPairs.assign(2 * static_cast<std::size_t>(record.DriverCount), 0);
            if (!c.outputIcs.empty() && drivesOpenCollector(c.outputIcs.front(), n)) {
                // An open-collector line starts with all its drivers present.
                record.ActiveDrivers = static_cast<int32_t>(c.outputIcs.size());
                for (std::size_t i = 0; i < c.outputIcs.size(); ++i) record.DriverPairs[2 * i] = icNumber(c.outputIcs[i]);
            }
        }

        net(n).signalNumber = s;
        nets_.push_back(std::move(record));
    }

    bool drivesOpenCollector(int32_t icIndex, int32_t n) const {
        const CircuitIc& ic = b_.circuitIcs[static_cast<std::size_t>(icIndex)];
        for (const ListedPin& pin : ic.pins) {
            if (pin.net == n && pin.pinNumber >= 1 && pin.pinNumber <= ic.pinCount &&
                ic.kindOf(pin.pinNumber) == sim::PinKind::OpenCollector) {
                return true;
            }
        }
        return false;
    }

    // Each pin with a role fills its entry of the IC's input, output or
    // bidirectional net array with its net's signal.
    void icPinNets() {
        for (std::size_t i = 0; i < b_.circuitIcs.size(); ++i) {
            const CircuitIc& ic = b_.circuitIcs[i];
            sim::IcRecord& record = ics_[i];
            record.InputCount = ic.inputCount;
            record.OutputCount = ic.outputCount;
            record.BidirCount = ic.bidirCount;
            for (const ListedPin& pin : ic.pins) {
                if (pin.pinNumber < 1 || pin.pinNumber > ic.pinCount) continue;
                if (pin.net < 0 || static_cast<std::size_t>(pin.net) >= b_.circuitNets.size()) continue;
                const int32_t signal = net(pin.net).signalNumber;
                const int32_t role = ic.pinRoles[static_cast<std::size_t>(pin.pinNumber)];
                if (sim::isInputRole(role)) {
                    setEntry(record.InputNets, role, signal);
                } else if (sim::isOutputRole(role)) {
                    setEntry(record.OutputNets, role - sim::kOutputRoleBase, signal);
                } else if (sim::isBidirRole(role)) {
                    setEntry(record.BidirNets, role - sim::kBidirRoleBase, signal);
                }
            }
        }
    }

    template <typename Array>
    static void setEntry(Array& nets, int32_t k, int32_t signal) {
        if (k >= 0 && static_cast<std::size_t>(k) < nets.size()) nets[static_cast<std::size_t>(k)] = signal;
    }

    // A bidirectional pin that nothing else reaches sits on a supply net;
    // when its IC drives or releases it, the kernel looks up that IC's
    // per-driver record, which here is the empty list (supply nets have no readers).
    void supplyDriverTables() {
        const int32_t supplies[] = {b_.gndNet, b_.vccNet, b_.ncNet};
        for (int k = 0; k < 3; ++k) {
            std::vector<int32_t> drivers;
            for (const CircuitIc& ic : b_.circuitIcs) {
                for (const ListedPin& pin : ic.pins) {
                    if (pin.net != supplies[k] || supplies[k] < 0) continue;
                    if (pin.pinNumber < 1 || pin.pinNumber > ic.pinCount) continue;
                    if (sim::isBidirRole(ic.pinRoles[static_cast<std::size_t>(pin.pinNumber)])) {
                        drivers.push_back(ic.icNumber);
                        break;
                    }
                }
            }
            if (drivers.empty()) continue;
            sim::NetRecord& record = nets_[static_cast<std::size_t>(supplySignals_[k] - firstSignal_)];
            record.DriverFanout.assign(static_cast<std::size_t>(*std::max_element(drivers.begin(), drivers.end())) + 1,
                                       -1);
            for (int32_t d : drivers) record.DriverFanout[static_cast<std::size_t>(d)] = 0;
        }
    }

    CircuitBuild& b_;
    const int32_t firstIc_;
    const int32_t firstSignal_;
    const int32_t firstFanout_;
    int32_t supplySignals_[3] = {0, 0, 0};
    std::vector<sim::IcRecord> ics_;
    std::vector<std::string> designators_;
    std::vector<sim::NetRecord> nets_;
    std::vector<sim::FanoutRecord> records_;
    std::unordered_map<std::vector<int32_t>, int32_t, IcListHash> recordWith_;  // first record of each IC list
};

int32_t roomAfter(int64_t tableSize, int64_t lastUsed) {
    if (lastUsed < -1) return 0;
    return static_cast<int32_t>(std::max<int64_t>(0, tableSize - 1 - lastUsed));
}

TableRoom roomAfterNumbers(const sim::Simulator& simulator, int32_t lastIc, int32_t lastSignal, int32_t lastFanout) {
    const auto icSize = static_cast<int64_t>(std::min(simulator.IcTable.size(), simulator.IcDesignators.size()));
    TableRoom room;
    room.icNumbers = roomAfter(icSize, lastIc);
    room.signalNumbers = roomAfter(static_cast<int64_t>(simulator.NetTable.size()), lastSignal);
    // Record 0 is the empty list and never handed out.
    room.fanoutRecords =
        lastFanout < 0 ? 0 : roomAfter(static_cast<int64_t>(simulator.FanoutTable.size()), lastFanout);
    return room;
}

}  // namespace

TableRoom tableRoom(const sim::Simulator& simulator) {
    return roomAfterNumbers(simulator, simulator.LastIcNumber, simulator.LastSignalNumber, simulator.LastFanoutNumber);
}

TableRoom wholeTableRoom(const sim::Simulator& simulator) { return roomAfterNumbers(simulator, -1, -1, 0); }

namespace {

// The fields of the build tables that registration writes, kept to be put
// back when the circuit is refused.
struct WrittenFields {
    std::vector<int32_t> icNumbers, signalNumbers, groupFanouts, groupFirstSignals, imageIcNumbers;

    explicit WrittenFields(const CircuitBuild& b) {
        for (const CircuitIc& ic : b.circuitIcs) icNumbers.push_back(ic.icNumber);
        for (const CircuitNet& net : b.circuitNets) signalNumbers.push_back(net.signalNumber);
        for (const NetReaderGroup& g : b.netReaderGroups) {
            groupFanouts.push_back(g.fanout);
            groupFirstSignals.push_back(g.firstSignal);
        }
        for (const MemImageEntry& image : b.memImageEntries) imageIcNumbers.push_back(image.icNumber);
    }

    void restore(CircuitBuild& b) const {
        for (std::size_t i = 0; i < icNumbers.size(); ++i) b.circuitIcs[i].icNumber = icNumbers[i];
        for (std::size_t i = 0; i < signalNumbers.size(); ++i) b.circuitNets[i].signalNumber = signalNumbers[i];
        for (std::size_t i = 0; i < groupFanouts.size(); ++i) {
            b.netReaderGroups[i].fanout = groupFanouts[i];
            b.netReaderGroups[i].firstSignal = groupFirstSignals[i];
        }
        for (std::size_t i = 0; i < imageIcNumbers.size(); ++i) b.memImageEntries[i].icNumber = imageIcNumbers[i];
    }
};

}  // namespace

RegistrationResult RegisterCircuit(sim::Simulator& simulator, CircuitBuild& build) {
    RegistrationResult result;
    result.available = tableRoom(simulator);
    result.whole = wholeTableRoom(simulator);

    // Staging writes the numbers into the build tables as it goes; a refused
    // circuit gets its former values back.
    const WrittenFields before(build);
    Staging staging(simulator, build);
    staging.run();
    result.needed = staging.needed();
    if (!result.available.holds(result.needed)) {
        before.restore(build);
        return result;
    }

    result.usart8251Ics = std::move(staging.usart8251Ics);
    std::move(staging).commit(simulator);
    result.registered = true;
    return result;
}

}  // namespace schematic
