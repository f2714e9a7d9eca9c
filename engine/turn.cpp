#include "engine/turn.h"
#include "rules/rules.h"
#include "search/game.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

namespace tori {

namespace {

    BoardView* viewOf(TurnHooks* hooks) { return hooks ? hooks->view() : nullptr; }

    // The code a person moves from (元列, 元段): a lower piece on the board, or a
    // piece of a non-empty slot of the lower hand; 0 when there is none.
    int 着手駒(const GameState& g, int 元列, int 元段)
    {
        if (元列 == MAN持駒列) {
            const int slot = 元段 - 1;
            return slot >= 1 && slot <= 6 && g.持駒_MAN[slot] > 0 ? -持駒種類(slot) : 0;
        }
        if (!盤内(元列, 元段) || !下手駒(g.盤[元列][元段]))
            return 0;
        return g.盤[元列][元段];
    }

    struct 最善手 {
        int 元列 = 0, 元段 = 0, 先列 = 0, 先段 = 0, 駒 = 0, 成駒 = 0;
        bool ある = false;
    };

    // One board move of the search, already found legal: scores it as the mover
    // would place it and keeps it when it is strictly the best so far. True when
    // the search must stop (the move takes the lower phoenix and is the best).
    bool 盤上手を試す(GameState& g, EngineState& e, int fc, int fr, int tc, int tr, 最善手& best)
    {
        const int piece = g.盤[fc][fr];
        const int captured = g.盤[tc][tr];
        int score = 0, placed = piece;
        if (調査_駒成(g, fc, fr, tc, tr, piece) == 0) {
            score = 試行手評価(g, e, fc, fr, tc, tr, piece);
        } else {
            const int promoted = g.成駒;
            if (移動後チェック(tr, piece) == 0) {
                score = 試行手評価(g, e, fc, fr, tc, tr, promoted);
                placed = promoted;
            } else {
                score = 試行手評価(g, e, fc, fr, tc, tr, piece);
                const int score2 = 試行手評価(g, e, fc, fr, tc, tr, promoted);
                if (score2 > score) {
                    score = score2;
                    placed = promoted;
                }
                // A swallow that may promote always does; it keeps the better score.
                if (piece == 燕)
                    placed = promoted;
            }
        }

        if (score > e.最高評価) {
            e.最高評価 = score;
            best = { fc, fr, tc, tr, piece, placed, true };
            if (captured == -鵬)
                return true;
        }
        return false;
    }

} // namespace

search::SearchPool& 深読み探索器()
{
    static search::SearchPool pool;
    return pool;
}

namespace {
    std::atomic<int> スレッド数設定 { 0 };
}

void 深読みスレッド数設定(int n)
{
    スレッド数設定 = std::clamp(n, 0, search::SearchPool::MaxThreads);
}

int 深読みスレッド数(int level)
{
    if (const int n = スレッド数設定)
        return n;
    if (level < 5)
        return 1;
    return std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
}

int 試行手評価(GameState& g, EngineState& e, int 元列, int 元段, int 先列, int 先段, int 置駒)
{
    const bool drop = 元列 == COM持駒列;
    const int piece = drop ? 持駒種類(元段) : g.盤[元列][元段];
    const int captured = g.盤[先列][先段];
    e.試行駒 = piece;
    if (!drop) {
        e.鵬距離 = std::max(std::abs(元列 - g.MAN鵬_列), std::abs(元段 - g.MAN鵬_段));
        g.盤[元列][元段] = 空;
    }
    g.盤[先列][先段] = 置駒;
    勢力調査(g, e);
    const int score = 盤評価(g, e, captured, 置駒, 元列, 元段, 先列, 先段);
    g.盤[先列][先段] = captured;
    if (!drop)
        g.盤[元列][元段] = piece;
    return score;
}

void 着手前局面(GameState& g, EngineState& e)
{
    e.盤_前 = g.盤;
    調査_2燕フラグ設定(g);
    勢力調査(g, e);
    調査_移動不可駒(g, e);
    e.MAN勢力_前 = e.MAN勢力;
    e.COM勢力_前 = e.COM勢力;
    e.COM攻駒_列_前 = e.COM攻駒_列;
    e.COM攻駒_段_前 = e.COM攻駒_段;
}

namespace {

