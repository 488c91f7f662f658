// The TTL panels as windows: opened through the frame's factory, worked with
// the keyboard, read from their labels; and no panel touching a simulator
// other than its own.
#include "panels/test_circuit.h"
#include "panels/widgets/memory_forms.h"
#include "panels/widgets/memory_list.h"
#include "panels/widgets/pin_box.h"
#include "panels/widgets/test_panels.h"
#include "panels/widgets/ttl_forms.h"
#include "platform/widgets/rich_text_box.h"
#include "schematic/sim_tables_dump.h"
#include "sim/simulator.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace panels {
namespace {

struct TtlFormsFixture : ::testing::Test {
    PanelCircuit circuit;

    std::unique_ptr<QWidget> open(TestPanel which) {
        std::unique_ptr<QWidget> w(createTestPanel(which, circuit.simulator()));
        w->resize(1100, 600);
        w->show();
        return w;
    }
    static PinBox* box(QWidget* w, int i) { return w->findChild<PinBox*>(QStringLiteral("Text1_%1").arg(i)); }
    static QString label(QWidget* w, int n) {
        auto* l = w->findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
        return l ? l->text() : QStringLiteral("<none>");
    }
    static QStringList labels(QWidget* w, std::initializer_list<int> numbers) {
        QStringList out;
        for (int n : numbers) out << label(w, n);
        return out;
    }
    static void type(QWidget* w, std::initializer_list<std::pair<int, char>> keys) {
        for (auto [i, key] : keys) QTest::keyClick(box(w, i), key);
    }
};

TEST_F(TtlFormsFixture, EachPanelHasItsCaptionDrawingBoxesAndDescription) {
    struct Case { TestPanel panel; const char* form; const char* chip; int boxes; const char* outputHint; };
    const Case cases[] = {
        {TestPanel::Ttl74LS00, "Form4", "74LS00", 8, "输出框将显示器件输出电平，不能被更改。"},
        {TestPanel::Ttl74LS138, "Form8", "74LS138", 6, "输出框将显示器件输出电平，不能被更改。"},
        {TestPanel::Ttl74LS244, "Form9", "74LS244", 10, "Hz表示高阻，不能被更改。"},
        {TestPanel::Ttl74LS374, "Form10", "74LS374", 10, "Hz表示高阻，不能被更改。"},
    };
    for (const Case& c : cases) {
        auto w = open(c.panel);
        SCOPED_TRACE(c.form);
        EXPECT_EQ(w->objectName(), QString::fromLatin1(c.form));
        EXPECT_EQ(w->windowTitle(), QStringLiteral("TTL集成电路实验_") + QString::fromLatin1(c.chip));
        EXPECT_EQ(w->findChild<QGroupBox*>(QStringLiteral("Frame2"))->title(), QString::fromLatin1(c.chip));
        const QString text = w->findChild<platform::RichTextBox*>(QStringLiteral("RichTextBox1"))->text();
        EXPECT_TRUE(text.startsWith(QStringLiteral("器件说明：")));
        EXPECT_TRUE(text.contains(QStringLiteral("操作说明：")));
        EXPECT_TRUE(text.contains(
            QStringLiteral("白色输入框可手动输入电平值，输入0表示低电平，输入其它任意值将视为输入1，表示高电平。")));
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.outputHint)));
        for (int i = 0; i < c.boxes; ++i) {
            ASSERT_NE(box(w.get(), i), nullptr) << i;
            EXPECT_EQ(box(w.get(), i)->text(), "1");
            EXPECT_TRUE(box(w.get(), i)->isReadOnly());
        }
        EXPECT_EQ(box(w.get(), c.boxes), nullptr);
    }
}

