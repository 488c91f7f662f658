#include "app_fixture.h"

#include <QAction>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace apptest;
using platform::MsgResult;

TEST(QuitFlow, AsksBeforeClosingAndSavesAModifiedSource) {
    struct Case {
        const char* name;
        std::vector<MsgResult> answers;
        bool modified;
        bool saveSucceeds;
        bool closes;
        int questions;
        int saves;
    };
    const Case cases[] = {
        {"no keeps running", {MsgResult::No}, true, true, false, 1, 0},
        {"yes, nothing modified", {MsgResult::Yes}, false, true, true, 1, 0},
        {"yes, modified, cancel", {MsgResult::Yes, MsgResult::Cancel}, true, true, false, 2, 0},
        {"yes, modified, save cancelled", {MsgResult::Yes, MsgResult::Yes}, true, false, false, 2, 1},
        {"yes, modified, saved", {MsgResult::Yes, MsgResult::Yes}, true, true, true, 2, 1},
        {"yes, modified, not saved", {MsgResult::Yes, MsgResult::No}, true, true, true, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        int saves = 0, portCloses = 0;
        f.hooks.workbench.saveSourceFile = [&] { ++saves; return c.saveSucceeds; };
        f.hooks.link.closePortIfOpen = [&] { ++portCloses; };
        app::MainWindow& w = f.build();
        w.setEnabled(true);
        w.show();
        f.source.SourceModified = c.modified;
        for (MsgResult r : c.answers) f.prompter.answerMessage(r);
        QSignalSpy unloaded(&w, &app::MainWindow::unloaded);

        w.menuEntry("Exit")->trigger();

        const auto asked = f.prompter.messages();
        ASSERT_EQ(static_cast<int>(asked.size()), c.questions);
        EXPECT_EQ(asked[0].text, QStringLiteral("立即退出？"));
        EXPECT_EQ(asked[0].title, QStringLiteral(" 提示：立即退出？"));
        EXPECT_EQ(asked[0].buttons, platform::MsgButtons::YesNo);
        EXPECT_EQ(asked[0].icon, platform::MsgIcon::Question);
        EXPECT_EQ(asked[0].defaultButton, 1) << "No is the default";
        if (c.questions > 1) {
            EXPECT_EQ(asked[1].text, QStringLiteral("当前文件被修改，是否保存？"));
            EXPECT_EQ(asked[1].defaultButton, 2);
        }
        EXPECT_EQ(saves, c.saves);
        EXPECT_EQ(w.isVisible(), !c.closes);
        EXPECT_EQ(unloaded.count(), c.closes ? 1 : 0);
        EXPECT_EQ(portCloses, c.closes ? 1 : 0) << "the port closes only when the program quits";
        EXPECT_EQ(f.source.SourceModified, c.modified) << "quitting changes nothing of the source";
    }
}

TEST(QuitFlow, TheDefaultAnswerKeepsTheProgram) {
    WindowFixture f;
    app::MainWindow& w = f.build();
    w.show();
    // An unscripted box answers its default button: No.
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
}
