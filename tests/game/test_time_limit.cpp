// Games with a time limit: the choice kept in zr-torishogi.conf, the clocks
// counting down, the ticks of the last seconds, and the game lost on time
// from the clock's timer alone, between two people and while the computer
// thinks.
#include "table.h"

#include "platform/menu_names.h"

namespace tori::testing {
namespace {

    constexpr int 先手 = GameState::先手;
    constexpr int 後手 = GameState::後手;

    struct TimeLimit : ::testing::Test {
        Table t;
        void SetUp() override { t.clock.step = 0; }
        // Chooses a limit in the dialog and starts up as the window does.
        void choose(const 持ち時間設定& l)
        {
            t.game.Form_Load();
            t.timeAnswers.push_back(l);
            t.game.TIME_SETTING_Click();
            ASSERT_EQ(t.g.持ち時間, l);
        }
        // The last text drawn in white or red at a clock's place: the lower
        // side's at grid (13, 9.2), the upper side's at (-1.6, 9.2).
        RecordingSurface::Call lastClock(bool upper) const
        {
            const double x = gridX(upper ? -1.6 : 13), y = gridY(9.2);
            for (auto it = t.surface.calls.rbegin(); it != t.surface.calls.rend(); ++it)
                if (it->kind == RecordingSurface::Call::Text && it->colour != 黒
                    && std::abs(it->x - x) < 1 && std::abs(it->y - y) < 1)
                    return *it;
            return RecordingSurface::Call(RecordingSurface::Call::Refresh);
        }
        void tickAt(double now)
        {
            t.clock.now = now;
            t.game.Timer1_Timer();
        }
    };

    TEST_F(TimeLimit, TheChoiceIsKeptInTheSettingsFileAndReadAtStart)
    {
        choose(持ち時間設定 { 5 * 60, 10, 0 });
        EXPECT_EQ(t.preferences.values["clock/main_seconds"], "300");
        EXPECT_EQ(t.preferences.values["clock/byoyomi_seconds"], "10");
        EXPECT_EQ(t.preferences.values["clock/increment_seconds"], "0");
        // The next start reads it back, and the dialog opens with it.
        Table next;
        next.preferences.values = t.preferences.values;
        next.game.Form_Load();
        EXPECT_EQ(next.game.選択持ち時間(), (持ち時間設定 { 300, 10, 0 }));
        EXPECT_EQ(next.g.持ち時間, (持ち時間設定 { 300, 10, 0 }));
        next.game.TIME_SETTING_Click(); // キャンセル
        ASSERT_EQ(next.shownLimits.size(), 1u);
        EXPECT_EQ(next.shownLimits[0], (持ち時間設定 { 300, 10, 0 }));
        EXPECT_EQ(next.game.選択持ち時間(), (持ち時間設定 { 300, 10, 0 }));
        // なし is kept as all zeros.
        next.timeAnswers.push_back(持ち時間設定 { 0, 0, 0 });
        next.game.TIME_SETTING_Click();
        EXPECT_EQ(next.preferences.values["clock/main_seconds"], "0");
        EXPECT_FALSE(next.g.持ち時間.有効());
    }

    TEST_F(TimeLimit, ValuesOutOfRangeAreRefusedAndAskedForAgain)
    {
        t.game.Form_Load();
        t.timeAnswers
            = { (持ち時間設定 { 601 * 60, 0, 0 }), (持ち時間設定 { 60, 61, 0 }), std::nullopt };
        t.game.TIME_SETTING_Click();
        EXPECT_EQ(t.timeDialogs, 3);
        EXPECT_EQ(t.boxes.shown.size(), 2u);
        EXPECT_EQ(t.lastBoxTitle(), "持ち時間設定");
        // The dialog comes back with what was refused, to be put right.
        EXPECT_EQ(t.shownLimits[1], (持ち時間設定 { 601 * 60, 0, 0 }));
        EXPECT_TRUE(t.preferences.values.empty());
        EXPECT_FALSE(t.game.選択持ち時間().有効());

        // A hand-edited file out of range means no limit.
        Table edited;
        edited.preferences.values = { { "clock/main_seconds", "-60" },
            { "clock/byoyomi_seconds", "10" }, { "clock/increment_seconds", "0" } };
        edited.game.Form_Load();
        EXPECT_EQ(edited.game.選択持ち時間(), (持ち時間設定 { 0, 10, 0 }));
        edited.preferences.values["clock/byoyomi_seconds"] = "600";
        edited.game.Form_Load();
        EXPECT_FALSE(edited.game.選択持ち時間().有効());
    }

