// A circuit window's experiment texts and block diagram as experiments are
// chosen, and how its bands and panes share the window.
#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

#include "circuit/environment.h"
#include "circuit/widgets/band_bar.h"
#include "circuit/widgets/experiment_pane.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/mdi_form1.h"
#include "circuit/widgets/pane_layout.h"
#include "circuit/widgets/list_deck.h"
#include "circuit/widgets/side_panel.h"
#include "frame_fixture.h"
#include "platform/codepage.h"
#include "platform/twips.h"
#include "platform/widgets/rich_text_box.h"
#include "schgen/sch_writer.h"
#include "schgen/sheet_draft.h"
#include "support/wait_until.h"
#include "view/draw_sheet.h"
#include "view/widgets/user_control1.h"
#include "view/zoom_tables.h"

using circuit::widgets::BandBar;
using circuit::widgets::ExperimentPane;
using namespace circuittest;

namespace {

const QString kNotFound = QString::fromUtf16(circuit::widgets::kTextNotFound);
const QString kPlainText = QStringLiteral("总线实验：没有格式的文本\n第二行");

// A second circuit whose experiments are about their texts: three texts; a
// missing one with the basic folder's diagram; a "text" that is a folder;
// texts and a diagram named outside the data folder, though the files are
// there; a text of binary bytes.
bool writeTextsCircuit(const QDir& data) {
    schgen::SheetDraft d(600, 400);
    const int u1 = d.ic("U1", "74LS04", 200, 100);
    d.net(u1, 1, "A");
    d.net(u1, 2, "Y");
    d.directive(schematic::SchElementKind::SimStimulus, "A 0");
    const std::string absolute = data.absoluteFilePath(QStringLiteral("t1.rtf")).toStdString();
    const std::vector<std::string> labs = {"Lab:三段文本 (甲)t1.rtf (乙)t2.rtf (丙)t3.rtf",
                                           "Lab:(diag1.sch)缺文本 gone.rtf",
                                           "Lab:读不出 folder.rtf",
                                           "Lab:(../outside.sch)上一层 ../outside.rtf",
                                           "Lab:绝对路径 " + absolute,
                                           "Lab:反斜杠 ..\\outside.rtf",
                                           "Lab:二进制 binary.rtf"};
    for (const std::string& lab : labs)
        d.directive(schematic::SchElementKind::SimVector, lab);
    bool ok = schgen::writeSchFile(d.sheet(), data.filePath(QStringLiteral("texts.sch")).toStdString());
    for (const char* t : {"t1", "t2", "t3", "../outside"}) {
        QFile f(data.filePath(QStringLiteral("%1.rtf").arg(QLatin1String(t))));
        ok = f.open(QIODevice::WriteOnly) && f.write(QByteArray("{\\rtf1\\ansi text ") + t + "\\par}") > 0 && ok;
    }
    QFile binary(data.filePath(QStringLiteral("binary.rtf")));
    static const char kBinary[] = "MZ\x90\0\x03\0\0\0\x04\0\0\0\xff\xff";
    ok = binary.open(QIODevice::WriteOnly) && binary.write(kBinary, sizeof kBinary - 1) == sizeof kBinary - 1 && ok;
    ok = QFile::copy(data.filePath(QStringLiteral("diag1.sch")), data.filePath(QStringLiteral("../outside.sch"))) && ok;
    return data.mkdir(QStringLiteral("folder.rtf")) && ok;
}

// The frame on the basic folder, whose second experiment's first text is plain
// text, and with `withTexts` the texts circuit loaded second: menu items 0 and
// 1 are the basic circuit's experiments, 2 to 4 the texts circuit's.
struct LabFrame : BasicFrame {
    explicit LabFrame(bool withTexts = true)
        : BasicFrame([](QDir data) {
              QFile plain(data.filePath(QStringLiteral("lab2.rtf")));
              EXPECT_TRUE(plain.open(QIODevice::WriteOnly | QIODevice::Truncate));
              plain.write(platform::toCp936(kPlainText));
              plain.close();
              EXPECT_TRUE(writeTextsCircuit(data));
          }) {
        if (withTexts) {
            EXPECT_EQ(frame->OpenCircuitWindow(data().filePath(QStringLiteral("texts.sch"))), 1);
        }
    }
    Form7& basic() const { return window(0); }
    Form7& texts() const { return window(1); }
    void choose(int item) const { frame->lab_AutoAddlab()[item]->trigger(); }
};

BandBar& coolBar3(const Form7& w) { return *ExperimentPane::of(w)->CoolBar3(); }

QStringList captions(const BandBar& bar) {
    QStringList c;
    for (int n = 1; n <= bar.bandCount(); ++n) c << bar.caption(n);
    return c;
}

std::vector<bool> shownBands(const BandBar& bar) {
    std::vector<bool> shown;
    for (int n = 1; n <= bar.bandCount(); ++n) shown.push_back(bar.isBandVisible(n));
    return shown;
}

QString text(const Form7& w, int t) {
    const platform::RichTextBox* box = ExperimentPane::of(w)->RichTextBox1(t);
    return box ? box->text().trimmed() : QStringLiteral("<none>");
}

int bandWidth(const Form7& w, int n) { return w.CoolBar1()->isBandVisible(n) ? w.CoolBar1()->band(n)->width() : 0; }

// Every view shown fills its picture box, and its drawing fits unless even
// the smallest zoom is too large for it.
void expectFittedViews(const Form7& w, const std::vector<int>& views) {
    for (int k : views) {
        SCOPED_TRACE(k);
        const view::UserControl1* v = w.UserControl11(k);
        ASSERT_TRUE(v && v->isVisible());
        EXPECT_EQ(v->size(), w.Picture1(k)->size());
        const view::ViewGeometry& g = v->geometry();
        EXPECT_TRUE(g.canvasWidth() <= g.viewportWidth() || v->ZoomLevel() == view::kMinZoomLevel)
            << g.canvasWidth() << " in " << g.viewportWidth();
    }
}

}  // namespace

