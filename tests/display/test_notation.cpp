// Moves in English: the notation of the variant's international players, in
// the move texts the window shows and lists; Japanese unchanged without a catalog.
#include "display/display.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

using namespace tori;
using namespace tori::testing;

namespace {

// Record entry 1 of a state: `piece` from (fromCol, fromRow) to (col, row),
// standing there as `placed`, capturing `taken`.
GameState entry(int piece, int fromCol, int fromRow, int col, int row, int placed, int taken = 空)
{
    GameState g;
    g.棋譜_駒[1] = piece;
    g.棋譜_元列[1] = fromCol;
    g.棋譜_元段[1] = fromRow;
    g.棋譜_先列[1] = col;
    g.棋譜_先段[1] = row;
    g.棋譜_成駒[1] = placed;
    g.棋譜_取駒[1] = taken;
    g.記録手数 = g.最終記録手数 = 1;
    return g;
}

} // namespace

TEST(Notation, EveryKindOfMove)
{
    // Columns are counted as the board labels them: column 3 from the left is 5.
    EXPECT_EQ(国際棋譜手(entry(-燕, 3, 4, 3, 3, -燕), 1), "S-53");
    EXPECT_EQ(国際棋譜手(entry(-鷹, 2, 5, 4, 4, -鷹成, 燕), 1), "Fx44+");
    EXPECT_EQ(国際棋譜手(entry(-燕, MAN持駒列, 2, 5, 3, -燕), 1), "S*33");
    EXPECT_EQ(国際棋譜手(entry(燕, COM持駒列, 1, 1, 5, 燕), 1), "S*75");
    EXPECT_EQ(国際棋譜手(entry(-燕, 6, 2, 6, 1, -鴈, 雉), 1), "Sx21+");
    EXPECT_EQ(国際棋譜手(entry(-鷹成, 4, 4, 4, 1, -鷹成), 1), "+F-41");
    EXPECT_EQ(国際棋譜手(entry(鴈, 2, 2, 2, 3, 鴈, -右鶉), 1), "+Sx63");
    EXPECT_EQ(国際棋譜手(entry(-鵬, 4, 7, 4, 6, -鵬), 1), "K-46");
    EXPECT_EQ(国際棋譜手(entry(鶴, 1, 1, 2, 2, 鶴), 1), "C-62");
    EXPECT_EQ(国際棋譜手(entry(雉, 5, 1, 5, 2, 雉), 1), "P-32");
    EXPECT_EQ(国際棋譜手(entry(-左鶉, 7, 7, 1, 1, -左鶉, 鵬), 1), "Lx71");
    EXPECT_EQ(国際棋譜手(entry(-右鶉, 1, 7, 7, 1, -右鶉), 1), "R-11");
    // A falcon dropped from the hand stays a falcon: no promotion sign.
    EXPECT_EQ(国際棋譜手(entry(-鷹, MAN持駒列, 5, 4, 1, -鷹), 1), "F*41");
    EXPECT_EQ(国際棋譜手(entry(-燕, 3, 4, 3, 3, -燕), 0), "");
    EXPECT_EQ(国際棋譜手(entry(-燕, 3, 4, 3, 3, -燕), 最大手数 + 1), "");
}

TEST(Notation, ChosenWithTheLanguage)
{
    const GameState g = entry(-鷹, 2, 5, 4, 4, -鷹成, 燕);
    EXPECT_FALSE(国際表記());
    const std::string japanese = 変換_棋譜手(g, 1);
    EXPECT_EQ(japanese.rfind("４四", 0), 0u) << japanese;
    {
        FakeCatalog english;
        english.texts["対局"] = "Game";
        UsingCatalog using_(english);
        EXPECT_TRUE(国際表記());
        EXPECT_EQ(変換_棋譜手(g, 1), "Fx44+");
    }
    EXPECT_EQ(変換_棋譜手(g, 1), japanese);
}

TEST(Notation, LastMoveTextOnTheBoard)
{
    GameState g = entry(-鷹, 2, 5, 4, 4, -鷹成, 燕);
    RecordingSurface surface;
    FakeMenu menu;
    Display display(g, surface, menu);
    FakeCatalog english;
    {
        UsingCatalog using_(english);
        display.描画_移動結果(g.MAN手番, 4, 4, -鷹成, 白);
        EXPECT_TRUE(surface.drewText("Fx44+"));
        // A move text without its record entry: the piece and its square.
        display.描画_移動結果(g.COM手番, 2, 3, 鶴, 白);
        EXPECT_TRUE(surface.drewText("C63"));
    }
    // Back in Japanese a redraw shows the same moves in Japanese words.
    surface.calls.clear();
    display.画面_再描画();
    EXPECT_FALSE(surface.drewText("Fx44+"));
    EXPECT_TRUE(surface.drewText("鷹成"));
    EXPECT_TRUE(surface.drewText("鶴"));
    // And in English again the whole move as it was first shown.
    UsingCatalog using_(english);
    surface.calls.clear();
    display.画面_再描画();
    EXPECT_TRUE(surface.drewText("Fx44+"));
    EXPECT_TRUE(surface.drewText("C63"));
}
