// The techniques on single units and lines: singles, locked candidates, naked and hidden
// subsets, fish.

#include <algorithm>
#include <array>

#include "sudoku/engine/SudokuSolverBoard.h"

namespace vum::solver {

using namespace sudoku_cells;

namespace {

// A cell holding digit among the peers of cell, the block first, then the row and the
// column; -1 for none.
std::int32_t PlacedPeer(const Board& board, std::int32_t cell, std::int32_t digit) {
    const CellUnits& units = UnitsOf[static_cast<std::size_t>(cell)];
    for (const std::uint8_t unit : {units.Block, units.Row, units.Column}) {
        for (const std::uint8_t peer : UnitCells[unit]) {
            if (board.position.Digit(peer) == digit) return peer;
        }
    }
    return -1;
}

void AddOnce(std::vector<std::int32_t>& cells, std::int32_t cell) {
    if (cell >= 0 && std::find(cells.begin(), cells.end(), cell) == cells.end()) cells.push_back(cell);
}

// Calls visit(mask) for every mask of `size` bits taken from `from` (a 9-bit set), lowest
// first, until visit returns true; returns whether one did.
template <typename Visit>
bool ForEachSubset(std::uint16_t from, std::int32_t size, Visit visit, std::uint16_t chosen = 0) {
    if (size == 0) return visit(chosen);
    for (std::uint16_t left = from; left != 0; left &= static_cast<std::uint16_t>(left - 1)) {
        const auto bit = static_cast<std::uint16_t>(left & (~left + 1u));
        const auto later = static_cast<std::uint16_t>(left & ~bit);
        if (DigitCount[later] + 1 < size) return false;
        if (ForEachSubset(later, size - 1, visit, static_cast<std::uint16_t>(chosen | bit))) return true;
    }
    return false;
}

CellSet CellsAt(std::int32_t unit, std::uint16_t places) {
    CellSet cells;
    for (std::uint16_t left = places; left != 0; left &= static_cast<std::uint16_t>(left - 1)) {
        cells.Add(UnitCells[static_cast<std::size_t>(unit)][static_cast<std::size_t>(std::countr_zero(left))]);
    }
    return cells;
}

}  // namespace

std::optional<SudokuStep> FindNakedSingle(const Board& board) {
    for (const std::uint8_t cell : ReadingOrder) {
        const DigitSet set = board.Candidates(cell);
        if (set == 0 || (set & (set - 1)) != 0) continue;
        SudokuStep step;
        step.Technique = SudokuTechnique::NakedSingle;
        step.Cell = cell;
        step.Digit = DigitOf(set);
        step.Digits = set;
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            if (digit != step.Digit) AddOnce(step.Cells, PlacedPeer(board, cell, digit));
        }
        return step;
    }
    return std::nullopt;
}

std::optional<SudokuStep> FindHiddenSingle(const Board& board) {
    for (const std::uint8_t unit : UnitOrder) {
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            const std::uint16_t places = board.Places(unit, digit);
            if (places == 0 || (places & (places - 1)) != 0) continue;
            SudokuStep step;
            step.Technique = SudokuTechnique::HiddenSingle;
            step.Cell = UnitCells[unit][static_cast<std::size_t>(std::countr_zero(places))];
            step.Digit = digit;
            step.Digits = DigitBit(digit);
            step.Units = {unit};
            // One placed digit for each other empty cell, reusing those already named.
            for (const std::uint8_t other : UnitCells[unit]) {
                if (other == step.Cell || board.position.Digit(other) != 0) continue;
                const bool named = std::any_of(step.Cells.begin(), step.Cells.end(),
                                               [&](std::int32_t cell) { return Sees(cell, other); });
                if (!named) AddOnce(step.Cells, PlacedPeer(board, other, digit));
            }
            return step;
        }
    }
    return std::nullopt;
}

