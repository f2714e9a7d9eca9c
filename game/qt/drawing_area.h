// The window's client area: it shows the one persistent picture that the game
// draws on, scaled uniformly to fill the area (the aspect kept, centred, the
// window's ground around it), and turns mouse presses and typed keys into the
// game's events. Positions go to the game in twips of the design size, 15 to a
// pixel at 100 %, whatever the scale and the screen's device pixel ratio.
#pragma once

#include "display/qt/qt_surface.h"

#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tori {

class DrawingArea : public QWidget {
public:
    explicit DrawingArea(QWidget* parent = nullptr);

    // The picture to show; it belongs to the surface and stays alive with it.
    void setPicture(const QImage* image) { picture = image; }
    // The size of the drawing at 100 %, in logical pixels.
    void setDesignSize(QSize size);
    // The colour of the area where no picture lies.
    void setGround(const QColor& colour);

    // The scale at which the drawing fills the area: the smaller of the two
    // ratios of the area's size to the design size.
    double scale() const;
    // Where the drawing's top-left corner lies in the area, in logical pixels,
    // on a whole device pixel.
    QPointF origin() const;
    // The position in twips of the design for a point of the area.
    QPointF twipsAt(QPointF point) const;

    // Button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x, y in twips.
    std::function<void(int button, int shift, double x, double y)> mouseDown;
    // The character typed, 27 for Escape.
    std::function<void(int key)> keyPress;
    // The area needs its picture drawn at another scale or device pixel ratio:
    // the drawing, and whatever lies over it, is laid out anew.
    std::function<void(double scale, qreal dpr)> rescale;
    // The area has a new size: what sits over the drawing moves with it at
    // once, before the picture is drawn anew for it.
    std::function<void(double scale, QPointF origin)> follow;
    // Paints the ground around the drawing, which lies at `drawing` (logical
    // pixels of the painter: while a picture drawn for another size is
    // stretched, the painter stretches the ground with it); the ground colour
    // lies under it.
    std::function<void(QPainter& painter, const QRectF& drawing)> paintGround;

    // Lays the drawing out at once for the area's present size and ratio,
    // instead of when the resizing has come to rest.
    void rescaleNow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    const QImage* picture = nullptr;
    QSize design { 600, 456 };
    // While the player drags the window's edge, the picture of the last size
    // is stretched; it is drawn anew once the size stays put for a moment.
    QTimer settle;
};

} // namespace tori
