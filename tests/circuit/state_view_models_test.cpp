#include <gtest/gtest.h>

#include "circuit/state_view_models.h"
#include "env_fixture.h"
#include "sim/simulator.h"
#include "support/scripted_prompter.h"

using namespace circuittest;

namespace {

// U1 74LS04: A -> Y; U2 74LS04: Y -> Z. Nets 3 A, 4 Y, 5 Z in the first circuit.
Drawing chain() {
    Drawing d;
    const int32_t u1 = d.place("U1", "74LS04", 14);
    const int32_t u2 = d.place("U2", "74LS04", 14);
    d.net(u1, 1, "A");
    d.net(u1, 2, "Y");
    d.net(u2, 1, "Y");
    d.net(u2, 2, "Z");
    d.stimulus("A 0");
    return d;
}

struct Loaded {
    Loaded() : models(env.simulator) {}
    // Loaded as a circuit window does: filled, then refreshed twice.
    void load(const Drawing& d) {
        c = circuittest::load(env, d);
        models.fill(c);
        models.refresh(c);
        models.refresh(c);
    }
    void toggle(const std::string& name) {
        for (int32_t n = c.StartSignalNumber; n <= c.EndSignalNumber; ++n)
            if (env.simulator.NetTable[static_cast<std::size_t>(n)].Name == name) {
                env.simulator.ToggleNetAndSettle(0, n);
                return;
            }
        ADD_FAILURE() << name;
    }
    // "row=value*" for every row, '*' when marked.
    std::vector<std::string> rows() const {
        std::vector<std::string> out;
        const circuit::SignalList& l = models.signalList;
        for (int32_t k = 0; k < l.rowCount(); ++k)
            out.push_back((l.text(k, 0) + "=" + l.text(k, 2) + (l.marked(k) ? "*" : "")).toStdString());
        return out;
    }
    // The marked IC and pin texts.
    std::vector<std::string> markedNodes() const {
        std::vector<std::string> out;
        const circuit::IcTree& t = models.icTree;
        for (int32_t k = 0; k < t.icCount(); ++k) {
            if (t.ic(k).marked) out.push_back(t.ic(k).text.toStdString());
            for (const auto& p : t.ic(k).pins)
                if (p.marked) out.push_back("  " + p.text.toStdString());
        }
        return out;
    }