std::optional<SudokuStep> FindLockedCandidates(const Board& board) {
    const auto make = [&](std::int32_t within, std::int32_t from, std::int32_t digit) -> std::optional<SudokuStep> {
        const CellSet kept = board.Where(digit) & UnitSet[static_cast<std::size_t>(within)];
        const CellSet removed = (board.Where(digit) & UnitSet[static_cast<std::size_t>(from)]).Without(kept);
        if (removed.Empty()) return std::nullopt;
        SudokuStep step;
        step.Technique = SudokuTechnique::LockedCandidates;
        step.Units = {within, from};
        step.Cells = CellsOf(kept);
        step.Digits = DigitBit(digit);
        step.Removals = RemovalsOf(removed, digit);
        return step;
    };
    // Pointing: a block's places of a digit in one row or one column.
    for (std::size_t at = 0; at < 9; ++at) {
        const std::int32_t block = UnitOrder[at];
        const std::int32_t first = UnitCells[static_cast<std::size_t>(block)][0];
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            const std::uint16_t places = board.Places(block, digit);
            if (DigitCount[places] < 2) continue;
            for (std::int32_t line = 0; line < 3; ++line) {
                std::optional<SudokuStep> step;
                if ((places & ~(0x7u << (3 * line))) == 0) {
                    step = make(block, 9 + RowOf(first) + line, digit);
                } else if ((places & ~(0x49u << line)) == 0) {
                    step = make(block, ColumnOf(first) + line, digit);
                }
                if (step) return step;
            }
        }
    }
    // Claiming: a line's places of a digit in one block.
    for (std::size_t at = 9; at < 27; ++at) {
        const std::int32_t line = UnitOrder[at];
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            const std::uint16_t places = board.Places(line, digit);
            if (DigitCount[places] < 2) continue;
            for (std::int32_t third = 0; third < 3; ++third) {
                if ((places & ~(0x7u << (3 * third))) != 0) continue;
                const std::int32_t cell = UnitCells[static_cast<std::size_t>(line)][static_cast<std::size_t>(3 * third)];
                if (std::optional<SudokuStep> step = make(line, UnitsOf[static_cast<std::size_t>(cell)].Block, digit)) {
                    return step;
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<SudokuStep> FindNakedSubset(const Board& board, std::int32_t size) {
    static constexpr std::array<SudokuTechnique, 5> Techniques{
        SudokuTechnique::NakedSingle, SudokuTechnique::NakedSingle, SudokuTechnique::NakedPair,
        SudokuTechnique::NakedTriple, SudokuTechnique::NakedQuad};
    for (const std::uint8_t unit : UnitOrder) {
        const auto& cells = UnitCells[unit];
        std::uint16_t open = 0;  // the unit's cells with 2..size candidates
        std::int32_t empty = 0;
        for (std::size_t at = 0; at < 9; ++at) {
            const std::uint8_t count = DigitCount[board.Candidates(cells[at])];
            empty += count > 0 ? 1 : 0;
            if (count >= 2 && count <= size) open |= static_cast<std::uint16_t>(1u << at);
        }
        if (empty <= size) continue;
        std::optional<SudokuStep> found;
        ForEachSubset(open, size, [&](std::uint16_t chosen) {
            DigitSet digits = 0;
            for (std::uint16_t left = chosen; left != 0; left &= static_cast<std::uint16_t>(left - 1)) {
                digits |= board.Candidates(cells[static_cast<std::size_t>(std::countr_zero(left))]);
            }
            if (DigitCount[digits] != size) return false;
            SudokuStep step;
            for (std::size_t at = 0; at < 9; ++at) {
                const DigitSet removed = board.Candidates(cells[at]) & digits;
                if ((chosen >> at & 1u) == 0 && removed != 0) step.Removals.push_back({cells[at], removed});
            }
            if (step.Removals.empty()) return false;
            step.Technique = Techniques[static_cast<std::size_t>(size)];
            step.Units = {unit};
            step.Cells = CellsOf(CellsAt(unit, chosen));
            step.Digits = digits;
            found = std::move(step);
            return true;
        });
        if (found) return found;
    }
    return std::nullopt;
}

std::optional<SudokuStep> FindHiddenSubset(const Board& board, std::int32_t size) {
    static constexpr std::array<SudokuTechnique, 5> Techniques{
        SudokuTechnique::HiddenSingle, SudokuTechnique::HiddenSingle, SudokuTechnique::HiddenPair,
        SudokuTechnique::HiddenTriple, SudokuTechnique::HiddenQuad};
    for (const std::uint8_t unit : UnitOrder) {
        DigitSet open = 0;  // the unit's digits with 2..size places
        std::int32_t missing = 0;
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            const std::uint8_t count = DigitCount[board.Places(unit, digit)];
            missing += count > 0 ? 1 : 0;
            if (count >= 2 && count <= size) open |= DigitBit(digit);
        }
        if (missing <= size) continue;
        std::optional<SudokuStep> found;
        ForEachSubset(open, size, [&](std::uint16_t digits) {
            std::uint16_t places = 0;
            for (DigitSet left = digits; left != 0; left &= static_cast<DigitSet>(left - 1)) {
                places |= board.Places(unit, DigitOf(LowestDigit(left)));
            }
            if (DigitCount[places] != size) return false;
            SudokuStep step;
            const CellSet cells = CellsAt(unit, places);
            cells.ForEach([&](std::int32_t cell) {
                const auto removed = static_cast<DigitSet>(board.Candidates(cell) & ~digits);
                if (removed != 0) step.Removals.push_back({cell, removed});
            });
            if (step.Removals.empty()) return false;
            step.Technique = Techniques[static_cast<std::size_t>(size)];
            step.Units = {unit};
            step.Cells = CellsOf(cells);
            step.Digits = digits;
            found = std::move(step);
            return true;
        });
        if (found) return found;
    }
    return std::nullopt;
}

std::optional<SudokuStep> FindFish(const Board& board, std::int32_t size) {
    static constexpr std::array<SudokuTechnique, 5> Techniques{
        SudokuTechnique::HiddenSingle, SudokuTechnique::HiddenSingle, SudokuTechnique::XWing,
        SudokuTechnique::Swordfish, SudokuTechnique::Jellyfish};
    for (std::int32_t digit = 1; digit <= 9; ++digit) {
        // Rows as the base lines (their places are columns), then columns.
        for (const std::int32_t baseFirst : {9, 0}) {
            const std::int32_t coverFirst = 9 - baseFirst;
            std::uint16_t open = 0;
            for (std::int32_t line = 0; line < 9; ++line) {
                const std::uint8_t count = DigitCount[board.Places(baseFirst + line, digit)];
                if (count >= 2 && count <= size) open |= static_cast<std::uint16_t>(1u << line);
            }
            std::optional<SudokuStep> found;
            ForEachSubset(open, size, [&](std::uint16_t lines) {
                std::uint16_t covers = 0;
                CellSet base;
                for (std::uint16_t left = lines; left != 0; left &= static_cast<std::uint16_t>(left - 1)) {
                    const std::int32_t line = baseFirst + std::countr_zero(left);
                    covers |= board.Places(line, digit);
                    base = base | UnitSet[static_cast<std::size_t>(line)];
                }
                if (DigitCount[covers] != size) return false;
                CellSet cover;
                for (std::uint16_t left = covers; left != 0; left &= static_cast<std::uint16_t>(left - 1)) {
                    cover = cover | UnitSet[static_cast<std::size_t>(coverFirst + std::countr_zero(left))];
                }
                const CellSet removed = (board.Where(digit) & cover).Without(base);
                if (removed.Empty()) return false;
                SudokuStep step;
                step.Technique = Techniques[static_cast<std::size_t>(size)];
                for (std::uint16_t left = lines; left != 0; left &= static_cast<std::uint16_t>(left - 1)) {
                    step.Units.push_back(baseFirst + std::countr_zero(left));
                }
                for (std::uint16_t left = covers; left != 0; left &= static_cast<std::uint16_t>(left - 1)) {
                    step.Units.push_back(coverFirst + std::countr_zero(left));
                }
                step.Cells = CellsOf(board.Where(digit) & base);
                step.Digits = DigitBit(digit);
                step.Removals = RemovalsOf(removed, digit);
                found = std::move(step);
                return true;
            });
            if (found) return found;
        }
    }
    return std::nullopt;
}

}  // namespace vum::solver
