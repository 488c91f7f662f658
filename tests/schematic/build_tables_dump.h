#pragma once
// Every field of the build tables and of a circuit setup as text, so that two
// builds can be compared whole and a difference shows where it is.

#include <sstream>
#include <string>

#include "schematic/circuit_build.h"
#include "schematic/circuit_setup.h"
#include "schematic/sim_tables_dump.h"

namespace schematic::schtest {

inline std::string dumpBuild(const CircuitBuild& b) {
    std::ostringstream out;
    out << "supply vcc " << b.vccNet << " gnd " << b.gndNet << " nc " << b.ncNet << '\n';
    for (std::size_t i = 0; i < b.circuitIcs.size(); ++i) {
        const CircuitIc& ic = b.circuitIcs[i];
        out << "ic " << i << ' ' << ic.icNumber << ' ' << ic.type << ' ' << ic.designator << ' ' << ic.pinCount << ' '
            << ic.inputCount << ' ' << ic.outputCount << ' ' << ic.bidirCount;
        dumpList(out, "roles", ic.pinRoles);
        out << " pins[";
        for (const ListedPin& p : ic.pins) {
            out << p.pinNumber << '@' << p.hasEnd << ':' << p.end.x << ',' << p.end.y << " n" << p.net << " g"
                << p.nameGroup << " e" << p.partElement << " k" << p.graphicIndex << ';';
        }
        out << "]\n";
    }
    for (std::size_t n = 0; n < b.circuitNets.size(); ++n) {
        const CircuitNet& net = b.circuitNets[n];
        out << "net " << n << ' ' << net.signalNumber << ' ' << net.merged << ' ' << net.readerGroup << ' '
            << net.nameGroup;
        dumpList(out, "wires", net.wires);
        dumpList(out, "ics", net.ics);
        dumpList(out, "readers", net.readers);
        dumpList(out, "in", net.inputIcs);
        dumpList(out, "bi", net.bidirIcs);
        dumpList(out, "out", net.outputIcs);
        out << '\n';
    }
    for (std::size_t g = 0; g < b.netNameGroups.size(); ++g) {
        const NetNameGroup& group = b.netNameGroups[g];
        out << "group " << g << ' ' << group.merged << ' ' << group.net << " names[";
        for (const std::string& name : group.names) out << name << ';';
        out << "] points[";
        for (const LabelPoint& p : group.labelPoints) out << p.x << ',' << p.y << '#' << p.elementIndex << ';';
        out << "]\n";
    }
    for (const JunctionPoint& j : b.junctionPoints) out << "junction " << j.x << ',' << j.y << ' ' << j.net << '\n';
    for (const MemImageEntry& m : b.memImageEntries) out << "image " << m.icIndex << ' ' << m.fileName << ' ' << m.icNumber << '\n';
    for (const NetReaderGroup& r : b.netReaderGroups) {
        out << "readers " << r.fanout << ' ' << r.firstSignal << ' ' << r.firstNet << '\n';
    }
    return out.str();
}

inline std::string dumpSetup(const CircuitSetup& s) {
    std::ostringstream out;
    out << "clock " << s.ClockNet << ' ' << s.ClockLevel << ' ' << s.ClockMode << " reset " << s.ResetNet << ' '
        << s.ResetLevel << " board " << s.BoardFile << '\n';
    for (const auto* mems : {&s.LoadMems, &s.SaveMems}) {
        for (const MemDataEntry& m : *mems) {
            out << "mem " << m.Name;
            dumpList(out, "chips", m.Chips);
            for (const std::string& f : m.ChipFlags) out << ' ' << f;
            out << '\n';
        }
    }
    for (const LabEntry& l : s.Labs) {
        out << "lab " << l.Name << ' ' << l.DiagramFile;
        for (std::size_t i = 0; i < l.TextFiles.size(); ++i) out << ' ' << l.TextTitles[i] << '=' << l.TextFiles[i];
        out << '\n';
    }
    auto inputs = [&](const char* what, const auto& entries) {
        for (const auto& e : entries) {
            out << what << ' ' << e.Name;
            dumpList(out, "nets", e.Nets);
            dumpList(out, "values", e.Values);
            out << '\n';
        }
    };
    inputs("in", s.InSignals);
    inputs("inbus", s.InBuses);
    for (const OutBusEntry& e : s.OutBuses) {
        out << "outbus " << e.Name;
        dumpList(out, "nets", e.Nets);
        dumpList(out, "separators", e.Separators);
        out << '\n';
    }
    for (const IcOutEntry& e : s.IcOuts) {
        out << "icout " << e.Name;
        dumpList(out, "ics", e.Ics);
        for (const std::string& r : e.RegNames) out << ' ' << r;
        dumpList(out, "commas", e.CommaFlags);
        out << '\n';
    }
    return out.str();
}

}  // namespace schematic::schtest
