#include "schematic/board_hot_spots.h"

#include <algorithm>

#include "schematic/element_scan.h"
#include "schematic/sch_hot_spots.h"

namespace schematic {
namespace {

bool isNet(const CircuitBuild& b, int32_t net) {
    return net >= 0 && static_cast<std::size_t>(net) < b.circuitNets.size();
}

// The net a board pin takes when its circuit pin has none: inputs and VCC
// pins read VCC, GND pins GND, everything else sits on NC.
int32_t netByKind(const CircuitBuild& b, sim::PinKind kind) {
    switch (kind) {
        case sim::PinKind::Input:
        case sim::PinKind::Vcc: return b.vccNet;
        case sim::PinKind::Gnd: return b.gndNet;
        default: return b.ncNet;
    }
}

const CircuitIc* matchingIc(const CircuitBuild& circuit, const CircuitIc& boardIc) {
    for (const CircuitIc& ic : circuit.circuitIcs) {
        if (ic.designator == boardIc.designator && ic.type == boardIc.type) return &ic;
    }
    return nullptr;
}

// The board's ICs that match circuit ICs, on copies of the circuit's nets
// that show only the supply nets and the nets a matched board pin reaches,
// without wires, labels or the circuit's own ICs.
CircuitBuild boardTables(const SchSheet& board, const CircuitBuild& circuit) {
    CircuitBuild b;
    b.circuitNets = circuit.circuitNets;
    for (CircuitNet& net : b.circuitNets) {
        net.merged = -1;
        net.wires.clear();
        net.ics.clear();
    }
    b.netNameGroups = circuit.netNameGroups;
    for (NetNameGroup& group : b.netNameGroups) group.merged = -1;
    b.vccNet = circuit.vccNet;
    b.gndNet = circuit.gndNet;
    b.ncNet = circuit.ncNet;
    for (int32_t supply : {b.vccNet, b.gndNet, b.ncNet}) {
        if (isNet(b, supply)) b.circuitNets[static_cast<std::size_t>(supply)].merged = 0;
    }

    CircuitBuild scanned;
    ScanSchParts(board, scanned);
    for (CircuitIc& boardIc : scanned.circuitIcs) {
        const CircuitIc* ic = matchingIc(circuit, boardIc);
        if (!ic) continue;
        const auto index = static_cast<int32_t>(b.circuitIcs.size());
        boardIc.icNumber = ic->icNumber;
        for (ListedPin& pin : boardIc.pins) {
            pin.net = -1;
            const auto same = std::find_if(ic->pins.begin(), ic->pins.end(),
                                           [&](const ListedPin& p) { return p.pinNumber == pin.pinNumber; });
            if (same == ic->pins.end()) continue;
            int32_t net = same->net;
            if (net == -1) {
                net = netByKind(b, boardIc.kindOf(pin.pinNumber));
            } else if (isNet(b, net)) {
                b.circuitNets[static_cast<std::size_t>(net)].merged = 0;
            }
            if (!isNet(b, net)) continue;
            pin.net = net;
            std::vector<int32_t>& ics = b.circuitNets[static_cast<std::size_t>(net)].ics;
            if (std::find(ics.begin(), ics.end(), index) == ics.end()) ics.push_back(index);
        }
        b.circuitIcs.push_back(std::move(boardIc));
    }
    return b;
}

}  // namespace

void BuildBoardHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                        int32_t EndSignalNumber, TextMeasurer& picture, HotElementLists& lists, SchSheet& sheet,
                        SchSheet& currentSheet, const CircuitBuild& circuit) {
    const CircuitBuild board = boardTables(currentSheet, circuit);
    // The circuit's whole IC range: a board may show any of its ICs, not only the first ones.
    BuildSchHotSpots(StartIcNumber, StartSignalNumber, EndIcNumber, EndSignalNumber, picture, lists, sheet,
                     currentSheet, board);
}

void BuildBoardHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                        int32_t EndSignalNumber, TextMeasurer& picture, HotElementLists& lists, SchSheet& sheet,
                        SchematicState& state) {
    BuildBoardHotSpots(StartIcNumber, StartSignalNumber, EndIcNumber, EndSignalNumber, picture, lists, sheet,
                       state.currentSheet, state.circuitBuild);
}

void BuildDiagramHotSpots(int32_t, int32_t, int32_t, int32_t, DiagramModel&, HotElementLists&, SchSheet& sheet,
                          SchSheet& currentSheet) {
    HandOverSheet(sheet, currentSheet);
}

void BuildDiagramHotSpots(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                          int32_t EndSignalNumber, DiagramModel& diagram, HotElementLists& lists, SchSheet& sheet,
                          SchematicState& state) {
    BuildDiagramHotSpots(StartIcNumber, StartSignalNumber, EndIcNumber, EndSignalNumber, diagram, lists, sheet,
                         state.currentSheet);
}

}  // namespace schematic
