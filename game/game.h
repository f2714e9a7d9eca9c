// The game's handlers: start-up and shutdown, the game commands, mouse input
// and turns, the computer's turn on screen, the clock and the levels. Plain
// C++ over one game state and the platform's small interfaces, so that every
// handler can be driven in a test with a recording surface and scripted
// answers, and in the window with Qt.
#pragma once

#include "display/display.h"
#include "display/display_board_view.h"
#include "engine/engine.h"
#include "platform/clipboard.h"
#include "platform/menu.h"
#include "platform/message_boxes.h"
#include "platform/move_list.h"
#include "platform/preferences.h"
#include "platform/record_panel.h"
#include "platform/sounds.h"
#include "platform/surface.h"
#include "platform/time_of_day.h"
#include "platform/timer.h"
#include "record/commands.h"
#include "record/fen_commands.h"
#include "record/move_list.h"
#include "rules/state.h"
#include "rules/time_limit.h"
#include "settings/language.h"
#include "settings/options.h"
#include "settings/pieces.h"

#include <functional>
#include <memory>
#include <optional>

namespace tori {

struct Ports {
    Surface& surface;
    Menu& menu;
    TimeOfDay& clock;
    MessageBoxes& boxes;
    Timer& timer;
    Sounds& sounds;
    RecordPanel& panel;
    MoveList& moveList;
    Clipboard& clipboard;
    // The choices kept in zr-torishogi.conf.
    Preferences& preferences;
    // Ends the program (after 終了処理 has released the sound).
    std::function<void()> quit;
    // Sets the window's size in twips (Form_Load's 9000 x 7300).
    std::function<void(int width, int height)> resize = [](int, int) {};
    // Sets the window's background colour, an index of the 16-colour palette.
    std::function<void(int colour)> background = [](int) {};
    // Paints the window with what has been drawn, while a handler (the
    // computer thinking) runs on; input that comes meanwhile is dropped, but
    // Escape and closing the window call Game::stopThinking.
    std::function<void()> keepPainting = [] {};
    // Gives the window's own captions (menus, the record panel, the move
    // list's titles) in the language just chosen.
    std::function<void()> retranslate = [] {};
    // Shows the time limit dialog with `current` filled in: the limit chosen
    // with OK (all 0 for なし), or nothing after キャンセル.
    std::function<std::optional<持ち時間設定>(const 持ち時間設定& current)> askTimeLimit
        = [](const 持ち時間設定&) -> std::optional<持ち時間設定> { return std::nullopt; };
    // The computer starts (true) and ends (false) its thinking: searches
    // beside the window pause meanwhile.
    std::function<void(bool on)> thinking = [](bool) {};
    // The computer's turn is over (moved, stopped or refused): input is taken again.
    std::function<void()> doneThinking = [] {};
};

// The one sound set of a run, as the handlers see it. Start-up runs again when
// a record is loaded or record mode is left, so the library is opened once and
// a music loop that already plays is not started over.
class SoundSession : public Sounds {
public:
    explicit SoundSession(Sounds& device)
        : device(device)
    {
    }
    // The first call opens the library; later calls show nothing again.
    std::vector<std::pair<std::string, std::string>> 開始() override;
    void dsPlay(音 buffer) override { device.dsPlay(buffer); }
    void dsPlayLooping(音 buffer) override;
    void dsStop(音 buffer) override;
    // Releases the buffers and the library once; later calls do nothing.
    void 終了() override;

private:
    Sounds& device;
    bool opened = false;
    bool closed = false;
    bool musicLooping = false;
};

class Game {
public:
    explicit Game(Ports ports, std::string settingsPath = "ZR鳥将棋.ini");
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

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
    void LEVEL4_Click();
    void LEVEL5_Click();
    void レベル_設定(int n);
    void KEIKA_Click();
    void LANG_JA_Click();
    void LANG_EN_Click();
    // ｵﾌﾟｼｮﾝ → 持ち時間設定: the time limit of the games to come, kept in
    // zr-torishogi.conf.
    void TIME_SETTING_Click();
    // The limit chosen for new games (the game shown keeps its own, g.持ち時間).
    const 持ち時間設定& 選択持ち時間() const { return chosenLimit; }

    // The computer's turn with its caption, blink, sound, messages and clock.
    void com_ban();
    // The program is ending while the computer thinks (Escape, the window
    // closed): its search stops at the next tick and the turn makes no move.
    void stopThinking() { thinkingStopped = true; }

    GameState& state() { return g; }
    EngineState& engine() { return e; }
    Display& display() { return disp; }
    Options& options() { return opts; }
    PieceChoice& pieces() { return pieceChoice; }
    RecordCommands& records() { return recs; }
    MoveListCommands& moveList() { return kifuList; }
    FenCommands& fen() { return fenCommands; }
    Language& language() { return lang; }

private:
    class ManHooks;
    class ComHooks;

    bool 手番側駒(int code) const;
    void 手番終了();
    void 盤押下(int button, int col, int row);
    void 盤外押下(int col, int row);
    void 着手(int button);
    void 人間着手(int button);
    void 相手COM着手(int button);
    void 左上背景消去(int gy);
    void 着手拒否音();
    void 棋譜満杯通知();
    void 再開();
    void レベル選択(int n);
    void COM対局開始(int 人間);
    void 未対局応答();
    bool 駒のある桝(int col, int row) const;
    void 先後設定(int man);
    void 言語選択(const std::string& code);
    bool FEN手番設定();

    // The clock's timer runs: the elapsed clocks are on, or the game has a limit.
    bool 時計使用() const;
    void 読込_持ち時間();
    void 書込_持ち時間();
    // A game with nothing played yet takes the limit chosen for new games.
    void 持ち時間適用();
    void 描画_両時計();
    // The limited clock of the side to move, on the timer: its time shown,
    // the ticks of its last seconds, and the loss when its time is out.
    void 時計進行();
    // The side to move has run out of time: true when it lost just now.
    bool 時間切れ検査();
    void 時間切れ(int loser);
    void 時間切れ通知();

    Ports p;
    SoundSession sounds;
    GameState g;
    EngineState e;
    Display disp;
    Options opts;
    PieceChoice pieceChoice;
    RecordCommands recs;
    MoveListCommands kifuList;
    FenCommands fenCommands;
    Language lang;
    std::unique_ptr<DisplayBoardView> adapter;
    bool finished = false;

    持ち時間設定 chosenLimit;
    // The computer is thinking: a time loss now is told once its turn is over.
    bool thinking = false;
    bool lossUntold = false;
    // What the running limited clock showed last, and the last second ticked.
    int shownSide = -1, shownRecord = -1, shownSeconds = -1;
    bool shownByoyomi = false;
    int tickedSecond = -1;
    bool thinkingStopped = false;
};

// Time between two clock readings, across midnight.
double 調査_経過秒(double start, double now);

} // namespace tori
