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

#include "schematic/sch_model.h"
#include "view/draw_sheet.h"
#include "view/painter_canvas.h"
#include "view/zoom_tables.h"

namespace {

using schematic::SchElement;
using K = schematic::SchElementKind;

SchElement el(K kind, std::vector<int32_t> params, std::vector<std::string> texts = {}) {
    SchElement e;
    e.kind = kind;
    e.params = std::move(params);
    e.texts = std::move(texts);
    return e;
}

SchElement pin(int32_t x, int32_t y, int32_t d, const char* name, const char* number, int32_t dot = 0) {
    return el(K::Pin, {dot, 0, 0, 0, 1, 1, 20, x, y, d, 0x000080}, {name, number});
}

// A sheet of 2000 elements, spread over 3000 x 2000 units, in the mix of a
// lab circuit: parts with pins, many wires and labels, some of everything else.
schematic::SchSheet benchSheet() {
    schematic::SchSheet s;
    s.sheetSizeA = 3000;
    s.sheetSizeB = 2000;
    s.borderColor = 0x000080;
    s.sheetColor = 0xE0FFFF;
    s.fontSlotMax = 5;
    s.fonts.resize(6);
    s.fonts[3] = schematic::SchFont{10, 0, 0, 0, 0, 0, "Times New Roman"};
    s.fonts[4] = schematic::SchFont{12, 0, 0, 0, 0, 0, "宋体"};

    schematic::SchComponent chip;
    schematic::SchPartGraphics g;
    g.elements = {
        el(K::Rectangle, {0, 0, 80, 100, 1, 0x000080, 0xE0F0FF, 0, 1}),
        pin(0, 90, 2, "D0", "2"), pin(0, 70, 2, "D1", "3"), pin(0, 50, 2, "D2", "4"), pin(0, 30, 2, "CLK", "11", 1),
        pin(80, 90, 0, "Q0", "19"), pin(80, 70, 0, "Q1", "18"), pin(80, 50, 0, "Q2", "17"),
        pin(40, 100, 1, "VCC", "20"), pin(40, 0, 3, "GND", "10"),
        el(K::Arc, {40, 20, 6, 0, 0xFF0000, 0}, {"0", "180"}),
        el(K::Label, {30, 60, 0, 0x800080, 2, 0}, {"寄存器"}),
    };
    chip.parts = {g};
    s.comps = {chip};

    int n = 0;
    const auto cell = [](int i, int cols, int w, int h) { return std::pair{40 + (i % cols) * w, 40 + (i / cols) * h}; };
    for (int i = 0; i < 200; ++i, ++n) {  // 200 parts of 12 graphics each
        const auto [x, y] = cell(i, 20, 145, 190);
        SchElement p = el(K::Part, std::vector<int32_t>(29, 0), {"", "", std::string("U").append(std::to_string(i)), "74LS374"});
        p.params[0] = x + 20;
        p.params[1] = y + 130;
        p.params[4] = i % 4;
        p.params[3] = (i / 4) % 2;
        p.params[6] = 1;
        p.params[10] = x;
        p.params[11] = y;
        p.params[14] = 1;
        p.params[17] = x + 60;
        p.params[18] = y;
        p.params[21] = 1;
        s.elements.push_back(p);
    }
    for (int i = 0; i < 700; ++i, ++n) {  // wires of three points
        const auto [x, y] = cell(i, 35, 84, 56);
        s.elements.push_back(el(K::Wire, {1, 0x800000, 0, 3, x, y, x + 60, y, x + 60, y + 40}));
    }
    for (int i = 0; i < 50; ++i, ++n) {
        const auto [x, y] = cell(i, 5, 580, 200);
        s.elements.push_back(el(K::Bus, {1, 0xFF0000, 0, 2, x, y + 20, x + 500, y + 20}));
    }
    for (int i = 0; i < 400; ++i, ++n) {  // net labels, Latin and Chinese
        const auto [x, y] = cell(i, 25, 118, 125);
        s.elements.push_back(el(K::NetLabel, {x, y, 0, 0x808000, i % 3 ? 1 : 2, 0}, {i % 3 ? std::string("DB").append(std::to_string(i % 16)) : std::string("数据")}));
    }
    for (int i = 0; i < 200; ++i, ++n) {
        const auto [x, y] = cell(i, 20, 145, 190);
        s.elements.push_back(el(K::Junction, {x + 30, y + 30, 1, 0x800000, 0, 0}));
    }
    for (int i = 0; i < 100; ++i, ++n) {
        const auto [x, y] = cell(i, 10, 290, 190);
        s.elements.push_back(el(K::PowerObject, {i % 7, x + 100, y + 100, i % 4, 0x000080, 0}, {"VCC"}));
    }
    for (int i = 0; i < 80; ++i, ++n) {
        const auto [x, y] = cell(i, 8, 360, 240);
        s.elements.push_back(el(K::Port, {i % 8, 0, i % 3, 80, x, y + 60, 0x000080, 0xB0FFFF, 0x800000, 0}, {"DATA"}));
    }
    for (int i = 0; i < 100; ++i, ++n) {
        const auto [x, y] = cell(i, 10, 290, 190);
        s.elements.push_back(el(K::Polyline, {i % 3, i % 3, 0x008000, 0, 4, x, y + 150, x + 50, y + 150, x + 80, y + 170,
                                              x + 200, y + 170}));
    }
    for (int i = 0; i < 60; ++i, ++n) {
        const auto [x, y] = cell(i, 6, 480, 300);
        s.elements.push_back(el(K::Bezier, {1, 0xFF0000, 0, 7, x, y, x + 30, y - 40, x + 60, y + 40, x + 90, y, x + 120,
                                            y - 40, x + 150, y + 40, x + 180, y}));
    }
    for (int i = 0; i < 60; ++i, ++n) {
        const auto [x, y] = cell(i, 6, 480, 300);
        s.elements.push_back(el(K::Ellipse, {x + 200, y + 100, 30, 15, 1, 0x000080, 0x80FF80, i % 2, 0}));
        ++n, ++i;
        s.elements.push_back(el(K::Pie, {x + 260, y + 100, 20, 0, 0x0000FF, 0x8080FF, 1, 0}, {"30", "300"}));
    }
    for (int i = 0; i < 30; ++i, ++n) {
        const auto [x, y] = cell(i, 6, 480, 380);
        SchElement f = el(K::TextFrame, {x, y + 120, x + 200, y + 40, 0, 0x000080, 0xC0FFFF, 0, 2, i % 2, 1, i % 3, i % 2, 1, 0},
                          {"实验说明：", "Step one, then step two", "第三行", ""});
        f.textCount = 3;
        s.elements.push_back(f);
    }
    while (n < 2000) {
        const auto [x, y] = cell(n % 400, 20, 145, 95);
        s.elements.push_back(el(K::Line, {x, y, x + 100, y + 50, n % 4, n % 3, 0x000000, 0}));
        ++n;
    }
    return s;
}

}  // namespace

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
