// The colour-squares play state: its phases and their guarded transitions, and what they
// make the two timers do, without a window.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "common/WRandom.h"
#include "squares/engine/SquaresGame.h"

using namespace vum;
using Phase = SquaresGame::Phase;

namespace {

void ExpectTimers(const SquaresGame& game, bool field, bool clock) {
    EXPECT_EQ(game.FieldTimerRuns(), field);
    EXPECT_EQ(game.ClockTimerRuns(), clock);
}

// The game's position with another field, and as many points.
SquaresPosition WithField(const SquaresGame& game, const SquaresField::Grid& field, std::int32_t score = 0) {
    SquaresPosition position = game.Position();
    position.Field = field;
    position.Score = score;
    return position;
}

// A field whose next tick puts a square into the top row.
SquaresField::Grid FullColumn() {
    SquaresField::Grid field{};
    for (int r = 1; r < SquaresField::Rows; ++r) field[static_cast<std::size_t>(r * SquaresField::Columns)] = 1;
    return field;
}

// Three reds in an L at the bottom left.
SquaresField::Grid Group() {
    SquaresField::Grid field{};
    field[180] = 1;
    field[190] = 1;
    field[191] = 1;
    return field;
}

SquaresGame Running(const SquaresField::Grid& field = {}, std::int32_t score = 0) {
    SquaresGame game;
    game.NewGame();
    EXPECT_TRUE(game.Restore(WithField(game, field, score)));
    EXPECT_TRUE(game.TogglePause());
    return game;
}

}  // namespace

TEST(SquaresGame, BeforeTheFirstGameOnlyTheSpeedClockCounts) {
    SquaresGame game;
    EXPECT_EQ(game.CurrentPhase(), Phase::ChoosingLevel);
    ExpectTimers(game, false, true);
    EXPECT_EQ(game.FieldInterval(), 2000);
    EXPECT_EQ(game.Level(), 1);
    EXPECT_EQ(game.ColourCount(), 4);
    // Pausing, leaving and presses do nothing yet; the clock's minute shortens the tick anyway.
    EXPECT_FALSE(game.TogglePause());
    EXPECT_FALSE(game.PauseOnLeave());
    EXPECT_FALSE(game.Press(5, 575));
    for (int i = 0; i < 59; ++i) EXPECT_FALSE(game.ClockTick());
    EXPECT_TRUE(game.ClockTick());
    EXPECT_EQ(game.FieldInterval(), 1800);
    EXPECT_EQ(game.SpeedLevel(), 2);
}

TEST(SquaresGame, ANewGameRunsAtTheStartIntervalAndKeepsTheClocksCount) {
    SquaresGame game = Running(Group(), 70);
    for (int i = 0; i < 45; ++i) game.ClockTick();
    game.NewGame();
    EXPECT_EQ(game.CurrentPhase(), Phase::Running);
    ExpectTimers(game, true, true);
    EXPECT_EQ(game.FieldInterval(), 2300);
    EXPECT_EQ(game.Score(), 0);
    EXPECT_EQ(game.Field(), SquaresField::Grid{});
    EXPECT_EQ(game.SpeedLevel(), 1);
    // The first minute of this game is over after 15 more seconds.
    for (int i = 0; i < 14; ++i) EXPECT_FALSE(game.ClockTick());
    EXPECT_TRUE(game.ClockTick());
    EXPECT_EQ(game.FieldInterval(), 2100);
}

TEST(SquaresGame, PauseStopsBothClocksAndPressesUntilResumed) {
    SquaresGame game = Running(Group());
    EXPECT_TRUE(game.TogglePause());
    EXPECT_EQ(game.CurrentPhase(), Phase::Paused);
    ExpectTimers(game, false, false);
    EXPECT_FALSE(game.Press(5, 575));
    EXPECT_EQ(game.Field()[190], 1);
    EXPECT_TRUE(game.TogglePause());
    ExpectTimers(game, true, true);
    EXPECT_TRUE(game.Press(5, 575));
    EXPECT_EQ(game.Score(), 30);
}

