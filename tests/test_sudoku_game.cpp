// The Sudoku play state: a puzzle of a level, entries and clears, the undo history, restart,
// the solution and the solved test, without a window.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "SudokuTestGames.h"
#include "common/WRandom.h"
#include "sudoku/engine/SudokuGame.h"

using namespace vum;

namespace {

using Cell = std::pair<int, int>;

std::vector<Cell> EmptyCells(const SudokuGame& game) {
    std::vector<Cell> cells;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (!game.IsGiven(c, r)) cells.emplace_back(c, r);
    return cells;
}

Cell FirstGiven(const SudokuGame& game) {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (game.IsGiven(c, r)) return {c, r};
    ADD_FAILURE() << "a puzzle without givens";
    return {0, 0};
}

int SolutionAt(const SudokuGame& game, Cell cell) { return game.Solution()[cell.first][cell.second]; }

// A digit 1..9 other than the cell's solution digit.
int WrongAt(const SudokuGame& game, Cell cell) { return SolutionAt(game, cell) % 9 + 1; }

void ExpectStartOfPuzzle(const SudokuGame& game) {
    EXPECT_FALSE(game.CanUndo());
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            const int expected = game.IsGiven(c, r) ? game.Solution()[c][r] : -1;
            EXPECT_EQ(game.Position().Board[c][r], expected) << c << "," << r;
            EXPECT_EQ(game.Shown(c, r), expected) << c << "," << r;
        }
}

}  // namespace

TEST(SudokuGame, ALevelSetsTheNumberOfGivensAndAnUnknownLevelKeepsIt) {
    for (const auto& [level, givens] : std::vector<std::pair<int, int>>{{0, 42}, {1, 35}, {2, 28}}) {
        const SudokuGame game = NewGame(level);
        EXPECT_EQ(game.Level(), level);
        EXPECT_EQ(game.GivenCount(), givens);
        EXPECT_EQ(81 - static_cast<int>(EmptyCells(game).size()), givens);
        ExpectStartOfPuzzle(game);
    }
    SudokuGame game;
    game.SetLevel(0);
    game.SetLevel(5);
    EXPECT_EQ(game.GivenCount(), 42);
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
    EXPECT_EQ(game.UndoHistory().size(), 3u);

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
    const Cell given = FirstGiven(game);
    const Cell empty = EmptyCells(game).front();
    const auto before = game.Position().Board;
    EXPECT_FALSE(game.Enter(given.first, given.second, WrongAt(game, given)));
    game.Clear(given.first, given.second);
    for (const int digit : {0, 10, -1}) EXPECT_FALSE(game.Enter(empty.first, empty.second, digit));
    EXPECT_FALSE(game.Enter(9, 0, 1));
    EXPECT_EQ(game.Position().Board, before);
    EXPECT_FALSE(game.CanUndo());
}

TEST(SudokuGame, RestartKeepsThePuzzleAndDropsEntriesHistoryAndTheShownSolution) {
    SudokuGame game = NewGame(2);
    const auto solution = game.Solution();
    const auto givens = game.Givens();
    for (const Cell& cell : EmptyCells(game)) game.Enter(cell.first, cell.second, WrongAt(game, cell));
    game.ShowSolution();
    game.Restart();
    EXPECT_EQ(game.Solution(), solution);
    EXPECT_EQ(game.Givens(), givens);
    ExpectStartOfPuzzle(game);
}

