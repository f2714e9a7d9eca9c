// Positions as FEN strings: the writer's exact text, the reader's refusals,
// and round trips over positions of random games.
#include "record/fen.h"

#include "rules/record_entry.h"
#include "support/diagram.h"
#include "support/games.h"

#include <gtest/gtest.h>

using namespace tori;
using namespace tori::testing;

namespace {

const std::string 初期FEN = "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w 0 1";

FEN局面 読む(const std::string& text)
{
    FEN局面 p;
    std::string reason;
    EXPECT_TRUE(読込_FEN(text, p, reason)) << text << ": " << reason;
    return p;
}

// The start string with its first `from` replaced by `to`.
std::string 初期FENで(const std::string& from, const std::string& to)
{
    std::string text = 初期FEN;
    return text.replace(text.find(from), from.size(), to);
}

} // namespace

TEST(Fen, StartPositionIsWrittenExactlyAndReadInEveryForm)
{
    GameState g;
    初期設定(g);
    EXPECT_EQ(書込_FEN(g), 初期FEN);
    const FEN局面 start = 読む(初期FEN);
    EXPECT_EQ(start.盤, g.盤);
    EXPECT_FALSE(start.上手番);
    for (const char* other : { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[] w - - 0 1",
             "  rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-]\tw\r\n" })
        EXPECT_EQ(読む(other), start) << other;
}

// Every kind of piece of both sides and both hands, against a string worked
// out by hand.
TEST(Fen, EveryLetterAndBothHands)
{
    GameState g;
    初期設定(g);
    setBoard(g,
        "R..K..."
        ".E....."
        "..g...S"
        "......."
        "s...C.."
        ".e...p."
        "L.lkr..");
    g.持駒_MAN = { 0, 2, 1, 1, 0, 0, 0 }; // 燕 燕 雉 鶴 in the lower hand
    g.持駒_COM = { 0, 0, 1, 2, 0, 0, 0 }; // 雉 鶴 鶴 in the upper hand
    g.手番 = g.COM手番;
    const std::string text = "r2k3/1+f5/2+S3s/7/S3c2/1+F3P1/l1LKR2[SSPCpcc] b 0 1";
    EXPECT_EQ(書込_FEN(g), text);

    const FEN局面 p = 読む(text);
    EXPECT_EQ(p.盤, g.盤);
    EXPECT_EQ(p.持駒_MAN, g.持駒_MAN);
    EXPECT_EQ(p.持駒_COM, g.持駒_COM);
    EXPECT_TRUE(p.上手番);
    GameState set;
    設定_FEN局面(set, p);
    EXPECT_EQ(set.持駒数_MAN, 4);
    EXPECT_EQ(set.MAN鵬_列 * 10 + set.MAN鵬_段, 47);
}

// Every position of random games with both phoenixes on the board: written,
// read and set on a fresh state, it is the same position and writes the same
// string. The side to move follows the record.
TEST(Fen, RoundTripsOverPositionsOfRandomGames)
{
    int positions = 0;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        GameState g;
        対局(g, 160, seed);
        const int moves = g.記録手数;
        初期設定(g);
        g.最終記録手数 = moves;
        for (int n = 0; n <= moves; ++n) {
            再生_棋譜手(g, n);
            g.記録手数 = n;
            int phoenixes = 0;
            for (int c = 1; c <= 7; ++c)
                for (int r = 1; r <= 7; ++r)
                    phoenixes += std::abs(g.盤[c][r]) == 鵬 ? 1 : 0;
            if (phoenixes != 2)
                continue;
            const std::string text = 書込_FEN(g);
            // The lower side makes the odd moves of these games.
            EXPECT_EQ(text.substr(text.size() - 5), n % 2 == 0 ? "w 0 1" : "b 0 1") << text;
            GameState fresh;
            設定_FEN局面(fresh, 読む(text));
            EXPECT_EQ(fresh.盤, g.盤) << text;
            EXPECT_EQ(fresh.持駒_MAN, g.持駒_MAN) << text;
            EXPECT_EQ(fresh.持駒_COM, g.持駒_COM) << text;
            EXPECT_EQ(書込_FEN(fresh), text);
            ++positions;
        }
    }
    EXPECT_GT(positions, 1000);
}

