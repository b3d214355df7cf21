// The colour-squares window and its saved game: written as the game goes and at every stop,
// taken back paused after the level dialog when its level is chosen, kept for another level,
// gone when the game ends on its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>

#include "SquaresUiSupport.h"
#include "gui/GameTimer.h"
#include "squares/Bestscoretabledialog.h"
#include "squares/Gameoverdialog.h"
#include "squares/Helpdialog.h"
#include "squares/Inputnamedialog.h"
#include "squares/engine/SquaresSave.h"

namespace {

std::string SavedPath(const SquaresFolder& folder, int level) { return folder.Data() + "/" + SavedRunName(level); }

bool ShowsPlaySign(const TForm1& form) { return form.PauseButton1->Glyph() == form.SpeedButton1->Glyph(); }

// A game of level 1 in progress: two rows, 120 points, speed level 4 with 33 seconds on the clock.
SquaresPosition InProgress() {
    SquaresPosition position;
    position.Level = 1;
    for (std::size_t i = 180; i < 200; ++i) position.Field[i] = static_cast<std::uint8_t>(i % 4 + 1);
    position.Score = 120;
    position.SpeedLevel = 4;
    position.SecondCount = 33;
    position.FieldInterval = 1700;
    return position;
}

}  // namespace

TEST(SquaresResume, TheSavedGameOfTheChosenLevelComesBackPausedAndF5GoesOn) {
    SquaresFolder folder;
    MakeFolders(folder.Data());
    ASSERT_TRUE(WriteSavedRun(SavedPath(folder, 1), InProgress()));
    auto form = StartGame(folder, 1);
    EXPECT_EQ(form->Game.Position(), InProgress()) << "no new game, no first row";
    EXPECT_EQ(form->Game.CurrentPhase(), SquaresGame::Phase::Paused);
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_TRUE(ShowsPlaySign(*form));
    EXPECT_EQ(form->ScorePanel1->Caption(), " Очки: 120");
    EXPECT_EQ(form->LevelPanel1->Caption(), " Уровень: 4");
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_EQ(form->Timer1->Interval(), 1700);
    // 27 more seconds make the speed-up that the 33 before them had begun.
    for (int i = 0; i < 26; ++i) form->Timer2Timer();
    EXPECT_EQ(form->LevelPanel1->Caption(), " Уровень: 4");
    form->Timer2Timer();
    EXPECT_EQ(form->LevelPanel1->Caption(), " Уровень: 5");
}

TEST(SquaresResume, ASavedGameOfAnotherLevelIsKeptAndADamagedOneIsPassedOver) {
    SquaresFolder folder;
    MakeFolders(folder.Data());
    ASSERT_TRUE(WriteSavedRun(SavedPath(folder, 1), InProgress()));
    const std::string kept = TestFolder::Read(SavedPath(folder, 1));
    TestFolder::Write(SavedPath(folder, 0), "VumSquare saved game\nversion 1\nlevel 0\nscore 1");
    SquaresPosition unreachable = InProgress();
    unreachable.Level = 2;
    unreachable.Field[5] = 3;  // a square in the danger row: a game that had ended
    ASSERT_TRUE(WriteSavedRun(SavedPath(folder, 2), unreachable));
    for (const int level : {0, 2}) {
        SCOPED_TRACE(level);
        auto form = StartGame(folder, level);
        EXPECT_EQ(form->Game.CurrentPhase(), SquaresGame::Phase::Running) << "a new game";
        EXPECT_EQ(form->Game.Score(), 0);
        EXPECT_NE(form->Game.Field()[195], 0) << "with its first row";
        // The new game's file replaces the damaged one at its first second.
        form->Timer2Timer();
        const auto saved = ReadSavedRun(SavedPath(folder, level));
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(*saved, form->Game.Position());
    }
    EXPECT_EQ(TestFolder::Read(SavedPath(folder, 1)), kept);
}

TEST(SquaresResume, TheGameIsWrittenAsItGoesAndAtOnceWhenPlayStops) {
    SquaresFolder folder;
    auto form = StartGame(folder, 0);
    const auto saved = [&] { return ReadSavedRun(SavedPath(folder, 0)); };
    EXPECT_FALSE(saved().has_value()) << "nothing before the window shows";
    form->Timer2Timer();
    ASSERT_TRUE(saved().has_value()) << "a new game is written at its first second";
    EXPECT_EQ(*saved(), form->Game.Position());

    LayField(*form, {"1000000000", "1100000000"});
    PressField(*form, 5, 575);
    form->Timer1Timer();
    ASSERT_EQ(form->Game.Score(), 30);
    EXPECT_NE(*saved(), form->Game.Position()) << "not yet: within five seconds of the speed clock";
    for (int second = 0; second < 5; ++second) form->Timer2Timer();
    EXPECT_EQ(*saved(), form->Game.Position());

    // Every stop writes at once: a pause, a game dialog, leaving, closing.
    form->Timer1Timer();
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(*saved(), form->Game.Position());
    QTest::keyClick(form.get(), Qt::Key_F5);
    form->Timer1Timer();
    {
        ModalScript dialogs;
        dialogs.Then<THelpDialog1>([&](THelpDialog1&) { EXPECT_EQ(*saved(), form->Game.Position()); });
        QTest::keyClick(form.get(), Qt::Key_F1);
    }
    form->Timer1Timer();
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(*saved(), form->Game.Position());
    QTest::keyClick(form.get(), Qt::Key_F5);
    form->Timer2Timer();
    form->Timer1Timer();
    const SquaresPosition last = form->Game.Position();
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(*saved(), last) << "with the clock's count of the moment";
}

TEST(SquaresResume, AGameThatEndsOnItsOwnIsGoneBeforeTheTableSeesItsScore) {
    SquaresFolder folder;
    auto form = StartGame(folder, 1);
    LastTick(*form, 50);
    ModalScript dialogs;
    dialogs.Then<TGameOverDialog1>([&](TGameOverDialog1& splash) {
        EXPECT_FALSE(std::filesystem::exists(SavedPath(folder, 1)));
        splash.Timer1Timer();
    });
    dialogs.Then<TInputNameDialog1>([](TInputNameDialog1& box) { QTest::keyClick(&box, Qt::Key_Return); });
    dialogs.Then<TBestScoreTableDialog1>([](TBestScoreTableDialog1& table) { QTest::keyClick(&table, Qt::Key_Return); });
    form->Timer1Timer();
    // Nothing brings it back: closing writes nothing, the next start makes a new game.
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(std::filesystem::exists(SavedPath(folder, 1)));
    form = StartGame(folder, 1);
    EXPECT_EQ(form->Game.Score(), 0);
    EXPECT_EQ(form->Game.CurrentPhase(), SquaresGame::Phase::Running);
}
