#include "panels/widgets/ttl_forms.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "panels/widgets/chip_logic.h"
#include "panels/widgets/chip_view.h"
#include "panels/widgets/panel_descriptions.h"
#include "panels/widgets/pin_box.h"

namespace panels {
namespace {

BandWidths ttlBands(TtlChip chip) {
    // The 74LS00's description is the shortest, so its band is narrower.
    return {chip == TtlChip::Ls00 ? 3495 : 4500, 6315, 5040};
}

ChipMetrics ttlMetrics(const TtlPanelTable& t) {
    ChipMetrics m;
    m.pinCount = t.pinCount;
    m.pitch = 40;
    m.stubWidth = 34;
    m.stubHeight = 28;
    m.bodyHeight = 150;
    m.controlSize = 25;
    return m;
}

}  // namespace

TtlPanelWindow::TtlPanelWindow(sim::Simulator& simulator, TtlChip chip, QWidget* parent)
    : PanelWindow(ttlPanelTable(chip).formName, ttlPanelTable(chip).caption, ttlPanelTable(chip).chipName,
                  ttlBands(chip), parent),
      panel_(simulator, chip) {
    const TtlPanelTable& t = panel_.table();
    setDescriptionHtml(ttlDescriptionHtml(chip));

    chip_ = new ChipView(ttlMetrics(t), t.pins, Frame2());
    chip_->setObjectName(QStringLiteral("ChipDrawing"));
    chip_->setLogicPainter(ttlLogicPainter(chip));
    chipLayout()->addWidget(chip_, 0, Qt::AlignHCenter);

    for (const PanelPin& p : t.pins) {
        if (p.control == PinControl::Box) {
            addBox(chip_, p.pin, p.index);
        } else if (p.control == PinControl::Label) {
            labels_[p.index] = addOutputLabel(chip_, p.pin, p.index);
        }
    }
    // Form_Load: the chip settles once with every box at "1".
    panel_.load();
    // Subclasses finish their own widgets before the first showTexts().
}

QLabel* TtlPanelWindow::outputLabel(int number) const {
    const auto it = labels_.find(number);
    return it == labels_.end() ? nullptr : it->second;
}

void TtlPanelWindow::Text1_KeyPress(int index, char32_t key) {
    panel_.keyPressed(index, key);
    showTexts();
}

void TtlPanelWindow::showTexts() {
    for (const auto& [index, box] : boxes()) box->setText(QString::fromUtf8(panel_.boxText(index)));
    for (auto& [number, label] : labels_) label->setText(QString::fromUtf8(panel_.labelText(number)));
}

Form4::Form4(sim::Simulator& simulator, QWidget* parent) : TtlPanelWindow(simulator, TtlChip::Ls00, parent) {
    showTexts();
}

Form8::Form8(sim::Simulator& simulator, QWidget* parent) : TtlPanelWindow(simulator, TtlChip::Ls138, parent) {
    showTexts();
}

Form9::Form9(sim::Simulator& simulator, QWidget* parent) : TtlPanelWindow(simulator, TtlChip::Ls244, parent) {
    showTexts();
}

Form10::Form10(sim::Simulator& simulator, QWidget* parent) : TtlPanelWindow(simulator, TtlChip::Ls374, parent) {
    auto* row = new QHBoxLayout;
    label40_ = new QLabel(QStringLiteral("器件内D型寄存器保存值(D7-0)："), Frame2());
    label40_->setObjectName(QStringLiteral("Label40"));
    label39_ = new QLabel(Frame2());
    label39_->setObjectName(QStringLiteral("Label39"));
    QFont big = label39_->font();
    big.setPointSizeF(11);
    label40_->setFont(big);
    label39_->setFont(big);
    row->addStretch();
    row->addWidget(label40_);
    row->addWidget(label39_);
    row->addStretch();
    chipLayout()->addLayout(row);
    showTexts();
}

void Form10::showTexts() {
    TtlPanelWindow::showTexts();
    label39_->setText(QString::fromStdString(controller().labelText(kRegisterLabel)));
}

}  // namespace panels
