// Times GeneratePuzzle per level: mean, median, p99 and worst over many puzzles, with the
// number of given sets drawn per puzzle, and at levels 0 and 1 the median of the
// word-for-word search (tests/SudokuReference) over fewer puzzles of the same kind, with the
// ratio of the two medians. (The word-for-word search would take minutes for one puzzle of
// 28 givens.)
//
//   bench_sudoku [--puzzles N] [--literal-puzzles N] [--seed S]
//
// Wall-clock times; the CPU-time columns leave out time the thread spent waiting for a core,
// which on a shared machine can swamp the worst case.

#include <time.h>

#include <algorithm>
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
#include "sudoku/engine/SudokuPuzzle.h"

using namespace vum;

namespace {

struct Times {
    std::vector<double> Wall;  // milliseconds
    std::vector<double> Cpu;
    std::vector<double> Sets;  // given sets drawn per puzzle

    void Sort() {
        std::sort(Wall.begin(), Wall.end());
        std::sort(Cpu.begin(), Cpu.end());
        std::sort(Sets.begin(), Sets.end());
    }
    static double Mean(const std::vector<double>& values) {
        return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
    }
    static double Quantile(const std::vector<double>& sorted, double q) {
        const auto index = static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1) + 0.5);
        return sorted[std::min(index, sorted.size() - 1)];
    }
};

double ThreadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

template <typename Make>
Times Measure(std::int32_t puzzles, Make make) {
    Times times;
    for (std::int32_t i = 0; i < puzzles; ++i) {
        SudokuGrid solution;
        SudokuMask givens;
        ClearGrid(solution);
        const double cpuStart = ThreadCpuMilliseconds();
        const auto wallStart = std::chrono::steady_clock::now();
        const std::int32_t sets = make(solution, givens);
        const auto wallEnd = std::chrono::steady_clock::now();
        times.Cpu.push_back(ThreadCpuMilliseconds() - cpuStart);
        times.Wall.push_back(std::chrono::duration<double, std::milli>(wallEnd - wallStart).count());
        times.Sets.push_back(sets);
    }
    times.Sort();
    return times;
}

std::int32_t Argument(int argc, char** argv, const char* name, std::int32_t fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) return std::atoi(argv[i + 1]);
    }
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const std::int32_t puzzles = std::max(1, Argument(argc, argv, "--puzzles", 2000));
    const std::int32_t literalOverride = Argument(argc, argv, "--literal-puzzles", 0);
    const auto seed = static_cast<std::uint32_t>(Argument(argc, argv, "--seed", 1));
    // The literal search takes about 7 ms and 27 ms a puzzle at levels 0 and 1.
    const std::int32_t literalPuzzles[2] = {60, 40};

    std::printf("GeneratePuzzle, %d puzzles per level (seed %u); times in ms, sets: given sets drawn\n", puzzles,
                seed);
    std::printf("%-5s %-6s | %8s %8s %8s %8s | %8s %8s %8s | %7s %6s %6s | %-22s | %6s\n", "level", "givens", "mean",
                "median", "p99", "worst", "cpu p50", "cpu p99", "cpu max", "sets", "p50", "max",
                "literal: puzzles median", "ratio");
    for (std::int32_t level = 0; level <= 2; ++level) {
        const std::int32_t givenCount = GivenCountFor(level, InitialGivenCount);
        WRandom random(seed + static_cast<std::uint32_t>(level));
        // GeneratePuzzle in its two halves, to learn how many sets it drew.
        Times engine = Measure(puzzles, [&](SudokuGrid& solution, SudokuMask& givens) {
            FillSolution(solution, random);
            std::int32_t sets = 0;
            while ((sets = DrawGivens(solution, givens, givenCount, level, random)) == 0) FillSolution(solution, random);
            return sets;
        });
        std::printf("%-5d %-6d | %8.3f %8.3f %8.3f %8.3f | %8.3f %8.3f %8.3f | %7.1f %6.0f %6.0f |", level,
                    givenCount, Times::Mean(engine.Wall), Times::Quantile(engine.Wall, 0.5),
                    Times::Quantile(engine.Wall, 0.99), engine.Wall.back(), Times::Quantile(engine.Cpu, 0.5),
                    Times::Quantile(engine.Cpu, 0.99), engine.Cpu.back(), Times::Mean(engine.Sets),
                    Times::Quantile(engine.Sets, 0.5), engine.Sets.back());
        if (level == 2) {
            std::printf(" %8s %13s | %6s\n", "-", "-", "-");
        } else {
            const std::int32_t count = literalOverride > 0 ? literalOverride : literalPuzzles[level];
            WRandom literalRandom(seed + 100 + static_cast<std::uint32_t>(level));
            Times literal = Measure(count, [&](SudokuGrid& solution, SudokuMask& givens) {
                reference::GeneratePuzzle(solution, givens, givenCount, literalRandom);
                return 0;
            });
            const double literalMedian = Times::Quantile(literal.Wall, 0.5);
            std::printf(" %8d %13.1f | %5.0fx\n", count, literalMedian,
                        literalMedian / Times::Quantile(engine.Wall, 0.5));
        }
        std::fflush(stdout);
    }
    return 0;
}
