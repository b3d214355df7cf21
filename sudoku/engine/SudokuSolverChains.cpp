// The chains: candidates linked strongly (of the two, one holds: the only two places of a
// digit in a unit, or the only two candidates of a cell) and weakly (of the two, one at most
// holds: one digit in two cells that see each other, or two digits of one cell), strong and
// weak in turn. If the chain's first candidate does not hold, its last does; so every
// candidate that both would rule out goes. The search is breadth first from every start, so
// the chain found is one of the shortest.

#include <algorithm>
#include <array>

#include "sudoku/engine/SudokuSolverBoard.h"

namespace vum::solver {

using namespace sudoku_cells;

namespace {

// A candidate: cell * 9 + digit - 1.
constexpr std::int32_t NodeOf(std::int32_t cell, std::int32_t digit) { return cell * 9 + digit - 1; }
constexpr std::int32_t CellOfNode(std::int32_t node) { return node / 9; }
constexpr std::int32_t DigitOfNode(std::int32_t node) { return node % 9 + 1; }

struct ChainRules {
    SudokuTechnique Technique;
    bool CellLinks;      // the two candidates of a cell as a strong link, and a cell's candidates as weak ones
    bool UnitLinks;      // a digit's two places in a unit as a strong link
    bool BivalueOnly;    // only cells with two candidates take part
    bool SameDigitEnds;  // the chain must end on its first digit
};

class ChainSearch {
public:
    ChainSearch(const Board& board, const ChainRules& rules) : board_(board), rules_(rules) {
        for (std::int32_t cell = 0; cell < 81; ++cell) {
            const DigitSet set = board.Candidates(cell);
            if (set == 0 || (rules.BivalueOnly && DigitCount[set] != 2)) continue;
            for (DigitSet left = set; left != 0; left &= static_cast<DigitSet>(left - 1)) {
                const std::int32_t digit = DigitOf(LowestDigit(left));
                Strong& links = strong_[static_cast<std::size_t>(NodeOf(cell, digit))];
                if (rules.CellLinks && DigitCount[set] == 2) {
                    links.Add(NodeOf(cell, DigitOf(static_cast<DigitSet>(set & ~LowestDigit(left)))));
                }
                if (!rules.UnitLinks) continue;
                const CellUnits& units = UnitsOf[static_cast<std::size_t>(cell)];
                for (const std::uint8_t unit : {units.Column, units.Row, units.Block}) {
                    const std::uint16_t places = board.Places(unit, digit);
                    if (DigitCount[places] != 2) continue;
                    for (std::uint16_t bits = places; bits != 0; bits &= static_cast<std::uint16_t>(bits - 1)) {
                        const std::int32_t other = UnitCells[unit][static_cast<std::size_t>(std::countr_zero(bits))];
                        if (other != cell) links.Add(NodeOf(other, digit));
                    }
                }
            }
        }
    }

    std::optional<SudokuStep> Find() {
        std::optional<SudokuStep> best;
        std::int32_t bestLength = MaxLength + 1;
        for (const std::uint8_t cell : ReadingOrder) {
            for (DigitSet left = board_.Candidates(cell); left != 0; left &= static_cast<DigitSet>(left - 1)) {
                const std::int32_t start = NodeOf(cell, DigitOf(LowestDigit(left)));
                if (strong_[static_cast<std::size_t>(start)].Count == 0) continue;
                if (std::optional<SudokuStep> step = SearchFrom(start, bestLength - 1)) {
                    bestLength = static_cast<std::int32_t>(step->Chain.size()) - 1;
                    best = std::move(step);
                }
            }
        }
        return best;
    }

private:
    static constexpr std::int32_t MaxLength = 24;  // links

    struct Strong {
        std::array<std::int16_t, 4> Nodes{};
        std::int32_t Count = 0;
        void Add(std::int32_t node) {
            for (std::int32_t i = 0; i < Count; ++i) {
                if (Nodes[static_cast<std::size_t>(i)] == node) return;
            }
            Nodes[static_cast<std::size_t>(Count++)] = static_cast<std::int16_t>(node);
        }
    };

    // A state is a candidate with whether the chain makes it hold (odd) or not (even).
    static std::int32_t StateOf(std::int32_t node, bool holds) { return node * 2 + (holds ? 1 : 0); }

    bool OnPath(std::int32_t state, std::int32_t node) const {
        for (; state >= 0; state = parent_[static_cast<std::size_t>(state)]) {
            if (state / 2 == node) return true;
        }
        return false;
    }

