#include "rules/rules.h"

#include <cstdlib>

namespace tori {

namespace {

    int sign(int v) { return (v > 0) - (v < 0); }

    // A quail: forward a straight slide, backward a diagonal slide toward one
    // hand (dcSlide) and a single diagonal step toward the other. f is the
    // side's forward row direction.
    int 鶉(const GameState& g, int fc, int fr, int tc, int tr, int f, int dcSlide)
    {
        const int dc = tc - fc, dr = tr - fr;
        if (dc == 0 && sign(dr) == f)
            return 移動チェック右鶉(g, fc, fr, tc, tr);
        if (sign(dr) == -f && sign(dc) == dcSlide)
            return 移動チェック角(g, fc, fr, tc, tr);
        return dc == -dcSlide && dr == -f ? 1 : 0;
    }

} // namespace

int 移動チェック角(const GameState& g, int 元列, int 元段, int 先列, int 先段)
{
    const int dc = 先列 - 元列, dr = 先段 - 元段;
    if (dc != dr && dc != -dr)
        return 0;
    const int sc = sign(dc), sr = sign(dr);
    for (int c = 元列 + sc, r = 元段 + sr; c != 先列; c += sc, r += sr)
        if (g.盤[c][r] != 空)
            return 0;
    return 1;
}

int 移動チェック飛車(const GameState& g, int 元列, int 元段, int 先列, int 先段)
{
    if (元列 != 先列 && 元段 != 先段)
        return 0;
    if (元段 != 先段) {
        const int s = sign(先段 - 元段);
        for (int k = 元段 + s; k != 先段; k += s)
            if (g.盤[先列][k] != 空)
                return 0;
    }
    if (元列 != 先列) {
        const int s = sign(先列 - 元列);
        for (int k = 元列 + s; k != 先列; k += s)
            if (g.盤[k][先段] != 空)
                return 0;
    }
    return 1;
}

int 移動チェック右鶉(const GameState& g, int 元列, int 元段, int 先列, int 先段)
{
    return 移動チェック飛車(g, 元列, 元段, 先列, 先段);
}

int 移動チェック(const GameState& g, int 元列, int 元段, int 先列, int 先段, int 駒)
{
    if (!盤内(先列, 先段))
        return 0;
    if (元列 == 先列 && 元段 == 先段)
        return 0;
    const int target = g.盤[先列][先段];
    if ((駒 >= 10 && target >= 10) || (駒 < 10 && target <= -10))
        return 0;

    const bool drop = 元列 == MAN持駒列 || 元列 == COM持駒列;
    if (drop) {
        if (target != 空)
            return 0; // a drop never captures
        if (駒 == -燕 && g.二燕フラグ_MAN[先列] == 1)
            return 0;
        if (駒 == 燕 && g.二燕フラグ_COM[先列] == 1)
            return 0;
        if (駒 != 燕 && 駒 != -燕)
            return 1;
        // A dropped swallow may go anywhere but its side's last row.
        return 駒 == 燕 ? (先段 != 7 ? 1 : 0) : (先段 != 1 ? 1 : 0);
    }
    if (!盤内(元列, 元段))
        return 0;

    const int f = 駒 >= 10 ? 1 : -1;
    const int dc = 先列 - 元列, dr = 先段 - 元段;
    const int adc = std::abs(dc), adr = std::abs(dr);
    switch (駒) {
    case 燕:
    case -燕:
        return dc == 0 && dr == f;
    case 鴈:
    case -鴈:
        return (adc == 2 && dr == 2 * f) || (dc == 0 && dr == -2 * f);
    case 雉:
    case -雉:
        return (dc == 0 && dr == 2 * f) || (adc == 1 && dr == -f);
    case 鷹:
    case -鷹:
        return adc <= 1 && adr <= 1 && !(dc == 0 && dr == -f);
    case 鷹成:
    case -鷹成:
        if (sign(dr) == f)
            return (adc == adr && 移動チェック角(g, 元列, 元段, 先列, 先段))
                || (dc == 0 && dr == f);
        if (dr == 0)
            return adc == 1;
        return (dc == 0 && 移動チェック飛車(g, 元列, 元段, 先列, 先段))
            || (adc == 2 && dr == -2 * f);
    case 鶴:
    case -鶴:
        return adc <= 1 && adr == 1;
    case 鵬:
    case -鵬:
        return adc <= 1 && adr <= 1;
    // The player's right is the board's left for the upper side and the
    // board's right for the lower side.
    case 左鶉:
        return 鶉(g, 元列, 元段, 先列, 先段, 1, -1);
    case 右鶉:
        return 鶉(g, 元列, 元段, 先列, 先段, 1, 1);
    case -左鶉:
        return 鶉(g, 元列, 元段, 先列, 先段, -1, 1);
    case -右鶉:
        return 鶉(g, 元列, 元段, 先列, 先段, -1, -1);
    default:
        return 0; // not a piece
    }
}

} // namespace tori
