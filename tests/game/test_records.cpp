// The handlers together with the record commands: loading a record runs
// start-up again, and play resumes after stepping back.
#include "table.h"

namespace tori::testing {
namespace {

    constexpr int 先手 = GameState::先手;
    constexpr int 後手 = GameState::後手;

    struct WithRecords : ::testing::Test {
        Table t;
        std::string dir;
        void SetUp() override
        {
            const auto settings = std::filesystem::path(tempSettingsPath());
            dir = settings.parent_path().string();
            t.panel.path = dir;
            t.game.Form_Load();
            t.boxes.shown.clear();
            t.sounds.calls.clear();
        }
    };

    // A game saved and loaded again: loading starts up afresh without opening
    // the sound library or starting the music a second time, and the first press
    // asks to step through the record; "No" leaves record mode.
    TEST_F(WithRecords, LoadingARecordStartsUpAgain)
    {
        t.game.START_Click();
        t.move(1, 5, 1, 4);
        t.move(2, 3, 2, 4);
        t.move(1, 4, 1, 3);
        ASSERT_EQ(t.g.記録手数, 3);
        t.game.records().KIFU_WRITE_Click();
        t.panel.setText(1, "三手");
        t.panel.setText(2, "練習");
        t.panel.setText(3, "甲");
        t.panel.setText(4, "乙");
        t.game.records().Command1_Click();
        ASSERT_EQ(t.lastBoxText(), "棋譜を書き込みました");

        t.sounds.calls.clear();
        t.boxes.shown.clear();
        t.game.records().File1_Click("三手.棋譜");
        EXPECT_EQ(t.g.棋譜モード, 1);
        EXPECT_EQ(t.g.最終記録手数, 3);
        EXPECT_EQ(t.g.記録手数, 0);
        EXPECT_EQ(t.g.手番, -1);
        EXPECT_EQ(t.g.盤[1][5], -燕); // the start-up position
        EXPECT_EQ(t.sounds.count(SoundCall::start), 0);
        // The first start found no settings file and left the music off; the
        // file it wrote says BGM=ON, so the music starts now, once.
        EXPECT_EQ(t.sounds.count(SoundCall::dsPlayLooping, 音::BGM), 1);

        t.boxes.answers = { true };
        t.press(1, 5);
        EXPECT_EQ(t.lastBoxText(), "棋譜を '進 'で進めて下さい");
        EXPECT_EQ(t.g.棋譜モード, 1);

        t.boxes.answers = { false };
        t.press(1, 5);
        EXPECT_EQ(t.g.棋譜モード, 0);
        EXPECT_EQ(t.g.最終記録手数, 0);
        EXPECT_EQ(t.g.盤[1][5], -燕);
        EXPECT_EQ(t.sounds.count(SoundCall::start), 0);
        EXPECT_EQ(t.sounds.count(SoundCall::dsPlayLooping, 音::BGM), 1);
    }

    // 戻 takes a move back and leaves no side to move; the first press resumes
    // with the side of the move taken back.
    TEST_F(WithRecords, ResumingAfterTakingAMoveBack)
    {
        t.game.START_Click();
        t.move(1, 5, 1, 4);
        t.move(2, 3, 2, 4);
        t.game.records().REPLAY_Click();
        ASSERT_EQ(t.g.手番, -1);
        ASSERT_EQ(t.g.記録手数, 1);
        t.boxes.shown.clear();
        t.press(2, 3);
        EXPECT_EQ(t.lastBoxText(), "OKですか？");
        EXPECT_EQ(t.g.手番, 後手);
        EXPECT_EQ(t.g.選択状態, 0);
        EXPECT_EQ(t.g.盤[2][3], 燕); // the move taken back
        // The upper side plays another move instead.
        t.move(7, 3, 7, 4);
        EXPECT_EQ(t.g.盤[7][4], 燕);
        EXPECT_EQ(t.g.記録手数, 2);
        EXPECT_EQ(t.g.最終記録手数, 2);
        EXPECT_EQ(t.g.手番, 先手);
    }

    TEST_F(WithRecords, ResumingAgainstTheComputerLetsItMoveAtOnce)
    {
        t.game.SENTE_Click();
        t.move(1, 5, 1, 4);
        ASSERT_EQ(t.g.記録手数, 2);
        const int reply = t.g.棋譜_成駒[2];
        t.game.records().REPLAY_Click();
        ASSERT_EQ(t.g.記録手数, 1);
        t.press(4, 6);
        EXPECT_EQ(t.g.記録手数, 2);
        EXPECT_EQ(t.g.棋譜_成駒[2], reply); // the same position, the same answer
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
    }

} // namespace
} // namespace tori::testing
