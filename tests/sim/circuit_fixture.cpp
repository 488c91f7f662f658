#include "sim/circuit_fixture.h"

#include <algorithm>
#include <stdexcept>

using namespace sim;

namespace simtest {

CircuitFixture::CircuitFixture(Simulator& sim) : sim_(sim) {
    firstIc_ = sim_.LastIcNumber + 1;
    firstNet_ = sim_.LastSignalNumber + 1;
    firstRecord_ = sim_.LastFanoutNumber + 1;
    gnd_ = net("GND");
    vcc_ = net("VCC");
    nc_ = net("NC");
}

int CircuitFixture::net(const std::string& name) {
    if (sim_.LastSignalNumber + 1 >= kNetCount) throw std::length_error("net table full");
    nets_.push_back(PendingNet{name, {}, {}});
    return ++sim_.LastSignalNumber;
}

int CircuitFixture::ic(IcType type, const std::string& designator) {
    if (sim_.LastIcNumber + 1 >= kIcCount) throw std::length_error("IC table full");
    const PinTable& table = pinTable(type);
    PendingIc entry{type,
                    std::vector<int>(table.inputCount, -1),
                    std::vector<int>(table.outputCount, -1),
                    std::vector<int>(table.bidirCount, -1),
                    std::vector<bool>(table.outputCount, false)};
    for (int pin = 1; pin <= table.pinCount; ++pin) {
        if (table.kinds[pin] == PinKind::OpenCollector) entry.openCollector[table.roles[pin] - kOutputRoleBase] = true;
    }
    ics_.push_back(std::move(entry));
    const int number = ++sim_.LastIcNumber;
    sim_.IcDesignators[number] = designator;
    lastIc_ = number;
    return number;
}

CircuitFixture::PendingIc& CircuitFixture::pending(int ic) {
    if (ic < firstIc_ || ic - firstIc_ >= static_cast<int>(ics_.size())) throw std::out_of_range("not an IC of this circuit");
    return ics_[ic - firstIc_];
}

CircuitFixture::PendingNet& CircuitFixture::pendingNet(int net) {
    if (net < firstNet_ || net - firstNet_ >= static_cast<int>(nets_.size())) {
        throw std::out_of_range("not a net of this circuit");
    }
    return nets_[net - firstNet_];
}

void CircuitFixture::connect(int ic, int role, Kind kind, int net) {
    PendingIc& chip = pending(ic);
    std::vector<int>& slots = kind == Kind::Input ? chip.inputs : kind == Kind::Output ? chip.outputs : chip.bidirs;
    if (role < 0 || role >= static_cast<int>(slots.size())) throw std::out_of_range("no such role");
    if (slots[role] != -1) throw std::logic_error("role already connected");
    if (kind == Kind::Output && chip.openCollector[role]) kind = Kind::OpenCollector;
    slots[role] = net;
    PendingNet& n = pendingNet(net);
    if (std::find(n.ics.begin(), n.ics.end(), ic) == n.ics.end()) n.ics.push_back(ic);
    n.pins.push_back(Connection{ic, role, kind});
}

CircuitFixture& CircuitFixture::in(int ic, int role, int net) {
    connect(ic, role, Kind::Input, net);
    return *this;
}

CircuitFixture& CircuitFixture::out(int ic, int role, int net) {
    connect(ic, role, Kind::Output, net);
    return *this;
}

CircuitFixture& CircuitFixture::bidir(int ic, int role, int net) {
    connect(ic, role, Kind::Bidirectional, net);
    return *this;
}

CircuitFixture& CircuitFixture::pin(int ic, int pinNumber, int net) {
    const PinTable& table = pinTable(pending(ic).type);
    if (pinNumber < 1 || pinNumber > table.pinCount) throw std::out_of_range("no such pin");
    const int32_t role = table.roles[pinNumber];
    if (isInputRole(role)) return in(ic, role, net);
    if (isOutputRole(role)) return out(ic, role - kOutputRoleBase, net);
    if (isBidirRole(role)) return bidir(ic, role - kBidirRoleBase, net);
    throw std::logic_error("pin is not simulated");
}

CircuitFixture& CircuitFixture::ins(int ic, int firstRole, std::initializer_list<int> nets) {
    for (int net : nets) in(ic, firstRole++, net);
    return *this;
}

CircuitFixture& CircuitFixture::outs(int ic, int firstRole, std::initializer_list<int> nets) {
    for (int net : nets) out(ic, firstRole++, net);
    return *this;
}

CircuitFixture& CircuitFixture::bidirs(int ic, int firstRole, std::initializer_list<int> nets) {
    for (int net : nets) bidir(ic, firstRole++, net);
    return *this;
}

int CircuitFixture::findOrAddRecord(const std::vector<int>& ics) {
    for (int r = firstRecord_; r <= sim_.LastFanoutNumber; ++r) {
        const FanoutRecord& f = sim_.FanoutTable[r];
        if (f.IcCount == static_cast<int32_t>(ics.size()) && std::equal(ics.begin(), ics.end(), f.Ics.begin())) {
            return r;
        }
    }
    if (sim_.LastFanoutNumber + 1 >= kFanoutCount) throw std::length_error("fanout table full");
    const int r = ++sim_.LastFanoutNumber;
    FanoutRecord& f = sim_.FanoutTable[r];
    f.Unqueued = -1;
    f.Number = r;
    f.IcCount = static_cast<int32_t>(ics.size());
    f.Ics.assign(ics.begin(), ics.end());
    if (f.Ics.empty()) f.Ics.push_back(0);  // arrays keep at least one entry
    return r;
}

void CircuitFixture::build() {
    if (built_) throw std::logic_error("already built");
    built_ = true;

    // Unreached pins: inputs read VCC, everything else goes to NC.
    for (int i = 0; i < static_cast<int>(ics_.size()); ++i) {
        const int number = firstIc_ + i;
        for (int k = 0; k < static_cast<int>(ics_[i].inputs.size()); ++k) {
            if (ics_[i].inputs[k] == -1) in(number, k, vcc_);
        }
        for (int k = 0; k < static_cast<int>(ics_[i].outputs.size()); ++k) {
            if (ics_[i].outputs[k] == -1) out(number, k, nc_);
        }
        for (int k = 0; k < static_cast<int>(ics_[i].bidirs.size()); ++k) {
            if (ics_[i].bidirs[k] == -1) bidir(number, k, nc_);
        }
    }

    for (int i = 0; i < static_cast<int>(nets_.size()); ++i) {
        const int number = firstNet_ + i;
        const PendingNet& pn = nets_[i];
        NetRecord& n = sim_.NetTable[number];
        n.Number = number;
        n.Name = pn.name;
        n.Fanout = 0;
        n.ActiveDrivers = -1;
        if (number == gnd_ || number == vcc_ || number == nc_) {
            n.Value = number == vcc_ ? 1 : 0;
            continue;
        }
        // Readers, input, output and bidirectional ICs, each IC once, in net order.
        std::vector<int> readers, inputIcs, outputIcs, bidirIcs;
        auto add = [](std::vector<int>& list, int ic) {
            if (std::find(list.begin(), list.end(), ic) == list.end()) list.push_back(ic);
        };
        bool firstOutputIsOpenCollector = false;
        for (int ic : pn.ics) {
            for (const Connection& c : pn.pins) {
                if (c.ic != ic) continue;
                switch (c.kind) {
                case Kind::Input: add(readers, ic); add(inputIcs, ic); break;
                case Kind::Bidirectional: add(readers, ic); add(bidirIcs, ic); break;
                case Kind::OpenCollector:
                    if (outputIcs.empty()) firstOutputIsOpenCollector = true;
                    add(outputIcs, ic);
                    break;
                case Kind::Output: add(outputIcs, ic); break;
                }
            }
        }
        if (!readers.empty() && !(inputIcs.empty() && outputIcs.empty())) n.Fanout = findOrAddRecord(readers);
        if (!bidirIcs.empty()) {
            int highest = 0;
            for (int ic : bidirIcs) highest = std::max(highest, ic);
            for (int ic : outputIcs) highest = std::max(highest, ic);
            n.DriverFanout.assign(highest + 1, -1);
            for (int b : bidirIcs) {
                std::vector<int> others;
                for (int r : readers) {
                    if (r != b) others.push_back(r);
                }
                n.DriverFanout[b] = findOrAddRecord(others);
            }
            for (int o : outputIcs) n.DriverFanout[o] = n.Fanout;
        }
        n.DriverCount = static_cast<int32_t>(outputIcs.size() + bidirIcs.size());
        if (n.DriverCount > 1) {
            n.DriverPairs.assign(2 * n.DriverCount, 0);
            if (firstOutputIsOpenCollector) {
                n.ActiveDrivers = static_cast<int32_t>(outputIcs.size());
                for (int k = 0; k < static_cast<int>(outputIcs.size()); ++k) n.DriverPairs[2 * k] = outputIcs[k];
            }
        }
    }

    for (int i = 0; i < static_cast<int>(ics_.size()); ++i) {
        const int number = firstIc_ + i;
        const PendingIc& pi = ics_[i];
        IcRecord& ic = sim_.IcTable[number];
        ic = IcRecord{};
        ic.Number = number;
        ic.Type = static_cast<int32_t>(pi.type);
        ic.InputCount = static_cast<int32_t>(pi.inputs.size());
        ic.OutputCount = static_cast<int32_t>(pi.outputs.size());
        ic.BidirCount = static_cast<int32_t>(pi.bidirs.size());
        std::copy(pi.inputs.begin(), pi.inputs.end(), ic.InputNets.begin());
        std::copy(pi.outputs.begin(), pi.outputs.end(), ic.OutputNets.begin());
        std::copy(pi.bidirs.begin(), pi.bidirs.end(), ic.BidirNets.begin());
        setStartValues(ic);
    }

    // One record per IC, always new, last and in IC order.
    for (int i = 0; i < static_cast<int>(ics_.size()); ++i) {
        if (sim_.LastFanoutNumber + 1 >= kFanoutCount) throw std::length_error("fanout table full");
        const int r = ++sim_.LastFanoutNumber;
        FanoutRecord& f = sim_.FanoutTable[r];
        f.Unqueued = -1;
        f.Number = r;
        f.IcCount = 1;
        f.Ics = {firstIc_ + i};
        ownRecords_.push_back(r);
    }
}

int CircuitFixture::ownRecord(int ic) const { return ownRecords_.at(ic - firstIc_); }

void CircuitFixture::evaluateEveryIc() {
    for (int r : ownRecords_) {
        sim_.replaceQueue(r);
        sim_.ToggleNetAndSettle(0, kSpareNet);
    }
}

std::string level(const Simulator& sim, int net) {
    const NetRecord& n = sim.NetTable[net];
    if (n.DriverCount >= 2 && n.ActiveDrivers == -1) return "Z";
    return n.Value ? "1" : "0";
}

}  // namespace simtest
