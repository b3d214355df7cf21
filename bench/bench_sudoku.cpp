// Times the Sudoku engine:
// - GeneratePuzzle per level, now and as it was before the levels were calibrated (the count
//   alone, tests/SudokuReference), the two in turn on the same seeds, so that they share the
//   machine's moments, and each first every other time: mean, median, p99 and worst, wall
//   clock and thread CPU, and how many puzzles stayed as they were;
// - at levels 0 and 1 the median of the word-for-word search (tests/SudokuReference) over
//   fewer puzzles, with the ratio of the two medians (the word-for-word search would take
//   minutes for one puzzle of 28 givens);
// - the hint (FindHint) at every position of level-2 puzzles solved by hints alone, and the
//   slowest hint of each;
// - the hardest technique of the first puzzles of each level, now and before, and how many
//   of the puzzles before the solver could not finish.
//
//   bench_sudoku [--puzzles N] [--literal-puzzles N] [--hint-puzzles N] [--rated N] [--seed S]
//
// Wall-clock times; the CPU columns leave out time the thread spent waiting for a core,
// which on a shared machine can swamp the worst case.

#include <time.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "SudokuReference.h"
#include "common/WRandom.h"
#include "sudoku/engine/SudokuHint.h"
#include "sudoku/engine/SudokuPuzzle.h"
#include "sudoku/engine/SudokuSolver.h"

using namespace vum;

namespace {

struct Times {
    std::vector<double> Wall;  // milliseconds
    std::vector<double> Cpu;

    void Sort() {
        std::sort(Wall.begin(), Wall.end());
        std::sort(Cpu.begin(), Cpu.end());
    }
    static double Mean(const std::vector<double>& values) {
        return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
    }
    static double Quantile(const std::vector<double>& sorted, double q) {
        const auto index = static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1) + 0.5);
        return sorted[std::min(index, sorted.size() - 1)];
    }
    void Print(const char* name) const {
        std::printf("  %-28s %7zu | %8.3f %8.3f %8.3f %8.3f | %8.3f %8.3f %8.3f\n", name, Wall.size(), Mean(Wall),
                    Quantile(Wall, 0.5), Quantile(Wall, 0.99), Wall.back(), Quantile(Cpu, 0.5), Quantile(Cpu, 0.99),
                    Cpu.back());
    }
};

double ThreadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

template <typename Work>
void Time(Times& times, Work work) {
    const double cpuStart = ThreadCpuMilliseconds();
    const auto wallStart = std::chrono::steady_clock::now();
    work();
    const auto wallEnd = std::chrono::steady_clock::now();
    times.Cpu.push_back(ThreadCpuMilliseconds() - cpuStart);
    times.Wall.push_back(std::chrono::duration<double, std::milli>(wallEnd - wallStart).count());
}

void PrintHeader() {
    std::printf("  %-28s %7s | %8s %8s %8s %8s | %8s %8s %8s\n", "", "count", "mean", "median", "p99", "worst",
                "cpu p50", "cpu p99", "cpu max");
}

std::int32_t Argument(int argc, char** argv, const char* name, std::int32_t fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) return std::atoi(argv[i + 1]);
    }
    return fallback;
}

SudokuGrid Board(const SudokuGrid& solution, const SudokuMask& givens) {
    SudokuGrid board = solution;
    for (std::int32_t column = 0; column < 9; ++column) {
        for (std::int32_t row = 0; row < 9; ++row) {
            if (givens[column][row] == 0) board[column][row] = -1;
        }
    }
    return board;
}

// Hardest techniques by level, index SudokuTechniqueCount for a puzzle the solver leaves stuck.
using Tally = std::array<std::array<std::int32_t, SudokuTechniqueCount + 1>, 3>;

void Rate(Tally& tally, std::int32_t level, const SudokuGrid& solution, const SudokuMask& givens) {
    const std::optional<SudokuTechnique> hardest = HardestTechnique(Solve(SudokuCandidates(Board(solution, givens))));
    ++tally[static_cast<std::size_t>(level)][hardest ? static_cast<std::size_t>(*hardest) : SudokuTechniqueCount];
}

