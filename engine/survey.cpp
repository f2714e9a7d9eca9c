#include "engine/engine.h"
#include "rules/rules.h"

#include <algorithm>

namespace tori {

namespace {

    // A step piece reaches at most two squares in any direction (the pheasant's
    // and the goose's jumps), so the targets further away can never pass the move
    // check; leaving them out keeps the columns-then-rows order of the rest.
    constexpr int 歩幅 = 2;

    // One step piece of either side. 自 = lower: counts in MAN勢力, the lowest
    // defending code in MAN守駒, the attacker nearest zero in MAN攻駒; the upper
    // side keeps the lowest code in both its records, with their squares.
    template <bool 自> void 勢力確定駒(GameState& g, EngineState& e, int 駒, int c, int r)
    {
        for (int i = std::max(1, c - 歩幅); i <= std::min(7, c + 歩幅); ++i)
            for (int a = std::max(1, r - 歩幅); a <= std::min(7, r + 歩幅); ++a) {
                int& square = g.盤[i][a];
                const int X = square;
                square = 空; // only for this one move check
                const int reach = 移動チェック(g, c, r, i, a, 駒);
                square = X;
                if (reach != 1)
                    continue;
                if constexpr (自) {
                    ++e.MAN勢力[i][a];
                    if (X <= -10 && 駒 < e.MAN守駒[i][a]) {
                        e.MAN守駒[i][a] = 駒;
                    } else if (X >= 10 && 駒 > e.MAN攻駒[i][a]) {
                        e.MAN攻駒[i][a] = 駒;
                        e.MAN攻駒_列[i][a] = c;
                        e.MAN攻駒_段[i][a] = r;
                    }
                    if (X == 鵬) {
                        e.MAN王手[c][r] = 9;
                        e.MAN王手[i][a] = 9;
                    }
                } else {
                    ++e.COM勢力[i][a];
                    if (X >= 10 && 駒 < e.COM守駒[i][a]) {
                        e.COM守駒[i][a] = 駒;
                        e.COM守駒_列[i][a] = c;
                        e.COM守駒_段[i][a] = r;
                    } else if (X <= -10 && 駒 < e.COM攻駒[i][a]) {
                        e.COM攻駒[i][a] = 駒;
                        e.COM攻駒_列[i][a] = c;
                        e.COM攻駒_段[i][a] = r;
                    }
                    if (X == -鵬) {
                        e.COM王手[c][r] = 9;
                        e.COM王手[i][a] = 9;
                    }
                }
            }
    }

