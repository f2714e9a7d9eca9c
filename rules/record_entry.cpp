#include "rules/record_entry.h"

namespace tori {

namespace {

    // One piece of `code`'s kind more (+1) or less (-1) in the lower side's hand
    // (下手) or the upper side's: a drop made or taken back in its owner's hand,
    // a capture in the capturer's. A phoenix has no slot but counts in the
    // total, as 駒移動 counts it.
    void 持駒増減(GameState& g, bool 下手, int code, int d)
    {
        (下手 ? g.持駒数_MAN : g.持駒数_COM) += d;
        if (const int slot = 持駒番号(code); slot != 0)
            (下手 ? g.持駒_MAN : g.持駒_COM)[slot] += d;
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
    const int captured = g.棋譜_取駒[n];
    if (盤内(元列, 元段))
        g.盤[元列][元段] = 空;
    else
        持駒増減(g, 下手駒(placed), placed, -1);
    if (盤内(先列, 先段))
        g.盤[先列][先段] = placed;
    if (captured != 空)
        持駒増減(g, 上手駒(captured), captured, +1);
    鵬位置更新(g);
}

void 取消_棋譜手(GameState& g, int n)
{
    if (!記録番号(n))
        return;
    const int 元列 = g.棋譜_元列[n], 元段 = g.棋譜_元段[n];
    const int 先列 = g.棋譜_先列[n], 先段 = g.棋譜_先段[n];
    const int captured = g.棋譜_取駒[n];
    if (盤内(元列, 元段))
        g.盤[元列][元段] = g.棋譜_駒[n];
    else
        持駒増減(g, 下手駒(g.棋譜_成駒[n]), g.棋譜_成駒[n], +1);
    if (captured != 空)
        持駒増減(g, 上手駒(captured), captured, -1);
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
