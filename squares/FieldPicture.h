#pragma once
// The picture of the playing field, painted from the play state's colour codes as the window
// system would paint it: white empty cells, the grey danger band of row 0, the word "ВУМ" in
// every cell, and the squares in their colours with a black outline (or, on request, with
// the symbol of their colour). Over them, for a player who steers with the keys, the cursor
// and the outline of the group it would remove.
//
// The picture is painted at the pixel ratio of the image it is given (the screen's), so that
// it stays sharp at any scale; at ratio 1 it is the window system's picture pixel for pixel.
// It repaints only what changed since the last picture it painted into the same image.

#include <QImage>
#include <QRect>
#include <array>
#include <vector>

#include "squares/engine/SquaresField.h"

class QPainter;

namespace vum {

// What the field picture shows.
struct FieldScene {
    SquaresField::Grid Field{};
    bool Symbols = false;                 // each square with the symbol of its colour
    std::int32_t Cursor = -1;             // the cursor's cell, -1 for none
    SquaresField::CellSet Group{};        // the cells whose outline is drawn

    bool operator==(const FieldScene&) const = default;
};

class FieldPicture {
public:
    // The picture's width and height in logical pixels: ten cells of 30 and the last border
    // line, by twenty cells whose bottom line falls outside.
    static constexpr int Width = SquaresField::Columns * SquaresField::CellSize + 1;
    static constexpr int Height = SquaresField::Rows * SquaresField::CellSize;

    // An image for the picture at the pixel ratio, white until painted.
    static QImage MakeImage(qreal pixelRatio);

    // Paints scene into image (made by MakeImage). Returns the part of the picture, in logical
    // pixels, that now differs from what this painter last painted into the same image (all
    // of it for another image or another pixel ratio); empty when nothing changed.
    QRect Paint(QImage& image, const FieldScene& scene);

    // The marks of the cells: the word in orange in row 0, in light grey in the others.
    static void PaintCellMarks(QPainter& painter);

private:
    // Paints the scene inside the areas only, exactly as a whole picture would be painted there.
    void PaintAreas(QImage& image, const FieldScene& scene, const std::vector<QRect>& areas);
    // The cells that show otherwise in the one scene than in the other.
    static SquaresField::CellSet Changes(const FieldScene& from, const FieldScene& to);
    // The picture's areas that hold the cells, with the pixel around them that an outline
    // reaches.
    static std::vector<QRect> Areas(const SquaresField::CellSet& cells);
    // What a picture of scene shows in its rows 0 to 18 once moved up a row.
    static FieldScene Risen(const FieldScene& scene);
    const QImage& EmptyField(qreal pixelRatio);
    // The square of a colour as drawn, plain or with its symbol.
    const QImage& Square(std::uint8_t code, bool symbol, qreal pixelRatio);

    // The picture without squares (empty cells, danger band, marks), at its pixel ratio.
    QImage empty_;
    // Each colour's square, plain and with its symbol, by code (0 unused), made when first
    // needed.
    std::array<std::array<QImage, 6>, 2> squares_;
    // What the last Paint left in which image.
    FieldScene shown_;
    qint64 shownImage_ = 0;
    qreal shownRatio_ = 0;
};

}  // namespace vum
