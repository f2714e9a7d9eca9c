#include "engine/engine.h"
#include "rules/rules.h"

#include <cstdlib>

namespace tori {

namespace {

    // Scores are kept in tenths: 十(v) is v whole points.
    constexpr int 十(int v) { return v * 10; }

    // The first stage: captures of and threats to the phoenixes, promotion, the
    // fork term. Returns true with the final score in S when the evaluation ends.
    bool 第一段階(
        GameState& g, const EngineState& e, int CAP, int PC, int FC, int TC, int TR, int& S)
    {
        if (CAP == -鵬) {
            S = 評価_鵬取り;
            return true;
        }
        if (e.MAN勢力[g.COM鵬_列][g.COM鵬_段] >= 1) {
            S = 評価_危険;
            return true;
        }
        if (e.COM勢力[g.MAN鵬_列][g.MAN鵬_段] > 0) {
            if (詰めかMAN(g, e) == 1) {
                S = PC == 燕 ? 評価_危険 : 評価_詰め;
                return true;
            }
            if (e.MAN攻駒[TC][TR] == -鵬 && e.COM勢力[TC][TR] > 0)
                S += 十(100);
            if (e.MAN勢力[TC][TR] == 0)
                S += 十(10);
        }
        if (FC == COM持駒列)
            S -= 十(5);
        else if (PC > e.試行駒)
            S += 十(10);
        S += 盤評価_COM危険座標(g, e, PC, TC, TR);
        return false;
    }

    // The second stage: the approach to the lower phoenix, a pinned attacker, the
    // exchange on the destination and the capture.
    void 第二段階(
        GameState& g, const EngineState& e, int CAP, int PC, int FC, int FR, int TC, int TR, int& S)
    {
        const bool drop = FC == COM持駒列;
        const int kc = g.MAN鵬_列, kr = g.MAN鵬_段;

        const int dC = std::abs(TC - kc), dR = std::abs(TR - kr);
        if (dC > dR) {
            if (dC < e.鵬距離)
                S += 十(1);
        } else if (dR < e.鵬距離) {
            S += 1;
        }

        // A = the cheapest lower attacker of the destination; (0, 0) when there is
        // none, where every table holds 0.
        const int ac = e.MAN攻駒_列[TC][TR], ar = e.MAN攻駒_段[TC][TR];
        if (e.MAN勢力[ac][ar] > 0 && e.移動不可駒_MAN[ac][ar] == 1
            && (e.MAN勢力[TC][TR] == 1
                || (e.COM勢力[TC][TR] > 0 && e.COM勢力[kc][kr] > 0 && e.MAN勢力[TC][TR] == 2))
            && ((ac == kc && TC != kc) || (ar == kr && TR != kr)
                || (ac != kc && ar != kr && (TC == kc || TR == kr)))
            && 移動チェック(g, TC, TR, ac, ar, e.試行駒) == 1) {
            const int value = 十(std::abs(g.盤[ac][ar]));
            if (drop)
                S += value;
            else if (g.盤[e.COM攻駒_列_前[ac][ar]][e.COM攻駒_段_前[ac][ar]] != 空)
                S += value; // unless the piece that attacked it before is the one that moved away
        }

        const int 攻 = e.MAN攻駒[TC][TR];
        if (e.MAN勢力[TC][TR] != 0) {
            if (e.COM勢力[TC][TR] > 0) {
                if ((g.持駒_MAN[4] > 0 || g.持駒_MAN[5] > 0) && TC > 1 && TC < 7
                    && ((g.盤[TC - 1][TR] == -右鶉 && g.盤[TC + 1][TR] == 鵬)
                        || (g.盤[TC + 1][TR] == -右鶉 && g.盤[TC - 1][TR] == 鵬)))
                    S -= 十(PC);
                if (PC > std::abs(攻))
                    S = S - 十(PC) + 十(std::abs(攻));
                if (攻 == -鵬 && TR < kr && e.COM勢力[kc][kr] > 0)
                    S += 十(PC);
            } else if (drop) {
                S = S - 十(PC) - 十(50);
            } else if (e.MAN勢力_前[FC][FR] == 0) {
                S = S + 十(std::abs(e.盤_前[TC][TR])) - 十(PC);
            }
        }

        if (CAP != 0) {
            if (e.MAN勢力[TC][TR] > 0) {
                if (e.COM勢力[TC][TR] > 0) {
                    if (std::abs(攻) < 999 && g.盤[TC][TR] < std::abs(攻))
                        S += 十(std::abs(CAP));
                } else if (e.MAN勢力_前[FC][FR] > 0) {
                    if (調査_移動可場所数(g, e, FC, FR, PC) == 0)
                        S += 十(std::abs(CAP));
                    if (std::abs(CAP) >= PC)
                        S += 十(std::abs(CAP));
                }
            } else {
                S += 十(std::abs(CAP));
                if (CAP == -鴈)
                    S += 十(50);
            }
        }
    }

