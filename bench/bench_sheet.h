#pragma once
// The benchmarks' sheet: 2000 elements spread over 3000 x 2000 units in the
// mix of a lab circuit (parts with pins, many wires and labels, some of
// everything else), and hot elements over it as a circuit would give them.

#include <string>
#include <vector>

#include "schematic/hot_elements.h"
#include "schematic/sch_model.h"

namespace benchsheet {

using schematic::SchElement;
using K = schematic::SchElementKind;

inline SchElement el(K kind, std::vector<int32_t> params, std::vector<std::string> texts = {}) {
    SchElement e;
    e.kind = kind;
    e.params = std::move(params);
    e.texts = std::move(texts);
    return e;
}

inline SchElement pin(int32_t x, int32_t y, int32_t d, const char* name, const char* number, int32_t dot = 0) {
    return el(K::Pin, {dot, 0, 0, 0, 1, 1, 20, x, y, d, 0x000080}, {name, number});
}

// A sheet of 2000 elements, spread over 3000 x 2000 units, in the mix of a
// lab circuit: parts with pins, many wires and labels, some of everything else.
inline schematic::SchSheet benchSheet() {
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


// `count` hot elements over benchSheet(): wire segments of signals first, then
// net-label boxes, then IC bodies, in the builders' order.
inline schematic::HotElementLists benchHotLists(int count) {
    schematic::HotElementLists lists;
    const auto cell = [](int i, int cols, int w, int h) { return std::pair{40 + (i % cols) * w, 40 + (i / cols) * h}; };
    const int wires = count * 7 / 10;
    const int labels = count * 2 / 10;
    for (int i = 0; i < wires; ++i) {
        const auto [x, y] = cell(i / 2 % 700, 35, 84, 56);
        if (i % 2 == 0) lists.Boxes.push_back({x, y, x + 60, y, i / 2});
        else lists.Boxes.push_back({x + 60, y, x + 60, y + 40, i / 2});
    }
    for (int i = 0; i < labels; ++i) {
        const auto [x, y] = cell(i % 400, 25, 118, 125);
        lists.Boxes.push_back({x, y - 10, x + 30, y, (i % 700) | schematic::kHotBoxFlag});
    }
    for (int i = 0; wires + labels + i < count; ++i) {
        const auto [x, y] = cell(i % 200, 20, 145, 190);
        lists.Boxes.push_back({x + 20, y + 30, x + 100, y + 130, schematic::icBodyId(i % 207)});
    }
    return lists;
}

}  // namespace benchsheet
