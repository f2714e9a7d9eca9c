// The tori-engine line protocol: replies, refusals and the state it keeps.
#include "protocol.h"
#include "rules/rules.h"
#include "search/game.h"
#include "support/diagram.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace tori;

namespace {

std::string ask(EngineSession& s, const std::string& line)
{
    std::string reply;
    s.command(line, reply);
    return reply;
}

// "position" for a diagram and two hands given as six counts each.
std::string positionOf(const std::string& diagram, const std::string& com = "0 0 0 0 0 0",
    const std::string& man = "0 0 0 0 0 0")
{
    const GameState g = tori::testing::fromDiagram(diagram);
    std::string line = search::書出_局面行(g);
    return line.substr(0, line.size() - std::string(" 0 0 0 0 0 0 0 0 0 0 0 0").size()) + " " + com
        + " " + man;
}

const std::string start
    = "position 900 30 110 950 110 30 800 0 0 0 100 0 0 0 10 10 10 10 10 10 10 0 0 10 0 -10 0 0 "
      "-10 -10 -10 -10 -10 -10 -10 0 0 0 -100 0 0 0 -800 -30 -110 -950 -110 -30 -900 "
      "0 0 0 0 0 0 0 0 0 0 0 0";

} // namespace

TEST(Protocol, StartsInTheStartingPositionAtLevelThree)
{
    EngineSession s;
    EXPECT_EQ(ask(s, "show"), start);
    EXPECT_EQ(s.game().レベル, 3);
    EXPECT_EQ(s.game().COM手番, 6);
    EXPECT_EQ(s.game().MAN手番, 7);
}

// The computer's first reply from the starting position at each level, worked
// out from the evaluation's terms.
TEST(Protocol, FirstRepliesFromTheStartingPosition)
{
    // Level 1: only the first stage counts. No move checks, promotes or forks
    // (every lower piece is defended), so every move scores 0 and the first one
    // in the order is played: the right quail (1,1) to (1,2).
    EngineSession s1;
    ask(s1, "level 1");
    EXPECT_EQ(ask(s1, "go"), "com 1 1 1 2 900 900 0.0000 mate=0 winner=none");

    // Level 2: the swallow (3,4) takes the swallow on (3,5), the only capture.
    // Approach: row distance 2 to the phoenix on (4,7) is below the old
    // distance 3, +0.1. The destination is attacked by the falcon (4,6) and not
    // defended, but the swallow was attacked where it stood, so no loss term.
    // Capture: attacked before, and from (3,4) it has no square left (its only
    // step is onto itself): +10; the swallow captured is worth as much as the
    // capturer: +10. 20.1.
    EngineSession s2;
    ask(s2, "level 2");
    EXPECT_EQ(ask(s2, "go"), "com 3 4 3 5 10 10 20.1000 mate=0 winner=none");

    // Level 3 adds the swallow block: a board move -0.1; the capture with the
    // origin (3,4) reached only by the swallow (3,3) and no left quail two rows
    // behind the target: +5. 25.0.
    EngineSession s3;
    EXPECT_EQ(ask(s3, "go"), "com 3 4 3 5 10 10 25.0000 mate=0 winner=none");
    // Then the lower swallow (5,4) takes the upper swallow (5,3). The upper
    // swallow on (3,5) steps to (3,6) and promotes (a swallow always does):
    // +10 for the promotion, +0.1 for the approach (row distance 1 < 2); the
    // goose stands attacked by three and defended by none, but it stood
    // attacked before, so nothing is taken off. 10.1.
    EXPECT_EQ(ask(s3, "man 5 4 5 3 -10"), "man mated=0 winner=none");
    EXPECT_EQ(ask(s3, "go"), "com 3 5 3 6 10 11 10.1000 mate=0 winner=none");
}

TEST(Protocol, MalformedLinesChangeNothing)
{
    EngineSession s;
    EXPECT_EQ(ask(s, ""), "error empty line");
    EXPECT_EQ(ask(s, "fly"), "error unknown command fly");
    EXPECT_EQ(ask(s, "level 6"), "error level takes 1, 2, 3, 4 or 5");
    EXPECT_EQ(ask(s, "level two"), "error arguments must be integers");
    EXPECT_EQ(ask(s, "level 2 3"), "error level takes 1, 2, 3, 4 or 5");
    EXPECT_EQ(ask(s, "position 1 2 3"), "error position takes 49 squares and 12 hand counts");
    EXPECT_EQ(ask(s, "go depth 3"), "error go limits need level 4 or 5");
    ask(s, "level 4");
    EXPECT_EQ(ask(s, "go now"), "error go takes movetime MS, depth N or nodes N");
    EXPECT_EQ(ask(s, "go depth 0"), "error go takes movetime MS, depth N or nodes N");
    ask(s, "level 3");
    EXPECT_EQ(ask(s, "man 4 5 4 4"), "error man takes FC FR TC TR PLACED");
    EXPECT_EQ(ask(s, "man 4 5 4 4 -1O"), "error arguments must be integers");
    // A board code that is no piece, and a negative hand count.
    std::string bad = start;
    bad.replace(bad.find("900"), 3, "901");
    EXPECT_EQ(ask(s, bad), "error not a piece code: 901");
    std::string negative = start.substr(0, start.size() - 1) + "-1";
    EXPECT_EQ(ask(s, negative), "error a hand count is 0..16");
    EXPECT_EQ(ask(s, "show"), start);
    EXPECT_EQ(s.game().レベル, 3);
    // Line ends of either kind and surrounding blanks are accepted.
    EXPECT_EQ(ask(s, "  show \r"), start);
}