TEST(Fen, EveryRefusalSaysWhatIsWrongAndChangesNothing)
{
    const std::pair<std::string, std::string> cases[] = {
        { "", "FENがありません（クリップボードが空です）" },
        { " \n", "FENがありません（クリップボードが空です）" },
        { std::string(1001, ' '), "FENとしては長すぎます（1001バイト）" },
        { 初期FENで("[-]", ""), "盤の後に持駒の欄 [ ] がありません" },
        { 初期FENで("[-]", "[-"), "盤の後に持駒の欄 [ ] がありません" },
        { 初期FENで("sssssss/", "sssssss/\r\n"),
            "盤の途中（4段目のあたり）に改行か空白があります（盤は続けて書きます）" },
        { 初期FENで("3f3/", "3f3\r\n/"),
            "盤の途中（2段目のあたり）に改行か空白があります（盤は続けて書きます）" },
        { 初期FENで("[-]", "\n[-]"), "盤と持駒の欄の間に改行か空白があります（続けて書きます）" },
        { 初期FENで(" w", "\xC2\xA0w"),
            "区切りに使えない空白 U+00A0（改行しない空白） があります（半角の空白で区切ります）" },
        { 初期FENで("CKC", "C\xC2\xA0KC"),
            "区切りに使えない空白 U+00A0（改行しない空白） があります（半角の空白で区切ります）" },
        { 初期FENで(" 0",
              "\xE3\x80\x80"
              "0"),
            "区切りに使えない空白 U+3000（全角の空白） があります（半角の空白で区切ります）" },
        { 初期FENで("/LPCKCPR", ""), "盤の段の数が6です（7段を / で区切ります）" },
        { 初期FENで("LPCKCPR", "LPCKCPR/7"), "盤の段の数が8です（7段を / で区切ります）" },
        { 初期FENで("2s1S2", "2s1S1"), "4段目の桝が6つしかありません（7つ必要です）" },
        { 初期FENで("3f3", "3f4"), "2段目の桝が7つを超えています" },
        { 初期FENで("rpckcpl", "rpckcpls"), "1段目の桝が7つを超えています" },
        { 初期FENで("CPR", "CPQ"), "7段目に駒でない文字があります: Q" },
        { 初期FENで("CKC", "C鵬C"), "7段目に駒でない文字があります: 鵬" },
        { 初期FENで("CPR", "CP0"), "7段目に駒でない文字があります: 0" },
        { 初期FENで("3F3", "3+C3"), "6段目の C は成れない駒です: +C" },
        { 初期FENで("CPR", "CPR+"), "7段目の + の後に駒の文字がありません" },
        { 初期FENで("[-]", "[K]"), "鵬は持駒にできません" },
        { 初期FENで("[-]", "[+S]"), "持駒は成る前の駒の文字で書きます（+ は付けません）" },
        { 初期FENで("[-]", "[S2]"), "持駒に駒でない文字があります: 2" },
        { 初期FENで(" w", " x"), "持駒の後に手番 w（下手の番）か b（上手の番）が必要です" },
        { 初期FENで(" w 0 1", ""), "持駒の後に手番 w（下手の番）か b（上手の番）が必要です" },
        { 初期FENで(" 1", ""), "手番の後が読めません: 0" },
        { 初期FENで(" 0", " -"), "手番の後が読めません: -" },
        { 初期FEN + " x", "手番の後が読めません: x" },
        { 初期FENで("ckc", "c1c"), "鵬は両方の側に1枚ずつ必要です（K と k）" },
        { 初期FENで("CKC", "KKC"), "鵬は両方の側に1枚ずつ必要です（K と k）" },
        { 初期FENで("[-]", "[Ss]"), "燕が18枚あります（盤と持駒で合わせて16枚まで）" },
        { 初期FENで("[-]", "[P]"), "雉が5枚あります（盤と持駒で合わせて4枚まで）" },
        { 初期FENで("[-]", "[c]"), "鶴が5枚あります（盤と持駒で合わせて4枚まで）" },
        { 初期FENで("[-]", "[f]"), "鷹が3枚あります（盤と持駒で合わせて2枚まで）" },
        { 初期FENで("[-]", "[L]"), "左鶉が3枚あります（盤と持駒で合わせて2枚まで）" },
        { 初期FENで("[-]", "[r]"), "右鶉が3枚あります（盤と持駒で合わせて2枚まで）" },
        { "S2k3/7/7/7/7/7/3K3[-] w 0 1",
            "下手（大文字）の燕が1段目にあります（燕は最後の段にいられません）" },
        { "3k3/7/7/7/7/7/3K2s[-] b 0 1",
            "上手（小文字）の燕が7段目にあります（燕は最後の段にいられません）" },
        { "3k3/7/s6/s6/s6/7/3K3[-] w 0 1",
            "一つの列に上手（小文字）の燕が3枚以上あります（2枚まで）" },
        { "3k3/6S/6S/7/6S/7/3K3[-] w 0 1",
            "一つの列に下手（大文字）の燕が3枚以上あります（2枚まで）" },
    };
    for (const auto& [text, reason] : cases) {
        FEN局面 p;
        p.盤[1][1] = 99;
        std::string said;
        EXPECT_FALSE(読込_FEN(text, p, said)) << text;
        EXPECT_EQ(said, reason) << text;
        EXPECT_EQ(p.盤[1][1], 99) << text;
    }
    // Geese do not count among the swallows of a column.
    読む("3k3/6+S/6S/7/6+S/7/3K2S[-] w 0 1");
}

// Random edits of valid strings: what the reader takes, it writes back and
// reads again as the same position; the rest it refuses with a reason.
TEST(Fen, EditedStringsAreReadWholeOrRefused)
{
    const std::string alphabet = "kfcplrsKFCPLRS+/1234567890[]- wb\t";
    uint32_t state = 5;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    int taken = 0;
    for (int i = 0; i < 4000; ++i) {
        std::string text = 初期FEN;
        for (int edits = 1 + next() % 3; edits > 0; --edits) {
            const size_t at = next() % text.size();
            const char ch = alphabet[next() % alphabet.size()];
            if (next() % 2 == 0)
                text.insert(at, 1, ch);
            else
                text[at] = ch;
        }
        FEN局面 p;
        std::string reason;
        if (!読込_FEN(text, p, reason)) {
            EXPECT_FALSE(reason.empty()) << text;
            continue;
        }
        ++taken;
        GameState set;
        設定_FEN局面(set, p);
        EXPECT_EQ(読む(書込_FEN(set)), p) << text;
    }
    EXPECT_GT(taken, 50);
}
