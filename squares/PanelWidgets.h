#pragma once
// The components the colour-squares windows are built of where Qt has no exact match:
// a panel with caption, bevels and colour; a flat button with caption or picture; a
// bevel line; a picture surface that shows a kept image and reports presses. Colours
// are given in the window system's 0x00BBGGRR form and converted here.

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "gui/WinLook.h"

class QMouseEvent;
class QPainter;


// Colours the windows share.
namespace Colours {
constexpr std::uint32_t DarkBrownishRed = 0x00404080;
constexpr std::uint32_t LightRed = 0x008080FF;
constexpr std::uint32_t LightOrange = 0x004080FF;
constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t Yellow = 0x0000FFFF;
constexpr std::uint32_t Black = 0x00000000;
// The system's button face, highlight and shadow: the faces and edges of bevels.
constexpr std::uint32_t ButtonFace = 0x00C8D0D4;
constexpr std::uint32_t ButtonHighlight = 0x00FFFFFF;
constexpr std::uint32_t ButtonShadow = 0x00808080;
}  // namespace Colours

// A font asked for by face name, in pixels.
QFont PixelFont(const QString& family, int pixelSize, bool bold = false, bool italic = false);

// A picture of the program's resources (":/squares/images/<name>.svg") at its natural size.
QImage RenderPicture(const QString& name);

// Makes the program's pictures available; every window calls it before it needs one.
void InitSquaresResources();

// A panel: a colour (or none, then the parent shows through), an outer and an inner
// bevel of one pixel each, and a one-line caption that starts right inside the bevels,
// aligned left, centred or right and centred in height.
class BevelPanel : public QWidget {
    Q_OBJECT

public:
    BevelPanel(QWidget* parent, const char* name, const QRect& geometry, std::uint32_t colour,
               Bevel outer = Bevel::Raised, Bevel inner = Bevel::None);

    void SetTransparent();
    bool Transparent() const { return transparent_; }
    QColor Colour() const { return colour_; }
    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    void SetAlignment(Qt::Alignment alignment);  // Qt::AlignLeft, AlignHCenter or AlignRight
    Qt::Alignment Alignment() const { return alignment_; }
    void SetFontColour(QColor colour);
    QColor FontColour() const { return fontColour_; }
    Bevel BevelOuter() const { return outer_; }
    Bevel BevelInner() const { return inner_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    bool transparent_ = false;
    Bevel outer_;
    Bevel inner_;
    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    QColor fontColour_ = Qt::black;
};

// A button with a caption or a picture. A flat one shows its parent's colour and raises
// its edge only under the mouse; a plain one has the button face and a raised edge.
// It never takes the keyboard focus.
class FlatButton : public QAbstractButton {
    Q_OBJECT

public:
    FlatButton(QWidget* parent, const char* name, const QRect& geometry, bool flat = true);

    void SetGlyph(const QImage& glyph);
    const QImage& Glyph() const { return glyph_; }
    bool Flat() const { return flat_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage glyph_;
    bool flat_;
};

// A lowered separator line two pixels high: shadow above, highlight below.
class BevelLine : public QWidget {
    Q_OBJECT

public:
    BevelLine(QWidget* parent, const char* name, const QRect& geometry);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A surface that keeps an image and shows it from its top-left corner, cut at its edges.
// It paints only what the program drew into Picture; a press of any mouse button, also
// the second press of a double click, goes to OnMouseDown (after OnDblClick for that one).
class PictureBox : public QWidget {
    Q_OBJECT

public:
    PictureBox(QWidget* parent, const char* name, const QRect& geometry);

    QImage Picture;
    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void()> OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Windows' Rectangle(left, top, right, bottom): the outline in pen on the pixels left..right-1
// and top..bottom-1, the inside filled with brush.
void WinRectangle(QPainter& painter, const QColor& pen, const QColor& brush, int left, int top, int right,
                  int bottom);
