// Plain C++ stand-ins for the platform in tests, one for each interface of
// platform/: a surface that records what is drawn, a menu of check marks in a
// map, a scripted time of day, message boxes that record what they showed and
// answer from a script, a timer that only remembers its switch, sounds that
// record every call, a record panel that keeps its texts and visibilities, a
// move list and a clipboard that keep what they were given, a board view
// that logs what the rules ask of the window, and a catalog of a few texts.
#pragma once

#include "platform/analysis_view.h"
#include "platform/board_view.h"
#include "platform/clipboard.h"
#include "platform/menu.h"
#include "platform/menu_names.h"
#include "platform/message_boxes.h"
#include "platform/move_list.h"
#include "platform/preferences.h"
#include "platform/record_panel.h"
#include "platform/sounds.h"
#include "platform/surface.h"
#include "platform/time_of_day.h"
#include "platform/timer.h"
#include "platform/translation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tori::testing {

// Twips of a grid position, for expectations.
inline double gridX(double gx) { return 1050 + 495 * gx; }
inline double gridY(double gy) { return 100 + 615 * gy; }

// The time of day as a test sets it. Each reading returns `now` and moves the
// clock on by `step` seconds (0 by default), so that busy waits end; the day
// wraps at midnight. A clock made from a script returns the script's readings
// in order first; a reading past its end marks the clock `exhausted` and comes
// an hour later, so that no wait can hang a test.
class ScriptedTimeOfDay : public TimeOfDay {
public:
    explicit ScriptedTimeOfDay(double now = 36000, double step = 0)
        : now(now)
        , step(step)
    {
    }
    explicit ScriptedTimeOfDay(std::vector<double> script)
        : now(0)
        , step(3600)
        , script(std::move(script))
    {
    }
    double 秒() override
    {
        ++readings;
        if (next < script.size())
            now = script[next++];
        else if (!script.empty())
            exhausted = true;
        last = now;
        now = std::fmod(now + step, 86400.0);
        return last;
    }
    void advance(double seconds) { now = std::fmod(now + seconds, 86400.0); }

    double now;
    double step;
    double last = 0; // the latest reading
    std::size_t readings = 0;
    bool exhausted = false;

private:
    std::vector<double> script;
    std::size_t next = 0;
};

// Every call in order, with all its arguments; a clock, when set, stamps each
// call with its latest reading.
class RecordingSurface : public Surface {
public:
    struct Call {
        enum Kind { Picture, Frame, Text, Refresh };
        explicit Call(Kind kind, double x = 0, double y = 0)
            : kind(kind)
            , x(x)
            , y(y)
        {
        }
        Kind kind;
        int code = 0; // the picture code
        int colour = 0; // the colour of a frame or a text
        double x, y; // the top-left point
        double x2 = 0, y2 = 0; // the bottom-right corner of a frame
        std::string text;
        double points = 0;
        bool bold = false;
        double time = 0;
    };

    void 絵(int code, double x, double y) override
    {
        Call c(Call::Picture, x, y);
        c.code = code;
        add(std::move(c));
    }
    void 枠(int colour, double x1, double y1, double x2, double y2) override
    {
        Call c(Call::Frame, x1, y1);
        c.colour = colour;
        c.x2 = x2;
        c.y2 = y2;
        add(std::move(c));
    }
    void 文字(
        double x, double y, const std::string& text, double points, bool bold, int colour) override
    {
        Call c(Call::Text, x, y);
        c.colour = colour;
        c.text = text;
        c.points = points;
        c.bold = bold;
        add(std::move(c));
    }
    void 更新() override { add(Call(Call::Refresh)); }
    // Kept, not logged: the calls stay those of the drawing procedures.
    void setPieceSet(PieceSet set) override { pieces = set; }

    void clear() { calls.clear(); }

