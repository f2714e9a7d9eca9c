// Games against the computer through the mouse, and the computer's turn as
// the window shows it.
#include "table.h"

#include <random>

namespace tori::testing {
namespace {

    constexpr int 先手 = GameState::先手;

    struct Candidate {
        int fromCol, fromRow, toCol, toRow, gain;
    };

    // The lower side's legal moves and drops, as the mouse enters them.
    std::vector<Candidate> lowerMoves(const GameState& state)
    {
        GameState g = state;
        調査_2燕フラグ設定(g);
        std::vector<Candidate> out;
        for (int c = 1; c <= 7; ++c)
            for (int r = 1; r <= 7; ++r) {
                if (!下手駒(g.盤[c][r]))
                    continue;
                for (int tc = 1; tc <= 7; ++tc)
                    for (int tr = 1; tr <= 7; ++tr)
                        if (移動チェック(g, c, r, tc, tr, g.盤[c][r]) == 1)
                            out.push_back({ c, r, tc, tr, std::abs(g.盤[tc][tr]) });
            }
        for (int slot = 1; slot <= 6; ++slot) {
            if (g.持駒_MAN[slot] <= 0)
                continue;
            for (int tc = 1; tc <= 7; ++tc)
                for (int tr = 1; tr <= 7; ++tr)
                    if (移動チェック(g, MAN持駒列, slot + 1, tc, tr, -持駒種類(slot)) == 1)
                        out.push_back({ MAN持駒列, slot + 1, tc, tr, 0 });
        }
        return out;
    }

    // A person who takes the most valuable piece in reach, at random among
    // equals, and always asks for promotion.
    bool playGreedy(Table& t, std::mt19937& random)
    {
        auto moves = lowerMoves(t.g);
        if (moves.empty())
            return false;
        int best = -1;
        for (const auto& m : moves)
            best = std::max(best, m.gain);
        std::vector<Candidate> top;
        for (const auto& m : moves)
            if (m.gain == best)
                top.push_back(m);
        const auto& m = top[std::uniform_int_distribution<std::size_t>(0, top.size() - 1)(random)];
        t.press(m.fromCol, m.fromRow);
        t.press(m.toCol, m.toRow, 2);
        return true;
    }

    void playToTheEnd(Table& t, unsigned seed)
    {
        std::mt19937 random(seed);
        while (t.g.勝者 == -1 && t.g.記録手数 < 400) {
            const int before = t.g.記録手数;
            ASSERT_EQ(t.g.手番, t.g.MAN手番);
            ASSERT_TRUE(playGreedy(t, random));
            ASSERT_GT(t.g.記録手数, before);
        }
        ASSERT_NE(t.g.勝者, -1) << "no winner after " << t.g.記録手数 << " moves";
        const bool personWon = t.g.勝者 == t.g.MAN手番;
        EXPECT_EQ(t.boxes.showed("あなたの勝ちです"), personWon);
        EXPECT_EQ(t.boxes.showed("ｺﾝﾋﾟｭｰﾀの勝ちです"), !personWon);
        EXPECT_EQ(t.lastBoxTitle(), "終了");
        // The moves alternate between the two sides.
        for (int n = 1; n <= t.g.記録手数; ++n) {
            const bool upperMoved = t.g.棋譜_成駒[n] >= 10;
            const bool upperFirst = t.g.COM手番 == 先手;
            EXPECT_EQ(upperMoved, (n % 2 == 1) == upperFirst) << "move " << n;
        }
        // The decided game takes no more moves.
        const int moves = t.g.記録手数;
        t.press(1, 5);
        EXPECT_EQ(t.lastBoxText(), "新規に対局してください");
        EXPECT_EQ(t.g.記録手数, moves);
    }

    struct Versus : ::testing::Test {
        Table t;
        void SetUp() override
        {
            t.clock.step = 0.01; // the blink waits on the clock
            t.game.Form_Load();
            t.boxes.shown.clear();
            t.sounds.calls.clear();
        }
    };

    TEST_F(Versus, PersonFirstPlaysToAWinner)
    {
        t.game.LEVEL1_Click();
        t.game.SENTE_Click();
        playToTheEnd(t, 1);
    }