    int 燕評価(GameState& g, const EngineState& e, int CAP, int FC, int FR, int TC, int TR, int S)
    {
        const bool drop = FC == COM持駒列;
        if (TR < 7) {
            const int f = g.盤[TC][TR + 1];
            if (f == 鶴)
                S += 5;
            if (f == 鷹 || f == 燕)
                S -= 十(1);
            if (f < -10 && 調査_移動可場所数(g, e, TC, TR + 1, f) == 0)
                S += 十(std::abs(f));
            if (f < -10 && e.COM勢力[TC][TR] > 0)
                S = S + 十(std::abs(f)) - 十(10);
        }
        if (e.COM勢力[TC][TR] > 0 && TC > 1 && TC < 7
            && (g.盤[TC + 1][TR] == 右鶉 || g.盤[TC - 1][TR] == 右鶉))
            S -= 十(1);
        if (drop) {
            if (e.COM勢力[TC][TR] > 0 && TR > 1 && g.盤[TC][TR - 1] >= 100
                && (g.持駒_MAN[1] > 0 || g.持駒_MAN[2] > 0))
                S += 十(6);
            const int ac = e.MAN攻駒_列[TC][TR], ar = e.MAN攻駒_段[TC][TR];
            if (!(e.MAN勢力[ac][ar] == 0 && e.COM勢力_前[ac][ar] > 0) && e.COM勢力[TC][TR] > 0
                && ac == TC && e.MAN攻駒[TC][TR] == -右鶉 && TR < ar)
                return S + 十(120);
            return S;
        }

        S -= 1;
        if (e.COM守駒[TC][TR] == 鶴 || e.COM守駒[TC][TR] == 鷹)
            S += 6;
        if (TR >= 6)
            return S;

        if (e.COM守駒[TC][TR] == 右鶉 && e.COM守駒_列[TC][TR] == TC
            && e.COM勢力[TC][TR] >= e.MAN勢力[TC][TR] && e.COM守駒_段[TC][TR] < TR)
            S += 十(2);
        if (e.MAN勢力[TC][TR + 1] == 0 && g.盤[TC][TR + 2] <= -30)
            S += 十(1);
        if (g.盤[TC][TR + 1] == -燕 && e.MAN勢力[TC][TR + 1] > 0)
            S -= 十(5);
        if (TC < 6 && g.盤[TC + 1][TR] == 左鶉) {
            S += 5;
            if (g.盤[TC + 1][TR + 1] == -燕)
                S += 十(5);
        }
        if (TC > 1 && TC == 7 && TR == 4 && g.盤[6][2] == 左鶉)
            S += 十(10);
        if (TC > 1 && g.盤[TC - 1][TR] == 左鶉) {
            S += 5;
            if (g.盤[TC - 1][TR + 1] == -燕)
                S += 十(5);
        }
        if (CAP <= -10 && e.COM勢力[FC][FR] == 1) {
            if (TR > 2 && g.盤[TC][TR - 2] == 左鶉)
                S -= 十(5);
            else
                S += 十(5);
            if (CAP == -燕 && e.MAN攻駒[TC][TR] == -右鶉)
                S += 十(50);
        }
        const int front = g.盤[TC][TR + 1];
        if (front <= -10) {
            const int com = e.COM勢力[TC][TR], man = e.MAN勢力[TC][TR];
            if (com > man)
                return S + 十(1);
            if (front == -燕)
                return S - 十(5);
            if (com > 0 && e.MAN勢力_前[TC][TR + 1] == 0 && e.COM勢力_前[TC][TR + 1] > 0)
                return S - 十(1);
            if (com > 0 && com >= man)
                return S + 十(5);
            if (com == 0 && man == 0)
                return S + 十(1);
        }
        return S;
    }

