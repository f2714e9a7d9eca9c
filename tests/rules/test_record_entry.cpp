#include "rules/record_entry.h"
#include "support/games.h"

#include <gtest/gtest.h>

using namespace tori;
using namespace tori::testing;

namespace {

// Everything the record steps change, for comparing two states at once.
struct Position {
    盤配列<int> 盤;
    std::array<int, 7> 持駒_MAN, 持駒_COM;
    int 持駒数_MAN, 持駒数_COM, MAN鵬_列, MAN鵬_段, COM鵬_列, COM鵬_段;
    bool operator==(const Position&) const = default;
};

Position of(const GameState& g)
{
    return { g.盤, g.持駒_MAN, g.持駒_COM, g.持駒数_MAN, g.持駒数_COM, g.MAN鵬_列, g.MAN鵬_段,
        g.COM鵬_列, g.COM鵬_段 };
}

} // namespace

// Games played through 駒移動 (captures, drops from both hands, promotions, some
// ending with a phoenix taken) are taken back to the starting position entry by
// entry and played again to the very position 駒移動 reached.
TEST(RecordEntry, TakingBackAndReplayingFollowsTheMovesAsPlayed)
{
    GameState start;
    初期設定(start);
    start.MAN鵬_列 = start.COM鵬_列 = 4;
    start.MAN鵬_段 = 7;
    start.COM鵬_段 = 1;
    int phoenixTaken = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        GameState g;
        対局(g, 150, seed);
        // 駒移動 keeps only the lower phoenix's square; the upper one is found on
        // the board. A captured phoenix keeps the square it was last seen on,
        // which only a step-by-step replay knows.
        鵬位置更新(g);
        Position played = of(g);
        phoenixTaken += g.勝者 != -1;
        for (int n = g.記録手数; n >= 1; --n)
            取消_棋譜手(g, n);
        ASSERT_EQ(of(g), of(start)) << "seed " << seed;
        for (int n = 1; n <= g.記録手数; ++n)
            再生_棋譜手(g, n);
        if (g.勝者 == g.MAN手番) {
            played.COM鵬_列 = g.COM鵬_列;
            played.COM鵬_段 = g.COM鵬_段;
            EXPECT_EQ(g.COM鵬_列, g.棋譜_先列[g.記録手数]); // where it was taken
            EXPECT_EQ(g.COM鵬_段, g.棋譜_先段[g.記録手数]);
        }
        ASSERT_EQ(of(g), played) << "seed " << seed;
    }
    EXPECT_GT(phoenixTaken, 0); // the games include a phoenix capture
}

TEST(RecordEntry, EntriesOutsideTheRecordChangeNothing)
{
    GameState g;
    初期設定(g);
    const Position before = of(g);
    再生_棋譜手(g, 0);
    取消_棋譜手(g, 最大手数 + 1);
    EXPECT_EQ(of(g), before);
}