    // A slide of either side in the direction (dc, dr). Lower diagonal slides
    // record no defender (直進 false): only the step survey and the
    // straight slides fill MAN守駒.
    void 勢力確定滑り(
        const GameState& g, EngineState& e, int 駒, int c, int r, int dc, int dr, bool 直進)
    {
        const bool 自 = 駒 < 0;
        auto& 勢力 = 自 ? e.MAN勢力 : e.COM勢力;
        auto& 王手 = 自 ? e.MAN王手 : e.COM王手;
        const int 敵鵬 = 自 ? 鵬 : -鵬;
        for (int x = c + dc, y = r + dr; 盤内(x, y); x += dc, y += dr) {
            const int X = g.盤[x][y];
            ++勢力[x][y];
            if (自) {
                if (X <= -10 && 直進 && 駒 < e.MAN守駒[x][y]) {
                    e.MAN守駒[x][y] = 駒;
                } else if (X >= 10 && 駒 > e.MAN攻駒[x][y]) {
                    e.MAN攻駒[x][y] = 駒;
                    e.MAN攻駒_列[x][y] = c;
                    e.MAN攻駒_段[x][y] = r;
                }
            } else {
                if (X >= 10 && 駒 < e.COM守駒[x][y]) {
                    e.COM守駒[x][y] = 駒;
                    e.COM守駒_列[x][y] = c;
                    e.COM守駒_段[x][y] = r;
                } else if (X <= -10 && 駒 < e.COM攻駒[x][y]) {
                    e.COM攻駒[x][y] = 駒;
                    e.COM攻駒_列[x][y] = c;
                    e.COM攻駒_段[x][y] = r;
                }
            }
            if (X != 空 && X != 敵鵬)
                return;
            if (X == 敵鵬) {
                // The squares between the slider and the phoenix are where the
                // check could be blocked; the slider itself is the attacker.
                for (int bx = x - dc, by = y - dr; bx != c || by != r; bx -= dc, by -= dr)
                    王手[bx][by] = 1;
                王手[c][r] = 9;
            }
        }
    }

} // namespace

void 勢力確定自駒(GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定駒<true>(g, e, 駒, 列, 段);
}
void 勢力確定敵駒(GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定駒<false>(g, e, 駒, 列, 段);
}

void 勢力確定上直進(const GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定滑り(g, e, 駒, 列, 段, 0, -1, true);
}
void 勢力確定下直進(const GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定滑り(g, e, 駒, 列, 段, 0, 1, true);
}
void 勢力確定自_左上(const GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定滑り(g, e, 駒, 列, 段, -1, -1, false);
}
void 勢力確定自_左下(const GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定滑り(g, e, 駒, 列, 段, -1, 1, false);
}
void 勢力確定自_右上(const GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定滑り(g, e, 駒, 列, 段, 1, -1, false);
}
void 勢力確定自_右下(const GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定滑り(g, e, 駒, 列, 段, 1, 1, false);
}
void 勢力確定敵_左上(const GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定滑り(g, e, 駒, 列, 段, -1, -1, false);
}
void 勢力確定敵_左下(const GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定滑り(g, e, 駒, 列, 段, -1, 1, false);
}
void 勢力確定敵_右上(const GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定滑り(g, e, 駒, 列, 段, 1, -1, false);
}
void 勢力確定敵_右下(const GameState& g, EngineState& e, int 駒, int 列, int 段)
{
    勢力確定滑り(g, e, 駒, 列, 段, 1, 1, false);
}

void 勢力調査(GameState& g, EngineState& e)
{
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            e.MAN勢力[c][r] = 0;
            e.COM勢力[c][r] = 0;
            e.MAN王手[c][r] = 0;
            e.COM王手[c][r] = 0;
            e.MAN攻駒_列[c][r] = 0;
            e.MAN攻駒_段[c][r] = 0;
            e.MAN攻駒[c][r] = -999;
            e.COM攻駒[c][r] = 999;
            e.MAN守駒[c][r] = 999;
            e.COM守駒[c][r] = 999;
        }
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            const int code = g.盤[c][r];
            switch (code) {
            case -燕:
            case -鴈:
            case -雉:
            case -鷹:
            case -鶴:
                勢力確定自駒(g, e, code, c, r);
                break;
            case -鷹成:
                勢力確定下直進(g, e, code, c, r);
                勢力確定自_右上(g, e, code, c, r);
                勢力確定自_左上(g, e, code, c, r);
                break;
            case -左鶉:
                勢力確定上直進(g, e, code, c, r);
                勢力確定自_右下(g, e, code, c, r);
                break;
            case -右鶉:
                勢力確定上直進(g, e, code, c, r);
                勢力確定自_左下(g, e, code, c, r);
                break;
            case -鵬:
                g.MAN鵬_列 = c;
                g.MAN鵬_段 = r;
                勢力確定自駒(g, e, code, c, r);
                break;
            case 燕:
            case 鴈:
            case 雉:
            case 鷹:
            case 鶴:
                勢力確定敵駒(g, e, code, c, r);
                break;
            case 鷹成:
                勢力確定上直進(g, e, code, c, r);
                勢力確定敵_右下(g, e, code, c, r);
                勢力確定敵_左下(g, e, code, c, r);
                break;
            case 左鶉:
                勢力確定下直進(g, e, code, c, r);
                勢力確定敵_左上(g, e, code, c, r);
                break;
            case 右鶉:
                勢力確定下直進(g, e, code, c, r);
                勢力確定敵_右上(g, e, code, c, r);
                break;
            case 鵬:
                g.COM鵬_列 = c;
                g.COM鵬_段 = r;
                勢力確定敵駒(g, e, code, c, r);
                break;
            default:
                break;
            }
        }
}

} // namespace tori
