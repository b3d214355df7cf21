// The Sudoku windows as screen readers see them: the board a table of cells named by place and
// content, the current cell focused as the arrows move it, the picker named after its cell,
// the steps taken from the keyboard and the notices announced, the statistics read row by row.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "AccessibilityRecorder.h"
#include "SudokuUiSupport.h"
#include "sudoku/Statisticsdialog.h"
#include "sudoku/SudokuCellText.h"
#include "sudoku/SudokuHintNotice.h"

namespace {

QString Place(Cell cell) { return QStringLiteral("Строка %1, столбец %2").arg(cell.second + 1).arg(cell.first + 1); }

QAccessibleInterface* CellOf(TForm1& form, Cell cell) {
    QAccessibleTableInterface* table = AccessibleOf(form.StringGrid1)->tableInterface();
    return table != nullptr ? table->cellAt(cell.second, cell.first) : nullptr;
}

// A shown window, active, its board with the keyboard focus on the current cell.
std::unique_ptr<TForm1> ActiveGame(const SudokuFolder& folder) {
    auto form = ShownGame(folder);
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->StringGrid1->setFocus();
    return form;
}

}  // namespace

TEST(SudokuAccessibility, TheBoardIsATableOfCellsNamedByPlaceAndContent) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    SudokuFolder folder;
    auto form = ShownGame(folder);
    QAccessibleInterface* board = AccessibleOf(form->StringGrid1);
    ASSERT_EQ(board->role(), QAccessible::Table);
    EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("Игровое поле"));
    ASSERT_EQ(board->childCount(), 81);
    QAccessibleTableInterface* table = board->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 9);
    EXPECT_EQ(table->columnCount(), 9);

    const Cell given = Givens(*form).back();
    QAccessibleInterface* givenCell = CellOf(*form, given);
    ASSERT_NE(givenCell->tableCellInterface(), nullptr);
    EXPECT_EQ(givenCell->tableCellInterface()->rowIndex(), given.second);
    EXPECT_EQ(givenCell->tableCellInterface()->columnIndex(), given.first);
    EXPECT_EQ(board->indexOfChild(givenCell), given.second * 9 + given.first);
    EXPECT_EQ(board->child(given.second * 9 + given.first), givenCell);
    EXPECT_EQ(givenCell->text(QAccessible::Name),
              Place(given) + QStringLiteral(": задана цифра %1").arg(Solution(*form, given)));
    EXPECT_TRUE(givenCell->state().readOnly);

    const Cell empty = EmptyCells(*form).front();
    QAccessibleInterface* blank = CellOf(*form, empty);
    EXPECT_EQ(blank->text(QAccessible::Name), Place(empty) + QStringLiteral(": пусто"));
    EXPECT_FALSE(blank->state().readOnly);
    const QPoint centre = form->StringGrid1->mapToGlobal(form->StringGrid1->CellRect(empty.first, empty.second).center());
    EXPECT_EQ(board->childAt(centre.x(), centre.y()), blank);

    // Marks, one and several; each change of what the cell shows is told as a new name.
    recorder.Clear();
    form->ToggleMark(empty.first, empty.second, 9);
    EXPECT_EQ(blank->text(QAccessible::Name), Place(empty) + QStringLiteral(": пусто, пометка 9"));
    form->ToggleMark(empty.first, empty.second, 4);
    form->ToggleMark(empty.first, empty.second, 1);
    EXPECT_EQ(blank->text(QAccessible::Name), Place(empty) + QStringLiteral(": пусто, пометки 1, 4 и 9"));
    PickerScript pickers;
    Enter(*form, pickers, empty, 5);
    EXPECT_EQ(blank->text(QAccessible::Name), Place(empty) + QStringLiteral(": 5"));
    std::vector<QString> renamed;
    for (const auto& event : recorder.events)
        if (event.type == QAccessible::NameChanged && event.role == QAccessible::Cell) renamed.push_back(event.name);
    ASSERT_FALSE(renamed.empty());
    EXPECT_EQ(renamed.back(), Place(empty) + QStringLiteral(": 5"));
}

