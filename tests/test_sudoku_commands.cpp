// The Sudoku window's commands and keys: every command reached by its key as by its button,
// with the same question and the same enabled state; the keyboard cursor and the board's keys;
// input kept through the picker's flash; a game kept per level; puzzles copied and pasted.
#include <QClipboard>
#include <QComboBox>
#include <QTimer>

#include "SudokuUiSupport.h"
#include "sudoku/engine/SudokuPuzzleText.h"
#include "sudoku/engine/SudokuSave.h"

using namespace vum;

namespace {

void Key(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(&widget, key, modifiers);
}

// An empty cell whose right neighbour is empty too.
Cell EmptyPair(const TForm1& form) {
    for (const Cell& cell : EmptyCells(form))
        if (cell.first < 8 && Player(form, {cell.first + 1, cell.second}) == -1) return cell;
    ADD_FAILURE() << "no two empty cells side by side";
    return {0, 0};
}

// Makes cell the grid's current cell without a picker.
void MoveTo(TForm1& form, Cell cell) {
    PickerScript pickers;
    pickers.act = [](TInputDigitalDialog1& picker) { QTest::keyClick(&picker, Qt::Key_Escape); };
    bool canSelect = true;
    form.StringGrid1SelectCell(cell.first, cell.second, canSelect);
}

// Whether the cell shows the cursor's frame: its second pixel row is the cursor's colour.
bool ShowsCursor(TForm1& form, Cell cell) {
    form.StringGrid1->Repaint();
    const QImage image = form.StringGrid1->grab().toImage();
    const QRect rect = form.StringGrid1->CellRect(cell.first, cell.second);
    return (image.pixel(rect.center().x(), rect.top() + 1) & 0xFFFFFF) == Rgb(sudoku_colours::Cursor);
}

}  // namespace

TEST(SudokuCommands, EachKeyAsksWhatItsButtonAsksAndADisabledButtonsKeyDoesNothing) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    PickerScript pickers;
    Enter(*form, pickers, EmptyCells(*form).front(), 3);
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        GlyphButton* button;
        QString question;
        QString keyText;
    };
    const std::vector<Case> cases = {
        {Qt::Key_N, Qt::ControlModifier, form->NewFameButton1, QStringLiteral("Начать новую игру?"), "Ctrl+N"},
        {Qt::Key_F5, {}, form->RestartGameButton1, QStringLiteral("Начать игру заново?"), "F5"},
        {Qt::Key_F9, {}, form->SolutionGameButton1, QStringLiteral("Показать решение?"), "F9"},
    };
    for (const Case& c : cases) {
        QuestionScript no(QMessageBox::No);
        Key(*form->StringGrid1, c.key, c.modifiers);
        QTest::mouseClick(c.button, Qt::LeftButton);
        ASSERT_EQ(no.asked.size(), 2u) << c.question.toStdString();
        EXPECT_EQ(no.asked[0], no.asked[1]);
        EXPECT_EQ(no.asked[0].second, c.question);
        EXPECT_EQ(no.asked[0].first, form->AppTitle);
        EXPECT_EQ(c.button->toolTip(), c.button->text() + QStringLiteral(" — ") + c.keyText);
    }
    // Undo, and its key on the Russian layout; a second press finds the button disabled.
    QKeyEvent ya(QEvent::KeyPress, u'Я', Qt::ControlModifier, QStringLiteral("\x19"));
    QApplication::sendEvent(form->StringGrid1, &ya);
    EXPECT_FALSE(form->CancelButton1->isEnabled());
    const auto start = form->Game.Position();
    Key(*form->StringGrid1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Game.Position(), start);
    // Redo, by either of its keys, until there is nothing left to redo.
    Key(*form->StringGrid1, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(form->CancelButton1->isEnabled());
    const auto entered = form->Game.Position();
    Key(*form->StringGrid1, Qt::Key_Z, Qt::ControlModifier);
    Key(*form->StringGrid1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->Game.Position(), entered);
    EXPECT_FALSE(form->Game.CanRedo());
}

