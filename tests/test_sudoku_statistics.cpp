// The time of a puzzle and the statistics of the levels, without a window: what the clock
// counts and what it does not, and what a solved puzzle does to its level's statistics.
#include <gtest/gtest.h>

#include "SudokuTestGames.h"
#include "TestFolder.h"
#include "common/WRandom.h"
#include "sudoku/engine/SudokuGame.h"
#include "sudoku/engine/SudokuPlayClock.h"
#include "sudoku/engine/SudokuStatistics.h"

using namespace vum;

namespace {

void Solve(SudokuGame& game) {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (!game.IsGiven(c, r)) game.Enter(c, r, game.Solution()[c][r]);
}

}  // namespace

TEST(SudokuPlayClock, CountsOnlyWhileThePuzzleCanBePlayed) {
    std::int64_t now = 1000;
    SudokuPlayClock clock([&] { return now; });
    SudokuGame game = NewGame(1);
    const auto after = [&](std::int64_t milliseconds) {
        now += milliseconds;
        clock.Update(game);
    };
    after(0);
    after(5000);
    EXPECT_EQ(game.PlayedMilliseconds(), 0) << "the window was never active";
    clock.SetActive(true);
    after(0);
    after(3000);
    EXPECT_EQ(game.PlayedMilliseconds(), 3000);
    EXPECT_EQ(clock.Elapsed(game), 3000);
    now += 250;
    EXPECT_EQ(clock.Elapsed(game), 3250) << "the running span shows before it is credited";
    clock.SetInterrupted(true);  // a question or a notice
    after(0);
    after(4000);
    clock.SetInterrupted(false);
    after(0);
    game.ShowSolution();
    after(0);
    after(7000);
    EXPECT_EQ(game.PlayedMilliseconds(), 3250);
    game.Undo();  // nothing to undo: the solution stays
    game.Restart();
    after(0);
    after(1000);
    clock.SetActive(false);  // the player left the window
    after(0);
    after(9000);
    EXPECT_EQ(game.PlayedMilliseconds(), 4250);
    clock.SetActive(true);
    after(0);
    Solve(game);
    after(500);
    after(8000);
    EXPECT_EQ(game.PlayedMilliseconds(), 4750) << "a solved puzzle's time stands still";
}

TEST(SudokuStatistics, ASolvedPuzzleCountsItsTimeAndRunUnlessItsSolutionWasSeen) {
    SudokuStatistics statistics;
    SudokuGame game = NewGame(2);
    statistics.PuzzleStarted(game);
    statistics.PuzzleStarted(game);
    for (const std::int64_t time : {90000, 60000, 75000}) statistics.PuzzleSolved(game, time);
    const SudokuLevelStatistics& level = statistics.Of(2);
    EXPECT_EQ(level.Started, 2);
    EXPECT_EQ(level.BestMilliseconds, 60000);
    EXPECT_EQ(level.MeanMilliseconds(), 75000);
    EXPECT_EQ(level.Run, 3);
    EXPECT_TRUE(level.NewBest);
    statistics.Shown();
    EXPECT_FALSE(statistics.Of(2).NewBest);
    statistics.PuzzleSolved(game, 70000);
    EXPECT_FALSE(statistics.Of(2).NewBest) << "not better than the best";

    // With the solution seen, the run ends and no time is kept.
    game.ShowSolution();
    statistics.PuzzleSolved(game, 1000);
    EXPECT_EQ(statistics.Of(2).Run, 0);
    EXPECT_EQ(statistics.Of(2).LongestRun, 4);
    EXPECT_EQ(statistics.Of(2).BestMilliseconds, 60000);
    // Ten times at most make the mean; other levels are untouched.
    SudokuGame fresh = NewGame(2, 12);
    for (int i = 0; i < 12; ++i) statistics.PuzzleSolved(fresh, 100000);
    EXPECT_EQ(statistics.Of(2).RecentMilliseconds.size(), SudokuLevelStatistics::RecentCount);
    EXPECT_EQ(statistics.Of(2).MeanMilliseconds(), 100000);
    statistics.HintUsed(fresh);
    EXPECT_EQ(statistics.Of(2).Hints, 1);
    EXPECT_EQ(statistics.Of(0), SudokuLevelStatistics{});
    EXPECT_EQ(statistics.Of(1), SudokuLevelStatistics{});
}

TEST(SudokuStatistics, APuzzleThePlayerBroughtIsNotCounted) {
    SudokuStatistics statistics;
    const SudokuGame made = NewGame(0);
    SudokuGrid givens = made.Solution();
    givens[4][4] = -1;
    SudokuGame brought = NewGame(0);
    ASSERT_TRUE(brought.Import(givens, made.Solution()));
    statistics.PuzzleStarted(brought);
    statistics.PuzzleSolved(brought, 5);
    statistics.HintUsed(brought);
    EXPECT_EQ(statistics, SudokuStatistics{});
}

TEST(SudokuStatistics, TheFileComesBackAsItWasAndADamagedOneIsIgnored) {
    SudokuStatistics statistics;
    SudokuGame game = NewGame(1);
    statistics.PuzzleStarted(game);
    statistics.PuzzleSolved(game, 123456);
    statistics.HintUsed(game);
    const std::string text = statistics.Text();
    ASSERT_EQ(SudokuStatistics::FromText(text), statistics);
    EXPECT_NE(text.find("\nlevel 1\nstarted 1\nbest 123456\nrecent 123456\nrun 1\nlongest 1\nhints 1\nnew-best 1\n"),
              std::string::npos)
        << text;
    TestFolder folder;
    const std::string path = folder.File(StatisticsName);
    EXPECT_EQ(SudokuStatistics::Read(path), SudokuStatistics{});
    ASSERT_TRUE(statistics.Write(path));
    EXPECT_EQ(SudokuStatistics::Read(path), statistics);

    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        return changed;
    };
    for (const std::string& bad : {
             std::string(),
             text.substr(0, text.size() / 2),
             replaced("version 1", "version 2"),
             replaced("level 1", "level 0"),
             replaced("started 1", "started -1"),
             replaced("best 123456", "best x"),
             replaced("recent 123456", "recent 99"),  // better than the best
             replaced("run 1", "run 2"),              // longer than the longest
             replaced("new-best 1", "new-best 2"),
             text + "level 3\n",
         })
        EXPECT_FALSE(SudokuStatistics::FromText(bad).has_value()) << bad;
    TestFolder::Write(path, "garbage");
    EXPECT_EQ(SudokuStatistics::Read(path), SudokuStatistics{});
}
