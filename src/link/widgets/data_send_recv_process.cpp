#include "link/widgets/data_send_recv_process.h"

#include "platform/twips.h"
#include "platform/widgets/dialog_owner.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace devlink {
namespace {

constexpr int kWidthTwips = 5295;
constexpr int kControlWidthTwips = 4815;
constexpr int kLeftTwips = 240;

QLabel* makeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    // Shown as it is: an "&" is no access-key mark here.
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

}  // namespace

DataSendRecvProcess::DataSendRecvProcess()
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("DataSendRecvProcess"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    const int tpp = platform::screenTwipsPerPixel();
    const int left = platform::twipsToPx(kLeftTwips, tpp);
    const int controlWidth = platform::twipsToPx(kControlWidthTwips, tpp);

    label1_ = makeLabel(this, "Label1");
    label2_ = makeLabel(this, "Label2");
    label3_ = makeLabel(this, "Label3");
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setTextVisible(false);
    command1_ = new QPushButton(QStringLiteral("取消"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAutoDefault(false);
    connect(command1_, &QPushButton::clicked, this, &DataSendRecvProcess::Command1_Click);

    for (QWidget* w : {static_cast<QWidget*>(label1_), static_cast<QWidget*>(label2_), static_cast<QWidget*>(bar_)})
        w->setFixedWidth(controlWidth);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(label3_, 1);
    bottom->addWidget(command1_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(left, left / 2, left, left / 2);
    column->setSpacing(4);
    column->addWidget(label1_);
    column->addWidget(label2_);
    column->addWidget(bar_);
    column->addLayout(bottom);
    setFixedWidth(platform::twipsToPx(kWidthTwips, tpp));
    setFixedHeight(sizeHint().height());
}

void DataSendRecvProcess::setCaption(const QString& text) { setWindowTitle(text); }
void DataSendRecvProcess::setLabel1(const QString& text) { label1_->setText(text); }
void DataSendRecvProcess::setLabel2(const QString& text) { label2_->setText(text); }
void DataSendRecvProcess::setLabel3(const QString& text) { label3_->setText(text); }
QString DataSendRecvProcess::label3() const { return label3_->text(); }
void DataSendRecvProcess::setProgressRange(int minimum, int maximum) { bar_->setRange(minimum, maximum); }
int DataSendRecvProcess::progressMaximum() const { return bar_->maximum(); }
void DataSendRecvProcess::setProgressValue(int value) { bar_->setValue(value); }

void DataSendRecvProcess::showInFront() {
    platform::keepAboveDialogOwner(this);
    show();
    raise();
    activateWindow();
}

void DataSendRecvProcess::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    hide();
    // The cancel that unloads the dialog may be running in its own button's click.
    deleteLater();
}

void DataSendRecvProcess::Command1_Click() {
    if (unloaded_ || !onCancel) return;
    onCancel();
}

void DataSendRecvProcess::reject() { Command1_Click(); }

void DataSendRecvProcess::closeEvent(QCloseEvent* event) {
    // Without a control box only "取消" ends the dialog.
    if (!unloaded_) event->ignore();
}

}  // namespace devlink
