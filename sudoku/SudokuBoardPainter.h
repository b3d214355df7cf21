#pragma once
// SudokuBoardPainter: paints the cells of the board from the play state, as the board is
// drawn: the digit a cell shows, black for a given and blue for an entry, on the colour of its
// block; the light ground of the selected cell; the white digit of a cell that holds the
// selected cell's digit; and the pencil marks of a cell that shows no digit. It reads the play
// state and draws on the grid's canvas; it changes neither.
//
// How a cell is to look beyond what the play state says (selected or not, lit as the selected
// cell's digit) is the drawing's own: the board is drawn cell by cell at the moments the game
// asks, and a cell keeps its look until it is drawn again. What stays on the board across
// drawings (the keyboard cursor) is the window's board view, which every drawing of a cell
// shows.

#include <QColor>
#include <QRect>
#include <array>
#include <cstdint>

class SudokuBoardGrid;

namespace vum {

class SudokuGame;

struct SudokuCellLook {
    // The light ground of the selected cell.
    bool Selected = false;
    // The digit in white: the cell holds the selected cell's digit.
    bool SameDigit = false;
    // The marks of this digit stand out (0 for none).
    std::int32_t EmphasisedMark = 0;
};

// What the board shows beyond the play state and a single drawing.
struct SudokuBoardView {
    // The frame of the keyboard cursor on the grid's current cell: shown from the first key
    // that moves or acts on it, hidden by a click.
    bool CursorShown = false;
    // A hint on the board: the cell it fills or corrects on a ground of its own, and the cells
    // that explain it on another.
    enum class HintCell : std::uint8_t { None, Target, Mistake, Reason };
    std::array<HintCell, 81> Hint{};  // cell column * 9 + row
};

class SudokuBoardPainter {
public:
    SudokuBoardPainter(const SudokuGame& game, const SudokuBoardView& view) : game_(game), view_(view) {}

    // The colour of a cell's block: colour A in the four corner blocks and the centre block,
    // B in the others, like a chessboard of blocks.
    static QColor BlockColour(int column, int row);

    // Paints a cell of the board: the digit the play state shows there and, when it shows
    // none, its marks; the ground of a hint's cell and the cursor's frame on the grid's current
    // cell, as the view shows them.
    void PaintCell(SudokuBoardGrid& grid, int column, int row, const QRect& rect, const SudokuCellLook& look) const;
    // Paints a cell of the hidden solution grid: the solution's digit.
    void PaintSolutionCell(SudokuBoardGrid& grid, int column, int row, const QRect& rect, bool selected) const;

private:
    void PaintDigit(SudokuBoardGrid& grid, int column, int row, const QRect& rect, std::int32_t digit,
                    const SudokuCellLook& look) const;
    // At fixed places: 1 top left, 9 bottom right.
    void PaintMarks(SudokuBoardGrid& grid, int column, int row, const QRect& rect, std::int32_t emphasised) const;

    void PaintCursor(SudokuBoardGrid& grid, const QRect& rect) const;
    QColor Ground(int column, int row, const SudokuCellLook& look) const;

    const SudokuGame& game_;
    const SudokuBoardView& view_;
};

}  // namespace vum
