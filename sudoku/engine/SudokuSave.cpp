#include "sudoku/engine/SudokuSave.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "common/SafeFile.h"

namespace vum {

namespace {

constexpr std::string_view Heading = "VumSudoku saved game";
constexpr int Version = 3;
// The earlier versions still read: one game, without redo; the first without marks.
constexpr int VersionWithoutRedo = 2;
constexpr int VersionWithoutMarks = 1;
// Far beyond any game a player makes (a thousand steps take some 10 KB); a larger file is
// not ours.
constexpr std::size_t MaxFileSize = 4 << 20;

char DigitChar(std::int32_t value) { return value >= 1 && value <= 9 ? static_cast<char>('0' + value) : '.'; }

// A cell of a grid line: 1..9, or -1 for '.'; 0 for anything else.
std::int32_t DigitValue(char c) {
    if (c == '.') return -1;
    if (c >= '1' && c <= '9') return c - '0';
    return 0;
}

template <typename Grid, typename Cell>
std::string GridLine(const Grid& grid, Cell cell) {
    std::string line;
    line.reserve(81);
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) line += cell(grid[c][r]);
    return line;
}

void AppendMarks(std::string& text, std::uint16_t marks) {
    for (const int shift : {6, 3, 0}) text += static_cast<char>('0' + ((marks >> shift) & 7));
}

// Three octal digits of marks; nullopt for anything else.
std::optional<std::uint16_t> MarksValue(std::string_view text) {
    if (text.size() != 3) return std::nullopt;
    std::uint16_t marks = 0;
    for (const char c : text) {
        if (c < '0' || c > '7') return std::nullopt;
        marks = static_cast<std::uint16_t>(marks << 3 | (c - '0'));
    }
    return marks;
}

// The cells in which position `to` differs from position `from`, with their content in `to`,
// as history tokens.
std::string ChangeLine(const SudokuPosition& to, const SudokuPosition& from) {
    std::string line;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            if (to.Board[c][r] != from.Board[c][r] || to.Marks[c][r] != from.Marks[c][r]) {
                if (!line.empty()) line += ' ';
                line += static_cast<char>('0' + c);
                line += static_cast<char>('0' + r);
                line += ':';
                line += DigitChar(to.Board[c][r]);
                line += ':';
                AppendMarks(line, to.Marks[c][r]);
            }
    return line;
}

class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    // The next line without its line end; nullopt at the end of the text.
    std::optional<std::string_view> Next() {
        if (position_ >= text_.size()) return std::nullopt;
        const std::size_t end = text_.find('\n', position_);
        std::string_view line = text_.substr(position_, end == std::string_view::npos ? std::string_view::npos
                                                                                      : end - position_);
        position_ = end == std::string_view::npos ? text_.size() : end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }
    // The value of the next line when it is "<name> <value>".
    std::optional<std::string_view> Item(std::string_view name) {
        const auto line = Next();
        if (!line || line->size() <= name.size() || !line->starts_with(name) || (*line)[name.size()] != ' ')
            return std::nullopt;
        return line->substr(name.size() + 1);
    }
    // Whether nothing but line ends follows.
    bool AtEnd() const {
        const std::string_view rest = text_.substr(std::min(position_, text_.size()));
        return std::all_of(rest.begin(), rest.end(), [](char c) { return c == '\n' || c == '\r'; });
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

template <typename Integer>
std::optional<Integer> Decimal(std::optional<std::string_view> text) {
    if (!text || text->empty()) return std::nullopt;
    Integer value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size()) return std::nullopt;
    return value;
}
std::optional<std::int32_t> Number(std::optional<std::string_view> text) { return Decimal<std::int32_t>(text); }
std::optional<std::int64_t> Number64(std::optional<std::string_view> text) { return Decimal<std::int64_t>(text); }

// A grid line of digits and dots into grid; false for any other character or length.
bool ReadBoard(std::optional<std::string_view> text, SudokuGrid& grid, bool dotsAllowed) {
    if (!text || text->size() != 81) return false;
    for (std::size_t i = 0; i < 81; ++i) {
        const std::int32_t value = DigitValue((*text)[i]);
        if (value == 0 || (value < 0 && !dotsAllowed)) return false;
        grid[i % 9][i / 9] = value;
    }
    return true;
}

bool ReadGivens(std::optional<std::string_view> text, SudokuMask& givens) {
    if (!text || text->size() != 81) return false;
    for (std::size_t i = 0; i < 81; ++i) {
        const char c = (*text)[i];
        if (c != '0' && c != '1') return false;
        givens[i % 9][i / 9] = static_cast<std::uint8_t>(c - '0');
    }
    return true;
}

bool ReadMarks(std::optional<std::string_view> text, SudokuMarks& marks) {
    if (!text || text->size() != 3 * 81) return false;
    for (std::size_t i = 0; i < 81; ++i) {
        const auto cell = MarksValue(text->substr(3 * i, 3));
        if (!cell) return false;
        marks[i % 9][i / 9] = *cell;
    }
    return true;
}

// Applies a history line to the position, which becomes the one of that step. Tokens of a file
// without marks have none.
bool ApplyChangeLine(std::string_view line, bool withMarks, SudokuPosition& position) {
    if (line.empty()) return true;
    const std::size_t tokenSize = withMarks ? 8 : 4;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        const std::string_view token = line.substr(start, end - start);
        if (token.size() != tokenSize || token[2] != ':' || token[0] < '0' || token[0] > '8' || token[1] < '0' ||
            token[1] > '8')
            return false;
        const int c = token[0] - '0', r = token[1] - '0';
        const std::int32_t value = DigitValue(token[3]);
        if (value == 0) return false;
        position.Board[c][r] = value;
        if (withMarks) {
            const auto marks = token[4] == ':' ? MarksValue(token.substr(5)) : std::nullopt;
            if (!marks) return false;
            position.Marks[c][r] = *marks;
        }
        start = end + 1;
    }
    return true;
}

