#pragma once
// " 汇编条件设置" (AsmSet): the assembler options -g, -e and -i with a ".INS"
// file. Modal; every opening starts from the stored option values, and only
// "确定" stores.

#include "workbench/workbench_state.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace workbench {

class AsmSetDialog : public QDialog {
    Q_OBJECT
public:
    AsmSetDialog(WorkbenchState& state, QWidget* parent = nullptr);

    QCheckBox* check1() const { return check1_; }
    QCheckBox* check2() const { return check2_; }
    QCheckBox* check3() const { return check3_; }
    QLineEdit* text1() const { return text1_; }
    QPushButton* command1() const { return command1_; }
    QPushButton* cmdOk() const { return cmdOk_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

    // The ".." action: pick and test-open a ".INS" file.
    void Command1_Click();

private:
    void Check3_Click(bool checked);
    void cmdOk_Click();

    WorkbenchState& state_;
    QCheckBox* check1_;
    QCheckBox* check2_;
    QCheckBox* check3_;
    QLineEdit* text1_;
    QPushButton* command1_;
    QPushButton* cmdOk_;
    QPushButton* cmdCancel_;
};

// SetAsmSet_Click: shows the dialog modally and brings `mainWindow` to the front afterwards.
void showAsmSetDialog(WorkbenchState& state, QWidget* mainWindow);

}  // namespace workbench
