#include "app/main_window.h"

#include "app/splash_window.h"
#include "app/string_resources.h"
#include "platform/fonts.h"
#include "platform/program_folder.h"
#include "platform/widgets/dialog_owner.h"
#include "platform/prompter.h"
#include "platform/widgets/close_windows.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/rich_text_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace app {
namespace {

QWidget* captionedBand(const QString& caption, QWidget* child) {
    auto* w = new QWidget;
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);
    if (!caption.isEmpty()) {
        auto* label = new QLabel(caption, w);
        label->setContentsMargins(4, 1, 4, 1);
        layout->addWidget(label);
    }
    layout->addWidget(child, 1);
    return w;
}

QWidget* container(QWidget* child) {
    auto* w = new QWidget;
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(child);
    return w;
}

}  // namespace

MainWindow::MainWindow(const editions::EditionProfile& profile, workbench::SourceState& source,
                       ProgramHooks& hooks, QWidget* parent)
    : QMainWindow(parent), profile_(profile), source_(source), hooks_(hooks) {
    setObjectName(QStringLiteral("frmmain"));
    platform::setDialogOwner(this);
    buildControls();
    buildMenus();
    buildToolbar();
    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    for (int i = 0; i < 6; ++i) {
        rich_[i] = new platform::RichTextBox;
        rich_[i]->setObjectName(QStringLiteral("RichTextBox%1").arg(i + 1));
    }
    for (int i = 0; i < 3; ++i) {
        list_[i] = new platform::ListView;
        list_[i]->setObjectName(QStringLiteral("ListView%1").arg(i + 1));
    }
    // Help panes are for reading: their lines also wrap where a narrow pane ends.
    for (int i : {4, 5}) {
        rich_[i]->setReadOnly(true);
        rich_[i]->setWrapAtBoxWidth(true);
    }

    // Editor side: the editor above the build messages.
    coolBar4_ = new QSplitter(Qt::Vertical);
    coolBar4_->setObjectName(QStringLiteral("CoolBar4"));
    coolBar4_->addWidget(rich_[1]);
    coolBar4_->addWidget(rich_[3]);
    coolBar4_->setChildrenCollapsible(false);
    picture1_ = container(coolBar4_);
    picture1_->setObjectName(QStringLiteral("Picture1"));

    // Device lists: registers over unassembly, memory in a row of its own.
    coolBar2Left_ = new QSplitter(Qt::Vertical);
    coolBar2Left_->addWidget(captionedBand(QStringLiteral("寄存器"), list_[0]));
    coolBar2Left_->addWidget(captionedBand(QStringLiteral("反汇编"), list_[1]));
    coolBar2Left_->setChildrenCollapsible(false);
    coolBar2_ = new QSplitter(Qt::Horizontal);
    coolBar2_->setObjectName(QStringLiteral("CoolBar2"));
    coolBar2_->addWidget(coolBar2Left_);
    coolBar2_->addWidget(captionedBand(QStringLiteral("内存"), list_[2]));
    coolBar2_->setChildrenCollapsible(false);
    picture2_ = container(coolBar2_);
    picture2_->setObjectName(QStringLiteral("Picture2"));

    // Help: monitor commands above programming.
    coolBar3_ = new QSplitter(Qt::Vertical);
    coolBar3_->setObjectName(QStringLiteral("CoolBar3"));
    coolBar3_->addWidget(rich_[4]);
    coolBar3_->addWidget(rich_[5]);
    coolBar3_->setStretchFactor(0, 5130);
    coolBar3_->setStretchFactor(1, 3465);
    picture3_ = container(coolBar3_);
    picture3_->setObjectName(QStringLiteral("Picture3"));

    // The band bar.
    middle_ = new QStackedWidget;
    middle_->addWidget(rich_[0]);
    middle_->addWidget(picture1_);
    right_ = new QStackedWidget;
    right_->addWidget(picture2_);
    right_->addWidget(rich_[2]);

    auto* nullBand = new QWidget;
    auto* pic3Band = container(picture3_);
    coolBar1_ = new QSplitter(Qt::Horizontal);
    coolBar1_->setObjectName(QStringLiteral("CoolBar1"));
    coolBar1_->addWidget(nullBand);
    coolBar1_->addWidget(pic3Band);
    coolBar1_->addWidget(middle_);
    coolBar1_->addWidget(right_);
    coolBar1_->setChildrenCollapsible(false);
    bands_.insert(QStringLiteral("Null"), nullBand);
    bands_.insert(QStringLiteral("Pic3"), pic3Band);
    bands_.insert(QStringLiteral("RichTB1"), middle_);
    bands_.insert(QStringLiteral("Pic2"), right_);
    setCentralWidget(coolBar1_);

    // The window's initial state: the empty band hidden, the help band shown
    // without its container, the containers hidden until a layout shows them.
    nullBand->hide();
    picture1_->hide();
    picture2_->hide();
    picture3_->hide();
    rich_[2]->hide();

    // Status bar `zhuangtai`.
    statusBar()->setObjectName(QStringLiteral("zhuangtai"));
    statusBar()->setSizeGripEnabled(false);
    const int widths[4] = {0, 160, 110, 110};
    for (int i = 0; i < 4; ++i) {
        status_[i] = new QLabel;
        status_[i]->setFrameShape(QFrame::StyledPanel);
        status_[i]->setFrameShadow(QFrame::Sunken);
        if (widths[i]) status_[i]->setMinimumWidth(widths[i]);
        statusBar()->addWidget(status_[i], i == 0 ? 1 : 0);
    }

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));

    setWindowState(Qt::WindowMaximized);
}

