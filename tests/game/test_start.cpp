// Start-up, the game commands, the levels and shutdown.
#include "table.h"

#include "settings/text_file.h"

namespace tori::testing {
namespace {

    constexpr int 先手 = GameState::先手;
    constexpr int 後手 = GameState::後手;

    TEST(StartUp, SetsTheStartingStateAndDrawsTheWindow)
    {
        Table t;
        t.sounds.startMessages
            = { { "ZR鳥将棋.dll", "Direct Soundインターフェースが作成できません。" } };
        t.g.棋譜モード = 1;
        t.g.最終記録手数 = 9;
        t.timer.setEnabled(true);
        t.game.Form_Load();

        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.boxes.shown[0].title, "ZR鳥将棋.dll");
        EXPECT_EQ(t.boxes.shown[0].text, "Direct Soundインターフェースが作成できません。");
        EXPECT_EQ(t.boxes.shown[0].icon, MessageBoxes::Icon::Exclamation);

        const GameState& g = t.g;
        EXPECT_EQ(g.手番, -1);
        EXPECT_EQ(g.対局モード, -1);
        EXPECT_EQ(g.勝者, -1);
        EXPECT_EQ(g.棋譜モード, 0);
        EXPECT_EQ(g.最終記録手数, 0);
        EXPECT_EQ(g.レベル, 3);
        EXPECT_EQ(g.COM手番, 先手);
        EXPECT_EQ(g.MAN手番, 後手);
        EXPECT_TRUE(t.menu.checked(menu::LEVEL3));
        EXPECT_FALSE(t.menu.checked(menu::LEVEL1));
        EXPECT_FALSE(t.menu.checked(menu::LEVEL2));
        EXPECT_EQ(g.盤[4][1], 鵬);
        EXPECT_EQ(g.盤[4][7], -鵬);
        EXPECT_FALSE(t.timer.enabled());

        EXPECT_EQ(t.backgroundColour, 窓背景色);
        EXPECT_EQ(t.resized, 1);
        EXPECT_EQ(t.width, 9000);
        EXPECT_EQ(t.height, 7300);
        ASSERT_FALSE(t.surface.pictures().empty());
        const auto title = t.surface.pictures().back();
        EXPECT_EQ(title.code, 1);
        EXPECT_DOUBLE_EQ(title.x, 6396);
        EXPECT_DOUBLE_EQ(title.y, 100);
        EXPECT_EQ(t.sounds.count(SoundCall::start), 1);
    }

    // Loading a record and leaving record mode run start-up again: the library is
    // not opened twice and the music is not started over.
    TEST(StartUp, RunningAgainReusesTheSoundAndKeepsTheMusicGoing)
    {
        const std::string path = tempSettingsPath();
        ASSERT_TRUE(
            writeShiftJisLines(path, { "背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=ON" }));
        Table t(path);
        t.sounds.startMessages
            = { { "ZR鳥将棋.dll", "Direct Soundインターフェースが作成できません。" } };
        t.game.Form_Load();
        t.game.Form_Load();
        t.game.Form_Load();
        EXPECT_EQ(t.sounds.count(SoundCall::start), 1);
        EXPECT_EQ(t.sounds.count(SoundCall::dsPlayLooping, 音::BGM), 1);
        EXPECT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_TRUE(t.menu.checked(menu::BGM));
    }

    struct Commands : ::testing::Test {
        Table t;
        void SetUp() override
        {
            t.game.Form_Load();
            t.boxes.shown.clear();
            t.sounds.calls.clear();
        }
    };