    int 鶴評価(const GameState& g, const EngineState& e, int FC, int FR, int TC, int TR, int S)
    {
        if (TR > FR && TC != FC)
            S -= 5;
        if (TR == 4 && g.盤[6][4] == 左鶉 && e.MAN勢力[6][4] > 0)
            return S - 十(5);
        if (TR == 2 && g.盤[6][3] == 燕 && g.盤[6][6] == -燕 && e.MAN守駒[6][6] == -右鶉 && TC == 7)
            S += 十(10);
        if (TR == 2 && g.持駒_MAN[6] > 0 && e.COM勢力_前[TC][TR + 1] == 0
            && g.盤[TC][TR + 1] >= 10) {
            S += 十(2);
            if (e.COM勢力_前[TC][TR + 2] == 1 && g.盤[TC][TR + 2] == 左鶉)
                return S + 十(125);
        }
        return S;
    }

    int 左鶉評価(const GameState& g, const EngineState& e, int FC, int FR, int TC, int TR, int S)
    {
        S += 十(調査_周辺状況(g, TC, TR));
        if (TR < 7) {
            if (TC == 7 && TR == 3 && g.盤[7][4] == 燕 && g.盤[7][6] == -燕)
                S -= 十(10);
            if (e.MAN勢力[TC][TR + 1] > 0 && 調査_移動可場所数(g, e, TC, TR, 左鶉) == 0)
                S -= 十(100);
        }
        if (TR < 6 && e.MAN勢力[TC][TR + 1] > 0 && g.盤[TC][TR + 2] == -燕)
            S -= 十(1);
        if (FC == 7 && FR == 3 && g.盤[7][4] == 燕 && g.盤[7][6] == -燕)
            return S + 十(10);
        return S;
    }

    int 右鶉評価(const GameState& g, const EngineState& e, int FC, int FR, int TC, int TR, int S)
    {
        S += 十(調査_周辺状況(g, TC, TR));
        if (FC == COM持駒列) {
            if (TR == 7 && g.盤[TC][6] == -鷹 && TC > 1 && TC < 7
                && ((g.盤[TC - 1][7] != 空 && g.盤[TC + 1][6] == -鶴)
                    || (g.盤[TC + 1][7] != 空 && g.盤[TC - 1][6] == -鶴)))
                return S - 十(1);
            return S;
        }
        if (e.MAN勢力[TC][TR] == 0 && TC == 3 && TR == 4 && g.盤[3][7] == -左鶉 && g.盤[3][6] == -燕
            && g.盤[3][5] == 空)
            S += 十(7);
        if (TR < 6) {
            if (e.MAN勢力[TC][TR + 1] > 0) {
                S -= 十(1);
                if (g.盤[TC][TR + 2] == -燕 && FR == TR)
                    S -= 十(5);
            }
            if (FR < 7 && g.盤[6][FR + 1] == -燕 && e.MAN守駒[6][FR + 1] == -右鶉) {
                if (e.COM勢力[6][FR] < e.COM勢力_前[6][FR])
                    S -= 十(11);
                if (g.盤[5][FR] == 燕 && TR != FR)
                    S -= 十(11);
            }
            if (e.MAN勢力[FC][FR] == 0 && FC == 2 && FR == 2 && TC == 2 && TR == 3)
                S -= 十(1);
        }
        if (e.MAN勢力[TC][TR] == 0 || (e.MAN攻駒[TC][TR] == -鵬 && e.COM勢力[TC][TR] > 0)) {
            const int r = 調査_移動可場所数(g, e, TC, TR, 右鶉);
            if (r <= 1)
                return S - 十(35);
            const int kc = g.MAN鵬_列, kr = g.MAN鵬_段;
            if ((TC == kc || TR == kr) && std::abs(TC - kc) < 3 && std::abs(TR - kr) < 3)
                return S + 十(100);
        }
        return S;
    }

