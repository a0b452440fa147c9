#include "windows/drawing_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace kalven {

DrawingImage::DrawingImage(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setImageSize(601, 425);
}

void DrawingImage::setImageSize(int width, int height)
{
    image_ = QImage(qMax(1, width), qMax(1, height), QImage::Format_RGB32);
    image_.fill(Qt::white);
    setFixedSize(image_.size());
    update();
}

void DrawingImage::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

namespace {

// The image pixel under the mouse. Under a fractional screen scale positions fall between whole
// numbers, and 10.6 still lies in pixel 10; rounding would give its neighbour.
QPoint PixelUnder(const QMouseEvent& event)
{
    return {static_cast<int>(std::floor(event.position().x())), static_cast<int>(std::floor(event.position().y()))};
}

}  // namespace

void DrawingImage::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = PixelUnder(*event);
    Q_EMIT mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void DrawingImage::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = PixelUnder(*event);
    Q_EMIT mouseMoved(event->modifiers(), p.x(), p.y());
}

}  // namespace kalven
