// The worker thread beside the window: jobs in the order posted, each
// reported with its own id; a cancel stops the running search, drops the
// waiting ones and leaves no stale report behind it.
#include "search/background.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using namespace tori::search;

namespace {

// Everything the worker reported, gathered under a lock.
struct Reports {
    std::mutex mutex;
    std::vector<BackgroundReport> iterations, finished;
    std::atomic<int> iterationCount { 0 };

    BackgroundSearch::Callback onIteration()
    {
        return [this](const BackgroundReport& r) {
            std::lock_guard lock(mutex);
            iterations.push_back(r);
            ++iterationCount;
        };
    }
    BackgroundSearch::Callback onFinished()
    {
        return [this](const BackgroundReport& r) {
            std::lock_guard lock(mutex);
            finished.push_back(r);
        };
    }
    std::vector<BackgroundReport> finishedNow()
    {
        std::lock_guard lock(mutex);
        return finished;
    }
};

BackgroundJob job(std::uint64_t id, const Position& p, int depth)
{
    BackgroundJob j;
    j.id = id;
    j.position = p;
    j.limits.depth = depth;
    return j;
}

void waitIdle(const BackgroundSearch& worker)
{
    while (worker.busy())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace

TEST(BackgroundSearch, ReportsEachIterationAndTheResultOfEveryJobInTheOrderPosted)
{
    Reports reports;
    BackgroundSearch worker(reports.onIteration(), reports.onFinished(), 1);
    const Position upper = Position::start(Upper);
    const Position lower = Position::start(Lower);
    worker.post(job(7, upper, 3));
    worker.post(job(8, lower, 2));
    waitIdle(worker);

    const auto finished = reports.finishedNow();
    ASSERT_EQ(finished.size(), 2u);
    EXPECT_EQ(finished[0].id, 7u);
    EXPECT_EQ(finished[0].depth, 3);
    EXPECT_EQ(finished[0].sideToMove, Upper);
    EXPECT_TRUE(upper.isPseudoLegal(finished[0].best));
    ASSERT_FALSE(finished[0].pv.empty());
    EXPECT_EQ(finished[0].pv.front(), finished[0].best);
    EXPECT_EQ(finished[1].id, 8u);
    EXPECT_EQ(finished[1].sideToMove, Lower);
    EXPECT_TRUE(lower.isPseudoLegal(finished[1].best));

    // Depths 1..3 of the first job, then 1..2 of the second.
    std::lock_guard lock(reports.mutex);
    ASSERT_EQ(reports.iterations.size(), 5u);
    const std::uint64_t ids[] = { 7, 7, 7, 8, 8 };
    const int depths[] = { 1, 2, 3, 1, 2 };
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(reports.iterations[i].id, ids[i]);
        EXPECT_EQ(reports.iterations[i].depth, depths[i]);
    }
}

TEST(BackgroundSearch, CancelStopsTheRunningSearchSoonAndTheNextJobRunsToItsDepth)
{
    Reports reports;
    BackgroundSearch worker(reports.onIteration(), reports.onFinished(), 1);
    const Position p = Position::start(Upper);
    BackgroundJob endless = job(1, p, MaxPly - 1);
    worker.post(endless);
    worker.post(job(2, p, 3)); // waiting: dropped by the cancel
    while (reports.iterationCount < 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    const auto asked = std::chrono::steady_clock::now();
    worker.cancel();
    const double ms
        = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - asked)
              .count();
    // The promise is a tenth of a second; the bound leaves room for a loaded
    // machine and the sanitizers.
    EXPECT_LT(ms, 500);
    EXPECT_FALSE(worker.busy());
    const int heard = reports.iterationCount;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(reports.iterationCount, heard) << "a report after the cancel returned";
    EXPECT_TRUE(reports.finishedNow().empty());

    // The stop belonged to the cancelled search: the next job is whole.
    worker.post(job(3, p, 4));
    waitIdle(worker);
    const auto finished = reports.finishedNow();
    ASSERT_EQ(finished.size(), 1u);
    EXPECT_EQ(finished[0].id, 3u);
    EXPECT_EQ(finished[0].depth, 4);
}

TEST(BackgroundSearch, PositionsChangingUnderTheWorkerLeaveOnlyTheLastJobsResult)
{
    // As the window does while the player steps through a record: each new
    // position cancels the search of the one before and posts its own.
    Reports reports;
    BackgroundSearch worker(reports.onIteration(), reports.onFinished(), 1);
    Position p = Position::start(Lower);
    std::uint64_t id = 0;
    for (int step = 0; step < 30; ++step) {
        worker.cancel();
        // Every report so far belongs to a job already cancelled or finished.
        {
            std::lock_guard lock(reports.mutex);
            reports.iterations.clear();
            reports.finished.clear();
        }
        MoveList list;
        p.generate(list);
        Undo u;
        p.make(list.moves[step % list.size], u);
        BackgroundJob j = job(++id, p, step % 3 == 0 ? MaxPly - 1 : 2);
        j.limits.timeMs = 2000;
        worker.post(j);
        std::this_thread::sleep_for(std::chrono::milliseconds(step % 4));
    }
    worker.cancel();
    {
        std::lock_guard lock(reports.mutex);
        reports.iterations.clear();
        reports.finished.clear();
    }
    worker.post(job(++id, p, 3));
    waitIdle(worker);
    std::lock_guard lock(reports.mutex);
    for (const BackgroundReport& r : reports.iterations)
        EXPECT_EQ(r.id, id);
    ASSERT_EQ(reports.finished.size(), 1u);
    EXPECT_EQ(reports.finished[0].id, id);
    EXPECT_TRUE(p.isPseudoLegal(reports.finished[0].best));
}

TEST(BackgroundSearch, EndingTheWorkerStopsAnEndlessSearch)
{
    Reports reports;
    const Position p = Position::start(Upper);
    {
        BackgroundSearch worker(reports.onIteration(), reports.onFinished(), 1);
        worker.post(job(1, p, MaxPly - 1));
        while (reports.iterationCount < 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(reports.finishedNow().empty());
}
