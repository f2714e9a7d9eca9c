// Helpers for the computer opponent's tests: a position from a diagram with
// its survey, one trial move scored as the search scores it, and hooks that
// write down what a turn shows.
#pragma once

#include "engine/engine.h"
#include "engine/turn.h"
#include "rules/rules.h"
#include "support/diagram.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace tori::testing {

// The score, in tenths, of one computer move placed as `placed` in the position
// as it stands, evaluated as the search evaluates its trials.
inline int 試行評価(GameState& g, EngineState& e, int fc, int fr, int tc, int tr, int placed)
{
    着手前局面(g, e);
    return 試行手評価(g, e, fc, fr, tc, tr, placed);
}

inline void 手駒(GameState& g, std::array<int, 7> com, std::array<int, 7> man)
{
    g.持駒_COM = com;
    g.持駒_MAN = man;
    g.持駒数_COM = g.持駒数_MAN = 0;
    for (int slot = 1; slot <= 6; ++slot) {
        g.持駒数_COM += com[slot];
        g.持駒数_MAN += man[slot];
    }
}

struct RecordingHooks : TurnHooks {
    std::vector<std::string> calls;
    int timer = 0;
    void Timer1_Timer() override { ++timer; }
    void 手番終了() override { calls.push_back("手番終了"); }
    void 描画_手数() override { calls.push_back("描画_手数"); }
    void 描画_駒点滅(int code, int col, int row) override
    {
        calls.push_back("描画_駒点滅 " + std::to_string(code) + " " + std::to_string(col) + " "
            + std::to_string(row));
    }
    void 着手前() override { calls.push_back("着手前"); }
    void 着手音() override { calls.push_back("着手音"); }
};

} // namespace tori::testing
