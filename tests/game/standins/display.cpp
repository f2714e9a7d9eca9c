// Stand-in for the drawing library: draws through the surface in the grid.
#include "display/display.h"
#include "rules/rules.h"

#include <cmath>

namespace tori {

namespace {
double X(double gx) { return 盤左 + 桝幅 * gx; }
double Y(double gy) { return 盤上 + 桝高 * gy; }
} // namespace

Display::Display(const GameState& g, Surface& surface, const Menu& menu) : g(g), surface(surface), menu(menu) { }

void Display::描画_絵(int code, double gx, double gy) { surface.絵(code, X(gx), Y(gy)); }
void Display::描画_桝輪郭(int colour, double gx, double gy)
{
    surface.枠(colour, X(gx), Y(gy), X(gx + 1), Y(gy + 1));
}
void Display::描画_盤()
{
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            描画_絵(g.盤[c][r], c, r);
            描画_桝輪郭(2, c, r);
        }
}
void Display::描画_将棋盤桝()
{
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r)
            描画_桝輪郭(2, c, r);
}
void Display::描画_背景(int code)
{
    for (int gx = -3; gx <= 29; ++gx)
        for (int gy = -2; gy <= 19; ++gy)
            if (!盤内(gx, gy))
                描画_絵(code, gx, gy);
}
void Display::描画_自持盤()
{
    for (int i = 1; i <= 6; ++i) {
        描画_絵(0, 9, i + 1);
        if (g.持駒_MAN[i] > 0) {
            描画_絵(-持駒種類(i), 9, i + 1);
            描画_数値(10, i + 1.2, g.持駒_MAN[i], 12, 0, 14);
        }
    }
}
void Display::描画_敵持盤()
{
    for (int i = 1; i <= 6; ++i) {
        描画_絵(0, -1, i);
        if (g.持駒_COM[7 - i] > 0) {
            描画_絵(持駒種類(7 - i), -1, i);
            描画_数値(0, i + 0.2, g.持駒_COM[7 - i], 12, 0, 14);
        }
    }
}
void Display::描画_駒点滅(int code, int col, int row, int count)
{
    for (int i = 0; i < count; ++i) {
        描画_絵(0, col, row);
        surface.更新();
        if (clock)
            待ち時間(*clock, 0.15);
        描画_絵(code, col, row);
        surface.更新();
        if (clock)
            待ち時間(*clock, 0.15);
    }
}
void Display::描画_移動可能桝色(int col, int row, int colour, int piece)
{
    描画_将棋盤桝();
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
    描画_自持盤();
    描画_敵持盤();
    描画_盤();
    描画_所有時間(g.COM手番, g.COM所有時間);
    描画_所有時間(g.MAN手番, g.MAN所有時間);
    if (g.対局モード == 1)
        描画_レベル(g.レベル);
    描画_絵(1, 10.8, 0);
}
void Display::描画_数値(double gx, double gy, const std::string& value, int colour, int, double size)
{
    surface.文字(X(gx), Y(gy), value, size, bold, colour);
}
void Display::描画_数値(double gx, double gy, int value, int colour, int, double size)
{
    surface.文字(X(gx), Y(gy), std::to_string(value), size, bold, colour);
}
void Display::描画_文字列(double, double, int, int, double) { }
void Display::描画_移動駒種類(double gx, double gy, const std::string& text, int colour)
{
    surface.文字(X(gx), Y(gy), text, 12, bold, colour);
}
void Display::描画_桝_数値() { }
void Display::描画_手数(int n)
{
    描画_数値(11.2, 3.3, n, 15, 0, 12);
}
void Display::描画_レベル(int level)
{
    描画_数値(-1.5, 0.1, "LEVEL", 15, 0, 10);
    描画_数値(0, 0, level, 15, 0, 12);
}
void Display::描画_移動結果(int side, int col, int row, int piece, int colour)
{
    消去_移動結果(side);
    const double gx = side == g.COM手番 ? -1.6 : 11.4, gy = side == g.COM手番 ? 8.4 : 2.4;
    if (side != g.COM手番 && side != g.MAN手番)
        return;
    描画_移動駒種類(gx, gy, 文字列変換(8 - col), colour);
    描画_移動駒種類(gx + 0.4, gy, 文字列変換(1000 + row), colour);
    描画_移動駒種類(gx + 1, gy, 文字列変換(piece), colour);
}
void Display::消去_移動結果(int side)
{
    const double gx = side == g.COM手番 ? -2 : 11, gy = side == g.COM手番 ? 8 : 2;
    if (side != g.COM手番 && side != g.MAN手番)
        return;
    for (int i = 0; i < 3; ++i)
        描画_絵(g.背景画, gx + i, gy);
}
void Display::描画_棋譜読込み部分消去() { }
void Display::描画_ハンデレベル(int) { }
void Display::描画_所有時間(int side, double seconds)
{
    if (!menu.checked("KEIKA"))
        return;
    消去_所有時間(side);
    if (side == g.MAN手番)
        描画_数値(13, 9.2, 調査_時間秒追加結果(seconds), 15, 0, 12);
    else if (side == g.COM手番)
        描画_数値(-1.6, 9.2, 調査_時間秒追加結果(seconds), 15, 0, 12);
}
void Display::消去_所有時間(int side)
{
    const double gx = side == g.MAN手番 ? 13 : -2;
    if (side != g.COM手番 && side != g.MAN手番)
        return;
    for (int i = 0; i < 3; ++i)
        描画_絵(g.背景画, gx + i, 9);
}

std::string 文字列変換(int code)
{
    static const char* digits[] = { "１", "２", "３", "４", "５", "６", "７", "８", "９" };
    static const char* rows[] = { "一", "二", "三", "四", "五", "六", "七" };
    if (code >= 1 && code <= 9)
        return digits[code - 1];
    if (code >= 1001 && code <= 1007)
        return rows[code - 1001];
    switch (std::abs(code)) {
    case 燕: return "燕";
    case 鴈: return "鴈";
    case 雉: return "雉";
    case 鷹: return "鷹";
    case 鷹成: return "鷹成";
    case 鶴: return "鶴";
    case 左鶉: return "左鶉";
    case 右鶉: return "右鶉";
    case 鵬: return "鵬";
    default: return "";
    }
}
std::string 変換_数字から文字(long n)
{
    const std::string s = std::to_string(n);
    return s.size() == 1 ? "0" + s : s.size() == 2 ? s : "";
}
std::string 調査_時間秒追加結果(double seconds)
{
    const double h = seconds >= 3600 ? std::floor(seconds / 3600) : 0;
    const double rest = seconds - 3600 * h;
    const double m = std::floor(rest / 60);
    const double s = rest - 60 * m;
    return 変換_数字から文字(static_cast<long>(h)) + ":" + 変換_数字から文字(static_cast<long>(m)) + ":"
        + 変換_数字から文字(static_cast<long>(std::floor(s)));
}
void 待ち時間(TimeOfDay& clock, double seconds)
{
    const double start = clock.秒();
    for (;;) {
        const double now = clock.秒();
        const double passed = now >= start ? now - start : now + 86400 - start;
        if (passed >= seconds)
            return;
    }
}

} // namespace tori
