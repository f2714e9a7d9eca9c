// 局面 → FENｺﾋﾟｰ and FEN貼付: the position on the board to and from the
// clipboard as a FEN string (record/fen.h).
#pragma once

#include "display/display.h"
#include "platform/clipboard.h"
#include "platform/message_boxes.h"
#include "platform/sounds.h"
#include "platform/timer.h"
#include "rules/state.h"

namespace tori {

class FenCommands {
public:
    FenCommands(GameState& g, Display& display, MessageBoxes& boxes, Sounds& sounds, Timer& timer,
        Clipboard& clipboard);

    void FEN_COPY_Click();
    // Sets the position from the clipboard, as a handicap edits it: only before
    // the first move of a game or with no game running. The record is cleared,
    // a game not yet begun is ended, and the string's side to move begins the
    // next game; 書込 refuses the game afterwards, until 最初.
    void FEN_PASTE_Click();

private:
    void 拒否(const std::string& text);

    GameState& g;
    Display& display;
    MessageBoxes& boxes;
    Sounds& sounds;
    Timer& timer;
    Clipboard& clipboard;
};

} // namespace tori
