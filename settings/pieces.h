// ｵﾌﾟｼｮﾝ → 駒: the pieces drawn with their kanji (the game's own way) or as
// pictures of their birds, for players who do not read the kanji. The choice
// is kept as ui/pieces = kanji or pictures in zr-torishogi.conf; the four
// lines of "ZR鳥将棋.ini" stay as they are.
#pragma once

#include "platform/menu.h"
#include "platform/preferences.h"
#include "platform/surface.h"

namespace tori {

class PieceChoice {
public:
    PieceChoice(Menu& menu, Surface& surface, Preferences& preferences);

    // Start-up: the kept choice, checked and drawn; kanji when none is kept or
    // the file holds a value it does not know.
    void load();

    void PIECES_KANJI_Click();
    void PIECES_PICTURES_Click();

private:
    void show(PieceSet set);

    Menu& menu;
    Surface& surface;
    Preferences& preferences;
};

} // namespace tori
