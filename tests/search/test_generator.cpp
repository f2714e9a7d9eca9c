// The searching opponent's position and move generator against the game's
// own rule procedures.
#include "reference.h"

#include "rules/rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

using namespace tori;
using namespace tori::search;
using tori::testing::GameMove;

namespace {

std::string text(const std::vector<GameMove>& moves)
{
    std::string out;
    for (const GameMove& m : moves) {
        for (int v : m)
            out += std::to_string(v) + " ";
        out += "| ";
    }
    return out;
}

// Plays random games from `start`, with the game state following along by
// 駒移動, and compares both generators at every position. Also checks that
// the incremental key is the recomputed one and that unmake restores all.
int playRandomGames(const Position& start, std::mt19937& rng, int games, int plies)
{
    int positions = 0;
    for (int game = 0; game < games; ++game) {
        Position p = start;
        GameState g;
        初期設定(g);
        p.toGame(g);
        for (int ply = 0; ply < plies; ++ply) {
            // Every piece that reaches a square, found backwards from it (in
            // every tenth position, which is plenty).
            for (int s = 0; s < SquareCount && positions % 10 == 0; ++s)
                for (int side = 0; side < 2; ++side) {
                    Bitboard reach = 0;
                    for (int from = 0; from < SquareCount; ++from)
                        if (p.piece(from) && sideOf(p.piece(from)) == side
                            && (p.attacksFrom(p.piece(from), from) & bit(s)))
                            reach |= bit(from);
                    EXPECT_EQ(p.attackersTo(s, side), reach) << "square " << s;
                }
            const std::vector<GameMove> mine = tori::testing::generatedMoves(p);
            const std::vector<GameMove> rules = tori::testing::referenceMoves(g, p.sideToMove());
            ++positions;
            EXPECT_EQ(text(mine), text(rules)) << "game " << game << " ply " << ply;
            if (mine != rules || mine.empty())
                return positions;

            MoveList list;
            p.generate(list);
            // The same moves in two parts: those that take or promote, and the rest.
            MoveList captures, quiets;
            p.generateCaptures(captures);
            p.generateQuiets(quiets);
            std::vector<Move> whole(list.begin(), list.end()),
                parts(captures.begin(), captures.end());
            parts.insert(parts.end(), quiets.begin(), quiets.end());
            std::sort(whole.begin(), whole.end());
            std::sort(parts.begin(), parts.end());
            EXPECT_EQ(parts, whole) << "game " << game << " ply " << ply;
            for (const Move m : captures)
                EXPECT_TRUE(isPromotion(m) || p.capturedBy(m) != 0);
            for (const Move m : quiets)
                EXPECT_TRUE(!isPromotion(m) && p.capturedBy(m) == 0);
            // Taking the phoenix ends the game; mostly play on, to reach
            // positions with full hands.
            Move m = list.moves[rng() % list.size];
            if (kindOf(p.capturedBy(m)) == Phoenix && rng() % 8)
                m = list.moves[rng() % list.size];
            const Position before = p;
            Undo u;
            p.make(m, u);
            EXPECT_EQ(p.key(), computeKey(p));
            p.unmake(m, u);
            EXPECT_TRUE(p == before);
            p.make(m, u);

            const tori::testing::Taken t
                = tori::testing::referenceMake(g, tori::testing::gameMove(before, m));
            if (std::abs(t.captured) == 鵬)
                break;
            EXPECT_TRUE(Position::fromGame(g, p.sideToMove()) == p);
        }
    }
    return positions;
}

Position handicapped(int upperLevel, int lowerLevel, int side)
{
    GameState g;
    初期設定(g);
    ハンデ除去(g, upperLevel);
    ハンデ除去(g, -lowerLevel);
    return Position::fromGame(g, side);
}

} // namespace

TEST(Generator, TheStartingPositionTurnedIsItselfWithTheOtherSideToMove)
{
    EXPECT_TRUE(Position::start(Upper).reversed() == Position::start(Lower));
    GameState g;
    初期設定(g);
    GameState back;
    Position::start(Lower).toGame(back);
    EXPECT_EQ(back.盤, g.盤);
}

TEST(Generator, MovesAreTheRulesOverTenThousandPositionsOfRandomPlay)
{
    std::mt19937 rng(13);
    int positions = 0;
    // From the start, either side moving first.
    positions += playRandomGames(Position::start(Upper), rng, 30, 120);
    positions += playRandomGames(Position::start(Lower), rng, 30, 120);
    // From every handicap level of either side.
    for (int level = 1; level <= 7; ++level) {
        positions += playRandomGames(handicapped(level, 0, Lower), rng, 3, 120);
        positions += playRandomGames(handicapped(0, level, Upper), rng, 3, 120);
    }
    // From positions turned by 180 degrees with the colours exchanged,
    // taken from the middle of random games.
    for (int game = 0; game < 20; ++game) {
        Position p = Position::start(game % 2 ? Lower : Upper);
        for (int ply = 0; ply < 40; ++ply) {
            MoveList list;
            p.generate(list);
            const Move m = list.moves[rng() % list.size];
            if (kindOf(p.capturedBy(m)) == Phoenix)
                break;
            Undo u;
            p.make(m, u);
        }
        const Position r = p.reversed();
        EXPECT_TRUE(r.reversed() == p);
        positions += playRandomGames(r, rng, 1, 120);
    }
    EXPECT_GE(positions, 10000);
}

TEST(Generator, PerftTableAgreesAtSmallDepths)
{
    std::ifstream in(ZR_PERFT_TABLE);
    ASSERT_TRUE(in.good());
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string side;
        int depth = 0;
        std::uint64_t searchCount = 0, ruleCount = 0;
        words >> side >> depth >> searchCount >> ruleCount;
        EXPECT_EQ(searchCount, ruleCount) << line;
        if (depth > 3)
            continue;
        const int s = side == "upper" ? Upper : Lower;
        Position p = Position::start(s);
        GameState g;
        初期設定(g);
        EXPECT_EQ(tori::testing::perft(p, depth), searchCount) << line;
        EXPECT_EQ(tori::testing::referencePerft(g, s, depth), ruleCount) << line;
        ++checked;
    }
    EXPECT_EQ(checked, 6);
}
