// Movement of every kind for both sides, the sliding paths and the drop rules,
// checked as the set of squares a piece may reach, drawn as a diagram.
#include "rules/rules.h"
#include "support/diagram.h"
#include "support/games.h"

#include <gtest/gtest.h>

#include <string>

using namespace tori;
using tori::testing::fromDiagram;

namespace {

// The squares the piece on (c, r) may move to: '*' where 移動チェック allows
// the move, the board's own letter elsewhere.
std::string reach(const GameState& g, int c, int r)
{
    std::string out;
    for (int row = 1; row <= 7; ++row) {
        for (int col = 1; col <= 7; ++col)
            out += 移動チェック(g, c, r, col, row, g.盤[c][r])
                ? '*'
                : tori::testing::diagramChar(g.盤[col][row]);
        out += '\n';
    }
    return out;
}

std::string rows(std::initializer_list<const char*> lines)
{
    std::string out;
    for (const char* line : lines) {
        out += line;
        out += '\n';
    }
    return out;
}

// All moves and drops that 移動チェック allows to one side.
int countMoves(GameState& g, bool upper)
{
    return static_cast<int>(tori::testing::合法手(g, upper).size());
}

} // namespace

TEST(MoveCheck, RefusesTargetsOffTheBoardTheSameSquareAndOwnPieces)
{
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "...k..."
                              "...s..."
                              "......."
                              ".......");
    EXPECT_EQ(移動チェック(g, 4, 4, 4, 4, -鵬), 0);
    EXPECT_EQ(移動チェック(g, 4, 4, 4, 5, -鵬), 0); // own swallow
    EXPECT_EQ(移動チェック(g, 4, 4, 4, 3, -鵬), 1);
    EXPECT_EQ(移動チェック(g, 9, 2, 0, 3, -雉), 0);
    EXPECT_EQ(移動チェック(g, 9, 2, 3, 8, -雉), 0);
    EXPECT_EQ(移動チェック(g, -1, 1, 8, 1, 右鶉), 0);
    GameState edge = fromDiagram("K......"
                                 "......."
                                 "......."
                                 "......."
                                 "......."
                                 "......."
                                 "......k");
    EXPECT_EQ(移動チェック(edge, 1, 1, 0, 1, 鵬), 0);
    EXPECT_EQ(移動チェック(edge, 1, 1, 1, 0, 鵬), 0);
    EXPECT_EQ(移動チェック(edge, 7, 7, 8, 8, -鵬), 0);
    EXPECT_EQ(移動チェック(edge, 7, 7, 6, 6, -鵬), 1);
}

TEST(MoveCheck, CapturesAnEnemyPieceWhenThePatternFits)
{
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "...S..."
                              "...s..."
                              "......."
                              ".......");
    EXPECT_EQ(移動チェック(g, 4, 5, 4, 4, -燕), 1);
    EXPECT_EQ(移動チェック(g, 4, 4, 4, 5, 燕), 1);
}

TEST(MoveCheck, SwallowsStepOneSquareForward)
{
    GameState g = fromDiagram("......."
                              "......."
                              ".S....."
                              "......."
                              ".s....."
                              "......."
                              ".......");
    EXPECT_EQ(reach(g, 2, 3),
        rows({ ".......", ".......", ".S.....", ".*.....", ".s.....", ".......", "......." }));
    EXPECT_EQ(reach(g, 2, 5),
        rows({ ".......", ".......", ".S.....", ".*.....", ".s.....", ".......", "......." }));
}

TEST(MoveCheck, PheasantJumpsTwoForwardAndStepsDiagonallyBack)
{
    // The jump ignores what stands on the square passed over, of either side.
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "......."
                              ".S....."
                              ".p....."
                              ".......");
    EXPECT_EQ(reach(g, 2, 6),
        rows({ ".......", ".......", ".......", ".*.....", ".S.....", ".p.....", "*.*...." }));
    g.盤[2][5] = -燕;
    EXPECT_EQ(移動チェック(g, 2, 6, 2, 4, -雉), 1);
    g.盤[1][7] = -鶴;
    g.盤[3][7] = 鶴;
    EXPECT_EQ(移動チェック(g, 2, 6, 1, 7, -雉), 0);
    EXPECT_EQ(移動チェック(g, 2, 6, 3, 7, -雉), 1);
    GameState upper = fromDiagram(".P....."
                                  "......."
                                  "......."
                                  "......."
                                  "......."
                                  "......."
                                  ".......");
    EXPECT_EQ(reach(upper, 2, 1),
        rows({ ".P.....", ".......", ".*.....", ".......", ".......", ".......", "......." }));
}

