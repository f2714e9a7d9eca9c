// Pins against a phoenix by a quail, and by nothing else.
#include "engine_support.h"

#include <gtest/gtest.h>

using namespace tori;
using tori::testing::boardDiagram;
using tori::testing::fromDiagram;

TEST(Pins, APieceAloneOnAnUpperQuailsDiagonalIsPinned)
{
    // The upper right quail (2,6) slides diagonally back toward column 7:
    // (3,5), (4,4), (5,3), where the lower phoenix stands. Only the crane
    // (4,4) is in the way.
    GameState g = fromDiagram("K......"
                              "......."
                              "....k.."
                              "...c..."
                              "......."
                              ".R....."
                              "s......");
    EngineState e;
    const std::string before = boardDiagram(g);
    調査_移動不可駒(g, e);
    EXPECT_EQ(e.移動不可駒_MAN[4][4], 1);
    EXPECT_EQ(e.移動不可駒_MAN[1][7], 0);
    EXPECT_EQ(e.移動不可駒_MAN[5][3], 0);
    EXPECT_EQ(e.移動不可駒_MAN[3][5], 0); // an empty square
    EXPECT_EQ(e.移動不可駒フラグ_COM, 0);
    EXPECT_EQ(boardDiagram(g), before);

    // A second piece between: neither alone holds the line.
    g.盤[3][5] = -燕;
    調査_移動不可駒(g, e);
    EXPECT_EQ(e.移動不可駒_MAN[4][4], 0);
    EXPECT_EQ(e.移動不可駒_MAN[3][5], 0);
}

TEST(Pins, AQuailAlreadyAttackingMarksEveryLowerPiece)
{
    GameState g = fromDiagram("K......"
                              "......."
                              "....k.."
                              "......."
                              "......."
                              ".R....."
                              "s.....p");
    EngineState e;
    調査_移動不可駒(g, e);
    EXPECT_EQ(e.移動不可駒_MAN[1][7], 1);
    EXPECT_EQ(e.移動不可駒_MAN[7][7], 1);
    EXPECT_EQ(e.移動不可駒_MAN[5][3], 1); // the phoenix itself
    EXPECT_EQ(e.移動不可駒_MAN[2][6], 0); // the quail's own square
}

TEST(Pins, AnEagleDoesNotPin)
{
    // The upper eagle (5,6) slides straight back onto the lower phoenix (5,3)
    // once the swallow (5,5) has gone, but only quails are asked.
    GameState g = fromDiagram("K......"
                              "......."
                              "....k.."
                              "......."
                              "....s.."
                              "....E.."
                              ".......");
    EngineState e;
    e.移動不可駒_MAN[5][5] = 1; // left over from an earlier turn
    調査_移動不可駒(g, e);
    EXPECT_EQ(e.移動不可駒_MAN[5][5], 0);
}

TEST(Pins, AnUpperPieceHeldByALowerQuailSetsTheFlag)
{
    // The lower left quail (4,7) slides up its column onto the upper phoenix
    // (4,2) once the upper swallow (4,5) is gone.
    GameState g = fromDiagram("......."
                              "...K..."
                              "......."
                              "......."
                              "...S..."
                              "......."
                              "...l..k");
    EngineState e;
    調査_移動不可駒(g, e);
    EXPECT_EQ(e.移動不可駒フラグ_COM, 1);
    // With the swallow gone the quail attacks the phoenix, the only upper
    // piece left: taking the phoenix itself off opens its square to the
    // quail, so the flag stays 1. A lower swallow in front of the quail
    // closes the line, and the flag is 0.
    g.盤[4][5] = 空;
    調査_移動不可駒(g, e);
    EXPECT_EQ(e.移動不可駒フラグ_COM, 1);
    g.盤[4][6] = -燕;
    調査_移動不可駒(g, e);
    EXPECT_EQ(e.移動不可駒フラグ_COM, 0);
}
