// Random sparse positions for the search's tests: each phoenix on its own
// edge, up to four more pieces of each side anywhere below the first row, a
// third of the hand slots holding a piece, either side to move. The caller
// skips a position without two phoenixes.
#pragma once

#include "rules/rules.h"
#include "search/position.h"

#include <random>

namespace tori::search::test_support {

inline Position randomSparsePosition(std::mt19937& rng)
{
    GameState g;
    初期設定(g);
    for (auto& column : g.盤)
        column.fill(0);
    static const int codes[] = { 燕, 鴈, 雉, 鷹, 鷹成, 鶴, 左鶉, 右鶉 };
    for (int side = 0; side < 2; ++side) {
        const int sign = side == Upper ? 1 : -1;
        g.盤[1 + rng() % 7][side == Upper ? 1 : 7] = sign * 鵬;
        for (int i = 0; i < 4; ++i) {
            const int c = 1 + int(rng() % 7), r = 2 + int(rng() % 5);
            if (g.盤[c][r] == 0)
                g.盤[c][r] = sign * codes[rng() % 8];
        }
        auto& hand = side == Upper ? g.持駒_COM : g.持駒_MAN;
        for (int slot = 1; slot <= 6; ++slot)
            hand[slot] = int(rng() % 3 == 0);
    }
    return Position::fromGame(g, int(rng() % 2));
}

} // namespace tori::search::test_support
