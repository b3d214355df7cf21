#include "sudoku/engine/SudokuSolver.h"

#include <algorithm>

#include "sudoku/engine/SudokuSolverBoard.h"

namespace vum {

using namespace sudoku_cells;

std::string_view TechniqueId(SudokuTechnique technique) {
    switch (technique) {
        case SudokuTechnique::NakedSingle: return "naked-single";
        case SudokuTechnique::HiddenSingle: return "hidden-single";
        case SudokuTechnique::LockedCandidates: return "locked-candidates";
        case SudokuTechnique::NakedPair: return "naked-pair";
        case SudokuTechnique::HiddenPair: return "hidden-pair";
        case SudokuTechnique::NakedTriple: return "naked-triple";
        case SudokuTechnique::HiddenTriple: return "hidden-triple";
        case SudokuTechnique::XWing: return "x-wing";
        case SudokuTechnique::Swordfish: return "swordfish";
        case SudokuTechnique::XYWing: return "xy-wing";
        case SudokuTechnique::XYZWing: return "xyz-wing";
        case SudokuTechnique::NakedQuad: return "naked-quad";
        case SudokuTechnique::HiddenQuad: return "hidden-quad";
        case SudokuTechnique::Jellyfish: return "jellyfish";
        case SudokuTechnique::UniqueRectangle: return "unique-rectangle";
        case SudokuTechnique::BugPlusOne: return "bug-plus-one";
        case SudokuTechnique::SimpleColouring: return "simple-colouring";
        case SudokuTechnique::XChain: return "x-chain";
        case SudokuTechnique::XYChain: return "xy-chain";
        case SudokuTechnique::AlternatingChain: return "alternating-chain";
    }
    return "unknown";
}

SudokuCandidates::SudokuCandidates(const SudokuGrid& board) {
    UnitMasks used{};
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        const std::int32_t digit = board[ColumnOf(cell)][RowOf(cell)];
        if (digit < 1 || digit > 9) continue;
        const CellUnits& units = UnitsOf[static_cast<std::size_t>(cell)];
        const DigitSet bit = DigitBit(digit);
        if (((used[units.Column] | used[units.Row] | used[units.Block]) & bit) != 0) broken_ = true;
        Place(used, cell, bit);
        digits_[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(digit);
    }
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        if (digits_[static_cast<std::size_t>(cell)] == 0) candidates_[static_cast<std::size_t>(cell)] = FreeDigits(used, cell);
    }
}

std::int32_t SudokuCandidates::EmptyCount() const {
    return static_cast<std::int32_t>(std::count(digits_.begin(), digits_.end(), std::uint8_t{0}));
}

bool SudokuCandidates::Broken() const {
    if (broken_) return true;
    for (std::size_t cell = 0; cell < 81; ++cell) {
        if (digits_[cell] == 0 && candidates_[cell] == 0) return true;
    }
    return false;
}

void SudokuCandidates::Apply(const SudokuStep& step) {
    if (step.Places()) {
        const auto at = static_cast<std::size_t>(step.Cell);
        if (digits_[at] != 0) {
            broken_ = broken_ || digits_[at] != step.Digit;
            return;
        }
        digits_[at] = static_cast<std::uint8_t>(step.Digit);
        candidates_[at] = 0;
        const DigitSet bit = DigitBit(step.Digit);
        solver::PeerSet[at].ForEach([&](std::int32_t peer) {
            if (digits_[static_cast<std::size_t>(peer)] == step.Digit) broken_ = true;
            candidates_[static_cast<std::size_t>(peer)] &= static_cast<DigitSet>(~bit);
        });
        return;
    }
    for (const SudokuRemoval& removal : step.Removals) {
        candidates_[static_cast<std::size_t>(removal.Cell)] &= static_cast<DigitSet>(~removal.Digits);
    }
}

