// "显示字体尺寸": the sizes the font dialog may set, the panes and lists it
// sets, the command-line pane's growing right margin, and its terms with the
// device link (idle only, the pump held off while it is open and run after).
#include "app/display_font_size.h"
#include "app/workbench_wiring.h"
#include "app_fixture.h"
#include "link/device_port.h"
#include "link/link_state.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/rich_text_box.h"

#include <QAction>
#include <QFontInfo>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace apptest;

namespace {

// Records the font the dialog starts from; `whileOpen` runs while it is up.
class FontPrompter : public testsupport::ScriptedPrompter {
public:
    std::optional<platform::FontChoice> chooseFont(const platform::FontChoice& initial) override {
        initials.push_back(initial);
        if (whileOpen) whileOpen();
        return ScriptedPrompter::chooseFont(initial);
    }
    std::vector<platform::FontChoice> initials;
    std::function<void()> whileOpen;
};

platform::FontChoice sized(double points, const QString& family = QStringLiteral("宋体")) {
    platform::FontChoice c;
    c.family = family;
    c.pointSize = points;
    return c;
}

struct FontFixture {
    FontFixture() {
        devlink::LinkState& link = devlink::linkState();
        link.CommBusy = 0;
        link.port = nullptr;
        hooks.link.runTerminalPump = [this] {
            ++pumps;
            busyWhenPumped = devlink::linkState().CommBusy;
        };
        hooks.link.caretToPrompt = [this] { ++carets; };
        app::wireWorkbenchHooks(hooks.workbench, state);
        window = std::make_unique<app::MainWindow>(editions::profileCorvane16(), state, hooks);
        window->setEnabled(true);
        state.TrackChanges = true;
    }
    ~FontFixture() {
        devlink::linkState().port = nullptr;
        devlink::linkState().CommBusy = 0;
    }

    // Font sizes of the panes 1 to 4 and of the three lists.
    std::vector<double> sizes() const {
        std::vector<double> out;
        for (int i = 1; i <= 4; ++i) out.push_back(window->richTextBox(i)->boxFont().pointSizeF());
        out.push_back(window->ListView1()->font().pointSizeF());
        out.push_back(window->ListView2()->font().pointSizeF());
        out.push_back(window->ListView3()->font().pointSizeF());
        return out;
    }

    void choose(std::optional<platform::FontChoice> answer) {
        prompter.answerFont(std::move(answer));
        window->SetDisplayFontSize_Click();
    }

    ProgramFolder folder;
    FontPrompter prompter;
    workbench::WorkbenchState state;
    app::ProgramHooks hooks;
    std::unique_ptr<app::MainWindow> window;
    int pumps = 0;
    int carets = 0;
    int busyWhenPumped = -1;
};

const std::vector<double> kStartSizes{12, 12, 12, 12, 10, 10, 10};

}  // namespace

TEST(DisplayFontSize, SizeRuleAndMarginArithmetic) {
    EXPECT_FALSE(app::displayFontSizeApplies(11, 12));
    EXPECT_TRUE(app::displayFontSizeApplies(12, 14));
    EXPECT_FALSE(app::displayFontSizeApplies(12, 12));
    EXPECT_TRUE(app::displayFontSizeApplies(30, 12));
    EXPECT_FALSE(app::displayFontSizeApplies(31, 12));
    EXPECT_EQ(app::grownRightMargin(9600, 14, 12), 13120);
    EXPECT_EQ(app::grownRightMargin(13120, 12, 14), 13870);
    EXPECT_EQ(app::grownRightMargin(9600, 12, 0), 9600);
    EXPECT_EQ(app::grownRightMargin(2000000000, 30, 12), std::numeric_limits<int>::max());
}