TEST(MoveCheck, GooseJumpsDiagonallyForwardOrStraightBack)
{
    GameState g = fromDiagram("......."
                              "......."
                              "..S.S.."
                              "...g..."
                              "...S..."
                              "......."
                              ".......");
    EXPECT_EQ(reach(g, 4, 4),
        rows({ ".......", ".*...*.", "..S.S..", "...g...", "...S...", "...*...", "......." }));
    GameState upper = fromDiagram("......."
                                  "......."
                                  "...G..."
                                  "......."
                                  "......."
                                  "......."
                                  ".......");
    EXPECT_EQ(reach(upper, 4, 3),
        rows({ "...*...", ".......", "...G...", ".......", ".*...*.", ".......", "......." }));
}

TEST(MoveCheck, FalconStepsEverywhereButStraightBack)
{
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "...f..."
                              "......."
                              "......."
                              ".......");
    EXPECT_EQ(reach(g, 4, 4),
        rows({ ".......", ".......", "..***..", "..*f*..", "..*.*..", ".......", "......." }));
    GameState upper = fromDiagram("F......"
                                  "......."
                                  "......."
                                  "......."
                                  "......."
                                  "......."
                                  ".......");
    EXPECT_EQ(reach(upper, 1, 1),
        rows({ "F*.....", "**.....", ".......", ".......", ".......", ".......", "......." }));
}

TEST(MoveCheck, EagleSlidesForwardDiagonallyBackStraightAndJumpsBackDiagonally)
{
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "...e..."
                              "......."
                              "......."
                              ".......");
    EXPECT_EQ(reach(g, 4, 4),
        rows({ "*.....*", ".*...*.", "..***..", "..*e*..", "...*...", ".*.*.*.", "...*..." }));
    // The straight backward slide stops at any piece; the diagonal jump passes over.
    g.盤[4][6] = 燕;
    g.盤[3][5] = -燕;
    EXPECT_EQ(移動チェック(g, 4, 4, 4, 7, -鷹成), 0);
    EXPECT_EQ(移動チェック(g, 4, 4, 4, 6, -鷹成), 1);
    EXPECT_EQ(移動チェック(g, 4, 4, 2, 6, -鷹成), 1);
    EXPECT_EQ(移動チェック(g, 4, 4, 3, 5, -鷹成), 0);
    EXPECT_EQ(移動チェック(g, 4, 4, 5, 5, -鷹成), 0);
    // The forward diagonal is blocked by a piece of either side, which may itself be taken.
    g.盤[3][3] = 燕;
    g.盤[5][3] = -燕;
    EXPECT_EQ(移動チェック(g, 4, 4, 3, 3, -鷹成), 1);
    EXPECT_EQ(移動チェック(g, 4, 4, 2, 2, -鷹成), 0);
    EXPECT_EQ(移動チェック(g, 4, 4, 6, 2, -鷹成), 0);
    EXPECT_EQ(移動チェック(g, 4, 4, 4, 2, -鷹成), 0);

    GameState upper = fromDiagram("......."
                                  "......."
                                  "......."
                                  "...E..."
                                  "......."
                                  "......."
                                  ".......");
    EXPECT_EQ(reach(upper, 4, 4),
        rows({ "...*...", ".*.*.*.", "...*...", "..*E*..", "..***..", ".*...*.", "*.....*" }));
}

TEST(MoveCheck, CraneStepsForwardOrBackButNeverSideways)
{
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "...c..."
                              "......."
                              "......."
                              ".......");
    EXPECT_EQ(reach(g, 4, 4),
        rows({ ".......", ".......", "..***..", "...c...", "..***..", ".......", "......." }));
}

