#include "sudoku/engine/SudokuGame.h"

namespace vum {

namespace {

bool OnBoard(std::int32_t column, std::int32_t row) { return column >= 0 && column < 9 && row >= 0 && row < 9; }

// Two cells of one row, column or block, the cell itself not counted.
bool Peers(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2) {
    if (c1 == c2 && r1 == r2) return false;
    return c1 == c2 || r1 == r2 || (BlockStart(c1) == BlockStart(c2) && BlockStart(r1) == BlockStart(r2));
}

bool IsValidSolution(const SudokuGrid& solution) {
    SudokuMask all{};
    for (auto& column : all) column.fill(1);
    return IsSolved(solution, all, solution);
}

// The position keeps the givens: each holds its solution digit and no marks; every other
// cell holds a digit 1..9 or nothing, and marks of digits 1..9 only.
bool KeepsGivens(const SudokuPosition& position, const SudokuGrid& solution, const SudokuMask& givens) {
    for (std::size_t c = 0; c < 9; ++c)
        for (std::size_t r = 0; r < 9; ++r) {
            const std::int32_t digit = position.Board[c][r];
            if (givens[c][r] == 1 ? digit != solution[c][r] || position.Marks[c][r] != 0
                                  : (digit != -1 && (digit < 1 || digit > 9)) || position.Marks[c][r] > 0x1FF)
                return false;
        }
    return true;
}

// The board shows, cell by cell, the player's digit or, once the solution was shown, the
// solution's.
bool ShowsWhatPlayMakes(const SudokuGrid& shown, const SudokuGrid& board, const SudokuGrid& solution) {
    for (std::size_t c = 0; c < 9; ++c)
        for (std::size_t r = 0; r < 9; ++r)
            if (shown[c][r] != board[c][r] && shown[c][r] != solution[c][r]) return false;
    return true;
}

}  // namespace

SudokuGame::SudokuGame() {
    ClearGrid(solution_);
    ClearGrid(position_.Board);
    ClearGrid(shown_);
}

void SudokuGame::SetLevel(std::int32_t level) {
    level_ = level;
    givenCount_ = GivenCountFor(level, givenCount_);
}

void SudokuGame::NewPuzzle(WRandom& random) {
    ClearGrid(solution_);
    GeneratePuzzle(solution_, givens_, givenCount_, level_, random);
    Begin(false);
}

bool SudokuGame::Import(const SudokuGrid& givens, const SudokuGrid& solution) {
    if (!IsValidSolution(solution)) return false;
    SudokuMask mask{};
    for (std::size_t c = 0; c < 9; ++c)
        for (std::size_t r = 0; r < 9; ++r) {
            if (givens[c][r] == -1) continue;
            if (givens[c][r] != solution[c][r]) return false;
            mask[c][r] = 1;
        }
    solution_ = solution;
    givens_ = mask;
    Begin(true);
    return true;
}

void SudokuGame::Begin(bool imported) {
    imported_ = imported;
    solutionSeen_ = false;
    playedMilliseconds_ = 0;
    Restart();
}

void SudokuGame::Restart() {
    undoHistory_.clear();
    redoHistory_.clear();
    position_.Marks = {};
    for (std::size_t c = 0; c < 9; ++c)
        for (std::size_t r = 0; r < 9; ++r) position_.Board[c][r] = givens_[c][r] == 1 ? solution_[c][r] : -1;
    shown_ = position_.Board;
}

bool SudokuGame::Restore(const SudokuGameRecord& record) {
    if (record.Level < 0 || record.Level > 2 || record.PlayedMilliseconds < 0 || !IsValidSolution(record.Solution))
        return false;
    std::int32_t givens = 0;
    for (const auto& column : record.Givens)
        for (const std::uint8_t given : column) {
            if (given > 1) return false;
            givens += given;
        }
    // The game's own puzzles have the level's number of givens; one the player brought has
    // exactly one solution, which is this.
    if (record.Imported ? CountSolutions(record.Solution, record.Givens) != 1
                        : givens != GivenCountFor(record.Level, givenCount_))
        return false;
    if (!KeepsGivens(record.Position, record.Solution, record.Givens) ||
        !ShowsWhatPlayMakes(record.Shown, record.Position.Board, record.Solution))
        return false;
    if (record.UndoHistory.size() + record.RedoHistory.size() > MaxUndoSteps) return false;
    for (const auto* history : {&record.UndoHistory, &record.RedoHistory})
        for (const SudokuPosition& step : *history)
            if (!KeepsGivens(step, record.Solution, record.Givens)) return false;
    SetLevel(record.Level);
    imported_ = record.Imported;
    playedMilliseconds_ = record.PlayedMilliseconds;
    solutionSeen_ = record.SolutionSeen;
    solution_ = record.Solution;
    givens_ = record.Givens;
    position_ = record.Position;
    shown_ = record.Shown;
    undoHistory_ = record.UndoHistory;
    redoHistory_ = record.RedoHistory;
    return true;
}

void SudokuGame::PushStep() {
    EndRedo();
    if (undoHistory_.size() == MaxUndoSteps) undoHistory_.erase(undoHistory_.begin());
    undoHistory_.push_back(position_);
}

bool SudokuGame::Enter(std::int32_t column, std::int32_t row, std::int32_t digit) {
    if (!OnBoard(column, row) || IsGiven(column, row) || digit < 1 || digit > 9) return false;
    PushStep();
    position_.Board[column][row] = digit;
    shown_[column][row] = digit;
    const auto bit = static_cast<std::uint16_t>(1u << (digit - 1));
    for (std::int32_t c = 0; c < 9; ++c)
        for (std::int32_t r = 0; r < 9; ++r)
            if (Peers(c, r, column, row))
                position_.Marks[c][r] = static_cast<std::uint16_t>(position_.Marks[c][r] & ~bit);
    return Solved();
}

bool SudokuGame::ToggleMark(std::int32_t column, std::int32_t row, std::int32_t digit) {
    if (!OnBoard(column, row) || IsGiven(column, row) || digit < 1 || digit > 9) return false;
    PushStep();
    position_.Marks[column][row] = static_cast<std::uint16_t>(position_.Marks[column][row] ^ (1u << (digit - 1)));
    return true;
}

bool SudokuGame::ClearMarks(std::int32_t column, std::int32_t row) {
    if (!OnBoard(column, row) || position_.Marks[column][row] == 0) return false;
    PushStep();
    position_.Marks[column][row] = 0;
    return true;
}

void SudokuGame::Clear(std::int32_t column, std::int32_t row) {
    if (!OnBoard(column, row) || IsGiven(column, row)) return;
    EndRedo();
    position_.Board[column][row] = -1;
    shown_[column][row] = -1;
}

bool SudokuGame::Undo() {
    if (undoHistory_.empty()) return false;
    redoHistory_.push_back(position_);
    position_ = undoHistory_.back();
    undoHistory_.pop_back();
    ShowBoard();
    return true;
}

bool SudokuGame::Redo() {
    if (redoHistory_.empty()) return false;
    undoHistory_.push_back(position_);
    position_ = redoHistory_.back();
    redoHistory_.pop_back();
    ShowBoard();
    return true;
}

void SudokuGame::AddPlayedTime(std::int64_t milliseconds) {
    if (milliseconds > 0) playedMilliseconds_ += milliseconds;
}

void SudokuGame::ShowBoard() {
    for (std::size_t c = 0; c < 9; ++c)
        for (std::size_t r = 0; r < 9; ++r)
            shown_[c][r] = givens_[c][r] == 1 ? solution_[c][r] : position_.Board[c][r];
}

void SudokuGame::ShowSolution() {
    shown_ = solution_;
    solutionSeen_ = true;
}

bool SudokuGame::IsGiven(std::int32_t column, std::int32_t row) const {
    return OnBoard(column, row) && givens_[column][row] == 1;
}

std::int32_t SudokuGame::Digit(std::int32_t column, std::int32_t row) const {
    return OnBoard(column, row) ? position_.Board[column][row] : -1;
}

std::int32_t SudokuGame::Shown(std::int32_t column, std::int32_t row) const {
    return OnBoard(column, row) ? shown_[column][row] : -1;
}

std::uint16_t SudokuGame::MarksOf(std::int32_t column, std::int32_t row) const {
    return OnBoard(column, row) ? position_.Marks[column][row] : 0;
}

}  // namespace vum
