#include "schematic/wire_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <numeric>
#include <random>

namespace schematic {
namespace {

using Segment = SegmentIndex::Segment;

// The segments holding `p`, by testing every one.
std::vector<int32_t> holdingByScan(const std::vector<Segment>& segments, SheetPoint p) {
    std::vector<int32_t> found;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (pointOnSegment(p, segments[i].a, segments[i].b)) found.push_back(static_cast<int32_t>(i));
    }
    return found;
}

// Points worth asking about, each with the segment it was taken from (-1
// none): the lattice points of every segment (the only points it holds;
// all of them on a short one), their neighbours, and random points.
std::vector<std::pair<SheetPoint, int32_t>> probesFor(const std::vector<Segment>& segments, std::mt19937& rnd) {
    std::vector<std::pair<SheetPoint, int32_t>> points;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment& s = segments[i];
        const auto from = static_cast<int32_t>(i);
        const int64_t dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
        const int64_t g = std::gcd(dx, dy);
        points.push_back({s.a, from});
        points.push_back({s.b, from});
        if (g == 0) continue;
        for (int64_t k = 0; k < std::min<int64_t>(g + 1, 512); ++k) {
            const int64_t t = g < 512 ? k : static_cast<int64_t>(rnd() % static_cast<uint64_t>(g + 1));
            const SheetPoint on{s.a.x + t * (dx / g), s.a.y + t * (dy / g)};
            points.push_back({on, from});
            if (k % 8 == 0) {
                points.push_back({{on.x + 1, on.y}, -1});
                points.push_back({{on.x, on.y - 1}, -1});
            }
        }
    }
    for (int k = 0; k < 50; ++k) points.push_back({{int64_t(rnd() % 2000) - 1000, int64_t(rnd() % 2000) - 1000}, -1});
    return points;
}

// The index finds exactly what testing every segment finds, on sheets of
// short wires, with a few very long ones, slanted ones, points and the
// extremes of the coordinate range.
TEST(SegmentIndex, FindsExactlyTheSegmentsHoldingAPoint) {
    constexpr int64_t lo = INT32_MIN, hi = INT32_MAX;
    struct Case {
        const char* what;
        std::function<Segment(std::mt19937&)> segment;
        int count;
    } cases[] = {
        {"short axis-parallel wires",
         [](std::mt19937& r) {
             const int64_t x = r() % 400, y = r() % 400, len = r() % 60;
             return r() % 2 ? Segment{{x, y}, {x + len, y}} : Segment{{x, y}, {x, y - len}};
         },
         400},
        {"short wires and a few spanning the whole range",
         [](std::mt19937& r) {
             const int64_t x = r() % 400, y = r() % 400;
             if (r() % 50 == 0) return Segment{{lo, y}, {hi, y}};
             if (r() % 50 == 0) return Segment{{x, hi}, {x, lo}};
             return Segment{{x, y}, {x + int64_t(r() % 30), y}};
         },
         400},
        {"short wires scattered over the whole range",
         [](std::mt19937& r) {
             const int64_t x = int64_t(r()) + lo, y = int64_t(r()) + lo, len = r() % 60;
             return r() % 2 ? Segment{{x, y}, {x + len, y + len / 2}} : Segment{{x, y}, {x, y - len}};
         },
         300},
        {"slanted wires of every steepness",
         [](std::mt19937& r) {
             const int64_t x = int64_t(r() % 600) - 300, y = int64_t(r() % 600) - 300;
             const int64_t n = r() % 120;
             int64_t sx = 1 + r() % 2, sy = int64_t(r() % 19) - 9;  // steep and shallow, up and down
             if (r() % 2) std::swap(sx, sy);
             if (r() % 2) sx = -sx;
             return Segment{{x, y}, {x + sx * n, y + sy * n}};
         },
         400},
        {"points and extreme diagonals",
         [](std::mt19937& r) {
             switch (r() % 4) {
                 case 0: return Segment{{lo, lo}, {hi, hi}};
                 case 1: return Segment{{hi, lo}, {lo, hi}};
                 case 2: {
                     const int64_t x = int64_t(r() % 100) - 50;
                     return Segment{{x, x}, {x, x}};
                 }
                 default: return Segment{{lo + 1, hi}, {hi, hi - 2}};
             }
         },
         60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::mt19937 rnd(42);
        std::vector<Segment> segments;
        for (int i = 0; i < c.count; ++i) segments.push_back(c.segment(rnd));
        const SegmentIndex index(segments);
        int k = 0;
        for (const auto& [p, from] : probesFor(segments, rnd)) {
            std::vector<int32_t> found = {-7};  // what `out` held before stays
            index.holding(p, found);
            ASSERT_EQ(found.front(), -7);
            found.erase(found.begin());
            // Each point is found on the segment it was taken from, and only on
            // segments that hold it; every so often all segments are tested.
            if (from >= 0) {
                ASSERT_TRUE(std::binary_search(found.begin(), found.end(), from)) << p.x << "," << p.y;
            }
            for (int32_t s : found) {
                ASSERT_TRUE(pointOnSegment(p, segments[std::size_t(s)].a, segments[std::size_t(s)].b));
            }
            if (++k % 32 == 0 || from < 0) {
                ASSERT_EQ(found, holdingByScan(segments, p)) << p.x << "," << p.y;
            }
        }
    }
}

}  // namespace
}  // namespace schematic
