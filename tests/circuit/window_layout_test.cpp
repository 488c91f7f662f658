// The circuit window on the screens labs have: the lab's default circuit,
// the frame filling the screen below its title bar, the memory experiment
// chosen. The drawings get their parts of the width, the texts their
// headings, every view its four buttons and the console all its controls;
// the side panel and its columns widen by dragging, and a memory row can
// then be read whole.
#include <QAbstractTextDocumentLayout>
#include <QToolButton>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>

#include "circuit/widgets/band_bar.h"
#include "circuit/widgets/experiment_pane.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/list_deck.h"
#include "circuit/widgets/mdi_form1.h"
#include "circuit/widgets/pane_layout.h"
#include "circuit/widgets/side_panel.h"
#include "circuit/widgets/state_views.h"
#include "platform/widgets/rich_text_box.h"
#include "support/program_folder.h"
#include "support/source_tree.h"
#include "support/wait_until.h"
#include "view/widgets/user_control1.h"

using circuit::widgets::BandBar;
using circuit::widgets::Form7;
using circuit::widgets::MDIForm1;
using circuit::widgets::SidePanel;

namespace {

// The frame's client area on a maximised frame: the screen less the window
// manager's title bar.
constexpr int kTitleBar = 24;

struct Screen {
    int width;
    int height;
};

void PrintTo(const Screen& s, std::ostream* out) { *out << s.width << "x" << s.height; }

// The frame on the lab's own data folder, its memory experiment chosen.
struct LabWindow {
    explicit LabWindow(const Screen& screen) {
        frame = std::make_unique<MDIForm1>();
        frame->MDIForm_UseLoad();
        frame->resize(screen.width, screen.height - kTitleBar);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        EXPECT_EQ(frame->circuitWindows().size(), 1u);
        frame->lab_AutoAddlab()[1]->trigger();
        // Laid out once the bands have settled in the window's width.
        EXPECT_TRUE(testsupport::waitUntil([&] {
            return w().isEnabled() && w().CoolBar1()->band(4)->isVisible() &&
                   w().CoolBar1()->width() == w().width() && w().width() > screen.width - 20;
        }));
        QTest::qWait(50);
    }
    Form7& w() const { return *frame->circuitWindows().front(); }
    int band(int n) const { return w().CoolBar1()->band(n)->width(); }

    testsupport::ProgramHome home{QString::fromStdString(testsupport::sourceTree())};
    std::unique_ptr<MDIForm1> frame;
};

void drag(QWidget* handle, QPoint by) {
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip + by);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + by);
}

class WindowLayout : public ::testing::TestWithParam<Screen> {};

TEST_P(WindowLayout, DrawingsTextsAndViewButtonsGetTheirRoom) {
    LabWindow lab(GetParam());
    Form7& w = lab.w();
    const double width = w.width();
    EXPECT_GE(lab.band(3), width / 3) << "schematic";
    // The board drawing and the diagram keep their sevenths where the side
    // panel has its room beside them, and give it room elsewhere.
    const int least = GetParam().width >= 1920 ? static_cast<int>(width / 7) : circuit::widgets::kLeastDrawing;
    EXPECT_GE(lab.band(2), least) << "board drawing";
    EXPECT_GE(lab.band(4), least) << "block diagram";

    // Every heading of the texts on one line, from 1366 pixels on.
    auto* texts = circuit::widgets::ExperimentPane::of(w);
    for (int t = 0; t < 2; ++t) {
        platform::RichTextBox* box = texts->RichTextBox1(t);
        ASSERT_TRUE(box && box->isVisible());
        const QTextBlock heading = box->document()->firstBlock();
        box->document()->documentLayout()->blockBoundingRect(heading);
        if (GetParam().width >= 1366) {
            EXPECT_EQ(heading.layout()->lineCount(), 1) << heading.text().toStdString() << " in " << lab.band(1);
        }
    }

    // The four buttons of every view whole and inside it.
    for (int k : {0, 1, 3}) {
        const view::UserControl1* v = w.UserControl11(k);
        ASSERT_TRUE(v && v->isVisible()) << k;
        EXPECT_TRUE(v->parentWidget()->rect().contains(v->QWidget::geometry())) << k;
        for (const char* name : {"Command3", "Command1", "Command2", "Command4"}) {
            const auto* b = v->findChild<QPushButton*>(QString::fromLatin1(name));
            EXPECT_TRUE(b->isVisible() && v->rect().contains(b->geometry())) << k << " " << name;
            EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text())) << k << " " << name;
        }
    }
}

