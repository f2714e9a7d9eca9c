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

std::string 拒否理由(const std::string& text)
{
    FEN局面 p;
    p.上手番 = true;
    p.盤[1][1] = 99; // must stay as it was
    std::string reason;
    EXPECT_FALSE(読込_FEN(text, p, reason)) << text;
    EXPECT_EQ(p.盤[1][1], 99);
    return reason;
}

} // namespace

TEST(Fen, StartPositionIsWrittenExactlyAndReadBackInBothForms)
{
    GameState g;
    初期設定(g);
    EXPECT_EQ(書込_FEN(g), 初期FEN);

    GameState start;
    初期設定(start);
    for (const char* text : { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w 0 1",
             "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[] w - - 0 1",
             "  rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-]\tw\r\n",
             "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[] w - - 12 7" }) {
        const FEN局面 p = 読む(text);
        EXPECT_EQ(p.盤, start.盤) << text;
        EXPECT_FALSE(p.上手番);
        EXPECT_EQ(p.持駒_MAN, (std::array<int, 7> {}));
        EXPECT_EQ(p.持駒_COM, (std::array<int, 7> {}));
    }
}

// Every kind of piece of both sides, promoted ones and both hands, against a
// string worked out by hand.
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
    初期設定(set);
    設定_FEN局面(set, p);
    EXPECT_EQ(set.持駒数_MAN, 4);
    EXPECT_EQ(set.持駒数_COM, 3);
    EXPECT_EQ(set.FEN手番, 1);
    EXPECT_EQ(set.MAN鵬_列, 4);
    EXPECT_EQ(set.MAN鵬_段, 7);
    EXPECT_EQ(set.COM鵬_列, 4);
    EXPECT_EQ(set.COM鵬_段, 1);
}

// Every position of random games, with both phoenixes on the board: written,
// read, set on a fresh state and written again gives the same position and
// the same string. Stepping back from the end also checks the side to move.
TEST(Fen, RoundTripsOverPositionsOfRandomGames)
{
    int positions = 0;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        GameState game;
        対局(game, 160, seed);
        const int moves = game.記録手数;
        GameState g = game;
        初期設定(g);
        g.最終記録手数 = moves;
        for (int n = 0; n <= moves; ++n) {
            if (n > 0) {
                再生_棋譜手(g, n);
                g.記録手数 = n;
            }
            int phoenixes = 0;
            for (int c = 1; c <= 7; ++c)
                for (int r = 1; r <= 7; ++r)
                    phoenixes += std::abs(g.盤[c][r]) == 鵬 ? 1 : 0;
            if (phoenixes != 2)
                continue;
            const std::string text = 書込_FEN(g);
            // The lower side makes the odd moves of these games.
            EXPECT_EQ(text.substr(text.size() - 5), n % 2 == 0 ? "w 0 1" : "b 0 1") << text;
            FEN局面 p;
            std::string reason;
            ASSERT_TRUE(読込_FEN(text, p, reason)) << text << ": " << reason;
            GameState fresh;
            初期設定(fresh);
            設定_FEN局面(fresh, p);
            EXPECT_EQ(fresh.盤, g.盤) << text;
            EXPECT_EQ(fresh.持駒_MAN, g.持駒_MAN) << text;
            EXPECT_EQ(fresh.持駒_COM, g.持駒_COM) << text;
            EXPECT_EQ(書込_FEN(fresh), text);
            ++positions;
        }
    }
    EXPECT_GT(positions, 1000);
}

TEST(Fen, SideToMove)
{
    GameState g;
    対局(g, 5, 7); // lower, upper, lower, upper, lower
    ASSERT_EQ(g.記録手数, 5);
    g.手番 = -1;
    EXPECT_TRUE(調査_上手番(g)); // after the lower side's fifth move
    g.手番 = g.MAN手番;
    EXPECT_FALSE(調査_上手番(g)); // a running game's turn counts first
    g.手番 = -1;
    g.記録手数 = 0; // stepped back to the start, or a record just loaded
    EXPECT_FALSE(調査_上手番(g));
    g.棋譜_成駒[1] = 燕; // a record whose first move is the upper side's
    EXPECT_TRUE(調査_上手番(g));

    初期設定(g);
    g.最終記録手数 = 0;
    EXPECT_FALSE(調査_上手番(g)); // no game, no record
    g.FEN手番 = 1;
    EXPECT_TRUE(調査_上手番(g));
}

