#include "protocol.h"

#include "engine/turn.h"
#include "rules/rules.h"
#include "search/game.h"
#include "search/time_manager.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace tori {

namespace {

    // Splits on blanks; false when a word is not a whole decimal integer.
    bool numbers(std::string_view text, std::vector<int>& out)
    {
        out.clear();
        size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
                ++i;
            if (i == text.size())
                break;
            size_t j = i;
            while (j < text.size() && text[j] != ' ' && text[j] != '\t')
                ++j;
            int v = 0;
            const char* first = text.data() + i;
            const char* last = text.data() + j;
            if (*first == '+')
                return false;
            const auto [ptr, ec] = std::from_chars(first, last, v);
            if (ec != std::errc() || ptr != last)
                return false;
            out.push_back(v);
            i = j;
        }
        return true;
    }

    const char* winnerName(const GameState& g)
    {
        if (g.勝者 == -1)
            return "none";
        return g.勝者 == g.MAN手番 ? "man" : "com";
    }

    // Collects the search's info lines for the reply.
    class InfoHooks : public TurnHooks {
    public:
        std::string lines;
        void 探索経過(const search::Iteration& it) override
        {
            char buffer[160];
            const long long ms = static_cast<long long>(it.ms);
            const unsigned long long nps
                = it.ms > 0 ? static_cast<unsigned long long>(it.nodes * 1000.0 / it.ms) : 0;
            // A won or lost game as the moves (of the winner) to its end,
            // negative when the computer loses; otherwise hundredths of a swallow.
            char score[32];
            if (it.score >= search::MateBound)
                std::snprintf(
                    score, sizeof score, "mate %d", (search::MateScore - it.score + 1) / 2);
            else if (it.score <= -search::MateBound)
                std::snprintf(
                    score, sizeof score, "mate -%d", (search::MateScore + it.score + 1) / 2);
            else
                std::snprintf(score, sizeof score, "cp %d", it.score);
            std::snprintf(buffer, sizeof buffer,
                "info depth %d score %s nodes %llu nps %llu time %lld pv", it.depth, score,
                static_cast<unsigned long long>(it.nodes), nps, ms);
            lines += buffer;
            for (int i = 0; i < it.pvLength; ++i) {
                char move[8];
                search::moveText(it.pv[i], move);
                lines += ' ';
                lines += move;
            }
            lines += '\n';
        }
    };

    // "movetime MS", "depth N" or "nodes N" after go; false when it is none of them.
    bool goLimits(std::string_view rest, search::Limits& limits)
    {
        std::vector<int> value;
        size_t i = rest.find_first_not_of(" \t");
        if (i == std::string_view::npos)
            return false;
        rest.remove_prefix(i);
        const size_t space = rest.find_first_of(" \t");
        if (space == std::string_view::npos)
            return false;
        const std::string_view name = rest.substr(0, space);
        if (!numbers(rest.substr(space), value) || value.size() != 1 || value[0] < 1)
            return false;
        if (name == "movetime")
            limits.timeMs = value[0];
        else if (name == "depth" && value[0] < search::MaxPly - 1)
            limits.depth = value[0];
        else if (name == "nodes")
            limits.nodes = static_cast<std::uint64_t>(value[0]);
        else
            return false;
        return true;
    }

    // The clocks after go, in milliseconds and in any order, each at most once:
    // "wtime MS btime MS winc MS binc MS byoyomi MS". The computer is 先手 in a
    // session, so btime and binc are its own; wtime and winc, the person's, are
    // read and not needed. False when a word is none of these or a value is
    // missing or negative. `any` tells whether the first word names a clock.
    bool clockWords(std::string_view rest, search::ClockTimes& clock, bool& any)
    {
        static const char* const names[] = { "wtime", "btime", "winc", "binc", "byoyomi" };
        std::vector<std::string_view> words;
        for (size_t i = 0; i < rest.size();) {
            i = rest.find_first_not_of(" \t", i);
            if (i == std::string_view::npos)
                break;
            const size_t j = std::min(rest.find_first_of(" \t", i), rest.size());
            words.push_back(rest.substr(i, j - i));
            i = j;
        }
        any = !words.empty() && std::any_of(std::begin(names), std::end(names), [&](const char* n) {
            return words[0] == n;
        });
        if (!any || words.size() % 2 != 0)
            return false;
        bool seen[5] = {};
        for (size_t w = 0; w < words.size(); w += 2) {
            const auto name = std::find_if(
                std::begin(names), std::end(names), [&](const char* n) { return words[w] == n; });
            if (name == std::end(names))
                return false;
            const auto k = static_cast<size_t>(name - std::begin(names));
            int value = 0;
            const std::string_view v = words[w + 1];
            const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), value);
            if (seen[k] || error != std::errc() || end != v.data() + v.size() || value < 0)
                return false;
            seen[k] = true;
            if (k == 1)
                clock.remainingMs = value;
            else if (k == 3)
                clock.incrementMs = value;
            else if (k == 4)
                clock.byoyomiMs = value;
        }
        return true;
    }

    // The reply to a move that was not made.
    const char* refusalText(着手拒否 refusal)
    {
        switch (refusal) {
        case 着手拒否::反則:
            return "error illegal";
        case 着手拒否::終局:
            return "error over";
        case 着手拒否::満杯:
            return "error full";
        case 着手拒否::指手なし:
            return "com none";
        default:
            return "";
        }
    }

    std::string scoreText(int tenths)
    {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.4f", tenths / 10.0);
        return buffer;
    }

} // namespace