void PrintTally(const char* title, const Tally& tally, std::int32_t rated) {
    std::printf("\n%s, the first %d puzzles of each level: the hardest technique of the solution path\n", title, rated);
    std::printf("  %-20s %7s %7s %7s\n", "technique", "level 0", "level 1", "level 2");
    for (std::size_t technique = 0; technique <= SudokuTechniqueCount; ++technique) {
        if (tally[0][technique] + tally[1][technique] + tally[2][technique] == 0) continue;
        const std::string name = technique == SudokuTechniqueCount
                                     ? "(stuck)"
                                     : std::string(TechniqueId(static_cast<SudokuTechnique>(technique)));
        std::printf("  %-20s %7d %7d %7d\n", name.c_str(), tally[0][technique], tally[1][technique], tally[2][technique]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::int32_t puzzles = std::max(1, Argument(argc, argv, "--puzzles", 5000));
    const std::int32_t literalOverride = Argument(argc, argv, "--literal-puzzles", 0);
    const std::int32_t hintPuzzles = std::max(1, Argument(argc, argv, "--hint-puzzles", 300));
    const std::int32_t rated = std::clamp(Argument(argc, argv, "--rated", 1000), 0, puzzles);
    const auto seed = static_cast<std::uint32_t>(Argument(argc, argv, "--seed", 1));
    // The literal search takes about 7 ms and 27 ms a puzzle at levels 0 and 1.
    const std::int32_t literalPuzzles[2] = {60, 40};

    std::printf("GeneratePuzzle, %d puzzles per level (seed %u), now and before the calibration in turn; ms\n",
                puzzles, seed);
    PrintHeader();
    Tally now{};
    Tally before{};
    for (std::int32_t level = 0; level <= 2; ++level) {
        const std::int32_t givenCount = GivenCountFor(level, InitialGivenCount);
        Times calibrated;
        Times counted;
        std::int32_t same = 0;  // puzzles the calibration left as they were
        for (std::int32_t made = 0; made < puzzles; ++made) {
            const auto puzzleSeed = seed * 1000003u + static_cast<std::uint32_t>(level * puzzles + made);
            // The same seed twice runs faster the second time (the same fill, warm caches and
            // branch predictors): the two take turns at going first.
            SudokuGrid newSolution;
            SudokuMask newGivens;
            const auto makeNow = [&] {
                WRandom random(puzzleSeed);
                ClearGrid(newSolution);
                Time(calibrated, [&] { GeneratePuzzle(newSolution, newGivens, givenCount, level, random); });
            };
            SudokuGrid solution;
            SudokuMask givens;
            const auto makeBefore = [&] {
                WRandom random(puzzleSeed);
                ClearGrid(solution);
                Time(counted, [&] {
                    FillSolution(solution, random);
                    reference::DrawGivensByCount(solution, givens, givenCount, random);
                });
            };
            if (made % 2 == 0) {
                makeNow();
                makeBefore();
            } else {
                makeBefore();
                makeNow();
            }
            if (made < rated) {
                Rate(now, level, newSolution, newGivens);
                Rate(before, level, solution, givens);
            }
            same += solution == newSolution && givens == newGivens ? 1 : 0;
        }
        calibrated.Sort();
        counted.Sort();
        const std::string name = "level " + std::to_string(level) + " (" + std::to_string(givenCount) + " givens)";
        calibrated.Print((name + " now").c_str());
        counted.Print((name + " before").c_str());
        std::printf("  %-28s %7d of %d puzzles the same as before\n", "", same, puzzles);
        if (level < 2) {
            const std::int32_t count = literalOverride > 0 ? literalOverride : literalPuzzles[level];
            WRandom literalRandom(seed + 100 + static_cast<std::uint32_t>(level));
            Times literal;
            for (std::int32_t made = 0; made < count; ++made) {
                SudokuGrid solution;
                SudokuMask givens;
                ClearGrid(solution);
                Time(literal, [&] { reference::GeneratePuzzle(solution, givens, givenCount, literalRandom); });
            }
            literal.Sort();
            literal.Print("  word for word");
            std::printf("  %-28s %7s   %7.0fx the median now\n", "", "",
                        Times::Quantile(literal.Wall, 0.5) / Times::Quantile(calibrated.Wall, 0.5));
        }
        std::fflush(stdout);
    }

    std::printf("\nFindHint at every position of %d level-2 puzzles solved by hints alone; ms\n", hintPuzzles);
    PrintHeader();
    Times everyHint;
    Times slowest;  // the slowest hint of each puzzle
    WRandom hintRandom(seed + 7);
    for (std::int32_t made = 0; made < hintPuzzles; ++made) {
        SudokuGrid solution;
        SudokuMask givens;
        ClearGrid(solution);
        GeneratePuzzle(solution, givens, GivenCountFor(2, InitialGivenCount), 2, hintRandom);
        SudokuGrid board = Board(solution, givens);
        const std::size_t first = everyHint.Wall.size();
        for (;;) {
            SudokuHint hint;
            Time(everyHint, [&] { hint = FindHint(solution, givens, board); });
            if (hint.What != SudokuHint::Kind::Step && hint.What != SudokuHint::Kind::NoStep) break;
            board[hint.Column][hint.Row] = hint.Digit;
        }
        slowest.Wall.push_back(*std::max_element(everyHint.Wall.begin() + static_cast<std::ptrdiff_t>(first), everyHint.Wall.end()));
        slowest.Cpu.push_back(*std::max_element(everyHint.Cpu.begin() + static_cast<std::ptrdiff_t>(first), everyHint.Cpu.end()));
    }
    everyHint.Sort();
    slowest.Sort();
    everyHint.Print("every position");
    slowest.Print("the slowest of each puzzle");

    PrintTally("Now", now, rated);
    PrintTally("Before the calibration", before, rated);
    return 0;
}
