// Positions as FEN strings, in the form other Tori Shogi programs read and
// write:
//
//   rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w 0 1
//
// The board from row 1 (the top) to row 7, each row from column 1 (the left)
// to column 7, digits for runs of empty squares; the lower side's pieces in
// upper case, the upper side's in lower case: K 鵬, F 鷹, +F 鷹成, C 鶴, P 雉,
// L 左鶉, R 右鶉, S 燕, +S 鴈. Then both hands in brackets, the lower side's
// letters first ("-" when both are empty), "w" when the lower side is to move
// or "b" when the upper side is, and "0 1". The reader also takes the form
// "[] w - - 0 1".
#pragma once

#include "rules/state.h"

#include <array>
#include <string>

namespace tori {

// A position as a FEN string holds it: no record, no clock.
struct FEN局面 {
    盤配列<int> 盤 {};
    std::array<int, 7> 持駒_MAN {}; // the lower side's hand, slots 1..6
    std::array<int, 7> 持駒_COM {};
    bool 上手番 = false; // the upper side is to move
    bool operator==(const FEN局面&) const = default;
};

// The side to move in the position on the board, true for the upper side: the
// running game's turn; else the side after the recorded moves up to the one
// shown (after stepping back, or in a loaded record); else the side a FEN
// string gave; else the lower side.
bool 調査_上手番(const GameState& g);

// The position on the board as a FEN string.
std::string 書込_FEN(const GameState& g);

// Reads a FEN string (spaces and line ends around it are ignored). Returns
// false, leaving `out` as it was, when the text is no position of the game,
// with one sentence for the player in `reason` that says what is wrong.
bool 読込_FEN(const std::string& text, FEN局面& out, std::string& reason);

// Puts a position read from FEN on the board and in the hands, with the hand
// totals, the phoenix squares and the two-swallow flags to match, and notes
// its side to move in FEN手番. Nothing else of the state changes.
void 設定_FEN局面(GameState& g, const FEN局面& position);

} // namespace tori
