// The computer's search: the enumeration order and its tie-break, the early
// stops, the promotion choice, and the board it leaves.
#include "engine_support.h"

#include <gtest/gtest.h>

using namespace tori;
using tori::testing::boardDiagram;
using tori::testing::fromDiagram;
using tori::testing::RecordingHooks;
using tori::testing::手駒;

namespace {

std::string moveText(const COM着手結果& r)
{
    return std::to_string(r.元列) + " " + std::to_string(r.元段) + " " + std::to_string(r.先列)
        + " " + std::to_string(r.先段) + " " + std::to_string(r.駒) + " " + std::to_string(r.成駒)
        + " " + std::to_string(r.評価);
}

} // namespace

TEST(Search, AmongEqualScoresTheFirstMoveTriedIsPlayed)
{
    // At level 1 nothing here scores: no check, no promotion, no fork. The
    // phoenix (4,4) comes before the swallow (6,2), and its first target in
    // the order (columns outer, rows inner) is (3,3).
    GameState g = fromDiagram("......."
                              ".....S."
                              "......."
                              "...K..."
                              "......."
                              "......."
                              "......k");
    g.レベル = 1;
    EngineState e;
    const COM着手結果 r = com_ban(g, e);
    EXPECT_EQ(moveText(r), "4 4 3 3 950 950 0");
}

TEST(Search, TakingThePhoenixStopsTheSearch)
{
    // The swallow (2,6) takes the phoenix (2,7) and must promote there. The
    // search stops at once: the clock is refreshed for columns 1 and 2 only,
    // and no drop of the crane in hand is tried.
    GameState g = fromDiagram("......K"
                              "......."
                              "......."
                              "......."
                              "......."
                              ".S....."
                              ".k.....");
    手駒(g, { 0, 0, 0, 1, 0, 0, 0 }, {});
    EngineState e;
    RecordingHooks hooks;
    const COM着手結果 r = com_ban(g, e, &hooks);
    EXPECT_EQ(moveText(r), "2 6 2 7 10 11 99990");
    EXPECT_EQ(hooks.timer, 2);
    EXPECT_EQ(g.勝者, g.COM手番);
    EXPECT_EQ(r.詰め, 0);
}

TEST(Search, ADropThatMatesStopsTheSearch)
{
    // A crane dropped on (4,6), defended by the pheasant's jump, mates (the
    // lower swallows around the phoenix cannot help): 9998, found in slot 3,
    // so the clock is refreshed for the seven columns and slots 1 to 3. The
    // swallow in slot 1 would mate on the same square, which scores -9998.
    GameState g = fromDiagram("K......"
                              "......."
                              "......."
                              "...P..."
                              "......."
                              "..s.s.."
                              "..sks..");
    手駒(g, { 0, 1, 0, 1, 0, 0, 0 }, {});
    EngineState e;
    RecordingHooks hooks;
    const COM着手結果 r = com_ban(g, e, &hooks);
    EXPECT_EQ(moveText(r), "-1 3 4 6 110 110 99980");
    EXPECT_EQ(r.詰め, 1);
    EXPECT_EQ(hooks.timer, 10);
    // Recorded with the hand slot as its from-row, blinked in the hand at row
    // 7 - slot, and taken from the hand.
    EXPECT_EQ(g.棋譜_元列[1], -1);
    EXPECT_EQ(g.棋譜_元段[1], 3);
    EXPECT_EQ(g.棋譜_駒[1], 鶴);
    EXPECT_EQ(g.棋譜_成駒[1], 鶴);
    EXPECT_EQ(g.棋譜_取駒[1], 0);
    EXPECT_EQ(g.持駒_COM[3], 0);
    EXPECT_EQ(g.持駒数_COM, 1);
    EXPECT_EQ(g.盤[4][6], 鶴);
    EXPECT_NE(std::find(hooks.calls.begin(), hooks.calls.end(), "描画_駒点滅 110 -1 4"),
        hooks.calls.end());
}

