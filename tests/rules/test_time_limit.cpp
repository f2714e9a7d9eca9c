// The arithmetic of a limited clock: what a side has left, byo-yomi, the
// increment, the choices the dialog accepts.
#include "rules/rules.h"
#include "rules/time_limit.h"

#include <gtest/gtest.h>

namespace tori {
namespace {

    // Records a move of the side with the time it took: each entry holds both
    // sides' totals before and after, as the game writes them.
    void book(GameState& g, bool upper, double took)
    {
        const int n = ++g.記録手数;
        g.棋譜_駒[n] = upper ? 燕 : -燕;
        g.棋譜_時間1[n] = g.MAN所有時間;
        g.棋譜_時間3[n] = g.COM所有時間;
        (upper ? g.COM所有時間 : g.MAN所有時間) += took;
        g.棋譜_時間2[n] = g.MAN所有時間;
        g.棋譜_時間4[n] = g.COM所有時間;
    }

    TEST(TimeLimit, SuddenDeathCountsDownToALoss)
    {
        const auto l = (持ち時間設定 { 60, 0, 0 });
        auto c = 調査_時計(l, 60, 0);
        EXPECT_DOUBLE_EQ(c.表示秒, 60);
        EXPECT_FALSE(c.秒読み);
        EXPECT_FALSE(c.切れ);
        c = 調査_時計(l, 60, 59.9);
        EXPECT_NEAR(c.残り秒, 0.1, 1e-9);
        EXPECT_FALSE(c.切れ);
        c = 調査_時計(l, 60, 60);
        EXPECT_TRUE(c.切れ);
        EXPECT_DOUBLE_EQ(c.表示秒, 0);
    }

    TEST(TimeLimit, ByoyomiFollowsTheMainTimeAndStartsAfreshEachMove)
    {
        const auto l = (持ち時間設定 { 60, 10, 0 });
        auto c = 調査_時計(l, 60, 55);
        EXPECT_FALSE(c.秒読み);
        EXPECT_DOUBLE_EQ(c.表示秒, 5);
        EXPECT_DOUBLE_EQ(c.残り秒, 15);
        c = 調査_時計(l, 60, 63);
        EXPECT_TRUE(c.秒読み);
        EXPECT_DOUBLE_EQ(c.表示秒, 7);
        EXPECT_FALSE(c.切れ);
        EXPECT_TRUE(調査_時計(l, 60, 70).切れ);
        // The main time gone, every move has its own ten seconds.
        EXPECT_DOUBLE_EQ(着手後持ち時間(l, 60, 65), 0);
        c = 調査_時計(l, 0, 9);
        EXPECT_TRUE(c.秒読み);
        EXPECT_DOUBLE_EQ(c.表示秒, 1);
        EXPECT_TRUE(調査_時計(l, 0, 10.01).切れ);
    }

    TEST(TimeLimit, TheTimeLeftFollowsTheRecordedMovesOfEachSide)
    {
        GameState g;
        g.持ち時間 = (持ち時間設定 { 60, 0, 5 });
        book(g, false, 10); // lower: 60 - 10 + 5 = 55
        book(g, true, 20); // upper: 60 - 20 + 5 = 45
        book(g, false, 50); // lower: 55 - 50 + 5 = 10
        EXPECT_DOUBLE_EQ(調査_持ち時間(g, false, 3), 10);
        EXPECT_DOUBLE_EQ(調査_持ち時間(g, true, 3), 45);
        // Further back in the record, as 戻 finds it.
        EXPECT_DOUBLE_EQ(調査_持ち時間(g, false, 2), 55);
        EXPECT_DOUBLE_EQ(調査_持ち時間(g, true, 1), 60);
        EXPECT_DOUBLE_EQ(調査_持ち時間(g, false, 0), 60);

        // With byo-yomi the main time stops at nothing and stays there.
        GameState b;
        b.持ち時間 = (持ち時間設定 { 30, 10, 0 });
        book(b, false, 25);
        book(b, true, 1);
        book(b, false, 12); // 5 left, 7 s into byo-yomi
        book(b, true, 1);
        book(b, false, 3);
        EXPECT_DOUBLE_EQ(調査_持ち時間(b, false, 3), 0);
        EXPECT_DOUBLE_EQ(調査_持ち時間(b, false, 5), 0);
        EXPECT_DOUBLE_EQ(調査_持ち時間(b, true, 5), 28);
    }

    TEST(TimeLimit, TheChoicesInRangeAreAcceptedAndOthersRefused)
    {
        EXPECT_EQ(検査_持ち時間(持ち時間設定 { 0, 0, 0 }), "");
        EXPECT_EQ(検査_持ち時間(持ち時間設定 { 600 * 60, 60, 60 }), "");
        EXPECT_EQ(検査_持ち時間(持ち時間設定 { 0, 30, 0 }), "");
        EXPECT_NE(検査_持ち時間(持ち時間設定 { 600 * 60 + 1, 0, 0 }), "");
        EXPECT_NE(検査_持ち時間(持ち時間設定 { -60, 0, 0 }), "");
        EXPECT_NE(検査_持ち時間(持ち時間設定 { 60, 61, 0 }), "");
        EXPECT_NE(検査_持ち時間(持ち時間設定 { 60, 0, 61 }), "");
        EXPECT_NE(検査_持ち時間(持ち時間設定 { 60, -1, 0 }), "");
        // An increment alone leaves no time for the first move.
        EXPECT_NE(検査_持ち時間(持ち時間設定 { 0, 0, 10 }), "");
        EXPECT_FALSE((持ち時間設定 { 0, 0, 0 }).有効());
        EXPECT_TRUE((持ち時間設定 { 0, 10, 0 }).有効());
    }

} // namespace
} // namespace tori
