// The rest of what the game's handlers need from the platform: message boxes
// and the clock timer. The window provides Qt versions; tests
// use scripted ones that record what was asked and answer from a script.
#pragma once

#include "display/display.h"
#include "display/ports.h"
#include "rules/state.h"

#include <string>

namespace tori {

class MessageBoxes {
public:
    enum class Icon { None, Exclamation };
    virtual ~MessageBoxes() = default;
    // A box with one OK button.
    virtual void ok(const std::string& text, const std::string& title, Icon icon = Icon::None) = 0;
    // A box with Yes and No buttons; true for Yes.
    virtual bool yesNo(const std::string& text, const std::string& title) = 0;
};

// The one 50 ms timer, Timer1.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool on) = 0;
    virtual bool enabled() const = 0;
};

// The view the rules draw through while a real move is carried out or the
// board is set up: the drawing goes to the display, the clock stop to Timer1.
class DisplayBoardView : public BoardView {
public:
    DisplayBoardView(Display& display, Timer& timer)
        : display(display)
        , timer(timer)
    {
    }
    void 描画_絵(int code, double gx, double gy) override { display.描画_絵(code, gx, gy); }
    void 描画_桝輪郭(int colour, double gx, double gy) override
    {
        display.描画_桝輪郭(colour, gx, gy);
    }
    void 描画_自持盤() override { display.描画_自持盤(); }
    void 描画_敵持盤() override { display.描画_敵持盤(); }
    void 画面_再描画() override { display.画面_再描画(); }
    void タイマー停止() override { timer.setEnabled(false); }

private:
    Display& display;
    Timer& timer;
};

} // namespace tori
