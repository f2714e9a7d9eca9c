// Stepping through the move record on the game state.
//
// A record entry holds everything it takes to play the move again or take it
// back: the from-square (a hand pseudo-square for a drop), the target, the
// code before and after the move and the code it captured. These procedures
// change the board, both hands with their totals and the phoenix squares; they
// draw nothing and leave 記録手数, 手数, the turn and the clocks to the caller.
#pragma once

#include "rules/state.h"

namespace tori {

// Plays record entry n: the piece leaves its square (or its owner's hand),
// 棋譜_成駒 stands on the target, and a captured piece goes into the capturer's
// hand (a captured phoenix counts in the total only, as 駒移動 counts it).
void 再生_棋譜手(GameState& g, int n);

// Takes back record entry n: the exact reverse of 再生_棋譜手.
void 取消_棋譜手(GameState& g, int n);

// Copies record entry n (squares, codes and the four times) from one state to another.
void 複写_棋譜手(GameState& to, const GameState& from, int n);

// The code a piece becomes when it promotes (燕 → 鴈, 鷹 → 鷹成, either side);
// any other code stays as it is.
int 成駒コード(int code);

// Finds both phoenixes on the board again. Stepping, reversing and editing move
// them without 駒移動; a phoenix that is not on the board keeps its old square.
void 鵬位置更新(GameState& g);

} // namespace tori