    TEST_F(Commands, StartBeginsAGameBetweenPeople)
    {
        t.menu.setChecked(menu::KEIKA, true);
        t.clock.now = 1234;
        t.game.START_Click();
        EXPECT_EQ(t.g.MAN手番, 先手);
        EXPECT_EQ(t.g.COM手番, 後手);
        EXPECT_EQ(t.g.手番, 先手);
        EXPECT_EQ(t.g.対局モード, 人間対局);
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.boxes.shown[0].text, "先手の番です");
        EXPECT_EQ(t.boxes.shown[0].title, " ");
        EXPECT_DOUBLE_EQ(t.g.開始時刻, 1234);
        EXPECT_TRUE(t.timer.enabled());
    }

    TEST_F(Commands, StartLeavesTheClockOffWithoutElapsedTime)
    {
        t.menu.setChecked(menu::KEIKA, false);
        t.game.START_Click();
        EXPECT_FALSE(t.timer.enabled());
    }

    TEST_F(Commands, SenteAfterStartUp)
    {
        t.menu.setChecked(menu::KEIKA, false);
        t.g.選択状態 = 1;
        t.g.棋譜モード = 1;
        t.game.SENTE_Click();
        EXPECT_EQ(t.g.MAN手番, 先手);
        EXPECT_EQ(t.g.COM手番, 後手);
        EXPECT_EQ(t.g.手番, 先手);
        EXPECT_EQ(t.g.対局モード, COM対局);
        EXPECT_EQ(t.g.棋譜モード, 0);
        EXPECT_EQ(t.g.選択状態, 0);
        EXPECT_TRUE(t.timer.enabled()); // whatever the elapsed-time option says
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.boxes.shown[0].text, "あなたの番です");
        EXPECT_EQ(t.boxes.shown[0].title, " ");
        EXPECT_EQ(t.g.手数, 0);
        EXPECT_TRUE(t.surface.drewText("LEVEL"));
        // The lower pieces move first.
        t.move(1, 5, 1, 4);
        EXPECT_EQ(t.g.棋譜_駒[1], -燕);
        EXPECT_EQ(t.g.棋譜_先段[1], 4);
    }

    TEST_F(Commands, GoteAfterStartUpLetsTheComputerMoveAtOnce)
    {
        t.game.GOTE_Click();
        EXPECT_EQ(t.g.MAN手番, 後手);
        EXPECT_EQ(t.g.COM手番, 先手);
        EXPECT_EQ(t.g.手数, 1);
        EXPECT_EQ(t.g.記録手数, 1);
        EXPECT_GE(t.g.棋譜_成駒[1], 10); // an upper piece moved
        EXPECT_EQ(t.g.手番, 後手);
        EXPECT_TRUE(t.boxes.texts().empty()
            || t.boxes.texts() == std::vector<std::string> { "   ** 鵬手 **" });
        EXPECT_EQ(t.sounds.count(SoundCall::dsPlay, 音::駒打音), 1);
    }

    TEST_F(Commands, SenteInMidGameWhileThePersonIsToMove)
    {
        t.game.SENTE_Click();
        t.move(1, 5, 1, 4); // the computer answers
        ASSERT_EQ(t.g.手番, t.g.MAN手番);
        const int moves = t.g.手数;
        t.boxes.shown.clear();
        t.game.SENTE_Click();
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.boxes.shown[0].text, "MANの番です");
        EXPECT_EQ(t.boxes.shown[0].title, "対局");
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
        EXPECT_EQ(t.g.MAN手番, 先手);
        EXPECT_EQ(t.g.手数, moves);
        t.game.GOTE_Click();
        EXPECT_EQ(t.boxes.shown.back().text, "MANの番です");
        EXPECT_EQ(t.g.MAN手番, 先手);
    }

    // A game between people becomes a game against the computer, which takes the
    // upper side and moves at once when that side is to move.
    TEST_F(Commands, GoteInMidGameWhileTheUpperSideIsToMove)
    {
        t.game.START_Click();
        t.move(1, 5, 1, 4);
        ASSERT_EQ(t.g.手番, 後手);
        t.boxes.shown.clear();
        t.game.GOTE_Click();
        EXPECT_EQ(t.g.対局モード, COM対局);
        EXPECT_EQ(t.g.手数, 2);
        EXPECT_GE(t.g.棋譜_成駒[2], 10);
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
        EXPECT_EQ(t.g.MAN手番, 先手);
    }

    TEST_F(Commands, StartAfterSenteInMidGame)
    {
        t.game.SENTE_Click();
        t.move(1, 5, 1, 4);
        t.g.手番 = t.g.COM手番; // whatever it was
        t.game.START_Click();
        EXPECT_EQ(t.g.対局モード, 人間対局);
        EXPECT_EQ(t.g.手番, 先手);
        EXPECT_GE(t.g.手数, 1); // the position is kept
    }

    TEST_F(Commands, StartInADecidedGameKeepsTheWinner)
    {
        t.g.勝者 = 先手;
        t.game.START_Click();
        EXPECT_EQ(t.g.勝者, 先手);
        t.press(1, 5);
        EXPECT_EQ(t.lastBoxText(), "新規に対局してください");
    }

    TEST_F(Commands, TaikyokuClosesTheRecordPanel)
    {
        t.panel.setListsVisible(true, true, true);
        t.panel.setWriteControlsVisible(true);
        t.panel.setText(1, "対局1");
        t.game.TAIKYOKU_Click();
        EXPECT_FALSE(t.panel.driveVisible || t.panel.dirVisible || t.panel.fileVisible);
        EXPECT_FALSE(t.panel.writeVisible);
        EXPECT_EQ(t.panel.text(1), "");
        t.game.MATCH_MAN_Click(); // nothing
        EXPECT_EQ(t.g.手番, -1);
    }

    // ---------------------------------------------------------------------------
    // Levels

    TEST_F(Commands, LevelOutsideAComputerGameOnlySetsTheMark)
    {
        t.surface.clear();
        t.game.LEVEL1_Click();
        EXPECT_EQ(t.g.レベル, 1);
        EXPECT_TRUE(t.menu.checked(menu::LEVEL1));
        EXPECT_FALSE(t.menu.checked(menu::LEVEL2));
        EXPECT_FALSE(t.menu.checked(menu::LEVEL3));
        // The three caption cells are covered with the background, nothing written.
        ASSERT_EQ(t.surface.pictures().size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(t.surface.pictures()[i].code, t.g.背景画);
            EXPECT_DOUBLE_EQ(t.surface.pictures()[i].x, 1050 + 495 * (i - 2));
            EXPECT_DOUBLE_EQ(t.surface.pictures()[i].y, 100);
        }
        EXPECT_TRUE(t.surface.texts().empty());

        // Exactly one mark, the chosen level's; start-up goes back to level 3.
        const std::pair<void (Game::*)(), const char*> levels[]
            = { { &Game::LEVEL2_Click, menu::LEVEL2 }, { &Game::LEVEL3_Click, menu::LEVEL3 },
                  { &Game::LEVEL4_Click, menu::LEVEL4 }, { &Game::LEVEL5_Click, menu::LEVEL5 } };
        for (int n = 2; n <= 5; ++n) {
            (t.game.*levels[n - 2].first)();
            EXPECT_EQ(t.g.レベル, n);
            for (int k = 1; k <= 5; ++k)
                EXPECT_EQ(t.menu.checked(("LEVEL" + std::to_string(k)).c_str()), k == n) << n;
        }
        t.game.Form_Load();
        EXPECT_EQ(t.g.レベル, 3);
        EXPECT_TRUE(t.menu.checked(menu::LEVEL3));
        EXPECT_FALSE(t.menu.checked(menu::LEVEL5));
    }

    TEST_F(Commands, LevelInAComputerGameRedrawsTheCaption)
    {
        t.game.SENTE_Click();
        t.surface.clear();
        t.game.LEVEL1_Click();
        EXPECT_EQ(t.g.レベル, 1);
        EXPECT_TRUE(t.surface.drewText("LEVEL"));
    }

    TEST_F(Commands, UnknownLevelClearsTheMarksAndKeepsTheLevel)
    {
        t.game.レベル_設定(6);
        EXPECT_EQ(t.g.レベル, 3);
        EXPECT_FALSE(t.menu.checked(menu::LEVEL1) || t.menu.checked(menu::LEVEL2)
            || t.menu.checked(menu::LEVEL3) || t.menu.checked(menu::LEVEL4)
            || t.menu.checked(menu::LEVEL5));
    }

    // ---------------------------------------------------------------------------
    // Shutdown

    TEST_F(Commands, EscapeEndsOtherKeysDoNothing)
    {
        t.game.Form_KeyPress('a');
        t.game.Form_KeyPress(13);
        t.game.Form_KeyPress(32);
        EXPECT_EQ(t.quits, 0);
        EXPECT_TRUE(t.sounds.calls.empty());
        t.game.Form_KeyPress(27);
        EXPECT_EQ(t.quits, 1);
        EXPECT_EQ(t.sounds.count(SoundCall::end), 1);
    }

    TEST_F(Commands, ShutdownReleasesTheSoundBeforeEndingAndOnlyOnce)
    {
        bool releasedFirst = false;
        t.onQuit = [&] { releasedFirst = t.sounds.count(SoundCall::end) == 1; };
        t.timer.setEnabled(true);
        t.game.OWARI_Click();
        EXPECT_TRUE(releasedFirst);
        EXPECT_EQ(t.quits, 1);
        EXPECT_FALSE(t.timer.enabled());
        // Closing the window that 終わり ends comes back through Form_Unload.
        t.game.Form_Unload();
        EXPECT_EQ(t.sounds.count(SoundCall::end), 1);
        EXPECT_EQ(t.quits, 1);
    }

    TEST(Shutdown, ClosingTheWindowEnds)
    {
        Table t;
        t.game.Form_Load();
        t.game.Form_Unload();
        EXPECT_EQ(t.sounds.count(SoundCall::end), 1);
        EXPECT_EQ(t.quits, 1);
    }

    // ---------------------------------------------------------------------------
    // The sound session over the device

    TEST(SoundSession, OpensOnceLoopsOnceAndClosesOnce)
    {
        RecordingSounds device;
        device.startMessages = { { "t", "x" } };
        SoundSession s(device);
        EXPECT_EQ(s.開始().size(), 1u);
        EXPECT_TRUE(s.開始().empty());
        s.dsPlayLooping(音::BGM);
        s.dsPlayLooping(音::BGM);
        EXPECT_EQ(device.count(SoundCall::dsPlayLooping, 音::BGM), 1);
        s.dsStop(音::BGM);
        s.dsPlayLooping(音::BGM); // toggled off and on: plays again
        EXPECT_EQ(device.count(SoundCall::dsPlayLooping, 音::BGM), 2);
        s.dsPlay(音::禁止);
        s.dsPlay(音::禁止);
        EXPECT_EQ(device.count(SoundCall::dsPlay, 音::禁止), 2);
        s.終了();
        s.終了();
        EXPECT_EQ(device.count(SoundCall::end), 1);
        EXPECT_EQ(device.count(SoundCall::start), 1);
    }

} // namespace
} // namespace tori::testing
