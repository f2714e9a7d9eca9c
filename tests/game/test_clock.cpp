// The game clock over a scripted time of day.
#include "table.h"

namespace tori::testing {
namespace {

    constexpr int 先手 = GameState::先手;
    constexpr int 後手 = GameState::後手;

    TEST(ElapsedSeconds, AcrossMidnight)
    {
        EXPECT_DOUBLE_EQ(調査_経過秒(100, 130.5), 30.5);
        EXPECT_DOUBLE_EQ(調査_経過秒(500, 500), 0);
        EXPECT_DOUBLE_EQ(調査_経過秒(86390, 5), 15); // 23:59:50 to 00:00:05
        EXPECT_DOUBLE_EQ(調査_経過秒(86399.5, 0.25), 0.75);
    }

    struct Clock : ::testing::Test {
        Table t;
        void SetUp() override
        {
            t.clock.step = 0; // exact readings; these games have no blink
            t.game.Form_Load();
            t.menu.setChecked(menu::KEIKA, true);
        }
    };

    // Between people each side's total grows only in its own turns, also over
    // midnight.
    TEST_F(Clock, EachSideBooksItsOwnTurns)
    {
        GameState& g = t.g;
        t.clock.now = 86390; // 23:59:50
        t.game.START_Click();
        t.clock.now = 5; // 00:00:05
        t.move(1, 5, 1, 4);
        EXPECT_DOUBLE_EQ(g.MAN所有時間, 15);
        EXPECT_DOUBLE_EQ(g.COM所有時間, 0);
        EXPECT_DOUBLE_EQ(g.開始時刻, 5);

        t.clock.now = 35;
        t.move(2, 3, 2, 4);
        EXPECT_DOUBLE_EQ(g.MAN所有時間, 15);
        EXPECT_DOUBLE_EQ(g.COM所有時間, 30);

        t.clock.now = 42;
        t.move(2, 5, 2, 4);
        EXPECT_DOUBLE_EQ(g.MAN所有時間, 22);
        EXPECT_DOUBLE_EQ(g.COM所有時間, 30);

        // The record holds each side's totals before and after, and only the
        // mover's pair differs.
        EXPECT_DOUBLE_EQ(g.棋譜_時間1[1], 0);
        EXPECT_DOUBLE_EQ(g.棋譜_時間2[1], 15);
        EXPECT_DOUBLE_EQ(g.棋譜_時間3[1], 0);
        EXPECT_DOUBLE_EQ(g.棋譜_時間4[1], 0);
        EXPECT_DOUBLE_EQ(g.棋譜_時間1[2], 15);
        EXPECT_DOUBLE_EQ(g.棋譜_時間2[2], 15);
        EXPECT_DOUBLE_EQ(g.棋譜_時間3[2], 0);
        EXPECT_DOUBLE_EQ(g.棋譜_時間4[2], 30);
        EXPECT_DOUBLE_EQ(g.棋譜_時間2[3], 22);
    }

    // With the timer off no tick samples the turn; the end of the turn does, so
    // a stale sample from an earlier turn is never booked.
    TEST_F(Clock, TimerOffStillBooksTheTurnsOwnTime)
    {
        GameState& g = t.g;
        t.clock.now = 1000;
        t.game.START_Click();
        t.clock.now = 1100;
        t.game.Timer1_Timer(); // samples 100 s
        ASSERT_DOUBLE_EQ(g.手番経過秒, 100);
        t.game.KEIKA_Click(); // off
        ASSERT_FALSE(t.timer.enabled());
        t.clock.now = 1130;
        t.move(1, 5, 1, 4);
        EXPECT_DOUBLE_EQ(g.MAN所有時間, 130);
        t.clock.now = 1137;
        t.game.Timer1_Timer(); // the timer is off: nothing sampled
        t.move(2, 3, 2, 4);
        EXPECT_DOUBLE_EQ(g.COM所有時間, 7);
        EXPECT_DOUBLE_EQ(g.MAN所有時間, 130);

        // A game started with the option off never runs the timer.
        Table u;
        u.clock.step = 0;
        u.game.Form_Load();
        u.menu.setChecked(menu::KEIKA, false);
        u.clock.now = 200;
        u.game.START_Click();
        EXPECT_FALSE(u.timer.enabled());
        u.clock.now = 212.5;
        u.move(1, 5, 1, 4);
        EXPECT_DOUBLE_EQ(u.g.MAN所有時間, 12.5);
    }

