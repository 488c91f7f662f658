#include <gtest/gtest.h>

#include <QByteArray>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>

#include "data_paths.h"
#include "circuit_console.h"
#include "labdata/src/generate.h"
#include "platform/rtf_reader.h"
#include "schematic/board_hot_spots.h"
#include "schematic/bus_range.h"
#include "schematic/fixed_width_measurer.h"
#include "schematic/recording_notifier.h"
#include "schematic/sch_reader.h"
#include "sim/ic_type.h"

namespace labtest {
namespace {

namespace fs = std::filesystem;

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<fs::path> dataFiles(const std::string& extension) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(dataDir()))
        if (lower(e.path().extension().string()) == extension) out.push_back(e.path());
    return out;
}

std::set<std::string> fileNames(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

TEST(DataFolder, HoldsExactlyWhatTheGeneratorWrites) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    std::string error;
    ASSERT_TRUE(labdata::writeLabData(labdata::generateLabData(descriptionDir()), out.path().toStdString(), error)) << error;
    const std::set<std::string> made = fileNames(out.path().toStdString());
    EXPECT_EQ(made, fileNames(dataDir())) << "run labdata into data/";
    for (const std::string& name : made)
        EXPECT_EQ(labdata::readWholeFile(out.path().toStdString() + "/" + name), labdata::readWholeFile(dataDir() + "/" + name))
            << name << " differs from the generator's output: run labdata into data/";
}

TEST(DataFolder, EverySchematicAndTextReads) {
    const std::vector<fs::path> sheets = dataFiles(".sch");
    EXPECT_EQ(sheets.size(), 7u);  // the circuit, the board and five block diagrams
    for (const fs::path& p : sheets) {
        schematic::SchSheet sheet;
        schematic::RecordingNotifier notifier;
        const std::string bytes = labdata::readWholeFile(p);
        EXPECT_EQ(schematic::ReadSchBytes(sheet, bytes, notifier), 1) << p;
        EXPECT_TRUE(notifier.events.empty()) << p << ": " << (notifier.events.empty() ? "" : notifier.events[0]);
    }
    const std::vector<fs::path> texts = dataFiles(".rtf");
    EXPECT_EQ(texts.size(), 10u);
    for (const fs::path& p : texts) {
        const std::string bytes = labdata::readWholeFile(p);
        const auto content = platform::parseRtf(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        ASSERT_TRUE(content) << p;
        // Every text opens with its Chinese title.
        EXPECT_TRUE(content->plainText().startsWith(QStringLiteral("实验"))) << p;
    }
}

// The default circuit as the circuit window gets it.
class DefaultCircuit : public ::testing::Test {
protected:
    CircuitConsole console{defaultCircuit(), sourceRoot()};
    const schematic::CircuitSetup& setup = console.setup();
    const schematic::CircuitBuild& build = console.build();

    void SetUp() override { ASSERT_TRUE(console.loaded()) << console.error(); }
};

TEST_F(DefaultCircuit, RecognisesEveryPartAndReachesEveryInputByAWire) {
    schematic::SchSheet sheet;
    schematic::SilentSchNotifier quiet;
    ASSERT_EQ(schematic::ReadSchBytes(sheet, labdata::readWholeFile(fs::path(defaultCircuit())), quiet), 1);
    std::set<std::string> parts;
    std::set<int32_t> types;
    for (const schematic::SchElement& e : sheet.elements) {
        if (e.kind != schematic::SchElementKind::Part) continue;
        EXPECT_GE(sim::icTypeFromName(e.text(3)), 0) << e.text(2) << " has part type " << e.text(3);
        parts.insert(e.text(2));
        types.insert(sim::icTypeFromName(e.text(3)));
    }
    EXPECT_EQ(parts.size(), build.circuitIcs.size());
    // Every type but the two GAL programs without a place in this circuit.
    EXPECT_EQ(types.size(), static_cast<std::size_t>(sim::kIcTypeCount - 2));

    for (const schematic::CircuitIc& ic : build.circuitIcs) {
        for (const schematic::ListedPin& pin : ic.pins) {
            if (ic.kindOf(pin.pinNumber) != sim::PinKind::Input) continue;
            bool reached = false;
            if (pin.hasEnd && pin.net >= 0) {
                for (int32_t w : build.circuitNets[static_cast<std::size_t>(pin.net)].wires) {
                    const schematic::SchElement& wire = sheet.elements[static_cast<std::size_t>(w)];
                    for (std::size_t k = 4; k + 1 < wire.params.size(); k += 2)
                        reached = reached || (wire.params[k] == pin.end.x && wire.params[k + 1] == pin.end.y);
                }
            }
            EXPECT_TRUE(reached) << ic.designator << " pin " << pin.pinNumber << " is an input no wire reaches";
        }
    }
    const sim::Simulator& s = console.simulator();
    std::cout << "default circuit: " << s.LastIcNumber + 1 << " ICs, " << s.LastSignalNumber + 1 << " nets, "
              << s.LastFanoutNumber << " fanout records\n";
    EXPECT_LE(s.LastIcNumber + 1, 207);
    EXPECT_LE(s.LastSignalNumber + 1, 910);
    EXPECT_LE(s.LastFanoutNumber, 506);
}

// Items of a directive list: split at blanks and commas, ranges expanded.
std::vector<std::string> items(const std::string& list) {
    std::vector<std::string> out;
    std::string word;
    for (const char c : list + " ") {
        if (c != ' ' && c != ',') {
            word += c;
            continue;
        }
        if (word.empty()) continue;
        if (schematic::isBusRange(word)) {
            const std::vector<std::string> names = schematic::busRangeNames(word).value();
            out.insert(out.end(), names.begin(), names.end());
        } else {
            out.push_back(word);
        }
        word.clear();
    }
    return out;
}

template <class Entries>
const typename Entries::value_type* named(const Entries& entries, const std::string& name) {
    for (const auto& e : entries)
        if (e.Name == name) return &e;
    return nullptr;
}

bool netNamed(const sim::Simulator& s, int32_t net, const std::string& name) {
    const std::string& names = s.NetTable[static_cast<std::size_t>(net)].Name;
    return (";" + names + ";").find(";" + name + ";") != std::string::npos;
}

TEST_F(DefaultCircuit, EveryDirectiveItemReachesTheSetup) {
    const sim::Simulator& s = console.simulator();
    const schematic::LabDirectives& d = build.labDirectives;
    ASSERT_NE(setup.ClockNet, -1);
    EXPECT_TRUE(netNamed(s, setup.ClockNet, d.clkName));
    EXPECT_EQ(setup.ClockMode, 1);
    ASSERT_NE(setup.ResetNet, -1);
    EXPECT_TRUE(netNamed(s, setup.ResetNet, d.resetName));

    for (const schematic::Stimulus& st : d.stimuli) {
        if (schematic::isBusRange(st.name)) {
            const schematic::InBusEntry* bus = named(setup.InBuses, st.name);
            ASSERT_TRUE(bus) << st.name;
            EXPECT_EQ(static_cast<std::size_t>(bus->Width()), schematic::busRangeNames(st.name)->size()) << st.name;
        } else {
            bool found = false;
            for (const schematic::InSignalEntry& sw : setup.InSignals) found = found || netNamed(s, sw.Nets[0], st.name);
            EXPECT_TRUE(found) << "switch " << st.name;
        }
    }
    EXPECT_EQ(setup.InSignals.size() + setup.InBuses.size(), d.stimuli.size());
    for (const schematic::TitledList& p : d.probes) {
        const schematic::OutBusEntry* row = named(setup.OutBuses, p.title);
        ASSERT_TRUE(row) << p.title;
        EXPECT_EQ(static_cast<std::size_t>(row->Count()), items(p.list).size()) << p.title;
    }
    for (const schematic::TitledList& p : d.icProbes) {
        const schematic::IcOutEntry* row = named(setup.IcOuts, p.title);
        ASSERT_TRUE(row) << p.title;
        EXPECT_EQ(static_cast<std::size_t>(row->Count()), items(p.list).size()) << p.title;
    }
    for (const auto& [lists, entries] : {std::pair{&d.loadMems, &setup.LoadMems}, std::pair{&d.saveMems, &setup.SaveMems}}) {
        ASSERT_EQ(entries->size(), lists->size());
        for (std::size_t i = 0; i < lists->size(); ++i)
            EXPECT_EQ(static_cast<std::size_t>((*entries)[i].ChipCount()), items((*lists)[i].list).size()) << (*lists)[i].title;
    }
    ASSERT_EQ(setup.Labs.size(), d.labs.size());
    for (std::size_t i = 0; i < d.labs.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(setup.Labs[i].TextCount()), items(d.labs[i].list).size()) << setup.Labs[i].Name;
        EXPECT_FALSE(setup.Labs[i].DiagramFile.empty()) << setup.Labs[i].Name;
    }
    EXPECT_EQ(setup.BoardFile, d.vrPcbFile);
}

