// The window's client area: it shows the one persistent picture that the game
// draws on, and turns mouse presses and typed keys into the game's events.
// Positions go to the game in twips, 15 to a logical pixel, whatever the
// screen's device pixel ratio.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

namespace tori {

inline constexpr int twipsPerPixel = 15;

class DrawingArea : public QWidget {
public:
    explicit DrawingArea(QWidget* parent = nullptr);

    // The picture to show; it belongs to the surface and stays alive with it.
    void setPicture(const QImage* image) { picture = image; }
    // The colour of the area where no picture lies.
    void setGround(const QColor& colour);

    // Button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x, y in twips.
    std::function<void(int button, int shift, double x, double y)> mouseDown;
    // The character typed, 27 for Escape.
    std::function<void(int key)> keyPress;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const QImage* picture = nullptr;
};

} // namespace tori
