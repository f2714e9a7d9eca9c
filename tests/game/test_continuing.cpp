// Play that goes on after stepping through the record with 戻 and 進, after
// loading a record and after the end of a game, through the real handlers.
#include "support/files.h"
#include "support/games.h"
#include "table.h"

namespace tori::testing {
namespace {

    constexpr int 先手 = GameState::先手;

    struct Continuing : ::testing::Test {
        Table t;
        TempDir recordDir;
        void SetUp() override
        {
            t.game.Form_Load();
            t.boxes.shown.clear();
            t.sounds.calls.clear();
        }
        RecordCommands& records() { return t.game.records(); }
        // The person's first move against the computer and its reply.
        void playAgainstTheComputer()
        {
            t.game.SENTE_Click();
            t.move(1, 5, 1, 4);
            ASSERT_EQ(t.g.記録手数, 2);
        }
        // The person's first legal board move, whatever the computer played.
        void playAnyMove()
        {
            const int recorded = t.g.記録手数;
            for (const 指し手& m : 合法手(t.g, false))
                if (盤内(m.元列, m.元段)) {
                    t.move(m.元列, m.元段, m.先列, m.先段);
                    break;
                }
            ASSERT_GT(t.g.記録手数, recorded);
        }
    };

    // 戻 戻 進 leaves the computer to move. A press lets it make its move; it
    // never moves an upper piece for the person.
    TEST_F(Continuing, APressOnTheComputersTurnLetsTheComputerMove)
    {
        playAgainstTheComputer();
        const int reply = t.g.棋譜_成駒[2];
        const int replyCol = t.g.棋譜_先列[2], replyRow = t.g.棋譜_先段[2];
        records().REPLAY_Click();
        records().REPLAY_Click();
        records().AFTER_Click();
        ASSERT_EQ(t.g.手番, t.g.COM手番);
        const auto board = t.g.盤;

        t.boxes.shown.clear();
        t.move(7, 3, 7, 4); // an upper swallow and a square it could go to
        EXPECT_EQ(t.boxes.shown.front().text, "OKですか？");
        EXPECT_EQ(t.g.記録手数, 2);
        EXPECT_EQ(t.g.棋譜_成駒[2], reply); // the computer's own answer again
        EXPECT_EQ(t.g.盤[replyCol][replyRow], reply);
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
        EXPECT_EQ(t.g.盤[7][3], board[7][3]); // unless the computer itself moved it
        EXPECT_EQ(t.g.盤[7][4], replyCol == 7 && replyRow == 4 ? reply : board[7][4]);
    }

    // After loading a record and 進 no kind of game has been chosen: a press
    // that would select or move answers as it does before the first 進, and the
    // loaded record stays whole.
    TEST_F(Continuing, PressesAfterLoadingAndSteppingMoveNothing)
    {
        t.game.START_Click();
        t.move(1, 5, 1, 4);
        t.move(2, 3, 2, 4);
        t.move(1, 4, 1, 3);
        t.panel.path = recordDir.path.string();
        t.panel.setText(1, "三手");
        records().Command1_Click();
        records().File1_Click("三手.棋譜");
        records().AFTER_Click();
        ASSERT_EQ(t.g.対局モード, -1);
        ASSERT_EQ(t.g.手番, t.g.COM手番);
        const auto board = t.g.盤;

        t.boxes.shown.clear();
        t.boxes.answers = { true, true };
        t.move(2, 3, 2, 4);
        ASSERT_EQ(t.boxes.shown.size(), 1u); // the empty target asks nothing
        EXPECT_TRUE(t.boxes.shown[0].yesNo);
        EXPECT_EQ(t.boxes.shown[0].text, "棋譜を '進 'で進めて下さい");
        EXPECT_EQ(t.g.盤, board);
        EXPECT_EQ(t.g.最終記録手数, 3);
        EXPECT_EQ(t.g.記録手数, 1);
        t.boxes.shown.clear();
        t.press(4, 4); // an empty square selects nothing and asks nothing
        EXPECT_TRUE(t.boxes.shown.empty());

        // Outside record mode the answer is the one before any game.
        t.g.棋譜モード = 0;
        t.press(2, 3);
        EXPECT_EQ(t.lastBoxText(), "「対局」で始めて下さい");
        EXPECT_EQ(t.sounds.played().back(), 音::禁止);
        EXPECT_EQ(t.g.盤, board);
    }

