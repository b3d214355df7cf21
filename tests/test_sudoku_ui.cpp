// The Sudoku main window's flow: start-up and the stored level, the level choice, new game,
// restart, undo, the solution, the level-passed sequence and closing. Questions, the digit
// picker and the 3-second notice go through the seams; no test waits for real time.
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QUrl>
#include <algorithm>

#include "SudokuUiSupport.h"
#include "UrlCatcher.h"
#include "contact/ContactBlock.h"

using namespace vum;

namespace {

void ExpectFreshPuzzle(const TForm1& form, int givens) {
    EXPECT_EQ(CountGivens(form), givens);
    EXPECT_TRUE(form.Game.UndoHistory().empty());
    EXPECT_FALSE(form.CancelButton1->isEnabled());
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            const Cell cell{c, r};
            const bool given = form.Game.Givens()[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] == 1;
            EXPECT_EQ(Player(form, cell), given ? Solution(form, cell) : -1);
            EXPECT_EQ(ShownAt(form, cell), given ? Solution(form, cell) : -1);
        }
}

}  // namespace

TEST(SudokuStart, WithoutSettingsPlaysLevelOneAndClosingStoresIt) {
    SudokuFolder folder;
    NoticeWatcher notices;
    TForm1 form(folder.Data());
    EXPECT_FALSE(form.Activated);
    EXPECT_EQ(form.Game.GivenCount(), 35);
    EXPECT_EQ(form.LevelCountPanel1->Caption(), "Решено:");
    EXPECT_EQ(form.AppTitle, "ВУМ Судоку 1.0");
    EXPECT_EQ(QApplication::applicationName(), "ВУМ Судоку 1.0");
    EXPECT_EQ(form.IniPath, folder.Ini());
    EXPECT_EQ(form.BestScorePath, folder.Dat());

    form.FormActivate();
    EXPECT_TRUE(form.Activated);
    EXPECT_EQ(form.ComboBox1->currentIndex(), 1);
    EXPECT_EQ(form.Game.GivenCount(), 35);
    EXPECT_EQ(form.LevelCountPanel1->Caption(), "Решено: 0");
    ExpectFreshPuzzle(form, 35);
    EXPECT_EQ(notices.captions, std::vector<QString>{MakingCaption});
    EXPECT_TRUE(form.findChildren<TWaitDialog1*>().empty()) << "the notice is destroyed after the puzzle is made";

    // The level of the game being played is kept at once, not only when the window closes:
    // a program that ends otherwise comes back to it.
    EXPECT_EQ(folder.StoredLevel(), 1);
    form.ComboBox1->setCurrentIndex(2);
    EXPECT_EQ(folder.StoredLevel(), 2);
    form.ComboBox1->setCurrentIndex(0);
    form.close();
    EXPECT_EQ(folder.StoredLevel(), 0);
}

TEST(SudokuStart, StoredLevelTwoPlaysHardWithItsOwnCounter) {
    SudokuFolder folder;
    folder.WriteLevel(2);
    folder.Count(2, 2);
    folder.Count(1, 5);
    NoticeWatcher notices;
    const auto form = StartGame(folder);
    EXPECT_EQ(notices.captions.size(), 1U) << "one puzzle, made once";
    EXPECT_EQ(form->ComboBox1->currentIndex(), 2);
    EXPECT_EQ(form->ComboBox1->currentText(), "Сложный");
    EXPECT_EQ(form->Game.GivenCount(), 28);
    EXPECT_EQ(form->LevelCountPanel1->Caption(), "Решено: 2");
    ExpectFreshPuzzle(*form, 28);
}

TEST(SudokuStart, StoredLevelOutsideTheItemsFallsBackToLevelOne) {
    for (const std::int32_t stored : {3, -1, 1000}) {
        SCOPED_TRACE(stored);
        SudokuFolder folder;
        folder.WriteLevel(stored);
        folder.Count(1, 4);
        const auto form = StartGame(folder);
        EXPECT_EQ(form->ComboBox1->currentIndex(), 1);
        EXPECT_EQ(form->Game.GivenCount(), 35);
        EXPECT_EQ(form->LevelCountPanel1->Caption(), "Решено: 4");
        form->close();
        EXPECT_EQ(folder.StoredLevel(), 1);
    }
}

TEST(SudokuStart, TheFirstPaintStartsTheGameAndLaterActivationsChangeNothing) {
    SudokuFolder folder;
    NoticeWatcher notices;
    TForm1 form(folder.Data());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Activated; }, 5000));
    const auto solution = form.Game.Solution();
    const auto mask = form.Game.Givens();

    form.FormActivate();
    QApplication::setActiveWindow(&form);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Game.Solution(), solution);
    EXPECT_EQ(form.Game.Givens(), mask);
    EXPECT_EQ(notices.captions.size(), 1U);
}