TEST(Protocol, PositionSetsBoardHandsAndClearsTheGame)
{
    EngineSession s;
    ask(s, "go");
    ask(s, "man 5 4 5 3 -10");
    const std::string line = positionOf("...K..."
                                        "......."
                                        "......."
                                        "......."
                                        "......."
                                        "......."
                                        "k......",
        "2 0 1 0 0 0", "0 3 0 0 0 1");
    EXPECT_EQ(ask(s, line), "");
    EXPECT_EQ(ask(s, "show"), line);
    EXPECT_EQ(s.game().持駒数_COM, 3);
    EXPECT_EQ(s.game().持駒数_MAN, 4);
    EXPECT_EQ(s.game().記録手数, 0);
    EXPECT_EQ(s.game().手数, 0);
    EXPECT_EQ(s.game().最終記録手数, 0);
    EXPECT_EQ(s.game().MAN鵬_列, 1);
    EXPECT_EQ(s.game().MAN鵬_段, 7);
}

TEST(Protocol, HumanMovesAreCheckedAsTheMouseChecksThem)
{
    EngineSession s;
    EXPECT_EQ(ask(s, "man 4 5 4 3 -10"), "error illegal"); // two steps
    EXPECT_EQ(ask(s, "man 3 4 3 5 10"), "error illegal"); // an upper piece
    EXPECT_EQ(ask(s, "man 9 2 4 4 -10"), "error illegal"); // an empty hand slot
    EXPECT_EQ(ask(s, "man 4 5 4 4 -11"), "error illegal"); // no promotion on row 4
    EXPECT_EQ(ask(s, "show"), start);
    // A swallow may not stay unpromoted on row 1, and promotes on row 2 only
    // when asked for.
    const std::string line = positionOf("...K..."
                                        ".s....."
                                        "......s"
                                        "......."
                                        "......."
                                        "......."
                                        "...k...");
    ask(s, line);
    EXPECT_EQ(ask(s, "man 2 2 2 1 -10"), "error illegal");
    EXPECT_EQ(ask(s, "man 2 2 2 1 -11"), "man mated=0 winner=none");
    EXPECT_EQ(s.game().盤[2][1], -鴈);
    ask(s, line);
    EXPECT_EQ(ask(s, "man 7 3 7 2 -10"), "man mated=0 winner=none");
    EXPECT_EQ(s.game().盤[7][2], -燕);
}

TEST(Protocol, AWonGameRefusesBothSides)
{
    EngineSession s;
    // The lower falcon takes the upper phoenix.
    ask(s,
        positionOf("...K..."
                   "...f..."
                   "......."
                   "......."
                   "......."
                   "......."
                   "...k..."));
    EXPECT_EQ(ask(s, "man 4 2 4 1 -100"), "man mated=0 winner=man");
    EXPECT_EQ(ask(s, "go"), "error over");
    EXPECT_EQ(ask(s, "man 4 1 4 2 -100"), "error over");
    // The computer takes the lower phoenix: a win, and no mate is reported.
    // Both the falcon and the eagle would score 9999; the falcon stays a
    // falcon, as the promoted score is not strictly higher.
    ask(s,
        positionOf("...K..."
                   "......."
                   "......."
                   "......."
                   "......."
                   "...F..."
                   "...k..."));
    EXPECT_EQ(ask(s, "go"), "com 4 6 4 7 100 100 9999.0000 mate=0 winner=com");
    EXPECT_EQ(ask(s, "go"), "error over");
}

