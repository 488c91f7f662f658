#include "schematic/lab_directives.h"

#include <gtest/gtest.h>

#include <functional>

namespace schematic {
namespace {

using K = SchElementKind;

LabDirectives apply(std::initializer_list<std::pair<K, std::string>> records) {
    LabDirectives d;
    for (const auto& [kind, text] : records) EXPECT_EQ(applyDirective(d, kind, text), SchFailure::None) << text;
    return d;
}

TEST(SplitParenText, SplitsALeadingBalancedTitleOffItsList) {
    struct Case { std::string text, first, second; } cases[] = {
        {"(a(b)c) d", "a(b)c", "d"},
        {"(ab", "(ab", "(ab"},
        {"() x", "()x", "() x"},
        {"(Data Bus) D7 D6", "Data Bus", "D7 D6"},
        {"D7 D6", "D7D6", "D7 D6"},
        {"", "", ""},
        {"((a)(b))  U1.A ", "(a)(b)", "U1.A"},
        {"( 数据 总线 )地址", "数据 总线", "地址"},
        {"(a)b(c)", "a", "b(c)"},
    };
    for (const auto& c : cases) {
        const TitledList r = SplitParenText(c.text);
        EXPECT_EQ(r.title, c.first) << c.text;
        EXPECT_EQ(r.list, c.second) << c.text;
    }
}

// One directive text per row, and the fields it must leave.
TEST(LabDirectives, EachDirectiveFillsItsFields) {
    struct Case {
        K kind;
        std::string text;
        std::function<void(LabDirectives&)> expect;  // edits a fresh record into the expected one
    } cases[] = {
        {K::SimStimulus, "CLK(S/C):CP 1", [](auto& d) { d.clkMode = 1; d.clkName = "CP"; d.clkValue = 1; }},
        {K::SimStimulus, "CLK(S/C): CP 1", [](auto& d) { d.clkMode = 1; d.clkName = ""; d.clkValue = 0; }},
        {K::SimStimulus, "CLK(NS/C):CP 3", [](auto& d) { d.clkMode = 0; d.clkName = "CP"; d.clkValue = 1; }},
        {K::SimStimulus, "CLK(NS/C):CP 2", [](auto& d) { d.clkName = "CP"; d.clkValue = 0; }},
        {K::SimStimulus, "CLK(NS/C):CP -1", [](auto& d) { d.clkName = "CP"; d.clkValue = 1; }},
        {K::SimStimulus, "CLK(S/C):CP", [](auto& d) { d.clkMode = 1; d.clkName = "CP"; }},
        {K::SimStimulus, "  RESET:RST 0  ", [](auto& d) { d.resetName = "RST"; }},
        {K::SimStimulus, "RESET:RST 1.5", [](auto& d) { d.resetName = "RST"; d.resetValue = 0; }},  // 2 And 1
        {K::SimStimulus, "RESET:RST", [](auto& d) { d.resetName = "RST"; }},
        {K::SimStimulus, "A7..A0 255", [](auto& d) { d.stimuli = {{"A7..A0", 255}}; }},
        {K::SimStimulus, "D7..0 &H5A", [](auto& d) { d.stimuli = {{"D7..0", 0x5A}}; }},
        {K::SimStimulus, "SW3", [](auto& d) { d.stimuli = {{"SW3", 0}}; }},
        {K::SimStimulus, "X FFH", [](auto& d) { d.stimuli = {{"X", 0}}; }},
        {K::SimStimulus, "X 10H", [](auto& d) { d.stimuli = {{"X", 10}}; }},
        {K::SimStimulus, "X &H10", [](auto& d) { d.stimuli = {{"X", 16}}; }},
        {K::SimStimulus, "X 2 0", [](auto& d) { d.stimuli = {{"X", 20}}; }},
        {K::SimStimulus, "clk(S/C):CP 1", [](auto& d) { d.stimuli = {{"clk(S/C):CP", 1}}; }},
        {K::SimProbe, "(Data Bus) D7 D6", [](auto& d) { d.probes = {{"Data Bus", "D7 D6"}}; }},
        {K::SimProbe, "D7 D6", [](auto& d) { d.probes = {{"D7D6", "D7 D6"}}; }},
        {K::SimProbe, "IC:(Regs) U5.A,U6.B U7.C", [](auto& d) { d.icProbes = {{"Regs", "U5.A,U6.B U7.C"}}; }},
        {K::SimProbe, "ic:(Regs) U5.A", [](auto& d) { d.probes = {{"ic:(Regs)U5.A", "ic:(Regs) U5.A"}}; }},
        {K::SimVector, "LoadMemData:(Load RAM) U7.U U8.L", [](auto& d) { d.loadMems = {{"Load RAM", "U7.U U8.L"}}; }},
        {K::SimVector, "SaveMemData:(存储器) U7.U", [](auto& d) { d.saveMems = {{"存储器", "U7.U"}}; }},
        {K::SimVector, "Lab:(Exp 1)lab1.rtf diag.sch", [](auto& d) { d.labs = {{"(Exp 1)lab1.rtf", "diag.sch"}}; }},
        {K::SimVector, "Lab:(add.sch)Adder (Intro)lab1.rtf lab2.rtf",
         [](auto& d) { d.labs = {{"(add.sch)Adder", "(Intro)lab1.rtf lab2.rtf"}}; }},
        {K::SimVector, "Lab: x.rtf", [](auto& d) { d.labs = {{"", "x.rtf"}}; }},
        {K::SimVector, "Lab:one", [](auto&) {}},
        {K::SimVector, "lab:(a)b c", [](auto&) {}},
        {K::SimVector, "Other text", [](auto&) {}},
        {K::SimVector, "VrPcb:board.sch", [](auto& d) { d.vrPcbFile = "board.sch"; }},
        {K::SimVector, "VrPcb: b.sch", [](auto& d) { d.vrPcbFile = " b.sch"; }},
        {K::SimVector, "VrPcb:", [](auto&) {}},
        {K::SimProbe, "   ", [](auto&) {}},
        {K::Wire, "CLK(S/C):CP 1", [](auto&) {}},
    };
    for (const auto& c : cases) {
        LabDirectives expected;
        c.expect(expected);
        EXPECT_EQ(apply({{c.kind, c.text}}), expected) << c.text;
    }
}

TEST(LabDirectives, LaterDirectivesReplaceOrAddInSheetOrder) {
    const LabDirectives d = apply({
        {K::SimStimulus, "CLK(S/C):CP 1"},
        {K::SimStimulus, "CLK(NS/C):CLK2"},  // replaces the name and mode, keeps the level
        {K::SimVector, "VrPcb:a.sch"},
        {K::SimVector, "VrPcb:"},
        {K::SimVector, "VrPcb:b.sch"},
        {K::SimStimulus, "SW1 1"},
        {K::SimStimulus, "SW2"},
        {K::SimProbe, "(A) X"},
        {K::SimProbe, "(B) Y"},
    });
    EXPECT_EQ(d.clkName, "CLK2");
    EXPECT_EQ(d.clkMode, 0);
    EXPECT_EQ(d.clkValue, 1);
    EXPECT_EQ(d.vrPcbFile, "b.sch");
    EXPECT_EQ(d.stimuli, (std::vector<Stimulus>{{"SW1", 1}, {"SW2", 0}}));
    EXPECT_EQ(d.probes, (std::vector<TitledList>{{"A", "X"}, {"B", "Y"}}));
}

TEST(LabDirectives, ValuesReadFromAtMostTwoHundredCharacters) {
    // The 201st character of the value text is not read.
    const std::string value = std::string(199, ' ') + "1" + "9";
    EXPECT_EQ(apply({{K::SimStimulus, "SW1" + value}}).stimuli.front().value, 1);
    // Characters, not bytes: a long Chinese name before the blank of a clock
    // directive is cut whole.
    std::string name;
    for (int i = 0; i < 201; ++i) name += "时";
    const LabDirectives d = apply({{K::SimStimulus, "CLK(S/C):" + name + " 1"}});
    std::string expected;
    for (int i = 0; i < 200; ++i) expected += "时";
    EXPECT_EQ(d.clkName, expected);
    EXPECT_EQ(d.clkValue, 0);
}

TEST(LabDirectives, ValueOverflowFailsAndChangesNothing) {
    for (const std::string text : {"SW1 99999999999", "CLK(S/C):CP 2147483648", "RESET:RST -2147483649", "X 1e300"}) {
        LabDirectives d = apply({{K::SimStimulus, "CLK(S/C):CP 1"}});
        const LabDirectives before = d;
        EXPECT_EQ(applyDirective(d, K::SimStimulus, text), SchFailure::NumberOutOfRange) << text;
        EXPECT_EQ(d, before) << text;
    }
    LabDirectives d;
    EXPECT_EQ(applyDirective(d, K::SimStimulus, "SW1 -2147483648"), SchFailure::None);
    EXPECT_EQ(d.stimuli.front().value, INT32_MIN);
}

}  // namespace
}  // namespace schematic
