#include "record/record_file.h"

#include "rules/rules.h"
#include "support/files.h"
#include "support/games.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

using namespace tori;
using namespace tori::testing;
namespace fs = std::filesystem;

namespace {

void entry(GameState& g, int n, int fc, int fr, int tc, int tr, int placed, int piece, int captured,
    double t1, double t2, double t3, double t4)
{
    g.棋譜_元列[n] = fc;
    g.棋譜_元段[n] = fr;
    g.棋譜_先列[n] = tc;
    g.棋譜_先段[n] = tr;
    g.棋譜_成駒[n] = placed;
    g.棋譜_駒[n] = piece;
    g.棋譜_取駒[n] = captured;
    g.棋譜_時間1[n] = t1;
    g.棋譜_時間2[n] = t2;
    g.棋譜_時間3[n] = t3;
    g.棋譜_時間4[n] = t4;
}

bool sameEntry(const GameState& a, const GameState& b, int n)
{
    return a.棋譜_元列[n] == b.棋譜_元列[n] && a.棋譜_元段[n] == b.棋譜_元段[n]
        && a.棋譜_先列[n] == b.棋譜_先列[n] && a.棋譜_先段[n] == b.棋譜_先段[n]
        && a.棋譜_成駒[n] == b.棋譜_成駒[n] && a.棋譜_駒[n] == b.棋譜_駒[n]
        && a.棋譜_取駒[n] == b.棋譜_取駒[n] && a.棋譜_時間1[n] == b.棋譜_時間1[n]
        && a.棋譜_時間2[n] == b.棋譜_時間2[n] && a.棋譜_時間3[n] == b.棋譜_時間3[n]
        && a.棋譜_時間4[n] == b.棋譜_時間4[n];
}

// Three header lines and the given move lines.
std::vector<std::string> record(std::vector<std::string> moves)
{
    std::vector<std::string> lines { "対局", "上", "下" };
    lines.insert(lines.end(), moves.begin(), moves.end());
    return lines;
}

// Two opening moves that fit the starting position: each side's advanced
// swallow takes a swallow of the other side.
const std::string 下燕取り = " 5453 -10 -10  10    0    3    0    0"; // lower swallow takes (5,3)
const std::string 上燕取り = " 3435  10  10 -10    3    3    0    5"; // upper swallow takes (3,5)

} // namespace

TEST(RecordLine, FieldsAreRightAlignedInFixedColumns)
{
    GameState g;
    entry(g, 1, 3, 5, 3, 4, -10, -10, 10, 0, 7, 0, 0);
    entry(g, 2, -1, 3, 4, 4, 110, 110, 0, 7, 7, 1234, 99999);
    entry(g, 3, 4, 7, 3, 6, -950, -950, 0, 12.9, 59.99, 0.4, 1);
    entry(g, 4, 2, 2, 2, 1, -11, -10, 900, 0, 0, 0, 0);
    entry(g, 5, 9, 2, 4, 4, -10, -10, 0, 0, 0, 0, 0);
    EXPECT_EQ(棋譜行(g, 1), " 3534 -10 -10  10    0    7    0    0");
    EXPECT_EQ(棋譜行(g, 2), "-1344 110 110   0    7    7 123499999");
    EXPECT_EQ(棋譜行(g, 3), " 4736-950-950   0   12   59    0    1"); // whole seconds
    EXPECT_EQ(棋譜行(g, 4), " 2221 -11 -10 900    0    0    0    0");
    EXPECT_EQ(棋譜行(g, 5), " 9244 -10 -10   0    0    0    0    0");
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(棋譜行(g, n).size(), 37u) << n;
}

TEST(RecordLine, TimesOutsideTheFieldStillGiveA37CharacterLine)
{
    GameState g;
    entry(g, 1, 3, 5, 3, 4, -10, -10, 10, 123456.7, -3, 99999.9, 0);
    const std::string line = 棋譜行(g, 1);
    EXPECT_EQ(line, " 3534 -10 -10  1099999    099999    0");
    EXPECT_EQ(line.size(), 37u);
}

TEST(RecordWriter, WritesShiftJisHeaderAndCrLfLinesOfMovesUpToTheCurrentOne)
{
    TempDir dir;
    GameState g;
    entry(g, 1, 3, 5, 3, 4, -10, -10, 10, 0, 7, 0, 0);
    entry(g, 2, 2, 3, 2, 4, 10, 10, 0, 7, 7, 0, 1234);
    entry(g, 3, 4, 7, 3, 6, -950, -950, 0, 7, 20, 1234, 1234);
    g.記録手数 = 2; // the third was taken back
    g.最終記録手数 = 3;
    std::string error;
    const fs::path file = dir.path / "春.棋譜";
    ASSERT_TRUE(書込_棋譜(file, { "春の対局", "鳥名人", "山田太郎" }, g, &error)) << error;
    EXPECT_EQ(bytesOf(file),
        "\x8f\x74\x82\xcc\x91\xce\x8b\xc7\r\n"
        "\x92\xb9\x96\xbc\x90\x6c\r\n"
        "\x8e\x52\x93\x63\x91\xbe\x98\x59\r\n"
        " 3534 -10 -10  10    0    7    0    0\r\n"
        " 2324  10  10   0    7    7    0 1234\r\n");
}

