#include "engine/engine.h"
#include "rules/rules.h"

namespace tori {

namespace {

    // 1 when a quail of the side given by its codes may now move onto (kc, kr).
    int 鶉が届く(const GameState& g, int 左, int 右, int kc, int kr)
    {
        for (int c = 1; c <= 7; ++c)
            for (int r = 1; r <= 7; ++r) {
                const int code = g.盤[c][r];
                if ((code == 左 || code == 右) && 移動チェック(g, c, r, kc, kr, code) == 1)
                    return 1;
            }
        return 0;
    }

} // namespace

void 調査_移動不可駒(GameState& g, EngineState& e)
{
    e.移動不可駒フラグ_COM = 0;
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            e.移動不可駒_MAN[c][r] = 0;
            int& square = g.盤[c][r];
            const int v = square;
            if (v == 空)
                continue;
            square = 空; // as if the piece had left its square
            if (v <= -10) {
                if (鶉が届く(g, 左鶉, 右鶉, g.MAN鵬_列, g.MAN鵬_段))
                    e.移動不可駒_MAN[c][r] = 1;
            } else if (v >= 10) {
                if (鶉が届く(g, -左鶉, -右鶉, g.COM鵬_列, g.COM鵬_段))
                    e.移動不可駒フラグ_COM = 1;
            }
            square = v;
        }
}

} // namespace tori
