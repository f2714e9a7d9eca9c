// The window's drawing surface: one persistent image that keeps everything
// drawn so far, in the device pixels of the window's current size. The game
// draws in twips of its design size (600 × 456 pixels at 100 %); the surface
// lays that out at a scale (the window's size against the design size) times
// the screen's device pixel ratio, and draws every picture and text at the
// pixel size it is shown at, so the board stays sharp at any size and ratio.
// It remembers what was drawn, so that a new scale or ratio redraws it all.
#pragma once

#include "platform/surface.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace tori {

// The pictures a surface draws, by drawing code, each made at the pixel size
// it is shown at.
class PictureSet {
public:
    // The game's pictures, drawn by display/art at the size they are shown at.
    static PictureSet drawn();

    // A stored picture at 1x and optionally at 2x (the tests' plain pictures);
    // at another size the nearer one is scaled. It is the same in either piece set.
    void add(int code, const QImage& normal, const QImage& doubled = QImage());
    // The picture of a code at exactly `device` pixels, a piece in the set
    // chosen; null when the code has none.
    const QImage* picture(int code, QSize device) const;
    // Draws the pieces in `set` from now on.
    void setPieceSet(PieceSet set);
    PieceSet pieceSet() const { return pieces; }
    // The size of the picture at 100 % in pixels; empty when there is none.
    QSize naturalSize(int code) const;
    // A new scale (device pixels per logical pixel at 100 %): forgets the
    // pictures made for the sizes shown before.
    void forgetSizes(double deviceScale = 0) const
    {
        made.clear();
        scale = deviceScale;
    }

private:
    struct Source {
        QSize natural;
        std::function<QImage(QSize device, PieceSet set)> make;
        // Drawn (not stored): at a scale, drawn once at the largest size its
        // squares take, the one or two pixels narrower ones made from that.
        bool drawn = false;
    };
    QImage make(const Source& source, int code, QSize device) const;
    std::map<int, Source> sources;
    PieceSet pieces = PieceSet::kanji;
    mutable std::map<std::tuple<int, int, int>, QImage> made;
    mutable double scale = 0;
};

class QtSurface : public Surface {
public:
    // A surface for a drawing of `designPixels` (logical pixels at 100 %, 15
    // twips each) shown at `scale` on a screen of device pixel ratio `dpr`. It
    // starts in the window's green.
    QtSurface(
        QSize designPixels, qreal dpr, PictureSet pictures = PictureSet::drawn(), double scale = 1);

    void 絵(int code, double x, double y) override;
    void 枠(int colour, double x1, double y1, double x2, double y2) override;
    void 文字(
        double x, double y, const std::string& text, double points, bool bold, int colour) override;
    void 更新() override;
    // Draws everything again with the pieces of `set`; nothing happens when
    // they are drawn in it already.
    void setPieceSet(PieceSet set) override;
    PieceSet pieceSet() const { return pictures.pieceSet(); }

    // Lays the drawing out anew at another scale or device pixel ratio and
    // draws everything again; nothing happens when both are as they were.
    void setScale(double scale, qreal dpr);
    double scale() const { return shown; }
    qreal devicePixelRatio() const { return dpr; }

    // Everything drawn so far: the design size × scale × ratio in device
    // pixels, with the ratio set, so that painting it at a point covers the
    // design size × scale in logical pixels.
    const QImage& image() const { return canvas; }
    // Called by 更新: the window repaints at once, even in the middle of a handler.
    void setRefresh(std::function<void()> f) { refresh = std::move(f); }
    // Called after every drawing operation, so the window can schedule a repaint.
    void setChanged(std::function<void()> f) { changed = std::move(f); }

    // Paints the ground around the drawing, which lies at `origin` of a widget
    // painter's logical pixels: the background tiles of the drawing laid on
    // beyond its edges, cell by cell as the drawing lays them, so that the
    // window looks all of one piece at any shape. Nothing before a background
    // has been drawn.
    void paintAround(QPainter& painter, QPointF origin, const QRectF& area) const;

    static QColor paletteColour(int index);
    // The device pixel of a position in twips (rounded to the nearest).
    int devicePixel(double twips) const;
    // The drawing operations kept for a redraw (for tests: a long game must not
    // pile them up without end).
    std::size_t keptOperations() const { return operations.size(); }

private:
    struct Operation {
        enum Kind { picture, outline, print } kind;
        int value; // the picture code or the colour
        double x1, y1, x2, y2; // twips
        std::string text;
        double points = 0;
        bool bold = false;
        QRect bounds = {}; // twips that its pixels may reach at any scale
    };

    bool draw(const Operation& op);
    void redraw();
    QRect reach(const Operation& op) const;
    void perform(Operation op);
    void forgetHidden();
    void touched();

    QSize design;
    int background = -1; // the background picture drawn last
    qreal dpr;
    double shown;
    PictureSet pictures;
    QImage canvas;
    std::vector<Operation> operations;
    std::size_t keptAfterLastForget = 0;
    std::function<void()> refresh;
    std::function<void()> changed;
};

} // namespace tori