TEST(RecordWriter, AFailedWriteKeepsTheOldFileAndSaysWhy)
{
    TempDir dir;
    GameState g;
    entry(g, 1, 3, 5, 3, 4, -10, -10, 10, 0, 7, 0, 0);
    g.記録手数 = 1;
    std::string error;
    EXPECT_FALSE(
        書込_棋譜((dir.path / "no such dir" / "a.棋譜").string(), { "", "", "" }, g, &error));
    EXPECT_FALSE(error.empty());
}

TEST(RecordReader, ReadsBackWhatWasWrittenForWholeGames)
{
    TempDir dir;
    int upperDropsBySlot = 0, upperDropsByRow = 0, lowerDrops = 0, promotions = 0, captures = 0;
    for (uint32_t seed : { 1u, 7u, 42u, 2026u }) {
        GameState played;
        対局(played, 120, seed);
        for (int n = 1; n <= played.記録手数; ++n) {
            const int slot = 持駒番号(played.棋譜_成駒[n]);
            if (played.棋譜_元列[n] == COM持駒列)
                ++(played.棋譜_元段[n] == slot ? upperDropsBySlot : upperDropsByRow);
            lowerDrops += played.棋譜_元列[n] == MAN持駒列;
            promotions += played.棋譜_成駒[n] != played.棋譜_駒[n];
            captures += played.棋譜_取駒[n] != 0;
        }
        ASSERT_GT(played.記録手数, 20) << seed;
        const fs::path file = dir.path / ("game" + std::to_string(seed) + ".棋譜");
        std::string error;
        ASSERT_TRUE(書込_棋譜(file, { "対局", "上手", "下手" }, played, &error)) << error;

        GameState loaded;
        const 棋譜読込結果 r = 読込_棋譜(file, loaded);
        EXPECT_TRUE(r.開けた);
        EXPECT_FALSE(r.途中まで) << "seed " << seed << " refused move " << r.拒否行 << ": "
                                 << 棋譜行(played, r.拒否行);
        EXPECT_EQ(r.手数, played.記録手数);
        EXPECT_EQ(r.見出し[0], "対局");
        EXPECT_EQ(r.見出し[1], "上手");
        EXPECT_EQ(r.見出し[2], "下手");
        for (int n = 1; n <= played.記録手数; ++n)
            EXPECT_TRUE(sameEntry(played, loaded, n)) << "seed " << seed << " move " << n;
    }
    // The games hold every kind of line the reader has to accept.
    EXPECT_GT(upperDropsBySlot, 0);
    EXPECT_GT(upperDropsByRow, 0);
    EXPECT_GT(lowerDrops, 0);
    EXPECT_GT(promotions, 0);
    EXPECT_GT(captures, 0);
}

TEST(RecordReader, ChangesOnlyTheAcceptedRecordEntries)
{
    GameState g;
    g.手数 = 17;
    g.記録手数 = 17;
    g.最終記録手数 = 20;
    g.盤[1][1] = 空;
    entry(g, 2, 1, 1, 1, 2, 900, 900, 0, 5, 5, 5, 5);
    const GameState before = g;
    const auto r = 解析_棋譜(record({ 下燕取り, "junk" }), g);
    EXPECT_EQ(r.手数, 1);
    EXPECT_TRUE(r.途中まで);
    EXPECT_EQ(r.拒否行, 2);
    EXPECT_EQ(g.棋譜_成駒[1], -10);
    EXPECT_EQ(g.棋譜_時間2[1], 3);
    EXPECT_TRUE(sameEntry(g, before, 2)); // not overwritten by the refused line
    EXPECT_EQ(g.盤, before.盤);
    EXPECT_EQ(g.手数, 17);
    EXPECT_EQ(g.記録手数, 17);
    EXPECT_EQ(g.最終記録手数, 20);
}

// Each row: the move lines after the header, how many are accepted.
struct Case {
    const char* what;
    std::vector<std::string> moves;
    int accepted;
};

