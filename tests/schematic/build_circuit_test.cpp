#include "schematic/build_circuit.h"

#include <gtest/gtest.h>

#include <sstream>

#include "schematic/circuit_build_report.h"
#include "schematic/fixed_width_measurer.h"
#include "schematic/prompter_sch_notifier.h"
#include "schematic/qt_text_measurer.h"
#include "schematic/sch_fixture.h"
#include "schematic/sch_hot_spots.h"
#include "schematic/sch_reader.h"
#include "sim/simulator.h"
#include "support/scripted_prompter.h"
#include "circuit_test_helpers.h"

namespace schematic {
namespace {



// One circuit window's load of the and-gate fixture: read, build, and the
// schematic view's hot spots for the circuit's ranges.
struct Load {
    CircuitBuildResult result;
    CircuitSetup setup;
    HotElementLists hot;
    SchSheet view;
    int32_t firstIc = 0, firstSignal = 0, firstFanout = 0;
};

Load load(sim::Simulator& s, SchematicState& state) {
    Load l;
    SilentSchNotifier notifier;
    EXPECT_EQ(ReadSchBytes(state.currentSheet, fixture::bytes("and_gate.sch"), notifier), 1);
    l.firstIc = s.LastIcNumber + 1;
    l.firstSignal = s.LastSignalNumber + 1;
    l.firstFanout = s.LastFanoutNumber + 1;
    l.result = BuildCircuit(s, state, l.setup);
    schtest::FixedWidthMeasurer m;
    BuildSchHotSpots(l.firstIc, l.firstSignal, s.LastIcNumber, s.LastSignalNumber, m, l.hot, l.view, state);
    return l;
}

TEST(BuildCircuit, FixtureEndToEnd) {
    sim::Simulator s;
    SchematicState state;
    const Load l = load(s, state);
    ASSERT_TRUE(l.result.built);
    EXPECT_EQ(s.LastIcNumber, 0);
    EXPECT_EQ(s.LastSignalNumber, 5);
    EXPECT_EQ(s.LastFanoutNumber, 2);

    struct Net {
        const char* name;
        int32_t value, fanout;
    } nets[] = {{"GND;LowVol;VSS", 0, 0}, {"VCC;HighVol", 1, 0}, {"NC;N.C.;Null;X", 0, 0},
                {"A", 1, 1},              {"U1_2_1", 0, 1},      {"Y", 0, 0}};
    for (int n = 0; n < 6; ++n) {
        SCOPED_TRACE(n);
        const sim::NetRecord& r = s.NetTable[n];
        EXPECT_EQ(r.Name, nets[n].name);
        EXPECT_EQ(r.Number, n);
        EXPECT_EQ(r.Value, nets[n].value);
        EXPECT_EQ(r.Fanout, nets[n].fanout);
        EXPECT_EQ(r.ActiveDrivers, -1);
        EXPECT_TRUE(r.DriverPairs.empty());
    }
    EXPECT_EQ(s.NetTable[5].DriverCount, 1);
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[1]), (std::vector<int32_t>{0}));
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[2]), (std::vector<int32_t>{0}));

    const sim::IcRecord& u1 = s.IcTable[0];
    EXPECT_EQ(u1.Type, 9);
    EXPECT_EQ(u1.InputCount, 8);
    EXPECT_EQ((std::vector<int32_t>(u1.InputNets.begin(), u1.InputNets.begin() + 9)),
              (std::vector<int32_t>{3, 4, 1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ((std::vector<int32_t>(u1.OutputNets.begin(), u1.OutputNets.begin() + 5)),
              (std::vector<int32_t>{5, 2, 2, 2, 0}));
    EXPECT_EQ(s.IcDesignators[0], "U1");

    ASSERT_EQ(l.setup.InSignalCount(), 1);
    EXPECT_EQ(l.setup.InSignals[0].Name, "A");
    EXPECT_EQ(l.setup.InSignals[0].Nets, (std::vector<int32_t>{3}));
    EXPECT_EQ(l.setup.InSignals[0].Values, (std::vector<int32_t>{1}));
    ASSERT_EQ(l.setup.OutBusCount(), 1);
    EXPECT_EQ(l.setup.OutBuses[0].Name, "Out");
    EXPECT_EQ(l.setup.OutBuses[0].Nets, (std::vector<int32_t>{5}));
    EXPECT_EQ(l.setup.OutBuses[0].Separators, (std::vector<int32_t>{0}));
    EXPECT_EQ(l.setup.ClockNet, -1);
    EXPECT_EQ(l.setup.ResetNet, -1);

    EXPECT_EQ(schtest::describeHotElements(l.hot), (std::vector<std::string>{
                                   "40,180,70,180 #3", "40,170,48,180 #1048579", "70,180,100,180 #3",
                                   "40,190,70,190 #4", "70,190,100,190 #4", "180,185,220,185 #5",
                                   "220,175,228,185 #1048581", "150,185,180,185 #5", "100,170,150,200 #1114112"}));
    EXPECT_TRUE(state.currentSheet.empty());
    EXPECT_EQ(l.view.elements.size(), 8u);
}

TEST(BuildCircuit, SameFileLoadedTwiceTakesTheNextNumbers) {
    sim::Simulator s;
    SchematicState state;
    ASSERT_TRUE(load(s, state).result.built);
    const Load second = load(s, state);
    ASSERT_TRUE(second.result.built);
    EXPECT_EQ(s.LastIcNumber, 1);
    EXPECT_EQ(s.LastSignalNumber, 11);
    EXPECT_EQ(s.LastFanoutNumber, 4);
    const char* names[] = {"GND;LowVol;VSS", "VCC;HighVol", "NC;N.C.;Null;X", "A", "U1_2_1", "Y"};
    for (int n = 6; n <= 11; ++n) EXPECT_EQ(s.NetTable[n].Name, names[n - 6]);
    EXPECT_EQ(s.NetTable[9].Fanout, 3);
    EXPECT_EQ(s.NetTable[10].Fanout, 3);
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[3]), (std::vector<int32_t>{1}));
    EXPECT_EQ(schtest::fanoutIcs(s.FanoutTable[4]), (std::vector<int32_t>{1}));
    EXPECT_EQ(s.IcTable[1].InputNets[0], 9);
    EXPECT_EQ(s.NetTable[9].Value, 1);
    EXPECT_EQ(second.setup.InSignals[0].Nets, (std::vector<int32_t>{9}));
    EXPECT_EQ(schtest::describeHotElements(second.hot), (std::vector<std::string>{
                                        "40,180,70,180 #9", "40,170,48,180 #1048585", "70,180,100,180 #9",
                                        "40,190,70,190 #10", "70,190,100,190 #10", "180,185,220,185 #11",
                                        "220,175,228,185 #1048587", "150,185,180,185 #11",
                                        "100,170,150,200 #1114113"}));
}

