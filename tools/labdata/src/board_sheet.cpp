#include "board_sheet.h"

#include <algorithm>

#include "schgen/sheet_draft.h"
#include "sim/ic_type.h"
#include "sim/pin_table.h"

namespace labdata {
namespace {

bool inside(const FramePlan& f, const IcPlan& ic) {
    return ic.x >= f.x1 && ic.x <= f.x2 && ic.y >= f.y1 && ic.y <= f.y2;
}

}  // namespace

schematic::SchSheet boardSheet(const CircuitPlan& plan) {
    constexpr int32_t kWidth = 1800, kMargin = 40, kChipPitch = 130, kRowGap = 70;
    // Lay the blocks out as a board would: each block's chips side by side
    // under its title, blocks flowing left to right and row by row.
    struct Placed {
        const IcPlan* ic;
        int32_t x, y;
    };
    struct Block {
        std::string title;
        std::vector<const IcPlan*> ics;
        int32_t x = 0, y = 0, width = 0, height = 0;
    };
    std::vector<Block> blocks;
    for (const FramePlan& f : plan.frames) {
        Block b{f.title, {}};
        for (const IcPlan& ic : plan.ics)
            if (inside(f, ic)) b.ics.push_back(&ic);
        if (b.ics.empty()) continue;
        int32_t tallest = 0;
        for (const IcPlan* ic : b.ics)
            tallest = std::max(tallest, 10 * (sim::pinTable(sim::icTypeFromName(ic->type)).pinCount / 2 + 1));
        b.width = kChipPitch * static_cast<int32_t>(b.ics.size()) + 30;
        b.height = tallest + 110;
        blocks.push_back(std::move(b));
    }
    int32_t x = kMargin, y = kMargin + 60, rowHeight = 0;
    for (Block& b : blocks) {
        if (x + b.width > kWidth - kMargin && x > kMargin) {
            x = kMargin;
            y += rowHeight + kRowGap;
            rowHeight = 0;
        }
        b.x = x;
        b.y = y;
        x += b.width + kRowGap;
        rowHeight = std::max(rowHeight, b.height);
    }
    const int32_t height = y + rowHeight + 250;

    schgen::SheetDraft d(kWidth, height);
    const int32_t titleFont = d.font(20, "宋体", true);
    const int32_t blockFont = d.font(14, "宋体", true);
    d.label(kMargin, kMargin + 20, "计算机组成原理实验箱（联机运行线路+存储器扩展线路）", titleFont);
    for (const Block& b : blocks) {
        d.rectangle(b.x, b.y, b.x + b.width, b.y + b.height);
        d.label(b.x + 10, b.y + 24, b.title, blockFont);
        int32_t cx = b.x + 45;
        for (const IcPlan* ic : b.ics) {
            d.dip(ic->designator, ic->type, cx, b.y + 60);
            cx += kChipPitch;
        }
    }
    // The console strip: switches and lamps are the circuit window's console
    // and probe list; the board shows where they sit.
    const int32_t sy = height - 200;
    d.rectangle(kMargin, sy, kWidth - kMargin, height - kMargin);
    d.label(kMargin + 10, sy + 24, "操作台", blockFont);
    const std::vector<std::string> switches = {"SW7", "SW6", "SW5", "SW4", "SW3", "SW2", "SW1", "SW0"};
    for (std::size_t k = 0; k < switches.size(); ++k) {
        const auto sx = static_cast<int32_t>(kMargin + 30 + 50 * k);
        d.rectangle(sx, sy + 50, sx + 24, sy + 90);
        d.rectangle(sx + 6, sy + 56, sx + 18, sy + 70);
        d.label(sx, sy + 110, switches[k]);
    }
    d.label(kMargin + 30, sy + 135, "数据开关", schgen::SheetDraft::kSongFont);
    const std::vector<std::string> keys = {"CLK 脉冲", "CLK 跳变", "RST 复位"};
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const auto kx = static_cast<int32_t>(kMargin + 480 + 120 * k);
        d.rectangle(kx, sy + 50, kx + 80, sy + 90);
        d.label(kx + 8, sy + 75, keys[k], schgen::SheetDraft::kSongFont);
    }
    d.label(kMargin + 480, sy + 135, "单步、脉冲与复位按键", schgen::SheetDraft::kSongFont);
    for (int k = 0; k < 8; ++k) {
        const int32_t lx = kMargin + 900 + 50 * k;
        d.rectangle(lx, sy + 55, lx + 20, sy + 75);
        d.label(lx, sy + 110, "DB" + std::to_string(7 - k));
    }
    d.label(kMargin + 900, sy + 135, "总线指示灯", schgen::SheetDraft::kSongFont);
    d.label(kMargin + 1350, sy + 75, "电源 +5V / GND", schgen::SheetDraft::kSongFont);
    return d.sheet();
}

}  // namespace labdata
