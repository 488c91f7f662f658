// --sampler: the sampling display and its menus on the main window.
#include "app/main_window.h"
#include "app/program.h"
#include "app/program_options.h"
#include "app_fixture.h"
#include "sampler/widgets/sampling_display.h"
#include "sampler/widgets/twips_canvas.h"

#include <QComboBox>

#include <QDockWidget>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

TEST(ProgramOptions, CommandLine) {
    struct Case {
        QStringList arguments;
        std::optional<int> exitStatus;
        bool sampler, circuit;
        const char* outStarts;  // nullptr: nothing on standard output
        const char* errHas;     // nullptr: nothing on standard error
    };
    const Case cases[] = {
        {{"Corvane16"}, std::nullopt, false, false, nullptr, nullptr},
        {{"Corvane16", "--sampler"}, std::nullopt, true, false, nullptr, nullptr},
        {{"Corvane8", "--circuit", "--sampler"}, std::nullopt, true, true, nullptr, nullptr},
        {{"--sampler"}, std::nullopt, false, false, nullptr, nullptr},  // the program's own name
        {{"Corvane16", "--version"}, 0, false, false, "Corvane16 计算机组成原理实验软件 1.0.5版\n", nullptr},
        {{"Corvane16", "--help"}, 0, false, false, "", nullptr},
        {{"Corvane16", "--sampler", "-x"}, 2, false, false, nullptr, "x"},
        {{"Corvane16", "--samplr"}, 2, false, false, nullptr, "samplr"},
        {{"Corvane16", "file.asm"}, 2, false, false, nullptr, "file.asm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const app::CommandLine r = app::parseCommandLine(c.arguments, "Corvane16 计算机组成原理实验软件 1.0.5版");
        EXPECT_EQ(r.exitStatus, c.exitStatus);
        EXPECT_EQ(r.options.sampler, c.sampler);
        EXPECT_EQ(r.options.circuit, c.circuit);
        if (c.outStarts) EXPECT_TRUE(r.out.startsWith(QString::fromUtf8(c.outStarts))) << r.out.toStdString();
        else EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        if (c.errHas) EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.errHas))) << r.err.toStdString();
        else EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
    // --help lists every switch.
    const QString help = app::parseCommandLine({"Corvane16", "--help"}, {}).out;
    for (const char* option : {"--sampler", "--circuit", "--version", "--help"})
        EXPECT_TRUE(help.contains(option)) << option << "\n" << help.toStdString();
    EXPECT_TRUE(help.contains("启动电路实验环境"));
}

// What ends the program is known before the window system starts; the window
// system's own options are left for it.
TEST(ProgramOptions, EndsBeforeTheWindowSystem) {
    const struct {
        QStringList arguments;
        bool ends;
        QStringList own;  // what the program's own parser sees
    } cases[] = {
        {{"Corvane16"}, false, {"Corvane16"}},
        {{"Corvane16", "--circuit"}, false, {"Corvane16", "--circuit"}},
        {{"Corvane16", "--help"}, true, {"Corvane16", "--help"}},
        {{"Corvane16", "--version"}, true, {"Corvane16", "--version"}},
        {{"Corvane16", "--no-such-switch"}, true, {"Corvane16", "--no-such-switch"}},
        {{"Corvane16", "file.asm"}, true, {"Corvane16", "file.asm"}},
        {{"Corvane16", "-platform", "offscreen", "--sampler"}, false, {"Corvane16", "--sampler"}},
        {{"Corvane16", "--platform", "xcb", "-style=fusion", "-reverse"}, false, {"Corvane16"}},
        {{"Corvane16", "-display", ":1", "-geometry", "800x600", "--nope"}, true, {"Corvane16", "--nope"}},
        {{"Corvane16", "-style", "fusion", "--help"}, true, {"Corvane16", "--help"}},
        {{"Corvane16", "-platform"}, true, {"Corvane16", "-platform"}},  // a value missing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        EXPECT_EQ(app::withoutWindowSystemOptions(c.arguments), c.own);
        EXPECT_EQ(app::endsBeforeWindowSystem(c.arguments), c.ends);
    }
}

TEST(ProgramOptions, SamplerDisplayShownOnlyWithTheSwitch) {
    for (bool on : {false, true}) {
        SCOPED_TRACE(on);
        apptest::ProgramFolder folder;
        testsupport::ScriptedPrompter prompter;
        app::Program program(editions::profileCorvane16());
        program.options.sampler = on;
        app::MainWindow& w = program.frmmain();
        auto* dock = w.findChild<QDockWidget*>("SamplingDock");
        auto* display = w.findChild<sampler::SamplingDisplay*>("SamplingDisplay");
        ASSERT_TRUE(dock && display);
        EXPECT_EQ(dock->isVisibleTo(&w), on);
        for (const char* menu : {"save", "menu_load", "lab"}) EXPECT_EQ(w.menuAction(menu)->isVisible(), on) << menu;
        EXPECT_FALSE(display->xianshi()->isEnabled());
        EXPECT_EQ(display->Combofre()->currentText(), "50MHz");
        if (on) {
            EXPECT_TRUE(w.menuEntry("save_date")->isVisible());
            EXPECT_FALSE(w.menuEntry("save_print")->isVisible());
            display->xianshi_MouseMove(0, 0);
            EXPECT_EQ(w.statusText(3), "0.00微秒");
            EXPECT_EQ(w.statusText(4), "1");
            // "数据格式" under "保存数据" reaches the display: nothing to save yet.
            w.menuEntry("save_date")->trigger();
            ASSERT_FALSE(prompter.messages().empty());
            EXPECT_EQ(prompter.messages().back().text, "没有可保存的数据！！");
        }
    }
}

}  // namespace