TEST(RecordReader, RefusesTheFirstLineThatDoesNotFitAndKeepsThoseBefore)
{
    const std::vector<Case> cases {
        { "a clean pair", { 下燕取り, 上燕取り }, 2 },
        { "from-column 12", { "12534 -10 -10   0    0    0    0    0" }, 0 },
        { "from-column 0", { " 0534 -10 -10   0    0    0    0    0" }, 0 },
        { "to-row 8", { 下燕取り, " 2328  10  10   0    0    0    0    0" }, 1 },
        { "to-column 0", { " 5403 -10 -10   0    0    0    0    0" }, 0 },
        { "a letter in a square field", { " 5A53 -10 -10  10    0    0    0    0" }, 0 },
        { "a code that is no piece", { " 5453 -12 -12  10    0    0    0    0" }, 0 },
        { "an empty code field", { " 5453     -10  10    0    0    0    0" }, 0 },
        { "the wrong piece on the from-square", { " 5453 -30 -30  10    0    0    0    0" }, 0 },
        { "an empty from-square", { " 1413 -10 -10  10    0    0    0    0" }, 0 },
        { "a capture of a piece that is not there", { " 4636-100-100  30    0    0    0    0" },
            0 },
        { "captured code differs from the target", { " 5453 -10 -10  30    0    0    0    0" }, 0 },
        { "taking one's own piece", { " 4647-100-100-950    0    0    0    0" }, 0 },
        { "a promotion to another kind", { " 5453-110 -10  10    0    0    0    0" }, 0 },
        { "placed code of the other side", { " 5453  10 -10  10    0    0    0    0" }, 0 },
        { "the upper side moving first", { " 5344  10  10   0    0    0    0    0" }, 1 },
        { "a drop from an empty hand", { " 9244 -10 -10   0    0    0    0    0" }, 0 },
        { "a drop after a capture", { 下燕取り, 上燕取り, " 9264 -10 -10   0    0    0    0    0" },
            3 },
        { "a drop with the wrong row",
            { 下燕取り, 上燕取り, " 9364 -10 -10   0    0    0    0    0" }, 2 },
        { "a drop of the wrong side's piece",
            { 下燕取り, 上燕取り, " 9264  10  10   0    0    0    0    0" }, 2 },
        { "a drop onto a piece", { 下燕取り, 上燕取り, " 9277 -10 -10-900    0    0    0    0" },
            2 },
        { "a drop that promotes", { 下燕取り, 上燕取り, " 9264 -11 -10   0    0    0    0    0" },
            2 },
        { "a line cut after the codes", { 下燕取り, " 3435  10  10 -10" }, 2 },
        { "a line cut inside a code", { " 5453 -10 -1" }, 0 },
        { "an empty line", { "", 下燕取り }, 0 },
        { "a handicap game's move: the upper falcon was not there",
            { " 4642-100-100   0    0    0    0    0" }, 0 },
        { "a reversed game's move: the upper side's swallows stand on row 5",
            { 下燕取り, " 3536  10  10   0    0    0    0    0" }, 1 },
    };
    for (const Case& c : cases) {
        GameState g;
        const auto r = 解析_棋譜(record(c.moves), g);
        EXPECT_EQ(r.手数, c.accepted) << c.what;
        EXPECT_EQ(r.途中まで, c.accepted < static_cast<int>(c.moves.size())) << c.what;
        if (r.途中まで) {
            EXPECT_EQ(r.拒否行, c.accepted + 1) << c.what;
        }
    }
}

TEST(RecordReader, MovingTheOpponentsPieceIsRefused)
{
    // The upper swallow on (3,4) written as a lower one.
    GameState g;
    const auto r = 解析_棋譜(record({ " 3435 -10 -10 -10    0    0    0    0" }), g);
    EXPECT_EQ(r.手数, 0);
}

TEST(RecordReader, AcceptsBothRowsOfAnUpperDropAndTakesTheHandByTheCode)
{
    // The lower swallow takes on (5,3) and the upper one on (3,5): each hand
    // then holds one swallow. The upper drop is written with the slot (1) by the
    // computer and with the screen row 7 - 1 = 6 by the mouse.
    for (const char* drop :
        { "-1144  10  10   0    0    0    0    0", "-1644  10  10   0    0    0    0    0" }) {
        GameState g;
        const auto r = 解析_棋譜(
            record({ 下燕取り, 上燕取り, " 9262 -10 -10   0    0    0    0    0", drop }), g);
        EXPECT_EQ(r.手数, 4) << drop;
        EXPECT_FALSE(r.途中まで) << drop;
    }
    // A second swallow is not in the hand, whichever row is written.
    GameState g;
    const auto r = 解析_棋譜(
        record({ 下燕取り, 上燕取り, "-1144  10  10   0    0    0    0    0",
            " 9262 -10 -10   0    0    0    0    0", "-1614  10  10   0    0    0    0    0" }),
        g);
    EXPECT_EQ(r.手数, 4);
    EXPECT_EQ(r.拒否行, 5);
    // A row that is neither the slot nor 7 - slot does not name the swallow.
    const auto r2
        = 解析_棋譜(record({ 下燕取り, 上燕取り, "-1344  10  10   0    0    0    0    0" }), g);
    EXPECT_EQ(r2.手数, 2);
}

