#include "circuit/widgets/operator_console.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "circuit/environment.h"
#include "circuit/widgets/circuit_parts.h"
#include "circuit/widgets/console_grid.h"
#include "circuit/widgets/form7.h"
#include "platform/twips.h"
#include "sampler/widgets/form2.h"

namespace circuit::widgets {

using platform::screenPx;

namespace {

const char* const kIndexProperty = "consoleIndex";
// The caption of a clock button while its command runs.
const QString kRunningCaption = QStringLiteral("运行中");

int indexOf(const QObject* o) { return o->property(kIndexProperty).toInt(); }

bool isBusKey(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f')) || c == QLatin1Char('H') || c == QLatin1Char('h');
}

// A key that types a character the box does not take. Keys that type nothing
// (arrows, Delete, Tab between controls) are not the filter's business.
bool refused(const QKeyEvent* key, bool (*accepted)(QChar)) {
    // Delete comes with the character DEL from the X11 keyboard; it types nothing.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete) return false;
    const QString text = key->text();
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c != QLatin1Char('\b') && !accepted(c)) return true;
    return false;
}

// A console button is disabled while its command runs. Qt would hand its
// focus on to the next control, a bus box with its text selected, where a
// stray key edits the bus; the focus waits on the console's panel instead and
// comes back to the button once it is enabled again.
class BusyButton {
public:
    BusyButton(QPushButton* button, QWidget* panel) : button_(button), hadFocus_(button->hasFocus()) {
        if (hadFocus_) panel->setFocus(Qt::OtherFocusReason);
        button_->setEnabled(false);
    }
    ~BusyButton() {
        button_->setEnabled(true);
        if (hadFocus_) button_->setFocus(Qt::OtherFocusReason);
    }
    BusyButton(const BusyButton&) = delete;
    BusyButton& operator=(const BusyButton&) = delete;

private:
    QPushButton* button_;
    bool hadFocus_;
};

}  // namespace

OperatorConsole::OperatorConsole(Form7& form) : QObject(&form), form_(form), actions_(form.environment(), form.circuit()) {
    setObjectName(QStringLiteral("OperatorConsole"));
    build();
}

OperatorConsole* OperatorConsole::of(const Form7& form) {
    return form.findChild<OperatorConsole*>(QStringLiteral("OperatorConsole"), Qt::FindDirectChildrenOnly);
}

void OperatorConsole::placeButton(QPushButton* b) {
    b->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    rows_->addWidget(b);
}

void OperatorConsole::placeBox(QLineEdit* box) {
    // Room for the widest value a box takes, inside its frame and the edit's
    // own text margins; the console's cell gives it the rest.
    constexpr int kTextMargins = 8;
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000'0000")) +
                         box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box) * 2 + kTextMargins);
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QPushButton* OperatorConsole::button(const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, panel_);
    b->setObjectName(name);
    placeButton(b);
    return b;
}

void OperatorConsole::addMemoryButtons(std::vector<QPushButton*>& buttons, const QString& name,
                                       const QString& designCaption, const std::vector<schematic::MemDataEntry>& entries,
                                       bool load) {
    const std::size_t count = std::max<std::size_t>(entries.size(), 1);
    for (std::size_t i = 0; i < count; ++i) {
        QPushButton* b = button(QStringLiteral("%1_%2").arg(name).arg(i),
                                i < entries.size() ? QString::fromStdString(entries[i].Name) : designCaption);
        connect(b, &QPushButton::clicked, this, [this, i, load] {
            load ? Command10_Click(static_cast<int>(i)) : Command11_Click(static_cast<int>(i));
        });
        b->setVisible(!entries.empty());
        b->setEnabled(!entries.empty());
        buttons.push_back(b);
    }
}

