#include "circuit/widgets/form7.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "circuit/environment.h"
#include "circuit/widgets/band_bar.h"
#include "circuit/widgets/circuit_parts.h"
#include "circuit/widgets/mdi_form1.h"
#include "circuit/widgets/pane_layout.h"
#include "circuit/widgets/state_views.h"
#include "platform/twips.h"
#include "schematic/prompter_sch_notifier.h"
#include "view/widgets/user_control1.h"

namespace circuit::widgets {

using platform::screenPx;

namespace {

// The board drawing's background, red 210, green 152, blue 90 (0x00BBGGRR).
constexpr uint32_t kBoardBackColor = 0x5A98D2u;

QWidget* pictureBox(const QString& name, QWidget* parent) {
    auto* box = new QWidget(parent);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return box;
}

}  // namespace

Form7::Form7(MDIForm1& frame, QWidget* parent)
    : QWidget(parent), frame_(frame), models_(frame.environment().simulator) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QString::fromUtf16(kCircuitCaption));
    resize(screenPx(19050), screenPx(9525));
    buildPanes();
    setEnabled(false);
    if (parts().attachWindow) parts().attachWindow(*this);
}

Form7::~Form7() = default;

circuit::Environment& Form7::environment() const { return frame_.environment(); }
CircuitParts& Form7::parts() const { return frame_.parts(); }

void Form7::buildPanes() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    coolBar1_ = new BandBar(Qt::Horizontal, this);
    coolBar1_->setObjectName(QStringLiteral("CoolBar1"));
    layout->addWidget(coolBar1_);

    picture3_ = pictureBox(QStringLiteral("Picture3"), nullptr);
    coolBar1_->addBand({}, picture3_, screenPx(2445));
    for (int k = 0; k <= 1; ++k) {
        QWidget* box = pictureBox(QStringLiteral("Picture1_%1").arg(k), nullptr);
        pictures_[k] = box;
        coolBar1_->addBand({}, box, screenPx(4095));
        makeView(k, box);
    }
    coolBar1_->addBand({}, nullptr, screenPx(4005));
    band4_ = coolBar1_->band(4);
    picture2_ = pictureBox(QStringLiteral("Picture2"), nullptr);
    buildSidePanel();
    coolBar1_->addBand({}, picture2_, screenPx(2505));
}

void Form7::buildSidePanel() {
    coolBar2_ = new QSplitter(Qt::Horizontal, picture2_);
    coolBar2_->setObjectName(QStringLiteral("CoolBar2"));
    coolBar2_->setChildrenCollapsible(false);
    picture2_->layout()->addWidget(coolBar2_);
    for (int c = 0; c < 2; ++c) {
        columns_[c] = new BandBar(Qt::Vertical, coolBar2_);
        columns_[c]->setObjectName(QStringLiteral("CoolBar2_%1").arg(c + 1));
        coolBar2_->addWidget(columns_[c]);
    }

    listView2_ = new QTreeWidget;
    listView2_->setObjectName(QStringLiteral("ListView2"));
    listView2_->setRootIsDecorated(false);
    listView2_->setUniformRowHeights(true);
    listView2_->setHeaderLabels({QString()});
    keepDisabledLook(listView2_);
    frame1_ = new QWidget;
    frame1_->setObjectName(QStringLiteral("Frame1"));
    command5_ = new QPushButton(QString::fromUtf16(kSingleStepCaption), frame1_);
    command5_->setObjectName(QStringLiteral("Command5"));
    command5_->hide();
    columns_[0]->addBand(QStringLiteral("总线信号"), listView2_, screenPx(3000));
    columns_[0]->addBand(QStringLiteral("操控台"), frame1_, screenPx(5000));

    treeView1_ = new IcTreeView;
    treeView1_->setObjectName(QStringLiteral("TreeView1"));
    treeView2_ = new StateTree;
    treeView2_->setObjectName(QStringLiteral("TreeView2"));
    treeView2_->setHeaderHidden(true);
    listView1_ = new SignalListView;
    listView1_->setObjectName(QStringLiteral("ListView1"));
    columns_[1]->addBand(QStringLiteral("器件列表(B)"), treeView1_, screenPx(3000));
    columns_[1]->addBand(QStringLiteral("器件Mem/Reg数据(H)"), treeView2_, screenPx(3000));
    columns_[1]->addBand(QStringLiteral("线路列表(B)"), listView1_, screenPx(3000));
    for (QWidget* list : std::initializer_list<QWidget*>{listView2_, treeView1_, treeView2_, listView1_})
        list->setMinimumWidth(screenPx(450));

    connect(listView1_, &SignalListView::columnClicked, this, &Form7::ListView1_ColumnClick);
    connect(treeView1_, &StateTree::mouseDown, this, &Form7::TreeView1_MouseDown);
    connect(treeView1_, &StateTree::nodePressed, this, &Form7::TreeView1_NodeClick);
    connect(treeView2_, &StateTree::mouseDown, this, &Form7::TreeView2_MouseDown);
    connect(treeView2_, &StateTree::nodePressed, this, &Form7::TreeView2_NodeClick);
}