    // The seconds spent stepping are never booked: a move after 進 books the
    // time since 進, and 後手 in a game in progress starts the clock afresh.
    TEST_F(Continuing, SteppingTimeIsNeverBooked)
    {
        t.menu.setChecked(menu::KEIKA, true);
        playAgainstTheComputer();
        records().REPLAY_Click();
        records().REPLAY_Click();
        t.clock.advance(500);
        records().AFTER_Click();
        records().AFTER_Click();
        ASSERT_EQ(t.g.手番, t.g.MAN手番);
        const double before = t.g.MAN所有時間;
        t.clock.advance(7);
        playAnyMove();
        EXPECT_NEAR(t.g.MAN所有時間 - before, 7, 0.5);
        EXPECT_TRUE(t.timer.enabled()); // the clock ticks again once play goes on

        records().REPLAY_Click();
        records().REPLAY_Click();
        records().AFTER_Click();
        records().AFTER_Click();
        t.clock.advance(1000);
        t.game.GOTE_Click(); // the person is to move: "MANの番です"
        EXPECT_EQ(t.lastBoxText(), "MANの番です");
        const double before2 = t.g.MAN所有時間;
        t.clock.advance(5);
        playAnyMove();
        EXPECT_NEAR(t.g.MAN所有時間 - before2, 5, 0.5);
    }

    // 進 over a move that took a phoenix decides the game again; 戻 clears it,
    // and a decided game's commands leave its clock standing.
    TEST_F(Continuing, AReplayedPhoenixCaptureEndsTheGameAgain)
    {
        t.setPosition(R"(
        . . . K . . .
        . . . s . . .
        . . . . . . .
        . . k . . . .
        . . . . . . .
        . . . . . . .
        . . . . . . .)");
        t.game.START_Click();
        t.move(4, 2, 4, 1, 2);
        ASSERT_EQ(t.g.勝者, t.g.MAN手番);
        records().REPLAY_Click();
        EXPECT_EQ(t.g.勝者, -1);
        records().AFTER_Click();
        EXPECT_EQ(t.g.勝者, t.g.MAN手番);

        t.timer.setEnabled(false);
        t.game.START_Click();
        t.game.SENTE_Click();
        t.game.GOTE_Click();
        EXPECT_FALSE(t.timer.enabled());
        t.move(3, 4, 3, 5);
        EXPECT_EQ(t.lastBoxText(), "新規に対局してください");
        EXPECT_EQ(t.g.盤[3][4], -鵬);
    }

    // Only the right button promotes: a middle press on a swallow's last row is
    // refused like a left one, so the swallow never stays unpromoted there.
    TEST_F(Continuing, OnlyTheRightButtonPromotes)
    {
        t.setPosition("......."
                      "...s..."
                      "......."
                      "...K..."
                      "......."
                      "......."
                      "...k...");
        t.game.START_Click();
        t.press(4, 2);
        t.press(4, 1, 4);
        EXPECT_EQ(t.lastBoxText(), "マウスの右をクリックして下さい");
        EXPECT_EQ(t.g.盤[4][2], -燕);
        t.press(4, 1, 2);
        EXPECT_EQ(t.g.盤[4][1], -鴈);
    }

