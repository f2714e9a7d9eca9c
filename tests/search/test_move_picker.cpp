// The order of a node's moves, stage by stage: whatever table move and
// killers it is given (moves of other positions, as a table entry of
// another position or a sibling's killer would be), a node is handed every
// move of its position exactly once and nothing else.
#include "search/move_picker.h"
#include "sparse_positions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace tori::search;
using tori::search::test_support::randomSparsePosition;

namespace {

std::vector<Move> sorted(std::vector<Move> moves)
{
    std::sort(moves.begin(), moves.end());
    return moves;
}

std::vector<Move> all(const MoveList& list) { return { list.begin(), list.end() }; }

std::vector<Move> handedOut(MovePicker& picker)
{
    std::vector<Move> out;
    while (const Move m = picker.next())
        out.push_back(m);
    return out;
}

bool quiet(const Position& p, Move m) { return !isPromotion(m) && p.capturedBy(m) == 0; }

} // namespace

TEST(MovePicker, EveryMoveOnceAndNoMoveOfAnotherPosition)
{
    std::mt19937 rng(5);
    static int history[64][SquareCount] = {};
    static const std::int16_t none[ContinuationSize] = {};
    const QuietHistory h { history, none, none };
    // Moves of the positions met before, and a few that no position has.
    std::vector<Move> foreign = { makeDrop(0, 3), makeMove(60, 2), makeMove(5, 63),
        makeDrop(4, 10) | PromoteFlag, makeMove(40, 40) };
    int positions = 0, foreignTableMoves = 0, tableMovesFirst = 0;
    for (int game = 0; game < 40; ++game) {
        Position p
            = game % 2 ? randomSparsePosition(rng) : Position::start(game % 4 ? Upper : Lower);
        for (int ply = 0; ply < 60 && p.phoenix(Upper) != NoSquare && p.phoenix(Lower) != NoSquare;
             ++ply) {
            MoveList list;
            p.generate(list);
            if (list.size == 0)
                break;
            const std::vector<Move> moves = sorted(all(list));
            auto legal = [&](Move m) { return std::binary_search(moves.begin(), moves.end(), m); };
            auto any = [&] {
                return rng() % 3 ? foreign[rng() % foreign.size()] : list.moves[rng() % list.size];
            };
            const Move tableMove = rng() % 4 ? any() : NoMove;
            const Move killers[2] = { any(), any() };
            foreignTableMoves += tableMove && !legal(tableMove);

            MovePicker picker(p, tableMove, killers, h);
            const std::vector<Move> out = handedOut(picker);
            EXPECT_EQ(sorted(out), moves) << "game " << game << " ply " << ply;
            if (tableMove && legal(tableMove)) {
                ++tableMovesFirst;
                ASSERT_FALSE(out.empty());
                EXPECT_EQ(out.front(), tableMove);
            }
            // Captures and promotions before the quiet moves, but for the
            // table's move and the ones that lose in the exchange.
            bool quietSeen = false;
            for (const Move m : out) {
                if (m == tableMove)
                    continue;
                if (quiet(p, m))
                    quietSeen = true;
                else if (quietSeen) {
                    EXPECT_FALSE(p.seeAtLeast(m, 0, exchangeValues()));
                }
            }

            // Quiescence: its captures and promotions, or with the phoenix
            // attacked the answers to the attack.
            MoveList tactical;
            p.generateTactical(tactical);
            MovePicker captures(p, h, false);
            EXPECT_EQ(sorted(handedOut(captures)), sorted(all(tactical)));
            if (p.inCheck()) {
                std::vector<Move> answers;
                for (const Move m : list)
                    if ((bit(toOf(m)) & p.evasionTargets())
                        || (!isDrop(m) && fromOf(m) == p.phoenix(p.sideToMove())))
                        answers.push_back(m);
                MovePicker evasions(p, h, true);
                EXPECT_EQ(sorted(handedOut(evasions)), sorted(answers));
            }
            ++positions;

            foreign.push_back(list.moves[rng() % list.size]);
            const Move m = list.moves[rng() % list.size];
            if (kindOf(p.capturedBy(m)) == Phoenix)
                break;
            Undo u;
            p.make(m, u);
        }
    }
    EXPECT_GE(positions, 1000);
    EXPECT_GE(foreignTableMoves, 300);
    EXPECT_GE(tableMovesFirst, 100);
}
