// The moves of a position as the game's own rule procedures allow them:
// 移動チェック for every piece and square, 調査_駒成 and 移動後チェック for the
// promotion choices, the drops after 調査_2燕フラグ設定. The searching opponent's
// generator is checked against this one.
#pragma once

#include "rules/state.h"
#include "search/position.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tori::testing {

// One move in the game's terms: from-square (a drop is (-1, slot) for the
// upper side, (9, slot + 1) for the lower), destination, and the code that
// stands on the destination afterwards.
using GameMove = std::array<int, 5>;

// Every move of `side` (search::Upper or search::Lower) in g, sorted.
std::vector<GameMove> referenceMoves(GameState& g, int side);

// A move of the searching generator in the game's terms, as the computer's
// turn plays it (search::ゲーム着手).
GameMove gameMove(const search::Position& p, search::Move m);

// The searching generator's moves of a position, in the same terms, sorted.
std::vector<GameMove> generatedMoves(const search::Position& p);

// What referenceUndo needs: the code that stood on the destination and the
// code that stood on the origin (0 for a drop).
struct Taken {
    int captured = 0, moved = 0;
};
// Carries out a move with 駒移動 on g.
Taken referenceMake(GameState& g, const GameMove& m);
void referenceUndo(GameState& g, const GameMove& m, const Taken& t);

// Move-path counts with the rule procedures: a move that takes a phoenix
// ends the game, so nothing follows it.
std::uint64_t referencePerft(GameState& g, int side, int depth);
// The same with the searching generator.
std::uint64_t perft(search::Position& p, int depth);

} // namespace tori::testing