TEST(SudokuGame, TheSolutionStaysOnTheBoardUntilAnUndoButTheEntriesStandUnderneath) {
    SudokuGame game = NewGame(1);
    const auto empty = EmptyCells(game);
    const Cell first = empty[0], second = empty[1], third = empty[2];
    game.Enter(first.first, first.second, WrongAt(game, first));
    game.Enter(second.first, second.second, WrongAt(game, second));
    const auto player = game.Position().Board;
    game.ShowSolution();
    EXPECT_EQ(game.ShownGrid(), game.Solution());
    EXPECT_EQ(game.Position().Board, player);
    EXPECT_EQ(game.UndoHistory().size(), 2u);

    // An entry shows in its own cell only; the rest of the solution stays.
    game.Enter(third.first, third.second, WrongAt(game, third));
    EXPECT_EQ(game.Shown(third.first, third.second), WrongAt(game, third));
    EXPECT_EQ(game.Shown(first.first, first.second), SolutionAt(game, first));

    // An undo shows the player's board again, less that entry.
    game.Undo();
    EXPECT_EQ(game.ShownGrid(), player);
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
    const auto previous = game.Solution();
    WRandom random(99);
    game.NewPuzzle(random);
    EXPECT_NE(game.Solution(), previous);
    EXPECT_EQ(game.GivenCount(), 35);
    ExpectStartOfPuzzle(game);
}

namespace {

std::uint16_t Bit(int digit) { return static_cast<std::uint16_t>(1u << (digit - 1)); }

}  // namespace

TEST(SudokuGameMarks, AMarkIsToggledAsAnUndoStepOfItsOwnAndNeverOnAGiven) {
    SudokuGame game = NewGame(1);
    const Cell cell = EmptyCells(game).front();
    EXPECT_TRUE(game.ToggleMark(cell.first, cell.second, 3));
    EXPECT_TRUE(game.ToggleMark(cell.first, cell.second, 7));
    EXPECT_EQ(game.MarksOf(cell.first, cell.second), Bit(3) | Bit(7));
    EXPECT_TRUE(game.ToggleMark(cell.first, cell.second, 3));
    EXPECT_EQ(game.MarksOf(cell.first, cell.second), Bit(7));
    EXPECT_EQ(game.UndoHistory().size(), 3u);
    game.Undo();
    EXPECT_EQ(game.MarksOf(cell.first, cell.second), Bit(3) | Bit(7));
    // The board is untouched by marks, and marks do not make a solved board.
    EXPECT_EQ(game.Shown(cell.first, cell.second), -1);

    const Cell given = FirstGiven(game);
    EXPECT_FALSE(game.ToggleMark(given.first, given.second, 1));
    EXPECT_FALSE(game.ToggleMark(cell.first, cell.second, 0));
    EXPECT_FALSE(game.ToggleMark(cell.first, cell.second, 10));
    EXPECT_EQ(game.UndoHistory().size(), 2u);
}

TEST(SudokuGameMarks, ClearingMarksIsOneStepAndNothingWhenThereAreNone) {
    SudokuGame game = NewGame(1);
    const Cell cell = EmptyCells(game).front();
    EXPECT_FALSE(game.ClearMarks(cell.first, cell.second));
    EXPECT_FALSE(game.CanUndo());
    for (const int digit : {1, 2, 5}) game.ToggleMark(cell.first, cell.second, digit);
    EXPECT_TRUE(game.ClearMarks(cell.first, cell.second));
    EXPECT_EQ(game.MarksOf(cell.first, cell.second), 0);
    game.Undo();
    EXPECT_EQ(game.MarksOf(cell.first, cell.second), Bit(1) | Bit(2) | Bit(5));
    // Clearing the digit of a cell keeps its marks.
    game.Enter(cell.first, cell.second, 4);
    game.Clear(cell.first, cell.second);
    EXPECT_EQ(game.MarksOf(cell.first, cell.second), Bit(1) | Bit(2) | Bit(5));
}

