#pragma once
// Every field of the simulator's tables and counters as text, so that tests
// can tell whether anything at all changed.

#include <sstream>
#include <string>

#include "sim/simulator.h"

namespace schematic::schtest {

template <typename List>
void dumpList(std::ostream& out, const char* name, const List& list) {
    out << ' ' << name << '[';
    for (auto v : list) out << v << ',';
    out << ']';
}

inline std::string dumpTables(const sim::Simulator& s) {
    std::ostringstream out;
    out << "last " << s.LastIcNumber << ' ' << s.LastSignalNumber << ' ' << s.LastFanoutNumber << '\n';
    for (std::size_t i = 0; i < s.NetTable.size(); ++i) {
        const sim::NetRecord& n = s.NetTable[i];
        out << "net " << i << ' ' << n.Value << ' ' << n.Fanout << ' ' << n.DriverCount << ' ' << n.ActiveDrivers << ' '
            << n.Number << ' ' << n.Name;
        dumpList(out, "pairs", n.DriverPairs);
        dumpList(out, "drivers", n.DriverFanout);
        out << '\n';
    }
    for (std::size_t i = 0; i < s.FanoutTable.size(); ++i) {
        const sim::FanoutRecord& f = s.FanoutTable[i];
        out << "fanout " << i << ' ' << f.Unqueued << ' ' << f.Number << ' ' << f.IcCount;
        dumpList(out, "ics", f.Ics);
        out << '\n';
    }
    for (std::size_t i = 0; i < s.IcTable.size(); ++i) {
        const sim::IcRecord& c = s.IcTable[i];
        out << "ic " << i << ' ' << s.IcDesignators[i] << ' ' << c.Unscheduled << ' ' << c.Released1 << ' '
            << c.Released2 << ' ' << c.Released3 << ' ' << c.Released4 << ' ' << c.Number << ' ' << c.Type << ' '
            << c.InputCount << ' ' << c.OutputCount << ' ' << c.BidirCount << ' ' << c.LastClock << ' ' << c.Q << ' '
            << c.QShown << ' ' << c.DNext << ' ' << c.RegNext1 << ' ' << c.RegNext2 << ' ' << c.RegNext3 << ' '
            << c.RegNext4 << ' ' << c.Wait << ' ' << c.WaitNext << ' ' << c.TxLast << ' ' << c.Command << ' '
            << c.Status << ' ' << c.StatusShown << ' ' << c.TxData << ' ' << c.RxData << ' ' << c.RxShown << ' '
            << c.DataShown << ' ' << c.OperandR << ' ' << c.OperandS << ' ' << c.ResultF << ' ' << c.QReg << ' '
            << c.ALatch << ' ' << c.BLatch << ' ' << c.QNext << ' ' << c.YShown << ' ' << c.Counter << ' '
            << c.MicroPC << ' ' << c.StackPointer << ' ' << c.NextCounter << ' ' << c.NextMicroPC << ' '
            << c.NextStackPointer << ' ' << c.NextStackWord << ' ' << c.AddressShown;
        dumpList(out, "in", c.InputNets);
        dumpList(out, "out", c.OutputNets);
        dumpList(out, "bi", c.BidirNets);
        dumpList(out, "mem", c.Memory);
        dumpList(out, "reg", c.Registers);
        dumpList(out, "stack", c.Stack);
        out << '\n';
    }
    return out.str();
}

}  // namespace schematic::schtest
