// The board evaluation: fixed results, the stages cut off by the level, and
// terms worked out by hand on small positions. Scores are in tenths.
#include "engine_support.h"

#include <gtest/gtest.h>

using namespace tori;
using tori::testing::boardDiagram;
using tori::testing::fromDiagram;
using tori::testing::手駒;
using tori::testing::試行評価;

TEST(Evaluation, TakingThePhoenixComesBeforeEverythingElse)
{
    // The lower swallow (1,2) attacks the upper phoenix, and still taking the
    // lower phoenix scores 9999; any other move leaves the phoenix attacked.
    GameState g = fromDiagram("K......"
                              "s......"
                              "......."
                              "......."
                              "....s.."
                              "...F..."
                              "...k...");
    for (int level : { 1, 3 }) {
        g.レベル = level;
        EngineState e;
        EXPECT_EQ(試行評価(g, e, 4, 6, 4, 7, 鷹), 99990);
        EXPECT_EQ(試行評価(g, e, 4, 6, 5, 5, 鷹), -99980); // a capture, all the same
    }
}

TEST(Evaluation, MatesScoreNineThousandNineHundredAndNinetyEightExceptBySwallow)
{
    // The crane (3,5) steps to (4,6), defended by the pheasant's jump from
    // (4,4): it checks the phoenix (4,7) and covers (3,7) and (5,7); the lower
    // swallows can neither take it nor flee.
    GameState g = fromDiagram("K......"
                              "......."
                              "......."
                              "...P..."
                              "..C...."
                              "..s.s.."
                              "...k...");
    EngineState e;
    EXPECT_EQ(試行評価(g, e, 3, 5, 4, 6, 鶴), 99980);

    // The same mate by a swallow, played or dropped, scores -9998: the
    // computer never mates with a swallow.
    GameState h = fromDiagram("K......"
                              "......."
                              "......."
                              "...P..."
                              "...S..."
                              "..s.s.."
                              "..sks..");
    EXPECT_EQ(試行評価(h, e, 4, 5, 4, 6, 燕), -99980);
    h.盤[4][5] = 空;
    手駒(h, { 0, 1, 0, 1, 0, 0, 0 }, {});
    EXPECT_EQ(試行評価(h, e, -1, 1, 4, 6, 燕), -99980);
    EXPECT_EQ(試行評価(h, e, -1, 3, 4, 6, 鶴), 99980);
}

TEST(Evaluation, EachLevelStopsAfterItsStage)
{
    // The first capture of the game, (3,4) takes (3,5), term by term: stage 1
    // adds nothing (the target is attacked by the falcon (4,6), so no fork);
    // stage 2 adds 0.1 for the approach and 10 + 10 for the capture of a
    // piece worth the capturer by a piece that had no square to go; stage 3
    // takes 0.1 for a swallow's board move and adds 5 for a capture from a
    // square only one upper piece reaches.
    GameState g;
    初期設定(g);
    EngineState e;
    const int expected[] = { 0, 0, 201, 250 };
    for (int level = 1; level <= 3; ++level) {
        g.レベル = level;
        EXPECT_EQ(試行評価(g, e, 3, 4, 3, 5, 燕), expected[level]) << "level " << level;
    }
}

TEST(Evaluation, CapturingAGooseNobodyDefends)
{
    // The falcon (4,3) takes the lone lower goose (4,4): +0.1 for coming one
    // row nearer the phoenix (7,7), +11 for the goose and +50 because it is a
    // goose. At level 3 a falcon's straight advance costs 0.1.
    GameState g = fromDiagram("K......"
                              "......."
                              "...F..."
                              "...g..."
                              "......."
                              "......."
                              "......k");
    EngineState e;
    g.レベル = 1;
    EXPECT_EQ(試行評価(g, e, 4, 3, 4, 4, 鷹), 0);
    g.レベル = 2;
    EXPECT_EQ(試行評価(g, e, 4, 3, 4, 4, 鷹), 611);
    g.レベル = 3;
    EXPECT_EQ(試行評価(g, e, 4, 3, 4, 4, 鷹), 610);
}

