#include "rules/rules.h"

namespace tori {

bool 手順保存(GameState& g, int 元列, int 元段, int 先列, int 先段, int 駒, int 成駒値,
    double 時間1, double 時間2, double 時間3, double 時間4)
{
    if (棋譜満杯(g) || !盤内(先列, 先段))
        return false;
    const int n = ++g.記録手数;
    g.棋譜_元列[n] = 元列;
    g.棋譜_元段[n] = 元段;
    g.棋譜_先列[n] = 先列;
    g.棋譜_先段[n] = 先段;
    g.棋譜_駒[n] = 駒;
    g.棋譜_成駒[n] = 成駒値;
    g.棋譜_取駒[n] = g.盤[先列][先段];
    g.棋譜_時間1[n] = 時間1;
    g.棋譜_時間2[n] = 時間2;
    g.棋譜_時間3[n] = 時間3;
    g.棋譜_時間4[n] = 時間4;
    g.最終記録手数 = g.記録手数;
    return true;
}

int 調査_駒成(GameState& g, int 元列, int 元段, int /*先列*/, int 先段, int 駒)
{
    if (元列 == MAN持駒列 || 元列 == COM持駒列)
        return 0;
    switch (駒) {
    case -燕:
        if (先段 < 3) {
            g.成駒 = -鴈;
            return 1;
        }
        return 0;
    case -鷹:
        if (先段 < 3 || 元段 < 3) {
            g.成駒 = -鷹成;
            return 1;
        }
        return 0;
    case 燕:
        if (先段 > 5) {
            g.成駒 = 鴈;
            return 1;
        }
        return 0;
    case 鷹:
        if (先段 > 5 || 元段 > 5) {
            g.成駒 = 鷹成;
            return 1;
        }
        return 0;
    default:
        return 0;
    }
}

int 移動後チェック(int 先段, int 駒)
{
    return (駒 == 燕 && 先段 == 7) || (駒 == -燕 && 先段 == 1) ? 0 : 1;
}

void 駒取得(GameState& g, int 取駒)
{
    if (取駒 == 鵬) {
        g.勝者 = g.MAN手番;
        return;
    }
    if (取駒 == -鵬) {
        g.勝者 = g.COM手番;
        return;
    }
    const int slot = 持駒番号(取駒);
    if (slot == 0)
        return;
    if (上手駒(取駒))
        ++g.持駒_MAN[slot];
    else
        ++g.持駒_COM[slot];
}

void 駒移動(GameState& g, int 元列, int 元段, int 先列, int 先段, int 駒, BoardView* view)
{
    if (!盤内(先列, 先段))
        return;
    const int captured = g.盤[先列][先段];
    if (下手駒(captured)) {
        ++g.持駒数_COM;
        駒取得(g, captured);
        if (view)
            view->描画_敵持盤();
    } else if (上手駒(captured)) {
        ++g.持駒数_MAN;
        駒取得(g, captured);
        if (view)
            view->描画_自持盤();
    }
    if (view) {
        view->描画_絵(空, 元列, 元段);
        view->描画_桝輪郭(2, 元列, 元段);
    }
    g.盤[先列][先段] = 駒;
    if (駒 == -鵬) {
        g.MAN鵬_列 = 先列;
        g.MAN鵬_段 = 先段;
    }
    if (元列 == COM持駒列) {
        if (元段 >= 1 && 元段 <= 6) {
            --g.持駒数_COM;
            --g.持駒_COM[元段];
        }
        if (view)
            view->描画_敵持盤();
    } else if (元列 == MAN持駒列) {
        if (元段 >= 2 && 元段 <= 7) {
            --g.持駒数_MAN;
            --g.持駒_MAN[元段 - 1];
        }
        if (view)
            view->描画_自持盤();
    } else if (盤内(元列, 元段)) {
        g.盤[元列][元段] = 空;
    }
    if (view) {
        view->描画_絵(駒, 先列, 先段);
        view->描画_桝輪郭(2, 先列, 先段);
        view->描画_桝輪郭(2, 先列, 先段);
    }
}

void 調査_2燕フラグ設定(GameState& g)
{
    for (int c = 1; c <= 7; ++c) {
        g.二燕フラグ_MAN[c] = 調査_列駒数(g, -燕, c) >= 2 ? 1 : 0;
        g.二燕フラグ_COM[c] = 調査_列駒数(g, 燕, c) >= 2 ? 1 : 0;
    }
}

int 調査_列駒数(const GameState& g, int 駒, int 列)
{
    if (列 < 1 || 列 > 7)
        return 0;
    int count = 0;
    for (int r = 1; r <= 7; ++r)
        if (g.盤[列][r] == 駒)
            ++count;
    return count;
}

} // namespace tori
