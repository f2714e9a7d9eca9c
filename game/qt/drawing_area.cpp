#include "game/qt/drawing_area.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tori {

namespace {

    // How long the size must stay put before the picture is drawn anew.
    constexpr int settleMs = 150;

} // namespace

DrawingArea::DrawingArea(QWidget* parent)
    : QWidget(parent)
{
    setGround(QColor(0, 128, 0));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    settle.setSingleShot(true);
    connect(&settle, &QTimer::timeout, this, &DrawingArea::rescaleNow);
}

void DrawingArea::setDesignSize(QSize size)
{
    design = size;
    update();
}

double DrawingArea::scale() const
{
    if (design.isEmpty())
        return 1;
    return std::max(
        0.01, std::min(double(width()) / design.width(), double(height()) / design.height()));
}

QPointF DrawingArea::origin() const
{
    const double s = scale();
    const qreal dpr = devicePixelRatioF();
    auto onDevicePixel = [dpr](double v) { return std::round(v * dpr) / dpr; };
    return QPointF(onDevicePixel((width() - design.width() * s) / 2),
        onDevicePixel((height() - design.height() * s) / 2));
}

QPointF DrawingArea::twipsAt(QPointF point) const
{
    return (point - origin()) / scale() * twipsPerPixel;
}

void DrawingArea::rescaleNow()
{
    settle.stop();
    if (rescale)
        rescale(scale(), devicePixelRatioF());
    update();
}

void DrawingArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (follow)
        follow(scale(), origin());
    settle.start(settleMs);
}

bool DrawingArea::event(QEvent* event)
{
    // Moved to a screen of another pixel ratio: sharp again at once.
    if (event->type() == QEvent::ScreenChangeInternal) {
        settle.start(0);
        update();
    }
    return QWidget::event(event);
}

void DrawingArea::setGround(const QColor& colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}

void DrawingArea::paintEvent(QPaintEvent*)
{
    if (!picture)
        return;
    QPainter painter(this);
    const qreal dpr = devicePixelRatioF();
    const QRectF target(origin(), QSizeF(design) * scale());
    const QSizeF shown = QSizeF(picture->size()) / picture->devicePixelRatio();
    if (picture->devicePixelRatio() == dpr && std::abs(shown.width() - target.width()) < 1
        && std::abs(shown.height() - target.height()) < 1) {
        // Drawn for this very size and ratio: device pixel for device pixel.
        if (paintGround && !target.contains(QRectF(rect())))
            paintGround(painter, target);
        painter.drawImage(target.topLeft(), *picture);
        return;
    }
    // Drawn for another size: stretched until it is drawn anew, which a change
    // of the pixel ratio asks for at once.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (paintGround && !target.contains(QRectF(rect())) && !shown.isEmpty()) {
        // The ground around it as it was drawn, stretched with it: the
        // background goes on, not the window's plain colour.
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(target.width() / shown.width(), target.height() / shown.height());
        paintGround(painter, QRectF(QPointF(0, 0), shown));
        painter.restore();
    }
    painter.drawImage(target, *picture);
    if (picture->devicePixelRatio() != dpr)
        settle.start(0);
    else if (!settle.isActive())
        settle.start(settleMs);
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    int button = 0;
    switch (event->button()) {
    case Qt::LeftButton:
        button = 1;
        break;
    case Qt::RightButton:
        button = 2;
        break;
    case Qt::MiddleButton:
        button = 4;
        break;
    default:
        QWidget::mousePressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int shift = (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0)
        | (mods & Qt::AltModifier ? 4 : 0);
    const QPointF at = twipsAt(event->position());
    if (mouseDown)
        mouseDown(button, shift, at.x(), at.y());
}

void DrawingArea::keyPressEvent(QKeyEvent* event)
{
    // Keys typed into a text box of the record panel stay there: an Escape
    // while naming a record file must not end the game.
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus != this && isAncestorOf(focus)) {
        QWidget::keyPressEvent(event);
        return;
    }
    int key = -1;
    if (event->key() == Qt::Key_Escape)
        key = 27;
    else if (!event->text().isEmpty())
        key = event->text().at(0).unicode();
    if (key < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (keyPress)
        keyPress(key);
}

} // namespace tori
