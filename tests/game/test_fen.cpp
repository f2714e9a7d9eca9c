// FENｺﾋﾟｰ and FEN貼付 with the game around them: when a position may be set,
// what it clears, how the next game starts on it, and what it refuses.
#include "table.h"

#include "support/files.h"

namespace tori::testing {
namespace {

    constexpr int 先手 = GameState::先手;
    constexpr int 後手 = GameState::後手;

    const std::string 初期FEN = "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w 0 1";
    // The upper side to move, with a swallow in each hand and an eagle.
    const std::string 上手番FEN = "r1ckcpl/3+f3/s1sssss/1s5/SSSSS1S/3F3/LPCKCPR[Ss] b 0 1";

    struct Fen : ::testing::Test {
        Table t;
        void SetUp() override { t.game.Form_Load(); }
        void paste(const std::string& text)
        {
            t.clipboard.contents = text;
            t.sounds.calls.clear();
            t.game.fen().FEN_PASTE_Click();
        }
        std::string copy()
        {
            t.game.fen().FEN_COPY_Click();
            return t.clipboard.contents;
        }
    };

    TEST_F(Fen, APasteSetsThePositionAndTheNextGameStartsWithItsSide)
    {
        t.game.records().LBEL_UP_Click(); // a handicap first: the string replaces it
        t.surface.clear();
        t.boxes.shown.clear();
        paste(上手番FEN);
        EXPECT_TRUE(t.boxes.shown.empty());
        EXPECT_EQ(t.g.盤[4][2], 鷹成);
        EXPECT_EQ(t.g.持駒数_MAN + t.g.持駒数_COM, 2);
        EXPECT_EQ(t.g.ハンデ設定, 0);
        EXPECT_TRUE(t.surface.redrawn());
        EXPECT_FALSE(t.surface.drewText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級"));
        EXPECT_EQ(t.sounds.played(), std::vector<音> { 音::駒打音 });
        EXPECT_EQ(copy(), 上手番FEN);

        t.game.records().KIFU_WRITE_Click();
        EXPECT_EQ(t.lastBoxText(), "FEN設定後は書き込みできません");
        EXPECT_EQ(t.lastBoxTitle(), "棋譜書込");
        EXPECT_FALSE(t.panel.writeVisible);
        // The handicap steps take pieces from the starting squares: not on this board.
        t.game.records().LEBEL_DOWN_Click();
        EXPECT_EQ(t.lastBoxText(), "FEN設定後ではできません\n\n局面→最初にして下さい");
        EXPECT_EQ(t.g.盤[1][7], -左鶉);

        // 先手 against the computer: the string gave the upper side the move.
        t.game.SENTE_Click();
        EXPECT_EQ(t.g.COM手番, 先手);
        ASSERT_EQ(t.g.記録手数, 1);
        EXPECT_TRUE(上手駒(t.g.棋譜_成駒[1]));
        EXPECT_EQ(t.g.手番, t.g.MAN手番);
        EXPECT_EQ(copy().substr(copy().size() - 5), "w 0 1");

        // A game under way keeps its position.
        const auto board = t.g.盤;
        paste(初期FEN);
        EXPECT_EQ(t.lastBoxText(), "対局途中ではできません\n\n局面→最初にして下さい");
        EXPECT_EQ(t.lastBoxTitle(), "FEN");
        EXPECT_EQ(t.sounds.played(), std::vector<音> { 音::禁止 });
        EXPECT_EQ(t.g.盤, board);

        // 最初 clears the string's position and the moves made from it, as it
        // clears the other edits.
        t.game.records().CANCEL_Click();
        EXPECT_EQ(copy(), 初期FEN);
        t.game.records().KIFU_WRITE_Click();
        EXPECT_TRUE(t.panel.writeVisible);
    }

    // The moves of a game from a pasted position belong to that position: 最初
    // forgets them, so that 進 cannot replay them over the usual start.
    TEST_F(Fen, FirstAfterAGameFromAPastedPositionEmptiesTheRecord)
    {
        t.game.LEVEL1_Click();
        paste("rpckcpl/3f3/sssssss/2sFS2/SSSSSSS/7/LPCKCPR[-] w 0 1");
        t.game.SENTE_Click();
        t.move(4, 4, 4, 3); // the falcon takes the swallow before it
        ASSERT_EQ(t.g.記録手数, 2); // and the computer replied
        t.game.records().CANCEL_Click();
        EXPECT_EQ(t.g.記録手数, 0);
        EXPECT_EQ(t.g.最終記録手数, 0);
        t.game.moveList().描画_棋譜一覧();
        EXPECT_TRUE(t.moveList.entries.empty());
        EXPECT_EQ(copy(), 初期FEN);

        t.boxes.shown.clear();
        t.game.records().AFTER_Click();
        EXPECT_EQ(t.lastBoxText(), "できません");
        EXPECT_EQ(copy(), 初期FEN);
    }

    TEST_F(Fen, APasteEndsAGameNotYetBegunAndEitherStartTakesTheStringsSide)
    {
        t.game.SENTE_Click();
        paste("rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] x 0 1");
        EXPECT_EQ(t.lastBoxTitle(), "FEN");
        EXPECT_EQ(t.lastBoxText(), "持駒の後に手番 w（下手の番）か b（上手の番）が必要です");
        EXPECT_EQ(t.sounds.played(), std::vector<音> { 音::禁止 });
        EXPECT_EQ(t.g.対局モード, COM対局); // refused: nothing changed

        paste(初期FEN);
        EXPECT_EQ(t.g.対局モード, -1);
        EXPECT_EQ(t.g.手番, -1);
        EXPECT_FALSE(t.timer.enabled());
        // 後手 would let the computer begin; the string gives the lower side the move.
        t.game.GOTE_Click();
        EXPECT_EQ(t.lastBoxText(), "あなたの番です");
        EXPECT_EQ(t.g.記録手数, 0);
        EXPECT_EQ(t.g.MAN手番, 先手);

        // Two people: the upper one begins.
        paste(上手番FEN);
        t.game.START_Click();
        EXPECT_EQ(t.g.COM手番, 先手);
        t.move(3, 1, 2, 2); // the upper crane
        EXPECT_EQ(t.g.記録手数, 1);
        EXPECT_EQ(t.g.手番, 後手);
    }

    // A loaded record at its start may be replaced: record mode ends with it.
    TEST_F(Fen, APasteLeavesALoadedRecordAtItsStart)
    {
        t.panel.path = std::filesystem::path(tempSettingsPath()).parent_path().string();
        t.game.START_Click();
        t.move(1, 5, 1, 4);
        t.panel.setText(1, "fen");
        t.game.records().Command1_Click();
        t.game.records().File1_Click("fen.棋譜");
        ASSERT_EQ(t.g.最終記録手数, 1);
        paste(上手番FEN);
        EXPECT_EQ(t.g.棋譜モード, 0);
        EXPECT_EQ(t.g.最終記録手数, 0);
        EXPECT_EQ(t.g.FEN設定, 1);
    }

    // The list is shown for this run only: the settings file does not change.
    TEST(MoveListSetting, IsNotStoredInTheSettingsFile)
    {
        const std::string path = tempSettingsPath();
        Table t(path);
        t.game.Form_Load();
        const std::string settings = bytesOf(path);
        t.game.moveList().KIFU_LIST_Click();
        EXPECT_TRUE(t.moveList.shown);
        EXPECT_EQ(bytesOf(path), settings);
    }

} // namespace
} // namespace tori::testing
