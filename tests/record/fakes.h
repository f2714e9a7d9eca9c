// Recording and scripted platform parts for the record commands: what was
// drawn, asked, played and shown is kept so that the tests can read it.
#pragma once

#include "platform/menu.h"
#include "platform/message_boxes.h"
#include "platform/record_panel.h"
#include "platform/sounds.h"
#include "platform/surface.h"
#include "platform/timer.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tori::testing {

struct RecordingSurface : Surface {
    struct Text {
        double x, y;
        std::string text;
        double points;
        bool bold;
        int colour;
    };
    struct Picture {
        int code;
        double x, y;
    };
    std::vector<Text> texts;
    std::vector<Picture> pictures;
    void 絵(int code, double x, double y) override { pictures.push_back({ code, x, y }); }
    void 枠(int, double, double, double, double) override { }
    void 文字(
        double x, double y, const std::string& text, double points, bool bold, int colour) override
    {
        texts.push_back({ x, y, text, points, bold, colour });
    }
    void 更新() override { }
    bool printed(const std::string& text) const
    {
        for (const Text& t : texts)
            if (t.text == text)
                return true;
        return false;
    }
};

struct FakeMenu : Menu {
    std::set<std::string> marks { "KEIKA" };
    bool checked(const std::string& name) const override { return marks.count(name) != 0; }
    void setChecked(const std::string& name, bool on) override
    {
        if (on)
            marks.insert(name);
        else
            marks.erase(name);
    }
};

struct ScriptedBoxes : MessageBoxes {
    struct Box {
        std::string text, title;
    };
    std::vector<Box> shown;
    bool answer = true;
    void ok(const std::string& text, const std::string& title, Icon = Icon::None) override
    {
        shown.push_back({ text, title });
    }
    bool yesNo(const std::string& text, const std::string& title) override
    {
        shown.push_back({ text, title });
        return answer;
    }
};

struct RecordingSounds : Sounds {
    std::vector<音> played;
    std::vector<std::pair<std::string, std::string>> 開始() override { return {}; }
    void dsPlay(音 b) override { played.push_back(b); }
    void dsPlayLooping(音) override { }
    void dsStop(音) override { }
    void 終了() override { }
};

struct FakeTimer : Timer {
    bool on = false;
    void setEnabled(bool e) override { on = e; }
    bool enabled() const override { return on; }
};

struct FakePanel : RecordPanel {
    bool drive = false, dir = false, file = false, write = false;
    std::map<int, std::string> texts;
    std::string dirPath = ".";
    int refreshes = 0;
    void setListsVisible(bool d, bool r, bool f) override
    {
        drive = d;
        dir = r;
        file = f;
    }
    void setWriteControlsVisible(bool on) override { write = on; }
    std::string text(int box) const override
    {
        auto it = texts.find(box);
        return it == texts.end() ? std::string() : it->second;
    }
    void setText(int box, const std::string& t) override { texts[box] = t; }
    std::string directory() const override { return dirPath; }
    void refreshFiles() override { ++refreshes; }
    void setDirectory(const std::string& path) override { dirPath = path; }
};

} // namespace tori::testing
