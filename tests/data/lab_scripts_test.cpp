#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "data_paths.h"
#include "circuit/console_actions.h"
#include "circuit_console.h"
#include "labdata/src/generate.h"
#include "labdata/src/lab_script.h"
#include "script_player.h"

namespace labtest {
namespace {

namespace fs = std::filesystem;

labdata::LabScript script(const std::string& name) {
    return labdata::parseLabScript(labdata::readWholeFile(descriptionDir() + "/scripts/" + name + ".txt"));
}

// Every experiment of the circuit is played from power-on, as its procedure
// text tells the student to, and every value the text promises is met.
class LabScripts : public ::testing::TestWithParam<const char*> {};

TEST_P(LabScripts, PlayAsTheProcedureTells) {
    CircuitConsole console(defaultCircuit(), sourceRoot());
    ASSERT_TRUE(console.loaded()) << console.error();
    const labdata::LabScript s = script(GetParam());
    bool isLab = false;
    for (const schematic::LabEntry& lab : console.setup().Labs) isLab = isLab || lab.Name == s.lab;
    EXPECT_TRUE(isLab) << s.lab << " is no experiment of the circuit";
    for (const std::string& failure : playScript(s, console, dataDir())) ADD_FAILURE() << GetParam() << ".txt " << failure;
}

INSTANTIATE_TEST_SUITE_P(Experiments, LabScripts, ::testing::Values("bus", "mem", "alu", "seq", "uart"));

TEST(LabScriptsCover, EveryExperimentOfTheCircuit) {
    CircuitConsole console(defaultCircuit(), sourceRoot());
    ASSERT_TRUE(console.loaded()) << console.error();
    std::set<std::string> scripted;
    for (const auto& e : fs::directory_iterator(descriptionDir() + "/scripts"))
        scripted.insert(labdata::parseLabScript(labdata::readWholeFile(e.path())).lab);
    for (const schematic::LabEntry& lab : console.setup().Labs) EXPECT_TRUE(scripted.count(lab.Name)) << lab.Name;
}

// The failures of a script of the bus experiment whose steps follow, played
// from power-on; its first step puts 55H on the bus from the switches.
std::vector<std::string> playFromSwitches55(const std::string& steps) {
    CircuitConsole console(defaultCircuit(), sourceRoot());
    EXPECT_TRUE(console.loaded()) << console.error();
    return playScript(labdata::parseLabScript("lab 寄存器与总线\n"
                                              "step a\n"
                                              "  bus SW7..0 55H\n"
                                              "  switch SW_B 0\n" +
                                              steps),
                      console, dataDir());
}

// The player is no rubber stamp: a wrong value, a switch already at its
// level and an unannounced conflict are each reported with their line.
TEST(ScriptPlayer, ReportsWhatDidNotHappen) {
    const std::vector<std::string> failures = playFromSwitches55(
        "  expect 数据总线DB 56 from U6\n"
        "step b\n"
        "  switch SW_B 0\n"
        "step c\n"
        "  switch R0_B 0\n");
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_EQ(failures[0], "line 5: 数据总线DB shows 55, expected 56");
    EXPECT_EQ(failures[1], "line 7: SW_B already is 0");
    EXPECT_EQ(failures[2], "line 9: conflicts recorded: 8, expected 0");
}

// A bus keeps its last value after its drivers let go of it: a read passes
// only while the part the step names drives every bus net it reads.
TEST(ScriptPlayer, ReadsABusOnlyFromThePartTheStepNames) {
    const std::vector<std::string> failures = playFromSwitches55(
        "  expect 数据总线DB 55 from U6\n"
        "  expect 数据总线DB 55\n"
        "  expect 数据总线DB 55 from U7\n"
        "  expect 数据总线DB 55 from U6,U7\n"
        "  expect 地址寄存器AR 00 from U9\n"
        "  expect 寄存器R0 00 from U7\n"
        "step b\n"
        "  switch SW_B 1\n"
        "  expect 数据总线DB 55 from U6\n"
        "  expect 数据总线DB x5 from U6\n"
        "  expect 地址寄存器AR 00\n");
    const std::vector<std::string> expected = {
        "line 6: 数据总线DB reads the bus DB7: name the part that drives it",
        "line 7: DB7 is driven by U6, not by the part the step names",
        "line 8: U7 drives none of the bus nets 数据总线DB reads",
        "line 9: U9 drives none of the bus nets 地址寄存器AR reads",
        "line 10: 寄存器R0 shows no nets to be driven",
        "line 13: DB7 is driven by no part: 数据总线DB shows what was left on it",
        "line 14: DB3 is driven by no part: 数据总线DB shows what was left on it",
    };
    EXPECT_EQ(failures, expected);
}

// The bus-box values the scripts type, as the console reads them.
TEST(ConsoleTexts, BusBoxValues) {
    struct Case {
        const char* text;
        int width;
        int64_t value;
    } cases[] = {{"1FFH", 8, 511}, {"300", 8, 300}, {"0AAH", 8, 0xAA}, {"1C3H", 9, 0x1C3}, {"101B", 4, 5},
                 {"H", 8, 0},      {"", 8, 0},      {"12345H", 8, 0x123}, {"7", 4, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(circuit::busBoxNumber(QString::fromUtf8(c.text), c.width), static_cast<uint64_t>(c.value)) << c.text;
}

}  // namespace
}  // namespace labtest
