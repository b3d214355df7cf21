// The colour-squares windows as screen readers see them: names and roles, the level choice
// read as it moves, the score, the speed level and the pause announced, and the dialogs of
// the end of a game read with their contents.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "AccessibilityRecorder.h"
#include "SquaresUiSupport.h"
#include "squares/Bestscoretabledialog.h"
#include "squares/Gameoverdialog.h"
#include "squares/Helpdialog.h"
#include "squares/Inputnamedialog.h"
#include "squares/SquaresAccessibility.h"

namespace {

std::vector<QString> Texts(std::initializer_list<const char*> texts) {
    std::vector<QString> all;
    for (const char* text : texts) all.push_back(QString::fromUtf8(text));
    return all;
}

// Shows the dialog as the program does, the active window.
void ShowActive(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

}  // namespace

TEST(SquaresAccessibility, TheLevelChoiceIsAListWhoseSelectionIsReadAsItMoves) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    TLevelDialog1 dialog(nullptr);
    dialog.LevelIndex = 1;
    ShowActive(dialog);

    EXPECT_EQ(NameOf(&dialog), QStringLiteral("Выберите сложность игры"));
    EXPECT_TRUE(AccessibleOf(&dialog)->text(QAccessible::Description).contains(QStringLiteral("Enter начинает игру")));
    EXPECT_EQ(NameOf(dialog.CloseButton1), QStringLiteral("Закрыть"));
    QAccessibleInterface* levels = AccessibleOf(dialog.Image1);
    ASSERT_EQ(levels->role(), QAccessible::List);
    EXPECT_EQ(levels->text(QAccessible::Name), QStringLiteral("Сложность игры"));
    ASSERT_EQ(levels->childCount(), 3);
    EXPECT_EQ(levels->child(0)->text(QAccessible::Name), QStringLiteral("Новичок (3 цвета)"));
    EXPECT_EQ(levels->child(2)->text(QAccessible::Name), QStringLiteral("Профессионал (5 цветов)"));
    // Each item covers its picture, the last one up to the edge.
    const QPoint mug = dialog.Image1->mapToGlobal(QPoint(375, 80));
    EXPECT_EQ(levels->childAt(mug.x(), mug.y()), levels->child(2));
    // Opened, the selected level takes the focus, so that it is read after the dialog.
    EXPECT_EQ(recorder.Focused().back(), QStringLiteral("Любитель (4 цвета)"));

    recorder.Clear();
    QTest::keyClick(&dialog, Qt::Key_Right);
    QTest::keyClick(&dialog, Qt::Key_Right);
    QTest::keyClick(&dialog, Qt::Key_Left);
    EXPECT_EQ(recorder.Focused(), Texts({"Профессионал (5 цветов)", "Новичок (3 цвета)", "Профессионал (5 цветов)"}));
    EXPECT_EQ(NameOf(dialog.LevelPanel1), QStringLiteral("Профессионал (5 цветов)"));
}

TEST(SquaresAccessibility, TheMainWindowNamesItsPartsAndAnnouncesScoreSpeedAndPause) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    SquaresFolder folder;
    auto form = StartGame(folder);
    // The first score and level are no news: they are set before the window shows.
    EXPECT_TRUE(recorder.Announcements().empty());
    EXPECT_EQ(NameOf(form->Image1), QStringLiteral("Игровое поле"));
    EXPECT_EQ(NameOf(form->NewGameButton1), QStringLiteral("Новая игра"));
    EXPECT_EQ(AccessibleOf(form->PauseButton1)->role(), QAccessible::Button);
    EXPECT_EQ(NameOf(form->PauseButton1), QStringLiteral("Пауза"));
    EXPECT_EQ(NameOf(form->HelpButton1), QStringLiteral("Подсказка"));
    EXPECT_EQ(NameOf(form->ScorePanel1), QStringLiteral("Очки: 0"));
    EXPECT_EQ(NameOf(form->LevelPanel1), QStringLiteral("Уровень: 1"));

    LayField(*form, {"1000000000", "1100000000"});
    recorder.Clear();  // the field is laid through a saved game's pause
    PressField(*form, 5, 575);
    EXPECT_EQ(NameOf(form->ScorePanel1), QStringLiteral("Очки: 30"));

    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(NameOf(form->PauseButton1), QStringLiteral("Продолжить игру"));
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(NameOf(form->PauseButton1), QStringLiteral("Пауза"));

    for (int tick = 0; tick < 60; ++tick) form->Timer2Timer();
    EXPECT_EQ(NameOf(form->LevelPanel1), QStringLiteral("Уровень: 2"));

    // A dialog over the game stops it without a pause: nothing to announce.
    ModalScript dialogs;
    dialogs.Then<THelpDialog1>([](THelpDialog1& help) { QTest::keyClick(&help, Qt::Key_Space); });
    form->HelpButton1Click();

    // A new game announces the score it resets, not the level that stays.
    form->NewGame();
    EXPECT_EQ(recorder.Announcements(),
              Texts({"Очки: 30", "Пауза", "Игра продолжается", "Уровень: 2", "Очки: 0", "Уровень: 1"}));
}

