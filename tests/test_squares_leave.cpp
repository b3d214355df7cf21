// The colour-squares window when the player leaves the program, and the colour symbols: a
// running game pauses on leaving and stays paused on return; F3 puts a symbol on every square,
// kept in the settings, and with it off the field is drawn as before.
#include <gtest/gtest.h>

#include <QTest>
#include <set>

#include "SquaresUiSupport.h"
#include "gui/GameTimer.h"
#include "gui/GlyphButton.h"
#include "gui/PictureBox.h"
#include "squares/Gameoverdialog.h"
#include "squares/Helpdialog.h"
#include "squares/SquareSymbols.h"

namespace {

bool Paused(const TForm1& form) {
    return !form.Timer1->Enabled() && !form.Timer2->Enabled() && form.PauseButton1->Glyph() == form.SpeedButton1->Glyph();
}

bool Running(const TForm1& form) {
    return form.Timer1->Enabled() && form.Timer2->Enabled() && form.PauseButton1->Glyph() == form.SpeedButton2->Glyph();
}

void Leave() { emit qApp->applicationStateChanged(Qt::ApplicationInactive); }
void Return() { emit qApp->applicationStateChanged(Qt::ApplicationActive); }

// The cells of the field picture that hold a square, as images.
QImage Cell(const TForm1& form, int row, int column) {
    return form.Image1->Picture.copy(column * 30, row * 30, 31, 31);
}

}  // namespace

TEST(SquaresLeave, ARunningGamePausesWhenThePlayerLeavesAndWaitsForThePlayerToResume) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    ASSERT_TRUE(Running(*form));
    const auto field = form->Game.Field();
    Leave();
    EXPECT_TRUE(Paused(*form));
    Return();
    EXPECT_TRUE(Paused(*form)) << "coming back resumes nothing";
    EXPECT_EQ(form->Game.Field(), field);
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_TRUE(Running(*form));
    // Hidden counts as left as well.
    emit qApp->applicationStateChanged(Qt::ApplicationHidden);
    EXPECT_TRUE(Paused(*form));
}

TEST(SquaresLeave, APausedOrEndedGameAndOneUnderItsOwnDialogAreLeftAsTheyAre) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    QTest::keyClick(form.get(), Qt::Key_F5);
    Leave();
    Return();
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_TRUE(Running(*form)) << "one F5 resumes the game paused by F5 before the player left";

    // The help dialog takes the activation from the main window: not a leave. It stops the game
    // while open and gives it back running.
    ModalScript dialogs;
    dialogs.Then<THelpDialog1>([](THelpDialog1&) { Leave(); });
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_TRUE(Running(*form));

    // An ended game: F5 and leaving change nothing.
    LastTick(*form);
    dialogs.Then<TGameOverDialog1>([](TGameOverDialog1& splash) { splash.Timer1Timer(); });
    form->Timer1Timer();
    Leave();
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_FALSE(Paused(*form)) << "the end keeps the pause sign";
}

TEST(SquaresLeave, MinimisingTheWindowPausesTheGame) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    form->showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(Paused(*form));
}

TEST(SquaresSymbols, F3PutsASymbolOnEverySquareAndTakesItAwayAgainKeptInTheSettings) {
    SquaresFolder folder;
    auto form = StartGame(folder, 2);
    LayField(*form, {"1234512345", "5432154321"});
    const QImage plain = form->Image1->Picture;
    QTest::keyClick(form.get(), Qt::Key_F5);  // paused: the key works all the same
    QTest::keyClick(form.get(), Qt::Key_F3);
    EXPECT_TRUE(form->ColourSymbols);
    EXPECT_EQ(IniText(folder.Ini(), "Game", "Symbols"), "1");
    const QImage marked = form->Image1->Picture;
    // Each square's cell changed, every empty cell did not; each colour keeps its colour and its
    // outline, and the five symbols differ from each other.
    std::set<QByteArray> shapes;
    for (int column = 0; column < 5; ++column) {
        const QImage cell = Cell(*form, 18, column);  // codes 1 to 5
        EXPECT_NE(cell, plain.copy(column * 30, 18 * 30, 31, 31)) << column;
        const auto code = static_cast<std::uint8_t>(column + 1);
        EXPECT_EQ(cell.pixel(3, 3) & 0xFFFFFF, WinRgb(squares_colours::SquareColours[code]) & 0xFFFFFF);
        EXPECT_EQ(cell.pixel(0, 15) & 0xFFFFFF, 0u) << "the black outline stays";
        QByteArray shape;
        for (int y = 0; y < 31; ++y)
            for (int x = 0; x < 31; ++x) shape += static_cast<char>(cell.pixel(x, y) == cell.pixel(3, 3) ? '.' : '#');
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes.size(), 5u);
    EXPECT_EQ(marked.copy(0, 0, 301, 17 * 30), plain.copy(0, 0, 301, 17 * 30)) << "empty cells are unchanged";

    QTest::keyClick(form.get(), Qt::Key_F3);
    EXPECT_FALSE(form->ColourSymbols);
    EXPECT_EQ(form->Image1->Picture, plain);
    EXPECT_EQ(IniText(folder.Ini(), "Game", "Symbols"), "0");
    EXPECT_TRUE(Paused(*form)) << "F3 leaves the pause as it is";
}

TEST(SquaresSymbols, TheChoiceIsReadAtStart) {
    SquaresFolder folder;
    MakeFolders(folder.Data());
    WIniFile().WriteParameter(folder.Ini(), "Game", "Symbols", ParamBool, "", 0, 0, true, false);
    auto form = StartGame(folder);
    EXPECT_TRUE(form->ColourSymbols);
    const std::uint8_t code = form->Game.Field()[190];
    ASSERT_NE(code, 0);
    EXPECT_EQ(Cell(*form, 19, 0), SymbolSquare(code, 31, Qt::black));
}

TEST(SquaresSymbols, EachSymbolIsBlackOrWhiteWhicheverStandsOutOnItsColour) {
    const auto colour = [](std::uint8_t code) { return WinColour(squares_colours::SquareColours[code]); };
    EXPECT_EQ(SymbolColourOn(colour(1)), QColor(Qt::black));  // red
    EXPECT_EQ(SymbolColourOn(colour(2)), QColor(Qt::white));  // green
    EXPECT_EQ(SymbolColourOn(colour(3)), QColor(Qt::white));  // blue
    EXPECT_EQ(SymbolColourOn(colour(4)), QColor(Qt::black));  // yellow
    EXPECT_EQ(SymbolColourOn(colour(5)), QColor(Qt::white));  // purple
    // The symbol stays inside the outline, which stays black.
    for (std::uint8_t code = 1; code <= 5; ++code) {
        const QImage square = SymbolSquare(code, 31, Qt::black);
        for (int i = 0; i < 31; ++i) {
            EXPECT_EQ(square.pixel(i, 0) & 0xFFFFFF, 0u);
            EXPECT_EQ(square.pixel(0, i) & 0xFFFFFF, 0u);
            EXPECT_EQ(square.pixel(30, i) & 0xFFFFFF, 0u);
            EXPECT_EQ(square.pixel(i, 30) & 0xFFFFFF, 0u);
        }
        EXPECT_EQ(square.pixel(2, 2), colour(code).rgb()) << "the colour shows around the symbol";
    }
}