TEST(SudokuAccessibility, ArrowsFocusEveryCellAndThePickerIsNamedAfterItsCell) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    SudokuFolder folder;
    PickerScript pickers;
    std::vector<QString> pickerNames;
    pickers.act = [&](TInputDigitalDialog1& picker) {
        pickerNames.push_back(NameOf(&picker) + u'|' + AccessibleOf(&picker)->text(QAccessible::Description));
        EXPECT_EQ(NameOf(picker.SpeedButton5), QStringLiteral("Вписать 5"));
        EXPECT_EQ(NameOf(picker.SpeedButton10), QStringLiteral("Стереть"));
        QTest::keyClick(&picker, Qt::Key_Escape);
    };
    auto form = ActiveGame(folder);
    recorder.Clear();
    for (int column = 1; column < 9; ++column) QTest::keyClick(form->StringGrid1, Qt::Key_Right);
    ASSERT_EQ(form->StringGrid1->Col(), 8);

    // Every cell of the row took the focus in turn, read as it is; each empty one opened its
    // picker, which said whose it was.
    std::vector<QString> focused, expected, expectedPickers;
    for (const QString& name : recorder.Focused())
        if (name.startsWith(QStringLiteral("Строка 1,")) && (focused.empty() || focused.back() != name))
            focused.push_back(name);
    for (int column = 1; column < 9; ++column) {
        expected.push_back(CellName(form->Game, column, 0));
        if (!form->Game.IsGiven(column, 0)) expectedPickers.push_back(Place({column, 0}) + QStringLiteral("|пусто"));
    }
    EXPECT_EQ(focused, expected);
    EXPECT_EQ(pickerNames, expectedPickers);
    EXPECT_EQ(AccessibleOf(form->StringGrid1)->focusChild(), CellOf(*form, {8, 0}));
    EXPECT_TRUE(CellOf(*form, {8, 0})->state().focused);
    EXPECT_FALSE(CellOf(*form, {7, 0})->state().selected);
}

TEST(SudokuAccessibility, StepsTakenWithNoPickerOpenAreAnnounced) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    SudokuFolder folder;
    PickerScript pickers;
    pickers.act = [](TInputDigitalDialog1& picker) { QTest::keyClick(&picker, Qt::Key_Escape); };
    auto form = ActiveGame(folder);
    const Cell cell = EmptyCells(*form).front();
    form->StringGrid1->SetCol(cell.first);
    form->StringGrid1->SetRow(cell.second);
    const QString place = Place(cell) + QStringLiteral(": ");
    const auto heard = [&] { return recorder.Announcements().empty() ? QString() : recorder.Announcements().back(); };

    QTest::keyClick(form->StringGrid1, Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(heard(), place + QStringLiteral("пусто, пометка 3"));
    QTest::keyClick(form->StringGrid1, Qt::Key_7);
    EXPECT_EQ(heard(), place + QStringLiteral("7"));
    QTest::keyClick(form->StringGrid1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(heard(), place + QStringLiteral("пусто, пометка 3"));
    QTest::keyClick(form->StringGrid1, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(heard(), place + QStringLiteral("7"));
    // Cleared, the cell shows its marks again.
    QTest::keyClick(form->StringGrid1, Qt::Key_Delete);
    EXPECT_EQ(heard(), place + QStringLiteral("пусто, пометка 3"));
}

TEST(SudokuAccessibility, ControlsAreNamedAndNoticesHintsAndStatisticsRead) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    SudokuFolder folder;
    folder.Count(1, 4);
    auto form = ActiveGame(folder);
    const auto labels = AccessibleOf(form->ComboBox1)->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->text(QAccessible::Name), QStringLiteral("Уровень сложности"));
    EXPECT_EQ(NameOf(form->LevelCountPanel1), QStringLiteral("Решено: 4"));
    EXPECT_EQ(NameOf(form->NewFameButton1), QStringLiteral("Новая игра"));
    EXPECT_EQ(NameOf(form->CancelButton1), QStringLiteral("Отменить"));
    EXPECT_EQ(NameOf(form->RestartGameButton1), QStringLiteral("Начать заново"));
    EXPECT_EQ(NameOf(form->SolutionGameButton1), QStringLiteral("Решение"));

    recorder.Clear();
    form->ShowHint();
    ASSERT_EQ(recorder.Announcements().size(), 1u);
    EXPECT_TRUE(recorder.Announcements()[0].startsWith(form->HintNotice1->TextLabel->text()));
    form->CloseHint();

    // The last digit: the level-passed notice, then the next puzzle's.
    Seams::wait = [](int) {};
    PickerScript pickers;
    auto empty = EmptyCells(*form);
    const Cell last = empty.back();
    empty.pop_back();
    for (const Cell& cell : empty) form->Game.Enter(cell.first, cell.second, Solution(*form, cell));
    recorder.Clear();
    Enter(*form, pickers, last, Solution(*form, last));
    EXPECT_EQ(recorder.Announcements(), (std::vector<QString>{PassedCaption, MakingCaption}));
    EXPECT_EQ(NameOf(form->LevelCountPanel1), QStringLiteral("Решено: 5"));

    Seams::Reset();
    std::array<std::int32_t, TStatisticsDialog1::Levels> solved{0, 5, 0};
    TStatisticsDialog1 statistics(form.get(), form->Statistics, solved);
    const QString content = AccessibleOf(&statistics)->text(QAccessible::Description);
    EXPECT_TRUE(content.startsWith(QStringLiteral("Простой: решено 0, начато 0, серия 0, рекорд 0, подсказки 0. "
                                                  "Средний: решено 5, начато 2, новое лучшее время ")))
        << content.toStdString();
    EXPECT_TRUE(content.contains(QStringLiteral("подсказки 1. Сложный:"))) << content.toStdString();
}
