// The game-tree search: won and lost games scored by their distance, repeated
// positions scored 0, its limits, and its place in the computer's turn.
#include "reference.h"
#include "support/diagram.h"

#include "engine/turn.h"
#include "rules/rules.h"
#include "search/game.h"
#include "search/search.h"
#include "sparse_positions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

using namespace tori;
using namespace tori::search;
using tori::search::test_support::randomSparsePosition;

namespace {

// Every move of the side to move leaves its phoenix to be taken (taking the
// other phoenix first ends the game).
bool lostNextMove(Position& p)
{
    if (p.canTakePhoenix())
        return false;
    MoveList list;
    p.generate(list);
    for (const Move m : list) {
        Undo u;
        p.make(m, u);
        const bool taken = p.canTakePhoenix();
        p.unmake(m, u);
        if (!taken)
            return false;
    }
    return true;
}

// Some move leaves the other side lost next move.
bool winsInThree(Position& p)
{
    MoveList list;
    p.generate(list);
    for (const Move m : list) {
        Undo u;
        p.make(m, u);
        const bool won = lostNextMove(p);
        p.unmake(m, u);
        if (won)
            return true;
    }
    return false;
}

Move find(const Position& p, int fc, int fr, int tc, int tr)
{
    MoveList list;
    p.generate(list);
    for (const Move m : list)
        if (!isDrop(m) && fromOf(m) == squareOf(fc, fr) && toOf(m) == squareOf(tc, tr))
            return m;
    return NoMove;
}

struct CountingListener : Listener {
    int ticks = 0;
    std::vector<int> depths;
    void tick() override { ++ticks; }
    void iteration(const Iteration& it) override { depths.push_back(it.depth); }
};

} // namespace

TEST(GameTreeSearch, WonAndLostGamesAreScoredByTheirDistance)
{
    // Sparse positions with pieces in hand and open phoenixes, where many
    // phoenixes can be taken at once, are lost next move or are won in three
    // plies; a full-width look at those plies is the judge.
    std::mt19937 rng(21);
    Searcher searcher(1);
    Limits limits;
    limits.depth = 3;
    int wins1 = 0, wins3 = 0, losses = 0, others = 0;
    for (int n = 0; n < 400; ++n) {
        Position p = randomSparsePosition(rng);
        if (p.phoenix(Upper) == NoSquare || p.phoenix(Lower) == NoSquare)
            continue;
        const Result r = searcher.search(p, nullptr, 0, limits);
        if (p.canTakePhoenix()) {
            ++wins1;
            EXPECT_EQ(r.score, MateScore);
            EXPECT_EQ(kindOf(p.capturedBy(r.best)), Phoenix);
        } else if (winsInThree(p)) {
            ++wins3;
            EXPECT_EQ(r.score, MateScore - 2);
            Undo u;
            p.make(r.best, u);
            EXPECT_TRUE(lostNextMove(p));
            // The other side sees its loss from there.
            EXPECT_EQ(searcher.search(p, nullptr, 0, limits).score, -MateScore + 1);
            ++losses;
        } else if (lostNextMove(p)) {
            ++losses;
            EXPECT_EQ(r.score, -MateScore + 1);
        } else {
            ++others;
            EXPECT_LT(r.score, MateScore - 2);
            EXPECT_GT(r.score, -MateScore + 1);
        }
    }
    EXPECT_GT(wins1, 40);
    EXPECT_GT(wins3, 8);
    EXPECT_GT(losses, 8);
    EXPECT_GT(others, 100);
}

TEST(GameTreeSearch, ARepeatedPositionScoresZeroSoTheEngineAvoidsItAheadAndSeeksItBehind)
{
    // The upper swallow (4,3) can take the lower eagle (4,4); the position
    // after it stood on the board before.
    const GameState g = tori::testing::fromDiagram(".K....."
                                                   "......."
                                                   "...S..."
                                                   "...e..."
                                                   "......."
                                                   "......."
                                                   "......k");
    Limits limits;
    limits.depth = 3;
    Searcher searcher(1);
    for (const bool ahead : { true, false }) {
        GameState h = g;
        if (ahead)
            h.持駒_COM = { 0, 0, 2, 2, 0, 0, 0 };
        else
            h.持駒_MAN = { 0, 0, 2, 2, 1, 1, 1 };
        const Position p = Position::fromGame(h, Upper);
        const Move capture = find(p, 4, 3, 4, 4);
        ASSERT_NE(capture, NoMove);
        Position after = p;
        Undo u;
        after.make(capture, u);
        const std::uint64_t earlier[] = { after.key() };

        searcher.clear();
        EXPECT_EQ(searcher.search(p, nullptr, 0, limits).best, capture);
        searcher.clear();
        const Result r = searcher.search(p, earlier, 1, limits);
        if (ahead) {
            EXPECT_NE(r.best, capture);
            EXPECT_GT(r.score, 0);
        } else {
            EXPECT_EQ(r.best, capture);
            EXPECT_EQ(r.score, 0);
        }
    }
}

