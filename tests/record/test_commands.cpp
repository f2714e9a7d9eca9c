#include "record/commands.h"

#include "record/record_file.h"
#include "rules/rules.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/games.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace tori;
using namespace tori::testing;
namespace fs = std::filesystem;

namespace {

// What a step through the record must restore.
struct Position {
    盤配列<int> 盤;
    std::array<int, 7> 持駒_MAN, 持駒_COM;
    int 持駒数_MAN, 持駒数_COM;
    double MAN所有時間, COM所有時間;
    int MAN鵬_列, MAN鵬_段;
    bool operator==(const Position&) const = default;
};

Position positionOf(const GameState& g)
{
    return { g.盤, g.持駒_MAN, g.持駒_COM, g.持駒数_MAN, g.持駒数_COM, g.MAN所有時間, g.COM所有時間,
        g.MAN鵬_列, g.MAN鵬_段 };
}

struct Commands : ::testing::Test {
    TempDir dir;
    RecordingSurface surface;
    FakeMenu menu;
    ScriptedMessageBoxes boxes;
    RecordingSounds sounds;
    FakeTimer timer;
    ScriptedTimeOfDay clock { 36000, 0 };
    FakeRecordPanel panel;
    GameState g;
    Display display { g, surface, menu };
    int startUps = 0;
    RecordCommands rc { g, display, boxes, sounds, timer, clock, panel, [this] { startUp(); } };

    Commands()
    {
        menu.setChecked(menu::KEIKA, true);
        panel.path = dir.path.string();
        startUp();
        startUps = 0;
    }

    // What the game's start-up does to the state.
    void startUp()
    {
        ++startUps;
        g.棋譜モード = 0;
        g.最終記録手数 = 0;
        g.レベル = 3;
        g.COM手番 = GameState::先手;
        g.MAN手番 = GameState::後手;
        初期設定(g);
        g.MAN鵬_列 = 4;
        g.MAN鵬_段 = 7;
    }

    const ScriptedMessageBoxes::Shown& lastBox() const { return boxes.shown.back(); }

    // The handicap label is the last text drawn.
    void expectLevelShown(const std::string& name)
    {
        ASSERT_FALSE(surface.texts().empty());
        EXPECT_EQ(surface.texts().back().text, name);
    }

    // The picture drawn last at grid cell (gx, gy), or -1.
    int pictureAt(double gx, double gy) const
    {
        int code = -1;
        for (const auto& p : surface.pictures())
            if (p.x == 盤左 + 桝幅 * gx && p.y == 盤上 + 桝高 * gy)
                code = p.code;
        return code;
    }

    // The five-move game of the byte test: a capture, a promotion to " -11",
    // a time of 1234 and the lower phoenix "-950".
    void playSmallGame(bool lowerFirst)
    {
        g.MAN手番 = lowerFirst ? GameState::先手 : GameState::後手;
        g.COM手番 = lowerFirst ? GameState::後手 : GameState::先手;
        指す(g, { 5, 4, 5, 3, -燕 }, false, 7);
        指す(g, { 2, 3, 2, 4, 燕 }, false, 1234);
        指す(g, { 5, 3, 5, 2, -燕 }, true, 2);
        指す(g, { 3, 4, 3, 5, 燕 }, false, 6);
        指す(g, { 4, 7, 5, 6, -鵬 }, false, 11);
    }

    void setNames()
    {
        panel.texts[1] = "春";
        panel.texts[2] = "春の対局";
        panel.texts[3] = "山田太郎";
        panel.texts[4] = "鳥名人";
    }
};

const std::string 春の対局 = "\x8f\x74\x82\xcc\x91\xce\x8b\xc7\r\n";
const std::string 鳥名人 = "\x92\xb9\x96\xbc\x90\x6c\r\n";
const std::string 山田太郎 = "\x8e\x52\x93\x63\x91\xbe\x98\x59\r\n";
const std::string 小さな対局の手 = " 5453 -10 -10  10    0    7    0    0\r\n"
                                   " 2324  10  10   0    7    7    0 1234\r\n"
                                   " 5352 -11 -10   0    7    9 1234 1234\r\n"
                                   " 3435  10  10 -10    9    9 1234 1240\r\n"
                                   " 4756-950-950   0    9   20 1240 1240\r\n";

} // namespace

