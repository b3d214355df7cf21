#include "sudoku/engine/SudokuSolutionCount.h"

#include <algorithm>
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

UnavoidableSets::UnavoidableSets(const SudokuGrid& solution) {
    UnitMasks seen{};
    std::array<std::array<std::int32_t, 9>, 9> cellsOf{};  // the cells of each digit, by column
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        const std::int32_t digit = solution[ColumnOf(cell)][RowOf(cell)];
        if (digit < 1 || digit > 9) return;
        Place(seen, cell, DigitBit(digit));
        cellsOf[static_cast<std::size_t>(digit - 1)][static_cast<std::size_t>(ColumnOf(cell))] = cell;
    }
    // 81 digits in 27 units of nine: every unit full means none repeats. Any other grid gets
    // no sets, which leaves every decision to the count.
    for (const DigitSet unit : seen) {
        if (unit != AllDigits) return;
    }

    struct Sized {
        std::int32_t Size;
        CellSet Cells;
    };
    std::array<Sized, MaxSets> found;
    std::int32_t foundCount = 0;
    for (std::size_t a = 0; a < 9; ++a) {
        for (std::size_t b = a + 1; b < 9; ++b) {
            // Node n < 9 is the cell of a in column n, node 9 + n that of b.
            std::array<std::int32_t, 18> cells{};
            std::copy(cellsOf[a].begin(), cellsOf[a].end(), cells.begin());
            std::copy(cellsOf[b].begin(), cellsOf[b].end(), cells.begin() + 9);
            std::array<std::size_t, 18> parent{};
            for (std::size_t node = 0; node < parent.size(); ++node) parent[node] = node;
            const auto root = [&parent](std::size_t node) {
                while (parent[node] != node) node = parent[node] = parent[parent[node]];
                return node;
            };
            for (std::size_t x = 0; x < 9; ++x) {
                const CellUnits& ofA = UnitsOf[static_cast<std::size_t>(cells[x])];
                for (std::size_t y = 9; y < 18; ++y) {
                    const CellUnits& ofB = UnitsOf[static_cast<std::size_t>(cells[y])];
                    if (ofA.Column == ofB.Column || ofA.Row == ofB.Row || ofA.Block == ofB.Block) {
                        parent[root(x)] = root(y);
                    }
                }
            }
            for (std::size_t group = 0; group < 18; ++group) {
                if (root(group) != group) continue;
                Sized& set = found[static_cast<std::size_t>(foundCount++)];
                set = {0, {}};
                for (std::size_t node = 0; node < 18; ++node) {
                    if (root(node) != group) continue;
                    set.Cells.Add(cells[node]);
                    ++set.Size;
                }
            }
        }
    }
    // The smaller a set, the likelier it holds no given: those end MissedBy soonest.
    std::stable_sort(found.begin(), found.begin() + foundCount,
                     [](const Sized& x, const Sized& y) { return x.Size < y.Size; });
    for (std::int32_t set = 0; set < foundCount; ++set) {
        sets_[static_cast<std::size_t>(set)] = found[static_cast<std::size_t>(set)].Cells;
    }
    count_ = foundCount;
}

std::int32_t CountSolutions(const Givens& givens) {
    if (givens.EmptyCount == 0) return 0;
    return ExactSearch(givens).Count();
}

}  // namespace sudoku_cells

}  // namespace vum