TEST_F(TtlFormsFixture, Form4TypedKeysDriveItsGates) {
    auto w = open(TestPanel::Ttl74LS00);
    EXPECT_EQ(labels(w.get(), {18, 19, 17, 16}), QStringList({"0", "0", "0", "0"}));
    type(w.get(), {{4, '0'}});
    EXPECT_EQ(box(w.get(), 4)->text(), "0");
    EXPECT_EQ(labels(w.get(), {18, 19, 17, 16}), QStringList({"1", "0", "0", "0"}));
    type(w.get(), {{4, 'x'}, {0, '0'}});
    EXPECT_EQ(labels(w.get(), {18, 19, 17, 16}), QStringList({"0", "0", "0", "1"}));
    QTest::keyClick(box(w.get(), 0), Qt::Key_Backspace);
    EXPECT_EQ(box(w.get(), 0)->text(), "1");
    EXPECT_EQ(label(w.get(), 16), "0");
    // Keys that type nothing leave the box alone; Delete among them, although
    // the X11 keyboard hands it over with the character DEL.
    type(w.get(), {{3, '0'}});
    const struct {
        Qt::Key key;
        const char* text;
    } silent[] = {{Qt::Key_Shift, ""}, {Qt::Key_Left, ""}, {Qt::Key_Insert, ""}, {Qt::Key_F2, ""}, {Qt::Key_Delete, "\x7f"}};
    for (const auto& k : silent) {
        QTest::sendKeyEvent(QTest::Click, box(w.get(), 3), k.key, QString::fromLatin1(k.text), Qt::NoModifier);
        EXPECT_EQ(box(w.get(), 3)->text(), "0") << k.key;
    }
}

TEST_F(TtlFormsFixture, Form8Form9AndForm10ShowTheirOutputs) {
    auto decoder = open(TestPanel::Ttl74LS138);
    type(decoder.get(), {{3, '0'}, {4, '0'}, {0, '0'}, {1, '0'}, {2, '0'}});
    EXPECT_EQ(labels(decoder.get(), {18, 19, 20, 21, 22, 23, 24, 25}),
              QStringList({"0", "1", "1", "1", "1", "1", "1", "1"}));

    auto buffer = open(TestPanel::Ttl74LS244);
    EXPECT_EQ(labels(buffer.get(), {18, 19, 20, 21}), QStringList({"Hz", "Hz", "Hz", "Hz"}));
    type(buffer.get(), {{5, '0'}, {8, '0'}});
    EXPECT_EQ(labels(buffer.get(), {18, 19, 20, 21}), QStringList({"1", "1", "0", "1"}));
    EXPECT_EQ(labels(buffer.get(), {22, 23, 24, 25}), QStringList({"Hz", "Hz", "Hz", "Hz"}));

    auto latch = open(TestPanel::Ttl74LS374);
    auto* form10 = static_cast<Form10*>(latch.get());
    EXPECT_EQ(form10->Label40()->text(), QStringLiteral("器件内D型寄存器保存值(D7-0)："));
    EXPECT_EQ(form10->Label39()->text(), "000H/0'0000'0000B");
    type(latch.get(), {{6, '0'}, {4, '0'}, {4, '1'}});  // D0 = 0, a rising CP
    EXPECT_EQ(form10->Label39()->text(), "0FEH/0'1111'1110B");
    EXPECT_EQ(label(latch.get(), 22), "Hz");
    type(latch.get(), {{5, '0'}});
    EXPECT_EQ(labels(latch.get(), {18, 22}), QStringList({"1", "0"}));
}

TEST_F(TtlFormsFixture, PanelsNeverTouchAnotherSimulator) {
    // The environment's simulator, numbered just like the panels' own: any
    // write that went to the wrong one would show.
    sim::Simulator environment;
    buildTestCircuit(environment);
    environment.ToggleNetAndSettle(0, sim::kSpareNet);
    const std::string before = schematic::schtest::dumpTables(environment);

    for (TestPanel p : {TestPanel::Ttl74LS00, TestPanel::Ttl74LS138, TestPanel::Ttl74LS244, TestPanel::Ttl74LS374,
                        TestPanel::Ram6116, TestPanel::Rom2732}) {
        auto w = open(p);
        if (auto* rom = dynamic_cast<Form11*>(w.get())) {
            QTest::keyClick(rom->Combo1(), 'v');
            rom->Command1_Click();
        }
        for (int i = 0; i < 6; ++i) type(w.get(), {{i, '0'}, {i, '1'}, {i, '0'}});
        if (auto* memory = dynamic_cast<MemoryPanelWindow*>(w.get())) {
            memory->listModel()->setData(memory->listModel()->index(3, 1), QStringLiteral("7"));
            EXPECT_EQ(memory->controller().cell(3), 7);
        }
    }
    EXPECT_EQ(schematic::schtest::dumpTables(environment), before);
    EXPECT_EQ(environment.NetEventCount, 0);
    EXPECT_EQ(environment.ConflictWriteIndex, 0);
    EXPECT_EQ(circuit.simulator().report().fanoutFallbacks, 0);
}

}  // namespace
}  // namespace panels
