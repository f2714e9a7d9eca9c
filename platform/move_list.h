// 棋譜一覧, the list of recorded moves beside the board.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tori {

// One line of the list: the start position (number 0) or one recorded move.
struct MoveListEntry {
    MoveListEntry(
        int number = 0, std::string text = {}, std::string evaluation = {}, std::string mark = {})
        : number(number)
        , text(std::move(text))
        , evaluation(std::move(evaluation))
        , mark(std::move(mark))
    {
    }
    int number = 0;
    std::string text; // "▲７三燕", or the start position's caption
    std::string evaluation; // after the move, from an analysis: "+152", "-詰3"
    std::string mark; // the analysis' mark of the move: "", 疑問手, 悪手, 大悪手
    bool operator==(const MoveListEntry&) const = default;
};

// The list shows the start position and every recorded move, one entry each,
// and marks the entry of the position on the board; the entries after it are
// moves taken back, shown greyed. A click on an entry reaches the game through
// the window (List1_Click with the entry's index).
class MoveList {
public:
    virtual ~MoveList() = default;
    virtual void setShown(bool on) = 0;
    // entries[0] is the start position; current indexes the entry shown on the board.
    virtual void setEntries(const std::vector<MoveListEntry>& entries, int current) = 0;
};

} // namespace tori