    // The display of the side to move changes once a second at most.
    TEST_F(Clock, TicksRedrawOncePerWholeSecond)
    {
        GameState& g = t.g;
        t.clock.now = 500;
        t.game.START_Click();
        ASSERT_TRUE(t.timer.enabled());
        t.surface.clear();
        t.clock.now = 500.5;
        t.game.Timer1_Timer();
        EXPECT_TRUE(t.surface.texts().empty());
        EXPECT_EQ(t.surface.refreshes(), 0);

        t.clock.now = 501.2;
        t.game.Timer1_Timer();
        EXPECT_EQ(g.前回表示秒, 1);
        EXPECT_TRUE(t.surface.drewText("00:00:01"));
        EXPECT_EQ(t.surface.refreshes(), 1);
        t.clock.now = 501.9;
        t.game.Timer1_Timer();
        EXPECT_EQ(t.surface.refreshes(), 1);

        // An hour into the turn with time used before.
        g.MAN所有時間 = 125;
        t.clock.now = 500 + 3600;
        t.game.Timer1_Timer();
        EXPECT_TRUE(t.surface.drewText("01:02:05"));

        // A disabled timer does nothing at all.
        t.timer.setEnabled(false);
        t.surface.clear();
        t.clock.now = 500 + 3700;
        t.game.Timer1_Timer();
        EXPECT_DOUBLE_EQ(g.手番経過秒, 3600);
        EXPECT_TRUE(t.surface.texts().empty());
    }

    TEST_F(Clock, TheUpperSidesTurnShowsTheUpperTotal)
    {
        GameState& g = t.g;
        t.clock.now = 0;
        t.game.START_Click();
        t.clock.now = 10;
        t.move(1, 5, 1, 4);
        g.COM所有時間 = 58;
        t.surface.clear();
        t.clock.now = 11.5;
        t.game.Timer1_Timer();
        ASSERT_EQ(g.手番, 後手);
        EXPECT_TRUE(t.surface.drewText("00:00:59"));
    }

    TEST_F(Clock, ElapsedTimeOptionShowsAndWipesBothTotals)
    {
        GameState& g = t.g;
        g.MAN手番 = 先手;
        g.COM手番 = 後手;
        g.MAN所有時間 = 3725;
        g.COM所有時間 = 59.9;

        t.game.KEIKA_Click(); // off
        EXPECT_FALSE(t.menu.checked(menu::KEIKA));
        EXPECT_FALSE(t.timer.enabled());

        t.surface.clear();
        t.game.KEIKA_Click(); // on
        EXPECT_TRUE(t.menu.checked(menu::KEIKA));
        EXPECT_TRUE(t.timer.enabled());
        EXPECT_TRUE(t.surface.drewText("01:02:05"));
        EXPECT_TRUE(t.surface.drewText("00:00:59"));
        EXPECT_DOUBLE_EQ(g.MAN所有時間, 3725);

        t.surface.clear();
        t.game.KEIKA_Click(); // off again: the totals' cells are covered, no text
        EXPECT_TRUE(t.surface.texts().empty());
        EXPECT_FALSE(t.surface.pictures().empty());
        EXPECT_DOUBLE_EQ(g.MAN所有時間, 3725);
    }

    // Against the computer each side's total grows by its own turn: the person's
    // from the start of the turn to the press, the computer's from its entry to
    // its move.
    TEST_F(Clock, AgainstTheComputerEachSideBooksItsOwnTurn)
    {
        GameState& g = t.g;
        t.clock.step = 0.001; // the blink reads the clock while it waits
        t.clock.now = 20000;
        t.game.SENTE_Click();
        t.clock.now = 20030;
        t.move(1, 5, 1, 4);
        EXPECT_NEAR(g.MAN所有時間, 30, 0.05);
        const double com = g.COM所有時間;
        EXPECT_GT(com, 0);
        EXPECT_LT(com, 5);
        EXPECT_NEAR(g.棋譜_時間4[2], com, 1e-9);

        t.clock.advance(12);
        t.game.Timer1_Timer();
        t.move(2, 5, 2, 4);
        EXPECT_NEAR(g.MAN所有時間, 42, 0.1);
        EXPECT_GT(g.COM所有時間, com);
        EXPECT_LT(g.COM所有時間, com + 5);
    }

} // namespace
} // namespace tori::testing