TEST(Evaluation, ADropOntoAnAttackedUndefendedSquare)
{
    // A crane dropped in front of the lower swallow (4,5): -5 for a drop,
    // -110 - 50 for losing it. The approach term compares with the distance
    // of the last board move tried, which a drop leaves as it was.
    GameState g = fromDiagram("K......"
                              "......."
                              "......."
                              "......."
                              "...s..."
                              "......."
                              "......k");
    手駒(g, { 0, 0, 0, 1, 0, 0, 0 }, {});
    g.レベル = 2;
    EngineState e;
    e.鵬距離 = 0;
    EXPECT_EQ(試行評価(g, e, -1, 3, 4, 4, 鶴), -1650);
    e.鵬距離 = 9; // row distance 3 to the phoenix is now nearer
    EXPECT_EQ(試行評価(g, e, -1, 3, 4, 4, 鶴), -1649);
    // At level 3 the crane block reads the hand slot 3 as the from-row: row
    // 4 is "an advance" off column -1, which costs 0.5.
    g.レベル = 3;
    e.鵬距離 = 0;
    EXPECT_EQ(試行評価(g, e, -1, 3, 4, 4, 鶴), -1655);
}

TEST(Evaluation, ForkTerm)
{
    // The crane (4,4) could take the undefended pheasant (3,5) and swallow
    // (5,5), and nobody attacks the crane: 0.1 each, and the cheaper target's
    // 10 for the fork.
    GameState g = fromDiagram("K......"
                              "......."
                              "......."
                              "...C..."
                              "..p.s.."
                              "......."
                              "......k");
    EngineState e;
    勢力調査(g, e);
    EXPECT_EQ(盤評価_COM危険座標(g, e, 鶴, 4, 4), 102);
    g.盤[5][5] = 空;
    勢力調査(g, e);
    EXPECT_EQ(盤評価_COM危険座標(g, e, 鶴, 4, 4), 1);
    g.盤[3][6] = -燕; // now the pheasant is defended
    勢力調査(g, e);
    EXPECT_EQ(盤評価_COM危険座標(g, e, 鶴, 4, 4), 0);
    // An attacked crane threatens nothing that counts.
    g.盤[3][6] = 空;
    g.盤[4][5] = -燕;
    勢力調査(g, e);
    EXPECT_EQ(盤評価_COM危険座標(g, e, 鶴, 4, 4), 0);

    // The lower phoenix counts even when it is defended.
    GameState h = fromDiagram("...L..K"
                              "......."
                              "......."
                              "......."
                              "...k..."
                              "...s..."
                              ".......");
    勢力調査(h, e);
    ASSERT_EQ(e.MAN勢力[4][5], 1);
    EXPECT_EQ(盤評価_COM危険座標(h, e, 左鶉, 4, 1), 1);
    h.盤[4][5] = -鶴;
    h.盤[1][7] = -鵬;
    勢力調査(h, e);
    EXPECT_EQ(盤評価_COM危険座標(h, e, 左鶉, 4, 1), 0);
}

TEST(Evaluation, TheThirdStageAddsNothingForAnEagle)
{
    // The falcon (4,5) steps into the zone. Promoted: +10 at every level, and
    // nothing from stage 3. Unpromoted: stage 3 takes 0.1 for the straight
    // advance.
    GameState g = fromDiagram("K......"
                              "......."
                              "......."
                              "......."
                              "...F..."
                              "......."
                              "......k");
    EngineState e;
    for (int level = 1; level <= 3; ++level) {
        g.レベル = level;
        EXPECT_EQ(試行評価(g, e, 4, 5, 4, 6, 鷹成), 100) << "level " << level;
        EXPECT_EQ(試行評価(g, e, 4, 5, 4, 6, 鷹), level == 3 ? -1 : 0) << "level " << level;
    }
}

TEST(Evaluation, SupportingCounts)
{
    // The upper right quail (1,3) may go down its column to (1,4), (1,5) and
    // onto the lower swallow (1,6), and back along its diagonal to (2,2) and
    // (3,1). The swallow covers (1,5), the lower falcon (3,3) covers (2,2):
    // three safe squares.
    GameState g = fromDiagram("......K"
                              "......."
                              "R.f...."
                              "......."
                              "......."
                              "s......"
                              "......k");
    EngineState e;
    勢力調査(g, e);
    EXPECT_EQ(調査_移動可場所数(g, e, 1, 3, 右鶉), 3);
    // The falcon's seven squares (all but straight back), less (2,2) on the
    // quail's diagonal.
    EXPECT_EQ(調査_移動可場所数(g, e, 3, 3, -鷹), 6);
    // Crowding counts the upper quails and phoenix around a square.
    EXPECT_EQ(調査_周辺状況(g, 7, 2), -1);
    EXPECT_EQ(調査_周辺状況(g, 2, 2), -1);
    EXPECT_EQ(調査_周辺状況(g, 6, 2), -1);
    EXPECT_EQ(調査_周辺状況(g, 5, 5), 0);
    g.盤[6][1] = 左鶉;
    EXPECT_EQ(調査_周辺状況(g, 6, 2), -2);
    EXPECT_EQ(調査_周辺状況(g, 7, 1), -1); // its own square is not a neighbour
}