void OperatorConsole::build() {
    const schematic::CircuitSetup& setup = form_.Setup();

    // The rows scroll when the band is shorter than the console.
    QWidget* frame1 = form_.Frame1();
    auto* outer = new QVBoxLayout(frame1);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new ConsoleScrollArea(frame1);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    panel_ = new QWidget;
    panel_->setObjectName(QStringLiteral("ConsoleRows"));
    rows_ = new ConsoleGrid(panel_);
    rows_->setContentsMargins(screenPx(240), screenPx(240), screenPx(120), screenPx(120));
    rows_->setSpacing(screenPx(60));

    addMemoryButtons(command10_, QStringLiteral("Command10"), QStringLiteral("数据载入"), setup.LoadMems, true);
    addMemoryButtons(command11_, QStringLiteral("Command11"), QStringLiteral("数据保存"), setup.SaveMems, false);
    rows_->startGroup();

    const bool hasReset = setup.ResetNet != -1;
    command6_ = button(QStringLiteral("Command6"), hasReset ? actions_.resetCaption() : QStringLiteral("复 位"));
    command6_->setVisible(hasReset);
    command6_->setEnabled(hasReset);
    connect(command6_, &QPushButton::pressed, this, &OperatorConsole::Command6_MouseDown);
    connect(command6_, &QPushButton::released, this, &OperatorConsole::Command6_MouseUp);
    // The button itself answers the left button only; reset answers every button.
    command6_->installEventFilter(this);

    const bool hasClock = setup.ClockNet != -1;
    QPushButton* command5 = form_.Command5();
    placeButton(command5);
    const bool runnable = hasClock && setup.ClockMode == 1;
    command5->setVisible(runnable);
    command5->setEnabled(runnable);
    connect(command5, &QPushButton::clicked, this, &OperatorConsole::Command5_Click);

    command8_ = button(QStringLiteral("Command8"), hasClock ? actions_.edgeCaption() : QStringLiteral("时钟跳变"));
    command7_ = button(QStringLiteral("Command7"), hasClock ? actions_.pulseCaption() : QStringLiteral("时钟脉冲"));
    text3_ = new QLineEdit(QStringLiteral("10000"), panel_);
    text3_->setObjectName(QStringLiteral("Text3"));
    text3_->setMaxLength(8);
    placeBox(text3_);
    text3_->installEventFilter(this);
    rows_->addWidget(text3_);
    for (QWidget* w : std::initializer_list<QWidget*>{command8_, command7_, text3_}) {
        w->setVisible(hasClock);
        w->setEnabled(hasClock);
    }
    connect(command8_, &QPushButton::clicked, this, &OperatorConsole::Command8_Click);
    connect(command7_, &QPushButton::clicked, this, &OperatorConsole::Command7_Click);

    rows_->startGroup();
    const std::size_t switches = std::max<std::size_t>(setup.InSignals.size(), 1);
    for (std::size_t i = 0; i < switches; ++i) {
        const int index = static_cast<int>(i);
        QPushButton* b = button(QStringLiteral("Command9_%1").arg(i),
                                setup.InSignals.empty() ? QStringLiteral("InSignalName") : actions_.switchCaption(index));
        b->setVisible(!setup.InSignals.empty());
        b->setEnabled(!setup.InSignals.empty());
        connect(b, &QPushButton::clicked, this, [this, index] { Command9_Click(index); });
        command9_.push_back(b);
    }

    rows_->startGroup();
    const std::size_t buses = std::max<std::size_t>(setup.InBuses.size(), 1);
    for (std::size_t j = 0; j < buses; ++j) {
        const bool used = !setup.InBuses.empty();
        const int index = static_cast<int>(j);
        // A bus's rule, name and box stay together in one cell.
        auto* cell = new QWidget(panel_);
        cell->setObjectName(QStringLiteral("BusCell_%1").arg(j));
        auto* stack = new QVBoxLayout(cell);
        stack->setContentsMargins(0, 0, 0, 0);
        stack->setSpacing(screenPx(60));
        auto* line = new QFrame(cell);
        line->setObjectName(QStringLiteral("Line1_%1").arg(j));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        stack->addWidget(line);
        auto* label = new QLabel(used ? QString::fromStdString(setup.InBuses[j].Name) : QString(), cell);
        label->setObjectName(QStringLiteral("Label11_%1").arg(j));
        label->setAlignment(Qt::AlignCenter);
        stack->addWidget(label);
        auto* box = new QLineEdit(QStringLiteral("0000'0000"), cell);
        box->setObjectName(QStringLiteral("Text4_%1").arg(j));
        box->setProperty(kIndexProperty, index);
        placeBox(box);
        stack->addWidget(box);
        rows_->addWidget(cell);
        cell->setVisible(used);
        connect(box, &QLineEdit::textChanged, this, [this] { form_.Text4Edited = 1; });
        box->installEventFilter(this);
        if (used) {
            box->setMaxLength(setup.InBuses[j].Width() + 1);
            box->setText(actions_.busText(index));
        }
        line->setVisible(used);
        label->setVisible(used);
        label->setEnabled(used);
        box->setVisible(used);
        box->setEnabled(used);
        line1_.push_back(line);
        label11_.push_back(label);
        text4_.push_back(box);
    }

    scroll->setPanel(panel_, rows_);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(500);
    connect(timer1_, &QTimer::timeout, this, &OperatorConsole::Timer1_Timer);
}

// ---- the refresh rule ----

