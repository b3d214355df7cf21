// vum-sudoku-gen: prints Sudoku puzzles made by the game's own generator, one a line, in the
// common 81-character form read row by row (digits for the givens, '.' for the rest), then a
// blank and the 81 digits of the solution, and with --rate the hardest technique the game's
// solver needs. Every puzzle, at every level, has exactly one solution, which the solver
// finds without guessing. With --explain it reads puzzles instead and prints the solver's
// path through each, a step a line.
//
//   vum-sudoku-gen [--level 0|1|2] [--count N] [--seed S] [--rate]
//   vum-sudoku-gen --explain
//   vum-sudoku-gen --help | --version
//
// Level 1 and one puzzle unless told; the seed comes from the clock unless given, and a
// given seed always yields the same puzzles. Bad arguments: one line on stderr, status 2.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "common/CommandLine.h"
#include "common/WRandom.h"
#include "sudoku/engine/SudokuCells.h"
#include "sudoku/engine/SudokuPuzzle.h"
#include "sudoku/engine/SudokuPuzzleText.h"
#include "sudoku/engine/SudokuSolver.h"

using namespace vum;

namespace {

constexpr CommandLineText CommandLine{
    "vum-sudoku-gen", "usage: vum-sudoku-gen [--level 0|1|2] [--count N] [--seed S] [--rate] | --explain",
    "Prints Sudoku puzzles made by the generator of VumSudoku, one a line: the 81 cells row by row\n"
    "(digits for the givens, '.' for the rest), a blank, and the 81 digits of the solution.\n"
    "  --level L    0, 1 or 2: 42, 35 or 28 givens (default 1); every puzzle has one solution,\n"
    "               which the solver finds without guessing; level 2 needs more than singles\n"
    "  --count N    how many puzzles, at least 1 (default 1)\n"
    "  --seed S     0 to 4294967295: the same seed prints the same puzzles (default: the clock)\n"
    "  --rate       add a blank and the hardest technique the solver needs (hidden-single, ...)\n"
    "  --explain    read puzzles from standard input instead, one a line (81 characters: digits,\n"
    "               '.' or '0' for an empty cell), and print each one's solution path, a step a\n"
    "               line ('x-wing remove 14-5,84-5', 'hidden-single place 35=7': row, column),\n"
    "               then 'solved' or 'stuck' and an empty line; or one line 'invalid: <why>'\n"
    "  -h, --help   print this help and exit\n"
    "  --version    print the version and exit\n"
    "An option's value may also follow an equals sign (--level=2). See vum-sudoku-gen(6).\n"};

struct Options {
    std::int32_t Level = 1;
    std::int64_t Count = 1;
    bool HasSeed = false;
    std::uint32_t Seed = 0;
    bool Rate = false;
    bool Explain = false;
    bool Generating = false;  // --level, --count or --seed given
    StandardOption Asked = StandardOption::None;  // --help wins over --version
};

template <typename Number>
bool ParseNumber(std::string_view text, Number& number) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return error == std::errc() && stop == end && !text.empty();
}

// Returns an empty text when the arguments are good, else the complaint.
std::string ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (const StandardOption asked = StandardOptionOf(argv[i]); asked != StandardOption::None) {
            if (options.Asked != StandardOption::Help) options.Asked = asked;
            continue;
        }
        std::string_view name = argv[i];
        if (name == "--rate" || name == "--explain") {
            (name == "--rate" ? options.Rate : options.Explain) = true;
            continue;
        }
        std::string_view value;
        bool hasValue = false;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        if (name != "--level" && name != "--count" && name != "--seed") {
            return "unknown argument '" + std::string(argv[i]) + "'";
        }
        if (!hasValue) {
            if (i + 1 >= argc) return "missing value after " + std::string(name);
            value = argv[++i];
        }
        const std::string shown(value);
        options.Generating = true;
        if (name == "--level") {
            if (!ParseNumber(value, options.Level) || options.Level < 0 || options.Level > 2) {
                return "the level must be 0, 1 or 2, not '" + shown + "'";
            }
        } else if (name == "--count") {
            if (!ParseNumber(value, options.Count) || options.Count < 1) {
                return "the count must be a whole number of at least 1, not '" + shown + "'";
            }
        } else {
            if (!ParseNumber(value, options.Seed)) {
                return "the seed must be a whole number from 0 to " +
                       std::to_string(std::numeric_limits<std::uint32_t>::max()) + ", not '" + shown + "'";
            }
            options.HasSeed = true;
        }
    }
    if (options.Explain && (options.Generating || options.Rate)) {
        return "--explain reads puzzles and takes no --level, --count, --seed or --rate";
    }
    return {};
}

// Row by row, as puzzle files and other solvers read a grid.
std::string GridText(const SudokuGrid& grid, const SudokuMask* givens) {
    std::string text;
    text.reserve(81);
    for (std::int32_t row = 0; row < 9; ++row) {
        for (std::int32_t column = 0; column < 9; ++column) {
            const bool shown = givens == nullptr || (*givens)[column][row] != 0;
            text += shown ? static_cast<char>('0' + grid[column][row]) : '.';
        }
    }
    return text;
}

