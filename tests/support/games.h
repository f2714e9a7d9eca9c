// Games for the record tests, played through the rule procedures as the mouse
// input and the computer play them: 手順保存 while the captured piece still
// stands, then 駒移動 with the final code.
#pragma once

#include "rules/rules.h"
#include "rules/state.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace tori::testing {

struct 指し手 {
    int 元列, 元段, 先列, 先段, 駒;
};

// Every move and drop the rules allow the side (upper or lower) in g.
inline std::vector<指し手> 合法手(GameState& g, bool upper)
{
    std::vector<指し手> moves;
    auto own = [upper](int code) { return upper ? 上手駒(code) : 下手駒(code); };
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            const int code = g.盤[c][r];
            if (!own(code))
                continue;
            for (int tc = 1; tc <= 7; ++tc)
                for (int tr = 1; tr <= 7; ++tr)
                    if (!own(g.盤[tc][tr]) && 移動チェック(g, c, r, tc, tr, code) == 1)
                        moves.push_back({ c, r, tc, tr, code });
        }
    調査_2燕フラグ設定(g);
    for (int slot = 1; slot <= 6; ++slot) {
        const int count = upper ? g.持駒_COM[slot] : g.持駒_MAN[slot];
        if (count <= 0)
            continue;
        const int code = upper ? 持駒種類(slot) : -持駒種類(slot);
        const int fc = upper ? COM持駒列 : MAN持駒列;
        const int fr = upper ? slot : slot + 1;
        for (int tc = 1; tc <= 7; ++tc)
            for (int tr = 1; tr <= 7; ++tr)
                if (g.盤[tc][tr] == 空 && 移動チェック(g, fc, fr, tc, tr, code) == 1)
                    moves.push_back({ fc, fr, tc, tr, code });
    }
    return moves;
}

// Plays one move with its clock: the mover's total grows by dt seconds. An
// upper drop is recorded with the slot (the computer) or, with screenRow, with
// the pressed row 7 - slot (the mouse); 駒移動 always gets the slot.
inline void 指す(GameState& g, const 指し手& m, bool promote, double dt, bool screenRow = false)
{
    const bool upper = 上手駒(m.駒);
    int recordedRow = m.元段;
    if (m.元列 == COM持駒列 && screenRow)
        recordedRow = 7 - m.元段;
    int placed = m.駒;
    if (調査_駒成(g, m.元列, m.元段, m.先列, m.先段, m.駒) == 1
        && (promote || 移動後チェック(m.先段, m.駒) == 0))
        placed = g.成駒;
    const double man = g.MAN所有時間, com = g.COM所有時間;
    const double manAfter = upper ? man : man + dt;
    const double comAfter = upper ? com + dt : com;
    手順保存(g, m.元列, recordedRow, m.先列, m.先段, m.駒, placed, man, manAfter, com, comAfter);
    駒移動(g, m.元列, m.元段, m.先列, m.先段, placed);
    ++g.手数;
    g.MAN所有時間 = manAfter;
    g.COM所有時間 = comAfter;
}

// A game of up to `length` moves from the starting position, lower side
// first, chosen by a fixed pseudo-random sequence that prefers captures so
// that both hands fill and get dropped from. Stops when a phoenix falls.
inline void 対局(GameState& g, int length, uint32_t seed)
{
    初期設定(g);
    g.MAN鵬_列 = 4;
    g.MAN鵬_段 = 7;
    uint32_t state = seed;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int ply = 0; ply < length && g.勝者 == -1; ++ply) {
        const bool upper = ply % 2 == 1;
        const auto moves = 合法手(g, upper);
        if (moves.empty())
            break;
        std::vector<指し手> captures, drops;
        for (const 指し手& m : moves) {
            const int target = g.盤[m.先列][m.先段];
            if (target != 空 && std::abs(target) != 鵬)
                captures.push_back(m);
            if (!盤内(m.元列, m.元段))
                drops.push_back(m);
        }
        const uint32_t pick = next();
        const std::vector<指し手>& from = !drops.empty() && pick % 3 == 0 ? drops
            : !captures.empty() && pick % 3 == 1                          ? captures
                                                                          : moves;
        const 指し手 m = from[next() % from.size()];
        指す(g, m, next() % 2 == 0, 1 + next() % 90, next() % 2 == 0);
    }
}

} // namespace tori::testing
