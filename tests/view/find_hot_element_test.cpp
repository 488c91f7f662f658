// The hit test over a view's hot elements: rectangles with their edges, wire
// segments within the tolerance, the first entry in list order winning.

#include <gtest/gtest.h>

#include "schematic/hot_elements.h"
#include "view/find_hot_element.h"

namespace {

using schematic::HotElementBox;
using schematic::HotElementLists;

HotElementLists listOf(std::initializer_list<HotElementBox> boxes) {
    HotElementLists l;
    l.Boxes = boxes;
    return l;
}

constexpr int32_t kWire = 7;
constexpr int32_t kLabel = 9 | 0x100000;
constexpr int32_t kIc = 3 | 0x110000;
const int32_t kBit31 = static_cast<int32_t>(0x80000005u);

struct Probe {
    float x, y;
    int32_t tolerance;
    int32_t expected;
};

void expectProbes(const HotElementLists& lists, std::initializer_list<Probe> probes, const char* what) {
    for (const Probe& p : probes)
        EXPECT_EQ(view::FindHotElement(p.x, p.y, lists, p.tolerance), p.expected)
            << what << " at (" << p.x << ", " << p.y << ") s=" << p.tolerance;
}

TEST(FindHotElement, RectanglesIncludeTheirEdgesOnly) {
    const auto lists = listOf({{10, 20, 60, 40, kIc}});
    expectProbes(lists,
                 {{10, 20, 0, kIc}, {60, 40, 0, kIc}, {35, 30, 0, kIc}, {9.99f, 30, 5, -1}, {35, 40.01f, 5, -1},
                  {60.01f, 20, 0, -1}},
                 "IC body");
    // Bit 31 makes a rectangle too: (8, 2) lies in the box but 4 units off its diagonal.
    expectProbes(listOf({{0, 0, 10, 10, kBit31}}), {{8, 2, 1, kBit31}}, "bit 31");
    expectProbes(listOf({{0, 0, 10, 10, 5}}), {{8, 2, 1, -1}, {5, 5, 1, 5}}, "same corners as a wire");
    EXPECT_EQ(view::FindHotElement(1, 1, HotElementLists{}, 5), -1);
}

TEST(FindHotElement, WiresAcrossTheirToleranceButNotPastTheirEnds) {
    expectProbes(listOf({{10, 20, 10, 60, kWire}}),
                 {{12, 40, 2, kWire}, {8, 60, 2, kWire}, {10, 20, 0, kWire}, {12.5f, 40, 2, -1}, {10, 61, 2, -1},
                  {10, 19, 2, -1}},
                 "vertical");
    // Stored bottom-up, a vertical wire is the same band.
    expectProbes(listOf({{10, 60, 10, 20, kWire}}), {{11, 30, 2, kWire}, {10, 61, 2, -1}}, "vertical upwards");
    expectProbes(listOf({{10, 20, 60, 20, kWire}}),
                 {{35, 22, 2, kWire}, {10, 18, 2, kWire}, {35, 22.5f, 2, -1}, {9, 20, 2, -1}, {61, 20, 2, -1}},
                 "horizontal");
    // A point is a vertical wire without extent: only its own height.
    expectProbes(listOf({{5, 5, 5, 5, kWire}}), {{6, 5, 2, kWire}, {5, 6, 2, -1}}, "point");
}

TEST(FindHotElement, SlantedWiresByTheDistanceToTheirLine) {
    const auto up = listOf({{0, 0, 40, 30, kWire}});
    expectProbes(up,
                 {{20, 18, 3, kWire},      // 2.4 from the line
                  {20, 20, 3, -1},         // 4 from it
                  {-2, -1.5f, 3, kWire},   // on the line, 2.5 before its start
                  {-4, -3, 3, -1},         // on the line but left of X1 - s
                  {20, 15, 0, kWire},      // tolerance 0: on the line only
                  {20, 16, 0, -1}},
                 "rising");
    expectProbes(listOf({{0, 30, 40, 0, kWire}}), {{20, 12, 3, kWire}, {20, 10, 3, -1}}, "falling");
}

TEST(FindHotElement, TheFirstEntryHitWins) {
    const HotElementBox label{30, 10, 50, 25, kLabel};
    const HotElementBox wire{0, 20, 100, 20, kWire};
    const HotElementBox body{0, 0, 100, 100, kIc};
    expectProbes(listOf({label, wire, body}), {{40, 20, 1, kLabel}, {10, 20, 1, kWire}, {10, 50, 1, kIc}}, "label first");
    expectProbes(listOf({wire, label, body}), {{40, 20, 1, kWire}, {40, 12, 1, kLabel}}, "wire first");
    expectProbes(listOf({body, wire}), {{10, 20, 1, kIc}}, "body first");
}

}  // namespace
