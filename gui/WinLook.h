#pragma once
// The window system's look that both programs reproduce: its colour notation, its system
// colours, the one-pixel 3D edges of its panels and buttons, its rectangles, and components
// placed at fixed geometry.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QWidget>
#include <cstdint>

namespace vum {

// A window colour 0x00BBGGRR as Qt takes it.
constexpr QRgb WinRgb(std::uint32_t bgr) {
    return 0xFF000000u | ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}
inline QColor WinColour(std::uint32_t bgr) { return QColor::fromRgb(WinRgb(bgr)); }

// The colours the window system paints its own parts in, as the games' windows show them.
namespace system_colours {
constexpr std::uint32_t ButtonFace = 0x00C8D0D4;
constexpr std::uint32_t ButtonHighlight = 0x00FFFFFF;
constexpr std::uint32_t ButtonShadow = 0x00808080;
constexpr std::uint32_t DarkShadow = 0x00404040;
constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t Black = 0x00000000;
}  // namespace system_colours

enum class Bevel { None, Raised, Lowered };

// One pixel of 3D edge inside rect, as the window system draws it: the top row (all but
// its last pixel) and the left column in topColour, the right column and the bottom row in
// bottomColour, which thus owns the top-right and bottom-left corners. rect shrinks by it.
inline void DrawEdge(QPainter& painter, QRect& rect, const QColor& topColour, const QColor& bottomColour) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    painter.fillRect(QRect(l, t, r - l, 1), topColour);
    painter.fillRect(QRect(l, t, 1, b - t + 1), topColour);
    painter.fillRect(QRect(r, t, 1, b - t + 1), bottomColour);
    painter.fillRect(QRect(l, b, r - l + 1, 1), bottomColour);
    rect.adjust(1, 1, -1, -1);
}

// A raised or lowered bevel of one pixel in the button highlight and shadow.
inline void DrawBevel(QPainter& painter, QRect& rect, Bevel bevel) {
    const QColor light = WinColour(system_colours::ButtonHighlight);
    const QColor shadow = WinColour(system_colours::ButtonShadow);
    if (bevel == Bevel::Raised) DrawEdge(painter, rect, light, shadow);
    if (bevel == Bevel::Lowered) DrawEdge(painter, rect, shadow, light);
}

// The window system's Rectangle(left, top, right, bottom): the outline in pen on the pixels
// left..right-1 and top..bottom-1, the inside filled with brush.
inline void WinRectangle(QPainter& painter, const QColor& pen, const QColor& brush, int left, int top, int right,
                         int bottom) {
    painter.fillRect(QRect(left, top, right - left, bottom - top), pen);
    if (right - left > 2 && bottom - top > 2)
        painter.fillRect(QRect(left + 1, top + 1, right - left - 2, bottom - top - 2), brush);
}

// Names a component and fixes its geometry, as a window design does.
inline void PlaceComponent(QWidget* widget, const char* name, const QRect& geometry) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    widget->setFixedSize(geometry.size());
}

}  // namespace vum
