// The Sudoku play state: a puzzle of a level, entries and clears, the undo history, restart,
// the solution and the solved test, without a window.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "common/WRandom.h"
#include "sudoku/engine/SudokuGame.h"

using namespace vum;

namespace {

using Cell = std::pair<int, int>;

SudokuGame NewGame(std::int32_t level, std::uint32_t seed = 7) {
    SudokuGame game;
    game.SetLevel(level);
    WRandom random(seed);
    game.NewPuzzle(random);
    return game;
}

std::vector<Cell> EmptyCells(const SudokuGame& game) {
    std::vector<Cell> cells;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (!game.IsGiven(c, r)) cells.emplace_back(c, r);
    return cells;
}

int SolutionAt(const SudokuGame& game, Cell cell) { return game.Sudoku.SolutionGrid[cell.first][cell.second]; }

// A digit 1..9 other than the cell's solution digit.
int WrongAt(const SudokuGame& game, Cell cell) { return SolutionAt(game, cell) % 9 + 1; }

void ExpectStartOfPuzzle(const SudokuGame& game) {
    EXPECT_FALSE(game.CanUndo());
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            const int expected = game.IsGiven(c, r) ? game.Sudoku.SolutionGrid[c][r] : -1;
            EXPECT_EQ(game.Sudoku.PlayerGrid[c][r], expected) << c << "," << r;
            EXPECT_EQ(game.Shown(c, r), expected) << c << "," << r;
        }
}

}  // namespace

TEST(SudokuGame, ALevelSetsTheNumberOfGivensAndAnUnknownLevelKeepsIt) {
    for (const auto& [level, givens] : std::vector<std::pair<int, int>>{{0, 42}, {1, 35}, {2, 28}}) {
        const SudokuGame game = NewGame(level);
        EXPECT_EQ(game.Level(), level);
        EXPECT_EQ(game.GivenCount, givens);
        EXPECT_EQ(81 - static_cast<int>(EmptyCells(game).size()), givens);
        ExpectStartOfPuzzle(game);
    }
    SudokuGame game;
    game.SetLevel(0);
    game.SetLevel(5);
    EXPECT_EQ(game.GivenCount, 42);
}

TEST(SudokuGame, UndoTakesTheEntriesBackNewestFirstAndAClearTakesNoStep) {
    SudokuGame game = NewGame(1);
    const auto empty = EmptyCells(game);
    const Cell a = empty[0], b = empty[1], c = empty[2];
    EXPECT_FALSE(game.Enter(a.first, a.second, WrongAt(game, a)));
    EXPECT_FALSE(game.Enter(b.first, b.second, SolutionAt(game, b)));
    EXPECT_FALSE(game.Enter(a.first, a.second, SolutionAt(game, a)));  // a second entry in the same cell
    game.Clear(b.first, b.second);
    EXPECT_EQ(game.Shown(b.first, b.second), -1);
    EXPECT_EQ(game.Sudoku.UndoHistory.size(), 3u);

    // Each undo restores the board as it was before one entry: the clear is undone with the
    // entry before it.
    ASSERT_TRUE(game.Undo());
    EXPECT_EQ(game.Shown(a.first, a.second), WrongAt(game, a));
    EXPECT_EQ(game.Shown(b.first, b.second), SolutionAt(game, b));
    ASSERT_TRUE(game.Undo());
    EXPECT_EQ(game.Shown(b.first, b.second), -1);
    EXPECT_EQ(game.Shown(a.first, a.second), WrongAt(game, a));
    ASSERT_TRUE(game.Undo());
    ExpectStartOfPuzzle(game);
    EXPECT_FALSE(game.Undo());
    EXPECT_EQ(game.Shown(c.first, c.second), -1);
}

