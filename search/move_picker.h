// The order in which a node of the search tries its moves, handed out stage
// by stage so that a node that is cut off early never generates or scores the
// moves it did not reach: in the middle game most of a node's moves are drops,
// and most cut nodes end on the table's move, a capture or a killer.
//
// The full-width search: the table's move (before anything is generated),
// the captures and promotions that do not lose in the exchange on their
// square (the dearest victim first), the two killers, the other moves and
// drops by their history, and the losing captures last.
// Quiescence: its captures and promotions the same way, or, with its phoenix
// attacked, only the answers to the attack.
#pragma once

#include "search/position.h"

#include <cstdint>
#include <limits>

namespace tori::search {

// Pieces numbered 0..19 for the history tables.
constexpr int pieceIndex(int piece) { return sideOf(piece) * KindCount + kindOf(piece); }
// A piece arriving on a square, as the continuation history numbers it:
// 0 .. ContinuationSize - 1.
inline constexpr int ContinuationSize = 2 * KindCount * SquareCount;
// The material of a kind to the static exchange: on the board and in hand.
const int* exchangeValues();

// What the side to move learned about its quiet moves: history by origin (or
// SquareCount + hand slot for a drop) and destination, and the history after
// the last two moves by the piece arriving and its destination (tables of
// zeros when there is none).
struct QuietHistory {
    const int (*byFromTo)[SquareCount] = nullptr;
    const std::int16_t* follow1 = nullptr;
    const std::int16_t* follow2 = nullptr;
};

// Hands out the moves of a list in the order of their scores, the first of
// equal scores first, one call of next() for each place from 0 on. A long
// list is cut into blocks of 16 places whose highest score is kept, so that
// a pick looks at the blocks, one block, and then mends the two blocks the
// exchange changed. A place already handed out holds the lowest score.
class ScoredPicker {
public:
    void reset(Move* moves, int* scores, int count)
    {
        moves_ = moves;
        scores_ = scores;
        count_ = count;
        blocks_ = 0;
    }
    int size() const { return count_; }
    Move next(int i);

private:
    static constexpr int BlockSize = 16;
    static constexpr int LongList = 48;
    static constexpr int Taken = std::numeric_limits<int>::min();

    void mend(int b);

    Move* moves_ = nullptr;
    int* scores_ = nullptr;
    int count_ = 0;
    int blocks_ = 0;
    int top_[(MoveList::Capacity + BlockSize - 1) / BlockSize];
};

class MovePicker {
public:
    // A node of the full-width search. The table's move and the killers may
    // come from another position: each is tried only when the position
    // accepts it as one of its moves.
    MovePicker(
        const Position& p, Move tableMove, const Move killers[2], const QuietHistory& history);
    // A node of quiescence.
    MovePicker(const Position& p, const QuietHistory& history, bool evading);

    // The next move, NoMove once every move has been handed out.
    Move next();
    // True when the move handed out last is a capture or promotion known not
    // to lose material in the exchange on its square.
    bool lastWasGoodCapture() const { return stage_ == Stage::GoodCaptures; }
    // The quiet moves still to come are handed out as they were generated,
    // unscored: the search passes over all but those that attack the enemy
    // phoenix whatever their order.
    void leaveQuietsUnsorted() { quietsUnsorted_ = true; }

private:
    enum class Stage {
        TableMove,
        GenerateCaptures,
        GoodCaptures,
        FirstKiller,
        SecondKiller,
        GenerateQuiets,
        Quiets,
        BadCaptures,
        GenerateEvasions,
        Evasions,
        Done
    };

    // A killer that is a quiet move here and not tried yet.
    bool usableKiller(Move m) const;
    void scoreCaptures(int first, int last);
    void scoreQuiets(int first, int last);

    const Position& pos_;
    QuietHistory history_;
    Stage stage_;
    bool quiescence_ = false;
    bool quietsUnsorted_ = false;
    Move tableMove_ = NoMove;
    Move killers_[2] = { NoMove, NoMove };
    int current_ = 0; // the next place among the captures
    int capturesEnd_ = 0;
    int badEnd_ = 0; // losing captures are kept in places 0 .. badEnd_ - 1
    int quietPlace_ = 0;
    MoveList list_;
    int scores_[MoveList::Capacity];
    ScoredPicker quiets_;
};

} // namespace tori::search
