// Feeds arbitrary text to the Sudoku's saved-game reader and checks what it promises of a file
// it accepts: the game is one play can reach (its givens kept at every undo step, no more steps
// than a game keeps), and written back it reads as the same game, word for word.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzFile.h"
#include "sudoku/engine/SudokuSave.h"

using namespace vum;

namespace {

bool KeepsGivens(const SudokuGame& game) {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (game.IsGiven(c, r) && (game.Digit(c, r) != game.Solution()[c][r] || game.MarksOf(c, r) != 0))
                return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto game = GameFromSavedText(text);
    if (!game) return 0;
    Check(game->UndoHistory().size() <= SudokuGame::MaxUndoSteps);
    const std::string written = SavedGameText(*game);
    const auto again = GameFromSavedText(written);
    Check(again.has_value());
    Check(SavedGameText(*again) == written);
    Check(KeepsGivens(*game));
    while (game->Undo()) Check(KeepsGivens(*game));
    return 0;
}