TEST(SquaresAccessibility, TheEndOfAGameIsReadDialogByDialog) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    SquaresFolder folder;
    auto form = StartGame(folder, 0);
    // The next tick lifts column 0 into row 0; a fresh level takes any positive score first.
    LastTick(*form, 120);

    ModalScript dialogs;
    dialogs.Then<TGameOverDialog1>([](TGameOverDialog1& splash) {
        EXPECT_EQ(AccessibleOf(&splash)->role(), QAccessible::Dialog);
        EXPECT_EQ(NameOf(&splash), QStringLiteral("Игра окончена!"));
        EXPECT_EQ(NameOf(splash.Image1), QStringLiteral("Игра окончена!"));
        splash.Timer1Timer();
    });
    dialogs.Then<TInputNameDialog1>([](TInputNameDialog1& box) {
        EXPECT_EQ(NameOf(&box), QStringLiteral("Ваше имя"));
        EXPECT_EQ(AccessibleOf(&box)->text(QAccessible::Description),
                  QStringLiteral("Ваш результат вошёл в десятку лучших. Введите имя и нажмите Enter."));
        QAccessibleInterface* edit = AccessibleOf(box.NameEdit1);
        EXPECT_EQ(edit->role(), QAccessible::EditableText);
        EXPECT_EQ(edit->text(QAccessible::Name), QStringLiteral("Ваше имя:"));
        TypeText(box.NameEdit1, QStringLiteral("Петя"));
        QTest::keyClick(box.NameEdit1, Qt::Key_Return);
    });
    dialogs.Then<TBestScoreTableDialog1>([](TBestScoreTableDialog1& table) {
        EXPECT_EQ(NameOf(&table), QStringLiteral("Десять лучших сметчиков"));
        EXPECT_EQ(NameOf(table.NamePanels[0]), QStringLiteral("1. Петя, очки: 120, новый рекорд"));
        EXPECT_EQ(NameOf(table.ScorePanels[0]), QStringLiteral("120"));
        EXPECT_EQ(NameOf(table.NamePanels[9]), QStringLiteral("10. очки: 0"));
        EXPECT_EQ(NameOf(table.TitlePanel2), QStringLiteral("Очки"));
        // Read as it opens: the level line, then the rows in order.
        QString expected = QStringLiteral("в категории \"Новичок\". 1. Петя, очки: 120, новый рекорд.");
        for (int row = 2; row <= 10; ++row) expected += QStringLiteral(" %1. очки: 0.").arg(row);
        EXPECT_EQ(AccessibleOf(&table)->text(QAccessible::Description), expected);
        QTest::keyClick(&table, Qt::Key_Space);
    });
    form->Timer1Timer();
}

TEST(SquaresAccessibility, TheHelpIsReadLineByLine) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    THelpDialog1 help(nullptr);
    EXPECT_EQ(NameOf(&help), QStringLiteral("Подсказка"));
    const QString content = AccessibleOf(&help)->text(QAccessible::Description);
    // A sentence that the layout breaks over three lines is read as one.
    EXPECT_TRUE(content.startsWith(QStringLiteral("Игра \"Квадратики\". Цель игры: щелчком левой кнопки \"мышки\" "
                                                  "убрать квадратики одинакового цвета. Минимальное количество "
                                                  "убираемых квадратиков - 3. В категории \"Новичок\"")))
        << content.toStdString();
    EXPECT_TRUE(content.endsWith(QStringLiteral("Горячие клавиши: Esc - выход из игры; F5 - временная остановка игры; "
                                                "F10 - список лучших сметчиков;")))
        << content.toStdString();
    EXPECT_EQ(NameOf(help.LinePanels[8]), QStringLiteral("Esc - выход из игры;"));
}

TEST(SquaresAccessibility, TheCursorsSquareIsReadWithItsColourAndItsGroup) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    SquaresFolder folder;
    auto form = StartGame(folder, 2);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    LayField(*form, {"1114000000"});
    recorder.Clear();
    QTest::keyClick(form.get(), Qt::Key_Up);
    for (int column = 1; column < 5; ++column) QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_EQ(recorder.Announcements(),
              Texts({"Красный, группа из 3 квадратов", "Красный, группа из 3 квадратов", "Красный, группа из 3 квадратов",
                     "Жёлтый, без группы", "Пусто"}));
    EXPECT_EQ(vum::CursorSquareText(5, 21), QStringLiteral("Фиолетовый, группа из 21 квадрата"));
}