// "35" for row 3, column 5.
std::string CellText(std::int32_t cell) {
    return {static_cast<char>('1' + sudoku_cells::RowOf(cell)), static_cast<char>('1' + sudoku_cells::ColumnOf(cell))};
}

std::string StepLine(const SudokuStep& step) {
    std::string line(TechniqueId(step.Technique));
    if (step.Places()) return line + " place " + CellText(step.Cell) + '=' + static_cast<char>('0' + step.Digit);
    std::vector<SudokuRemoval> removals = step.Removals;
    std::sort(removals.begin(), removals.end(), [](const SudokuRemoval& a, const SudokuRemoval& b) {
        return CellText(a.Cell) < CellText(b.Cell);
    });
    line += " remove ";
    for (std::size_t at = 0; at < removals.size(); ++at) {
        if (at > 0) line += ',';
        line += CellText(removals[at].Cell) + '-';
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            if ((removals[at].Digits & sudoku_cells::DigitBit(digit)) != 0) line += static_cast<char>('0' + digit);
        }
    }
    return line;
}

// Why the first word of a line is not 81 cells of a puzzle, or nothing when it is.
std::string NotAPuzzle(std::string_view word) {
    if (word.empty()) return "no puzzle on the line";
    if (word.size() > 81) return "more than 81 characters";
    if (word.size() < 81) return std::to_string(word.size()) + " characters, not 81";
    for (std::size_t at = 0; at < 81; ++at) {
        const char shown = word[at];
        if (shown != '.' && (shown < '0' || shown > '9')) {
            return std::string("character '") + shown + "' at " + std::to_string(at + 1) + ", not a digit or '.'";
        }
    }
    return "no empty cell";  // the only other thing ReadPuzzleText refuses
}

// The lines --explain prints for one line of input: the puzzle is its first word.
std::string Explain(std::string_view line) {
    const std::string_view word = line.substr(0, std::min(line.find_first_of(" \t\r"), line.size()));
    const PuzzleText read = ReadPuzzleText(word);
    switch (read.Read) {
        case PuzzleText::Verdict::NotAPuzzle: return "invalid: " + NotAPuzzle(word) + '\n';
        case PuzzleText::Verdict::NoSolution: return "invalid: no solution\n";
        case PuzzleText::Verdict::SeveralSolutions: return "invalid: more than one solution\n";
        case PuzzleText::Verdict::Puzzle: break;
    }
    const SudokuSolution solution = Solve(SudokuCandidates(read.Givens));
    std::string text;
    for (const SudokuStep& step : solution.Steps) text += StepLine(step) + '\n';
    return text + (solution.Solved ? "solved\n\n" : "stuck\n\n");
}

// Reads puzzles from standard input until its end. Status 1 when it cannot be read or the
// answer cannot be written.
int ExplainInput() {
    // More than this of a line is never needed to tell a puzzle, or to say why it is none.
    constexpr std::size_t Kept = 100;
    std::string line;
    for (int c = 0; (c = std::getc(stdin)) != EOF;) {
        if (c != '\n') {
            if (line.size() < Kept) line += static_cast<char>(c);
            continue;
        }
        if (std::fputs(Explain(line).c_str(), stdout) == EOF) break;
        line.clear();
    }
    if (std::ferror(stdin) != 0) {
        std::fprintf(stderr, "vum-sudoku-gen: cannot read the puzzles\n");
        return 1;
    }
    if (!line.empty() && std::ferror(stdout) == 0) std::fputs(Explain(line).c_str(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "vum-sudoku-gen: cannot write the solution paths\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const std::string complaint = ParseOptions(argc, argv, options); !complaint.empty()) {
        PrintUsageError(stderr, CommandLine, complaint);
        return 2;
    }
    if (options.Asked != StandardOption::None) return AnswerStandardOption(options.Asked, CommandLine, stdout, stderr);
    if (options.Explain) return ExplainInput();

    WRandom random;
    if (options.HasSeed) {
        random.Seed(options.Seed);
    } else {
        random.SeedFromClock();
    }
    const std::int32_t givenCount = GivenCountFor(options.Level, InitialGivenCount);
    stSudoku sudoku{};
    for (std::int64_t made = 0; made < options.Count; ++made) {
        ClearGrid(sudoku.SolutionGrid);
        GeneratePuzzle(sudoku, givenCount, options.Level, random);
        std::string line = GridText(sudoku.SolutionGrid, &sudoku.GivenMask) + ' ' + GridText(sudoku.SolutionGrid, nullptr);
        if (options.Rate) {
            SudokuGrid board = sudoku.SolutionGrid;
            for (std::int32_t column = 0; column < 9; ++column) {
                for (std::int32_t row = 0; row < 9; ++row) {
                    if (sudoku.GivenMask[column][row] == 0) board[column][row] = -1;
                }
            }
            // Every puzzle the generator makes is one the solver finishes.
            const std::optional<SudokuTechnique> hardest = HardestTechnique(Solve(SudokuCandidates(board)));
            line += ' ';
            line += hardest ? TechniqueId(*hardest) : std::string_view("stuck");
        }
        line += '\n';
        if (std::fputs(line.c_str(), stdout) == EOF) break;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "vum-sudoku-gen: cannot write the puzzles\n");
        return 1;
    }
    return 0;
}
