#pragma once
// The window system's look that both programs reproduce: its colour notation, the
// one-pixel 3D edges of its panels and buttons, and components placed at fixed geometry.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QWidget>
#include <cstdint>

// A window colour 0x00BBGGRR as Qt takes it.
constexpr QRgb WinRgb(std::uint32_t bgr) {
    return 0xFF000000u | ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}
inline QColor WinColour(std::uint32_t bgr) { return QColor::fromRgb(WinRgb(bgr)); }

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

// A raised or lowered bevel of one pixel in the system's button highlight and shadow.
inline void DrawBevel(QPainter& painter, QRect& rect, Bevel bevel) {
    const QColor light = WinColour(0x00FFFFFF);
    const QColor shadow = WinColour(0x00808080);
    if (bevel == Bevel::Raised) DrawEdge(painter, rect, light, shadow);
    if (bevel == Bevel::Lowered) DrawEdge(painter, rect, shadow, light);
}

// Names a component and fixes its geometry, as a window design does.
inline void PlaceComponent(QWidget* widget, const char* name, const QRect& geometry) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    widget->setFixedSize(geometry.size());
}