TEST_F(DefaultCircuit, NamesOnlyFilesTheDataFolderHolds) {
    auto present = [](const std::string& name) { return fs::exists(fs::path(dataDir() + "/" + name)); };
    EXPECT_TRUE(present(setup.BoardFile)) << setup.BoardFile;
    for (const schematic::LabEntry& lab : setup.Labs) {
        EXPECT_TRUE(present(lab.DiagramFile)) << lab.DiagramFile;
        for (const std::string& f : lab.TextFiles) EXPECT_TRUE(present(f)) << f;
    }
    for (const schematic::MemImageEntry& m : build.memImageEntries) EXPECT_TRUE(present(m.fileName)) << m.fileName;
}

// The board shows the circuit's chips: every one of them is hot there, under
// the circuit's IC number, and so is every pin it draws.
TEST_F(DefaultCircuit, BoardChipsAreTheCircuitsChips) {
    const sim::Simulator& s = console.simulator();
    schematic::SchSheet board, taken;
    schematic::SilentSchNotifier quiet;
    ASSERT_EQ(schematic::ReadSchBytes(board, labdata::readWholeFile(dataDir() + "/" + setup.BoardFile), quiet), 1);
    schematic::schtest::FixedWidthMeasurer measurer;
    schematic::HotElementLists hot;
    schematic::BuildBoardHotSpots(0, 0, s.LastIcNumber, s.LastSignalNumber, measurer, hot, taken, board, build);
    std::set<int32_t> bodies;
    std::size_t pinLines = 0;
    for (const schematic::HotElementBox& b : hot.Boxes) {
        if (b.Id >= schematic::icBodyId(0)) bodies.insert(b.Id - schematic::icBodyId(0));
        else ++pinLines;
    }
    EXPECT_EQ(bodies.size(), build.circuitIcs.size());
    std::size_t pins = 0;
    for (const schematic::CircuitIc& ic : build.circuitIcs) pins += static_cast<std::size_t>(ic.pinCount);
    EXPECT_EQ(pinLines, pins);
}

}  // namespace
}  // namespace labtest
