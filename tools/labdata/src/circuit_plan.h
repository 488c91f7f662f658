#pragma once
// The description of the default circuit (circuit.txt): where each IC stands,
// how its pins are connected, which nets are drawn as buses, the frames,
// notes and title block of the sheet, and the experiment directives.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace labdata {

struct PinConnection {
    int32_t pin = 0;  // package pin number
    std::string net;
};

struct IcPlan {
    std::string designator;
    std::string type;  // an IC type name, as the part type
    int32_t x = 0;
    int32_t y = 0;
    std::string image;    // memory image file, empty for none
    std::string caption;  // what the IC does, written beside it
    std::vector<PinConnection> connections;
    int line = 0;  // in the description, for messages about the IC's place
};

struct FramePlan {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string title;

    // A block holds the ICs whose origin lies in its frame.
    bool holds(const IcPlan& ic) const { return ic.x >= x1 && ic.x <= x2 && ic.y >= y1 && ic.y <= y2; }
};

// Nets drawn as a bus: each pin's stub keeps its label and meets the bus line
// through a bus entry; the lines of the blocks join a trunk down the sheet's
// left or right edge when one is named.
struct BusPlan {
    std::string name;
    std::vector<std::string> nets;
    enum class Trunk { None, Left, Right } trunk = Trunk::None;
    bool below = false;  // its lines rather leave the chips downwards
};

struct NotePlan {
    int32_t x = 0, y = 0;
    std::string text;
};

struct CircuitPlan {
    int32_t width = 0, height = 0;
    std::vector<FramePlan> frames;
    std::vector<NotePlan> notes;
    std::vector<IcPlan> ics;
    std::vector<BusPlan> buses;
    std::vector<std::string> stimuli, probes, vectors;
    std::string title;          // the circuit's name in the title block
    std::string drawingNumber;  // the title block's drawing number
};

// Throws PlanError for a line it cannot take (an unknown IC type or pin name
// included), naming the line.
CircuitPlan parseCircuitPlan(std::string_view text);

}  // namespace labdata
