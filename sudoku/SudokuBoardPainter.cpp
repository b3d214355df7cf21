#include "sudoku/SudokuBoardPainter.h"

#include <QFont>
#include <QString>

#include "gui/Fonts.h"
#include "gui/WinLook.h"
#include "sudoku/SudokuBoardGrid.h"
#include "sudoku/SudokuLook.h"
#include "sudoku/engine/SudokuGame.h"

namespace vum {

namespace {

QString DigitText(std::int32_t digit) { return digit >= 1 && digit <= 9 ? QString::number(digit) : QString(); }

}  // namespace

QColor SudokuBoardPainter::BlockColour(int column, int row) {
    const auto outer = [](int x) { return (x >= 0 && x <= 2) || (x >= 6 && x <= 8); };
    const auto centre = [](int x) { return x >= 3 && x <= 5; };
    const bool a = (outer(column) && outer(row)) || (centre(column) && centre(row));
    return WinColour(a ? sudoku_colours::BlockA : sudoku_colours::BlockB);
}

void SudokuBoardPainter::PaintCell(SudokuBoardGrid& grid, int column, int row, const QRect& rect,
                                   const SudokuCellLook& look) const {
    const std::int32_t digit = game_.Shown(column, row);
    PaintDigit(grid, column, row, rect, digit, look);
    if (digit < 1) PaintMarks(grid, column, row, rect, look.EmphasisedMark);
    if (view_.CursorShown && column == grid.Col() && row == grid.Row()) PaintCursor(grid, rect);
}

void SudokuBoardPainter::PaintCursor(SudokuBoardGrid& grid, const QRect& rect) const {
    // Two pixels wide, one pixel inside the cell: dark on every ground a cell can have.
    constexpr int Width = 2;
    const QRect frame = rect.adjusted(1, 1, -1, -1);
    const QColor colour = WinColour(sudoku_colours::Cursor);
    grid.FillRect({frame.left(), frame.top(), frame.width(), Width}, colour);
    grid.FillRect({frame.left(), frame.bottom() - Width + 1, frame.width(), Width}, colour);
    grid.FillRect({frame.left(), frame.top(), Width, frame.height()}, colour);
    grid.FillRect({frame.right() - Width + 1, frame.top(), Width, frame.height()}, colour);
}

void SudokuBoardPainter::PaintSolutionCell(SudokuBoardGrid& grid, int column, int row, const QRect& rect,
                                           bool selected) const {
    PaintDigit(grid, column, row, rect, game_.Solution()[column][row], {.Selected = selected});
}

void SudokuBoardPainter::PaintDigit(SudokuBoardGrid& grid, int column, int row, const QRect& rect,
                                    std::int32_t digit, const SudokuCellLook& look) const {
    const QString text = DigitText(digit);
    const int x = rect.left() + rect.width() / 2 - grid.TextWidth(text) / 2;
    const int y = rect.top() + rect.height() / 2 - grid.TextHeight(text) / 2;
    grid.FillRect(rect, Ground(column, row, look));
    const std::uint32_t colour = look.SameDigit           ? sudoku_colours::HighlightedDigit
                                 : game_.IsGiven(column, row) ? sudoku_colours::GivenDigit
                                                              : sudoku_colours::EnteredDigit;
    grid.TextOut(x, y, text, WinColour(colour));
}

QColor SudokuBoardPainter::Ground(int column, int row, const SudokuCellLook& look) const {
    using Hint = SudokuBoardView::HintCell;
    switch (view_.Hint[static_cast<std::size_t>(column * 9 + row)]) {
        case Hint::Target: return WinColour(sudoku_colours::HintTarget);
        case Hint::Mistake: return WinColour(sudoku_colours::HintMistake);
        case Hint::Reason: return WinColour(sudoku_colours::HintReason);
        case Hint::None: break;
    }
    return look.Selected ? WinColour(sudoku_colours::SelectedCell) : BlockColour(column, row);
}

void SudokuBoardPainter::PaintMarks(SudokuBoardGrid& grid, int column, int row, const QRect& rect,
                                    std::int32_t emphasised) const {
    const std::uint16_t marks = game_.MarksOf(column, row);
    if (marks == 0) return;
    static const QFont font = PixelFont(QStringLiteral("Arial"), 10);
    static const QFont bold = PixelFont(QStringLiteral("Arial"), 10, true);
    // Three by three places of 11 pixels inside the 35-pixel cell, one pixel from its edges.
    constexpr int Place = 11;
    for (int digit = 1; digit <= 9; ++digit) {
        if ((marks & (1u << (digit - 1))) == 0) continue;
        const QRect place(rect.left() + 1 + (digit - 1) % 3 * Place, rect.top() + 1 + (digit - 1) / 3 * Place, Place,
                          Place);
        const bool strong = digit == emphasised;
        grid.TextIn(place, QString::number(digit),
                    WinColour(strong ? sudoku_colours::EmphasisedMark : sudoku_colours::Mark), strong ? bold : font);
    }
}

}  // namespace vum
