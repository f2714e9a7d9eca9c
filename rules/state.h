// The one game state of ZR 鳥将棋: board, hands, turn, record and clock values.
//
// Every procedure of the game reads and writes these values directly; there is
// no other copy of the position. Pieces are small signed integers: positive for
// the upper side (COM, rows 1-3 at the start, moving down), negative for the
// lower side (MAN, rows 5-7, moving up), 0 for an empty square. The magnitude
// names the kind and doubles as its material value.
#pragma once

#include "platform/board_view.h"
#include "platform/palette.h"

#include <array>

namespace tori {

// Piece codes of the upper side; the lower side uses the negative.
inline constexpr int 空 = 0;
inline constexpr int 燕 = 10; // swallow, promotes to 鴈
inline constexpr int 鴈 = 11; // goose
inline constexpr int 雉 = 30; // pheasant
inline constexpr int 鷹 = 100; // falcon, promotes to 鷹成
inline constexpr int 鷹成 = 101; // eagle
inline constexpr int 鶴 = 110; // crane
inline constexpr int 左鶉 = 800; // left quail
inline constexpr int 右鶉 = 900; // right quail
inline constexpr int 鵬 = 950; // phoenix: its capture ends the game

inline constexpr int 人間対局 = 0; // two people at one screen
inline constexpr int COM対局 = 1; // a person against the computer

// Hand pseudo-columns: a from-square (9, slot + 1) takes from the lower hand,
// (-1, slot) from the upper hand.
inline constexpr int MAN持駒列 = 9;
inline constexpr int COM持駒列 = -1;

inline constexpr int 最大手数 = 500; // the move record holds moves 1..500

inline constexpr bool 上手駒(int code) { return code >= 10; }
inline constexpr bool 下手駒(int code) { return code <= -10; }
inline constexpr bool 盤内(int col, int row)
{
    return col >= 1 && col <= 7 && row >= 1 && row <= 7;
}

// The upper-side code of hand slot 1..6 (燕 雉 鶴 鷹 左鶉 右鶉); 0 for any other slot.
int 持駒種類(int slot);
// Hand slot 1..6 of a code of either side (a 鴈 goes to slot 1, a 鷹成 to slot 4);
// 0 for the phoenix, an empty square or a code that is no piece.
int 持駒番号(int code);
// True for the eighteen piece codes.
bool 駒コード(int code);
// The piece's name, the same for either side ("燕" .. "鵬", "鴈" and "鷹成" for
// the promoted kinds); empty for any code that is no piece.
const char* 駒名(int code);

// The time limit of a game; all 0 for none. The dialog sets the main time in
// whole minutes (0..600) and the others in seconds (0..60).
struct 持ち時間設定 {
    static constexpr int 最大持ち時間秒 = 600 * 60;
    static constexpr int 最大秒読み秒 = 60;
    static constexpr int 最大加算秒 = 60;
    int 持ち時間秒 = 0;
    int 秒読み秒 = 0;
    int 加算秒 = 0;
    // A limit is kept: there is a main time or byo-yomi.
    bool 有効() const { return 持ち時間秒 > 0 || 秒読み秒 > 0; }
    bool operator==(const 持ち時間設定&) const = default;
};

template <typename T> using 盤配列 = std::array<std::array<T, 8>, 8>; // [列][段], 1..7 used
template <typename T> using 棋譜配列 = std::array<T, 最大手数 + 1>; // move n at index n

struct GameState {
    static constexpr int 先手 = 6;
    static constexpr int 後手 = 7;

    盤配列<int> 盤 {};
    std::array<int, 7> 持駒_MAN {}; // upper pieces the lower side has captured, slots 1..6
    std::array<int, 7> 持駒_COM {}; // lower pieces the upper side has captured
    int 持駒数_MAN = 0; // pieces captured in all (a captured 鵬 counts too)
    int 持駒数_COM = 0;

