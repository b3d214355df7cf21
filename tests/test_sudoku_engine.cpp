#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "SudokuReference.h"
#include "TestFolder.h"
#include "common/WRandom.h"
#include "sudoku/engine/SudokuCells.h"
#include "sudoku/engine/SudokuPuzzle.h"
#include "sudoku/engine/SudokuSolutionCount.h"
#include "sudoku/engine/SudokuSolver.h"

using namespace vum;

namespace {

// Row-major cells 0..80, digits 1..9, 0 for empty: the form of puzzle files and of the tool.
using Cells = std::array<std::int32_t, 81>;

Cells ToCells(const SudokuGrid& grid) {
    Cells cells{};
    for (std::int32_t row = 0; row < 9; ++row) {
        for (std::int32_t column = 0; column < 9; ++column) {
            cells[static_cast<std::size_t>(row * 9 + column)] = grid[column][row] < 0 ? 0 : grid[column][row];
        }
    }
    return cells;
}

Cells GivensOnly(const SudokuGrid& solution, const SudokuMask& mask) {
    Cells cells = ToCells(solution);
    for (std::int32_t row = 0; row < 9; ++row) {
        for (std::int32_t column = 0; column < 9; ++column) {
            if (mask[column][row] == 0) cells[static_cast<std::size_t>(row * 9 + column)] = 0;
        }
    }
    return cells;
}

bool Allowed(const Cells& cells, std::int32_t at, std::int32_t digit) {
    const std::int32_t row = at / 9;
    const std::int32_t column = at % 9;
    for (std::int32_t i = 0; i < 9; ++i) {
        if (cells[static_cast<std::size_t>(row * 9 + i)] == digit) return false;
        if (cells[static_cast<std::size_t>(i * 9 + column)] == digit) return false;
        const std::int32_t boxRow = row / 3 * 3 + i / 3;
        const std::int32_t boxColumn = column / 3 * 3 + i % 3;
        if (cells[static_cast<std::size_t>(boxRow * 9 + boxColumn)] == digit) return false;
    }
    return true;
}

// A plain backtracking solver, sharing nothing with the engine or the literal reference:
// counts the completions up to `limit` and keeps them in `found`.
std::int32_t BruteForceSolutions(Cells& cells, std::int32_t limit, std::vector<Cells>* found = nullptr) {
    std::int32_t best = -1;
    std::int32_t bestOptions = 10;
    for (std::int32_t at = 0; at < 81 && bestOptions > 1; ++at) {
        if (cells[static_cast<std::size_t>(at)] != 0) continue;
        std::int32_t options = 0;
        for (std::int32_t digit = 1; digit <= 9; ++digit) options += Allowed(cells, at, digit) ? 1 : 0;
        if (options < bestOptions) {
            best = at;
            bestOptions = options;
        }
    }
    if (best < 0) {
        if (found != nullptr) found->push_back(cells);
        return 1;
    }
    std::int32_t total = 0;
    for (std::int32_t digit = 1; digit <= 9 && total < limit; ++digit) {
        if (!Allowed(cells, best, digit)) continue;
        cells[static_cast<std::size_t>(best)] = digit;
        total += BruteForceSolutions(cells, limit - total, found);
        cells[static_cast<std::size_t>(best)] = 0;
    }
    return total;
}

// Another count, deliberately unlike the engine's search: no choice of cell, only the next
// empty cell in row-major order, each digit tried in turn. Counts up to `limit`.
std::int32_t RowByRowSolutions(Cells& cells, std::int32_t limit, std::int32_t from = 0) {
    while (from < 81 && cells[static_cast<std::size_t>(from)] != 0) ++from;
    if (from == 81) return 1;
    std::int32_t total = 0;
    for (std::int32_t digit = 1; digit <= 9 && total < limit; ++digit) {
        if (!Allowed(cells, from, digit)) continue;
        cells[static_cast<std::size_t>(from)] = digit;
        total += RowByRowSolutions(cells, limit - total, from + 1);
        cells[static_cast<std::size_t>(from)] = 0;
    }
    return total;
}

bool IsCompleteSudoku(const Cells& cells) {
    for (std::int32_t unit = 0; unit < 9; ++unit) {
        std::array<bool, 10> row{}, column{}, box{};
        for (std::int32_t i = 0; i < 9; ++i) {
            const std::int32_t inRow = cells[static_cast<std::size_t>(unit * 9 + i)];
            const std::int32_t inColumn = cells[static_cast<std::size_t>(i * 9 + unit)];
            const std::int32_t inBox = cells[static_cast<std::size_t>((unit / 3 * 3 + i / 3) * 9 + unit % 3 * 3 + i % 3)];
            for (const std::int32_t digit : {inRow, inColumn, inBox}) {
                if (digit < 1 || digit > 9) return false;
            }
            if (row[static_cast<std::size_t>(inRow)] || column[static_cast<std::size_t>(inColumn)] ||
                box[static_cast<std::size_t>(inBox)]) {
                return false;
            }
            row[static_cast<std::size_t>(inRow)] = column[static_cast<std::size_t>(inColumn)] =
                box[static_cast<std::size_t>(inBox)] = true;
        }
    }
    return true;
}

std::int32_t CountGivens(const SudokuMask& mask) {
    std::int32_t count = 0;
    for (const auto& column : mask) {
        for (const std::uint8_t given : column) count += given;
    }
    return count;
}

SudokuMask RandomMask(std::int32_t givenCount, WRandom& random) {
    SudokuMask mask{};
    for (std::int32_t count = 0; count < givenCount;) {
        const std::int32_t column = random.Draw31() % 9;
        const std::int32_t row = random.Draw31() % 9;
        if (mask[column][row] == 0) {
            mask[column][row] = 1;
            ++count;
        }
    }
    return mask;
}

SudokuGrid MakeSolution(WRandom& random) {
    SudokuGrid grid;
    ClearGrid(grid);
    FillSolution(grid, random);
    return grid;
}

std::string Text(const SudokuGrid& grid, const SudokuMask& mask) {
    std::string text;
    for (std::int32_t row = 0; row < 9; ++row) {
        for (std::int32_t column = 0; column < 9; ++column) {
            text += mask[column][row] != 0 ? static_cast<char>('0' + grid[column][row]) : '.';
        }
    }
    return text;
}

// Equivalence runs take VUM_SUDOKU_EQUIVALENCE_SCALE times their usual number of sets.
std::int32_t Scaled(std::int32_t sets) {
    const char* scale = std::getenv("VUM_SUDOKU_EQUIVALENCE_SCALE");
    const std::int32_t factor = scale != nullptr ? std::atoi(scale) : 1;
    return sets * (factor > 0 ? factor : 1);
}

enum class Variation {
    None,
    AlterGiven,     // one given takes a random digit: often no solution at all
    OpenRectangle,  // four cells that can swap their two digits stay empty: two solutions at least
};

// Empties, if the solution has one, four cells in two rows, two columns and two blocks that
// hold a, b in one row and b, a in the other; false if it has none.
bool OpenRectangle(const SudokuGrid& solution, SudokuMask& mask, WRandom& random) {
    std::vector<std::array<std::int32_t, 4>> rectangles;
    for (std::int32_t c1 = 0; c1 < 9; ++c1) {
        for (std::int32_t c2 = c1 + 1; c2 < 9; ++c2) {
            for (std::int32_t r1 = 0; r1 < 9; ++r1) {
                for (std::int32_t r2 = r1 + 1; r2 < 9; ++r2) {
                    const bool twoBlocks = (c1 / 3 == c2 / 3) != (r1 / 3 == r2 / 3);
                    if (twoBlocks && solution[c1][r1] == solution[c2][r2] && solution[c2][r1] == solution[c1][r2]) {
                        rectangles.push_back({c1, c2, r1, r2});
                    }
                }
            }
        }
    }
    if (rectangles.empty()) return false;
    const auto& [c1, c2, r1, r2] = rectangles[static_cast<std::size_t>(random.Draw31()) % rectangles.size()];
    mask[c1][r1] = mask[c1][r2] = mask[c2][r1] = mask[c2][r2] = 0;
    return true;
}

// Draws given sets over fresh solutions and expects the engine's count to equal the
// literal search's. Returns how often each count came out.
std::array<std::int32_t, 3> ExpectSameCounts(const std::vector<std::int32_t>& givenCounts, std::int32_t sets,
                                             Variation variation, std::uint32_t seed) {
    WRandom random(seed);
    std::array<std::int32_t, 3> tally{};
    SudokuGrid solution;
    for (std::int32_t set = 0; set < sets; ++set) {
        if (set % 16 == 0) solution = MakeSolution(random);
        const std::int32_t givenCount = givenCounts[static_cast<std::size_t>(set) % givenCounts.size()];
        SudokuMask mask = RandomMask(givenCount, random);
        SudokuGrid grid = solution;
        if (variation == Variation::AlterGiven) {
            std::int32_t column = 0, row = 0;
            do {
                column = random.Draw31() % 9;
                row = random.Draw31() % 9;
            } while (mask[column][row] == 0);
            grid[column][row] = random.Draw15() % 9 + 1;
        } else if (variation == Variation::OpenRectangle) {
            OpenRectangle(solution, mask, random);
        }
        const std::int32_t expected = reference::CountSolutions(grid, mask);
        EXPECT_EQ(CountSolutions(grid, mask), expected) << "set " << set << ", givens " << Text(grid, mask);
        if (expected < 0 || expected > 2) {
            ADD_FAILURE() << "the literal search returned " << expected;
        } else {
            ++tally[static_cast<std::size_t>(expected)];
        }
    }
    return tally;
}

// A valid complete grid, rows shifted by 3 within a band and by 1 between bands.
SudokuGrid PatternSolution() {
    SudokuGrid grid;
    for (std::int32_t column = 0; column < 9; ++column) {
        for (std::int32_t row = 0; row < 9; ++row) grid[column][row] = (row * 3 + row / 3 + column) % 9 + 1;
    }
    return grid;
}

}  // namespace

