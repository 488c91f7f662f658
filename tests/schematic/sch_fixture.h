#pragma once
// The complete fixture sheet (fixtures/complete.sch: code page 936, CRLF) and
// what reading it must give.

#include "schematic/sch_model.h"
#include "support/source_tree.h"

#include <fstream>
#include <iterator>
#include <string>

namespace schematic::fixture {

inline std::string path(const std::string& name) {
    return testsupport::sourceFile("tests/schematic/fixtures/" + name);
}

inline std::string bytes(const std::string& name = "complete.sch") {
    std::ifstream in(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline SchElement element(SchElementKind kind, std::vector<int32_t> params, std::vector<std::string> texts = {},
                          int32_t textCount = 0) {
    return SchElement{kind, std::move(params), textCount, std::move(texts)};
}

inline SchSheet expectedSheet() {
    using K = SchElementKind;
    SchSheet s;
    s.fontSlotMax = 5;
    s.fonts.resize(6);
    s.fonts[3] = SchFont{10, 0, 0, 0, 0, 0, "Times New Roman"};
    s.fonts[4] = SchFont{12, 90, 1, 0, 1, 0, "宋体"};

    SchComponent& c = s.comps.emplace_back();
    c.libText1 = "DIP14";
    c.libText2 = "fp2";
    c.libText3 = "fp3";
    c.libText4 = "fp4";
    c.libText5 = "'U?'";
    c.names = {"'74LS00'"};
    c.parts.resize(2);
    c.parts[0].elements = {
        element(K::Rectangle, {0, 0, 50, 30, 1, 0, 16777215, 0, 1}),
        element(K::Pin, {0, 0, 0, 0, 0, 0, 30, 0, 20, 2, 0}, {"A", "1"}),
        element(K::Pin, {0, 0, 0, 0, 0, 0, 30, 0, 10, 2, 0}, {"B", "2"}),
        element(K::Pin, {0, 0, 0, 0, 0, 0, 30, 50, 15, 0, 0}, {"Y", "3"}),
        element(K::Pin, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, {"GND", "7"}),
        element(K::Pin, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, {"VCC", "14"}),
    };
    c.parts[1].elements = {
        element(K::Polyline, {1, 0, 0, 0, 2, 0, 5, 50, 25}),  // library Y kept
        element(K::Wire, {0, 0, 1, 2, 0, -5, 10, -5}),       // library Y negated
        element(K::Pin, {0, 0, 0, 0, 0, 0, 30, 0, 20, 2, 0}, {"A", "4"}),
        element(K::Pin, {0, 0, 0, 0, 0, 0, 30, 0, 10, 2, 0}, {"B", "5"}),
        element(K::Pin, {0, 0, 0, 0, 0, 0, 30, 50, 15, 0, 0}, {"Y", "6"}),
    };

    s.orientation = 0;
    s.borderColor = 0;
    s.sheetColor = 15269887;
    s.sheetParam10 = 1;
    s.sheetParam11 = 10;
    s.sheetSizeA = 1500;
    s.sheetSizeB = 1000;
    s.elements = {
        element(K::Part, {100, 200, 0, 0, 0, 0, 1, 0, 0, 0, 110, 190, 0, 0, 0, 1, 0, 110, 220, 0, 0, 0, 1, 0,
                          1, 2, 3, 1, 77},
                {"*", "LIB", "U1", "74LS00", "6116.bin"}),
        element(K::Part, {400, 200, 0, 1, 1, 0, 2, 0, 0, 1, 410, 190, 0, 0, 0, 1, 0, 410, 220, 0, 0, 0, 1, 1,
                          16777215, 0, 0, 0, 0},
                {"*", "LIB", "U1", "74LS00"}),
        element(K::Wire, {0, 0, 1, 2, 70, 180, 40, 180}),
        element(K::Wire, {0, 0, 1, 2, 70, 190, 40, 190}),
        element(K::Wire, {0, 0, 1, 3, 180, 185, 220, 185, 220, 300}),
        element(K::Bus, {0, 0, 1, 2, 600, 100, 700, 100}),
        element(K::BusEntry, {600, 100, 610, 90, 0, 0, 1}),
        element(K::Junction, {220, 185, 0, 1, 0, 0}),
        element(K::PowerObject, {0, 220, 300, 1, 255, 0}, {"VCC"}),
        element(K::Port, {1, 0, 0, 60, 800, 300, 0, 16777215, 0, 0}, {"DATA"}),
        element(K::NetLabel, {40, 180, 0, 0, 1, 0}, {"A"}),
        element(K::NetLabel, {220, 185, 0, 0, 1, 0}, {"Y"}),
        element(K::SimProbe, {300, 80, 0, 0}, {"(Out) Y"}),
        element(K::SimVector, {300, 60, 0, 0}, {"IC:U1"}),
        element(K::SimStimulus, {300, 100, 0, 0}, {"A 1"}),
        element(K::TextFrame, {500, 900, 700, 800, 0, 1, 16777215, 0, 2, 1, 1, 1, 1, 0, 0}, {"实验说明", "第二行", ""}, 2),
        element(K::Polyline, {1, 0, 255, 0, 3, 10, 990, 20, 970, 40, 950}),
        element(K::Bezier, {1, 0, 0, 4, 0, 1000, 10, 980, 30, 980, 40, 1000}),
        element(K::Arc, {500, 500, 40, 1, 0, 0}, {"0", "90"}),
        element(K::EllipticalArc, {550, 500, 40, 20, 1, 0, 0}, {"0", "180"}),
        element(K::Polygon, {1, 0, 0, 1, 0, 3, 0, 1000, 10, 1000, 5, 990}),
        element(K::Rectangle, {800, 900, 900, 800, 1, 0, 16777215, 0, 1}),
        element(K::RoundRectangle, {800, 700, 900, 600, 5, 5, 1, 0, 0, 0, 0}),
        element(K::Ellipse, {850, 500, 30, 20, 1, 0, 0, 0, 0}),
        element(K::Pie, {850, 400, 30, 1, 0, 0, 1, 0}, {"0", "90"}),
        element(K::Image, {100, 900, 200, 800, 1, 0, 0, 1, 0}, {"board.bmp"}),
        element(K::Label, {300, 700, 0, 0, 2, 0}, {"时钟"}),
        element(K::Line, {10, 980, 30, 960, 1, 0, 0, 0}),
    };
    return s;
}

}  // namespace schematic::fixture
