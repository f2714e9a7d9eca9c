// Plain C++ stand-ins for the platform in tests: a surface that records what
// is drawn, a menu of check marks in a map, a scripted time of day, message
// boxes that record what they showed and answer from a script, a timer that
// only remembers its switch, sounds that record every call, and a record panel
// that keeps its texts and visibilities.
#pragma once

#include "platform/menu.h"
#include "platform/message_boxes.h"
#include "platform/record_panel.h"
#include "platform/sounds.h"
#include "platform/surface.h"
#include "platform/time_of_day.h"
#include "platform/timer.h"

#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tori::testing {

class RecordingSurface : public Surface {
public:
    struct Picture {
        int code;
        double x, y;
    };
    struct Frame {
        int colour;
        double x1, y1, x2, y2;
    };
    struct Text {
        double x, y;
        std::string text;
        double points;
        bool bold;
        int colour;
    };

    void 絵(int code, double x, double y) override { pictures.push_back({ code, x, y }); }
    void 枠(int colour, double x1, double y1, double x2, double y2) override
    {
        frames.push_back({ colour, x1, y1, x2, y2 });
    }
    void 文字(
        double x, double y, const std::string& text, double points, bool bold, int colour) override
    {
        texts.push_back({ x, y, text, points, bold, colour });
    }
    void 更新() override { ++refreshes; }

    void clear()
    {
        pictures.clear();
        frames.clear();
        texts.clear();
        refreshes = 0;
    }

    // Every text drawn with exactly this content.
    std::vector<Text> textsOf(const std::string& text) const
    {
        std::vector<Text> out;
        for (const auto& t : texts)
            if (t.text == text)
                out.push_back(t);
        return out;
    }
    bool drewText(const std::string& text) const { return !textsOf(text).empty(); }

    // The last outline colour drawn around grid cell (gx, gy); -1 for none.
    int lastOutline(double gx, double gy) const
    {
        const double x = 1050 + 495 * gx, y = 100 + 615 * gy;
        for (auto it = frames.rbegin(); it != frames.rend(); ++it)
            if (std::abs(it->x1 - x) < 1 && std::abs(it->y1 - y) < 1)
                return it->colour;
        return -1;
    }

    std::vector<Picture> pictures;
    std::vector<Frame> frames;
    std::vector<Text> texts;
    int refreshes = 0;
};

class MapMenu : public Menu {
public:
    bool checked(const std::string& name) const override
    {
        auto it = marks.find(name);
        return it != marks.end() && it->second;
    }
    void setChecked(const std::string& name, bool on) override { marks[name] = on; }

    std::map<std::string, bool> marks;
};

// The time of day as a test sets it. Each reading moves the clock on by
// `step` seconds (0 by default), so busy waits end; the day wraps at midnight.
class ScriptedTimeOfDay : public TimeOfDay {
public:
    explicit ScriptedTimeOfDay(double now = 36000, double step = 0)
        : now(now)
        , step(step)
    {
    }
    double 秒() override
    {
        ++readings;
        const double t = now;
        now = std::fmod(now + step, 86400.0);
        return t;
    }
    void advance(double seconds) { now = std::fmod(now + seconds, 86400.0); }

    double now;
    double step;
    long long readings = 0;
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
        for (const auto& s : shown)
            out.push_back(s.text);
        return out;
    }
    bool showed(const std::string& text) const
    {
        for (const auto& s : shown)
            if (s.text == text)
                return true;
        return false;
    }

    std::vector<Shown> shown;
    std::deque<bool> answers;
    // Runs as each box is shown, e.g. to move a scripted clock on.
    std::function<void(const Shown&)> onShow;
};

class FakeTimer : public Timer {
public:
    void setEnabled(bool on) override
    {
        on_ = on;
        ++switches;
    }
    bool enabled() const override { return on_; }

    int switches = 0;

private:
    bool on_ = false;
};

class RecordingSounds : public Sounds {
public:
    struct Call {
        std::string what; // "開始", "play", "loop", "stop", "終了"
        音 buffer;
        bool operator==(const Call&) const = default;
    };

    std::vector<std::pair<std::string, std::string>> 開始() override
    {
        calls.push_back({ "開始", 音::その他 });
        return startMessages;
    }
    void dsPlay(音 buffer) override { calls.push_back({ "play", buffer }); }
    void dsPlayLooping(音 buffer) override { calls.push_back({ "loop", buffer }); }
    void dsStop(音 buffer) override { calls.push_back({ "stop", buffer }); }
    void 終了() override { calls.push_back({ "終了", 音::その他 }); }

    int count(const std::string& what, 音 buffer = 音::その他) const
    {
        int n = 0;
        for (const auto& c : calls)
            if (c.what == what && (what == "開始" || what == "終了" || c.buffer == buffer))
                ++n;
        return n;
    }
    // The buffers played once, in order.
    std::vector<音> played() const
    {
        std::vector<音> out;
        for (const auto& c : calls)
            if (c.what == "play")
                out.push_back(c.buffer);
        return out;
    }

    std::vector<Call> calls;
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
        auto it = texts.find(box);
        return it == texts.end() ? std::string() : it->second;
    }
    void setText(int box, const std::string& text) override { texts[box] = text; }
    std::string directory() const override { return dir; }
    void refreshFiles() override { ++refreshed; }

    bool driveVisible = false, dirVisible = false, fileVisible = false, writeVisible = false;
    std::map<int, std::string> texts;
    std::string dir = ".";
    int refreshed = 0;
};

} // namespace tori::testing