TEST(MoveCheck, PhoenixStepsInEveryDirection)
{
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "......."
                              "......."
                              "......."
                              "...K...");
    EXPECT_EQ(reach(g, 4, 7),
        rows({ ".......", ".......", ".......", ".......", ".......", "..***..", "..*K*.." }));
}

TEST(MoveCheck, QuailsSlideForwardAndBackTowardOneHandAndStepTowardTheOther)
{
    // Lower left quail: forward up the column, a backward slide to the board's
    // right, one backward step to the board's left.
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "...l..."
                              "......."
                              "......."
                              ".......");
    EXPECT_EQ(reach(g, 4, 4),
        rows({ "...*...", "...*...", "...*...", "...l...", "..*.*..", ".....*.", "......*" }));
    g.盤[4][4] = -右鶉;
    EXPECT_EQ(reach(g, 4, 4),
        rows({ "...*...", "...*...", "...*...", "...r...", "..*.*..", ".*.....", "*......" }));
    g.盤[4][4] = 左鶉;
    EXPECT_EQ(reach(g, 4, 4),
        rows({ "*......", ".*.....", "..*.*..", "...L...", "...*...", "...*...", "...*..." }));
    g.盤[4][4] = 右鶉;
    EXPECT_EQ(reach(g, 4, 4),
        rows({ "......*", ".....*.", "..*.*..", "...R...", "...*...", "...*...", "...*..." }));
}

TEST(MoveCheck, SlidesStopAtTheFirstPieceOfEitherSide)
{
    GameState g = fromDiagram("......."
                              "...S..."
                              "......."
                              "...l..."
                              "......."
                              ".....s."
                              ".......");
    EXPECT_EQ(reach(g, 4, 4),
        rows({ ".......", "...*...", "...*...", "...l...", "..*.*..", ".....s.", "......." }));
}

TEST(MoveCheck, SlideHelpersLookOnlyBetweenTheEnds)
{
    GameState g = fromDiagram("K......"
                              "......."
                              "......."
                              "......."
                              "......."
                              "......."
                              "......k");
    EXPECT_EQ(移動チェック角(g, 1, 1, 7, 7), 1);
    EXPECT_EQ(移動チェック角(g, 1, 1, 7, 6), 0);
    EXPECT_EQ(移動チェック飛車(g, 1, 1, 1, 7), 1);
    EXPECT_EQ(移動チェック飛車(g, 1, 1, 2, 2), 0);
    g.盤[4][4] = 燕;
    EXPECT_EQ(移動チェック角(g, 1, 1, 7, 7), 0);
    EXPECT_EQ(移動チェック角(g, 1, 1, 4, 4), 1);
    g.盤[1][4] = -燕;
    EXPECT_EQ(移動チェック飛車(g, 1, 1, 1, 7), 0);
    EXPECT_EQ(移動チェック右鶉(g, 1, 1, 1, 7), 0);
    EXPECT_EQ(移動チェック飛車(g, 1, 1, 1, 4), 1);
    EXPECT_EQ(移動チェック飛車(g, 7, 7, 1, 7), 1);
    g.盤[3][7] = 雉;
    EXPECT_EQ(移動チェック飛車(g, 7, 7, 1, 7), 0);
}

TEST(Drops, GoOnlyToEmptySquaresAndASwallowNotOnItsLastRow)
{
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "...S..."
                              "......."
                              "......."
                              ".......");
    EXPECT_EQ(移動チェック(g, 9, 3, 4, 4, -雉), 0); // occupied by an enemy: a drop never captures
    EXPECT_EQ(移動チェック(g, 9, 3, 4, 3, -雉), 1);
    EXPECT_EQ(移動チェック(g, 9, 3, 1, 1, -雉), 1); // nothing else restricts a pheasant
    EXPECT_EQ(移動チェック(g, 9, 2, 4, 1, -燕), 0);
    EXPECT_EQ(移動チェック(g, 9, 2, 4, 2, -燕), 1);
    EXPECT_EQ(移動チェック(g, 9, 2, 4, 7, -燕), 1);
    EXPECT_EQ(移動チェック(g, -1, 1, 4, 7, 燕), 0);
    EXPECT_EQ(移動チェック(g, -1, 1, 4, 1, 燕), 1);
    EXPECT_EQ(移動チェック(g, -1, 6, 4, 7, 右鶉), 1);
}