    std::vector<Call> of(Call::Kind kind) const
    {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.kind == kind)
                out.push_back(c);
        return out;
    }
    std::vector<Call> pictures() const { return of(Call::Picture); }
    std::vector<Call> frames() const { return of(Call::Frame); }
    std::vector<Call> texts() const { return of(Call::Text); }
    int refreshes() const { return static_cast<int>(of(Call::Refresh).size()); }
    // No picture, outline or text since the last clear.
    bool nothingDrawn() const
    {
        return std::all_of(
            calls.begin(), calls.end(), [](const Call& c) { return c.kind == Call::Refresh; });
    }

    // Every text drawn with exactly this content.
    std::vector<Call> textsOf(const std::string& text) const
    {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.kind == Call::Text && c.text == text)
                out.push_back(c);
        return out;
    }
    bool drewText(const std::string& text) const { return !textsOf(text).empty(); }

    // The last outline colour drawn around grid cell (gx, gy); -1 for none.
    int lastOutline(double gx, double gy) const
    {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->kind == Call::Frame && std::abs(it->x - gridX(gx)) < 1
                && std::abs(it->y - gridY(gy)) < 1)
                return it->colour;
        return -1;
    }
    // The colour each outlined grid cell (column, row) was last outlined in.
    std::map<std::pair<int, int>, int> lastOutlines() const
    {
        std::map<std::pair<int, int>, int> last;
        for (const Call& c : calls)
            if (c.kind == Call::Frame)
                last[{ int(std::lround((c.x - gridX(0)) / 495)),
                    int(std::lround((c.y - gridY(0)) / 615)) }]
                    = c.colour;
        return last;
    }

    // The background pictures (codes 2..6) drawn since the last clear.
    std::set<int> backgrounds() const
    {
        std::set<int> codes;
        for (const Call& c : calls)
            if (c.kind == Call::Picture && c.code >= 2 && c.code <= 6)
                codes.insert(c.code);
        return codes;
    }
    // The title pictures (code 1) drawn since the last clear.
    int titles() const
    {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(),
            [](const Call& c) { return c.kind == Call::Picture && c.code == 1; }));
    }
    // The whole screen was drawn again: the board, and the title above it.
    bool redrawn() const { return titles() > 0 && frames().size() >= 49; }

    std::vector<Call> calls;
    ScriptedTimeOfDay* clock = nullptr;
    PieceSet pieces = PieceSet::kanji; // the set the pieces are drawn in

private:
    void add(Call c)
    {
        if (clock)
            c.time = clock->last;
        calls.push_back(std::move(c));
    }
};

class FakeMenu : public Menu {
public:
    bool checked(const std::string& name) const override
    {
        const auto it = marks.find(name);
        return it != marks.end() && it->second;
    }
    void setChecked(const std::string& name, bool on) override { marks[name] = on; }

    // The background items that carry a check mark, in the menu's order.
    std::vector<std::string> backgrounds() const
    {
        std::vector<std::string> on;
        for (const char* item : { menu::MIDORI, menu::TATAMI, menu::TAKE, menu::UCHU, menu::RENGA })
            if (checked(item))
                on.push_back(item);
        return on;
    }

    std::map<std::string, bool> marks;
};

class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        std::string title;
        bool yesNo;
        Icon icon;
    };

    void ok(const std::string& text, const std::string& title, Icon icon = Icon::None) override
    {
        shown.push_back({ text, title, false, icon });
        if (onShow)
            onShow(shown.back());
    }
    // Answers from `answers` in order; Yes once they run out.
    bool yesNo(const std::string& text, const std::string& title) override
    {
        shown.push_back({ text, title, true, Icon::None });
        if (onShow)
            onShow(shown.back());
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const Shown& s : shown)
            out.push_back(s.text);
        return out;
    }
    std::vector<std::string> titles() const
    {
        std::vector<std::string> out;
        for (const Shown& s : shown)
            out.push_back(s.title);
        return out;
    }
    bool showed(const std::string& text) const
    {
        return std::any_of(
            shown.begin(), shown.end(), [&](const Shown& s) { return s.text == text; });
    }

    std::vector<Shown> shown;
    std::deque<bool> answers;
    // Runs while a box is up, for tests of what the player sees meanwhile.
    std::function<void(const Shown&)> onShow;
};

