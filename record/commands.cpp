#include "record/commands.h"

#include "display/display_board_view.h"
#include "platform/translation.h"
#include "record/record_file.h"
#include "rules/record_entry.h"
#include "settings/text_file.h"

#include <array>
#include <filesystem>
#include <unistd.h>
#include <utility>

namespace tori {

namespace {

    // Line breaks inside message texts. Qt's message boxes break lines at "\n"
    // only; a "\r" would be shown as nothing at all.
    const std::string 改行 = "\n";

    // Header lines are printed on one line of the window; a name longer than this
    // would only run off it, and a tab or a stray control character of the file
    // shows as a space.
    std::string 見出し表示(const std::string& line)
    {
        const std::string text = 制御文字置換(line);
        constexpr size_t 最大文字数 = 60;
        size_t chars = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++chars > 最大文字数)
                return text.substr(0, i);
        }
        return text;
    }

    std::string 前後の空白除去(const std::string& text)
    {
        const size_t first = text.find_first_not_of(' ');
        if (first == std::string::npos)
            return {};
        return text.substr(first, text.find_last_not_of(' ') - first + 1);
    }

} // namespace

RecordCommands::RecordCommands(GameState& g, Display& display, MessageBoxes& boxes, Sounds& sounds,
    Timer& timer, TimeOfDay& clock, RecordPanel& panel, std::function<void()> formLoad)
    : g(g)
    , display(display)
    , boxes(boxes)
    , sounds(sounds)
    , timer(timer)
    , clock(clock)
    , panel(panel)
    , formLoad(std::move(formLoad))
{
}

void RecordCommands::描画_可視(bool drive, bool dir, bool file)
{
    panel.setListsVisible(drive, dir, file);
}

void RecordCommands::描画_棋譜_IO(int mode)
{
    if (mode == 0) {
        panel.setWriteControlsVisible(true);
        return;
    }
    for (int box = 1; box <= 4; ++box)
        panel.setText(box, "");
    panel.setWriteControlsVisible(false);
}

