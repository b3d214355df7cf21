// The human-style solver and the hint: published examples of each technique, soundness over
// many generated puzzles, the generator's levels, and the hint query.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "SudokuReference.h"
#include "SudokuTechniqueExamples.h"
#include "common/WRandom.h"
#include "sudoku/engine/SudokuCells.h"
#include "sudoku/engine/SudokuHint.h"
#include "sudoku/engine/SudokuLevelRule.h"
#include "sudoku/engine/SudokuPuzzle.h"
#include "sudoku/engine/SudokuSolutionCount.h"
#include "sudoku/engine/SudokuSolver.h"
#include "sudoku/engine/SudokuSolverBoard.h"

using namespace vum;
using sudoku_cells::CellAt;
using sudoku_cells::ColumnOf;
using sudoku_cells::DigitBit;
using sudoku_cells::RowOf;

namespace {

// A placed digit is the solution's; a removed candidate is not.
::testing::AssertionResult Sound(const SudokuStep& step, const SudokuGrid& solution) {
    if (step.Places()) {
        if (solution[ColumnOf(step.Cell)][RowOf(step.Cell)] == step.Digit) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << TechniqueId(step.Technique) << " places a wrong digit";
    }
    if (step.Removals.empty()) return ::testing::AssertionFailure() << TechniqueId(step.Technique) << " does nothing";
    for (const SudokuRemoval& removal : step.Removals) {
        if ((removal.Digits & DigitBit(solution[ColumnOf(removal.Cell)][RowOf(removal.Cell)])) != 0) {
            return ::testing::AssertionFailure() << TechniqueId(step.Technique) << " removes the solution's digit at r"
                                                 << RowOf(removal.Cell) + 1 << "c" << ColumnOf(removal.Cell) + 1;
        }
    }
    return ::testing::AssertionSuccess();
}

// "r1c8-23459" as one entry per digit.
std::vector<std::string> PerDigit(const std::vector<std::string>& shown) {
    std::vector<std::string> digits;
    for (const std::string& entry : shown) {
        const std::size_t sign = entry.find_first_of("-=");
        for (std::size_t at = sign + 1; at < entry.size(); ++at) digits.push_back(entry.substr(0, sign + 1) + entry[at]);
    }
    return digits;
}

SudokuGrid Board(const SudokuGrid& solution, const SudokuMask& givens) {
    SudokuGrid board = solution;
    for (std::int32_t column = 0; column < 9; ++column) {
        for (std::int32_t row = 0; row < 9; ++row) {
            if (givens[column][row] == 0) board[column][row] = -1;
        }
    }
    return board;
}

struct Puzzle {
    SudokuGrid Solution;
    SudokuMask Givens;
};

Puzzle Generate(std::int32_t level, WRandom& random) {
    Puzzle puzzle{};
    ClearGrid(puzzle.Solution);
    GeneratePuzzle(puzzle.Solution, puzzle.Givens, GivenCountFor(level, InitialGivenCount), level, random);
    return puzzle;
}

}  // namespace

// The technique, applied again and again to the guide's position, takes the guide's step (with
// the steps of the same technique it needs first), and every step it takes is sound. The
// solver as a whole never reaches for a harder technique than the guide's.
TEST(SudokuSolverExamples, EachTechniqueTakesTheGuidesStep) {
    std::set<SudokuTechnique> covered;
    for (const examples::TechniqueExample& example : examples::Examples()) {
        SCOPED_TRACE(example.Source);
        SudokuCandidates position = examples::PositionOf(example.Position);
        const SudokuGrid solution = examples::SolutionOf(example.Position);
        const std::optional<SudokuStep> easiest = FindStep(position);
        ASSERT_TRUE(easiest.has_value());
        EXPECT_LE(easiest->Technique, example.Technique);
        std::set<std::string> done;
        std::int32_t steps = 0;
        while (steps < 30) {
            const std::optional<SudokuStep> step = solver::FindWith(solver::Board(position), example.Technique);
            if (!step) break;
            ++steps;
            EXPECT_EQ(step->Technique, example.Technique);
            ASSERT_TRUE(Sound(*step, solution));
            for (const std::string& entry : examples::WhatItDoes(*step)) done.insert(entry);
            position.Apply(*step);
            if (step->Places()) break;
        }
        EXPECT_GT(steps, 0) << "the technique finds nothing";
        for (const std::string& shown : PerDigit(example.Shown)) EXPECT_TRUE(done.contains(shown)) << shown;
        covered.insert(example.Technique);
    }
    EXPECT_EQ(covered.size(), static_cast<std::size_t>(SudokuTechniqueCount)) << "a technique without an example";
}

