#pragma once
// The build tables of one circuit: what the element scan collects from a sheet
// and net building completes, before registration numbers it into the
// simulator. A CircuitBuild describes one circuit; a fresh one is empty, with
// the supply-net indexes at -1.
//
// Indexes: a CircuitNet lists ICs by their index in circuitIcs and wires by
// their element index in the sheet; a listed pin names its net by index in
// circuitNets and its label group by index in netNameGroups (-1 none).

#include <cstdint>
#include <string>
#include <vector>

#include "schematic/lab_directives.h"
#include "schematic/part_transform.h"
#include "sim/ic_type.h"
#include "sim/pin_table.h"

namespace schematic {

// One pin of an IC that the sheet places (or that net building appends for a
// part the sheet does not place): its pin number, outer end, net, label group,
// and the Part and Pin record that drew it.
struct ListedPin {
    int32_t pinNumber = 0;
    // The outer end on the sheet; appended pins have none.
    bool hasEnd = false;
    SheetPoint end;
    int32_t net = -1;
    int32_t nameGroup = -1;
    // Element index of the Part that placed the pin, -1 for an appended pin.
    int32_t partElement = -1;
    // Index of the Pin record in that Part's library graphics, -1 for an appended pin.
    int32_t graphicIndex = -1;

    friend bool operator==(const ListedPin&, const ListedPin&) = default;
};

struct CircuitIc {
    int32_t icNumber = 0;  // global number, set by registration
    int32_t type = 0;      // IcType
    std::string designator;
    int32_t pinCount = 0;
    int32_t inputCount = 0;
    int32_t outputCount = 0;
    int32_t bidirCount = 0;
    // Indexed by pin number 0..pinCount; entry 0 stays 0.
    std::vector<int32_t> pinRoles;
    std::vector<sim::PinKind> pinKinds;
    // In the order the pins were listed; pins.size() is PinsPlaced.
    std::vector<ListedPin> pins;

    int32_t pinsPlaced() const { return static_cast<int32_t>(pins.size()); }
    // The kind of a pin number; pins outside 1..pinCount are never listed.
    sim::PinKind kindOf(int32_t pinNumber) const { return pinKinds[static_cast<std::size_t>(pinNumber)]; }
    bool lists(int32_t pinNumber) const;
};

// A new IC of `type` (0..22) with its type's pin counts, roles and kinds and no
// listed pins.
CircuitIc makeCircuitIc(int32_t type, std::string designator);

struct CircuitNet {
    int32_t signalNumber = 0;  // set by registration; -1 when not registered
    // 0 for a net of its own; 1 once folded into another net (its lists no
    // longer count); the board rescan hides nets with -1.
    int32_t merged = 0;
    std::vector<int32_t> wires;  // element indexes of Wire records
    std::vector<int32_t> ics;    // ICs with at least one pin on the net
    int32_t readerGroup = 0;
    std::vector<int32_t> readers;    // ICs with an input or bidirectional pin on it
    std::vector<int32_t> inputIcs;   // ... with an input pin
    std::vector<int32_t> bidirIcs;   // ... with a bidirectional pin
    std::vector<int32_t> outputIcs;  // ... with an output or open-collector pin
    int32_t nameGroup = 0;

    bool live() const { return merged == 0 && !ics.empty(); }
};

struct LabelPoint {
    int64_t x = 0;
    int64_t y = 0;
    int32_t elementIndex = 0;  // the NetLabel element in the sheet

    friend bool operator==(const LabelPoint&, const LabelPoint&) = default;
};

// The names a net carries and where its labels stand.
struct NetNameGroup {
    int32_t merged = 0;
    std::vector<std::string> names;
    std::vector<LabelPoint> labelPoints;
    int32_t net = 0;
};

struct JunctionPoint {
    int64_t x = 0;
    int64_t y = 0;
    int32_t net = 0;
};

// The memory image a 2732 or 6116 part names in its first description.
struct MemImageEntry {
    int32_t icIndex = 0;
    std::string fileName;
    int32_t icNumber = 0;  // global number, set by registration

    friend bool operator==(const MemImageEntry&, const MemImageEntry&) = default;
};

// For finding equal lists of ICs (by index or by number) through a hash table.
struct IcListHash {
    std::size_t operator()(const std::vector<int32_t>& ics) const {
        uint64_t h = ics.size();
        for (int32_t ic : ics) h = (h ^ static_cast<uint32_t>(ic)) * 0x100000001B3ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

// Nets whose reader lists are equal share one fanout record.
struct NetReaderGroup {
    int32_t fanout = -1;       // set by registration
    int32_t firstSignal = -1;  // set by registration
    int32_t firstNet = 0;
};

struct CircuitBuild {
    std::vector<CircuitIc> circuitIcs;
    std::vector<CircuitNet> circuitNets;
    std::vector<NetNameGroup> netNameGroups;
    std::vector<JunctionPoint> junctionPoints;
    std::vector<MemImageEntry> memImageEntries;
    std::vector<NetReaderGroup> netReaderGroups;
    int32_t vccNet = -1;
    int32_t gndNet = -1;
    int32_t ncNet = -1;
    LabDirectives labDirectives;

    bool isSupplyNet(int32_t net) const { return net == vccNet || net == gndNet || net == ncNet; }
    // Not merged, with at least one IC, and not a supply net: the nets that
    // registration numbers after the three supply nets.
    bool isLiveNet(int32_t net) const;
};

}  // namespace schematic
