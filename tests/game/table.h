// A game on the test bench: the handlers over recording fakes, started up as
// the window starts them, with helpers that press at square centres.
#pragma once

#include "game/game.h"
#include "rules/rules.h"
#include "support/diagram.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tori::testing {

// A settings file of its own for each test, as CTest runs tests side by side.
inline std::string tempSettingsPath()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name
        = info ? std::string(info->test_suite_name()) + "." + info->name() : "none";
    const auto dir = std::filesystem::temp_directory_path() / ("tori_game_tests") / name;
    std::filesystem::create_directories(dir);
    const auto path = dir / "ZR鳥将棋.ini";
    std::filesystem::remove(path);
    return path.string();
}

struct Table {
    RecordingSurface surface;
    FakeMenu menu;
    // Each reading moves on a millisecond, so that the blink's busy wait ends.
    ScriptedTimeOfDay clock { 36000, 0.001 };
    ScriptedMessageBoxes boxes;
    FakeTimer timer;
    RecordingSounds sounds;
    FakeRecordPanel panel;
    FakeMoveList moveList;
    FakeClipboard clipboard;
    FakePreferences preferences;
    int quits = 0;
    std::function<void()> onQuit;
    int resized = 0;
    int width = 0, height = 0;
    int backgroundColour = -1;
    int paints = 0; // the window was asked to paint while a handler ran on
    // The time limit dialog: what it was shown with, and the answers it gives
    // in order (nothing: キャンセル); キャンセル once they run out.
    int timeDialogs = 0;
    std::vector<持ち時間設定> shownLimits;
    std::deque<std::optional<持ち時間設定>> timeAnswers;
    std::function<void()> onPaint; // and then does this
    int thinkingDone = 0; // the computer's turn gave the input back
    Game game;
    GameState& g;

    explicit Table(const std::string& settings = tempSettingsPath())
        : game(Ports { surface, menu, clock, boxes, timer, sounds, panel, moveList, clipboard,
                   preferences,
                   [this] {
                       ++quits;
                       if (onQuit)
                           onQuit();
                   },
                   [this](int w, int h) {
                       ++resized;
                       width = w;
                       height = h;
                   },
                   [this](int colour) { backgroundColour = colour; },
                   [this] {
                       ++paints;
                       if (onPaint)
                           onPaint();
                   },
                   [] {},
                   [this](const 持ち時間設定& current) -> std::optional<持ち時間設定> {
                       ++timeDialogs;
                       shownLimits.push_back(current);
                       if (timeAnswers.empty())
                           return std::nullopt;
                       const auto answer = timeAnswers.front();
                       timeAnswers.pop_front();
                       return answer;
                   },
                   [](bool) {}, [this] { ++thinkingDone; } },
            settings)
        , g(game.state())
    {
    }

    // Presses at the centre of grid cell (col, row); button 1 left, 2 right.
    void press(int col, int row, int button = 1)
    {
        game.Form_MouseDown(button, 0, 1050 + 495 * (col + 0.5), 100 + 615 * (row + 0.5));
    }
    // A move with two presses; the second one with `button`.
    void move(int fromCol, int fromRow, int toCol, int toRow, int button = 1)
    {
        press(fromCol, fromRow);
        press(toCol, toRow, button);
    }
    // A board diagram with empty hands and the two-swallow flags to match.
    void setPosition(const std::string& diagram)
    {
        setBoard(g, diagram);
        g.持駒_MAN.fill(0);
        g.持駒_COM.fill(0);
        g.持駒数_MAN = g.持駒数_COM = 0;
        調査_2燕フラグ設定(g);
    }
    std::string lastBoxText() const { return boxes.shown.empty() ? "" : boxes.shown.back().text; }
    std::string lastBoxTitle() const { return boxes.shown.empty() ? "" : boxes.shown.back().title; }
};

} // namespace tori::testing
