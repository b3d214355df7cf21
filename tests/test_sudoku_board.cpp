// The Sudoku board and the digit picker: the cell colours, the picker beside the clicked
// cell, the flash of a picked digit, equal digits in white, and the mouse buttons and
// arrow keys on the grid. The window is shown offscreen, so that the board paints as it
// does on a screen.
#include <QScreen>

#include "SudokuUiSupport.h"

using namespace vum;

namespace {

// What the board shows on the screen now.
QImage Screen(SudokuBoardGrid& grid) { return grid.grab().toImage(); }

bool Shows(const QImage& image, const SudokuBoardGrid& grid, Cell cell, QRgb colour) {
    const QRect rect = grid.CellRect(cell.first, cell.second);
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == colour) return true;
    return false;
}

QRgb Background(const QImage& image, const SudokuBoardGrid& grid, Cell cell) {
    const QRect rect = grid.CellRect(cell.first, cell.second);
    return image.pixel(rect.left() + 1, rect.top() + 1) & 0xFFFFFF;
}

QRgb ExpectedBlock(Cell cell) {
    // Blocks alternate like a chessboard, colour A in the corners.
    return (cell.first / 3 + cell.second / 3) % 2 == 0 ? Rgb(sudoku_colours::BlockA) : Rgb(sudoku_colours::BlockB);
}

QPoint CellCentre(const SudokuBoardGrid& grid, Cell cell) { return grid.CellRect(cell.first, cell.second).center(); }

// An empty cell that is not the grid's current cell, so a left click selects it.
Cell EmptyCellAwayFromCurrent(const TForm1& form) {
    for (const Cell& cell : EmptyCells(form))
        if (cell != Cell{form.StringGrid1->Col(), form.StringGrid1->Row()}) return cell;
    ADD_FAILURE() << "no empty cell";
    return {0, 0};
}

// Cells other than skip whose text is digit.
std::vector<Cell> CellsWith(const TForm1& form, int digit, Cell skip) {
    std::vector<Cell> cells;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (Cell{c, r} != skip && ShownAt(form, {c, r}) == digit) cells.emplace_back(c, r);
    return cells;
}

void ExpectOnlyDigitWhite(const TForm1& form, const QImage& image, int digit, Cell selected) {
    const QRgb white = Rgb(sudoku_colours::HighlightedDigit);
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            const Cell cell{c, r};
            if (cell == selected) continue;
            const bool same = ShownAt(form, {c, r}) == digit;
            EXPECT_EQ(Shows(image, *form.StringGrid1, cell, white), same) << "cell " << c << "," << r;
            EXPECT_EQ(Background(image, *form.StringGrid1, cell), ExpectedBlock(cell)) << "cell " << c << "," << r;
        }
}

}  // namespace

TEST(SudokuBoard, BlocksFormAChessboardWithGivensInBlack) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    const QImage image = Screen(*form->StringGrid1);
    const QRgb black = Rgb(sudoku_colours::GivenDigit), blue = Rgb(sudoku_colours::EnteredDigit);
    EXPECT_EQ(ExpectedBlock({0, 0}), Rgb(0x009CC99C));
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            const Cell cell{c, r};
            EXPECT_EQ(SudokuBoardPainter::BlockColour(c, r).rgb() & 0xFFFFFF, ExpectedBlock(cell));
            // No cell is shown selected after a new puzzle.
            EXPECT_EQ(Background(image, *form->StringGrid1, cell), ExpectedBlock(cell)) << c << "," << r;
            const bool given = form->Game.Givens()[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] == 1;
            EXPECT_EQ(Shows(image, *form->StringGrid1, cell, black), given) << c << "," << r;
            EXPECT_FALSE(Shows(image, *form->StringGrid1, cell, blue));
        }
    // Grid lines of one pixel follow every cell; the border is two pixels wide.
    EXPECT_EQ(form->StringGrid1->CellRect(0, 0), QRect(2, 2, 35, 35));
    EXPECT_EQ(form->StringGrid1->CellRect(8, 8), QRect(290, 290, 35, 35));
    EXPECT_EQ(image.pixel(37, 20) & 0xFFFFFF, Rgb(sudoku_colours::GridLine));
}

TEST(SudokuBoard, ADigitIsCentredInItsCell) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    const QImage image = Screen(*form->StringGrid1);
    for (const Cell& cell : Givens(*form)) {
        const QRect rect = form->StringGrid1->CellRect(cell.first, cell.second);
        QRect ink;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != ExpectedBlock(cell)) ink |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink.isNull());
        EXPECT_NEAR(ink.center().x(), rect.center().x(), 3) << cell.first << "," << cell.second;
        EXPECT_NEAR(ink.center().y(), rect.center().y(), 4) << cell.first << "," << cell.second;
    }
}

