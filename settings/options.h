// The ｵﾌﾟｼｮﾝ menu: background picture, move guidance and music, kept in the
// settings file "ZR鳥将棋.ini" (the window keeps it in the player's
// configuration folder, settings/locations.h). The menu's
// check marks are the authoritative state of the choices; every change is
// written to the file at once.
#pragma once

#include "display/display.h"
#include "platform/menu.h"
#include "platform/sounds.h"
#include "rules/state.h"

#include <optional>
#include <string>
#include <vector>

namespace tori {

class Options {
public:
    Options(GameState& g, Menu& menu, Display& display, Sounds& sounds,
        std::string path = "ZR鳥将棋.ini");

    void 読込_環境設定ファイル();
    void 書込_環境設定ファイル();
    void チェック設定(int id);

    void MIDORI_Click();
    void TATAMI_Click();
    void TAKE_Click();
    void UCHU_Click();
    void RENGA_Click();
    void SIDOU_Click();
    void BGM_Click();

private:
    GameState& g;
    Menu& menu;
    Display& display;
    Sounds& sounds;
    std::string path;
    // The choices of this run that the file could not keep; start-up, which
    // loading a record runs again, reads them instead of the file.
    std::optional<std::vector<std::string>> unsaved;
};

} // namespace tori