TEST(ExperimentTexts, ChoosingOneThenTwoThenOne) {
    LabFrame f;
    Form7& w = f.basic();
    circuit::Environment& env = f.frame->environment();
    BandBar& bar = *w.CoolBar1();

    f.choose(0);
    EXPECT_EQ(w.caption(), QStringLiteral("电路 1 的实验 1 : 寄存器实验"));
    EXPECT_TRUE(bar.isBandVisible(1));
    EXPECT_TRUE(coolBar3(w).isEnabled());
    EXPECT_EQ(captions(coolBar3(w)), (QStringList{"", "说明"}));
    EXPECT_EQ(shownBands(coolBar3(w)), (std::vector<bool>{true, true}));
    EXPECT_EQ(text(w, 0), QStringLiteral("寄存器实验\n按时钟脉冲把数据开关的值打入寄存器 U1。"));
    EXPECT_EQ(text(w, 1), QStringLiteral("说明：RST 为低时寄存器清零。"));
    EXPECT_TRUE(bar.isBandVisible(4));
    EXPECT_EQ(bar.bandChild(4), w.Picture1(2));
    expectFittedViews(w, {0, 1, 2});

    f.choose(1);
    EXPECT_EQ(w.caption(), QStringLiteral("电路 1 的实验 2 : 总线实验"));
    EXPECT_EQ(shownBands(coolBar3(w)), (std::vector<bool>{true, false})) << "only the missing text's band goes";
    EXPECT_TRUE(bar.isBandVisible(1));
    EXPECT_EQ(text(w, 0), kPlainText) << "a file that is not rich text shows as plain text";
    EXPECT_EQ(text(w, 1), kNotFound);
    EXPECT_FALSE(bar.isBandVisible(4)) << "no diagram";
    EXPECT_TRUE(w.Picture1(2)->isHidden());
    EXPECT_TRUE(w.UserControl11(2)->isHidden());
    expectFittedViews(w, {0, 1});

    // During a run: the run stops and the texts come back.
    w.Command5()->setText(QString::fromUtf16(circuit::widgets::kContinuousCaption));
    env.StopFlag = 0;
    f.choose(0);
    EXPECT_EQ(env.StopFlag, -1);
    EXPECT_EQ(w.Command5()->text(), QString::fromUtf16(circuit::widgets::kSingleStepCaption));
    EXPECT_EQ(shownBands(coolBar3(w)), (std::vector<bool>{true, true}));
    EXPECT_EQ(text(w, 1), QStringLiteral("说明：RST 为低时寄存器清零。"));
    EXPECT_TRUE(bar.isBandVisible(4));
    EXPECT_FALSE(w.Picture1(2)->isHidden());
    EXPECT_EQ(w.caption(), QStringLiteral("电路 1 的实验 1 : 寄存器实验"));
    EXPECT_TRUE(f.prompter.messages().empty());
}

