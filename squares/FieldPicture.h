#pragma once
// The picture of the playing field, painted from the play state's colour codes as the window
// system would paint it: white empty cells, the grey danger band of row 0, the word "ВУМ" in
// every cell, and the squares in their colours with a black outline (or, on request, with
// the symbol of their colour).

#include <QImage>
#include <array>

#include "squares/engine/SquaresField.h"

class QPainter;

namespace vum {

class FieldPicture {
public:
    // The picture's width and height in pixels: ten cells of 30 and the last border line, by
    // twenty cells whose bottom line falls outside.
    static constexpr int Width = SquaresField::Columns * SquaresField::CellSize + 1;
    static constexpr int Height = SquaresField::Rows * SquaresField::CellSize;

    // Paints field into image, which is Width x Height.
    void Paint(QImage& image, const SquaresField::Grid& field, bool symbols);

    // The marks of the cells: the word in orange in row 0, in light grey in the others.
    static void PaintCellMarks(QPainter& painter);

private:
    // The picture without squares: empty cells, danger band, marks.
    QImage empty_;
    // Each colour's square with its symbol, by code (0 unused), made when first needed.
    std::array<QImage, 6> symbolSquares_;
};

}  // namespace vum
