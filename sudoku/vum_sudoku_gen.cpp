// vum-sudoku-gen: prints Sudoku puzzles made by the game's own generator, one a line, in the
// common 81-character form read row by row (digits for the givens, '.' for the rest), then a
// blank and the 81 digits of the solution. Every puzzle, at every level, has exactly one
// solution.
//
//   vum-sudoku-gen [--level 0|1|2] [--count N] [--seed S]
//   vum-sudoku-gen --help | --version
//
// Level 1 and one puzzle unless told; the seed comes from the clock unless given, and a
// given seed always yields the same puzzles. Bad arguments: one line on stderr, status 2.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

#include "common/CommandLine.h"
#include "common/WRandom.h"
#include "sudoku/engine/SudokuPuzzle.h"

using namespace vum;

namespace {

constexpr CommandLineText CommandLine{
    "vum-sudoku-gen", "usage: vum-sudoku-gen [--level 0|1|2] [--count N] [--seed S]",
    "Prints Sudoku puzzles made by the generator of VumSudoku, one a line: the 81 cells row by row\n"
    "(digits for the givens, '.' for the rest), a blank, and the 81 digits of the solution.\n"
    "  --level L    0, 1 or 2: 42, 35 or 28 givens (default 1); every puzzle has one solution\n"
    "  --count N    how many puzzles, at least 1 (default 1)\n"
    "  --seed S     0 to 4294967295: the same seed prints the same puzzles (default: the clock)\n"
    "  -h, --help   print this help and exit\n"
    "  --version    print the version and exit\n"
    "An option's value may also follow an equals sign (--level=2). See vum-sudoku-gen(6).\n"};

struct Options {
    std::int32_t Level = 1;
    std::int64_t Count = 1;
    bool HasSeed = false;
    std::uint32_t Seed = 0;
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

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const std::string complaint = ParseOptions(argc, argv, options); !complaint.empty()) {
        PrintUsageError(stderr, CommandLine, complaint);
        return 2;
    }
    if (options.Asked != StandardOption::None) return AnswerStandardOption(options.Asked, CommandLine, stdout, stderr);

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
        const std::string line =
            GridText(sudoku.SolutionGrid, &sudoku.GivenMask) + ' ' + GridText(sudoku.SolutionGrid, nullptr) + '\n';
        if (std::fputs(line.c_str(), stdout) == EOF) break;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "vum-sudoku-gen: cannot write the puzzles\n");
        return 1;
    }
    return 0;
}