TEST(ExperimentTexts, ThreeTextsShareTheBarEqually) {
    LabFrame f;
    Form7& w = f.texts();
    f.choose(2);
    BandBar& bar = coolBar3(w);
    EXPECT_EQ(captions(bar), (QStringList{"甲", "乙", "丙"}));
    EXPECT_EQ(text(w, 2), QStringLiteral("text t3"));
    const int a = bar.band(1)->height(), b = bar.band(2)->height(), c = bar.band(3)->height();
    EXPECT_LE(std::max({a, b, c}) - std::min({a, b, c}), 1) << a << " " << b << " " << c;
    EXPECT_EQ(a + b + c + 2 * bar.handleWidth(), bar.height()) << "the texts fill their bar";

    EXPECT_EQ(circuit::widgets::textBandLength(200, 3, 15), 66) << "3000 twips in three: 1000 twips each";
    EXPECT_EQ(circuit::widgets::textBandLength(10, 3, 15), 3);
    EXPECT_EQ(circuit::widgets::textBandLength(200, 0, 15), 0);
}

// A missing file, a folder, names that leave the data folder (though the
// files are there) and binary bytes: the line, never the file's content.
TEST(ExperimentTexts, ASingleTextThatDoesNotReadHidesTheTextBand) {
    LabFrame f;
    Form7& w = f.texts();
    for (int item : {3, 4, 5, 6, 7, 8}) {
        SCOPED_TRACE(item);
        f.choose(2);
        ASSERT_TRUE(w.CoolBar1()->isBandVisible(1));
        f.choose(item);
        EXPECT_FALSE(w.CoolBar1()->isBandVisible(1));
        EXPECT_EQ(coolBar3(w).bandCount(), 1);
        EXPECT_EQ(text(w, 0), kNotFound);
    }
    EXPECT_TRUE(f.prompter.messages().empty());
}

TEST(ExperimentTexts, LeavingRemovesTheTextsUntilTheNextChoice) {
    LabFrame f;
    Form7& w = f.basic();
    circuit::Environment& env = f.frame->environment();
    f.choose(0);
    w.User_ChangeCurForm();
    EXPECT_EQ(coolBar3(w).bandCount(), 0);
    EXPECT_EQ(ExperimentPane::of(w)->RichTextBox1(0), nullptr);
    EXPECT_FALSE(coolBar3(w).isEnabled());

    // An experiment the circuit does not have: bands 1 and 4 go, and nothing else happens.
    w.Command5()->setText(QString::fromUtf16(circuit::widgets::kContinuousCaption));
    env.StopFlag = 0;
    w.User_GetUse(QStringLiteral("别的标题"), w.Setup().LabCount());
    EXPECT_FALSE(w.CoolBar1()->isBandVisible(1));
    EXPECT_FALSE(w.CoolBar1()->isBandVisible(4));
    EXPECT_EQ(w.caption(), QStringLiteral("电路 1 的实验 1 : 寄存器实验"));
    EXPECT_EQ(env.StopFlag, 0);
    EXPECT_FALSE(coolBar3(w).isEnabled());

    w.User_GetUse(QStringLiteral("再来"), 0);
    EXPECT_EQ(env.StopFlag, -1);
    EXPECT_TRUE(coolBar3(w).isEnabled());
    EXPECT_EQ(coolBar3(w).bandCount(), 2);
    EXPECT_TRUE(w.CoolBar1()->isBandVisible(1));
    EXPECT_TRUE(w.CoolBar1()->isBandVisible(4));
    EXPECT_EQ(w.caption(), QStringLiteral("再来"));
}

// A diagram named outside the data folder is not read, though the file is
// there; like a missing one it leaves an empty view, which draws nothing.
TEST(ExperimentDiagram, ADiagramThatDoesNotReadLeavesAnEmptyView) {
    LabFrame f;
    Form7& w = f.texts();
    for (const int item : {5, 3}) {  // "../outside.sch", and a diagram that is there for comparison
        SCOPED_TRACE(item);
        f.choose(item);
        view::UserControl1* v = w.UserControl11(item);  // the texts circuit's experiments start at item 2
        ASSERT_TRUE(v && v->isVisible());
        EXPECT_TRUE(w.CoolBar1()->isBandVisible(4));
        const bool drawn = !v->Sheet().elements.empty();
        EXPECT_EQ(drawn, item == 3);
        const QImage shown = v->viewportPicture().convertToFormat(QImage::Format_RGB32);
        int dark = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) dark += qGray(shown.pixel(x, y)) < 64;
        EXPECT_EQ(dark > 0, drawn) << dark << " dark pixels";
    }
    EXPECT_TRUE(f.prompter.messages().empty());
}