EngineSession::EngineSession()
{
    初期設定(g_);
    g_.MAN手番 = GameState::後手;
    g_.COM手番 = GameState::先手;
    g_.レベル = 3;
    // One thread unless asked: the same limits give the same moves.
    深読みスレッド数設定(1);
}

bool EngineSession::command(std::string_view line, std::string& reply)
{
    reply.clear();
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    const size_t space = line.find_first_of(" \t");
    const std::string_view word = line.substr(0, space);
    const std::string_view rest
        = space == std::string_view::npos ? std::string_view() : line.substr(space);

    std::vector<int> args;
    if (word.empty()) {
        reply = "error empty line";
        return true;
    }
    search::Limits limits;
    bool limited = false;
    search::ClockTimes clock;
    bool clocked = false;
    if (word == "go" && !clockWords(rest, clock, clocked) && clocked) {
        reply = "error go takes wtime, btime, winc, binc and byoyomi in milliseconds";
        return true;
    }
    if (clocked) {
        // Levels 1-3 answer at once whatever the clock; 4 and 5 keep to it.
        if (g_.レベル >= 4) {
            limits = search::clockLimits(search::levelLimits(g_.レベル), clock);
            limited = true;
        }
    } else if (word == "go" && !rest.empty()) {
        if (g_.レベル < 4) {
            reply = "error go limits need level 4 or 5";
            return true;
        }
        if (!goLimits(rest, limits)) {
            reply = "error go takes movetime MS, depth N or nodes N";
            return true;
        }
        limited = true;
    } else if (word == "quit" || word == "show" || word == "go") {
        if (!rest.empty()) {
            reply = "error " + std::string(word) + " takes no arguments";
            return true;
        }
    } else if (!numbers(rest, args)) {
        reply = "error arguments must be integers";
        return true;
    }

    if (word == "quit")
        return false;
    if (word == "show") {
        reply = search::書出_局面行(g_);
        return true;
    }
    if (word == "threads") {
        if (args.size() != 1 || args[0] < 1 || args[0] > search::SearchPool::MaxThreads) {
            reply = "error threads takes 1.." + std::to_string(search::SearchPool::MaxThreads);
            return true;
        }
        深読みスレッド数設定(args[0]);
        return true;
    }
    if (word == "level") {
        if (args.size() != 1 || args[0] < 1 || args[0] > 5) {
            reply = "error level takes 1, 2, 3, 4 or 5";
            return true;
        }
        g_.レベル = args[0];
        return true;
    }
    if (word == "position") {
        if (args.size() != search::局面行数) {
            reply = "error position takes 49 squares and 12 hand counts";
            return true;
        }
        for (int i = 0; i < 49; ++i)
            if (args[i] != 空 && !駒コード(args[i])) {
                reply = "error not a piece code: " + std::to_string(args[i]);
                return true;
            }
        for (int i = 49; i < 61; ++i)
            if (args[i] < 0 || args[i] > 16) {
                reply = "error a hand count is 0..16";
                return true;
            }
        search::設定_局面行(g_, args.data());
        for (int r = 1; r <= 7; ++r)
            for (int c = 1; c <= 7; ++c)
                if (g_.盤[c][r] == -鵬) {
                    g_.MAN鵬_列 = c;
                    g_.MAN鵬_段 = r;
                }
        g_.勝者 = -1;
        g_.記録手数 = 0;
        g_.手数 = 0;
        g_.最終記録手数 = 0;
        return true;
    }
    if (word == "man") {
        if (args.size() != 5) {
            reply = "error man takes FC FR TC TR PLACED";
            return true;
        }
        const 人間着手結果 r = MAN着手(g_, e_, args[0], args[1], args[2], args[3], args[4]);
        if (r.拒否 != 着手拒否::なし) {
            reply = refusalText(r.拒否);
            return true;
        }
        reply = "man mated=" + std::to_string(r.詰め) + " winner=" + winnerName(g_);
        return true;
    }
    if (word == "go") {
        // A search bounded by depth or nodes starts afresh, so that it gives
        // the same move whatever was searched before.
        if (limited && !limits.timeMs)
            深読み探索器().clear();
        InfoHooks hooks;
        const COM着手結果 r = com_ban(g_, e_, &hooks, limited ? &limits : nullptr);
        if (r.拒否 != 着手拒否::なし) {
            reply = refusalText(r.拒否);
            return true;
        }
        reply = hooks.lines + "com " + std::to_string(r.元列) + " " + std::to_string(r.元段) + " "
            + std::to_string(r.先列) + " " + std::to_string(r.先段) + " " + std::to_string(r.駒)
            + " " + std::to_string(r.成駒) + " " + scoreText(r.評価)
            + " mate=" + std::to_string(r.詰め) + " winner=" + winnerName(g_);
        return true;
    }
    reply = "error unknown command " + std::string(word);
    return true;
}

} // namespace tori
