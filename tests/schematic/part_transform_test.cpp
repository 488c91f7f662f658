#include "schematic/part_transform.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace schematic {
namespace {

SchElement pinElement(int32_t x, int32_t y, int32_t length, int32_t dir) {
    SchElement pin;
    pin.kind = SchElementKind::Pin;
    pin.params.assign(pin_param::Count, 0);
    pin.params[pin_param::X] = x;
    pin.params[pin_param::Y] = y;
    pin.params[pin_param::Length] = length;
    pin.params[pin_param::Direction] = dir;
    pin.texts = {"A", "1"};
    return pin;
}

SchElement partElement(int32_t x, int32_t y, int32_t orientation, int32_t mirror) {
    SchElement part;
    part.kind = SchElementKind::Part;
    part.params.assign(part_param::Count, 0);
    part.params[part_param::X] = x;
    part.params[part_param::Y] = y;
    part.params[part_param::Orientation] = orientation;
    part.params[part_param::Mirror] = mirror;
    return part;
}

TEST(PartTransform, PlacesLocalPointsByTheEightPlacements) {
    // (x, y) = (3, 7) on a part at (100, 200).
    struct Case { int32_t o; bool mirrored; SheetPoint expected; } cases[] = {
        {0, false, {103, 193}}, {0, true, {97, 193}},
        {1, false, {93, 197}},  {1, true, {107, 197}},
        {2, false, {97, 207}},  {2, true, {103, 207}},
        {3, false, {107, 203}}, {3, true, {93, 203}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PartTransform(100, 200, c.o, c.mirrored).place(3, 7), c.expected) << c.o << " " << c.mirrored;
    }
}

TEST(PartTransform, ReadsThePartRecordAndTakesOrientationModuloFour) {
    const PartTransform t = PartTransform::of(partElement(100, 200, 1, 1));
    EXPECT_EQ(t.orientation(), 1);
    EXPECT_TRUE(t.mirrored());
    EXPECT_EQ(t.place(3, 7), (SheetPoint{107, 197}));
    // Only 1 means mirrored.
    EXPECT_FALSE(PartTransform::of(partElement(0, 0, 0, 2)).mirrored());

    for (int32_t o : {4, 5, -1, -4, 2147483647, -2147483647 - 1}) {
        const PartTransform odd = PartTransform::of(partElement(100, 200, o, 0));
        const PartTransform same = PartTransform(100, 200, ((o % 4) + 4) % 4, false);
        EXPECT_EQ(odd.orientation(), same.orientation()) << o;
        EXPECT_EQ(odd.place(3, 7), same.place(3, 7)) << o;
        EXPECT_EQ(odd.direction(6), same.direction(2)) << o;
    }
}

TEST(PartTransform, PinEndOfTheWorkedExample) {
    // Pin at (0, 10), length 30, pointing left, on a part at (500, 400) turned once.
    const PartTransform t(500, 400, 1, false);
    const SchElement pin = pinElement(0, 10, 30, direction::Left);
    EXPECT_EQ(t.pinInnerEnd(pin), (SheetPoint{490, 400}));
    EXPECT_EQ(t.pinDirection(pin), direction::Down);
    EXPECT_EQ(t.pinOuterEnd(pin), (SheetPoint{490, 430}));

    // Turned once and mirrored, a pin pointing right ends up pointing up; its
    // base is (PX + y, PY - x).
    const PartTransform m(500, 400, 1, true);
    const SchElement right = pinElement(4, 10, 30, direction::Right);
    EXPECT_EQ(m.pinDirection(right), direction::Up);
    EXPECT_EQ(m.pinInnerEnd(right), (SheetPoint{510, 396}));
    EXPECT_EQ(m.pinOuterEnd(right), (SheetPoint{510, 366}));
}

// The pin's outer end on the sheet is the placement of its outer end in the
// library, for every orientation, mirror flag and direction; and the sheet
// direction agrees with the rule the hot-spot model states (turn, then swap
// left and right on a mirrored part).
TEST(PartTransform, PinEndsAndDirectionsAgreeWithThePlacementOfTheLibraryPoint) {
    const int64_t localStep[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};  // library Y grows upwards
    for (int32_t o = 0; o < 4; ++o) {
        for (bool mirrored : {false, true}) {
            for (int32_t d = 0; d < 4; ++d) {
                SCOPED_TRACE(::testing::Message() << "o=" << o << " m=" << mirrored << " d=" << d);
                const PartTransform t(-250, 1700, o, mirrored);
                const SchElement pin = pinElement(13, -4, 20, d);
                const SheetPoint libraryEnd = t.place(13 + 20 * localStep[d][0], -4 + 20 * localStep[d][1]);
                EXPECT_EQ(t.pinOuterEnd(pin), libraryEnd);

                int32_t hotLineDir = (o + d) % 4;
                if (mirrored && (hotLineDir == 0 || hotLineDir == 2)) hotLineDir = 2 - hotLineDir;
                EXPECT_EQ(t.pinDirection(pin), hotLineDir);
                EXPECT_EQ(t.pinDirection(pinElement(13, -4, 20, d + 4)), hotLineDir);
            }
        }
    }
}

TEST(PartTransform, ExtremeValuesDoNotOverflow) {
    constexpr int32_t lo = std::numeric_limits<int32_t>::min();
    constexpr int32_t hi = std::numeric_limits<int32_t>::max();
    const PartTransform t(hi, lo, 2, true);
    EXPECT_EQ(t.place(lo, hi), (SheetPoint{int64_t{hi} + lo, int64_t{lo} + hi}));
    EXPECT_EQ(t.pinOuterEnd(pinElement(lo, lo, hi, direction::Right)),
              (SheetPoint{int64_t{hi} + lo + hi, int64_t{lo} + lo}));
}

}  // namespace
}  // namespace schematic
