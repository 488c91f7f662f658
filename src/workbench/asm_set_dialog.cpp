#include "workbench/asm_set_dialog.h"

#include "platform/prompter.h"
#include "platform/twips.h"
#include "workbench/workbench_texts.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace workbench {
namespace {

const QString kPathPlaceholder = QStringLiteral("用户自定义扩展指令文件名及其路径");

// Places a control at the twips position and size of the dialog's layout.
void place(QWidget* w, int x, int y, int width, int height) {
    const int tpp = platform::screenTwipsPerPixel();
    w->setGeometry(platform::twipsToPx(x, tpp), platform::twipsToPx(y, tpp), platform::twipsToPx(width, tpp),
                   platform::twipsToPx(height, tpp));
}

}  // namespace

AsmSetDialog::AsmSetDialog(WorkbenchState& state, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), state_(state) {
    setWindowTitle(QStringLiteral(" 汇编条件设置"));
    const int tpp = platform::screenTwipsPerPixel();
    setFixedSize(platform::twipsToPx(4680, tpp), platform::twipsToPx(2640, tpp));

    check1_ = new QCheckBox(QStringLiteral("不生成 Vuz 可执行代码数据装载信息"), this);
    check2_ = new QCheckBox(QStringLiteral("允许使用缺省扩展指令集"), this);
    check3_ = new QCheckBox(QStringLiteral("允许使用用户自定义扩展指令文件"), this);
    text1_ = new QLineEdit(kPathPlaceholder, this);
    command1_ = new QPushButton(QStringLiteral(".."), this);
    cmdOk_ = new QPushButton(QStringLiteral("确定"), this);
    cmdCancel_ = new QPushButton(QStringLiteral("取消"), this);
    place(check1_, 360, 240, 3855, 255);
    place(check2_, 360, 720, 3855, 255);
    place(check3_, 360, 1200, 3855, 255);
    place(text1_, 360, 1560, 3615, 270);
    place(command1_, 3990, 1560, 345, 270);
    place(cmdOk_, 840, 2040, 1095, 375);
    place(cmdCancel_, 2760, 2040, 1095, 375);
    // Enter and Escape both cancel; a focused button still takes Enter itself.
    cmdCancel_->setDefault(true);

    check1_->setChecked(!state_.GenerateLoadInfo);
    check2_->setChecked(state_.UseDefaultExtSet);
    const bool haveFile = !state_.ExtInstrFile.isEmpty();
    check3_->setChecked(haveFile);
    text1_->setEnabled(haveFile);
    command1_->setEnabled(haveFile);
    if (haveFile) text1_->setText(state_.ExtInstrFile);

    // Only the user's click opens the picker, never the loading above.
    connect(check3_, &QCheckBox::clicked, this, &AsmSetDialog::Check3_Click);
    connect(command1_, &QPushButton::clicked, this, &AsmSetDialog::Command1_Click);
    connect(cmdOk_, &QPushButton::clicked, this, &AsmSetDialog::cmdOk_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void AsmSetDialog::Check3_Click(bool checked) {
    text1_->setEnabled(checked);
    command1_->setEnabled(checked);
    if (checked) {
        text1_->clear();
        Command1_Click();
    } else {
        text1_->setText(kPathPlaceholder);
    }
}

void AsmSetDialog::Command1_Click() {
    if (!check3_->isChecked()) return;
    platform::FileRequest request;
    request.title = QStringLiteral("打开文件");
    request.filter = QStringLiteral("扩展指令定义文件 (*.INS)|*.INS");
    request.defaultExt = QStringLiteral("INS");
    request.flags = 1087492;
    const auto chosen = platform::prompter().openFile(request);
    if (!chosen || chosen->isEmpty()) return;
    QFile test(*chosen);
    if (!test.open(QIODevice::ReadOnly) || QFileInfo(*chosen).isDir()) {
        showFileMessage(unreadableFileText(*chosen));
        return;
    }
    text1_->setText(QFileInfo(*chosen).absoluteFilePath());
}

void AsmSetDialog::cmdOk_Click() {
    state_.GenerateLoadInfo = !check1_->isChecked();
    state_.UseDefaultExtSet = check2_->isChecked();
    // A path typed by hand is stored untested; the build checks it.
    state_.ExtInstrFile = check3_->isChecked() ? text1_->text() : QString();
    accept();
}

void showAsmSetDialog(WorkbenchState& state, QWidget* mainWindow) {
    {
        AsmSetDialog dialog(state, mainWindow);
        dialog.exec();
    }
    if (mainWindow) {
        mainWindow->raise();
        mainWindow->activateWindow();
    }
}

}  // namespace workbench
