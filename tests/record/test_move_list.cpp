// 棋譜一覧: the text of every kind of move, the list following the record, and
// a click on an entry doing what 戻 and 進 do.
#include "record/move_list.h"

#include "rules/record_entry.h"
#include "support/diagram.h"
#include "support/fakes.h"
#include "support/games.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tori;
using namespace tori::testing;

namespace {

struct MoveListTest : ::testing::Test {
    RecordingSurface surface;
    FakeMenu menu;
    ScriptedMessageBoxes boxes;
    RecordingSounds sounds;
    FakeTimer timer;
    ScriptedTimeOfDay clock;
    FakeRecordPanel panel;
    FakeMoveList list;
    GameState g;
    Display display { g, surface, menu };
    RecordCommands rc { g, display, boxes, sounds, timer, clock, panel, [this] { startUp(); } };
    MoveListCommands ml { g, display, timer, clock, panel, sounds, menu, list };

    MoveListTest() { startUp(); }

    void startUp()
    {
        g.棋譜モード = 0;
        g.最終記録手数 = 0;
        初期設定(g);
        鵬位置更新(g);
    }

    // The list as the window leaves it after an event.
    std::vector<std::string> shownTexts()
    {
        ml.描画_棋譜一覧();
        return list.texts();
    }
};

// Everything a step leaves behind, the drawing included.
struct Snapshot {
    盤配列<int> 盤;
    std::array<int, 7> 持駒_MAN, 持駒_COM;
    int 持駒数_MAN, 持駒数_COM, 手番, 勝者, 手数, 記録手数, 最終記録手数, 選択状態;
    double MAN所有時間, COM所有時間;
    bool timer;
    std::string drawn;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const GameState& g, const FakeTimer& timer, const RecordingSurface& surface)
{
    std::ostringstream drawn;
    for (const auto& c : surface.calls)
        drawn << c.kind << ' ' << c.code << ' ' << c.colour << ' ' << c.x << ' ' << c.y << ' '
              << c.text << '\n';
    return { g.盤, g.持駒_MAN, g.持駒_COM, g.持駒数_MAN, g.持駒数_COM, g.手番, g.勝者, g.手数,
        g.記録手数, g.最終記録手数, g.選択状態, g.MAN所有時間, g.COM所有時間, timer.on,
        drawn.str() };
}

} // namespace

// A plain move, a capture, both promotions, a move of each promoted piece and
// a drop of each side, on columns that show the board's labels (column 1 is ７).
TEST_F(MoveListTest, EveryKindOfMoveInTheWindowsOwnWords)
{
    setBoard(g,
        "...K..."
        "......."
        "sC....."
        "......."
        ".p...Fs"
        "......."
        "...k...");
    g.持駒_MAN[1] = 1; // a swallow to drop
    g.持駒_COM[3] = 1; // a crane to drop
    ml.KIFU_LIST_Click();
    指す(g, { 1, 3, 1, 2, -燕 }, true, 1); // promotes to a goose
    指す(g, { 6, 5, 6, 6, 鷹 }, true, 1); // promotes to an eagle
    指す(g, { MAN持駒列, 2, 3, 4, -燕 }, false, 1);
    指す(g, { 6, 6, 6, 5, 鷹成 }, false, 1);
    指す(g, { 2, 5, 2, 3, -雉 }, false, 1); // takes the crane
    指す(g, { COM持駒列, 3, 4, 4, 鶴 }, false, 1);
    指す(g, { 1, 2, 1, 4, -鴈 }, false, 1);
    指す(g, { 4, 1, 4, 2, 鵬 }, false, 1);
    指す(g, { 7, 5, 7, 4, -燕 }, false, 1);
    EXPECT_EQ(shownTexts(),
        (std::vector<std::string> { "開始局面", "▲７二鴈成", "△２六鷲成", "▲５四燕打", "△２五鷲",
            "▲６三雉", "△４四鶴打", "▲７四鴈", "△４二鵬", "▲１四燕" }));
    EXPECT_EQ(list.entries[3].number, 3);
    EXPECT_EQ(list.entries[0].number, 0);
    // The window shows the same words for the last move of each side.
    surface.clear();
    display.描画_移動結果(g.MAN手番, 7, 4, -燕, 白);
    EXPECT_TRUE(surface.drewText("１") && surface.drewText("四") && surface.drewText("燕"));

    // ▲ belongs to the side that made the first move, here the upper side.
    startUp();
    指す(g, { 4, 3, 4, 4, 燕 }, false, 1);
    指す(g, { 4, 5, 4, 4, -燕 }, false, 1);
    EXPECT_EQ(shownTexts(), (std::vector<std::string> { "開始局面", "▲４四燕", "△４四燕" }));
}