TEST(SudokuCommands, ALevelLeftKeepsItsGameAndComingBackResumesItWithItsHistory) {
    SudokuFolder folder;
    NoticeWatcher notices;
    const auto form = ShownGame(folder);
    PickerScript pickers;
    const auto empty = EmptyCells(*form);
    Enter(*form, pickers, empty[0], 4);
    Enter(*form, pickers, empty[1], 5);
    const SudokuGame first = form->Game;
    notices.captions.clear();
    Key(*form->StringGrid1, Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(form->ComboBox1->currentIndex(), 2);
    EXPECT_EQ(form->Game.GivenCount(), 28);
    EXPECT_EQ(notices.captions, std::vector<QString>{MakingCaption}) << "a level without a game gets a new one";
    // The arrow keys of the focused level list choose as the mouse does: the game stays kept.
    form->ComboBox1->setFocus();
    Key(*form->ComboBox1, Qt::Key_Up);
    EXPECT_EQ(form->ComboBox1->currentIndex(), 1);
    EXPECT_EQ(form->Game.Position(), first.Position());
    EXPECT_EQ(form->Game.UndoHistory(), first.UndoHistory());
    EXPECT_TRUE(form->CancelButton1->isEnabled());
    EXPECT_EQ(notices.captions.size(), 1u) << "no new puzzle for a level that had one";
    // Both games are on disk, the one played first.
    QApplication::processEvents();
    const auto saved = ReadSavedGames(folder.File(SavedGameName));
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->Playing.Position(), first.Position());
    EXPECT_TRUE(saved->Kept.Of(2).has_value());
    EXPECT_EQ(folder.StoredLevel(), 1);
}

TEST(SudokuBoardKeys, TheCursorShowsFromTheFirstArrowAndTheKeysActOnItsCell) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    const Cell cell = EmptyPair(*form);
    const Cell right{cell.first + 1, cell.second};
    MoveTo(*form, cell);
    EXPECT_FALSE(ShowsCursor(*form, cell)) << "no cursor for the mouse";
    PickerScript pickers;
    pickers.act = [](TInputDigitalDialog1& picker) { QTest::keyClick(&picker, Qt::Key_Escape); };
    Key(*form->StringGrid1, Qt::Key_Right);
    EXPECT_EQ(pickers.opened, 1) << "an arrow opens the picker of an empty cell, as before";
    EXPECT_TRUE(ShowsCursor(*form, right));
    EXPECT_FALSE(ShowsCursor(*form, cell));

    // With no picker open, the picker's keys act on the cursor's cell, in the same undo steps.
    Key(*form->StringGrid1, Qt::Key_6);
    EXPECT_EQ(Player(*form, right), 6);
    EXPECT_EQ(form->Game.UndoHistory().size(), 1u);
    Key(*form->StringGrid1, Qt::Key_Delete);
    EXPECT_EQ(Player(*form, right), -1);
    Key(*form->StringGrid1, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(form->Game.MarksOf(right.first, right.second), 1 << 1);
    Key(*form->StringGrid1, Qt::Key_Space);
    EXPECT_EQ(pickers.opened, 2) << "Space opens the picker of the cursor's cell";

    // A click hides the cursor again.
    const QPoint at = form->StringGrid1->CellRect(cell.first, cell.second).center();
    QTest::mouseClick(form->StringGrid1, Qt::LeftButton, {}, at);
    EXPECT_FALSE(ShowsCursor(*form, cell));
}

TEST(SudokuBoardKeys, ACommandKeyInAnOpenPickerClosesItAndRuns) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    PickerScript pickers;
    const auto empty = EmptyCells(*form);
    Enter(*form, pickers, empty[0], 7);
    pickers.act = [](TInputDigitalDialog1& picker) { QTest::keyClick(&picker, Qt::Key_Z, Qt::ControlModifier); };
    bool canSelect = true;
    form->StringGrid1SelectCell(empty[1].first, empty[1].second, canSelect);
    QApplication::processEvents();
    EXPECT_EQ(Player(*form, empty[0]), -1);
    EXPECT_FALSE(form->CancelButton1->isEnabled());
}