TEST(SudokuLevel, ChoosingALevelMakesAPuzzleAtOnceAndShowsItsCounter) {
    SudokuFolder folder;
    folder.Count(0, 3);
    const auto form = StartGame(folder);
    PickerScript pickers;
    Enter(*form, pickers, EmptyCells(*form).front(), 5);
    ASSERT_EQ(form->Game.UndoHistory().size(), 1U);

    // No question although a game is under way (an unexpected question fails the test).
    NoticeWatcher notices;
    form->ComboBox1->setCurrentIndex(0);
    EXPECT_EQ(form->Game.GivenCount(), 42);
    EXPECT_EQ(form->LevelCountPanel1->Caption(), "Решено: 3");
    ExpectFreshPuzzle(*form, 42);
    EXPECT_EQ(notices.captions, std::vector<QString>{MakingCaption});

    form->ComboBox1->setCurrentIndex(2);
    EXPECT_EQ(form->Game.GivenCount(), 28);
    EXPECT_EQ(form->LevelCountPanel1->Caption(), "Решено: 0");
    ExpectFreshPuzzle(*form, 28);
    form->close();
    EXPECT_EQ(folder.StoredLevel(), 2);
}

TEST(SudokuNewGame, AnythingButYesKeepsTheBoardAndTheHistory) {
    SudokuFolder folder;
    const auto form = StartGame(folder);
    PickerScript pickers;
    Enter(*form, pickers, EmptyCells(*form).front(), 4);
    const SudokuGame before = form->Game;
    const auto texts = ShownDigits(*form);

    for (const auto answer : {QMessageBox::No, QMessageBox::Cancel}) {
        QuestionScript questions(answer);
        QTest::mouseClick(form->NewFameButton1, Qt::LeftButton);
        ASSERT_EQ(questions.asked.size(), 1U);
        EXPECT_EQ(questions.asked[0].first, "ВУМ Судоку 1.0");
        EXPECT_EQ(questions.asked[0].second, "Начать новую игру?");
        EXPECT_EQ(form->Game.Solution(), before.Solution());
        EXPECT_EQ(form->Game.Position().Board, before.Position().Board);
        EXPECT_EQ(form->Game.UndoHistory(), before.UndoHistory());
        EXPECT_EQ(ShownDigits(*form), texts);
        EXPECT_TRUE(form->CancelButton1->isEnabled());
    }

    QuestionScript yes(QMessageBox::Yes);
    NoticeWatcher notices;
    QTest::mouseClick(form->NewFameButton1, Qt::LeftButton);
    EXPECT_EQ(yes.asked.size(), 1U);
    EXPECT_EQ(notices.captions, std::vector<QString>{MakingCaption});
    ExpectFreshPuzzle(*form, 35);
}

TEST(SudokuNewGame, ASolvedBoardGoesOnWithoutAQuestion) {
    SudokuFolder folder;
    const auto form = StartGame(folder);
    for (const Cell& cell : EmptyCells(*form)) form->Game.Enter(cell.first, cell.second, Solution(*form, cell));
    NoticeWatcher notices;
    form->NewFameButton1Click();  // an unexpected question fails the test
    EXPECT_EQ(notices.captions, std::vector<QString>{MakingCaption});
    ExpectFreshPuzzle(*form, 35);
}

TEST(SudokuRestart, KeepsTheGivensAndEmptiesTheHistory) {
    SudokuFolder folder;
    const auto form = StartGame(folder);
    PickerScript pickers;
    const auto empty = EmptyCells(*form);
    Enter(*form, pickers, empty[0], 1);
    Enter(*form, pickers, empty[1], 2);
    const SudokuGame before = form->Game;

    {
        QuestionScript no(QMessageBox::No);
        form->RestartGameButton1Click();
        ASSERT_EQ(no.asked.size(), 1U);
        EXPECT_EQ(no.asked[0].first, "ВУМ Судоку 1.0");
        EXPECT_EQ(no.asked[0].second, "Начать игру заново?");
        EXPECT_EQ(form->Game.Position().Board, before.Position().Board);
        EXPECT_EQ(form->Game.UndoHistory().size(), 2U);
    }
    QuestionScript yes(QMessageBox::Yes);
    QTest::mouseClick(form->RestartGameButton1, Qt::LeftButton);
    EXPECT_EQ(yes.asked.size(), 1U);
    EXPECT_EQ(form->Game.Solution(), before.Solution());
    EXPECT_EQ(form->Game.Givens(), before.Givens());
    ExpectFreshPuzzle(*form, 35);
}

