// Mouse input between two people, and the presses that find no game running.
#include "table.h"

namespace tori::testing {
namespace {

    constexpr int 先手 = GameState::先手;
    constexpr int 後手 = GameState::後手;

    struct HumanGame : ::testing::Test {
        Table t;
        void SetUp() override
        {
            t.game.Form_Load();
            t.game.START_Click();
            t.boxes.shown.clear();
            t.sounds.calls.clear();
        }
    };

    // A whole game at one screen, every press at a square's centre: the lower
    // side (先手) wins by taking the phoenix with a crane it captured and dropped.
    TEST_F(HumanGame, WholeGameWithMousePresses)
    {
        GameState& g = t.g;
        ASSERT_EQ(g.手番, 先手);

        // 1. The lower swallow in front takes the upper one.
        t.move(5, 4, 5, 3);
        EXPECT_EQ(g.盤[5][3], -燕);
        EXPECT_EQ(g.持駒_MAN[1], 1);
        EXPECT_EQ(g.手番, 後手);

        // 2. The upper swallow takes back.
        t.move(3, 4, 3, 5);
        EXPECT_EQ(g.持駒_COM[1], 1);
        EXPECT_EQ(g.手番, 先手);

        // 3. A re-selection: the swallow on (1, 5) first, then the one on (2, 5) moves.
        t.press(1, 5);
        EXPECT_EQ(g.選択状態, 1);
        t.press(2, 5);
        EXPECT_EQ(g.選択状態, 1);
        EXPECT_EQ(g.選択列, 2);
        EXPECT_EQ(t.surface.lastOutline(1, 5), 桝枠色);
        EXPECT_EQ(t.surface.lastOutline(2, 5), 選択色);
        t.press(2, 4);
        EXPECT_EQ(g.盤[2][4], -燕);
        EXPECT_EQ(g.盤[1][5], -燕);
        EXPECT_EQ(g.盤[2][5], 空);

        // 4. The upper swallow enters the zone and promotes with the right button.
        t.move(3, 5, 3, 6, 2);
        EXPECT_EQ(g.盤[3][6], 鴈);
        EXPECT_EQ(g.棋譜_成駒[4], 鴈);
        EXPECT_EQ(g.棋譜_駒[4], 燕);

        // 5. A left press on a move that may promote leaves the swallow as it is.
        t.move(5, 3, 5, 2, 1);
        EXPECT_EQ(g.盤[5][2], -燕);

        // 6.
        t.move(1, 3, 1, 4);

        // 7. Onto the last row the swallow must promote: the left button is refused
        // and the piece stays selected; the right button completes the capture.
        const auto before = g.盤;
        t.move(5, 2, 5, 1, 1);
        EXPECT_EQ(t.lastBoxText(), "マウスの右をクリックして下さい");
        EXPECT_EQ(t.lastBoxTitle(), "成り");
        EXPECT_EQ(g.盤, before);
        EXPECT_EQ(g.選択状態, 1);
        EXPECT_EQ(g.記録手数, 6);
        t.press(5, 1, 2);
        EXPECT_EQ(g.盤[5][1], -鴈);
        EXPECT_EQ(g.持駒_MAN[3], 1);
        EXPECT_EQ(g.棋譜_取駒[7], 鶴);

        // 8.
        t.move(1, 4, 1, 5);
        EXPECT_EQ(g.持駒_COM[1], 2);

        // 9. A press on the opponent's hand selects from it; the next board press
        // only cancels. Then the crane is dropped from the own hand.
        t.press(-1, 6);
        EXPECT_EQ(g.選択状態, 1);
        EXPECT_EQ(g.選択列, -1);
        t.press(3, 3);
        EXPECT_EQ(g.選択状態, 0);
        EXPECT_EQ(g.盤[3][3], 燕);
        EXPECT_EQ(g.手番, 先手);
        t.press(9, 4);
        EXPECT_EQ(g.選択駒, -鶴);
        t.press(5, 2);
        EXPECT_EQ(g.盤[5][2], -鶴);
        EXPECT_EQ(g.持駒_MAN[3], 0);
        EXPECT_EQ(g.棋譜_元列[9], MAN持駒列);
        EXPECT_EQ(g.棋譜_元段[9], 4);

        // 10.
        t.move(6, 3, 6, 4);

        // 11. The crane takes the phoenix.
        t.boxes.shown.clear();
        t.move(5, 2, 4, 1);
        EXPECT_EQ(g.勝者, 先手);
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.lastBoxText(), "先手の勝ちです");
        EXPECT_EQ(t.lastBoxTitle(), "終了");
        EXPECT_EQ(g.手数, 11);
        EXPECT_EQ(g.記録手数, 11);
        EXPECT_FALSE(t.timer.enabled());

        // The decided game takes no more moves.
        t.move(4, 6, 4, 5);
        EXPECT_EQ(t.lastBoxText(), "新規に対局してください");
        EXPECT_EQ(t.lastBoxTitle(), "終局");
        EXPECT_EQ(g.盤[4][6], -鷹);
        EXPECT_EQ(g.記録手数, 11);

