// What the rules ask of the window when a real move or a reset happens.
#pragma once

namespace tori {

// The window draws on its surface; the computer's trial moves and the mate
// tests never call these, and every rule procedure accepts a null view.
// Positions are grid cells (gx, gy); board square (c, r) is cell (c, r).
class BoardView {
public:
    virtual ~BoardView() = default;
    virtual void 描画_絵(int code, double gx, double gy) = 0;
    virtual void 描画_桝輪郭(int colour, double gx, double gy) = 0;
    virtual void 描画_自持盤() = 0;
    virtual void 描画_敵持盤() = 0;
    virtual void 画面_再描画() = 0;
    virtual void タイマー停止() = 0;
};

} // namespace tori
