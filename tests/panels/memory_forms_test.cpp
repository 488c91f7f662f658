// The memory panels as windows: their boxes, Combo1, the erase button and the
// list's in-place editor, worked with the mouse and keyboard.
#include "panels/test_circuit.h"
#include "panels/widgets/memory_forms.h"
#include "panels/widgets/memory_list.h"
#include "panels/widgets/pin_box.h"
#include "panels/widgets/test_panels.h"
#include "platform/widgets/rich_text_box.h"
#include "sim/simulator.h"
#include "support/wait_until.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace panels {
namespace {

struct MemoryFormsFixture : ::testing::Test {
    PanelCircuit circuit;

    template <class Form>
    std::unique_ptr<Form> open(TestPanel which) {
        std::unique_ptr<Form> w(static_cast<Form*>(createTestPanel(which, circuit.simulator())));
        w->resize(1200, 700);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }
    static QString cell(MemoryPanelWindow& w, int row, int column) {
        return w.listModel()->index(row, column).data().toString();
    }
    static QLineEdit* editor(MemoryPanelWindow& w) { return w.ListView1()->findChild<QLineEdit*>(QStringLiteral("Text23")); }
    static bool editorOpen(MemoryPanelWindow& w) { return editor(w) && editor(w)->isVisible(); }