    // The third stage: one block of rules for the kind that now stands on the
    // destination. A drop takes its hand slot as the from-row here.
    int 第三段階(
        GameState& g, const EngineState& e, int CAP, int PC, int FC, int FR, int TC, int TR, int S)
    {
        switch (PC) {
        case 燕:
            return 燕評価(g, e, CAP, FC, FR, TC, TR, S);
        case 鴈:
            return e.COM勢力[TC][TR] >= e.MAN勢力[TC][TR] ? S + 十(1) : S;
        case 雉:
            S -= 1;
            if (TC > 1 && TC < 7 && TR < 6 && e.MAN勢力[TC - 1][TR + 2] > 0
                && e.MAN勢力[TC + 1][TR + 2] > 0)
                S -= 十(1);
            return S;
        case 鷹:
            if (TR > 1) {
                if (TR > FR && TC == FC)
                    S -= 1;
                if (g.盤[TC][TR - 1] == 燕)
                    S -= 十(5);
            }
            return S;
        case 鶴:
            return 鶴評価(g, e, FC, FR, TC, TR, S);
        case 左鶉:
            return 左鶉評価(g, e, FC, FR, TC, TR, S);
        case 右鶉:
            return 右鶉評価(g, e, FC, FR, TC, TR, S);
        case 鵬:
            if (e.移動不可駒フラグ_COM == 1)
                S += 十(10);
            if (TR > FR)
                S -= 十(2);
            if (e.COM勢力[TC][TR] > e.COM勢力_前[TC][TR])
                S += 十(1);
            if (調査_移動可場所数(g, e, TC, TR, 鵬) < 2)
                S -= 十(20);
            return S;
        default: // the eagle gets nothing more
            return S;
        }
    }

} // namespace

int 盤評価(GameState& g, const EngineState& e, int 取駒, int 成駒値, int 元列, int 元段, int 先列,
    int 先段)
{
    int S = 0;
    if (第一段階(g, e, 取駒, 成駒値, 元列, 先列, 先段, S))
        return S;
    if (g.レベル < 2)
        return S;
    第二段階(g, e, 取駒, 成駒値, 元列, 元段, 先列, 先段, S);
    if (g.レベル < 3)
        return S;
    return 第三段階(g, e, 取駒, 成駒値, 元列, 元段, 先列, 先段, S);
}

int 盤評価_COM危険座標(const GameState& g, const EngineState& e, int 駒, int 列, int 段)
{
    if (e.MAN勢力[列][段] != 0)
        return 0; // the piece's own square is attacked: no target counts
    int value = 0, count = 0, least = 9999;
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            const int code = g.盤[c][r];
            if (code > -10 || (e.MAN勢力[c][r] != 0 && code != -鵬))
                continue;
            if (移動チェック(g, 列, 段, c, r, 駒) != 1)
                continue;
            value += 1;
            ++count;
            if (std::abs(code) < least)
                least = std::abs(code);
        }
    if (count > 1)
        value += 十(least);
    return value;
}

int 調査_移動可場所数(const GameState& g, const EngineState& e, int 列, int 段, int 駒)
{
    const auto& 敵勢力 = 駒 >= 10 ? e.MAN勢力 : e.COM勢力;
    int count = 0;
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r)
            if (移動チェック(g, 列, 段, c, r, 駒) == 1 && 敵勢力[c][r] == 0)
                ++count;
    return count;
}

int 調査_周辺状況(const GameState& g, int 列, int 段)
{
    int value = 0;
    for (int c = 列 - 1; c <= 列 + 1; ++c)
        for (int r = 段 - 1; r <= 段 + 1; ++r)
            if (盤内(c, r) && !(c == 列 && r == 段) && g.盤[c][r] >= 800)
                value -= 1;
    return value;
}

} // namespace tori
