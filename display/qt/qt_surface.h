// The window's drawing surface: one persistent image that keeps everything
// drawn so far, kept at the screen's device pixel ratio so that the pieces and
// the text stay sharp on HiDPI screens.
#pragma once

#include "platform/surface.h"

#include <QColor>
#include <QImage>
#include <QSize>

#include <functional>
#include <map>

namespace tori {

// The pictures a surface draws, by drawing code, each at 1x and optionally at 2x.
class PictureSet {
public:
    // The game's pictures, compiled in from assets/images: <name>.png and
    // <name>@2x.png for every name of the picture store that has a file.
    static PictureSet fromResources();

    void add(int code, const QImage& normal, const QImage& doubled = QImage());
    bool contains(int code) const { return images.count(code) != 0; }
    // The picture to draw at a device pixel ratio (the 2x one above 1 when
    // there is one); null when the code has no picture.
    const QImage* picture(int code, qreal dpr) const;
    // The size of the picture in pixels at 1x; empty when there is none.
    QSize naturalSize(int code) const;

private:
    struct Pair {
        QImage normal;
        QImage doubled;
    };
    std::map<int, Pair> images;
};

class QtSurface : public Surface {
public:
    // A surface for a client area of `clientPixels` (logical pixels, 15 twips
    // each) on a screen of device pixel ratio `dpr`. It starts in the window's
    // green.
    QtSurface(QSize clientPixels, qreal dpr, PictureSet pictures = PictureSet::fromResources());

    void 絵(int code, double x, double y) override;
    void 枠(int colour, double x1, double y1, double x2, double y2) override;
    void 文字(
        double x, double y, const std::string& text, double points, bool bold, int colour) override;
    void 更新() override;

    // Everything drawn so far, (client size × dpr) device pixels, with its
    // device pixel ratio set, so that painting it at (0, 0) fills the client area.
    const QImage& image() const { return canvas; }
    qreal devicePixelRatio() const { return dpr; }
    // Called by 更新: the window repaints at once, even in the middle of a handler.
    void setRefresh(std::function<void()> f) { refresh = std::move(f); }
    // Called after every drawing operation, so the window can schedule a repaint.
    void setChanged(std::function<void()> f) { changed = std::move(f); }

    static QColor paletteColour(int index);
    // The device pixel of a position in twips (rounded to the nearest).
    int devicePixel(double twips) const;

private:
    void touched();

    QImage canvas;
    qreal dpr;
    PictureSet pictures;
    std::function<void()> refresh;
    std::function<void()> changed;
};

} // namespace tori