    // Clicks a row's cell once to select the row, then again to edit.
    static void clickTwice(MemoryPanelWindow& w, int row, int column) {
        MemoryListView* view = w.ListView1();
        const QModelIndex index = w.listModel()->index(row, column);
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        // Far enough apart not to count as a double click.
        testsupport::pumpFor(QApplication::styleHints()->mouseDoubleClickInterval() + 50);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(MemoryFormsFixture, PanelsOpenWithTheirCaptionsListsAndStartBoxes) {
    auto ram = open<Form5>(TestPanel::Ram6116);
    EXPECT_EQ(ram->objectName(), "Form5");
    EXPECT_EQ(ram->windowTitle(), QStringLiteral("半导体存储器部件实验_RAM6116"));
    EXPECT_EQ(ram->findChild<QGroupBox*>(QStringLiteral("Frame2"))->title(), "RAM6116");
    EXPECT_EQ(ram->listModel()->rowCount(), 2048);
    EXPECT_EQ(ram->listModel()->columnCount(), 2);
    EXPECT_EQ(cell(*ram, 2047, 0), "7FFH:2047");
    EXPECT_EQ(cell(*ram, 2047, 1), "0/000H/0'0000'0000B");
    EXPECT_EQ(ram->Text1(4)->text(), "0");    // A10
    EXPECT_EQ(ram->Text1(5)->text(), "1");    // /CS
    EXPECT_EQ(ram->Text1(6)->text(), "Hz");   // D7
    EXPECT_EQ(ram->Text1(6)->maxLength(), 2);
    EXPECT_EQ(ram->Text1(4)->maxLength(), 1);
    EXPECT_EQ(ram->Text1(22), nullptr);

    auto rom = open<Form11>(TestPanel::Rom2732);
    EXPECT_EQ(rom->windowTitle(), QStringLiteral("半导体存储器部件实验_ROM2732"));
    EXPECT_EQ(rom->listModel()->rowCount(), 4096);
    QStringList headers;
    for (int c = 0; c < 3; ++c) headers << rom->listModel()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, QStringList({"地址", "数据", "是否已写"}));
    EXPECT_EQ(cell(*rom, 4095, 1), "255/0FFH/0'1111'1111B");
    EXPECT_EQ(cell(*rom, 4095, 2), QStringLiteral("未写"));
    EXPECT_EQ(rom->Combo1()->currentText(), "1");
    QStringList items;
    for (int i = 0; i < rom->Combo1()->count(); ++i) items << rom->Combo1()->itemText(i);
    EXPECT_EQ(items, QStringList({"0", "1", "Vpp"}));
    EXPECT_EQ(rom->Command1()->text(), QStringLiteral("数据擦除"));
    const QString text = rom->RichTextBox1()->text();
    EXPECT_TRUE(text.contains(QStringLiteral("输入框或输入状态下的输入/输出框可手动输入电平值，输入0表示低电平，"
                                             "输入其它任意值将视为输入1，表示高电平。")));
    EXPECT_TRUE(text.contains(QStringLiteral("输出框或输出状态下的输入/输出框将显示器件输出电平，0表示低电平，"
                                             "1表示高电平，Hz表示高阻，不能被更改。")));
}

TEST_F(MemoryFormsFixture, Form11ProgramsThroughItsBoxesAndComboAndErases) {
    auto rom = open<Form11>(TestPanel::Rom2732);
    QTest::keyClick(rom->Combo1(), 'v');
    EXPECT_EQ(rom->Combo1()->currentText(), "Vpp");
    QTest::keyClick(rom->Text1(4), '0');  // /CE (PGM)
    EXPECT_EQ(cell(*rom, 0, 1), "0/000H/0'0000'0000B");
    EXPECT_EQ(cell(*rom, 0, 2), QStringLiteral("已写"));
    QTest::keyClick(rom->Text1(5), '1');  // D7: shown, not programmed again
    EXPECT_EQ(rom->Text1(5)->text(), "1");
    EXPECT_EQ(cell(*rom, 0, 1), "0/000H/0'0000'0000B");

    QTest::keyClick(rom->Combo1(), '0');
    QTest::keyClick(rom->Text1(17), '1');  // A0: cell 1 reads out
    EXPECT_EQ(rom->Text1(5)->text(), "1");
    EXPECT_EQ(rom->Text1(18)->text(), "1");
    QTest::keyClick(rom->Combo1(), 'q');
    EXPECT_EQ(rom->Combo1()->currentText(), "1");
    EXPECT_EQ(rom->Text1(5)->text(), "Hz");
    // Choosing with the arrow keys works as a chosen item does.
    QTest::keyClick(rom->Combo1(), Qt::Key_Up);
    EXPECT_EQ(rom->Combo1()->currentText(), "0");
    EXPECT_EQ(rom->Text1(5)->text(), "1");

    QTest::mouseClick(rom->Command1(), Qt::LeftButton);
    EXPECT_EQ(cell(*rom, 0, 1), "255/0FFH/0'1111'1111B");
    EXPECT_EQ(cell(*rom, 0, 2), QStringLiteral("未写"));
}

TEST_F(MemoryFormsFixture, ASecondClickEditsTheDataCellInPlace) {
    auto rom = open<Form11>(TestPanel::Rom2732);
    rom->rom().comboKeyPressed(U'v');
    rom->rom().keyPressed(4, U'0');  // cell 0 is programmed and marked
    rom->rom().comboKeyPressed(U'1');

    clickTwice(*rom, 0, 1);
    ASSERT_TRUE(testsupport::waitUntil([&] { return editorOpen(*rom); }));
    EXPECT_EQ(editor(*rom)->text(), "0/000H/0'0000'0000B");
    EXPECT_EQ(editor(*rom)->selectedText(), editor(*rom)->text());
    QTest::keyClicks(editor(*rom), "x/F-FH");  // characters outside the set are dropped
    EXPECT_EQ(editor(*rom)->text(), "FFH");
    QTest::keyClick(editor(*rom), Qt::Key_Return);
    ASSERT_TRUE(testsupport::waitUntil([&] { return !editorOpen(*rom); }));
    EXPECT_EQ(cell(*rom, 0, 1), "255/0FFH/0'1111'1111B");
    EXPECT_EQ(cell(*rom, 0, 2), QStringLiteral("已写"));

    // A click on a selected row's address edits its data too; Esc keeps the cell.
    clickTwice(*rom, 5, 0);
    ASSERT_TRUE(testsupport::waitUntil([&] { return editorOpen(*rom); }));
    QTest::keyClicks(editor(*rom), "12");
    QTest::keyClick(editor(*rom), Qt::Key_Escape);
    ASSERT_TRUE(testsupport::waitUntil([&] { return !editorOpen(*rom); }));
    EXPECT_EQ(cell(*rom, 5, 1), "255/0FFH/0'1111'1111B");

    // The written-flag column has no editor.
    EXPECT_FALSE(rom->listModel()->flags(rom->listModel()->index(7, 2)) & Qt::ItemIsEditable);
    clickTwice(*rom, 7, 2);
    testsupport::pumpFor(2 * QApplication::styleHints()->mouseDoubleClickInterval());
    EXPECT_FALSE(editorOpen(*rom));

    // The RAM's list works the same way, on its own chip.
    auto ram = open<Form5>(TestPanel::Ram6116);
    clickTwice(*ram, 2047, 1);
    ASSERT_TRUE(testsupport::waitUntil([&] { return editorOpen(*ram); }));
    QTest::keyClicks(editor(*ram), "101B");
    QTest::keyClick(editor(*ram), Qt::Key_Enter);
    ASSERT_TRUE(testsupport::waitUntil([&] { return !editorOpen(*ram); }));
    EXPECT_EQ(cell(*ram, 2047, 1), "5/005H/0'0000'0101B");
    EXPECT_EQ(circuit.simulator().ReadIcMemory(2047, kRamIc), 5);
    EXPECT_EQ(circuit.simulator().ReadIcMemory(0, kRomIc), 255);
}

}  // namespace
}  // namespace panels
