// The two mate tests: drops, flights and defences by board pieces, and the
// boards and tables they leave behind.
#include "engine_support.h"

#include <gtest/gtest.h>

using namespace tori;
using tori::testing::boardDiagram;
using tori::testing::fromDiagram;
using tori::testing::手駒;

namespace {

struct Surveyed {
    GameState g;
    EngineState e;
    explicit Surveyed(const std::string& diagram)
        : g(fromDiagram(diagram))
    {
        勢力調査(g, e);
    }
};

// The lower phoenix (4,7) is checked by an upper slider down column 4:
// the left quail (4,3). Its neighbours hold lower swallows, which can neither
// block the column nor take the quail.
const char* const 縦の王手 = "K......"
                             "......."
                             "...L..."
                             "......."
                             "......."
                             "..s.s.."
                             "..sks..";

} // namespace

TEST(MateOfTheLowerSide, AnAdjacentDefendedAttackerMates)
{
    // The upper crane (4,6) checks the phoenix (4,7) and is defended by the
    // swallow (4,5); it also covers (3,7) and (5,7), and (3,6), (5,6) hold
    // the lower side's own swallows, which cannot reach the crane.
    Surveyed p("K......"
               "......."
               "......."
               "......."
               "...S..."
               "..sCs.."
               "...k...");
    const std::string before = boardDiagram(p.g);
    const EngineState tables = p.e;
    EXPECT_EQ(詰めかMAN(p.g, p.e), 1);
    EXPECT_EQ(boardDiagram(p.g), before);
    EXPECT_EQ(p.e.COM王手, tables.COM王手);
    EXPECT_EQ(p.e.COM勢力, tables.COM勢力);

    // Without its defender the phoenix simply takes the crane.
    p.g.盤[4][5] = 空;
    勢力調査(p.g, p.e);
    EXPECT_EQ(詰めかMAN(p.g, p.e), 0);
}

TEST(MateOfTheLowerSide, ADropBlocksASlidingCheckUnlessTheHandHoldsOnlySwallows)
{
    Surveyed p(縦の王手);
    手駒(p.g, {}, { 0, 0, 1, 0, 0, 0, 0 }); // a pheasant
    EXPECT_EQ(詰めかMAN(p.g, p.e), 0);

    // Two swallows: the trial swallow comes off again at once, no flight is
    // free ((4,6) is on the quail's line), and no swallow reaches the column.
    手駒(p.g, {}, { 0, 2, 0, 0, 0, 0, 0 });
    const std::string before = boardDiagram(p.g);
    EXPECT_EQ(詰めかMAN(p.g, p.e), 1);
    EXPECT_EQ(boardDiagram(p.g), before);

    // A swallow and a pheasant: not every piece is a swallow, so the drop counts.
    手駒(p.g, {}, { 0, 1, 1, 0, 0, 0, 0 });
    EXPECT_EQ(詰めかMAN(p.g, p.e), 0);
}

TEST(MateOfTheLowerSide, ABoardPieceThatBlocksTheLineDefends)
{
    // A crane on (3,7) instead of the swallow steps diagonally onto (4,6).
    Surveyed p(縦の王手);
    p.g.盤[3][7] = -鶴;
    勢力調査(p.g, p.e);
    const std::string before = boardDiagram(p.g);
    EXPECT_EQ(詰めかMAN(p.g, p.e), 0);
    EXPECT_EQ(boardDiagram(p.g), before);
}

TEST(MateOfTheLowerSide, RetreatingAlongTheSlidersLineIsNoEscape)
{
    // The upper eagle (4,7) checks the phoenix (4,5) up the column. Its line
    // runs on through the phoenix to (4,4), so that square is attacked too;
    // every other neighbour holds a lower swallow.
    Surveyed p("K......"
               "......."
               "......."
               "..s.s.."
               "..sks.."
               "..s.s.."
               "...E...");
    ASSERT_EQ(p.e.COM勢力[4][4], 1);
    EXPECT_EQ(詰めかMAN(p.g, p.e), 1);
}

TEST(MateTests, NoCheckNoMate)
{
    GameState g;
    初期設定(g);
    EngineState e;
    勢力調査(g, e);
    EXPECT_EQ(詰めかMAN(g, e), 0);
    EXPECT_EQ(詰めかCOM(g, e), 0);
}

TEST(MateOfTheUpperSide, TheDefenceIsLookedForOnTheMapOfTheCheckedPosition)
{
    // The lower falcon (4,2) checks the upper phoenix (4,1) and is defended
    // by the swallow (4,3); every flight is covered. The first defender in
    // the scan, the falcon (3,2), can take the checking falcon, but it stands
    // on the lower eagle's diagonal (1,4)-(2,3)-(3,2)-(4,1): its capture
    // uncovers a second check. The crane (5,1), later in the scan, takes the
    // falcon and keeps the diagonal shut: a defence, so not mated. Looking
    // for the crane's square on the check map of the first trial (which
    // marks only the eagle's diagonal) would have missed it.
    Surveyed p("...KC.."
               "..Ff..."
               "...s..."
               "e......"
               "......."
               "......."
               "......k");
    ASSERT_EQ(p.e.MAN王手[4][2], 9);
    ASSERT_EQ(p.e.MAN勢力[4][1], 1);
    const std::string before = boardDiagram(p.g);
    EXPECT_EQ(詰めかCOM(p.g, p.e), 0);
    EXPECT_EQ(boardDiagram(p.g), before);
    // The tables now describe the last trial, the crane on (4,2).
    EXPECT_EQ(p.e.MAN王手[4][2], 0);
    EXPECT_EQ(p.e.MAN勢力[4][1], 0);

    // Without the crane the only capture uncovers the eagle: mated.
    p.g.盤[5][1] = 空;
    勢力調査(p.g, p.e);
    const std::string alone = boardDiagram(p.g);
    EXPECT_EQ(詰めかCOM(p.g, p.e), 1);
    EXPECT_EQ(boardDiagram(p.g), alone);
}

TEST(MateOfTheUpperSide, DropsFlightsAndTheSwallowOnlyHand)
{
    // The lower left quail (4,7) checks the upper phoenix (4,2) up column 4.
    // Upper swallows hold (3,1), (5,1), (3,2), (5,2) and (3,3), (5,3); the
    // phoenix's square behind it, (4,1), lies on the quail's line.
    Surveyed p("..S.S.."
               "..SKS.."
               "..S.S.."
               "......."
               "......."
               "......."
               "...l..k");
    ASSERT_EQ(p.e.MAN勢力[4][1], 1);
    手駒(p.g, { 0, 3, 0, 0, 0, 0, 0 }, {});
    EXPECT_EQ(詰めかCOM(p.g, p.e), 1);
    勢力調査(p.g, p.e);
    手駒(p.g, { 0, 0, 0, 1, 0, 0, 0 }, {}); // a crane, dropped on the column, blocks
    EXPECT_EQ(詰めかCOM(p.g, p.e), 0);
}
