// The drawing procedures, checked through a surface that records its calls.
#include "display/display.h"
#include "display/pictures.h"
#include "support/diagram.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

using namespace tori;
using namespace tori::testing;

namespace {

using Call = RecordingSurface::Call;

constexpr double eps = 1e-6;

struct DisplayTest : ::testing::Test {
    GameState g;
    RecordingSurface surface;
    FakeMenu menu;
    Display display { g, surface, menu };

    void SetUp() override
    {
        初期配置(g);
        g.背景画 = 背景_竹;
    }

    std::vector<Call> texts() const { return surface.of(Call::Text); }
    std::vector<Call> pictures() const { return surface.of(Call::Picture); }
    std::vector<Call> frames() const { return surface.of(Call::Frame); }
    void clear() { surface.calls.clear(); }
};

bool at(const Call& c, double gx, double gy)
{
    return std::abs(c.x - gridX(gx)) < eps && std::abs(c.y - gridY(gy)) < eps;
}

// The pictures of a code drawn at one grid cell.
int picturesAt(const std::vector<Call>& calls, int code, double gx, double gy)
{
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
        [&](const Call& c) { return c.kind == Call::Picture && c.code == code && at(c, gx, gy); }));
}

// The lower phoenix alone in the middle of the board.
const char* const loneLowerPhoenix = ".......\n"
                                     ".......\n"
                                     ".......\n"
                                     "...k...\n"
                                     ".......\n"
                                     ".......\n"
                                     ".......\n";

void expectText(
    const Call& c, double gx, double gy, const std::string& text, int colour, double points)
{
    EXPECT_NEAR(c.x, gridX(gx), eps) << text;
    EXPECT_NEAR(c.y, gridY(gy), eps) << text;
    EXPECT_EQ(c.text, text);
    EXPECT_EQ(c.colour, colour) << text;
    EXPECT_EQ(c.points, points) << text;
}

} // namespace

TEST_F(DisplayTest, PicturesAndOutlinesSitOnTheTwipsGrid)
{
    display.描画_絵(題字, 10.8, 0);
    display.描画_絵(-鵬, 4, 7);
    display.描画_桝輪郭(選択色, 3, 4);
    display.描画_絵(背景_緑, -3, -2);

    const auto p = pictures();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].code, 題字);
    EXPECT_DOUBLE_EQ(p[0].x, 6396);
    EXPECT_DOUBLE_EQ(p[0].y, 100);
    EXPECT_DOUBLE_EQ(p[1].x, 3030);
    EXPECT_DOUBLE_EQ(p[1].y, 4405);
    EXPECT_DOUBLE_EQ(p[2].x, -435);
    EXPECT_DOUBLE_EQ(p[2].y, -1130);

    const auto f = frames();
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].colour, 選択色);
    EXPECT_DOUBLE_EQ(f[0].x, 2535);
    EXPECT_DOUBLE_EQ(f[0].y, 2560);
    EXPECT_DOUBLE_EQ(f[0].x2, 2535 + 495);
    EXPECT_DOUBLE_EQ(f[0].y2, 2560 + 615);
}

TEST_F(DisplayTest, BoardDrawsEverySquareThenItsOutline)
{
    display.描画_盤();
    ASSERT_EQ(surface.calls.size(), 98u);
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            const std::size_t k = 2 * ((c - 1) * 7 + (r - 1));
            const Call& picture = surface.calls[k];
            const Call& frame = surface.calls[k + 1];
            EXPECT_EQ(picture.kind, Call::Picture);
            EXPECT_EQ(picture.code, g.盤[c][r]);
            EXPECT_TRUE(at(picture, c, r));
            EXPECT_EQ(frame.kind, Call::Frame);
            EXPECT_EQ(frame.colour, 桝枠色);
            EXPECT_TRUE(at(frame, c, r));
        }
    // Spot checks of the starting position: the lower phoenix, the upper left quail.
    EXPECT_EQ(picturesAt(surface.calls, -鵬, 4, 7), 1);
    EXPECT_EQ(picturesAt(surface.calls, 左鶉, 7, 1), 1);
}

