#include "squares/FieldPicture.h"

#include <QFontMetrics>
#include <QPainter>

#include "gui/Fonts.h"
#include "gui/WinLook.h"
#include "squares/SquareSymbols.h"
#include "squares/SquaresLook.h"

namespace vum {

namespace {

constexpr int CellSize = SquaresField::CellSize;

// The font the field picture writes its marks in: small enough that the word stays
// inside the cell, right of x + 4 and below y + 10.
QFont ImageDefaultFont() { return PixelFont(QStringLiteral("Arial"), 10); }

}  // namespace

void FieldPicture::Paint(QImage& image, const SquaresField::Grid& field, bool symbols) {
    // Empty cells, the danger band and the marks come out the same under any field: every
    // square then covers its whole cell rectangle. So they are painted once and copied.
    if (empty_.isNull()) {
        empty_ = QImage(Width, Height, QImage::Format_RGB32);
        QPainter painter(&empty_);
        const QColor white = WinColour(squares_colours::EmptyCell);
        for (int r = 0; r < SquaresField::Rows; ++r)
            for (int c = 0; c < SquaresField::Columns; ++c)
                WinRectangle(painter, white, white, c * CellSize, r * CellSize, (c + 1) * CellSize + 1,
                             (r + 1) * CellSize + 1);
        const QColor band = WinColour(squares_colours::DangerBand);
        WinRectangle(painter, band, band, 0, 0, Width, CellSize);
        PaintCellMarks(painter);
    }
    QPainter painter(&image);
    painter.drawImage(0, 0, empty_);
    const QColor outline = WinColour(squares_colours::SquareOutline);
    for (int i = 0; i < SquaresField::Cells; ++i) {
        const std::uint8_t code = field[static_cast<std::size_t>(i)];
        if (code == 0) continue;
        const int left = i % SquaresField::Columns * CellSize;
        const int top = i / SquaresField::Columns * CellSize;
        if (symbols) {
            QImage& square = symbolSquares_[code];
            if (square.isNull()) square = SymbolSquare(code, CellSize + 1, outline);
            painter.drawImage(left, top, square);
        } else {
            WinRectangle(painter, outline, WinColour(squares_colours::SquareColours[code]), left, top,
                         left + CellSize + 1, top + CellSize + 1);
        }
    }
}

void FieldPicture::PaintCellMarks(QPainter& painter) {
    static const QFont font = ImageDefaultFont();
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    const QString word = QStringLiteral("ВУМ");
    // The text has no background: the cell shows through.
    painter.setBackgroundMode(Qt::TransparentMode);
    for (int r = 0; r < SquaresField::Rows; ++r) {
        painter.setPen(WinColour(r == 0 ? squares_colours::Orange : squares_colours::CellMark));
        for (int c = 0; c < SquaresField::Columns; ++c)
            painter.drawText(c * CellSize + 4, r * CellSize + CellSize / 3 + ascent, word);
    }
    painter.setBackgroundMode(Qt::OpaqueMode);
}

}  // namespace vum
