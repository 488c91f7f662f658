#pragma once
// The manual port dialog: only the port number can be chosen; the other lists
// show the settings that reach the port. "确定" switches the port and rolls
// back to the previous one when the chosen port cannot be opened.

#include "link/link_state.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace devlink {

class dlgSetComm : public QDialog {
    Q_OBJECT
public:
    explicit dlgSetComm(LinkState& link, QWidget* parent = nullptr);

    QComboBox* cmbComport = nullptr;
    QComboBox* cmbBoundary = nullptr;
    QComboBox* cmbParity = nullptr;
    QComboBox* cmbDatalen = nullptr;
    QComboBox* cmbStopbit = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The settings the lists stand for.
    PortSettings chosenSettings() const;

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();
    void reject() override;

private:
    LinkState& link_;
};

}  // namespace devlink