TEST(SudokuGameMarks, AnEntryTakesItsDigitOutOfTheMarksOfItsRowColumnAndBlockInOneStep) {
    SudokuGame game = NewGame(2, 21);
    // Mark 6 on every cell the player fills, and 2 as well on each.
    for (const Cell& cell : EmptyCells(game)) {
        game.ToggleMark(cell.first, cell.second, 6);
        game.ToggleMark(cell.first, cell.second, 2);
    }
    const auto before = game.Position().Marks;
    const std::size_t steps = game.UndoHistory().size();
    const Cell target = EmptyCells(game)[10];
    game.Enter(target.first, target.second, 6);
    EXPECT_EQ(game.UndoHistory().size(), steps + 1);
    for (const Cell& cell : EmptyCells(game)) {
        const bool sameBlock = cell.first / 3 == target.first / 3 && cell.second / 3 == target.second / 3;
        const bool peer = cell != target && (cell.first == target.first || cell.second == target.second || sameBlock);
        const std::uint16_t expected = peer ? Bit(2) : static_cast<std::uint16_t>(Bit(2) | Bit(6));
        EXPECT_EQ(game.MarksOf(cell.first, cell.second), expected) << cell.first << "," << cell.second;
    }
    // One undo takes the entry and the cleaning back together.
    game.Undo();
    EXPECT_EQ(game.Position().Marks, before);
    EXPECT_EQ(game.Shown(target.first, target.second), -1);
}

TEST(SudokuGameMarks, RestartAndANewPuzzleDropThemTheSolutionHidesThemUntilTheNextUndo) {
    SudokuGame game = NewGame(1);
    const auto empty = EmptyCells(game);
    game.ToggleMark(empty[0].first, empty[0].second, 8);
    game.ToggleMark(empty[1].first, empty[1].second, 8);
    game.ShowSolution();
    // The cells show digits now, so no marks are shown; the marks stay underneath.
    EXPECT_NE(game.Shown(empty[0].first, empty[0].second), -1);
    EXPECT_EQ(game.MarksOf(empty[0].first, empty[0].second), Bit(8));
    game.Undo();
    EXPECT_EQ(game.Shown(empty[0].first, empty[0].second), -1);
    EXPECT_EQ(game.MarksOf(empty[0].first, empty[0].second), Bit(8));
    EXPECT_EQ(game.MarksOf(empty[1].first, empty[1].second), 0);

    game.Restart();
    EXPECT_EQ(game.Position().Marks, SudokuMarks{});
    EXPECT_FALSE(game.CanUndo());
    game.ToggleMark(empty[0].first, empty[0].second, 1);
    WRandom random(12);
    game.NewPuzzle(random);
    EXPECT_EQ(game.Position().Marks, SudokuMarks{});
    EXPECT_FALSE(game.CanUndo());
}

TEST(SudokuGameMarks, MarksNeverCountForTheSolvedTest) {
    SudokuGame game = NewGame(0, 31);
    auto empty = EmptyCells(game);
    const Cell last = empty.back();
    empty.pop_back();
    for (const Cell& cell : empty) game.Enter(cell.first, cell.second, SolutionAt(game, cell));
    // A mark of the right digit is no entry.
    game.ToggleMark(last.first, last.second, SolutionAt(game, last));
    EXPECT_FALSE(game.Solved());
    EXPECT_TRUE(game.Enter(last.first, last.second, SolutionAt(game, last)));
}

namespace {

// A game with entries, marks, a clear, the solution shown and a step to redo, as a saved file
// holds it.
SudokuGameRecord PlayedRecord() {
    SudokuGame game = NewGame(2, 5);
    const auto empty = EmptyCells(game);
    game.ToggleMark(empty[3].first, empty[3].second, 4);
    game.Enter(empty[0].first, empty[0].second, WrongAt(game, empty[0]));
    game.Enter(empty[1].first, empty[1].second, SolutionAt(game, empty[1]));
    game.Clear(empty[1].first, empty[1].second);
    game.ShowSolution();
    game.Enter(empty[2].first, empty[2].second, WrongAt(game, empty[2]));
    game.Undo();
    return {.Level = game.Level(),
            .SolutionSeen = true,
            .Solution = game.Solution(),
            .Givens = game.Givens(),
            .Position = game.Position(),
            .Shown = game.ShownGrid(),
            .UndoHistory = game.UndoHistory(),
            .RedoHistory = game.RedoHistory()};
}

}  // namespace

