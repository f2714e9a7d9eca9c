// Move execution: captures into the hand, promotion, the two-swallow flags,
// the phoenix capture and the move record.
#include "rules/rules.h"
#include "support/diagram.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tori;
using tori::testing::boardDiagram;
using tori::testing::fromDiagram;
using tori::testing::RecordingView;

namespace {

} // namespace

TEST(Capture, GoesUnpromotedIntoTheCapturersHand)
{
    GameState g = fromDiagram("......."
                              "...G..."
                              "...e..."
                              "..E...."
                              "...c..."
                              "......."
                              ".......");
    駒移動(g, 4, 3, 4, 2, -鷹成); // the lower eagle takes a goose
    EXPECT_EQ(g.持駒_MAN[1], 1);
    EXPECT_EQ(g.持駒数_MAN, 1);
    駒移動(g, 3, 4, 4, 5, 鷹成); // the upper eagle takes a crane
    EXPECT_EQ(g.持駒_COM[3], 1);
    EXPECT_EQ(g.持駒数_COM, 1);
    駒移動(g, 4, 2, 4, 5, -鷹成); // and the lower eagle takes the upper eagle back
    EXPECT_EQ(g.持駒_MAN[4], 1);
    EXPECT_EQ(g.持駒数_MAN, 2);
    EXPECT_EQ(boardDiagram(g), ".......\n.......\n.......\n.......\n...e...\n.......\n.......\n");
    for (int slot : { 2, 3, 5, 6 })
        EXPECT_EQ(g.持駒_MAN[slot], 0);
}

TEST(Capture, EveryKindHasItsSlot)
{
    const int codes[] = { 燕, 鴈, 雉, 鷹, 鷹成, 鶴, 左鶉, 右鶉 };
    const int slots[] = { 1, 1, 2, 4, 4, 3, 5, 6 };
    for (int i = 0; i < 8; ++i) {
        GameState g;
        駒取得(g, codes[i]);
        駒取得(g, -codes[i]);
        for (int slot = 1; slot <= 6; ++slot) {
            EXPECT_EQ(g.持駒_MAN[slot], slot == slots[i] ? 1 : 0) << codes[i];
            EXPECT_EQ(g.持駒_COM[slot], slot == slots[i] ? 1 : 0) << codes[i];
        }
        EXPECT_EQ(g.勝者, -1);
    }
}

TEST(Capture, OfThePhoenixDecidesTheGameAndCountsButFillsNoSlot)
{
    GameState g = fromDiagram("...K..."
                              "...s..."
                              "......."
                              "......."
                              "......."
                              "......."
                              "...k...");
    g.MAN手番 = GameState::後手;
    g.COM手番 = GameState::先手;
    駒移動(g, 4, 2, 4, 1, -燕);
    EXPECT_EQ(g.勝者, GameState::後手);
    EXPECT_EQ(g.持駒数_MAN, 1);
    for (int slot = 1; slot <= 6; ++slot)
        EXPECT_EQ(g.持駒_MAN[slot], 0);

    GameState h = fromDiagram("......."
                              "......."
                              "......."
                              "......."
                              "......."
                              "...P..."
                              "...k...");
    h.MAN手番 = GameState::先手;
    h.COM手番 = GameState::後手;
    駒取得(h, -鵬);
    EXPECT_EQ(h.勝者, GameState::後手);
}

TEST(Move, OfTheLowerPhoenixUpdatesItsSquareButTheUpperOneDoesNot)
{
    GameState g = fromDiagram("...K..."
                              "......."
                              "......."
                              "......."
                              "......."
                              "......."
                              "...k...");
    駒移動(g, 4, 7, 3, 6, -鵬);
    EXPECT_EQ(g.MAN鵬_列, 3);
    EXPECT_EQ(g.MAN鵬_段, 6);
    駒移動(g, 4, 1, 5, 2, 鵬);
    EXPECT_EQ(g.COM鵬_列, 4);
    EXPECT_EQ(g.COM鵬_段, 1);
}