view::UserControl1* Form7::makeView(int k, QWidget* host) {
    auto* v = new view::UserControl1(host, &environment().schematic);
    v->setObjectName(QStringLiteral("UserControl11_%1").arg(k));
    host->layout()->addWidget(v);
    userControls_[k] = v;
    connect(v, &view::UserControl1::HotElement, this, [this, k](int32_t value) {
        if (parts().hotElement) parts().hotElement(*this, k, value);
    });
    connect(v, &view::UserControl1::HotElementClick, this, [this, k](int32_t button, int32_t value) {
        if (parts().hotElementClick) parts().hotElementClick(*this, k, button, value);
    });
    return v;
}

QWidget* Form7::Picture1(int k) const {
    const auto it = pictures_.find(k);
    return it == pictures_.end() ? nullptr : it->second;
}

view::UserControl1* Form7::UserControl11(int k) const {
    const auto it = userControls_.find(k);
    return it == userControls_.end() ? nullptr : it->second;
}

QWidget* Form7::diagramBand() const { return band4_; }

BandBar* Form7::coolBar2Column(int column) const {
    return column >= 1 && column <= 2 ? columns_[column - 1] : nullptr;
}

QMdiSubWindow* Form7::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

void Form7::setCaption(const QString& caption) {
    setWindowTitle(caption);
    if (QMdiSubWindow* sub = subWindow()) sub->setWindowTitle(caption);
    frame_.updateCaption();
}

QString Form7::caption() const { return windowTitle(); }

bool Form7::continuousMode() const { return command5_->text() == QString::fromUtf16(kContinuousCaption); }

// ---- the load ----

int Form7::Form_UserLoad(const QString& strSchFileName) {
    circuit::Environment& env = environment();
    // Read and build; a refused or unread schematic changes nothing.
    std::optional<circuit::LoadedCircuit> loaded = circuit::readAndBuildCircuit(env, strSchFileName);
    if (!loaded) return 0;
    circuit_ = std::move(*loaded);
    const circuit::LoadedCircuit& c = circuit_;

    view::UserControl1* schematicView = UserControl11(1);
    schematicView->GetSchFile(c.StartIcNumber, c.StartSignalNumber, c.EndIcNumber, c.EndSignalNumber);
    schematicView->SetDispName(QStringLiteral("原理图"));

    circuit::powerOn(env, c);

    if (parts().buildConsole) parts().buildConsole(*this);
    const circuit::LabRegistration registration = frame_.registerCircuit(*this);
    if (registration.withoutLabs) {
        coolBar1_->setBandVisible(1, false);
        setCaption(registration.windowCaption);
    }

    models_.fill(c);
    listView1_->fill(models_.signalList);
    treeView1_->fill(models_.icTree);
    if (parts().fillStateViews) parts().fillStateViews(*this);

    RefreshAll();
    RefreshAll();
    Text4Edited = 0;
    LayoutBusy = 0;
    RightButtonDown = 0;

    loadBoardDrawing();
    loadBlockDiagrams();

    models_.icTree.sorted = true;
    treeView1_->showOrder(models_.icTree);
    listView1_->showOrder(models_.signalList);

    if (QMdiSubWindow* sub = subWindow()) frame_.maximizeAlone(sub);
    else showMaximized();
    return 1;
}

void Form7::loadBoardDrawing() {
    QWidget* box = Picture1(0);
    view::UserControl1* boardView = UserControl11(0);
    if (circuit::readDataSheet(environment(), circuit_.Setup.BoardFile)) {
        coolBar1_->setBandVisible(2, true);
        box->show();
        box->setEnabled(true);
        boardView->SetBackColor(kBoardBackColor);
        boardView->GetVrSchFile(circuit_.StartIcNumber, circuit_.StartSignalNumber, circuit_.EndIcNumber,
                                circuit_.EndSignalNumber);
        boardView->SetDispName(QStringLiteral("电路板图"));
        return;
    }
    box->setEnabled(false);
    box->hide();
    coolBar1_->setBandVisible(2, false);
}

