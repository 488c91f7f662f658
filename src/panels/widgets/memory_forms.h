#pragma once
// The memory test panels: Form5 (6116 RAM) and Form11 (2732 ROM). Each draws
// its 24-pin chip with a box beside every address, control and data pin and
// the list of every cell inside the package. Form11 adds Combo1 on pin 20
// ("0", "1", "Vpp") and the erase button Command1.

#include <QComboBox>

#include <memory>

#include "panels/memory_panel.h"
#include "panels/widgets/panel_window.h"

class QPushButton;

namespace sim {
class Simulator;
}

namespace panels {

class MemoryListModel;
class MemoryListView;

// Combo1: a typed character picks the item by the panel's rule; the arrow keys
// and the drop-down list choose as usual.
class LevelCombo : public QComboBox {
    Q_OBJECT
public:
    explicit LevelCombo(QWidget* parent = nullptr);

signals:
    void keyTyped(char32_t key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class MemoryPanelWindow : public PanelWindow {
    Q_OBJECT
public:
    ~MemoryPanelWindow() override;

    MemoryPanel& controller() { return *panel_; }
    MemoryListView* ListView1() const { return list_; }
    MemoryListModel* listModel() const { return model_; }

protected:
    MemoryPanelWindow(std::unique_ptr<MemoryPanel> panel, int descriptionTwips, int chipTwips, int minimumHeightTwips,
                      int listWidthTwips, int topRise, QWidget* parent);
    ChipView* chip() const { return chip_; }
    // The boxes (and whatever a panel adds) show the controller's texts.
    virtual void showTexts();
    void Text1_KeyPress(int index, char32_t key) override;

private:
    void panelUpdated();

    std::unique_ptr<MemoryPanel> panel_;
    ChipView* chip_;
    MemoryListModel* model_;
    MemoryListView* list_;
};

class Form5 final : public MemoryPanelWindow {
    Q_OBJECT
public:
    explicit Form5(sim::Simulator& simulator, QWidget* parent = nullptr);
};

class Form11 final : public MemoryPanelWindow {
    Q_OBJECT
public:
    explicit Form11(sim::Simulator& simulator, QWidget* parent = nullptr);

    RomPanel& rom() { return static_cast<RomPanel&>(controller()); }
    QComboBox* Combo1() const { return combo_; }
    QPushButton* Command1() const { return erase_; }

    void Command1_Click();

protected:
    void showTexts() override;

private:
    LevelCombo* combo_;
    QPushButton* erase_;
};

}  // namespace panels