    // A new background keeps the move counter and both last-move texts on
    // screen; a new position (最初) leaves them out.
    TEST_F(Continuing, ANewBackgroundKeepsTheTextsBesideTheBoard)
    {
        playAgainstTheComputer();
        const std::string reply = 文字列変換(t.g.棋譜_成駒[2]);
        t.surface.clear();
        t.game.options().TATAMI_Click();
        ASSERT_TRUE(t.surface.redrawn());
        EXPECT_TRUE(t.surface.drewText("手目"));
        EXPECT_TRUE(t.surface.drewText("燕")); // the person's swallow
        EXPECT_TRUE(t.surface.drewText(reply));

        records().CANCEL_Click();
        t.surface.clear();
        t.game.options().MIDORI_Click();
        ASSERT_TRUE(t.surface.redrawn());
        EXPECT_FALSE(t.surface.drewText("手目"));
        EXPECT_FALSE(t.surface.drewText("燕"));
    }

    // Starting a game covers the loaded record's header lines, and on a
    // textured background the board's right border and the lower hand's left
    // border are outlined after the row numbers' tiles that reach into them.
    TEST_F(Continuing, StartingAGameClearsTheHeaderAndKeepsTheBorders)
    {
        t.game.options().TATAMI_Click();
        t.game.START_Click();
        t.move(1, 5, 1, 4);
        t.panel.path = recordDir.path.string();
        t.panel.setText(1, "見出し");
        t.panel.setText(2, "長い対局名の見出し");
        t.panel.setText(3, "上手の名前");
        t.panel.setText(4, "下手の名前");
        records().Command1_Click();
        t.surface.clear();
        records().File1_Click("見出し.棋譜");
        const auto& calls = t.surface.calls;
        const size_t loaded = calls.size();
        t.game.SENTE_Click();

        // Every header text printed by loading lies under a tile drawn by 先手.
        for (size_t i = 0; i < loaded; ++i) {
            if (calls[i].kind != RecordingSurface::Call::Text
                || calls[i].text.find("の") == std::string::npos)
                continue;
            const bool covered
                = std::any_of(calls.begin() + loaded, calls.end(), [&](const auto& c) {
                      return c.kind == RecordingSurface::Call::Picture && c.code == 3
                          && c.x <= calls[i].x + 1 && calls[i].x < c.x + 495
                          && c.y <= calls[i].y + 1 && calls[i].y < c.y + 615;
                  });
            EXPECT_TRUE(covered) << calls[i].text;
        }
        // The last thing drawn on each border is its outline.
        auto lastIndex = [&](RecordingSurface::Call::Kind kind, int gx, int gy) {
            for (size_t i = calls.size(); i-- > 0;)
                if (calls[i].kind == kind && std::abs(calls[i].x - (1050 + 495 * gx)) < 1
                    && std::abs(calls[i].y - (100 + 615 * gy)) < 1)
                    return static_cast<long>(i);
            return -1L;
        };
        for (int row = 2; row <= 7; ++row) {
            const long tile = lastIndex(RecordingSurface::Call::Picture, 8, row);
            ASSERT_GE(tile, static_cast<long>(loaded));
            EXPECT_GT(lastIndex(RecordingSurface::Call::Frame, 7, row), tile) << row;
            EXPECT_GT(lastIndex(RecordingSurface::Call::Frame, 9, row), tile) << row;
        }
    }

    // When the settings file cannot be written, the choices of this run
    // survive the start-up that loading a record runs.
    TEST_F(Continuing, ChoicesThatCouldNotBeSavedSurviveLoadingARecord)
    {
        const auto dir = recordDir.path;
        Table unwritable((dir / "no-such-folder" / "ZR鳥将棋.ini").string());
        unwritable.game.Form_Load();
        unwritable.game.options().UCHU_Click();
        unwritable.game.options().SIDOU_Click();
        unwritable.game.Form_Load(); // what loading a record runs
        EXPECT_TRUE(unwritable.menu.checked(menu::UCHU));
        EXPECT_EQ(unwritable.g.背景画, 5);
        EXPECT_TRUE(unwritable.menu.checked(menu::SIDOU));
        EXPECT_EQ(unwritable.g.移動指導, 1);
        EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
    }

} // namespace
} // namespace tori::testing