    TEST_F(Versus, ComputerFirstPlaysToAWinner)
    {
        t.game.GOTE_Click();
        ASSERT_EQ(t.g.記録手数, 1);
        playToTheEnd(t, 2);
    }

    // Level 4 searches deep and is the same turn on screen: its caption, a
    // reply in the record, and the window painted while it thinks.
    TEST_F(Versus, LevelFourSearchesWhileTheWindowPaints)
    {
        t.game.LEVEL4_Click();
        t.game.SENTE_Click();
        EXPECT_TRUE(t.surface.drewText(" 4")); // the level caption
        t.move(1, 5, 1, 4);
        ASSERT_EQ(t.g.記録手数, 2);
        EXPECT_TRUE(上手駒(t.g.棋譜_成駒[2]));
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
        EXPECT_GT(t.paints, 0);
    }

    // Escape or closing the window while level 5 thinks: the search stops at
    // its next tick, the turn makes no move and says nothing, and the window
    // takes input again; the program ends (in the window) right after.
    TEST_F(Versus, ThinkingStoppedMakesNoMove)
    {
        t.game.LEVEL5_Click();
        t.game.SENTE_Click();
        t.move(1, 5, 1, 4);
        ASSERT_EQ(t.g.記録手数, 2);
        EXPECT_EQ(t.thinkingDone, 1);

        const auto board = t.g.盤;
        t.boxes.shown.clear();
        t.sounds.calls.clear();
        t.paints = 0;
        t.onPaint = [this] {
            if (t.paints == 2)
                t.game.stopThinking();
        };
        t.move(2, 5, 2, 4);
        EXPECT_EQ(t.g.記録手数, 3); // the person's move only
        EXPECT_EQ(t.paints, 2); // the stop came at the second tick and was heard at once
        EXPECT_EQ(t.g.盤[2][4], board[2][5]);
        EXPECT_TRUE(t.boxes.shown.empty());
        EXPECT_EQ(t.sounds.played(), std::vector<音> { 音::駒打音 });
        EXPECT_EQ(t.thinkingDone, 2);
    }

    TEST_F(Versus, PersonTakesThePhoenixAndTheComputerDoesNotMove)
    {
        t.setPosition(R"(
        . . . K . . .
        . . . c . . .
        . . . . . . .
        . S . . . . .
        . . . . . . .
        . . . . . . .
        . . . k . . .)");
        t.game.SENTE_Click();
        t.boxes.shown.clear();
        t.move(4, 2, 4, 1);
        EXPECT_EQ(t.g.勝者, t.g.MAN手番);
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.lastBoxText(), "あなたの勝ちです");
        EXPECT_EQ(t.lastBoxTitle(), "終了");
        EXPECT_EQ(t.g.記録手数, 1);
        EXPECT_FALSE(t.timer.enabled());
        EXPECT_EQ(t.sounds.count(SoundCall::dsPlay, 音::駒打音), 1);
        EXPECT_TRUE(t.surface.drewText("鶴")); // the move text
    }

