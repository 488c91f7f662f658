// Form2: the custom sampling dialog, its test grid and the debug text.
#include "sampler/qt_print.h"
#include "sampler/scripted_device.h"
#include "sampler/widgets/form2.h"
#include "sampler/widgets/sampling_display.h"
#include "support/scripted_prompter.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace sampler {
namespace {

struct Form2Fixture : ::testing::Test {
    SamplerState state;
    SamplingDisplay display{state};
    void SetUp() override { Form2::unload(); }
    void TearDown() override { Form2::unload(); }

    Form2* choose(const QString& rate, const QString& length, const QString& width) {
        display.owns_Click();
        Form2* f = Form2::instance();
        f->Combo1()->setCurrentText(rate);
        f->Combo2()->setCurrentText(length);
        f->Combo3()->setCurrentText(width);
        return f;
    }
    QStringList shownLabels() const {
        QStringList out;
        for (int i = 0; i < kChannels; ++i)
            out << (display.channelLabel(i)->isHidden() ? QString("-") : display.channelLabel(i)->text());
        return out;
    }
    QStringList strip() const {
        QStringList out;
        for (auto* l : display.infoStrip()) out << l->text();
        return out;
    }
};

TEST_F(Form2Fixture, FirstShownOverTheDisplaysWindow) {
    display.setGeometry(QGuiApplication::primaryScreen()->availableGeometry().adjusted(50, 40, -50, -40));
    display.show();
    display.owns_Click();
    Form2* f = Form2::instance();
    const QRect over = display.frameGeometry();
    EXPECT_TRUE(over.contains(f->frameGeometry().center()));
    EXPECT_GT(f->y(), over.top());
    f->hide();
}

TEST_F(Form2Fixture, ConfirmAppliesTheChoicesToTheDisplay) {
    display.owns_Click();
    Form2* f = Form2::instance();
    EXPECT_TRUE(f->isVisible());
    EXPECT_FALSE(f->showsDebugView());
    EXPECT_EQ(f->windowTitle(), "自定义采样");
    EXPECT_EQ(f->Combo1()->currentText(), "50MHz");
    EXPECT_EQ(f->Combo2()->currentText(), "4096字节");
    EXPECT_EQ(f->Combo3()->currentText(), "八位");
    f->Command1_Click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(state.TransferCommand, 0xA3);
    EXPECT_EQ(shownLabels(), QStringList({"通道一", "通道二", "通道三", "通道四", "通道五", "通道六", "通道七", "通道八"}));
    EXPECT_EQ(strip(), QStringList({"自定义", "50000KHz", "4096", "8"}));

    choose("10KHz", "1024字节", "二位")->Command1_Click();
    EXPECT_EQ(state.TransferCommand, 0xA8);
    EXPECT_EQ(state.SampleBytes, 256);
    EXPECT_EQ(state.RateDivisor, 5000);
    EXPECT_EQ(shownLabels(), QStringList({"-", "-", "-", "通道一", "-", "-", "-", "通道二"}));
    EXPECT_EQ(strip(), QStringList({"自定义", "10KHz", "1024", "2"}));
    EXPECT_EQ(display.Combofre()->currentText(), "10KHz");

    choose("50MHz", "512字节", "四位")->Command1_Click();
    EXPECT_EQ(state.TransferCommand, 0xAD);
    EXPECT_EQ(shownLabels(), QStringList({"-", "通道一", "-", "通道二", "-", "通道三", "-", "通道四"}));
}

TEST_F(Form2Fixture, TheChosenRateIsTheOneTheNextExchangeSends) {
    testsupport::ScriptedPrompter prompter;
    ScriptedDevice device;
    device.reply = [](uint8_t b) { return b >= 0xA0 ? QByteArray(1, char(b)) + pattern(256) : QByteArray(1, char(b)); };
    display.setDevice(&device);
    choose("10KHz", "1024字节", "二位")->Command1_Click();
    display.Command1_Click();
    EXPECT_EQ(device.sent, (std::vector<uint8_t>{0x37, 0xA8}));
    EXPECT_EQ(display.lastPicture().texts[1].text, "200.00");
}

TEST_F(Form2Fixture, CancelAndHideChangeNothing) {
    Form2* f = choose("10KHz", "512字节", "二位");
    const SamplerState before = state;
    f->cmdCancel_Click();
    EXPECT_FALSE(f->isVisible());
    f->showDebugWindow();
    f->Command2_Click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(state.TransferCommand, before.TransferCommand);
    EXPECT_EQ(state.RateDivisor, before.RateDivisor);
    EXPECT_EQ(state.SampleWidth, before.SampleWidth);
    EXPECT_EQ(state.SampleBytes, before.SampleBytes);
    EXPECT_EQ(state.SampleLength, before.SampleLength);
    // The lists keep the user's last choice.
    display.owns_Click();
    EXPECT_EQ(f->Combo1()->currentText(), "10KHz");
}

TEST_F(Form2Fixture, TestGridFillAndDoubleClick) {
    QTableWidget* g = Form2::instance()->MSHFlexGrid1();
    ASSERT_EQ(g->rowCount(), 102);
    ASSERT_EQ(g->columnCount(), 3);
    EXPECT_EQ(g->item(0, 0)->text(), "    地  址    ");
    EXPECT_EQ(g->item(0, 1)->text(), "    数  据    ");
    EXPECT_EQ(g->item(0, 2)->text(), "    test    ");
    EXPECT_EQ(g->item(1, 0)->text(), "00");
    EXPECT_EQ(g->item(1, 2)->text(), "20");
    EXPECT_EQ(g->item(101, 0)->text(), "0100");
    EXPECT_EQ(g->item(101, 1)->text(), "1100");
    EXPECT_EQ(g->item(101, 2)->text(), "2100");
    Form2::instance()->MSHFlexGrid1_DblClick(5, 2);
    EXPECT_EQ(g->item(5, 2)->text(), "2test5");
    EXPECT_EQ(g->currentRow(), 5);
    EXPECT_EQ(g->currentColumn(), 2);
    Form2::instance()->MSHFlexGrid1_DblClick(5, 0);
    Form2::instance()->MSHFlexGrid1_DblClick(0, 1);
    EXPECT_EQ(g->item(5, 0)->text(), "04");
    EXPECT_EQ(g->item(0, 1)->text(), "    数  据    ");
}

TEST_F(Form2Fixture, DebugLinesWaitInTheHiddenWindow) {
    EXPECT_FALSE(Form2::isLoaded());
    DebugLog::appendLine("0.046875(0.02) 1.500000 00.250000");
    for (int i = 0; i < 60; ++i) DebugLog::appendLine(QString("line %1").arg(i));
    Form2* f = Form2::instance();
    EXPECT_FALSE(f->isVisible());
    f->showDebugWindow();
    EXPECT_TRUE(f->showsDebugView());
    const QStringList lines = f->Text3()->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 62);
    EXPECT_EQ(lines[1], "0.046875(0.02) 1.500000 00.250000");
    EXPECT_EQ(lines.last(), "line 59");
    EXPECT_TRUE(f->Text3()->isReadOnly());
    EXPECT_EQ(f->Text3()->textCursor().position(), f->Text3()->document()->characterCount() - 1);
    auto* bar = f->Text3()->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
    // Hiding keeps the text.
    f->Command2_Click();
    f->showDebugWindow();
    EXPECT_EQ(f->Text3()->toPlainText().split('\n').size(), 62);
}

}  // namespace
}  // namespace sampler