TEST(SudokuRules, BlockStartGivesTheFirstIndexOfTheBand) {
    const std::array<std::int32_t, 9> starts{0, 0, 0, 3, 3, 3, 6, 6, 6};
    for (std::int32_t x = 0; x < 9; ++x) EXPECT_EQ(BlockStart(x), starts[static_cast<std::size_t>(x)]) << x;
    EXPECT_EQ(BlockStart(-1), -1);
    EXPECT_EQ(BlockStart(9), -1);
    EXPECT_EQ(BlockStart(-2147483647 - 1), -1);
    EXPECT_EQ(GivenCountFor(0, 35), 42);
    EXPECT_EQ(GivenCountFor(1, 42), 35);
    EXPECT_EQ(GivenCountFor(2, 35), 28);
    EXPECT_EQ(GivenCountFor(-1, 28), 28);
    EXPECT_EQ(GivenCountFor(3, 42), 42);
}

TEST(SudokuRules, UnitTestsLookAtTheirOwnColumnRowAndBlock) {
    SudokuGrid grid;
    ClearGrid(grid);
    for (const auto& column : grid) {
        for (const std::int32_t cell : column) ASSERT_EQ(cell, -1);
    }
    grid[7][4] = 5;  // column 7, row 4: the block of columns 6..8 and rows 3..5
    EXPECT_TRUE(ColumnHas(grid, 7, 5));
    EXPECT_FALSE(ColumnHas(grid, 4, 5));
    EXPECT_FALSE(ColumnHas(grid, 7, 4));
    EXPECT_TRUE(RowHas(grid, 4, 5));
    EXPECT_FALSE(RowHas(grid, 7, 5));
    EXPECT_TRUE(BlockHas(grid, 6, 3, 5));
    EXPECT_TRUE(BlockHas(grid, 8, 5, 5));
    EXPECT_FALSE(BlockHas(grid, 5, 4, 5));
    EXPECT_FALSE(BlockHas(grid, 7, 6, 5));
    EXPECT_FALSE(BlockHas(grid, 7, 4, 6));
}