TEST(SudokuBoardKeys, KeysTypedDuringThePickersFlashLandInOrder) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    const Cell cell = EmptyPair(*form);
    const Cell right{cell.first + 1, cell.second};
    const int first = WrongDigit(*form, cell), second = WrongDigit(*form, right);
    // Real pickers and a real flash: the keys go where the window system would send them,
    // to the picker that is open, 30 ms apart.
    Seams::Reset();
    const auto type = [](int after, Qt::Key key) {
        QTimer::singleShot(after, [key] {
            if (QWidget* picker = QApplication::activeModalWidget()) QTest::keyClick(picker, key);
        });
    };
    type(0, static_cast<Qt::Key>(Qt::Key_0 + first));
    type(30, Qt::Key_Right);
    type(60, static_cast<Qt::Key>(Qt::Key_0 + second));
    // The picker of the cell to the right would wait for a key that never comes: Escape.
    QTimer::singleShot(1500, [] {
        if (QWidget* picker = QApplication::activeModalWidget()) QTest::keyClick(picker, Qt::Key_Escape);
    });
    bool canSelect = true;
    form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Player(*form, right) == second; }, 3000));
    EXPECT_EQ(Player(*form, cell), first);
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }, 3000));
}

TEST(SudokuBoardKeys, ThePickerShowsTheCellsMarks) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    const Cell cell = EmptyCells(*form).front();
    form->Game.ToggleMark(cell.first, cell.second, 3);
    form->Game.ToggleMark(cell.first, cell.second, 8);
    PickerScript pickers;
    std::vector<bool> marked;
    pickers.act = [&](TInputDigitalDialog1& picker) {
        for (int digit = 1; digit <= 9; ++digit)
            marked.push_back(picker.Buttons[static_cast<std::size_t>(digit - 1)]->CornerMark().isValid());
        // A mark set from the picker shows at once.
        QTest::keyClick(&picker, Qt::Key_5, Qt::ControlModifier);
        marked.push_back(picker.SpeedButton5->CornerMark().isValid());
        QTest::keyClick(&picker, Qt::Key_Escape);
    };
    bool canSelect = true;
    form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
    EXPECT_EQ(marked, (std::vector<bool>{false, false, true, false, false, false, false, true, false, true}));
}

TEST(SudokuCommands, APuzzleCopiedComesBackPastedAndAnythingElseIsRefusedWithAMessage) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    Key(*form->StringGrid1, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.section('\n', 0, 0).toStdString(), PuzzleLine(form->Game));
    EXPECT_EQ(copied.section('\n', 1, 1).toStdString(), BoardLine(form->Game));

    SudokuFolder other;
    const auto fresh = ShownGame(other);
    std::vector<QString> messages;
    Seams::message = [&](QWidget*, const QString&, const QString& text) { messages.push_back(text); };
    const SudokuGame before = fresh->Game;
    for (const char* garbage : {"garbage", "1"}) {
        QGuiApplication::clipboard()->setText(QString::fromLatin1(garbage));
        Key(*fresh->StringGrid1, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(fresh->Game.Solution(), before.Solution());

    QGuiApplication::clipboard()->setText(copied);
    {
        QuestionScript yes(QMessageBox::Yes);
        Key(*fresh->StringGrid1, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(yes.asked.size(), 1u);
        EXPECT_EQ(yes.asked.front().second, QStringLiteral("Начать новую игру?"));
    }
    EXPECT_EQ(fresh->Game.Givens(), form->Game.Givens());
    EXPECT_EQ(fresh->Game.Solution(), form->Game.Solution());
    EXPECT_TRUE(fresh->Game.Imported());
    Seams::message = nullptr;
}
