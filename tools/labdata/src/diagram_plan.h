#pragma once
// Block diagrams (diagrams.txt): boxes, arrows, buses and texts, one diagram
// per experiment.
//
//   diagram FILE WIDTH HEIGHT TITLE
//   box X1 Y1 X2 Y2 LINE|LINE...      a framed box with lines of text
//   arrow X1 Y1 X2 Y2 [X3 Y3 ...]     a line with an arrowhead at its last point
//   bus X1 Y1 X2 Y2 NAME              a bus with its name
//   text X Y TEXT

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace labdata {

struct DiagramItem {
    enum class Kind { Box, Arrow, Bus, Text };
    Kind kind = Kind::Text;
    std::vector<int32_t> coords;     // x, y pairs
    std::vector<std::string> lines;  // text lines
};

struct DiagramPlan {
    std::string file;
    int32_t width = 0, height = 0;
    std::string title;
    std::vector<DiagramItem> items;
};

std::vector<DiagramPlan> parseDiagramPlans(std::string_view text);

}  // namespace labdata
