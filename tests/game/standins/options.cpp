// Stand-in for the options: the default choices, with the music on.
#include "settings/options.h"

namespace tori {

Options::Options(GameState& g, Menu& menu, Display& display, Sounds& sounds, std::string path)
    : g(g), menu(menu), display(display), sounds(sounds), path(std::move(path))
{
}
void Options::読込_環境設定ファイル()
{
    チェック設定(2);
    g.背景画 = 2;
    menu.setChecked("SIDOU", false);
    menu.setChecked("KEIKA", true);
    menu.setChecked("BGM", true);
    sounds.dsPlayLooping(音::BGM);
}
void Options::書込_環境設定ファイル() { }
void Options::チェック設定(int id)
{
    const char* names[] = { "MIDORI", "TATAMI", "TAKE", "UCHU", "RENGA" };
    for (int i = 0; i < 5; ++i)
        menu.setChecked(names[i], i + 2 == id);
}
void Options::MIDORI_Click() { }
void Options::TATAMI_Click() { }
void Options::TAKE_Click() { }
void Options::UCHU_Click() { }
void Options::RENGA_Click() { }
void Options::SIDOU_Click() { }
void Options::BGM_Click() { }

} // namespace tori
