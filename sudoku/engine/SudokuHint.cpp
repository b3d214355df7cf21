#include "sudoku/engine/SudokuHint.h"

#include <array>

#include "sudoku/engine/SudokuCells.h"

namespace vum {

using namespace sudoku_cells;

namespace {

// Keeps of the steps before the placement those it needs: a step stays when it removes a
// candidate whose absence the placement or a step that stays relies on.
std::vector<SudokuStep> Needed(std::vector<SudokuStep> steps, const std::vector<std::array<DigitSet, 81>>& reliesOn) {
    std::array<DigitSet, 81> needed = reliesOn.back();
    std::vector<bool> keep(steps.size(), false);
    keep.back() = true;
    for (std::size_t at = steps.size() - 1; at-- > 0;) {
        for (const SudokuRemoval& removal : steps[at].Removals) {
            if ((needed[static_cast<std::size_t>(removal.Cell)] & removal.Digits) != 0) keep[at] = true;
        }
        if (!keep[at]) continue;
        for (std::size_t cell = 0; cell < 81; ++cell) needed[cell] |= reliesOn[at][cell];
    }
    std::vector<SudokuStep> kept;
    for (std::size_t at = 0; at < steps.size(); ++at) {
        if (keep[at]) kept.push_back(std::move(steps[at]));
    }
    return kept;
}

}  // namespace

SudokuHint FindHint(const SudokuGrid& solution, const SudokuMask& givens, const SudokuGrid& board) {
    SudokuHint hint;
    for (std::int32_t row = 0; row < 9; ++row) {
        for (std::int32_t column = 0; column < 9; ++column) {
            const std::int32_t digit = board[column][row];
            if (givens[column][row] != 0 || digit < 1 || digit > 9 || digit == solution[column][row]) continue;
            hint.What = SudokuHint::Kind::Mistake;
            hint.Column = column;
            hint.Row = row;
            hint.Digit = digit;
            return hint;
        }
    }
    SudokuCandidates position(board);
    if (position.EmptyCount() == 0) return hint;

    std::vector<SudokuStep> steps;
    std::vector<std::array<DigitSet, 81>> reliesOn;
    while (std::optional<SudokuStep> step = FindStep(position)) {
        reliesOn.push_back(ReliesOn(position, *step));
        position.Apply(*step);
        const bool places = step->Places();
        steps.push_back(std::move(*step));
        if (!places) continue;
        hint.What = SudokuHint::Kind::Step;
        hint.Column = ColumnOf(steps.back().Cell);
        hint.Row = RowOf(steps.back().Cell);
        hint.Digit = steps.back().Digit;
        hint.Steps = Needed(std::move(steps), reliesOn);
        return hint;
    }

    hint.What = SudokuHint::Kind::NoStep;
    std::int32_t fewest = 10;
    for (std::int32_t row = 0; row < 9; ++row) {
        for (std::int32_t column = 0; column < 9; ++column) {
            const std::int32_t cell = CellAt(column, row);
            const std::int32_t count = DigitCount[position.Candidates(cell)];
            if (position.Digit(cell) != 0 || count >= fewest) continue;
            fewest = count;
            hint.Column = column;
            hint.Row = row;
            hint.Digit = solution[column][row];
        }
    }
    return hint;
}

}  // namespace vum
