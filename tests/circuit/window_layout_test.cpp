// The circuit window on the screens labs have: the lab's default circuit,
// the frame filling the screen below its title bar, the memory experiment
// chosen. The drawings get their parts of the width, the texts their
// headings, every view its four buttons and the console all its controls;
// the side panel and its columns widen by dragging, and a memory row can
// then be read whole.
#include <QAbstractTextDocumentLayout>
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
#include "circuit/widgets/mdi_form1.h"
#include "circuit/widgets/pane_layout.h"
#include "circuit/widgets/state_views.h"
#include "platform/widgets/rich_text_box.h"
#include "support/program_folder.h"
#include "support/source_tree.h"
#include "support/wait_until.h"
#include "view/widgets/user_control1.h"

using circuit::widgets::BandBar;
using circuit::widgets::Form7;
using circuit::widgets::MDIForm1;

namespace {

// The frame's client area on a maximised frame: the screen less the window
// manager's title bar.
constexpr int kTitleBar = 24;

struct Screen {
    int width;
    int height;
    // What the console must manage there: all its controls without
    // scrolling, or at least without scrolling sideways.
    bool consoleWhole;
    bool consoleUpright;
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
    EXPECT_GE(lab.band(2), width / 7) << "board drawing";
    EXPECT_GE(lab.band(4), width / 7) << "block diagram";

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

TEST_P(WindowLayout, TheConsoleShowsItsControls) {
    LabWindow lab(GetParam());
    auto* scroll = lab.w().Frame1()->findChild<QScrollArea*>();
    ASSERT_TRUE(scroll);
    const QWidget* rows = scroll->widget();
    if (GetParam().consoleWhole) {
        EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0) << "console " << rows->height() << " high in " << scroll->height();
    }
    if (GetParam().consoleUpright) {
        EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);
        for (const QWidget* c : rows->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(rows)) continue;
            const QRect r(c->mapTo(rows, QPoint(0, 0)), c->size());
            EXPECT_LE(r.right(), scroll->viewport()->width()) << c->objectName().toStdString();
        }
    }
}

// Every procedure step reads the probe list: from 1600 pixels on its names
// and values whole; at 1366 its values and all but its two longest names
// (their tool tips tell them whole).
TEST_P(WindowLayout, TheProbeListShowsItsNamesAndValues) {
    LabWindow lab(GetParam());
    QTreeWidget* probes = lab.w().ListView2();
    QFont bold = probes->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    ASSERT_GT(probes->topLevelItemCount(), 10);
    int namesCut = 0, valuesCut = 0;
    for (int i = 0; i < probes->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = probes->topLevelItem(i);
        namesCut += probes->columnWidth(0) < metrics.horizontalAdvance(row->text(0));
        valuesCut += probes->columnWidth(1) < metrics.horizontalAdvance(row->text(1));
    }
    if (GetParam().width >= 1600) {
        EXPECT_EQ(namesCut, 0);
        EXPECT_EQ(valuesCut, 0);
    } else if (GetParam().width >= 1366) {
        EXPECT_LE(namesCut, 2);
        EXPECT_EQ(valuesCut, 0);
    }
}

// The side panel widens against the drawings, its columns by their own
// handles, and a memory row of the register tree shows all its cells once
// the tree's column is wide enough.
TEST_P(WindowLayout, TheSidePanelWidensByDraggingUntilAMemoryRowReadsWhole) {
    LabWindow lab(GetParam());
    Form7& w = lab.w();
    BandBar& bar = *w.CoolBar1();
    const int panel = lab.band(5);
    const int schematic = lab.band(3);
    drag(bar.handle(4), {-260, 0});
    EXPECT_EQ(lab.band(5), panel + 260);
    EXPECT_LT(lab.band(3), schematic) << "all the drawings gave room";
    EXPECT_LE(std::abs(3 * lab.band(3) - 7 * lab.band(2)), 24) << lab.band(2) << " " << lab.band(3);
    EXPECT_LE(std::abs(lab.band(4) - lab.band(2)), 2) << lab.band(2) << " " << lab.band(4);

    QSplitter* columns = w.CoolBar2();
    const int trees = columns->sizes()[1];
    drag(columns->handle(1), {-60, 0});
    EXPECT_EQ(columns->sizes()[1], trees + 60) << "the trees' column from the probe list's";
    drag(columns->handle(2), {60, 0});
    EXPECT_EQ(columns->sizes()[1], trees + 120) << "the trees' column from the signal list's";
    // The signal list keeps what the user gave it when the panel widens further.
    const QList<int> dragged = columns->sizes();
    drag(bar.handle(4), {-30, 0});
    EXPECT_EQ(columns->sizes()[2], dragged[2]);
    EXPECT_EQ(columns->sizes()[0] + columns->sizes()[1], dragged[0] + dragged[1] + 30);

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
                         ::testing::Values(Screen{1024, 768, false, false}, Screen{1366, 768, false, true},
                                           Screen{1600, 900, true, true}, Screen{1920, 1080, true, true}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