void AppendGame(std::string& text, const SudokuGame& game) {
    text += "\nlevel " + std::to_string(game.Level());
    text += game.Imported() ? "\norigin imported" : "\norigin made";
    text += "\ntime " + std::to_string(game.PlayedMilliseconds());
    text += game.SolutionSeen() ? "\nseen 1" : "\nseen 0";
    text += "\nsolution " + GridLine(game.Solution(), DigitChar);
    text += "\ngivens " + GridLine(game.Givens(), [](std::uint8_t given) { return given == 1 ? '1' : '0'; });
    text += "\nentries " + GridLine(game.Position().Board, DigitChar);
    text += "\nshown " + GridLine(game.ShownGrid(), DigitChar);
    text += "\nmarks ";
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) AppendMarks(text, game.Position().Marks[c][r]);
    // Both histories from the position outwards, each line a step further.
    for (const auto& [name, history] : {std::pair{"undo", &game.UndoHistory()}, std::pair{"redo", &game.RedoHistory()}}) {
        text += "\n";
        text += name;
        text += " " + std::to_string(history->size());
        const SudokuPosition* from = &game.Position();
        for (auto step = history->rbegin(); step != history->rend(); ++step) {
            text += '\n' + ChangeLine(*step, *from);
            from = &*step;
        }
    }
}

// Reads a history of the position outwards: its count, then a line a step. nullopt for a
// count beyond what a game keeps (refused before anything is built) or a line of another form.
std::optional<std::vector<SudokuPosition>> ReadHistory(Lines& lines, std::string_view name, bool withMarks,
                                                       const SudokuPosition& position) {
    const auto steps = Number(lines.Item(name));
    if (!steps || *steps < 0 || static_cast<std::size_t>(*steps) > SudokuGame::MaxUndoSteps) return std::nullopt;
    std::vector<SudokuPosition> history(static_cast<std::size_t>(*steps));
    SudokuPosition step = position;
    for (auto at = history.rbegin(); at != history.rend(); ++at) {
        const auto line = lines.Next();
        if (!line || !ApplyChangeLine(*line, withMarks, step)) return std::nullopt;
        *at = step;
    }
    return history;
}