TEST(Protocol, NoLegalMoveAndAFullRecord)
{
    EngineSession s;
    // An upper side with no piece at all has nothing to play.
    ask(s,
        positionOf("......."
                   "......."
                   "......."
                   "......."
                   "......."
                   "......."
                   "...k..."));
    EXPECT_EQ(ask(s, "go"), "com none");
    EXPECT_EQ(s.game().記録手数, 0);

    // Phoenixes stepping to and fro until the record holds 500 moves.
    ask(s,
        positionOf("K......"
                   "......."
                   "......."
                   "......."
                   "......."
                   "......."
                   "......k"));
    for (int n = 0; n < 250; ++n) {
        ASSERT_EQ(ask(s, "go").rfind("com ", 0), 0u);
        const int c = s.game().MAN鵬_列, r = s.game().MAN鵬_段;
        const std::string back = c == 7 ? "man 7 7 6 7 -950" : "man 6 7 7 7 -950";
        ASSERT_EQ(ask(s, back), "man mated=0 winner=none")
            << "move " << n << " from " << c << "," << r;
    }
    EXPECT_EQ(s.game().記録手数, 500);
    EXPECT_EQ(ask(s, "go"), "error full");
    EXPECT_EQ(ask(s, "man 7 7 6 7 -950"), "error full");
}

TEST(Protocol, QuitEndsTheSession)
{
    EngineSession s;
    std::string reply;
    EXPECT_FALSE(s.command("quit", reply));
    EXPECT_EQ(reply, "");
    EXPECT_TRUE(s.command("show", reply));
}

TEST(Protocol, LevelsFourAndFiveSearchWithInfoLinesBeforeTheirMove)
{
    // One info line per completed depth, then the move in the usual format.
    EngineSession s;
    ask(s, "level 4");
    const std::string reply = ask(s, "go depth 3");
    std::istringstream lines(reply);
    std::string line;
    for (int depth = 1; depth <= 3; ++depth) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line.rfind("info depth " + std::to_string(depth) + " score cp ", 0), 0u) << line;
        EXPECT_NE(line.find(" nodes "), std::string::npos);
        EXPECT_NE(line.find(" pv "), std::string::npos);
    }
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line.rfind("com ", 0), 0u) << line;
    EXPECT_NE(line.find(" mate=0 winner=none"), std::string::npos);
    EXPECT_FALSE(std::getline(lines, line));
    EXPECT_EQ(s.game().記録手数, 1);

    // A fixed node count gives the same move in a fresh session.
    EngineSession a, b;
    ask(a, "level 5");
    ask(b, "level 5");
    auto lastLine = [](const std::string& text) { return text.substr(text.rfind('\n') + 1); };
    EXPECT_EQ(lastLine(ask(a, "go nodes 5000")), lastLine(ask(b, "go nodes 5000")));

    // The lower phoenix next to an upper crane: taken at once.
    ask(s,
        positionOf("......."
                   "......."
                   "......."
                   "...K..."
                   "...C..."
                   "...k..."
                   "......."));
    EXPECT_EQ(
        lastLine(ask(s, "go movetime 50")), "com 4 5 4 6 110 110 9999.0000 mate=0 winner=com");
}

// The clocks after go: levels 4 and 5 think within the computer's own clock
// (btime, binc, byoyomi); levels 1-3 answer as with a bare go.
TEST(Protocol, GoWithClocksKeepsToTheComputersTime)
{
    EngineSession s;
    EXPECT_EQ(
        ask(s, "go btime"), "error go takes wtime, btime, winc, binc and byoyomi in milliseconds");
    EXPECT_EQ(ask(s, "go btime -5"),
        "error go takes wtime, btime, winc, binc and byoyomi in milliseconds");
    EXPECT_EQ(ask(s, "go btime 5 btime 6"),
        "error go takes wtime, btime, winc, binc and byoyomi in milliseconds");
    EXPECT_EQ(ask(s, "go btime 5 depth 3"),
        "error go takes wtime, btime, winc, binc and byoyomi in milliseconds");
    EXPECT_EQ(s.game().記録手数, 0);
    EngineSession bare;
    EXPECT_EQ(ask(s, "go wtime 60000 btime 60000"), ask(bare, "go"));

    // One second of byo-yomi and no main time: no depth reported after the
    // time the clock allows, less its margin (a little slack for the report).
    EngineSession five;
    ask(five, "level 5");
    const std::string reply = ask(five, "go byoyomi 1000 btime 0 wtime 30000 binc 0 winc 0");
    ASSERT_NE(reply.find("\ncom "), std::string::npos) << reply;
    std::istringstream lines(reply);
    std::string line;
    int reports = 0;
    while (std::getline(lines, line)) {
        const auto at = line.find(" time ");
        if (line.rfind("info", 0) != 0 || at == std::string::npos)
            continue;
        ++reports;
        EXPECT_LE(std::stoi(line.substr(at + 6)), 700 + 100) << line;
    }
    EXPECT_GT(reports, 0);
}