TEST(DisplayFontSize, OnlyANewSizeFrom12To30ChangesPanesAndLists) {
    FontFixture f;
    app::MainWindow& w = *f.window;
    w.EditAsmWindows_Click();
    f.state.TrackChanges = false;
    w.RichTextBox2()->setText(QStringLiteral(" NOP"));
    f.state.TrackChanges = true;

    // Out of range, the same size in another face, Cancel: nothing changes, and
    // each time the link is released and the pump runs once.
    const std::optional<platform::FontChoice> unchanged[] = {sized(11), sized(31), sized(12, "Liberation Serif"),
                                                             std::nullopt};
    int expectedPumps = 0;
    for (const auto& answer : unchanged) {
        f.choose(answer);
        EXPECT_EQ(f.sizes(), kStartSizes);
        EXPECT_EQ(w.RichTextBox1()->rightMargin(), 9600);
        EXPECT_EQ(devlink::linkState().CommBusy, 0);
        EXPECT_EQ(f.pumps, ++expectedPumps);
        EXPECT_EQ(f.busyWhenPumped, 0) << "the pump runs after the link is released";
    }
    ASSERT_EQ(f.prompter.initials.size(), 4u);
    EXPECT_EQ(f.prompter.initials[0].family, QFontInfo(w.RichTextBox1()->boxFont()).family());
    EXPECT_DOUBLE_EQ(f.prompter.initials[0].pointSize, 12);
    EXPECT_EQ(f.carets, 0);

    // 30: panes 30, lists 28 (a row marked bold too), and the editor's source is not taken as edited.
    QFont bold = w.ListView1()->font();
    bold.setBold(true);
    w.ListView1()->topLevelItem(0)->setFont(1, bold);
    bool busyWhileOpen = false;
    f.prompter.whileOpen = [&] { busyWhileOpen = devlink::linkState().CommBusy == 1; };
    f.choose(sized(30));
    EXPECT_TRUE(busyWhileOpen) << "the pump is held off while the dialog is open";
    EXPECT_EQ(f.sizes(), (std::vector<double>{30, 30, 30, 30, 28, 28, 28}));
    EXPECT_DOUBLE_EQ(w.ListView1()->topLevelItem(0)->font(1).pointSizeF(), 28);
    EXPECT_TRUE(w.ListView1()->topLevelItem(0)->font(1).bold());
    EXPECT_EQ(w.RichTextBox1()->rightMargin(), 25920);  // 9600 x (30 / 12 + 0.2)
    EXPECT_EQ(f.carets, 1);
    EXPECT_FALSE(f.state.SourceModified);
    EXPECT_TRUE(f.state.TrackChanges);
    EXPECT_EQ(w.windowTitle().toStdString(), (w.AppTitle() + QStringLiteral(" - 无标题.ASM")).toStdString());
    EXPECT_EQ(devlink::linkState().CommBusy, 0);
}

TEST(DisplayFontSize, TheMarginGrowsOnEveryChangeEvenBackToTheStartSize) {
    FontFixture f;
    app::MainWindow& w = *f.window;
    f.choose(sized(14));
    EXPECT_EQ(w.RichTextBox1()->rightMargin(), 13120);
    f.choose(sized(12));
    EXPECT_EQ(f.sizes(), kStartSizes);
    EXPECT_EQ(w.RichTextBox1()->rightMargin(), 13870);  // about 1.4448 x 9600
}

TEST(DisplayFontSize, WhileTheLinkIsBusyOnlyThePumpRuns) {
    struct Busy {
        const char* what;
        std::function<void(FontFixture&, devlink::DevicePort&)> set;
        int busyAfter;  // CommBusy afterwards: a busy owner keeps its flag
    };
    const Busy cases[] = {
        {"pump timer on", [](FontFixture& f, devlink::DevicePort&) { f.window->Timer1()->start(); }, 0},
        {"CommBusy set", [](FontFixture&, devlink::DevicePort&) { devlink::linkState().CommBusy = 1; }, 1},
        {"receive notification off",
         [](FontFixture&, devlink::DevicePort& port) {
             port.setReceiveNotification(false);
             devlink::linkState().port = &port;
         },
         0},
    };
    for (const Busy& c : cases) {
        SCOPED_TRACE(c.what);
        FontFixture f;
        devlink::DevicePort port;
        c.set(f, port);
        f.choose(sized(20));
        EXPECT_TRUE(f.prompter.initials.empty()) << "the dialog does not open";
        EXPECT_EQ(f.sizes(), kStartSizes);
        EXPECT_EQ(f.pumps, 1);
        EXPECT_EQ(devlink::linkState().CommBusy, c.busyAfter);
        f.window->Timer1()->stop();
    }
}

TEST(DisplayFontSize, OutputArrivingWhileTheDialogIsOpenKeepsTheSize) {
    // The receive handler switched the pump on while the dialog was up.
    FontFixture f;
    devlink::DevicePort port;
    devlink::linkState().port = &port;
    f.prompter.whileOpen = [&] {
        port.setReceiveNotification(false);
        f.window->Timer1()->start();
        devlink::linkState().CommBusy = 0;
    };
    f.choose(sized(20));
    EXPECT_EQ(f.sizes(), kStartSizes);
    EXPECT_EQ(devlink::linkState().CommBusy, 0);
    EXPECT_EQ(f.pumps, 1);
    f.window->Timer1()->stop();
}

TEST(DisplayFontSize, MenuEntryAndDropDownItemBothOpenTheDialog) {
    FontFixture f;
    f.window->menuEntry(QStringLiteral("SetDisplayFontSize"))->trigger();
    f.window->EditAsmWindows_Click();
    f.window->dropDownItem(QStringLiteral("SetDisplayFontSize"))->trigger();
    EXPECT_EQ(f.prompter.initials.size(), 2u);
    EXPECT_EQ(f.pumps, 2);
}
