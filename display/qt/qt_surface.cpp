#include "display/qt/qt_surface.h"

#include "display/pictures.h"
#include "platform/palette.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace tori {

namespace {

    constexpr double twipsPerPixel = 15;
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

} // namespace

// ---- the picture set ----

PictureSet PictureSet::fromResources()
{
    PictureSet set;
    for (const PictureInfo& info : allPictures()) {
        const QString base = QStringLiteral(":/images/") + QString::fromLatin1(info.name);
        QImage normal;
        QImage doubled;
        if (QFile::exists(base + ".png"))
            normal.load(base + ".png");
        if (QFile::exists(base + "@2x.png"))
            doubled.load(base + "@2x.png");
        if (!normal.isNull() || !doubled.isNull())
            set.add(info.code, normal, doubled);
    }
    return set;
}

void PictureSet::add(int code, const QImage& normal, const QImage& doubled)
{
    // Qt gives a "@2x" file a pixel ratio of 2, which would halve it once more
    // when it is painted in device pixels: keep every picture at ratio 1.
    Pair pair { normal, doubled };
    pair.normal.setDevicePixelRatio(1);
    pair.doubled.setDevicePixelRatio(1);
    images[code] = pair;
}

const QImage* PictureSet::picture(int code, qreal dpr) const
{
    const auto it = images.find(code);
    if (it == images.end())
        return nullptr;
    const Pair& p = it->second;
    if (dpr > 1 && !p.doubled.isNull())
        return &p.doubled;
    if (!p.normal.isNull())
        return &p.normal;
    return p.doubled.isNull() ? nullptr : &p.doubled;
}

QSize PictureSet::naturalSize(int code) const
{
    const auto it = images.find(code);
    if (it == images.end())
        return {};
    if (!it->second.normal.isNull())
        return it->second.normal.size();
    return it->second.doubled.size() / 2;
}

// ---- the surface ----

QtSurface::QtSurface(QSize clientPixels, qreal dpr, PictureSet pictures)
    : dpr(dpr > 0 ? dpr : 1)
    , pictures(std::move(pictures))
{
    const QSize device(static_cast<int>(std::ceil(clientPixels.width() * this->dpr)),
        static_cast<int>(std::ceil(clientPixels.height() * this->dpr)));
    canvas = QImage(device, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(this->dpr);
    canvas.setDotsPerMeterX(dotsPerMeter96);
    canvas.setDotsPerMeterY(dotsPerMeter96);
    canvas.fill(paletteColour(窓背景色));
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
    return static_cast<int>(std::floor(twips / twipsPerPixel * dpr + 0.5));
}

void QtSurface::touched()
{
    if (changed)
        changed();
}

void QtSurface::絵(int code, double x, double y)
{
    const QImage* image = pictures.picture(code, dpr);
    if (!image)
        return;
    const QSize natural = pictures.naturalSize(code);
    // Both corners are rounded on their own, so neighbouring pictures meet
    // without gaps at any ratio.
    const int left = devicePixel(x);
    const int top = devicePixel(y);
    const int right = devicePixel(x + natural.width() * twipsPerPixel);
    const int bottom = devicePixel(y + natural.height() * twipsPerPixel);
    const QRect target(left, top, right - left, bottom - top);
    if (target.isEmpty())
        return;

    {
        DevicePainter p(canvas);
        if (image->size() == target.size()) {
            p->drawImage(target.topLeft(), *image);
        } else {
            p->setRenderHint(QPainter::SmoothPixmapTransform);
            p->drawImage(target, *image);
        }
    }
    touched();
}

void QtSurface::枠(int colour, double x1, double y1, double x2, double y2)
{
    if (!パレット色(colour))
        return;
    const int l = devicePixel(std::min(x1, x2));
    const int r = devicePixel(std::max(x1, x2));
    const int t = devicePixel(std::min(y1, y2));
    const int b = devicePixel(std::max(y1, y2));
    // One pixel of the design resolution, so the outline looks the same at
    // every ratio: both corner pixels belong to it.
    const int w = std::max(1, static_cast<int>(std::lround(dpr)));
    const QColor c = paletteColour(colour);

    {
        DevicePainter p(canvas);
        p->fillRect(QRect(l, t, r - l + w, w), c);
        p->fillRect(QRect(l, b, r - l + w, w), c);
        p->fillRect(QRect(l, t, w, b - t + w), c);
        p->fillRect(QRect(r, t, w, b - t + w), c);
    }
    touched();
}

void QtSurface::文字(
    double x, double y, const std::string& text, double points, bool bold, int colour)
{
    if (!パレット色(colour) || text.empty() || !(points > 0))
        return;
    QFont font(QStringLiteral("IPAPMincho"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(points);
    font.setBold(bold);

    QPainter p(&canvas); // logical pixels, scaled by the image's ratio
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(paletteColour(colour));
    const QFontMetricsF metrics(p.font(), &canvas);
    // The position is the text's top-left point: the baseline is one ascent lower.
    p.drawText(QPointF(x / twipsPerPixel, y / twipsPerPixel + metrics.ascent()),
        QString::fromStdString(text));
    p.end();
    touched();
}

void QtSurface::更新()
{
    if (refresh)
        refresh();
}

} // namespace tori
