// The search's soundness: quiescence bounds that agree with its exact score,
// evasions at every depth of the quiescence, a root move kept when time runs
// out, attacks uncovered by a move, repetitions not counted across a pass.
#include "support/diagram.h"

#include "rules/rules.h"
#include "search/evaluation.h"
#include "search/search.h"

#include <gtest/gtest.h>

using namespace tori;
using namespace tori::search;

namespace {

Position diagramPosition(const char* diagram, int sideToMove)
{
    return Position::fromGame(tori::testing::fromDiagram(diagram), sideToMove);
}

Move find(const Position& p, int fc, int fr, int tc, int tr)
{
    MoveList list;
    p.generate(list);
    for (const Move m : list)
        if (!isDrop(m) && fromOf(m) == squareOf(fc, fr) && toOf(m) == squareOf(tc, tr)
            && !isPromotion(m))
            return m;
    return NoMove;
}

} // namespace

TEST(SearchSoundness, QuiescenceBoundsAgreeWithItsExactScoreAcrossATrade)
{
    // The upper falcon (4,3) may take the lower falcon (4,4), which the lower
    // crane (4,5) takes back: the trade gains nothing. A capture gains the
    // piece in hand as well as on the board, so a window just above the exact
    // score may not prune the recapture and see the falcon won.
    const Position p = diagramPosition("K......"
                                       "......."
                                       "...F..."
                                       "...f..."
                                       "...c..."
                                       "......."
                                       "......k",
        Upper);
    Searcher searcher(1);
    const int exact = searcher.quiesce(p, -Infinite, Infinite);
    EXPECT_LE(searcher.quiesce(p, exact, exact + 1), exact);
    EXPECT_GE(searcher.quiesce(p, exact - 1, exact), exact);
    // The trade wins nothing: the exact score is nowhere near a falcon up.
    EXPECT_LT(exact, evaluate(p) + captureValue(Falcon) / 2);
}

TEST(SearchSoundness, APhoenixWithNoAnswerToItsAttackerLosesAtEveryQuiescenceDepth)
{
    // The lower phoenix (1,7) is attacked by the swallow (1,6); every square
    // it could go to is covered by another upper swallow.
    const Position p = diagramPosition("......K"
                                       "......."
                                       "......."
                                       "......."
                                       "SS....."
                                       "SS....."
                                       "k......",
        Lower);
    ASSERT_TRUE(p.inCheck());
    Searcher searcher(1);
    for (const int qply : { 0, 1, 3, 6 })
        EXPECT_LE(searcher.quiesce(p, -Infinite, Infinite, qply), -MateBound) << qply;
    // With a swallow of its own the phoenix takes the attacker back: not lost.
    const Position q = diagramPosition("......K"
                                       "......."
                                       "......."
                                       "......."
                                       "S......"
                                       "S......"
                                       "k......",
        Lower);
    ASSERT_TRUE(q.inCheck());
    for (const int qply : { 0, 3 })
        EXPECT_GT(searcher.quiesce(q, -Infinite, Infinite, qply), -MateBound) << qply;
}

TEST(SearchSoundness, AnAttackAlongALineIsAnsweredBetweenAsWellAsOnTheAttacker)
{
    // The upper left quail (4,2) slides down column 4 onto the lower phoenix.
    const Position p = diagramPosition("......K"
                                       "...L..."
                                       "......."
                                       "......."
                                       "......."
                                       "......."
                                       "...k...",
        Lower);
    ASSERT_TRUE(p.inCheck());
    Bitboard expected = bit(squareOf(4, 2));
    for (int row = 3; row <= 6; ++row)
        expected |= bit(squareOf(4, row));
    EXPECT_EQ(p.evasionTargets(), expected);
}

TEST(SearchSoundness, AMoveThatOpensALineOntoThePhoenixThreatensIt)
{
    // The upper falcon (4,4) stands between the quail (4,2) and the lower
    // phoenix (4,7); stepping aside opens the column, stepping forward does not.
    const Position p = diagramPosition("K......"
                                       "...L..."
                                       "......."
                                       "...F..."
                                       "......."
                                       "......."
                                       "...k...",
        Upper);
    const Move aside = find(p, 4, 4, 3, 4);
    const Move ahead = find(p, 4, 4, 4, 5);
    ASSERT_NE(aside, NoMove);
    ASSERT_NE(ahead, NoMove);
    EXPECT_TRUE(p.threatensPhoenix(aside));
    EXPECT_FALSE(p.threatensPhoenix(ahead));
    // The piece's own attack still counts: the falcon to (4,6) reaches (4,7).
    const Position q = diagramPosition("K......"
                                       "......."
                                       "......."
                                       "......."
                                       "...F..."
                                       "......."
                                       "...k...",
        Upper);
    EXPECT_TRUE(q.threatensPhoenix(find(q, 4, 5, 4, 6)));
}

TEST(SearchSoundness, APositionBeforeAPassIsNoRepetitionOfOneAfterIt)
{
    KeyHistory<16> keys;
    keys.clear();
    keys.push(1); // upper to move
    keys.push(2); // lower to move
    const int before = keys.pushNull(3); // the lower side passes
    keys.push(4);
    keys.push(1); // the first position again, seen only through the pass
    EXPECT_FALSE(keys.repeated());
    keys.pop();
    keys.pop();
    keys.popNull(before);
    // Without the pass the same line is a repetition.
    keys.push(3);
    keys.push(4);
    keys.push(1);
    EXPECT_TRUE(keys.repeated());
}
