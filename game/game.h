// The game's handlers: start-up and shutdown, the game commands, mouse input
// and turns, the computer's turn on screen, the clock and the levels. Plain
// C++ over one game state and the platform's small interfaces, so that every
// handler can be driven in a test with a recording surface and scripted
// answers, and in the window with Qt.
#pragma once

#include "display/display.h"
#include "display/ports.h"
#include "engine/engine.h"
#include "game/ports.h"
#include "record/commands.h"
#include "rules/state.h"
#include "settings/options.h"
#include "settings/sound.h"

#include <functional>

namespace tori {

struct Ports {
    Surface& surface;
    Menu& menu;
    TimeOfDay& clock;
    MessageBoxes& boxes;
    Timer& timer;
    Sounds& sounds;
    RecordPanel& panel;
    // Ends the program (after 終了処理 has released the sound).
    std::function<void()> quit;
    // Sets the window's size in twips (Form_Load's 9000 x 7300).
    std::function<void(int width, int height)> resize = [](int, int) { };
};

class Game {
public:
    explicit Game(Ports ports, std::string settingsPath = "ZR鳥将棋.ini");

    void Form_Load();
    void Form_Unload();
    void Form_KeyPress(int key);
    // Button 1 left, 2 right; X, Y in twips.
    void Form_MouseDown(int button, int shift, double x, double y);
    void Timer1_Timer();

    void TAIKYOKU_Click();
    void MATCH_MAN_Click();
    void START_Click();
    void SENTE_Click();
    void GOTE_Click();
    void OWARI_Click();
    void 終了処理();

    void LEVEL1_Click();
    void LEVEL2_Click();
    void LEVEL3_Click();
    void レベル_設定(int n);
    void KEIKA_Click();

    // The computer's turn with its caption, blink, sound, messages and clock.
    void com_ban();

    GameState& state() { return g; }
    EngineState& engine() { return e; }
    Display& display() { return disp; }
    Options& options() { return opts; }
    RecordCommands& records() { return recs; }

private:
    Ports p;
    GameState g;
    EngineState e;
    Display disp;
    Options opts;
    RecordCommands recs;
};

// Time between two clock readings, across midnight.
double 調査_経過秒(double start, double now);

} // namespace tori
