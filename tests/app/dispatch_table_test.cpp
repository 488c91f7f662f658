// The menu bar, the toolbar and the "设置" drop-down against the command
// table: every entry, button and item, in both layouts and every edition,
// runs the one command it stands for, once, or nothing where it is off.
#include "app_fixture.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <gtest/gtest.h>

#include <map>

using namespace apptest;

namespace {

enum class Where { CommandLine, Editor, Both, Never };

struct Item {
    const char* key;      // menu entry name, toolbar key or drop-down key
    const char* command;  // the menu entry whose handler runs; nullptr: none
    Where where;
};

const Item kMenuEntries[] = {
    {"FileNew", "FileNew", Where::Editor},
    {"FileOpen", "FileOpen", Where::Editor},
    {"FileSave", "FileSave", Where::Editor},
    {"FileSaveAs", "FileSaveAs", Where::Editor},
    {"FileClose", nullptr, Where::Never},
    {"FileEditUndo", "FileEditUndo", Where::Editor},
    {"FileEditCut", "FileEditCut", Where::Editor},
    {"FileEditCopy", "FileEditCopy", Where::Editor},
    {"FileEditPaush", "FileEditPaush", Where::Editor},
    {"FileEditDel", "FileEditDel", Where::Editor},
    {"FileEditFind", "FileEditFind", Where::Editor},
    {"FileEditFindNext", "FileEditFindNext", Where::Editor},
    {"FileEditSelectAll", "FileEditSelectAll", Where::Editor},
    {"FileDebugComplet", "FileDebugComplet", Where::Editor},
    {"FileDebugStepInto", nullptr, Where::Never},
    {"FileDebugStep", nullptr, Where::Never},
    {"FileDebugRun", nullptr, Where::Never},
    {"CommandMemory", "CommandMemory", Where::CommandLine},
    {"CommandRegister", "CommandRegister", Where::CommandLine},
    {"CommandUnAsm", "CommandUnAsm", Where::CommandLine},
    {"CommandRun", "CommandRun", Where::CommandLine},
    {"CommandStepInto", "CommandStepInto", Where::CommandLine},
    {"CommandStep", "CommandStep", Where::CommandLine},
    {"CommandStepIntoAs", "CommandStepIntoAs", Where::CommandLine},
    {"CommandStepAs", "CommandStepAs", Where::CommandLine},
    {"ToolSendData", "ToolSendData", Where::CommandLine},
    {"ToolRecvData", "ToolRecvData", Where::CommandLine},
    {"ToolCommandLineClear", "ToolCommandLineClear", Where::CommandLine},
    {"EditAsmWindows", "EditAsmWindows", Where::Both},
    {"ToolCommandLine", "ToolCommandLine", Where::Both},
    {"Search", "Search", Where::Both},
    {"Ownset", "Ownset", Where::Both},
    {"Closes", "Closes", Where::Both},
    {"SetDisplayFontSize", "SetDisplayFontSize", Where::Both},
    {"SetAsmSet", "SetAsmSet", Where::Both},  // only where the edition offers it
    {"Exit", "Exit", Where::Both},
    {"Manual", nullptr, Where::Never},
    {"HelpDispOrUnDisp", "HelpDispOrUnDisp", Where::Both},
    {"About", "About", Where::Both},
};

const Item kButtons[] = {
    {"line", nullptr, Where::Never},
    {"New", "FileNew", Where::Editor},
    {"Open", "FileOpen", Where::Editor},
    {"Save", "FileSave", Where::Editor},
    {"line1", nullptr, Where::Never},
    {"VuzAsm", "FileDebugComplet", Where::Editor},
    {"Run", nullptr, Where::Never},
    {"StepIntoRun", nullptr, Where::Never},
    {"line2", nullptr, Where::Never},
    {"Memory", "CommandMemory", Where::CommandLine},
    {"Register", "CommandRegister", Where::CommandLine},
    {"VuzUnAsm", "CommandUnAsm", Where::CommandLine},
    {"VuzRun", "CommandRun", Where::CommandLine},
    {"VuzStepIntoRun", "CommandStepInto", Where::CommandLine},
    {"VuzStepIntoRunAs", "CommandStepIntoAs", Where::CommandLine},
    {"line3", nullptr, Where::Never},
    {"Send", "ToolSendData", Where::CommandLine},
    {"Recv", "ToolRecvData", Where::CommandLine},
    {"ClearCommandLine", "ToolCommandLineClear", Where::CommandLine},
    {"line4", nullptr, Where::Never},
    {"EditAsmWindows", "EditAsmWindows", Where::Both},
    {"CommandLine", "ToolCommandLine", Where::Both},
    {"HelpDispOrUnDisp", "HelpDispOrUnDisp", Where::Both},
    {"AutoSearchPort", "Search", Where::Both},
};

const Item kDropDownItems[] = {
    {"AutoSearchPort", "Search", Where::Both},
    {"ManualSetupPort", "Ownset", Where::Both},
    {"ClosePort", "Closes", Where::Both},
    {"SetDisplayFontSize", "SetDisplayFontSize", Where::Both},
    {"SetAsmSet", "SetAsmSet", Where::Both},
};

bool runsIn(const Item& item, bool editor, const editions::EditionProfile& profile) {
    if (!item.command) return false;
    if (QLatin1String(item.command) == QLatin1String("SetAsmSet") && !profile.asmOptionsOffered) return false;
    switch (item.where) {
        case Where::CommandLine: return !editor;
        case Where::Editor: return editor;
        case Where::Both: return true;
        case Where::Never: return false;
    }
    return false;
}

// Every command of the table replaced by a counter.
struct Spies {
    explicit Spies(app::MainWindow& w) {
        for (const Item& i : kMenuEntries) {
            const QString name = QString::fromLatin1(i.key);
            w.setCommand(name, [this, name] { ++calls[name]; });
        }
    }
    std::map<QString, int> calls;
};

using Trigger = std::function<void()>;

void expectDispatch(Spies& spies, const Item& item, bool runs, const char* what, const Trigger& trigger) {
    SCOPED_TRACE(std::string(what) + " " + item.key);
    spies.calls.clear();
    trigger();
    std::map<QString, int> expected;
    if (runs) expected[QString::fromLatin1(item.command)] = 1;
    EXPECT_EQ(spies.calls, expected);
}

}  // namespace