TEST(SudokuBoard, AClickOnAnEmptyCellOpensThePickerBesideItAndAPickedDigitShowsBlue) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    SudokuBoardGrid& grid = *form->StringGrid1;
    const Cell cell = EmptyCellAwayFromCurrent(*form);
    // The grid redraws its old current cell plainly once the selection has moved, so a digit
    // that cell shows would lose its white there: pick one it does not show.
    const int digit = ShownAt(*form, {grid.Col(), grid.Row()}) == 7 ? 8 : 7;
    PickerScript pickers;
    QPoint pickerAt;
    QColor flashColour;
    std::vector<int> waits;
    pickers.act = [&](TInputDigitalDialog1& picker) {
        pickerAt = picker.pos();
        // While the picker is open the cell stands on the light background.
        EXPECT_EQ(Background(grid.Canvas(), grid, cell), Rgb(sudoku_colours::SelectedCell));
        GlyphButton* button = picker.Buttons[static_cast<std::size_t>(digit - 1)];
        Seams::wait = [&, button](int milliseconds) {
            waits.push_back(milliseconds);
            flashColour = button->FontColour();
        };
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(picker.DigitValue, digit);
        EXPECT_EQ(button->FontColour(), QColor(Qt::black));
    };
    QTest::mouseClick(&grid, Qt::LeftButton, {}, CellCentre(grid, cell));
    ASSERT_EQ(pickers.opened, 1);
    const QRect rect = grid.CellRect(cell.first, cell.second);
    EXPECT_EQ(pickerAt, grid.mapToGlobal(rect.topLeft()) + QPoint(rect.width(), 0));
    EXPECT_EQ(waits, std::vector<int>{TInputDigitalDialog1::FlashMilliseconds});
    EXPECT_EQ(flashColour, WinColour(sudoku_colours::EnteredDigit));

    EXPECT_EQ(Player(*form, cell), digit);
    EXPECT_EQ(ShownAt(*form, cell), digit);
    EXPECT_TRUE(form->CancelButton1->isEnabled());
    EXPECT_EQ(grid.Col(), cell.first);
    EXPECT_EQ(grid.Row(), cell.second);
    const QImage image = Screen(grid);
    EXPECT_TRUE(Shows(image, grid, cell, Rgb(sudoku_colours::EnteredDigit)));
    EXPECT_EQ(Background(image, grid, cell), Rgb(sudoku_colours::SelectedCell));
    ExpectOnlyDigitWhite(*form, image, digit, cell);
}

TEST(SudokuBoard, AClickOnAGivenOpensNoPickerAndLightsUpItsDigit) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    SudokuBoardGrid& grid = *form->StringGrid1;
    // A given whose digit stands elsewhere too.
    Cell given{-1, -1};
    for (const Cell& cell : Givens(*form))
        if (cell != Cell{grid.Col(), grid.Row()} && !CellsWith(*form, Solution(*form, cell), cell).empty()) {
            given = cell;
            break;
        }
    ASSERT_NE(given.first, -1);
    PickerScript pickers;
    QTest::mouseClick(&grid, Qt::LeftButton, {}, CellCentre(grid, given));
    EXPECT_EQ(pickers.opened, 0);
    EXPECT_EQ(grid.Col(), given.first);
    EXPECT_EQ(grid.Row(), given.second);
    const QImage image = Screen(grid);
    ExpectOnlyDigitWhite(*form, image, Solution(*form, given), given);
    EXPECT_FALSE(Shows(image, grid, given, Rgb(sudoku_colours::HighlightedDigit)));
    EXPECT_TRUE(Shows(image, grid, given, Rgb(sudoku_colours::GivenDigit)));
}