TEST(RecordReader, ShortOrNonNumericTimeFieldsReadAsZero)
{
    GameState g;
    const auto r
        = 解析_棋譜(record({ " 5453 -10 -10  10   12  abc  -40", 上燕取り.substr(0, 30) }), g);
    ASSERT_EQ(r.手数, 2);
    EXPECT_EQ(g.棋譜_時間1[1], 12);
    EXPECT_EQ(g.棋譜_時間2[1], 0);
    EXPECT_EQ(g.棋譜_時間3[1], 0); // a negative time is no time
    EXPECT_EQ(g.棋譜_時間4[1], 0); // missing
    EXPECT_EQ(g.棋譜_時間1[2], 3);
    EXPECT_EQ(g.棋譜_時間2[2], 3);
    EXPECT_EQ(g.棋譜_時間3[2], 0); // cut after two columns of five: "    0" read as "  "
    EXPECT_EQ(g.棋譜_時間4[2], 0);
}

TEST(RecordReader, StopsAfterTheFiveHundredthMove)
{
    // The two falcons shuttle beside their squares: a record that never ends.
    const std::string cycle[4]
        = { " 4636-100-100   0    1    2    0    0", " 4232 100 100   0    2    2    0    1",
              " 3646-100-100   0    2    3    1    1", " 3242 100 100   0    3    3    1    2" };
    std::vector<std::string> moves;
    for (int i = 0; i < 600; ++i)
        moves.push_back(cycle[i % 4]);
    GameState g;
    const auto r = 解析_棋譜(record(moves), g);
    EXPECT_EQ(r.手数, 最大手数);
    EXPECT_TRUE(r.途中まで);
    EXPECT_EQ(r.拒否行, 501);
    EXPECT_EQ(g.棋譜_先列[500], 4); // move 500 is the fourth of its cycle
}

TEST(RecordReader, HostileFilesNeverCrashAndReadWhatTheyCan)
{
    TempDir dir;
    auto read = [&](const std::string& bytes) {
        writeBytes(dir.path / "x.棋譜", bytes);
        GameState g;
        return 読込_棋譜(dir.path / "x.棋譜", g);
    };

    auto empty = read("");
    EXPECT_TRUE(empty.開けた);
    EXPECT_EQ(empty.手数, 0);
    EXPECT_FALSE(empty.途中まで);
    EXPECT_EQ(empty.見出し[0], "");

    auto header = read("a\r\nb\r\nc\r\n");
    EXPECT_EQ(header.手数, 0);
    EXPECT_FALSE(header.途中まで);
    EXPECT_EQ(header.見出し[2], "c");

    // A header with a Shift-JIS lead byte cut off and a byte that is never valid.
    auto broken = read("\x8e\x52\x81\r\n\xff\r\n\r\n" + 下燕取り + "\r\n\r\n\r\n");
    EXPECT_EQ(broken.見出し[0], "山\xEF\xBF\xBD");
    EXPECT_EQ(broken.見出し[1], "\xEF\xBF\xBD");
    EXPECT_EQ(broken.手数, 1);
    EXPECT_FALSE(broken.途中まで); // blank lines at the end are no moves

    auto badMove = read("a\r\nb\r\nc\r\n 54\x82\x53 -10 -10  10    0    0    0    0\r\n");
    EXPECT_EQ(badMove.手数, 0);
    EXPECT_TRUE(badMove.途中まで);

    std::mt19937 rng(5);
    std::string junk;
    for (int i = 0; i < 20000; ++i)
        junk += static_cast<char>(rng() & 0xFF);
    auto binary = read(junk);
    EXPECT_TRUE(binary.開けた);
    EXPECT_EQ(binary.手数, 0);

    auto longLine = read("a\r\nb\r\nc\r\n" + 下燕取り + std::string(3'000'000, '7') + "\r\n");
    EXPECT_EQ(longLine.手数, 1); // the columns beyond 37 are not read

    auto oneLongLine = read(std::string(2'000'000, 'x'));
    EXPECT_EQ(oneLongLine.手数, 0);
    EXPECT_EQ(oneLongLine.見出し[0].size(), 2'000'000u);

    auto lfOnly = read("a\nb\nc\n" + 下燕取り + "\n" + 上燕取り + "\n");
    EXPECT_EQ(lfOnly.手数, 2);

    GameState g;
    EXPECT_FALSE(読込_棋譜((dir.path / "missing.棋譜").string(), g).開けた);
    EXPECT_FALSE(読込_棋譜(dir.path.string(), g).開けた); // a directory
}
