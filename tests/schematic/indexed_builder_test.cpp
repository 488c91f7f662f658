// The circuit builder against the reference builder (its former form, plain
// nested scans): on the fixture files and on generated sheets whose elements
// stand in scrambled order, both must leave the same build tables, simulator
// tables, setup and result, down to the order of every list. Each sheet is
// built twice into one simulator, so the second circuit's numbering counts too.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>

#include "reference_circuit_builder.h"
#include "support/source_tree.h"
#include "schematic/build_circuit.h"
#include "schematic/build_tables_dump.h"
#include "schematic/generated_sheet.h"
#include "schematic/sch_fixture.h"
#include "schematic/sch_reader.h"
#include "schematic/sim_tables_dump.h"
#include "sim/simulator.h"

namespace schematic {
namespace {

// "" when equal, else the first line where they part.
std::string firstDifference(const std::string& fast, const std::string& reference) {
    std::istringstream a(fast), b(reference);
    std::string x, y;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, x));
        const bool moreB = static_cast<bool>(std::getline(b, y));
        if (!moreA && !moreB) return "";
        if (!moreA || !moreB || x != y) {
            return "line " + std::to_string(line) + "\n  built:     " + (moreA ? x : "<end>") +
                   "\n  reference: " + (moreB ? y : "<end>");
        }
    }
}

struct Counts {
    std::size_t mergedNets = 0, mergedGroups = 0, liveNets = 0;
};

// Builds `sheet` twice with each builder, each builder into its own simulator
// prepared by `fill`, and compares everything after each build.
Counts expectSameAsReference(const SchSheet& sheet, const std::function<void(sim::Simulator&)>& fill = {}) {
    auto fast = std::make_unique<sim::Simulator>();
    auto ref = std::make_unique<sim::Simulator>();
    if (fill) {
        fill(*fast);
        fill(*ref);
    }
    Counts counts;
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("build " + std::to_string(round));
        CircuitSetup fastSetup, refSetup;
        CircuitBuild fastBuild, refBuild;
        const CircuitBuildResult f = BuildCircuit(*fast, sheet, fastSetup, fastBuild);
        const CircuitBuildResult r = reference::BuildCircuit(*ref, sheet, refSetup, refBuild);
        EXPECT_EQ(f.built, r.built);
        EXPECT_EQ(f.failure, r.failure);
        EXPECT_EQ(f.registration.registered, r.registration.registered);
        EXPECT_EQ(f.registration.needed, r.registration.needed);
        EXPECT_EQ(f.registration.available, r.registration.available);
        EXPECT_EQ(f.usart8251Ics(), r.usart8251Ics());
        EXPECT_EQ(firstDifference(schtest::dumpBuild(fastBuild), schtest::dumpBuild(refBuild)), "");
        EXPECT_TRUE(fastBuild.labDirectives == refBuild.labDirectives);
        EXPECT_EQ(firstDifference(schtest::dumpSetup(fastSetup), schtest::dumpSetup(refSetup)), "");
        EXPECT_EQ(firstDifference(schtest::dumpTables(*fast), schtest::dumpTables(*ref)), "");
        if (round == 1) {
            for (std::size_t n = 0; n < refBuild.circuitNets.size(); ++n) {
                counts.mergedNets += refBuild.circuitNets[n].merged != 0;
                counts.liveNets += refBuild.isLiveNet(static_cast<int32_t>(n));
            }
            for (const NetNameGroup& g : refBuild.netNameGroups) counts.mergedGroups += g.merged != 0;
        }
    }
    return counts;
}

std::string sourcePath(const std::string& relative) { return testsupport::sourceFile(relative); }

TEST(IndexedBuilder, FixtureFilesBuildAsTheReferenceDoes) {
    for (const char* file : {"tests/schematic/fixtures/complete.sch", "tests/schematic/fixtures/and_gate.sch",
                             "tests/view/fixtures/hot_view.sch", "tests/view/fixtures/parts.sch",
                             "tests/view/fixtures/symbols.sch", "tests/view/fixtures/shapes.sch",
                             "tests/view/fixtures/frames.sch"}) {
        SCOPED_TRACE(file);
        std::ifstream in(sourcePath(file), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty());
        SchSheet sheet;
        SilentSchNotifier quiet;
        ASSERT_EQ(ReadSchBytes(sheet, bytes, quiet), 1);
        expectSameAsReference(sheet);
    }
}

TEST(IndexedBuilder, GeneratedLabSheetsBuildAsTheReferenceDoes) {
    const schtest::LabSheetShape shapes[] = {
        {.ics = 6, .seed = 11, .maxPieces = 1},
        {.ics = 16, .seed = 12, .maxPieces = 4},
        {.ics = 24, .seed = 13, .maxPieces = 8},
        {.ics = 30, .seed = 14, .maxPieces = 3},
        {.ics = 20, .seed = 15, .maxPieces = 5, .scramble = false},
    };
    for (const auto& shape : shapes) {
        SCOPED_TRACE("seed " + std::to_string(shape.seed));
        const SchSheet sheet = schtest::generatedLabSheet(shape);
        const Counts c = expectSameAsReference(sheet);
        // The sheet is worth comparing on: pins, labels and junctions merged nets and groups.
        EXPECT_GT(c.mergedNets, 0u);
        EXPECT_GT(c.mergedGroups, 0u);
        EXPECT_GT(c.liveNets, static_cast<std::size_t>(2 * shape.ics));
    }
}

TEST(IndexedBuilder, SoupSheetsBuildAsTheReferenceDoes) {
    const schtest::SoupShape shapes[] = {
        {.size = 10, .seed = 21}, {.size = 30, .seed = 22}, {.size = 60, .seed = 23},
        {.size = 60, .seed = 24}, {.size = 90, .seed = 25}, {.size = 120, .seed = 26},
    };
    for (const auto& shape : shapes) {
        SCOPED_TRACE("seed " + std::to_string(shape.seed));
        const Counts c = expectSameAsReference(schtest::generatedSoupSheet(shape));
        if (shape.size >= 60) {
            EXPECT_GT(c.mergedNets, 0u);
            EXPECT_GT(c.mergedGroups, 0u);
        }
    }
}

// Refused by one table or another, or fitting exactly: the same result, and
// both simulators untouched by a refused circuit.
TEST(IndexedBuilder, TablesFullAsTheReferenceSays) {
    const SchSheet sheet = schtest::generatedLabSheet({.ics = 12, .seed = 31});
    const std::function<void(sim::Simulator&)> fills[] = {
        [](sim::Simulator& s) { s.LastIcNumber = 200; },
        [](sim::Simulator& s) { s.LastSignalNumber = 880; },
        [](sim::Simulator& s) { s.LastFanoutNumber = 490; },
        [](sim::Simulator& s) { s.LastIcNumber = 206 - 24; },
    };
    for (const auto& fill : fills) expectSameAsReference(sheet, fill);
}

}  // namespace
}  // namespace schematic
