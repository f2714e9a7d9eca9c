// The display's code-to-text tables, the time text of the clocks and the
// blink's busy wait.
#include "display/display.h"

#include "platform/translation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace tori {

std::string 文字列変換(int code)
{
    static const char* const digits[] = { "１", "２", "３", "４", "５", "６", "７", "８", "９" };
    static const char* const rows[] = { "一", "二", "三", "四", "五", "六", "七" };
    if (code >= 1 && code <= 9)
        return digits[code - 1];
    if (code >= 1001 && code <= 1007)
        return rows[code - 1001];
    return 駒名(code);
}

std::array<std::string, 3> 移動結果文字(int col, int row, int piece)
{
    // The column digit matches the board's own column labels (７ on the left).
    return { 文字列変換(8 - col), 文字列変換(1000 + row), 文字列変換(piece) };
}

std::string 変換_棋譜手(const GameState& g, int n)
{
    if (n < 1 || n > 最大手数)
        return {};
    if (国際表記())
        return 国際棋譜手(g, n);
    const int placed = g.棋譜_成駒[n];
    const auto parts = 移動結果文字(g.棋譜_先列[n], g.棋譜_先段[n], placed);
    // The eagle by its own name, as its piece shows it: "鷹成" would read as a
    // falcon promoting, and a falcon that promotes would end in 成成.
    std::string text = parts[0] + parts[1] + (std::abs(placed) == 鷹成 ? "鷲" : parts[2]);
    if (!盤内(g.棋譜_元列[n], g.棋譜_元段[n]))
        text += "打";
    else if (placed != g.棋譜_駒[n])
        text += "成";
    return text;
}

bool 国際表記() { return currentCatalog() != nullptr; }

std::string 駒文字(int code)
{
    switch (code < 0 ? -code : code) {
    case 燕:
        return "S";
    case 鴈:
        return "+S";
    case 雉:
        return "P";
    case 鷹:
        return "F";
    case 鷹成:
        return "+F";
    case 鶴:
        return "C";
    case 左鶉:
        return "L";
    case 右鶉:
        return "R";
    case 鵬:
        return "K";
    default:
        return "";
    }
}

std::string 国際棋譜手(const GameState& g, int n)
{
    if (n < 1 || n > 最大手数)
        return {};
    const int col = g.棋譜_先列[n], row = g.棋譜_先段[n];
    const bool drop = !盤内(g.棋譜_元列[n], g.棋譜_元段[n]);
    const char how = drop ? '*' : g.棋譜_取駒[n] != 空 ? 'x' : '-';
    // Columns as the board labels them, 7 on the left; rows 1 at the top.
    std::string text = 駒文字(g.棋譜_駒[n]) + how + std::to_string(8 - col) + std::to_string(row);
    if (!drop && g.棋譜_成駒[n] != g.棋譜_駒[n])
        text += '+';
    return text;
}

std::string 変換_数字から文字(long n)
{
    std::string text = std::to_string(n);
    if (text.size() == 1)
        return "0" + text;
    if (text.size() == 2)
        return text;
    return {};
}

std::string 調査_時間秒追加結果(double seconds)
{
    // A used time is never negative; a clock fault must not show "00:-1:55".
    if (!(seconds >= 0))
        seconds = 0;
    const double hours = seconds >= 3600 ? std::floor(seconds / 3600) : 0;
    const double rest = seconds - 3600 * hours;
    const double minutes = std::floor(rest / 60);
    const double secs = rest - 60 * minutes;
    // Any hour count of three digits or more shows as an empty field; keep the
    // conversion to an integer in range for absurd totals too.
    const long h = hours < 1e6 ? static_cast<long>(hours) : 1000000L;
    return 変換_数字から文字(h) + ":" + 変換_数字から文字(static_cast<long>(minutes)) + ":"
        + 変換_数字から文字(static_cast<long>(std::floor(secs)));
}

std::string 時計文字(const 時計状態& clock)
{
    const double whole = std::ceil(std::max(0.0, clock.表示秒) - 1e-9);
    if (clock.秒読み)
        return std::string(tr_("秒読み")) + " " + std::to_string(static_cast<long>(whole));
    return 調査_時間秒追加結果(whole);
}

void 待ち時間(TimeOfDay& clock, double seconds)
{
    constexpr double 一日 = 86400;
    const double start = clock.秒();
    for (;;) {
        const double now = clock.秒();
        // Past midnight the reading starts again from 0.
        const double elapsed = now >= start ? now - start : now + 一日 - start;
        if (elapsed >= seconds)
            return;
        // No events are taken while waiting, but the core is left to others.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace tori
