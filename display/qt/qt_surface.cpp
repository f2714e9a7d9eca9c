#include "display/qt/qt_surface.h"

#include "display/art/art.h"
#include "display/display.h"
#include "display/pictures.h"
#include "platform/palette.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <set>

namespace tori {

namespace {

    // 1440 twips an inch at 15 twips a pixel: the design resolution is 96 dpi, at
    // which a point is 20 twips.
    constexpr int dotsPerMeter96 = 3780;

    // Paints in device pixels: pictures and outlines are placed pixel by pixel,
    // whatever the ratio, so the image is painted at ratio 1 meanwhile.
    class DevicePainter {
    public:
        explicit DevicePainter(QImage& image)
            : image(image)
            , ratio(image.devicePixelRatio())
        {
            image.setDevicePixelRatio(1);
            painter.begin(&image);
        }
        ~DevicePainter()
        {
            painter.end();
            image.setDevicePixelRatio(ratio);
        }
        QPainter* operator->() { return &painter; }

    private:
        QImage& image;
        qreal ratio;
        QPainter painter;
    };

    QFont windowFont(double points, bool bold)
    {
        QFont font(QStringLiteral("IPAPMincho"));
        font.setStyleHint(QFont::Serif);
        font.setPointSizeF(points);
        font.setBold(bold);
        return font;
    }

    QRect twipsRect(double left, double top, double right, double bottom)
    {
        return QRect(QPoint(static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top))),
            QPoint(static_cast<int>(std::ceil(right)), static_cast<int>(std::ceil(bottom))));
    }

} // namespace

// ---- the picture set ----

PictureSet PictureSet::drawn()
{
    static const bool fonts = art::load_fonts();
    (void)fonts; // without the files the same faces come from fontconfig, if at all
    PictureSet set;
    for (const PictureInfo& info : allPictures()) {
        const QSize natural(info.width, info.height);
        set.sources[info.code] = { natural,
            [name = QString::fromLatin1(info.name), natural](QSize device, PieceSet pieces) {
                return art::picture(name, art::Scale::fitting(natural, device), pieces);
            },
            true };
    }
    return set;
}

void PictureSet::add(int code, const QImage& normal, const QImage& doubled)
{
    const QSize natural = normal.isNull() ? doubled.size() / 2 : normal.size();
    sources[code]
        = { natural, [normal, doubled, natural](QSize device, PieceSet) {
               if (normal.size() == device)
                   return normal;
               if (doubled.size() == device)
                   return doubled;
               const bool larger = device.width() > natural.width();
               const QImage& source
                   = (larger && !doubled.isNull()) || normal.isNull() ? doubled : normal;
               return source.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
           } };
    made.clear();
}

QSize PictureSet::naturalSize(int code) const
{
    const auto it = sources.find(code);
    return it == sources.end() ? QSize() : it->second.natural;
}

void PictureSet::setPieceSet(PieceSet set)
{
    pieces = set;
    made.clear();
}

const QImage* PictureSet::picture(int code, QSize device) const
{
    const auto source = sources.find(code);
    if (device.isEmpty() || source == sources.end())
        return nullptr;
    const auto key = std::make_tuple(code, device.width(), device.height());
    if (const auto it = made.find(key); it != made.end())
        return &it->second;
    QImage image = make(source->second, code, device);
    if (image.isNull())
        return nullptr;
    // Qt gives a "@2x" file a pixel ratio of 2, which would halve it once more
    // when it is painted in device pixels: every picture is kept at ratio 1.
    image.setDevicePixelRatio(1);
    return &made.emplace(key, std::move(image)).first->second;
}