TEST(Search, ASwallowThatMayPromoteAlwaysDoes)
{
    // Level 3. The swallow (2,5) to (2,6): unpromoted, the lower right quail
    // in front of it has no safe square (its only move takes the swallow,
    // which the pheasant defends): +900, and +900 - 10 more as the swallow is
    // defended, -0.1 for a board move: 1789.9. Promoted it scores 10 + 1.
    // The swallow is played as a goose with the higher score.
    GameState g = fromDiagram("......K"
                              "......."
                              "......."
                              ".P....."
                              ".S....."
                              "......."
                              ".r....k");
    EngineState e;
    const COM着手結果 r = com_ban(g, e);
    EXPECT_EQ(moveText(r), "2 5 2 6 10 11 17899");
    EXPECT_EQ(g.盤[2][6], 鴈);
}

TEST(Search, AFalconPromotesOnlyOnAStrictlyHigherScore)
{
    // Level 1: the phoenix's moves score 0; the falcon (4,5) going to (3,6)
    // scores 0 as a falcon and 10 as an eagle, so it promotes.
    GameState g = fromDiagram(R"(
        K . . . . . .
        . . . . . . .
        . . . . . . .
        . . . . . . .
        . . . F . . .
        . . . . . . .
        . . . . . . k)");
    g.レベル = 1;
    EngineState e;
    EXPECT_EQ(moveText(com_ban(g, e)), "4 5 3 6 100 101 100");

    // Taking the phoenix scores 9999 either way: it stays a falcon.
    GameState h = fromDiagram("K......"
                              "......."
                              "......."
                              "......."
                              "......."
                              "...F..."
                              "...k...");
    EXPECT_EQ(moveText(com_ban(h, e)), "4 6 4 7 100 100 99990");
}

TEST(Search, LeavesTheBoardAsItWasButForTheMove)
{
    GameState g;
    初期設定(g);
    GameState expected = g;
    EngineState e;
    const COM着手結果 r = com_ban(g, e);
    ASSERT_EQ(moveText(r), "3 4 3 5 10 10 250");
    expected.盤[3][4] = 空;
    expected.盤[3][5] = 燕;
    EXPECT_EQ(boardDiagram(g), boardDiagram(expected));
    EXPECT_EQ(g.持駒_COM[1], 1);
    EXPECT_EQ(g.持駒数_COM, 1);
    // The copies are of the position before the move.
    GameState start;
    初期設定(start);
    EXPECT_EQ(e.盤_前, start.盤);
}

TEST(Search, TakingThePhoenixIsAWinWithoutAMateQuestion)
{
    // The pheasant (4,5) jumps onto the phoenix (4,7). Asked afterwards, the
    // mate test would look at the phoenix's old square, now the pheasant's,
    // which the falcon (4,6) reaches and around which every square is
    // covered: it would answer 1. The win is reported with mate=0.
    GameState g = fromDiagram("K......"
                              "......."
                              "......."
                              "......."
                              "..CP..."
                              "..sFs.."
                              "..sks..");
    EngineState e;
    const COM着手結果 r = com_ban(g, e);
    EXPECT_EQ(moveText(r), "4 5 4 7 30 30 99990");
    EXPECT_EQ(r.詰め, 0);
    EXPECT_EQ(g.勝者, g.COM手番);
    EXPECT_EQ(詰めかMAN(g, e), 1);
}

TEST(Search, NoLegalMove)
{
    // The upper side has no piece at all, on the board or in hand.
    GameState g;
    g.盤[4][7] = -鵬;
    EngineState e;
    RecordingHooks hooks;
    EXPECT_EQ(com_ban(g, e, &hooks).拒否, 着手拒否::指手なし);
    EXPECT_EQ(g.記録手数, 0);
    EXPECT_TRUE(hooks.calls.empty());
}
