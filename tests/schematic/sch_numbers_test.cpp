#include "schematic/sch_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace schematic {
namespace {

TEST(SchNumbers, FieldNumberTakesTheLeadingDecimalAndRoundsHalfToEven) {
    struct Case { std::string field; std::optional<int32_t> expected; } cases[] = {
        {"0", 0},
        {"820", 820},
        {"-40", -40},
        {"+7", 7},
        {"1.5", 2},
        {"2.5", 2},
        {"-1.5", -2},
        {"-0.5", 0},
        {"0.49999", 0},
        {".5", 0},
        {"5.", 5},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"5 6", 56},          // a field that takes the rest of the line reads blanks away
        {"1\t2", 12},
        {" - 3", -3},
        {"12abc", 12},
        {"1e3", 1000},
        {"1E+2", 100},
        {"25e-1", 2},
        {"1e", 1},            // an exponent without digits is not part of the number
        {"1e+", 1},
        {"3.7x9", 4},
        {"16777215", 16777215},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483647.4", 2147483647},
        {"2147483647.5", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483648.6", std::nullopt},
        {"99999999999", std::nullopt},
        {"1e400", std::nullopt},
        {"1e99999999999999999999", std::nullopt},
        {"1e-400", 0},
        {"0e99999999999", 0},
        {std::string(400, '9'), std::nullopt},
        {"0." + std::string(400, '0') + "1", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(fieldNumber(c.field), c.expected) << '"' << c.field << '"';
}

TEST(SchNumbers, TextNumberReadsDecimalHexAndOctalIgnoringBlanks) {
    struct Case { std::string text; double expected; } cases[] = {
        {"10", 10},
        {"10H", 10},          // suffixes mean nothing here
        {"FFH", 0},
        {"&HFF", 255},
        {"&hff", 255},
        {"&HFFFF", 65535},
        {"&HFFFFFFFF", 4294967295.0},
        {"&O17", 15},
        {"&O19", 1},          // stops at the first digit the radix lacks
        {"&X1", 0},
        {"&", 0},
        {" CP 1", 0},
        {"1 0", 10},
        {"1\n2\t3", 123},
        {"-2.5", -2.5},
        {"  7.25e1 ", 72.5},
        {"", 0},
        {"A 1", 0},
        {"& H 1 0", 16},
    };
    for (const auto& c : cases) EXPECT_EQ(textNumberValue(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_TRUE(std::isinf(textNumberValue("1e999")));
}

TEST(SchNumbers, RoundToInt32HalvesToEvenAndRefusesWhatDoesNotFit) {
    struct Case { double value; std::optional<int32_t> expected; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {-0.2, 0},
        {2147483647.0, 2147483647}, {2147483647.5, std::nullopt}, {-2147483648.5, -2147483647 - 1},
        {-2147483649.0, std::nullopt}, {4294967295.0, std::nullopt}, {INFINITY, std::nullopt}, {NAN, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(roundToInt32(c.value), c.expected) << c.value;
}

}  // namespace
}  // namespace schematic
