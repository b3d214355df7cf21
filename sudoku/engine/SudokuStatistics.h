#pragma once
// The player's statistics of each level, beside the solved counter that VumSudoku.dat keeps:
// the game's own puzzles started, the best time and the last ten times of puzzles solved
// without the solution being shown, the current and the longest run of such puzzles, the
// hints asked for, and whether the best time was beaten since the statistics were last shown.
// Puzzles the player brought are not counted.
//
// The file, VumSudoku.stat, version 1 (ASCII, one item a line, LF line ends):
//
//     VumSudoku statistics
//     version 1
//     level <0>
//     started <n>
//     best <milliseconds, or - for none>
//     recent <up to ten milliseconds, oldest first, separated by blanks>
//     run <n>
//     longest <n>
//     hints <n>
//     new-best <1 when the best time was beaten since the statistics were last shown, else 0>
//     level <1>
//     ...
//
// A file that is not whole and consistent (a foreign or damaged file, another version, a
// level missing or twice, a number out of range) is not read: the statistics start afresh.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vum {

class SudokuGame;

struct SudokuLevelStatistics {
    static constexpr std::size_t RecentCount = 10;

    std::int32_t Started = 0;
    std::optional<std::int64_t> BestMilliseconds;
    std::vector<std::int64_t> RecentMilliseconds;  // the oldest first
    std::int32_t Run = 0;
    std::int32_t LongestRun = 0;
    std::int32_t Hints = 0;
    bool NewBest = false;

    // The mean of the recent times; none without one.
    std::optional<std::int64_t> MeanMilliseconds() const;
    bool operator==(const SudokuLevelStatistics&) const = default;
};

class SudokuStatistics {
public:
    static constexpr std::int32_t Levels = 3;

    // A new puzzle of the game's own was begun.
    void PuzzleStarted(const SudokuGame& game);
    // The puzzle was solved in milliseconds: with the solution seen it breaks the run and
    // keeps no time.
    void PuzzleSolved(const SudokuGame& game, std::int64_t milliseconds);
    void HintUsed(const SudokuGame& game);
    // The statistics were shown: no best time is new any more.
    void Shown();

    const SudokuLevelStatistics& Of(std::int32_t level) const;
    bool operator==(const SudokuStatistics&) const = default;

    std::string Text() const;
    static std::optional<SudokuStatistics> FromText(std::string_view text);
    // Replaces the file whole or not at all; false when it could not.
    bool Write(const std::string& path) const;
    // The statistics the file holds; fresh ones for a missing, unreadable or damaged file.
    static SudokuStatistics Read(const std::string& path);

private:
    // The level's statistics when the game counts for them (one of its own puzzles, of a level).
    SudokuLevelStatistics* Counted(const SudokuGame& game);

    std::array<SudokuLevelStatistics, Levels> levels_;
};

// The statistics file's name beside the settings.
inline constexpr const char* StatisticsName = "VumSudoku.stat";

}  // namespace vum