TEST(SudokuRules, CanPlaceJudgesOnlyMarkedCellsOtherThanTheCellItself) {
    const SudokuGrid solution = PatternSolution();
    ASSERT_TRUE(IsCompleteSudoku(ToCells(solution)));
    SudokuMask all;
    for (auto& column : all) column.fill(1);
    for (std::int32_t column = 0; column < 9; ++column) {
        for (std::int32_t row = 0; row < 9; ++row) {
            const std::int32_t own = solution[column][row];
            EXPECT_TRUE(CanPlace(solution, all, column, row, own)) << column << "," << row;
            EXPECT_FALSE(CanPlace(solution, all, column, row, own % 9 + 1)) << column << "," << row;
        }
    }
    // Unmarked cells count for nothing, whatever they hold.
    const SudokuMask none{};
    for (std::int32_t digit = 1; digit <= 9; ++digit) EXPECT_TRUE(CanPlace(solution, none, 4, 4, digit));

    // One marked 5 at column 7, row 4, outside the top-left block.
    SudokuGrid grid;
    ClearGrid(grid);
    SudokuMask mask{};
    grid[7][4] = 5;
    mask[7][4] = 1;
    grid[0][0] = 5;  // unmarked: ignored
    EXPECT_FALSE(CanPlace(grid, mask, 6, 3, 5));  // same block only
    EXPECT_FALSE(CanPlace(grid, mask, 7, 0, 5));  // same column only
    EXPECT_FALSE(CanPlace(grid, mask, 0, 4, 5));  // same row only
    EXPECT_TRUE(CanPlace(grid, mask, 3, 3, 5));
    EXPECT_TRUE(CanPlace(grid, mask, 1, 1, 5));
    EXPECT_TRUE(CanPlace(grid, mask, 6, 3, 4));
    EXPECT_TRUE(CanPlace(grid, mask, 7, 4, 5));  // the cell itself
}

namespace {

// Hands PickDigit chosen bits: the first five and the first twelve it asks for, then zeros,
// and notes how often it asked.
struct ScriptedBits {
    std::uint32_t Five = 0;
    std::uint32_t Twelve = 0;
    std::int32_t FivesTaken = 0;
    std::int32_t TwelvesTaken = 0;

    std::uint32_t Take(std::int32_t count) {
        if (count == 5) return FivesTaken++ == 0 ? Five : 0;
        EXPECT_EQ(count, 12);
        return TwelvesTaken++ == 0 ? Twelve : 0;
    }
};

}  // namespace

TEST(SudokuFill, PickingADigitKeepsTheChancesOfRedrawing) {
    using namespace sudoku_cells;
    // Redrawing q % 9 + 1 from 15-bit q gives digit d the weight of the values naming it.
    const auto weight = [](std::int32_t digit) { return digit == 9 ? 3640 : 3641; };
    for (std::int32_t legal = 1; legal < 512; ++legal) {
        const auto set = static_cast<DigitSet>(legal);
        const std::int32_t count = std::popcount(static_cast<unsigned>(legal));
        if (count == 1) {
            ScriptedBits none;
            EXPECT_EQ(DigitBit(PickDigit(set, none)), legal);
            EXPECT_EQ(none.FivesTaken + none.TwelvesTaken, 0);
            continue;
        }
        // Weigh every outcome of the first five bits, and for a 9 of the first twelve below
        // 3641 (from 3641 on they are taken again, which changes no chance), by the share
        // of those twelve that lead to it.
        std::array<std::int64_t, 10> decided{};
        std::int32_t again = 0;
        for (std::uint32_t five = 0; five < 32; ++five) {
            ScriptedBits first{five, 0};
            const std::int32_t digit = PickDigit(set, first);
            if (first.FivesTaken > 1) {
                ++again;
                EXPECT_EQ(DigitPicks[static_cast<std::size_t>(legal)][five], 0);
                continue;
            }
            ASSERT_NE(set & DigitBit(digit), 0) << legal;
            if (digit != 9) {
                decided[static_cast<std::size_t>(digit)] += 3641;
                continue;
            }
            for (std::uint32_t twelve = 0; twelve < 4096; ++twelve) {
                ScriptedBits bits{five, twelve};
                const std::int32_t picked = PickDigit(set, bits);
                if (twelve >= 3641) {
                    EXPECT_EQ(bits.TwelvesTaken, 2) << twelve;  // taken again
                } else if (twelve == 3640) {
                    EXPECT_EQ(bits.FivesTaken, 2);  // picked anew
                } else {
                    EXPECT_EQ(picked, 9);
                    EXPECT_EQ(bits.FivesTaken, 1);
                    ++decided[9];
                }
            }
        }
        EXPECT_EQ(again, 32 % count) << legal;
        std::int64_t total = 0;
        for (std::int32_t digit = 1; digit <= 9; ++digit) total += (legal & DigitBit(digit)) != 0 ? weight(digit) : 0;
        std::int64_t all = 0;
        for (const std::int64_t share : decided) all += share;
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            const std::int64_t expected = (legal & DigitBit(digit)) != 0 ? weight(digit) : 0;
            // decided / all == expected / total
            EXPECT_EQ(decided[static_cast<std::size_t>(digit)] * total, expected * all)
                << "legal " << legal << " digit " << digit;
        }
    }
}