TEST(SudokuUndo, ThreeUndosBringBackTheStartOfThePuzzle) {
    SudokuFolder folder;
    const auto form = StartGame(folder);
    PickerScript pickers;
    const auto start = form->Game.Position().Board;
    const auto startTexts = ShownDigits(*form);
    const auto empty = EmptyCells(*form);
    Enter(*form, pickers, empty[0], 3);
    const auto afterOne = form->Game.Position().Board;
    Enter(*form, pickers, empty[1], 6);
    const auto afterTwo = form->Game.Position().Board;
    // The third entry overwrites the first cell: one undo restores the digit it had.
    Enter(*form, pickers, empty[0], 9);
    EXPECT_EQ(Player(*form, empty[0]), 9);
    EXPECT_EQ(form->Game.UndoHistory().size(), 3U);

    for (const auto& expected : {afterTwo, afterOne, start}) {
        EXPECT_TRUE(form->CancelButton1->isEnabled());
        QTest::mouseClick(form->CancelButton1, Qt::LeftButton);
        EXPECT_EQ(form->Game.Position().Board, expected);
        EXPECT_EQ(ShownDigits(*form), PlayerDigits(*form));
    }
    EXPECT_EQ(ShownDigits(*form), startTexts);
    EXPECT_TRUE(form->Game.UndoHistory().empty());
    EXPECT_FALSE(form->CancelButton1->isEnabled());
    // A disabled button takes no click, and the handler itself has nothing to undo.
    form->CancelButton1Click();
    EXPECT_EQ(form->Game.Position().Board, start);
}

TEST(SudokuSolution, ShowsEveryDigitAndTheNextUndoShowsThePlayersBoard) {
    SudokuFolder folder;
    const auto form = StartGame(folder);
    PickerScript pickers;
    const auto empty = EmptyCells(*form);
    Enter(*form, pickers, empty[0], WrongDigit(*form, empty[0]));
    Enter(*form, pickers, empty[1], 7);
    const auto player = form->Game.Position().Board;

    {
        QuestionScript no(QMessageBox::Cancel);
        form->SolutionGameButton1Click();
        EXPECT_EQ(no.asked.at(0).second, "Показать решение?");
        EXPECT_EQ(ShownDigits(*form), PlayerDigits(*form));
    }
    QuestionScript yes(QMessageBox::Yes);
    QTest::mouseClick(form->SolutionGameButton1, Qt::LeftButton);
    EXPECT_EQ(ShownDigits(*form), SolutionDigits(*form));
    EXPECT_EQ(form->Game.Position().Board, player);
    EXPECT_EQ(form->Game.UndoHistory().size(), 2U);
    EXPECT_EQ(form->LevelCountPanel1->Caption(), "Решено: 0");

    form->CancelButton1Click();
    EXPECT_EQ(ShownAt(*form, empty[1]), -1);
    EXPECT_EQ(ShownAt(*form, empty[0]), WrongDigit(*form, empty[0]));
    EXPECT_EQ(ShownDigits(*form), PlayerDigits(*form));
}

TEST(SudokuEntry, ClearingACellTakesNoUndoStep) {
    SudokuFolder folder;
    const auto form = StartGame(folder);
    PickerScript pickers;
    const auto empty = EmptyCells(*form);
    // "-" on an empty cell: nothing to undo afterwards.
    Enter(*form, pickers, empty[1], 0);
    EXPECT_TRUE(form->Game.UndoHistory().empty());
    EXPECT_FALSE(form->CancelButton1->isEnabled());

    Enter(*form, pickers, empty[0], 8);
    EXPECT_EQ(ShownAt(*form, empty[0]), 8);
    Enter(*form, pickers, empty[0], 0);
    EXPECT_EQ(Player(*form, empty[0]), -1);
    EXPECT_EQ(ShownAt(*form, empty[0]), -1);
    EXPECT_EQ(form->Game.UndoHistory().size(), 1U);
    EXPECT_TRUE(form->CancelButton1->isEnabled());
    EXPECT_EQ(pickers.opened, 3);
}

TEST(SudokuEntry, EscapeAClickOnThePickerOrItsCloseBoxChangeNothing) {
    SudokuFolder folder;
    const auto form = StartGame(folder);
    PickerScript pickers;
    const Cell cell = EmptyCells(*form).front();
    Enter(*form, pickers, cell, 2);
    const SudokuGame before = form->Game;
    const auto texts = ShownDigits(*form);

    const std::vector<std::function<void(TInputDigitalDialog1&)>> cancels = {
        [](TInputDigitalDialog1& picker) { QTest::keyClick(&picker, Qt::Key_Escape); },
        // The surface between "-" and the hidden "X".
        [](TInputDigitalDialog1& picker) { QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(60, 128)); },
        [](TInputDigitalDialog1& picker) { QTest::mouseClick(&picker, Qt::RightButton, {}, QPoint(2, 2)); },
        [](TInputDigitalDialog1& picker) { picker.close(); },
        [](TInputDigitalDialog1& picker) { picker.SpeedButton11Click(); },
    };
    for (std::size_t i = 0; i < cancels.size(); ++i) {
        SCOPED_TRACE(i);
        bool closedWith = true;
        pickers.act = [&](TInputDigitalDialog1& picker) {
            cancels[i](picker);
            closedWith = picker.isVisible();
            EXPECT_EQ(picker.result(), QDialog::Rejected);
        };
        bool canSelect = false;
        form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
        EXPECT_FALSE(closedWith) << "the picker closed";
        EXPECT_EQ(form->Game.Position().Board, before.Position().Board);
        EXPECT_EQ(form->Game.UndoHistory(), before.UndoHistory());
        EXPECT_EQ(ShownDigits(*form), texts);
    }
}

