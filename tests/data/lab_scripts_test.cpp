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

// The player is no rubber stamp: a wrong value, a switch already at its
// level and an unannounced conflict are each reported with their line.
TEST(ScriptPlayer, ReportsWhatDidNotHappen) {
    CircuitConsole console(defaultCircuit(), sourceRoot());
    ASSERT_TRUE(console.loaded()) << console.error();
    const labdata::LabScript s = labdata::parseLabScript(
        "lab 寄存器与总线\n"
        "step a\n"
        "  bus SW7..0 55H\n"
        "  switch SW_B 0\n"
        "  expect 数据总线DB 56\n"
        "step b\n"
        "  switch SW_B 0\n"
        "step c\n"
        "  switch R0_B 0\n");
    const std::vector<std::string> failures = playScript(s, console, dataDir());
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_EQ(failures[0], "line 5: 数据总线DB shows 55, expected 56");
    EXPECT_EQ(failures[1], "line 7: SW_B already is 0");
    EXPECT_EQ(failures[2], "line 9: conflicts recorded: 8, expected 0");
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