TEST(SquaresGame, TheEndStopsEverythingAndOnlyANewGameStartsAgain) {
    SquaresGame game = Running();
    WRandom random(3);
    EXPECT_FALSE(game.FieldTick(random));
    game = Running(FullColumn());
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
    SquaresGame game = Running(Group());
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

TEST(SquaresRestore, AGameTakenBackGoesOnPausedWhereItStood) {
    WRandom random(11);
    SquaresGame played;
    played.ChooseLevel(2);
    played.NewGame();
    for (int i = 0; i < 6; ++i) played.FieldTick(random);
    for (int i = 0; i < 60 * 9 + 17; ++i) played.ClockTick();
    for (int x = 5; x < 300; x += 30) played.Press(x, 585);
    const SquaresPosition saved = played.Position();
    ASSERT_EQ(saved.SpeedLevel, 10);
    ASSERT_EQ(saved.FieldInterval, 500);
    ASSERT_EQ(saved.SecondCount, 17);
    ASSERT_EQ(saved.Level, 2);

    SquaresGame game;
    ASSERT_TRUE(game.Restore(saved));
    EXPECT_EQ(game.Position(), saved);
    EXPECT_EQ(game.ColourCount(), 5);
    EXPECT_EQ(game.CurrentPhase(), Phase::Paused);
    ExpectTimers(game, false, false);
    EXPECT_TRUE(game.TogglePause());
    ExpectTimers(game, true, true);
    // Both go on alike: the same rows, the same removals, the same clock.
    WRandom again(5), same(5);
    EXPECT_EQ(played.FieldTick(again), game.FieldTick(same));
    EXPECT_EQ(played.Press(95, 585), game.Press(95, 585));
    for (int i = 0; i < 43; ++i) EXPECT_EQ(played.ClockTick(), game.ClockTick());
    EXPECT_EQ(game.Position(), played.Position());
}

TEST(SquaresRestore, APositionNoGameCanReachIsRefusedAndChangesNothing) {
    SquaresGame reference = Running(Group(), 30);
    const SquaresPosition sound = reference.Position();
    const auto changed = [&](auto change) {
        SquaresPosition position = sound;
        change(position);
        return position;
    };
    const std::vector<std::pair<const char*, SquaresPosition>> faults = {
        {"level 3", changed([](SquaresPosition& p) { p.Level = 3; })},
        {"level -1", changed([](SquaresPosition& p) { p.Level = -1; })},
        {"a fifth colour at level 1", changed([](SquaresPosition& p) { p.Field[192] = 5; })},
        {"a code beyond every level", changed([](SquaresPosition& p) { p.Field[192] = 6; })},
        {"a square in the danger row", changed([](SquaresPosition& p) { p.Field[3] = 1; })},
        {"a square above a gap", changed([](SquaresPosition& p) { p.Field[171] = 2; })},
        {"points off the tens", changed([](SquaresPosition& p) { p.Score = 35; })},
        {"negative points", changed([](SquaresPosition& p) { p.Score = -10; })},
        {"speed level 0", changed([](SquaresPosition& p) { p.SpeedLevel = 0; })},
        {"speed level 11", changed([](SquaresPosition& p) { p.SpeedLevel = 11; p.FieldInterval = 300; })},
        {"a minute's 60th second", changed([](SquaresPosition& p) { p.SecondCount = 60; })},
        {"a second before the count", changed([](SquaresPosition& p) { p.SecondCount = -1; })},
        {"an interval off the schedule", changed([](SquaresPosition& p) { p.FieldInterval = 2200; })},
        {"level 9 at the floor", changed([](SquaresPosition& p) { p.SpeedLevel = 9; p.FieldInterval = 500; })},
        {"the start interval at level 2", changed([](SquaresPosition& p) { p.SpeedLevel = 2; })},
    };
    for (const auto& [fault, position] : faults) {
        SCOPED_TRACE(fault);
        SquaresGame game = Running(Group(), 30);
        EXPECT_FALSE(game.Restore(position));
        EXPECT_EQ(game.Position(), sound);
        EXPECT_EQ(game.CurrentPhase(), Phase::Running);
    }
    // Each of them sound again: the last speed level, five colours, a full column.
    for (const SquaresPosition& position :
         {changed([](SquaresPosition& p) { p.SpeedLevel = 10; p.FieldInterval = 500; p.SecondCount = 59; }),
          changed([](SquaresPosition& p) { p.Level = 2; p.Field[192] = 5; }),
          changed([](SquaresPosition& p) { p.Field = FullColumn(); })}) {
        SquaresGame game;
        EXPECT_TRUE(game.Restore(position));
        EXPECT_EQ(game.Position(), position);
    }
}

TEST(SquaresCursor, TheFirstArrowShowsItAndTheNextMoveItUpToTheEdges) {
    SquaresGame game = Running(Group());
    EXPECT_FALSE(game.CursorShown());
    game.MoveCursor(-1, 0);
    EXPECT_TRUE(game.CursorShown());
    EXPECT_EQ(game.CursorCell(), 190) << "shown where it stood: the bottom left";
    game.MoveCursor(0, -1);
    game.MoveCursor(1, 0);
    EXPECT_EQ(game.CursorCell(), 190) << "the edges hold it";
    for (int i = 0; i < 12; ++i) game.MoveCursor(0, 1);
    EXPECT_EQ(game.CursorCell(), 199);
    for (int i = 0; i < 25; ++i) game.MoveCursor(-1, 0);
    EXPECT_EQ(game.CursorCell(), 9) << "up to the danger row";
    game.HideCursor();
    EXPECT_FALSE(game.CursorShown());
    game.MoveCursor(0, -1);
    EXPECT_EQ(game.CursorCell(), 9) << "shown again where it was hidden";
}

TEST(SquaresCursor, ItRidesOnItsSquareAsTheFieldRisesAndWaitsOverAnEmptyCell) {
    SquaresGame game = Running(Group());
    WRandom random(8);
    game.MoveCursor(0, 0);  // on the red at row 19, column 0
    game.FieldTick(random);
    EXPECT_EQ(game.CursorCell(), 180);
    EXPECT_EQ(game.Field()[180], 1) << "still on the same red square";
    game.MoveCursor(-1, 0);
    game.MoveCursor(-1, 0);
    game.MoveCursor(-1, 0);
    ASSERT_EQ(game.CursorCell(), 150);
    ASSERT_EQ(game.Field()[150], 0);
    game.FieldTick(random);
    EXPECT_EQ(game.CursorCell(), 150) << "over an empty cell it keeps its place";
    game.FieldTick(random);
    ASSERT_NE(game.Field()[150], 0) << "the field has come up to it";
    EXPECT_EQ(game.CursorCell(), 150);
    const std::uint8_t code = game.Field()[150];
    game.FieldTick(random);
    EXPECT_EQ(game.CursorCell(), 140) << "and now it rides on that square";
    EXPECT_EQ(game.Field()[140], code);
    // Hidden, it stays where it was.
    game.HideCursor();
    game.FieldTick(random);
    EXPECT_EQ(game.CursorCell(), 140);
}

TEST(SquaresCursor, SpaceRemovesTheGroupUnderItExactlyAsAPressInsideItsCell) {
    SquaresField::Grid field{};
    // An L of three reds, a pair of greens and a blue: only the reds are a group.
    for (const std::size_t i : {180u, 190u, 191u}) field[i] = 1;
    for (const std::size_t i : {192u, 193u}) field[i] = 2;
    field[194] = 3;
    for (const int cell : {190, 191, 180, 192, 194, 150}) {
        SCOPED_TRACE(cell);
        SquaresGame keyed = Running(field, 50);
        SquaresGame pressed = Running(field, 50);
        keyed.MoveCursor(0, 0);
        for (int c = 0; c < cell % 10; ++c) keyed.MoveCursor(0, 1);
        for (int r = cell / 10; r < 19; ++r) keyed.MoveCursor(-1, 0);
        ASSERT_EQ(keyed.CursorCell(), cell);
        const SquaresField::CellSet group = keyed.CursorGroup();
        EXPECT_EQ(group.count(), cell == 180 || cell == 190 || cell == 191 ? 3u : 0u);
        const bool removed = pressed.Press(cell % 10 * 30 + 15, cell / 10 * 30 + 15);
        EXPECT_EQ(keyed.PressCursor(), removed);
        EXPECT_EQ(keyed.Field(), pressed.Field());
        EXPECT_EQ(keyed.Score(), pressed.Score());
        EXPECT_EQ(keyed.Score(), 50 + static_cast<int>(group.count()) * 10) << "the points its outline promised";
    }
}

TEST(SquaresCursor, SpaceKeepsTheGuardsOfAPress) {
    SquaresGame game = Running(Group());
    game.MoveCursor(0, 0);
    // Hidden: nothing, though the cursor's cell holds a group.
    game.HideCursor();
    EXPECT_FALSE(game.PressCursor());
    EXPECT_TRUE(game.CursorGroup().none());
    game.MoveCursor(0, 0);
    // Paused and under a dialog: the group is outlined and waits.
    game.TogglePause();
    EXPECT_EQ(game.CursorGroup().count(), 3u);
    EXPECT_FALSE(game.PressCursor());
    game.TogglePause();
    game.Suspend();
    EXPECT_FALSE(game.PressCursor());
    game.Resume();
    EXPECT_EQ(game.Field(), Group());
    // Ended: no group to offer.
    SquaresGame ended = Running(FullColumn());
    WRandom random(1);
    ended.MoveCursor(0, 0);
    ASSERT_TRUE(ended.FieldTick(random));
    EXPECT_TRUE(ended.CursorGroup().none());
    EXPECT_FALSE(ended.PressCursor());
    EXPECT_TRUE(game.PressCursor());
    EXPECT_EQ(game.Score(), 30);
}
