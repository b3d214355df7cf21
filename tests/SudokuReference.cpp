#include "SudokuReference.h"

#include "common/WRandom.h"
#include "sudoku/engine/SudokuSolutionCount.h"

namespace vum::reference {
namespace {

std::int32_t Band(std::int32_t x) { return x / 3 * 3; }

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
    for (std::int32_t c = Band(column); c < Band(column) + 3; ++c) {
        for (std::int32_t r = Band(row); r < Band(row) + 3; ++r) {
            if (grid[c][r] == digit) return true;
        }
    }
    return false;
}

bool Taken(const SudokuGrid& grid, std::int32_t column, std::int32_t row, std::int32_t digit) {
    return BlockHas(grid, column, row, digit) || RowHas(grid, row, digit) || ColumnHas(grid, column, digit);
}

}  // namespace

bool CanPlace(const SudokuGrid& grid, const SudokuMask& mask, std::int32_t column, std::int32_t row,
              std::int32_t digit) {
    const auto clashes = [&](std::int32_t c, std::int32_t r) {
        return !(c == column && r == row) && mask[c][r] == 1 && grid[c][r] == digit;
    };
    for (std::int32_t c = Band(column); c < Band(column) + 3; ++c) {
        for (std::int32_t r = Band(row); r < Band(row) + 3; ++r) {
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

void SearchSolutions(stIndex start, const SudokuGrid& grid, const SudokuMask& mask,
                     std::vector<SudokuGrid>& solutions) {
    if (solutions.size() >= 2) return;
    SudokuGrid ownGrid = grid;
    SudokuMask ownMask = mask;
    for (std::int32_t digit = 1; digit <= 9; ++digit) {
        if (!CanPlace(ownGrid, ownMask, start.Column, start.Row, digit)) continue;
        ownGrid[start.Column][start.Row] = digit;
        ownMask[start.Column][start.Row] = 1;
        std::vector<stIndex> left;
        for (std::int32_t c = 0; c < 9; ++c) {
            for (std::int32_t r = 0; r < 9; ++r) {
                if (ownMask[c][r] == 0) left.push_back({c, r});
            }
        }
        if (left.empty()) {
            bool known = false;
            for (const SudokuGrid& solution : solutions) known = known || solution == ownGrid;
            if (!known) solutions.push_back(ownGrid);
            if (solutions.size() == 2) return;
            continue;
        }
        SearchSolutions(left.front(), ownGrid, ownMask, solutions);
        if (solutions.size() == 2) return;
    }
}

std::int32_t CountSolutions(const SudokuGrid& grid, const SudokuMask& mask) {
    std::vector<stIndex> empty;
    for (std::int32_t c = 0; c < 9; ++c) {
        for (std::int32_t r = 0; r < 9; ++r) {
            if (mask[c][r] == 0) empty.push_back({c, r});
        }
    }
    std::vector<SudokuGrid> solutions;
    for (const stIndex start : empty) {
        SearchSolutions(start, grid, mask, solutions);
        if (solutions.size() == 2) break;
    }
    return static_cast<std::int32_t>(solutions.size());
}

bool TryFillSolution(SudokuGrid& grid, WRandom& random) {
    for (std::int32_t column = 0; column < 9; ++column) {
        for (std::int32_t row = 0; row < 9; ++row) {
            std::int32_t candidates = 9;
            for (std::int32_t digit = 1; digit <= 9; ++digit) {
                if (Taken(grid, column, row, digit)) --candidates;
            }
            if (candidates == 0) return false;
            std::int32_t digit = 0;
            do {
                digit = random.Draw15() % 9 + 1;
            } while (Taken(grid, column, row, digit));
            grid[column][row] = digit;
        }
    }
    return true;
}

void GeneratePuzzle(SudokuGrid& solution, SudokuMask& givens, std::int32_t givenCount, WRandom& random) {
    while (!reference::TryFillSolution(solution, random)) {
        for (auto& column : solution) column.fill(-1);
    }
    for (;;) {
        for (auto& column : givens) column.fill(0);
        std::int32_t count = 0;
        do {
            const std::int32_t column = random.Draw31() % 9;
            const std::int32_t row = random.Draw31() % 9;
            if (givens[column][row] == 0) {
                givens[column][row] = 1;
                ++count;
            }
        } while (count < givenCount);
        if (reference::CountSolutions(solution, givens) == 1) return;
    }
}

std::int32_t DrawGivensByCount(const SudokuGrid& solution, SudokuMask& givens, std::int32_t givenCount,
                               WRandom& random) {
    using namespace sudoku_cells;
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

}  // namespace vum::reference
