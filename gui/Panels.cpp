#include "gui/Panels.h"

#include <QFontMetrics>
#include <QPainter>

namespace vum {

BevelPanel::BevelPanel(QWidget* parent, const char* name, const QRect& geometry, std::uint32_t colour, Bevel outer,
                       Bevel inner)
    : QWidget(parent), colour_(WinColour(colour)), outer_(outer), inner_(inner) {
    PlaceComponent(this, name, geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BevelPanel::SetCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    update();
}

void BevelPanel::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void BevelPanel::SetFontColour(const QColor& colour) {
    fontColour_ = colour;
    update();
}

void BevelPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect inside = rect();
    DrawBevel(painter, inside, outer_);
    DrawBevel(painter, inside, inner_);
    painter.fillRect(inside, colour_);
    if (caption_.isEmpty()) return;
    // The text stands in a band of the font's height centred in the panel, flush with the
    // edge it is aligned to.
    const int height = QFontMetrics(font()).height();
    const QRect band(inside.left(), (inside.top() + inside.bottom() + 1 - height) / 2, inside.width(), height);
    painter.setPen(fontColour_);
    painter.drawText(band, static_cast<int>(alignment_ | Qt::AlignTop | Qt::TextSingleLine), caption_);
}

BevelLine::BevelLine(QWidget* parent, const char* name, const QRect& geometry) : QWidget(parent) {
    PlaceComponent(this, name, geometry);
}

void BevelLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), 1), WinColour(system_colours::ButtonShadow));
    painter.fillRect(QRect(0, 1, width(), height() - 1), WinColour(system_colours::ButtonHighlight));
}

}  // namespace vum
