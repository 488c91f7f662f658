#include "panels/widgets/panel_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

#include "panels/widgets/chip_view.h"
#include "panels/widgets/pin_box.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "platform/widgets/rich_text_box.h"

namespace panels {

using platform::screenPx;

PanelWindow::PanelWindow(std::string_view formName, std::string_view caption, std::string_view chipName,
                         const BandWidths& widths, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QString::fromUtf8(formName));
    setWindowTitle(QString::fromUtf8(caption));
    setFont(platform::paneFont(9));

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    coolBar_ = new QSplitter(Qt::Horizontal, this);
    coolBar_->setObjectName(QStringLiteral("CoolBar1"));
    coolBar_->setChildrenCollapsible(false);
    outer->addWidget(coolBar_);

    description_ = new platform::RichTextBox(coolBar_);
    description_->setObjectName(QStringLiteral("RichTextBox1"));
    description_->setReadOnly(true);
    description_->setFont(platform::paneFont(10.5));
    description_->setMinimumSize(screenPx(1995), screenPx(1995));

    frame1_ = new QWidget(coolBar_);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setMinimumHeight(screenPx(widths.minimumHeightTwips));
    auto* centring = new QGridLayout(frame1_);
    centring->setContentsMargins(4, 4, 4, 4);
    frame2_ = new QGroupBox(QString::fromUtf8(chipName), frame1_);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    frame2_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    centring->addWidget(frame2_, 0, 0, Qt::AlignCenter);
    chipLayout_ = new QVBoxLayout(frame2_);
    chipLayout_->setContentsMargins(6, 4, 6, 6);
    chipLayout_->setSpacing(4);

    coolBar_->addWidget(description_);
    coolBar_->addWidget(frame1_);
    coolBar_->setStretchFactor(0, 0);
    coolBar_->setStretchFactor(1, 1);
    coolBar_->setSizes({screenPx(widths.descriptionTwips), screenPx(widths.chipTwips)});
}

void PanelWindow::setDescriptionHtml(const QString& html) {
    description_->setHtml(html);
    description_->moveCursor(QTextCursor::Start);
}

PinBox* PanelWindow::addBox(ChipView* chip, int pin, int index, int maxLength) {
    auto* box = new PinBox(chip, maxLength);
    box->setObjectName(QStringLiteral("Text1_%1").arg(index));
    box->setGeometry(chip->controlRect(pin));
    connect(box, &PinBox::keyTyped, this, [this, index](char32_t key) { Text1_KeyPress(index, key); });
    boxes_[index] = box;
    return box;
}

PinBox* PanelWindow::Text1(int index) const {
    const auto it = boxes_.find(index);
    return it == boxes_.end() ? nullptr : it->second;
}

QLabel* PanelWindow::addOutputLabel(ChipView* chip, int pin, int number) {
    auto* label = new QLabel(chip);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setGeometry(chip->controlRect(pin));
    return label;
}

}  // namespace panels