TEST(Drops, TwoSwallowsInAColumnForbidAThirdButAGooseDoesNotCount)
{
    GameState g = fromDiagram("......."
                              "...S..."
                              "...S..."
                              "......."
                              "...s..."
                              "...g..."
                              "..s....");
    調査_2燕フラグ設定(g);
    EXPECT_EQ(g.二燕フラグ_COM[4], 1);
    EXPECT_EQ(g.二燕フラグ_MAN[4], 0);
    EXPECT_EQ(移動チェック(g, -1, 1, 4, 4, 燕), 0);
    EXPECT_EQ(移動チェック(g, -1, 1, 3, 4, 燕), 1);
    EXPECT_EQ(移動チェック(g, -1, 2, 4, 4, 雉), 1); // only swallows are barred
    EXPECT_EQ(移動チェック(g, 9, 2, 4, 4, -燕), 1);
    g.盤[4][7] = -燕;
    調査_2燕フラグ設定(g);
    EXPECT_EQ(g.二燕フラグ_MAN[4], 1);
    EXPECT_EQ(移動チェック(g, 9, 2, 4, 4, -燕), 0);
}

// Move counts worked out by hand.
//
// Starting position, either side (the position is symmetric under a half turn):
// six swallows of the front row step forward (one of them captures the
// advanced enemy swallow, the one behind the own advanced swallow is blocked),
// the advanced swallow captures the enemy swallow in front: 7. The falcon may
// only step sideways: 2. The pheasants' jumps land on own swallows and their
// backward steps leave the board: 0. Each crane has two free forward squares
// (the falcon holds the third): 4. The phoenix steps beside the falcon: 2.
// Each quail slides one square up its edge column: 2. In all 17.
TEST(MoveCount, StartingPositionGivesEachSideSeventeenMoves)
{
    GameState g;
    初期設定(g);
    EXPECT_EQ(countMoves(g, false), 17);
    EXPECT_EQ(countMoves(g, true), 17);
}

// A lone lower eagle in the centre: three squares on each forward diagonal,
// one straight ahead, two sideways, three straight back, two backward jumps: 14.
// A lone lower left quail in the centre: three forward, three on the backward
// slide to the right, one backward step to the left: 7.
TEST(MoveCount, LonePiecesInTheCentre)
{
    GameState eagle = fromDiagram("......."
                                  "......."
                                  "......."
                                  "...e..."
                                  "......."
                                  "......."
                                  ".......");
    EXPECT_EQ(countMoves(eagle, false), 14);
    GameState quail = fromDiagram("......."
                                  "......."
                                  "......."
                                  "...l..."
                                  "......."
                                  "......."
                                  ".......");
    EXPECT_EQ(countMoves(quail, false), 7);
}

// Two lower swallows on column 4 and one swallow in hand: 47 empty squares,
// less the 5 of column 4 (flagged) and the 6 other squares of row 1, leaves
// 36 drops; the front swallow may step forward, the rear one is blocked: 37.
TEST(MoveCount, SwallowDropsHonourTheLastRowAndTheTwoSwallowFlag)
{
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "......."
                              "...s..."
                              "...s..."
                              ".......");
    g.持駒_MAN[1] = 1;
    g.持駒数_MAN = 1;
    EXPECT_EQ(countMoves(g, false), 37);
    // With the rear swallow promoted to a goose the column opens again: 40
    // drops (all empty squares but row 1), the front swallow's step, and the
    // goose's two forward jumps (its straight backward jump would leave the
    // board): 43.
    g.盤[4][6] = -鴈;
    EXPECT_EQ(countMoves(g, false), 43);
}