namespace {

// A unique puzzle of 28 givens that the solver cannot finish (a raw draw of the generator,
// before the levels asked the solver).
constexpr const char* BeyondTheSolver =
    ".......21.6...4.93...23.54......89.55.8.......9...3268.476.....8.3.95.7..........";

// Replays a solution path on the board and returns the digits it ends with; every step must
// be sound.
SudokuGrid Replay(const SudokuGrid& board, const SudokuSolution& path, const SudokuGrid& solution) {
    SudokuGrid end = board;
    SudokuCandidates position(board);
    for (const SudokuStep& step : path.Steps) {
        EXPECT_TRUE(Sound(step, solution));
        position.Apply(step);
        if (step.Places()) end[ColumnOf(step.Cell)][RowOf(step.Cell)] = step.Digit;
    }
    return end;
}

}  // namespace

TEST(SudokuSolverPaths, GeneratedPuzzlesAreSolvedSoundlyAtEveryLevel) {
    WRandom random(31);
    for (std::int32_t level = 0; level <= 2; ++level) {
        for (std::int32_t made = 0; made < 120; ++made) {
            const Puzzle puzzle = Generate(level, random);
            const SudokuGrid board = Board(puzzle.Solution, puzzle.Givens);
            const SudokuSolution path = Solve(SudokuCandidates(board));
            ASSERT_TRUE(path.Solved) << "level " << level;
            EXPECT_EQ(Replay(board, path, puzzle.Solution), puzzle.Solution);
            const std::optional<SudokuTechnique> hardest = HardestTechnique(path);
            ASSERT_TRUE(hardest.has_value());
            if (level == 2) {
                EXPECT_GT(*hardest, SudokuTechnique::HiddenSingle) << "level 2 finished by singles";
            }
        }
    }
}

// Sets with one solution that nobody calibrated: the harder techniques and the dead ends,
// where the path stops without a wrong step.
TEST(SudokuSolverPaths, EveryStepIsSoundOnUncalibratedPuzzlesToo) {
    WRandom random(77);
    std::set<SudokuTechnique> used;
    std::int32_t stuck = 0;
    for (std::int32_t made = 0; made < 400; ++made) {
        SudokuGrid solution;
        ClearGrid(solution);
        FillSolution(solution, random);
        SudokuMask givens{};
        reference::DrawGivensByCount(solution, givens, 28 + made % 4, random);
        const SudokuSolution path = Solve(SudokuCandidates(Board(solution, givens)));
        const SudokuGrid end = Replay(Board(solution, givens), path, solution);
        if (path.Solved) {
            EXPECT_EQ(end, solution);
        } else {
            ++stuck;
        }
        for (const SudokuStep& step : path.Steps) used.insert(step.Technique);
    }
    EXPECT_LT(stuck, 10);
    EXPECT_GE(used.size(), 14u);
}

TEST(SudokuSolverPaths, APositionBeyondTheSolverStopsStuck) {
    const SudokuCandidates position = examples::PositionOf(BeyondTheSolver);
    const SudokuSolution path = Solve(position);
    EXPECT_FALSE(path.Solved);
    EXPECT_FALSE(path.Steps.empty());
    EXPECT_FALSE(HardestTechnique(path).has_value());
    const SudokuGrid solution = examples::SolutionOf(BeyondTheSolver);
    for (const SudokuStep& step : path.Steps) EXPECT_TRUE(Sound(step, solution));
}

TEST(SudokuSolverCandidates, ComeFromTheDigitsOnTheBoard) {
    SudokuGrid board;
    ClearGrid(board);
    board[0][0] = 5;  // r1c1
    board[4][4] = 7;  // r5c5
    const SudokuCandidates position(board);
    EXPECT_FALSE(position.Broken());
    EXPECT_EQ(position.EmptyCount(), 79);
    EXPECT_EQ(position.Digit(CellAt(0, 0)), 5);
    EXPECT_EQ(position.Candidates(CellAt(0, 0)), 0);
    EXPECT_EQ(position.Candidates(CellAt(8, 0)) & DigitBit(5), 0);  // the row
    EXPECT_EQ(position.Candidates(CellAt(2, 2)) & DigitBit(5), 0);  // the block
    EXPECT_NE(position.Candidates(CellAt(8, 8)) & DigitBit(5), 0);
    EXPECT_EQ(position.Candidates(CellAt(4, 8)) & DigitBit(7), 0);  // the column

    SudokuCandidates placed = position;
    SudokuStep step;
    step.Cell = CellAt(8, 8);
    step.Digit = 5;
    placed.Apply(step);
    EXPECT_EQ(placed.Candidates(CellAt(8, 1)) & DigitBit(5), 0);
    EXPECT_EQ(placed.EmptyCount(), 78);

    board[8][0] = 5;  // a second 5 in row 1
    EXPECT_TRUE(SudokuCandidates(board).Broken());
    EXPECT_FALSE(FindStep(SudokuCandidates(board)).has_value());
}

