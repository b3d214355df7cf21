// The colour-squares play state: its phases and their guarded transitions, and what they
// make the two timers do, without a window.
#include <gtest/gtest.h>

#include "common/WRandom.h"
#include "squares/engine/SquaresGame.h"

using namespace vum;
using Phase = SquaresGame::Phase;

namespace {

void ExpectTimers(const SquaresGame& game, bool field, bool clock) {
    EXPECT_EQ(game.FieldTimerRuns(), field);
    EXPECT_EQ(game.ClockTimerRuns(), clock);
}

// A field whose next tick puts a square into the top row.
void FillColumn(SquaresGame& game) {
    for (int r = 1; r < SquaresField::Rows; ++r) game.Squares.Field[static_cast<std::size_t>(r * SquaresField::Columns)] = 1;
}

// Three reds in an L at the bottom left.
void LayGroup(SquaresGame& game) {
    game.Squares.Field.fill(0);
    game.Squares.Field[180] = 1;
    game.Squares.Field[190] = 1;
    game.Squares.Field[191] = 1;
}

SquaresGame Running() {
    SquaresGame game;
    game.NewGame();
    return game;
}

}  // namespace

TEST(SquaresGame, BeforeTheFirstGameOnlyTheSpeedClockCounts) {
    SquaresGame game;
    EXPECT_EQ(game.CurrentPhase(), Phase::ChoosingLevel);
    ExpectTimers(game, false, true);
    EXPECT_EQ(game.FieldInterval, 2000);
    // Pausing, leaving and presses do nothing yet; the clock's minute shortens the tick anyway.
    EXPECT_FALSE(game.TogglePause());
    EXPECT_FALSE(game.PauseOnLeave());
    LayGroup(game);
    EXPECT_FALSE(game.Press(5, 575));
    for (int i = 0; i < 59; ++i) EXPECT_FALSE(game.ClockTick());
    EXPECT_TRUE(game.ClockTick());
    EXPECT_EQ(game.FieldInterval, 1800);
    EXPECT_EQ(game.Clock.SpeedLevel, 2);
}

TEST(SquaresGame, ANewGameRunsAtTheStartIntervalAndKeepsTheClocksCount) {
    SquaresGame game;
    for (int i = 0; i < 45; ++i) game.ClockTick();
    game.Squares.Score = 70;
    game.NewGame();
    EXPECT_EQ(game.CurrentPhase(), Phase::Running);
    ExpectTimers(game, true, true);
    EXPECT_EQ(game.FieldInterval, 2300);
    EXPECT_EQ(game.Squares.Score, 0);
    EXPECT_EQ(game.Clock.SpeedLevel, 1);
    // The first minute of this game is over after 15 more seconds.
    for (int i = 0; i < 14; ++i) EXPECT_FALSE(game.ClockTick());
    EXPECT_TRUE(game.ClockTick());
    EXPECT_EQ(game.FieldInterval, 2100);
}

TEST(SquaresGame, PauseStopsBothClocksAndPressesUntilResumed) {
    SquaresGame game = Running();
    LayGroup(game);
    EXPECT_TRUE(game.TogglePause());
    EXPECT_EQ(game.CurrentPhase(), Phase::Paused);
    ExpectTimers(game, false, false);
    EXPECT_FALSE(game.Press(5, 575));
    EXPECT_EQ(game.Squares.Field[190], 1);
    EXPECT_TRUE(game.TogglePause());
    ExpectTimers(game, true, true);
    EXPECT_TRUE(game.Press(5, 575));
    EXPECT_EQ(game.Squares.Score, 30);
}

TEST(SquaresGame, TheEndStopsEverythingAndOnlyANewGameStartsAgain) {
    SquaresGame game = Running();
    WRandom random(3);
    EXPECT_FALSE(game.FieldTick(random));
    FillColumn(game);
    EXPECT_TRUE(game.FieldTick(random));
    EXPECT_EQ(game.CurrentPhase(), Phase::Ended);
    ExpectTimers(game, false, false);
    // Pausing, resuming and leaving after the end change nothing: the game would end again.
    EXPECT_FALSE(game.TogglePause());
    EXPECT_FALSE(game.PauseOnLeave());
    ExpectTimers(game, false, false);
    game.NewGame();
    EXPECT_EQ(game.CurrentPhase(), Phase::Running);
    ExpectTimers(game, true, true);
}

TEST(SquaresGame, ADialogOverTheGameHoldsItAndGivesItBackAsItWas) {
    SquaresGame game = Running();
    LayGroup(game);
    game.Suspend();
    ExpectTimers(game, false, false);
    EXPECT_FALSE(game.Press(5, 575));
    // A dialog from a dialog: the game stays held until the last one closes.
    game.Suspend();
    game.Resume();
    ExpectTimers(game, false, false);
    game.Resume();
    EXPECT_EQ(game.CurrentPhase(), Phase::Running);
    ExpectTimers(game, true, true);

    game.TogglePause();
    game.Suspend();
    game.Resume();
    EXPECT_EQ(game.CurrentPhase(), Phase::Paused);
    ExpectTimers(game, false, false);
    game.Resume();  // one too many changes nothing
    ExpectTimers(game, false, false);
}

TEST(SquaresGame, LeavingPausesARunningGameOnly) {
    SquaresGame game = Running();
    EXPECT_TRUE(game.PauseOnLeave());
    EXPECT_EQ(game.CurrentPhase(), Phase::Paused);
    // Coming back does not resume: the player does.
    EXPECT_FALSE(game.PauseOnLeave());
    EXPECT_EQ(game.CurrentPhase(), Phase::Paused);
    game.TogglePause();
    // The game's own dialogs hold the game themselves and give it back when they close.
    game.Suspend();
    EXPECT_FALSE(game.PauseOnLeave());
    game.Resume();
    EXPECT_EQ(game.CurrentPhase(), Phase::Running);
}
