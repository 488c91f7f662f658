// The schematic view control offscreen: a schematic loaded through its
// loader, hot elements under the pointer as it zooms and scrolls, the
// buttons and keys at the zoom limits, panning and clicks, the fit-all's
// margin and a fitted view fitting again when its size changes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <ostream>

#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>

#include "schematic/build_circuit.h"
#include "schematic/sch_reader.h"
#include "schematic/schematic_state.h"
#include "sheet_picture.h"
#include "sim/simulator.h"
#include "support/source_tree.h"
#include "support/wait_until.h"
#include "view/draw_sheet.h"
#include "view/viewport_picture.h"
#include "view/widgets/user_control1.h"
#include "view/zoom_tables.h"

namespace {

constexpr int32_t kLabelBox = 0x100000;
constexpr int32_t kIcBody = 0x110000;

// hot_view.sch: a 74LS00 U1 with its body at (200..250, 170..200); signal
// DIN runs from pin 1 left along Y = 180 to X = 100 and down to Y = 260,
// labelled at (110, 180); DOUT runs from pin 3 right along Y = 185 to
// X = 330, then slanted up to (400, 115), labelled at (290, 185).
struct LoadedView {
    sim::Simulator simulator;
    schematic::SchematicState state;
    schematic::CircuitSetup setup;
    int32_t firstIc = 0;
    int32_t firstSignal = 0;
    view::UserControl1 view{nullptr, &state};
    QSignalSpy hot{&view, &view::UserControl1::HotElement};
    QSignalSpy clicks{&view, &view::UserControl1::HotElementClick};

    explicit LoadedView(QSize size = {600, 450}) {
        schematic::SilentSchNotifier quiet;
        EXPECT_EQ(schematic::ReadSchFile(state.currentSheet, viewtest::fixturePath("hot_view.sch"), quiet), 1);
        firstIc = simulator.LastIcNumber + 1;
        firstSignal = simulator.LastSignalNumber + 1;
        EXPECT_TRUE(schematic::BuildCircuit(simulator, state, setup).built);
        view.resize(size);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.GetSchFile(firstIc, firstSignal, simulator.LastIcNumber, simulator.LastSignalNumber);
    }

    int32_t signal(const std::string& name) const {
        for (int32_t n = firstSignal; n <= simulator.LastSignalNumber; ++n)
            if (simulator.NetTable[n].Name == name) return n;
        ADD_FAILURE() << "no signal " << name;
        return -2;
    }

    // The control's pixel nearest to a sheet point.
    QPoint pixelOf(double x, double y) const {
        const view::ViewGeometry& g = view.geometry();
        const double tpu = g.twipsPerUnit();
        return {static_cast<int>(std::lround((g.canvasLeft() + x * tpu) / 15)),
                static_cast<int>(std::lround((g.canvasTop() + y * tpu) / 15)) + 28};
    }

    int32_t hoverAt(QPoint p) {
        // A move to where the pointer already is would be no move.
        QTest::mouseMove(&view, p == QPoint(0, 0) ? QPoint(1, 1) : QPoint(0, 0));
        hot.clear();
        QTest::mouseMove(&view, p);
        if (hot.size() != 1) {
            ADD_FAILURE() << "moves reported: " << hot.size();
            return -2;
        }
        return hot.takeFirst().at(0).toInt();
    }
    int32_t hover(double x, double y) { return hoverAt(pixelOf(x, y)); }