TEST_F(DisplayTest, BackgroundTilesEverythingButTheBoard)
{
    display.描画_背景(背景_畳);
    const auto p = pictures();
    EXPECT_EQ(p.size(), 33u * 22u - 49u);
    std::set<std::pair<int, int>> cells;
    for (const Call& c : p) {
        EXPECT_EQ(c.code, 背景_畳);
        const int gx = static_cast<int>(std::lround((c.x - 1050) / 495));
        const int gy = static_cast<int>(std::lround((c.y - 100) / 615));
        EXPECT_TRUE(at(c, gx, gy));
        EXPECT_FALSE(盤内(gx, gy)) << gx << "," << gy;
        cells.insert({ gx, gy });
    }
    EXPECT_EQ(cells.size(), p.size());
    EXPECT_TRUE(cells.count({ -3, -2 }));
    EXPECT_TRUE(cells.count({ 29, 19 }));
    EXPECT_TRUE(cells.count({ 0, 4 }));
    EXPECT_TRUE(cells.count({ 8, 4 }));
}

TEST_F(DisplayTest, OwnHandShowsCountsAndEmptiesSlots)
{
    g.持駒_MAN[2] = 3; // pheasants
    display.描画_自持盤();

    // Every slot starts from the empty square and the background where its count goes.
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(picturesAt(surface.calls, 空, 9, i + 1), 1) << i;
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, 10, i + 1), 1) << i;
    }
    EXPECT_EQ(picturesAt(surface.calls, -雉, 9, 3), 1);
    auto t = texts();
    ASSERT_EQ(t.size(), 2u);
    expectText(t[0], 10.1, 3.3, " 3", 黒, 14);
    expectText(t[1], 10, 3.2, " 3", 明赤, 14);

    // The slot empties: the picture goes back to the empty square and the
    // count is wiped by the background tile, with nothing printed.
    clear();
    g.持駒_MAN[2] = 0;
    display.描画_自持盤();
    EXPECT_EQ(picturesAt(surface.calls, 空, 9, 3), 1);
    EXPECT_EQ(picturesAt(surface.calls, 背景_竹, 10, 3), 1);
    EXPECT_EQ(picturesAt(surface.calls, -雉, 9, 3), 0);
    EXPECT_TRUE(texts().empty());
    // Its outline is redrawn in the board colour.
    EXPECT_EQ(std::count_if(surface.calls.begin(), surface.calls.end(),
                  [](const Call& c) {
                      return c.kind == Call::Frame && c.colour == 桝枠色 && at(c, 9, 3);
                  }),
        1);
}

TEST_F(DisplayTest, OwnHandSlotsHoldTheirKinds)
{
    for (int i = 1; i <= 6; ++i)
        g.持駒_MAN[i] = i;
    display.描画_自持盤();
    const int kinds[] = { -燕, -雉, -鶴, -鷹, -左鶉, -右鶉 };
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(picturesAt(surface.calls, kinds[i - 1], 9, i + 1), 1) << i;
    EXPECT_EQ(texts().size(), 12u);
}

TEST_F(DisplayTest, EnemyHandIsShownUpsideDown)
{
    g.持駒_COM[1] = 2; // swallows: the bottom row of the upper hand
    g.持駒_COM[6] = 1; // right quail: the top row
    g.持駒_COM[4] = 12; // falcons
    display.描画_敵持盤();
    EXPECT_EQ(picturesAt(surface.calls, 燕, -1, 6), 1);
    EXPECT_EQ(picturesAt(surface.calls, 右鶉, -1, 1), 1);
    EXPECT_EQ(picturesAt(surface.calls, 鷹, -1, 3), 1);
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(picturesAt(surface.calls, 空, -1, i), 1);
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, 0, i), 1);
    }
    // The outline of the board's left column is drawn again beside the hand.
    int boardEdge = 0;
    for (const Call& c : frames())
        if (c.colour == 桝枠色 && std::abs(c.x - gridX(1)) < eps)
            ++boardEdge;
    EXPECT_EQ(boardEdge, 6);

    const auto t = texts();
    ASSERT_EQ(t.size(), 6u);
    expectText(t[0], 0.1, 1.3, " 1", 黒, 14);
    expectText(t[1], 0, 1.2, " 1", 明赤, 14);
    expectText(t[2], 0.1, 3.3, " 12", 黒, 14);
    expectText(t[4], 0.1, 6.3, " 2", 黒, 14);
    expectText(t[5], 0, 6.2, " 2", 明赤, 14);
}

