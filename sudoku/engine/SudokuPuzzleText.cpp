#include "sudoku/engine/SudokuPuzzleText.h"

#include "sudoku/engine/SudokuGame.h"

namespace vum {

namespace {

std::string Line(const SudokuGrid& grid) {
    std::string line;
    for (std::size_t r = 0; r < 9; ++r)
        for (std::size_t c = 0; c < 9; ++c) line += grid[c][r] >= 1 && grid[c][r] <= 9 ? char('0' + grid[c][r]) : '.';
    return line;
}

bool IsCell(char c) { return c == '.' || (c >= '0' && c <= '9'); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The solution of givens that have exactly one: each cell in turn takes the digit with which
// the givens still have a solution (the last cell, the one digit it can take).
SudokuGrid SolutionOf(SudokuGrid grid, SudokuMask mask, std::int32_t empty) {
    for (std::int32_t c = 0; c < 9; ++c)
        for (std::int32_t r = 0; r < 9; ++r) {
            if (mask[c][r] == 1) continue;
            --empty;
            for (std::int32_t digit = 1; digit <= 9; ++digit) {
                if (!CanPlace(grid, mask, c, r, digit)) continue;
                grid[c][r] = digit;
                mask[c][r] = 1;
                if (empty == 0 || CountSolutions(grid, mask) > 0) break;
                mask[c][r] = 0;
            }
        }
    return grid;
}

}  // namespace

std::string PuzzleLine(const SudokuGame& game) {
    SudokuGrid givens{};
    for (std::size_t c = 0; c < 9; ++c)
        for (std::size_t r = 0; r < 9; ++r) givens[c][r] = game.IsGiven(int(c), int(r)) ? game.Solution()[c][r] : -1;
    return Line(givens);
}

std::string BoardLine(const SudokuGame& game) { return Line(game.Position().Board); }

PuzzleText ReadPuzzleText(std::string_view text) {
    PuzzleText read;
    std::string cells;
    for (const char c : text) {
        if (IsBlank(c)) continue;
        if (!IsCell(c) || cells.size() == 2 * 81) return read;
        cells += c;
    }
    if (cells.size() != 81 && cells.size() != 2 * 81) return read;
    SudokuMask mask{};
    std::int32_t empty = 0;
    for (std::size_t i = 0; i < 81; ++i) {
        const char c = cells[i];
        const bool given = c >= '1' && c <= '9';
        read.Givens[i % 9][i / 9] = given ? c - '0' : -1;
        mask[i % 9][i / 9] = given ? 1 : 0;
        empty += given ? 0 : 1;
    }
    // A full grid leaves nothing to solve.
    if (empty == 0) return read;
    // Givens that repeat a digit in a row, column or block have no solution either.
    for (std::int32_t c = 0; c < 9; ++c)
        for (std::int32_t r = 0; r < 9; ++r)
            if (mask[c][r] == 1 && !CanPlace(read.Givens, mask, c, r, read.Givens[c][r])) {
                read.Read = PuzzleText::Verdict::NoSolution;
                return read;
            }
    switch (CountSolutions(read.Givens, mask)) {
        case 0: read.Read = PuzzleText::Verdict::NoSolution; break;
        case 1:
            read.Read = PuzzleText::Verdict::Puzzle;
            read.Solution = SolutionOf(read.Givens, mask, empty);
            break;
        default: read.Read = PuzzleText::Verdict::SeveralSolutions; break;
    }
    return read;
}

}  // namespace vum