TEST(SudokuGameRestore, TakesAGameThatPlayCanReachAndPlaysOnFromIt) {
    const SudokuGameRecord record = PlayedRecord();
    SudokuGame game;
    ASSERT_TRUE(game.Restore(record));
    EXPECT_EQ(game.Level(), 2);
    EXPECT_EQ(game.GivenCount(), 28);
    EXPECT_TRUE(game.SolutionSeen());
    EXPECT_EQ(game.ShownGrid(), record.Shown);
    EXPECT_EQ(game.UndoHistory(), record.UndoHistory);
    EXPECT_EQ(game.RedoHistory(), record.RedoHistory);
    while (game.Undo()) {
    }
    ExpectStartOfPuzzle(game);
}

TEST(SudokuGameRestore, RefusesWhatNoGameCanReachAndStaysAsItWas) {
    const SudokuGameRecord good = PlayedRecord();
    Cell given{0, 0}, open{0, 0};
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) (good.Givens[c][r] == 1 ? given : open) = {c, r};
    const auto changed = [&](auto change) {
        SudokuGameRecord record = good;
        change(record);
        return record;
    };
    const std::vector<std::pair<const char*, SudokuGameRecord>> bad = {
        {"unknown level", changed([](SudokuGameRecord& r) { r.Level = 3; })},
        {"level of another number of givens", changed([](SudokuGameRecord& r) { r.Level = 1; })},
        {"solution that is no grid",
         changed([](SudokuGameRecord& r) { std::swap(r.Solution[0][0], r.Solution[0][1]); })},
        {"more givens than the level's", changed([&](SudokuGameRecord& r) { r.Givens[open.first][open.second] = 1; })},
        {"entry on a given", changed([&](SudokuGameRecord& r) {
             r.Position.Board[given.first][given.second] = r.Solution[given.first][given.second] % 9 + 1;
         })},
        {"marks on a given", changed([&](SudokuGameRecord& r) { r.Position.Marks[given.first][given.second] = 1; })},
        {"marks of no digit", changed([&](SudokuGameRecord& r) { r.Position.Marks[open.first][open.second] = 0x200; })},
        {"undo step on a given", changed([&](SudokuGameRecord& r) {
             r.UndoHistory.front().Board[given.first][given.second] = -1;
         })},
        {"redo step on a given", changed([&](SudokuGameRecord& r) {
             r.RedoHistory.front().Marks[given.first][given.second] = 4;
         })},
        {"a time before the start", changed([](SudokuGameRecord& r) { r.PlayedMilliseconds = -1; })},
        // A puzzle brought in must have one solution: without its givens it has many.
        {"an imported puzzle of many solutions", changed([](SudokuGameRecord& r) {
             r.Imported = true;
             r.Givens = {};
             r.Position.Board = r.Shown = r.Solution;
             r.UndoHistory.clear();
             r.RedoHistory.clear();
         })},
        // A shown digit that is neither the player's nor the solution's.
        {"shown board no move makes", changed([&](SudokuGameRecord& r) {
             std::int32_t& shown = r.Shown[open.first][open.second];
             for (shown = 1; shown == r.Solution[open.first][open.second] ||
                             shown == r.Position.Board[open.first][open.second];)
                 ++shown;
         })},
        {"more steps than a game keeps", changed([](SudokuGameRecord& r) {
             r.UndoHistory.resize(SudokuGame::MaxUndoSteps, r.UndoHistory.front());
         })},
    };
    SudokuGame game = NewGame(0, 3);
    const SudokuGame before = game;
    for (const auto& [what, record] : bad) {
        EXPECT_FALSE(game.Restore(record)) << what;
        EXPECT_EQ(game.Solution(), before.Solution()) << what;
        EXPECT_EQ(game.Position(), before.Position()) << what;
        EXPECT_EQ(game.Level(), 0) << what;
    }
}