TEST(ExperimentDiagram, FittingFindsTheDiagramBandFourHolds) {
    LabFrame f;
    Form7& w = f.texts();
    f.choose(3);  // the second experiment's diagram; the first has none
    ASSERT_EQ(w.UserControl11(2), nullptr);
    view::UserControl1* diagram = w.UserControl11(3);
    ASSERT_EQ(w.CoolBar1()->bandChild(4), w.Picture1(3));
    const int fitted = diagram->ZoomLevel();
    auto* zoomIn = diagram->findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_TRUE(zoomIn);
    zoomIn->click();
    zoomIn->click();
    ASSERT_NE(diagram->ZoomLevel(), fitted);
    w.AllDispSchFileForm();
    EXPECT_EQ(diagram->ZoomLevel(), fitted);
}

// A circuit of two experiments, each with a block diagram of its own.
TEST(ExperimentDiagram, ADiagramChosenAfterAnotherHidesTheOther) {
    BasicFrame f([](QDir data) {
        schgen::SheetDraft d(600, 400);
        const int u1 = d.ic("U1", "74LS04", 200, 100);
        d.net(u1, 1, "A");
        d.net(u1, 2, "Y");
        d.directive(schematic::SchElementKind::SimStimulus, "A 0");
        for (const char* lab : {"Lab:(diag1.sch)甲 lab1.rtf", "Lab:(diag2.sch)乙 lab1.rtf"})
            d.directive(schematic::SchElementKind::SimVector, lab);
        EXPECT_TRUE(schgen::writeSchFile(d.sheet(), data.filePath(QStringLiteral("diagrams.sch")).toStdString()));
        EXPECT_TRUE(QFile::copy(data.filePath(QStringLiteral("diag1.sch")), data.filePath(QStringLiteral("diag2.sch"))));
    });
    ASSERT_EQ(f.frame->OpenCircuitWindow(f.data().filePath(QStringLiteral("diagrams.sch"))), 1);
    Form7& w = f.window(1);
    const auto shows = [&](int k) {
        const int other = k == 2 ? 3 : 2;
        EXPECT_TRUE(w.CoolBar1()->isBandVisible(4));
        EXPECT_EQ(w.CoolBar1()->bandChild(4), w.Picture1(k));
        EXPECT_TRUE(w.Picture1(k)->isVisible());
        EXPECT_TRUE(w.UserControl11(k)->isVisible());
        EXPECT_TRUE(w.Picture1(other)->isHidden()) << "the other diagram does not stay over the band";
        EXPECT_TRUE(w.UserControl11(other)->isHidden());
    };
    for (int item : {2, 3, 2}) {  // the basic circuit's items come first
        SCOPED_TRACE(item);
        f.frame->lab_AutoAddlab()[item]->trigger();
        shows(item);
    }
}