// What every procedure step needs, on every screen a lab has: the whole
// console in view without scrolling, the probe list's values whole (and from
// 1366 pixels on its names too), the reference lists wide enough to read a
// row, the schematic a third of the width, the other drawings and the texts
// room of their own.
TEST_P(WindowLayout, EveryStepHasWhatItNeedsAtHand) {
    LabWindow lab(GetParam());
    Form7& w = lab.w();
    const Screen screen = GetParam();

    auto* scroll = w.Frame1()->findChild<QScrollArea*>();
    ASSERT_TRUE(scroll);
    const QWidget* rows = scroll->widget();
    const QRect seen = scroll->viewport()->rect();
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0) << "console " << rows->height() << " high in " << seen.height();
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << "console " << rows->width() << " wide in " << seen.width();
    int controls = 0;
    for (const QWidget* c : rows->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!c->isVisibleTo(rows)) continue;
        ++controls;
        const QRect r(c->mapTo(scroll->viewport(), QPoint(0, 0)), c->size());
        EXPECT_TRUE(seen.contains(r)) << c->objectName().toStdString() << " at " << r.x() << "," << r.y() << " "
                                      << r.width() << "x" << r.height() << " in " << seen.width() << "x"
                                      << seen.height();
        const QRect onScreen(c->mapTo(lab.frame.get(), QPoint(0, 0)), c->size());
        EXPECT_TRUE(lab.frame->rect().contains(onScreen)) << c->objectName().toStdString();
    }
    EXPECT_EQ(controls, 27);

    QTreeWidget* probes = w.ListView2();
    QFont bold = probes->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int last = probes->columnCount() - 1;
    ASSERT_EQ(last, 1);
    EXPECT_LE(probes->columnViewportPosition(last) + probes->columnWidth(last), probes->viewport()->width())
        << "the values' column ends inside the list";
    for (int i = 0; i < probes->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = probes->topLevelItem(i);
        EXPECT_GE(probes->columnWidth(1), metrics.horizontalAdvance(row->text(1)) + 2) << row->text(1).toStdString();
        if (screen.width >= 1366) {
            EXPECT_GE(probes->columnWidth(0), metrics.horizontalAdvance(row->text(0)) + 2) << row->text(0).toStdString();
        }
    }

    // The reference lists side by side with the console, or a click on their
    // caption away in the deck of one column.
    const struct Reference {
        const QTreeWidget* list;
        const char* caption;
    } references[] = {{w.TreeView1(), "器件列表(B)"}, {w.TreeView2(), "器件Mem/Reg数据(H)"}, {w.ListView1(), "线路列表(B)"}};
    const SidePanel& side = *SidePanel::of(w);
    EXPECT_EQ(side.arrangement(), screen.width > 1024 ? SidePanel::Arrangement::Columns : SidePanel::Arrangement::OneColumn);
    for (int i = 0; i < 3; ++i) {
        const Reference& r = references[i];
        SCOPED_TRACE(r.caption);
        if (side.arrangement() == SidePanel::Arrangement::OneColumn) {
            QToolButton* caption = side.deck()->captionButton(i + 1);
            ASSERT_TRUE(caption);
            EXPECT_EQ(caption->text(), QString::fromUtf8(r.caption));
            EXPECT_GE(caption->width(), caption->sizeHint().width()) << "the caption whole";
            QTest::mouseClick(caption, Qt::LeftButton);
            ASSERT_TRUE(testsupport::waitUntil([&] { return r.list->isVisible(); }));
            QCoreApplication::sendPostedEvents();
        } else {
            EXPECT_TRUE(r.list->isVisible());
            EXPECT_EQ(w.coolBar2Column(2)->caption(i + 1), QString::fromUtf8(r.caption));
        }
        EXPECT_GE(r.list->width(), circuit::widgets::kLeastList);
    }
    if (side.arrangement() == SidePanel::Arrangement::OneColumn) {
        QTest::mouseClick(side.deck()->captionButton(0), Qt::LeftButton);
        EXPECT_TRUE(probes->isVisible()) << "the probe list back at a click";
    }

    EXPECT_GE(3 * lab.band(3), w.width()) << "schematic";
    EXPECT_GE(lab.band(2), 120) << "board drawing";
    EXPECT_GE(lab.band(4), 120) << "block diagram";
    if (screen.width <= 1024) {
        EXPECT_GE(lab.band(1), 200) << "texts";
    }
}

// The side panel widens against the drawings (from one column to two where
// it was one), its first column by its own handle, and a memory row of the
// register tree shows all its cells once the lists' column is wide enough.
TEST_P(WindowLayout, TheSidePanelWidensByDraggingUntilAMemoryRowReadsWhole) {
    LabWindow lab(GetParam());
    Form7& w = lab.w();
    BandBar& bar = *w.CoolBar1();
    const int panel = lab.band(5);
    const int schematic = lab.band(3);
    drag(bar.handle(4), {-260, 0});
    EXPECT_EQ(lab.band(5), panel + 260);
    EXPECT_LT(lab.band(3), schematic) << "all the drawings gave room";
    EXPECT_LE(std::abs(lab.band(4) - lab.band(2)), 2) << lab.band(2) << " " << lab.band(4);
    ASSERT_EQ(SidePanel::of(w)->arrangement(), SidePanel::Arrangement::Columns);

    QSplitter* columns = w.CoolBar2();
    // The handle between the columns comes with the second column.
    ASSERT_TRUE(testsupport::waitUntil(
        [&] { return columns->handle(1)->isVisible() && columns->handle(1)->x() == columns->sizes()[0]; }));
    const int lists = columns->sizes()[1];
    drag(columns->handle(1), {-40, 0});
    EXPECT_EQ(columns->sizes()[1], lists + 40) << "the lists' column from the probe list's";
    // The first column keeps what the user gave it when the panel widens further.
    const QList<int> dragged = columns->sizes();
    drag(bar.handle(4), {-30, 0});
    EXPECT_EQ(columns->sizes()[0], dragged[0]);
    EXPECT_EQ(columns->sizes()[1], dragged[1] + 30);

    QTreeWidget* tree = w.TreeView2();
    QTreeWidgetItem* rom = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0).endsWith(QStringLiteral(": U16 : 2732"))) rom = tree->topLevelItem(i);
    ASSERT_TRUE(rom);
    rom->setExpanded(true);
    QTreeWidgetItem* row = rom->child(0);
    tree->scrollToItem(row);
    QFont bold = tree->font();
    bold.setBold(true);
    EXPECT_GE(tree->visualItemRect(row).width(), QFontMetrics(bold).horizontalAdvance(row->text(0)))
        << row->text(0).toStdString() << " in a column " << columns->sizes()[1] << " wide";
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowLayout,
                         ::testing::Values(Screen{1024, 768}, Screen{1366, 768}, Screen{1600, 900}, Screen{1920, 1080}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