void Form7::loadBlockDiagrams() {
    circuit::Environment& env = environment();
    const std::vector<schematic::LabEntry>& labs = circuit_.Setup.Labs;
    for (std::size_t i = 0; i < labs.size(); ++i) {
        if (labs[i].DiagramFile.empty()) continue;
        const int k = static_cast<int>(i) + 2;
        QWidget* box = pictureBox(QStringLiteral("Picture1_%1").arg(k), band4_);
        pictures_[k] = box;
        view::UserControl1* v = makeView(k, box);
        v->setEnabled(true);
        v->SetDispName(QStringLiteral("结构框图"));
        // A diagram that does not read leaves its view empty.
        if (circuit::readDataSheet(env, labs[i].DiagramFile)) {
            v->GetFlowDiagramFile(circuit_.StartIcNumber, circuit_.StartSignalNumber, circuit_.EndIcNumber,
                                  circuit_.EndSignalNumber);
        }
        box->setEnabled(true);
        v->hide();
        box->hide();
    }
}

// ---- the refresh cycle ----

void Form7::RefreshAll() {
    // Nothing to refresh before the load has filled the views.
    if (models_.signalList.rowCount() == 0) return;
    const circuit::StateViewModels::Changes changes = models_.refresh(circuit_);
    listView1_->mirror(models_.signalList, changes.rows);
    treeView1_->mirror(models_.icTree, changes.ics);
    if (parts().refreshStateViews) parts().refreshStateViews(*this);
    if (parts().reportConflicts) parts().reportConflicts(*this);
}

// ---- experiments ----

void Form7::User_ChangeCurForm() {
    if (continuousMode()) {
        environment().stopRun();
        command5_->setText(QString::fromUtf16(kSingleStepCaption));
    }
    if (parts().leaveExperiment) parts().leaveExperiment(*this);
}

void Form7::User_GetUse(const QString& formCaption, int32_t labNumber) {
    if (labNumber < 0 || circuit_.Setup.LabCount() < 1 || labNumber >= circuit_.Setup.LabCount()) {
        coolBar1_->setBandVisible(1, false);
        coolBar1_->setBandVisible(4, false);
        return;
    }
    User_ChangeCurForm();
    if (parts().showExperiment) parts().showExperiment(*this, labNumber);
    setCaption(formCaption);
}

void Form7::showChosen() {
    if (QMdiSubWindow* sub = subWindow()) {
        frame_.showMaximizedChild(sub);
    } else {
        showMaximized();
    }
    setEnabled(true);
}

void Form7::AllDispSchFileForm() {
    if (coolBar1_->isBandVisible(2)) UserControl11(0)->AllDispSchFile();
    UserControl11(1)->AllDispSchFile();
    if (!coolBar1_->isBandVisible(4)) return;
    // Whichever experiment's diagram band 4 holds.
    for (const auto& [k, box] : pictures_) {
        if (k >= 2 && box == coolBar1_->bandChild(4)) UserControl11(k)->AllDispSchFile();
    }
}

// ---- the state views' handlers ----

void Form7::ListView1_ColumnClick(int columnIndex) {
    models_.signalList.ColumnClick(columnIndex);
    listView1_->showOrder(models_.signalList);
}

void Form7::TreeView1_MouseDown(Qt::MouseButton button) { RightButtonDown = button == Qt::RightButton ? 1 : 0; }
void Form7::TreeView2_MouseDown(Qt::MouseButton button) { RightButtonDown = button == Qt::RightButton ? 1 : 0; }

void Form7::TreeView1_NodeClick(QTreeWidgetItem* node) {
    if (RightButtonDown == 1) {
        if (treeView1_->topLevelItemCount() > 0) {
            models_.icTree.rotate();
            treeView1_->mirrorLabels(models_.icTree);
        }
        RightButtonDown = 0;
        return;
    }
    if (!node || !node->parent()) return;  // an IC node
    const int32_t k = IcTreeView::icOf(node);
    const int32_t j = IcTreeView::pinOf(node);
    const circuit::IcTree& ics = models_.icTree;
    if (k < 0 || k >= ics.icCount() || j < 0 || j >= static_cast<int32_t>(ics.ic(k).pins.size())) return;
    selectSignalRow(models_.signalList.rowOfNet(ics.ic(k).pins[static_cast<std::size_t>(j)].net));
}

void Form7::TreeView2_NodeClick(QTreeWidgetItem*) {
    if (RightButtonDown != 1) return;
    if (treeView2_->topLevelItemCount() > 0) rotateTopLevelTexts(treeView2_);
    RightButtonDown = 0;
}

void Form7::selectSignalRow(int32_t k) {
    if (k < 0 || k >= models_.signalList.rowCount()) return;
    listView1_->selectRow(k);
}

}  // namespace circuit::widgets
