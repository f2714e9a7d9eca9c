#include "settings/options.h"

#include "platform/menu_names.h"
#include "settings/text_file.h"

#include <vector>

namespace tori {

namespace {

    struct Background {
        const char* item; // the menu item
        const char* line; // its settings line
        int id; // its picture code
    };
    // The order in which the first line is recognised and written.
    const Background backgrounds[] = {
        { menu::MIDORI, "背景画=緑", 2 },
        { menu::TAKE, "背景画=竹", 4 },
        { menu::TATAMI, "背景画=畳", 3 },
        { menu::UCHU, "背景画=宇宙", 5 },
        { menu::RENGA, "背景画=煉瓦", 6 },
    };

    const std::vector<std::string> defaultLines
        = { "背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=ON" };

} // namespace

Options::Options(GameState& g, Menu& menu, Display& display, Sounds& sounds, std::string path)
    : g(g)
    , menu(menu)
    , display(display)
    , sounds(sounds)
    , path(std::move(path))
{
}

// A missing, short or unreadable file is replaced by the defaults without a
// word: the player simply sees the game as it first came.
void Options::読込_環境設定ファイル()
{
    const auto lines = unsaved ? unsaved : readShiftJisLines(path);
    if (!lines || lines->size() < 4) {
        writeShiftJisLines(path, defaultLines);
        チェック設定(2);
        display.描画_背景(2);
        g.背景画 = 2;
        // Guidance follows its now unchecked item. At start-up it is off
        // already; when a loaded record runs start-up again, leaving it on
        // would outline moves under an unchecked 移動指導.
        menu.setChecked(menu::SIDOU, false);
        g.移動指導 = 0;
        g.移動指導色 = 桝枠色;
        menu.setChecked(menu::KEIKA, true);
        // The music is not started here: it waits for the next start or for
        // BGM to be switched off and on.
        menu.setChecked(menu::BGM, true);
        return;
    }
    const auto& line = *lines;

    for (const Background& b : backgrounds)
        if (line[0] == b.line) {
            チェック設定(b.id);
            display.描画_背景(b.id);
            g.背景画 = b.id;
            break;
        }

    const bool guidance = line[1] == "移動指導=ON";
    g.移動指導色 = guidance ? 白 : 桝枠色;
    menu.setChecked(menu::SIDOU, guidance);
    g.移動指導 = guidance ? 1 : 0;

    menu.setChecked(menu::KEIKA, line[2] == "経過時間=ON");

    const bool music = line[3] == "BGM=ON";
    menu.setChecked(menu::BGM, music);
    if (music)
        sounds.dsPlayLooping(音::BGM);
}

// Written whole through a temporary file, so the old file stays until the
// new one is complete. When even that fails (a read-only folder, a full
// disk), the choices stay as the player made them for this run; they are
// just not remembered. Putting the check marks back to the defaults here
// would leave them contradicting what is on the screen and in the speakers.
void Options::書込_環境設定ファイル()
{
    std::vector<std::string> lines;
    for (const Background& b : backgrounds)
        if (menu.checked(b.item)) {
            lines.push_back(b.line);
            break;
        }
    lines.push_back(menu.checked(menu::SIDOU) ? "移動指導=ON" : "移動指導=OFF");
    lines.push_back(menu.checked(menu::KEIKA) ? "経過時間=ON" : "経過時間=OFF");
    lines.push_back(menu.checked(menu::BGM) ? "BGM=ON" : "BGM=OFF");
    if (writeShiftJisLines(path, lines))
        unsaved.reset();
    else
        unsaved = lines;
}

void Options::チェック設定(int id)
{
    for (const Background& b : backgrounds)
        menu.setChecked(b.item, false);
    for (const Background& b : backgrounds)
        if (b.id == id)
            menu.setChecked(b.item, true);
}

namespace {

    // Shared by the five background items; the already checked one still
    // rewrites the file and redraws the screen.
    void chooseBackground(
        Options& o, Menu& menu, GameState& g, Display& display, const char* item, int id)
    {
        if (!menu.checked(item)) {
            o.チェック設定(id);
            g.背景画 = id;
        }
        o.書込_環境設定ファイル();
        display.画面_再描画();
    }

} // namespace

void Options::MIDORI_Click() { chooseBackground(*this, menu, g, display, menu::MIDORI, 2); }
void Options::TATAMI_Click() { chooseBackground(*this, menu, g, display, menu::TATAMI, 3); }
void Options::TAKE_Click() { chooseBackground(*this, menu, g, display, menu::TAKE, 4); }
void Options::UCHU_Click() { chooseBackground(*this, menu, g, display, menu::UCHU, 5); }
void Options::RENGA_Click() { chooseBackground(*this, menu, g, display, menu::RENGA, 6); }

void Options::SIDOU_Click()
{
    if (menu.checked(menu::SIDOU)) {
        // Cover every outline guidance may have left on the board, and the
        // cells of the upper hand beside it.
        for (int col = 1; col <= 7; ++col)
            for (int row = 1; row <= 7; ++row)
                display.描画_桝輪郭(桝枠色, col, row);
        for (int row = 1; row <= 6; ++row)
            display.描画_桝輪郭(桝枠色, -1, row);
        menu.setChecked(menu::SIDOU, false);
        g.移動指導 = 0;
        g.移動指導色 = 桝枠色;
    } else {
        menu.setChecked(menu::SIDOU, true);
        g.移動指導 = 1;
        g.移動指導色 = 白;
    }
    書込_環境設定ファイル();
}

void Options::BGM_Click()
{
    if (menu.checked(menu::BGM)) {
        menu.setChecked(menu::BGM, false);
        sounds.dsStop(音::BGM);
    } else {
        menu.setChecked(menu::BGM, true);
        sounds.dsPlayLooping(音::BGM);
    }
    書込_環境設定ファイル();
}

} // namespace tori
