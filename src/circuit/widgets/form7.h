#pragma once
// `Form7`: a circuit window, one per loaded schematic, a borderless child of
// the experiment frame. Its load reads and builds the schematic, shows it in
// the schematic view, powers the circuit on, registers its experiments in the
// frame's menu, fills and refreshes the state views and reads the board
// drawing and the block diagrams into further views.
//
// Panes: CoolBar1 holds five bands side by side: 1 the experiment texts
// (Picture3), 2 the board drawing (Picture1(0) with UserControl11(0)), 3 the
// schematic (Picture1(1), UserControl11(1)), 4 the block diagram of the chosen
// experiment (the picture boxes Picture1(i+2) wait there hidden), 5 the side
// panel (Picture2) with CoolBar2: two columns of captioned bands, "总线信号"
// ListView2 over "操控台" Frame1, and "器件列表(B)" TreeView1 over
// "器件Mem/Reg数据(H)" TreeView2 over "线路列表(B)" ListView1. On a narrow
// screen the side panel rearranges them into one column (SidePanel).

#include <QString>
#include <QWidget>

#include <cstdint>
#include <map>
#include <memory>

#include "circuit/lab_menu.h"
#include "circuit/loaded_circuit.h"
#include "circuit/state_view_models.h"

class QMdiSubWindow;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace view {
class UserControl1;
}

namespace circuit {
struct Environment;
}

namespace circuit::widgets {

class BandBar;
class IcTreeView;
class MDIForm1;
class SignalListView;
class StateTree;
struct CircuitParts;

// The window caption a circuit window shows before it knows better.
inline const char16_t* const kCircuitCaption = u"电路";
// Command5's captions: the run mode.
inline const char16_t* const kSingleStepCaption = u"S/C=单步";
inline const char16_t* const kContinuousCaption = u"S/C=连续";

class Form7 : public QWidget, public circuit::LabWindow {
    Q_OBJECT
public:
    // A new window, disabled and hidden, with its panes; nothing is loaded yet.
    explicit Form7(MDIForm1& frame, QWidget* parent = nullptr);
    ~Form7() override;

    // ---- public members ----

    // Loads the schematic file at `strSchFileName` into this new window.
    // 1: loaded, the window is shown maximised and disabled; 0: the schematic
    // was not read or not built, nothing changed, and the caller drops the window.
    int Form_UserLoad(const QString& strSchFileName);
    // The circuit is left: its continuous run stops and its texts go.
    void User_ChangeCurForm() override;
    // Experiment `labNumber` of this circuit, under the caption `formCaption`.
    void User_GetUse(const QString& formCaption, int32_t labNumber) override;
    void showChosen() override;
    // Fits the drawings into the views shown: the board drawing, the
    // schematic and the diagram band 4 holds.
    void AllDispSchFileForm();

    // The refresh cycle: the NC net back at 0, the signal list, the IC tree,
    // the probe list and register tree, and the conflict report.
    void RefreshAll();

    // ---- fields ----
    int Text4Edited = 0;
    int LayoutBusy = 0;
    int RightButtonDown = 0;
    int RefreshCountdown = 0;

    const circuit::LoadedCircuit& circuit() const { return circuit_; }
    int32_t StartIcNumber() const { return circuit_.StartIcNumber; }
    int32_t EndIcNumber() const { return circuit_.EndIcNumber; }
    int32_t StartSignalNumber() const { return circuit_.StartSignalNumber; }
    int32_t EndSignalNumber() const { return circuit_.EndSignalNumber; }
    const schematic::CircuitSetup& Setup() const { return circuit_.Setup; }

    MDIForm1& frame() const { return frame_; }
    circuit::Environment& environment() const;
    CircuitParts& parts() const;

    // ---- panes ----
    BandBar* CoolBar1() const { return coolBar1_; }
    QWidget* Picture3() const { return picture3_; }
    QWidget* Picture2() const { return picture2_; }
    // Picture box k (0 board, 1 schematic, i+2 the block diagram of experiment i); nullptr when none.
    QWidget* Picture1(int k) const;
    view::UserControl1* UserControl11(int k) const;
    // Band 4's frame, where the diagrams' picture boxes wait.
    QWidget* diagramBand() const;
    QSplitter* CoolBar2() const { return coolBar2_; }
    // Column 1 or 2 of the side panel.
    BandBar* coolBar2Column(int column) const;

    QTreeWidget* ListView2() const { return listView2_; }
    QWidget* Frame1() const { return frame1_; }
    IcTreeView* TreeView1() const { return treeView1_; }
    StateTree* TreeView2() const { return treeView2_; }
    SignalListView* ListView1() const { return listView1_; }
    // The run-mode toggle of the console; its caption is the run mode. It
    // waits hidden in Frame1 with its design caption until the console places it.
    QPushButton* Command5() const { return command5_; }
    // The toggle reads "S/C=连续": the window's clock runs on its own.
    bool continuousMode() const;

    // What the signal list and the IC tree show.
    circuit::StateViewModels& stateViews() { return models_; }

    // The window's caption, in the frame's window list too.
    void setCaption(const QString& caption);
    QString caption() const;
    QMdiSubWindow* subWindow() const;

    // ---- handlers ----
    void ListView1_ColumnClick(int columnIndex);
    void TreeView1_MouseDown(Qt::MouseButton button);
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void TreeView2_MouseDown(Qt::MouseButton button);
    void TreeView2_NodeClick(QTreeWidgetItem* node);
    // Selects signal-list row k and scrolls it into view; nothing for a row
    // the list does not have.
    void selectSignalRow(int32_t k);

private:
    void buildPanes();
    void buildSidePanel();
    view::UserControl1* makeView(int k, QWidget* host);
    void loadBoardDrawing();
    void loadBlockDiagrams();

    MDIForm1& frame_;
    circuit::LoadedCircuit circuit_;
    circuit::StateViewModels models_;

    BandBar* coolBar1_ = nullptr;
    QWidget* picture3_ = nullptr;
    QWidget* picture2_ = nullptr;
    QWidget* band4_ = nullptr;
    std::map<int, QWidget*> pictures_;
    std::map<int, view::UserControl1*> userControls_;
    QSplitter* coolBar2_ = nullptr;
    BandBar* columns_[2] = {};
    QTreeWidget* listView2_ = nullptr;
    QWidget* frame1_ = nullptr;
    QPushButton* command5_ = nullptr;
    IcTreeView* treeView1_ = nullptr;
    StateTree* treeView2_ = nullptr;
    SignalListView* listView1_ = nullptr;
};

}  // namespace circuit::widgets
