#pragma once
// Panels of the windows: a panel with a colour, bevels and a one-line caption, and a lowered
// separator line.

#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "gui/WinLook.h"

namespace vum {

// A panel: its colour, an outer and an inner bevel of one pixel each, and a one-line caption that starts right inside the bevels, aligned
// left, centred or right, and centred in height.
class BevelPanel : public QWidget {
    Q_OBJECT

public:
    // colour in the window system's 0x00BBGGRR notation.
    BevelPanel(QWidget* parent, const char* name, const QRect& geometry, std::uint32_t colour,
               Bevel outer = Bevel::Raised, Bevel inner = Bevel::None);

    QColor Colour() const { return colour_; }
    Bevel BevelOuter() const { return outer_; }
    Bevel BevelInner() const { return inner_; }
    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    void SetAlignment(Qt::Alignment alignment);  // Qt::AlignLeft, AlignHCenter or AlignRight
    Qt::Alignment Alignment() const { return alignment_; }
    void SetFontColour(const QColor& colour);
    QColor FontColour() const { return fontColour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    Bevel outer_;
    Bevel inner_;
    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    QColor fontColour_ = Qt::black;
};

// A lowered separator line two pixels high: shadow above, highlight below.
class BevelLine : public QWidget {
    Q_OBJECT

public:
    BevelLine(QWidget* parent, const char* name, const QRect& geometry);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vum