TEST(BuildCircuit, FailuresAreReportedInMessageBoxes) {
    testsupport::ScriptedPrompter prompter;
    CircuitBuildResult full;
    full.registration.needed = {1, 4, 2};
    full.registration.available = {0, 906, 504};
    full.registration.whole = {207, 910, 506};
    ReportCircuitBuildFailure(full);
    CircuitBuildResult unreadable;
    unreadable.failure = SchFailure::NumberOutOfRange;
    ReportCircuitBuildFailure(unreadable);
    CircuitBuildResult built;
    built.built = true;
    ReportCircuitBuildFailure(built);

    const auto boxes = prompter.messages();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].title, QStringLiteral(" 信息提示！"));
    EXPECT_EQ(boxes[0].text, QString::fromStdString(tablesFullText({1, 4, 2}, {0, 906, 504}, {207, 910, 506})));
    EXPECT_EQ(boxes[1].title, QStringLiteral("信息提示! 2"));
}

// A restart helps a circuit that empty tables would hold, and only such a one.
TEST(BuildCircuit, TheTablesFullTextAdvisesARestartOnlyWhereOneHelps) {
    const TableRoom whole{207, 910, 506};
    const struct {
        const char* name;
        TableRoom needed, available;
        std::vector<const char*> says, saysNot;
    } cases[] = {
        {"fits empty tables", {1, 4, 2}, {0, 906, 504},
         {"仿真表容量不足", "芯片 1 个，信号 4 个，扇出表 2 个", "尚余：芯片 0 个，信号 906 个，扇出表 504 个",
          "请重新启动程序后再装入此电路。"},
         {"总容量"}},
        {"more ICs than the tables hold", {10000, 20003, 10001}, whole,
         {"超出仿真表的总容量", "芯片 10000 个，信号 20003 个，扇出表 10001 个",
          "共可容纳：芯片 207 个，信号 910 个，扇出表 506 个"},
         {"重新启动", "尚余"}},
        {"too many fanout records alone", {10, 100, 507}, {0, 0, 0}, {"超出仿真表的总容量"}, {"重新启动"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = tablesFullText(c.needed, c.available, whole);
        for (const char* part : c.says) EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
        for (const char* part : c.saysNot) EXPECT_EQ(text.find(part), std::string::npos) << part << "\n" << text;
    }
}

TEST(BuildCircuit, QtMeasurerWidensWithTextAndSize) {
    QtTextMeasurer m;
    m.setFont(SchFont{10, 0, 0, 0, 0, 0, "Times New Roman"});
    const float one = m.widthPx("A");
    const float two = m.widthPx("AA");
    EXPECT_GT(one, 3.0f);
    EXPECT_NEAR(two, 2 * one, 1.0f);
    EXPECT_GT(m.widthPx("时钟"), one);
    m.setFont(SchFont{20, 0, 0, 0, 1, 0, "Times New Roman"});
    EXPECT_GT(m.widthPx("A"), 1.5f * one);
    m.setFont(SchFont{});
    EXPECT_GE(m.widthPx("A"), 0.0f);
}

}  // namespace
}  // namespace schematic