namespace solver {

Board::Board(const SudokuCandidates& from) : position(from) {
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        const DigitSet set = from.Candidates(cell);
        candidates[static_cast<std::size_t>(cell)] = set;
        if (DigitCount[set] == 2) bivalue.Add(cell);
        for (DigitSet left = set; left != 0; left &= static_cast<DigitSet>(left - 1)) {
            where[static_cast<std::size_t>(DigitOf(LowestDigit(left)) - 1)].Add(cell);
        }
    }
    for (std::size_t unit = 0; unit < 27; ++unit) {
        for (std::size_t at = 0; at < 9; ++at) {
            const DigitSet set = candidates[UnitCells[unit][at]];
            for (DigitSet left = set; left != 0; left &= static_cast<DigitSet>(left - 1)) {
                places[unit][static_cast<std::size_t>(DigitOf(LowestDigit(left)) - 1)] |=
                    static_cast<std::uint16_t>(1u << at);
            }
        }
    }
}

std::vector<SudokuRemoval> RemovalsOf(const CellSet& cells, std::int32_t digit) {
    std::vector<SudokuRemoval> removals;
    cells.ForEach([&](std::int32_t cell) { removals.push_back({cell, DigitBit(digit)}); });
    return removals;
}

std::vector<std::int32_t> CellsOf(const CellSet& cells) {
    std::vector<std::int32_t> list;
    cells.ForEach([&](std::int32_t cell) { list.push_back(cell); });
    return list;
}

}  // namespace solver

namespace solver {

std::optional<SudokuStep> FindWith(const Board& board, SudokuTechnique technique) {
    switch (technique) {
        case SudokuTechnique::NakedSingle: return FindNakedSingle(board);
        case SudokuTechnique::HiddenSingle: return FindHiddenSingle(board);
        case SudokuTechnique::LockedCandidates: return FindLockedCandidates(board);
        case SudokuTechnique::NakedPair: return FindNakedSubset(board, 2);
        case SudokuTechnique::HiddenPair: return FindHiddenSubset(board, 2);
        case SudokuTechnique::NakedTriple: return FindNakedSubset(board, 3);
        case SudokuTechnique::HiddenTriple: return FindHiddenSubset(board, 3);
        case SudokuTechnique::XWing: return FindFish(board, 2);
        case SudokuTechnique::Swordfish: return FindFish(board, 3);
        case SudokuTechnique::XYWing: return FindXYWing(board);
        case SudokuTechnique::XYZWing: return FindXYZWing(board);
        case SudokuTechnique::NakedQuad: return FindNakedSubset(board, 4);
        case SudokuTechnique::HiddenQuad: return FindHiddenSubset(board, 4);
        case SudokuTechnique::Jellyfish: return FindFish(board, 4);
        case SudokuTechnique::UniqueRectangle: return FindUniqueRectangle(board);
        case SudokuTechnique::BugPlusOne: return FindBugPlusOne(board);
        case SudokuTechnique::SimpleColouring: return FindSimpleColouring(board);
        case SudokuTechnique::XChain: return FindXChain(board);
        case SudokuTechnique::XYChain: return FindXYChain(board);
        case SudokuTechnique::AlternatingChain: return FindAlternatingChain(board);
    }
    return std::nullopt;
}

}  // namespace solver

std::optional<SudokuStep> FindStep(const SudokuCandidates& position) {
    if (position.Broken() || position.EmptyCount() == 0) return std::nullopt;
    const solver::Board board(position);
    for (std::int32_t technique = 0; technique < SudokuTechniqueCount; ++technique) {
        if (auto step = solver::FindWith(board, static_cast<SudokuTechnique>(technique))) return step;
    }
    return std::nullopt;
}

SudokuSolution Solve(SudokuCandidates position) {
    SudokuSolution solution;
    while (std::optional<SudokuStep> step = FindStep(position)) {
        position.Apply(*step);
        solution.Steps.push_back(std::move(*step));
    }
    solution.Solved = position.Solved();
    return solution;
}

