#pragma once
// The port search dialog: one line per port (ports 1..4 shown) and the buttons
// "确定", "继续搜索" and "忽略". It has no parent: the main window is disabled
// while it searches, and a child of a disabled window could not be clicked; it
// stays above the main window as its transient instead.

#include "link/port_search.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

namespace devlink {

class AutoScanComPort : public QDialog, public SearchView {
    Q_OBJECT
public:
    explicit AutoScanComPort(LinkState& link);

    PortSearch& search() { return search_; }

    QRadioButton* option(int index) const { return options_.at(static_cast<size_t>(index)); }
    QLabel* label(int index) const { return labels_.at(static_cast<size_t>(index)); }
    QPushButton* okButton() const { return ok_; }
    QPushButton* continueButton() const { return continue_; }
    QPushButton* ignoreButton() const { return ignore_; }

    // SearchView
    void showLine(int index, const SearchLine& line) override;
    void showButtons(bool okEnabled, bool continueEnabled, bool ignoreEnabled) override;
    void showNonModal() override;
    void hideDialog() override;
    void runModal() override;
    void closeDialog() override;
    void focusContinue() override;

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Option1_Click(int index);
    // Escape is "忽略".
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::array<QRadioButton*, kSearchLineCount> options_{};
    std::array<QLabel*, kSearchLineCount> labels_{};
    QButtonGroup* group_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* continue_ = nullptr;
    QPushButton* ignore_ = nullptr;
    bool updating_ = false;
    bool closing_ = false;
    PortSearch search_;
};

}  // namespace devlink
