#pragma once
// The board drawing's description (board.txt): the blocks of the board and
// the chips of each, row by row.
//
//   board WIDTH TITLE|SUBTITLE
//   block TITLE
//     DESIG ...                 one row of the block's chips, left to right
//   note TEXT                   a line under the blocks

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace labdata {

struct BoardBlock {
    std::string title;
    std::vector<std::vector<std::string>> rows;  // designators
};

struct BoardPlan {
    int32_t width = 0;
    std::vector<std::string> titles;  // the title, then its subtitles
    std::vector<BoardBlock> blocks;
    std::vector<std::string> notes;
};

BoardPlan parseBoardPlan(std::string_view text);

}  // namespace labdata