std::array<std::uint16_t, 81> ReliesOn(const SudokuCandidates& before, const SudokuStep& step) {
    using solver::UnitSet;
    std::array<DigitSet, 81> absent{};
    const auto outside = [&](std::int32_t unit, const CellSet& kept, DigitSet digits) {
        UnitSet[static_cast<std::size_t>(unit)].Without(kept).ForEach(
            [&](std::int32_t cell) { absent[static_cast<std::size_t>(cell)] |= digits; });
    };
    const auto exactly = [&](std::int32_t cell) {
        absent[static_cast<std::size_t>(cell)] |= static_cast<DigitSet>(AllDigits & ~before.Candidates(cell));
    };
    // Whether the digit's places in the unit are two, both among cells.
    const auto twoPlaces = [&](std::int32_t unit, std::int32_t digit, const CellSet& among) {
        std::int32_t places = 0;
        bool inside = true;
        UnitSet[static_cast<std::size_t>(unit)].ForEach([&](std::int32_t cell) {
            if ((before.Candidates(cell) & DigitBit(digit)) == 0) return;
            ++places;
            inside = inside && among.Has(cell);
        });
        return places == 2 && inside;
    };
    CellSet cells;
    for (const std::int32_t cell : step.Cells) cells.Add(cell);
    const auto half = step.Units.size() / 2;
    switch (step.Technique) {
        case SudokuTechnique::NakedSingle:
            absent[static_cast<std::size_t>(step.Cell)] = static_cast<DigitSet>(AllDigits & ~DigitBit(step.Digit));
            break;
        case SudokuTechnique::HiddenSingle: {
            CellSet self;
            self.Add(step.Cell);
            outside(step.Units[0], self, step.Digits);
            break;
        }
        case SudokuTechnique::LockedCandidates:
            outside(step.Units[0], UnitSet[static_cast<std::size_t>(step.Units[1])], step.Digits);
            break;
        case SudokuTechnique::NakedPair:
        case SudokuTechnique::NakedTriple:
        case SudokuTechnique::NakedQuad:
            for (const std::int32_t cell : step.Cells) {
                absent[static_cast<std::size_t>(cell)] |= static_cast<DigitSet>(AllDigits & ~step.Digits);
            }
            break;
        case SudokuTechnique::HiddenPair:
        case SudokuTechnique::HiddenTriple:
        case SudokuTechnique::HiddenQuad:
            outside(step.Units[0], cells, step.Digits);
            break;
        case SudokuTechnique::XWing:
        case SudokuTechnique::Swordfish:
        case SudokuTechnique::Jellyfish: {
            CellSet cover;
            for (std::size_t at = half; at < step.Units.size(); ++at) cover = cover | UnitSet[static_cast<std::size_t>(step.Units[at])];
            for (std::size_t at = 0; at < half; ++at) outside(step.Units[at], cover, step.Digits);
            break;
        }
        case SudokuTechnique::XYWing:
        case SudokuTechnique::XYZWing:
            for (const std::int32_t cell : step.Cells) exactly(cell);
            break;
        case SudokuTechnique::UniqueRectangle:
            for (const std::int32_t cell : step.Cells) exactly(cell);
            for (const std::int32_t unit : step.Units) outside(unit, cells, step.Digits);
            break;
        case SudokuTechnique::BugPlusOne:
            for (std::int32_t cell = 0; cell < 81; ++cell) exactly(cell);
            break;
        case SudokuTechnique::SimpleColouring:
            // The colours follow the units where the digit has two places, both coloured.
            for (std::int32_t unit = 0; unit < 27; ++unit) {
                if (twoPlaces(unit, DigitOf(step.Digits), cells)) outside(unit, cells, step.Digits);
            }
            break;
        case SudokuTechnique::XChain:
        case SudokuTechnique::XYChain:
        case SudokuTechnique::AlternatingChain:
            for (std::size_t at = 0; at + 1 < step.Chain.size(); at += 2) {
                const SudokuChainNode& from = step.Chain[at];
                const SudokuChainNode& to = step.Chain[at + 1];
                if (from.Cell == to.Cell) {
                    exactly(from.Cell);
                    continue;
                }
                CellSet pair;
                pair.Add(from.Cell);
                pair.Add(to.Cell);
                // One unit where the two are the digit's only places is enough.
                for (std::int32_t unit = 0; unit < 27; ++unit) {
                    if (!twoPlaces(unit, from.Digit, pair)) continue;
                    outside(unit, pair, DigitBit(from.Digit));
                    break;
                }
            }
            break;
    }
    return absent;
}

std::optional<SudokuTechnique> HardestTechnique(const SudokuSolution& solution) {
    if (!solution.Solved || solution.Steps.empty()) return std::nullopt;
    SudokuTechnique hardest = SudokuTechnique::NakedSingle;
    for (const SudokuStep& step : solution.Steps) hardest = std::max(hardest, step.Technique);
    return hardest;
}

}  // namespace vum
