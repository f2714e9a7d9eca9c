#include "settings/options.h"

#include "rules/rules.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

using namespace tori;
using namespace tori::testing;
namespace fs = std::filesystem;

namespace {

// The settings lines in Shift-JIS, as they lie in the file.
const std::string 緑 = "\x94\x77\x8C\x69\x89\xE6=\x97\xCE";
const std::string 畳 = "\x94\x77\x8C\x69\x89\xE6=\x8F\xF4";
const std::string 竹 = "\x94\x77\x8C\x69\x89\xE6=\x92\x7C";
const std::string 宇宙 = "\x94\x77\x8C\x69\x89\xE6=\x89\x46\x92\x88";
const std::string 煉瓦 = "\x94\x77\x8C\x69\x89\xE6=\x97\xF9\x8A\xA2";
const std::string 指導ON = "\x88\xDA\x93\xAE\x8E\x77\x93\xB1=ON";
const std::string 指導OFF = "\x88\xDA\x93\xAE\x8E\x77\x93\xB1=OFF";
const std::string 経過ON = "\x8C\x6F\x89\xDF\x8E\x9E\x8A\xD4=ON";
const std::string 経過OFF = "\x8C\x6F\x89\xDF\x8E\x9E\x8A\xD4=OFF";
const std::string defaultFile = 緑 + "\r\n" + 指導OFF + "\r\n" + 経過ON + "\r\nBGM=ON\r\n";

// One run of the game: fresh state, menu, window and sounds over the
// settings file in a folder that outlives the run.
struct Session {
    GameState g;
    FakeMenu menu;
    RecordingSurface surface;
    Display display { g, surface, menu };
    RecordingSounds sounds;
    Options options;
    explicit Session(const fs::path& file)
        : options(g, menu, display, sounds, file.string())
    {
    }
};

class SettingsFile : public ::testing::Test {
protected:
    fs::path dir;
    fs::path file;
    void SetUp() override
    {
        char pattern[] = "/tmp/zr-options-XXXXXX";
        dir = mkdtemp(pattern);
        file = dir / "ZR鳥将棋.ini";
    }
    void TearDown() override { fs::remove_all(dir); }