    testsupport::ScriptedPrompter prompter;
    circuit::Environment env;
    circuit::LoadedCircuit c;
    circuit::StateViewModels models;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST(StateViews, TextsOfIcsPinsAndRows) {
    Loaded l;
    l.load(chain());
    const circuit::IcTree& t = l.models.icTree;
    ASSERT_EQ(t.icCount(), 2);
    EXPECT_EQ(t.ic(0).text, QStringLiteral("000 : U1 : 74LS04"));
    EXPECT_EQ(t.ic(1).text, QStringLiteral("001 : U2 : 74LS04"));
    std::vector<QString> pins;
    for (const auto& p : t.ic(0).pins) pins.push_back(p.text);
    const std::vector<QString> expected = {
        "In 0: 3: A: 0",           "In 1: 1: VCC;HighVol: 1", "In 2: 1: VCC;HighVol: 1",
        "In 3: 1: VCC;HighVol: 1", "In 4: 1: VCC;HighVol: 1", "In 5: 1: VCC;HighVol: 1",
        "Out 0: 4: Y: 1",          "Out 1: 2: NC;N.C.;Null;X: 0", "Out 2: 2: NC;N.C.;Null;X: 0",
        "Out 3: 2: NC;N.C.;Null;X: 0", "Out 4: 2: NC;N.C.;Null;X: 0", "Out 5: 2: NC;N.C.;Null;X: 0",
    };
    EXPECT_EQ(pins, expected);
    EXPECT_EQ(l.rows(), (Lines{"0=0", "1=1", "2=0", "3=0", "4=1", "5=0"}));
    EXPECT_EQ(l.models.signalList.text(4, 1), QStringLiteral("Y"));
    EXPECT_EQ(circuit::SignalList::rowKey(4), QStringLiteral("SignalName_4"));
    EXPECT_EQ(circuit::icLabel(1234, "U1", "8251"), QStringLiteral("1234 : U1 : 8251"));
}

TEST(StateViews, AChangeIsMarkedUntilARefreshWithoutOne) {
    Loaded l;
    l.load(chain());
    EXPECT_EQ(l.rows(), (Lines{"0=0", "1=1", "2=0", "3=0", "4=1", "5=0"})) << "nothing is marked after the load";
    EXPECT_TRUE(l.markedNodes().empty());

    // A 0 -> 1: A, Y and Z change; their rows, the pins on them and both ICs are marked.
    l.toggle("A");
    l.models.refresh(l.c);
    EXPECT_EQ(l.rows(), (Lines{"0=0", "1=1", "2=0", "3=1*", "4=0*", "5=1*"}));
    EXPECT_EQ(l.markedNodes(), (Lines{"000 : U1 : 74LS04", "  In 0: 3: A: 1", "  Out 0: 4: Y: 0", "001 : U2 : 74LS04",
                                      "  In 0: 4: Y: 0", "  Out 0: 5: Z: 1"}));

    // A change at the next refresh too keeps the marks and shows the new levels.
    l.toggle("A");
    l.models.refresh(l.c);
    EXPECT_EQ(l.rows(), (Lines{"0=0", "1=1", "2=0", "3=0*", "4=1*", "5=0*"}));
    EXPECT_EQ(l.markedNodes()[1], "  In 0: 3: A: 0");

    // No change: every mark goes.
    l.models.refresh(l.c);
    EXPECT_EQ(l.rows(), (Lines{"0=0", "1=1", "2=0", "3=0", "4=1", "5=0"}));
    EXPECT_TRUE(l.markedNodes().empty());
    EXPECT_EQ(l.models.icTree.ic(0).pins[0].text, QStringLiteral("In 0: 3: A: 0"));

    // Two toggles between refreshes leave no mark.
    l.toggle("A");
    l.toggle("A");
    EXPECT_TRUE(l.models.refresh(l.c).rows.empty());
    EXPECT_TRUE(l.markedNodes().empty());
}

TEST(StateViews, TheNcNetShowsZeroAfterEveryRefresh) {
    Loaded l;
    l.load(chain());
    l.load(chain());  // the second circuit: its NC net is not the spare net
    sim::NetRecord& nc = l.env.simulator.NetTable[static_cast<std::size_t>(l.c.ncNet())];
    nc.Value = 1;
    l.models.refresh(l.c);
    EXPECT_EQ(nc.Value, 0);
    EXPECT_EQ(l.rows()[2], "8=0");
}

TEST(StateViews, SortingComparesTexts) {
    Loaded l;
    l.load(chain());
    l.load(chain());  // rows of nets 6..11
    circuit::SignalList& list = l.models.signalList;
    auto shown = [&](int column) {
        std::vector<std::string> out;
        for (int32_t k : list.sortedRows()) out.push_back(list.text(k, column).toStdString());
        return out;
    };
    EXPECT_EQ(shown(0), (Lines{"10", "11", "6", "7", "8", "9"}));
    list.ColumnClick(1);
    EXPECT_EQ(shown(0), (Lines{"9", "8", "7", "6", "11", "10"}));
    list.ColumnClick(1);
    EXPECT_EQ(shown(0), (Lines{"10", "11", "6", "7", "8", "9"}));
    // Another column turns the order as well; names compare without regard to case.
    list.ColumnClick(2);
    EXPECT_EQ(list.SortOrder, circuit::kDescending);
    EXPECT_EQ(shown(1), (Lines{"Z", "Y", "VCC;HighVol", "NC;N.C.;Null;X", "GND;LowVol;VSS", "A"}));
    list.SortOrder = 7;
    list.ColumnClick(3);
    EXPECT_EQ(list.SortOrder, circuit::kAscending);
    EXPECT_EQ(shown(2), (Lines{"0", "0", "0", "0", "1", "1"}));
    EXPECT_EQ(shown(0), (Lines{"6", "8", "9", "11", "7", "10"})) << "equal texts keep their order";
}

TEST(StateViews, TheRotationCyclesTheFieldsAndSortsTheIcs) {
    EXPECT_EQ(circuit::rotateLabel("003 : U4 : 74LS244"), QStringLiteral("U4 : 74LS244 : 003"));
    EXPECT_EQ(circuit::rotateLabel("U4 : 74LS244 : 003"), QStringLiteral("74LS244 : 003 : U4"));
    EXPECT_EQ(circuit::rotateLabel("74LS244 : 003 : U4"), QStringLiteral("003 : U4 : 74LS244"));
    EXPECT_EQ(circuit::rotateLabel("plain"), QStringLiteral("plain"));

    Loaded l;
    Drawing d;
    for (const char* designator : {"U9", "U10", "U1"}) d.place(designator, "74LS04", 14);
    l.load(d);
    circuit::IcTree& t = l.models.icTree;
    t.sorted = true;
    auto shown = [&] {
        std::vector<std::string> out;
        for (int32_t k : t.shownOrder()) out.push_back(t.ic(k).text.toStdString());
        return out;
    };
    EXPECT_EQ(shown(), (Lines{"000 : U9 : 74LS04", "001 : U10 : 74LS04", "002 : U1 : 74LS04"}));
    t.rotate();
    EXPECT_EQ(shown(), (Lines{"U1 : 74LS04 : 002", "U10 : 74LS04 : 001", "U9 : 74LS04 : 000"}));
    t.rotate();
    EXPECT_EQ(shown(), (Lines{"74LS04 : 000 : U9", "74LS04 : 001 : U10", "74LS04 : 002 : U1"}));
    t.rotate();
    EXPECT_EQ(shown(), (Lines{"000 : U9 : 74LS04", "001 : U10 : 74LS04", "002 : U1 : 74LS04"}));
}