class FakeTimer : public Timer {
public:
    void setEnabled(bool on) override { this->on = on; }
    bool enabled() const override { return on; }

    bool on = false;
};

// The procedures of Sounds, as a recorded call names them: start for 開始,
// end for 終了. (The window's tests go through moc, which cannot read an
// enumeration that opens with a Japanese name.)
enum class SoundCall { start, dsPlay, dsPlayLooping, dsStop, end };

inline const char* soundName(音 buffer)
{
    switch (buffer) {
    case 音::その他:
        return "その他";
    case 音::禁止:
        return "禁止";
    case 音::駒打音:
        return "駒打音";
    case 音::BGM:
        return "BGM";
    case 音::秒読み:
        return "秒読み";
    }
    return "?";
}

class RecordingSounds : public Sounds {
public:
    struct Call {
        SoundCall what;
        音 buffer; // その他 for 開始 and 終了
        bool operator==(const Call&) const = default;
    };

    std::vector<std::pair<std::string, std::string>> 開始() override
    {
        calls.push_back({ SoundCall::start, 音::その他 });
        return startMessages;
    }
    void dsPlay(音 buffer) override { calls.push_back({ SoundCall::dsPlay, buffer }); }
    void dsPlayLooping(音 buffer) override
    {
        calls.push_back({ SoundCall::dsPlayLooping, buffer });
    }
    void dsStop(音 buffer) override { calls.push_back({ SoundCall::dsStop, buffer }); }
    void 終了() override { calls.push_back({ SoundCall::end, 音::その他 }); }

    int count(SoundCall what) const
    {
        return static_cast<int>(std::count_if(
            calls.begin(), calls.end(), [&](const Call& c) { return c.what == what; }));
    }
    int count(SoundCall what, 音 buffer) const
    {
        return static_cast<int>(std::count(calls.begin(), calls.end(), Call { what, buffer }));
    }
    // The buffers played once, in order.
    std::vector<音> played() const
    {
        std::vector<音> out;
        for (const Call& c : calls)
            if (c.what == SoundCall::dsPlay)
                out.push_back(c.buffer);
        return out;
    }
    // Every call as a line such as "dsPlay 禁止", "dsPlayLooping BGM", "開始" or "終了".
    std::vector<std::string> log() const
    {
        static const char* const names[] = { "開始", "dsPlay", "dsPlayLooping", "dsStop", "終了" };
        std::vector<std::string> out;
        for (const Call& c : calls) {
            const bool withBuffer = c.what != SoundCall::start && c.what != SoundCall::end;
            out.push_back(std::string(names[static_cast<int>(c.what)])
                + (withBuffer ? std::string(" ") + soundName(c.buffer) : std::string()));
        }
        return out;
    }

    std::vector<Call> calls;
    // What 開始 reports, for tests of the message boxes at start-up.
    std::vector<std::pair<std::string, std::string>> startMessages;
};

class FakeRecordPanel : public RecordPanel {
public:
    void setListsVisible(bool drive, bool dir, bool file) override
    {
        driveVisible = drive;
        dirVisible = dir;
        fileVisible = file;
    }
    void setWriteControlsVisible(bool on) override { writeVisible = on; }
    std::string text(int box) const override
    {
        const auto it = texts.find(box);
        return it == texts.end() ? std::string() : it->second;
    }
    void setText(int box, const std::string& text) override { texts[box] = text; }
    std::string directory() const override { return path; }
    void refreshFiles() override { ++refreshes; }
    void setDirectory(const std::string& path) override { this->path = path; }