    QPushButton* button(const char* name) const { return view.findChild<QPushButton*>(QString::fromLatin1(name)); }
    QScrollBar* bar(const char* name) const { return view.findChild<QScrollBar*>(QString::fromLatin1(name)); }
};

TEST(UserControl1, ALoadedSchematicReportsTheHotElementUnderThePointer) {
    auto v = std::make_unique<LoadedView>();
    const int32_t din = v->signal("DIN");
    const int32_t dout = v->signal("DOUT");
    const int32_t ic = v->firstIc;
    ASSERT_GE(din, 0);
    EXPECT_TRUE(v->state.currentSheet.empty());
    EXPECT_FALSE(v->view.Sheet().empty());
    EXPECT_GT(v->view.HotLists().BoxCount(), 0);
    EXPECT_EQ(v->view.ZoomLevel(), -1);  // 600 x 400 units in 583 x 405 pixels

    // The label's box is as wide as its text measures.
    const auto centreOf = [&](int32_t id) {
        for (const auto& b : v->view.HotLists().Boxes)
            if (b.Id == id) return QPointF((b.X1 + b.X2) / 2.0, (b.Y1 + b.Y2) / 2.0);
        ADD_FAILURE() << "no entry " << id;
        return QPointF();
    };
    const QPointF label = centreOf(din | kLabelBox);
    EXPECT_NEAR(label.y(), 175, 2);
    struct Spot {
        double x, y;
        int32_t expected;
    };
    const Spot spots[] = {
        {100, 220, din},                      // the vertical wire
        {140, 180, din},                      // the horizontal one
        {label.x(), label.y(), din | kLabelBox},  // its label
        {225, 185, ic | kIcBody},             // the IC body
        {365, 150, dout},                     // the slanted wire
        {500, 330, -1},                       // empty sheet
        {100, 250, din},                      // the vertical wire further down
        {200, 300, -1},                       // empty sheet
    };
    const QRect viewport = v->view.findChild<QWidget*>(QStringLiteral("xianshi"))->geometry();
    const auto checkSpots = [&](const char* when, int atLeast) {
        int checked = 0;
        for (const Spot& s : spots) {
            if (!viewport.contains(v->pixelOf(s.x, s.y))) continue;
            ++checked;
            EXPECT_EQ(v->hover(s.x, s.y), s.expected) << when << " at " << s.x << "," << s.y;
        }
        EXPECT_GE(checked, atLeast) << when;
    };
    checkSpots("fit all", 8);
    EXPECT_EQ(v->view.HotUnderPointer(), -1);
    // Over the button band, beside the buttons: nothing, though canvas lies
    // hidden under it when scrolled.
    EXPECT_EQ(v->hoverAt({500, 10}), -1);

    // Zoom in by key: the sheet grows about the viewport's centre.
    const QPoint icBefore = v->pixelOf(225, 185);
    QTest::keyClick(&v->view, Qt::Key_PageUp);
    EXPECT_EQ(v->view.ZoomLevel(), 0);
    EXPECT_NE(v->pixelOf(225, 185), icBefore);
    checkSpots("zoomed in", 8);

    // Further in, and right by one arrow step: the drawing moves 10 pixels left.
    QTest::keyClick(&v->view, Qt::Key_PageUp);
    QTest::keyClick(&v->view, Qt::Key_PageUp);
    ASSERT_EQ(v->view.ZoomLevel(), 2);
    checkSpots("zoomed in further", 2);
    QScrollBar* h = v->bar("HScroll1");
    const QPoint bodyBefore = v->pixelOf(225, 185);
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(v->pixelOf(225, 185), bodyBefore - QPoint(10, 0));
    EXPECT_EQ(v->hoverAt(bodyBefore - QPoint(10, 0)), ic | kIcBody);
    checkSpots("scrolled right", 2);

    // Down to the bottom of the drawing at its left edge.
    v->bar("VScroll1")->triggerAction(QAbstractSlider::SliderToMaximum);
    h->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_NEAR(v->pixelOf(0, 400).y(), viewport.bottom() + 1, 1);
    EXPECT_NEAR(v->pixelOf(0, 0).x(), 0, 1);
    checkSpots("scrolled down", 2);
}

TEST(UserControl1, WiresAreFoundAtTheLowestZoom) {
    auto v = std::make_unique<LoadedView>();
    for (int i = 0; i < 8; ++i) QTest::keyClick(&v->view, Qt::Key_PageDown);
    ASSERT_EQ(v->view.ZoomLevel(), -5);
    // A pixel is 10 units here; the horizontal DIN wire at Y = 180 and the
    // slanted DOUT wire are still found under the pointer.
    EXPECT_EQ(v->hover(140, 180), v->signal("DIN"));
    EXPECT_EQ(v->hover(365, 150), v->signal("DOUT"));
}

TEST(UserControl1, ZoomButtonsStopAtTheLimits) {
    auto v = std::make_unique<LoadedView>();
    QPushButton* in = v->button("Command1");
    QPushButton* out = v->button("Command2");
    for (int i = 0; i < 6; ++i) QTest::keyClick(&v->view, Qt::Key_PageUp);
    EXPECT_EQ(v->view.ZoomLevel(), 3);
    EXPECT_FALSE(in->isEnabled());
    EXPECT_TRUE(out->isEnabled());
    EXPECT_EQ(in->text(), QStringLiteral("放大"));

    // Keys reach the view while a button holds the focus.
    out->setFocus();
    for (int i = 0; i < 10; ++i) QTest::keyClick(out, Qt::Key_PageDown);
    EXPECT_EQ(v->view.ZoomLevel(), -5);
    EXPECT_FALSE(out->isEnabled());
    EXPECT_TRUE(in->isEnabled());

    // Only Ctrl+PageDown fits all; with Shift as well it does nothing.
    QTest::keyClick(&v->view, Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(v->view.ZoomLevel(), -5);
    QTest::keyClick(&v->view, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(v->view.ZoomLevel(), -1);
    EXPECT_TRUE(in->isEnabled());
    EXPECT_TRUE(out->isEnabled());
    QTest::mouseClick(in, Qt::LeftButton);
    EXPECT_EQ(v->view.ZoomLevel(), 0);
    QTest::keyClick(&v->view, Qt::Key_End);  // a redraw changes nothing
    EXPECT_EQ(v->view.ZoomLevel(), 0);
    EXPECT_EQ(v->button("Command4")->text(), QStringLiteral("重画"));
}

TEST(UserControl1, TheRightButtonPansInsideTheViewportOnly) {
    auto v = std::make_unique<LoadedView>();
    const double left = v->view.geometry().canvasLeft();
    const double top = v->view.geometry().canvasTop();

    // A right press on the band: the button is noted, nothing pans.
    QTest::mousePress(&v->view, Qt::RightButton, {}, {500, 10});
    QTest::mouseMove(&v->view, {450, 60});
    QTest::mouseRelease(&v->view, Qt::RightButton, {}, {450, 60});
    EXPECT_EQ(v->view.LastButton(), 2);
    EXPECT_EQ(v->view.geometry().canvasLeft(), left);

    // In the viewport the drawing follows the pointer, and the release is a click.
    const int32_t din = v->signal("DIN");
    const QPoint wire = v->pixelOf(100, 220);
    v->clicks.clear();
    QTest::mousePress(&v->view, Qt::RightButton, {}, {300, 200});
    QTest::mouseMove(&v->view, {340, 170});
    QTest::mouseRelease(&v->view, Qt::RightButton, {}, {340, 170});
    EXPECT_DOUBLE_EQ(v->view.geometry().canvasLeft(), left + 40 * 15);
    EXPECT_DOUBLE_EQ(v->view.geometry().canvasTop(), top - 30 * 15);
    EXPECT_EQ(v->hoverAt(wire + QPoint(40, -30)), din);
    ASSERT_EQ(v->clicks.size(), 1);
    EXPECT_EQ(v->clicks.at(0).at(0).toInt(), 2);
    // The scroll bars show the new place.
    EXPECT_EQ(v->bar("HScroll1")->value(), v->view.geometry().lastHScroll());
    EXPECT_EQ(v->bar("VScroll1")->value(), v->view.geometry().lastVScroll());
}

TEST(UserControl1, AClickReportsTheButtonAndTheHotElement) {
    auto v = std::make_unique<LoadedView>();
    const QPoint ic = v->pixelOf(225, 185);
    QTest::mouseMove(&v->view, ic);
    QTest::mouseClick(&v->view, Qt::LeftButton, {}, ic);
    ASSERT_EQ(v->clicks.size(), 1);
    EXPECT_EQ(v->clicks.at(0).at(0).toInt(), 1);
    EXPECT_EQ(v->clicks.at(0).at(1).toInt(), v->firstIc | kIcBody);
    // A double click is one click: its second press comes as a double click.
    v->clicks.clear();
    QTest::mouseClick(&v->view, Qt::LeftButton, {}, ic);
    QTest::mouseDClick(&v->view, Qt::LeftButton, {}, ic);
    QTest::mouseRelease(&v->view, Qt::LeftButton, {}, ic);
    EXPECT_EQ(v->clicks.size(), 1);
    QTest::mouseClick(&v->view, Qt::LeftButton, {}, ic);
    EXPECT_EQ(v->clicks.size(), 2);
}

// Whatever the view's size, a fit-all shows the whole drawing, and at the
// highest level that does: one level up, the drawing and a margin on either
// side of it would not fit.
TEST(UserControl1, FitAllShowsTheWholeDrawingAtTheHighestLevelThatDoes) {
    schematic::SchSheet sheet;
    sheet.sheetSizeA = 100;
    sheet.sheetSizeB = 50;
    view::UserControl1 control;
    for (int w = 120; w <= 720; w += 7) {
        for (int h : {90, 160, 400}) {
            control.resize(w, h);
            control.setContent(sheet, {});
            const view::ViewGeometry& g = control.geometry();
            const auto inside = [](double pos, double size, double viewport) {
                return pos >= 0 && pos + size <= viewport;
            };
            if (control.ZoomLevel() > view::kMinZoomLevel) {
                EXPECT_TRUE(inside(g.canvasLeft(), g.canvasWidth(), g.viewportWidth())) << w << "x" << h;
                EXPECT_TRUE(inside(g.canvasTop(), g.canvasHeight(), g.viewportHeight())) << w << "x" << h;
            }
            if (control.ZoomLevel() < view::kMaxViewZoomLevel) {
                const double up = view::zoomFactor(control.ZoomLevel() + 1) * 15;
                EXPECT_TRUE(100 * up + 2 * view::kFitAllMarginTwips > g.viewportWidth() ||
                            50 * up + 2 * view::kFitAllMarginTwips > g.viewportHeight())
                    << w << "x" << h << " level " << control.ZoomLevel();
            }
        }
    }
}

schematic::SchSheet sheetOf(int32_t width, int32_t height) {
    schematic::SchSheet sheet;
    sheet.sheetSizeA = width;
    sheet.sheetSizeB = height;
    sheet.sheetColor = 0xE8FFFF;
    return sheet;
}

constexpr uint32_t kBackColor = 0x5A98D2;
constexpr QRgb kBackground = 0xFFD2985A;
constexpr int kMarginPx = view::kFitAllMarginTwips / 15;

// The fit-all of the control's drawing as its picture shows it: the drawing
// whole, at least the margin from each edge of the viewport, and at the
// highest level that leaves that margin.
void expectFitted(view::UserControl1& control) {
    const QImage picture = control.viewportPicture();
    int left = picture.width();
    int top = picture.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (row[x] == kBackground) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_GE(right, 0) << "nothing drawn";
    const view::ViewGeometry& g = control.geometry();
    const int level = control.ZoomLevel();
    if (level < view::kMaxViewZoomLevel) {
        const view::ImageSize up = view::imageSize(control.Sheet(), level + 1);
        EXPECT_TRUE(up.width + 2 * view::kFitAllMarginTwips > g.viewportWidth() ||
                    up.height + 2 * view::kFitAllMarginTwips > g.viewportHeight())
            << "level " << level << " in " << picture.width() << "x" << picture.height();
    }
    const QRect canvas = view::canvasPixelRect(g);
    if (level == view::kMinZoomLevel && (canvas.width() + 2 * kMarginPx > picture.width() ||
                                         canvas.height() + 2 * kMarginPx > picture.height()))
        return;  // too large to fit at all
    EXPECT_EQ(QSize(right - left + 1, bottom - top + 1), canvas.size()) << "the drawing whole";
    EXPECT_GE(std::min({left, top, picture.width() - 1 - right, picture.height() - 1 - bottom}), kMarginPx)
        << "margins L" << left << " R" << picture.width() - 1 - right << " T" << top << " B"
        << picture.height() - 1 - bottom << " at level " << level << " in " << picture.width() << "x"
        << picture.height();
}

// Loads `sheet` into a control sized to give it a viewport of `size`.
void loadInViewport(view::UserControl1& control, const schematic::SchSheet& sheet, QSize size) {
    const QWidget* viewport = control.findChild<QWidget*>(QStringLiteral("xianshi"));
    // The band over the viewport is as tall as the control's width makes it
    // (room for a band of four rows, so that the control lays itself out).
    control.resize(size.width() + 17, size.height() + 17 + 200);
    control.setContent(sheet, {});
    control.resize(size.width() + 17, size.height() + 17 + viewport->y());
    control.setContent(sheet, {});
    ASSERT_EQ(viewport->size(), size);
}

// Drawings shaped as the lab's are (a small wide one, the tall board, a block
// diagram) in viewports of many sizes.
TEST(UserControl1, FitAllLeavesTheMarginOnEverySide) {
    const struct Drawing {
        const char* name;
        int32_t width;
        int32_t height;
    } drawings[] = {{"wide", 100, 50}, {"board-like", 780, 2468}, {"diagram-like", 460, 990}};
    view::UserControl1 control;
    control.SetBackColor(kBackColor);
    for (const Drawing& d : drawings) {
        for (int w = 82; w <= 720; w += 11) {
            for (int h : {60, 300, 655}) {
                SCOPED_TRACE(testing::Message() << d.name << " in a viewport " << w << "x" << h);
                loadInViewport(control, sheetOf(d.width, d.height), {w, h});
                expectFitted(control);
            }
        }
    }
}

// The lab's board drawing and block diagrams in views as large as the
// circuit window, maximised, gives them on 1366 x 768 and 1920 x 1080 screens.
TEST(UserControl1, TheLabDrawingsFitWithTheMarginOnTheLabScreens) {
    const struct Case {
        const char* file;
        QSize at1366;
        QSize at1920;
    } cases[] = {
        {"data/board.sch", {177, 655}, {256, 991}},  {"data/bd_alu.sch", {179, 655}, {258, 991}},
        {"data/bd_bus.sch", {179, 655}, {258, 991}}, {"data/bd_mem.sch", {179, 655}, {258, 991}},
        {"data/bd_seq.sch", {179, 655}, {258, 991}}, {"data/bd_uart.sch", {179, 655}, {258, 991}},
    };
    view::UserControl1 control;
    control.SetBackColor(kBackColor);
    for (const Case& c : cases) {
        schematic::SchSheet sheet;
        schematic::SilentSchNotifier quiet;
        ASSERT_EQ(schematic::ReadSchFile(sheet, QString::fromStdString(testsupport::sourceFile(c.file)), quiet), 1);
        for (const QSize size : {c.at1366, c.at1920}) {
            SCOPED_TRACE(testing::Message() << c.file << " in " << size.width() << "x" << size.height());
            loadInViewport(control, sheet, size);
            expectFitted(control);
        }
    }
}

// Where a view's drawing stands.
struct Place {
    int level = 0;
    double left = 0;
    double top = 0;
    friend bool operator==(const Place&, const Place&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Place& p) {
        return out << "level " << p.level << " at " << p.left / 15 << "," << p.top / 15;
    }
};
Place placeOf(const view::UserControl1& v) {
    return {v.ZoomLevel(), v.geometry().canvasLeft(), v.geometry().canvasTop()};
}

QPushButton* buttonOf(const view::UserControl1& v, const char* name) {
    return v.findChild<QPushButton*>(QString::fromLatin1(name));
}

// The view shows its drawing where its fit-all button puts it now.
void expectAsFitAllPutsIt(view::UserControl1& v) {
    const Place now = placeOf(v);
    QTest::mouseClick(buttonOf(v, "Command3"), Qt::LeftButton);
    EXPECT_EQ(now, placeOf(v));
}

// Two views side by side in a splitter, as the circuit window's bands are:
// a view at fit-all fits again whenever its room changes.
TEST(UserControl1, AFittedViewFitsAgainWhenItsRoomChanges) {
    QSplitter bands;
    auto* board = new view::UserControl1(&bands);
    auto* diagram = new view::UserControl1(&bands);
    board->SetBackColor(kBackColor);
    diagram->SetBackColor(kBackColor);
    // Fitted while loading, before the views have their room.
    board->setContent(sheetOf(780, 2468), {});
    diagram->setContent(sheetOf(460, 990), {});
    bands.resize(700, 500);
    bands.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bands));
    const auto expectBoth = [&](const char* when) {
        SCOPED_TRACE(when);
        for (view::UserControl1* v : {board, diagram}) {
            if (!v->isVisible()) continue;
            expectAsFitAllPutsIt(*v);
            expectFitted(*v);
        }
    };
    expectBoth("shown");

    QSplitterHandle* handle = bands.handle(1);
    const auto drag = [&](int dx) {
        const QPoint grip = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + QPoint(dx, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(dx, 0));
    };
    const int boardWidth = board->width();
    drag(-150);
    ASSERT_LT(board->width(), boardWidth);
    expectBoth("the board narrower, the diagram wider");
    drag(250);
    expectBoth("the board wider, the diagram narrower");

    // A redraw keeps the view at fit-all.
    QTest::keyClick(board, Qt::Key_End);
    const QSize before = bands.size();
    bands.resize(700, 760);
    ASSERT_TRUE(testsupport::waitUntil([&] { return bands.size() != before; }));
    expectBoth("taller");

    diagram->hide();
    expectBoth("the diagram's band hidden");
    diagram->show();
    expectBoth("the diagram's band shown again");
}

// A view the user zoomed, scrolled or panned keeps its zoom and its place
// whatever its size becomes.
TEST(UserControl1, AZoomedScrolledOrPannedViewKeepsItsPlaceOnResize) {
    const struct Case {
        const char* name;
        schematic::SchSheet sheet;
        std::function<void(view::UserControl1&)> move;
    } cases[] = {
        {"zoomed in by key", sheetOf(600, 400), [](view::UserControl1& v) { QTest::keyClick(&v, Qt::Key_PageUp); }},
        {"zoomed out by its button", sheetOf(600, 400),
         [](view::UserControl1& v) { QTest::mouseClick(buttonOf(v, "Command2"), Qt::LeftButton); }},
        // Too large to fit: the scroll bars have room.
        {"scrolled", sheetOf(6500, 6500),
         [](view::UserControl1& v) {
             v.findChild<QScrollBar*>(QStringLiteral("VScroll1"))->triggerAction(QAbstractSlider::SliderSingleStepAdd);
         }},
        {"panned", sheetOf(600, 400),
         [](view::UserControl1& v) {
             QTest::mousePress(&v, Qt::RightButton, {}, {300, 200});
             QTest::mouseMove(&v, {320, 190});
             QTest::mouseRelease(&v, Qt::RightButton, {}, {320, 190});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view::UserControl1 v;
        v.resize(600, 450);
        v.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
        v.setContent(c.sheet, {});
        const Place fitted = placeOf(v);
        c.move(v);
        const Place moved = placeOf(v);
        ASSERT_NE(moved, fitted);
        for (const QSize size : {QSize(900, 450), QSize(300, 450), QSize(300, 800)}) {
            v.resize(size);
            ASSERT_TRUE(testsupport::waitUntil([&] { return v.size() == size; }));
            EXPECT_EQ(placeOf(v), moved) << size.width() << "x" << size.height();
        }
    }
}

// However narrow its band, a view's four buttons stay whole, clear of the
// viewport and of each other, and do their work; the keys do too.
TEST(UserControl1, NarrowViewsKeepEveryButtonWhole) {
    auto v = std::make_unique<LoadedView>();
    v->view.SetDispName(QStringLiteral("电路板图"));
    const QWidget* viewport = v->view.findChild<QWidget*>(QStringLiteral("xianshi"));
    for (int w : {600, 320, 240, 160, 110, 40}) {
        SCOPED_TRACE(testing::Message() << w << " wide");
        v->view.resize(w, 450);
        std::vector<QRect> taken;
        for (const char* name : {"Command3", "Command1", "Command2", "Command4"}) {
            const QPushButton* b = v->button(name);
            const QRect r = b->geometry();
            EXPECT_TRUE(v->view.rect().contains(r)) << name << " at " << r.x() << "," << r.y() << " " << r.width();
            EXPECT_GE(r.width(), b->fontMetrics().horizontalAdvance(b->text())) << name;
            EXPECT_FALSE(r.intersects(viewport->geometry())) << name;
            for (const QRect& t : taken) EXPECT_FALSE(r.intersects(t)) << name;
            taken.push_back(r);
        }
        const int level = v->view.ZoomLevel();
        QTest::mouseClick(v->button("Command2"), Qt::LeftButton);
        EXPECT_EQ(v->view.ZoomLevel(), level - 1);
        QTest::keyClick(&v->view, Qt::Key_PageUp);
        EXPECT_EQ(v->view.ZoomLevel(), level);
    }
    EXPECT_GT(v->view.width(), 40) << "no narrower than a button";
}

TEST(UserControl1, TitleBackgroundAndPictureOfAGivenDrawing) {
    view::UserControl1 control;
    control.resize(300, 200);
    control.SetDispName(QStringLiteral("逻辑图"));
    control.SetBackColor(0x5A98D2);
    schematic::SchSheet sheet;
    sheet.sheetSizeA = 100;
    sheet.sheetSizeB = 50;
    sheet.sheetColor = 0xFFFFFF;
    schematic::HotElementLists lists;
    lists.Boxes = {{10, 10, 90, 40, 5 | kIcBody}};
    control.setContent(sheet, lists);
    EXPECT_EQ(control.ZoomLevel(), 2);  // 100 x 50 units in 283 x 155 pixels
    const QImage picture = control.viewportPicture();
    EXPECT_EQ(picture.size(), QSize(283, 155));
    EXPECT_EQ(picture.pixel(2, 2), qRgb(0xD2, 0x98, 0x5A));
    EXPECT_EQ(picture.pixel(141, 77), qRgb(0xFF, 0xFF, 0xFF));
    control.setToolTipText(QStringLiteral("Ic :5 :U6 :74LS374"));
    EXPECT_EQ(control.toolTip(), QStringLiteral("Ic :5 :U6 :74LS374"));
}

}  // namespace