    TEST_F(Versus, ComputerTakesThePhoenix)
    {
        t.setPosition(R"(
        . . . K . . .
        . . . . . . .
        . . . . . . .
        . . . . . . .
        . . . . . . s
        . . . C . . .
        . . . k . . .)");
        t.surface.clear();
        t.game.GOTE_Click();
        EXPECT_EQ(t.g.勝者, t.g.COM手番);
        EXPECT_EQ(t.g.盤[4][7], 鶴);
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.lastBoxText(), "ｺﾝﾋﾟｭｰﾀの勝ちです");
        EXPECT_EQ(t.lastBoxTitle(), "終了");
        // No move text, the clock stays stopped, the turn is not handed back.
        EXPECT_FALSE(t.surface.drewText("鶴"));
        EXPECT_FALSE(t.timer.enabled());
        EXPECT_EQ(t.g.手番, t.g.COM手番);
        EXPECT_EQ(t.sounds.count(SoundCall::dsPlay, 音::駒打音), 1);
    }

    // What the window shows around the search: the caption, the blink at the
    // origin, the sound, the move text, the white outline and the hand-over.
    TEST_F(Versus, TheComputersTurnOnScreen)
    {
        t.menu.setChecked(menu::KEIKA, true);
        t.game.SENTE_Click();
        t.press(1, 5);
        t.surface.clear();
        t.sounds.calls.clear();
        t.press(1, 4);
        ASSERT_EQ(t.g.記録手数, 2);
        ASSERT_EQ(t.g.勝者, -1);

        const auto caption = t.surface.textsOf("思考中");
        ASSERT_EQ(caption.size(), 2u);
        EXPECT_EQ(caption[0].colour, 黒);
        EXPECT_DOUBLE_EQ(caption[0].x, 1050 + 495 * -1.5);
        EXPECT_DOUBLE_EQ(caption[0].y, 100 + 615 * 8.5);
        EXPECT_EQ(caption[1].colour, 白);
        EXPECT_DOUBLE_EQ(caption[1].x, 1050 + 495 * -1.6);
        EXPECT_DOUBLE_EQ(caption[1].y, 100 + 615 * 8.4);
        EXPECT_GE(t.surface.refreshes(), 1);

        const int fromCol = t.g.棋譜_元列[2], fromRow = t.g.棋譜_元段[2];
        const int toCol = t.g.棋譜_先列[2], toRow = t.g.棋譜_先段[2];
        ASSERT_TRUE(盤内(fromCol, fromRow));
        int blanks = 0, shown = 0;
        for (const auto& p : t.surface.pictures())
            if (p.x == 1050 + 495 * fromCol && p.y == 100 + 615 * fromRow) {
                blanks += p.code == 空;
                shown += p.code == t.g.棋譜_駒[2];
            }
        EXPECT_GE(blanks, 2); // blinked twice, then emptied by the move
        EXPECT_GE(shown, 2);
        EXPECT_EQ(t.g.盤[toCol][toRow], t.g.棋譜_成駒[2]);
        EXPECT_TRUE(t.surface.drewText(文字列変換(t.g.棋譜_成駒[2])));
        EXPECT_EQ(t.surface.lastOutline(toCol, toRow), 白);
        EXPECT_EQ(t.sounds.played(), (std::vector<音> { 音::駒打音, 音::駒打音 }));
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
        EXPECT_TRUE(t.timer.enabled());
    }

    TEST_F(Versus, WithoutElapsedTimeTheClockStaysOffAfterTheComputer)
    {
        t.menu.setChecked(menu::KEIKA, false);
        t.game.SENTE_Click();
        t.move(1, 5, 1, 4);
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
        EXPECT_FALSE(t.timer.enabled());
    }

    TEST_F(Versus, ForcedPromotionAndRefusalAgainstTheComputer)
    {
        t.setPosition(R"(
        K . . . . . .
        . . . . . . S
        . . . . . . .
        . . . . . . .
        . . . . . . .
        . . . . . . .
        k . . . . . .)");
        // The lower swallow stands one step before the last row.
        t.g.盤[4][2] = -燕;
        t.game.SENTE_Click();
        t.boxes.shown.clear();
        t.move(4, 2, 4, 1, 1);
        EXPECT_EQ(t.lastBoxText(), "マウスの右をクリックして下さい");
        EXPECT_EQ(t.g.記録手数, 0);
        t.press(4, 1, 2);
        EXPECT_EQ(t.g.棋譜_成駒[1], -鴈);
        EXPECT_EQ(t.g.棋譜_駒[1], -燕);
        EXPECT_EQ(t.g.記録手数, 2); // and the computer answered

        t.sounds.calls.clear();
        const int moves = t.g.記録手数;
        t.move(1, 7, 3, 5); // a phoenix takes one step
        EXPECT_EQ(t.g.記録手数, moves);
        EXPECT_EQ(t.sounds.played(), std::vector<音> { 音::禁止 });
        EXPECT_EQ(t.g.選択状態, 0);
    }

    TEST_F(Versus, The501stMoveIsRefused)
    {
        t.game.SENTE_Click();
        t.g.記録手数 = 最大手数;
        t.g.最終記録手数 = 最大手数;
        t.boxes.shown.clear();
        const auto before = t.g.盤;
        t.move(1, 5, 1, 4);
        EXPECT_EQ(t.lastBoxTitle(), "棋譜");
        EXPECT_EQ(t.lastBoxText(), "棋譜が一杯です（500手まで）");
        EXPECT_EQ(t.g.盤, before);
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
        EXPECT_EQ(t.sounds.played(), std::vector<音> { 音::禁止 });
    }

    // A computer without any legal move cannot go on: the player wins.
    TEST_F(Versus, ComputerWithoutAMoveLoses)
    {
        t.setPosition(R"(
        K S . . . . .
        S S . . . . .
        S S . . . . .
        S S . . . . .
        S S . . . . .
        S S . . . . .
        S S . . . . k)");
        t.game.GOTE_Click();
        EXPECT_EQ(t.g.勝者, t.g.MAN手番);
        EXPECT_EQ(t.g.記録手数, 0);
        EXPECT_EQ(t.lastBoxTitle(), "終了");
        EXPECT_EQ(t.lastBoxText(), "ｺﾝﾋﾟｭｰﾀに指す手がありません。あなたの勝ちです");
        EXPECT_FALSE(t.timer.enabled());
    }

    // The pheasant's jump mates the lower phoenix in its corner: announced, and
    // the game goes on with the person to move.
    TEST_F(Versus, MateIsAnnouncedAndTheTurnPassesBack)
    {
        t.setPosition(R"(
        . . . . . . K
        . . . . . . .
        P . . . . . .
        . . . . . . .
        . C . . . . .
        . S . . . . .
        k . . . . . .)");
        t.game.GOTE_Click();
        ASSERT_FALSE(t.boxes.shown.empty());
        EXPECT_EQ(t.boxes.shown[0].text, "よし！!");
        EXPECT_EQ(t.boxes.shown[0].title, "詰め ?");
        EXPECT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.g.勝者, -1);
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
        const int toCol = t.g.棋譜_先列[1], toRow = t.g.棋譜_先段[1];
        EXPECT_EQ(t.surface.lastOutline(toCol, toRow), 白);
        EXPECT_TRUE(t.surface.drewText(文字列変換(t.g.棋譜_成駒[1])));
    }

    // The computer's only move attacks the lower phoenix without mating it.
    TEST_F(Versus, CheckIsAnnouncedAndTheGameGoesOn)
    {
        t.setPosition(R"(
        K S . . . . .
        S S . . . . .
        S S . . . . .
        S S . S . . .
        S S . . . . .
        S S . k . . .
        S S . . . . .)");
        t.game.GOTE_Click();
        EXPECT_EQ(t.g.盤[4][5], 燕);
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.lastBoxText(), "   ** 鵬手 **");
        EXPECT_EQ(t.lastBoxTitle(), "");
        EXPECT_EQ(t.g.勝者, -1);
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
        EXPECT_EQ(t.surface.lastOutline(4, 5), 白);
        // The person answers by taking the swallow.
        t.move(4, 6, 4, 5);
        EXPECT_EQ(t.g.持駒_MAN[1], 1);
    }

    TEST_F(Versus, DecidedGameMakesTheComputerDoNothing)
    {
        t.g.勝者 = 先手;
        t.surface.clear();
        t.game.com_ban();
        EXPECT_TRUE(t.surface.texts().empty());
        EXPECT_TRUE(t.surface.pictures().empty());
        EXPECT_EQ(t.g.記録手数, 0);
    }

    TEST_F(Versus, ResumeInAComputerGameLetsTheComputerMove)
    {
        t.game.SENTE_Click();
        t.move(1, 5, 1, 4);
        ASSERT_EQ(t.g.記録手数, 2);
        // The state that taking back the computer's move leaves (its move is
        // still on the board, which does not matter here).
        t.g.手番 = -1;
        t.g.記録手数 = 1;
        t.g.最終記録手数 = 2;
        t.boxes.shown.clear();
        t.press(3, 5);
        EXPECT_EQ(t.boxes.shown.front().text, "OKですか？");
        EXPECT_EQ(t.g.記録手数, 2);
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
    }

} // namespace
} // namespace tori::testing
