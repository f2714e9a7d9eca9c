// The two turns the window and tori-engine share: what they refuse, the order
// of their steps, the record and the clock values they book.
#include "engine_support.h"

#include <gtest/gtest.h>

using namespace tori;
using tori::testing::boardDiagram;
using tori::testing::fromDiagram;
using tori::testing::RecordingHooks;
using tori::testing::手駒;

TEST(HumanMove, RefusalsComeInOrderAndChangeNothing)
{
    GameState g;
    初期設定(g);
    EngineState e;
    RecordingHooks hooks;
    g.勝者 = g.MAN手番;
    g.記録手数 = 最大手数;
    EXPECT_EQ(MAN着手(g, e, 4, 5, 4, 4, -燕, &hooks).拒否, 着手拒否::終局);
    g.勝者 = -1;
    EXPECT_EQ(MAN着手(g, e, 4, 5, 4, 4, -燕, &hooks).拒否, 着手拒否::満杯);
    g.記録手数 = 0;
    const std::string before = boardDiagram(g);
    EXPECT_EQ(MAN着手(g, e, 4, 5, 4, 3, -燕, &hooks).拒否, 着手拒否::反則); // too far
    EXPECT_EQ(MAN着手(g, e, 4, 4, 4, 3, -燕, &hooks).拒否, 着手拒否::反則); // an empty square
    EXPECT_EQ(MAN着手(g, e, 3, 4, 3, 5, 燕, &hooks).拒否, 着手拒否::反則); // the computer's piece
    EXPECT_EQ(MAN着手(g, e, 4, 6, 4, 5, -鷹成, &hooks).拒否,
        着手拒否::反則); // no promotion outside the zone
    EXPECT_EQ(
        MAN着手(g, e, 4, 6, 3, 5, -鶴, &hooks).拒否, 着手拒否::反則); // a code that is no promotion
    EXPECT_EQ(MAN着手(g, e, 9, 2, 4, 4, -燕, &hooks).拒否, 着手拒否::反則); // nothing in hand
    EXPECT_EQ(boardDiagram(g), before);
    EXPECT_EQ(g.記録手数, 0);
    EXPECT_EQ(g.手数, 0);
    EXPECT_TRUE(hooks.calls.empty());
}

TEST(HumanMove, RecordsPlaysBooksTheTimeAndPassesTheTurn)
{
    GameState g;
    初期設定(g);
    g.手番 = g.MAN手番;
    g.MAN所有時間 = 10;
    g.COM所有時間 = 20;
    g.手番経過秒 = 4.5;
    EngineState e;
    RecordingHooks hooks;
    // The swallow (5,4) takes the upper swallow (5,3).
    const 人間着手結果 r = MAN着手(g, e, 5, 4, 5, 3, -燕, &hooks);
    EXPECT_EQ(r.拒否, 着手拒否::なし);
    EXPECT_EQ(r.取駒, 燕);
    EXPECT_EQ(r.詰め, 0);
    const std::vector<std::string> order { "手番終了", "描画_手数", "着手前", "着手音" };
    EXPECT_EQ(hooks.calls, order);
    EXPECT_EQ(g.記録手数, 1);
    EXPECT_EQ(g.手数, 1);
    EXPECT_EQ(g.棋譜_元列[1], 5);
    EXPECT_EQ(g.棋譜_元段[1], 4);
    EXPECT_EQ(g.棋譜_駒[1], -燕);
    EXPECT_EQ(g.棋譜_取駒[1], 燕);
    EXPECT_EQ(g.棋譜_成駒[1], -燕);
    EXPECT_DOUBLE_EQ(g.棋譜_時間1[1], 10);
    EXPECT_DOUBLE_EQ(g.棋譜_時間2[1], 14.5);
    EXPECT_DOUBLE_EQ(g.棋譜_時間3[1], 20);
    EXPECT_DOUBLE_EQ(g.棋譜_時間4[1], 20);
    EXPECT_DOUBLE_EQ(g.MAN所有時間, 14.5);
    EXPECT_EQ(g.持駒_MAN[1], 1);
    EXPECT_EQ(g.手番, g.COM手番);
    EXPECT_EQ(g.勝者, -1);
}