TEST(GameTreeSearch, DepthAndNodeLimitsAreDeterministicAndTimeLimitsTick)
{
    const Position p = Position::start(Upper);
    Limits byDepth;
    byDepth.depth = 5;
    Limits byNodes;
    byNodes.nodes = 20000;
    Searcher a(1), b(1);
    for (const Limits& limits : { byDepth, byNodes }) {
        a.clear();
        b.clear();
        CountingListener listener;
        const Result ra = a.search(p, nullptr, 0, limits, &listener);
        const Result rb = b.search(p, nullptr, 0, limits);
        EXPECT_EQ(ra.best, rb.best);
        EXPECT_EQ(ra.nodes, rb.nodes);
        EXPECT_EQ(ra.score, rb.score);
        EXPECT_FALSE(listener.depths.empty());
        for (size_t i = 0; i < listener.depths.size(); ++i)
            EXPECT_EQ(listener.depths[i], int(i) + 1);
    }
    a.clear();
    EXPECT_EQ(a.search(p, nullptr, 0, byDepth).depth, 5);
    EXPECT_LE(a.search(p, nullptr, 0, byNodes).nodes, byNodes.nodes + 1024);

    Limits byTime;
    byTime.timeMs = 300;
    CountingListener listener;
    const Result r = a.search(p, nullptr, 0, byTime, &listener);
    EXPECT_GE(listener.ticks, 3);
    EXPECT_LT(r.ms, 1000);
}

// Escape while the computer thinks, or a worker's search called off: stop()
// ends the search at its next look at the clock with the best move so far,
// whether the listener's tick or another thread asks, and the next search
// runs whole.
TEST(GameTreeSearch, StopEndsTheSearchFromItsTickOrAnotherThread)
{
    const Position p = Position::start(Upper);
    Limits unlimited;
    unlimited.nodes = 500'000'000; // a safety net: never reached when stop() works
    Searcher searcher(1);

    struct StopOnSecondTick : Listener {
        Searcher* searcher = nullptr;
        int ticks = 0;
        void tick() override
        {
            if (++ticks == 2)
                searcher->stop();
        }
    } fromTick;
    fromTick.searcher = &searcher;
    const Result r = searcher.search(p, nullptr, 0, unlimited, &fromTick);
    EXPECT_EQ(fromTick.ticks, 2);
    EXPECT_LT(r.nodes, unlimited.nodes / 10);
    EXPECT_NE(r.best, NoMove);

    struct Ticking : Listener {
        std::atomic<int> ticks { 0 };
        void tick() override { ++ticks; }
    } ticking;
    std::thread window([&] {
        while (ticking.ticks < 1)
            std::this_thread::yield();
        searcher.stop();
    });
    const Result other = searcher.search(p, nullptr, 0, unlimited, &ticking);
    window.join();
    EXPECT_LT(other.nodes, unlimited.nodes / 10);
    EXPECT_NE(other.best, NoMove);

    Limits byDepth;
    byDepth.depth = 4;
    EXPECT_EQ(searcher.search(p, nullptr, 0, byDepth).depth, 4);
}

TEST(GameTreeSearch, TheRecordGivesTheKeysOfTheGamesEarlierPositions)
{
    // A game of random moves written to the record as the turns write it;
    // the keys taken back from the record are the ones seen while playing.
    std::mt19937 rng(5);
    GameState g;
    初期設定(g);
    Position p = Position::fromGame(g, Lower);
    std::vector<std::uint64_t> seen;
    for (int ply = 0; ply < 80; ++ply) {
        MoveList list;
        p.generate(list);
        const Move m = list.moves[rng() % list.size];
        if (kindOf(p.capturedBy(m)) == Phoenix)
            continue;
        seen.push_back(p.key());
        const 探索結果 gm = ゲーム着手(p, m);
        手順保存(g, gm.元列, gm.元段, gm.先列, gm.先段, gm.駒, gm.成駒, 0, 0, 0, 0);
        駒移動(g, gm.元列, gm.元段, gm.先列, gm.先段, gm.成駒);
        Undo u;
        p.make(m, u);
    }
    std::vector<std::uint64_t> keys(seen.size() + 5);
    ASSERT_EQ(recordKeys(g, keys.data(), int(keys.size())), int(seen.size()));
    keys.resize(seen.size());
    EXPECT_EQ(keys, seen);
    // With less room, the latest ones.
    std::uint64_t last[3];
    ASSERT_EQ(recordKeys(g, last, 3), 3);
    EXPECT_EQ(last[2], seen.back());
    EXPECT_EQ(last[0], seen[seen.size() - 3]);
}

