// Stand-in for the engine's two turns: the person's move as the contract says
// (without the survey and mate test) and a greedy computer that takes the
// most valuable piece it can, the first move found on a tie.
#include "engine/turn.h"
#include "rules/rules.h"

#include <cstdlib>

namespace tori {

人間着手結果 MAN着手(GameState& g, EngineState&, int 元列, int 元段, int 先列, int 先段, int 成駒値,
    TurnHooks* hooks)
{
    人間着手結果 r;
    const int 駒 = 元列 == MAN持駒列 ? -持駒種類(元段 - 1) : g.盤[元列][元段];
    if (g.勝者 != -1) {
        r.拒否 = 着手拒否::終局;
        return r;
    }
    if (棋譜満杯(g)) {
        r.拒否 = 着手拒否::満杯;
        return r;
    }
    if (移動チェック(g, 元列, 元段, 先列, 先段, 駒) == 0) {
        r.拒否 = 着手拒否::反則;
        return r;
    }
    if (hooks)
        hooks->手番終了();
    r.取駒 = g.盤[先列][先段];
    手順保存(g, 元列, 元段, 先列, 先段, 駒, 成駒値, g.MAN所有時間, g.MAN所有時間 + g.手番経過秒,
        g.COM所有時間, g.COM所有時間);
    ++g.手数;
    if (hooks) {
        hooks->描画_手数();
        hooks->着手前();
    }
    駒移動(g, 元列, 元段, 先列, 先段, 成駒値, hooks ? hooks->view() : nullptr);
    if (hooks)
        hooks->着手音();
    g.MAN所有時間 += g.手番経過秒;
    if (g.勝者 != g.MAN手番)
        g.手番 = g.COM手番;
    return r;
}

COM着手結果 com_ban(GameState& g, EngineState&, TurnHooks* hooks)
{
    COM着手結果 r;
    if (g.勝者 != -1) {
        r.拒否 = 着手拒否::終局;
        return r;
    }
    if (棋譜満杯(g)) {
        r.拒否 = 着手拒否::満杯;
        return r;
    }
    int best = -1;
    調査_2燕フラグ設定(g);
    for (int fc = 1; fc <= 7; ++fc) {
        if (hooks)
            hooks->Timer1_Timer();
        for (int fr = 1; fr <= 7; ++fr) {
            const int 駒 = g.盤[fc][fr];
            if (!上手駒(駒))
                continue;
            for (int tc = 1; tc <= 7; ++tc)
                for (int tr = 1; tr <= 7; ++tr) {
                    if (移動チェック(g, fc, fr, tc, tr, 駒) == 0)
                        continue;
                    const int score = std::abs(g.盤[tc][tr]);
                    if (score > best) {
                        best = score;
                        r.元列 = fc;
                        r.元段 = fr;
                        r.先列 = tc;
                        r.先段 = tr;
                        r.駒 = 駒;
                        r.成駒 = 駒;
                        if (調査_駒成(g, fc, fr, tc, tr, 駒) == 1)
                            r.成駒 = g.成駒;
                    }
                }
        }
    }
    if (best < 0) {
        r.拒否 = 着手拒否::指手なし;
        return r;
    }
    if (hooks)
        hooks->手番終了();
    手順保存(g, r.元列, r.元段, r.先列, r.先段, r.駒, r.成駒, g.MAN所有時間, g.MAN所有時間, g.COM所有時間,
        g.COM所有時間 + g.手番経過秒);
    ++g.手数;
    if (hooks) {
        hooks->描画_手数();
        hooks->描画_駒点滅(r.駒, r.元列, r.元段);
    }
    駒移動(g, r.元列, r.元段, r.先列, r.先段, r.成駒, hooks ? hooks->view() : nullptr);
    if (hooks)
        hooks->着手音();
    r.評価 = best * 10;
    return r;
}

} // namespace tori
