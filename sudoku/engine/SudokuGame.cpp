#include "sudoku/engine/SudokuGame.h"

namespace vum {

namespace {

bool OnBoard(std::int32_t column, std::int32_t row) { return column >= 0 && column < 9 && row >= 0 && row < 9; }

// Two cells of one row, column or block, the cell itself not counted.
bool Peers(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2) {
    if (c1 == c2 && r1 == r2) return false;
    return c1 == c2 || r1 == r2 || (BlockStart(c1) == BlockStart(c2) && BlockStart(r1) == BlockStart(r2));
}

}  // namespace

SudokuGame::SudokuGame() {
    ClearGrid(Sudoku.SolutionGrid);
    ClearGrid(Sudoku.PlayerGrid);
    ClearGrid(ShownGrid);
}

void SudokuGame::SetLevel(std::int32_t level) {
    level_ = level;
    GivenCount = GivenCountFor(level, GivenCount);
}

void SudokuGame::NewPuzzle(WRandom& random) {
    ClearGrid(Sudoku.SolutionGrid);
    GeneratePuzzle(Sudoku, GivenCount, level_, random);
    Restart();
}

void SudokuGame::Restart() {
    Sudoku.UndoHistory.clear();
    MarkHistory.clear();
    Marks = {};
    for (std::size_t c = 0; c < 9; ++c)
        for (std::size_t r = 0; r < 9; ++r)
            Sudoku.PlayerGrid[c][r] = Sudoku.GivenMask[c][r] == 1 ? Sudoku.SolutionGrid[c][r] : -1;
    ShownGrid = Sudoku.PlayerGrid;
}

void SudokuGame::PushStep() {
    Sudoku.UndoHistory.push_back(Sudoku.PlayerGrid);
    MarkHistory.push_back(Marks);
}

bool SudokuGame::Enter(std::int32_t column, std::int32_t row, std::int32_t digit) {
    if (!OnBoard(column, row) || IsGiven(column, row) || digit < 1 || digit > 9) return false;
    PushStep();
    Sudoku.PlayerGrid[column][row] = digit;
    ShownGrid[column][row] = digit;
    const auto bit = static_cast<std::uint16_t>(1u << (digit - 1));
    for (std::int32_t c = 0; c < 9; ++c)
        for (std::int32_t r = 0; r < 9; ++r)
            if (Peers(c, r, column, row)) Marks[c][r] = static_cast<std::uint16_t>(Marks[c][r] & ~bit);
    return Solved();
}

bool SudokuGame::ToggleMark(std::int32_t column, std::int32_t row, std::int32_t digit) {
    if (!OnBoard(column, row) || IsGiven(column, row) || digit < 1 || digit > 9) return false;
    PushStep();
    Marks[column][row] = static_cast<std::uint16_t>(Marks[column][row] ^ (1u << (digit - 1)));
    return true;
}

bool SudokuGame::ClearMarks(std::int32_t column, std::int32_t row) {
    if (!OnBoard(column, row) || Marks[column][row] == 0) return false;
    PushStep();
    Marks[column][row] = 0;
    return true;
}

std::uint16_t SudokuGame::MarksOf(std::int32_t column, std::int32_t row) const {
    return OnBoard(column, row) ? Marks[column][row] : 0;
}

void SudokuGame::Clear(std::int32_t column, std::int32_t row) {
    if (!OnBoard(column, row) || IsGiven(column, row)) return;
    Sudoku.PlayerGrid[column][row] = -1;
    ShownGrid[column][row] = -1;
}

bool SudokuGame::Undo() {
    if (Sudoku.UndoHistory.empty()) return false;
    Sudoku.PlayerGrid = Sudoku.UndoHistory.back();
    Sudoku.UndoHistory.pop_back();
    Marks = MarkHistory.back();
    MarkHistory.pop_back();
    for (std::size_t c = 0; c < 9; ++c)
        for (std::size_t r = 0; r < 9; ++r)
            ShownGrid[c][r] = Sudoku.GivenMask[c][r] == 1 ? Sudoku.SolutionGrid[c][r] : Sudoku.PlayerGrid[c][r];
    return true;
}

void SudokuGame::ShowSolution() { ShownGrid = Sudoku.SolutionGrid; }

bool SudokuGame::IsGiven(std::int32_t column, std::int32_t row) const {
    return OnBoard(column, row) && Sudoku.GivenMask[column][row] == 1;
}

std::int32_t SudokuGame::Shown(std::int32_t column, std::int32_t row) const {
    return OnBoard(column, row) ? ShownGrid[column][row] : -1;
}

}  // namespace vum
