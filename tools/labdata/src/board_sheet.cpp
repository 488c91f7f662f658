#include "board_sheet.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "schgen/sheet_draft.h"
#include "sim/ic_type.h"
#include "sim/pin_table.h"

namespace labdata {
namespace {

// The circuit window shows the board in a narrow band at about a third of
// its size: titles and designators large enough to be read there.
constexpr int32_t kBoardTitleSize = 46, kSubtitleSize = 30, kBlockTitleSize = 36, kDesignatorSize = 30;
constexpr int32_t kLineSpacing = kSubtitleSize + 14;  // between the lines of the subtitles and of the notes
constexpr int32_t kBoardMargin = 30;
constexpr int32_t kChipPitch = 140;       // from one chip's left edge to the next one's
constexpr int32_t kChipInset = 50;        // the first chip's left edge from its block's
constexpr int32_t kPackageWidth = 70;     // a package's body and its right-hand leads
constexpr int32_t kBlockHead = 65;        // the block's title above its first row
constexpr int32_t kDesignatorRoom = 40;   // above each chip
constexpr int32_t kRowGap = 25;
constexpr int32_t kBlockGap = 25;

int32_t packageHeight(const std::string& type) { return 10 * (sim::pinTable(sim::icTypeFromName(type)).pinCount / 2 + 1); }

// Each chip's type, from the circuit; every chip of the circuit once on the board.
std::map<std::string, std::string> chipTypes(const BoardPlan& board, const CircuitPlan& circuit) {
    std::map<std::string, std::string> types, placed;
    for (const IcPlan& ic : circuit.ics) types[ic.designator] = ic.type;
    for (const BoardBlock& b : board.blocks) {
        for (const std::vector<std::string>& row : b.rows) {
            for (const std::string& designator : row) {
                const auto type = types.find(designator);
                if (type == types.end()) throw std::runtime_error("board.txt: the circuit has no " + designator);
                if (!placed.insert(*type).second) throw std::runtime_error("board.txt: " + designator + " stands twice");
                if (kChipInset + static_cast<int32_t>(row.size() - 1) * kChipPitch + kPackageWidth > board.width - 2 * kBoardMargin)
                    throw std::runtime_error("board.txt: the row of " + designator + " is wider than the board");
            }
        }
    }
    for (const auto& [designator, type] : types)
        if (!placed.count(designator)) throw std::runtime_error("board.txt: " + designator + " is not on the board");
    return placed;
}

}  // namespace

schematic::SchSheet boardSheet(const BoardPlan& board, const CircuitPlan& circuit) {
    const std::map<std::string, std::string> types = chipTypes(board, circuit);
    const int32_t blockWidth = board.width - 2 * kBoardMargin;

    // The blocks one under another, each as tall as its rows of chips.
    std::vector<int32_t> tops;
    int32_t y = kBoardMargin + kBoardTitleSize + kLineSpacing * static_cast<int32_t>(board.titles.size() - 1) + 30;
    for (const BoardBlock& b : board.blocks) {
        tops.push_back(y);
        y += kBlockHead;
        for (const std::vector<std::string>& row : b.rows) {
            int32_t tallest = 0;
            for (const std::string& designator : row) tallest = std::max(tallest, packageHeight(types.at(designator)));
            y += kDesignatorRoom + tallest + kRowGap;
        }
        y += kBlockGap;
    }
    tops.push_back(y - kBlockGap);
    const int32_t notesTop = y + 10;
    const int32_t height = notesTop + kLineSpacing * static_cast<int32_t>(board.notes.size()) + kBoardMargin;

    schgen::SheetDraft d(board.width, height);
    const int32_t titleFont = d.font(kBoardTitleSize, "宋体", true);
    const int32_t subtitleFont = d.font(kSubtitleSize, "宋体", false);
    const int32_t blockFont = d.font(kBlockTitleSize, "宋体", true);
    const int32_t designatorFont = d.font(kDesignatorSize, "Arial", true);
    int32_t line = kBoardMargin + kBoardTitleSize;
    for (std::size_t k = 0; k < board.titles.size(); ++k) {
        d.label(kBoardMargin, line, board.titles[k], k == 0 ? titleFont : subtitleFont);
        line += kLineSpacing;
    }
    for (std::size_t k = 0; k < board.blocks.size(); ++k) {
        const BoardBlock& b = board.blocks[k];
        d.rectangle(kBoardMargin, tops[k], kBoardMargin + blockWidth, tops[k + 1] - kBlockGap);
        d.label(kBoardMargin + 12, tops[k] + kBlockTitleSize + 12, b.title, blockFont);
        int32_t rowTop = tops[k] + kBlockHead;
        for (const std::vector<std::string>& row : b.rows) {
            int32_t x = kBoardMargin + kChipInset, tallest = 0;
            for (const std::string& designator : row) {
                d.dip(designator, types.at(designator), x, rowTop + kDesignatorRoom, designatorFont);
                tallest = std::max(tallest, packageHeight(types.at(designator)));
                x += kChipPitch;
            }
            rowTop += kDesignatorRoom + tallest + kRowGap;
        }
    }
    for (std::size_t k = 0; k < board.notes.size(); ++k)
        d.label(kBoardMargin, notesTop + kLineSpacing * static_cast<int32_t>(k + 1), board.notes[k], subtitleFont);
    return d.sheet();
}

}  // namespace labdata