TEST(SudokuFill, AnAttemptEndsOnlyAtACellWithoutCandidates) {
    std::int32_t deadEnds = 0;
    std::int32_t finished = 0;
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        WRandom random(seed);
        RandomBits bits(random);
        SudokuGrid grid;
        ClearGrid(grid);
        const bool done = TryFillSolution(grid, bits);
        Cells cells{};  // row-major view of what the attempt filled
        std::int32_t stop = 81;
        for (std::int32_t at = 0; at < 81; ++at) {  // column-major order
            const std::int32_t digit = grid[at / 9][at % 9];
            if (digit == -1 && stop == 81) stop = at;
            if (at < stop) {
                ASSERT_GE(digit, 1);
                ASSERT_LE(digit, 9);
                ASSERT_TRUE(Allowed(cells, at % 9 * 9 + at / 9, digit)) << "seed " << seed << " cell " << at;
                cells[static_cast<std::size_t>(at % 9 * 9 + at / 9)] = digit;
            } else {
                ASSERT_EQ(digit, -1) << "seed " << seed << " cell " << at;
            }
        }
        if (done) {
            ++finished;
            EXPECT_EQ(stop, 81);
            EXPECT_TRUE(IsCompleteSudoku(cells));
            continue;
        }
        ++deadEnds;
        ASSERT_LT(stop, 81);
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            EXPECT_FALSE(Allowed(cells, stop % 9 * 9 + stop / 9, digit)) << "seed " << seed << " stopped early at " << stop;
        }
    }
    // About one attempt in 330 gets through.
    EXPECT_GT(deadEnds, 2900);
    EXPECT_GE(finished, 1);
}

TEST(SudokuFill, EveryDigitComesUpEquallyOftenInACell) {
    // The digits are exchangeable (up to 9's slightly smaller weight), so each cell holds
    // each digit in about a ninth of the grids; a biased pick shows up at once.
    constexpr std::int32_t Grids = 1800;
    WRandom random(2024);
    std::array<std::array<std::int32_t, 10>, 3> seen{};
    const std::array<std::array<std::int32_t, 2>, 3> cells{{{0, 0}, {4, 7}, {8, 8}}};
    for (std::int32_t i = 0; i < Grids; ++i) {
        const SudokuGrid grid = MakeSolution(random);
        for (std::size_t c = 0; c < cells.size(); ++c) ++seen[c][static_cast<std::size_t>(grid[cells[c][0]][cells[c][1]])];
    }
    for (std::size_t c = 0; c < cells.size(); ++c) {
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            // 200 expected, standard deviation about 13
            EXPECT_NEAR(seen[c][static_cast<std::size_t>(digit)], Grids / 9, 70) << "cell " << c << " digit " << digit;
        }
    }
}

TEST(SudokuGenerate, PuzzlesHaveAValidSolutionTheirGivenCountAndNoOtherSolution) {
    for (std::int32_t level = 0; level <= 2; ++level) {
        const std::int32_t givenCount = GivenCountFor(level, InitialGivenCount);
        for (std::uint32_t seed = 1; seed <= 6; ++seed) {
            WRandom random(seed * 7919u + static_cast<std::uint32_t>(level));
            stSudoku sudoku{};
            ClearGrid(sudoku.SolutionGrid);
            GeneratePuzzle(sudoku, givenCount, level, random);
            const Cells solution = ToCells(sudoku.SolutionGrid);
            ASSERT_TRUE(IsCompleteSudoku(solution)) << "level " << level << " seed " << seed;
            ASSERT_EQ(CountGivens(sudoku.GivenMask), givenCount);
            Cells givens = GivensOnly(sudoku.SolutionGrid, sudoku.GivenMask);
            std::vector<Cells> found;
            ASSERT_EQ(BruteForceSolutions(givens, 2, &found), 1) << "level " << level << " seed " << seed;
            EXPECT_EQ(found.front(), solution);
            // The literal search accepts the same givens (at 28 givens it would take minutes).
            if (level < 2) {
                EXPECT_EQ(reference::CountSolutions(sudoku.SolutionGrid, sudoku.GivenMask), 1);
            }
        }
    }
}

TEST(SudokuGenerate, LevelTwoPuzzlesHaveExactlyOneSolution) {
    // Over 28 givens about one random set in 500 has a single solution: a loose test of
    // uniqueness would let through sets with hundreds.
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        WRandom random(seed);
        stSudoku sudoku{};
        ClearGrid(sudoku.SolutionGrid);
        GeneratePuzzle(sudoku, GivenCountFor(2, InitialGivenCount), 2, random);
        ASSERT_EQ(CountGivens(sudoku.GivenMask), 28);
        Cells givens = GivensOnly(sudoku.SolutionGrid, sudoku.GivenMask);
        ASSERT_EQ(RowByRowSolutions(givens, 2), 1) << "seed " << seed << ": " << Text(sudoku.SolutionGrid, sudoku.GivenMask);
    }
}

