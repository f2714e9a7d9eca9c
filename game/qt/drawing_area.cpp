#include "game/qt/drawing_area.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tori {

DrawingArea::DrawingArea(QWidget* parent)
    : QWidget(parent)
{
    setGround(QColor(0, 128, 0));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
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
    // The picture carries its device pixel ratio, so it covers the area at its
    // logical size and stays sharp on a high-density screen.
    painter.drawImage(QPointF(0, 0), *picture);
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
    const QPointF at = event->position();
    if (mouseDown)
        mouseDown(button, shift, at.x() * twipsPerPixel, at.y() * twipsPerPixel);
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