TEST(SudokuLevelRule, SinglesAloneAgreeWithTheSolversSingles) {
    WRandom random(5);
    std::int32_t finished = 0;
    for (std::int32_t set = 0; set < 1500; ++set) {
        SudokuGrid solution;
        ClearGrid(solution);
        FillSolution(solution, random);
        SudokuMask givens{};
        for (std::int32_t count = 0; count < 26 + set % 20;) {
            const std::int32_t cell = random.Draw31() % 81;
            if (givens[ColumnOf(cell)][RowOf(cell)] != 0) continue;
            givens[ColumnOf(cell)][RowOf(cell)] = 1;
            ++count;
        }
        SudokuCandidates position(Board(solution, givens));
        for (bool moved = true; moved;) {
            const solver::Board view(position);
            std::optional<SudokuStep> step = solver::FindWith(view, SudokuTechnique::NakedSingle);
            if (!step) step = solver::FindWith(view, SudokuTechnique::HiddenSingle);
            moved = step.has_value();
            if (moved) position.Apply(*step);
        }
        const bool bySingles = sudoku_cells::SolvedBySingles(sudoku_cells::ReadGivens(solution, givens));
        EXPECT_EQ(bySingles, position.Solved()) << "set " << set;
        finished += bySingles ? 1 : 0;
    }
    EXPECT_GT(finished, 200);
    EXPECT_LT(finished, 1300);
}

// Levels 0 and 1 keep the puzzles of the count alone wherever the solver finishes them,
// which it does for all of these.
TEST(SudokuLevelRule, TheEasierLevelsKeepTheirPuzzles) {
    for (std::int32_t level = 0; level <= 1; ++level) {
        for (std::uint32_t seed = 1; seed <= 150; ++seed) {
            WRandom now(seed);
            WRandom before(seed);
            const Puzzle made = Generate(level, now);
            Puzzle old{};
            ClearGrid(old.Solution);
            FillSolution(old.Solution, before);
            reference::DrawGivensByCount(old.Solution, old.Givens, GivenCountFor(level, InitialGivenCount), before);
            EXPECT_EQ(made.Solution, old.Solution) << "level " << level << " seed " << seed;
            EXPECT_EQ(made.Givens, old.Givens) << "level " << level << " seed " << seed;
        }
    }
}

TEST(SudokuLevelRule, TheHardLevelWantsRoomBeyondSinglesAndGivesUpABarrenSolution) {
    WRandom random(3);
    SudokuGrid solution;
    SudokuMask givens{};
    ClearGrid(solution);
    EXPECT_THROW(GeneratePuzzle(solution, givens, MaxHardGivenCount + 1, 2, random), std::invalid_argument);
    // Random sets of 17 givens next to never have one solution: level 2 leaves the
    // solution after its sets, where another level would draw on.
    FillSolution(solution, random);
    EXPECT_EQ(DrawGivens(solution, givens, 17, 2, random), 0);
}

TEST(SudokuHint, AMistakeComesFirstInReadingOrder) {
    WRandom random(8);
    const Puzzle puzzle = Generate(1, random);
    SudokuGrid board = Board(puzzle.Solution, puzzle.Givens);
    std::vector<std::int32_t> open;  // empty cells in reading order
    for (std::int32_t at = 0; at < 81; ++at) {
        if (board[at % 9][at / 9] < 0) open.push_back(at);
    }
    const auto wrong = [&](std::int32_t at) { return puzzle.Solution[at % 9][at / 9] % 9 + 1; };
    const std::int32_t early = open[3];
    const std::int32_t late = open[20];
    board[late % 9][late / 9] = wrong(late);
    board[early % 9][early / 9] = wrong(early);
    board[open[0] % 9][open[0] / 9] = puzzle.Solution[open[0] % 9][open[0] / 9];  // a right entry
    const SudokuHint hint = FindHint(puzzle.Solution, puzzle.Givens, board);
    EXPECT_EQ(hint.What, SudokuHint::Kind::Mistake);
    EXPECT_EQ(hint.Column, early % 9);
    EXPECT_EQ(hint.Row, early / 9);
    EXPECT_EQ(hint.Digit, wrong(early));
    EXPECT_TRUE(hint.Steps.empty());
}