TEST_F(Commands, WritingStoresTheHeaderBySeatAndTheExactMoveLines)
{
    playSmallGame(true);
    setNames();
    rc.KIFU_WRITE_Click();
    EXPECT_TRUE(panel.writeVisible);
    rc.Command1_Click();
    // The lower side moved first: the upper side's player is the 後手 of Text4.
    EXPECT_EQ(bytesOf(dir.path / "春.棋譜"), 春の対局 + 鳥名人 + 山田太郎 + 小さな対局の手);
    EXPECT_EQ(lastBox().text, "棋譜を書き込みました");
    EXPECT_EQ(lastBox().title, "  ");
    EXPECT_FALSE(panel.writeVisible);
    EXPECT_FALSE(panel.driveVisible || panel.dirVisible || panel.fileVisible);
    EXPECT_EQ(panel.text(1), "");
    EXPECT_EQ(panel.text(3), "");
    EXPECT_EQ(panel.refreshes, 1);

    // The human played 後手: line 2 holds the 先手 name of Text3.
    startUp();
    playSmallGame(false);
    setNames();
    panel.texts[1] = "春2.棋譜"; // typed with the extension: not doubled
    rc.Command1_Click();
    EXPECT_EQ(bytesOf(dir.path / "春2.棋譜"), 春の対局 + 山田太郎 + 鳥名人 + 小さな対局の手);
}

TEST_F(Commands, WritingRefusesInTheDocumentedOrderAndReportsFailures)
{
    rc.Command1_Click(); // no name and no move: the name comes first
    EXPECT_EQ(lastBox().text, "ﾌｧｲﾙ名が入力されていません");
    EXPECT_EQ(lastBox().title, "  ");
    panel.texts[1] = "a";
    rc.Command1_Click();
    EXPECT_EQ(lastBox().text, "保存するデータがありません");
    EXPECT_EQ(lastBox().title, "棋譜保存");
    EXPECT_TRUE(fs::is_empty(dir.path));

    playSmallGame(true);
    rc.KIFU_WRITE_Click();
    setNames();
    panel.texts[1] = "x/y";
    rc.Command1_Click();
    EXPECT_EQ(lastBox().title, "棋譜書込");
    panel.texts[1] = "名前";
    panel.texts[3] = "絵文字😀";
    rc.Command1_Click();
    EXPECT_EQ(lastBox().title, "棋譜書込");
    EXPECT_NE(lastBox().text.find("絵文字😀"), std::string::npos);

    // The target is a directory: the rename fails, the box says so, the panel
    // stays open with what was typed and the record is still there.
    setNames();
    fs::create_directory(dir.path / "春.棋譜");
    rc.Command1_Click();
    EXPECT_EQ(lastBox().title, "棋譜書込");
    EXPECT_NE(lastBox().text.find("棋譜を書き込めませんでした"), std::string::npos);
    EXPECT_TRUE(panel.writeVisible);
    EXPECT_EQ(panel.text(2), "春の対局");
    EXPECT_EQ(g.記録手数, 5);
    EXPECT_TRUE(fs::is_directory(dir.path / "春.棋譜"));

    panel.path = (dir.path / "gone").string();
    panel.texts[1] = "b";
    rc.Command1_Click();
    EXPECT_EQ(lastBox().title, "棋譜書込");
    EXPECT_FALSE(fs::exists(dir.path / "gone"));
}

TEST_F(Commands, WritingAfterStepsBackStoresOnlyTheMovesOnTheBoard)
{
    対局(g, 10, 3);
    ASSERT_EQ(g.記録手数, 10);
    rc.REPLAY_Click();
    rc.REPLAY_Click();
    setNames();
    rc.Command1_Click();
    GameState read;
    const auto r = 読込_棋譜((dir.path / "春.棋譜").string(), read);
    EXPECT_EQ(r.手数, 8);
    EXPECT_FALSE(r.途中まで);
}