TEST_F(DisplayTest, NumbersKeepASignPlaceAndKanjiOnlyForOneToNine)
{
    display.描画_数値(1, 1, 5, 白, 0, 12);
    display.描画_数値(1, 1, 0, 白, 0, 12);
    display.描画_数値(1, 1, -5, 白, 0, 12);
    display.描画_数値(1, 1, std::string("00:01:02"), 白, 0, 12);
    auto t = texts();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].text, " 5");
    EXPECT_EQ(t[1].text, " 0");
    EXPECT_EQ(t[2].text, "-5");
    EXPECT_EQ(t[3].text, "00:01:02");

    clear();
    for (int v = -1; v <= 11; ++v)
        display.描画_数値(2, 2, v, 黄, 1, 12);
    display.描画_数値(2, 2, std::string("7"), 黄, 1, 12);
    display.描画_数値(2, 2, std::string("7a"), 黄, 1, 12);
    t = texts();
    const char* numerals[] = { "一", "二", "三", "四", "五", "六", "七", "八", "九" };
    ASSERT_EQ(t.size(), 10u); // nothing for -1, 0, 10, 11 or "7a"
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(t[k].text, numerals[k]);
    EXPECT_EQ(t[9].text, "七");
    EXPECT_EQ(t[0].points, 12);
    EXPECT_EQ(t[0].colour, 黄);
}

TEST_F(DisplayTest, SquareNumbersSwitchToBoldForGood)
{
    display.描画_数値(0, 0, 1, 白, 0, 12);
    display.描画_桝_数値();
    display.描画_手数(1);
    display.描画_移動結果(g.MAN手番, 1, 3, -燕, 白);
    const auto t = texts();
    ASSERT_GT(t.size(), 1u);
    EXPECT_FALSE(t[0].bold);
    for (std::size_t k = 1; k < t.size(); ++k)
        EXPECT_TRUE(t[k].bold) << t[k].text;
}

TEST_F(DisplayTest, SquareNumbersLabelColumnsFromTheRight)
{
    display.描画_桝_数値();
    const auto t = texts();
    ASSERT_EQ(t.size(), 28u);
    // Column 1 (left): " 7" with its shadow; row 1: "一".
    expectText(t[0], 1.2, 0.5, " 7", 黒, 16);
    expectText(t[1], 1.1, 0.4, " 7", 黄, 16);
    expectText(t[2], 8.2, 1.4, "一", 黒, 12);
    expectText(t[3], 8.1, 1.3, "一", 黄, 12);
    expectText(t[25], 7.1, 0.4, " 1", 黄, 16);
    expectText(t[27], 8.1, 7.3, "七", 黄, 12);
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, i, 0), 1);
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, 8, i), 1);
    }
}

TEST_F(DisplayTest, MoveCounterMovesLeftAsItGrows)
{
    struct Row {
        int n;
        double black, white;
        const char* text;
    };
    const Row rows[]
        = { { 9, 11.3, 11.2, " 9" }, { 10, 11.2, 11.1, " 10" }, { 100, 11.1, 11.0, " 100" } };
    for (const Row& row : rows) {
        clear();
        display.描画_手数(row.n);
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, 11, 3), 1);
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, 12, 3), 1);
        const auto t = texts();
        ASSERT_EQ(t.size(), 4u);
        expectText(t[0], row.black, 3.4, row.text, 黒, 12);
        expectText(t[1], row.white, 3.3, row.text, 白, 12);
        // "手目" goes through the fixed texts, 120 twips right and 160 down.
        EXPECT_EQ(t[2].text, "手目");
        EXPECT_NEAR(t[2].x, gridX(11.9) + 120, eps);
        EXPECT_NEAR(t[2].y, gridY(3.2) + 160, eps);
        EXPECT_EQ(t[2].colour, 黒);
        EXPECT_EQ(t[3].points, 10);
        EXPECT_NEAR(t[3].x, gridX(11.8) + 120, eps);
        EXPECT_EQ(t[3].colour, 白);
    }
}

