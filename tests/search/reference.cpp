#include "reference.h"

#include "rules/rules.h"
#include "search/game.h"

#include <algorithm>
#include <cstdlib>

namespace tori::testing {

using namespace search;

std::vector<GameMove> referenceMoves(GameState& g, int side)
{
    std::vector<GameMove> moves;
    const int sign = side == Upper ? 1 : -1;
    調査_2燕フラグ設定(g);
    for (int fc = 1; fc <= 7; ++fc)
        for (int fr = 1; fr <= 7; ++fr) {
            const int code = g.盤[fc][fr];
            if (code * sign < 10)
                continue;
            for (int tc = 1; tc <= 7; ++tc)
                for (int tr = 1; tr <= 7; ++tr) {
                    if (移動チェック(g, fc, fr, tc, tr, code) != 1)
                        continue;
                    if (調査_駒成(g, fc, fr, tc, tr, code) == 1)
                        moves.push_back({ fc, fr, tc, tr, g.成駒 });
                    if (移動後チェック(tr, code) == 1)
                        moves.push_back({ fc, fr, tc, tr, code });
                }
        }
    const auto& hand = side == Upper ? g.持駒_COM : g.持駒_MAN;
    for (int slot = 1; slot <= 6; ++slot) {
        if (hand[slot] <= 0)
            continue;
        const int code = sign * 持駒種類(slot);
        const int fc = side == Upper ? COM持駒列 : MAN持駒列;
        const int fr = side == Upper ? slot : slot + 1;
        for (int tc = 1; tc <= 7; ++tc)
            for (int tr = 1; tr <= 7; ++tr)
                if (移動チェック(g, fc, fr, tc, tr, code) == 1)
                    moves.push_back({ fc, fr, tc, tr, code });
    }
    std::sort(moves.begin(), moves.end());
    return moves;
}

GameMove gameMove(const Position& p, Move m)
{
    const 探索結果 r = ゲーム着手(p, m);
    return { r.元列, r.元段, r.先列, r.先段, r.成駒 };
}

std::vector<GameMove> generatedMoves(const Position& p)
{
    MoveList list;
    p.generate(list);
    std::vector<GameMove> moves;
    for (const Move m : list)
        moves.push_back(gameMove(p, m));
    std::sort(moves.begin(), moves.end());
    return moves;
}

Taken referenceMake(GameState& g, const GameMove& m)
{
    Taken t;
    t.captured = g.盤[m[2]][m[3]];
    t.moved = 盤内(m[0], m[1]) ? g.盤[m[0]][m[1]] : 0;
    駒移動(g, m[0], m[1], m[2], m[3], m[4]);
    return t;
}

void referenceUndo(GameState& g, const GameMove& m, const Taken& t)
{
    g.盤[m[2]][m[3]] = t.captured;
    if (m[0] == COM持駒列) {
        ++g.持駒_COM[m[1]];
        ++g.持駒数_COM;
    } else if (m[0] == MAN持駒列) {
        ++g.持駒_MAN[m[1] - 1];
        ++g.持駒数_MAN;
    } else
        g.盤[m[0]][m[1]] = t.moved;
    if (t.captured == 0)
        return;
    if (std::abs(t.captured) == 鵬)
        g.勝者 = -1;
    else if (上手駒(t.captured))
        --g.持駒_MAN[持駒番号(t.captured)];
    else
        --g.持駒_COM[持駒番号(t.captured)];
    if (上手駒(t.captured))
        --g.持駒数_MAN;
    else
        --g.持駒数_COM;
}

std::uint64_t referencePerft(GameState& g, int side, int depth)
{
    if (depth == 0)
        return 1;
    const std::vector<GameMove> moves = referenceMoves(g, side);
    if (depth == 1)
        return moves.size();
    std::uint64_t n = 0;
    for (const GameMove& m : moves) {
        const Taken t = referenceMake(g, m);
        if (std::abs(t.captured) != 鵬)
            n += referencePerft(g, side ^ 1, depth - 1);
        referenceUndo(g, m, t);
    }
    return n;
}

std::uint64_t perft(Position& p, int depth)
{
    if (depth == 0)
        return 1;
    MoveList list;
    p.generate(list);
    if (depth == 1)
        return list.size;
    std::uint64_t n = 0;
    for (const Move m : list) {
        if (kindOf(p.capturedBy(m)) == Phoenix)
            continue;
        Undo u;
        p.make(m, u);
        n += perft(p, depth - 1);
        p.unmake(m, u);
    }
    return n;
}

} // namespace tori::testing