TEST_F(Commands, TheWritePanelIsRefusedAfterAReversalFirstThenAfterAHandicap)
{
    g.反転フラグ = 1;
    g.ハンデ設定 = 1;
    rc.KIFU_WRITE_Click();
    EXPECT_EQ(lastBox().text, "反転後は書き込みできません");
    EXPECT_EQ(lastBox().title, "棋譜書込");
    g.反転フラグ = 0;
    rc.KIFU_WRITE_Click();
    EXPECT_EQ(lastBox().text, "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません");
    EXPECT_EQ(lastBox().title, "棋譜書込");
    EXPECT_FALSE(panel.writeVisible || panel.driveVisible);
    g.ハンデ設定 = 0;
    rc.KIFU_WRITE_Click();
    EXPECT_TRUE(panel.driveVisible && panel.dirVisible && !panel.fileVisible && panel.writeVisible);

    // "RETURN" refuses the same, should the panel still be open.
    playSmallGame(true);
    setNames();
    g.ハンデ設定 = 1;
    rc.Command1_Click();
    EXPECT_EQ(lastBox().text, "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません");
    EXPECT_FALSE(fs::exists(dir.path / "春.棋譜"));
}

TEST_F(Commands, ThePanelOpensAndClosesWithTheMenus)
{
    rc.KIFU_READ_Click();
    EXPECT_TRUE(panel.driveVisible && panel.dirVisible && panel.fileVisible && !panel.writeVisible);
    rc.OPTION_Click();
    EXPECT_FALSE(panel.driveVisible || panel.dirVisible || panel.fileVisible || panel.writeVisible);
    rc.KIFU_WRITE_Click();
    panel.texts[2] = "typed";
    rc.STOP_Click();
    EXPECT_FALSE(panel.driveVisible || panel.writeVisible);
    EXPECT_EQ(panel.text(2), ""); // closing empties the boxes
    rc.KIFU_READ_Click();
    rc.VER_Click();
    EXPECT_FALSE(panel.fileVisible);
    EXPECT_EQ(sounds.played(), std::vector<音> { 音::その他 });
    EXPECT_EQ(lastBox().title, "ZR鳥将棋");
    EXPECT_EQ(lastBox().text.rfind("  Version 0.9\n\n", 0), 0u);
    EXPECT_NE(lastBox().text.find("2000.08"), std::string::npos);

    rc.Dir1_Change("/some/where");
    EXPECT_EQ(panel.path, "/some/where");
    EXPECT_TRUE(rc.Drive1_Change("/"));
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(rc.Drive1_Change((dir.path / "no drive").string()));
    EXPECT_EQ(lastBox().text, "ﾃﾞﾊﾞｲｽが準備できていません");
    EXPECT_EQ(lastBox().title, "ｴﾗｰ");
}