TEST_F(DisplayTest, FixedTextsByCode)
{
    display.描画_文字列(0, 0, -7, 白, 10);
    display.描画_文字列(0, 0, 0, 白, 10);
    display.描画_文字列(0, 0, 7, 白, 10);
    display.描画_文字列(0, 0, -3, 白, 10);
    display.描画_文字列(0, 0, 8, 白, 10);
    display.描画_文字列(0, 0, 98, 白, 10);
    const auto t = texts();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段");
    EXPECT_EQ(t[1].text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級");
    EXPECT_EQ(t[2].text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級");
    EXPECT_EQ(t[3].text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段");
    EXPECT_DOUBLE_EQ(t[0].x, 1050 + 120);
    EXPECT_DOUBLE_EQ(t[0].y, 100 + 160);
}

TEST_F(DisplayTest, HandicapLabelRightOfTheBoard)
{
    display.描画_ハンデレベル(3);
    for (int gx = 11; gx <= 14; ++gx)
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, gx, 1), 1);
    const auto t = texts();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級");
    EXPECT_NEAR(t[0].x, gridX(11.1) + 120, eps);
    EXPECT_NEAR(t[0].y, gridY(1.1) + 160, eps);
    EXPECT_EQ(t[0].colour, 黒);
    EXPECT_NEAR(t[1].x, gridX(11) + 120, eps);
    EXPECT_NEAR(t[1].y, gridY(1) + 160, eps);
    EXPECT_EQ(t[1].colour, 白);
    EXPECT_EQ(t[1].points, 10);
}

TEST_F(DisplayTest, LevelCaption)
{
    display.描画_レベル(2);
    EXPECT_TRUE(pictures().empty()); // the level commands wipe the cells themselves
    const auto t = texts();
    ASSERT_EQ(t.size(), 4u);
    expectText(t[0], -1.4, 0.2, "LEVEL", 黒, 10);
    expectText(t[1], -1.5, 0.1, "LEVEL", 白, 10);
    expectText(t[2], 0.1, 0.1, " 2", 黒, 12);
    expectText(t[3], 0, 0, " 2", 白, 12);
}

TEST_F(DisplayTest, LowerSwallowToColumnOneRowThree)
{
    display.描画_移動結果(g.MAN手番, 1, 3, -燕, 白);
    for (int gx = 11; gx <= 13; ++gx)
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, gx, 2), 1);
    const auto t = texts();
    ASSERT_EQ(t.size(), 6u);
    expectText(t[0], 11.5, 2.5, "７", 黒, 12);
    expectText(t[1], 11.4, 2.4, "７", 白, 12);
    expectText(t[2], 11.9, 2.5, "三", 黒, 12);
    expectText(t[3], 11.8, 2.4, "三", 白, 12);
    expectText(t[4], 12.5, 2.5, "燕", 黒, 12);
    expectText(t[5], 12.4, 2.4, "燕", 白, 12);
    EXPECT_TRUE(frames().empty());
}

TEST_F(DisplayTest, UpperMoveResultAndPromotedNames)
{
    display.描画_移動結果(g.COM手番, 7, 7, 鷹成, 黄);
    const auto t = texts();
    ASSERT_EQ(t.size(), 6u);
    expectText(t[0], -1.5, 8.5, "１", 黒, 12);
    expectText(t[3], -1.2, 8.4, "七", 黄, 12);
    expectText(t[5], -0.6, 8.4, "鷹成", 黄, 12);
    for (int gx = -2; gx <= 0; ++gx)
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, gx, 8), 1);
    // The erase outlines (-1, 6) and (1, 7); the last call outlines (1, 7) again.
    const Call& last = surface.calls.back();
    EXPECT_EQ(last.kind, Call::Frame);
    EXPECT_TRUE(at(last, 1, 7));
    EXPECT_EQ(last.colour, 桝枠色);
    EXPECT_EQ(frames().size(), 3u);

    clear();
    display.描画_移動結果(g.MAN手番, 4, 1, -鴈, 白);
    EXPECT_EQ(texts()[4].text, "鴈");
}

TEST_F(DisplayTest, MoveResultOfNoSideOnlyErases)
{
    display.描画_移動結果(-1, 1, 3, -燕, 白);
    EXPECT_TRUE(surface.calls.empty()); // and erasing no side draws nothing
    display.消去_移動結果(g.MAN手番);
    EXPECT_EQ(pictures().size(), 3u);
}