TEST(SudokuGenerate, ASeedReproducesAPuzzle) {
    const auto make = [](std::uint32_t seed, std::int32_t level) {
        WRandom random(seed);
        stSudoku sudoku{};
        ClearGrid(sudoku.SolutionGrid);
        GeneratePuzzle(sudoku, GivenCountFor(level, InitialGivenCount), level, random);
        SudokuMask all;
        for (auto& column : all) column.fill(1);
        return Text(sudoku.SolutionGrid, sudoku.GivenMask) + ' ' + Text(sudoku.SolutionGrid, all);
    };
    for (std::int32_t level = 0; level <= 2; ++level) {
        EXPECT_EQ(make(11, level), make(11, level));
        EXPECT_NE(make(11, level), make(12, level));
    }
}

TEST(SudokuGenerate, RefusesGivenCountsThatCannotEnd) {
    WRandom random(1);
    SudokuGrid solution;
    SudokuMask givens;
    for (const std::int32_t count : {-1, 0, 81, 82}) {
        ClearGrid(solution);
        EXPECT_THROW(GeneratePuzzle(solution, givens, count, 0, random), std::invalid_argument) << count;
    }
}

TEST(SudokuSolved, NeedsEveryCellEveryGivenAndEveryUnitRight) {
    const SudokuGrid solution = PatternSolution();
    SudokuMask givens{};
    givens[0][0] = 1;
    givens[7][7] = 1;
    givens[3][4] = 1;
    SudokuGrid player = solution;
    EXPECT_TRUE(IsSolved(player, givens, solution));

    player[5][2] = -1;
    EXPECT_FALSE(IsSolved(player, givens, solution));
    player[5][2] = 0;
    EXPECT_FALSE(IsSolved(player, givens, solution));
    player[5][2] = 10;
    EXPECT_FALSE(IsSolved(player, givens, solution));

    // Two equal entered digits in row 4, neither meeting a given in its column, row or
    // block: the old test, which compared entered digits with the givens only, passed this.
    player = solution;
    player[5][4] = solution[6][4];
    ASSERT_NE(player[5][4], solution[3][4]);  // the given in the same row and block
    EXPECT_FALSE(IsSolved(player, givens, solution));

    // An entered digit equal to the given of its block, the bottom-right one.
    player = solution;
    player[8][8] = solution[7][7];
    EXPECT_FALSE(IsSolved(player, givens, solution));

    // A valid grid that changes the givens is not a solution of this puzzle: swap the
    // digits 1 and 2 everywhere.
    player = solution;
    for (auto& column : player) {
        for (std::int32_t& digit : column) digit = digit == 1 ? 2 : digit == 2 ? 1 : digit;
    }
    ASSERT_TRUE(IsCompleteSudoku(ToCells(player)));
    SudokuMask onlyOne{};
    onlyOne[0][0] = 1;
    ASSERT_EQ(solution[0][0], 1);
    EXPECT_FALSE(IsSolved(player, onlyOne, solution));
    const SudokuMask noGivens{};
    EXPECT_TRUE(IsSolved(player, noGivens, solution));
}

TEST(SudokuCount, EdgeCasesMatchTheLiteralSearch) {
    const SudokuGrid solution = PatternSolution();
    SudokuMask all;
    for (auto& column : all) column.fill(1);
    // Nothing left to search: no start cell, no solution found.
    EXPECT_EQ(CountSolutions(solution, all), 0);
    EXPECT_EQ(reference::CountSolutions(solution, all), 0);
    SudokuMask one = all;
    one[4][6] = 0;
    EXPECT_EQ(CountSolutions(solution, one), 1);
    SudokuGrid wrong = solution;
    wrong[0][6] = wrong[4][6];  // a given that leaves the empty cell no digit
    EXPECT_EQ(CountSolutions(wrong, one), 0);
    EXPECT_EQ(reference::CountSolutions(wrong, one), 0);
    // No givens at all.
    const SudokuMask none{};
    EXPECT_EQ(CountSolutions(solution, none), 2);
    EXPECT_EQ(reference::CountSolutions(solution, none), 2);
    // A marked cell without a digit constrains nothing.
    SudokuGrid holes = solution;
    SudokuMask mask = all;
    for (std::int32_t row = 0; row < 9; ++row) mask[2][row] = 0;
    holes[5][5] = -1;
    EXPECT_EQ(CountSolutions(holes, mask), reference::CountSolutions(holes, mask));
}

// Given counts away from the levels' own make every result common: unique and ambiguous
// sets, and with one given altered, sets without any solution.
TEST(SudokuCount, MatchesTheLiteralSearchAtLevel0) {
    const auto plain = ExpectSameCounts({42, 46, 50, 54, 58, 62}, Scaled(2500), Variation::None, 100);
    const auto altered = ExpectSameCounts({50, 54, 58, 62}, Scaled(2500), Variation::AlterGiven, 101);
    EXPECT_GT(plain[1], 800);
    EXPECT_GT(plain[2], 200);
    EXPECT_GT(altered[0], 500);
    EXPECT_GT(altered[1], 400);
    EXPECT_GT(altered[2], 50);
}

