#pragma once
// Block diagrams (diagrams.txt): boxes, arrows, buses and texts, one diagram
// per experiment.
//
//   diagram FILE WIDTH HEIGHT TITLE
//   box X1 Y1 X2 Y2 LINE|LINE...      a framed box with lines of text
//   arrow X1 Y1 X2 Y2 [X3 Y3 ...]     a line with an arrowhead at its last point
//   twoway X1 Y1 X2 Y2 [X3 Y3 ...]    a line with arrowheads at both ends
//   bus X1 Y1 X2 Y2                   a bus (a double line); a text names it
//   text X Y TEXT
//
// Indented lines under a box or bus say what it stands for in the default
// circuit; they draw nothing:
//     ics U7 U8                       the circuit's ICs
//     nets CLK DB7..0                 the circuit's signals

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace labdata {

struct DiagramItem {
    enum class Kind { Box, Arrow, TwoWay, Bus, Text };
    Kind kind = Kind::Text;
    std::vector<int32_t> coords;     // x, y pairs
    std::vector<std::string> lines;  // text lines
    std::vector<std::string> ics;    // designators
    std::vector<std::string> nets;   // signal names, ranges expanded
    int line = 0;                    // where the description has it
};

struct DiagramPlan {
    std::string file;
    int32_t width = 0, height = 0;
    std::string title;
    std::vector<DiagramItem> items;
};

std::vector<DiagramPlan> parseDiagramPlans(std::string_view text);

}  // namespace labdata
