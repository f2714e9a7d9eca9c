// The influence survey: counts, cheapest attackers and defenders, check maps,
// and the square records that a survey never clears.
#include "engine_support.h"

#include <gtest/gtest.h>

using namespace tori;
using tori::testing::boardDiagram;
using tori::testing::fromDiagram;

TEST(Survey, CountsEveryReachingPieceOnceWhateverItsKind)
{
    // (4,4) is reached by the lower swallow (4,5) and the lower crane (3,5)
    // (diagonally forward), and by the upper swallow (4,3).
    GameState g = fromDiagram("K......"
                              "......."
                              "...S..."
                              "......."
                              "..cs..."
                              "......."
                              "......k");
    EngineState e;
    const std::string before = boardDiagram(g);
    勢力調査(g, e);
    EXPECT_EQ(e.MAN勢力[4][4], 2);
    EXPECT_EQ(e.COM勢力[4][4], 1);
    // The crane does not move sideways, the swallows only forward.
    EXPECT_EQ(e.MAN勢力[4][5], 0);
    EXPECT_EQ(e.MAN勢力[2][4], 1);
    EXPECT_EQ(e.COM勢力[4][2], 0);
    // Nobody attacks the empty squares' pieces: the records stay at "none".
    EXPECT_EQ(e.MAN攻駒[4][4], -999);
    EXPECT_EQ(e.COM攻駒[4][4], 999);
    EXPECT_EQ(boardDiagram(g), before);
}

TEST(Survey, RecordsTheCheapestAttackerWithItsSquare)
{
    // The upper crane (4,4) is attacked by the lower phoenix (3,5) and the
    // lower swallow (4,5): the swallow's code is nearest zero, although the
    // phoenix is found first. The lower falcon (2,4) is attacked by the upper
    // crane (1,3) and the upper pheasant (2,2), the cheaper one.
    GameState g = fromDiagram("K......"
                              ".P....."
                              "C......"
                              ".f.C..."
                              "..ks..."
                              "......."
                              ".......");
    EngineState e;
    勢力調査(g, e);
    EXPECT_EQ(e.MAN攻駒[4][4], -燕);
    EXPECT_EQ(e.MAN攻駒_列[4][4], 4);
    EXPECT_EQ(e.MAN攻駒_段[4][4], 5);
    EXPECT_EQ(e.MAN勢力[4][4], 2);
    EXPECT_EQ(e.COM攻駒[2][4], 雉);
    EXPECT_EQ(e.COM攻駒_列[2][4], 2);
    EXPECT_EQ(e.COM攻駒_段[2][4], 2);
    // The upper pheasant is defended by its phoenix (1,1), found first, and
    // by the crane (1,3) stepping diagonally back, the cheaper. The lower
    // phoenix is the smallest lower code reaching its own swallow.
    EXPECT_EQ(e.COM守駒[2][2], 鶴);
    EXPECT_EQ(e.COM守駒_列[2][2], 1);
    EXPECT_EQ(e.COM守駒_段[2][2], 3);
    EXPECT_EQ(e.MAN守駒[4][5], -鵬);
    EXPECT_EQ(g.MAN鵬_列, 3);
    EXPECT_EQ(g.COM鵬_列, 1);
}

TEST(Survey, CheckMapOfASliderAndOfAStepper)
{
    // The upper eagle (4,5) slides straight back toward row 1 onto the lower
    // phoenix (4,2); its line goes on behind the phoenix to (4,1).
    GameState g = fromDiagram("......."
                              "...k..."
                              "......."
                              "......."
                              "...E..."
                              "......."
                              "......K");
    EngineState e;
    勢力調査(g, e);
    EXPECT_EQ(e.COM王手[4][3], 1);
    EXPECT_EQ(e.COM王手[4][4], 1);
    EXPECT_EQ(e.COM王手[4][5], 9);
    EXPECT_EQ(e.COM王手[4][2], 0);
    EXPECT_EQ(e.COM勢力[4][2], 1);
    EXPECT_EQ(e.COM勢力[4][1], 1);
    // Its forward diagonals are surveyed, its single steps are not.
    EXPECT_EQ(e.COM勢力[5][6], 1);
    EXPECT_EQ(e.COM勢力[2][7], 1);
    EXPECT_EQ(e.COM勢力[3][5], 0);
    EXPECT_EQ(e.COM勢力[4][6], 0);
    int marked = 0;
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r)
            marked += e.COM王手[c][r] != 0;
    EXPECT_EQ(marked, 3);

    // An upper swallow that can step onto the phoenix marks both squares 9.
    GameState h = fromDiagram("K......"
                              "......."
                              "...S..."
                              "...k..."
                              "......."
                              "......."
                              ".......");
    勢力調査(h, e);
    EXPECT_EQ(e.COM王手[4][3], 9);
    EXPECT_EQ(e.COM王手[4][4], 9);
    EXPECT_EQ(e.COM王手[4][5], 0);
    // The lower map is its own: nothing of the lower side reaches (1,1).
    EXPECT_EQ(e.MAN王手[1][1], 0);
    EXPECT_EQ(e.MAN王手[4][4], 0);
}

