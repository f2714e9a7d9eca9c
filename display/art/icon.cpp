// The program's icon: one piece of the game standing on its own, carrying 鳥
// (bird). It is described once, as a few filled shapes, and either painted at
// a pixel size or written out as an SVG document, so that the pixel icons and
// the scalable one show the same thing.
#include "display/art/art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <QTransform>

#include <cmath>

namespace tori::art {

namespace {

    constexpr double icon_design = 256; // the shapes' own square

    struct Layer {
        QPainterPath path;
        QColor top, bottom; // a vertical gradient over the path's height, or one colour
        QColor stroke; // invalid: no outline
        double stroke_width = 0;
    };

    // The plate of a piece, as the board pictures draw it, enlarged to stand
    // nearly the full height of the icon, its point at the middle of the top.
    QPainterPath icon_plate()
    {
        const QPainterPath plate = plate_outline();
        const QRectF box = plate.boundingRect();
        return QTransform::fromTranslate(icon_design / 2, 9)
            .scale(6.3, 6.3)
            .translate(-box.center().x(), -box.top())
            .map(plate);
    }

    // 鳥 in the Mincho face, centred on the plate a little below its middle.
    QPainterPath icon_character()
    {
        QFont font(QStringLiteral("IPAMincho"));
        font.setPixelSize(150);
        QPainterPath glyph;
        glyph.addText(0, 0, font, QStringLiteral("鳥"));
        const QPointF middle = glyph.boundingRect().center();
        return glyph.translated(QPointF(icon_design / 2, 146) - middle);
    }

    std::vector<Layer> icon_layers()
    {
        const QPainterPath plate = icon_plate();
        std::vector<Layer> layers;
        // A soft shadow under the plate: two widening impressions.
        for (double spread : { 6.0, 3.0 })
            layers.push_back({ plate.translated(0, spread), QColor(60, 34, 8, 40),
                QColor(60, 34, 8, 40), {}, 0 });
        layers.push_back(
            { plate, QColor(253, 246, 224), QColor(238, 222, 182), QColor(128, 86, 40), 5 });
        layers.push_back(
            { icon_character(), QColor(24, 16, 10), QColor(24, 16, 10), QColor(24, 16, 10), 1.5 });
        return layers;
    }

    QString number(double v) { return QString::number(v, 'f', 2); }

    QString colour_text(const QColor& c) { return c.name(QColor::HexRgb); }

    QString svg_path_data(const QPainterPath& path)
    {
        QString d;
        QTextStream out(&d);
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            switch (e.type) {
            case QPainterPath::MoveToElement:
                out << (d.isEmpty() ? "M" : "ZM") << number(e.x) << ' ' << number(e.y);
                break;
            case QPainterPath::LineToElement:
                out << 'L' << number(e.x) << ' ' << number(e.y);
                break;
            case QPainterPath::CurveToElement: {
                const QPainterPath::Element c2 = path.elementAt(i + 1);
                const QPainterPath::Element end = path.elementAt(i + 2);
                out << 'C' << number(e.x) << ' ' << number(e.y) << ' ' << number(c2.x) << ' '
                    << number(c2.y) << ' ' << number(end.x) << ' ' << number(end.y);
                i += 2;
                break;
            }
            case QPainterPath::CurveToDataElement:
                break;
            }
        }
        out << 'Z';
        return d;
    }

} // namespace

QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / icon_design, size / icon_design);
    for (const Layer& layer : icon_layers()) {
        const QRectF box = layer.path.boundingRect();
        QLinearGradient fill(0, box.top(), 0, box.bottom());
        fill.setColorAt(0, layer.top);
        fill.setColorAt(1, layer.bottom);
        painter.setBrush(fill);
        painter.setPen(layer.stroke.isValid()
                ? QPen(layer.stroke, layer.stroke_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                : QPen(Qt::NoPen));
        painter.drawPath(layer.path);
    }
    painter.end();
    return image;
}

QByteArray icon_svg()
{
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << icon_design << "\" height=\""
        << icon_design << "\" viewBox=\"0 0 " << icon_design << ' ' << icon_design << "\">\n";
    const std::vector<Layer> layers = icon_layers();
    out << "  <defs>\n";
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (layers[i].top == layers[i].bottom)
            continue;
        // Top to bottom over the path's own box, as the painted icon has it.
        out << "    <linearGradient id=\"fill" << i << "\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
            << "<stop offset=\"0\" stop-color=\"" << colour_text(layers[i].top) << "\"/>"
            << "<stop offset=\"1\" stop-color=\"" << colour_text(layers[i].bottom) << "\"/>"
            << "</linearGradient>\n";
    }
    out << "  </defs>\n";
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const Layer& layer = layers[i];
        if (layer.top == layer.bottom)
            out << "  <path fill=\"" << colour_text(layer.top) << "\" fill-opacity=\""
                << number(layer.top.alphaF()) << "\"";
        else
            out << "  <path fill=\"url(#fill" << i << ")\"";
        out << " fill-rule=\"" << (layer.path.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero")
            << "\"";
        if (layer.stroke.isValid())
            out << " stroke=\"" << colour_text(layer.stroke) << "\" stroke-width=\""
                << number(layer.stroke_width) << "\" stroke-linejoin=\"round\"";
        out << " d=\"" << svg_path_data(layer.path) << "\"/>\n";
    }
    out << "</svg>\n";
    return svg.toUtf8();
}

} // namespace tori::art
