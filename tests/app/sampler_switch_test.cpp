// --sampler: the sampling display and its menus on the main window.
#include "app/main_window.h"
#include "app/program.h"
#include "app_fixture.h"
#include "sampler/widgets/sampling_display.h"
#include "sampler/widgets/twips_canvas.h"

#include <QComboBox>

#include <QDockWidget>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

TEST(ProgramOptions, SamplerSwitch) {
    EXPECT_FALSE(app::parseProgramOptions({"Corvane16"}).sampler);
    EXPECT_TRUE(app::parseProgramOptions({"Corvane16", "--sampler"}).sampler);
    EXPECT_TRUE(app::parseProgramOptions({"Corvane8", "-x", "--sampler", "file.asm"}).sampler);
    EXPECT_FALSE(app::parseProgramOptions({"--sampler"}).sampler);  // the program's own name
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