TEST(Survey, SlidesStopAtTheFirstPieceAndLowerDiagonalsRecordNoDefender)
{
    // The upper left quail (7,1): its forward line meets its own swallow
    // (7,2), which counts as defended; (7,3) is not reached. The lower left
    // quail (1,5) defends its swallow (1,4) along its forward line, and its
    // backward diagonal reaches its swallow (2,6) without recording it.
    GameState g = fromDiagram("......L"
                              "....k.S"
                              "......."
                              "s......"
                              "l......"
                              ".s....."
                              "......K");
    EngineState e;
    勢力調査(g, e);
    EXPECT_EQ(e.COM勢力[7][2], 1);
    EXPECT_EQ(e.COM勢力[7][3], 1); // the swallow's own step
    EXPECT_EQ(e.COM守駒[7][2], 左鶉);
    EXPECT_EQ(e.COM守駒_列[7][2], 7);
    EXPECT_EQ(e.COM守駒_段[7][2], 1);
    EXPECT_EQ(e.MAN守駒[1][4], -左鶉);
    EXPECT_EQ(e.MAN勢力[2][6], 1);
    EXPECT_EQ(e.MAN守駒[2][6], 999);
    EXPECT_EQ(e.MAN勢力[3][7], 0); // the diagonal stopped at the swallow
    EXPECT_EQ(e.MAN勢力[1][3], 1); // the swallow's step, the quail's line stopped at it
}

TEST(Survey, SquareRecordsOfUpperDefendersAndAttackersAreNeverCleared)
{
    // First survey: the upper swallow (3,3) is defended by the falcon (3,2),
    // the lower swallow (5,5) attacked by the upper swallow (5,4), and the
    // upper swallow (5,4) attacked by the lower swallow (5,5).
    GameState g = fromDiagram("K......"
                              "..F...."
                              "..S...."
                              "....S.."
                              "....s.."
                              "......."
                              "......k");
    EngineState e;
    勢力調査(g, e);
    ASSERT_EQ(e.COM守駒[3][3], 鷹);
    ASSERT_EQ(e.COM攻駒[5][5], 燕);
    ASSERT_EQ(e.MAN攻駒_列[5][4], 5);

    // Without the falcon and the upper swallow (5,4) nothing records there,
    // but the squares written before are still in place; the lower side's
    // attacker squares are reset to 0.
    g.盤[3][2] = 空;
    g.盤[5][4] = 空;
    勢力調査(g, e);
    EXPECT_EQ(e.COM守駒[3][3], 999);
    EXPECT_EQ(e.COM守駒_列[3][3], 3);
    EXPECT_EQ(e.COM守駒_段[3][3], 2);
    EXPECT_EQ(e.COM攻駒[5][5], 999);
    EXPECT_EQ(e.COM攻駒_列[5][5], 5);
    EXPECT_EQ(e.COM攻駒_段[5][5], 4);
    EXPECT_EQ(e.MAN攻駒[5][4], -999);
    EXPECT_EQ(e.MAN攻駒_列[5][4], 0);
    EXPECT_EQ(e.MAN攻駒_段[5][4], 0);
}

TEST(Survey, APhoenixOffTheBoardKeepsItsLastSquare)
{
    GameState g = fromDiagram("...K..."
                              "......."
                              "......."
                              "......."
                              "......."
                              "......."
                              "..k....");
    EngineState e;
    勢力調査(g, e);
    g.盤[3][7] = 空;
    g.盤[4][1] = 空;
    g.盤[6][6] = -鵬;
    勢力調査(g, e);
    EXPECT_EQ(g.COM鵬_列, 4);
    EXPECT_EQ(g.COM鵬_段, 1);
    EXPECT_EQ(g.MAN鵬_列, 6);
    EXPECT_EQ(g.MAN鵬_段, 6);
}

TEST(Survey, StartingPositionTotals)
{
    // Every square's counts added up: each reach of each piece once. The
    // lower side: 7 swallows on row 5 and the one on (5,4) reach one square
    // each (8), the falcon 7, the phoenix 5, the cranes 3 + 3, the pheasants
    // 1 + 1 (their jumps; backward is off the board), the quails their
    // forward lines up to their own swallows: 2 + 2. Total 32, and the
    // upper side mirrors it.
    GameState g;
    初期設定(g);
    EngineState e;
    勢力調査(g, e);
    int man = 0, com = 0;
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            man += e.MAN勢力[c][r];
            com += e.COM勢力[c][r];
        }
    EXPECT_EQ(man, 32);
    EXPECT_EQ(com, 32);
}
