#include "link/widgets/dlg_set_comm.h"

#include "link/port_switch.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>

namespace devlink {
namespace {

QComboBox* makeList(QWidget* parent, const char* name, const QStringList& entries, int preset, bool enabled) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(entries);
    box->setCurrentIndex(preset);
    box->setEnabled(enabled);
    return box;
}

}  // namespace

dlgSetComm::dlgSetComm(LinkState& link, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      link_(link) {
    setObjectName(QStringLiteral("dlgSetComm"));
    setWindowTitle(QStringLiteral(" 手动设置串行口状态"));
    setModal(true);

    const char* letter = std::strchr(ParityLetters, link.settings.CommParity.isEmpty()
                                                        ? 'N'
                                                        : link.settings.CommParity.at(0).toLatin1());
    const int parityIndex = letter && *letter ? static_cast<int>(letter - ParityLetters) : 4;

    cmbComport = makeList(this, "cmbComport", {"1", "2", "3", "4"}, 0, true);
    cmbBoundary = makeList(this, "cmbBoundary", {"9600", "14400", "19200", "28800", "38400", "57600", "115200"}, 0,
                           false);
    cmbParity = makeList(this, "cmbParity",
                         {QStringLiteral("奇校验"), QStringLiteral("偶校验"), QStringLiteral("标记校验"),
                          QStringLiteral("空格校验"), QStringLiteral("无校验")},
                         parityIndex, false);
    cmbDatalen = makeList(this, "cmbDatalen", {"4", "5", "6", "7", "8"}, 4, false);
    cmbStopbit = makeList(this, "cmbStopbit", {"1", "1.5", "2"}, 0, false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("通讯口："), cmbComport);
    form->addRow(QStringLiteral("波特率："), cmbBoundary);
    form->addRow(QStringLiteral("校验："), cmbParity);
    form->addRow(QStringLiteral("数据位："), cmbDatalen);
    form->addRow(QStringLiteral("停止位："), cmbStopbit);

    cmdOk = new QPushButton(QStringLiteral("确定"), this);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &dlgSetComm::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &dlgSetComm::cmdCancel_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(24, 18, 24, 14);
    top->addLayout(form);
    top->addSpacing(8);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
    cmbComport->setFocus();
}

PortSettings dlgSetComm::chosenSettings() const {
    PortSettings s;
    s.CommPortNumber = cmbComport->currentText().toInt();
    s.CommBaudRate = cmbBoundary->currentText().toInt();
    s.CommParity = QString(QLatin1Char(ParityLetters[cmbParity->currentIndex()]));
    s.CommDataBits = cmbDatalen->currentText().toInt();
    s.CommStopBits = cmbStopbit->currentText().toFloat();
    return s;
}

void dlgSetComm::cmdOk_Click() {
    if (switchDevicePort(link_, chosenSettings())) {
        accept();
        link_.bringMainWindowToFront();
        return;
    }
    cmbComport->setFocus();
}

void dlgSetComm::cmdCancel_Click() {
    QDialog::reject();
    link_.bringMainWindowToFront();
}

void dlgSetComm::reject() { cmdCancel_Click(); }

}  // namespace devlink
