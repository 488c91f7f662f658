// Draws a 2000-element sheet into a 1920 x 1080 viewport at every zoom level,
// the way the view redraws its visible area: clear the viewport image, then
// the sheet with its origin placed so the viewport shows the sheet's centre
// (and, as a second case, its top-left corner). Prints the median and the
// slowest of the repeated draws per level, in milliseconds.
//
//   view_bench [repeats]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "bench_sheet.h"
#include "schematic/sch_model.h"
#include "view/draw_sheet.h"
#include "view/painter_canvas.h"
#include "view/zoom_tables.h"

using benchsheet::benchSheet;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const schematic::SchSheet sheet = benchSheet();
    constexpr int W = 1920, H = 1080;
    QImage viewport(W, H, QImage::Format_RGB32);

    std::printf("%zu elements, viewport %dx%d, %d draws per case\n", sheet.elements.size(), W, H, repeats);
    std::printf("level  zoom   centre: median   max   corner: median   max  (ms)\n");
    // One draw first: the first use of each font loads it, which a view pays once.
    {
        QPainter painter(&viewport);
        view::PainterCanvas canvas(painter);
        view::DrawSchSheet(sheet, canvas, {0, 0, 0, nullptr});
    }
    double worst = 0;
    for (int level = view::kMinZoomLevel; level <= view::kMaxViewZoomLevel; ++level) {
        const view::ImageSize image = view::imageSize(sheet, level);
        // The sheet's centre, then its top-left corner 20 pixels in, at the viewport's.
        const int32_t origins[2][2] = {{W * 15 / 2 - image.width / 2, H * 15 / 2 - image.height / 2}, {300, 300}};
        double results[2][2];
        for (int c = 0; c < 2; ++c) {
            std::vector<double> ms;
            for (int r = 0; r < repeats; ++r) {
                const auto t0 = std::chrono::steady_clock::now();
                viewport.fill(Qt::white);
                QPainter painter(&viewport);
                view::PainterCanvas canvas(painter);
                view::DrawSchSheet(sheet, canvas, {level, origins[c][0], origins[c][1], nullptr});
                painter.end();
                ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
            }
            std::sort(ms.begin(), ms.end());
            results[c][0] = ms[ms.size() / 2];
            results[c][1] = ms.back();
            worst = std::max(worst, ms.back());
        }
        std::printf("%5d  %4.2f   %14.1f %5.1f   %14.1f %5.1f\n", level, view::zoomFactor(level), results[0][0], results[0][1],
                    results[1][0], results[1][1]);
    }
    std::printf("slowest draw: %.1f ms (target: under 50)\n", worst);
    return 0;
}
