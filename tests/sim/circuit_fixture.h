#pragma once
// Enters small circuits straight into a Simulator's tables, the way the circuit
// builder leaves them: the circuit's GND, VCC and NC nets first, ICs and nets
// numbered on from the simulator's last numbers, shared reader records, per-driver
// records on nets with bidirectional pins, open-collector lines preset, and last
// one record per IC. Unconnected inputs read VCC; unconnected outputs and
// bidirectional pins go to NC.
//
// A net's readers are listed in the order their pins were connected, so a test
// decides evaluation order (and with it which driver owns a bus) by that order.

#include <initializer_list>
#include <string>
#include <vector>

#include "sim/simulator.h"

namespace simtest {

class CircuitFixture {
public:
    explicit CircuitFixture(sim::Simulator& sim);

    int gnd() const { return gnd_; }
    int vcc() const { return vcc_; }
    int nc() const { return nc_; }

    int net(const std::string& name = {});
    int ic(sim::IcType type, const std::string& designator = {});

    // Connects by role: input k, output k or bidirectional k of the IC.
    CircuitFixture& in(int ic, int role, int net);
    CircuitFixture& out(int ic, int role, int net);
    CircuitFixture& bidir(int ic, int role, int net);
    // Connects by package pin number, through the type's pin table.
    CircuitFixture& pin(int ic, int pinNumber, int net);
    // Consecutive roles from `firstRole`, one net each.
    CircuitFixture& ins(int ic, int firstRole, std::initializer_list<int> nets);
    CircuitFixture& outs(int ic, int firstRole, std::initializer_list<int> nets);
    CircuitFixture& bidirs(int ic, int firstRole, std::initializer_list<int> nets);

    // Writes the circuit into the tables. Connections made afterwards are ignored.
    void build();

    // After build(): the record that lists only this IC.
    int ownRecord(int ic) const;
    int firstIc() const { return firstIc_; }
    int lastIc() const { return lastIc_; }
    // Evaluates every IC once, in IC order, through its own record and the spare
    // net, as a circuit window does after loading.
    void evaluateEveryIc();

private:
    enum class Kind { Input, Output, Bidirectional, OpenCollector };
    struct Connection {
        int ic;
        int role;
        Kind kind;
    };
    struct PendingIc {
        sim::IcType type;
        std::vector<int> inputs, outputs, bidirs;  // net per role, -1 unconnected
        std::vector<bool> openCollector;           // per output role
    };
    struct PendingNet {
        std::string name;
        std::vector<int> ics;  // in order of first connection
        std::vector<Connection> pins;
    };

    PendingIc& pending(int ic);
    PendingNet& pendingNet(int net);
    void connect(int ic, int role, Kind kind, int net);
    int findOrAddRecord(const std::vector<int>& ics);

    sim::Simulator& sim_;
    int gnd_, vcc_, nc_;
    int firstIc_, firstNet_, firstRecord_;
    int lastIc_ = -1;
    bool built_ = false;
    std::vector<PendingIc> ics_;
    std::vector<PendingNet> nets_;
    std::vector<int> ownRecords_;
};

// "Z" for a net that keeps drivers and has none active, else "0" or "1".
std::string level(const sim::Simulator& sim, int net);

}  // namespace simtest
