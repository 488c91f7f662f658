// Time to open the ROM test panel (its 4096-row list included) as the
// experiment frame opens it, a frameless maximised child of an MDI area, and
// to redraw its list after an erase, each up to a painted window, on the
// platform Qt picks (offscreen unless QT_QPA_PLATFORM says otherwise).
//
// The first run in a fresh process also pays for Qt's one-time setup: the CJK
// fonts, the rich-text engine and the item views, whichever window comes
// first. With --warm the 74LS00 panel is opened and closed first, so that the
// figures are the ROM panel's own.
//
// Usage: panels_bench [--warm] [runs, default 30]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "panels/test_circuit.h"
#include "panels/widgets/memory_forms.h"
#include "panels/widgets/memory_list.h"
#include "panels/widgets/test_panels.h"
#include "platform/fonts.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-34s median %7.2f ms   min %7.2f ms   max %7.2f ms   (%zu runs)\n", what, times[times.size() / 2],
                times.front(), times.back(), times.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::installFontSubstitutions();
    int runs = 30;
    bool warm = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--warm") == 0) warm = true;
        else runs = std::max(1, std::atoi(argv[i]));
    }
    panels::PanelCircuit circuit;
    QMdiArea area;
    area.resize(1280, 800);
    area.show();
    QApplication::processEvents();

    if (warm) {
        QMdiSubWindow* other = area.addSubWindow(
            panels::createTestPanel(panels::TestPanel::Ttl74LS00, circuit.simulator()), Qt::FramelessWindowHint);
        other->showMaximized();
        QApplication::processEvents();
        area.repaint();
        delete other;
        QApplication::processEvents();
    }

    std::vector<double> open, refresh;
    double first = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        auto* rom =
            static_cast<panels::Form11*>(panels::createTestPanel(panels::TestPanel::Rom2732, circuit.simulator()));
        QMdiSubWindow* child = area.addSubWindow(rom, Qt::FramelessWindowHint);
        child->showMaximized();
        QApplication::processEvents();
        area.repaint();
        const double opened = ms(Clock::now() - start);
        if (i == 0) first = opened;
        else open.push_back(opened);

        const auto erase = Clock::now();
        rom->Command1_Click();
        QApplication::processEvents();
        rom->ListView1()->viewport()->repaint();
        refresh.push_back(ms(Clock::now() - erase));
        delete child;
        QApplication::processEvents();
    }
    std::printf("%-34s first run %.2f ms%s\n", "open ROM2732 panel (4096 rows)", first,
                warm ? " (after another panel)" : " (fresh process)");
    if (!open.empty()) report("open ROM2732 panel, later runs", open);
    report("erase and redraw its list", refresh);
    return 0;
}
