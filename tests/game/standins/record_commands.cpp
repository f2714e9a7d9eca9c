// Stand-in for the record commands: the panel's visibility only.
#include "record/commands.h"

namespace tori {

RecordCommands::RecordCommands(GameState& g, Display& display, MessageBoxes& boxes, Sounds& sounds,
    Timer& timer, RecordPanel& panel, std::function<void()> formLoad)
    : g(g), display(display), boxes(boxes), sounds(sounds), timer(timer), panel(panel), formLoad(std::move(formLoad))
{
}
void RecordCommands::描画_可視(bool drive, bool dir, bool file) { panel.setListsVisible(drive, dir, file); }
void RecordCommands::描画_棋譜_IO(int mode)
{
    if (mode != 0)
        for (int box = 1; box <= 4; ++box)
            panel.setText(box, "");
    panel.setWriteControlsVisible(mode == 0);
}
void RecordCommands::描画_メッセージ(int) { }
void RecordCommands::KIFU_READ_Click() { }
void RecordCommands::KIFU_WRITE_Click() { }
void RecordCommands::OPTION_Click() { }
void RecordCommands::STOP_Click() { }
void RecordCommands::VER_Click() { }
void RecordCommands::Command1_Click() { }
void RecordCommands::File1_Click(const std::string&) { formLoad(); g.棋譜モード = 1; }
void RecordCommands::Dir1_Change(const std::string&) { }
bool RecordCommands::Drive1_Change(const std::string&) { return true; }
void RecordCommands::CANCEL_Click() { }
void RecordCommands::REPLAY_Click() { }
void RecordCommands::AFTER_Click() { }
void RecordCommands::REVERSE_Click() { }
void RecordCommands::LBEL_UP_Click() { }
void RecordCommands::LEBEL_DOWN_Click() { }

} // namespace tori