TEST(SudokuGame, GivensAndDigitsOutsideOneToNineCannotBeEntered) {
    SudokuGame game = NewGame(0);
    Cell given{-1, -1};
    for (int c = 0; c < 9 && given.first < 0; ++c)
        for (int r = 0; r < 9; ++r)
            if (game.IsGiven(c, r)) {
                given = {c, r};
                break;
            }
    const Cell empty = EmptyCells(game).front();
    const auto before = game.Sudoku.PlayerGrid;
    EXPECT_FALSE(game.Enter(given.first, given.second, WrongAt(game, given)));
    game.Clear(given.first, given.second);
    for (const int digit : {0, 10, -1}) EXPECT_FALSE(game.Enter(empty.first, empty.second, digit));
    EXPECT_FALSE(game.Enter(9, 0, 1));
    EXPECT_EQ(game.Sudoku.PlayerGrid, before);
    EXPECT_FALSE(game.CanUndo());
}

TEST(SudokuGame, RestartKeepsThePuzzleAndDropsEntriesHistoryAndTheShownSolution) {
    SudokuGame game = NewGame(2);
    const auto solution = game.Sudoku.SolutionGrid;
    const auto givens = game.Sudoku.GivenMask;
    for (const Cell& cell : EmptyCells(game)) game.Enter(cell.first, cell.second, WrongAt(game, cell));
    game.ShowSolution();
    game.Restart();
    EXPECT_EQ(game.Sudoku.SolutionGrid, solution);
    EXPECT_EQ(game.Sudoku.GivenMask, givens);
    ExpectStartOfPuzzle(game);
}

TEST(SudokuGame, TheSolutionStaysOnTheBoardUntilAnUndoButTheEntriesStandUnderneath) {
    SudokuGame game = NewGame(1);
    const auto empty = EmptyCells(game);
    const Cell first = empty[0], second = empty[1], third = empty[2];
    game.Enter(first.first, first.second, WrongAt(game, first));
    game.Enter(second.first, second.second, WrongAt(game, second));
    const auto player = game.Sudoku.PlayerGrid;
    game.ShowSolution();
    EXPECT_EQ(game.ShownGrid, game.Sudoku.SolutionGrid);
    EXPECT_EQ(game.Sudoku.PlayerGrid, player);
    EXPECT_EQ(game.Sudoku.UndoHistory.size(), 2u);

    // An entry shows in its own cell only; the rest of the solution stays.
    game.Enter(third.first, third.second, WrongAt(game, third));
    EXPECT_EQ(game.Shown(third.first, third.second), WrongAt(game, third));
    EXPECT_EQ(game.Shown(first.first, first.second), SolutionAt(game, first));

    // An undo shows the player's board again, less that entry.
    game.Undo();
    EXPECT_EQ(game.ShownGrid, player);
}

TEST(SudokuGame, OnlyTheEntryThatCompletesAValidBoardSolvesIt) {
    SudokuGame game = NewGame(1, 11);
    auto empty = EmptyCells(game);
    const Cell last = empty.back();
    empty.pop_back();
    for (const Cell& cell : empty) EXPECT_FALSE(game.Enter(cell.first, cell.second, SolutionAt(game, cell)));
    EXPECT_FALSE(game.Solved());
    // A full board with a wrong digit is not solved; the right digit then solves it.
    EXPECT_FALSE(game.Enter(last.first, last.second, WrongAt(game, last)));
    EXPECT_FALSE(game.Solved());
    EXPECT_TRUE(game.Enter(last.first, last.second, SolutionAt(game, last)));
    EXPECT_TRUE(game.Solved());
    // Clearing a cell of a solved board unsolves it.
    game.Clear(last.first, last.second);
    EXPECT_FALSE(game.Solved());
}

TEST(SudokuGame, ANewPuzzleStartsAfresh) {
    SudokuGame game = NewGame(1);
    const Cell cell = EmptyCells(game).front();
    game.Enter(cell.first, cell.second, SolutionAt(game, cell));
    game.ShowSolution();
    const auto previous = game.Sudoku.SolutionGrid;
    WRandom random(99);
    game.NewPuzzle(random);
    EXPECT_NE(game.Sudoku.SolutionGrid, previous);
    EXPECT_EQ(game.GivenCount, 35);
    ExpectStartOfPuzzle(game);
}
