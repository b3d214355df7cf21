#pragma once
// Published example positions of the solver's techniques, from public Sudoku technique guides
// (SudokuWiki, HoDoKu), each with the eliminations or the placement the guide shows. The
// solver's tests check that each technique finds them; the hint-text tests name them.

#include <string>
#include <vector>

#include "sudoku/engine/SudokuPuzzle.h"
#include "sudoku/engine/SudokuSolver.h"

namespace vum::examples {

struct TechniqueExample {
    SudokuTechnique Technique;
    const char* Source;
    // 81 cells row by row: a digit, '.' for an empty cell whose candidates follow from the
    // digits, or the candidates the guide shows in braces: "{79}".
    const char* Position;
    // What the guide's step does, "r2c6-2" (digits removed from row 2, column 6) or "r4c8=2"
    // (a digit placed); empty when the guide shows the pattern only.
    std::vector<std::string> Shown;
};

const std::vector<TechniqueExample>& Examples();

// The position, with the guide's candidates; throws std::invalid_argument for a position
// whose candidates the digits rule out, or that is no position at all.
SudokuCandidates PositionOf(const char* text);
// The one solution of the position's digits (std::invalid_argument when there is not one).
SudokuGrid SolutionOf(const char* text);

// "r2c6-2" for a removal, "r4c8=2" for a placement, in the notation of Shown; one entry per
// cell and digit.
std::vector<std::string> WhatItDoes(const SudokuStep& step);

}  // namespace vum::examples
