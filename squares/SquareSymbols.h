#pragma once
// Squares that tell their colour by a symbol as well, for players who cannot tell the colours
// apart (red and green above all): a ring on red, a cross on green, a triangle on blue, a bar
// on yellow, a diamond on purple, each in black or white, whichever stands out more.

#include <QColor>
#include <QImage>
#include <cstdint>

namespace vum {

// The square of colour code 1..5 as the field draws it (outline, fill), size pixels square,
// with its symbol inside the outline; drawn at the pixel ratio, the image being size times
// the ratio pixels wide.
QImage SymbolSquare(std::uint8_t code, int size, const QColor& outline, qreal pixelRatio = 1);

// Black or white, whichever has the higher contrast against colour.
QColor SymbolColourOn(const QColor& colour);

}  // namespace vum
