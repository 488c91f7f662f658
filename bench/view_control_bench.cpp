// The schematic view control at work on a 2000-element sheet with 5000 hot
// elements in a 1920 x 1080 viewport: how long one scroll-bar arrow step and
// one pan step of the mouse take to show (the geometry, the viewport picture
// with its hot outlines, and the viewport's repaint), at every zoom level;
// and how long the hit test under the pointer takes.
//
//   view_control_bench [repeats]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "bench_sheet.h"
#include "bench_timing.h"
#include "view/find_hot_element.h"
#include "view/widgets/user_control1.h"
#include "view/zoom_tables.h"

namespace {

using benchtiming::Clock;
using benchtiming::msSince;
using benchtiming::Stats;
using benchtiming::stats;

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    constexpr int W = 1920, H = 1080;
    constexpr int kHot = 5000;

    view::UserControl1 control;
    control.resize(W + 17, H + 28 + 17);
    control.show();
    if (!QTest::qWaitForWindowExposed(&control)) return 1;
    control.setContent(benchsheet::benchSheet(), benchsheet::benchHotLists(kHot));
    QWidget* viewport = control.findChild<QWidget*>(QStringLiteral("xianshi"));
    auto* hbar = control.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    control.viewportPicture();  // fonts load once per program

    std::printf("%zu elements, %d hot elements, viewport %dx%d, %d steps per case\n", control.Sheet().elements.size(),
                control.HotLists().BoxCount(), viewport->width(), viewport->height(), repeats);
    std::printf("level  zoom   scroll step: median   max    pan step: median   max  (ms)\n");
    double worst = 0;
    while (control.ZoomLevel() > view::kMinZoomLevel) QTest::keyClick(&control, Qt::Key_PageDown);
    for (int level = view::kMinZoomLevel; level <= view::kMaxViewZoomLevel; ++level) {
        if (level > control.ZoomLevel()) QTest::keyClick(&control, Qt::Key_PageUp);
        viewport->repaint();
        // Arrow steps to the right and back, each shown at once.
        std::vector<double> scroll;
        for (int r = 0; r < repeats; ++r) {
            const auto t0 = Clock::now();
            hbar->triggerAction(r % 2 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
            viewport->repaint();
            scroll.push_back(msSince(t0));
        }
        // A right-button drag, 5 pixels a step.
        std::vector<double> pan;
        QTest::mousePress(viewport, Qt::RightButton, {}, {W / 2, H / 2});
        for (int r = 0; r < repeats; ++r) {
            const int dx = (r % 8 < 4 ? 5 : -5) * (r % 4 + 1);
            const auto t0 = Clock::now();
            QTest::mouseMove(viewport, {W / 2 + dx, H / 2 + dx / 2});
            viewport->repaint();
            pan.push_back(msSince(t0));
        }
        QTest::mouseRelease(viewport, Qt::RightButton, {}, {W / 2, H / 2});
        const Stats s = stats(scroll);
        const Stats p = stats(pan);
        worst = std::max({worst, s.max, p.max});
        std::printf("%5d  %4.2f   %18.1f %5.1f   %15.1f %5.1f\n", level, view::zoomFactor(level), s.median, s.max,
                    p.median, p.max);
    }
    std::printf("slowest step: %.1f ms (target: under 33)\n", worst);

    // The hit test: pointer positions all over the sheet, and a point that
    // hits nothing (every entry tested).
    const schematic::HotElementLists& lists = control.HotLists();
    std::mt19937 random(1);
    std::uniform_real_distribution<float> x(0, 3000), y(0, 2000);
    std::vector<std::pair<float, float>> points(20000);
    for (auto& p : points) p = {x(random), y(random)};
    int found = 0;
    auto t0 = Clock::now();
    for (const auto& p : points) found += view::FindHotElement(p.first, p.second, lists, 1) != -1;
    const double perCall = msSince(t0) / points.size();
    t0 = Clock::now();
    constexpr int kMisses = 20000;
    int missed = 0;
    for (int i = 0; i < kMisses; ++i) missed += view::FindHotElement(-50.0f - i % 7, -50, lists, 1) == -1;
    const double perMiss = msSince(t0) / kMisses;
    std::printf("hit test over %d entries: %.4f ms a pointer position (%d of %zu found), %.4f ms for a miss "
                "(target: under 0.1)\n",
                lists.BoxCount(), perCall, found, points.size(), perMiss);
    return missed == kMisses ? 0 : 1;
}
