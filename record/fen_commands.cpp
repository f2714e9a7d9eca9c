#include "record/fen_commands.h"

#include "platform/translation.h"
#include "record/fen.h"

namespace tori {

FenCommands::FenCommands(GameState& g, Display& display, MessageBoxes& boxes, Sounds& sounds,
    Timer& timer, Clipboard& clipboard)
    : g(g)
    , display(display)
    , boxes(boxes)
    , sounds(sounds)
    , timer(timer)
    , clipboard(clipboard)
{
}

void FenCommands::拒否(const std::string& text)
{
    sounds.dsPlay(音::禁止);
    boxes.ok(text, "FEN");
}

void FenCommands::FEN_COPY_Click() { clipboard.setText(書込_FEN(g)); }

void FenCommands::FEN_PASTE_Click()
{
    if (g.記録手数 > 0 || g.手数 > 0) {
        拒否(tr_("対局途中ではできません\n\n局面→最初にして下さい"));
        return;
    }
    FEN局面 position;
    std::string reason;
    if (!読込_FEN(clipboard.text(), position, reason)) {
        拒否(reason);
        return;
    }
    // As 最初, but on the position of the string: no game, no record, no
    // handicap or reversal, clocks at zero; a loaded record is left behind.
    timer.setEnabled(false);
    初期設定(g);
    g.最終記録手数 = 0;
    g.棋譜モード = 0;
    設定_FEN局面(g, position);
    g.FEN設定 = 1;
    display.forgetMoveTexts();
    display.画面_再描画();
    sounds.dsPlay(音::駒打音);
}

} // namespace tori