TEST_F(MoveListTest, FollowsPlayStepsFirstAndHandicaps)
{
    EXPECT_FALSE(list.shown);
    ml.KIFU_LIST_Click();
    EXPECT_TRUE(list.shown);
    EXPECT_TRUE(menu.checked(menu::KIFU_LIST));
    EXPECT_EQ(list.texts(), std::vector<std::string> { "開始局面" });
    EXPECT_EQ(list.current, 0);

    対局(g, 6, 4);
    EXPECT_EQ(shownTexts().size(), 7u);
    EXPECT_EQ(list.current, 6);
    const int updates = list.updates;
    ml.描画_棋譜一覧(); // nothing changed: nothing sent
    EXPECT_EQ(list.updates, updates);

    rc.REPLAY_Click();
    rc.REPLAY_Click();
    EXPECT_EQ(shownTexts().size(), 7u); // taken back, still listed
    EXPECT_EQ(list.current, 4);
    // A new move replaces the two taken back.
    const auto moves = 合法手(g, 上手駒(g.棋譜_成駒[4]) ? false : true);
    ASSERT_FALSE(moves.empty());
    指す(g, moves.front(), false, 1);
    EXPECT_EQ(shownTexts().size(), 6u);
    EXPECT_EQ(list.current, 5);

    rc.CANCEL_Click();
    EXPECT_EQ(shownTexts().size(), 6u);
    EXPECT_EQ(list.current, 0);
    rc.AFTER_Click();
    shownTexts();
    EXPECT_EQ(list.current, 1);

    // A handicap clears the record, and the list with it.
    rc.CANCEL_Click();
    rc.LBEL_UP_Click();
    EXPECT_EQ(shownTexts(), std::vector<std::string> { "開始局面" });

    // Hidden, it is left alone.
    ml.KIFU_LIST_Click();
    EXPECT_FALSE(list.shown);
    EXPECT_FALSE(menu.checked(menu::KIFU_LIST));
    const int hiddenUpdates = list.updates;
    対局(g, 3, 2);
    ml.描画_棋譜一覧();
    EXPECT_EQ(list.updates, hiddenUpdates);
    // Shown again, it shows the record as it is now.
    ml.KIFU_LIST_Click();
    EXPECT_EQ(list.texts().size(), 4u);
}

// A click on any entry leaves exactly what 戻 or 進, pressed as often as it
// takes, leave: board, hands, counters, clocks, turn and drawing, but with one
// piece sound and no message.
TEST_F(MoveListTest, AClickEqualsTheStepsOfBackAndForward)
{
    対局(g, 60, 21);
    const int moves = g.記録手数;
    ASSERT_GE(moves, 40);
    g.手番 = g.MAN手番;
    timer.on = true;
    for (int target : { moves - 1, 30, 0, moves, moves / 2, moves / 2, 1, moves - 2, 0, 0 }) {
        const GameState before = g;
        const bool timerBefore = timer.on;
        surface.clear();
        sounds.calls.clear();
        boxes.shown.clear();
        ml.List1_Click(target);
        const Snapshot clicked = snapshot(g, timer, surface);
        EXPECT_EQ(g.記録手数, target);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(sounds.played(),
            target == before.記録手数 ? std::vector<音> {} : std::vector<音> { 音::駒打音 });

        g = before;
        timer.on = timerBefore;
        surface.clear();
        while (g.記録手数 > target)
            rc.REPLAY_Click();
        while (g.記録手数 < target)
            rc.AFTER_Click();
        EXPECT_EQ(snapshot(g, timer, surface), clicked) << "to " << target;
    }

    // Entries that do not exist change nothing.
    const GameState before = g;
    ml.List1_Click(-1);
    ml.List1_Click(moves + 1);
    EXPECT_EQ(g.記録手数, before.記録手数);
    EXPECT_EQ(g.盤, before.盤);
}
