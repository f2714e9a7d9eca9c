#include "rules/rules.h"
#include "support/diagram.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tori;
using tori::testing::boardDiagram;
using tori::testing::RecordingView;

namespace {

const char* kStart = "RPCKCPL"
                     "...F..."
                     "SSSSSSS"
                     "..S.s.."
                     "sssssss"
                     "...f..."
                     "lpckcpr";

} // namespace

TEST(InitialSetup, PutsTheStartingPositionWithNoGameRunning)
{
    GameState g;
    g.盤[2][2] = 鵬;
    g.持駒_MAN[3] = 2;
    g.持駒数_MAN = 2;
    g.持駒_COM[1] = 1;
    g.持駒数_COM = 1;
    g.手番 = 6;
    g.対局モード = 1;
    g.勝者 = 7;
    g.手数 = 12;
    g.記録手数 = 12;
    g.MAN所有時間 = 30;
    g.COM所有時間 = 40;
    g.前回表示秒 = 5;
    g.反転フラグ = 1;
    g.ハンデ設定 = 1;
    g.ハンデレベル = 3;
    g.選択状態 = 1;

    初期設定(g);

    EXPECT_EQ(boardDiagram(g), boardDiagram(tori::testing::fromDiagram(kStart)));
    for (int slot = 1; slot <= 6; ++slot) {
        EXPECT_EQ(g.持駒_MAN[slot], 0);
        EXPECT_EQ(g.持駒_COM[slot], 0);
    }
    EXPECT_EQ(g.持駒数_MAN, 0);
    EXPECT_EQ(g.持駒数_COM, 0);
    EXPECT_EQ(g.手番, -1);
    EXPECT_EQ(g.対局モード, -1);
    EXPECT_EQ(g.勝者, -1);
    EXPECT_EQ(g.手数, 0);
    EXPECT_EQ(g.記録手数, 0);
    EXPECT_EQ(g.MAN所有時間, 0);
    EXPECT_EQ(g.COM所有時間, 0);
    EXPECT_EQ(g.前回表示秒, 0);
    EXPECT_EQ(g.反転フラグ, 0);
    EXPECT_EQ(g.ハンデ設定, 0);
    EXPECT_EQ(g.ハンデレベル, 0);
    EXPECT_EQ(g.選択状態, 0);
}

TEST(InitialSetup, LeavesTurnIdsLevelRecordAndFlagsAlone)
{
    GameState g;
    g.MAN手番 = GameState::先手;
    g.COM手番 = GameState::後手;
    g.レベル = 1;
    g.最終記録手数 = 9;
    g.棋譜モード = 1;
    g.MAN鵬_列 = 2;
    g.COM鵬_段 = 5;
    g.二燕フラグ_MAN[3] = 1;
    g.棋譜_駒[4] = -30;

    初期設定(g);

    EXPECT_EQ(g.MAN手番, 6);
    EXPECT_EQ(g.COM手番, 7);
    EXPECT_EQ(g.レベル, 1);
    EXPECT_EQ(g.最終記録手数, 9);
    EXPECT_EQ(g.棋譜モード, 1);
    EXPECT_EQ(g.MAN鵬_列, 2);
    EXPECT_EQ(g.COM鵬_段, 5);
    EXPECT_EQ(g.二燕フラグ_MAN[3], 1);
    EXPECT_EQ(g.棋譜_駒[4], -30);
}

TEST(InitialSetup, StopsTheClockFirstAndRedrawsLast)
{
    GameState g;
    RecordingView view;
    初期設定(g, &view);
    EXPECT_EQ(view.calls, (std::vector<std::string> { "タイマー停止", "再描画" }));
}

TEST(InitialSetup, EachSideHasItsRightQuailInItsRightHandCorner)
{
    GameState g;
    初期設定(g);
    EXPECT_EQ(g.盤[1][1], 右鶉);
    EXPECT_EQ(g.盤[7][1], 左鶉);
    EXPECT_EQ(g.盤[7][7], -右鶉);
    EXPECT_EQ(g.盤[1][7], -左鶉);
    int upper = 0, lower = 0;
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            upper += g.盤[c][r] >= 10;
            lower += g.盤[c][r] <= -10;
        }
    EXPECT_EQ(upper, 16);
    EXPECT_EQ(lower, 16);
}

TEST(HandSlots, MapKindsBothWays)
{
    const int kinds[] = { 0, 燕, 雉, 鶴, 鷹, 左鶉, 右鶉 };
    for (int slot = 1; slot <= 6; ++slot) {
        EXPECT_EQ(持駒種類(slot), kinds[slot]);
        EXPECT_EQ(持駒番号(kinds[slot]), slot);
        EXPECT_EQ(持駒番号(-kinds[slot]), slot);
    }
    EXPECT_EQ(持駒番号(鴈), 1);
    EXPECT_EQ(持駒番号(-鷹成), 4);
    EXPECT_EQ(持駒番号(鵬), 0);
    EXPECT_EQ(持駒番号(12), 0);
    EXPECT_EQ(持駒種類(0), 0);
    EXPECT_EQ(持駒種類(7), 0);
    EXPECT_TRUE(駒コード(-鵬));
    EXPECT_FALSE(駒コード(0));
    EXPECT_FALSE(駒コード(31));
}
