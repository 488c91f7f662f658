#include "link/widgets/auto_scan_com_port.h"

#include "platform/widgets/dialog_owner.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace devlink {
namespace {

constexpr int kShownLines = 4;

QColor lookColour(LineLook look, const QPalette& designed) {
    switch (look) {
        case LineLook::AsDesigned: return designed.color(QPalette::WindowText);
        case LineLook::Trying: return designed.color(QPalette::ButtonText);
        case LineLook::Found: return QColor(0, 128, 0);
        case LineLook::NoAnswer: return QColor(128, 128, 0);
        case LineLook::Failure: return QColor(255, 0, 0);
    }
    return designed.color(QPalette::WindowText);
}

}  // namespace

AutoScanComPort::AutoScanComPort(LinkState& link)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      search_(link, *this) {
    setObjectName(QStringLiteral("AutoScanComPort"));
    setWindowTitle(QStringLiteral(" 自动搜索串行口中，请稍候..."));

    auto* lines = new QGridLayout;
    lines->setHorizontalSpacing(6);
    lines->setVerticalSpacing(10);
    group_ = new QButtonGroup(this);
    for (int i = 0; i < kSearchLineCount; ++i) {
        auto* option = new QRadioButton(this);
        auto* label = new QLabel(notTriedLine(i + 1).text, this);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        option->setEnabled(false);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(
            QStringLiteral("端口 12 未得到应答，端口上没发现设备！！")));
        group_->addButton(option, i);
        options_[static_cast<size_t>(i)] = option;
        labels_[static_cast<size_t>(i)] = label;
        // Lines past port 4 exist for the search's sake but lie outside the dialog.
        if (i >= kShownLines) {
            option->hide();
            label->hide();
            continue;
        }
        lines->addWidget(option, i, 0);
        lines->addWidget(label, i, 1);
        connect(option, &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked && !updating_) Option1_Click(i);
        });
    }
    lines->setColumnStretch(1, 1);

    ok_ = new QPushButton(QStringLiteral("确定"), this);
    continue_ = new QPushButton(QStringLiteral("继续搜索"), this);
    ignore_ = new QPushButton(QStringLiteral("忽略"), this);
    ok_->setObjectName(QStringLiteral("Command1"));
    continue_->setObjectName(QStringLiteral("Command2"));
    ignore_->setObjectName(QStringLiteral("Command3"));
    // Enter accepts the port even while the focus rests on "继续搜索", where the
    // search leaves it: the other two buttons never take Enter.
    ok_->setDefault(true);
    continue_->setAutoDefault(false);
    ignore_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &AutoScanComPort::Command1_Click);
    connect(continue_, &QPushButton::clicked, this, &AutoScanComPort::Command2_Click);
    connect(ignore_, &QPushButton::clicked, this, &AutoScanComPort::Command3_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(continue_);
    buttons->addWidget(ignore_);

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(24, 18, 24, 14);
    top->addLayout(lines);
    top->addSpacing(12);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

void AutoScanComPort::showLine(int index, const SearchLine& line) {
    QRadioButton* option = options_.at(static_cast<size_t>(index));
    QLabel* label = labels_.at(static_cast<size_t>(index));
    label->setText(line.text);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, lookColour(line.look, palette()));
    label->setPalette(p);
    option->setEnabled(line.optionEnabled);
    if (option->isChecked() != line.selected) {
        updating_ = true;
        // An exclusive group never lets its last checked button go.
        group_->setExclusive(false);
        option->setChecked(line.selected);
        group_->setExclusive(true);
        updating_ = false;
    }
}

void AutoScanComPort::showButtons(bool okEnabled, bool continueEnabled, bool ignoreEnabled) {
    ok_->setEnabled(okEnabled);
    continue_->setEnabled(continueEnabled);
    ignore_->setEnabled(ignoreEnabled);
}

void AutoScanComPort::showNonModal() {
    platform::keepAboveDialogOwner(this);
    show();
    raise();
    activateWindow();
}

void AutoScanComPort::hideDialog() { hide(); }

void AutoScanComPort::runModal() {
    if (closing_) return;
    platform::keepAboveDialogOwner(this);
    exec();
}

void AutoScanComPort::closeDialog() {
    closing_ = true;
    done(QDialog::Rejected);
}

void AutoScanComPort::focusContinue() { continue_->setFocus(); }

void AutoScanComPort::Command1_Click() { search_.accept(); }
void AutoScanComPort::Command2_Click() { search_.searchOn(); }
void AutoScanComPort::Command3_Click() { search_.ignore(); }
void AutoScanComPort::Option1_Click(int index) { search_.openDirectly(index); }

void AutoScanComPort::reject() {
    if (closing_) {
        QDialog::reject();
        return;
    }
    if (ignore_->isEnabled()) Command3_Click();
}

void AutoScanComPort::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    // Without a close box the window system's close stands for "忽略".
    event->ignore();
    Command3_Click();
}

}  // namespace devlink