TEST(GameTreeSearch, TheComputersTurnAtLevelFourSearchesAndKeepsTheClockGoing)
{
    struct Hooks : TurnHooks {
        int ticks = 0, depths = 0;
        void Timer1_Timer() override { ++ticks; }
        void 探索経過(const Iteration&) override { ++depths; }
    } hooks;
    GameState g;
    初期設定(g);
    g.レベル = 4;
    g.MAN手番 = GameState::後手;
    g.COM手番 = GameState::先手;
    g.手番 = g.COM手番;
    const Position before = Position::fromGame(g, Upper);
    EngineState e;
    const COM着手結果 r = com_ban(g, e, &hooks);
    ASSERT_EQ(r.拒否, 着手拒否::なし);
    EXPECT_EQ(g.記録手数, 1);
    EXPECT_GE(hooks.ticks, 2);
    // More than one depth, each reported; how many fit in the quarter second
    // depends on the machine (a sanitizer's build on a busy one reaches 3).
    EXPECT_GE(hooks.depths, 2);
    // The move played is one of the rules' moves from the starting position.
    GameState start;
    初期設定(start);
    const std::vector<tori::testing::GameMove> moves = tori::testing::referenceMoves(start, Upper);
    const tori::testing::GameMove played { r.元列, r.元段, r.先列, r.先段, r.成駒 };
    EXPECT_NE(std::find(moves.begin(), moves.end(), played), moves.end());
    EXPECT_FALSE(Position::fromGame(g, Lower) == before);
}

TEST(GameTreeSearch, StopFromAnotherThreadEndsTheSearchSoonWithALegalMove)
{
    // A search without limits runs until it is stopped; the stop from
    // another thread ends it within a few thousand nodes (a tenth of a second
    // is the promise; the bound leaves room for a loaded machine).
    const Position p = Position::start(Upper);
    Searcher searcher(1);
    struct FirstIteration : Listener {
        std::atomic<bool> started { false };
        void iteration(const Iteration&) override { started = true; }
    } listener;
    Result r;
    std::thread worker([&] { r = searcher.search(p, nullptr, 0, Limits {}, &listener); });
    while (!listener.started)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto asked = std::chrono::steady_clock::now();
    searcher.stop();
    worker.join();
    const double ms
        = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - asked)
              .count();
    EXPECT_LT(ms, 500);
    EXPECT_GE(r.depth, 1);
    EXPECT_TRUE(p.isPseudoLegal(r.best));

    // The stop ended with that search: the next one runs to its depth.
    Limits byDepth;
    byDepth.depth = 4;
    EXPECT_EQ(searcher.search(p, nullptr, 0, byDepth).depth, 4);
    // A stop asked before a search starts ends it after its first iteration.
    searcher.stop();
    EXPECT_EQ(searcher.search(p, nullptr, 0, byDepth).depth, 1);
}

namespace {

// Stores for p, and for every position `plies` moves from it, a table entry
// whose move is one of another position that is no move there (the moves of
// the position before, or of the other side), as a torn or colliding entry
// would hold. Its depth decides nothing: only its move can mislead.
void storeForeignMoves(TranspositionTable& table, Position& p, const std::vector<Move>& elsewhere,
    int plies, int& stored)
{
    MoveList list;
    p.generate(list);
    std::vector<Move> here(list.begin(), list.end());
    std::sort(here.begin(), here.end());
    for (const Move m : elsewhere)
        if (!std::binary_search(here.begin(), here.end(), m)) {
            table.store(p.key(), 0, m, 0, BoundUpper);
            ++stored;
            break;
        }
    if (plies == 0)
        return;
    for (const Move m : list) {
        if (kindOf(p.capturedBy(m)) == Phoenix)
            continue;
        Undo u;
        p.make(m, u);
        storeForeignMoves(table, p, here, plies - 1, stored);
        p.unmake(m, u);
    }
}

} // namespace

TEST(GameTreeSearch, ATableMoveThatIsNoMoveOfThePositionIsNeverTried)
{
    // Positions with pieces in hand: the table holds, for them and the
    // positions two plies on, moves that are not theirs. The search must
    // pass over them: it searches exactly what it searches over a clean table.
    std::mt19937 rng(29);
    int searched = 0;
    for (int n = 0; n < 3; ++n) {
        Position p = Position::start(n % 2 ? Lower : Upper);
        for (int ply = 0; ply < 24; ++ply) {
            MoveList list;
            p.generate(list);
            const Move m = list.moves[rng() % list.size];
            if (kindOf(p.capturedBy(m)) == Phoenix || p.canTakePhoenix())
                break;
            Undo u;
            p.make(m, u);
        }
        if (p.canTakePhoenix() || p.phoenix(Upper) == NoSquare || p.phoenix(Lower) == NoSquare)
            continue;
        Position other = p;
        Undo pass;
        other.makeNull(pass);
        MoveList theirs;
        other.generate(theirs);

        TranspositionTable clean(4), foreign(4);
        int stored = 0;
        storeForeignMoves(foreign, p, { theirs.begin(), theirs.end() }, 2, stored);
        EXPECT_GT(stored, 100);
        Searcher a(clean, 0), b(foreign, 0);
        Limits limits;
        limits.depth = 5;
        const Result ra = a.search(p, nullptr, 0, limits);
        const Result rb = b.search(p, nullptr, 0, limits);
        EXPECT_EQ(rb.best, ra.best) << n;
        EXPECT_EQ(rb.score, ra.score) << n;
        EXPECT_EQ(rb.nodes, ra.nodes) << n;
        EXPECT_TRUE(p.isPseudoLegal(rb.best));
        ++searched;
    }
    EXPECT_GE(searched, 2);
}
