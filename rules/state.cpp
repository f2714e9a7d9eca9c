#include "rules/state.h"

#include "platform/translation.h"

#include <algorithm>
#include <cstdlib>

namespace tori {

int 持駒種類(int slot)
{
    static constexpr int kinds[7] = { 0, 燕, 雉, 鶴, 鷹, 左鶉, 右鶉 };
    return slot >= 1 && slot <= 6 ? kinds[slot] : 0;
}

int 持駒番号(int code)
{
    switch (std::abs(code)) {
    case 燕:
    case 鴈:
        return 1;
    case 雉:
        return 2;
    case 鶴:
        return 3;
    case 鷹:
    case 鷹成:
        return 4;
    case 左鶉:
        return 5;
    case 右鶉:
        return 6;
    default:
        return 0;
    }
}

bool 駒コード(int code) { return 持駒番号(code) != 0 || code == 鵬 || code == -鵬; }

const char* 駒名(int code)
{
    switch (std::abs(code)) {
    case 燕:
        return tr_("燕");
    case 鴈:
        return tr_("鴈");
    case 雉:
        return tr_("雉");
    case 鷹:
        return tr_("鷹");
    case 鷹成:
        return tr_("鷹成");
    case 鶴:
        return tr_("鶴");
    case 左鶉:
        return tr_("左鶉");
    case 右鶉:
        return tr_("右鶉");
    case 鵬:
        return tr_("鵬");
    default:
        return "";
    }
}

void 初期配置(GameState& g)
{
    for (auto& column : g.盤)
        column.fill(空);
    static constexpr int back[8] = { 0, 右鶉, 雉, 鶴, 鵬, 鶴, 雉, 左鶉 };
    for (int c = 1; c <= 7; ++c) {
        g.盤[c][1] = back[c];
        g.盤[c][3] = 燕;
        g.盤[c][5] = -燕;
        // Seen from its own seat each side has its right quail in its right-hand corner.
        g.盤[8 - c][7] = -back[c];
    }
    g.盤[4][2] = 鷹;
    g.盤[4][6] = -鷹;
    g.盤[3][4] = 燕;
    g.盤[5][4] = -燕;
}

void ハンデ除去(GameState& g, int level)
{
    const auto& removed = level > 0 ? 上手除去 : 下手除去;
    for (int i = 1; i <= std::min(std::abs(level), 7); ++i)
        g.盤[removed[i].列][removed[i].段] = 空;
}

void 初期設定(GameState& g, BoardView* view)
{
    g.選択状態 = 0;
    g.ハンデレベル = 0;
    g.ハンデ設定 = 0;
    g.対局モード = -1;
    g.勝者 = -1;
    g.手番 = -1;
    g.記録手数 = 0;
    g.手数 = 0;
    g.反転フラグ = 0;
    g.FEN設定 = 0;
    g.FEN手番 = 0;
    if (view)
        view->タイマー停止();
    g.COM所有時間 = 0;
    g.MAN所有時間 = 0;
    g.前回表示秒 = 0;
    for (int slot = 1; slot <= 6; ++slot) {
        g.持駒_MAN[slot] = 0;
        g.持駒_COM[slot] = 0;
    }
    初期配置(g);
    g.持駒数_MAN = 0;
    g.持駒数_COM = 0;
    for (int slot = 1; slot <= 6; ++slot) {
        if (g.持駒_MAN[slot] > 0)
            g.持駒数_MAN += g.持駒_MAN[slot];
        if (g.持駒_COM[slot] > 0)
            g.持駒数_COM += g.持駒_COM[slot];
    }
    if (view)
        view->画面_再描画();
}

} // namespace tori