TEST_F(Commands, ALoadedGameReplaysToTheSameBoardHandsTotalsAndTimes)
{
    対局(g, 40, 11);
    ASSERT_EQ(g.記録手数, 40);
    const Position final = positionOf(g);
    const GameState played = g;
    setNames();
    rc.Command1_Click();

    // The old game is gone with the start-up; the record comes from the file.
    for (int n = 1; n <= 40; ++n)
        g.棋譜_成駒[n] = 0;
    boxes.shown.clear();
    rc.File1_Click("春.棋譜");
    EXPECT_EQ(startUps, 1);
    EXPECT_EQ(g.棋譜モード, 1);
    EXPECT_EQ(g.記録手数, 0);
    EXPECT_EQ(g.手数, 0);
    EXPECT_EQ(g.最終記録手数, 40);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, " 読み込みました");
    EXPECT_EQ(boxes.shown[1].text, "棋譜を '進 'で進めて下さい");
    EXPECT_EQ(boxes.shown[1].title, "棋譜");
    auto header = [&](double x, double y) {
        for (const auto& t : surface.texts())
            if (t.x == x && t.y == y && t.colour == 白 && t.points == 12)
                return t.text;
        return std::string("(none)");
    };
    EXPECT_EQ(header(800, 6350), "春の対局");
    EXPECT_EQ(
        header(3700, 100), "山田太郎"); // the upper side: 先手 of Text3, the human played 後手
    EXPECT_EQ(header(3700, 6350), "鳥名人");

    std::vector<Position> seen { positionOf(g) };
    sounds.calls.clear();
    for (int n = 1; n <= 40; ++n) {
        rc.AFTER_Click();
        seen.push_back(positionOf(g));
        EXPECT_EQ(g.手番, 上手駒(played.棋譜_成駒[n]) ? g.MAN手番 : g.COM手番) << n;
    }
    EXPECT_EQ(seen.back(), final);
    EXPECT_EQ(g.手数, 40);
    EXPECT_FALSE(timer.on);
    EXPECT_EQ(sounds.played().size(), 40u);

    boxes.shown.clear();
    rc.AFTER_Click(); // the 41st
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(lastBox().text, "終わり");
    EXPECT_EQ(lastBox().title, "進む");
    EXPECT_EQ(sounds.played().size(), 40u); // without a sound
    EXPECT_EQ(positionOf(g), final);

    // 戻 then 進 at every move restores everything; 戻 to the start reaches
    // every earlier position on the way.
    for (int n = 40; n >= 1; --n) {
        rc.REPLAY_Click();
        EXPECT_EQ(positionOf(g), seen[n - 1]) << "back from " << n;
        EXPECT_EQ(g.手番, -1);
        rc.AFTER_Click();
        EXPECT_EQ(positionOf(g), seen[n]) << "forward to " << n;
        rc.REPLAY_Click();
    }
    EXPECT_EQ(g.記録手数, 0);
    EXPECT_EQ(g.手数, 0);
    GameState start;
    初期設定(start);
    EXPECT_EQ(g.盤, start.盤);
    EXPECT_EQ(g.持駒数_MAN + g.持駒数_COM, 0);

    boxes.shown.clear();
    sounds.calls.clear();
    rc.REPLAY_Click();
    EXPECT_EQ(lastBox().text, "できません");
    EXPECT_EQ(lastBox().title, "戻る");
    EXPECT_EQ(sounds.played(), std::vector<音> { 音::禁止 });
}

TEST_F(Commands, StepsBackOverADropAPromotionAndACapture)
{
    // The small game; then the upper swallow steps forward and the lower side
    // drops the swallow it took with its first move.
    playSmallGame(true);
    指す(g, { 6, 3, 6, 4, 燕 }, false, 1);
    指す(g, { MAN持駒列, 2, 5, 4, -燕 }, false, 1);
    EXPECT_EQ(g.持駒_MAN[1], 0);
    EXPECT_EQ(g.持駒数_MAN, 0);

    rc.REPLAY_Click(); // the drop goes back into the lower hand
    EXPECT_EQ(g.盤[5][4], 空);
    EXPECT_EQ(g.持駒_MAN[1], 1);
    EXPECT_EQ(g.持駒数_MAN, 1);
    EXPECT_EQ(pictureAt(9, 2), -燕); // the redrawn lower hand shows it
    EXPECT_EQ(pictureAt(5, 4), 空);
    rc.REPLAY_Click(); // a move without a capture: the target is empty again, no hand changes
    EXPECT_EQ(g.盤[6][3], 燕);
    EXPECT_EQ(g.盤[6][4], 空);
    EXPECT_EQ(g.持駒数_COM, 1);
    rc.REPLAY_Click(); // the phoenix
    EXPECT_EQ(g.盤[4][7], -鵬);
    EXPECT_EQ(g.MAN鵬_列, 4);
    EXPECT_EQ(g.MAN鵬_段, 7);
    rc.REPLAY_Click(); // the upper capture on (3,5)
    EXPECT_EQ(g.盤[3][5], -燕);
    EXPECT_EQ(g.盤[3][4], 燕);
    EXPECT_EQ(g.持駒_COM[1], 0);
    EXPECT_EQ(g.持駒数_COM, 0);
    rc.REPLAY_Click(); // the promotion: the unpromoted swallow goes back
    EXPECT_EQ(g.盤[5][3], -燕);
    EXPECT_EQ(g.盤[5][2], 空);
    EXPECT_EQ(g.MAN所有時間, 7);
    EXPECT_EQ(g.COM所有時間, 1234);
    rc.AFTER_Click(); // and comes back promoted
    EXPECT_EQ(g.盤[5][2], -鴈);
    EXPECT_EQ(g.盤[5][3], 空);
    EXPECT_EQ(g.MAN所有時間, 9);
    EXPECT_EQ(g.手番, g.COM手番);
    EXPECT_EQ(g.手数, 3);

    // In a game, without a step back, 進 is refused with the sound.
    rc.REPLAY_Click();
    rc.REPLAY_Click();
    rc.REPLAY_Click();
    GameState start;
    初期配置(start);
    EXPECT_EQ(g.盤, start.盤);
    EXPECT_EQ(g.持駒数_MAN, 0);
    指す(g, { 5, 4, 5, 3, -燕 }, false, 7); // a new move discards the rest
    sounds.calls.clear();
    rc.AFTER_Click();
    EXPECT_EQ(lastBox().text, "できません");
    EXPECT_EQ(lastBox().title, "進む");
    EXPECT_EQ(sounds.played(), std::vector<音> { 音::禁止 });
}