void MainWindow::buildLists() {
    using platform::ListView;
    ListView* regs = list_[0];
    regs->addColumn(QStringLiteral("RegisterNumber"), QStringLiteral("名称"), Qt::AlignLeft);
    regs->addColumn(QStringLiteral("RegisterValue"), QStringLiteral("值"), Qt::AlignHCenter);
    for (int i = 0; i < profile_.registerRowCount; ++i) {
        const QString name = QString::fromUtf8(profile_.registerRows[i].data(),
                                               static_cast<qsizetype>(profile_.registerRows[i].size()));
        regs->addRow(name, name);
        regs->addCell(name, name + QStringLiteral("Value"), QString());
    }

    ListView* unasm = list_[1];
    unasm->addColumn(QStringLiteral("UnAsmAddress"), QStringLiteral("地址"), Qt::AlignLeft);
    unasm->addColumn(QStringLiteral("UnAsmCodes"), QStringLiteral("编码"), Qt::AlignLeft);
    unasm->addColumn(QStringLiteral("UnAsmInstruction"), QStringLiteral("指令"), Qt::AlignLeft);

    ListView* memory = list_[2];
    memory->addColumn(QStringLiteral("MemoryAddress"), QStringLiteral("地址"), Qt::AlignLeft);
    memory->addColumn(QStringLiteral("MemoryValue"), QStringLiteral("值"), Qt::AlignHCenter);
    memory->addColumn(QStringLiteral("MemoryDisp"), QStringLiteral("显示"), Qt::AlignHCenter);
    for (int i = 1; i <= profile_.memoryRowCount; ++i) {
        const QString key = QStringLiteral("Address%1").arg(i);
        memory->addRow(key, QString());
        memory->addCell(key, QStringLiteral("Address%1Value%1").arg(i), QString());
        memory->addCell(key, QStringLiteral("Address%1Disp%1").arg(i), QString());
    }

    // The widest value each column shows in this edition's replies, so the
    // columns are wide enough before the first reply; the unassembly's
    // instructions take the width left over.
    const bool eight = profile_.replyLayout == editions::ReplyLayout::Eight;
    regs->setColumnFit(1, eight ? QStringLiteral("DD") : QStringLiteral("0000'0000"), 1);
    unasm->setColumnFit(0, QStringLiteral("DDDD"), 0);
    unasm->setColumnFit(1, eight ? QStringLiteral("DD DD DD") : QStringLiteral("DDDD DDDD"), 0);
    unasm->setColumnFit(2, QStringLiteral("MOV   R12,[R13+DDDDH]"), 1);
    memory->setColumnFit(0, QStringLiteral("DDDD"), 1);
    memory->setColumnFit(1, eight ? QStringLiteral("DD") : QStringLiteral("DDDD"), 1);
    memory->setColumnFit(2, eight ? QStringLiteral("W") : QStringLiteral("WW"), 1);
}