// Entering the hinted digit again and again solves the hardest puzzles the game makes; each
// hint's steps, replayed on the board, end in a single that places its digit, and they leave
// out steps the digit does not need.
TEST(SudokuHint, HintsAloneSolveAPuzzleWithTheStepsTheyNeed) {
    WRandom random(12);
    std::int32_t shortened = 0;
    for (std::int32_t made = 0; made < 25; ++made) {
        const Puzzle puzzle = Generate(2, random);
        SudokuGrid board = Board(puzzle.Solution, puzzle.Givens);
        for (std::int32_t entries = 0;; ++entries) {
            ASSERT_LT(entries, 60);
            const SudokuHint hint = FindHint(puzzle.Solution, puzzle.Givens, board);
            if (hint.What == SudokuHint::Kind::Solved) break;
            ASSERT_EQ(hint.What, SudokuHint::Kind::Step);
            ASSERT_FALSE(hint.Steps.empty());
            const SudokuStep& last = hint.Steps.back();
            ASSERT_TRUE(last.Places());
            EXPECT_EQ(CellAt(hint.Column, hint.Row), last.Cell);
            EXPECT_EQ(hint.Digit, last.Digit);
            EXPECT_EQ(board[hint.Column][hint.Row], -1);
            SudokuCandidates replayed(board);
            for (const SudokuStep& step : hint.Steps) {
                ASSERT_TRUE(Sound(step, puzzle.Solution));
                if (!step.Places()) {
                    replayed.Apply(step);
                    continue;
                }
                if (step.Technique == SudokuTechnique::NakedSingle) {
                    EXPECT_EQ(replayed.Candidates(step.Cell), DigitBit(step.Digit));
                } else if (step.Technique == SudokuTechnique::HiddenSingle) {
                    for (const std::uint8_t cell : solver::UnitCells[static_cast<std::size_t>(step.Units[0])]) {
                        if (cell == step.Cell) continue;
                        EXPECT_EQ(replayed.Candidates(cell) & DigitBit(step.Digit), 0);
                    }
                }
            }
            // Without the pruning, the solver's own path to the same digit.
            std::size_t unpruned = 0;
            for (SudokuCandidates walk(board);;) {
                const std::optional<SudokuStep> step = FindStep(walk);
                ASSERT_TRUE(step.has_value());
                ++unpruned;
                walk.Apply(*step);
                if (step->Places()) break;
            }
            shortened += hint.Steps.size() < unpruned ? 1 : 0;
            board[hint.Column][hint.Row] = hint.Digit;
        }
        EXPECT_EQ(board, puzzle.Solution);
    }
    EXPECT_GT(shortened, 0);
}

TEST(SudokuHint, WithoutAStepItOffersADigitOfTheSolution) {
    const SudokuGrid solution = examples::SolutionOf(BeyondTheSolver);
    SudokuMask givens{};
    SudokuGrid board;
    ClearGrid(board);
    const SudokuCandidates start = examples::PositionOf(BeyondTheSolver);
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        if (start.Digit(cell) == 0) continue;
        givens[ColumnOf(cell)][RowOf(cell)] = 1;
        board[ColumnOf(cell)][RowOf(cell)] = start.Digit(cell);
    }
    // The player has entered every digit the solver finds.
    for (const SudokuStep& step : Solve(start).Steps) {
        if (step.Places()) board[ColumnOf(step.Cell)][RowOf(step.Cell)] = step.Digit;
    }
    const SudokuHint hint = FindHint(solution, givens, board);
    ASSERT_EQ(hint.What, SudokuHint::Kind::NoStep);
    EXPECT_EQ(board[hint.Column][hint.Row], -1);
    EXPECT_EQ(hint.Digit, solution[hint.Column][hint.Row]);

    EXPECT_EQ(FindHint(solution, givens, solution).What, SudokuHint::Kind::Solved);
}
