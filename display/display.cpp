#include "display/display.h"

#include "display/pictures.h"
#include "platform/menu_names.h"
#include "platform/translation.h"
#include "rules/rules.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace tori {

namespace {

    double twipsX(double gx) { return 盤左 + 桝幅 * gx; }
    double twipsY(double gy) { return 盤上 + 桝高 * gy; }

    // The fixed texts printed by code: the handicap level names and the move
    // counter's unit.
    std::string 固定文字列(int code)
    {
        const char* const handicap[] = {
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級"),
            tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級"),
        };
        if (code >= -7 && code <= 7)
            return handicap[code + 7];
        if (code == 99)
            return tr_("手目");
        return {};
    }

    std::string 漢数字(long value)
    {
        const char* const numerals[] = { tr_("一"), tr_("二"), tr_("三"), tr_("四"), tr_("五"),
            tr_("六"), tr_("七"), tr_("八"), tr_("九") };
        return value >= 1 && value <= 9 ? numerals[value - 1] : std::string();
    }

} // namespace

Display::Display(const GameState& g, Surface& surface, const Menu& menu)
    : g(g)
    , surface(surface)
    , menu(menu)
{
}

// ---- pictures and outlines ----

void Display::描画_絵(int code, double gx, double gy) { surface.絵(code, twipsX(gx), twipsY(gy)); }

void Display::描画_桝輪郭(int colour, double gx, double gy)
{
    surface.枠(colour, twipsX(gx), twipsY(gy), twipsX(gx) + 桝幅, twipsY(gy) + 桝高);
}

void Display::描画_盤()
{
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            描画_絵(g.盤[c][r], c, r);
            描画_桝輪郭(桝枠色, c, r);
        }
}

void Display::描画_将棋盤桝()
{
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r)
            描画_桝輪郭(桝枠色, c, r);
}

void Display::描画_背景(int code)
{
    // The tiles run past the window's edges, so any window size is covered.
    for (int gx = -3; gx <= 29; ++gx)
        for (int gy = -2; gy <= 19; ++gy)
            if (!盤内(gx, gy))
                描画_絵(code, gx, gy);
}

void Display::描画_自持盤()
{
    for (int i = 1; i <= 6; ++i) {
        描画_絵(空, 9, i + 1);
        描画_絵(g.背景画, 10, i + 1); // wipes the old count
        描画_桝輪郭(桝枠色, 9, i + 1);
        if (g.持駒_MAN[i] > 0) {
            描画_絵(-持駒種類(i), 9, i + 1);
            描画_桝輪郭(桝枠色, 9, i + 1);
            描画_数値(10.1, i + 1.3, g.持駒_MAN[i], 黒, 0, 14);
            描画_数値(10, i + 1.2, g.持駒_MAN[i], 明赤, 0, 14);
        }
    }
}

void Display::描画_敵持盤()
{
    // The upper hand is shown from the upper side's seat: slot 1 at the bottom.
    for (int i = 1; i <= 6; ++i) {
        const int k = 7 - i;
        描画_絵(空, -1, i);
        描画_絵(g.背景画, 0, i);
        描画_桝輪郭(桝枠色, -1, i);
        描画_桝輪郭(桝枠色, 1, i);
        if (g.持駒_COM[k] > 0) {
            描画_絵(持駒種類(k), -1, i);
            描画_桝輪郭(桝枠色, -1, i);
            描画_数値(0.1, i + 0.3, g.持駒_COM[k], 黒, 0, 14);
            描画_数値(0, i + 0.2, g.持駒_COM[k], 明赤, 0, 14);
        }
    }
}

void Display::描画_駒点滅(int code, int col, int row, int count)
{
    for (int n = 0; n < count; ++n) {
        描画_絵(空, col, row);
        描画_桝輪郭(桝枠色, col, row);
        surface.更新();
        if (clock)
            待ち時間(*clock, 0.15);
        描画_絵(code, col, row);
        描画_桝輪郭(桝枠色, col, row);
        surface.更新();
        if (clock)
            待ち時間(*clock, 0.15);
    }
}

void Display::描画_移動可能桝色(int col, int row, int colour, int piece)
{
    描画_将棋盤桝(); // removes every earlier highlight
    if (g.移動指導 == 0)
        return;
    for (int i = 1; i <= 7; ++i)
        for (int j = 1; j <= 7; ++j)
            if (移動チェック(g, col, row, i, j, piece) == 1)
                描画_桝輪郭(colour, i, j);
}

