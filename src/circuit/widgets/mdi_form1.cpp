#include "circuit/widgets/mdi_form1.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include "circuit/environment.h"
#include "circuit/loaded_circuit.h"
#include "circuit/widgets/form6.h"
#include "circuit/widgets/form7.h"
#include "platform/prompter.h"
#include "platform/widgets/close_windows.h"
#include "platform/twips.h"
#include "sampler/widgets/form2.h"

namespace circuit::widgets {

using platform::screenPx;

MDIForm1::MDIForm1(FrameHooks hooks, QWidget* parent)
    : QMainWindow(parent), env_(std::make_unique<circuit::Environment>()), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("MDIForm1"));
    caption_ = QStringLiteral("MDIForm1123");
    setWindowTitle(caption_);
    resize(screenPx(10260), screenPx(6075));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("MDIClient"));
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &MDIForm1::updateCaption);
    buildMenus();
    installCircuitParts(parts_);
    if (parts_.attachFrame) parts_.attachFrame(*this);
}

MDIForm1::~MDIForm1() {
    // The windows go before the environment their views and lists read.
    delete mdi_;
    mdi_ = nullptr;
}

void MDIForm1::buildMenus() {
    auto item = [this](QMenu* menu, const QString& name, const QString& text, auto handler) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto separator = [](QMenu* menu, const QString& name) {
        QAction* a = menu->addSeparator();
        a->setObjectName(name);
        return a;
    };
    auto topMenu = [this](const QString& name, const QString& title) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };

    lab_ = topMenu(QStringLiteral("lab"), QStringLiteral("电路实验"));
    lab_->menuAction()->setEnabled(false);
    QAction* first = lab_->addSeparator();
    first->setObjectName(QStringLiteral("lab_AutoAddlab_0"));
    connect(first, &QAction::triggered, this, [this] { lab_AutoAddlab_Click(0); });
    labItems_.append(first);

    using P = TestPanelItem;
    auto panel = [this](P p) { return [this, p] { openTestPanel(p); }; };
    QMenu* ttl = topMenu(QStringLiteral("lab_TtlIc"), QStringLiteral("TTL集成电路实验"));
    item(ttl, QStringLiteral("lab_TtlIc_74Ls00"), QStringLiteral("74LS00"), panel(P::Ls00));
    item(ttl, QStringLiteral("lab_TtlIc_74Ls138"), QStringLiteral("74LS138"), panel(P::Ls138));
    separator(ttl, QStringLiteral("line2"));
    item(ttl, QStringLiteral("lab_TtlIc_74Ls244"), QStringLiteral("74LS244"), panel(P::Ls244));
    item(ttl, QStringLiteral("lab_TtlIc_74Ls374"), QStringLiteral("74LS374"), panel(P::Ls374));

    QMenu* memory = topMenu(QStringLiteral("lab_MemoryIc"), QStringLiteral("半导体存储器部件实验"));
    item(memory, QStringLiteral("lab_MemoryIc_Ram6116"), QStringLiteral("RAM6116"), panel(P::Ram6116));
    separator(memory, QStringLiteral("line3"));
    item(memory, QStringLiteral("lab_MemoryIc_Rom2732"), QStringLiteral("ROM2732"), panel(P::Rom2732));

    QMenu* special = topMenu(QStringLiteral("lab_SpecialIc"), QStringLiteral("专用集成电路实验"));
    item(special, QStringLiteral("lab_SpecialIc_Am2910"), QStringLiteral("微控器 Am2910(暂空)"), &MDIForm1::openForm6);
    item(special, QStringLiteral("lab_SpecialIc_Am2901"), QStringLiteral("运算器 Am2901(暂空)"), &MDIForm1::openForm6);
    item(special, QStringLiteral("lab_SpecialIc_Gal20v8"), QStringLiteral("PLD Gal20v8(暂空)"), &MDIForm1::openForm6);

    winList_ = topMenu(QStringLiteral("WinList"), QStringLiteral("窗口"));
    item(winList_, QStringLiteral("lab_testwindow"), QStringLiteral("调试窗口"), &MDIForm1::lab_testwindow_Click);
    item(winList_, QStringLiteral("WinList_ErrorWorry"), QStringLiteral("错误/警告提示"),
         &MDIForm1::WinList_ErrorWorry_Click)
        ->setCheckable(true);
    separator(winList_, QStringLiteral("line4"))->setVisible(false);
    QAction* icOut = separator(winList_, QStringLiteral("WinList_IcOut_0"));
    icOut->setVisible(false);
    icOutItems_.append(icOut);
    icOutWindows_.append(nullptr);

    QAction* exit = menuBar()->addAction(QStringLiteral("退出"));
    exit->setObjectName(QStringLiteral("exit"));
    connect(exit, &QAction::triggered, this, &MDIForm1::exit_Click);

    QMenu* help = topMenu(QStringLiteral("help"), QStringLiteral("帮助"));
    item(help, QStringLiteral("readme"), QStringLiteral("使用说明"), [] {})->setVisible(false);
    item(help, QStringLiteral("about"), QStringLiteral("关于..."), &MDIForm1::about_Click);
}