TEST_F(DisplayTest, RecordReadBandIsWiped)
{
    display.描画_棋譜読込み部分消去();
    EXPECT_EQ(texts().size(), 28u); // the labels again
    EXPECT_EQ(picturesAt(surface.calls, 背景_竹, -1, 8), 1);
    EXPECT_EQ(picturesAt(surface.calls, 背景_竹, 0, 8), 1);
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, i, 8), 1);
        EXPECT_EQ(std::count_if(surface.calls.begin(), surface.calls.end(),
                      [&](const Call& c) {
                          return c.kind == Call::Frame && c.colour == 桝枠色 && at(c, i, 7);
                      }),
            1);
    }
}

TEST_F(DisplayTest, TimeUsedOnlyWithTheElapsedTimeMark)
{
    display.描画_所有時間(g.MAN手番, 3725);
    display.消去_所有時間(-1);
    EXPECT_TRUE(surface.calls.empty());

    menu.setChecked(menu::KEIKA, true);
    display.描画_所有時間(g.MAN手番, 3725);
    for (int gx = 13; gx <= 15; ++gx)
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, gx, 9), 1);
    auto t = texts();
    ASSERT_EQ(t.size(), 2u);
    expectText(t[0], 13.1, 9.3, "01:02:05", 黒, 12);
    expectText(t[1], 13, 9.2, "01:02:05", 白, 12);
    EXPECT_EQ(pictures().size(), 3u);

    clear();
    display.描画_所有時間(g.COM手番, 59.9);
    for (int gx = -2; gx <= 0; ++gx)
        EXPECT_EQ(picturesAt(surface.calls, 背景_竹, gx, 9), 1);
    t = texts();
    ASSERT_EQ(t.size(), 2u);
    expectText(t[0], -1.5, 9.3, "00:00:59", 黒, 12);
    expectText(t[1], -1.6, 9.2, "00:00:59", 白, 12);

    clear();
    display.描画_所有時間(99, 10);
    EXPECT_TRUE(surface.calls.empty());
}

TEST_F(DisplayTest, GuidanceOffOnlyClearsHighlights)
{
    tori::testing::setBoard(g, loneLowerPhoenix);
    g.移動指導 = 0;
    display.描画_移動可能桝色(4, 4, 白, -鵬);
    const auto f = frames();
    ASSERT_EQ(f.size(), 49u);
    for (const Call& c : f)
        EXPECT_EQ(c.colour, 桝枠色);
    EXPECT_TRUE(pictures().empty());
}

TEST_F(DisplayTest, GuidanceOutlinesTheReachableSquares)
{
    tori::testing::setBoard(g, loneLowerPhoenix);
    g.移動指導 = 1;
    display.描画_移動可能桝色(4, 4, 白, -鵬);
    auto f = frames();
    ASSERT_EQ(f.size(), 49u + 8u);
    std::set<std::pair<int, int>> lit;
    for (std::size_t k = 0; k < f.size(); ++k) {
        if (k < 49) {
            EXPECT_EQ(f[k].colour, 桝枠色); // all clearing comes first
            continue;
        }
        EXPECT_EQ(f[k].colour, 白);
        lit.insert({ static_cast<int>(std::lround((f[k].x - 1050) / 495)),
            static_cast<int>(std::lround((f[k].y - 100) / 615)) });
    }
    const std::set<std::pair<int, int>> around
        = { { 3, 3 }, { 4, 3 }, { 5, 3 }, { 3, 4 }, { 5, 4 }, { 3, 5 }, { 4, 5 }, { 5, 5 } };
    EXPECT_EQ(lit, around);

    // A lower swallow only steps forward: one square up.
    tori::testing::setBoard(g,
        ".......\n"
        ".......\n"
        ".......\n"
        ".......\n"
        "...s...\n"
        ".......\n"
        "...k...\n");
    clear();
    display.描画_移動可能桝色(4, 5, 明赤, -燕);
    f = frames();
    ASSERT_EQ(f.size(), 50u);
    EXPECT_EQ(f.back().colour, 明赤);
    EXPECT_TRUE(at(f.back(), 4, 4));
}

