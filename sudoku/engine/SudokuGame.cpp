#include "sudoku/engine/SudokuGame.h"

namespace vum {

namespace {

bool OnBoard(std::int32_t column, std::int32_t row) { return column >= 0 && column < 9 && row >= 0 && row < 9; }

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
    for (std::size_t c = 0; c < 9; ++c)
        for (std::size_t r = 0; r < 9; ++r)
            Sudoku.PlayerGrid[c][r] = Sudoku.GivenMask[c][r] == 1 ? Sudoku.SolutionGrid[c][r] : -1;
    ShownGrid = Sudoku.PlayerGrid;
}

bool SudokuGame::Enter(std::int32_t column, std::int32_t row, std::int32_t digit) {
    if (!OnBoard(column, row) || IsGiven(column, row) || digit < 1 || digit > 9) return false;
    Sudoku.UndoHistory.push_back(Sudoku.PlayerGrid);
    Sudoku.PlayerGrid[column][row] = digit;
    ShownGrid[column][row] = digit;
    return Solved();
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