        // Eleven pieces placed, one refusal for the forced promotion.
        int placed = 0, refused = 0;
        for (音 s : t.sounds.played()) {
            placed += s == 音::駒打音;
            refused += s == 音::禁止;
        }
        EXPECT_EQ(placed, 11);
        EXPECT_EQ(refused, 1);
    }

    TEST_F(HumanGame, UpperSideWinsWithItsOwnMessage)
    {
        t.setPosition(R"(
        . . . K . . .
        . . . . . . .
        . . . . . . .
        . . . . . . .
        . . . . . . .
        . . . C . . .
        . . . k . . .)");
        t.move(4, 7, 5, 7); // the lower phoenix steps next to the upper crane
        t.move(4, 6, 5, 7);
        EXPECT_EQ(t.g.勝者, 後手);
        EXPECT_EQ(t.lastBoxText(), "後手の勝ちです");
        EXPECT_EQ(t.lastBoxTitle(), "終了");
    }

    TEST_F(HumanGame, IllegalDestinationIsRefusedAndDropsTheSelection)
    {
        const auto before = t.g.盤;
        t.move(4, 6, 4, 4); // a falcon steps one square
        EXPECT_EQ(t.g.盤, before);
        EXPECT_EQ(t.g.選択状態, 0);
        EXPECT_EQ(t.g.手番, 先手);
        EXPECT_EQ(t.g.記録手数, 0);
        EXPECT_EQ(t.sounds.played(), std::vector<音> { 音::禁止 });
        EXPECT_EQ(t.surface.lastOutline(4, 6), 桝枠色);
    }

    TEST_F(HumanGame, EnemyPieceShowsItsGuidanceWithoutBeingSelected)
    {
        t.game.options().SIDOU_Click(); // guidance on
        ASSERT_EQ(t.g.移動指導色, 白);
        t.press(4, 2); // the upper falcon while the lower side is to move
        EXPECT_EQ(t.g.選択状態, 0);
        EXPECT_EQ(t.surface.lastOutline(4, 2), 白);
        EXPECT_EQ(t.surface.lastOutline(3, 2), 白); // a square the falcon may reach
        EXPECT_EQ(t.surface.lastOutline(4, 5), 桝枠色);
        // The next press is a first press again.
        t.press(4, 6);
        EXPECT_EQ(t.g.選択状態, 1);
        EXPECT_EQ(t.g.選択駒, -鷹);
        EXPECT_EQ(t.surface.lastOutline(4, 6), 選択色);
    }

    TEST_F(HumanGame, WithoutGuidanceOnlyTheSelectedSquareIsOutlined)
    {
        ASSERT_EQ(t.g.移動指導, 0);
        t.surface.clear();
        t.press(4, 6);
        int highlighted = 0;
        for (const auto& f : t.surface.frames())
            highlighted += f.colour != 桝枠色;
        EXPECT_EQ(highlighted, 1);
        EXPECT_EQ(t.surface.lastOutline(4, 6), 選択色);
    }

    TEST_F(HumanGame, PressBesideTheBoardKeepsTheSelectionButClearsItsOutline)
    {
        t.press(4, 6);
        t.press(0, 3); // column 0 is no square and no hand
        EXPECT_EQ(t.g.選択状態, 1);
        EXPECT_EQ(t.surface.lastOutline(4, 6), 桝枠色);
        t.press(4, 4); // two squares: too far for the falcon, refused
        EXPECT_EQ(t.g.盤[4][6], -鷹);
        EXPECT_EQ(t.g.選択状態, 0);
        t.press(1, 0); // row 0
        EXPECT_EQ(t.g.選択状態, 0);
    }

    TEST_F(HumanGame, EmptyHandCellSelectsNothing)
    {
        t.press(9, 2);
        EXPECT_EQ(t.g.選択状態, 0);
        t.press(-1, 6);
        EXPECT_EQ(t.g.選択状態, 0);
    }

    TEST_F(HumanGame, UpperDropTakesTheSlotOfThePressedRow)
    {
        t.g.持駒_COM[2] = 1; // a pheasant, shown on row 5 of the upper hand
        t.g.持駒数_COM = 1;
        t.move(1, 5, 1, 4);
        t.press(-1, 5);
        EXPECT_EQ(t.g.選択駒, 雉);
        t.press(2, 4);
        EXPECT_EQ(t.g.盤[2][4], 雉);
        EXPECT_EQ(t.g.持駒_COM[2], 0);
        EXPECT_EQ(t.g.持駒数_COM, 0);
        EXPECT_EQ(t.g.棋譜_元段[2], 5); // the record keeps the pressed row
        EXPECT_EQ(t.g.手番, 先手);
    }