    void put(const std::string& bytes)
    {
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }
    std::string bytes() const
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

using Strings = std::vector<std::string>;

} // namespace

TEST_F(SettingsFile, FirstStartWritesTheDefaultsAndChecksThemWithoutStartingTheMusic)
{
    Session run(file);
    run.g.背景画 = 4;
    run.options.読込_環境設定ファイル();

    EXPECT_EQ(bytes(), defaultFile);
    EXPECT_EQ(run.menu.backgrounds(), Strings { menu::MIDORI });
    EXPECT_FALSE(run.menu.checked(menu::SIDOU));
    EXPECT_TRUE(run.menu.checked(menu::KEIKA));
    EXPECT_TRUE(run.menu.checked(menu::BGM));
    EXPECT_EQ(run.g.背景画, 2);
    EXPECT_EQ(run.g.移動指導, 0);
    EXPECT_EQ(run.g.移動指導色, 桝枠色);
    EXPECT_EQ(run.surface.backgrounds(), std::set<int> { 2 });
    EXPECT_FALSE(run.surface.redrawn());
    EXPECT_TRUE(run.sounds.log().empty());
    EXPECT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
        << "a temporary file was left";
}

TEST_F(SettingsFile, AShortFileIsReplacedByTheDefaultsAndGuidanceFollowsItsUncheckedItem)
{
    put(竹 + "\r\n" + 指導ON + "\r\n");
    Session run(file);
    // As left by an earlier read, when a loaded record runs start-up again.
    run.menu.setChecked(menu::SIDOU, true);
    run.menu.setChecked(menu::TAKE, true);
    run.g.移動指導 = 1;
    run.g.移動指導色 = 白;
    run.options.読込_環境設定ファイル();

    EXPECT_EQ(bytes(), defaultFile);
    EXPECT_EQ(run.menu.backgrounds(), Strings { menu::MIDORI });
    EXPECT_EQ(run.g.背景画, 2);
    EXPECT_FALSE(run.menu.checked(menu::SIDOU));
    EXPECT_EQ(run.g.移動指導, 0);
    EXPECT_EQ(run.g.移動指導色, 桝枠色);
    EXPECT_TRUE(run.menu.checked(menu::KEIKA));
    EXPECT_TRUE(run.menu.checked(menu::BGM));
    EXPECT_EQ(run.surface.backgrounds(), std::set<int> { 2 });
    EXPECT_FALSE(run.surface.redrawn());
    EXPECT_TRUE(run.sounds.log().empty()) << "the fallback must not start the music";

    // Three lines (no background was checked when it was written) are short too.
    put(指導ON + "\r\n" + 経過ON + "\r\nBGM=ON\r\n");
    Session next(file);
    next.options.読込_環境設定ファイル();
    EXPECT_EQ(bytes(), defaultFile);
    EXPECT_TRUE(next.sounds.log().empty());
}

TEST_F(SettingsFile, LinesAreComparedWholeAndExactly)
{
    const std::string file1
        = 畳 + "\r\n" + "\x88\xDA\x93\xAE\x8E\x77\x93\xB1=on\r\n" + 経過OFF + "\r\nBGM=OFF\r\n";
    put(file1);
    Session run(file);
    run.menu.setChecked(menu::SIDOU, true);
    run.g.移動指導 = 1;
    run.g.移動指導色 = 白;
    run.options.読込_環境設定ファイル();

    EXPECT_EQ(run.menu.backgrounds(), Strings { menu::TATAMI });
    EXPECT_EQ(run.g.背景画, 3);
    EXPECT_EQ(run.surface.backgrounds(), std::set<int> { 3 });
    EXPECT_FALSE(run.surface.redrawn());
    EXPECT_FALSE(run.menu.checked(menu::SIDOU)) << "移動指導=on is not 移動指導=ON";
    EXPECT_EQ(run.g.移動指導, 0);
    EXPECT_EQ(run.g.移動指導色, 桝枠色);
    EXPECT_FALSE(run.menu.checked(menu::KEIKA));
    EXPECT_FALSE(run.menu.checked(menu::BGM));
    EXPECT_TRUE(run.sounds.log().empty());
    EXPECT_EQ(bytes(), file1) << "a complete file is only read";

    // A trailing space is not "BGM=ON" either; the exact line starts the music.
    put(宇宙 + "\r\n" + 指導ON + "\r\n" + 経過ON + "\r\nBGM=ON \r\n");
    Session spaced(file);
    spaced.options.読込_環境設定ファイル();
    EXPECT_FALSE(spaced.menu.checked(menu::BGM));
    EXPECT_TRUE(spaced.sounds.log().empty());
    EXPECT_TRUE(spaced.menu.checked(menu::SIDOU));
    EXPECT_EQ(spaced.g.移動指導, 1);
    EXPECT_EQ(spaced.g.移動指導色, 白);

    put(宇宙 + "\r\n" + 指導ON + "\r\n" + 経過ON + "\r\nBGM=ON\r\n");
    Session music(file);
    music.options.読込_環境設定ファイル();
    EXPECT_TRUE(music.menu.checked(menu::BGM));
    EXPECT_EQ(music.sounds.log(), Strings { "dsPlayLooping BGM" });
    EXPECT_EQ(music.g.背景画, 5);
}

TEST_F(SettingsFile, AnUnknownBackgroundLeavesTheBackgroundAndItsMarksAsTheyWere)
{
    put("\x94\x77\x8C\x69\x89\xE6=\x90\xC2\r\n" + 指導OFF + "\r\n" + 経過ON
        + "\r\nBGM=OFF\r\n"); // 背景画=青
    Session run(file);
    run.options.チェック設定(5);
    run.g.背景画 = 5;
    run.options.読込_環境設定ファイル();

    EXPECT_EQ(run.menu.backgrounds(), Strings { menu::UCHU });
    EXPECT_EQ(run.g.背景画, 5);
    EXPECT_TRUE(run.surface.nothingDrawn());
    EXPECT_TRUE(run.menu.checked(menu::KEIKA));
    EXPECT_FALSE(run.menu.checked(menu::BGM));
}

TEST_F(SettingsFile, EveryBackgroundIsWrittenAndReadBackAfterARestart)
{
    struct Case {
        void (Options::*click)();
        const char* item;
        int id;
        std::string line;
    };
    const Case cases[] = {
        { &Options::TATAMI_Click, menu::TATAMI, 3, 畳 },
        { &Options::TAKE_Click, menu::TAKE, 4, 竹 },
        { &Options::UCHU_Click, menu::UCHU, 5, 宇宙 },
        { &Options::RENGA_Click, menu::RENGA, 6, 煉瓦 },
        { &Options::MIDORI_Click, menu::MIDORI, 2, 緑 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        {
            Session run(file);
            run.options.読込_環境設定ファイル();
            run.surface.clear();
            (run.options.*c.click)();
            EXPECT_EQ(run.menu.backgrounds(), Strings { c.item });
            EXPECT_EQ(run.g.背景画, c.id);
            EXPECT_TRUE(run.surface.redrawn());
            EXPECT_EQ(run.surface.backgrounds(), std::set<int> { c.id });
            EXPECT_EQ(bytes(), c.line + "\r\n" + 指導OFF + "\r\n" + 経過ON + "\r\nBGM=ON\r\n");
        }
        Session restarted(file);
        restarted.options.読込_環境設定ファイル();
        EXPECT_EQ(restarted.menu.backgrounds(), Strings { c.item });
        EXPECT_EQ(restarted.g.背景画, c.id);
        EXPECT_EQ(restarted.surface.backgrounds(), std::set<int> { c.id });
        EXPECT_FALSE(restarted.surface.redrawn());
        EXPECT_EQ(restarted.sounds.log(), Strings { "dsPlayLooping BGM" });
    }
}

TEST_F(SettingsFile, GuidanceElapsedTimeAndMusicSurviveARestartBothWays)
{
    {
        Session run(file);
        run.options.読込_環境設定ファイル();
        run.options.RENGA_Click();
        run.options.SIDOU_Click();
        EXPECT_TRUE(run.menu.checked(menu::SIDOU));
        EXPECT_EQ(run.g.移動指導, 1);
        EXPECT_EQ(run.g.移動指導色, 白);
        run.menu.setChecked(menu::KEIKA, false); // as the clock's KEIKA_Click leaves it
        run.options.書込_環境設定ファイル();
        run.options.BGM_Click();
        EXPECT_FALSE(run.menu.checked(menu::BGM));
        EXPECT_EQ(run.sounds.log(), Strings { "dsStop BGM" });
        EXPECT_EQ(bytes(), 煉瓦 + "\r\n" + 指導ON + "\r\n" + 経過OFF + "\r\nBGM=OFF\r\n");
    }
    {
        Session run(file);
        run.options.読込_環境設定ファイル();
        EXPECT_EQ(run.menu.backgrounds(), Strings { menu::RENGA });
        EXPECT_EQ(run.g.背景画, 6);
        EXPECT_TRUE(run.menu.checked(menu::SIDOU));
        EXPECT_EQ(run.g.移動指導, 1);
        EXPECT_EQ(run.g.移動指導色, 白);
        EXPECT_FALSE(run.menu.checked(menu::KEIKA));
        EXPECT_FALSE(run.menu.checked(menu::BGM));
        EXPECT_TRUE(run.sounds.log().empty());

        run.options.SIDOU_Click();
        EXPECT_EQ(run.g.移動指導, 0);
        EXPECT_EQ(run.g.移動指導色, 桝枠色);
        run.menu.setChecked(menu::KEIKA, true);
        run.options.書込_環境設定ファイル();
        run.options.BGM_Click();
        EXPECT_EQ(run.sounds.log(), Strings { "dsPlayLooping BGM" });
        EXPECT_EQ(bytes(), 煉瓦 + "\r\n" + 指導OFF + "\r\n" + 経過ON + "\r\nBGM=ON\r\n");
    }
    Session run(file);
    run.options.読込_環境設定ファイル();
    EXPECT_FALSE(run.menu.checked(menu::SIDOU));
    EXPECT_TRUE(run.menu.checked(menu::KEIKA));
    EXPECT_TRUE(run.menu.checked(menu::BGM));
    EXPECT_EQ(run.sounds.log(), Strings { "dsPlayLooping BGM" });
}

TEST_F(SettingsFile, TheCheckedBackgroundChosenAgainStillRewritesAndRedraws)
{
    Session run(file);
    run.options.読込_環境設定ファイル();
    fs::remove(file);
    run.surface.clear();
    run.options.MIDORI_Click();
    EXPECT_EQ(bytes(), defaultFile);
    EXPECT_TRUE(run.surface.redrawn());
    EXPECT_EQ(run.surface.titles(), 1);
    EXPECT_EQ(run.surface.backgrounds(), std::set<int> { 2 });
    EXPECT_EQ(run.menu.backgrounds(), Strings { menu::MIDORI });

    // An unchecked item takes over the mark and the picture.
    run.surface.clear();
    run.options.TAKE_Click();
    run.options.TAKE_Click();
    EXPECT_EQ(run.menu.backgrounds(), Strings { menu::TAKE });
    EXPECT_EQ(run.g.背景画, 4);
    EXPECT_EQ(run.surface.titles(), 2);
    EXPECT_EQ(run.surface.backgrounds(), std::set<int> { 4 });
}

TEST_F(SettingsFile, TurningGuidanceOffCoversTheOutlinesOfTheBoardAndTheUpperHand)
{
    Session run(file);
    run.options.SIDOU_Click(); // on: nothing is drawn
    EXPECT_TRUE(run.surface.nothingDrawn());
    run.options.SIDOU_Click();

    std::map<std::pair<int, int>, int> expected;
    for (int col = 1; col <= 7; ++col)
        for (int row = 1; row <= 7; ++row)
            expected[{ col, row }] = 桝枠色;
    for (int row = 1; row <= 6; ++row)
        expected[{ -1, row }] = 桝枠色;
    EXPECT_EQ(run.surface.lastOutlines(), expected);
    EXPECT_EQ(run.surface.frames().size(), 55u);
    EXPECT_TRUE(run.surface.pictures().empty());
    EXPECT_FALSE(run.menu.checked(menu::SIDOU));
    EXPECT_EQ(run.g.移動指導, 0);
    EXPECT_EQ(run.g.移動指導色, 桝枠色);
}

TEST_F(SettingsFile, NoCheckedBackgroundWritesNoFirstLine)
{
    Session run(file);
    run.options.読込_環境設定ファイル();
    run.options.チェック設定(7);
    EXPECT_TRUE(run.menu.backgrounds().empty());
    run.options.書込_環境設定ファイル();
    EXPECT_EQ(bytes(), 指導OFF + "\r\n" + 経過ON + "\r\nBGM=ON\r\n");
    run.options.チェック設定(1);
    EXPECT_TRUE(run.menu.backgrounds().empty());
}

TEST_F(SettingsFile, AFileThatCannotBeWrittenLeavesThePlayersChoicesStanding)
{
    Session run(dir / "no-such-folder" / "ZR鳥将棋.ini");
    run.options.読込_環境設定ファイル(); // the fallback cannot write either
    EXPECT_EQ(run.menu.backgrounds(), Strings { menu::MIDORI });
    run.options.UCHU_Click();
    run.options.SIDOU_Click();
    run.options.BGM_Click();
    EXPECT_EQ(run.menu.backgrounds(), Strings { menu::UCHU });
    EXPECT_EQ(run.g.背景画, 5);
    EXPECT_TRUE(run.menu.checked(menu::SIDOU));
    EXPECT_EQ(run.g.移動指導, 1);
    EXPECT_FALSE(run.menu.checked(menu::BGM));
    EXPECT_EQ(run.sounds.log(), Strings { "dsStop BGM" });
    EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
}

TEST_F(SettingsFile, TurningGuidanceOffWhileAPieceIsSelectedRemovesItsOutlinesAtOnce)
{
    Session run(file);
    初期設定(run.g);
    run.options.SIDOU_Click();
    // The lower falcon at (4, 6) selected, with its moves outlined in white.
    run.display.描画_移動可能桝色(4, 6, run.g.移動指導色, run.g.盤[4][6]);
    int white = 0;
    for (const auto& [cell, colour] : run.surface.lastOutlines())
        white += colour == 白;
    ASSERT_GT(white, 0) << "the guidance should have shown";

    run.options.SIDOU_Click();
    for (const auto& [cell, colour] : run.surface.lastOutlines())
        EXPECT_EQ(colour, 桝枠色) << "cell " << cell.first << "," << cell.second;

    // And with guidance off, a selection outlines nothing.
    run.surface.clear();
    run.display.描画_移動可能桝色(4, 6, run.g.移動指導色, run.g.盤[4][6]);
    for (const auto& [cell, colour] : run.surface.lastOutlines())
        EXPECT_EQ(colour, 桝枠色);
}
