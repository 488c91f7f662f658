#include "panels/widgets/memory_forms.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "panels/widgets/chip_view.h"
#include "panels/widgets/memory_list.h"
#include "panels/widgets/panel_descriptions.h"
#include "panels/widgets/pin_box.h"
#include "platform/twips.h"

namespace panels {

using platform::screenPx;
namespace {

constexpr int kListHeightTwips = 3435;

}  // namespace

// ---- Combo1 ----

LevelCombo::LevelCombo(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("Combo1"));
    for (std::string_view item : kComboItems) addItem(QString::fromUtf8(item));
}

void LevelCombo::keyPressEvent(QKeyEvent* event) {
    const std::optional<char32_t> key = typedCharacter(event);
    if (!key) {
        QComboBox::keyPressEvent(event);
        return;
    }
    event->accept();
    emit keyTyped(*key);
}

// ---- shared ----

MemoryPanelWindow::MemoryPanelWindow(std::unique_ptr<MemoryPanel> panel, int descriptionTwips, int chipTwips,
                                     int minimumHeightTwips, int listWidthTwips, int topRise, QWidget* parent)
    : PanelWindow(panel->table().formName, panel->table().caption, panel->table().chipName,
                  BandWidths{descriptionTwips, chipTwips, minimumHeightTwips}, parent),
      panel_(std::move(panel)) {
    const MemoryPanelTable& t = panel_->table();
    setDescriptionHtml(memoryDescriptionHtml(t.chip));

    const QSize listSize(screenPx(listWidthTwips), screenPx(kListHeightTwips));
    ChipMetrics m;
    m.pinCount = 24;
    m.pitch = 34;
    m.stubWidth = 31;
    m.stubHeight = 42;
    m.bodyHeight = listSize.height() + 20;
    m.controlSize = 25;
    m.topRise = topRise;
    chip_ = new ChipView(m, t.pins, Frame2());
    chip_->setObjectName(QStringLiteral("ChipDrawing"));
    chipLayout()->addWidget(chip_, 0, Qt::AlignHCenter);

    for (const PanelPin& p : t.pins) {
        if (p.control == PinControl::Box) addBox(chip_, p.pin, p.index, panel_->isDataBox(p.index) ? 2 : 1);
    }

    model_ = new MemoryListModel(*panel_, this);
    list_ = new MemoryListView(chip_);
    list_->setModel(model_);
    QRect listRect(QPoint(), listSize);
    listRect.moveCenter(chip_->bodyRect().center());
    list_->setGeometry(listRect);
    list_->horizontalHeader()->resizeSection(MemoryListModel::AddressColumn, screenPx(1275));
    if (panel_->hasWrittenColumn()) list_->horizontalHeader()->resizeSection(MemoryListModel::DataColumn, screenPx(2700));

    panel_->listChanged = [this] { panelUpdated(); };
}

MemoryPanelWindow::~MemoryPanelWindow() {
    // The list reads the controller, which goes before the window's children do.
    panel_->listChanged = nullptr;
    delete list_;
    delete model_;
}

void MemoryPanelWindow::Text1_KeyPress(int index, char32_t key) { panel_->keyPressed(index, key); }

void MemoryPanelWindow::panelUpdated() {
    showTexts();
    model_->refreshCells();
}

void MemoryPanelWindow::showTexts() {
    for (const auto& [index, box] : boxes()) box->setText(QString::fromStdString(panel_->boxText(index)));
}

// ---- Form5 ----

Form5::Form5(sim::Simulator& simulator, QWidget* parent)
    : MemoryPanelWindow(std::make_unique<RamPanel>(simulator), 4200, 7500, 6540, 5580, 0, parent) {
    controller().load();
}

// ---- Form11 ----

Form11::Form11(sim::Simulator& simulator, QWidget* parent)
    : MemoryPanelWindow(std::make_unique<RomPanel>(simulator), 5100, 6315, 7050, 5700, 29, parent) {
    // Combo1 takes pin 20's place a row further out, so that it has room.
    combo_ = new LevelCombo(chip());
    QRect slot = chip()->controlRect(20);
    combo_->setGeometry(slot.center().x() - 27, slot.top() - 29, 54, slot.height());
    chip()->setLogicPainter([slot](QPainter& p, const ChipView&) {
        p.drawLine(slot.center().x(), slot.top() - 4, slot.center().x(), slot.bottom() + 3);
    });
    connect(combo_, &LevelCombo::keyTyped, this, [this](char32_t key) { rom().comboKeyPressed(key); });
    connect(combo_, &QComboBox::activated, this,
            [this](int index) { rom().comboChosen(combo_->itemText(index).toStdString()); });

    erase_ = new QPushButton(QStringLiteral("数据擦除"), Frame2());
    erase_->setObjectName(QStringLiteral("Command1"));
    erase_->setFixedSize(screenPx(1215), screenPx(375));
    chipLayout()->addWidget(erase_, 0, Qt::AlignHCenter);
    connect(erase_, &QPushButton::clicked, this, &Form11::Command1_Click);

    controller().load();
}

void Form11::Command1_Click() { rom().erase(); }

void Form11::showTexts() {
    MemoryPanelWindow::showTexts();
    const QString shown = QString::fromStdString(rom().comboText());
    if (combo_->currentText() != shown) combo_->setCurrentIndex(combo_->findText(shown));
}

}  // namespace panels
