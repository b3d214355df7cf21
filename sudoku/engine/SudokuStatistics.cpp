#include "sudoku/engine/SudokuStatistics.h"

#include <algorithm>
#include <charconv>
#include <numeric>

#include "common/SafeFile.h"
#include "sudoku/engine/SudokuGame.h"

namespace vum {

namespace {

constexpr std::string_view Heading = "VumSudoku statistics";
constexpr std::string_view Version = "1";
// A whole file is some 600 bytes; a larger one is not ours.
constexpr std::size_t MaxFileSize = 16 << 10;

template <typename Integer>
std::optional<Integer> Decimal(std::string_view text) {
    Integer value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

// The lines of a text, each split at its first blank into a name and a value.
class Items {
public:
    explicit Items(std::string_view text) : text_(text) {}

    std::optional<std::string_view> Next(std::string_view name) {
        if (position_ >= text_.size()) return std::nullopt;
        const std::size_t end = std::min(text_.find('\n', position_), text_.size());
        const std::string_view line = text_.substr(position_, end - position_);
        position_ = end + 1;
        if (line.size() < name.size() + 1 || !line.starts_with(name) || line[name.size()] != ' ') return std::nullopt;
        return line.substr(name.size() + 1);
    }
    void Skip() { position_ = std::min(text_.find('\n', position_), text_.size()) + 1; }
    bool AtEnd() const { return position_ >= text_.size(); }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

std::optional<SudokuLevelStatistics> ReadLevel(Items& items) {
    SudokuLevelStatistics level;
    const auto started = items.Next("started");
    const auto best = items.Next("best");
    const auto recent = items.Next("recent");
    const auto run = items.Next("run");
    const auto longest = items.Next("longest");
    const auto hints = items.Next("hints");
    const auto newBest = items.Next("new-best");
    if (!started || !best || !recent || !run || !longest || !hints || !newBest) return std::nullopt;
    const auto startedCount = Decimal<std::int32_t>(*started);
    const auto runCount = Decimal<std::int32_t>(*run);
    const auto longestCount = Decimal<std::int32_t>(*longest);
    const auto hintCount = Decimal<std::int32_t>(*hints);
    if (!startedCount || !runCount || !longestCount || !hintCount || *runCount > *longestCount ||
        (*newBest != "0" && *newBest != "1"))
        return std::nullopt;
    level.Started = *startedCount;
    level.Run = *runCount;
    level.LongestRun = *longestCount;
    level.Hints = *hintCount;
    level.NewBest = *newBest == "1";
    if (*best != "-") {
        level.BestMilliseconds = Decimal<std::int64_t>(*best);
        if (!level.BestMilliseconds) return std::nullopt;
    }
    for (std::size_t start = 0; start < recent->size();) {
        const std::size_t end = std::min(recent->find(' ', start), recent->size());
        const auto time = Decimal<std::int64_t>(recent->substr(start, end - start));
        if (!time || level.RecentMilliseconds.size() == SudokuLevelStatistics::RecentCount) return std::nullopt;
        level.RecentMilliseconds.push_back(*time);
        start = end + 1;
    }
    // A recent time is never better than the best one, and there is none without a best.
    const bool consistent = level.BestMilliseconds
                                ? std::all_of(level.RecentMilliseconds.begin(), level.RecentMilliseconds.end(),
                                              [&](std::int64_t t) { return t >= *level.BestMilliseconds; })
                                : level.RecentMilliseconds.empty() && !level.NewBest;
    if (!consistent) return std::nullopt;
    return level;
}

}  // namespace

std::optional<std::int64_t> SudokuLevelStatistics::MeanMilliseconds() const {
    if (RecentMilliseconds.empty()) return std::nullopt;
    const std::int64_t sum = std::accumulate(RecentMilliseconds.begin(), RecentMilliseconds.end(), std::int64_t{0});
    return sum / static_cast<std::int64_t>(RecentMilliseconds.size());
}

SudokuLevelStatistics* SudokuStatistics::Counted(const SudokuGame& game) {
    const std::int32_t level = game.Level();
    if (game.Imported() || level < 0 || level >= Levels) return nullptr;
    return &levels_[static_cast<std::size_t>(level)];
}

void SudokuStatistics::PuzzleStarted(const SudokuGame& game) {
    if (SudokuLevelStatistics* level = Counted(game)) ++level->Started;
}

void SudokuStatistics::PuzzleSolved(const SudokuGame& game, std::int64_t milliseconds) {
    SudokuLevelStatistics* level = Counted(game);
    if (level == nullptr) return;
    if (game.SolutionSeen()) {
        level->Run = 0;
        return;
    }
    level->LongestRun = std::max(level->LongestRun, ++level->Run);
    milliseconds = std::max<std::int64_t>(milliseconds, 0);
    if (level->RecentMilliseconds.size() == SudokuLevelStatistics::RecentCount)
        level->RecentMilliseconds.erase(level->RecentMilliseconds.begin());
    level->RecentMilliseconds.push_back(milliseconds);
    if (!level->BestMilliseconds || milliseconds < *level->BestMilliseconds) {
        level->BestMilliseconds = milliseconds;
        level->NewBest = true;
    }
}

void SudokuStatistics::HintUsed(const SudokuGame& game) {
    if (SudokuLevelStatistics* level = Counted(game)) ++level->Hints;
}

void SudokuStatistics::Shown() {
    for (SudokuLevelStatistics& level : levels_) level.NewBest = false;
}

const SudokuLevelStatistics& SudokuStatistics::Of(std::int32_t level) const {
    static const SudokuLevelStatistics none;
    return level >= 0 && level < Levels ? levels_[static_cast<std::size_t>(level)] : none;
}

std::string SudokuStatistics::Text() const {
    std::string text(Heading);
    text += "\nversion ";
    text += Version;
    for (std::int32_t i = 0; i < Levels; ++i) {
        const SudokuLevelStatistics& level = levels_[static_cast<std::size_t>(i)];
        text += "\nlevel " + std::to_string(i);
        text += "\nstarted " + std::to_string(level.Started);
        text += "\nbest " + (level.BestMilliseconds ? std::to_string(*level.BestMilliseconds) : std::string("-"));
        text += "\nrecent";
        for (const std::int64_t time : level.RecentMilliseconds) text += ' ' + std::to_string(time);
        if (level.RecentMilliseconds.empty()) text += ' ';
        text += "\nrun " + std::to_string(level.Run);
        text += "\nlongest " + std::to_string(level.LongestRun);
        text += "\nhints " + std::to_string(level.Hints);
        text += level.NewBest ? "\nnew-best 1" : "\nnew-best 0";
    }
    return text + '\n';
}

std::optional<SudokuStatistics> SudokuStatistics::FromText(std::string_view text) {
    Items items(text);
    if (!text.starts_with(std::string(Heading) + '\n')) return std::nullopt;
    items.Skip();
    if (items.Next("version") != Version) return std::nullopt;
    SudokuStatistics statistics;
    for (std::int32_t i = 0; i < Levels; ++i) {
        if (items.Next("level") != std::to_string(i)) return std::nullopt;
        auto level = ReadLevel(items);
        if (!level) return std::nullopt;
        statistics.levels_[static_cast<std::size_t>(i)] = std::move(*level);
    }
    if (!items.AtEnd()) return std::nullopt;
    return statistics;
}

bool SudokuStatistics::Write(const std::string& path) const { return ReplaceFileAtomically(path, Text()); }

SudokuStatistics SudokuStatistics::Read(const std::string& path) {
    const FileHead file = ReadFileHead(path, MaxFileSize);
    if (file.status != FileHead::Read || file.truncated) return {};
    return FromText(file.content).value_or(SudokuStatistics{});
}

}  // namespace vum
