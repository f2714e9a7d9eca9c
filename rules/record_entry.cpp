#include "rules/record_entry.h"

namespace tori {

namespace {

    // One piece more (+1) or less (-1) in the hand of the side that owns `code`
    // (a lower code in 持駒_MAN, an upper one in 持駒_COM): a drop taken back or
    // made again.
    void 持主持駒増減(GameState& g, int code, int d)
    {
        const int slot = 持駒番号(code);
        if (slot == 0)
            return;
        if (下手駒(code)) {
            g.持駒_MAN[slot] += d;
            g.持駒数_MAN += d;
        } else if (上手駒(code)) {
            g.持駒_COM[slot] += d;
            g.持駒数_COM += d;
        }
    }

    // A captured code in the capturer's hand: a lower piece in 持駒_COM, an upper
    // one in 持駒_MAN. A phoenix has no slot but counts in the total.
    void 取駒増減(GameState& g, int code, int d)
    {
        const int slot = 持駒番号(code);
        if (下手駒(code)) {
            if (slot != 0)
                g.持駒_COM[slot] += d;
            g.持駒数_COM += d;
        } else if (上手駒(code)) {
            if (slot != 0)
                g.持駒_MAN[slot] += d;
            g.持駒数_MAN += d;
        }
    }

    bool 記録番号(int n) { return n >= 1 && n <= 最大手数; }

} // namespace

void 再生_棋譜手(GameState& g, int n)
{
    if (!記録番号(n))
        return;
    const int 元列 = g.棋譜_元列[n], 元段 = g.棋譜_元段[n];
    const int 先列 = g.棋譜_先列[n], 先段 = g.棋譜_先段[n];
    const int placed = g.棋譜_成駒[n];
    if (盤内(元列, 元段))
        g.盤[元列][元段] = 空;
    else
        持主持駒増減(g, placed, -1);
    if (盤内(先列, 先段))
        g.盤[先列][先段] = placed;
    取駒増減(g, g.棋譜_取駒[n], +1);
    鵬位置更新(g);
}

void 取消_棋譜手(GameState& g, int n)
{
    if (!記録番号(n))
        return;
    const int 元列 = g.棋譜_元列[n], 元段 = g.棋譜_元段[n];
    const int 先列 = g.棋譜_先列[n], 先段 = g.棋譜_先段[n];
    if (盤内(元列, 元段))
        g.盤[元列][元段] = g.棋譜_駒[n];
    else
        持主持駒増減(g, g.棋譜_成駒[n], +1);
    const int captured = g.棋譜_取駒[n];
    取駒増減(g, captured, -1);
    if (盤内(先列, 先段))
        g.盤[先列][先段] = captured;
    鵬位置更新(g);
}

void 複写_棋譜手(GameState& to, const GameState& from, int n)
{
    if (!記録番号(n))
        return;
    to.棋譜_元列[n] = from.棋譜_元列[n];
    to.棋譜_元段[n] = from.棋譜_元段[n];
    to.棋譜_先列[n] = from.棋譜_先列[n];
    to.棋譜_先段[n] = from.棋譜_先段[n];
    to.棋譜_取駒[n] = from.棋譜_取駒[n];
    to.棋譜_駒[n] = from.棋譜_駒[n];
    to.棋譜_成駒[n] = from.棋譜_成駒[n];
    to.棋譜_時間1[n] = from.棋譜_時間1[n];
    to.棋譜_時間2[n] = from.棋譜_時間2[n];
    to.棋譜_時間3[n] = from.棋譜_時間3[n];
    to.棋譜_時間4[n] = from.棋譜_時間4[n];
}

int 成駒コード(int code)
{
    switch (code) {
    case 燕:
        return 鴈;
    case -燕:
        return -鴈;
    case 鷹:
        return 鷹成;
    case -鷹:
        return -鷹成;
    default:
        return code;
    }
}

void 鵬位置更新(GameState& g)
{
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            if (g.盤[c][r] == 鵬) {
                g.COM鵬_列 = c;
                g.COM鵬_段 = r;
            } else if (g.盤[c][r] == -鵬) {
                g.MAN鵬_列 = c;
                g.MAN鵬_段 = r;
            }
        }
}

} // namespace tori