    // The search: every board move, then every drop, in the order
    // that decides ties. The board is as it was when this returns.
    最善手 探索(GameState& g, EngineState& e, TurnHooks* hooks)
    {
        最善手 best;
        e.最高評価 = 評価_初期値;
        着手前局面(g, e);

        for (int fc = 1; fc <= 7; ++fc) {
            if (hooks)
                hooks->Timer1_Timer();
            for (int fr = 1; fr <= 7; ++fr) {
                if (g.盤[fc][fr] < 10)
                    continue;
                for (int tc = 1; tc <= 7; ++tc)
                    for (int tr = 1; tr <= 7; ++tr)
                        if (移動チェック(g, fc, fr, tc, tr, g.盤[fc][fr]) == 1
                            && 盤上手を試す(g, e, fc, fr, tc, tr, best))
                            return best;
            }
        }

        if (g.持駒数_COM > 0) {
            for (int slot = 1; slot <= 6; ++slot) {
                if (hooks)
                    hooks->Timer1_Timer();
                if (g.持駒_COM[slot] <= 0)
                    continue;
                const int piece = 持駒種類(slot);
                for (int tc = 1; tc <= 7; ++tc)
                    for (int tr = 1; tr <= 7; ++tr) {
                        if (移動チェック(g, COM持駒列, slot, tc, tr, piece) != 1)
                            continue;
                        const int score = 試行手評価(g, e, COM持駒列, slot, tc, tr, piece);
                        if (score > e.最高評価) {
                            e.最高評価 = score;
                            best = { COM持駒列, slot, tc, tr, piece, piece, true };
                            if (e.最高評価 >= 評価_詰め)
                                return best;
                        }
                    }
            }
        }
        return best;
    }

    // Passes the search's ticks to the clock and its finished depths on.
    class 探索通知 : public search::Listener {
    public:
        explicit 探索通知(TurnHooks* hooks)
            : hooks(hooks)
        {
        }
        void tick() override
        {
            if (hooks) {
                hooks->Timer1_Timer();
                if (hooks->思考中断())
                    深読み探索器().stop();
            }
        }
        void iteration(const search::Iteration& it) override
        {
            if (hooks)
                hooks->探索経過(it);
        }

    private:
        TurnHooks* hooks;
    };

    // A search score in the one-ply evaluation's tenths: a swallow is 100 in
    // both; a won game is 評価_鵬取り less 10 for every ply before the capture.
    int 深読み評価(int score)
    {
        using namespace search;
        if (score >= MateBound)
            return 評価_鵬取り - 10 * (MateScore - score);
        if (score <= -MateBound)
            return -評価_鵬取り + 10 * (MateScore + score);
        return score;
    }

    最善手 深読み(GameState& g, EngineState& e, TurnHooks* hooks, const search::Limits* 制限)
    {
        if (hooks)
            hooks->Timer1_Timer();
        探索通知 listener(hooks);
        const search::Limits limits = 制限 ? *制限 : search::levelLimits(g.レベル);
        深読み探索器().setThreads(深読みスレッド数(g.レベル));
        const search::探索結果 r = search::探索_最善手(深読み探索器(), g, limits, &listener);
        e.最高評価 = 深読み評価(r.詳細.score);
        最善手 best;
        if (r.ある)
            best = { r.元列, r.元段, r.先列, r.先段, r.駒, r.成駒, true };
        return best;
    }

