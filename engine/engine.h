// The computer opponent's tables over one game state: the influence survey,
// the pins, and what the search keeps of the position before its move; and
// the procedures that fill and read them.
//
// Scores are counted in tenths: every term of the evaluation is a whole number
// or a multiple of 0.1, and counting tenths keeps equal sums equal, so the
// first of several equally good moves is really the one played.
#pragma once

#include "rules/state.h"

namespace tori {

struct EngineState {
    // Influence survey, recomputed from the board by every 勢力調査.
    盤配列<int> MAN勢力 {}, COM勢力 {};
    盤配列<int> MAN守駒 {}, COM守駒 {};
    盤配列<int> COM守駒_列 {}, COM守駒_段 {}; // never cleared by a survey
    盤配列<int> MAN攻駒 {}, MAN攻駒_列 {}, MAN攻駒_段 {};
    盤配列<int> COM攻駒 {}, COM攻駒_列 {}, COM攻駒_段 {}; // squares never cleared by a survey
    盤配列<int> MAN王手 {}, COM王手 {};

    // Pins against a phoenix by a quail, found once per computer turn.
    盤配列<int> 移動不可駒_MAN {};
    int 移動不可駒フラグ_COM = 0;

    // The search.
    int 試行駒 = 0;
    int 鵬距離 = 0;
    int 最高評価 = 0; // tenths
    盤配列<int> 盤_前 {}, MAN勢力_前 {}, COM勢力_前 {}, COM攻駒_列_前 {}, COM攻駒_段_前 {};
};

// Score values with a fixed meaning, in tenths.
inline constexpr int 評価_鵬取り = 99990; // the move takes the lower phoenix
inline constexpr int 評価_詰め = 99980; // the move mates the lower side
inline constexpr int 評価_危険 = -99980; // the upper phoenix is left attacked, or a swallow mates
inline constexpr int 評価_初期値 = -999990; // below every score: where each search starts

// --- Influence survey -------------------------------------------------------
// 自 is the lower side (MAN), 敵 the upper side (COM). The survey resets the
// counts, the check maps, the defender and attacker codes and MAN攻駒's squares;
// the squares of COM守駒 and COM攻駒 keep whatever an earlier survey wrote, and
// the evaluation reads them as they are. Also sets both phoenix squares from the
// board (a phoenix that is not on the board keeps its old square).
void 勢力調査(GameState& g, EngineState& e);
// The reach of one step piece (every kind but the eagle and the quails, whose
// ranging lines are surveyed by the slides). Each target square is emptied for
// its one move check, so squares of the piece's own side count as defended.
void 勢力確定自駒(GameState& g, EngineState& e, int 駒, int 列, int 段);
void 勢力確定敵駒(GameState& g, EngineState& e, int 駒, int 列, int 段);
// Straight slides toward row 1 and row 7; the sign of 駒 picks the side.
void 勢力確定上直進(const GameState& g, EngineState& e, int 駒, int 列, int 段);
void 勢力確定下直進(const GameState& g, EngineState& e, int 駒, int 列, int 段);
// Diagonal slides (左 column 1, 上 row 1). A slide runs through the opposing
// phoenix, so the square behind it is attacked too.
void 勢力確定自_左上(const GameState& g, EngineState& e, int 駒, int 列, int 段);
void 勢力確定自_左下(const GameState& g, EngineState& e, int 駒, int 列, int 段);
void 勢力確定自_右上(const GameState& g, EngineState& e, int 駒, int 列, int 段);
void 勢力確定自_右下(const GameState& g, EngineState& e, int 駒, int 列, int 段);
void 勢力確定敵_左上(const GameState& g, EngineState& e, int 駒, int 列, int 段);
void 勢力確定敵_左下(const GameState& g, EngineState& e, int 駒, int 列, int 段);
void 勢力確定敵_右上(const GameState& g, EngineState& e, int 駒, int 列, int 段);
void 勢力確定敵_右下(const GameState& g, EngineState& e, int 駒, int 列, int 段);

// --- Mate tests ---------------------------------------------------------------
// The game's own approximation of mate, read from a survey of the current
// position: 1 when the side is in check and neither a drop, a flight nor a
// move of another piece defends. Both leave the board as they found it.
// 詰めかMAN leaves the tables alone; 詰めかCOM re-surveys every trial position,
// so afterwards the tables describe the last position it tried.
int 詰めかMAN(GameState& g, const EngineState& e);
int 詰めかCOM(GameState& g, EngineState& e);
// 1 when some upper piece may move onto the lower phoenix's square.
int 詰めかMAN_COM移動(const GameState& g);

// --- Pins -------------------------------------------------------------------
// Marks in 移動不可駒_MAN every lower piece whose removal would let an upper
// quail reach the lower phoenix, and sets 移動不可駒フラグ_COM when some upper
// piece is held the same way by a lower quail. Other sliders do not pin here.
void 調査_移動不可駒(GameState& g, EngineState& e);

// --- Evaluation ---------------------------------------------------------------
// What the computer keeps of the position before its move: the board, the
// two-swallow flags, a survey, the pins, and copies of the tables its
// evaluation compares the trial positions with.
void 着手前局面(GameState& g, EngineState& e);

// One trial of the computer's search: the upper piece on (元列, 元段) (a drop:
// (-1, slot)) stands as 置駒 on (先列, 先段) while the position is surveyed and
// scored by 盤評価; the board is put back before it returns. Sets 試行駒, and
// 鵬距離 for a board move (a drop keeps the last board move's distance).
int 試行手評価(GameState& g, EngineState& e, int 元列, int 元段, int 先列, int 先段, int 置駒);

// The score, in tenths, of the trial position after one computer move from
// (元列, 元段) (-1 and the hand slot for a drop) to (先列, 先段): 取駒 is what
// stood on the target, 成駒値 what stands there now. Needs a survey of this very
// position and the copies that com_ban takes of the position before the move.
// レベル 1 scores the first stage only, 2 the first two, 3 all three.
int 盤評価(GameState& g, const EngineState& e, int 取駒, int 成駒値, int 元列, int 元段, int 先列,
    int 先段);
// Fork term, in tenths: 0.1 for each lower piece that the piece on the square
// could take unpunished (an undefended one, or the phoenix), plus the cheapest
// one's value when there are two or more. Nothing when the square is attacked.
int 盤評価_COM危険座標(const GameState& g, const EngineState& e, int 駒, int 列, int 段);
// Squares the piece on (列, 段) may move to that no opposing piece reaches.
int 調査_移動可場所数(const GameState& g, const EngineState& e, int 列, int 段, int 駒);
// Minus the number of neighbours holding an upper quail or the upper phoenix.
int 調査_周辺状況(const GameState& g, int 列, int 段);

} // namespace tori
