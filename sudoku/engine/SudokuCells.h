#pragma once
// Cells, units and digit sets as bitmasks, for the engine's fast paths.
//
// A cell is numbered column * 9 + row, so ascending numbers are the column-major order.
// The 27 units are the columns (0..8), the rows (9..17) and the blocks (18..26); a digit
// set holds digit d in bit d - 1.

#include <array>
#include <bit>
#include <cstdint>

namespace vum {

namespace sudoku_cells {

using DigitSet = std::uint16_t;
using UnitMasks = std::array<DigitSet, 27>;

inline constexpr DigitSet AllDigits = 0x1FF;

constexpr DigitSet DigitBit(std::int32_t digit) { return static_cast<DigitSet>(1u << (digit - 1)); }
constexpr std::int32_t DigitOf(DigitSet bit) { return std::countr_zero(bit) + 1; }
constexpr DigitSet LowestDigit(DigitSet set) { return static_cast<DigitSet>(set & (~set + 1u)); }

constexpr std::int32_t CellAt(std::int32_t column, std::int32_t row) { return column * 9 + row; }
constexpr std::int32_t ColumnOf(std::int32_t cell) { return cell / 9; }
constexpr std::int32_t RowOf(std::int32_t cell) { return cell % 9; }

// A set of cells, cell n in bit n of the 81.
struct CellSet {
    std::uint64_t Low = 0;   // cells 0..63
    std::uint64_t High = 0;  // cells 64..80

    constexpr void Add(std::int32_t cell) {
        if (cell < 64) {
            Low |= std::uint64_t{1} << cell;
        } else {
            High |= std::uint64_t{1} << (cell - 64);
        }
    }
    constexpr void Drop(std::int32_t cell) {
        if (cell < 64) {
            Low &= ~(std::uint64_t{1} << cell);
        } else {
            High &= ~(std::uint64_t{1} << (cell - 64));
        }
    }
    constexpr bool Has(std::int32_t cell) const {
        return ((cell < 64 ? Low >> cell : High >> (cell - 64)) & 1u) != 0;
    }
    constexpr bool Meets(const CellSet& other) const { return ((Low & other.Low) | (High & other.High)) != 0; }
    constexpr bool Empty() const { return (Low | High) == 0; }
    constexpr std::int32_t Count() const { return std::popcount(Low) + std::popcount(High); }
    // The lowest cell, -1 for none.
    constexpr std::int32_t First() const {
        if (Low != 0) return std::countr_zero(Low);
        return High != 0 ? 64 + std::countr_zero(High) : -1;
    }
    constexpr CellSet operator&(const CellSet& other) const { return {Low & other.Low, High & other.High}; }
    constexpr CellSet operator|(const CellSet& other) const { return {Low | other.Low, High | other.High}; }
    constexpr CellSet Without(const CellSet& other) const { return {Low & ~other.Low, High & ~other.High}; }
    constexpr bool operator==(const CellSet&) const = default;

    // Calls visit(cell) for each cell, ascending.
    template <typename Visit>
    constexpr void ForEach(Visit visit) const {
        for (std::uint64_t bits = Low; bits != 0; bits &= bits - 1) visit(std::countr_zero(bits));
        for (std::uint64_t bits = High; bits != 0; bits &= bits - 1) visit(64 + std::countr_zero(bits));
    }
};

struct CellUnits {
    std::uint8_t Column, Row, Block;
};

inline constexpr std::array<CellUnits, 81> UnitsOf = [] {
    std::array<CellUnits, 81> units{};
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        const std::int32_t column = ColumnOf(cell);
        const std::int32_t row = RowOf(cell);
        units[static_cast<std::size_t>(cell)] = {static_cast<std::uint8_t>(column),
                                                 static_cast<std::uint8_t>(9 + row),
                                                 static_cast<std::uint8_t>(18 + column / 3 * 3 + row / 3)};
    }
    return units;
}();

// Number of digits in a set; a table, since the build targets CPUs without popcnt.
inline constexpr std::array<std::uint8_t, 512> DigitCount = [] {
    std::array<std::uint8_t, 512> counts{};
    for (std::size_t set = 0; set < counts.size(); ++set) {
        counts[set] = static_cast<std::uint8_t>(std::popcount(set));
    }
    return counts;
}();

inline DigitSet FreeDigits(const UnitMasks& used, std::int32_t cell) {
    const CellUnits& units = UnitsOf[static_cast<std::size_t>(cell)];
    return static_cast<DigitSet>(AllDigits & ~(used[units.Column] | used[units.Row] | used[units.Block]));
}

inline void Place(UnitMasks& used, std::int32_t cell, DigitSet bit) {
    const CellUnits& units = UnitsOf[static_cast<std::size_t>(cell)];
    used[units.Column] |= bit;
    used[units.Row] |= bit;
    used[units.Block] |= bit;
}

// Undoes Place of a digit that was not in any of the cell's units before.
inline void Remove(UnitMasks& used, std::int32_t cell, DigitSet bit) {
    const CellUnits& units = UnitsOf[static_cast<std::size_t>(cell)];
    used[units.Column] ^= bit;
    used[units.Row] ^= bit;
    used[units.Block] ^= bit;
}

// The fill picks a cell's digit with the chances of redrawing q % 9 + 1 from 15-bit draws q
// until the digit is legal: each legal digit in proportion to the values of q that name it,
// 3641 for each of 1..8 and 3640 for 9. The draws serve as a stream of random bits, which
// needs about a third of them: five bits pick one of the k legal digits uniformly (the
// 32 / k * k values below that name one each, the others are taken again), and a picked 9 is
// kept with the chance 3640 / 3641 (twelve bits, taken again from 3641 on; 3640 picks anew).
// A single legal digit takes no bits.

// DigitPicks[legal][five bits]: the digit they name, 0 to take five bits again.
inline constexpr std::array<std::array<std::uint8_t, 32>, 512> DigitPicks = [] {
    std::array<std::array<std::uint8_t, 32>, 512> picks{};
    for (std::size_t set = 1; set < picks.size(); ++set) {
        std::array<std::uint8_t, 9> legal{};
        std::size_t count = 0;
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            if ((set & DigitBit(digit)) != 0) legal[count++] = static_cast<std::uint8_t>(digit);
        }
        for (std::size_t bits = 0; bits < 32 / count * count; ++bits) picks[set][bits] = legal[bits % count];
    }
    return picks;
}();

// Bits: anything with std::uint32_t Take(std::int32_t count) giving that many random bits.
template <typename Bits>
std::int32_t PickDigit(DigitSet legal, Bits& bits) {
    if ((legal & (legal - 1)) == 0) return DigitOf(legal);
    for (;;) {
        std::int32_t digit = 0;
        do {
            digit = DigitPicks[legal][bits.Take(5)];
        } while (digit == 0);
        if (digit != 9) return digit;
        std::uint32_t keep = 0;
        do {
            keep = bits.Take(12);
        } while (keep >= 3641);
        if (keep != 3640) return 9;
    }
}

}  // namespace sudoku_cells

}  // namespace vum
