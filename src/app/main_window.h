#pragma once
// `frmmain`: the program's main window, one instance for the whole run.
// It hosts the device link's command-line pane and lists, the workbench's
// editor, listing and message panes, and the two help panes, in the bands of
// its band bar `CoolBar1`; the layouts (pane_layouts.cpp) swap what the middle
// bands show.

#include "app/program_hooks.h"
#include "editions/edition_profile.h"
#include "workbench/source_state.h"

#include <QHash>
#include <QMainWindow>
#include <QString>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTimer;
class QToolBar;
class QToolButton;

namespace platform {
class ListView;
class RichTextBox;
}  // namespace platform

namespace app {

// The window's own fields (the load handler gives them their start values).
// The command line's fields (CommBusy, PromptStart and the pump's counters)
// belong to the device link, which keeps them in its LinkState and its pump.
struct FrmMainFields {
    int LayoutBusy = 0;
    int LastKeyCode = 0;
    int LastShift = 0;
    int ListingLastKey = 0;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs its load handler (frmmain.Form_Load): the
    // window is left hidden, disabled and in the command-line layout.
    MainWindow(const editions::EditionProfile& profile, workbench::SourceState& source, ProgramHooks& hooks,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    const editions::EditionProfile& profile() const { return profile_; }
    workbench::SourceState& source() { return source_; }
    ProgramHooks& hooks() { return hooks_; }
    FrmMainFields& fields() { return fields_; }

    // Edition values assigned at load.
    const QString& AppTitle() const { return appTitle_; }
    const QString& SendDataCmd() const { return sendDataCmd_; }
    const QString& RecvDataCmd() const { return recvDataCmd_; }

    // Panes: 1 command line, 2 source editor, 3 listing, 4 build messages,
    // 5 help on monitor commands, 6 help on programming.
    platform::RichTextBox* RichTextBox1() const { return rich_[0]; }
    platform::RichTextBox* RichTextBox2() const { return rich_[1]; }
    platform::RichTextBox* RichTextBox3() const { return rich_[2]; }
    platform::RichTextBox* RichTextBox4() const { return rich_[3]; }
    platform::RichTextBox* RichTextBox5() const { return rich_[4]; }
    platform::RichTextBox* RichTextBox6() const { return rich_[5]; }
    platform::RichTextBox* richTextBox(int n) const { return n >= 1 && n <= 6 ? rich_[n - 1] : nullptr; }

    // Lists: registers, unassembly, memory.
    platform::ListView* ListView1() const { return list_[0]; }
    platform::ListView* ListView2() const { return list_[1]; }
    platform::ListView* ListView3() const { return list_[2]; }

    // The command-line pump (off, 50 ms after load).
    QTimer* Timer1() const { return timer1_; }

    // Status bar `zhuangtai`, panels 1 to 4.
    QLabel* statusPanel(int panel) const;
    void setStatusText(int panel, const QString& text);
    QString statusText(int panel) const;

    // Containers: editor side, device lists, help.
    QWidget* Picture1() const { return picture1_; }
    QWidget* Picture2() const { return picture2_; }
    QWidget* Picture3() const { return picture3_; }
    // A band of CoolBar1 by key ("Null", "Pic3", "RichTB1", "Pic2").
    QWidget* band(const QString& key) const { return bands_.value(key, nullptr); }
    // The child a band shows now.
    QWidget* bandChild(const QString& key) const;

    // Menus by name ("File", "Command", ...), entries by name ("FileSave"),
    // toolbar buttons by key ("VuzAsm"), drop-down items by key ("SetAsmSet").
    QMenu* menu(const QString& name) const { return menus_.value(name, nullptr); }
    QAction* menuAction(const QString& name) const;  // the top-level menu's own action
    QAction* menuEntry(const QString& name) const { return entries_.value(name, nullptr); }
    QAction* toolbarButton(const QString& key) const { return buttons_.value(key, nullptr); }
    QAction* dropDownItem(const QString& key) const { return dropItems_.value(key, nullptr); }
    QToolBar* Toolbar1() const { return toolbar_; }
    QToolButton* settingsButton() const { return settingsButton_; }

    // A menu's own enabled state; its entries are usable (shortcuts included)
    // only while both the menu and the entry are enabled.
    void setMenuEnabled(const QString& name, bool enabled);
    bool isMenuEnabled(const QString& name) const;
    void setEntryEnabled(const QString& name, bool enabled);
    bool isEntryEnabled(const QString& name) const;

    // The two layouts, the help band and the commands the window itself answers.
    void ToolCommandLine_Click();
    void EditAsmWindows_Click();
    void HelpDispOrUnDisp_Click();
    void Search_Click();
    void Ownset_Click();
    void Closes_Click();
    void exit_Click();
    void about_Click();
    // The text size of the panes and lists, chosen in the font dialog while the device link is idle.
    void SetDisplayFontSize_Click();

    // The click handler of a menu entry (frmmain.<entry>_Click), by the entry's
    // name. The part of the program that owns a command sets it here once; a
    // later call replaces it, so an entry never runs two handlers.
    void setCommand(const QString& entry, std::function<void()> handler);
    bool hasCommand(const QString& entry) const;
    // Runs the entry's handler; an entry without one does nothing.
    void runCommand(const QString& entry);

    // Toolbar dispatch by key: runs the handler of the menu entry the key
    // stands for; separators and keys without a command do nothing.
    void Toolbar1_ButtonClick(const QString& key);
    void Toolbar1_ButtonMenuClick(const QString& key);

    // frmmain.Form_QueryUnload: true when the window may close.
    bool Form_QueryUnload();
    // Its save question, asked only while the source is modified: false when
    // the user cancels or the source was not saved.
    bool saveQuestion();
    // Closes the device port and the window, and with it the program's other
    // windows, without asking (another window has asked already).
    void unloadWithoutAsking();

    // Band sizes and list column widths of a freshly shown window (start-up step 11-12).
    void setInitialBandSizes();

signals:
    // The window accepted its close: the program ends.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildToolbar();
    void buildLists();
    void Form_Load();
    void Form_Unload();
    void applyEntryState(const QString& name);
    void setCaptionForLayout(bool editor);
    // Form_QueryUnload's question "立即退出？", and the steps after a Yes.
    bool askToQuit();
    bool finishQueryUnload();
    // Closes the window once the build that was told to stop is over.
    void closeAfterBuild();

    const editions::EditionProfile& profile_;
    workbench::SourceState& source_;
    ProgramHooks& hooks_;
    FrmMainFields fields_;
    // "立即退出？" was answered Yes during a build; the quit goes on after it.
    bool quitAfterBuild_ = false;
    bool quitConfirmed_ = false;
    QString appTitle_, sendDataCmd_, recvDataCmd_;

    platform::RichTextBox* rich_[6] = {};
    platform::ListView* list_[3] = {};
    QTimer* timer1_ = nullptr;
    QLabel* status_[4] = {};

    QSplitter* coolBar1_ = nullptr;
    QSplitter* coolBar2_ = nullptr;
    QSplitter* coolBar2Left_ = nullptr;
    QSplitter* coolBar3_ = nullptr;
    QSplitter* coolBar4_ = nullptr;
    QStackedWidget* middle_ = nullptr;  // band "RichTB1"
    QStackedWidget* right_ = nullptr;   // band "Pic2"
    QWidget* picture1_ = nullptr;
    QWidget* picture2_ = nullptr;
    QWidget* picture3_ = nullptr;
    QHash<QString, QWidget*> bands_;

    QToolBar* toolbar_ = nullptr;
    QToolButton* settingsButton_ = nullptr;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QAction*> entries_;
    QHash<QString, QString> entryMenu_;     // entry name -> its menu's name
    QHash<QString, bool> entryEnabled_;     // the entry's own enabled state
    QHash<QString, bool> menuEnabled_;
    QHash<QString, QAction*> buttons_;
    QHash<QString, QAction*> dropItems_;
    QHash<QString, QString> buttonCommands_;  // toolbar key -> menu entry
    QHash<QString, QString> dropCommands_;    // drop-down key -> menu entry
    QHash<QString, std::function<void()>> commands_;
};

}  // namespace app