TEST(DispatchTable, EveryEntryButtonAndItemRunsItsCommandOnceInItsLayout) {
    for (const auto* p : {&editions::profileCorvane16(), &editions::profileCorvane(), &editions::profileCorvane8()}) {
        WindowFixture f(*p);
        app::MainWindow& w = f.build();
        w.setEnabled(true);
        SCOPED_TRACE(w.AppTitle().toStdString());
        Spies spies(w);

        for (bool editor : {false, true, false}) {
            SCOPED_TRACE(editor ? "editor layout" : "command-line layout");
            // The layouts are switched directly: their entries only count calls now.
            if (editor) w.EditAsmWindows_Click();
            else w.ToolCommandLine_Click();

            for (const Item& i : kMenuEntries) {
                QAction* a = w.menuEntry(QString::fromLatin1(i.key));
                ASSERT_NE(a, nullptr) << i.key;
                expectDispatch(spies, i, runsIn(i, editor, *p), "menu", [a] { a->trigger(); });
            }
            for (const Item& i : kButtons) {
                QAction* a = w.toolbarButton(QString::fromLatin1(i.key));
                ASSERT_NE(a, nullptr) << i.key;
                expectDispatch(spies, i, runsIn(i, editor, *p), "button", [a] { a->trigger(); });
            }
            for (const Item& i : kDropDownItems) {
                QAction* a = w.dropDownItem(QString::fromLatin1(i.key));
                ASSERT_NE(a, nullptr) << i.key;
                expectDispatch(spies, i, runsIn(i, editor, *p), "drop-down", [a] { a->trigger(); });
            }
            // The "设置" button itself, clicked as the user clicks it.
            ASSERT_NE(w.settingsButton(), nullptr);
            EXPECT_EQ(w.settingsButton()->popupMode(), QToolButton::MenuButtonPopup);
            expectDispatch(spies, kDropDownItems[0], true, "settings button", [&] { w.settingsButton()->click(); });
        }
    }
}

TEST(DispatchTable, KeysWithoutACommandDoNothingAndACommandSetTwiceRunsOnce) {
    WindowFixture f;
    app::MainWindow& w = f.build();
    w.setEnabled(true);
    for (const char* none : {"FileClose", "FileDebugStepInto", "FileDebugStep", "FileDebugRun", "Manual"})
        EXPECT_FALSE(w.hasCommand(QString::fromLatin1(none))) << none;

    Spies spies(w);
    w.EditAsmWindows_Click();
    for (const char* key : {"Run", "StepIntoRun", "line", "line2", "nothing", ""})
        w.Toolbar1_ButtonClick(QString::fromLatin1(key));
    for (const char* key : {"line", "nothing", ""}) w.Toolbar1_ButtonMenuClick(QString::fromLatin1(key));
    EXPECT_TRUE(spies.calls.empty());

    int first = 0, second = 0;
    w.setCommand(QStringLiteral("About"), [&] { ++first; });
    w.setCommand(QStringLiteral("About"), [&] { ++second; });
    w.menuEntry(QStringLiteral("About"))->trigger();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}
