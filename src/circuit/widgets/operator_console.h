#pragma once
// The operator console "操控台" of a circuit window, built in Frame1 from the
// circuit's Setup: load and save buttons (Command10, Command11), reset
// (Command6), the run-mode toggle (the window's Command5), clock edge
// (Command8), clock pulses (Command7) with their count (Text3), a button per
// input switch (Command9) and a value box per input bus (Line1, Label11,
// Text4), in that order, in as many columns as the console's width gives.
// The actions are ConsoleActions'; this class wires the controls to them and
// refreshes the views: at once in single-step mode, through Timer1's delayed
// refreshes during a continuous run.

#include <QObject>
#include <QString>

#include <vector>

#include "circuit/console_actions.h"
#include "schematic/circuit_setup.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace circuit::widgets {

class ConsoleGrid;
class Form7;

class OperatorConsole : public QObject {
    Q_OBJECT
public:
    // Builds the console into the window's Frame1.
    explicit OperatorConsole(Form7& form);

    // The console a window has; nullptr before its load built one.
    static OperatorConsole* of(const Form7& form);

    circuit::ConsoleActions& actions() { return actions_; }

    // ---- controls ----
    QPushButton* Command6() const { return command6_; }
    QPushButton* Command7() const { return command7_; }
    QPushButton* Command8() const { return command8_; }
    QLineEdit* Text3() const { return text3_; }
    const std::vector<QPushButton*>& Command9() const { return command9_; }
    const std::vector<QPushButton*>& Command10() const { return command10_; }
    const std::vector<QPushButton*>& Command11() const { return command11_; }
    const std::vector<QFrame*>& Line1() const { return line1_; }
    const std::vector<QLabel*>& Label11() const { return label11_; }
    const std::vector<QLineEdit*>& Text4() const { return text4_; }
    QTimer* Timer1() const { return timer1_; }

    // ---- handlers ----
    void Command5_Click();
    void Command6_MouseDown();
    void Command6_MouseUp();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click(int index);
    void Command10_Click(int index);
    void Command11_Click(int index);
    void Text4_LostFocus(int index);
    // Esc in a bus box: the bus's current value back in the box.
    void Text4_Escape(int index);
    void Timer1_Timer();
    // RefreshAll now, then on `n` + 1 ticks of Timer1, 0.5 s apart.
    void StartDelayedRefresh(int n);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    QPushButton* button(const QString& name, const QString& caption);
    // A button of the console's rows, in the next row.
    void placeButton(QPushButton* b);
    // A value box of the console's cells.
    void placeBox(QLineEdit* box);
    void refreshRule();
    void addMemoryButtons(std::vector<QPushButton*>& buttons, const QString& name, const QString& designCaption,
                          const std::vector<schematic::MemDataEntry>& entries, bool load);

    Form7& form_;
    circuit::ConsoleActions actions_;
    QWidget* panel_ = nullptr;
    ConsoleGrid* rows_ = nullptr;
    QPushButton* command6_ = nullptr;
    QPushButton* command7_ = nullptr;
    QPushButton* command8_ = nullptr;
    QLineEdit* text3_ = nullptr;
    std::vector<QPushButton*> command9_;
    std::vector<QPushButton*> command10_;
    std::vector<QPushButton*> command11_;
    std::vector<QFrame*> line1_;
    std::vector<QLabel*> label11_;
    std::vector<QLineEdit*> text4_;
    QTimer* timer1_ = nullptr;
};

}  // namespace circuit::widgets