TEST(SudokuBoard, LeftAndRightClicksOpenThePickerAlsoOnTheCurrentCellMiddleClickDoesNothing) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    SudokuBoardGrid& grid = *form->StringGrid1;
    const Cell cell = EmptyCellAwayFromCurrent(*form);
    PickerScript pickers;
    pickers.act = [](TInputDigitalDialog1& picker) { QTest::keyClick(&picker, Qt::Key_Escape); };

    QTest::mouseClick(&grid, Qt::LeftButton, {}, CellCentre(grid, cell));
    EXPECT_EQ(pickers.opened, 1);
    // A left click on the current cell opens it again, as a right click does.
    QTest::mouseClick(&grid, Qt::LeftButton, {}, CellCentre(grid, cell));
    EXPECT_EQ(pickers.opened, 2);
    QTest::mouseClick(&grid, Qt::RightButton, {}, CellCentre(grid, cell));
    EXPECT_EQ(pickers.opened, 3);

    // The middle button neither selects nor opens anything.
    const Cell other = Givens(*form).front();
    QTest::mouseClick(&grid, Qt::MiddleButton, {}, CellCentre(grid, other));
    EXPECT_EQ(pickers.opened, 3);
    EXPECT_EQ(grid.Col(), cell.first);
    EXPECT_EQ(grid.Row(), cell.second);

    // A right click on a given selects it without a picker; one on the border does nothing.
    QTest::mouseClick(&grid, Qt::RightButton, {}, CellCentre(grid, other));
    EXPECT_EQ(pickers.opened, 3);
    EXPECT_EQ(grid.Col(), other.first);
    EXPECT_EQ(grid.Row(), other.second);
    QTest::mouseClick(&grid, Qt::RightButton, {}, QPoint(327, 327));
    EXPECT_EQ(grid.Col(), other.first);
    EXPECT_EQ(pickers.opened, 3);
}

TEST(SudokuBoard, ArrowKeysMoveTheSelectionThroughTheSelectHandler) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    SudokuBoardGrid& grid = *form->StringGrid1;
    PickerScript pickers;
    pickers.act = [](TInputDigitalDialog1& picker) { QTest::keyClick(&picker, Qt::Key_Escape); };
    // From the top-left corner: left and up stay, right and down move.
    bool canSelect = true;
    form->StringGrid1SelectCell(0, 0, canSelect);
    const int opened = pickers.opened;
    QTest::keyClick(&grid, Qt::Key_Left);
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(pickers.opened, opened);
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.Row(), 0);

    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.Col(), 1);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 1);
    const int empties = (Player(*form, {1, 0}) == -1) + (Player(*form, {1, 1}) == -1);
    EXPECT_EQ(pickers.opened, opened + empties);
}

TEST(SudokuPicker, OpensBesideTheCellOrAboveItNearTheBottomOfTheScreen) {
    struct Case {
        QRect cell;
        int frame;
        QPoint expected;
    };
    const QRect screen(0, 0, 1280, 1024);
    const Case cases[] = {
        {{100, 200, 35, 35}, 0, {135, 200}},
        // 836 + 148 + 40 = 1024: still below.
        {{100, 836, 35, 35}, 0, {135, 836}},
        {{100, 837, 35, 35}, 0, {135, 837 - 148}},
        // A window frame of 20 pixels counts with the picker's height.
        {{100, 817, 35, 35}, 20, {135, 817 - 168}},
        {{100, 816, 35, 35}, 20, {135, 816}},
    };
    for (const Case& test : cases) {
        TInputDigitalDialog1 picker(nullptr);
        picker.PlaceBeside(test.cell, screen, test.frame);
        EXPECT_EQ(picker.pos(), test.expected) << test.cell.top();
    }
    // A second screen below the first: its own bottom counts.
    TInputDigitalDialog1 picker(nullptr);
    picker.PlaceBeside({100, 1800, 35, 35}, QRect(0, 1024, 1280, 1024), 0);
    EXPECT_EQ(picker.pos(), QPoint(135, 1800));
}

TEST(SudokuPicker, NearTheBottomOfTheScreenTheWindowOpensItAboveTheCell) {
    SudokuFolder folder;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // The board ends 10 pixels above the screen's bottom: its top rows have room below
    // them for the picker, its bottom rows have not.
    const auto form = ShownGame(folder, {20, screen.top() + screen.height() - 10 - 4 - 328});
    SudokuBoardGrid& grid = *form->StringGrid1;
    PickerScript pickers;
    QPoint place;
    pickers.act = [&](TInputDigitalDialog1& picker) {
        place = picker.pos();
        QTest::keyClick(&picker, Qt::Key_Escape);
    };
    int below = 0, above = 0;
    for (const Cell& cell : EmptyCells(*form)) {
        if (cell.second > 1 && cell.second < 7) continue;
        bool canSelect = true;
        form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
        const QPoint corner = grid.mapToGlobal(grid.CellRect(cell.first, cell.second).topLeft());
        // The picker's frame is taken to be as high as the main window's.
        const int height = TInputDigitalDialog1::ClientHeight + form->frameGeometry().height() - form->height();
        const bool room = corner.y() + height + 40 <= screen.top() + screen.height();
        EXPECT_EQ(place.x(), corner.x() + 35);
        EXPECT_EQ(place.y(), room ? corner.y() : corner.y() - height);
        (room ? below : above) += 1;
        EXPECT_EQ(room, cell.second <= 1);
    }
    EXPECT_GT(below, 0);
    EXPECT_GT(above, 0);
}