// The game of the next lines, in the form of version; nullopt for anything else.
std::optional<SudokuGame> ReadGame(Lines& lines, std::int32_t version) {
    const auto level = Number(lines.Item("level"));
    if (!level) return std::nullopt;
    SudokuGameRecord record;
    record.Level = *level;
    if (version >= Version) {
        const auto origin = lines.Item("origin");
        const auto time = Number64(lines.Item("time"));
        const auto seen = lines.Item("seen");
        if ((origin != "made" && origin != "imported") || !time || (seen != "0" && seen != "1")) return std::nullopt;
        record.Imported = origin == "imported";
        record.PlayedMilliseconds = *time;
        record.SolutionSeen = seen == "1";
    }
    const bool withMarks = version != VersionWithoutMarks;
    if (!ReadBoard(lines.Item("solution"), record.Solution, false) || !ReadGivens(lines.Item("givens"), record.Givens) ||
        !ReadBoard(lines.Item("entries"), record.Position.Board, true) ||
        !ReadBoard(lines.Item("shown"), record.Shown, true))
        return std::nullopt;
    if (withMarks && !ReadMarks(lines.Item("marks"), record.Position.Marks)) return std::nullopt;
    auto undo = ReadHistory(lines, "undo", withMarks, record.Position);
    if (!undo) return std::nullopt;
    record.UndoHistory = std::move(*undo);
    if (version >= Version) {
        auto redo = ReadHistory(lines, "redo", withMarks, record.Position);
        if (!redo) return std::nullopt;
        record.RedoHistory = std::move(*redo);
    }
    SudokuGame game;
    if (!game.Restore(record)) return std::nullopt;
    return game;
}

}  // namespace

std::string SavedGamesText(const SudokuGame& playing, const SudokuKeptGames& kept) {
    std::string text(Heading);
    text += "\nversion " + std::to_string(Version);
    AppendGame(text, playing);
    for (std::int32_t level = 0; level < SudokuKeptGames::Levels; ++level)
        if (const auto& game = kept.Of(level); game && level != playing.Level()) AppendGame(text, *game);
    return text + '\n';
}

std::optional<SudokuSavedGames> SavedGamesFromText(std::string_view text) {
    Lines lines(text);
    if (lines.Next() != Heading) return std::nullopt;
    const auto version = Number(lines.Item("version"));
    if (version != Version && version != VersionWithoutRedo && version != VersionWithoutMarks) return std::nullopt;
    auto playing = ReadGame(lines, *version);
    if (!playing) return std::nullopt;
    SudokuSavedGames games{std::move(*playing), {}};
    // The kept games follow, one a level, none of the level played; only this version has them.
    while (!lines.AtEnd()) {
        auto kept = version == Version ? ReadGame(lines, *version) : std::nullopt;
        if (!kept || kept->Level() == games.Playing.Level() || games.Kept.Of(kept->Level()) ||
            !games.Kept.Keep(*kept))
            return std::nullopt;
    }
    return games;
}

std::string SavedGameText(const SudokuGame& game) { return SavedGamesText(game, {}); }

std::optional<SudokuGame> GameFromSavedText(std::string_view text) {
    auto games = SavedGamesFromText(text);
    if (!games) return std::nullopt;
    return std::move(games->Playing);
}

bool WriteSavedGames(const std::string& path, const SudokuGame& playing, const SudokuKeptGames& kept) {
    return ReplaceFileAtomically(path, SavedGamesText(playing, kept));
}

std::optional<SudokuSavedGames> ReadSavedGames(const std::string& path) {
    const FileHead file = ReadFileHead(path, MaxFileSize);
    if (file.status != FileHead::Read || file.truncated) return std::nullopt;
    return SavedGamesFromText(file.content);
}

bool WriteSavedGame(const std::string& path, const SudokuGame& game) {
    return WriteSavedGames(path, game, {});
}

std::optional<SudokuGame> ReadSavedGame(const std::string& path) {
    auto games = ReadSavedGames(path);
    if (!games) return std::nullopt;
    return std::move(games->Playing);
}

}  // namespace vum
