// The two moves that the window and the headless driver share: a person's move
// in a game against the computer, and the computer's turn. Drawing, sound and
// clock steps are left to hooks, so the driver runs them bare.
#pragma once

#include "engine/engine.h"
#include "rules/state.h"
#include "search/search.h"
#include "search/threads.h"

namespace tori {

// Steps of a move that happen on screen or on the clock. Every hook does
// nothing by default.
class TurnHooks {
public:
    virtual ~TurnHooks() = default;
    // Redraws squares and hands as the move is carried out; null for none.
    virtual BoardView* view() { return nullptr; }
    // The computer's search calls this once per origin column and hand slot at
    // levels 1-3, and about every 50 ms of thinking at levels 4 and 5.
    virtual void Timer1_Timer() { }
    // Levels 4 and 5: one more depth of the search is done.
    virtual void 探索経過(const search::Iteration& /*it*/) { }
    // The turn ends: the clock takes a fresh sample of 手番経過秒 now, so that
    // the move books exactly its own turn's time.
    virtual void 手番終了() { }
    // 手数 has just grown.
    virtual void 描画_手数() { }
    // The computer is about to move the piece at (col, row) (a hand cell for a drop).
    virtual void 描画_駒点滅(int /*code*/, int /*col*/, int /*row*/) { }
    // A person's move is recorded and about to be carried out: clear the highlights.
    virtual void 着手前() { }
    // The piece has been placed: play its sound (the computer also stops the clock here).
    virtual void 着手音() { }
    // Asked after each Timer1_Timer: true when the program is ending while the
    // computer thinks. The search then stops at once and the turn makes no move.
    virtual bool 思考中断() { return false; }
};

enum class 着手拒否 {
    なし,
    反則, // the move is not allowed
    終局, // the game already has a winner
    満杯, // the record holds 500 moves
    指手なし, // the computer has no legal move
    中断, // the computer's thinking was stopped (the program is ending)
};

// The record times of one move: each side's used time before and after it.
struct 記録時間 {
    double MAN前, MAN後, COM前, COM後;
};

// What every move a person enters with the mouse does once it is allowed:
// records it with the times given (棋譜_成駒 := 成駒値), counts it, clears the
// highlights, carries it out with 成駒値 standing on the target and plays its
// sound, through the hooks. A drop from the upper hand is entered as the
// pressed row (-1, 7 - slot): the record keeps that row, the hand gives the
// slot. Returns the code that stood on the target.
int 着手記録実行(GameState& g, int 元列, int 元段, int 先列, int 先段, int 駒, int 成駒値,
    const 記録時間& 時間, TurnHooks* hooks);

struct 人間着手結果 {
    着手拒否 拒否 = 着手拒否::なし;
    int 取駒 = 0; // code that stood on the target
    int 詰め = 0; // 詰めかCOM after the move
};

// A lower-side move in a game against the computer, as the mouse enters it:
// (元列, 元段) a board square or (9, slot + 1); 成駒値 the code that stands on
// the target afterwards (the promoted code when the player asked for it).
// Checks it, records it, carries it out, books the lower side's time, surveys
// and asks 詰めかCOM. A mate or a captured upper phoenix makes the lower side
// the winner; otherwise the turn passes to the computer (手番 := COM手番).
人間着手結果 MAN着手(GameState& g, EngineState& e, int 元列, int 元段, int 先列, int 先段,
    int 成駒値, TurnHooks* hooks = nullptr);

struct COM着手結果 {
    着手拒否 拒否 = 着手拒否::なし;
    int 元列 = 0, 元段 = 0, 先列 = 0, 先段 = 0; // a drop: (-1, slot)
    int 駒 = 0; // code before the move
    int 成駒 = 0; // code standing on the target afterwards
    int 評価 = 0; // the best score, in tenths
    int 詰め = 0; // 詰めかMAN after the move (0 when the move took the phoenix)
};

// The computer's turn without its caption, messages and clock hand-over:
// searches every move and drop, records and plays the best one, surveys the
// new position and asks 詰めかMAN. Does nothing when the game has a winner or
// the record is full, and makes no move when the game was decided while it
// thought (its clock ran out in a hook). At levels 1-3 the search looks one move ahead; at
// levels 4 and 5 it is the game-tree search, within the level's time or
// within 制限 when one is given.
COM着手結果 com_ban(
    GameState& g, EngineState& e, TurnHooks* hooks = nullptr, const search::Limits* 制限 = nullptr);

// The game-tree search of levels 4 and 5. Its table is allocated once, on the
// first use, and what it learns is kept from move to move; clear() forgets it.
search::SearchPool& 深読み探索器();

// The threads the game-tree search thinks on: 0 (the default) by the level,
// level 5 on every core (at most 8) and level 4 on one; otherwise n.
void 深読みスレッド数設定(int n);
// The threads the search of the level thinks on under that setting.
int 深読みスレッド数(int level);

} // namespace tori