TEST(Fen, EveryRefusalSaysWhatIsWrong)
{
    struct Case {
        std::string text;
        std::string reason;
    };
    const Case cases[] = {
        { "", "FENがありません（クリップボードが空です）" },
        { " \n", "FENがありません（クリップボードが空です）" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR w 0 1",
            "盤の後に持駒の欄 [ ] がありません" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[- w 0 1",
            "盤の後に持駒の欄 [ ] がありません" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3[-] w 0 1",
            "盤の段の数が6です（7段を / で区切ります）" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR/7[-] w 0 1",
            "盤の段の数が8です（7段を / で区切ります）" },
        { "rpckcpl/3f3/sssssss/2s1S1/SSSSSSS/3F3/LPCKCPR[-] w 0 1",
            "4段目の桝が6つしかありません（7つ必要です）" },
        { "rpckcpl/3f4/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w 0 1",
            "2段目の桝が7つを超えています" },
        { "rpckcpls/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w 0 1",
            "1段目の桝が7つを超えています" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPQ[-] w 0 1",
            "7段目に駒でない文字があります: Q" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPC鵬CPR[-] w 0 1",
            "7段目に駒でない文字があります: 鵬" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCP0[-] w 0 1",
            "7段目に駒でない文字があります: 0" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3+C3/LPCKCPR[-] w 0 1",
            "6段目の C は成れない駒です: +C" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR+[-] w 0 1",
            "7段目の + の後に駒の文字がありません" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[K] w 0 1", "鵬は持駒にできません" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[+S] w 0 1",
            "持駒は成る前の駒の文字で書きます（+ は付けません）" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[S2] w 0 1",
            "持駒に駒でない文字があります: 2" },
        { 初期FEN.substr(0, 初期FEN.size() - 6) + " x 0 1",
            "持駒の後に手番 w（下手の番）か b（上手の番）が必要です" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-]",
            "持駒の後に手番 w（下手の番）か b（上手の番）が必要です" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w 0", "手番の後が読めません: 0" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w - 0 1", "手番の後が読めません: -" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w 0 1 x", "手番の後が読めません: x" },
        { "rpc1cpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[-] w 0 1",
            "鵬は両方の側に1枚ずつ必要です（K と k）" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKKPR[-] w 0 1",
            "鵬は両方の側に1枚ずつ必要です（K と k）" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[Ss] w 0 1",
            "燕が18枚あります（盤と持駒で合わせて16枚まで）" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[P] w 0 1",
            "雉が5枚あります（盤と持駒で合わせて4枚まで）" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[c] w 0 1",
            "鶴が5枚あります（盤と持駒で合わせて4枚まで）" },
        { "rpckcpl/3+f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[f] w 0 1",
            "鷹が3枚あります（盤と持駒で合わせて2枚まで）" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[L] w 0 1",
            "左鶉が3枚あります（盤と持駒で合わせて2枚まで）" },
        { "rpckcpl/3f3/sssssss/2s1S2/SSSSSSS/3F3/LPCKCPR[r] w 0 1",
            "右鶉が3枚あります（盤と持駒で合わせて2枚まで）" },
        { "S2k3/7/7/7/7/7/3K3[-] w 0 1",
            "下手（大文字）の燕が1段目にあります（燕は最後の段にいられません）" },
        { "3k3/7/7/7/7/7/3K2s[-] b 0 1",
            "上手（小文字）の燕が7段目にあります（燕は最後の段にいられません）" },
        { "3k3/7/s6/s6/s6/7/3K3[-] w 0 1",
            "一つの列に上手（小文字）の燕が3枚以上あります（2枚まで）" },
        { "3k3/6S/6S/7/6S/7/3K3[-] w 0 1",
            "一つの列に下手（大文字）の燕が3枚以上あります（2枚まで）" },
        { std::string(1001, ' '), "FENとしては長すぎます（1001バイト）" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(拒否理由(c.text), c.reason) << c.text;

    // Two geese and a swallow in one column are allowed, and so are two
    // swallows: only three unpromoted ones are refused.
    読む("3k3/6+S/6S/7/6+S/7/3K2S[-] w 0 1");
}

// Random edits of valid strings: a string the reader takes is a position it
// writes back and reads again as the same; the rest is refused with a reason.
TEST(Fen, EditedStringsAreReadOrRefusedNeverHalfRead)
{
    GameState game;
    対局(game, 60, 11);
    const std::string base = 書込_FEN(game);
    const std::string alphabet = "kfcplrsKFCPLRS+/1234567890[]- wb\t";
    uint32_t state = 5;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    int taken = 0;
    for (int i = 0; i < 4000; ++i) {
        std::string text = i % 2 == 0 ? base : 初期FEN;
        for (int edits = 1 + next() % 3; edits > 0; --edits) {
            const size_t at = next() % (text.size() + 1);
            switch (next() % 3) {
            case 0:
                text.insert(at, 1, alphabet[next() % alphabet.size()]);
                break;
            case 1:
                if (at < text.size())
                    text.erase(at, 1);
                break;
            default:
                if (at < text.size())
                    text[at] = alphabet[next() % alphabet.size()];
            }
        }
        FEN局面 p;
        std::string reason;
        if (!読込_FEN(text, p, reason)) {
            EXPECT_FALSE(reason.empty()) << text;
            continue;
        }
        ++taken;
        GameState set;
        初期設定(set);
        設定_FEN局面(set, p);
        EXPECT_EQ(読む(書込_FEN(set)), p) << text;
    }
    EXPECT_GT(taken, 100);
}
