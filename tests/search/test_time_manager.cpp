// The computer's time under a limited clock, over simulated games: it never
// runs out, spends more with more left, and keeps to its level's own limits.
#include "search/game.h"
#include "search/time_manager.h"

#include <gtest/gtest.h>

namespace tori::search {
namespace {

    // Plays `moves` moves where every search takes its whole hard limit plus
    // `overheadMs` around it: the worst the clock can see. Returns the least
    // time the clock had left before the flag would fall (main and byo-yomi).
    int simulate(const Limits& usual, ClockTimes clock, int moves, int overheadMs)
    {
        int least = 1 << 30;
        for (int i = 0; i < moves; ++i) {
            const Limits l = clockLimits(usual, clock);
            EXPECT_GT(l.timeMs, 0);
            EXPECT_LE(l.softTimeMs, l.timeMs);
            const int spent = l.timeMs + overheadMs;
            const int before = clock.remainingMs + clock.byoyomiMs;
            least = std::min(least, before - spent);
            if (spent > clock.remainingMs + clock.byoyomiMs)
                return least;
            clock.remainingMs = std::max(0, clock.remainingMs - spent) + clock.incrementMs;
        }
        return least;
    }

    TEST(TimeManager, NeverRunsOutOverAWholeGame)
    {
        const Limits unlimited; // the level's limits no bound: the clock alone decides
        struct Case {
            int main, increment, byoyomi, moves, overheadMs;
        };
        // With byo-yomi or an increment any number of moves fits; sudden death
        // runs out at last when every move costs time besides the search, so it
        // is played over a long game's moves with a little time lost around each.
        for (const Case c : { Case { 60000, 0, 10000, 250, 100 }, Case { 0, 0, 10000, 250, 100 },
                 Case { 0, 0, 1000, 250, 100 }, Case { 30000, 2000, 0, 250, 100 },
                 Case { 600000, 0, 30000, 250, 100 }, Case { 60000, 0, 0, 80, 20 },
                 Case { 300000, 0, 0, 80, 50 }, Case { 10000, 0, 0, 50, 20 } }) {
            SCOPED_TRACE(std::to_string(c.main) + " " + std::to_string(c.increment) + " "
                + std::to_string(c.byoyomi));
            const ClockTimes clock { c.main, c.increment, c.byoyomi };
            EXPECT_GT(simulate(unlimited, clock, c.moves, c.overheadMs), 0);
            EXPECT_GT(simulate(levelLimits(5), clock, c.moves, c.overheadMs), 0);
        }
    }

    TEST(TimeManager, SpendsMoreWithMoreLeft)
    {
        const Limits unlimited;
        int last = 0;
        for (int main : { 1000, 5000, 20000, 60000, 300000, 3600000 }) {
            const Limits l = clockLimits(unlimited, { main, 0, 0 });
            EXPECT_GE(l.timeMs, last) << main;
            EXPECT_LT(l.timeMs, main) << main;
            last = l.timeMs;
        }
        EXPECT_GT(last, clockLimits(unlimited, { 1000, 0, 0 }).timeMs);
        // An increment and byo-yomi are spent as well.
        EXPECT_GT(clockLimits(unlimited, { 10000, 5000, 0 }).timeMs,
            clockLimits(unlimited, { 10000, 0, 0 }).timeMs);
        EXPECT_GT(clockLimits(unlimited, { 10000, 0, 5000 }).timeMs,
            clockLimits(unlimited, { 10000, 0, 0 }).timeMs);
    }

    TEST(TimeManager, AGenerousClockKeepsTheLevelsOwnLimits)
    {
        for (int level : { 4, 5 }) {
            const Limits usual = levelLimits(level);
            const Limits l = clockLimits(usual, { 3600000, 0, 30000 });
            EXPECT_EQ(l.timeMs, usual.timeMs);
            EXPECT_EQ(l.softTimeMs, usual.softTimeMs);
            // A short one cuts them.
            const Limits tight = clockLimits(usual, { 0, 0, 400 });
            EXPECT_LT(tight.timeMs, usual.timeMs);
            EXPECT_LE(tight.timeMs, 200);
            EXPECT_LT(tight.softTimeMs, tight.timeMs);
        }
    }

} // namespace
} // namespace tori::search