void Display::画面_再描画()
{
    描画_背景(g.背景画);
    描画_桝_数値();
    描画_自持盤();
    描画_敵持盤();
    描画_盤();
    描画_所有時間(g.COM手番, g.COM所有時間);
    描画_所有時間(g.MAN手番, g.MAN所有時間);
    if (g.対局モード == COM対局)
        描画_レベル(g.レベル);
    if (g.ハンデ設定 == 1)
        描画_ハンデレベル(g.ハンデレベル);
    描画_絵(題字, 10.8, 0);
    // The texts beside the board stay what they were.
    if (shownCount >= 0)
        描画_手数(shownCount);
    const MoveText upper = upperMove, lower = lowerMove;
    if (upper.shown)
        描画_移動結果(g.COM手番, upper);
    if (lower.shown)
        描画_移動結果(g.MAN手番, lower);
}

void Display::forgetMoveTexts()
{
    shownCount = -1;
    upperMove = lowerMove = MoveText {};
}

// ---- texts and numbers ----

void Display::印字(double x, double y, const std::string& text, int colour, double size)
{
    if (text.empty())
        return;
    surface.文字(x, y, text, size, bold, colour);
}

void Display::描画_数値(
    double gx, double gy, const std::string& value, int colour, int mode, double size)
{
    if (mode == 0) {
        印字(twipsX(gx), twipsY(gy), value, colour, size);
        return;
    }
    long n = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, n);
    if (ec == std::errc() && ptr == end)
        印字(twipsX(gx), twipsY(gy), 漢数字(n), colour, size);
}

void Display::描画_数値(double gx, double gy, int value, int colour, int mode, double size)
{
    std::string text;
    if (mode == 0) {
        // Printed numbers keep a place for the sign: a blank before a non-negative one.
        char digits[16];
        std::snprintf(digits, sizeof digits, value >= 0 ? " %d" : "%d", value);
        text = digits;
    } else {
        text = 漢数字(value);
    }
    印字(twipsX(gx), twipsY(gy), text, colour, size);
}

void Display::描画_文字列(double gx, double gy, int code, int colour, double size)
{
    印字(twipsX(gx) + 120, twipsY(gy) + 160, 固定文字列(code), colour, size);
}

void Display::描画_移動駒種類(double gx, double gy, const std::string& text, int colour)
{
    印字(twipsX(gx), twipsY(gy), text, colour, 12);
}

void Display::描画_桝_数値()
{
    bold = true; // and it stays bold: everything printed from now on is bold
    for (int i = 1; i <= 7; ++i) {
        描画_絵(g.背景画, i, 0);
        // Columns are numbered from the right, as the notation counts them.
        描画_数値(i + 0.2, 0.5, 8 - i, 黒, 0, 16);
        描画_数値(i + 0.1, 0.4, 8 - i, 黄, 0, 16);
        描画_絵(g.背景画, 8, i);
        描画_数値(8.2, i + 0.4, i, 黒, 1, 12);
        描画_数値(8.1, i + 0.3, i, 黄, 1, 12);
    }
}

void Display::描画_手数(int n)
{
    shownCount = n;
    描画_絵(g.背景画, 11, 3);
    描画_絵(g.背景画, 12, 3);
    // Longer numbers start further left so that the count stays beside "手目".
    const double x = n < 10 ? 11.3 : n < 100 ? 11.2 : 11.1;
    const double xWhite = n < 10 ? 11.2 : n < 100 ? 11.1 : 11.0;
    描画_数値(x, 3.4, n, 黒, 0, 12);
    描画_数値(xWhite, 3.3, n, 白, 0, 12);
    描画_文字列(11.9, 3.2, 99, 黒, 10);
    描画_文字列(11.8, 3.1, 99, 白, 10);
}

void Display::描画_レベル(int level)
{
    描画_数値(-1.4, 0.2, "LEVEL", 黒, 0, 10);
    描画_数値(-1.5, 0.1, "LEVEL", 白, 0, 10);
    描画_数値(0.1, 0.1, level, 黒, 0, 12);
    描画_数値(0, 0, level, 白, 0, 12);
}

void Display::描画_移動結果(int side, int col, int row, int piece, int colour)
{
    // The move just recorded gives the whole international text; a move text
    // without its record entry shows the piece and its square.
    const int n = g.記録手数;
    const bool recorded = n >= 1 && n <= 最大手数 && g.棋譜_先列[n] == col && g.棋譜_先段[n] == row
        && g.棋譜_成駒[n] == piece;
    描画_移動結果(side,
        { true, col, row, piece, colour,
            recorded ? 国際棋譜手(g, n)
                     : 駒文字(piece) + std::to_string(8 - col) + std::to_string(row) });
}

