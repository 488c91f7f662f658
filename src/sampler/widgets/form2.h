#pragma once
// Form2, one window with two roles: the custom sampling dialog "自定义采样"
// and the debug window of the circuit environment, whose text box Text3 the
// circuit window appends timing lines to. It also carries a small test grid.
// Created on its first use, only ever hidden, alive for the whole run.

#include <QPointer>
#include <QWidget>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace sampler {

class SamplingDisplay;

class Form2 : public QWidget {
    Q_OBJECT
public:
    // The one window, created hidden (with its load step) on first use.
    static Form2* instance();
    static bool isLoaded();
    // Unloads it with the program's other windows.
    static void unload();

    // "自定义" of the sampling display: the sampling lists, applied to `display`.
    // Shown for the first time, the window appears over the display's window.
    void showCustomSampling(SamplingDisplay* display);
    // "调试窗口" of the experiment frame: the debug text; shown for the first
    // time, the window appears over `over`.
    void showDebugWindow(const QWidget* over = nullptr);

    // Appends a line break and `line` to Text3 and scrolls to the end.
    void appendDebugLine(const QString& line);

    void Command1_Click();   // "确定"
    void cmdCancel_Click();  // "取消"
    void Command2_Click();   // "隐藏窗口"
    void MSHFlexGrid1_DblClick(int row, int column);

    QPlainTextEdit* Text3() const { return text3_; }
    QComboBox* Combo1() const { return combo1_; }
    QComboBox* Combo2() const { return combo2_; }
    QComboBox* Combo3() const { return combo3_; }
    QTableWidget* MSHFlexGrid1() const { return grid_; }
    bool showsDebugView() const;

private:
    Form2();
    void Form_Load();

    QStackedWidget* views_;
    QWidget* customView_;
    QWidget* debugView_;
    QPlainTextEdit* text3_;
    QComboBox* combo1_;
    QComboBox* combo2_;
    QComboBox* combo3_;
    QPushButton* command1_;
    QPushButton* cmdCancel_;
    QPushButton* command2_;
    QTableWidget* grid_;
    QPointer<SamplingDisplay> display_;
};

// The debug window's text, for writers that do not care about the window.
namespace DebugLog {
void appendLine(const QString& line);
}

}  // namespace sampler