    // Between two people, nobody touching anything: the timer alone ends the game.
    TEST_F(TimeLimit, BetweenTwoPeopleTheTimerFindsTheLoss)
    {
        choose(持ち時間設定 { 60, 0, 0 });
        t.clock.now = 1000;
        t.game.START_Click();
        ASSERT_TRUE(t.timer.enabled()); // the elapsed clocks need not be on
        t.clock.now = 1020;
        t.move(1, 5, 1, 4); // 先手 spends 20 s
        tickAt(1050);
        EXPECT_EQ(lastClock(true).text, "00:00:30");
        tickAt(1079.9);
        EXPECT_EQ(t.g.勝者, -1);
        const std::size_t boxesBefore = t.boxes.shown.size();
        tickAt(1080.05);
        EXPECT_EQ(t.g.勝者, 先手);
        EXPECT_FALSE(t.timer.enabled());
        ASSERT_EQ(t.boxes.shown.size(), boxesBefore + 1);
        EXPECT_EQ(t.lastBoxTitle(), "時間切れ");
        EXPECT_EQ(t.lastBoxText(), "先手の勝ちです");
        EXPECT_EQ(lastClock(true).text, "00:00:00");
        EXPECT_EQ(lastClock(true).colour, 明赤);
        // The record keeps the one move with its time, and no move follows.
        EXPECT_EQ(t.g.記録手数, 1);
        EXPECT_DOUBLE_EQ(t.g.棋譜_時間2[1], 20);
        t.move(1, 3, 1, 4);
        EXPECT_EQ(t.g.記録手数, 1);
        EXPECT_EQ(t.lastBoxText(), "新規に対局してください");
        // A full redraw shows the clock run out, not the time at the turn's start.
        t.surface.clear();
        t.game.display().画面_再描画();
        EXPECT_EQ(lastClock(true).text, "00:00:00");
    }

    TEST_F(TimeLimit, AMoveTooLateIsRefusedEvenBeforeTheTimerSawIt)
    {
        choose(持ち時間設定 { 60, 0, 0 });
        t.clock.now = 1000;
        t.game.START_Click();
        t.clock.now = 1061;
        t.press(1, 5);
        EXPECT_EQ(t.g.勝者, 後手);
        EXPECT_EQ(t.g.記録手数, 0);
        EXPECT_EQ(t.lastBoxTitle(), "時間切れ");
    }

    TEST_F(TimeLimit, ByoyomiShowsTheMovesSecondsTicksAndTurnsRed)
    {
        choose(持ち時間設定 { 60, 10, 0 });
        t.clock.now = 1000;
        t.game.START_Click();
        tickAt(1030);
        EXPECT_EQ(lastClock(false).text, "00:00:30");
        EXPECT_EQ(lastClock(false).colour, 白);
        t.clock.now = 1065; // 5 s into byo-yomi
        t.move(1, 5, 1, 4);
        EXPECT_EQ(lastClock(false).text, "秒読み 10");
        t.clock.now = 1066;
        t.move(2, 3, 2, 4);
        // The lower side again, with its ten seconds for this move.
        t.sounds.calls.clear();
        tickAt(1066.5);
        EXPECT_EQ(lastClock(false).text, "秒読み 10");
        EXPECT_EQ(lastClock(false).colour, 明赤);
        for (double at = 1067.5; at < 1076; at += 0.25)
            tickAt(at);
        EXPECT_EQ(lastClock(false).text, "秒読み 1");
        EXPECT_EQ(t.g.勝者, -1);
        // One tick as each of the last five seconds begins.
        EXPECT_EQ(t.sounds.count(SoundCall::dsPlay, 音::秒読み), 5);
        tickAt(1076.01);
        EXPECT_EQ(t.g.勝者, 後手);
        EXPECT_EQ(t.lastBoxText(), "後手の勝ちです");
    }

