// Move legality, move execution, capture, promotion and the two-swallow rule.
#pragma once

#include "rules/state.h"

namespace tori {

// 1 when 駒 may go from (元列, 元段) to (先列, 先段) in the current position,
// else 0. A from-column of 9 or -1 is a drop from the lower or upper hand. The
// test is geometric plus the drop rules; leaving one's phoenix attacked is not
// forbidden. It trusts 駒: it neither compares it with the board nor checks the
// hand.
int 移動チェック(const GameState& g, int 元列, int 元段, int 先列, int 先段, int 駒);
// Diagonal slide: 1 when the move is diagonal and every square strictly between is empty.
int 移動チェック角(const GameState& g, int 元列, int 元段, int 先列, int 先段);
// Straight slide: 1 when the move keeps its column or its row and the squares between are empty.
int 移動チェック飛車(const GameState& g, int 元列, int 元段, int 先列, int 先段);
// The quails' straight slide: the same test as 移動チェック飛車.
int 移動チェック右鶉(const GameState& g, int 元列, int 元段, int 先列, int 先段);

// True when the record already holds 最大手数 moves and no further move fits.
inline bool 棋譜満杯(const GameState& g) { return g.記録手数 >= 最大手数; }

// Appends a move to the record while the captured piece still stands on the
// target. Returns false, changing nothing, when the record is full: callers ask
// before they touch the board, so a refused move leaves everything as it was.
bool 手順保存(GameState& g, int 元列, int 元段, int 先列, int 先段, int 駒, int 成駒値,
    double 時間1, double 時間2, double 時間3, double 時間4);

// 1 when the move may promote, with the promoted code left in 成駒; else 0.
// The zone is the opponent's two last rows; a falcon promotes on entering,
// leaving or moving inside it, a swallow on entering; drops never promote.
int 調査_駒成(GameState& g, int 元列, int 元段, int 先列, int 先段, int 駒);
// 0 when 駒 may not stay unpromoted on 先段 (a swallow on its last row), else 1.
int 移動後チェック(int 先段, int 駒);
// Carries out a move: a capture goes to the capturer's hand (or decides the
// game for a phoenix), 駒 (already promoted when the move promotes) stands on
// the target and leaves its origin square or hand. The view redraws the
// squares and hands involved.
void 駒移動(
    GameState& g, int 元列, int 元段, int 先列, int 先段, int 駒, BoardView* view = nullptr);
// Puts a captured code into the hand of the side opposite to it, unpromoted;
// a captured phoenix makes the capturer the winner.
void 駒取得(GameState& g, int 取駒);
// Recomputes both sides' two-swallow flags from the board (geese do not count).
void 調査_2燕フラグ設定(GameState& g);
// Number of squares of column 列 that hold exactly 駒.
int 調査_列駒数(const GameState& g, int 駒, int 列);

} // namespace tori
