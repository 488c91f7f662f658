#pragma once
// DataSendRecvProcess: the progress dialog of every exchange and code
// transfer. It has no parent, so it stays usable while the main window is
// disabled, and stays above that window as its transient; "取消" (or Escape)
// runs the link's cancel.

#include "link/progress_view.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace devlink {

class DataSendRecvProcess : public QDialog, public ProgressView {
    Q_OBJECT
public:
    DataSendRecvProcess();

    void setCaption(const QString& text) override;
    void setLabel1(const QString& text) override;
    void setLabel2(const QString& text) override;
    void setLabel3(const QString& text) override;
    QString label3() const override;
    void setProgressRange(int minimum, int maximum) override;
    int progressMaximum() const override;
    void setProgressValue(int value) override;
    void setTag(const QString& text) override { tag_ = text; }
    QString tag() const override { return tag_; }
    void setLabel3Tag(const QString& text) override { label3Tag_ = text; }
    QString label3Tag() const override { return label3Tag_; }
    void setProgressTag(const QString& text) override { progressTag_ = text; }
    QString progressTag() const override { return progressTag_; }
    void showInFront() override;
    void unload() override;

    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Label3() const { return label3_; }
    QProgressBar* ProgressBar1() const { return bar_; }
    QPushButton* Command1() const { return command1_; }

    // Command1_Click: runs onCancel once; nothing after the dialog was unloaded.
    void Command1_Click();

protected:
    void reject() override;  // Escape
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* label1_;
    QLabel* label2_;
    QLabel* label3_;
    QProgressBar* bar_;
    QPushButton* command1_;
    QString tag_, label3Tag_, progressTag_;
    bool unloaded_ = false;
};

}  // namespace devlink
