#include "engine/engine.h"
#include "rules/rules.h"

#include <cstdlib>

namespace tori {

namespace {

    // Puts a square back as it was when the guard was made, on every way out.
    class 桝復元 {
    public:
        explicit 桝復元(int& square)
            : square_(square)
            , saved_(square)
        {
        }
        ~桝復元() { square_ = saved_; }
        桝復元(const 桝復元&) = delete;
        桝復元& operator=(const 桝復元&) = delete;

    private:
        int& square_;
        int saved_;
    };

    // What differs between the two sides' mate tests. 下 is the defending side:
    // true for the lower side (詰めかMAN), false for the upper (詰めかCOM).
    struct 守り方 {
        int 鵬列, 鵬段; // the defending phoenix
        int 持駒数, 燕持駒; // its hand: the total and slot 1
        int 燕; // the trial blocker of the drop test
        int 鵬; // the defending phoenix's code
        const 盤配列<int>& 敵勢力; // how many attackers reach each square
        const 盤配列<int>& 王手; // check map against the defending phoenix
    };

    // 0 when some attacker standing on a square marked 9 may still move onto K.
    bool 攻撃残る(const GameState& g, const 盤配列<int>& 王手, int kc, int kr)
    {
        for (int c = 1; c <= 7; ++c)
            for (int r = 1; r <= 7; ++r)
                if (王手[c][r] == 9 && g.盤[c][r] != 空
                    && 移動チェック(g, c, r, kc, kr, g.盤[c][r]) == 1)
                    return true;
        return false;
    }

    // The first defences of both mate tests (not in check, a blocking drop, a
    // flight): 1 mated so far (go on with the captures and blocks on the board),
    // 0 a defence found, -1 not in check at all.
    int 合駒と逃げ(GameState& g, const 守り方& s)
    {
        const int kc = s.鵬列, kr = s.鵬段;
        if (!盤内(kc, kr) || s.敵勢力[kc][kr] == 0)
            return -1;

        if (s.持駒数 > 0) {
            bool blocked = true;
            for (int c = 1; c <= 7 && blocked; ++c)
                for (int r = 1; r <= 7; ++r) {
                    const int mark = s.王手[c][r];
                    if (mark == 9 && std::abs(c - kc) < 2 && std::abs(r - kr) < 2) {
                        blocked = false; // an adjacent attacker or a stepper: no drop helps
                        break;
                    }
                    if (mark != 1)
                        continue;
                    // A hand of swallows only never counts as a blocker: the trial
                    // swallow comes off again at once.
                    bool still;
                    {
                        桝復元 keep(g.盤[c][r]);
                        if (s.持駒数 != s.燕持駒)
                            g.盤[c][r] = s.燕;
                        still = 攻撃残る(g, s.王手, kc, kr);
                    }
                    if (still) {
                        blocked = false;
                        break;
                    }
                }
            if (blocked)
                return 0;
        }

        for (int c = kc - 1; c <= kc + 1; ++c)
            for (int r = kr - 1; r <= kr + 1; ++r)
                if (盤内(c, r) && 移動チェック(g, kc, kr, c, r, s.鵬) == 1 && s.敵勢力[c][r] == 0)
                    return 0;
        return 1;
    }

} // namespace

int 詰めかMAN_COM移動(const GameState& g)
{
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            const int code = g.盤[c][r];
            if (code >= 10 && 移動チェック(g, c, r, g.MAN鵬_列, g.MAN鵬_段, code) == 1)
                return 1;
        }
    return 0;
}

int 詰めかMAN(GameState& g, const EngineState& e)
{
    const 守り方 s { g.MAN鵬_列, g.MAN鵬_段, g.持駒数_MAN, g.持駒_MAN[1], -燕, -鵬, e.COM勢力,
        e.COM王手 };
    const int so_far = 合駒と逃げ(g, s);
    if (so_far != 1)
        return so_far == -1 ? 0 : so_far;

    for (int c = 1; c <= 7; ++c)
        for (int d = 1; d <= 7; ++d) {
            const int code = g.盤[c][d];
            if (code > -10 || code < -右鶉)
                continue;
            for (int e1 = 1; e1 <= 7; ++e1)
                for (int f = 1; f <= 7; ++f) {
                    // Both tests are pure, so asking the map first changes nothing.
                    if ((e1 == c && f == d) || e.COM王手[e1][f] <= 0
                        || 移動チェック(g, c, d, e1, f, code) != 1)
                        continue;
                    int still;
                    {
                        桝復元 from(g.盤[c][d]);
                        桝復元 to(g.盤[e1][f]);
                        g.盤[e1][f] = code;
                        g.盤[c][d] = 空;
                        still = 詰めかMAN_COM移動(g);
                    }
                    if (still == 0)
                        return 0;
                }
        }
    return 1;
}

int 詰めかCOM(GameState& g, EngineState& e)
{
    // The candidate squares come from the check map of the position under
    // test: the re-surveys of the trials below rewrite MAN王手, and reading the
    // trial's map would let the scan order decide the answer.
    const 盤配列<int> 王手 = e.MAN王手;
    const 盤配列<int> 勢力 = e.MAN勢力;
    const 守り方 s { g.COM鵬_列, g.COM鵬_段, g.持駒数_COM, g.持駒_COM[1], 燕, 鵬, 勢力, 王手 };
    const int so_far = 合駒と逃げ(g, s);
    if (so_far != 1)
        return so_far == -1 ? 0 : so_far;

    const int kc = g.COM鵬_列, kr = g.COM鵬_段;
    for (int c = 1; c <= 7; ++c)
        for (int d = 1; d <= 7; ++d) {
            const int code = g.盤[c][d];
            if (code < 10 || code > 右鶉)
                continue;
            for (int e1 = 1; e1 <= 7; ++e1)
                for (int f = 1; f <= 7; ++f) {
                    if ((e1 == c && f == d) || 王手[e1][f] <= 0
                        || 移動チェック(g, c, d, e1, f, code) != 1)
                        continue;
                    {
                        桝復元 from(g.盤[c][d]);
                        桝復元 to(g.盤[e1][f]);
                        g.盤[e1][f] = code;
                        g.盤[c][d] = 空;
                        勢力調査(g, e);
                    }
                    if (e.MAN勢力[kc][kr] == 0)
                        return 0;
                }
        }
    return 1;
}

} // namespace tori
