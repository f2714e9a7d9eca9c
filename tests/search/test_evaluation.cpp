// The evaluation's terms around the phoenixes: the board is the same game
// mirrored (a right quail is a left quail seen in a mirror), and open squares
// next to a phoenix count against it only while the enemy holds pieces.
#include "sparse_positions.h"
#include "support/diagram.h"

#include "search/evaluation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using namespace tori;
using namespace tori::search;

namespace {

// The diagram with its columns reversed and each quail turned into the other.
std::string mirrored(std::string diagram)
{
    for (int r = 0; r < 7; ++r)
        std::reverse(diagram.begin() + r * 7, diagram.begin() + r * 7 + 7);
    for (char& ch : diagram) {
        const char swapped[] = { 'L', 'R', 'l', 'r' };
        for (int i = 0; i < 4; ++i)
            if (ch == swapped[i]) {
                ch = swapped[i ^ 1];
                break;
            }
    }
    return diagram;
}

void offsetCounts(const std::string& diagram, int side, int out[param::Count])
{
    const Position p = Position::fromGame(tori::testing::fromDiagram(diagram), side);
    evaluationCounts(p, out);
}

} // namespace

TEST(Evaluation, PieceOffsetsToThePhoenixesAreTheSameInTheMirror)
{
    // Quails on both sides of both phoenixes, and pieces right and left of them.
    const std::string diagram = "L.CK.PR"
                                "..S.F.."
                                "S.r...E"
                                "...l..."
                                ".s..c.."
                                "R..f..S"
                                "l.pk.gr";
    int counts[param::Count], mirrorCounts[param::Count];
    for (const int side : { Upper, Lower }) {
        offsetCounts(diagram, side, counts);
        offsetCounts(mirrored(diagram), side, mirrorCounts);
        int nonZero = 0;
        for (int i = param::OwnPhoenixOffset; i < param::HandAgainstHoles; ++i) {
            EXPECT_EQ(counts[i], mirrorCounts[i]) << "offset parameter " << i;
            nonZero += counts[i] != 0;
        }
        EXPECT_GT(nonZero, 10);
    }
}

TEST(Evaluation, OpenSquaresNextToAPhoenixCountOnlyAgainstAnEnemyHand)
{
    // The lower phoenix stands alone: its neighbours are empty and only the
    // phoenix itself guards them.
    GameState g = tori::testing::fromDiagram("...K..."
                                             "..SSS.."
                                             "......."
                                             "......."
                                             "......."
                                             "......."
                                             "...k...");
    int counts[param::Count];
    evaluationCounts(Position::fromGame(g, Lower), counts);
    EXPECT_EQ(counts[param::PhoenixHolesAgainstAnyHand], 0);
    EXPECT_EQ(counts[param::HandAgainstHoles + 3 - 1], 0);

    g.持駒_COM[3] = 2; // two cranes in the upper hand
    g.持駒数_COM = 2;
    evaluationCounts(Position::fromGame(g, Lower), counts);
    EXPECT_EQ(counts[param::PhoenixHolesAgainstAnyHand], -5); // five empty squares around (4,7)
    EXPECT_EQ(counts[param::HandAgainstHoles + 3 - 1], 2 * 5); // for the upper side
}

TEST(Evaluation, TheScoreIsTheWeightedSumOfTheCounts)
{
    // The search looks up a piece's material, square and phoenix offsets in
    // tables made from the weights; the tuner fits the counts. Both must
    // agree, with a phoenix off the board too.
    auto weightedSum = [](const Position& p) {
        int counts[param::Count];
        evaluationCounts(p, counts);
        long long sum = 0;
        for (int i = 0; i < param::Count; ++i)
            sum += static_cast<long long>(counts[i]) * weights[i];
        return p.sideToMove() == Upper ? sum : -sum;
    };
    std::mt19937 rng(7);
    for (int n = 0; n < 300; ++n) {
        const Position p = tori::search::test_support::randomSparsePosition(rng);
        ASSERT_EQ(evaluate(p), weightedSum(p)) << "position " << n;
    }
    const GameState taken = tori::testing::fromDiagram("..S.F.."
                                                       "L.C..PR"
                                                       "S.r...E"
                                                       "...l..."
                                                       ".s..c.."
                                                       "R..f..S"
                                                       "l.p..gr");
    for (const int side : { Upper, Lower }) {
        const Position p = Position::fromGame(taken, side);
        ASSERT_EQ(p.phoenix(Upper), NoSquare);
        EXPECT_EQ(evaluate(p), weightedSum(p));
    }
}
