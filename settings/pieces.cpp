#include "settings/pieces.h"

#include "platform/menu_names.h"

namespace tori {

namespace {

    constexpr const char* key = "ui/pieces";

    const char* valueOf(PieceSet set) { return set == PieceSet::pictures ? "pictures" : "kanji"; }

} // namespace

PieceChoice::PieceChoice(Menu& menu, Surface& surface, Preferences& preferences)
    : menu(menu)
    , surface(surface)
    , preferences(preferences)
{
}

void PieceChoice::load()
{
    show(preferences.value(key, "") == valueOf(PieceSet::pictures) ? PieceSet::pictures
                                                                   : PieceSet::kanji);
}

// The surface draws the pieces on the screen again in the new set at once,
// whatever a game, a record or the move guidance shows at the moment.
void PieceChoice::PIECES_KANJI_Click()
{
    show(PieceSet::kanji);
    preferences.setValue(key, valueOf(PieceSet::kanji));
}

void PieceChoice::PIECES_PICTURES_Click()
{
    show(PieceSet::pictures);
    preferences.setValue(key, valueOf(PieceSet::pictures));
}

void PieceChoice::show(PieceSet set)
{
    menu.setChecked(menu::PIECES_KANJI, set == PieceSet::kanji);
    menu.setChecked(menu::PIECES_PICTURES, set == PieceSet::pictures);
    surface.setPieceSet(set);
}

} // namespace tori