TEST(SudokuCount, MatchesTheLiteralSearchAtLevel1) {
    const auto plain = ExpectSameCounts({35, 40, 45, 50, 56, 64}, Scaled(2000), Variation::None, 200);
    const auto altered = ExpectSameCounts({52, 56, 60, 66}, Scaled(3000), Variation::AlterGiven, 201);
    EXPECT_GT(plain[1], 500);
    EXPECT_GT(plain[2], 300);
    EXPECT_GT(altered[0], 600);
    EXPECT_GT(altered[1], 500);
    EXPECT_GT(altered[2], 40);
}

// Around level 2's 28 givens the literal search takes minutes; the row-by-row count takes
// its place. Every fifth set has an open rectangle, so two solutions at least. The same sets
// check the unavoidable sets that spare the generator its counts: a set of givens that misses
// one must have another solution.
TEST(SudokuCount, CountAndUnavoidableSetsMatchARowByRowCountAtLevel2) {
    WRandom random(300);
    std::array<std::int32_t, 3> tally{};
    std::int32_t missed = 0;
    SudokuGrid solution;
    std::optional<sudoku_cells::UnavoidableSets> unavoidable;
    const std::array<std::int32_t, 4> givenCounts{28, 31, 34, 37};
    for (std::int32_t set = 0; set < Scaled(2000); ++set) {
        if (set % 16 == 0) {
            solution = MakeSolution(random);
            unavoidable.emplace(solution);
        }
        SudokuMask mask = RandomMask(givenCounts[static_cast<std::size_t>(set) % givenCounts.size()], random);
        const bool opened = set % 5 == 0 && OpenRectangle(solution, mask, random);
        Cells cells = GivensOnly(solution, mask);
        const std::int32_t expected = RowByRowSolutions(cells, 2);
        EXPECT_EQ(CountSolutions(solution, mask), expected) << "set " << set << ", givens " << Text(solution, mask);
        ++tally[static_cast<std::size_t>(expected)];

        sudoku_cells::CellSet givens;
        for (std::int32_t cell = 0; cell < 81; ++cell) {
            if (mask[cell / 9][cell % 9] != 0) givens.Add(cell);
        }
        const bool misses = unavoidable->MissedBy(givens);
        if (misses) {
            ++missed;
            EXPECT_EQ(expected, 2) << "set " << set << ", givens " << Text(solution, mask);
        }
        // The rectangle is a group of its two digits of its own.
        if (opened) {
            EXPECT_TRUE(misses) << "set " << set << ", givens " << Text(solution, mask);
        }
    }
    EXPECT_EQ(tally[0], 0);
    EXPECT_GT(tally[1], 50);
    EXPECT_GT(tally[2], 1000);
    EXPECT_GT(missed, tally[2] * 3 / 4);
}

TEST(SudokuUnavoidable, SetsAreTheSmallestExchangesOfTwoDigits) {
    WRandom random(400);
    for (std::int32_t grid = 0; grid < 30; ++grid) {
        const SudokuGrid solution = MakeSolution(random);
        const Cells cells = ToCells(solution);
        std::vector<std::vector<std::int32_t>> expected;  // each as its row-major cells, ascending
        for (std::int32_t a = 1; a <= 9; ++a) {
            for (std::int32_t b = a + 1; b <= 9; ++b) {
                // Exchange a and b in any choice of rows; keep the choices that leave a valid
                // grid, and of those the ones that contain no other.
                std::vector<std::uint32_t> valid;
                for (std::uint32_t rows = 1; rows < 512; ++rows) {
                    Cells exchanged = cells;
                    for (std::int32_t at = 0; at < 81; ++at) {
                        std::int32_t& digit = exchanged[static_cast<std::size_t>(at)];
                        if ((rows >> (at / 9) & 1u) != 0 && (digit == a || digit == b)) digit = a + b - digit;
                    }
                    if (IsCompleteSudoku(exchanged)) valid.push_back(rows);
                }
                for (const std::uint32_t rows : valid) {
                    const bool smallest = std::none_of(valid.begin(), valid.end(), [rows](std::uint32_t other) {
                        return other != rows && (other & ~rows) == 0;
                    });
                    if (!smallest) continue;
                    std::vector<std::int32_t>& set = expected.emplace_back();
                    for (std::int32_t at = 0; at < 81; ++at) {
                        const std::int32_t digit = cells[static_cast<std::size_t>(at)];
                        if ((rows >> (at / 9) & 1u) != 0 && (digit == a || digit == b)) set.push_back(at);
                    }
                }
            }
        }
        std::vector<std::vector<std::int32_t>> listed;
        std::size_t previousSize = 0;
        for (const sudoku_cells::CellSet& set : sudoku_cells::UnavoidableSets(solution)) {
            std::vector<std::int32_t>& rowMajor = listed.emplace_back();
            for (std::int32_t at = 0; at < 81; ++at) {
                if (set.Has(at % 9 * 9 + at / 9)) rowMajor.push_back(at);
            }
            EXPECT_GE(rowMajor.size(), previousSize) << "the smallest sets first";
            previousSize = rowMajor.size();
        }
        std::sort(expected.begin(), expected.end());
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, expected) << "grid " << grid;
    }
}

TEST(SudokuUnavoidable, AGridThatIsNoSolutionHasNone) {
    SudokuGrid grid = PatternSolution();
    const sudoku_cells::UnavoidableSets sets(grid);
    EXPECT_GE(sets.end() - sets.begin(), 36);  // at least one group for each pair of digits
    grid[8][8] = grid[8][7];
    const sudoku_cells::UnavoidableSets broken(grid);
    EXPECT_EQ(broken.begin(), broken.end());
    ClearGrid(grid);
    const sudoku_cells::UnavoidableSets empty(grid);
    EXPECT_EQ(empty.begin(), empty.end());
}