    TEST_F(HumanGame, The501stMoveIsRefused)
    {
        t.g.記録手数 = 最大手数;
        t.g.最終記録手数 = 最大手数;
        const auto before = t.g.盤;
        t.move(1, 5, 1, 4);
        EXPECT_EQ(t.lastBoxTitle(), "棋譜");
        EXPECT_EQ(t.lastBoxText(), "棋譜が一杯です（500手まで）");
        EXPECT_EQ(t.sounds.played(), std::vector<音> { 音::禁止 });
        EXPECT_EQ(t.g.盤, before);
        EXPECT_EQ(t.g.記録手数, 最大手数);
        EXPECT_EQ(t.g.手数, 0);
        EXPECT_EQ(t.g.手番, 先手);
        EXPECT_EQ(t.g.持駒_MAN, (std::array<int, 7> {}));
    }

    // ---------------------------------------------------------------------------
    // No game running

    struct NoGame : ::testing::Test {
        Table t;
        void SetUp() override
        {
            t.game.Form_Load();
            t.boxes.shown.clear();
            t.sounds.calls.clear();
        }
    };

    TEST_F(NoGame, PressAsksToStartAGame)
    {
        t.panel.setListsVisible(true, true, true);
        t.press(4, 6);
        EXPECT_FALSE(t.panel.fileVisible); // the record panel closes first
        EXPECT_EQ(t.lastBoxText(), "「対局」で始めて下さい");
        EXPECT_EQ(t.lastBoxTitle(), "開始");
        EXPECT_EQ(t.sounds.played(), std::vector<音> { 音::禁止 });
        EXPECT_EQ(t.g.選択状態, 0);
    }

    TEST_F(NoGame, RecordModeYesKeepsTheRecordNoStartsOver)
    {
        t.g.棋譜モード = 1;
        t.g.最終記録手数 = 12;
        t.boxes.answers = { true, false };
        t.press(4, 6);
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_TRUE(t.boxes.shown[0].yesNo);
        EXPECT_EQ(t.boxes.shown[0].text, "棋譜を '進 'で進めて下さい");
        EXPECT_EQ(t.boxes.shown[0].title, "棋譜");
        EXPECT_EQ(t.g.棋譜モード, 1);
        EXPECT_TRUE(t.sounds.played().empty());

        t.g.盤[1][5] = 空;
        t.press(4, 6);
        EXPECT_EQ(t.sounds.played(), std::vector<音> { 音::禁止 });
        EXPECT_EQ(t.g.棋譜モード, 0);
        EXPECT_EQ(t.g.最終記録手数, 0);
        EXPECT_EQ(t.g.盤[1][5], -燕); // the start-up position again
        EXPECT_EQ(t.sounds.count(SoundCall::start), 0); // the sound library stays open
        EXPECT_EQ(t.g.選択状態, 0);
    }

    TEST_F(NoGame, DecidedGameAsksForANewOne)
    {
        t.g.勝者 = 先手;
        t.panel.setListsVisible(true, true, true);
        t.press(4, 6);
        EXPECT_EQ(t.lastBoxText(), "新規に対局してください");
        EXPECT_EQ(t.lastBoxTitle(), "終局");
        EXPECT_TRUE(t.panel.fileVisible); // nothing else happens
    }

    // After moves were taken back, the first press resumes play with the owner
    // of the next recorded move and selects nothing.
    TEST_F(NoGame, ResumeAfterSteppingBack)
    {
        t.game.START_Click();
        t.move(1, 5, 1, 4);
        t.move(2, 3, 2, 4);
        t.move(3, 5, 3, 4);
        ASSERT_EQ(t.g.記録手数, 3);
        t.menu.setChecked(menu::KEIKA, true);

        // The state that taking back the last lower move leaves.
        t.g.手番 = -1;
        t.g.記録手数 = 2;
        t.timer.setEnabled(false);
        t.clock.now = 50000;
        t.boxes.shown.clear();
        t.press(3, 5);
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.lastBoxText(), "OKですか？");
        EXPECT_EQ(t.lastBoxTitle(), "再開");
        EXPECT_FALSE(t.boxes.shown.back().yesNo);
        EXPECT_EQ(t.g.手番, 先手);
        EXPECT_EQ(t.g.選択状態, 0);
        EXPECT_DOUBLE_EQ(t.g.開始時刻, 50000);
        EXPECT_TRUE(t.timer.enabled());

        // One more step back: the upper side made move 2, so it is to move.
        t.g.手番 = -1;
        t.g.記録手数 = 1;
        t.press(3, 5);
        EXPECT_EQ(t.g.手番, 後手);
        EXPECT_EQ(t.g.選択状態, 0);
    }

    TEST_F(NoGame, ResumeWithAFullRecordLooksAtTheLastMove)
    {
        t.g.記録手数 = 最大手数;
        t.g.棋譜_成駒[最大手数] = 燕; // the upper side made the last move
        t.g.対局モード = 人間対局;
        t.press(3, 5);
        EXPECT_EQ(t.lastBoxText(), "OKですか？");
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
    }

} // namespace
} // namespace tori::testing