TEST_F(Commands, StepsBackOverThePhoenixCaptureReopenTheGame)
{
    g.盤[4][6] = 空; // the lower falcon leaves the way open
    g.盤[4][2] = 空;
    指す(g, { 4, 7, 4, 2, -鵬 }, false, 1); // not a legal move; only the record matters here
    指す(g, { 3, 1, 4, 2, 鶴 }, false, 1);
    EXPECT_EQ(g.勝者, g.COM手番);
    EXPECT_EQ(g.持駒数_COM, 1);
    rc.REPLAY_Click();
    EXPECT_EQ(g.勝者, -1);
    EXPECT_EQ(g.盤[4][2], -鵬);
    EXPECT_EQ(g.持駒数_COM, 0);
    EXPECT_EQ(g.MAN鵬_列, 4);
    EXPECT_EQ(g.MAN鵬_段, 2);
}

TEST_F(Commands, FirstKeepsTheRecordForReplay)
{
    対局(g, 6, 9);
    const Position end = positionOf(g);
    g.ハンデ設定 = 1;
    timer.on = true;
    rc.CANCEL_Click();
    EXPECT_EQ(g.記録手数, 0);
    EXPECT_EQ(g.最終記録手数, 6);
    EXPECT_EQ(g.ハンデ設定, 0);
    EXPECT_FALSE(timer.on);
    EXPECT_EQ(sounds.played().back(), 音::駒打音);
    for (int i = 0; i < 6; ++i)
        rc.AFTER_Click();
    EXPECT_EQ(positionOf(g), end);
}

TEST_F(Commands, LoadingRefusesWhatDoesNotFitAndKeepsAGameWhenTheFileCannotBeOpened)
{
    対局(g, 12, 5);
    const GameState before = g;
    rc.File1_Click("missing.棋譜");
    EXPECT_EQ(startUps, 0);
    EXPECT_EQ(lastBox().title, "棋譜");
    EXPECT_EQ(g.盤, before.盤);
    EXPECT_EQ(g.記録手数, 12);
    EXPECT_EQ(g.最終記録手数, 12);
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(g.棋譜_成駒[n], before.棋譜_成駒[n]);

    const std::string header = "a\r\nb\r\nc\r\n";
    const std::string good = " 5453 -10 -10  10    0    3    0    0\r\n";
    struct File {
        std::string bytes;
        int moves;
        std::string firstBox;
    };
    std::string junk;
    for (int i = 0; i < 5000; ++i)
        junk += static_cast<char>((i * 7919) & 0xFF);
    std::string many = header;
    for (int i = 0; i < 300; ++i)
        many
            += " 4636-100-100   0    0    0    0    0\r\n 4232 100 100   0    0    0    0    0\r\n"
               " 3646-100-100   0    0    0    0    0\r\n 3242 100 100   0    0    0    0    0\r\n";
    const std::vector<File> files {
        { "", 0, "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません" },
        { header, 0, "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません" },
        { junk, 0, "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません\n1手目から先は読み込めませんでした" },
        { header + std::string(1'000'000, '9') + "\r\n", 0,
            "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません\n1手目から先は読み込めませんでした" },
        { header + good + " 5344  10  10   5    0    0    0    0\r\n", 1,
            " 1手を読み込みました\n2手目から先は読み込めませんでした" },
        { header + good + "12345  10  10   0    0    0    0    0\r\n" + good, 1,
            " 1手を読み込みました\n2手目から先は読み込めませんでした" },
        { "\x82\r\n\xff\xfe\r\n\x81\r\n" + good, 1, " 読み込みました" },
        { many, 500, " 500手を読み込みました\n501手目から先は読み込めませんでした" },
    };
    int i = 0;
    for (const File& f : files) {
        const std::string name = "h" + std::to_string(i++) + ".棋譜";
        writeBytes(dir.path / name, f.bytes);
        boxes.shown.clear();
        startUps = 0;
        rc.File1_Click(name);
        EXPECT_EQ(startUps, 1) << name;
        EXPECT_EQ(g.棋譜モード, 1) << name;
        EXPECT_EQ(g.最終記録手数, f.moves) << name;
        EXPECT_EQ(g.記録手数, 0) << name;
        ASSERT_FALSE(boxes.shown.empty()) << name;
        EXPECT_EQ(boxes.shown[0].text, f.firstBox) << name;
        EXPECT_EQ(boxes.shown[0].title, "棋譜") << name;
        EXPECT_EQ(boxes.shown.size(), f.moves > 0 ? 2u : 1u) << name;
        // Whatever was accepted replays without leaving the board.
        for (int n = 0; n < f.moves; ++n)
            rc.AFTER_Click();
        EXPECT_EQ(g.記録手数, f.moves) << name;
        for (int c = 1; c <= 7; ++c)
            for (int r = 1; r <= 7; ++r)
                EXPECT_TRUE(g.盤[c][r] == 空 || 駒コード(g.盤[c][r])) << name;
        for (int slot = 1; slot <= 6; ++slot)
            EXPECT_TRUE(g.持駒_MAN[slot] >= 0 && g.持駒_COM[slot] >= 0) << name;
    }
}

