// Recording and scripted stand-ins for the display's platform: a surface that
// logs every call, a menu of check marks and a clock that reads from a script.
#pragma once

#include "platform/menu.h"
#include "platform/surface.h"
#include "platform/time_of_day.h"

#include <map>
#include <string>
#include <vector>

namespace tori::testing {

class ScriptedClock : public TimeOfDay {
public:
    explicit ScriptedClock(std::vector<double> readings)
        : readings(std::move(readings))
    {
    }
    // After the script, the clock jumps a million seconds ahead so that no
    // wait can hang a test; `exhausted` tells the test it happened.
    double 秒() override
    {
        if (next < readings.size())
            return last = readings[next++];
        exhausted = true;
        return last += 1e6;
    }
    std::size_t reads() const { return next; }
    double current() const { return last; }
    bool exhausted = false;

private:
    std::vector<double> readings;
    std::size_t next = 0;
    double last = 0;
};

class FakeMenu : public Menu {
public:
    bool checked(const std::string& name) const override
    {
        const auto it = marks.find(name);
        return it != marks.end() && it->second;
    }
    void setChecked(const std::string& name, bool on) override { marks[name] = on; }

private:
    std::map<std::string, bool> marks;
};

struct Call {
    enum Kind { Picture, Frame, Text, Refresh };
    Call(Kind kind, int code = 0, double x = 0, double y = 0, double x2 = 0, double y2 = 0)
        : kind(kind)
        , code(code)
        , x(x)
        , y(y)
        , x2(x2)
        , y2(y2)
    {
    }
    Kind kind;
    int code; // the picture code, or the colour of a frame or a text
    double x, y, x2, y2;
    std::string text;
    double points = 0;
    bool bold = false;
    double time = 0; // the clock's last reading when the call was made
};

class RecordingSurface : public Surface {
public:
    void 絵(int code, double x, double y) override { add(Call(Call::Picture, code, x, y)); }
    void 枠(int colour, double x1, double y1, double x2, double y2) override
    {
        add(Call(Call::Frame, colour, x1, y1, x2, y2));
    }
    void 文字(
        double x, double y, const std::string& text, double points, bool bold, int colour) override
    {
        Call c(Call::Text, colour, x, y);
        c.text = text;
        c.points = points;
        c.bold = bold;
        add(c);
    }
    void 更新() override { add(Call(Call::Refresh)); }

    std::vector<Call> of(Call::Kind kind) const
    {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.kind == kind)
                out.push_back(c);
        return out;
    }

    std::vector<Call> calls;
    ScriptedClock* clock = nullptr;

private:
    void add(Call c)
    {
        if (clock)
            c.time = clock->current();
        calls.push_back(std::move(c));
    }
};

// Twips of a grid position, for expectations.
inline double gridX(double gx) { return 1050 + 495 * gx; }
inline double gridY(double gy) { return 100 + 615 * gy; }

} // namespace tori::testing
