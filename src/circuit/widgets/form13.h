#pragma once
// `Form13`: the error/warning window "错误/警告提示 !", the one log of bus
// conflicts for every circuit window of the frame. It is made hidden by the
// first report or by the frame's menu item "错误/警告提示", and from then on
// only hidden and shown. "清除提示" empties it and resets the conflict
// counters, so the kernel records again and the next report starts with the
// header line and event 0; "隐藏窗口" hides it and unchecks the menu item.

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace circuit::widgets {

class MDIForm1;

class Form13 : public QWidget {
    Q_OBJECT
public:
    // The frame's log window, made hidden on first use.
    static Form13& of(MDIForm1& frame);
    // The frame's log window when it has been made, else nullptr.
    static Form13* find(const MDIForm1& frame);

    // Appends the report's lines, after the header line when the log is empty.
    void appendConflictLines(const QStringList& lines);
    QString text() const;

    QPlainTextEdit* Text4() const { return text4_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command9() const { return command9_; }

    void Command1_Click();
    void Command9_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    explicit Form13(MDIForm1& frame);

    MDIForm1& frame_;
    QPlainTextEdit* text4_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command9_ = nullptr;
};

}  // namespace circuit::widgets
