// Games with a time limit: a main time for each side, then byo-yomi (a fixed
// time for every move once the main time is gone) and an increment added after
// each move. What a clock has left is never stored: it follows from the limit
// and the time each recorded move took, so that stepping through the record
// puts every clock back where it stood.
#pragma once

#include "rules/state.h"

#include <string>

namespace tori {

// The time each side has left at a position: the main time, increments
// included. A side whose main time is gone has 0 and plays in byo-yomi.
double 調査_持ち時間(const GameState& g, bool upper, int 手数);

// A side's clock while it is to move, `elapsed` seconds into its turn.
struct 時計状態 {
    double 表示秒 = 0; // what the clock shows: main time left, or byo-yomi left
    bool 秒読み = false; // the main time is gone: the clock counts the byo-yomi down
    double 残り秒 = 0; // until the side loses on time
    bool 切れ = false; // the side has lost on time
};
時計状態 調査_時計(const 持ち時間設定& limit, double bank, double elapsed);

// The main time left after a move of `seconds` begun with `bank` left, the
// increment added.
double 着手後持ち時間(const 持ち時間設定& limit, double bank, double seconds);

// Why the choice cannot be used, or empty when it can: every value in its
// range, and some time for the first move.
std::string 検査_持ち時間(const 持ち時間設定& limit);

} // namespace tori
