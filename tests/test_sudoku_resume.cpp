// The Sudoku window keeps its puzzle and plays from the keyboard: the saved game after every
// change and at the next start, the picker's keys, Ctrl+Z, the current cell and the wheel.
#include <QComboBox>
#include <QWheelEvent>

#include "SudokuUiSupport.h"
#include "common/WRandom.h"
#include "sudoku/engine/SudokuSave.h"

namespace {

std::string SavedPath(const SudokuFolder& folder) { return folder.File(SavedGameName); }

// The saved game must be the window's play state as it stands, once the window has had its
// turn to write it.
void ExpectSaved(const SudokuFolder& folder, const TForm1& form) {
    QCoreApplication::sendPostedEvents();
    const auto saved = ReadSavedGame(SavedPath(folder));
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(SavedGameText(*saved), SavedGameText(form.Game));
}

// A press of key on the picker, as the keyboard gives it.
void Press(TInputDigitalDialog1& picker, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(&picker, key, modifiers);
}

}  // namespace

TEST(SudokuSavedGame, EveryChangeOfTheBoardIsSaved) {
    SudokuFolder folder;
    NoticeWatcher notices;
    const auto form = StartGame(folder);
    ExpectSaved(folder, *form);  // the new puzzle
    PickerScript pickers;
    const auto empty = EmptyCells(*form);
    Enter(*form, pickers, empty[0], WrongDigit(*form, empty[0]));
    ExpectSaved(folder, *form);
    Enter(*form, pickers, empty[1], 0);  // "-"
    ExpectSaved(folder, *form);
    form->CancelButton1Click();
    ExpectSaved(folder, *form);
    {
        QuestionScript yes(QMessageBox::Yes);
        form->SolutionGameButton1Click();
        ExpectSaved(folder, *form);
        form->RestartGameButton1Click();
        ExpectSaved(folder, *form);
    }
    form->ComboBox1->setCurrentIndex(0);
    ExpectSaved(folder, *form);
    EXPECT_EQ(ReadSavedGame(SavedPath(folder))->Level(), 0);
}

TEST(SudokuSavedGame, TheNextStartResumesTheUnfinishedPuzzleWithItsHistoryAndNoNotice) {
    SudokuFolder folder;
    folder.WriteLevel(2);
    folder.Count(2, 4);
    std::string before;
    {
        const auto form = StartGame(folder);
        PickerScript pickers;
        const auto empty = EmptyCells(*form);
        for (std::size_t i = 0; i < 3; ++i) Enter(*form, pickers, empty[i], WrongDigit(*form, empty[i]));
        QuestionScript yes(QMessageBox::Yes);
        form->SolutionGameButton1Click();
        before = SavedGameText(form->Game);
        // No close: the program ends as if killed.
    }
    NoticeWatcher notices;
    const auto form = StartGame(folder);
    EXPECT_TRUE(notices.captions.empty()) << "a resumed puzzle is not made";
    EXPECT_EQ(SavedGameText(form->Game), before);
    EXPECT_EQ(form->ComboBox1->currentIndex(), 2);
    EXPECT_EQ(form->Game.GivenCount(), 28);
    EXPECT_EQ(form->LevelCountPanel1->Caption(), "Решено: 4");
    EXPECT_TRUE(form->CancelButton1->isEnabled());
    // The board shows what the game showed, the solution included.
    EXPECT_EQ(ShownDigits(*form), SolutionDigits(*form));
    for (int undo = 0; undo < 3; ++undo) QTest::mouseClick(form->CancelButton1, Qt::LeftButton);
    EXPECT_FALSE(form->CancelButton1->isEnabled());
    EXPECT_EQ(EmptyCells(*form).size(), 81u - 28u);
}

