#include "sudoku/engine/SudokuPuzzle.h"

#include <stdexcept>

#include "common/WRandom.h"
#include "sudoku/engine/SudokuCells.h"
#include "sudoku/engine/SudokuSolutionCount.h"

namespace vum {

using namespace sudoku_cells;

std::int32_t GivenCountFor(std::int32_t difficulty, std::int32_t currentGivenCount) {
    switch (difficulty) {
        case 0: return 42;
        case 1: return 35;
        case 2: return 28;
        default: return currentGivenCount;
    }
}

std::int32_t BlockStart(std::int32_t x) {
    if (x < 0 || x > 8) return -1;
    return x / 3 * 3;
}

void ClearGrid(SudokuGrid& grid) {
    for (auto& column : grid) column.fill(-1);
}

bool ColumnHas(const SudokuGrid& grid, std::int32_t column, std::int32_t digit) {
    for (std::int32_t row = 0; row < 9; ++row) {
        if (grid[column][row] == digit) return true;
    }
    return false;
}

bool RowHas(const SudokuGrid& grid, std::int32_t row, std::int32_t digit) {
    for (std::int32_t column = 0; column < 9; ++column) {
        if (grid[column][row] == digit) return true;
    }
    return false;
}

bool BlockHas(const SudokuGrid& grid, std::int32_t column, std::int32_t row, std::int32_t digit) {
    const std::int32_t firstColumn = BlockStart(column);
    const std::int32_t firstRow = BlockStart(row);
    for (std::int32_t c = firstColumn; c < firstColumn + 3; ++c) {
        for (std::int32_t r = firstRow; r < firstRow + 3; ++r) {
            if (grid[c][r] == digit) return true;
        }
    }
    return false;
}

bool CanPlace(const SudokuGrid& grid, const SudokuMask& mask, std::int32_t column,
              std::int32_t row, std::int32_t digit) {
    const auto clashes = [&](std::int32_t c, std::int32_t r) {
        return (c != column || r != row) && mask[c][r] != 0 && grid[c][r] == digit;
    };
    const std::int32_t firstColumn = BlockStart(column);
    const std::int32_t firstRow = BlockStart(row);
    for (std::int32_t c = firstColumn; c < firstColumn + 3; ++c) {
        for (std::int32_t r = firstRow; r < firstRow + 3; ++r) {
            if (clashes(c, r)) return false;
        }
    }
    for (std::int32_t r = 0; r < 9; ++r) {
        if (clashes(column, r)) return false;
    }
    for (std::int32_t c = 0; c < 9; ++c) {
        if (clashes(c, row)) return false;
    }
    return true;
}

namespace {

// The bits of 15-bit draws, handed out a few at a time.
class RandomBits {
public:
    explicit RandomBits(WRandom& random) : random_(random) {}

    // count must not exceed 15.
    std::uint32_t Take(std::int32_t count) {
        if (held_ < count) {
            bits_ |= static_cast<std::uint64_t>(random_.Draw15()) << held_;
            held_ += 15;
        }
        const auto taken = static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << count) - 1));
        bits_ >>= count;
        held_ -= count;
        return taken;
    }

private:
    WRandom& random_;
    std::uint64_t bits_ = 0;
    std::int32_t held_ = 0;
};

bool TryFill(SudokuGrid& grid, RandomBits& bits) {
    std::array<DigitSet, 9> rows{};
    for (std::int32_t band = 0; band < 9; band += 3) {
        std::array<DigitSet, 3> blocks{};
        for (std::int32_t column = band; column < band + 3; ++column) {
            DigitSet used = 0;
            for (std::int32_t row = 0; row < 9; ++row) {
                DigitSet& block = blocks[static_cast<std::size_t>(row / 3)];
                const auto legal = static_cast<DigitSet>(AllDigits & ~(used | rows[static_cast<std::size_t>(row)] | block));
                if (legal == 0) return false;
                const std::int32_t digit = PickDigit(legal, bits);
                grid[column][row] = digit;
                const DigitSet bit = DigitBit(digit);
                used |= bit;
                rows[static_cast<std::size_t>(row)] |= bit;
                block |= bit;
            }
        }
    }
    return true;
}

}  // namespace

bool TryFillSolution(SudokuGrid& grid, WRandom& random) {
    RandomBits bits(random);
    return TryFill(grid, bits);
}

void FillSolution(SudokuGrid& grid, WRandom& random) {
    RandomBits bits(random);
    while (!TryFill(grid, bits)) ClearGrid(grid);
}

void GeneratePuzzle(SudokuGrid& solution, SudokuMask& givens, std::int32_t givenCount,
                    std::int32_t /*difficulty*/, WRandom& random) {
    if (givenCount < 1 || givenCount > 80) {
        throw std::invalid_argument("GeneratePuzzle: the number of givens must lie in 1..80");
    }
    FillSolution(solution, random);
    DrawGivens(solution, givens, givenCount, random);
}

std::int32_t DrawGivens(const SudokuGrid& solution, SudokuMask& givens, std::int32_t givenCount,
                        WRandom& random) {
    if (givenCount < 1 || givenCount > 80) {
        throw std::invalid_argument("DrawGivens: the number of givens must lie in 1..80");
    }
    // Most sets of few givens leave one of these without a given, and are dismissed without
    // a count.
    const UnavoidableSets unavoidable(solution);
    for (std::int32_t drawn = 1;; ++drawn) {
        for (auto& column : givens) column.fill(0);
        Givens set;
        CellSet cells;
        std::int32_t count = 0;
        while (count < givenCount) {
            const std::int32_t column = random.Draw31() % 9;
            const std::int32_t row = random.Draw31() % 9;
            if (givens[column][row] == 0) {
                givens[column][row] = 1;
                ++count;
                Place(set.Used, CellAt(column, row), DigitBit(solution[column][row]));
                cells.Add(CellAt(column, row));
            }
        }
        if (unavoidable.MissedBy(cells)) continue;
        ListEmptyCells(givens, set);
        if (sudoku_cells::CountSolutions(set) == 1) return drawn;
    }
}

void GeneratePuzzle(stSudoku& sudoku, std::int32_t givenCount, std::int32_t difficulty,
                    WRandom& random) {
    GeneratePuzzle(sudoku.SolutionGrid, sudoku.GivenMask, givenCount, difficulty, random);
}

std::int32_t CountSolutions(const SudokuGrid& grid, const SudokuMask& mask) {
    return sudoku_cells::CountSolutions(ReadGivens(grid, mask));
}

bool IsSolved(const SudokuGrid& playerGrid, const SudokuMask& givenMask,
              const SudokuGrid& solutionGrid) {
    UnitMasks seen{};
    for (std::int32_t column = 0; column < 9; ++column) {
        for (std::int32_t row = 0; row < 9; ++row) {
            const std::int32_t digit = playerGrid[column][row];
            if (digit < 1 || digit > 9) return false;
            if (givenMask[column][row] != 0 && digit != solutionGrid[column][row]) return false;
            Place(seen, CellAt(column, row), DigitBit(digit));
        }
    }
    // 81 digits in 27 units of nine: a unit is full exactly when none repeats in it.
    for (const DigitSet unit : seen) {
        if (unit != AllDigits) return false;
    }
    return true;
}

bool IsSolved(const stSudoku& sudoku) {
    return IsSolved(sudoku.PlayerGrid, sudoku.GivenMask, sudoku.SolutionGrid);
}

}  // namespace vum