    // No move of either side is made once the game is decided or the record is full.
    着手拒否 対局継続拒否(const GameState& g)
    {
        if (g.勝者 != -1)
            return 着手拒否::終局;
        return 棋譜満杯(g) ? 着手拒否::満杯 : 着手拒否::なし;
    }

} // namespace

int 着手記録実行(GameState& g, int 元列, int 元段, int 先列, int 先段, int 駒, int 成駒値,
    const 記録時間& 時間, TurnHooks* hooks)
{
    const int captured = g.盤[先列][先段];
    手順保存(g, 元列, 元段, 先列, 先段, 駒, 成駒値, 時間.MAN前, 時間.MAN後, 時間.COM前, 時間.COM後);
    ++g.手数;
    if (hooks) {
        hooks->描画_手数();
        hooks->着手前();
    }
    const int 移動元段 = 元列 == COM持駒列 ? 7 - 元段 : 元段;
    駒移動(g, 元列, 移動元段, 先列, 先段, 成駒値, viewOf(hooks));
    if (hooks)
        hooks->着手音();
    return captured;
}

人間着手結果 MAN着手(GameState& g, EngineState& e, int 元列, int 元段, int 先列, int 先段,
    int 成駒値, TurnHooks* hooks)
{
    人間着手結果 result;
    result.拒否 = 対局継続拒否(g);
    if (result.拒否 != 着手拒否::なし)
        return result;
    調査_2燕フラグ設定(g);
    const int 駒 = 着手駒(g, 元列, 元段);
    bool legal = 駒 != 0 && 移動チェック(g, 元列, 元段, 先列, 先段, 駒) == 1;
    if (legal) {
        const bool promotes = 成駒値 != 駒;
        legal = !promotes || (調査_駒成(g, 元列, 元段, 先列, 先段, 駒) == 1 && 成駒値 == g.成駒);
        legal = legal && 移動後チェック(先段, 成駒値) == 1;
    }
    if (!legal) {
        result.拒否 = 着手拒否::反則;
        return result;
    }

    if (hooks)
        hooks->手番終了();
    result.取駒 = 着手記録実行(g, 元列, 元段, 先列, 先段, 駒, 成駒値,
        { g.MAN所有時間, g.MAN所有時間 + g.手番経過秒, g.COM所有時間, g.COM所有時間 }, hooks);
    g.MAN所有時間 += g.手番経過秒;
    勢力調査(g, e);
    result.詰め = 詰めかCOM(g, e);
    if (result.詰め == 1 || result.取駒 == 鵬)
        g.勝者 = g.MAN手番;
    else
        g.手番 = g.COM手番;
    return result;
}

COM着手結果 com_ban(GameState& g, EngineState& e, TurnHooks* hooks, const search::Limits* 制限)
{
    COM着手結果 result;
    result.拒否 = 対局継続拒否(g);
    if (result.拒否 != 着手拒否::なし)
        return result;

    const 最善手 best = g.レベル >= 4 ? 深読み(g, e, hooks, 制限) : 探索(g, e, hooks);
    if (hooks && hooks->思考中断()) {
        result.拒否 = 着手拒否::中断;
        return result;
    }
    // The clock ran out while the computer thought: the game is decided and
    // the move is not made.
    if (g.勝者 != -1) {
        result.拒否 = 着手拒否::終局;
        return result;
    }
    if (!best.ある) {
        result.拒否 = 着手拒否::指手なし;
        return result;
    }

    if (hooks)
        hooks->手番終了();
    手順保存(g, best.元列, best.元段, best.先列, best.先段, best.駒, best.成駒, g.MAN所有時間,
        g.MAN所有時間, g.COM所有時間, g.COM所有時間 + g.手番経過秒);
    ++g.手数;
    if (hooks) {
        hooks->描画_手数();
        if (best.元列 == COM持駒列)
            hooks->描画_駒点滅(best.成駒, COM持駒列, 7 - best.元段);
        else
            hooks->描画_駒点滅(best.駒, best.元列, best.元段);
    }
    駒移動(g, best.元列, best.元段, best.先列, best.先段, best.成駒, viewOf(hooks));
    if (hooks)
        hooks->着手音();
    勢力調査(g, e);

    result.元列 = best.元列;
    result.元段 = best.元段;
    result.先列 = best.先列;
    result.先段 = best.先段;
    result.駒 = best.駒;
    result.成駒 = best.成駒;
    result.評価 = e.最高評価;
    // Taking the phoenix is the computer's win; the mate test would look at
    // the square where the phoenix no longer stands.
    result.詰め = g.勝者 == g.COM手番 ? 0 : 詰めかMAN(g, e);
    return result;
}

} // namespace tori
