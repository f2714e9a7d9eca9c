// ｵﾌﾟｼｮﾝ → 駒: the choice between the kanji and the pictures of the birds,
// checked in the menu, drawn by the surface and kept in zr-torishogi.conf.
#include "settings/pieces.h"

#include "platform/menu_names.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

using namespace tori;
using namespace tori::testing;

namespace {

// One run of the program over the choices kept by earlier runs.
struct Session {
    explicit Session(FakePreferences& kept)
        : choice(menu, surface, kept)
    {
    }
    bool kanjiChecked() const { return menu.checked(menu::PIECES_KANJI); }
    bool picturesChecked() const { return menu.checked(menu::PIECES_PICTURES); }

    FakeMenu menu;
    RecordingSurface surface;
    PieceChoice choice;
};

} // namespace

TEST(Pieces, WithNoChoiceKeptThePiecesAreKanjiAndNothingIsWritten)
{
    FakePreferences kept;
    Session run(kept);
    run.surface.pieces = PieceSet::pictures; // so that the kanji must be asked for
    run.choice.load();
    EXPECT_EQ(run.surface.pieces, PieceSet::kanji);
    EXPECT_TRUE(run.kanjiChecked());
    EXPECT_FALSE(run.picturesChecked());
    EXPECT_TRUE(kept.values.empty());
}

TEST(Pieces, TheChoiceIsKeptAndTheNextRunStartsWithIt)
{
    FakePreferences kept;
    {
        Session run(kept);
        run.choice.load();
        run.choice.PIECES_PICTURES_Click();
        EXPECT_EQ(run.surface.pieces, PieceSet::pictures);
        EXPECT_TRUE(run.picturesChecked());
        EXPECT_FALSE(run.kanjiChecked());
        EXPECT_EQ(kept.values.at("ui/pieces"), "pictures");
    }
    {
        Session run(kept);
        run.choice.load();
        EXPECT_EQ(run.surface.pieces, PieceSet::pictures);
        EXPECT_TRUE(run.picturesChecked());
        EXPECT_FALSE(run.kanjiChecked());

        run.choice.PIECES_KANJI_Click();
        EXPECT_EQ(run.surface.pieces, PieceSet::kanji);
        EXPECT_TRUE(run.kanjiChecked());
        EXPECT_FALSE(run.picturesChecked());
        EXPECT_EQ(kept.values.at("ui/pieces"), "kanji");
    }
    Session third(kept);
    third.surface.pieces = PieceSet::pictures;
    third.choice.load();
    EXPECT_EQ(third.surface.pieces, PieceSet::kanji);
}

// A hand-edited file cannot leave the menu with no set checked.
TEST(Pieces, AValueItDoesNotKnowReadsAsKanji)
{
    for (const char* value : { "", "Pictures", "emoji", "pictures " }) {
        FakePreferences kept;
        kept.values["ui/pieces"] = value;
        Session run(kept);
        run.surface.pieces = PieceSet::pictures;
        run.choice.load();
        EXPECT_EQ(run.surface.pieces, PieceSet::kanji) << value;
        EXPECT_TRUE(run.kanjiChecked()) << value;
        EXPECT_FALSE(run.picturesChecked()) << value;
    }
}