TEST(SudokuSavedGame, ASolvedAnotherLevelsOrDamagedSaveGivesANewPuzzleAndIsReplaced) {
    const auto solvedGame = [] {
        SudokuGame game;
        game.SetLevel(1);
        WRandom random(3);
        game.NewPuzzle(random);
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r)
                if (!game.IsGiven(c, r)) game.Enter(c, r, game.Solution()[c][r]);
        return SavedGameText(game);
    };
    SudokuGame levelZero;
    levelZero.SetLevel(0);
    WRandom random(4);
    levelZero.NewPuzzle(random);
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"solved", solvedGame()},
        {"another level", SavedGameText(levelZero)},
        {"damaged", SavedGameText(levelZero).substr(0, 100)},
        {"empty", ""},
    };
    for (const auto& [what, text] : cases) {
        SCOPED_TRACE(what);
        SudokuFolder folder;
        TestFolder::Write(SavedPath(folder), text);
        NoticeWatcher notices;
        const auto form = StartGame(folder);
        EXPECT_EQ(notices.captions, std::vector<QString>{MakingCaption});
        EXPECT_EQ(form->ComboBox1->currentIndex(), 1);
        EXPECT_FALSE(form->Game.Solved());
        ExpectSaved(folder, *form);
    }
}

TEST(SudokuPickerKeys, DigitsPickWithTheFlashAndTheClearKeysClear) {
    SudokuFolder folder;
    const auto form = StartGame(folder);
    const Cell cell = EmptyCells(*form).front();
    PickerScript pickers;
    std::vector<int> waits;
    Seams::wait = [&](int milliseconds) { waits.push_back(milliseconds); };
    const auto select = [&] {
        bool canSelect = true;
        form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
    };
    for (const auto& [key, modifiers, digit] : std::vector<std::tuple<Qt::Key, Qt::KeyboardModifiers, int>>{
             {Qt::Key_4, {}, 4}, {Qt::Key_9, Qt::KeypadModifier, 9}, {Qt::Key_1, {}, 1}}) {
        pickers.act = [&](TInputDigitalDialog1& picker) { Press(picker, key, modifiers); };
        select();
        EXPECT_EQ(Player(*form, cell), digit);
        EXPECT_EQ(waits.back(), TInputDigitalDialog1::FlashMilliseconds);
    }
    EXPECT_EQ(form->Game.UndoHistory().size(), 3u);
    for (const auto& [key, modifiers] : std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>{
             {Qt::Key_0, {}}, {Qt::Key_0, Qt::KeypadModifier}, {Qt::Key_Delete, {}}, {Qt::Key_Backspace, {}},
             {Qt::Key_Minus, {}}, {Qt::Key_Minus, Qt::KeypadModifier}}) {
        form->Game.Enter(cell.first, cell.second, 5);
        pickers.act = [&](TInputDigitalDialog1& picker) { Press(picker, key, modifiers); };
        const std::size_t steps = form->Game.UndoHistory().size();
        select();
        EXPECT_EQ(Player(*form, cell), -1) << key;
        EXPECT_EQ(form->Game.UndoHistory().size(), steps) << "a clear takes no undo step";
    }
    // Other keys do nothing; Escape still cancels.
    form->Game.Enter(cell.first, cell.second, 5);
    pickers.act = [&](TInputDigitalDialog1& picker) {
        Press(picker, Qt::Key_A);
        Press(picker, Qt::Key_Return);
        EXPECT_TRUE(picker.isVisible());
        Press(picker, Qt::Key_Escape);
        EXPECT_EQ(picker.result(), QDialog::Rejected);
    };
    select();
    EXPECT_EQ(Player(*form, cell), 5);
}

