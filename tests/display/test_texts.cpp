// The text tables, the clock's time text and the blink's busy wait.
#include "display/display.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

using namespace tori;
using namespace tori::testing;

TEST(TimeText, HoursMinutesSeconds)
{
    EXPECT_EQ(調査_時間秒追加結果(3725), "01:02:05");
    EXPECT_EQ(調査_時間秒追加結果(59.9), "00:00:59");
    EXPECT_EQ(調査_時間秒追加結果(0), "00:00:00");
    EXPECT_EQ(調査_時間秒追加結果(3599.99), "00:59:59");
    EXPECT_EQ(調査_時間秒追加結果(3600), "01:00:00");
    EXPECT_EQ(調査_時間秒追加結果(99 * 3600 + 59 * 60 + 59), "99:59:59");
}

TEST(TimeText, HundredHoursLeaveTheHourFieldEmpty)
{
    EXPECT_EQ(調査_時間秒追加結果(100 * 3600), ":00:00");
    EXPECT_EQ(調査_時間秒追加結果(100 * 3600 + 61), ":01:01");
    EXPECT_EQ(調査_時間秒追加結果(1e30), ":00:00");
}

TEST(TimeText, NegativeTimeShowsAsZero) { EXPECT_EQ(調査_時間秒追加結果(-5), "00:00:00"); }

TEST(TimeText, TwoDigitFields)
{
    EXPECT_EQ(変換_数字から文字(0), "00");
    EXPECT_EQ(変換_数字から文字(7), "07");
    EXPECT_EQ(変換_数字から文字(42), "42");
    EXPECT_EQ(変換_数字から文字(100), "");
    EXPECT_EQ(変換_数字から文字(123456), "");
}

TEST(StringTable, DigitsRowsAndPieceNames)
{
    EXPECT_EQ(文字列変換(1), "１");
    EXPECT_EQ(文字列変換(7), "７");
    EXPECT_EQ(文字列変換(9), "９");
    EXPECT_EQ(文字列変換(1001), "一");
    EXPECT_EQ(文字列変換(1007), "七");
    EXPECT_EQ(文字列変換(-10), "燕");
    EXPECT_EQ(文字列変換(11), "鴈");
    EXPECT_EQ(文字列変換(-30), "雉");
    EXPECT_EQ(文字列変換(100), "鷹");
    EXPECT_EQ(文字列変換(-101), "鷹成");
    EXPECT_EQ(文字列変換(110), "鶴");
    EXPECT_EQ(文字列変換(-800), "左鶉");
    EXPECT_EQ(文字列変換(900), "右鶉");
    EXPECT_EQ(文字列変換(-950), "鵬");
    for (int code : { 0, 13, -12, 1000, 1008, -1001, -1, 999 })
        EXPECT_EQ(文字列変換(code), "") << code;
}

TEST(Wait, EndsAfterTheRequestedTime)
{
    ScriptedTimeOfDay clock({ 100.0, 100.05, 100.1, 100.149, 100.15, 100.2 });
    待ち時間(clock, 0.15);
    EXPECT_FALSE(clock.exhausted);
    EXPECT_EQ(clock.readings, 5u); // stops at the first reading 0.15 after the start
}

TEST(Wait, AcrossMidnight)
{
    // Started 0.05 s before midnight: readings after midnight are small again.
    ScriptedTimeOfDay clock({ 86399.95, 86399.99, 0.02, 0.05, 0.09, 0.11, 0.5 });
    待ち時間(clock, 0.15);
    EXPECT_FALSE(clock.exhausted);
    EXPECT_EQ(clock.readings, 6u);
}

TEST(Wait, ZeroSecondsReturnsAtOnce)
{
    ScriptedTimeOfDay clock(std::vector<double> { 5.0, 5.0 });
    待ち時間(clock, 0);
    EXPECT_EQ(clock.readings, 2u);
    EXPECT_FALSE(clock.exhausted);
}
