// The main window's menu bar, toolbar and the "设置" drop-down, with the keys,
// captions, shortcuts and tool tips the program's commands are found by, and
// the dispatch: every menu entry runs the handler set for its name, and the
// toolbar's buttons and drop-down items run the handler of the entry their
// key stands for.

#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <initializer_list>

namespace app {
namespace {

struct EntryDef {
    const char* name;
    const char16_t* caption;  // nullptr: a separator
    const char* shortcut = nullptr;
    bool hidden = false;
    bool hasHandler = true;  // hidden entries without a handler are disabled as well
};

struct MenuDef {
    const char* name;
    const char16_t* caption;
    bool hidden;
    bool enabled;
    std::initializer_list<EntryDef> entries;
    // The sampling display's hidden menus are wired by the display itself.
    bool dispatched = true;
};

const MenuDef kMenus[] = {
    {"Menu_Null_line0", u"  ", false, false, {}},
    {"save", u"保存数据", true, true,
     {{"Menu_line", nullptr},
      {"save_picture", u"图形格式"},
      {"Menu_line1", nullptr},
      {"save_date", u"数据格式"},
      {"save_print", u"打印", nullptr, true, true}},
     false},
    {"menu_load", u"恢复数据", true, true,
     {{"load_picture", u"图形格式", nullptr, true, true}, {"load_date", u"数据格式"}},
     false},
    {"lab", u"实验项目", true, true,
     {{"owns", u"自定义"},
      {"lab_Link_Nlink", u"联机/脱机实验", nullptr, false, false},
      {"lab_TtlIc", u"TTL集成电路实验", nullptr, false, false},
      {"lab_Memory", u"半导体存储器部件实验", nullptr, false, false},
      {"lab_Ic", u"专用集成电路实验", nullptr, false, false},
      {"lab_Alu_Nlink", u"ALU脱机实验", nullptr, false, false},
      {"PSK", u"PSK", nullptr, false, false},
      {"FSK", u"FSK", nullptr, false, false},
      {"MUX", u"MUX", nullptr, false, false},
      {"OPT", u"OPT", nullptr, false, false},
      {"CDMA", u"CDMA", nullptr, false, false},
      {"SWITCHES", u"SWITCHES", nullptr, false, false},
      {"TCM_S", u"TCM-S", nullptr, false, false}},
     false},
    {"File", u"汇编源文件(&F)", false, true,
     {{"FileNew", u"新建"},
      {"FileOpen", u"打开"},
      {"FileSave", u"保存(&S)", "Ctrl+S"},
      {"FileSaveAs", u"另存为(&A)"},
      {"FileClose", u"关闭", nullptr, true, false}}},
    {"FileEdit", u"汇编源文件编辑", false, true,
     {{"FileEditUndo", u"撤销操作", "Ctrl+Z"},
      {"Menu_line2", nullptr},
      {"FileEditCut", u"剪切", "Ctrl+X"},
      {"FileEditCopy", u"复制", "Ctrl+C"},
      {"FileEditPaush", u"粘贴", "Ctrl+V"},
      {"FileEditDel", u"删除", "Del"},
      {"Menu_line3", nullptr},
      {"FileEditFind", u"查找", "Ctrl+F"},
      {"FileEditFindNext", u"查找下一个", "F3"},
      {"Menu_line4", nullptr},
      {"FileEditSelectAll", u"全选", "Ctrl+A"}}},
    {"FileDebug", u"汇编源文件调试", false, true,
     {{"FileDebugComplet", u"编译", "F9"},
      {"FileDebugStepInto", u"单步进入执行", nullptr, true, false},
      {"FileDebugStep", u"单步执行", nullptr, true, false},
      {"FileDebugRun", u"运行", "Ctrl+F9", true, false}}},
    {"Command", u"Vuz设备命令", false, true,
     {{"CommandMemory", u"内存察看"},
      {"CommandRegister", u"寄存器察看"},
      {"CommandUnAsm", u"反编译"},
      {"CommandRun", u"运行"},
      {"CommandStepInto", u"单步进入运行", "F7"},
      {"CommandStep", u"单步运行", "F8"},
      {"Menu_line5", nullptr},
      {"CommandStepIntoAs", u"单步进入运行于"},
      {"CommandStepAs", u"单步运行于"}}},
    {"Tool", u"Vuz设备工具", false, true,
     {{"ToolSendData", u"向Vuz设备发送数据"},
      {"ToolRecvData", u"从Vuz设备获取数据"},
      {"ToolCommandLineClear", u"清空命令行窗口"}}},
    {"ChangeWindows", u"切换窗口", false, true,
     {{"EditAsmWindows", u"编辑、编译器窗口显示"}, {"ToolCommandLine", u"Vuz设备命令行窗口显示"}}},
    {"resets", u"设置", false, true,
     {{"Search", u"自动搜索端口"},
      {"Ownset", u"手动设置端口"},
      {"Closes", u"关闭端口"},
      {"Menu_line6", nullptr},
      {"SetDisplayFontSize", u"显示字体尺寸(12/小四-30/一号)"},
      {"Menu_line7", nullptr},
      {"SetAsmSet", u"汇编条件设置"}}},
    // "Exit" is a menu without entries: a click on it quits (added below).
    {"Help", u"帮助", false, true,
     {{"Manual", u"使用说明", nullptr, true, false},
      {"HelpDispOrUnDisp", u"帮助窗口"},
      {"About", u"关于"}}},
};

struct ButtonDef {
    const char* key;
    const char16_t* caption;  // nullptr: a separator
    const char16_t* toolTip;
    QStyle::StandardPixmap icon;
    const char* command;  // the menu entry whose handler the button runs; nullptr: none
};

// "运行" and "单步" of the editor layout have no command of their own yet.
const ButtonDef kButtons[] = {
    {"line", nullptr, nullptr, QStyle::SP_CustomBase, nullptr},
    {"New", u"新建", u"新建汇编源文件", QStyle::SP_FileIcon, "FileNew"},
    {"Open", u"打开", u"打开汇编源文件", QStyle::SP_DialogOpenButton, "FileOpen"},
    {"Save", u"保存", u"保存汇编源文件", QStyle::SP_DialogSaveButton, "FileSave"},
    {"line1", nullptr, nullptr, QStyle::SP_CustomBase, nullptr},
    {"VuzAsm", u"编译", u"编译汇编源文件(F9)", QStyle::SP_BrowserReload, "FileDebugComplet"},
    {"Run", u"运行", u"连续运行汇编代码", QStyle::SP_MediaPlay, nullptr},
    {"StepIntoRun", u"单步", u"单步进入运行汇编代码", QStyle::SP_MediaSeekForward, nullptr},
    {"line2", nullptr, nullptr, QStyle::SP_CustomBase, nullptr},
    {"Memory", u"内存", u"察看Vuz设备内存", QStyle::SP_DriveHDIcon, "CommandMemory"},
    {"Register", u"寄存器", u"察看Vuz设备寄存器", QStyle::SP_FileDialogDetailedView, "CommandRegister"},
    {"VuzUnAsm", u"反编译", u"反编译Vuz设备汇编代码", QStyle::SP_FileDialogContentsView, "CommandUnAsm"},
    {"VuzRun", u"运行", u"连续运行Vuz设备汇编代码", QStyle::SP_MediaPlay, "CommandRun"},
    {"VuzStepIntoRun", u"单步", u"单步进入运行Vuz设备汇编代码(F7)", QStyle::SP_MediaSeekForward, "CommandStepInto"},
    {"VuzStepIntoRunAs", u"单步于", u"单步进入运行指定地址起始的Vuz设备汇编代码", QStyle::SP_MediaSkipForward,
     "CommandStepIntoAs"},
    {"line3", nullptr, nullptr, QStyle::SP_CustomBase, nullptr},
    {"Send", u"发送", u"向Vuz设备发送数据", QStyle::SP_ArrowUp, "ToolSendData"},
    {"Recv", u"接收", u"从Vuz设备获取数据", QStyle::SP_ArrowDown, "ToolRecvData"},
    {"ClearCommandLine", u"清空", u"清空Vuz设备命令行窗口显示内容", QStyle::SP_DialogResetButton, "ToolCommandLineClear"},
    {"line4", nullptr, nullptr, QStyle::SP_CustomBase, nullptr},
    {"EditAsmWindows", u"编辑器", u"编辑、编译器窗口显示", QStyle::SP_FileDialogListView, "EditAsmWindows"},
    {"CommandLine", u"命令行", u"Vuz设备命令行窗口显示", QStyle::SP_ComputerIcon, "ToolCommandLine"},
    {"HelpDispOrUnDisp", u"帮助", u"帮助窗口的显示或关闭", QStyle::SP_DialogHelpButton, "HelpDispOrUnDisp"},
    {"AutoSearchPort", u"设置", u"自动搜索端口", QStyle::SP_DriveNetIcon, "Search"},
};

struct DropItemDef {
    const char* key;
    const char16_t* caption;
    const char* command;
};

const DropItemDef kDropItems[] = {
    {"AutoSearchPort", u"自动搜索端口", "Search"},
    {"ManualSetupPort", u"手动设置端口", "Ownset"},
    {"ClosePort", u"关闭端口", "Closes"},
    {"SetDisplayFontSize", u"显示字体尺寸(12-30)", "SetDisplayFontSize"},
    {"SetAsmSet", u"汇编条件设置", "SetAsmSet"},
};

QString text(const char16_t* s) { return s ? QString::fromUtf16(s) : QString(); }

}  // namespace

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    for (const MenuDef& m : kMenus) {
        const QString name = QString::fromLatin1(m.name);
        QMenu* menu = bar->addMenu(text(m.caption));
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        menu->menuAction()->setVisible(!m.hidden);
        menus_.insert(name, menu);
        menuEnabled_.insert(name, m.enabled);
        menu->setEnabled(m.enabled);
        menu->menuAction()->setEnabled(m.enabled);
        for (const EntryDef& e : m.entries) {
            const QString entry = QString::fromLatin1(e.name);
            QAction* a = e.caption ? menu->addAction(text(e.caption)) : menu->addSeparator();
            a->setObjectName(entry);
            if (e.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
            a->setVisible(!e.hidden);
            entries_.insert(entry, a);
            entryMenu_.insert(entry, name);
            entryEnabled_.insert(entry, !(e.hidden && !e.hasHandler));
            applyEntryState(entry);
            if (e.caption && m.dispatched) connect(a, &QAction::triggered, this, [this, entry] { runCommand(entry); });
        }
        if (QLatin1String(m.name) == QLatin1String("resets")) {
            // The menu without entries sits between "设置" and "帮助"; a click on it quits.
            const QString name = QStringLiteral("Exit");
            QAction* exit = bar->addAction(QStringLiteral("退出"));
            exit->setObjectName(name);
            entries_.insert(name, exit);
            connect(exit, &QAction::triggered, this, [this, name] { runCommand(name); });
        }
    }

    // The commands the window answers itself; the other entries get theirs
    // from the parts of the program that own them.
    const std::pair<const char*, void (MainWindow::*)()> own[] = {
        {"EditAsmWindows", &MainWindow::EditAsmWindows_Click},
        {"ToolCommandLine", &MainWindow::ToolCommandLine_Click},
        {"HelpDispOrUnDisp", &MainWindow::HelpDispOrUnDisp_Click},
        {"Search", &MainWindow::Search_Click},
        {"Ownset", &MainWindow::Ownset_Click},
        {"Closes", &MainWindow::Closes_Click},
        {"SetDisplayFontSize", &MainWindow::SetDisplayFontSize_Click},
        {"Exit", &MainWindow::exit_Click},
        {"About", &MainWindow::about_Click},
    };
    for (const auto& [entry, handler] : own) setCommand(QString::fromLatin1(entry), [this, handler = handler] { (this->*handler)(); });
}

void MainWindow::buildToolbar() {
    toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar_->setIconSize(QSize(20, 20));
    toolbar_->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    QStyle* style = QApplication::style();
    for (const ButtonDef& b : kButtons) {
        const QString key = QString::fromLatin1(b.key);
        QAction* a = nullptr;
        if (!b.caption) {
            a = toolbar_->addSeparator();
        } else {
            a = new QAction(style->standardIcon(b.icon), text(b.caption), this);
            a->setToolTip(text(b.toolTip));
            toolbar_->addAction(a);
            connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        }
        a->setObjectName(key);
        buttons_.insert(key, a);
        if (b.command) buttonCommands_.insert(key, QString::fromLatin1(b.command));
    }

    // "设置" runs the port search; its arrow opens the port and display items.
    QAction* settings = toolbarButton(QStringLiteral("AutoSearchPort"));
    auto* dropDown = new QMenu(this);
    dropDown->setObjectName(QStringLiteral("AutoSearchPortMenu"));
    for (const DropItemDef& d : kDropItems) {
        const QString key = QString::fromLatin1(d.key);
        QAction* item = dropDown->addAction(text(d.caption));
        item->setObjectName(key);
        dropItems_.insert(key, item);
        dropCommands_.insert(key, QString::fromLatin1(d.command));
        connect(item, &QAction::triggered, this, [this, key] { Toolbar1_ButtonMenuClick(key); });
    }
    settings->setMenu(dropDown);
    settingsButton_ = qobject_cast<QToolButton*>(toolbar_->widgetForAction(settings));
    if (settingsButton_) settingsButton_->setPopupMode(QToolButton::MenuButtonPopup);
}

QAction* MainWindow::menuAction(const QString& name) const {
    QMenu* m = menu(name);
    return m ? m->menuAction() : nullptr;
}

void MainWindow::applyEntryState(const QString& name) {
    QAction* a = entries_.value(name, nullptr);
    if (!a) return;
    const QString menuName = entryMenu_.value(name);
    const bool menuOn = menuName.isEmpty() || menuEnabled_.value(menuName, true);
    a->setEnabled(menuOn && entryEnabled_.value(name, true));
}

void MainWindow::setMenuEnabled(const QString& name, bool enabled) {
    QMenu* m = menu(name);
    if (!m) return;
    menuEnabled_[name] = enabled;
    // The menu widget is disabled as well: Qt re-enables a menu's action when its
    // window is enabled again, and only the widget's own state survives that.
    m->setEnabled(enabled);
    m->menuAction()->setEnabled(enabled);
    for (auto it = entryMenu_.cbegin(); it != entryMenu_.cend(); ++it) {
        if (it.value() == name) applyEntryState(it.key());
    }
}

bool MainWindow::isMenuEnabled(const QString& name) const { return menuEnabled_.value(name, false); }

void MainWindow::setEntryEnabled(const QString& name, bool enabled) {
    if (!entries_.contains(name)) return;
    entryEnabled_[name] = enabled;
    applyEntryState(name);
}

bool MainWindow::isEntryEnabled(const QString& name) const { return entryEnabled_.value(name, false); }

void MainWindow::setCommand(const QString& entry, std::function<void()> handler) {
    commands_.insert(entry, std::move(handler));
}

bool MainWindow::hasCommand(const QString& entry) const {
    auto it = commands_.constFind(entry);
    return it != commands_.constEnd() && *it;
}

void MainWindow::runCommand(const QString& entry) {
    auto it = commands_.constFind(entry);
    if (it == commands_.constEnd() || !*it) return;
    // A copy: the handler may run events in which handlers are set anew.
    const std::function<void()> handler = *it;
    handler();
}

void MainWindow::Toolbar1_ButtonClick(const QString& key) {
    auto it = buttonCommands_.constFind(key);
    if (it != buttonCommands_.constEnd()) runCommand(*it);
}

void MainWindow::Toolbar1_ButtonMenuClick(const QString& key) {
    auto it = dropCommands_.constFind(key);
    if (it != dropCommands_.constEnd()) runCommand(*it);
}

}  // namespace app
