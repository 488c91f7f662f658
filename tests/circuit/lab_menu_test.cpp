#include <gtest/gtest.h>

#include "circuit/environment.h"
#include "circuit/lab_menu.h"
#include "env_fixture.h"

namespace {

// Records what the menu asks of it, into a log shared by several windows.
struct FakeWindow : circuit::LabWindow {
    FakeWindow(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
    void User_ChangeCurForm() override { log.push_back(name + ".leave"); }
    void User_GetUse(const QString& caption, int32_t lab) override {
        log.push_back(name + ".use(" + caption.toStdString() + ", " + std::to_string(lab) + ")");
    }
    void showChosen() override { log.push_back(name + ".show"); }
    std::string name;
    std::vector<std::string>& log;
};

using Log = std::vector<std::string>;

}  // namespace

TEST(LabMenu, RegistrationFillsTheStartEntryThenAppends) {
    Log log;
    FakeWindow w1("w1", log), w2("w2", log);
    circuit::LabMenu menu;
    EXPECT_FALSE(menu.enabled());
    EXPECT_EQ(menu.caption(), QStringLiteral("电路实验"));
    EXPECT_EQ(menu.itemCount(), 1) << "the design item";

    const circuit::LabRegistration r1 = menu.registerCircuit(&w1, {"A", "B"});
    EXPECT_EQ(r1.circuitNumber, 1);
    EXPECT_FALSE(r1.withoutLabs);
    EXPECT_TRUE(r1.windowCaption.isEmpty()) << "the caption waits for a choice";
    EXPECT_TRUE(menu.enabled());
    EXPECT_EQ(menu.caption(), QStringLiteral("电路实验（共 1个电路、2个实验）"));
    ASSERT_EQ(menu.itemCount(), 2);
    EXPECT_EQ(menu.LabMenuTable[0].text, QStringLiteral("电路 1 的实验 1 : A"));
    EXPECT_EQ(menu.LabMenuTable[1].text, QStringLiteral("电路 1 的实验 2 : B"));
    EXPECT_EQ(menu.LabMenuTable[0].Circuit, &w1);
    EXPECT_EQ(menu.LabMenuTable[1].Circuit, &w1);
    EXPECT_EQ(menu.LabMenuTable[1].LabNumber, 1);

    const circuit::LabRegistration r2 = menu.registerCircuit(&w2, {});
    EXPECT_TRUE(r2.withoutLabs);
    EXPECT_EQ(r2.windowCaption, QStringLiteral("电路2"));
    EXPECT_EQ(menu.caption(), QStringLiteral("电路实验（共 2个电路、3个实验）"));
    ASSERT_EQ(menu.itemCount(), 3);
    EXPECT_EQ(menu.LabMenuTable[2].text, QStringLiteral("电路 2"));
    EXPECT_EQ(menu.LabMenuTable[2].LabNumber, 0);
    EXPECT_EQ(menu.LabMenuTable[2].Circuit, &w2);
    EXPECT_TRUE(log.empty()) << "registering shows nothing";
}

TEST(LabMenu, ChoosingLeavesTheCurrentCircuitThenShowsTheChosenOne) {
    Log log;
    FakeWindow w1("w1", log), w2("w2", log);
    circuit::LabMenu menu;
    EXPECT_FALSE(menu.choose(0)) << "nothing registered yet";
    menu.registerCircuit(&w1, {"A", "B"});
    menu.registerCircuit(&w2, {});

    const struct Case {
        int index;
        bool chosen;
        Log calls;
        int current;
    } cases[] = {
        {-1, false, {}, 0},
        {3, false, {}, 0},
        {1, true, {"w1.leave", "w1.show", "w1.use(电路 1 的实验 2 : B, 1)"}, 1},
        {2, true, {"w1.leave", "w2.show", "w2.use(电路 2, 0)"}, 2},
        {2, true, {"w2.leave", "w2.show", "w2.use(电路 2, 0)"}, 2},
        {0, true, {"w2.leave", "w1.show", "w1.use(电路 1 的实验 1 : A, 0)"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        log.clear();
        const int checked = menu.checkedItem;
        EXPECT_EQ(menu.choose(c.index), c.chosen);
        EXPECT_EQ(log, c.calls);
        EXPECT_EQ(menu.CurrentLabItem, c.current);
        EXPECT_EQ(menu.checkedItem, c.chosen ? c.index : checked);
    }
}

TEST(RunState, EveryStopGoesThroughOneRoutine) {
    circuit::Environment env;
    int calls = 0;
    env.beforeRunStops = [&] {
        ++calls;
        EXPECT_TRUE(env.runActive()) << "called while the run is still on";
    };
    EXPECT_EQ(env.StopFlag, -1);
    EXPECT_FALSE(env.runActive());
    env.stopRun();
    EXPECT_EQ(calls, 0) << "no run, nothing to complete";
    env.StopFlag = 0;
    env.stopRun();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(env.StopFlag, -1);
}