TEST(SudokuGame, TheUndoHistoryKeepsItsNewestSteps) {
    SudokuGame game = NewGame(1);
    const Cell cell = EmptyCells(game).front();
    game.Enter(cell.first, cell.second, 4);
    for (std::size_t i = 0; i < SudokuGame::MaxUndoSteps; ++i) game.ToggleMark(cell.first, cell.second, 2);
    ASSERT_EQ(game.UndoHistory().size(), SudokuGame::MaxUndoSteps);
    // The oldest step went: the entry of 4 can no longer be taken back.
    while (game.Undo()) {
    }
    EXPECT_EQ(game.Digit(cell.first, cell.second), 4);
}

TEST(SudokuGame, RedoTakesBackWhatUndoTookUntilTheNextMove) {
    SudokuGame game = NewGame(1);
    const auto empty = EmptyCells(game);
    game.Enter(empty[0].first, empty[0].second, 3);
    game.ToggleMark(empty[1].first, empty[1].second, 5);
    game.Enter(empty[2].first, empty[2].second, 7);
    const SudokuPosition last = game.Position();
    EXPECT_FALSE(game.Redo());
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(game.Undo());
    ExpectStartOfPuzzle(game);
    ASSERT_TRUE(game.Redo());
    EXPECT_EQ(game.Shown(empty[0].first, empty[0].second), 3);
    ASSERT_TRUE(game.Redo());
    ASSERT_TRUE(game.Redo());
    EXPECT_EQ(game.Position(), last);
    EXPECT_FALSE(game.CanRedo());

    // Every move ends what could be redone, a clear too; so do a restart and a new puzzle.
    const auto moves = std::vector<std::function<void(SudokuGame&)>>{
        [&](SudokuGame& g) { g.Enter(empty[3].first, empty[3].second, 1); },
        [&](SudokuGame& g) { g.ToggleMark(empty[3].first, empty[3].second, 1); },
        [&](SudokuGame& g) { g.Clear(empty[0].first, empty[0].second); },
        [](SudokuGame& g) { g.Restart(); },
        [](SudokuGame& g) {
            WRandom random(4);
            g.NewPuzzle(random);
        },
    };
    for (const auto& move : moves) {
        SudokuGame copy = game;
        ASSERT_TRUE(copy.Undo());
        move(copy);
        EXPECT_FALSE(copy.CanRedo());
    }
}

TEST(SudokuGame, APuzzleBroughtInIsPlayedAtTheLevelAndRestoredByItsOneSolution) {
    const SudokuGame made = NewGame(0, 9);
    SudokuGrid givens{};
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) givens[c][r] = made.IsGiven(c, r) ? made.Solution()[c][r] : -1;
    SudokuGame game = NewGame(2);
    SudokuGrid wrong = made.Solution();
    std::swap(wrong[0], wrong[1]);
    EXPECT_FALSE(game.Import(givens, wrong)) << "a solution that does not keep the givens";
    ASSERT_TRUE(game.Import(givens, made.Solution()));
    EXPECT_TRUE(game.Imported());
    EXPECT_EQ(game.Level(), 2);
    EXPECT_EQ(game.Givens(), made.Givens());
    ExpectStartOfPuzzle(game);
    // 42 givens at level 2: restored as a puzzle brought in, refused as one of the game's own.
    SudokuGameRecord record{.Level = 2, .Imported = true, .Solution = game.Solution(), .Givens = game.Givens(),
                            .Position = game.Position(), .Shown = game.ShownGrid(), .UndoHistory = {}, .RedoHistory = {}};
    EXPECT_TRUE(SudokuGame().Restore(record));
    record.Imported = false;
    EXPECT_FALSE(SudokuGame().Restore(record));
}
