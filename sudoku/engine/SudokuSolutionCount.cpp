#include "sudoku/engine/SudokuSolutionCount.h"

#include <algorithm>
#include <bit>
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

// Walks the empty cells from position `from` up to `to`, each taking its smallest free
// digit, and records the digit of each position; false at a cell with none.
bool Walk(UnitMasks& used, const Givens& givens, std::int32_t from, std::int32_t to, DigitSet* digits) {
    for (std::int32_t position = from; position < to; ++position) {
        const std::int32_t cell = givens.Empty[static_cast<std::size_t>(position)];
        const DigitSet free = FreeDigits(used, cell);
        if (free == 0) return false;
        const DigitSet bit = LowestDigit(free);
        digits[position] = bit;
        Place(used, cell, bit);
    }
    return true;
}

// A greedy path that leaves the base walk: its start position and the digit put there first.
struct PathStart {
    std::uint8_t Position;
    DigitSet Digit;
};

// Several paths walked side by side, one per lane: every lane visits the same cell at each
// step, so the steps are plain element-wise operations that the compiler turns into vector
// instructions.
constexpr std::int32_t Lanes = 16;
using LaneSets = std::array<DigitSet, Lanes>;

// Walks up to Lanes paths; returns the lanes whose path completes, as bits.
std::uint32_t WalkSideBySide(const Givens& givens, const PathStart* paths, std::int32_t pathCount) {
    std::array<LaneSets, 27> used;
    for (std::size_t unit = 0; unit < used.size(); ++unit) used[unit].fill(givens.Used[unit]);
    LaneSets skip;   // the lane's own start position, which it does not walk again
    LaneSets alive;  // all ones while the lane's path goes on
    skip.fill(0xFFFF);
    alive.fill(0);
    for (std::int32_t lane = 0; lane < pathCount; ++lane) {
        const auto index = static_cast<std::size_t>(lane);
        const CellUnits& units = UnitsOf[givens.Empty[paths[lane].Position]];
        used[units.Column][index] |= paths[lane].Digit;
        used[units.Row][index] |= paths[lane].Digit;
        used[units.Block][index] |= paths[lane].Digit;
        skip[index] = paths[lane].Position;
        alive[index] = 0xFFFF;
    }
    for (std::int32_t position = 0; position < givens.EmptyCount; ++position) {
        const CellUnits& units = UnitsOf[givens.Empty[static_cast<std::size_t>(position)]];
        LaneSets& column = used[units.Column];
        LaneSets& row = used[units.Row];
        LaneSets& block = used[units.Block];
        const auto now = static_cast<DigitSet>(position);
        LaneSets bits;
        DigitSet anyAlive = 0;
        for (std::size_t lane = 0; lane < Lanes; ++lane) {
            const auto free = static_cast<DigitSet>(AllDigits & ~(column[lane] | row[lane] | block[lane]));
            const DigitSet walks = skip[lane] == now ? 0 : alive[lane];
            const DigitSet stuck = free == 0 ? walks : 0;
            alive[lane] = static_cast<DigitSet>(alive[lane] & ~stuck);
            bits[lane] = static_cast<DigitSet>(free & (0u - free) & walks);
            anyAlive |= alive[lane];
        }
        if (anyAlive == 0) return 0;
        // Separate passes: the three units are distinct, which the compiler cannot know.
        for (std::size_t lane = 0; lane < Lanes; ++lane) column[lane] |= bits[lane];
        for (std::size_t lane = 0; lane < Lanes; ++lane) row[lane] |= bits[lane];
        for (std::size_t lane = 0; lane < Lanes; ++lane) block[lane] |= bits[lane];
    }
    std::uint32_t complete = 0;
    for (std::int32_t lane = 0; lane < pathCount; ++lane) {
        if (alive[static_cast<std::size_t>(lane)] != 0) complete |= 1u << lane;
    }
    return complete;
}

}  // namespace

std::int32_t CountSolutions(const Givens& givens, std::int32_t difficulty) {
    if (givens.EmptyCount == 0) return 0;
    return difficulty == 2 ? CountGreedyPaths(givens) : CountExactSolutions(givens);
}

std::int32_t CountExactSolutions(const Givens& givens) { return ExactSearch(givens).Count(); }

// Path k puts the smallest digit g that the givens allow into empty cell k, then walks the
// other empty cells in order; path 0 is the plain walk, the base. Path k leaves the base only
// if some cell before k that sees cell k took g on the base: otherwise every cell before k
// takes its base digit, and cell k, allowed g by the givens and by those cells, takes g on
// the base too, so the two paths are one. For a cell the base reached, that is the case
// exactly when the base gave it another digit than g. A path that leaves the base differs
// from it in a cell, so any grid it completes is new against the base's. Only those paths
// are walked, and several at once.
std::int32_t CountGreedyPaths(const Givens& givens) {
    const std::int32_t count = givens.EmptyCount;

    std::array<DigitSet, 81> base;  // the base's digit of each position it reached
    UnitMasks used = givens.Used;
    std::int32_t reached = count;
    for (std::int32_t position = 0; position < count; ++position) {
        const std::int32_t cell = givens.Empty[static_cast<std::size_t>(position)];
        const DigitSet free = FreeDigits(used, cell);
        if (free == 0) {
            reached = position;
            break;
        }
        const DigitSet bit = LowestDigit(free);
        base[static_cast<std::size_t>(position)] = bit;
        Place(used, cell, bit);
    }

    std::array<PathStart, 81> leaving;
    std::int32_t leavingCount = 0;
    for (std::int32_t position = 1; position < count; ++position) {
        const auto index = static_cast<std::size_t>(position);
        const std::int32_t cell = givens.Empty[index];
        const DigitSet first = LowestDigit(FreeDigits(givens.Used, cell));
        const CellUnits& units = UnitsOf[static_cast<std::size_t>(cell)];
        // Past the base's end, every digit the base placed came before this position.
        const bool leaves = position < reached ? base[index] != first
                                               : ((used[units.Column] | used[units.Row] | used[units.Block]) & first) != 0;
        leaving[static_cast<std::size_t>(leavingCount)] = {static_cast<std::uint8_t>(position), first};
        leavingCount += leaves ? 1 : 0;
    }

    std::int32_t found = reached == count ? 1 : 0;
    std::array<DigitSet, 81> kept;  // the first complete grid, as the digits of the positions
    std::array<DigitSet, 81> path;
    if (found != 0) std::copy_n(base.begin(), count, kept.begin());
    for (std::int32_t first = 0; first < leavingCount; first += Lanes) {
        const PathStart* paths = &leaving[static_cast<std::size_t>(first)];
        for (std::uint32_t complete = WalkSideBySide(givens, paths, std::min(Lanes, leavingCount - first));
             complete != 0; complete &= complete - 1) {
            // Rare: walk the path once more, this time keeping its digits.
            const PathStart& start = paths[std::countr_zero(complete)];
            UnitMasks state = givens.Used;
            Place(state, givens.Empty[start.Position], start.Digit);
            path[start.Position] = start.Digit;
            Walk(state, givens, 0, start.Position, path.data());
            Walk(state, givens, start.Position + 1, count, path.data());
            if (found == 0) {
                std::copy_n(path.begin(), count, kept.begin());
                found = 1;
            } else if (!std::equal(path.begin(), path.begin() + count, kept.begin())) {
                return 2;
            }
        }
    }
    return found;
}

}  // namespace sudoku_cells

}  // namespace vum