TEST(SudokuPickerKeys, AnArrowCancelsThePickerAndMovesOnWhichOpensTheNextOne) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    SudokuBoardGrid& grid = *form->StringGrid1;
    // An empty cell with an empty cell to its right, and a given below one of them.
    Cell from{-1, -1};
    for (const Cell& cell : EmptyCells(*form))
        if (cell.first < 8 && Player(*form, {cell.first + 1, cell.second}) == -1) {
            from = cell;
            break;
        }
    ASSERT_NE(from.first, -1);
    PickerScript pickers;
    std::vector<Cell> opened;
    pickers.act = [&](TInputDigitalDialog1& picker) {
        opened.emplace_back(grid.Col(), grid.Row());
        if (opened.size() == 1) Press(picker, Qt::Key_Right);
        else Press(picker, Qt::Key_Escape);
    };
    bool canSelect = true;
    form->StringGrid1SelectCell(from.first, from.second, canSelect);
    EXPECT_EQ(Player(*form, from), -1) << "the arrow entered nothing";
    QApplication::processEvents();
    EXPECT_EQ(opened, (std::vector<Cell>{from, {from.first + 1, from.second}}));
    EXPECT_EQ(grid.Col(), from.first + 1);

    // Onto a given: no picker opens there.
    Cell given{-1, -1};
    for (const Cell& cell : Givens(*form))
        if (cell.first > 0 && !form->Game.IsGiven(cell.first - 1, cell.second)) {
            given = cell;
            break;
        }
    ASSERT_NE(given.first, -1);
    opened.clear();
    pickers.act = [&](TInputDigitalDialog1& picker) {
        opened.emplace_back(grid.Col(), grid.Row());
        Press(picker, Qt::Key_Right);
    };
    form->StringGrid1SelectCell(given.first - 1, given.second, canSelect);
    QApplication::processEvents();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ((Cell{grid.Col(), grid.Row()}), given);
}

TEST(SudokuKeys, CtrlZUndoesOnlyWhileThereIsSomethingToUndo) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    PickerScript pickers;
    const auto empty = EmptyCells(*form);
    const auto start = form->Game.Position().Board;
    QTest::keyClick(form->StringGrid1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Game.Position().Board, start);
    Enter(*form, pickers, empty[0], 2);
    Enter(*form, pickers, empty[1], 3);
    QTest::keyClick(form->StringGrid1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Player(*form, empty[1]), -1);
    EXPECT_EQ(Player(*form, empty[0]), 2);
    // The key of Z in the Russian layout is the same key.
    QKeyEvent ya(QEvent::KeyPress, u'Я', Qt::ControlModifier, QStringLiteral("\x19"));
    QApplication::sendEvent(form->StringGrid1, &ya);
    EXPECT_EQ(form->Game.Position().Board, start);
    EXPECT_FALSE(form->CancelButton1->isEnabled());
    // Z without Ctrl is nothing.
    Enter(*form, pickers, empty[0], 2);
    QTest::keyClick(form->StringGrid1, Qt::Key_Z);
    EXPECT_EQ(Player(*form, empty[0]), 2);
}

TEST(SudokuBoard, AfterANewPuzzleOrARestartALeftClickOnTheCurrentCellOpensThePicker) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    SudokuBoardGrid& grid = *form->StringGrid1;
    PickerScript pickers;
    pickers.act = [](TInputDigitalDialog1& picker) { QTest::keyClick(&picker, Qt::Key_Escape); };
    const Cell cell = EmptyCells(*form).back();
    bool canSelect = true;
    form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
    {
        QuestionScript yes(QMessageBox::Yes);
        form->RestartGameButton1Click();
    }
    const int opened = pickers.opened;
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.CellRect(cell.first, cell.second).center());
    EXPECT_EQ(pickers.opened, opened + 1);
}

TEST(SudokuLevel, AWheelOverTheLevelListChangesItOnlyWhileItHasTheFocus) {
    SudokuFolder folder;
    NoticeWatcher notices;
    const auto form = ShownGame(folder);
    const auto puzzle = form->Game.Solution();
    const auto wheel = [&](int delta) {
        const QPointF at(20, 10);
        QWheelEvent event(at, form->ComboBox1->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->ComboBox1, &event);
    };
    form->StringGrid1->setFocus();
    wheel(-120);
    wheel(120);
    EXPECT_EQ(form->ComboBox1->currentIndex(), 1);
    EXPECT_EQ(form->Game.Solution(), puzzle);
    EXPECT_EQ(notices.captions.size(), 1u);
    form->ComboBox1->setFocus();
    wheel(-120);
    EXPECT_EQ(form->ComboBox1->currentIndex(), 2);
    EXPECT_EQ(form->Game.GivenCount(), 28);
}