TEST(Move, DropsTakeFromTheSlotOfTheirPseudoSquare)
{
    GameState g;
    g.持駒_MAN[2] = 1;
    g.持駒数_MAN = 1;
    g.持駒_COM[3] = 2;
    g.持駒数_COM = 2;
    駒移動(g, 9, 3, 4, 4, -雉); // (9, 3) is lower slot 2, the pheasant
    駒移動(g, -1, 3, 2, 2, 鶴); // (-1, 3) is upper slot 3, the crane
    EXPECT_EQ(g.盤[4][4], -雉);
    EXPECT_EQ(g.盤[2][2], 鶴);
    EXPECT_EQ(g.持駒_MAN[2], 0);
    EXPECT_EQ(g.持駒数_MAN, 0);
    EXPECT_EQ(g.持駒_COM[3], 1);
    EXPECT_EQ(g.持駒数_COM, 1);
}

TEST(Move, AsksTheViewToRedrawInOrder)
{
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "...S..."
                              "...s..."
                              "......."
                              ".......");
    RecordingView view;
    駒移動(g, 4, 5, 4, 4, -燕, &view);
    EXPECT_EQ(view.calls,
        (std::vector<std::string> {
            "自持盤", "絵 0 4,5", "輪郭 2 4,5", "絵 -10 4,4", "輪郭 2 4,4", "輪郭 2 4,4" }));

    g.持駒_COM[1] = 1;
    g.持駒数_COM = 1;
    view.calls.clear();
    駒移動(g, -1, 1, 4, 3, 燕, &view);
    EXPECT_EQ(view.calls,
        (std::vector<std::string> {
            "絵 0 -1,1", "輪郭 2 -1,1", "敵持盤", "絵 10 4,3", "輪郭 2 4,3", "輪郭 2 4,3" }));
}

TEST(Promotion, FalconMayPromoteEnteringLeavingOrInsideTheZone)
{
    GameState g;
    EXPECT_EQ(調査_駒成(g, 4, 3, 4, 2, -鷹), 1);
    EXPECT_EQ(g.成駒, -鷹成);
    g.成駒 = 0;
    EXPECT_EQ(調査_駒成(g, 4, 2, 4, 3, -鷹), 1); // leaving
    EXPECT_EQ(g.成駒, -鷹成);
    EXPECT_EQ(調査_駒成(g, 3, 1, 4, 2, -鷹), 1); // inside
    EXPECT_EQ(調査_駒成(g, 4, 4, 4, 3, -鷹), 0);
    EXPECT_EQ(調査_駒成(g, 4, 5, 4, 6, 鷹), 1);
    EXPECT_EQ(g.成駒, 鷹成);
    EXPECT_EQ(調査_駒成(g, 4, 6, 4, 5, 鷹), 1);
    EXPECT_EQ(調査_駒成(g, 4, 4, 4, 5, 鷹), 0);
}

TEST(Promotion, SwallowPromotesOnlyOnEnteringAndNeverFromTheHand)
{
    GameState g;
    EXPECT_EQ(調査_駒成(g, 4, 3, 4, 2, -燕), 1);
    EXPECT_EQ(g.成駒, -鴈);
    EXPECT_EQ(調査_駒成(g, 4, 4, 4, 3, -燕), 0);
    EXPECT_EQ(調査_駒成(g, 4, 5, 4, 6, 燕), 1);
    EXPECT_EQ(g.成駒, 鴈);
    g.成駒 = 0;
    EXPECT_EQ(調査_駒成(g, 9, 2, 4, 2, -燕), 0);
    EXPECT_EQ(調査_駒成(g, -1, 1, 4, 6, 燕), 0);
    EXPECT_EQ(調査_駒成(g, -1, 4, 4, 7, 鷹), 0);
    EXPECT_EQ(g.成駒, 0);
    for (int code : { 雉, -鶴, 左鶉, -右鶉, 鵬, -鴈, 鷹成 })
        EXPECT_EQ(調査_駒成(g, 4, 2, 4, 1, code), 0) << code;
}