QAction* MDIForm1::menuItem(const QString& name) const {
    // Every item, the ones added later included, belongs to the menu bar or one of its menus.
    return menuBar()->findChild<QAction*>(name);
}

QMdiSubWindow* MDIForm1::addChild(QWidget* widget) {
    QMdiSubWindow* sub = mdi_->addSubWindow(widget, Qt::FramelessWindowHint);
    sub->setSystemMenu(nullptr);
    sub->hide();
    return sub;
}

QMdiSubWindow* MDIForm1::testPanelWindow(TestPanelItem panel) const {
    return panels_[static_cast<std::size_t>(panel)];
}

// ---- entry and circuits ----

void MDIForm1::MDIForm_UseLoad() {
    const QString tail = QStringLiteral("电路实验");
    caption_ = hooks_.editionWord.isEmpty() ? tail : hooks_.editionWord + QLatin1Char(' ') + tail;
    setWindowTitle(caption_);
    OpenCircuitWindow(circuit::dataFile(QString::fromUtf16(circuit::kDefaultCircuitFile)).value_or(QString()));
    hide();
}

int MDIForm1::OpenCircuitWindow(const QString& path) {
    auto* window = new Form7(*this);
    QMdiSubWindow* sub = addChild(window);
    if (window->Form_UserLoad(path) == 0) {
        mdi_->removeSubWindow(sub);
        delete sub;
        return 0;
    }
    circuits_.push_back(window);
    return 1;
}

circuit::LabRegistration MDIForm1::registerCircuit(Form7& window) {
    std::vector<std::string> names;
    for (const schematic::LabEntry& lab : window.Setup().Labs) names.push_back(lab.Name);
    const circuit::LabRegistration r = env_->labMenu.registerCircuit(&window, names);
    mirrorLabMenu();
    return r;
}

void MDIForm1::mirrorLabMenu() {
    const circuit::LabMenu& menu = env_->labMenu;
    while (labItems_.size() < menu.itemCount()) {
        const int n = static_cast<int>(labItems_.size());
        QAction* a = lab_->addAction(QString());
        a->setObjectName(QStringLiteral("lab_AutoAddlab_%1").arg(n));
        connect(a, &QAction::triggered, this, [this, n] { lab_AutoAddlab_Click(n); });
        labItems_.append(a);
    }
    if (menu.enabled()) {
        for (int i = 0; i < labItems_.size(); ++i) {
            QAction* a = labItems_[i];
            a->setSeparator(false);
            a->setText(menu.LabMenuTable[static_cast<std::size_t>(i)].text);
            a->setCheckable(true);
            a->setChecked(i == menu.checkedItem);
        }
    }
    lab_->setTitle(menu.caption());
    lab_->menuAction()->setEnabled(menu.enabled());
}

void MDIForm1::lab_AutoAddlab_Click(int index) {
    env_->labMenu.choose(index);
    // Also after a refused choice: a click has toggled the item's own check.
    mirrorLabMenu();
}

