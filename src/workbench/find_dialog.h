#pragma once
// Find in the source editor: the dialog " 查找" (frmFind), which stays open
// above the main window while the user works, and the commands "查找" (Ctrl+F)
// and "查找下一个" (F3).

#include "workbench/workbench_state.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace workbench {

class SourceEditor;

class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(FindState& find, QWidget* parent);

    QLineEdit* txtFind() const { return txtFind_; }
    QPushButton* cmdFind() const { return cmdFind_; }
    QPushButton* cmdcancel() const { return cmdcancel_; }
    QCheckBox* chkCase() const { return chkCase_; }
    // index 0 up, 1 down
    QRadioButton* optDirection(int index) const { return index == 0 ? optUp_ : optDown_; }

    void setFindText(const QString& text);

signals:
    // "查找(&F)": the caller searches with the stored state.
    void findRequested();

public slots:
    // "取消" and Escape: the text and the case setting are kept, the dialog closes.
    void reject() override;

private:
    FindState& find_;
    QLineEdit* txtFind_;
    QPushButton* cmdFind_;
    QPushButton* cmdcancel_;
    QCheckBox* chkCase_;
    QRadioButton* optUp_;
    QRadioButton* optDown_;
};

class FindController : public QObject {
    Q_OBJECT
public:
    FindController(FindState& find, SourceEditor& editor, QWidget* dialogParent);
    ~FindController() override;

    void FileEditFind_Click();
    void FileEditFindNext_Click();
    // One search with the stored state; selects the hit or says nothing was found.
    void FindNextInEditor();

    // The open dialog, null while none is open.
    FindDialog* dialog() const { return dialog_; }

private:
    void markHit();
    void clearHitMark();

    FindState& find_;
    SourceEditor& editor_;
    bool placingHit_ = false;
    QPointer<QWidget> parent_;
    QPointer<FindDialog> dialog_;
};

}  // namespace workbench
