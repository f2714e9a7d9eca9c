// Drawing the game on the window's surface: the board, the pieces, the hands,
// the background, the highlights, numbers and texts. Drawing is cumulative:
// nothing disappears until something is drawn over it. Every position is a
// grid position (gx, gy), possibly fractional or negative, at
// x = 1050 + 495 gx, y = 100 + 615 gy twips, so that board square (c, r) is
// grid cell (c, r).
#pragma once

#include "platform/menu.h"
#include "platform/palette.h"
#include "platform/surface.h"
#include "platform/time_of_day.h"
#include "rules/state.h"
#include "rules/time_limit.h"

#include <array>
#include <string>

namespace tori {

inline constexpr double 盤左 = 1050;
inline constexpr double 盤上 = 100;
inline constexpr double 桝幅 = 495;
inline constexpr double 桝高 = 615;

// The drawing procedures over one game state and one surface. They read the
// state and never change it.
class Display {
public:
    Display(const GameState& g, Surface& surface, const Menu& menu);

    void 描画_絵(int code, double gx, double gy);
    void 描画_桝輪郭(int colour, double gx, double gy);
    void 描画_盤();
    void 描画_将棋盤桝();
    void 描画_背景(int code);
    void 描画_自持盤();
    void 描画_敵持盤();
    // Blinks a piece in place `count` times with a busy wait of 0.15 s per image.
    void 描画_駒点滅(int code, int col, int row, int count);
    void 描画_移動可能桝色(int col, int row, int colour, int piece);
    void 画面_再描画();

    void 描画_数値(
        double gx, double gy, const std::string& value, int colour, int mode, double size);
    void 描画_数値(double gx, double gy, int value, int colour, int mode, double size);
    void 描画_文字列(double gx, double gy, int code, int colour, double size);
    void 描画_移動駒種類(double gx, double gy, const std::string& text, int colour);
    void 描画_桝_数値();
    void 描画_手数(int n);
    void 描画_レベル(int level);
    void 描画_移動結果(int side, int col, int row, int piece, int colour);
    void 消去_移動結果(int side);
    void 描画_棋譜読込み部分消去();
    void 描画_ハンデレベル(int level);
    // A side's clock below its hand, from `seconds` it has used, its running
    // turn included: that total while the elapsed clocks are on; with a time
    // limit the time it has left, in red in its last ten seconds.
    void 描画_所有時間(int side, double seconds);
    void 消去_所有時間(int side);

    // Prints text with its top-left point at (x, y) twips, in the current
    // weight, without a shadow: the header lines of a loaded record.
    void 描画_文字_位置(double x, double y, const std::string& text, int colour, double size)
    {
        印字(x, y, text, colour, size);
    }

    // Forgets the move counter and the last-move texts on screen, so that the
    // next 画面_再描画 leaves them out: the position they describe is gone.
    void forgetMoveTexts();

    // The clock of the blink's busy wait; without one the blink does not wait.
    void setClock(TimeOfDay* clock) { this->clock = clock; }

private:
    // Prints a text with its top-left point at (x, y) twips; an empty text prints nothing.
    void 印字(double x, double y, const std::string& text, int colour, double size);

    const GameState& g;
    Surface& surface;
    const Menu& menu;
    bool bold = false; // the bold switch: once on, all later text is bold
    TimeOfDay* clock = nullptr;

    // What the texts beside the board show, so that a full redraw (a new
    // background) can show them again: the move counter (-1: none) and the
    // last move of the upper and of the lower side.
    struct MoveText {
        bool shown = false;
        int col = 0, row = 0, piece = 0, colour = 0;
        std::string international; // the move in the international notation
    };
    void 描画_移動結果(int side, const MoveText& move);
    int shownCount = -1;
    MoveText upperMove, lowerMove;
};

// Code-to-text tables of the display.
std::string 文字列変換(int code);
// The three parts of a move's text as the window shows a side's last move: the
// column digit as the board labels it, the row numeral, and the name of the
// piece that stands on the target after the move.
std::array<std::string, 3> 移動結果文字(int col, int row, int piece);
// Record entry n in the same words, with 打 after a drop and 成 after a move
// that promoted: "３三鴈成" is a swallow that became a goose on ３三. The eagle
// is written 鷲: "３七鷲" its move, "３六鷲成" a falcon that promotes.
std::string 変換_棋譜手(const GameState& g, int n);
// True while the chosen language writes moves in the notation of the
// variant's international players (any language but Japanese).
bool 国際表記();
// The piece's letter in that notation: K phoenix, F falcon, C crane, P
// pheasant, L left quail, R right quail, S swallow, "+F" eagle, "+S" goose.
std::string 駒文字(int code);
// Record entry n in that notation: the letter of the piece that moved, "-" for
// a move, "x" for a capture, "*" for a drop, the target's column and row as
// the board labels them, and "+" when the piece promoted: "S-53", "Fx44+",
// "S*33". 変換_棋譜手 gives this text while 国際表記() holds.
std::string 国際棋譜手(const GameState& g, int n);
// Hours, minutes and seconds as "hh:mm:ss" (an hour field of three digits or more is empty).
std::string 調査_時間秒追加結果(double seconds);
std::string 変換_数字から文字(long n);
// A limited clock's text: "hh:mm:ss" of the main time left, or "秒読み N" in
// byo-yomi, whole seconds rounded up, so that a clock shows 0 only when the
// time is out.
std::string 時計文字(const 時計状態& clock);
// Busy-waits until the time of day has moved on by `seconds`, across midnight.
void 待ち時間(TimeOfDay& clock, double seconds);

} // namespace tori