void OperatorConsole::refreshRule() {
    if (form_.continuousMode()) StartDelayedRefresh(3);
    else form_.RefreshAll();
}

void OperatorConsole::StartDelayedRefresh(int n) {
    form_.RefreshAll();
    form_.RefreshCountdown = n;
    timer1_->start();
}

void OperatorConsole::Timer1_Timer() {
    form_.RefreshAll();
    if (form_.RefreshCountdown == 0) timer1_->stop();
    form_.RefreshCountdown -= 1;
}

// ---- handlers ----

void OperatorConsole::Command5_Click() {
    circuit::Environment& env = form_.environment();
    QPushButton* command5 = form_.Command5();
    if (!form_.continuousMode()) {
        form_.RefreshAll();
        command5->setText(QString::fromUtf16(kContinuousCaption));
        env.StopFlag = 0;
        env.RunClockNet = form_.Setup().ClockNet;
        if (form_.parts().startContinuousRun) form_.parts().startContinuousRun(form_);
        return;
    }
    command5->setText(QString::fromUtf16(kSingleStepCaption));
    env.stopRun();
    form_.RefreshAll();
}

void OperatorConsole::Command6_MouseDown() {
    actions_.pressReset();
    refreshRule();
}

void OperatorConsole::Command6_MouseUp() {
    actions_.releaseReset();
    refreshRule();
}

void OperatorConsole::Command8_Click() {
    const BusyButton busy(command8_, panel_);
    command8_->setText(kRunningCaption);
    command8_->repaint();
    actions_.clockEdge();
    if (!form_.continuousMode()) form_.RefreshAll();
    if (form_.parts().flush8251Output) form_.parts().flush8251Output(form_);
    command8_->setText(actions_.edgeCaption());
}

void OperatorConsole::Command7_Click() {
    const BusyButton busy(command7_, panel_);
    command7_->setText(kRunningCaption);
    command7_->repaint();
    const QString line = actions_.clockPulses(circuit::pulseCount(text3_->text()), [this] {
        if (!form_.continuousMode()) form_.RefreshAll();
        if (form_.parts().flush8251Output) form_.parts().flush8251Output(form_);
    });
    sampler::DebugLog::appendLine(line);
    command7_->setText(actions_.pulseCaption());
}

void OperatorConsole::Command9_Click(int index) {
    if (index < 0 || index >= static_cast<int>(form_.Setup().InSignals.size())) return;
    QPushButton* b = command9_[static_cast<std::size_t>(index)];
    const BusyButton busy(b, panel_);
    if (const std::optional<QString> caption = actions_.toggleSwitch(index)) b->setText(*caption);
    refreshRule();
}

void OperatorConsole::Command10_Click(int index) {
    if (form_.parts().loadMemoryData) form_.parts().loadMemoryData(form_, index);
}

void OperatorConsole::Command11_Click(int index) {
    if (form_.parts().saveMemoryData) form_.parts().saveMemoryData(form_, index);
}

void OperatorConsole::Text4_LostFocus(int index) {
    if (form_.Text4Edited != 1) return;
    if (index < 0 || index >= static_cast<int>(form_.Setup().InBuses.size())) return;
    QLineEdit* box = text4_[static_cast<std::size_t>(index)];
    if (const std::optional<QString> text = actions_.commitBus(index, box->text())) box->setText(*text);
    refreshRule();
    form_.Text4Edited = 0;
}

void OperatorConsole::Text4_Escape(int index) {
    if (index < 0 || index >= static_cast<int>(form_.Setup().InBuses.size())) return;
    text4_[static_cast<std::size_t>(index)]->setText(actions_.busText(index));
}

bool OperatorConsole::eventFilter(QObject* watched, QEvent* event) {
    if (watched == command6_) {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease)
            return false;
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) return false;
        // The second press of a double click arrives as the double click itself.
        // The button looks pressed while reset is held, as it does for the left button.
        if (type == QEvent::MouseButtonRelease) {
            command6_->setDown(false);
            Command6_MouseUp();
        } else {
            command6_->setDown(true);
            Command6_MouseDown();
        }
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == text3_)
            return refused(key, [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Text4_LostFocus(indexOf(watched));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            Text4_Escape(indexOf(watched));
            return true;
        }
        return refused(key, isBusKey);
    }
    if (event->type() == QEvent::FocusOut && watched != text3_) {
        // A menu or another window taking the focus for a while is no commit:
        // the box gets the focus back and the user goes on typing.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) Text4_LostFocus(indexOf(watched));
    }
    return false;
}

}  // namespace circuit::widgets
