// The commands that read, write and step through the move record, reverse
// the board and set handicaps, and the record panel's handlers.
#pragma once

#include "display/display.h"
#include "platform/message_boxes.h"
#include "platform/record_panel.h"
#include "platform/sounds.h"
#include "platform/time_of_day.h"
#include "platform/timer.h"
#include "rules/state.h"

#include <functional>
#include <string>

namespace tori {

// The handlers of the 棋譜 and 局面 menus, 戻, 進, △, ▽, その他 and the panel.
class RecordCommands {
public:
    RecordCommands(GameState& g, Display& display, MessageBoxes& boxes, Sounds& sounds,
        Timer& timer, TimeOfDay& clock, RecordPanel& panel, std::function<void()> formLoad);

    void 描画_可視(bool drive, bool dir, bool file);
    void 描画_棋譜_IO(int mode);
    void 描画_メッセージ(int n);

    void KIFU_READ_Click();
    void KIFU_WRITE_Click();
    void OPTION_Click();
    void STOP_Click();
    void VER_Click();
    void Command1_Click();
    void File1_Click(const std::string& fileName);
    void Dir1_Change(const std::string& path);
    // Returns false, with the message shown, when the drive is not ready.
    bool Drive1_Change(const std::string& drive);

    void CANCEL_Click();
    void REPLAY_Click();
    void AFTER_Click();
    void REVERSE_Click();
    void LBEL_UP_Click();
    void LEBEL_DOWN_Click();

private:
    void 手順移動準備();
    // One handicap step: d = +1 for △, -1 for ▽.
    void ハンデ変更(int d);
    // The refusals of 書込 after a reversal or a handicap; true when refused.
    bool 書込拒否();

    GameState& g;
    Display& display;
    MessageBoxes& boxes;
    Sounds& sounds;
    Timer& timer;
    TimeOfDay& clock;
    RecordPanel& panel;
    std::function<void()> formLoad;
};

} // namespace tori