// At a fractional scale the squares of the board are laid a pixel wider or
// higher here and there (both corners are rounded), so that a piece is asked
// for at up to four sizes; drawing each anew took most of a redraw. It is drawn
// once at the largest of them and smoothly scaled by that pixel for the others.
QImage PictureSet::make(const Source& source, int code, QSize device) const
{
    if (!source.drawn || !(scale > 0))
        return source.make(device, pieces);
    const QSize largest(static_cast<int>(std::ceil(source.natural.width() * scale - 1e-9)),
        static_cast<int>(std::ceil(source.natural.height() * scale - 1e-9)));
    const QSize off = largest - device;
    if (off == QSize(0, 0) || off.width() < 0 || off.height() < 0 || off.width() > 1
        || off.height() > 1)
        return source.make(device, pieces);
    const QImage* full = picture(code, largest);
    if (!full)
        return {};
    return full->scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// ---- the surface ----

QtSurface::QtSurface(QSize designPixels, qreal dpr, PictureSet pictures, double scale)
    : design(designPixels)
    , dpr(0)
    , shown(0)
    , pictures(std::move(pictures))
{
    setScale(scale, dpr);
}

void QtSurface::setScale(double scale, qreal ratio)
{
    if (!(scale > 0))
        scale = 1;
    if (!(ratio > 0))
        ratio = 1;
    if (scale == shown && ratio == dpr)
        return;
    shown = scale;
    dpr = ratio;
    pictures.forgetSizes(shown * dpr);

    const double s = shown * dpr;
    const QSize device(static_cast<int>(std::ceil(design.width() * s - 1e-9)),
        static_cast<int>(std::ceil(design.height() * s - 1e-9)));
    canvas = QImage(device, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(dpr);
    canvas.setDotsPerMeterX(dotsPerMeter96);
    canvas.setDotsPerMeterY(dotsPerMeter96);
    redraw();
}

void QtSurface::setPieceSet(PieceSet set)
{
    if (set == pictures.pieceSet())
        return;
    pictures.setPieceSet(set);
    redraw();
}

// Everything kept, drawn again from the window's green up.
void QtSurface::redraw()
{
    canvas.fill(paletteColour(窓背景色));
    for (const Operation& op : operations)
        draw(op);
    touched();
}

QColor QtSurface::paletteColour(int index)
{
    if (!パレット色(index))
        return {};
    const Rgb c = パレット[index];
    return QColor(c.r, c.g, c.b);
}

int QtSurface::devicePixel(double twips) const
{
    return static_cast<int>(std::floor(twips / twipsPerPixel * shown * dpr + 0.5));
}

void QtSurface::touched()
{
    if (changed)
        changed();
}

bool QtSurface::draw(const Operation& op)
{
    switch (op.kind) {
    case Operation::picture: {
        const QSize natural = pictures.naturalSize(op.value);
        if (natural.isEmpty())
            return false;
        // Both corners are rounded on their own, so neighbouring pictures meet
        // without gaps at any scale, and each is drawn at exactly its pixels.
        const int left = devicePixel(op.x1);
        const int top = devicePixel(op.y1);
        const int right = devicePixel(op.x1 + natural.width() * twipsPerPixel);
        const int bottom = devicePixel(op.y1 + natural.height() * twipsPerPixel);
        const QImage* image = pictures.picture(op.value, QSize(right - left, bottom - top));
        if (!image)
            return false;
        DevicePainter p(canvas);
        p->drawImage(QPoint(left, top), *image);
        if (op.value >= 背景_緑 && op.value <= 背景_煉瓦)
            background = op.value;
        return true;
    }
    case Operation::outline: {
        if (!パレット色(op.value))
            return false;
        const int l = devicePixel(op.x1);
        const int r = devicePixel(op.x2);
        const int t = devicePixel(op.y1);
        const int b = devicePixel(op.y2);
        // One pixel of the design resolution, so the outline looks the same at
        // every scale: both corner pixels belong to it.
        const int w = std::max(1, static_cast<int>(std::lround(shown * dpr)));
        const QColor c = paletteColour(op.value);
        DevicePainter p(canvas);
        p->fillRect(QRect(l, t, r - l + w, w), c);
        p->fillRect(QRect(l, b, r - l + w, w), c);
        p->fillRect(QRect(l, t, w, b - t + w), c);
        p->fillRect(QRect(r, t, w, b - t + w), c);
        return true;
    }
    case Operation::print: {
        if (!パレット色(op.value) || op.text.empty() || !(op.points > 0))
            return false;
        // Points scaled with the drawing, in logical pixels of the canvas, so the
        // glyphs are rasterised at the size they are shown at.
        QPainter p(&canvas);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(windowFont(op.points * shown, op.bold));
        p.setPen(paletteColour(op.value));
        const QFontMetricsF metrics(p.font(), &canvas);
        // The position is the text's top-left point: the baseline is one ascent lower.
        p.drawText(QPointF(op.x1 / twipsPerPixel * shown,
                       op.y1 / twipsPerPixel * shown + metrics.ascent()),
            QString::fromStdString(op.text));
        return true;
    }
    }
    return false;
}

// The twips that the pixels of an operation may reach at any scale.
QRect QtSurface::reach(const Operation& op) const
{
    switch (op.kind) {
    case Operation::picture: {
        const QSize natural = pictures.naturalSize(op.value);
        return twipsRect(op.x1, op.y1, op.x1 + natural.width() * twipsPerPixel,
            op.y1 + natural.height() * twipsPerPixel);
    }
    case Operation::outline:
        return twipsRect(op.x1, op.y1, op.x2 + twipsPerPixel, op.y2 + twipsPerPixel);
    case Operation::print: {
        // Where the ink of the glyphs lies at 100 %.
        QImage at96(1, 1, QImage::Format_RGB32);
        at96.setDotsPerMeterX(dotsPerMeter96);
        at96.setDotsPerMeterY(dotsPerMeter96);
        const QFontMetricsF metrics(windowFont(op.points, op.bold), &at96);
        const QRectF ink = metrics.tightBoundingRect(QString::fromStdString(op.text))
                               .translated(0, metrics.ascent());
        return twipsRect(op.x1 + ink.left() * twipsPerPixel, op.y1 + ink.top() * twipsPerPixel,
            op.x1 + ink.right() * twipsPerPixel, op.y1 + ink.bottom() * twipsPerPixel);
    }
    }
    return {};
}

// Draws an operation and keeps it for a redraw at another scale. Most of what
// is drawn is later drawn over: once the list has grown well past what was
// left the last time, what can no longer be seen goes.
void QtSurface::perform(Operation op)
{
    if (!draw(op))
        return;
    op.bounds = reach(op);
    operations.push_back(std::move(op));
    if (operations.size() > 2 * keptAfterLastForget + 512) {
        forgetHidden();
        keptAfterLastForget = operations.size();
    }
    touched();
}

// Drops every operation whose rectangle lies under pictures drawn after it
// (pictures are opaque), and every outline drawn again later on the same
// rectangle: a redraw from what is left gives the same image. (Rounded to
// the pixels of another scale, a text wiped by the tile of its cell could
// leave at most a pixel's sliver, which the redraw rightly leaves out.)
void QtSurface::forgetHidden()
{
    QRegion covered;
    std::set<std::tuple<double, double, double, double>> outlinesAfter;
    std::vector<Operation> left;
    for (auto it = operations.rbegin(); it != operations.rend(); ++it) {
        const Operation& op = *it;
        if (op.kind == Operation::outline
            && !outlinesAfter.insert({ op.x1, op.y1, op.x2, op.y2 }).second)
            continue;
        if (QRegion(op.bounds).subtracted(covered).isEmpty())
            continue;
        if (op.kind == Operation::picture)
            covered += op.bounds;
        left.push_back(op);
    }
    operations.assign(left.rbegin(), left.rend());
}

void QtSurface::絵(int code, double x, double y)
{
    perform({ Operation::picture, code, x, y, 0, 0, {}, 0, false });
}

void QtSurface::枠(int colour, double x1, double y1, double x2, double y2)
{
    perform({ Operation::outline, colour, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
        std::max(y1, y2), {}, 0, false });
}

void QtSurface::文字(
    double x, double y, const std::string& text, double points, bool bold, int colour)
{
    perform({ Operation::print, colour, x, y, 0, 0, text, points, bold });
}

void QtSurface::paintAround(QPainter& painter, QPointF origin, const QRectF& area) const
{
    const QSize natural = pictures.naturalSize(background);
    if (natural.isEmpty())
        return;
    const QRectF drawing(origin, QSizeF(canvas.size()) / dpr);
    painter.save();
    painter.setClipRegion(QRegion(area.toAlignedRect()).subtracted(QRegion(drawing.toRect())));
    // The cells of the grid of 描画_背景 that reach into the area.
    auto cell = [this](double logical, double start, double step) {
        return (logical / shown * twipsPerPixel - start) / step;
    };
    const int firstColumn
        = static_cast<int>(std::floor(cell(area.left() - origin.x(), 盤左, 桝幅))) - 1;
    const int lastColumn = static_cast<int>(std::ceil(cell(area.right() - origin.x(), 盤左, 桝幅)));
    const int firstRow
        = static_cast<int>(std::floor(cell(area.top() - origin.y(), 盤上, 桝高))) - 1;
    const int lastRow = static_cast<int>(std::ceil(cell(area.bottom() - origin.y(), 盤上, 桝高)));
    for (int gx = firstColumn; gx <= lastColumn; ++gx)
        for (int gy = firstRow; gy <= lastRow; ++gy) {
            const double x = 盤左 + 桝幅 * gx, y = 盤上 + 桝高 * gy;
            const QRect device(QPoint(devicePixel(x), devicePixel(y)),
                QPoint(devicePixel(x + natural.width() * twipsPerPixel) - 1,
                    devicePixel(y + natural.height() * twipsPerPixel) - 1));
            const QRectF target(
                origin + QPointF(device.topLeft()) / dpr, QSizeF(device.size()) / dpr);
            if (!target.intersects(area) || drawing.contains(target))
                continue;
            if (const QImage* tile = pictures.picture(background, device.size()))
                painter.drawImage(target, *tile);
        }
    painter.restore();
}

void QtSurface::更新()
{
    if (refresh)
        refresh();
}

} // namespace tori
