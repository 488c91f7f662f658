#include "sampler/widgets/form2.h"

#include "platform/twips.h"
#include "platform/widgets/dialog_owner.h"
#include "platform/widgets/window_placement.h"
#include "sampler/custom_sampling.h"
#include "sampler/sample_rate_table.h"
#include "sampler/widgets/sampling_display.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextCursor>

namespace sampler {
namespace {

Form2* g_form2 = nullptr;

constexpr int kGridRows = 102;
constexpr int kGridColumns = 3;

}  // namespace

Form2* Form2::instance() {
    if (!g_form2) {
        g_form2 = new Form2;
        // The window outlives every other; it goes when the application does.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { Form2::unload(); });
    }
    return g_form2;
}

bool Form2::isLoaded() { return g_form2 != nullptr; }

void Form2::unload() {
    delete g_form2;
    g_form2 = nullptr;
}

Form2::Form2() : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("自定义采样"));
    const int tpp = platform::screenTwipsPerPixel();
    auto px = [tpp](int twips) { return platform::twipsToPx(twips, tpp); };
    auto place = [&](QWidget* w, int x, int y, int width, int height) { w->setGeometry(px(x), px(y), px(width), px(height)); };
    setFixedSize(px(6015), px(4935));

    // The debug text would cover the sampling lists, so each role has its own
    // view of the window and the menu that opens it picks the view.
    views_ = new QStackedWidget(this);
    place(views_, 0, 0, 6015, 4935);
    customView_ = new QWidget;
    debugView_ = new QWidget;
    views_->addWidget(customView_);
    views_->addWidget(debugView_);

    auto label = [&](const QString& text, int y) {
        auto* l = new QLabel(text, customView_);
        l->setAlignment(Qt::AlignCenter);
        place(l, 840, y, 975, 300);
    };
    auto combo = [&](const char* name, const QStringList& items, int y) {
        auto* c = new QComboBox(customView_);
        c->setObjectName(QLatin1String(name));
        c->addItems(items);
        place(c, 2040, y, 1335, 300);
        return c;
    };
    label(QStringLiteral("采样频率："), 360);
    combo1_ = combo("Combo1", sampleRateTexts(), 360);
    label(QStringLiteral("数据长度："), 960);
    combo2_ = combo("Combo2", customLengthTexts(), 960);
    label(QStringLiteral("采样位数："), 1560);
    combo3_ = combo("Combo3", customWidthTexts(), 1560);
    command1_ = new QPushButton(QStringLiteral("确定"), customView_);
    command1_->setObjectName(QStringLiteral("Command1"));
    place(command1_, 600, 2160, 1215, 375);
    cmdCancel_ = new QPushButton(QStringLiteral("取消"), customView_);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    place(cmdCancel_, 2520, 2160, 1215, 375);

    text3_ = new QPlainTextEdit(debugView_);
    text3_->setObjectName(QStringLiteral("Text3"));
    text3_->setReadOnly(true);
    text3_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text3_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text3_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text3_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    place(text3_, 0, 0, 6015, 3255);
    command2_ = new QPushButton(QStringLiteral("隐藏窗口"), debugView_);
    command2_->setObjectName(QStringLiteral("Command2"));
    place(command2_, 120, 3360, 975, 375);
    // Beside the button rather than over it.
    grid_ = new QTableWidget(kGridRows, kGridColumns, debugView_);
    grid_->setObjectName(QStringLiteral("MSHFlexGrid1"));
    place(grid_, 1320, 3360, 1695, 1455);

    connect(command1_, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &Form2::cmdCancel_Click);
    connect(command2_, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &Form2::MSHFlexGrid1_DblClick);

    Form_Load();
}

void Form2::Form_Load() {
    combo1_->setCurrentText(QStringLiteral("50MHz"));
    combo2_->setCurrentText(QStringLiteral("4096字节"));
    combo3_->setCurrentText(QStringLiteral("八位"));

    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const QStringList heads{QStringLiteral("    地  址    "), QStringLiteral("    数  据    "), QStringLiteral("    test    ")};
    const QBrush fixedBackground = palette().button();
    for (int c = 0; c < kGridColumns; ++c) {
        for (int r = 0; r < kGridRows; ++r) {
            auto* item = new QTableWidgetItem(r == 0 ? heads[c] : QString::number(c) + QString::number(r - 1));
            if (r == 0 || c == 0) {
                // The fixed row and column: shaded and not selectable.
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixedBackground);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            if (r == 0) item->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(r, c, item);
        }
    }
    grid_->resizeColumnsToContents();
}

void Form2::showCustomSampling(SamplingDisplay* display) {
    display_ = display;
    views_->setCurrentWidget(customView_);
    if (display) platform::placeOverOnce(*this, display->window());
    platform::keepAboveDialogOwner(this);
    show();
    raise();
}

void Form2::showDebugWindow(const QWidget* over) {
    views_->setCurrentWidget(debugView_);
    platform::placeOverOnce(*this, over);
    platform::keepAboveDialogOwner(this);
    show();
    raise();
}

bool Form2::showsDebugView() const { return views_->currentWidget() == debugView_; }

void Form2::appendDebugLine(const QString& line) {
    QTextCursor cursor(text3_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\n") + line);
    cursor.movePosition(QTextCursor::End);
    text3_->setTextCursor(cursor);
    text3_->ensureCursorVisible();
}

void Form2::Command1_Click() {
    SamplingDisplay* display = display_.data();
    SamplerState& state = display ? display->state() : samplerState();
    const CustomChoice choice{combo1_->currentText(), combo2_->currentText(), combo3_->currentText()};
    applyCustomChoice(state, choice);
    hide();
    if (!display) return;
    // The exchange takes its rate from the rate box, so the chosen rate goes
    // there too; otherwise the device would never be asked for it.
    if (findSampleRate(choice.rate)) display->Combofre()->setCurrentText(choice.rate);
    display->SetChannelLabels(state.SampleWidth);
    display->setInfoStrip(customInfoStrip(state));
}

void Form2::cmdCancel_Click() { hide(); }

void Form2::Command2_Click() { hide(); }

void Form2::MSHFlexGrid1_DblClick(int row, int column) {
    if (row <= 0 || column <= 0) return;
    if (auto* item = grid_->item(row, column)) item->setText(QString::number(column) + QStringLiteral("test") + QString::number(row));
    grid_->setCurrentCell(row, column);
}

namespace DebugLog {
void appendLine(const QString& line) { Form2::instance()->appendDebugLine(line); }
}  // namespace DebugLog

}  // namespace sampler
