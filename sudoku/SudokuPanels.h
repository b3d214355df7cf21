#pragma once
// The components of the Sudoku windows where Qt has no exact match: a panel with bevels,
// colour and a centred caption, and a flat button with a caption and an optional picture.
// Colours are given as the window system writes them, 0x00BBGGRR, and converted here.

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "gui/WinLook.h"

class QPainter;


namespace SudokuColours {
constexpr std::uint32_t Window = 0x004080FF;        // main window, the notice's inner panel
constexpr std::uint32_t CounterPanel = 0x008AB0FF;  // LevelCountPanel1
constexpr std::uint32_t SidePanel = 0x000080FF;     // Panel2
constexpr std::uint32_t BlockA = 0x009CC99C;        // corner and centre blocks
constexpr std::uint32_t BlockB = 0x00C0DCC0;        // edge blocks
constexpr std::uint32_t SelectedCell = 0x00F0FBFF;
constexpr std::uint32_t GivenDigit = 0x00000000;
constexpr std::uint32_t EnteredDigit = 0x00FF0000;
constexpr std::uint32_t HighlightedDigit = 0x00FFFFFF;
constexpr std::uint32_t Picker = 0x00408000;
constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t Black = 0x00000000;
// The system's button highlight and shadow: the edges of bevels; the grid's lines.
constexpr std::uint32_t ButtonHighlight = 0x00FFFFFF;
constexpr std::uint32_t ButtonShadow = 0x00808080;
constexpr std::uint32_t DarkShadow = 0x00404040;
constexpr std::uint32_t ButtonFace = 0x00C8D0D4;
constexpr std::uint32_t GridLine = 0x00C0C0C0;
}  // namespace SudokuColours

// The font of a window component: the face asked for by name, the size in pixels. The
// old Windows sans faces ("MS Sans Serif", "Microsoft Sans Serif") are asked for as such
// when installed; otherwise as "Arial", whose metric twin fontconfig provides. The generic
// fallback (DejaVu Sans) runs some 15 % wider and would clip "Уровень сложности".
QFont PixelFont(const QString& family, int pixelSize);
// The face PixelFont asks for in place of family.
QString FontFace(const QString& family);

// A picture of the program's resources (":/sudoku/images/<name>.svg") at its natural size.
QImage SudokuPicture(const QString& name);

// A panel: its colour, an outer and an inner bevel of one pixel each, and a one-line
// caption centred in both directions.
class BevelPanel : public QWidget {
public:
    BevelPanel(QWidget* parent, const char* name, const QRect& geometry, std::uint32_t colour,
               Bevel outer = Bevel::Raised, Bevel inner = Bevel::None);

    QColor Colour() const { return colour_; }
    Bevel BevelOuter() const { return outer_; }
    Bevel BevelInner() const { return inner_; }
    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    void SetFontColour(const QColor& colour);
    QColor FontColour() const { return fontColour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    Bevel outer_;
    Bevel inner_;
    QString caption_;
    QColor fontColour_ = Qt::black;
};

// A button with a caption and, if given, a picture left of it, the two centred together
// four pixels apart. A flat one shows its parent's colour and raises its edge only under
// the mouse. A disabled one shows its disabled picture, if it has one, and an etched
// caption. It never takes the keyboard focus.
class SpeedButton : public QAbstractButton {
public:
    SpeedButton(QWidget* parent, const char* name, const QRect& geometry, bool flat = true);

    void SetGlyph(const QImage& glyph, const QImage& disabledGlyph = QImage());
    const QImage& Glyph() const { return glyph_; }
    const QImage& DisabledGlyph() const { return disabledGlyph_; }
    bool Flat() const { return flat_; }
    void SetFontColour(const QColor& colour);
    QColor FontColour() const { return fontColour_; }

    static constexpr int Spacing = 4;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage glyph_;
    QImage disabledGlyph_;
    bool flat_;
    QColor fontColour_ = Qt::black;
};


