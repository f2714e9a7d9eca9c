// The searching opponent as the computer's turn uses it: the limits of levels
// 4 and 5, the keys of the game's earlier positions taken from the move
// record, and the best move of the upper side in the game's own terms.
#pragma once

#include "rules/state.h"
#include "search/search.h"
#include "search/threads.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <string>

namespace tori::search {

// Level 4 thinks at most 0.3 s a move, level 5 at most 2 s. An iteration is
// not started once most of the time is gone, since it would not finish.
Limits levelLimits(int level);

// The keys of the positions before each record entry 1..記録手数, oldest
// first, found by taking the entries back on a copy of the state. Returns how
// many were written (at most capacity, the latest ones).
int recordKeys(const GameState& g, std::uint64_t* keys, int capacity);

// A move as the computer's turn plays it: from-square ((-1, slot) for a drop),
// target, the code before the move and the code standing on the target after it.
struct 探索結果 {
    bool ある = false;
    int 元列 = 0, 元段 = 0, 先列 = 0, 先段 = 0, 駒 = 0, 成駒 = 0;
    Result 詳細;
};

// Searches the game state's position with the upper side to move, repeated
// positions of the record scoring 0.
探索結果 探索_最善手(
    SearchPool& searcher, const GameState& g, const Limits& limits, Listener* listener = nullptr);

// The move in the game's terms, for the upper side (slot drops from column -1)
// or the lower side (from column 9, row slot + 1).
探索結果 ゲーム着手(const Position& p, Move m);

// A position line of tori-engine's protocol: the word "position" and 61
// numbers, the board row by row, the upper hand's slots 1..6 and the lower
// hand's. tori-engine shows its position so and the match tool writes its
// positions so; tori-engine, the bench and the tuner read them back.
inline constexpr int 局面行数 = 61;

// "position" and the 61 numbers of the board and hands of g.
std::string 書出_局面行(const GameState& g);

// Puts the 61 numbers of a position line into the board and hands of g, with
// the hands' totals.
void 設定_局面行(GameState& g, const int* numbers);

// Reads the 61 numbers after the word "position" into g, as 設定_局面行 puts
// them. False when fewer follow.
bool 読込_局面行(std::istream& words, GameState& g);

// Reads every line of a file that starts with "position" (the bench's corpus,
// the match tool's positions) and hands `take` the position and the words
// after its numbers. False when the file cannot be read, a line has too few
// numbers, or `take` refuses a line.
bool 読込_局面ファイル(
    const std::string& path, const std::function<bool(GameState&, std::istream& rest)>& take);

} // namespace tori::search