TEST(SudokuLevelPassed, TheLastCorrectEntryCountsShowsTheNoticeAndStartsTheNextPuzzle) {
    SudokuFolder folder;
    folder.Count(1, 6);
    const auto form = StartGame(folder);
    PickerScript pickers;
    auto empty = EmptyCells(*form);
    const Cell last = empty.back();
    empty.pop_back();
    for (const Cell& cell : empty) Enter(*form, pickers, cell, Solution(*form, cell));
    const auto solution = form->Game.Solution();

    // A wrong last digit completes the board but does not solve it.
    Enter(*form, pickers, last, WrongDigit(*form, last));
    EXPECT_EQ(form->Game.Solution(), solution);
    EXPECT_EQ(folder.Counter(1), 6);

    NoticeWatcher notices;
    std::vector<int> waits;
    QString noticeShown;
    Seams::wait = [&](int milliseconds) {
        waits.push_back(milliseconds);
        if (milliseconds != TForm1::NoticeMilliseconds) return;  // the picker's flash
        for (auto* notice : form->findChildren<TWaitDialog1*>())
            if (notice->isVisible()) noticeShown = notice->Panel1->Caption();
        // While the notice stands, the counter already shows the new count and the board
        // the last digit.
        EXPECT_EQ(form->LevelCountPanel1->Caption(), "Решено: 7");
        EXPECT_EQ(ShownAt(*form, last), Solution(*form, last));
    };
    Enter(*form, pickers, last, Solution(*form, last));
    EXPECT_EQ(std::count(waits.begin(), waits.end(), TForm1::NoticeMilliseconds), 1);
    EXPECT_EQ(noticeShown, PassedCaption);
    EXPECT_EQ(notices.captions, (std::vector<QString>{PassedCaption, MakingCaption}));
    EXPECT_EQ(folder.Counter(1), 7);
    EXPECT_EQ(folder.Counter(0), 0);
    EXPECT_EQ(form->LevelCountPanel1->Caption(), "Решено: 7");
    EXPECT_EQ(form->ComboBox1->currentIndex(), 1);
    ExpectFreshPuzzle(*form, 35);
    EXPECT_TRUE(form->findChildren<TWaitDialog1*>().empty());
}

TEST(SudokuClose, EnterClosesFromAnyControlAndStoresTheLevel) {
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        SudokuFolder folder;
        const auto form = StartGame(folder);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->ComboBox1->setCurrentIndex(0);
        QTest::keyClick(form->ComboBox1, Qt::Key_Escape);
        QTest::keyClick(form->ComboBox1, Qt::Key_A);
        EXPECT_TRUE(form->isVisible()) << "only Enter closes";
        QTest::keyClick(key == Qt::Key_Return ? static_cast<QWidget*>(form->ComboBox1)
                                               : static_cast<QWidget*>(form->StringGrid1),
                        key);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(folder.StoredLevel(), 0);
    }
}

TEST(SudokuContact, TheWebAddressTheLogoAndTheMailAddressOpenTheirTargets) {
    SudokuFolder folder;
    TForm1 form(folder.Data());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    UrlCatcher catcher;
    auto* web = form.Panel2->findChild<QLabel*>("InternetLabel1");
    auto* mail = form.Panel2->findChild<QLabel*>("EMailLabel1");
    auto* logo = form.Panel2->findChild<QLabel*>("Image2");
    auto* globe = form.Panel2->findChild<QLabel*>("Image9");
    ASSERT_TRUE(web && mail && logo && globe);
    for (QLabel* label : {web, logo, globe, mail}) QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_EQ(catcher.urls.size(), 3U) << "the globe is no link in this window";
    EXPECT_EQ(catcher.urls[0], QUrl("http://" + web->text()));
    EXPECT_EQ(catcher.urls[1], catcher.urls[0]);
    EXPECT_EQ(catcher.urls[2], QUrl("mailto:" + mail->text()));
}

