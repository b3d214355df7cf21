#pragma once
// The solution count behind CountSolutions, on bitmasks and without allocation, and the
// unavoidable sets that spare GeneratePuzzle most counts.

#include <array>
#include <cstdint>

#include "sudoku/engine/SudokuCells.h"
#include "sudoku/engine/SudokuPuzzle.h"

namespace vum {

namespace sudoku_cells {

struct Givens {
    UnitMasks Used{};                      // the digits the givens hold, per unit
    std::array<std::uint8_t, 81> Empty{};  // the unmarked cells, column-major
    std::int32_t EmptyCount = 0;
};

// A marked cell constrains its units only when it holds a digit 1..9: no digit ever equals
// anything else.
Givens ReadGivens(const SudokuGrid& grid, const SudokuMask& mask);
// Fills the list of unmarked cells of givens from the mask.
void ListEmptyCells(const SudokuMask& mask, Givens& givens);

// CountSolutions on givens already read: the solutions of the givens, capped at 2, by a
// depth-first search that takes the empty cell with the fewest candidates first. 0 when no
// cell is empty.
std::int32_t CountSolutions(const Givens& givens);

// Sets of cells of a complete grid that every set of givens with one solution meets
// (unavoidable sets), those made of two digits: for digits a and b, link each cell holding one
// of them with the cell holding the other in its column, in its row and in its block. The 18
// cells fall into groups, closed under the links, of at least four cells; exchanging a and b
// throughout one group leaves one a and one b in every column, row and block, so it makes
// another solution. Givens from the grid that leave a group without a given admit that
// solution too.
class UnavoidableSets {
public:
    // A group holds both cells of a pair in each row it meets and is not a single pair, so
    // there are at most four for each of the 36 pairs of digits.
    static constexpr std::int32_t MaxSets = 144;

    // A grid that is not a complete, valid solution gets no sets.
    explicit UnavoidableSets(const SudokuGrid& solution);

    // Whether some set holds no given: then the givens have more than one solution.
    bool MissedBy(const CellSet& givens) const {
        for (std::int32_t set = 0; set < count_; ++set) {
            if (!sets_[static_cast<std::size_t>(set)].Meets(givens)) return true;
        }
        return false;
    }

    // The sets, the smallest first.
    const CellSet* begin() const { return sets_.data(); }
    const CellSet* end() const { return sets_.data() + count_; }

private:
    std::array<CellSet, MaxSets> sets_;
    std::int32_t count_ = 0;
};

}  // namespace sudoku_cells

}  // namespace vum