void MainWindow::Form_Load() {
    // 1-2
    setEnabled(false);
    fields_.LayoutBusy = 0;
    // 3
    if (hooks_.link.setUpPort) hooks_.link.setUpPort(*this);
    // 4
    fields_.LastKeyCode = fields_.LastShift = fields_.ListingLastKey = 0;
    // 5: margins, then font name and size of the four working panes, then the lists.
    const int margins[6] = {9600, 32767, 32767, 32767, 8959, 8959};
    for (int i = 0; i < 6; ++i) rich_[i]->setRightMargin(margins[i]);
    for (int i = 0; i < 4; ++i) rich_[i]->setBoxFont(platform::paneFont(12));
    for (auto* l : list_) l->setFontSize(10);
    // 6: the banner, caret after it; the command line takes that place as its
    // PromptStart when the link attaches to the pane.
    rich_[0]->setRichText(LoadResString(101));
    rich_[0]->setSelStart(rich_[0]->textLength());
    // 7: edition values.
    const std::string title = profile_.appTitle();
    appTitle_ = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
    sendDataCmd_ = QString::fromUtf8(profile_.sendDataCmd.data(), static_cast<qsizetype>(profile_.sendDataCmd.size()));
    recvDataCmd_ = QString::fromUtf8(profile_.recvDataCmd.data(), static_cast<qsizetype>(profile_.recvDataCmd.size()));
    {
        const bool offered = profile_.asmOptionsOffered;
        for (QAction* a : {menuEntry(QStringLiteral("Menu_line7")), menuEntry(QStringLiteral("SetAsmSet")),
                           dropDownItem(QStringLiteral("SetAsmSet"))}) {
            if (a) a->setVisible(offered);
        }
        setEntryEnabled(QStringLiteral("Menu_line7"), offered);
        setEntryEnabled(QStringLiteral("SetAsmSet"), offered);
        if (QAction* item = dropDownItem(QStringLiteral("SetAsmSet"))) item->setEnabled(offered);
    }
    // 8: help panes; a missing file leaves its pane empty, without a message.
    const QString stem = QString::fromUtf8(profile_.helpFileStem.data(), static_cast<qsizetype>(profile_.helpFileStem.size()));
    const QString helpBase = QStringLiteral("\\help\\") + stem;
    const QString monitorHelp = platform::programFile(helpBase + QStringLiteral("监控命令.rtf"));
    if (QFileInfo(monitorHelp).isFile()) rich_[4]->loadFile(monitorHelp);
    const QString programmingHelp = platform::programFile(helpBase + QStringLiteral("程序设计.rtf"));
    if (QFileInfo(programmingHelp).isFile()) rich_[5]->loadFile(programmingHelp);
    // 10: the lists.
    buildLists();
    // 11: the command-line layout (nothing is modified yet, so nothing is asked).
    ToolCommandLine_Click();
    // 12 and 14 (band captions by screen size, the update lock) have no
    // counterpart here: the band captions are always shown, and the window
    // is not drawn before it is shown.
    // 13 and 15: the sampling display's controls and plot limits.
    if (hooks_.sampling.onMainWindowLoad) hooks_.sampling.onMainWindowLoad(*this);
    // 16 (the link's fields start at 0 when it attaches) and 17.
    timer1_->stop();
    timer1_->setInterval(50);

    if (hooks_.link.attach) hooks_.link.attach(*this);
    if (hooks_.workbench.attach) hooks_.workbench.attach(*this);
}

