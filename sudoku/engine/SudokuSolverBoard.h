#pragma once
// Inside the solver: the tables of units and peers, the view of a position that the
// technique finders share, and the finders themselves. Not for use outside the engine.

#include <array>
#include <cstdint>
#include <optional>

#include "sudoku/engine/SudokuCells.h"
#include "sudoku/engine/SudokuSolver.h"

namespace vum::solver {

using sudoku_cells::CellSet;
using sudoku_cells::DigitSet;

// The cells of each unit: a column top to bottom, a row left to right, a block row by row.
// A digit's places in a unit are a 9-bit set of indices into this order, so that a row's
// places are its columns and a column's places its rows.
inline constexpr std::array<std::array<std::uint8_t, 9>, 27> UnitCells = [] {
    std::array<std::array<std::uint8_t, 9>, 27> cells{};
    for (std::int32_t i = 0; i < 9; ++i) {
        for (std::int32_t j = 0; j < 9; ++j) {
            const auto at = static_cast<std::size_t>(j);
            cells[static_cast<std::size_t>(i)][at] = static_cast<std::uint8_t>(sudoku_cells::CellAt(i, j));
            cells[static_cast<std::size_t>(9 + i)][at] = static_cast<std::uint8_t>(sudoku_cells::CellAt(j, i));
            // Block 18 + i: columns from i / 3 * 3, rows from i % 3 * 3.
            cells[static_cast<std::size_t>(18 + i)][at] =
                static_cast<std::uint8_t>(sudoku_cells::CellAt(i / 3 * 3 + j % 3, i % 3 * 3 + j / 3));
        }
    }
    return cells;
}();

inline constexpr std::array<CellSet, 27> UnitSet = [] {
    std::array<CellSet, 27> sets{};
    for (std::size_t unit = 0; unit < 27; ++unit) {
        for (const std::uint8_t cell : UnitCells[unit]) sets[unit].Add(cell);
    }
    return sets;
}();

// The 20 other cells of a cell's column, row and block.
inline constexpr std::array<CellSet, 81> PeerSet = [] {
    std::array<CellSet, 81> sets{};
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        const sudoku_cells::CellUnits& units = sudoku_cells::UnitsOf[static_cast<std::size_t>(cell)];
        CellSet& peers = sets[static_cast<std::size_t>(cell)];
        peers = UnitSet[units.Column] | UnitSet[units.Row] | UnitSet[units.Block];
        peers.Drop(cell);
    }
    return sets;
}();

// The order a reader scans in: cells row by row; blocks row by row, then rows top to bottom,
// then columns left to right.
inline constexpr std::array<std::uint8_t, 81> ReadingOrder = [] {
    std::array<std::uint8_t, 81> order{};
    for (std::int32_t at = 0; at < 81; ++at) {
        order[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(sudoku_cells::CellAt(at % 9, at / 9));
    }
    return order;
}();
inline constexpr std::array<std::uint8_t, 27> UnitOrder = [] {
    std::array<std::uint8_t, 27> order{};
    for (std::int32_t at = 0; at < 9; ++at) {
        order[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(18 + at % 3 * 3 + at / 3);
        order[static_cast<std::size_t>(9 + at)] = static_cast<std::uint8_t>(9 + at);
        order[static_cast<std::size_t>(18 + at)] = static_cast<std::uint8_t>(at);
    }
    return order;
}();

inline bool Sees(std::int32_t a, std::int32_t b) { return PeerSet[static_cast<std::size_t>(a)].Has(b); }

// A position as the finders read it, worked out once per step.
struct Board {
    explicit Board(const SudokuCandidates& from);

    DigitSet Candidates(std::int32_t cell) const { return candidates[static_cast<std::size_t>(cell)]; }
    // The cells where digit (1..9) is a candidate.
    const CellSet& Where(std::int32_t digit) const { return where[static_cast<std::size_t>(digit - 1)]; }
    // The digit's places in the unit, indices into UnitCells.
    std::uint16_t Places(std::int32_t unit, std::int32_t digit) const {
        return places[static_cast<std::size_t>(unit)][static_cast<std::size_t>(digit - 1)];
    }

    const SudokuCandidates& position;
    std::array<DigitSet, 81> candidates{};
    std::array<CellSet, 9> where{};
    std::array<std::array<std::uint16_t, 9>, 27> places{};
    CellSet bivalue;  // the cells with two candidates
};

// The first step of the technique on the board, or none: FindStep tries them in the order
// of SudokuTechnique.
std::optional<SudokuStep> FindWith(const Board& board, SudokuTechnique technique);

// The finders, one per technique or family: each returns the first step it finds in
// reading order, or none.
std::optional<SudokuStep> FindNakedSingle(const Board& board);
std::optional<SudokuStep> FindHiddenSingle(const Board& board);
std::optional<SudokuStep> FindLockedCandidates(const Board& board);
std::optional<SudokuStep> FindNakedSubset(const Board& board, std::int32_t size);
std::optional<SudokuStep> FindHiddenSubset(const Board& board, std::int32_t size);
std::optional<SudokuStep> FindFish(const Board& board, std::int32_t size);
std::optional<SudokuStep> FindXYWing(const Board& board);
std::optional<SudokuStep> FindXYZWing(const Board& board);
std::optional<SudokuStep> FindUniqueRectangle(const Board& board);
std::optional<SudokuStep> FindBugPlusOne(const Board& board);
std::optional<SudokuStep> FindSimpleColouring(const Board& board);
std::optional<SudokuStep> FindXChain(const Board& board);
std::optional<SudokuStep> FindXYChain(const Board& board);
std::optional<SudokuStep> FindAlternatingChain(const Board& board);

// Helpers the finders share.
std::vector<SudokuRemoval> RemovalsOf(const CellSet& cells, std::int32_t digit);
std::vector<std::int32_t> CellsOf(const CellSet& cells);

}  // namespace vum::solver