void MDIForm1::StopContinuousRun() {
    if (env_->StopFlag == 0) env_->stopRun();
}

// ---- children ----

void MDIForm1::maximizeAlone(QMdiSubWindow* sub) {
    // Two maximised children fight over the frame's caption: the one left
    // behind puts the frame's own caption back after the new one has set its.
    for (QMdiSubWindow* other : mdi_->subWindowList())
        if (other != sub && other->isMaximized()) other->showNormal();
    sub->showMaximized();
}

void MDIForm1::showMaximizedChild(QMdiSubWindow* sub) {
    maximizeAlone(sub);
    mdi_->setActiveSubWindow(sub);
    updateCaption();
}

void MDIForm1::updateCaption() {
    const QMdiSubWindow* sub = mdi_ ? mdi_->currentSubWindow() : nullptr;
    if (sub && sub->isMaximized() && !sub->windowTitle().isEmpty())
        setWindowTitle(QStringLiteral("%1 - [%2]").arg(caption_, sub->windowTitle()));
    else
        setWindowTitle(caption_);
}

void MDIForm1::openTestPanel(TestPanelItem panel) {
    StopContinuousRun();
    QMdiSubWindow*& sub = panels_[static_cast<std::size_t>(panel)];
    if (!sub) {
        QWidget* widget = hooks_.createTestPanel ? hooks_.createTestPanel(static_cast<int>(panel), nullptr) : nullptr;
        if (!widget) return;
        sub = addChild(widget);
    }
    showMaximizedChild(sub);
}

void MDIForm1::openForm6() {
    StopContinuousRun();
    if (!form6_) {
        form6_ = new Form6;
        form6Window_ = addChild(form6_);
    }
    showMaximizedChild(form6Window_);
}

void MDIForm1::AddIcOutWindow(QWidget* window, const QString& caption) {
    icOutItems_.front()->setVisible(true);
    const int n = static_cast<int>(icOutItems_.size());
    QAction* a = winList_->addAction(caption);
    a->setObjectName(QStringLiteral("WinList_IcOut_%1").arg(n));
    connect(a, &QAction::triggered, this, [this, n] { WinList_IcOut_Click(n); });
    icOutItems_.append(a);
    while (icOutWindows_.size() <= n) icOutWindows_.append(nullptr);
    icOutWindows_[n] = window;
}

void MDIForm1::WinList_IcOut_Click(int index) {
    if (index < 1 || index >= icOutWindows_.size()) return;
    QWidget* window = icOutWindows_[index];
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
}

void MDIForm1::about_Click() {
    if (hooks_.showAbout) hooks_.showAbout(this);
}

void MDIForm1::exit_Click() { close(); }

void MDIForm1::lab_testwindow_Click() { sampler::Form2::instance()->showDebugWindow(this); }

void MDIForm1::WinList_ErrorWorry_Click() {
    QAction* item = menuItem(QStringLiteral("WinList_ErrorWorry"));
    if (!parts_.showConflictLog) {
        item->setChecked(false);
        return;
    }
    parts_.showConflictLog(*this);
    item->setChecked(true);
}

// ---- quitting ----

bool MDIForm1::MDIForm_QueryUnload() {
    if (!platform::AskQuitNow()) return false;
    // An unsaved assembly source is not lost on the way out.
    if (hooks_.mainWindowMayQuit && !hooks_.mainWindowMayQuit()) return false;
    StopContinuousRun();
    if (parts_.closeEnvironmentPort) parts_.closeEnvironmentPort(*this);
    return true;
}

void MDIForm1::MDIForm_Unload() {
    unloading_ = true;
    if (hooks_.unloadMainWindow) hooks_.unloadMainWindow();
    // Every other window of the program goes, once.
    platform::closeOtherWindows(this);
    emit unloaded();
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    // Closed by the windows' unload (ours, or the main window's): no second question.
    if (unloading_) {
        event->accept();
        return;
    }
    if (!MDIForm_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    MDIForm_Unload();
}

}  // namespace circuit::widgets
