// Pencil marks in the Sudoku window: the picker sets and clears them and stays open, the board
// draws them at their places and in their colours, and they take an undo step.
#include "SudokuUiSupport.h"

namespace {

// What is drawn at the place of a mark inside a cell: how many pixels differ from the cell's
// background, and whether they lean to blue (an emphasised mark) or not (the grey of a mark).
struct Ink {
    int Pixels = 0;
    bool Blue = false;
};

Ink MarkInk(const QImage& board, const SudokuBoardGrid& grid, Cell cell, int digit) {
    const QRect rect = grid.CellRect(cell.first, cell.second);
    const QRect place(rect.left() + 1 + (digit - 1) % 3 * 11, rect.top() + 1 + (digit - 1) / 3 * 11, 11, 11);
    const QColor background = board.pixelColor(rect.topLeft());
    Ink ink;
    int blueOverGreen = 0;
    for (int y = place.top(); y <= place.bottom(); ++y)
        for (int x = place.left(); x <= place.right(); ++x) {
            const QColor colour = board.pixelColor(x, y);
            if (colour == background) continue;
            ++ink.Pixels;
            blueOverGreen += colour.blue() - colour.green();
        }
    ink.Blue = ink.Pixels > 0 && blueOverGreen / ink.Pixels > 40;
    return ink;
}

QImage Board(TForm1& form) { return form.StringGrid1->grab().toImage(); }

// Whether a cell looks as it would without the mark of digit: the mark taken away for a look
// and given back.
bool LooksUnmarked(TForm1& form, Cell cell, int digit) {
    SudokuBoardGrid& grid = *form.StringGrid1;
    const QRect rect = grid.CellRect(cell.first, cell.second);
    grid.Repaint();
    const QImage marked = Board(form).copy(rect);
    form.Game.ToggleMark(cell.first, cell.second, digit);
    grid.Repaint();
    const QImage unmarked = Board(form).copy(rect);
    form.Game.Undo();
    grid.Repaint();
    return marked == unmarked;
}

}  // namespace

TEST(SudokuMarks, RightClicksAndCtrlKeysInThePickerSetAndClearMarksAndKeepItOpen) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    const Cell cell = EmptyCells(*form).front();
    PickerScript pickers;
    pickers.act = [&](TInputDigitalDialog1& picker) {
        QTest::mouseClick(picker.SpeedButton3, Qt::RightButton);
        QTest::mouseClick(picker.SpeedButton8, Qt::RightButton);
        QTest::keyClick(&picker, Qt::Key_5, Qt::ControlModifier);
        QTest::keyClick(&picker, Qt::Key_8, Qt::ControlModifier | Qt::KeypadModifier);  // 8 off again
        EXPECT_TRUE(picker.isVisible());
        EXPECT_EQ(picker.result(), 0) << "a mark closes nothing";
        // The cell, still selected, shows its marks at once.
        const QImage board = form->StringGrid1->Canvas();
        EXPECT_GT(MarkInk(board, *form->StringGrid1, cell, 3).Pixels, 0);
        EXPECT_EQ(MarkInk(board, *form->StringGrid1, cell, 8).Pixels, 0);
        QTest::keyClick(&picker, Qt::Key_Escape);
    };
    bool canSelect = true;
    form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
    EXPECT_EQ(form->Game.MarksOf(cell.first, cell.second), (1 << 2) | (1 << 4));
    EXPECT_EQ(Player(*form, cell), -1);
    EXPECT_TRUE(form->CancelButton1->isEnabled()) << "marks are undo steps";

    pickers.act = [&](TInputDigitalDialog1& picker) {
        QTest::mouseClick(picker.SpeedButton10, Qt::RightButton);
        EXPECT_EQ(form->Game.MarksOf(cell.first, cell.second), 0);
        QTest::mouseClick(picker.SpeedButton2, Qt::RightButton);
        QTest::keyClick(&picker, Qt::Key_Minus, Qt::ControlModifier);
        EXPECT_TRUE(picker.isVisible());
        QTest::keyClick(&picker, Qt::Key_Escape);
    };
    form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
    EXPECT_EQ(form->Game.MarksOf(cell.first, cell.second), 0);
    EXPECT_EQ(form->Game.UndoHistory().size(), 7u);
    form->CancelButton1Click();
    EXPECT_EQ(form->Game.MarksOf(cell.first, cell.second), 1 << 1);
}

TEST(SudokuMarks, TheBoardDrawsThemInEmptyCellsOnlyAndEmphasisesTheSelectedDigit) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    SudokuBoardGrid& grid = *form->StringGrid1;
    const auto empty = EmptyCells(*form);
    // A given whose digit is marked in an empty cell.
    const Cell given = Givens(*form).front();
    const int digit = Solution(*form, given);
    const Cell marked = empty[0], filled = empty[1];
    form->Game.ToggleMark(marked.first, marked.second, digit);
    form->Game.ToggleMark(filled.first, filled.second, digit);
    PickerScript pickers;
    Enter(*form, pickers, filled, WrongDigit(*form, filled) == digit ? digit % 9 + 1 : WrongDigit(*form, filled));
    grid.Repaint();
    QImage board = Board(*form);
    EXPECT_GT(MarkInk(board, grid, marked, digit).Pixels, 0);
    EXPECT_FALSE(MarkInk(board, grid, marked, digit).Blue);
    EXPECT_FALSE(LooksUnmarked(*form, marked, digit));
    EXPECT_TRUE(LooksUnmarked(*form, filled, digit)) << "a cell with a digit shows no marks";

    // Selecting the given lights up its digit elsewhere, the marks of it in blue.
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.CellRect(given.first, given.second).center());
    board = Board(*form);
    EXPECT_GT(MarkInk(board, grid, marked, digit).Pixels, 0);
    EXPECT_TRUE(MarkInk(board, grid, marked, digit).Blue);

    // The solution hides the marks; an undo brings them back.
    {
        QuestionScript yes(QMessageBox::Yes);
        form->SolutionGameButton1Click();
    }
    EXPECT_TRUE(LooksUnmarked(*form, marked, digit)) << "the solution's digit, not the mark";
    form->CancelButton1Click();
    grid.Repaint();
    EXPECT_GT(MarkInk(Board(*form), grid, marked, digit).Pixels, 0);
}
