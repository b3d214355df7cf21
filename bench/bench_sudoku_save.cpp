// What a saved game costs to read, whatever the file holds: the largest game the program keeps
// (every undo step an entry that cleans the marks of twenty cells), a file of the largest size
// read, and a file that claims millions of steps. Prints the wall time of a read (median and
// worst of the runs) and the memory the game takes.
//
//   bench_sudoku_save [--runs N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/WRandom.h"
#include "sudoku/engine/SudokuSave.h"

using namespace vum;

namespace {

// A game with the longest history the program keeps, each step changing as many cells as a
// move can: an entry, after marks of its digit on all its twenty peers.
std::string LargestGame() {
    SudokuGame game;
    game.SetLevel(2);
    WRandom random(3);
    game.NewPuzzle(random);
    int open = 0;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (!game.IsGiven(c, r)) open = c * 9 + r;
    const int column = open / 9, row = open % 9;
    while (game.UndoHistory().size() + 1 < SudokuGame::MaxUndoSteps) {
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r)
                if ((c == column || r == row || (c / 3 == column / 3 && r / 3 == row / 3)) && !(c == column && r == row))
                    game.ToggleMark(c, r, 1);
        game.Enter(column, row, 1);
        game.Clear(column, row);
    }
    return SavedGameText(game);
}

void Time(const char* what, const std::string& text, int runs) {
    std::vector<double> ms;
    bool read = false;
    std::size_t steps = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const std::optional<SudokuGame> game = GameFromSavedText(text);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        read = game.has_value();
        steps = read ? game->UndoHistory().size() : 0;
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2], worst = ms[ms.size() - 1];
    std::printf("%-44s %8.2f KiB  %-8s %5zu steps (%6.2f MiB)  median %7.3f ms  worst %7.3f ms\n", what,
                static_cast<double>(text.size()) / 1024.0, read ? "read" : "refused", steps,
                static_cast<double>(steps * sizeof(SudokuPosition)) / (1024.0 * 1024.0), median, worst);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 50;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    const std::string largest = LargestGame();
    Time("the largest game the program keeps", largest, runs);
    // The most a reader takes in: 4 MiB, the rest of it blank lines.
    Time("the same, filled with blank lines to 4 MiB", largest + std::string((4u << 20) - largest.size(), '\n'),
         runs);
    // A file that claims four million steps, each one an empty line.
    std::string claimed = largest.substr(0, largest.find("\nundo ")) + "\nundo 4000000\n";
    claimed.append((4u << 20) - claimed.size(), '\n');
    Time("a file of four million empty steps", claimed, runs);
    return 0;
}
