#include "squares/SquareSymbols.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "gui/WinLook.h"
#include "squares/SquaresLook.h"

namespace vum {

namespace {

// The relative luminance of a colour, as contrast is measured for legibility.
double Luminance(const QColor& colour) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) + 0.0722 * channel(colour.blue());
}

}  // namespace

QColor SymbolColourOn(const QColor& colour) {
    const double luminance = Luminance(colour);
    const double againstWhite = 1.05 / (luminance + 0.05);
    const double againstBlack = (luminance + 0.05) / 0.05;
    return againstBlack >= againstWhite ? QColor(Qt::black) : QColor(Qt::white);
}

QImage SymbolSquare(std::uint8_t code, int size, const QColor& outline, qreal pixelRatio) {
    const QColor colour = WinColour(squares_colours::SquareColours[std::clamp<std::uint8_t>(code, 1, 5)]);
    const int pixels = static_cast<int>(std::ceil(size * pixelRatio));
    QImage square(pixels, pixels, QImage::Format_RGB32);
    square.setDevicePixelRatio(pixelRatio);
    QPainter painter(&square);
    WinRectangle(painter, outline, colour, 0, 0, size, size);

    // The symbol fills the middle half of the square, with strokes of a tenth of it.
    const double middle = size / 2.0;
    const double reach = size * 0.27;
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = SymbolColourOn(colour);
    QPen pen(ink, size / 10.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (code) {
        case 1:  // ring
            painter.drawEllipse(QPointF(middle, middle), reach, reach);
            break;
        case 2:  // cross
            painter.drawLine(QPointF(middle - reach, middle - reach), QPointF(middle + reach, middle + reach));
            painter.drawLine(QPointF(middle - reach, middle + reach), QPointF(middle + reach, middle - reach));
            break;
        case 3:  // triangle
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            painter.drawPolygon(QPolygonF({QPointF(middle, middle - reach), QPointF(middle + reach, middle + reach * 0.8),
                                           QPointF(middle - reach, middle + reach * 0.8)}));
            break;
        case 4:  // bar
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            painter.drawRect(QRectF(middle - reach, middle - reach * 0.3, 2 * reach, reach * 0.6));
            break;
        default:  // diamond
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            painter.drawPolygon(QPolygonF({QPointF(middle, middle - reach), QPointF(middle + reach, middle),
                                           QPointF(middle, middle + reach), QPointF(middle - reach, middle)}));
            break;
    }
    return square;
}

}  // namespace vum
