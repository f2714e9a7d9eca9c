// 棋譜一覧: the list of recorded moves beside the board, and the commands that
// show it and step to a move picked in it.
#pragma once

#include "display/display.h"
#include "platform/menu.h"
#include "platform/message_boxes.h"
#include "platform/move_list.h"
#include "platform/record_panel.h"
#include "platform/sounds.h"
#include "platform/time_of_day.h"
#include "platform/timer.h"
#include "record/commands.h"
#include "rules/state.h"

#include <functional>
#include <vector>

namespace tori {

// The list's entries for the record as it stands: the start position, then
// moves 1 .. 最終記録手数, each with ▲ for the side that made move 1 and △ for
// the other, and the move's text (変換_棋譜手).
std::vector<MoveListEntry> 棋譜一覧項目(const GameState& g);

class MoveListCommands {
public:
    MoveListCommands(GameState& g, Display& display, Timer& timer, TimeOfDay& clock,
        RecordPanel& panel, Sounds& sounds, Menu& menu, MoveList& list);

    // 棋譜 → 棋譜一覧: shows or hides the list. Not a setting: each start
    // begins without it.
    void KIFU_LIST_Click();
    // A click on entry n: the position after move n, or the start for 0,
    // reached by 戻 or 進 as often as it takes, without their sounds and
    // messages; one piece sound when the position changed.
    void List1_Click(int n);
    // Brings the shown list up to date with the record; the window calls it
    // after every event, so that the list follows whatever changed the record.
    // True when the list was changed.
    bool 描画_棋譜一覧();
    // Adds what is known of each move (an analysis' evaluation and mark) to
    // the entries before they are shown.
    std::function<void(std::vector<MoveListEntry>&)> annotate;

private:
    class SilentBoxes : public MessageBoxes {
    public:
        void ok(const std::string&, const std::string&, Icon) override { }
        bool yesNo(const std::string&, const std::string&) override { return false; }
    };
    class SilentSounds : public Sounds {
    public:
        std::vector<std::pair<std::string, std::string>> 開始() override { return {}; }
        void dsPlay(音) override { }
        void dsPlayLooping(音) override { }
        void dsStop(音) override { }
        void 終了() override { }
    };

    GameState& g;
    Sounds& sounds;
    Menu& menu;
    MoveList& list;
    SilentBoxes silentBoxes;
    SilentSounds silentSounds;
    // 戻 and 進 themselves, over the silent boxes and sounds.
    RecordCommands steps;
    std::vector<MoveListEntry> shown;
    int shownCurrent = -1;
};

} // namespace tori
