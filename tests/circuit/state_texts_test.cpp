// What the register tree, the probe list, the conflict log and the views'
// tooltips write, on IC records set up by hand.
#include <gtest/gtest.h>

#include "circuit/conflict_report.h"
#include "circuit/hot_element.h"
#include "circuit/probe_list.h"
#include "circuit/register_texts.h"
#include "circuit/register_tree.h"
#include "env_fixture.h"
#include "sim/simulator.h"

using circuit::RegisterTree;
using circuittest::addIc;
using sim::IcType;

namespace {

QStringList rowTexts(const RegisterTree::Node& node) {
    QStringList t;
    for (const RegisterTree::Row& r : node.rows) t << r.text;
    return t;
}

// Nets 100.. at the given levels.
std::vector<int32_t> nets(sim::Simulator& s, const std::vector<int>& levels) {
    std::vector<int32_t> n;
    for (std::size_t j = 0; j < levels.size(); ++j) {
        const auto net = static_cast<int32_t>(100 + j);
        s.NetTable[static_cast<std::size_t>(net)].Value = levels[j];
        n.push_back(net);
    }
    return n;
}

}  // namespace

TEST(StateTexts, NumberFormats) {
    EXPECT_EQ(circuit::hexText(0), QStringLiteral("0"));
    EXPECT_EQ(circuit::hexText(31), QStringLiteral("1F"));
    EXPECT_EQ(circuit::hexText(-1), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(circuit::twoDigits(5), QStringLiteral("05"));
    EXPECT_EQ(circuit::twoDigits(0x1AB), QStringLiteral("AB")) << "the low byte only";
    EXPECT_EQ(circuit::threeDigits(31), QStringLiteral("01F"));
    EXPECT_EQ(circuit::threeDigits(0x1ABCD), QStringLiteral("BCD"));
}

TEST(StateTexts, OutputBusRows) {
    using namespace schematic::separator;
    const struct Case {
        const char* name;
        std::vector<int> levels;
        std::vector<int32_t> separators;
        const char* text;
    } cases[] = {
        {"eight nets", {1, 0, 1, 0, 0, 1, 0, 1}, {None, None, None, None, None, None, None}, "A5"},
        {"five nets", {1, 0, 0, 1, 1}, {None, None, None, None}, "13"},
        {"four, comma, four", {1, 0, 1, 0, 0, 1, 0, 1}, {None, None, None, Comma, None, None, None}, "A,5"},
        {"five ones, comma, three", {1, 1, 1, 1, 1, 1, 1, 1}, {None, None, None, None, Comma, None, None}, "F1,7"},
        {"a blank gap writes no comma", {1, 0, 1, 0, 0, 1, 0, 1}, {None, None, None, Space, None, None, None}, "A5"},
        // Digits close four nets before the entry's end, not the group's.
        {"D7..4 CLK,RST", {1, 0, 1, 1, 1, 0}, {None, None, None, Space, Comma}, "231,0"},
        {"an unknown code takes no bit", {1, 1, 1}, {None, 7}, "3"},
        {"one net", {1}, {}, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Simulator s;
        const schematic::OutBusEntry e{"row", nets(s, c.levels), c.separators};
        EXPECT_EQ(circuit::outBusText(e, s), QString::fromUtf8(c.text));
    }
}

TEST(StateTexts, IcOutputRows) {
    sim::Simulator s;
    sim::IcRecord& usart = addIc(s, 0, IcType::Usart8251, "U1");
    sim::IcRecord& alu = addIc(s, 1, IcType::Am2901, "U2");
    sim::IcRecord& seq = addIc(s, 2, IcType::Am2910, "U3");
    sim::IcRecord& reg = addIc(s, 3, IcType::Ls374, "U4");
    addIc(s, 4, IcType::Ls00, "U5");
    sim::IcRecord& gal = addIc(s, 5, IcType::Gal20V8_2, "U6");
    usart.Command = 55;
    usart.TxData = 5;
    for (int j = 0; j < 16; ++j) alu.Registers[static_cast<std::size_t>(j)] = 16 * j + 1;
    alu.QReg = 0xC;
    seq.MicroPC = 31;
    seq.Stack[4] = 0x123;
    reg.Q = 0x3F;
    gal.Wait = 12;
    const struct Case {
        int32_t ic;
        const char* name;
        int32_t comma;
        const char* text;
    } cases[] = {
        {0, "Con", 2, "37"},   {0, "Out", 2, "05"},  {2, "uPC", 2, "01F"}, {2, "F4", 2, "123"},
        {1, "U3", 2, "31"},    {1, "U", 2, "1"},     {1, "U16", 1, ","},   {1, "U-1", 2, ""},
        {1, "Q", 2, "C"},      {3, "Q", 1, "3F,"},   {3, "q", 1, ","},     {4, "Q", 1, ","},
        {5, "WAIT", 2, "C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const schematic::IcOutEntry e{"row", {c.ic}, {c.name}, {c.comma}};
        EXPECT_EQ(circuit::icOutText(e, s), QString::fromUtf8(c.text));
    }
    const schematic::IcOutEntry several{"row", {3, 0, 0}, {"Q", "Con", "Out"}, {1, 2, 2}};
    EXPECT_EQ(circuit::icOutText(several, s), QStringLiteral("3F,3705"));
}

TEST(StateTexts, TheProbeListsColumnsRowsAndMarks) {
    sim::Simulator s;
    addIc(s, 0, IcType::Ls374, "U1").Q = 0x41;
    const schematic::OutBusEntry bus{"总线", nets(s, {0, 1, 0, 0, 0, 0, 0, 1}), std::vector<int32_t>(7, 0)};
    const schematic::IcOutEntry icOut{"寄存器", {0}, {"Q"}, {2}};

    circuit::ProbeList none(s);
    none.fill({});
    EXPECT_EQ(none.columns(), QStringList{QStringLiteral("没有数据显示")});
    EXPECT_EQ(none.rowCount(), 0);
    EXPECT_TRUE(none.refresh().empty());

    for (bool withBus : {true, false}) {
        schematic::CircuitSetup setup;
        if (withBus) setup.OutBuses = {bus};
        else setup.IcOuts = {icOut};
        circuit::ProbeList list(s);
        list.fill(setup);
        EXPECT_EQ(list.columns(), (QStringList{"名称", "值"}));
        ASSERT_EQ(list.rowCount(), 1);
        EXPECT_EQ(list.row(0).key, withBus ? QStringLiteral("OutSignal_0") : QStringLiteral("IcOut_0"));
        EXPECT_TRUE(list.row(0).value.isEmpty());
    }

    schematic::CircuitSetup both;
    both.OutBuses = {bus};
    both.IcOuts = {icOut};
    circuit::ProbeList list(s);
    list.fill(both);
    EXPECT_EQ(list.row(1).key, QStringLiteral("IcOut_0"));
    EXPECT_EQ(list.refresh(), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(list.row(0).value, QStringLiteral("41"));
    EXPECT_EQ(list.row(1).value, QStringLiteral("41"));
    EXPECT_TRUE(list.row(0).marked && list.row(1).marked) << "the first refresh writes every row";
    EXPECT_EQ(list.refresh(), (std::vector<int32_t>{0, 1})) << "the marks go";
    EXPECT_FALSE(list.row(0).marked || list.row(1).marked);
    s.IcTable[0].Q = 0x42;
    EXPECT_EQ(list.refresh(), (std::vector<int32_t>{1}));
    EXPECT_EQ(list.row(1).value, QStringLiteral("42"));
    EXPECT_TRUE(list.row(1).marked);
    EXPECT_EQ(list.rowOf(QStringLiteral("寄存器")), 1);
}

TEST(StateTexts, EveryRegisterTreeFormat) {
    sim::Simulator s;
    sim::IcRecord& usart = addIc(s, 10, IcType::Usart8251, "U1");
    addIc(s, 11, IcType::Eprom2732, "U2");
    addIc(s, 12, IcType::Ram6116, "U3");
    sim::IcRecord& alu = addIc(s, 13, IcType::Am2901, "U4");
    sim::IcRecord& seq = addIc(s, 14, IcType::Am2910, "U5");
    sim::IcRecord& gal = addIc(s, 15, IcType::Gal20V8_2, "U6");
    addIc(s, 16, IcType::Ls00, "U7");
    addIc(s, 17, IcType::Ls273, "U8").Q = 0x41;
    addIc(s, 18, IcType::Ls374, "U9").Q = 0x3F;
    addIc(s, 19, IcType::Ls377, "U10").Q = 0x80;
    usart.Command = 0x37;
    usart.RxData = 0x0A;
    usart.TxData = 0x41;
    for (int j = 0; j < 16; ++j) alu.Registers[static_cast<std::size_t>(j)] = j;
    alu.QReg = 0xF;
    alu.ALatch = 3;
    alu.BLatch = 0xC;
    for (int j = 0; j < 5; ++j) seq.Stack[static_cast<std::size_t>(j)] = 0x100 + j;
    seq.MicroPC = 31;
    seq.StackPointer = 2;
    seq.Counter = 0xABC;
    gal.Wait = 12;

    RegisterTree tree(s);
    tree.fill(10, 19);
    ASSERT_EQ(tree.nodeCount(), 9) << "the 74LS00 has no node";
    EXPECT_EQ(tree.nodeOf(6), -1);
    EXPECT_EQ(tree.nodeOf(7), 6);
    EXPECT_EQ(RegisterTree::nodeKey(7), QStringLiteral("IcLabel7"));
    EXPECT_EQ(tree.node(0).text, QStringLiteral("010 : U1 : 8251"));

    EXPECT_EQ(rowTexts(tree.node(0)), (QStringList{"Reg_Control: 37", "Reg_State: 1", "Reg_In: A", "Reg_Out: 41"}));
    const RegisterTree::Node& rom = tree.node(1);
    ASSERT_EQ(rom.rows.size(), 512u);
    EXPECT_EQ(rom.rows.front().text, QStringLiteral("0H:  0 0 0 0 0 0 0 0"));
    EXPECT_TRUE(rom.rows.back().text.startsWith(QStringLiteral("FF8H: ")));
    ASSERT_EQ(tree.node(2).rows.size(), 256u);
    EXPECT_TRUE(tree.node(2).rows.back().text.startsWith(QStringLiteral("7F8H: ")));
    QStringList aluRows;
    for (int j = 0; j < 16; ++j) aluRows << QStringLiteral("Reg_U%1: %2").arg(j).arg(QString::number(j, 16).toUpper());
    aluRows << "Reg_Q: F" << "Reg_AOut: 3" << "Reg_BOut: C";
    EXPECT_EQ(rowTexts(tree.node(3)), aluRows);
    EXPECT_EQ(rowTexts(tree.node(4)), (QStringList{"Reg_F0: 100", "Reg_F1: 101", "Reg_F2: 102", "Reg_F3: 103", "Reg_uPC: 1F",
                                                   "Reg_uSP: 2", "Reg_RC: ABC"}))
        << "no row for the fifth stack word";
    EXPECT_EQ(rowTexts(tree.node(5)), QStringList{"Reg_WAIT: 12"}) << "in decimal";
    EXPECT_EQ(rowTexts(tree.node(6)), QStringList{"Reg_Q: 41"});
    EXPECT_EQ(rowTexts(tree.node(7)), QStringList{"Reg_Q: 3F"});
    EXPECT_EQ(rowTexts(tree.node(8)), QStringList{"Reg_Q: 80"});
}

TEST(StateTexts, ARegisterTreeMarkLastsOneRefresh) {
    sim::Simulator s;
    addIc(s, 0, IcType::Ls374, "U1").Q = 0x3F;
    sim::IcRecord& rom = addIc(s, 1, IcType::Eprom2732, "U2");
    rom.Memory[4088] = 0x20;
    RegisterTree tree(s);
    tree.fill(0, 1);

    // The first refresh writes the cells in two digits: every ROM row changes, the register does not.
    tree.refresh();
    EXPECT_EQ(tree.node(1).rows.front().text, QStringLiteral("0H:  00 00 00 00 00 00 00 00"));
    EXPECT_EQ(tree.node(1).rows.back().text, QStringLiteral("FF8H:  20 00 00 00 00 00 00 00"));
    EXPECT_TRUE(tree.node(1).marked);
    EXPECT_FALSE(tree.node(0).marked);
    EXPECT_FALSE(tree.node(0).rows[0].marked);
    tree.refresh();
    for (const RegisterTree::Row& r : tree.node(1).rows) ASSERT_FALSE(r.marked) << r.text.toStdString();
    EXPECT_FALSE(tree.node(1).marked);

    // Cell 19 lies in row 10H; only that row and its IC are marked, for one refresh.
    rom.Memory[19] = 0xAB;
    s.IcTable[0].Q = 0x40;
    const auto changed = tree.refresh();
    EXPECT_EQ(changed, (std::vector<std::pair<int32_t, int32_t>>{{0, 0}, {0, -1}, {1, 2}, {1, -1}}));
    EXPECT_EQ(tree.node(1).rows[2].text, QStringLiteral("10H:  00 00 00 AB 00 00 00 00"));
    EXPECT_EQ(tree.node(0).rows[0].text, QStringLiteral("Reg_Q: 40"));
    for (std::size_t r = 0; r < tree.node(1).rows.size(); ++r) ASSERT_EQ(tree.node(1).rows[r].marked, r == 2) << r;
    tree.refresh();
    EXPECT_FALSE(tree.node(1).rows[2].marked);
    EXPECT_FALSE(tree.node(1).marked);
    EXPECT_FALSE(tree.node(0).marked);
}

TEST(StateTexts, ConflictLines) {
    EXPECT_EQ(circuit::conflictLine(0, 25, QStringLiteral("D0"), {{1, 4, "U5", "74LS244"}, {0, 7, "U8", "74LS245"}}),
              QStringLiteral("0 : 信号(25, D0), 多个器件(1, 4, U5, 74LS244) (0, 7, U8, 74LS245)"));

    sim::Simulator s;
    addIc(s, 4, IcType::Ls244, "U5");
    addIc(s, 7, IcType::Ls245, "U8");
    addIc(s, 9, IcType::Ls125, "U9");
    s.NetTable[25].Name = "D0";
    s.NetTable[26].Name = "D1";
    EXPECT_TRUE(circuit::takeConflictLines(s).isEmpty()) << "nothing new";
    // Two events between reports: D0 with three drivers, D1 with two.
    const std::vector<int32_t> words{0, 25 * 65536 + 2, 4 * 65536 + 1, 7 * 65536 + 0, 9 * 65536 + 1,
                                     26 * 65536 + 1, 7 * 65536 + 1, 4 * 65536 + 0};
    std::copy(words.begin(), words.end(), s.ConflictRecords.begin());
    s.ConflictWriteIndex = 7;
    s.ConflictEventCount = 2;
    EXPECT_EQ(circuit::takeConflictLines(s),
              (QStringList{"0 : 信号(25, D0), 多个器件(1, 4, U5, 74LS244) (0, 7, U8, 74LS245) (1, 9, U9, 74LS125)",
                           "1 : 信号(26, D1), 多个器件(1, 7, U8, 74LS245) (0, 4, U5, 74LS244)"}));
    EXPECT_EQ(s.ConflictShownCount, 2);
    EXPECT_EQ(s.ConflictShownIndex, 7);
    EXPECT_TRUE(circuit::takeConflictLines(s).isEmpty());

    // A count the words do not back is not read past the last word written.
    s.ConflictEventCount = 4;
    s.ConflictRecords[8] = 25 * 65536;
    s.ConflictRecords[9] = 4 * 65536 + 1;
    s.ConflictWriteIndex = 9;
    EXPECT_EQ(circuit::takeConflictLines(s), QStringList{"2 : 信号(25, D0), 多个器件(1, 4, U5, 74LS244)"});
    EXPECT_EQ(s.ConflictShownCount, 4);

    EXPECT_EQ(circuit::conflictLogAddition(true, {"a", "b"}), circuit::conflictLogHeader() + QStringLiteral("\na\nb\n"));
    EXPECT_EQ(circuit::conflictLogAddition(false, {"c"}), QStringLiteral("c\n"));
}

TEST(StateTexts, Tooltips) {
    sim::Simulator s;
    s.NetTable[12] = sim::NetRecord{1, 0, 0, 0, {}, {}, 12, "A0"};
    addIc(s, 5, IcType::Ls374, "U6").Q = 63;
    addIc(s, 1, IcType::Eprom2732, "U2");
    addIc(s, 2, IcType::Ram6116, "U3");
    addIc(s, 3, IcType::Ls00, "U4");
    sim::IcRecord& usart = addIc(s, 6, IcType::Usart8251, "U7");
    usart.Command = 0x37;
    sim::IcRecord& alu = addIc(s, 7, IcType::Am2901, "U8");
    alu.Registers[15] = 0xA;
    alu.BLatch = 2;
    sim::IcRecord& seq = addIc(s, 8, IcType::Am2910, "U9");
    seq.MicroPC = 0x1F;
    seq.Counter = 0x100;
    addIc(s, 9, IcType::Gal20V8_2, "U10").Wait = 12;

    const int32_t ic = 0x110000;  // an IC body's box
    const struct Case {
        int32_t value;
        const char* idle;     // StopFlag -1
        const char* running;  // a continuous run
    } cases[] = {
        {-1, "", ""},
        {12, "Signal :12 :A0 :1", "Signal :12 :A0"},
        {0x100000 + 12, "Signal :12 :A0 :1", "Signal :12 :A0"},
        {ic + 5, "Ic :5 :U6 :74LS374 :Reg_(Q=3F)", "Ic :5 :U6 :74LS374"},
        {0x10000 + 5, "Ic :5 :U6 :74LS374 :Reg_(Q=3F)", "Ic :5 :U6 :74LS374"},
        {ic + 1, "Ic :1 :U2 :2732", "Ic :1 :U2 :2732"},
        {ic + 2, "Ic :2 :U3 :6116", "Ic :2 :U3 :6116"},
        {ic + 3, "Ic :3 :U4 :74LS00", "Ic :3 :U4 :74LS00"},
        {ic + 6, "Ic :6 :U7 :8251 :Reg_(Control=37,State=1,In=0,Out=0)", "Ic :6 :U7 :8251"},
        {ic + 7,
         "Ic :7 :U8 :AM2901 :Reg_(U0=0,U1=0,U2=0,U3=0,U4=0,U5=0,U6=0,U7=0,U8=0,U9=0,U10=0,U11=0,U12=0,U13=0,U14=0,"
         "U15=A,Q=0,AOut=0,BOut=2)",
         "Ic :7 :U8 :AM2901"},
        {ic + 8, "Ic :8 :U9 :AM2910 :Reg_(F0=0,F1=0,F2=0,F3=0,uPC=1F,uSP=0,RC=100)", "Ic :8 :U9 :AM2910"},
        {ic + 9, "Ic :9 :U10 :GAL20V8_2 :Reg_(WAIT=12)", "Ic :9 :U10 :GAL20V8_2"},
        {ic + 999, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(circuit::hotElementText(s, c.value, true), QString::fromUtf8(c.idle));
        EXPECT_EQ(circuit::hotElementText(s, c.value, false), QString::fromUtf8(c.running));
    }
    EXPECT_EQ(circuit::decodeHotElement(static_cast<int32_t>(0x80000003u)).kind, circuit::HotElement::Kind::Ic);
}