TEST_F(Commands, HandicapStepsRemoveAndRestoreOnePieceEach)
{
    sounds.calls.clear();
    rc.LBEL_UP_Click();
    rc.LBEL_UP_Click();
    rc.LBEL_UP_Click();
    EXPECT_EQ(g.盤[7][1], 空);
    EXPECT_EQ(g.盤[1][1], 空);
    EXPECT_EQ(g.盤[6][1], 空);
    EXPECT_EQ(g.盤[2][1], 雉);
    EXPECT_EQ(g.ハンデレベル, 3);
    EXPECT_EQ(g.ハンデ設定, 1);
    expectLevelShown("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級");
    EXPECT_EQ(sounds.played(), std::vector<音>(3, 音::駒打音));
    rc.LEBEL_DOWN_Click();
    EXPECT_EQ(g.盤[6][1], 雉);
    EXPECT_EQ(g.ハンデレベル, 2);
    expectLevelShown("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級");

    rc.CANCEL_Click();
    rc.LEBEL_DOWN_Click();
    EXPECT_EQ(g.盤[1][7], 空);
    expectLevelShown("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級");
    rc.LBEL_UP_Click();
    EXPECT_EQ(g.盤[1][7], -左鶉);
    expectLevelShown("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級");

    // Down to -7 and beyond: the lower falcon goes last; the bound is silent.
    for (int i = 0; i < 9; ++i)
        rc.LEBEL_DOWN_Click();
    EXPECT_EQ(g.ハンデレベル, -7);
    const int lowerPieces[]
        = { g.盤[1][7], g.盤[7][7], g.盤[2][7], g.盤[6][7], g.盤[3][7], g.盤[5][7], g.盤[4][6] };
    for (int code : lowerPieces)
        EXPECT_EQ(code, 空);
    EXPECT_EQ(g.盤[4][7], -鵬);
    sounds.calls.clear();
    g.最終記録手数 = 4;
    rc.LEBEL_DOWN_Click();
    EXPECT_TRUE(sounds.played().empty());
    EXPECT_EQ(g.最終記録手数, 0);
    for (int i = 0; i < 14; ++i)
        rc.LBEL_UP_Click();
    EXPECT_EQ(g.ハンデレベル, 7);
    GameState start;
    初期配置(start);
    for (int c = 1; c <= 7; ++c)
        for (int r = 5; r <= 7; ++r)
            EXPECT_EQ(g.盤[c][r], start.盤[c][r]);
    EXPECT_EQ(g.盤[4][2], 空);
    EXPECT_EQ(g.盤[4][1], 鵬);
    EXPECT_EQ(g.持駒数_MAN + g.持駒数_COM, 0);
}

