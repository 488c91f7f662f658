#include "circuit/widgets/form13.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "circuit/conflict_report.h"
#include "circuit/environment.h"
#include "circuit/widgets/mdi_form1.h"
#include "platform/twips.h"

namespace circuit::widgets {

using platform::screenPx;

Form13& Form13::of(MDIForm1& frame) {
    if (Form13* log = find(frame)) return *log;
    return *new Form13(frame);
}

Form13* Form13::find(const MDIForm1& frame) {
    return frame.findChild<Form13*>(QStringLiteral("Form13"), Qt::FindDirectChildrenOnly);
}

Form13::Form13(MDIForm1& frame)
    : QWidget(&frame, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), frame_(frame) {
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("错误/警告提示 !"));
    resize(screenPx(6510), screenPx(4320));

    text4_ = new QPlainTextEdit(this);
    text4_->setObjectName(QStringLiteral("Text4"));
    text4_->setReadOnly(true);
    text4_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text4_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text4_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    command1_ = new QPushButton(QStringLiteral("清除提示"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command9_ = new QPushButton(QStringLiteral("隐藏窗口"), this);
    command9_->setObjectName(QStringLiteral("Command9"));
    for (QPushButton* b : {command1_, command9_}) b->setMinimumWidth(screenPx(975));
    connect(command1_, &QPushButton::clicked, this, &Form13::Command1_Click);
    connect(command9_, &QPushButton::clicked, this, &Form13::Command9_Click);

    // The layout keeps the log and the buttons inside the window, and the
    // window no smaller than they need.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, screenPx(105));
    layout->addWidget(text4_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(screenPx(240), 0, 0, 0);
    buttons->setSpacing(screenPx(105));
    buttons->addWidget(command1_);
    buttons->addWidget(command9_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
}

void Form13::appendConflictLines(const QStringList& lines) {
    const QString addition = circuit::conflictLogAddition(text4_->document()->isEmpty(), lines);
    QTextCursor cursor(text4_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(addition);
}

QString Form13::text() const { return text4_->toPlainText(); }

void Form13::Command1_Click() {
    text4_->clear();
    frame_.environment().simulator.resetConflictCounters();
}

void Form13::Command9_Click() {
    hide();
    if (QAction* item = frame_.menuItem(QStringLiteral("WinList_ErrorWorry"))) item->setChecked(false);
}

void Form13::closeEvent(QCloseEvent* event) {
    // The window system's close (it shows no close box, but keys may ask)
    // hides it as "隐藏窗口" does; the program's unload closes it for good.
    if (!event->spontaneous()) {
        event->accept();
        return;
    }
    event->ignore();
    Command9_Click();
}

}  // namespace circuit::widgets