TEST(HumanMove, DropsAndPromotions)
{
    GameState g = fromDiagram("...K..."
                              "......."
                              ".f....."
                              "......."
                              "......."
                              "......."
                              "...k...");
    手駒(g, {}, { 0, 0, 0, 1, 0, 0, 0 });
    EngineState e;
    // A crane from slot 3, entered at the hand's row 4.
    ASSERT_EQ(MAN着手(g, e, 9, 4, 6, 4, -鶴).拒否, 着手拒否::なし);
    EXPECT_EQ(g.棋譜_元列[1], 9);
    EXPECT_EQ(g.棋譜_元段[1], 4);
    EXPECT_EQ(g.盤[6][4], -鶴);
    EXPECT_EQ(g.持駒_MAN[3], 0);
    EXPECT_EQ(g.持駒数_MAN, 0);
    // A falcon entering the zone promotes when the player asks.
    ASSERT_EQ(MAN着手(g, e, 2, 3, 2, 2, -鷹成).拒否, 着手拒否::なし);
    EXPECT_EQ(g.盤[2][2], -鷹成);
    EXPECT_EQ(g.棋譜_駒[2], -鷹);
    EXPECT_EQ(g.棋譜_成駒[2], -鷹成);
}

TEST(HumanMove, MatingTheComputerWins)
{
    // The crane (1,3) steps to (1,2), defended by the pheasant's jump from
    // (1,4): it checks the phoenix (1,1) and covers (2,1); the swallow (2,3)
    // covers (2,2).
    GameState g = fromDiagram("K......"
                              "......."
                              "cs....."
                              "p......"
                              "......."
                              "......."
                              "......k");
    g.手番 = g.MAN手番;
    EngineState e;
    const 人間着手結果 r = MAN着手(g, e, 1, 3, 1, 2, -鶴);
    EXPECT_EQ(r.詰め, 1);
    EXPECT_EQ(g.勝者, g.MAN手番);
    EXPECT_EQ(g.手番, g.MAN手番);
    EXPECT_EQ(com_ban(g, e).拒否, 着手拒否::終局);
}

TEST(ComputerTurn, StepsRecordAndClockValues)
{
    GameState g;
    初期設定(g);
    g.MAN所有時間 = 10;
    g.COM所有時間 = 20;
    g.手番経過秒 = 3;
    EngineState e;
    RecordingHooks hooks;
    const COM着手結果 r = com_ban(g, e, &hooks);
    ASSERT_EQ(r.拒否, 着手拒否::なし);
    EXPECT_EQ(hooks.timer, 7);
    const std::vector<std::string> order { "手番終了", "描画_手数", "描画_駒点滅 10 3 4",
        "着手音" };
    EXPECT_EQ(hooks.calls, order);
    EXPECT_DOUBLE_EQ(g.棋譜_時間1[1], 10);
    EXPECT_DOUBLE_EQ(g.棋譜_時間2[1], 10);
    EXPECT_DOUBLE_EQ(g.棋譜_時間3[1], 20);
    EXPECT_DOUBLE_EQ(g.棋譜_時間4[1], 23);
    // The window books the computer's time when it hands the turn back.
    EXPECT_DOUBLE_EQ(g.COM所有時間, 20);
    EXPECT_EQ(g.手数, 1);
    // The survey describes the position after the move.
    EXPECT_EQ(e.COM勢力[3][6], 1);
}

TEST(ComputerTurn, RefusesAWonGameAndAFullRecordBeforeSearching)
{
    GameState g;
    初期設定(g);
    EngineState e;
    RecordingHooks hooks;
    g.勝者 = g.MAN手番;
    EXPECT_EQ(com_ban(g, e, &hooks).拒否, 着手拒否::終局);
    g.勝者 = -1;
    g.記録手数 = 最大手数;
    EXPECT_EQ(com_ban(g, e, &hooks).拒否, 着手拒否::満杯);
    EXPECT_EQ(hooks.timer, 0);
    EXPECT_TRUE(hooks.calls.empty());
    GameState start;
    初期設定(start);
    EXPECT_EQ(g.盤, start.盤);
}

TEST(ComputerTurn, StoppedThinkingMakesNoMoveAtAnyLevel)
{
    struct Stopping : RecordingHooks {
        bool 思考中断() override { return timer >= 2; }
    };
    for (int level : { 1, 3, 4 }) {
        GameState g;
        初期設定(g);
        g.レベル = level;
        EngineState e;
        Stopping hooks;
        EXPECT_EQ(com_ban(g, e, &hooks).拒否, 着手拒否::中断) << level;
        EXPECT_TRUE(hooks.calls.empty()) << level;
        EXPECT_EQ(g.記録手数, 0) << level;
        GameState start;
        初期設定(start);
        EXPECT_EQ(g.盤, start.盤) << level;
    }
}