TEST(Promotion, IsForcedOnlyForASwallowOnItsLastRow)
{
    EXPECT_EQ(移動後チェック(1, -燕), 0);
    EXPECT_EQ(移動後チェック(2, -燕), 1);
    EXPECT_EQ(移動後チェック(7, 燕), 0);
    EXPECT_EQ(移動後チェック(7, -燕), 1);
    EXPECT_EQ(移動後チェック(1, -鷹), 1);
    EXPECT_EQ(移動後チェック(1, -鴈), 1);
}

TEST(TwoSwallowFlags, FollowTheBoardAndIgnoreGeese)
{
    GameState g = fromDiagram("......."
                              "......."
                              "......."
                              "...s..."
                              "...s..."
                              "......."
                              ".......");
    調査_2燕フラグ設定(g);
    EXPECT_EQ(g.二燕フラグ_MAN[4], 1);
    EXPECT_EQ(調査_列駒数(g, -燕, 4), 2);
    g.盤[4][4] = -鴈;
    調査_2燕フラグ設定(g);
    EXPECT_EQ(g.二燕フラグ_MAN[4], 0);
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(g.二燕フラグ_COM[c], 0);
    EXPECT_EQ(調査_列駒数(g, -燕, 0), 0);
    EXPECT_EQ(調査_列駒数(g, -燕, 8), 0);
}

TEST(Record, StoresTheMoveWithTheCapturedPieceBeforeTheMove)
{
    GameState g = fromDiagram("......."
                              "......."
                              "...S..."
                              "...s..."
                              "......."
                              "......."
                              ".......");
    ASSERT_TRUE(手順保存(g, 4, 4, 4, 3, -燕, g.盤[4][3], 1.5, 2.5, 3.5, 3.5));
    EXPECT_EQ(g.記録手数, 1);
    EXPECT_EQ(g.最終記録手数, 1);
    EXPECT_EQ(g.棋譜_元列[1], 4);
    EXPECT_EQ(g.棋譜_元段[1], 4);
    EXPECT_EQ(g.棋譜_先列[1], 4);
    EXPECT_EQ(g.棋譜_先段[1], 3);
    EXPECT_EQ(g.棋譜_駒[1], -燕);
    EXPECT_EQ(g.棋譜_取駒[1], 燕);
    EXPECT_EQ(g.棋譜_成駒[1], 燕);
    EXPECT_EQ(g.棋譜_時間1[1], 1.5);
    EXPECT_EQ(g.棋譜_時間2[1], 2.5);
    EXPECT_EQ(g.棋譜_時間3[1], 3.5);
    EXPECT_EQ(g.棋譜_時間4[1], 3.5);
}

TEST(Record, ANewMoveAfterSteppingBackDiscardsTheMovesBeyondIt)
{
    GameState g;
    初期設定(g);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(手順保存(g, 1, 5, 1, 4, -燕, 0, 0, 0, 0, 0));
    g.記録手数 = 2; // two moves taken back
    ASSERT_TRUE(手順保存(g, 2, 5, 2, 4, -燕, 0, 0, 0, 0, 0));
    EXPECT_EQ(g.記録手数, 3);
    EXPECT_EQ(g.最終記録手数, 3);
    EXPECT_EQ(g.棋譜_元列[3], 2);
}

TEST(Record, RefusesTheFiveHundredAndFirstMoveWithoutChangingAnything)
{
    GameState g;
    初期設定(g);
    for (int i = 1; i <= 最大手数; ++i)
        ASSERT_TRUE(手順保存(g, 1, 5, 1, 4, -燕, 0, i, i, 0, 0)) << i;
    EXPECT_EQ(g.記録手数, 500);
    EXPECT_TRUE(棋譜満杯(g));
    const GameState before = g;
    EXPECT_FALSE(手順保存(g, 2, 5, 2, 4, -燕, 0, 0, 0, 0, 0));
    EXPECT_EQ(g.記録手数, 500);
    EXPECT_EQ(g.最終記録手数, 500);
    EXPECT_EQ(g.棋譜_元列, before.棋譜_元列);
    EXPECT_EQ(g.棋譜_時間1, before.棋譜_時間1);
    EXPECT_EQ(g.盤, before.盤);
}
