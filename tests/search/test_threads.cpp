// Lazy SMP: searchers on several threads over one table prove what one proves,
// stop when asked, and can be resized between searches.
#include "rules/rules.h"
#include "search/threads.h"
#include "sparse_positions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

using namespace tori;
using namespace tori::search;
using tori::search::test_support::randomSparsePosition;

TEST(SearchPool, SeveralThreadsFindTheWinsAndLossesOneFinds)
{
    // Sparse positions with open phoenixes and pieces in hand, many of them
    // won or lost within three plies: what one searcher proves at depth 3, a
    // pool of several proves too, whatever its helpers stored in the table.
    std::mt19937 rng(7);
    Searcher one(1);
    Limits limits;
    limits.depth = 3;
    SearchPool pool(3, 1);
    int decided = 0;
    for (int n = 0; n < 80; ++n) {
        const Position p = randomSparsePosition(rng);
        if (p.phoenix(Upper) == NoSquare || p.phoenix(Lower) == NoSquare || p.canTakePhoenix())
            continue;
        one.clear();
        const Result alone = one.search(p, nullptr, 0, limits);
        const Result r = pool.search(p, nullptr, 0, limits);
        EXPECT_TRUE(p.isPseudoLegal(r.best));
        if (std::abs(alone.score) >= MateBound) {
            ++decided;
            EXPECT_EQ(r.score, alone.score) << n;
        }
    }
    EXPECT_GT(decided, 5);

    // The start, a few moves deep, on a pool resized between searches.
    const Position start = Position::start(Upper);
    for (const int n : { 3, 1, 2 }) {
        pool.setThreads(n);
        EXPECT_EQ(pool.threads(), n);
        Limits byNodes;
        byNodes.nodes = 30000;
        const Result r = pool.search(start, nullptr, 0, byNodes);
        EXPECT_TRUE(start.isPseudoLegal(r.best));
        EXPECT_GE(r.depth, 2);
    }
}

TEST(SearchPool, StopFromAnotherThreadEndsEveryThread)
{
    SearchPool pool(3, 1);
    const Position p = Position::start(Lower);
    struct FirstIteration : Listener {
        std::atomic<bool> started { false };
        void iteration(const Iteration&) override { started = true; }
    } listener;
    Result r;
    std::thread caller([&] { r = pool.search(p, nullptr, 0, Limits {}, &listener); });
    while (!listener.started)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    pool.stop();
    caller.join(); // returns only when every helper has stopped too
    EXPECT_TRUE(p.isPseudoLegal(r.best));
    // The next search runs to its limit.
    Limits byDepth;
    byDepth.depth = 3;
    EXPECT_EQ(pool.search(p, nullptr, 0, byDepth).depth, 3);
}
