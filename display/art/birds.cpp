// The pieces drawn as pictures of their birds, for players who do not read
// the kanji. Each bird is a few filled shapes in the design pixels of a board
// square, standing on the same plate as the kanji: dark ink for the pieces as
// they start, vermilion for the two promoted ones, as the promoted kanji are.
// Light lines cut into the ink (an eye, the edge of a wing) are kept near a
// design pixel wide, so that they still show at 100 %.
#include "display/art/birds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>

namespace tori::art {

namespace {

    const QColor ink(24, 16, 10);
    const QColor vermilion(196, 22, 18);
    const QColor gold(214, 158, 20);

    constexpr double middle = 16.5; // the plate's axis

    QPainterPath circle(double x, double y, double r)
    {
        QPainterPath path;
        path.addEllipse(QPointF(x, y), r, r);
        return path;
    }

    QPainterPath oval(double x, double y, double rx, double ry, double degrees = 0)
    {
        QPainterPath path;
        path.addEllipse(QPointF(0, 0), rx, ry);
        return QTransform().translate(x, y).rotate(degrees).map(path);
    }

    QPainterPath polygon(std::initializer_list<QPointF> points)
    {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points)));
        path.closeSubpath();
        return path;
    }

    // A line of the given width as a shape, with round ends.
    QPainterPath stroke(const QPainterPath& line, double width)
    {
        QPainterPathStroker stroker;
        stroker.setWidth(width);
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        return stroker.createStroke(line);
    }

    QPainterPath line(std::initializer_list<QPointF> points, double width)
    {
        QPainterPath path;
        bool first = true;
        for (const QPointF& p : points) {
            if (first)
                path.moveTo(p);
            else
                path.lineTo(p);
            first = false;
        }
        return stroke(path, width);
    }

    // Left and right swapped about the plate's axis.
    QPainterPath mirrored(const QPainterPath& path)
    {
        return QTransform().translate(2 * middle, 0).scale(-1, 1).map(path);
    }

    QPainterPath symmetric(const QPainterPath& left) { return left.united(mirrored(left)); }

    struct Shapes {
        QPainterPath body; // the bird's ink
        QPainterPath light; // cut out of the ink, so that the plate shows through
        QPainterPath spots; // ink again inside the light
        QPainterPath accent; // a mark of colour: a crown, a face, a side
        QColor accent_colour = vermilion;
    };

    // A feather that widens from its quill to a round end: circles of growing
    // radius along a curve.
    QPainterPath plume(const QPainterPath& curve, double from, double to)
    {
        QPainterPath path;
        constexpr int steps = 24;
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            path = path.united(circle(curve.pointAtPercent(t).x(), curve.pointAtPercent(t).y(),
                from + (to - from) * t * t));
        }
        return path;
    }

    // ---------------------------------------------------------------- 鵬

    // The phoenix, the king: seen from the front with raised wings, a crest of
    // three plumes and three long tail plumes, each ending in a golden eye.
    Shapes phoenix()
    {
        Shapes s;
        QPainterPath wing;
        wing.moveTo(15.0, 15.4);
        wing.cubicTo(12.0, 12.0, 9.0, 9.0, 6.2, 8.6);
        wing.cubicTo(6.2, 11.0, 6.8, 12.0, 7.4, 12.8);
        wing.lineTo(6.4, 13.4);
        wing.cubicTo(7.2, 15.2, 8.0, 15.8, 8.8, 16.4);
        wing.lineTo(7.8, 17.0);
        wing.cubicTo(9.5, 18.8, 11.5, 20.2, 14.6, 21.0);
        wing.closeSubpath();
        QPainterPath outer;
        outer.moveTo(15.6, 22.0);
        outer.cubicTo(12.0, 25.0, 8.0, 27.0, 9.8, 33.6);
        QPainterPath centre;
        centre.moveTo(middle, 22.0);
        centre.cubicTo(15.4, 27.0, 17.6, 30.0, middle, 34.6);
        QPainterPath crest;
        crest.moveTo(middle, 10.0);
        crest.cubicTo(15.6, 8.0, 14.6, 7.0, 13.4, 6.8);
        QPainterPath top;
        top.moveTo(middle, 10.0);
        top.lineTo(middle, 5.4);
        s.body = symmetric(wing)
                     .united(oval(middle, 18.4, 3.0, 4.8))
                     .united(circle(middle, 11.6, 2.4))
                     .united(polygon({ { 15.6, 13.4 }, { middle, 15.6 }, { 17.4, 13.4 } }))
                     .united(symmetric(plume(outer, 0.6, 2.2)))
                     .united(plume(centre, 0.6, 2.2))
                     .united(symmetric(stroke(crest, 1.0)))
                     .united(stroke(top, 1.0));
        s.light = symmetric(circle(15.4, 11.2, 0.6))
                      .united(symmetric(line({ { 10.8, 14.8 }, { 12.8, 17.6 } }, 0.8)))
                      .united(symmetric(circle(9.8, 33.6, 1.2)))
                      .united(circle(middle, 34.6, 1.2));
        s.accent = symmetric(circle(9.8, 33.6, 0.9))
                       .united(circle(middle, 34.6, 0.9))
                       .united(symmetric(circle(13.0, 6.8, 1.2)))
                       .united(circle(middle, 4.8, 1.3));
        s.accent_colour = gold;
        return s;
    }

    // ---------------------------------------------------------------- 鷹, 鷲

    // The falcon, perched and looking left: the fierce eye under a flat brow,
    // a hooked beak with the yellow skin at its base, the pale barred breast,
    // the long wings folded over a long tail, yellow talons gripping a twig.
    Shapes falcon()
    {
        Shapes s;
        QPainterPath bird;
        bird.moveTo(10.8, 8.6);
        bird.cubicTo(12.4, 6.6, 15.6, 6.4, 17.4, 8.6);
        bird.cubicTo(18.6, 10.2, 19.4, 11.6, 21.0, 13.6);
        bird.cubicTo(22.6, 17.0, 22.6, 22.0, 21.6, 26.0);
        // the tail below the folded wings
        bird.lineTo(22.0, 35.6);
        bird.lineTo(17.8, 35.6);
        bird.lineTo(17.0, 28.4);
        bird.cubicTo(12.6, 27.6, 10.0, 23.0, 10.4, 18.4);
        bird.cubicTo(10.6, 16.0, 11.4, 14.8, 11.0, 13.2);
        // the hooked beak
        bird.lineTo(10.2, 12.6);
        bird.cubicTo(9.8, 13.2, 9.4, 13.8, 8.8, 14.0);
        bird.cubicTo(7.6, 12.2, 8.0, 9.8, 10.8, 8.6);
        bird.closeSubpath();
        s.body = bird.united(line({ { 8.4, 31.6 }, { 24.6, 30.2 } }, 1.2));
        // The pale breast along the front, barred.
        QPainterPath breast;
        breast.moveTo(12.2, 15.6);
        breast.cubicTo(14.2, 15.2, 16.4, 16.6, 17.6, 18.4);
        breast.cubicTo(18.0, 21.6, 17.6, 24.6, 16.8, 26.8);
        breast.cubicTo(13.6, 26.0, 11.8, 23.0, 11.8, 19.4);
        breast.closeSubpath();
        QPainterPath wing;
        wing.moveTo(19.4, 14.6);
        wing.cubicTo(18.6, 19.0, 19.0, 24.0, 20.0, 28.0);
        // The eye, cut flat on top by the brow.
        const QPainterPath eye
            = circle(13.2, 10.8, 1.1)
                  .subtracted(
                      polygon({ { 11.0, 8.0 }, { 16.0, 8.0 }, { 16.0, 9.9 }, { 11.0, 10.5 } }));
        s.light = eye.united(breast).united(stroke(wing, 0.8));
        s.spots = circle(12.9, 11.0, 0.5)
                      .united(line({ { 13.0, 19.4 }, { 14.6, 20.2 }, { 16.4, 19.4 } }, 0.7))
                      .united(line({ { 13.2, 22.6 }, { 14.8, 23.4 }, { 16.6, 22.6 } }, 0.7));
        s.accent = oval(10.9, 10.4, 0.9, 0.8)
                       .united(line({ { 13.6, 27.4 }, { 13.0, 30.4 }, { 11.4, 31.0 } }, 1.1))
                       .united(line({ { 16.4, 28.0 }, { 16.2, 30.6 }, { 14.6, 31.2 } }, 1.1));
        s.accent_colour = gold;
        return s;
    }

    // The eagle, the promoted falcon: wings spread wide with fingered tips,
    // the head turned left, a fanned tail.
    Shapes eagle()
    {
        Shapes s;
        QPainterPath wing;
        wing.moveTo(15.0, 14.0);
        wing.cubicTo(12.0, 12.0, 8.0, 11.0, 5.2, 11.4);
        wing.lineTo(6.6, 13.0);
        wing.lineTo(4.8, 13.8);
        wing.lineTo(6.6, 15.2);
        wing.lineTo(5.0, 16.4);
        wing.lineTo(7.2, 17.4);
        wing.lineTo(6.0, 18.8);
        wing.cubicTo(9.0, 20.0, 12.0, 21.0, 15.0, 22.0);
        wing.closeSubpath();
        QPainterPath head;
        head.moveTo(17.2, 14.0);
        head.cubicTo(18.6, 11.6, 18.2, 8.8, 15.6, 8.4);
        head.cubicTo(13.6, 8.2, 12.6, 9.0, 12.2, 10.0);
        // the hooked beak
        head.cubicTo(11.0, 10.2, 10.6, 11.4, 11.0, 12.4);
        head.lineTo(12.8, 11.8);
        head.cubicTo(13.4, 12.8, 14.6, 13.6, 15.0, 14.8);
        head.closeSubpath();
        QPainterPath tail
            = polygon({ { 14.8, 24.0 }, { 18.2, 24.0 }, { 21.0, 32.4 }, { 19.4, 31.6 },
                { 18.2, 33.0 }, { 16.5, 32.0 }, { 14.8, 33.0 }, { 13.6, 31.6 }, { 12.0, 32.4 } });
        s.body = symmetric(wing)
                     .united(head)
                     .united(oval(middle, 19.0, 3.4, 6.0))
                     .united(tail)
                     .united(line({ { 14.6, 24.0 }, { 12.8, 27.8 } }, 1.2))
                     .united(mirrored(line({ { 14.6, 24.0 }, { 12.8, 27.8 } }, 1.2)));
        s.light = circle(15.0, 10.4, 0.7)
                      .united(symmetric(line({ { 12.6, 16.2 }, { 8.6, 15.6 } }, 0.8)));
        return s;
    }

    // ---------------------------------------------------------------- 鶴

    // The crane, standing and looking left: the long bill and neck, the red
    // crown, the bustle of its tail, the long legs.
    Shapes crane()
    {
        Shapes s;
        QPainterPath neck;
        neck.moveTo(11.0, 9.6);
        neck.cubicTo(13.8, 12.4, 11.8, 16.0, 14.6, 19.0);
        QPainterPath body;
        body.moveTo(13.0, 19.4);
        body.cubicTo(15.0, 16.4, 21.0, 16.4, 24.0, 18.2);
        body.cubicTo(26.4, 19.6, 27.4, 22.4, 27.0, 25.2);
        body.cubicTo(25.6, 23.6, 24.0, 23.4, 22.6, 24.0);
        body.cubicTo(20.0, 25.2, 16.0, 25.0, 14.0, 23.2);
        body.closeSubpath();
        s.body = stroke(neck, 1.9)
                     .united(circle(11.0, 9.0, 1.9))
                     .united(polygon({ { 10.0, 8.2 }, { 4.8, 10.6 }, { 10.2, 10.0 } }))
                     .united(body)
                     .united(line({ { 17.6, 24.0 }, { 16.8, 35.6 } }, 1.0))
                     .united(line({ { 19.6, 24.4 }, { 20.8, 35.6 } }, 1.0))
                     .united(line({ { 14.6, 35.8 }, { 17.4, 35.8 } }, 0.9))
                     .united(line({ { 20.2, 35.8 }, { 23.2, 35.8 } }, 0.9));
        QPainterPath wing;
        wing.moveTo(16.0, 20.6);
        wing.cubicTo(18.6, 19.0, 21.6, 19.0, 24.0, 20.6);
        s.light = circle(10.6, 9.0, 0.6).united(stroke(wing, 0.9));
        s.accent = circle(11.6, 7.3, 1.1);
        return s;
    }

    // ---------------------------------------------------------------- 雉

    // The pheasant, walking left: the red face, the short rounded body and the
    // long pointed tail trailing behind it.
    Shapes pheasant()
    {
        Shapes s;
        QPainterPath bird;
        bird.moveTo(8.6, 12.0);
        bird.cubicTo(9.0, 10.0, 11.6, 9.4, 12.8, 11.0);
        bird.cubicTo(13.6, 12.4, 13.4, 14.6, 14.4, 16.2);
        bird.cubicTo(17.0, 16.0, 19.6, 17.0, 21.0, 19.0);
        // the tail, long and pointed
        bird.lineTo(27.8, 34.8);
        bird.lineTo(19.0, 25.4);
        bird.cubicTo(16.0, 26.8, 12.4, 26.0, 11.0, 22.6);
        bird.cubicTo(10.2, 20.4, 10.6, 17.0, 10.6, 15.0);
        bird.cubicTo(10.0, 14.0, 9.0, 13.6, 8.6, 13.4);
        bird.lineTo(6.8, 13.2);
        bird.closeSubpath();
        s.body = bird.united(line({ { 14.0, 25.4 }, { 13.2, 31.0 }, { 11.4, 31.6 } }, 1.0))
                     .united(line({ { 16.4, 25.8 }, { 16.6, 31.0 }, { 14.8, 31.6 } }, 1.0));
        QPainterPath wing;
        wing.moveTo(13.2, 19.4);
        wing.cubicTo(15.6, 18.2, 18.4, 18.6, 20.4, 20.6);
        QPainterPath band;
        band.moveTo(11.0, 15.6);
        band.lineTo(13.8, 15.0);
        s.light = stroke(wing, 0.9).united(stroke(band, 0.8));
        s.accent = oval(10.9, 11.9, 1.3, 1.1);
        return s;
    }

    // ---------------------------------------------------------------- 鶉

    // A quail looking left: a plump round body, a short tail, the plume that
    // curls forward over its head; a red arrowhead above it points to its side.
    Shapes quail_looking_left()
    {
        Shapes s;
        QPainterPath plume;
        plume.moveTo(12.4, 15.0);
        plume.cubicTo(12.0, 12.0, 10.4, 10.8, 9.0, 11.6);
        s.body = oval(17.4, 24.0, 7.6, 6.4)
                     .united(circle(11.8, 17.6, 3.1))
                     .united(polygon({ { 9.0, 16.6 }, { 7.2, 18.2 }, { 9.2, 18.8 } }))
                     .united(stroke(plume, 1.2))
                     .united(circle(9.2, 12.0, 1.2))
                     .united(polygon({ { 23.4, 20.4 }, { 27.4, 19.4 }, { 25.0, 24.6 } }))
                     .united(line({ { 15.4, 29.8 }, { 15.0, 33.6 }, { 13.4, 34.0 } }, 1.0))
                     .united(line({ { 19.0, 30.0 }, { 19.2, 33.6 }, { 17.6, 34.0 } }, 1.0));
        // The folded wing's edge, from the shoulder down to the tail.
        QPainterPath wing;
        wing.moveTo(14.8, 20.4);
        wing.cubicTo(16.0, 24.6, 20.0, 26.4, 24.2, 24.6);
        QPainterPath throat;
        throat.moveTo(9.8, 19.6);
        throat.cubicTo(11.0, 20.8, 12.8, 20.8, 14.0, 19.8);
        s.light = circle(11.2, 16.8, 0.65).united(stroke(wing, 0.9)).united(stroke(throat, 0.8));
        s.accent = polygon({ { 10.4, 6.2 }, { 15.6, 3.6 }, { 14.4, 6.2 }, { 15.6, 8.8 } });
        return s;
    }

    // The right quail is the left one looking the other way.
    Shapes quail_looking_right()
    {
        Shapes s = quail_looking_left();
        s.body = mirrored(s.body);
        s.light = mirrored(s.light);
        s.spots = mirrored(s.spots);
        s.accent = mirrored(s.accent);
        return s;
    }

    // ---------------------------------------------------------------- 燕, 鴈

    // The swallow, seen from above flying forward: swept-back pointed wings
    // and the deeply forked tail.
    Shapes swallow()
    {
        Shapes s;
        QPainterPath wing;
        wing.moveTo(15.0, 13.6);
        wing.cubicTo(11.0, 12.4, 7.4, 14.6, 4.6, 22.6);
        wing.cubicTo(8.0, 19.4, 11.6, 18.4, 15.2, 19.0);
        wing.closeSubpath();
        QPainterPath body;
        body.moveTo(middle, 8.4);
        body.cubicTo(18.4, 8.4, 19.0, 11.0, 18.4, 13.0);
        body.cubicTo(19.4, 16.4, 19.0, 20.0, 18.2, 23.0);
        // the fork of the tail
        body.lineTo(22.6, 36.0);
        body.lineTo(middle, 26.6);
        body.lineTo(10.4, 36.0);
        body.lineTo(14.8, 23.0);
        body.cubicTo(14.0, 20.0, 13.6, 16.4, 14.6, 13.0);
        body.cubicTo(14.0, 11.0, 14.6, 8.4, middle, 8.4);
        body.closeSubpath();
        s.body = symmetric(wing).united(body);
        s.light = symmetric(circle(15.4, 10.4, 0.55));
        return s;
    }

    // The goose, the promoted swallow: standing and looking left, a long
    // curved neck with the pale strap on the cheek, a heavy body, webbed feet.
    Shapes goose()
    {
        Shapes s;
        QPainterPath neck;
        neck.moveTo(10.4, 10.0);
        neck.cubicTo(12.2, 13.0, 9.6, 17.0, 12.6, 21.0);
        QPainterPath body;
        body.moveTo(10.4, 25.0);
        body.cubicTo(10.4, 20.6, 14.6, 19.4, 19.0, 20.0);
        body.cubicTo(22.0, 20.4, 25.0, 20.2, 27.6, 19.6);
        body.cubicTo(27.4, 22.6, 25.6, 27.6, 21.6, 29.0);
        body.cubicTo(17.0, 30.4, 10.6, 29.4, 10.4, 25.0);
        body.closeSubpath();
        s.body = stroke(neck, 2.5)
                     .united(circle(10.0, 9.4, 2.3))
                     .united(polygon({ { 8.4, 8.6 }, { 5.2, 10.8 }, { 8.6, 11.2 } }))
                     .united(body)
                     .united(line({ { 16.6, 29.0 }, { 16.4, 34.0 } }, 1.1))
                     .united(line({ { 20.2, 29.0 }, { 20.6, 34.0 } }, 1.1))
                     .united(polygon({ { 16.4, 33.2 }, { 13.6, 35.6 }, { 17.4, 35.6 } }))
                     .united(polygon({ { 20.6, 33.2 }, { 18.0, 35.6 }, { 21.8, 35.6 } }));
        QPainterPath wing;
        wing.moveTo(14.6, 23.6);
        wing.cubicTo(17.6, 22.2, 21.6, 22.2, 25.2, 21.8);
        QPainterPath strap;
        strap.moveTo(10.0, 11.6);
        strap.lineTo(11.8, 10.0);
        s.light = circle(9.6, 8.8, 0.65).united(stroke(wing, 0.9)).united(stroke(strap, 0.9));
        return s;
    }

} // namespace

void draw_bird(QPainter& painter, Bird bird)
{
    Shapes s;
    bool promoted = false;
    switch (bird) {
    case Bird::phoenix:
        s = phoenix();
        break;
    case Bird::falcon:
        s = falcon();
        break;
    case Bird::eagle:
        s = eagle();
        promoted = true;
        break;
    case Bird::crane:
        s = crane();
        break;
    case Bird::pheasant:
        s = pheasant();
        break;
    case Bird::left_quail:
        s = quail_looking_left();
        break;
    case Bird::right_quail:
        s = quail_looking_right();
        break;
    case Bird::swallow:
        s = swallow();
        break;
    case Bird::goose:
        s = goose();
        promoted = true;
        break;
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(promoted ? vermilion : ink);
    painter.drawPath(s.body.subtracted(s.light).united(s.spots));
    if (!s.accent.isEmpty()) {
        painter.setBrush(s.accent_colour);
        painter.drawPath(s.accent);
    }
    painter.restore();
}

} // namespace tori::art