TEST_F(DisplayTest, BlinkEndsOnThePieceAndWaitsBetweenImages)
{
    std::vector<double> script;
    for (int k = 0; k < 200; ++k)
        script.push_back(1000 + 0.01 * k);
    ScriptedTimeOfDay clock(script);
    surface.clock = &clock;
    display.setClock(&clock);

    display.描画_駒点滅(鷹, 4, 2, 2);
    EXPECT_FALSE(clock.exhausted);
    const auto refreshes = surface.of(Call::Refresh);
    ASSERT_EQ(refreshes.size(), 4u);
    for (std::size_t k = 1; k < refreshes.size(); ++k)
        EXPECT_GE(refreshes[k].time - refreshes[k - 1].time, 0.15 - 1e-9);
    // Each image is shown whole before its refresh: empty, piece, empty, piece.
    const auto p = pictures();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].code, 空);
    EXPECT_EQ(p[1].code, 鷹);
    EXPECT_EQ(p[2].code, 空);
    EXPECT_EQ(p[3].code, 鷹);
    for (const Call& c : p)
        EXPECT_TRUE(at(c, 4, 2));
    EXPECT_EQ(surface.calls[2].kind, Call::Refresh);
    EXPECT_EQ(surface.calls[1].kind, Call::Frame);
    // The whole blink takes four waits, and the last wait ends it.
    EXPECT_GE(clock.last - 1000, 4 * 0.15 - 1e-9);
    EXPECT_EQ(surface.calls.back().kind, Call::Refresh);
}

TEST_F(DisplayTest, RedrawPaintsInItsOrder)
{
    menu.setChecked(menu::KEIKA, true);
    g.対局モード = COM対局;
    g.ハンデ設定 = 1;
    g.ハンデレベル = -2;
    g.持駒_MAN[1] = 1;
    g.COM所有時間 = 61;
    g.MAN所有時間 = 7322;
    display.画面_再描画();
    const auto& calls = surface.calls;

    auto index = [&](auto pred) {
        const auto it = std::find_if(calls.begin(), calls.end(), pred);
        EXPECT_NE(it, calls.end());
        return it - calls.begin();
    };
    auto textIs = [](const char* s) {
        return [s](const Call& c) { return c.kind == Call::Text && c.text == s; };
    };

    const auto background
        = index([](const Call& c) { return c.kind == Call::Picture && c.code == 背景_竹; });
    const auto labels = index(textIs(" 7"));
    const auto ownHand = index(
        [](const Call& c) { return c.kind == Call::Picture && c.code == -燕 && at(c, 9, 2); });
    const auto enemyHand = index(
        [](const Call& c) { return c.kind == Call::Picture && c.code == 空 && at(c, -1, 1); });
    const auto board = index([](const Call& c) { return c.kind == Call::Picture && at(c, 1, 1); });
    const auto comTime = index(textIs("00:01:01"));
    const auto manTime = index(textIs("02:02:02"));
    const auto level = index(textIs("LEVEL"));
    const auto handicap = index(textIs("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"));

    EXPECT_EQ(background, 0);
    EXPECT_LT(background, labels);
    EXPECT_LT(labels, ownHand);
    EXPECT_LT(ownHand, enemyHand);
    EXPECT_LT(enemyHand, board);
    EXPECT_LT(board, comTime);
    EXPECT_LT(comTime, manTime);
    EXPECT_LT(manTime, level);
    EXPECT_LT(level, handicap);
    // The title is the last thing drawn.
    EXPECT_EQ(calls.back().kind, Call::Picture);
    EXPECT_EQ(calls.back().code, 題字);
    EXPECT_DOUBLE_EQ(calls.back().x, 6396);
    EXPECT_DOUBLE_EQ(calls.back().y, 100);
    // Everything after the labels is bold.
    for (auto k = labels; k < static_cast<long>(calls.size()); ++k)
        if (calls[k].kind == Call::Text) {
            EXPECT_TRUE(calls[k].bold);
        }
}

TEST_F(DisplayTest, RedrawLeavesOutLevelHandicapAndTimesWhenOff)
{
    g.対局モード = 人間対局;
    display.画面_再描画();
    for (const Call& c : texts()) {
        EXPECT_NE(c.text, "LEVEL");
        EXPECT_EQ(c.text.find("ﾊﾝﾃﾞｨｷｬｯﾌﾟ"), std::string::npos);
        EXPECT_EQ(c.text.find(':'), std::string::npos); // no clocks without 経過時間
    }
    EXPECT_EQ(surface.calls.back().code, 題字);
}
