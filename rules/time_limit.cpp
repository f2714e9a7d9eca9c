#include "rules/time_limit.h"

#include "platform/translation.h"

#include <algorithm>

namespace tori {

double 着手後持ち時間(const 持ち時間設定& limit, double bank, double seconds)
{
    return std::max(0.0, bank - std::max(0.0, seconds)) + limit.加算秒;
}

double 調査_持ち時間(const GameState& g, bool upper, int 手数)
{
    const 持ち時間設定& limit = g.持ち時間;
    double bank = limit.持ち時間秒;
    const int last = std::clamp(手数, 0, 最大手数);
    for (int n = 1; n <= last; ++n) {
        if (上手駒(g.棋譜_駒[n]) != upper)
            continue;
        const double took
            = upper ? g.棋譜_時間4[n] - g.棋譜_時間3[n] : g.棋譜_時間2[n] - g.棋譜_時間1[n];
        bank = 着手後持ち時間(limit, bank, took);
    }
    return bank;
}

時計状態 調査_時計(const 持ち時間設定& limit, double bank, double elapsed)
{
    時計状態 c;
    elapsed = std::max(0.0, elapsed);
    if (elapsed < bank) {
        c.表示秒 = bank - elapsed;
        c.残り秒 = bank - elapsed + limit.秒読み秒;
    } else if (limit.秒読み秒 > 0) {
        c.秒読み = true;
        c.残り秒 = limit.秒読み秒 - (elapsed - bank);
        c.表示秒 = std::max(0.0, c.残り秒);
    } else {
        c.残り秒 = bank - elapsed;
    }
    c.切れ = c.残り秒 <= 0;
    return c;
}

std::string 検査_持ち時間(const 持ち時間設定& limit)
{
    if (limit.持ち時間秒 < 0 || limit.持ち時間秒 > 持ち時間設定::最大持ち時間秒)
        return tr_("持ち時間は0分から600分までです");
    if (limit.秒読み秒 < 0 || limit.秒読み秒 > 持ち時間設定::最大秒読み秒)
        return tr_("秒読みは0秒から60秒までです");
    if (limit.加算秒 < 0 || limit.加算秒 > 持ち時間設定::最大加算秒)
        return tr_("加算は0秒から60秒までです");
    if (!limit.有効() && limit.加算秒 > 0)
        return tr_("加算だけでは最初の手を指す時間がありません");
    return {};
}

} // namespace tori