TEST(PaneLayout, SharingTheWindowsWidth) {
    const struct Case {
        const char* name;
        std::array<bool, 5> visible;
        int room;
        int schematicLeast;
        QList<int> widths;
    } cases[] = {
        {"all five", {true, true, true, true, true}, 1000, 300, {100, 138, 323, 139, 300}},
        {"no diagram", {true, true, true, false, true}, 1000, 300, {100, 180, 420, 0, 300}},
        {"no texts, no board", {false, false, true, true, true}, 1000, 300, {0, 0, 490, 210, 300}},
        {"too narrow for drawings", {true, true, true, true, true}, 350, 300, {100, 0, 0, 0, 300}},
        // The schematic's third from the others' shares, as far as they keep their least.
        {"a third for the schematic", {true, true, true, true, true}, 1000, 350, {100, 125, 350, 125, 300}},
        {"the others at their least", {true, true, true, true, true}, 1000, 400, {100, 120, 360, 120, 300}},
        {"one other", {true, false, true, true, true}, 1000, 450, {100, 0, 450, 150, 300}},
        {"the schematic alone", {true, false, true, false, true}, 1000, 700, {100, 0, 600, 0, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(circuit::widgets::shareBandWidths(c.room, c.visible, 100, 300, c.schematicLeast), c.widths);
    }
}

// Where the texts and the side panel start, for a side panel that needs 450
// pixels in two columns, 380 at least, or 200 in one.
TEST(PaneLayout, StartingWidthsForTheScreensLabsHave) {
    const circuit::widgets::SidePanelNeeds side{250, 450, 380, 200};
    const struct Case {
        int width;
        circuit::widgets::SideWidths widths;
    } cases[] = {
        {1920, {232, 477}},  // the drawings at their shares
        {1600, {232, 450}},  // the board drawing and the diagram give room
        {1366, {232, 422}},  // down to their least
        {1024, {226, 200}},  // one column
        {900, {144, 200}},   // the texts what is left
        {600, {0, 144}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(circuit::widgets::startWidths(c.width, 16, 232, side), c.widths) << c.width;
}

TEST(PaneLayout, TheBandsFillTheWindowAndKeepTheirSharesOnResize) {
    LabFrame f(false);
    Form7& w = f.basic();
    BandBar& bar = *w.CoolBar1();
    auto drawings = [&] { return std::vector<int>{bandWidth(w, 2), bandWidth(w, 3), bandWidth(w, 4)}; };
    // The schematic a third of the window at least, the board drawing and the
    // diagram alike and 3 : 7 to the schematic unless they gave it room,
    // within the splitter's rounding and its handles; the texts and the side
    // panel at their start widths until dragged.
    auto start = [&] { return circuit::widgets::PaneLayout::of(w)->startWidths(); };
    int texts = 0;
    auto expectShares = [&] {
        const std::vector<int> d = drawings();
        EXPECT_GE(3 * d[1] + 3, w.width()) << d[1];
        EXPECT_GE(d[0], circuit::widgets::kLeastDrawing);
        if (3 * d[1] > w.width() + 6) {
            EXPECT_LE(std::abs(3 * d[1] - 7 * d[0]), 24) << d[0] << " " << d[1];
        } else {
            EXPECT_LE(7 * d[0] - 3 * d[1], 24) << "they gave room, not took it: " << d[0] << " " << d[1];
        }
        if (d[2]) {
            EXPECT_LE(std::abs(d[2] - d[0]), 2) << d[0] << " " << d[2];
        }
        int filled = -bar.handleWidth();
        for (int n = 1; n <= 5; ++n) filled += bandWidth(w, n) + (bar.isBandVisible(n) ? bar.handleWidth() : 0);
        EXPECT_EQ(filled, bar.width()) << "one row across the window";
        EXPECT_EQ(bar.width(), w.width());
        if (bar.isBandVisible(1)) {
            EXPECT_EQ(bandWidth(w, 1), texts ? texts : start().texts);
        }
        EXPECT_EQ(bandWidth(w, 5), start().sidePanel);
    };
    auto expectEqualColumns = [&] {
        const QList<int> c = w.CoolBar2()->sizes();
        ASSERT_EQ(c.size(), 2);
        if (circuit::widgets::SidePanel::of(w)->arrangement() == circuit::widgets::SidePanel::Arrangement::Columns) {
            EXPECT_GE(c[1], circuit::widgets::kLeastList) << "the lists' column beside the console's";
        } else {
            EXPECT_EQ(c[1], 0) << "one column";
            EXPECT_TRUE(circuit::widgets::SidePanel::of(w)->deck()->isVisible());
        }
    };

    // Before an experiment is chosen band 4 is empty and gives its room away.
    EXPECT_FALSE(bar.isBandVisible(4));
    EXPECT_EQ(drawings()[2], 0);
    {
        SCOPED_TRACE("loaded");
        expectShares();
        expectFittedViews(w, {0, 1});
    }

    f.choose(0);
    {
        SCOPED_TRACE("with a diagram");
        expectShares();
        expectFittedViews(w, {0, 1, 2});
        expectEqualColumns();
    }
    // The user widens the texts; they keep that width from now on.
    QSplitterHandle* handle = bar.handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip + QPoint(40, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(40, 0));
    texts = start().texts + 40;
    ASSERT_EQ(bandWidth(w, 1), texts);

    const std::vector<int> before = drawings();

    f.frame->resize(1100, 700);
    ASSERT_TRUE(testsupport::waitUntil([&] { return drawings() != before; }));
    testsupport::pumpFor(50);
    {
        SCOPED_TRACE("smaller");
        expectShares();
        expectEqualColumns();
        const BandBar& texts = coolBar3(w);
        EXPECT_LE(std::abs(texts.band(1)->height() - texts.band(2)->height()), 1);
        EXPECT_EQ(texts.band(1)->height() + texts.band(2)->height() + texts.handleWidth(), texts.height());
        for (int k : {0, 1, 2}) {
            EXPECT_EQ(w.UserControl11(k)->size(), w.Picture1(k)->size()) << k;
            const view::ViewGeometry& g = w.UserControl11(k)->geometry();
            EXPECT_EQ(g.zoomLevel(), view::fitAllZoomLevel(w.UserControl11(k)->Sheet(), g.viewportWidth(),
                                                           g.viewportHeight(), g.zoomLevel()))
                << "fitted anew " << k;
        }
    }
}
