#include "record/move_list.h"

#include "platform/menu_names.h"
#include "platform/translation.h"

#include <algorithm>

namespace tori {

std::vector<MoveListEntry> 棋譜一覧項目(const GameState& g)
{
    std::vector<MoveListEntry> entries { { 0, tr_("開始局面") } };
    const int last = std::clamp(std::max(g.最終記録手数, g.記録手数), 0, 最大手数);
    const bool firstUpper = last >= 1 && 上手駒(g.棋譜_成駒[1]);
    for (int n = 1; n <= last; ++n) {
        const char* mover = 上手駒(g.棋譜_成駒[n]) == firstUpper ? "▲" : "△";
        entries.push_back({ n, mover + 変換_棋譜手(g, n) });
    }
    return entries;
}

MoveListCommands::MoveListCommands(GameState& g, Display& display, Timer& timer, TimeOfDay& clock,
    RecordPanel& panel, Sounds& sounds, Menu& menu, MoveList& list)
    : g(g)
    , sounds(sounds)
    , menu(menu)
    , list(list)
    , steps(g, display, silentBoxes, silentSounds, timer, clock, panel, nullptr)
{
}

void MoveListCommands::KIFU_LIST_Click()
{
    const bool on = !menu.checked(menu::KIFU_LIST);
    menu.setChecked(menu::KIFU_LIST, on);
    list.setShown(on);
    shown.clear();
    shownCurrent = -1;
    描画_棋譜一覧();
}

void MoveListCommands::List1_Click(int n)
{
    if (n < 0 || n > std::max(g.最終記録手数, g.記録手数))
        return;
    const int from = g.記録手数;
    // Each step is refused where 戻 or 進 would refuse it; the loop ends then.
    for (int before = -1; g.記録手数 > n && g.記録手数 != before;) {
        before = g.記録手数;
        steps.REPLAY_Click();
    }
    for (int before = -1; g.記録手数 < n && g.記録手数 != before;) {
        before = g.記録手数;
        steps.AFTER_Click();
    }
    if (g.記録手数 != from)
        sounds.dsPlay(音::駒打音);
}

bool MoveListCommands::描画_棋譜一覧()
{
    if (!menu.checked(menu::KIFU_LIST))
        return false;
    std::vector<MoveListEntry> entries = 棋譜一覧項目(g);
    if (annotate)
        annotate(entries);
    const int current = std::clamp(g.記録手数, 0, static_cast<int>(entries.size()) - 1);
    if (entries == shown && current == shownCurrent)
        return false;
    shown = std::move(entries);
    shownCurrent = current;
    list.setEntries(shown, current);
    return true;
}

} // namespace tori