void RecordCommands::描画_メッセージ(int n)
{
    const char* const reasons[5]
        = { "", tr_("棋譜ﾓｰﾄﾞではできません"), tr_("対局途中ではできません"),
              tr_("反転後ではできません"), tr_("FEN設定後ではできません") };
    const std::string reason = n >= 1 && n <= 4 ? reasons[n] : "";
    boxes.ok(reason + 改行 + 改行 + tr_("局面→最初にして下さい"), tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"));
}

void RecordCommands::KIFU_READ_Click()
{
    描画_可視(true, true, true);
    描画_棋譜_IO(1);
    // Files saved or copied into the folder since it was last listed show too.
    panel.refreshFiles();
}

// A reversed, handicapped or FEN position does not start from the starting
// position, so its moves cannot be read back: such a game is not written.
bool RecordCommands::書込拒否()
{
    if (g.反転フラグ == 1) {
        boxes.ok(tr_("反転後は書き込みできません"), tr_("棋譜書込"));
        return true;
    }
    if (g.ハンデ設定 == 1) {
        boxes.ok(tr_("ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません"), tr_("棋譜書込"));
        return true;
    }
    if (g.FEN設定 == 1) {
        boxes.ok(tr_("FEN設定後は書き込みできません"), tr_("棋譜書込"));
        return true;
    }
    return false;
}

void RecordCommands::KIFU_WRITE_Click()
{
    if (書込拒否())
        return;
    描画_可視(true, true, false);
    描画_棋譜_IO(0);
}

void RecordCommands::OPTION_Click()
{
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
}

void RecordCommands::STOP_Click() { OPTION_Click(); }

void RecordCommands::VER_Click()
{
    OPTION_Click();
    sounds.dsPlay(音::その他);
    boxes.ok("  Version 0.9" + 改行 + 改行 + tr_("ZR鳥将棋 製作 2000.08"), tr_("ZR鳥将棋"));
}

void RecordCommands::Command1_Click()
{
    // A line edit keeps a pasted line break; in a name it would make the header
    // longer than its three lines and the record would load with no move. Every
    // control character of the four boxes is written as a space.
    std::array<std::string, 5> text;
    for (int box = 1; box <= 4; ++box)
        text[box] = 制御文字置換(panel.text(box));
    if (text[1].empty()) {
        boxes.ok(tr_("ﾌｧｲﾙ名が入力されていません"), "  ");
        return;
    }
    // The extension is added here; a name typed with it would get it twice.
    std::string name = 前後の空白除去(text[1]);
    const std::string extension = ".棋譜";
    if (name.size() > extension.size()
        && name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
        name = 前後の空白除去(name.substr(0, name.size() - extension.size()));
    // A name of blanks, a hidden file or a path into another folder is no file
    // name; the player is told why.
    std::string why;
    if (name.empty())
        why = tr_("ﾌｧｲﾙ名が空白だけです");
    else if (name[0] == '.')
        why = tr_("ﾌｧｲﾙ名を \".\" で始めることはできません");
    else if (name.find('/') != std::string::npos)
        why = tr_("ﾌｧｲﾙ名に \"/\" は使えません");
    if (!why.empty()) {
        boxes.ok(why, tr_("棋譜書込"));
        return;
    }
    if (g.記録手数 < 1) {
        boxes.ok(tr_("保存するデータがありません"), tr_("棋譜保存"));
        return;
    }
    // The panel closes when the board is reversed or handicapped; should it
    // still be open, the write is refused as 書込 refuses it.
    if (書込拒否())
        return;
    const bool 先手MAN = g.MAN手番 == GameState::先手;
    const std::array<std::string, 3> header { text[2], 先手MAN ? text[4] : text[3],
        先手MAN ? text[3] : text[4] };
    // A name the file cannot hold would be saved as "?"; the player fixes it first.
    for (const std::string& line : header) {
        bool ok = true;
        utf8ToShiftJis(line, &ok);
        if (!ok) {
            boxes.ok(withValues(tr_("Shift-JISで書けない文字があります: %1"), { line }),
                tr_("棋譜書込"));
            return;
        }
    }
    std::string directory = panel.directory();
    if (!directory.empty() && directory.back() != '/')
        directory += '/';
    std::string error;
    if (!書込_棋譜(directory + name + extension, header, g, &error)) {
        boxes.ok(tr_("棋譜を書き込めませんでした") + 改行 + error, tr_("棋譜書込"),
            MessageBoxes::Icon::Exclamation);
        return;
    }
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
    panel.refreshFiles();
    boxes.ok(tr_("棋譜を書き込みました"), "  ");
}

void RecordCommands::File1_Click(const std::string& fileName)
{
    描画_可視(false, false, false);
    std::string directory = panel.directory();
    if (!directory.empty() && directory.back() != '/')
        directory += '/';
    const std::string path = directory + fileName;

    // Read into a scratch copy first: a file that cannot be opened leaves the
    // game and its record as they are; of any other file only the moves that
    // fit the position are taken into the record.
    GameState scratch = g;
    const 棋譜読込結果 result = 読込_棋譜(path, scratch);
    if (!result.開けた) {
        boxes.ok(withValues(tr_("棋譜ﾌｧｲﾙを開けません: %1"), { fileName })
                + (result.大きすぎる ? 改行 + tr_("1 MiB を超えるﾌｧｲﾙは棋譜ではありません") : ""),
            tr_("棋譜"), MessageBoxes::Icon::Exclamation);
        return;
    }

    if (formLoad)
        formLoad();
    g.棋譜モード = 1;
    display.描画_文字_位置(800, 6350, 見出し表示(result.見出し[0]), 白, 12);
    display.描画_文字_位置(3700, 100, 見出し表示(result.見出し[1]), 白, 12);
    display.描画_文字_位置(3700, 6350, 見出し表示(result.見出し[2]), 白, 12);

    const int k = result.手数;
    for (int n = 1; n <= k; ++n)
        複写_棋譜手(g, scratch, n);
    g.記録手数 = 0;
    g.手数 = 0;
    g.最終記録手数 = k;

    const std::string 残り = result.途中まで ? 改行
            + withValues(
                tr_("%1手目から先は読み込めませんでした"), { std::to_string(result.拒否行) })
                                             : std::string();
    if (k == 0) {
        boxes.ok(tr_("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません") + 残り, tr_("棋譜"));
        return;
    }
    if (result.途中まで)
        boxes.ok(
            withValues(tr_(" %1手を読み込みました"), { std::to_string(k) }) + 残り, tr_("棋譜"));
    else
        boxes.ok(tr_(" 読み込みました"), tr_("棋譜"));
    boxes.ok(tr_("棋譜を '進 'で進めて下さい"), tr_("棋譜"));
}

void RecordCommands::Dir1_Change(const std::string& path) { panel.setDirectory(path); }

bool RecordCommands::Drive1_Change(const std::string& drive)
{
    std::error_code ec;
    const bool ready = !drive.empty() && std::filesystem::is_directory(drive, ec)
        && access(drive.c_str(), R_OK | X_OK) == 0;
    if (!ready) {
        boxes.ok(tr_("ﾃﾞﾊﾞｲｽが準備できていません"), tr_("ｴﾗｰ"));
        return false;
    }
    return true;
}

void RecordCommands::CANCEL_Click()
{
    // After a handicap, a reversal or a position pasted as FEN the record
    // holds moves made from the edited position; replayed from the starting
    // position they would put pieces over pieces that were never there.
    // 最初 forgets them.
    const bool edited = g.ハンデ設定 == 1 || g.反転フラグ == 1 || g.FEN設定 == 1;
    DisplayBoardView view(display, timer);
    初期設定(g, &view);
    鵬位置更新(g);
    if (edited)
        g.最終記録手数 = 0;
    sounds.dsPlay(音::駒打音);
}

// 戻 and 進 step with no piece selected, the clock stopped and the highlights gone.
void RecordCommands::手順移動準備()
{
    g.選択状態 = 0;
    timer.setEnabled(false);
    display.描画_将棋盤桝();
}

void RecordCommands::REPLAY_Click()
{
    g.勝者 = -1;
    描画_可視(false, false, false);
    描画_棋譜_IO(2);
    if (g.記録手数 < 1) {
        sounds.dsPlay(音::禁止);
        boxes.ok(tr_("できません"), tr_("戻る"));
        return;
    }
    手順移動準備();
    const int n = std::min(g.記録手数, 最大手数);

    取消_棋譜手(g, n);

    const int 元列 = g.棋譜_元列[n], 元段 = g.棋譜_元段[n];
    const int 先列 = g.棋譜_先列[n], 先段 = g.棋譜_先段[n];
    if (盤内(元列, 元段)) {
        display.描画_絵(g.棋譜_駒[n], 元列, 元段);
        display.描画_桝輪郭(桝枠色, 元列, 元段);
    }

    if (盤内(先列, 先段)) {
        const int c = g.棋譜_取駒[n];
        display.描画_自持盤();
        display.描画_敵持盤();
        display.描画_絵(空, 先列, 先段);
        display.描画_桝輪郭(桝枠色, 先列, 先段);
        if (c != 0) {
            display.描画_絵(c, 先列, 先段);
            display.描画_桝輪郭(桝枠色, 先列, 先段);
        }
    }

    sounds.dsPlay(音::駒打音);
    display.消去_移動結果(g.棋譜_駒[n] > 0 ? g.COM手番 : g.MAN手番);

    g.手番 = -1;
    g.記録手数 -= 1;
    g.手数 -= 1;
    // Each clock as it stood before the move; a limited one reads its time
    // left from the record up to here.
    g.COM所有時間 = g.棋譜_時間3[n];
    display.描画_所有時間(g.COM手番, g.COM所有時間);
    g.MAN所有時間 = g.棋譜_時間1[n];
    display.描画_所有時間(g.MAN手番, g.MAN所有時間);
    display.描画_手数(g.手数);
}

void RecordCommands::AFTER_Click()
{
    描画_可視(false, false, false);
    描画_棋譜_IO(2);
    if (g.記録手数 >= g.最終記録手数 || g.記録手数 >= 最大手数) {
        if (g.棋譜モード == 1) {
            boxes.ok(tr_("終わり"), tr_("進む"));
        } else {
            sounds.dsPlay(音::禁止);
            boxes.ok(tr_("できません"), tr_("進む"));
        }
        return;
    }
    手順移動準備();
    g.記録手数 += 1;
    g.手数 += 1;
    display.描画_手数(g.手数);
    const int n = g.記録手数;

    const int 元列 = g.棋譜_元列[n], 元段 = g.棋譜_元段[n];
    const int 先列 = g.棋譜_先列[n], 先段 = g.棋譜_先段[n];
    const int placed = g.棋譜_成駒[n];
    再生_棋譜手(g, n);
    if (盤内(元列, 元段)) {
        display.描画_絵(空, 元列, 元段);
        display.描画_桝輪郭(桝枠色, 元列, 元段);
    }

    if (上手駒(placed))
        g.手番 = g.MAN手番;
    else if (下手駒(placed))
        g.手番 = g.COM手番;
    // A replayed phoenix capture ends the game again, as the capture did.
    if (g.棋譜_取駒[n] == 鵬)
        g.勝者 = g.MAN手番;
    else if (g.棋譜_取駒[n] == -鵬)
        g.勝者 = g.COM手番;
    // Play may go on from here with a press: the turn's time starts now, not
    // when the position was first reached.
    g.開始時刻 = clock.秒();

    g.COM所有時間 = g.棋譜_時間4[n];
    display.描画_所有時間(g.COM手番, g.COM所有時間);
    g.MAN所有時間 = g.棋譜_時間2[n];
    display.描画_所有時間(g.MAN手番, g.MAN所有時間);

    display.描画_絵(空, 元列, 元段);
    display.描画_桝輪郭(桝枠色, 元列, 元段);
    display.描画_絵(placed, 先列, 先段);
    display.描画_桝輪郭(桝枠色, 先列, 先段);
    display.描画_自持盤();
    display.描画_敵持盤();

    sounds.dsPlay(音::駒打音);
    display.描画_移動結果(placed > 0 ? g.COM手番 : g.MAN手番, 先列, 先段, placed, 白);
    display.描画_手数(g.手数);
}

void RecordCommands::REVERSE_Click()
{
    if (g.棋譜モード == 1) {
        sounds.dsPlay(音::禁止);
        boxes.ok(tr_("棋譜ﾓｰﾄﾞではできません"), tr_("反転"));
        return;
    }
    g.反転フラグ = 1;
    g.選択状態 = 0;
    const 盤配列<int> old = g.盤;
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            const int v = old[c][r];
            g.盤[8 - c][8 - r] = -v; // every piece changes side; an empty square stays 0
        }
    for (int slot = 1; slot <= 6; ++slot)
        std::swap(g.持駒_MAN[slot], g.持駒_COM[slot]);
    std::swap(g.持駒数_MAN, g.持駒数_COM);
    鵬位置更新(g);

    display.forgetMoveTexts();
    display.画面_再描画();
    display.描画_手数(g.手数);
    if (g.ハンデ設定 == 1) {
        g.ハンデレベル = -g.ハンデレベル;
        display.描画_ハンデレベル(g.ハンデレベル);
    }
    sounds.dsPlay(音::駒打音);
    g.記録手数 = 0;
    g.最終記録手数 = 0;
}

void RecordCommands::LBEL_UP_Click() { ハンデ変更(+1); }

void RecordCommands::LEBEL_DOWN_Click() { ハンデ変更(-1); }

void RecordCommands::ハンデ変更(int d)
{
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
    int reason = 0;
    if (g.棋譜モード == 1)
        reason = 1;
    else if (g.記録手数 > 0)
        reason = 2;
    else if (g.反転フラグ == 1)
        reason = 3;
    // The steps take their pieces from the squares of the starting position.
    else if (g.FEN設定 == 1)
        reason = 4;
    if (reason != 0) {
        sounds.dsPlay(音::禁止);
        描画_メッセージ(reason);
        return;
    }
    g.最終記録手数 = 0;

    const int level = g.ハンデレベル;
    if ((d > 0 && level < 7) || (d < 0 && level > -7)) {
        const int to = level + d;
        g.ハンデレベル = to;
        display.描画_ハンデレベル(to);
        // Exactly one cell changes: a piece leaves the side that is handicapped
        // further, or comes back to the side that is handicapped less.
        除去手 step {};
        int code = 空;
        if (d > 0 && to >= 1) {
            step = 上手除去[to];
        } else if (d > 0) {
            step = 下手除去[-to + 1];
            code = step.駒;
        } else if (to <= -1) {
            step = 下手除去[-to];
        } else {
            step = 上手除去[to + 1];
            code = step.駒;
        }
        g.盤[step.列][step.段] = code;
        display.描画_絵(code, step.列, step.段);
        display.描画_桝輪郭(桝枠色, step.列, step.段);
        sounds.dsPlay(音::駒打音);
    }
    g.ハンデ設定 = 1;
}

} // namespace tori