    int MAN鵬_列 = 0, MAN鵬_段 = 0;
    int COM鵬_列 = 0, COM鵬_段 = 0;

    int MAN手番 = 後手;
    int COM手番 = 先手;
    int 手番 = -1; // 先手 or 後手; -1 before a game is started
    int 対局モード = -1; // 人間対局, COM対局, or -1
    int 勝者 = -1; // turn id of the winner, -1 while undecided
    int 手数 = 0;
    int 記録手数 = 0;
    int 最終記録手数 = 0;
    int 選択状態 = 0;
    int 成駒 = 0;

    // Column c is 1 when it already holds two unpromoted swallows of that side.
    std::array<int, 10> 二燕フラグ_MAN {};
    std::array<int, 10> 二燕フラグ_COM {};

    // The move record. 棋譜_取駒 keeps the captured code, so stepping back needs
    // nothing else; 棋譜_成駒 is the code standing on the target afterwards.
    棋譜配列<int> 棋譜_元列 {}, 棋譜_元段 {}, 棋譜_先列 {}, 棋譜_先段 {};
    棋譜配列<int> 棋譜_取駒 {}, 棋譜_駒 {}, 棋譜_成駒 {};
    棋譜配列<double> 棋譜_時間1 {}, 棋譜_時間2 {}, 棋譜_時間3 {}, 棋譜_時間4 {};

    // Clock: seconds, with fractions.
    double MAN所有時間 = 0;
    double COM所有時間 = 0;
    double 開始時刻 = 0;
    double 手番経過秒 = 0;
    int 前回表示秒 = 0;
    // The time limit of the game shown; none unless one was chosen.
    持ち時間設定 持ち時間;

    int レベル = 3;
    int 棋譜モード = 0;
    int 反転フラグ = 0;
    int ハンデレベル = 0;
    int ハンデ設定 = 0;
    // A position set from a FEN string: FEN設定 is 1 until 初期設定, so that
    // the game is not written as a record; FEN手番 is the side the string gives
    // the move, 1 the upper side, -1 the lower side, 0 without a FEN.
    int FEN設定 = 0;
    int FEN手番 = 0;
    int 背景画 = 2; // picture code 2..6
    int 移動指導 = 0;
    int 移動指導色 = 桝枠色; // 白 while move guidance is on, else the board ground colour

    // The move being entered with the mouse.
    int 選択列 = 0, 選択段 = 0, 選択駒 = 0;
    int 移動先列 = 0, 移動先段 = 0;
};

// The pieces a handicap takes away from the starting position, in the order
// of its levels 1..7 (entry 0 is unused): the square and the code standing there.
struct 除去手 {
    int 列, 段, 駒;
};
inline constexpr std::array<除去手, 8> 上手除去 { { {}, { 7, 1, 左鶉 }, { 1, 1, 右鶉 },
    { 6, 1, 雉 }, { 2, 1, 雉 }, { 5, 1, 鶴 }, { 3, 1, 鶴 }, { 4, 2, 鷹 } } };
inline constexpr std::array<除去手, 8> 下手除去 { { {}, { 1, 7, -左鶉 }, { 7, 7, -右鶉 },
    { 2, 7, -雉 }, { 6, 7, -雉 }, { 3, 7, -鶴 }, { 5, 7, -鶴 }, { 4, 6, -鷹 } } };

// Empties the squares of handicap level 1..7 of the upper side (a positive
// level) or of the lower side (a negative one), from the starting position.
void ハンデ除去(GameState& g, int level);

// Puts the state into the starting position with no game running, and clears
// the handicap, the reversal and a position set from FEN. Leaves the
// turn ids, the level, 最終記録手数, 棋譜モード, the phoenix squares, the
// two-swallow flags and the record entries as they were. With a view it stops
// the clock before the reset and redraws the whole window after it.
void 初期設定(GameState& g, BoardView* view = nullptr);

// The starting position of the board alone.
void 初期配置(GameState& g);

} // namespace tori
