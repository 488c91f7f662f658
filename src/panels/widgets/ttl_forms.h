#pragma once
// The four TTL test panels. Each draws its chip, with an input box Text1(i)
// beside every input pin and an output label beside every output pin; a key in
// a box drives the chip through the panels' simulator and the labels show its
// outputs at once. Form10 also shows the byte its 74LS374 holds (Label39).

#include <map>

#include "panels/ttl_panel.h"
#include "panels/widgets/panel_window.h"

namespace sim {
class Simulator;
}

namespace panels {

class TtlPanelWindow : public PanelWindow {
    Q_OBJECT
public:
    TtlPanel& controller() { return panel_; }
    QLabel* outputLabel(int number) const;

protected:
    TtlPanelWindow(sim::Simulator& simulator, TtlChip chip, QWidget* parent);
    // Shows the controller's texts in the boxes and labels.
    virtual void showTexts();
    ChipView* chip() const { return chip_; }

    void Text1_KeyPress(int index, char32_t key) override;

private:
    TtlPanel panel_;
    ChipView* chip_;
    std::map<int, QLabel*> labels_;
};

class Form4 final : public TtlPanelWindow {
    Q_OBJECT
public:
    explicit Form4(sim::Simulator& simulator, QWidget* parent = nullptr);
};

class Form8 final : public TtlPanelWindow {
    Q_OBJECT
public:
    explicit Form8(sim::Simulator& simulator, QWidget* parent = nullptr);
};

class Form9 final : public TtlPanelWindow {
    Q_OBJECT
public:
    explicit Form9(sim::Simulator& simulator, QWidget* parent = nullptr);
};

class Form10 final : public TtlPanelWindow {
    Q_OBJECT
public:
    explicit Form10(sim::Simulator& simulator, QWidget* parent = nullptr);
    QLabel* Label39() const { return label39_; }
    QLabel* Label40() const { return label40_; }

protected:
    void showTexts() override;

private:
    QLabel* label39_;
    QLabel* label40_;
};

}  // namespace panels
