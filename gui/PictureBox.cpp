#include "gui/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/WinLook.h"

namespace vum {

PictureBox::PictureBox(QWidget* parent, const char* name, const QRect& geometry) : QWidget(parent) {
    PlaceComponent(this, name, geometry);
    // The picture covers the box, so nothing behind it is painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    // A picture drawn at a pixel ratio above 1 has that many pixels to each of the box's.
    const qreal ratio = Picture.devicePixelRatio();
    if (!QRect(QPoint(0, 0), Picture.deviceIndependentSize().toSize()).contains(dirty))
        painter.fillRect(dirty, palette().window());
    painter.drawImage(dirty.topLeft(), Picture,
                      QRectF(dirty.x() * ratio, dirty.y() * ratio, dirty.width() * ratio, dirty.height() * ratio));
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) OnMouseDown(event);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDblClick) OnDblClick();
    if (OnMouseDown) OnMouseDown(event);
}

}  // namespace vum
