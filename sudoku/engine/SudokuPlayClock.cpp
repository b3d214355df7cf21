#include "sudoku/engine/SudokuPlayClock.h"

#include <utility>

#include "sudoku/engine/SudokuGame.h"

namespace vum {

SudokuPlayClock::SudokuPlayClock(Now now) : now_(std::move(now)), since_(now_()) {}

void SudokuPlayClock::Update(SudokuGame& game) {
    const std::int64_t now = now_();
    if (counting_) game.AddPlayedTime(now - since_);
    since_ = now;
    counting_ = active_ && !interrupted_ && game.HasPuzzle() && !game.Solved() && !game.SolutionOnBoard();
}

std::int64_t SudokuPlayClock::Elapsed(const SudokuGame& game) const {
    return game.PlayedMilliseconds() + (counting_ ? now_() - since_ : 0);
}

}  // namespace vum
