#pragma once
// `MDIForm1`: the experiment frame, a window whose children are the circuit
// windows, the IC test panels and the placeholder Form6. Its menus switch
// between the experiments of every loaded circuit, open the test panels, show
// the debug window, the conflict log and the 8251 terminals, show the About
// box and quit. It owns the environment's module state.

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <memory>
#include <vector>

#include "circuit/lab_menu.h"
#include "circuit/widgets/circuit_parts.h"
#include "circuit/widgets/frame_hooks.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace circuit {
struct Environment;
}

namespace circuit::widgets {

class Form6;
class Form7;

class MDIForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The frame with its menus, hidden; the parts are installed, no circuit is loaded.
    explicit MDIForm1(FrameHooks hooks = {}, QWidget* parent = nullptr);
    ~MDIForm1() override;

    circuit::Environment& environment() { return *env_; }
    FrameHooks& hooks() { return hooks_; }
    CircuitParts& parts() { return parts_; }
    QMdiArea* mdiArea() const { return mdi_; }

    // The environment's entry: the caption (the edition word and "电路实验"),
    // then the default circuit. The caller shows the frame afterwards.
    void MDIForm_UseLoad();
    // A new circuit window loaded from `path`: 1 when it stays, 0 when the
    // schematic was not loaded (the window is dropped, nothing is shown).
    int OpenCircuitWindow(const QString& path);
    // Switches to experiment-menu item `index`; nothing for an item without an entry.
    void lab_AutoAddlab_Click(int index);
    // Ends a continuous run; the run-mode buttons keep their captions.
    void StopContinuousRun();
    // A terminal window joins the window menu; item n shows IcOutWindows[n].
    void AddIcOutWindow(QWidget* window, const QString& caption);
    void WinList_IcOut_Click(int index);

    // Shows `sub` maximised and in use; a child maximised before it is restored,
    // so that only the child in use is maximised.
    void showMaximizedChild(QMdiSubWindow* sub);
    // Shows `sub` maximised, restoring any other maximised child.
    void maximizeAlone(QMdiSubWindow* sub);
    // The frame's caption, followed by " - [" the child's caption "]" while the
    // child in use is maximised.
    void updateCaption();

    // A loading circuit window registers its experiments (the console's last step).
    circuit::LabRegistration registerCircuit(Form7& window);

    // Menu handlers.
    void about_Click();
    void exit_Click();
    void lab_testwindow_Click();
    void WinList_ErrorWorry_Click();
    void openTestPanel(TestPanelItem panel);
    void openForm6();

    // The quit question and what Yes does before the windows close; false keeps running.
    bool MDIForm_QueryUnload();

    // ---- what tests and the parts look at ----
    QMenu* lab() const { return lab_; }
    const QList<QAction*>& lab_AutoAddlab() const { return labItems_; }
    const QList<QAction*>& WinList_IcOut() const { return icOutItems_; }
    const QList<QPointer<QWidget>>& IcOutWindows() const { return icOutWindows_; }
    // A menu item by its name ("lab_TtlIc_74Ls00", "WinList_ErrorWorry", "exit", ...).
    QAction* menuItem(const QString& name) const;
    const std::vector<Form7*>& circuitWindows() const { return circuits_; }
    // The window of a test panel or Form6, once made.
    QMdiSubWindow* testPanelWindow(TestPanelItem panel) const;
    Form6* form6() const { return form6_; }

signals:
    // The frame has closed every window: the program ends.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void mirrorLabMenu();
    void MDIForm_Unload();
    QMdiSubWindow* addChild(QWidget* widget);

    std::unique_ptr<circuit::Environment> env_;
    FrameHooks hooks_;
    CircuitParts parts_;
    QMdiArea* mdi_ = nullptr;

    QMenu* lab_ = nullptr;
    QList<QAction*> labItems_;
    QList<QAction*> icOutItems_;
    QList<QPointer<QWidget>> icOutWindows_;
    QMenu* winList_ = nullptr;

    std::vector<Form7*> circuits_;
    std::array<QMdiSubWindow*, kTestPanelCount> panels_{};
    Form6* form6_ = nullptr;
    QMdiSubWindow* form6Window_ = nullptr;
    bool unloading_ = false;
    QString caption_;
};

}  // namespace circuit::widgets