    bool driveVisible = false, dirVisible = false, fileVisible = false, writeVisible = false;
    std::map<int, std::string> texts;
    std::string path = "."; // File1's directory
    int refreshes = 0;
};

class FakeMoveList : public MoveList {
public:
    void setShown(bool on) override { shown = on; }
    void setEntries(const std::vector<MoveListEntry>& e, int c) override
    {
        entries = e;
        current = c;
        ++updates;
    }

    // The texts of the entries, the start position's caption first.
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const MoveListEntry& e : entries)
            out.push_back(e.text);
        return out;
    }

    bool shown = false;
    std::vector<MoveListEntry> entries;
    int current = -1;
    int updates = 0;
};

class FakeClipboard : public Clipboard {
public:
    std::string text() const override { return contents; }
    void setText(const std::string& text) override { contents = text; }

    std::string contents;
};

// What the window would show of 検討, as last shown.
class FakeAnalysisView : public AnalysisView {
public:
    void showEvaluation(const std::string& text) override
    {
        evaluation = text;
        ++evaluations;
    }
    void showHint(const std::string& text, int fromX, int fromY, int toX, int toY) override
    {
        hint = text;
        hintCells = { fromX, fromY, toX, toY };
    }
    void showProgress(int d, int t) override
    {
        done = d;
        total = t;
    }
    void showGraph(const std::vector<EvaluationPoint>& p, int c) override
    {
        points = p;
        current = c;
    }
    void showDetail(const std::string& text) override { detail = text; }
    int chooseTenths(int c) override
    {
        offered = c;
        return answer;
    }

    std::string evaluation, hint, detail;
    int evaluations = 0;
    std::array<int, 4> hintCells {};
    int done = 0, total = 0;
    std::vector<EvaluationPoint> points;
    int current = -1;
    int offered = 0;
    int answer = 10; // the time the player picks, tenths of a second
};

// The kept choices as a map, empty to begin with.
class FakePreferences : public Preferences {
public:
    std::string value(const std::string& key, const std::string& fallback) const override
    {
        const auto found = values.find(key);
        return found == values.end() ? fallback : found->second;
    }
    void setValue(const std::string& key, const std::string& value) override
    {
        values[key] = value;
    }

    std::map<std::string, std::string> values;
};

// Logs every request as a line such as "絵 -10 4,3", "輪郭 2 4,3", "自持盤",
// "敵持盤", "再描画" or "タイマー停止"; grid positions are shown whole.
class RecordingView : public BoardView {
public:
    void 描画_絵(int code, double gx, double gy) override
    {
        calls.push_back("絵 " + std::to_string(code) + " " + at(gx, gy));
    }
    void 描画_桝輪郭(int colour, double gx, double gy) override
    {
        calls.push_back("輪郭 " + std::to_string(colour) + " " + at(gx, gy));
    }
    void 描画_自持盤() override { calls.push_back("自持盤"); }
    void 描画_敵持盤() override { calls.push_back("敵持盤"); }
    void 画面_再描画() override { calls.push_back("再描画"); }
    void タイマー停止() override { calls.push_back("タイマー停止"); }

    std::vector<std::string> calls;

private:
    static std::string at(double gx, double gy)
    {
        return std::to_string(int(gx)) + "," + std::to_string(int(gy));
    }
};

// A language's texts given by the test; chosen for tr_() while a
// UsingCatalog lives.
class FakeCatalog : public Catalog {
public:
    const char* find(std::string_view japanese) const override
    {
        const auto found = texts.find(std::string(japanese));
        return found == texts.end() ? nullptr : found->second.c_str();
    }
    std::map<std::string, std::string> texts;
};

class UsingCatalog {
public:
    explicit UsingCatalog(const Catalog& catalog) { useCatalog(&catalog); }
    ~UsingCatalog() { useCatalog(nullptr); }
    UsingCatalog(const UsingCatalog&) = delete;
    UsingCatalog& operator=(const UsingCatalog&) = delete;
};

} // namespace tori::testing