QLabel* MainWindow::statusPanel(int panel) const { return panel >= 1 && panel <= 4 ? status_[panel - 1] : nullptr; }

void MainWindow::setStatusText(int panel, const QString& text) {
    if (QLabel* l = statusPanel(panel)) l->setText(text);
}

QString MainWindow::statusText(int panel) const {
    const QLabel* l = statusPanel(panel);
    return l ? l->text() : QString();
}

QWidget* MainWindow::bandChild(const QString& key) const {
    if (key == QLatin1String("RichTB1")) return middle_->currentWidget();
    if (key == QLatin1String("Pic2")) return right_->currentWidget();
    if (key == QLatin1String("Pic3")) return picture3_;
    return nullptr;
}

bool MainWindow::Form_QueryUnload() { return askToQuit() && finishQueryUnload(); }

bool MainWindow::askToQuit() { return platform::AskQuitNow(); }

bool MainWindow::finishQueryUnload() {
    if (!saveQuestion()) return false;
    if (hooks_.link.closePortIfOpen) hooks_.link.closePortIfOpen();
    return true;
}

bool MainWindow::saveQuestion() {
    using platform::MsgButtons;
    using platform::MsgIcon;
    using platform::MsgResult;
    if (!source_.SourceModified) return true;
    const MsgResult r = platform::MsgBox(QStringLiteral("当前文件被修改，是否保存？"), MsgButtons::YesNoCancel,
                                         QStringLiteral(" 提示：是否保存？"), MsgIcon::Question, 2);
    if (r == MsgResult::Cancel) return false;
    if (r == MsgResult::Yes) return hooks_.workbench.saveSourceFile && hooks_.workbench.saveSourceFile();
    return true;
}

void MainWindow::unloadWithoutAsking() {
    if (hooks_.link.closePortIfOpen) hooks_.link.closePortIfOpen();
    quitConfirmed_ = true;
    close();
}

void MainWindow::Form_Unload() {
    platform::closeOtherWindows(this);
    emit unloaded();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const bool building = hooks_.workbench.buildRunning && hooks_.workbench.buildRunning();
    if (building) {
        // Asked as at any other time. No: the build goes on untouched. Yes: the
        // build stops and cleans up its work files first; the quit goes on after it.
        event->ignore();
        if (quitAfterBuild_) return;
        if (!quitConfirmed_ && !askToQuit()) return;
        quitAfterBuild_ = true;
        if (hooks_.workbench.stopBuild) hooks_.workbench.stopBuild();
        QTimer::singleShot(0, this, &MainWindow::closeAfterBuild);
        return;
    }
    const bool mayClose = quitConfirmed_ || (quitAfterBuild_ ? finishQueryUnload() : Form_QueryUnload());
    quitAfterBuild_ = false;
    if (!mayClose) {
        event->ignore();
        return;
    }
    event->accept();
    Form_Unload();
}

void MainWindow::closeAfterBuild() {
    // The build notices the stop in its current wait and returns after its
    // clean-up; until then this looks again.
    if (hooks_.workbench.buildRunning && hooks_.workbench.buildRunning()) {
        QTimer::singleShot(10, this, &MainWindow::closeAfterBuild);
        return;
    }
    close();
}

void MainWindow::exit_Click() { close(); }

void MainWindow::about_Click() { showAboutBox(this); }

void MainWindow::Search_Click() {
    if (hooks_.link.searchPort) hooks_.link.searchPort(*this);
}

void MainWindow::Ownset_Click() {
    if (hooks_.link.manualPort) hooks_.link.manualPort(*this);
}

void MainWindow::Closes_Click() {
    if (hooks_.link.closePort) hooks_.link.closePort(*this);
}

}  // namespace app
