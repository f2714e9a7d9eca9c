// The view the rules draw through while a real move is carried out or the
// board is set up: the drawing goes to the display, the clock stop to Timer1.
#pragma once

#include "display/display.h"
#include "platform/board_view.h"
#include "platform/timer.h"

namespace tori {

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
    // The rules redraw the whole window after a reset only: the texts of the
    // old position's moves go with it.
    void 画面_再描画() override
    {
        display.forgetMoveTexts();
        display.画面_再描画();
    }
    void タイマー停止() override { timer.setEnabled(false); }

private:
    Display& display;
    Timer& timer;
};

} // namespace tori
