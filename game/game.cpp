#include "game/game.h"

#include "engine/turn.h"
#include "platform/menu_names.h"
#include "platform/translation.h"
#include "rules/rules.h"
#include "search/game.h"
#include "search/time_manager.h"

#include <cmath>

namespace tori {

namespace {

    constexpr int キー_ESC = 27;
    constexpr double 一日 = 86400;

    // The menu entries of the levels 1..5, in order.
    constexpr const char* レベル項目[]
        = { menu::LEVEL1, menu::LEVEL2, menu::LEVEL3, menu::LEVEL4, menu::LEVEL5 };

    // The kept time limit in zr-torishogi.conf.
    const char* const 持ち時間キー = "clock/main_seconds";
    const char* const 秒読みキー = "clock/byoyomi_seconds";
    const char* const 加算キー = "clock/increment_seconds";

} // namespace

double 調査_経過秒(double start, double now)
{
    return start <= now ? now - start : now + 一日 - start;
}

// ---------------------------------------------------------------------------
// Sound

std::vector<std::pair<std::string, std::string>> SoundSession::開始()
{
    if (opened)
        return {};
    opened = true;
    return device.開始();
}

void SoundSession::dsPlayLooping(音 buffer)
{
    if (buffer == 音::BGM) {
        if (musicLooping)
            return;
        musicLooping = true;
    }
    device.dsPlayLooping(buffer);
}

void SoundSession::dsStop(音 buffer)
{
    if (buffer == 音::BGM)
        musicLooping = false;
    device.dsStop(buffer);
}

void SoundSession::終了()
{
    if (closed)
        return;
    closed = true;
    musicLooping = false;
    device.終了();
}

// A person's move: against the computer, or between two people.
class Game::ManHooks : public TurnHooks {
public:
    explicit ManHooks(Game& game)
        : game(game)
    {
    }
    BoardView* view() override { return game.adapter.get(); }
    void 手番終了() override
    {
        game.p.timer.setEnabled(false);
        game.手番終了();
    }
    void 描画_手数() override { game.disp.描画_手数(game.g.手数); }
    void 着手前() override
    {
        GameState& g = game.g;
        game.disp.描画_桝輪郭(桝枠色, g.選択列, g.選択段);
        game.disp.描画_桝輪郭(桝枠色, g.移動先列, g.移動先段);
        game.disp.描画_移動可能桝色(g.選択列, g.選択段, 桝枠色, g.選択駒);
    }
    void 着手音() override { game.sounds.dsPlay(音::駒打音); }

private:
    Game& game;
};

// The computer's move.
class Game::ComHooks : public TurnHooks {
public:
    explicit ComHooks(Game& game)
        : game(game)
    {
    }
    BoardView* view() override { return game.adapter.get(); }
    // The search calls this about every 50 ms while it thinks: the clock
    // ticks, and the window paints what is drawn (思考中) without taking input.
    void Timer1_Timer() override
    {
        game.Timer1_Timer();
        game.p.keepPainting();
    }
    void 手番終了() override { game.手番終了(); }
    void 描画_手数() override { game.disp.描画_手数(game.g.手数); }
    void 描画_駒点滅(int code, int col, int row) override
    {
        game.disp.描画_駒点滅(code, col, row, 2);
    }
    void 着手音() override
    {
        game.sounds.dsPlay(音::駒打音);
        game.p.timer.setEnabled(false);
    }
    bool 思考中断() override { return game.thinkingStopped; }

private:
    Game& game;
};

// ---------------------------------------------------------------------------

Game::Game(Ports ports, std::string settingsPath)
    : p(std::move(ports))
    , sounds(p.sounds)
    , disp(g, p.surface, p.menu)
    , opts(g, p.menu, disp, sounds, std::move(settingsPath))
    , pieceChoice(p.menu, p.surface, p.preferences)
    , recs(g, disp, p.boxes, sounds, p.timer, p.clock, p.panel, [this] { Form_Load(); })
    , kifuList(g, disp, p.timer, p.clock, p.panel, sounds, p.menu, p.moveList)
    , fenCommands(g, disp, p.boxes, sounds, p.timer, p.clipboard)
    , lang(p.menu, p.preferences, p.boxes)
    , adapter(std::make_unique<DisplayBoardView>(disp, p.timer))
{
    disp.setClock(&p.clock);
}

Game::~Game() = default;

// A turn ends now: sample its time afresh, so the mover books exactly this
// turn's seconds even when the timer was off and the last sample is old.
void Game::手番終了() { g.手番経過秒 = 調査_経過秒(g.開始時刻, p.clock.秒()); }

bool Game::手番側駒(int code) const
{
    return (g.手番 == g.MAN手番 && 下手駒(code)) || (g.手番 == g.COM手番 && 上手駒(code));
}

// Covers the three cells left of the board on grid row gy with the background:
// row 0 holds the level caption, row 8 the computer's 思考中.
void Game::左上背景消去(int gy)
{
    for (int gx = -2; gx <= 0; ++gx)
        disp.描画_絵(g.背景画, gx, gy);
}

void Game::着手拒否音() { sounds.dsPlay(音::禁止); }

void Game::棋譜満杯通知()
{
    着手拒否音();
    p.boxes.ok(tr_("棋譜が一杯です（500手まで）"), tr_("棋譜"));
}

// ---------------------------------------------------------------------------
// Start-up and shutdown

void Game::Form_Load()
{
    for (const auto& [title, text] : sounds.開始())
        p.boxes.ok(text, title, MessageBoxes::Icon::Exclamation);

    g.棋譜モード = 0;
    g.移動指導 = 0;
    g.移動指導色 = 桝枠色;
    g.最終記録手数 = 0;
    g.レベル = 3;
    for (const char* name : レベル項目)
        p.menu.setChecked(name, name == menu::LEVEL3);
    g.COM手番 = GameState::先手;
    g.MAN手番 = GameState::後手;

    p.background(窓背景色);
    opts.読込_環境設定ファイル();
    pieceChoice.load();
    読込_持ち時間();
    g.持ち時間 = chosenLimit;
    初期設定(g, adapter.get());
    disp.描画_絵(1, 10.8, 0);
    p.resize(9000, 7300);
}

void Game::Form_Unload() { 終了処理(); }

void Game::Form_KeyPress(int key)
{
    if (key == キー_ESC)
        終了処理();
}

void Game::OWARI_Click() { 終了処理(); }

void Game::終了処理()
{
    // Closing the window after 終わり or Escape comes back here once more.
    if (finished)
        return;
    finished = true;
    p.timer.setEnabled(false);
    sounds.終了();
    if (p.quit)
        p.quit();
}

// ---------------------------------------------------------------------------
// Game commands

void Game::TAIKYOKU_Click()
{
    recs.描画_可視(false, false, false);
    recs.描画_棋譜_IO(1);
}

void Game::MATCH_MAN_Click() { }

// The turn ids of a new game: the lower side takes `man`, and 先手 moves.
void Game::先後設定(int man)
{
    g.MAN手番 = man;
    g.COM手番 = man == GameState::先手 ? GameState::後手 : GameState::先手;
    g.手番 = GameState::先手;
}

// A position set from FEN names its side to move: a game begun on it, before
// its first move, starts with that side, which is then 先手. True when it did.
bool Game::FEN手番設定()
{
    if (g.FEN設定 == 0 || g.記録手数 != 0 || g.手数 != 0)
        return false;
    先後設定(g.FEN手番 > 0 ? GameState::後手 : GameState::先手);
    return true;
}

void Game::START_Click()
{
    disp.描画_棋譜読込み部分消去();
    左上背景消去(0);
    if (!FEN手番設定())
        先後設定(GameState::先手);
    g.対局モード = 人間対局;
    持ち時間適用();
    p.boxes.ok(tr_("先手の番です"), " ");
    g.開始時刻 = p.clock.秒();
    if (時計使用() && g.勝者 == -1)
        p.timer.setEnabled(true);
}

void Game::SENTE_Click() { COM対局開始(GameState::先手); }

void Game::GOTE_Click() { COM対局開始(GameState::後手); }

// 先手 and 後手 start a game against the computer, with the person taking the
// turn id `人間` in a new game, or resume the one in progress.
void Game::COM対局開始(int 人間)
{
    disp.描画_棋譜読込み部分消去();
    disp.描画_レベル(g.レベル);
    g.選択状態 = 0;
    g.対局モード = COM対局;
    g.棋譜モード = 0;
    g.開始時刻 = p.clock.秒();
    // A decided game stays decided: its clock stands still.
    if (g.勝者 == -1)
        p.timer.setEnabled(true);
    bool 新規 = FEN手番設定();
    if (!新規 && (g.手数 == 0 || g.手番 == -1)) {
        先後設定(人間);
        新規 = true;
    }
    if (新規)
        持ち時間適用();
    if (新規) {
        if (g.手番 == g.MAN手番)
            p.boxes.ok(tr_("あなたの番です"), " ");
        else
            com_ban();
    } else if (g.手番 == g.MAN手番) {
        p.boxes.ok(tr_("MANの番です"), tr_("対局"));
    } else if (g.手番 == g.COM手番) {
        com_ban();
    }
}

// ---------------------------------------------------------------------------
// Levels

void Game::LEVEL1_Click() { レベル選択(1); }
void Game::LEVEL2_Click() { レベル選択(2); }
void Game::LEVEL3_Click() { レベル選択(3); }
// Levels 4 and 5 search many moves deep; the turn on screen is the same.
void Game::LEVEL4_Click() { レベル選択(4); }
void Game::LEVEL5_Click() { レベル選択(5); }

// Each level entry clears the caption's cells, then sets its level.
void Game::レベル選択(int n)
{
    左上背景消去(0);
    レベル_設定(n);
}

void Game::レベル_設定(int n)
{
    for (const char* name : レベル項目)
        p.menu.setChecked(name, false);
    if (n >= 1 && n <= static_cast<int>(std::size(レベル項目))) {
        p.menu.setChecked(レベル項目[n - 1], true);
        g.レベル = n;
    }
    if (g.対局モード == COM対局)
        disp.描画_レベル(g.レベル);
}

// ---------------------------------------------------------------------------
// Clock

void Game::Timer1_Timer()
{
    if (!p.timer.enabled())
        return;
    g.手番経過秒 = 調査_経過秒(g.開始時刻, p.clock.秒());
    if (g.持ち時間.有効()) {
        時計進行();
        return;
    }
    const int whole = static_cast<int>(std::floor(g.手番経過秒));
    if (whole == g.前回表示秒)
        return;
    g.前回表示秒 = whole;
    if (g.手番 == g.COM手番)
        disp.描画_所有時間(g.COM手番, g.手番経過秒 + g.COM所有時間);
    else if (g.手番 == g.MAN手番)
        disp.描画_所有時間(g.MAN手番, g.手番経過秒 + g.MAN所有時間);
    p.surface.更新();
}

bool Game::時計使用() const { return p.menu.checked(menu::KEIKA) || g.持ち時間.有効(); }

void Game::時計進行()
{
    if (g.勝者 != -1 || g.対局モード == -1 || (g.手番 != g.MAN手番 && g.手番 != g.COM手番))
        return;
    const bool upper = g.手番 == g.COM手番;
    const 時計状態 clock = 調査_時計(g.持ち時間, 調査_持ち時間(g, upper, g.記録手数), g.手番経過秒);
    if (clock.切れ) {
        時間切れ(g.手番);
        return;
    }
    const int seconds = static_cast<int>(std::ceil(clock.表示秒));
    if (g.手番 != shownSide || g.記録手数 != shownRecord || seconds != shownSeconds
        || clock.秒読み != shownByoyomi) {
        shownSide = g.手番;
        shownRecord = g.記録手数;
        shownSeconds = seconds;
        shownByoyomi = clock.秒読み;
        disp.描画_所有時間(g.手番, g.手番経過秒 + (upper ? g.COM所有時間 : g.MAN所有時間));
        p.surface.更新();
    }
    // Each of the last five seconds ticks once, as it begins.
    const int left = static_cast<int>(std::ceil(clock.残り秒));
    if (left > 5) {
        tickedSecond = -1;
    } else if (left != tickedSecond) {
        tickedSecond = left;
        sounds.dsPlay(音::秒読み);
    }
}

bool Game::時間切れ検査()
{
    if (!g.持ち時間.有効() || !p.timer.enabled() || g.勝者 != -1 || g.対局モード == -1
        || (g.手番 != g.MAN手番 && g.手番 != g.COM手番))
        return false;
    g.手番経過秒 = 調査_経過秒(g.開始時刻, p.clock.秒());
    const bool upper = g.手番 == g.COM手番;
    if (!調査_時計(g.持ち時間, 調査_持ち時間(g, upper, g.記録手数), g.手番経過秒).切れ)
        return false;
    時間切れ(g.手番);
    return true;
}

// The side `loser` ran out of time: the game ends as when a phoenix is taken.
// The turn's time is booked, so that its clock shows the time out on every
// redraw; the record keeps the moves made, with their times.
void Game::時間切れ(int loser)
{
    p.timer.setEnabled(false);
    g.勝者 = loser == GameState::先手 ? GameState::後手 : GameState::先手;
    // A piece the loser had picked up is put down again.
    if (g.選択状態 != 0) {
        g.選択状態 = 0;
        disp.描画_将棋盤桝();
    }
    if (loser == g.COM手番)
        g.COM所有時間 += g.手番経過秒;
    else
        g.MAN所有時間 += g.手番経過秒;
    g.手番経過秒 = 0;
    描画_両時計();
    p.surface.更新();
    shownSide = -1;
    tickedSecond = -1;
    // Inside the computer's search no box is shown: its turn ends first.
    if (thinking) {
        lossUntold = true;
        return;
    }
    時間切れ通知();
}

void Game::時間切れ通知()
{
    const char* text;
    if (g.対局モード == COM対局)
        text = g.勝者 == g.MAN手番 ? tr_("あなたの勝ちです") : tr_("ｺﾝﾋﾟｭｰﾀの勝ちです");
    else
        text = g.勝者 == GameState::先手 ? tr_("先手の勝ちです") : tr_("後手の勝ちです");
    p.boxes.ok(text, tr_("時間切れ"));
}

void Game::描画_両時計()
{
    if (時計使用()) {
        disp.描画_所有時間(g.COM手番, g.COM所有時間);
        disp.描画_所有時間(g.MAN手番, g.MAN所有時間);
    } else {
        disp.消去_所有時間(g.COM手番);
        disp.消去_所有時間(g.MAN手番);
    }
}

void Game::読込_持ち時間()
{
    持ち時間設定 kept;
    kept.持ち時間秒
        = intPreference(p.preferences, 持ち時間キー, 0, 0, 持ち時間設定::最大持ち時間秒);
    kept.秒読み秒 = intPreference(p.preferences, 秒読みキー, 0, 0, 持ち時間設定::最大秒読み秒);
    kept.加算秒 = intPreference(p.preferences, 加算キー, 0, 0, 持ち時間設定::最大加算秒);
    // A hand-edited file may hold a choice the dialog refuses: no limit then.
    chosenLimit = 検査_持ち時間(kept).empty() ? kept : 持ち時間設定 {};
}

void Game::書込_持ち時間()
{
    p.preferences.setValue(持ち時間キー, std::to_string(chosenLimit.持ち時間秒));
    p.preferences.setValue(秒読みキー, std::to_string(chosenLimit.秒読み秒));
    p.preferences.setValue(加算キー, std::to_string(chosenLimit.加算秒));
}

void Game::持ち時間適用()
{
    if (g.記録手数 != 0 || g.持ち時間 == chosenLimit)
        return;
    g.持ち時間 = chosenLimit;
    描画_両時計();
}

void Game::TIME_SETTING_Click()
{
    持ち時間設定 shown = chosenLimit;
    for (;;) {
        const std::optional<持ち時間設定> answer = p.askTimeLimit(shown);
        if (!answer)
            return;
        const std::string why = 検査_持ち時間(*answer);
        if (why.empty()) {
            chosenLimit = *answer;
            break;
        }
        着手拒否音();
        p.boxes.ok(why, tr_("持ち時間設定"));
        shown = *answer;
    }
    書込_持ち時間();
    // Nothing played yet: the clocks show the new limit at once. A game under
    // way keeps its own to the end.
    持ち時間適用();
}

void Game::KEIKA_Click()
{
    if (p.menu.checked(menu::KEIKA)) {
        p.menu.setChecked(menu::KEIKA, false);
        // A limited clock stays: it runs and shows the time left.
        if (!g.持ち時間.有効()) {
            p.timer.setEnabled(false);
            disp.消去_所有時間(g.MAN手番);
            disp.消去_所有時間(g.COM手番);
        }
    } else {
        p.menu.setChecked(menu::KEIKA, true);
        p.timer.setEnabled(true);
        disp.描画_所有時間(g.COM手番, g.COM所有時間);
        disp.描画_所有時間(g.MAN手番, g.MAN所有時間);
    }
    opts.書込_環境設定ファイル();
}

void Game::LANG_JA_Click() { 言語選択("ja"); }

void Game::LANG_EN_Click() { 言語選択("en"); }

// The new language shows at once: the window's captions, and every text drawn
// on the board (the move texts, the captions beside it) drawn again.
void Game::言語選択(const std::string& code)
{
    if (code == lang.current() || !lang.設定(code))
        return;
    p.retranslate();
    disp.画面_再描画();
}

// ---------------------------------------------------------------------------
// Mouse input

void Game::Form_MouseDown(int button, int /*shift*/, double x, double y)
{
    if (g.勝者 != -1) {
        p.boxes.ok(tr_("新規に対局してください"), tr_("終局"));
        return;
    }
    // A press just after the time ran out, before the timer saw it, is too late.
    if (時間切れ検査())
        return;
    TAIKYOKU_Click();
    if (g.手番 == -1) {
        if (g.棋譜モード == 1 || g.記録手数 == 0)
            未対局応答();
        else
            再開();
        return;
    }
    const int col = static_cast<int>(std::floor((x - 盤左) / 桝幅));
    const int row = static_cast<int>(std::floor((y - 盤上) / 桝高));
    // 進 sets the side to move without choosing a kind of game: a loaded record
    // is stepped through, not played on, until a game is started.
    if (g.対局モード == -1) {
        if (駒のある桝(col, row))
            未対局応答();
        return;
    }
    // Against the computer a press on its turn (after 進 stopped before its
    // move) lets it move, as a resume does; the person never moves its pieces.
    if (g.対局モード == COM対局 && g.手番 == g.COM手番) {
        p.boxes.ok(tr_("OKですか？"), tr_("再開"));
        com_ban();
        return;
    }
    // Stepping stopped the clock; the turn's time counts from the last step.
    if (!p.timer.enabled() && 時計使用())
        p.timer.setEnabled(true);
    if (盤内(col, row))
        盤押下(button, col, row);
    else
        盤外押下(col, row);
}

// The answer to a press while no game is being played: step through the
// loaded record, or start a game first.
void Game::未対局応答()
{
    if (g.棋譜モード == 1) {
        if (!p.boxes.yesNo(tr_("棋譜を '進 'で進めて下さい"), tr_("棋譜"))) {
            着手拒否音();
            Form_Load();
        }
        return;
    }
    着手拒否音();
    p.boxes.ok(tr_("「対局」で始めて下さい"), tr_("開始"));
}

// A board square with a piece, or a hand cell with pieces: what a press could select.
bool Game::駒のある桝(int col, int row) const
{
    if (盤内(col, row))
        return g.盤[col][row] != 空;
    if (col == MAN持駒列 && row >= 2 && row <= 7)
        return g.持駒_MAN[row - 1] > 0;
    if (col == COM持駒列 && row >= 1 && row <= 6)
        return g.持駒_COM[7 - row] > 0;
    return false;
}

// Play resumes from a position reached by stepping back: the owner of the
// next recorded move is to move.
void Game::再開()
{
    p.boxes.ok(tr_("OKですか？"), tr_("再開"));
    g.開始時刻 = p.clock.秒();
    if (時計使用())
        p.timer.setEnabled(true);
    // A full record has no next entry; the side that did not make the last
    // move is to move then.
    const bool upperNext = g.記録手数 < 最大手数 ? g.棋譜_成駒[g.記録手数 + 1] >= 10
                                                 : g.棋譜_成駒[g.記録手数] <= -10;
    if (upperNext) {
        g.手番 = g.COM手番;
        if (g.対局モード == COM対局)
            com_ban();
    } else {
        g.手番 = g.MAN手番;
    }
}

void Game::盤押下(int button, int col, int row)
{
    if (g.選択状態 == 0) {
        const int code = g.盤[col][row];
        if (code == 空)
            return;
        g.選択列 = col;
        g.選択段 = row;
        g.選択駒 = code;
        disp.描画_移動可能桝色(col, row, g.移動指導色, code);
        if (手番側駒(code)) {
            g.選択状態 = 1;
            disp.描画_桝輪郭(選択色, col, row);
        } else {
            // An enemy piece only shows where it could go.
            disp.描画_桝輪郭(g.移動指導色, col, row);
        }
        return;
    }

    g.移動先列 = col;
    g.移動先段 = row;
    const bool wrongHand = (g.手番 == g.MAN手番 && g.選択列 == COM持駒列)
        || (g.手番 == g.COM手番 && g.選択列 == MAN持駒列);
    if (wrongHand) {
        disp.描画_移動可能桝色(g.選択列, g.選択段, 桝枠色, g.選択駒);
        disp.描画_桝輪郭(桝枠色, g.選択列, g.選択段);
        g.選択状態 = 0;
        return;
    }
    if (手番側駒(g.盤[col][row])) {
        disp.描画_桝輪郭(桝枠色, g.選択列, g.選択段);
        g.選択列 = col;
        g.選択段 = row;
        g.選択駒 = g.盤[col][row];
        disp.描画_移動可能桝色(col, row, g.移動指導色, g.選択駒);
        disp.描画_桝輪郭(選択色, col, row);
        return;
    }
    着手(button);
}

void Game::着手(int button)
{
    auto refuse = [this] {
        g.選択状態 = 0;
        disp.描画_将棋盤桝();
        // A hand cell keeps its selection outline otherwise.
        if (!盤内(g.選択列, g.選択段))
            disp.描画_桝輪郭(桝枠色, g.選択列, g.選択段);
    };
    if (移動チェック(g, g.選択列, g.選択段, g.移動先列, g.移動先段, g.選択駒) == 0) {
        着手拒否音();
        refuse();
        return;
    }
    // Only the right button asks for promotion; any other button is a left one.
    if (移動後チェック(g.移動先段, g.選択駒) == 0 && button != 2) {
        着手拒否音();
        p.boxes.ok(tr_("マウスの右をクリックして下さい"), tr_("成り"));
        return;
    }
    if (棋譜満杯(g)) {
        棋譜満杯通知();
        refuse();
        return;
    }
    if (g.対局モード == COM対局 && g.手番 == g.MAN手番 && 下手駒(g.選択駒))
        相手COM着手(button);
    else
        人間着手(button);
}

// A move of the lower side against the computer; the computer answers at once.
void Game::相手COM着手(int button)
{
    int placed = g.選択駒;
    if (調査_駒成(g, g.選択列, g.選択段, g.移動先列, g.移動先段, g.選択駒) == 1 && button == 2)
        placed = g.成駒;
    ManHooks hooks(*this);
    const 人間着手結果 r
        = MAN着手(g, e, g.選択列, g.選択段, g.移動先列, g.移動先段, placed, &hooks);
    switch (r.拒否) {
    case 着手拒否::なし:
        break;
    case 着手拒否::満杯:
        棋譜満杯通知();
        g.選択状態 = 0;
        disp.描画_将棋盤桝();
        return;
    case 着手拒否::終局:
        p.boxes.ok(tr_("新規に対局してください"), tr_("終局"));
        return;
    default:
        着手拒否音();
        g.選択状態 = 0;
        disp.描画_将棋盤桝();
        return;
    }
    g.選択状態 = 0;
    g.選択駒 = placed;
    disp.描画_移動結果(g.MAN手番, g.移動先列, g.移動先段, placed, 白);
    // A limited clock shows its time left after the move, the increment added.
    if (g.持ち時間.有効())
        disp.描画_所有時間(g.MAN手番, g.MAN所有時間);
    if (g.勝者 == g.MAN手番) {
        p.timer.setEnabled(false);
        p.boxes.ok(tr_("あなたの勝ちです"), tr_("終了"));
        return;
    }
    if (g.手番 == g.COM手番)
        com_ban();
}

// A move between two people.
void Game::人間着手(int button)
{
    手番終了();
    const double turn = g.手番経過秒;
    const bool upper = 上手駒(g.選択駒);
    const int 駒 = g.選択駒;
    if (調査_駒成(g, g.選択列, g.選択段, g.移動先列, g.移動先段, 駒) == 1 && button == 2)
        g.選択駒 = g.成駒;
    g.選択状態 = 0;

    // Each side's own pair of record times grows by its own turn.
    const double man = g.MAN所有時間, com = g.COM所有時間;
    ManHooks hooks(*this);
    着手記録実行(g, g.選択列, g.選択段, g.移動先列, g.移動先段, 駒, g.選択駒,
        { man, upper ? man : man + turn, com, upper ? com + turn : com }, &hooks);
    // The upper hand is pressed by row; the selection keeps the slot.
    if (g.選択列 == COM持駒列)
        g.選択段 = 7 - g.選択段;
    disp.描画_移動結果(upper ? g.COM手番 : g.MAN手番, g.移動先列, g.移動先段, g.選択駒, 白);

    if (g.手番 == g.MAN手番)
        g.MAN所有時間 += turn;
    else
        g.COM所有時間 += turn;
    if (g.持ち時間.有効())
        disp.描画_所有時間(g.手番, g.手番 == g.MAN手番 ? g.MAN所有時間 : g.COM所有時間);
    if (g.勝者 != -1) {
        p.timer.setEnabled(false);
        p.boxes.ok(
            g.勝者 == GameState::先手 ? tr_("先手の勝ちです") : tr_("後手の勝ちです"), tr_("終了"));
        return;
    }
    g.手番 = g.手番 == GameState::先手 ? GameState::後手 : GameState::先手;
    g.開始時刻 = p.clock.秒();
}

void Game::盤外押下(int col, int row)
{
    if (上手駒(g.選択駒) || 下手駒(g.選択駒)) {
        disp.描画_移動可能桝色(g.選択列, g.選択段, 桝枠色, g.選択駒);
        disp.描画_桝輪郭(桝枠色, g.選択列, g.選択段);
    }
    int code = 0;
    if (col == MAN持駒列 && row >= 2 && row <= 7) {
        if (g.持駒_MAN[row - 1] <= 0)
            return;
        code = -持駒種類(row - 1);
    } else if (col == COM持駒列 && row >= 1 && row <= 6) {
        if (g.持駒_COM[7 - row] <= 0)
            return;
        code = 持駒種類(7 - row);
    } else {
        return;
    }
    調査_2燕フラグ設定(g);
    g.選択状態 = 1;
    g.選択列 = col;
    g.選択段 = row;
    g.選択駒 = code;
    disp.描画_桝輪郭(手番側駒(code) ? 選択色 : g.移動指導色, col, row);
    disp.描画_移動可能桝色(col, row, g.移動指導色, code);
}

// ---------------------------------------------------------------------------
// The computer's turn

void Game::com_ban()
{
    if (g.勝者 != -1)
        return;
    if (棋譜満杯(g)) {
        p.timer.setEnabled(false);
        棋譜満杯通知();
        return;
    }
    g.開始時刻 = p.clock.秒();
    if (時計使用())
        p.timer.setEnabled(true);
    左上背景消去(8);
    disp.描画_数値(-1.5, 8.5, tr_("思考中"), 黒, 0, 12);
    disp.描画_数値(-1.6, 8.4, tr_("思考中"), 白, 0, 12);
    disp.描画_桝輪郭(桝枠色, 1, 7);
    p.surface.更新();

    // Levels 4 and 5 keep to a limited clock; levels 1-3 answer at once.
    search::Limits limits;
    const search::Limits* clockLimits = nullptr;
    if (g.持ち時間.有効() && g.レベル >= 4) {
        search::ClockTimes times;
        times.remainingMs = static_cast<int>(調査_持ち時間(g, true, g.記録手数) * 1000);
        times.incrementMs = g.持ち時間.加算秒 * 1000;
        times.byoyomiMs = g.持ち時間.秒読み秒 * 1000;
        limits = search::clockLimits(search::levelLimits(g.レベル), times);
        clockLimits = &limits;
    }
    struct DoneThinking {
        const std::function<void()>& done;
        ~DoneThinking() { done(); }
    } doneThinking { p.doneThinking };
    ComHooks hooks(*this);
    thinking = true;
    p.thinking(true);
    const COM着手結果 r = tori::com_ban(g, e, &hooks, clockLimits);
    thinking = false;
    p.thinking(false);
    if (lossUntold) {
        lossUntold = false;
        disp.消去_移動結果(g.COM手番);
        時間切れ通知();
        return;
    }
    switch (r.拒否) {
    case 着手拒否::なし:
        break;
    case 着手拒否::指手なし:
        // Without a legal move the computer cannot go on: the game is the player's.
        p.timer.setEnabled(false);
        disp.消去_移動結果(g.COM手番);
        g.勝者 = g.MAN手番;
        p.boxes.ok(tr_("ｺﾝﾋﾟｭｰﾀに指す手がありません。あなたの勝ちです"), tr_("終了"));
        return;
    case 着手拒否::満杯:
        p.timer.setEnabled(false);
        disp.消去_移動結果(g.COM手番);
        棋譜満杯通知();
        return;
    case 着手拒否::中断:
        // The program ends as soon as the event that asked for it returns.
        p.timer.setEnabled(false);
        return;
    default:
        p.timer.setEnabled(false);
        disp.消去_移動結果(g.COM手番);
        return;
    }

    if (r.詰め == 1) {
        p.boxes.ok(tr_("よし！!"), tr_("詰め ?"));
    } else if (g.勝者 == g.COM手番) {
        // The caption goes; the move text is not drawn and the clock stays stopped.
        disp.消去_移動結果(g.COM手番);
        p.boxes.ok(tr_("ｺﾝﾋﾟｭｰﾀの勝ちです"), tr_("終了"));
        return;
    } else if (e.COM勢力[g.MAN鵬_列][g.MAN鵬_段] > 0) {
        p.boxes.ok(tr_("   ** 鵬手 **"), "");
    }
    disp.描画_移動結果(g.COM手番, r.先列, r.先段, r.成駒, 白);
    disp.描画_桝輪郭(白, r.先列, r.先段);
    const double bank = 調査_持ち時間(g, true, g.記録手数 - 1);
    g.COM所有時間 += g.手番経過秒;
    if (g.持ち時間.有効()) {
        // A move finished after the flag fell (the machine stalled) loses too.
        if (調査_時計(g.持ち時間, bank, g.手番経過秒).切れ) {
            時間切れ(g.COM手番);
            return;
        }
        disp.描画_所有時間(g.COM手番, g.COM所有時間);
    }
    g.開始時刻 = p.clock.秒();
    g.手番 = g.MAN手番;
    if (時計使用())
        p.timer.setEnabled(true);
}

} // namespace tori
