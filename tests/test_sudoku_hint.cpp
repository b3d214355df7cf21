// The hint in the Sudoku window: a mistake first, else a step, with the cells lit and the
// notice beside the board; the second H takes it, any other key or a click only closes it.
#include <QLabel>

#include "SudokuUiSupport.h"
#include "sudoku/SudokuHintNotice.h"

using namespace vum;

namespace {

using Hint = SudokuBoardView::HintCell;

QRgb GroundOf(TForm1& form, Cell cell) {
    form.StringGrid1->Repaint();
    const QRect rect = form.StringGrid1->CellRect(cell.first, cell.second);
    return form.StringGrid1->grab().toImage().pixel(rect.left() + 3, rect.bottom() - 3) & 0xFFFFFF;
}

Hint HintAt(const TForm1& form, Cell cell) {
    return form.BoardView.Hint[static_cast<std::size_t>(cell.first * 9 + cell.second)];
}

std::vector<Cell> CellsLit(const TForm1& form, Hint kind) {
    std::vector<Cell> cells;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (HintAt(form, {c, r}) == kind) cells.emplace_back(c, r);
    return cells;
}

}  // namespace

TEST(SudokuHint, AMistakeComesFirstAndTheSecondHCorrectsIt) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    PickerScript pickers;
    const Cell wrong = EmptyCells(*form)[5];
    Enter(*form, pickers, wrong, WrongDigit(*form, wrong));
    QTest::keyClick(form->StringGrid1, Qt::Key_H);
    ASSERT_TRUE(form->HintShown());
    EXPECT_TRUE(form->HintNotice1->TextLabel->text().startsWith(QStringLiteral("Здесь ошибка")));
    EXPECT_EQ(CellsLit(*form, Hint::Mistake), std::vector<Cell>{wrong});
    EXPECT_EQ(GroundOf(*form, wrong), Rgb(sudoku_colours::HintMistake));
    // The notice stands right of the board, never over it.
    EXPECT_GE(form->HintNotice1->x(), form->StringGrid1->geometry().right());
    EXPECT_LE(form->HintNotice1->geometry().right(), form->width());

    QTest::keyClick(form->StringGrid1, Qt::Key_H);
    EXPECT_FALSE(form->HintShown());
    EXPECT_EQ(Player(*form, wrong), Solution(*form, wrong));
    EXPECT_EQ(form->Game.UndoHistory().size(), 2u) << "an ordinary, undoable entry";
    EXPECT_TRUE(CellsLit(*form, Hint::Mistake).empty());
    EXPECT_EQ(SudokuStatistics::Read(folder.File(StatisticsName)).Of(1).Hints, 1);
}

TEST(SudokuHint, AStepLightsItsCellsAndAnythingButHClosesItChangingNothing) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    const SudokuGame before = form->Game;
    const auto ask = [&] {
        QTest::keyClick(form->StringGrid1, Qt::Key_H);
        ASSERT_TRUE(form->HintShown());
    };
    ask();
    const std::vector<Cell> target = CellsLit(*form, Hint::Target);
    ASSERT_EQ(target.size(), 1u);
    EXPECT_FALSE(CellsLit(*form, Hint::Reason).empty()) << "the cells that explain it";
    EXPECT_EQ(GroundOf(*form, target[0]), Rgb(sudoku_colours::HintTarget));
    EXPECT_FALSE(form->HintNotice1->TextLabel->text().isEmpty());

    // Another key, a click: the notice goes, and the key or click does nothing else.
    PickerScript pickers;  // a picker would fail the test: none may open
    pickers.act = [](TInputDigitalDialog1&) { ADD_FAILURE() << "a picker opened"; };
    QTest::keyClick(form->StringGrid1, Qt::Key_Space);
    EXPECT_FALSE(form->HintShown());
    ask();
    QTest::mouseClick(form->StringGrid1, Qt::LeftButton, {},
                      form->StringGrid1->CellRect(target[0].first, target[0].second).center());
    EXPECT_FALSE(form->HintShown());
    EXPECT_EQ(pickers.opened, 0);
    EXPECT_EQ(form->Game.Position(), before.Position());
    EXPECT_TRUE(CellsLit(*form, Hint::Target).empty());
    EXPECT_NE(GroundOf(*form, target[0]), Rgb(sudoku_colours::HintTarget));

    ask();
    QTest::keyClick(form->StringGrid1, Qt::Key_H);
    EXPECT_EQ(Player(*form, target[0]), Solution(*form, target[0]));
    QTest::keyClick(form->StringGrid1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Game.Position(), before.Position());
    EXPECT_EQ(SudokuStatistics::Read(folder.File(StatisticsName)).Of(1).Hints, 3);
}
