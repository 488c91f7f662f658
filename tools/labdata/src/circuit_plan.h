#pragma once
// The description of the default circuit (circuit.txt): where each IC stands,
// how its pins are connected, the frames and notes of the sheet, and the
// experiment directives.

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
    std::vector<std::string> stimuli, probes, vectors;
};

// Throws PlanError for a line it cannot take (an unknown IC type or pin name
// included), naming the line.
CircuitPlan parseCircuitPlan(std::string_view text);

}  // namespace labdata