// ---- vum-sudoku-gen, checked from the outside ----

namespace {

struct ToolRun {
    std::string Output;
    std::int32_t Status = -1;
};

ToolRun RunTool(const std::string& arguments) {
    const std::string command = std::string("'") + VUM_SUDOKU_GEN + "' " + arguments;
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer{};
    for (std::size_t read = 0; (read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        run.Output.append(buffer.data(), read);
    }
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(SudokuGenerator, PrintsPuzzlesThatAnIndependentSolverConfirms) {
    for (std::int32_t level = 0; level <= 2; ++level) {
        const ToolRun run = RunTool("--level " + std::to_string(level) + " --count 6 --seed 4242 2>&1");
        ASSERT_EQ(run.Status, 0) << run.Output;
        const std::vector<std::string> lines = Lines(run.Output);
        ASSERT_EQ(lines.size(), 6u) << run.Output;
        for (const std::string& line : lines) {
            ASSERT_EQ(line.size(), 163u) << line;
            ASSERT_EQ(line[81], ' ') << line;
            Cells puzzle{}, solution{};
            std::int32_t givens = 0;
            for (std::size_t at = 0; at < 81; ++at) {
                const char shown = line[at];
                const char digit = line[82 + at];
                ASSERT_TRUE(digit >= '1' && digit <= '9') << line;
                solution[at] = digit - '0';
                if (shown == '.') continue;
                ASSERT_EQ(shown, digit) << "a given differs from the solution: " << line;
                puzzle[at] = shown - '0';
                ++givens;
            }
            EXPECT_EQ(givens, GivenCountFor(level, InitialGivenCount)) << line;
            EXPECT_TRUE(IsCompleteSudoku(solution)) << line;
            std::vector<Cells> found;
            ASSERT_EQ(BruteForceSolutions(puzzle, 2, &found), 1) << line;
            EXPECT_EQ(found.front(), solution) << line;
        }
    }
}

TEST(SudokuGenerator, ASeedRepeatsItsPuzzles) {
    const ToolRun first = RunTool("--seed 7 --count 3 --level 2");
    const ToolRun again = RunTool("--count=3 --level=2 --seed=7");
    const ToolRun other = RunTool("--seed 8 --count 3 --level 2");
    ASSERT_EQ(first.Status, 0);
    EXPECT_EQ(first.Output, again.Output);
    EXPECT_NE(first.Output, other.Output);
    const ToolRun byDefault = RunTool("");  // level 1, one puzzle, seed from the clock
    ASSERT_EQ(byDefault.Status, 0);
    ASSERT_EQ(Lines(byDefault.Output).size(), 1u);
    ASSERT_EQ(byDefault.Output.size(), 164u);
    EXPECT_EQ(std::count(byDefault.Output.begin(), byDefault.Output.begin() + 81, '.'), 81 - 35);
}

TEST(SudokuGenerator, BadArgumentsGetOneLineAndStatusTwo) {
    for (const char* arguments : {"--level 3", "--level -1", "--level x", "--count 0", "--count -5", "--count 2x",
                                  "--seed -1", "--seed 4294967296", "--seed", "--level", "--colour 2", "extra"}) {
        const ToolRun quiet = RunTool(std::string(arguments) + " 2>/dev/null");
        EXPECT_EQ(quiet.Status, 2) << arguments;
        EXPECT_EQ(quiet.Output, "") << arguments;
        const ToolRun told = RunTool(std::string(arguments) + " 2>&1 >/dev/null");
        EXPECT_EQ(Lines(told.Output).size(), 1u) << arguments << ": " << told.Output;
        EXPECT_EQ(told.Output.rfind("vum-sudoku-gen: ", 0), 0u) << told.Output;
    }
    const ToolRun help = RunTool("--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Output.find("--level"), std::string::npos);
}

TEST(SudokuGenerator, RateAddsTheHardestTechniqueToTheSamePuzzles) {
    std::set<std::string> ids;
    for (std::int32_t technique = 0; technique < SudokuTechniqueCount; ++technique) {
        ids.insert(std::string(TechniqueId(static_cast<SudokuTechnique>(technique))));
    }
    for (std::int32_t level = 0; level <= 2; ++level) {
        const std::string options = "--level " + std::to_string(level) + " --count 12 --seed 99";
        const ToolRun rated = RunTool(options + " --rate");
        const ToolRun plain = RunTool(options);
        ASSERT_EQ(rated.Status, 0);
        const std::vector<std::string> lines = Lines(rated.Output);
        const std::vector<std::string> puzzles = Lines(plain.Output);
        ASSERT_EQ(lines.size(), puzzles.size());
        for (std::size_t at = 0; at < lines.size(); ++at) {
            ASSERT_EQ(lines[at].substr(0, 164), puzzles[at] + ' ');
            const std::string id = lines[at].substr(164);
            EXPECT_TRUE(ids.contains(id)) << id;
            if (level == 2) {
                EXPECT_NE(id, "naked-single");
                EXPECT_NE(id, "hidden-single");
            }
        }
    }
}

namespace {

// Follows an --explain path from a puzzle: each placement in an empty cell with the
// solution's digit, each removal away from it; true when the path fills the board.
::testing::AssertionResult FollowPath(const std::string& puzzle, const std::vector<std::string>& steps) {
    Cells cells{};
    for (std::size_t at = 0; at < 81; ++at) cells[at] = puzzle[at] == '.' ? 0 : puzzle[at] - '0';
    Cells solution = cells;
    std::vector<Cells> found;
    if (BruteForceSolutions(solution, 2, &found) != 1) return ::testing::AssertionFailure() << "not one solution";
    const auto at = [](const std::string& rc) { return static_cast<std::size_t>((rc[0] - '1') * 9 + (rc[1] - '1')); };
    for (const std::string& step : steps) {
        std::istringstream words(step);
        std::string technique, action, what;
        words >> technique >> action >> what;
        if (action == "place") {
            const std::size_t cell = at(what);
            if (cells[cell] != 0 || what[3] - '0' != found[0][cell]) return ::testing::AssertionFailure() << step;
            cells[cell] = found[0][cell];
            continue;
        }
        if (action != "remove") return ::testing::AssertionFailure() << "no action: " << step;
        std::istringstream removals(what);
        for (std::string removal; std::getline(removals, removal, ',');) {
            for (std::size_t digit = 3; digit < removal.size(); ++digit) {
                if (removal[digit] - '0' == found[0][at(removal)]) return ::testing::AssertionFailure() << step;
            }
        }
    }
    if (cells != found[0]) return ::testing::AssertionFailure() << "the board is not full";
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(SudokuGenerator, ExplainPrintsASoundPathForEachPuzzleAndSaysWhyALineIsNone) {
    const std::vector<std::string> made = Lines(RunTool("--level 2 --count 3 --seed 5").Output);
    ASSERT_EQ(made.size(), 3u);
    const std::string stuck = ".......21.6...4.93...23.54......89.55.8.......9...3268.476.....8.3.95.7..........";
    const std::string full = made[0].substr(82);
    std::string twice = std::string(81, '.');
    twice.replace(0, 9, "123456789");
    // A given of the first row that has an empty cell, copied into that cell.
    std::string repeated = made[1].substr(0, 81);
    std::size_t row = 0;
    while (repeated.substr(row * 9, 9).find('.') == std::string::npos) ++row;
    const std::string given = repeated.substr(row * 9, 9);
    repeated[row * 9 + given.find('.')] = given[given.find_first_not_of('.')];
    std::string unsolvable(81, '.');
    unsolvable.replace(0, 8, "12345678");
    unsolvable[17] = '9';  // row 1 has no place left for its 9
    TestFolder folder;
    const std::string input = folder.File("puzzles.txt");
    TestFolder::Write(input, made[0] + '\n' + made[1].substr(0, 81) + "\r\n" + "12345\n\n" + stuck + '\n' +
                                 std::string(40, '0') + 'x' + std::string(40, '0') + '\n' + twice + '\n' +
                                 repeated + '\n' + unsolvable + '\n' + full + '\n' + made[2].substr(0, 81));
    const ToolRun run = RunTool("--explain < '" + input + "'");
    ASSERT_EQ(run.Status, 0);
    const std::vector<std::string> lines = Lines(run.Output);
    std::vector<std::vector<std::string>> blocks(1);
    for (const std::string& line : lines) {
        if (line.empty()) {
            blocks.emplace_back();
        } else {
            blocks.back().push_back(line);
            if (line.starts_with("invalid: ")) blocks.emplace_back();
        }
    }
    if (blocks.back().empty()) blocks.pop_back();
    ASSERT_EQ(blocks.size(), 11u) << run.Output;
    const auto path = [&](std::size_t block) {
        return std::vector<std::string>(blocks[block].begin(), blocks[block].end() - 1);
    };
    EXPECT_EQ(blocks[0].back(), "solved");
    EXPECT_TRUE(FollowPath(made[0], path(0)));
    EXPECT_EQ(blocks[1].back(), "solved");
    EXPECT_TRUE(FollowPath(made[1], path(1)));
    EXPECT_EQ(blocks[2], std::vector<std::string>{"invalid: 5 characters, not 81"});
    EXPECT_EQ(blocks[3], std::vector<std::string>{"invalid: no puzzle on the line"});
    EXPECT_EQ(blocks[4].back(), "stuck");
    EXPECT_GT(blocks[4].size(), 1u);
    EXPECT_EQ(blocks[5], std::vector<std::string>{"invalid: character 'x' at 41, not a digit or '.'"});
    EXPECT_EQ(blocks[6], std::vector<std::string>{"invalid: more than one solution"});
    EXPECT_EQ(blocks[7], std::vector<std::string>{"invalid: no solution"});  // a digit repeats
    EXPECT_EQ(blocks[8], std::vector<std::string>{"invalid: no solution"});
    EXPECT_EQ(blocks[9], std::vector<std::string>{"invalid: no empty cell"});
    EXPECT_EQ(blocks[10].back(), "solved");  // the last line without its end of line
    EXPECT_TRUE(FollowPath(made[2], path(10)));
}

TEST(SudokuGenerator, ExplainFailsOnlyWhenItCannotReadOrWrite) {
    EXPECT_EQ(RunTool("--explain < /dev/null").Output, "");
    EXPECT_EQ(RunTool("--explain < /dev/null").Status, 0);
    EXPECT_EQ(RunTool("--explain < / 2>/dev/null").Status, 1);  // a folder cannot be read
    EXPECT_EQ(RunTool("--explain < /etc/hostname > /dev/full 2>/dev/null").Status, 1);
    for (const char* arguments : {"--explain --level 2", "--rate --explain", "--explain --seed 3"}) {
        EXPECT_EQ(RunTool(std::string(arguments) + " 2>/dev/null </dev/null").Status, 2) << arguments;
    }
}