    // The shortest chain from start of at most maxLength links that rules something out.
    std::optional<SudokuStep> SearchFrom(std::int32_t start, std::int32_t maxLength) {
        std::fill(depth_.begin(), depth_.end(), static_cast<std::int8_t>(-1));
        std::int32_t head = 0;
        std::int32_t tail = 0;
        const auto visit = [&](std::int32_t state, std::int32_t from) {
            depth_[static_cast<std::size_t>(state)] =
                static_cast<std::int8_t>(from < 0 ? 0 : depth_[static_cast<std::size_t>(from)] + 1);
            parent_[static_cast<std::size_t>(state)] = static_cast<std::int16_t>(from);
            queue_[static_cast<std::size_t>(tail++)] = static_cast<std::int16_t>(state);
        };
        visit(StateOf(start, false), -1);
        while (head < tail) {
            const std::int32_t state = queue_[static_cast<std::size_t>(head++)];
            const std::int32_t node = state / 2;
            if (depth_[static_cast<std::size_t>(state)] >= maxLength) continue;
            if (state % 2 == 0) {
                // Does not hold: a strong link makes its partner hold.
                const Strong& links = strong_[static_cast<std::size_t>(node)];
                for (std::int32_t i = 0; i < links.Count; ++i) {
                    const std::int32_t next = links.Nodes[static_cast<std::size_t>(i)];
                    const std::int32_t reached = StateOf(next, true);
                    if (depth_[static_cast<std::size_t>(reached)] >= 0 || OnPath(state, next)) continue;
                    visit(reached, state);
                    std::vector<SudokuRemoval> removals = Conclude(start, next);
                    if (!removals.empty()) return StepFor(reached, std::move(removals));
                }
                continue;
            }
            // Holds: rules out the other candidates it sees, those that can go on strongly.
            const std::int32_t cell = CellOfNode(node);
            const std::int32_t digit = DigitOfNode(node);
            const auto weak = [&](std::int32_t next) {
                const std::int32_t reached = StateOf(next, false);
                if (strong_[static_cast<std::size_t>(next)].Count == 0 || depth_[static_cast<std::size_t>(reached)] >= 0 ||
                    OnPath(state, next)) {
                    return;
                }
                visit(reached, state);
            };
            (PeerSet[static_cast<std::size_t>(cell)] & board_.Where(digit)).ForEach([&](std::int32_t other) {
                weak(NodeOf(other, digit));
            });
            if (rules_.CellLinks) {
                const auto others = static_cast<DigitSet>(board_.Candidates(cell) & ~DigitBit(digit));
                for (DigitSet left = others; left != 0; left &= static_cast<DigitSet>(left - 1)) {
                    weak(NodeOf(cell, DigitOf(LowestDigit(left))));
                }
            }
        }
        return std::nullopt;
    }

    // What "start or end holds" rules out.
    std::vector<SudokuRemoval> Conclude(std::int32_t start, std::int32_t end) const {
        const std::int32_t a = CellOfNode(start);
        const std::int32_t b = CellOfNode(end);
        const std::int32_t x = DigitOfNode(start);
        const std::int32_t y = DigitOfNode(end);
        std::vector<SudokuRemoval> removals;
        if (x == y) {
            if (a != b) removals = RemovalsOf(board_.Where(x) & PeerSet[static_cast<std::size_t>(a)] & PeerSet[static_cast<std::size_t>(b)], x);
            return removals;
        }
        if (rules_.SameDigitEnds) return removals;
        if (a == b) {
            const auto others = static_cast<DigitSet>(board_.Candidates(a) & ~(DigitBit(x) | DigitBit(y)));
            if (others != 0) removals.push_back({a, others});
        } else if (Sees(a, b)) {
            // One of them holds, and each rules out the other's digit in the other's cell.
            if ((board_.Candidates(a) & DigitBit(y)) != 0) removals.push_back({a, DigitBit(y)});
            if ((board_.Candidates(b) & DigitBit(x)) != 0) removals.push_back({b, DigitBit(x)});
        }
        return removals;
    }

    SudokuStep StepFor(std::int32_t state, std::vector<SudokuRemoval> removals) const {
        SudokuStep step;
        step.Technique = rules_.Technique;
        for (; state >= 0; state = parent_[static_cast<std::size_t>(state)]) {
            step.Chain.push_back({CellOfNode(state / 2), DigitOfNode(state / 2), state % 2 == 1});
        }
        std::reverse(step.Chain.begin(), step.Chain.end());
        for (const SudokuChainNode& node : step.Chain) {
            if (std::find(step.Cells.begin(), step.Cells.end(), node.Cell) == step.Cells.end()) step.Cells.push_back(node.Cell);
            step.Digits |= DigitBit(node.Digit);
        }
        step.Removals = std::move(removals);
        return step;
    }

    const Board& board_;
    ChainRules rules_;
    std::array<Strong, 729> strong_{};
    std::array<std::int8_t, 729 * 2> depth_{};
    std::array<std::int16_t, 729 * 2> parent_{};
    std::array<std::int16_t, 729 * 2> queue_{};
};

}  // namespace

std::optional<SudokuStep> FindXChain(const Board& board) {
    return ChainSearch(board, {SudokuTechnique::XChain, false, true, false, true}).Find();
}

std::optional<SudokuStep> FindXYChain(const Board& board) {
    return ChainSearch(board, {SudokuTechnique::XYChain, true, false, true, true}).Find();
}

std::optional<SudokuStep> FindAlternatingChain(const Board& board) {
    return ChainSearch(board, {SudokuTechnique::AlternatingChain, true, true, false, false}).Find();
}

}  // namespace vum::solver