void Display::描画_移動結果(int side, const MoveText& move)
{
    const int col = move.col, row = move.row, piece = move.piece, colour = move.colour;
    消去_移動結果(side);
    // Grid x of the shadows of the column digit, the row numeral and the piece
    // name, and their common grid y; each coloured copy sits 0.1 left and up.
    double x[3];
    double y;
    if (side == g.COM手番) {
        x[0] = -1.5, x[1] = -1.1, x[2] = -0.5, y = 8.5;
    } else if (side == g.MAN手番) {
        x[0] = 11.5, x[1] = 11.9, x[2] = 12.5, y = 2.5;
    } else {
        return;
    }
    if (国際表記()) {
        描画_移動駒種類(x[0], y, move.international, 黒);
        描画_移動駒種類(x[0] - 0.1, y - 0.1, move.international, colour);
    } else {
        const auto texts = 移動結果文字(col, row, piece);
        for (int k = 0; k < 3; ++k) {
            描画_移動駒種類(x[k], y, texts[k], 黒);
            描画_移動駒種類(x[k] - 0.1, y - 0.1, texts[k], colour);
        }
    }
    if (side == g.COM手番)
        描画_桝輪郭(桝枠色, 1, 7);
    (side == g.COM手番 ? upperMove : lowerMove) = move;
}

void Display::消去_移動結果(int side)
{
    if (side == g.COM手番) {
        upperMove = {};
        描画_絵(g.背景画, -2, 8);
        描画_絵(g.背景画, -1, 8);
        描画_絵(g.背景画, 0, 8);
        描画_桝輪郭(桝枠色, -1, 6);
        描画_桝輪郭(桝枠色, 1, 7);
    } else if (side == g.MAN手番) {
        lowerMove = {};
        描画_絵(g.背景画, 11, 2);
        描画_絵(g.背景画, 12, 2);
        描画_絵(g.背景画, 13, 2);
    }
}

void Display::描画_棋譜読込み部分消去()
{
    描画_桝_数値();
    描画_絵(g.背景画, -1, 8);
    描画_絵(g.背景画, 0, 8);
    for (int i = 1; i <= 7; ++i) {
        描画_絵(g.背景画, i, 8);
        描画_桝輪郭(桝枠色, i, 7);
    }
    // The header lines of a loaded record: the game's name and the lower
    // player below the board (row 10), the upper player above it, right of
    // the column numbers and under the title.
    for (int gx = -2; gx <= 16; ++gx)
        描画_絵(g.背景画, gx, 10);
    for (int gx = 8; gx <= 16; ++gx)
        描画_絵(g.背景画, gx, 0);
    描画_絵(題字, 10.8, 0);
    // The row numbers' tiles reach a pixel into the board's right border and
    // the lower hand's left border; both are outlined again.
    for (int i = 1; i <= 6; ++i)
        描画_桝輪郭(桝枠色, 7, i);
    for (int i = 2; i <= 7; ++i)
        描画_桝輪郭(桝枠色, 9, i);
}

void Display::描画_ハンデレベル(int level)
{
    for (int gx = 11; gx <= 14; ++gx)
        描画_絵(g.背景画, gx, 1);
    描画_文字列(11.1, 1.1, level, 黒, 10);
    描画_文字列(11, 1, level, 白, 10);
}

void Display::描画_所有時間(int side, double seconds)
{
    // A limited clock is always shown: the player must see the time left.
    const bool limited = g.持ち時間.有効();
    if (!limited && !menu.checked(menu::KEIKA))
        return;
    std::string text;
    int colour = 白;
    if (limited) {
        // What the side used up to the position shown is in the record; the
        // rest is its running turn (or the turn its time ran out in).
        const bool upper = side == g.COM手番;
        const int n = std::clamp(g.記録手数, 0, 最大手数);
        const double recorded = n == 0 ? 0 : upper ? g.棋譜_時間4[n] : g.棋譜_時間2[n];
        const double elapsed = std::max(0.0, seconds - recorded);
        const 時計状態 clock = 調査_時計(g.持ち時間, 調査_持ち時間(g, upper, g.記録手数), elapsed);
        text = 時計文字(clock);
        // The side's last ten seconds, while they run.
        if (elapsed > 0 && clock.残り秒 <= 10)
            colour = 明赤;
    } else {
        text = 調査_時間秒追加結果(seconds);
    }
    消去_所有時間(side);
    if (side == g.MAN手番) {
        描画_数値(13.1, 9.3, text, 黒, 0, 12);
        描画_数値(13, 9.2, text, colour, 0, 12);
    } else if (side == g.COM手番) {
        描画_数値(-1.5, 9.3, text, 黒, 0, 12);
        描画_数値(-1.6, 9.2, text, colour, 0, 12);
    }
}

void Display::消去_所有時間(int side)
{
    int first;
    if (side == g.MAN手番)
        first = 13;
    else if (side == g.COM手番)
        first = -2;
    else
        return;
    for (int gx = first; gx < first + 3; ++gx)
        描画_絵(g.背景画, gx, 9);
}

} // namespace tori
