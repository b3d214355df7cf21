// The techniques on a few cells across units: XY-wing, XYZ-wing, the unique rectangle,
// BUG + 1, and the simple colouring of one digit.

#include <array>

#include "sudoku/engine/SudokuSolverBoard.h"

namespace vum::solver {

using namespace sudoku_cells;

namespace {

const CellSet& Peers(std::int32_t cell) { return PeerSet[static_cast<std::size_t>(cell)]; }

SudokuStep Wing(SudokuTechnique technique, std::int32_t pivot, std::int32_t first, std::int32_t second,
                DigitSet digits, const CellSet& removed, std::int32_t digit) {
    SudokuStep step;
    step.Technique = technique;
    step.Cells = {pivot, first, second};
    step.Digits = digits;
    step.Removals = RemovalsOf(removed, digit);
    return step;
}

}  // namespace

std::optional<SudokuStep> FindXYWing(const Board& board) {
    for (const std::uint8_t pivot : ReadingOrder) {
        if (!board.bivalue.Has(pivot)) continue;
        const DigitSet pair = board.Candidates(pivot);
        const std::vector<std::int32_t> near = CellsOf(Peers(pivot) & board.bivalue);
        for (const std::int32_t first : near) {
            const DigitSet shared = board.Candidates(first) & pair;
            if (DigitCount[shared] != 1) continue;
            const auto z = static_cast<DigitSet>(board.Candidates(first) & ~pair);
            const auto wanted = static_cast<DigitSet>((pair & ~shared) | z);
            for (const std::int32_t second : near) {
                if (board.Candidates(second) != wanted) continue;
                const CellSet removed = board.Where(DigitOf(z)) & Peers(first) & Peers(second);
                if (!removed.Empty()) {
                    return Wing(SudokuTechnique::XYWing, pivot, first, second, pair | z, removed, DigitOf(z));
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<SudokuStep> FindXYZWing(const Board& board) {
    for (const std::uint8_t pivot : ReadingOrder) {
        const DigitSet triple = board.Candidates(pivot);
        if (DigitCount[triple] != 3) continue;
        std::vector<std::int32_t> near;
        (Peers(pivot) & board.bivalue).ForEach([&](std::int32_t cell) {
            if ((board.Candidates(cell) & ~triple) == 0) near.push_back(cell);
        });
        for (std::size_t i = 0; i < near.size(); ++i) {
            for (std::size_t j = i + 1; j < near.size(); ++j) {
                if (board.Candidates(near[i]) == board.Candidates(near[j])) continue;
                const DigitSet z = board.Candidates(near[i]) & board.Candidates(near[j]);
                const CellSet removed = board.Where(DigitOf(z)) & Peers(pivot) & Peers(near[i]) & Peers(near[j]);
                if (!removed.Empty()) {
                    return Wing(SudokuTechnique::XYZWing, pivot, near[i], near[j], triple, removed, DigitOf(z));
                }
            }
        }
    }
    return std::nullopt;
}

namespace {

// The types of unique rectangle on corners (c1, r1), (c2, r1), (c1, r2), (c2, r2) and the
// digits pair: if all four kept only those two, the pair could trade places among them
// and the puzzle would have a second solution.
std::optional<SudokuStep> UniqueRectangleOn(const Board& board, const std::array<std::int32_t, 4>& corners,
                                            DigitSet pair) {
    std::array<DigitSet, 4> extra{};
    std::int32_t exact = 0;
    for (std::size_t at = 0; at < 4; ++at) {
        extra[at] = static_cast<DigitSet>(board.Candidates(corners[at]) & ~pair);
        exact += extra[at] == 0 ? 1 : 0;
    }
    SudokuStep step;
    step.Technique = SudokuTechnique::UniqueRectangle;
    step.Digits = pair;
    // Type 1: one corner with more: it cannot keep either digit of the pair.
    if (exact == 3) {
        for (std::size_t at = 0; at < 4; ++at) {
            if (extra[at] == 0) step.Cells.push_back(corners[at]);
        }
        for (std::size_t at = 0; at < 4; ++at) {
            if (extra[at] != 0) {
                step.Cells.push_back(corners[at]);
                step.Removals.push_back({corners[at], pair});
            }
        }
        return step;
    }
    if (exact != 2) return std::nullopt;
    // Types 2 and 4: the two exact corners share a row or a column (the floor), the other
    // two (the roof) hold the extras.
    static constexpr std::array<std::array<std::size_t, 4>, 4> Floors{{{0, 1, 2, 3}, {2, 3, 0, 1}, {0, 2, 1, 3}, {1, 3, 0, 2}}};
    for (const auto& [floor1, floor2, roof1, roof2] : Floors) {
        if (extra[floor1] != 0 || extra[floor2] != 0) continue;
        const std::int32_t a = corners[roof1];
        const std::int32_t b = corners[roof2];
        step.Cells = {corners[floor1], corners[floor2], a, b};
        // Type 2: the roof's one extra digit is in one of the two.
        if (extra[roof1] == extra[roof2] && DigitCount[extra[roof1]] == 1) {
            const CellSet removed = board.Where(DigitOf(extra[roof1])) & Peers(a) & Peers(b);
            if (!removed.Empty()) {
                step.Removals = RemovalsOf(removed, DigitOf(extra[roof1]));
                return step;
            }
        }
        // Type 4: in a unit of the roof one digit of the pair has no place but the roof, so
        // the other cannot stand there.
        const CellUnits& ofA = UnitsOf[static_cast<std::size_t>(a)];
        const CellUnits& ofB = UnitsOf[static_cast<std::size_t>(b)];
        for (const std::int32_t unit : {static_cast<std::int32_t>(ofA.Row == ofB.Row ? ofA.Row : ofA.Column),
                                        static_cast<std::int32_t>(ofA.Block == ofB.Block ? ofA.Block : -1)}) {
            if (unit < 0) continue;
            for (DigitSet left = pair; left != 0; left &= static_cast<DigitSet>(left - 1)) {
                const std::int32_t kept = DigitOf(LowestDigit(left));
                CellSet roof;
                roof.Add(a);
                roof.Add(b);
                if (!((board.Where(kept) & UnitSet[static_cast<std::size_t>(unit)]) == roof)) continue;
                const auto other = static_cast<DigitSet>(pair & ~DigitBit(kept));
                step.Units = {unit};
                step.Removals = {{a, other}, {b, other}};
                return step;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<SudokuStep> FindUniqueRectangle(const Board& board) {
    for (std::int32_t r1 = 0; r1 < 9; ++r1) {
        for (std::int32_t r2 = r1 + 1; r2 < 9; ++r2) {
            for (std::int32_t c1 = 0; c1 < 9; ++c1) {
                for (std::int32_t c2 = c1 + 1; c2 < 9; ++c2) {
                    // Two blocks exactly: the rows in one band or the columns in one stack.
                    if ((r1 / 3 == r2 / 3) == (c1 / 3 == c2 / 3)) continue;
                    const std::array<std::int32_t, 4> corners{CellAt(c1, r1), CellAt(c2, r1), CellAt(c1, r2),
                                                              CellAt(c2, r2)};
                    DigitSet common = AllDigits;
                    for (const std::int32_t corner : corners) common &= board.Candidates(corner);
                    if (DigitCount[common] < 2) continue;
                    for (DigitSet first = common; first != 0; first &= static_cast<DigitSet>(first - 1)) {
                        const DigitSet low = LowestDigit(first);
                        for (DigitSet second = static_cast<DigitSet>(first & ~low); second != 0;
                             second &= static_cast<DigitSet>(second - 1)) {
                            if (auto step = UniqueRectangleOn(board, corners, low | LowestDigit(second))) return step;
                        }
                    }
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<SudokuStep> FindBugPlusOne(const Board& board) {
    std::int32_t odd = -1;
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        const std::uint8_t count = DigitCount[board.Candidates(cell)];
        if (count == 0 || count == 2) continue;
        if (count != 3 || odd >= 0) return std::nullopt;
        odd = cell;
    }
    if (odd < 0) return std::nullopt;
    const CellUnits& units = UnitsOf[static_cast<std::size_t>(odd)];
    for (DigitSet left = board.Candidates(odd); left != 0; left &= static_cast<DigitSet>(left - 1)) {
        const std::int32_t digit = DigitOf(LowestDigit(left));
        // Without digit in the odd cell, every candidate would have two places in each unit.
        bool grave = true;
        for (std::int32_t unit = 0; unit < 27 && grave; ++unit) {
            const bool holds = unit == units.Column || unit == units.Row || unit == units.Block;
            for (std::int32_t other = 1; other <= 9 && grave; ++other) {
                const std::int32_t places = DigitCount[board.Places(unit, other)] - (holds && other == digit ? 1 : 0);
                grave = places == 0 || places == 2;
            }
        }
        if (!grave) continue;
        SudokuStep step;
        step.Technique = SudokuTechnique::BugPlusOne;
        step.Cell = odd;
        step.Digit = digit;
        step.Digits = DigitBit(digit);
        step.Cells = {odd};
        return step;
    }
    return std::nullopt;
}

std::optional<SudokuStep> FindSimpleColouring(const Board& board) {
    for (std::int32_t digit = 1; digit <= 9; ++digit) {
        // The conjugate pairs: units where the digit has two places.
        std::array<CellSet, 81> linked{};
        for (std::int32_t unit = 0; unit < 27; ++unit) {
            const std::uint16_t places = board.Places(unit, digit);
            if (DigitCount[places] != 2) continue;
            const std::int32_t a = UnitCells[static_cast<std::size_t>(unit)][static_cast<std::size_t>(std::countr_zero(places))];
            const std::int32_t b = UnitCells[static_cast<std::size_t>(unit)][static_cast<std::size_t>(15 - std::countl_zero(places))];
            linked[static_cast<std::size_t>(a)].Add(b);
            linked[static_cast<std::size_t>(b)].Add(a);
        }
        CellSet coloured;
        for (const std::uint8_t start : ReadingOrder) {
            if (coloured.Has(start) || linked[start].Empty()) continue;
            std::array<CellSet, 2> colours{};
            std::vector<std::int32_t> order{start};  // the cells as found, so the chain reads from its start
            colours[0].Add(start);
            coloured.Add(start);
            for (std::size_t next = 0; next < order.size(); ++next) {
                const std::int32_t cell = order[next];
                const std::size_t colour = colours[0].Has(cell) ? 0 : 1;
                linked[static_cast<std::size_t>(cell)].Without(coloured).ForEach([&](std::int32_t other) {
                    colours[1 - colour].Add(other);
                    coloured.Add(other);
                    order.push_back(other);
                });
            }
            if (order.size() < 3) continue;
            CellSet removed;
            std::int32_t falseColour = -1;
            // Two cells of one colour in one unit: that colour cannot hold.
            for (std::size_t colour = 0; colour < 2 && falseColour < 0; ++colour) {
                colours[colour].ForEach([&](std::int32_t cell) {
                    if ((Peers(cell) & colours[colour]).Empty()) return;
                    falseColour = static_cast<std::int32_t>(colour);
                });
            }
            if (falseColour >= 0) {
                removed = colours[static_cast<std::size_t>(falseColour)];
            } else {
                // A cell that sees both colours cannot hold the digit.
                std::array<CellSet, 2> seen{};
                for (std::size_t colour = 0; colour < 2; ++colour) {
                    colours[colour].ForEach([&](std::int32_t cell) { seen[colour] = seen[colour] | Peers(cell); });
                }
                removed = (board.Where(digit) & seen[0] & seen[1]).Without(coloured);
            }
            if (removed.Empty()) continue;
            SudokuStep step;
            step.Technique = SudokuTechnique::SimpleColouring;
            step.Digits = DigitBit(digit);
            for (const std::int32_t cell : order) {
                const bool first = colours[0].Has(cell);
                step.Chain.push_back({cell, digit, falseColour < 0 ? first : first != (falseColour == 0)});
                step.Cells.push_back(cell);
            }
            step.Removals = RemovalsOf(removed, digit);
            return step;
        }
    }
    return std::nullopt;
}

}  // namespace vum::solver
