#include "sudoku/engine/SudokuSolutionCount.h"

#include <utility>

namespace vum {

namespace sudoku_cells {

void ListEmptyCells(const SudokuMask& mask, Givens& givens) {
    std::int32_t count = 0;
    for (std::int32_t column = 0; column < 9; ++column) {
        for (std::int32_t row = 0; row < 9; ++row) {
            // No branch: on a random mask it would be mispredicted half the time.
            givens.Empty[static_cast<std::size_t>(count)] = static_cast<std::uint8_t>(CellAt(column, row));
            count += mask[column][row] == 0 ? 1 : 0;
        }
    }
    givens.EmptyCount = count;
}

Givens ReadGivens(const SudokuGrid& grid, const SudokuMask& mask) {
    Givens givens;
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        const std::int32_t column = ColumnOf(cell);
        const std::int32_t row = RowOf(cell);
        const std::int32_t digit = grid[column][row];
        if (mask[column][row] != 0 && digit >= 1 && digit <= 9) Place(givens.Used, cell, DigitBit(digit));
    }
    ListEmptyCells(mask, givens);
    return givens;
}

namespace {

// Depth-first search over the empty cells, the one with the fewest candidates first.
class ExactSearch {
public:
    explicit ExactSearch(const Givens& givens)
        : used_(givens.Used), cells_(givens.Empty), count_(givens.EmptyCount) {}

    std::int32_t Count() {
        Search(0);
        return solutions_;
    }

private:
    // True once the second solution is found.
    bool Search(std::int32_t depth) {
        if (depth == count_) return ++solutions_ >= 2;
        std::int32_t best = depth;
        DigitSet bestFree = 0;
        std::uint8_t bestCount = 10;
        for (std::int32_t i = depth; i < count_; ++i) {
            const DigitSet free = FreeDigits(used_, cells_[static_cast<std::size_t>(i)]);
            const std::uint8_t candidates = DigitCount[free];
            if (candidates < bestCount) {
                if (candidates == 0) return false;
                best = i;
                bestFree = free;
                bestCount = candidates;
                if (candidates == 1) break;
            }
        }
        std::swap(cells_[static_cast<std::size_t>(depth)], cells_[static_cast<std::size_t>(best)]);
        const std::int32_t cell = cells_[static_cast<std::size_t>(depth)];
        for (DigitSet left = bestFree; left != 0; left &= static_cast<DigitSet>(left - 1)) {
            const DigitSet bit = LowestDigit(left);
            Place(used_, cell, bit);
            const bool done = Search(depth + 1);
            Remove(used_, cell, bit);
            if (done) return true;
        }
        return false;
    }

    UnitMasks used_;
    std::array<std::uint8_t, 81> cells_;
    std::int32_t count_;
    std::int32_t solutions_ = 0;
};

}  // namespace

std::int32_t CountSolutions(const Givens& givens) {
    if (givens.EmptyCount == 0) return 0;
    return ExactSearch(givens).Count();
}

}  // namespace sudoku_cells

}  // namespace vum