    TEST_F(TimeLimit, AnIncrementIsAddedWhenAMoveEnds)
    {
        choose(持ち時間設定 { 60, 0, 10 });
        t.clock.now = 1000;
        t.game.START_Click();
        t.clock.now = 1030;
        t.move(1, 5, 1, 4);
        EXPECT_EQ(lastClock(false).text, "00:00:40");
        t.clock.now = 1035;
        t.move(2, 3, 2, 4);
        EXPECT_EQ(lastClock(true).text, "00:01:05");
        tickAt(1079.5); // 44.5 s into the lower side's 40
        EXPECT_EQ(t.g.勝者, 後手);
    }

    TEST_F(TimeLimit, StepsBackAndForwardPutTheClocksBack)
    {
        choose(持ち時間設定 { 60, 0, 5 });
        t.clock.now = 1000;
        t.game.START_Click();
        t.clock.now = 1010;
        t.move(1, 5, 1, 4); // lower 60 - 10 + 5 = 55
        t.clock.now = 1030;
        t.move(2, 3, 2, 4); // upper 60 - 20 + 5 = 45
        ASSERT_EQ(lastClock(true).text, "00:00:45");
        t.game.records().REPLAY_Click();
        EXPECT_EQ(lastClock(true).text, "00:01:00");
        EXPECT_EQ(lastClock(false).text, "00:00:55");
        t.game.records().REPLAY_Click();
        EXPECT_EQ(lastClock(false).text, "00:01:00");
        t.clock.now = 2000;
        t.game.records().AFTER_Click();
        EXPECT_EQ(lastClock(false).text, "00:00:55");
        EXPECT_EQ(lastClock(true).text, "00:01:00");
        // Play goes on from here with the upper side's full minute, counted
        // from the step.
        t.press(4, 4);
        ASSERT_TRUE(t.timer.enabled());
        tickAt(2059.9);
        EXPECT_EQ(t.g.勝者, -1);
        tickAt(2060.1);
        EXPECT_EQ(t.g.勝者, 先手);
    }

    // The computer's clock runs out while it thinks: the check runs from the
    // search's own ticks, no move is made and the box comes after the search.
    TEST_F(TimeLimit, TheComputerLosesOnTimeWhileItThinks)
    {
        for (int level : { 3, 4 }) {
            SCOPED_TRACE(level);
            Table table;
            table.clock.step = 0;
            table.game.Form_Load();
            table.timeAnswers.push_back(持ち時間設定 { 30, 0, 0 });
            table.game.TIME_SETTING_Click();
            table.game.レベル_設定(level);
            // Every reading of the clock is 20 s after the last one.
            table.clock.now = 1000;
            table.clock.step = 20;
            table.game.GOTE_Click(); // the computer moves first
            EXPECT_EQ(table.g.勝者, table.g.MAN手番);
            EXPECT_EQ(table.g.記録手数, 0);
            EXPECT_FALSE(table.timer.enabled());
            EXPECT_EQ(table.lastBoxTitle(), "時間切れ");
            EXPECT_EQ(table.lastBoxText(), "あなたの勝ちです");
        }
    }

    TEST_F(TimeLimit, ThePersonLosesOnTimeAgainstTheComputer)
    {
        choose(持ち時間設定 { 60, 10, 0 });
        t.game.レベル_設定(5);
        t.clock.now = 1000;
        t.game.SENTE_Click();
        ASSERT_EQ(t.g.手番, t.g.MAN手番);
        tickAt(1069.9);
        EXPECT_EQ(t.g.勝者, -1);
        tickAt(1070.1);
        EXPECT_EQ(t.g.勝者, t.g.COM手番);
        EXPECT_EQ(t.lastBoxText(), "ｺﾝﾋﾟｭｰﾀの勝ちです");
        EXPECT_EQ(t.lastBoxTitle(), "時間切れ");
    }

    // With no limit the clocks stay elapsed clocks, off with 経過時間.
    TEST_F(TimeLimit, WithoutALimitTheElapsedClocksAreAsBefore)
    {
        t.game.Form_Load();
        t.menu.setChecked(menu::KEIKA, false);
        t.clock.now = 1000;
        t.game.START_Click();
        EXPECT_FALSE(t.timer.enabled());
        t.clock.now = 90000; // long past any limit
        t.move(1, 5, 1, 4);
        EXPECT_EQ(t.g.勝者, -1);
        EXPECT_EQ(t.g.記録手数, 1);
    }

} // namespace
} // namespace tori::testing