TEST_F(Commands, HandicapIsRefusedInRecordModeDuringAGameAndAfterAReversal)
{
    指す(g, { 5, 4, 5, 3, -燕 }, false, 1);
    const auto board = g.盤;
    sounds.calls.clear();
    rc.KIFU_READ_Click();
    rc.LBEL_UP_Click();
    EXPECT_EQ(lastBox().text, "対局途中ではできません\n\n局面→最初にして下さい");
    EXPECT_EQ(lastBox().title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
    EXPECT_EQ(sounds.played(), std::vector<音> { 音::禁止 });
    EXPECT_FALSE(panel.fileVisible);
    EXPECT_EQ(g.盤, board);
    EXPECT_EQ(g.ハンデ設定, 0);
    EXPECT_EQ(g.最終記録手数, 1);

    g.棋譜モード = 1;
    rc.LEBEL_DOWN_Click();
    EXPECT_EQ(lastBox().text, "棋譜ﾓｰﾄﾞではできません\n\n局面→最初にして下さい");
    g.棋譜モード = 0;
    rc.CANCEL_Click();
    g.反転フラグ = 1;
    rc.LBEL_UP_Click();
    EXPECT_EQ(lastBox().text, "反転後ではできません\n\n局面→最初にして下さい");
    EXPECT_EQ(g.ハンデレベル, 0);
}

TEST_F(Commands, ReversalTurnsTheBoardAndHandsToTheOtherSide)
{
    GameState start;
    初期配置(start);
    rc.REVERSE_Click();
    EXPECT_EQ(g.盤, start.盤); // the starting position is symmetric
    EXPECT_EQ(g.反転フラグ, 1);
    EXPECT_EQ(sounds.played().back(), 音::駒打音);

    rc.CANCEL_Click();
    playSmallGame(true);
    g.手番 = g.COM手番;
    const GameState before = g;
    rc.REVERSE_Click();
    EXPECT_EQ(g.盤[8 - 5][8 - 2], 鴈); // the lower goose on (5,2) is an upper one on (3,6)
    EXPECT_EQ(g.盤[8 - 5][8 - 6], 鵬);
    EXPECT_EQ(g.COM鵬_列, 3);
    EXPECT_EQ(g.COM鵬_段, 2);
    EXPECT_EQ(g.MAN鵬_列, 4);
    EXPECT_EQ(g.MAN鵬_段, 7);
    EXPECT_EQ(g.持駒_MAN, before.持駒_COM);
    EXPECT_EQ(g.持駒数_COM, before.持駒数_MAN);
    EXPECT_EQ(g.記録手数, 0);
    EXPECT_EQ(g.最終記録手数, 0);
    EXPECT_EQ(g.手数, 5);
    EXPECT_EQ(g.手番, before.手番);
    EXPECT_EQ(g.MAN所有時間, before.MAN所有時間);
    rc.REVERSE_Click();
    EXPECT_EQ(g.盤, before.盤);
    EXPECT_EQ(g.持駒_MAN, before.持駒_MAN);
    EXPECT_EQ(g.持駒_COM, before.持駒_COM);
    EXPECT_EQ(g.持駒数_MAN, before.持駒数_MAN);

    // A handicap passes to the other side.
    rc.CANCEL_Click();
    rc.LBEL_UP_Click();
    rc.LBEL_UP_Click();
    rc.LBEL_UP_Click();
    rc.REVERSE_Click();
    EXPECT_EQ(g.ハンデレベル, -3);
    expectLevelShown("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段");
    EXPECT_EQ(g.盤[1][7], 空); // the upper quail's square (7,1) turned
    EXPECT_EQ(g.盤[2][7], 空);

    rc.CANCEL_Click();
    g.棋譜モード = 1;
    sounds.calls.clear();
    rc.REVERSE_Click();
    EXPECT_EQ(lastBox().text, "棋譜ﾓｰﾄﾞではできません");
    EXPECT_EQ(lastBox().title, "反転");
    EXPECT_EQ(sounds.played(), std::vector<音> { 音::禁止 });
    EXPECT_EQ(g.反転フラグ, 0);
}
