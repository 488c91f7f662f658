#pragma once
// Readable forms of what a built circuit leaves, for expectations.

#include "schematic/hot_elements.h"
#include "sim/records.h"

#include <sstream>
#include <string>
#include <vector>

namespace schematic::schtest {

// The ICs of a fanout record, in order.
inline std::vector<int32_t> fanoutIcs(const sim::FanoutRecord& r) {
    return std::vector<int32_t>(r.Ics.begin(), r.Ics.begin() + r.IcCount);
}

// One "x1,y1,x2,y2 #id" line per hot element.
inline std::vector<std::string> describeHotElements(const HotElementLists& lists) {
    std::vector<std::string> lines;
    for (const HotElementBox& b : lists.Boxes) {
        std::ostringstream out;
        out << b.X1 << "," << b.Y1 << "," << b.X2 << "," << b.Y2 << " #" << b.Id;
        lines.push_back(out.str());
    }
    return lines;
}

}  // namespace schematic::schtest
