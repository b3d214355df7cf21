#include "gui/GlyphButton.h"

#include <QFontMetrics>
#include <QPainter>

#include "gui/WinLook.h"

namespace vum {

GlyphButton::GlyphButton(QWidget* parent, const char* name, const QRect& geometry, bool flat)
    : QAbstractButton(parent), flat_(flat) {
    PlaceComponent(this, name, geometry);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void GlyphButton::SetGlyph(const QImage& glyph, const QImage& disabledGlyph) {
    glyph_ = glyph;
    disabledGlyph_ = disabledGlyph;
    update();
}

void GlyphButton::SetFontColour(const QColor& colour) {
    fontColour_ = colour;
    update();
}

void GlyphButton::SetCornerMark(const QColor& colour) {
    if (colour == cornerMark_) return;
    cornerMark_ = colour;
    update();
}

void GlyphButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (cornerMark_.isValid()) painter.fillRect(QRect(width() - 8, 3, 5, 5), cornerMark_);
    QRect inside = rect();
    const bool down = isDown() || isChecked();
    if (!flat_) {
        painter.fillRect(inside, WinColour(system_colours::ButtonFace));
        DrawBevel(painter, inside, down ? Bevel::Lowered : Bevel::Raised);
    } else if (down) {
        DrawBevel(painter, inside, Bevel::Lowered);
    } else if (underMouse() && isEnabled()) {
        DrawBevel(painter, inside, Bevel::Raised);
    }

    const QImage& picture = !isEnabled() && !disabledGlyph_.isNull() ? disabledGlyph_ : glyph_;
    const QFontMetrics metrics(font());
    const QString caption = text();
    const int textWidth = caption.isEmpty() ? 0 : metrics.horizontalAdvance(caption);
    const int pictureWidth = picture.isNull() ? 0 : picture.width();
    const int gap = pictureWidth > 0 && textWidth > 0 ? Spacing : 0;
    const QPoint shift = down ? QPoint(1, 1) : QPoint(0, 0);
    int x = (width() - (pictureWidth + gap + textWidth)) / 2;
    if (!picture.isNull()) {
        painter.drawImage(QPoint(x, (height() - picture.height()) / 2) + shift, picture);
        x += pictureWidth + gap;
    }
    if (caption.isEmpty()) return;
    painter.setFont(font());
    const QRect band(x, (height() - metrics.height()) / 2, textWidth, metrics.height());
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    if (isEnabled()) {
        painter.setPen(fontColour_);
        painter.drawText(band.translated(shift), flags, caption);
    } else {
        // Etched: the highlight one pixel down and right, the shadow above it.
        painter.setPen(WinColour(system_colours::ButtonHighlight));
        painter.drawText(band.translated(1, 1), flags, caption);
        painter.setPen(WinColour(system_colours::ButtonShadow));
        painter.drawText(band, flags, caption);
    }
}

}  // namespace vum
