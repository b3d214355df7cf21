// The Sudoku's saved game: every part of the play state comes back as it was, and a file that
// is not whole and sound is never read.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "TestFolder.h"
#include "common/WRandom.h"
#include "sudoku/engine/SudokuSave.h"

using namespace vum;

namespace {

// A game with marks, entries (one of them cleaning marks), an entry made twice in one cell, a
// clear, and the solution shown.
SudokuGame PlayedGame(std::int32_t level = 2, bool marks = true) {
    SudokuGame game;
    game.SetLevel(level);
    WRandom random(5);
    game.NewPuzzle(random);
    std::vector<std::pair<int, int>> empty;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (!game.IsGiven(c, r)) empty.emplace_back(c, r);
    const auto digit = [&](std::pair<int, int> cell) { return game.Solution()[cell.first][cell.second]; };
    if (marks) {
        game.ToggleMark(empty[3].first, empty[3].second, 4);
        game.ToggleMark(empty[3].first, empty[3].second, 9);
        game.ToggleMark(empty[4].first, empty[4].second, 1);
        game.ClearMarks(empty[4].first, empty[4].second);
        game.ToggleMark(empty[5].first, empty[5].second, digit(empty[0]) % 9 + 1);
    }
    game.Enter(empty[0].first, empty[0].second, digit(empty[0]) % 9 + 1);
    game.Enter(empty[1].first, empty[1].second, digit(empty[1]));
    game.Enter(empty[0].first, empty[0].second, digit(empty[0]));
    game.Enter(empty[0].first, empty[0].second, digit(empty[0]));  // the same digit again: an empty step
    game.Enter(empty[2].first, empty[2].second, 5);
    game.Clear(empty[1].first, empty[1].second);
    game.ShowSolution();
    return game;
}

void ExpectSameGame(const SudokuGame& a, const SudokuGame& b) {
    EXPECT_EQ(a.Level(), b.Level());
    EXPECT_EQ(a.GivenCount(), b.GivenCount());
    EXPECT_EQ(a.Solution(), b.Solution());
    EXPECT_EQ(a.Givens(), b.Givens());
    EXPECT_EQ(a.Position().Board, b.Position().Board);
    EXPECT_EQ(a.UndoHistory(), b.UndoHistory());
    EXPECT_EQ(a.ShownGrid(), b.ShownGrid());
    EXPECT_EQ(a.Position().Marks, b.Position().Marks);
    EXPECT_EQ(a.RedoHistory(), b.RedoHistory());
    EXPECT_EQ(a.Imported(), b.Imported());
    EXPECT_EQ(a.PlayedMilliseconds(), b.PlayedMilliseconds());
    EXPECT_EQ(a.SolutionSeen(), b.SolutionSeen());
}

// The same game as version 2 wrote it (one game, no origin, time, seen or redo), or version 1
// (without marks either). The game has nothing to redo.
std::string OlderText(const SudokuGame& game, int version) {
    std::string text = SavedGameText(game);
    text.replace(text.find("version 3"), 9, "version " + std::to_string(version));
    const auto eraseLine = [&text](const std::string& name) {
        const std::size_t at = text.find('\n' + name + ' ');
        text.erase(at, text.find('\n', at + 1) - at);
    };
    for (const char* name : {"origin", "time", "seen", "redo"}) eraseLine(name);
    if (version == 1) {
        eraseLine("marks");
        for (std::size_t at; (at = text.find(":000")) != std::string::npos;) text.erase(at, 4);
    }
    return text;
}

// The saved text of game with line `name ...` replaced.
std::string WithLine(const std::string& text, const std::string& name, const std::string& line) {
    const std::size_t start = text.find('\n' + name + ' ') + 1;
    const std::size_t end = text.find('\n', start);
    return text.substr(0, start) + line + text.substr(end);
}

std::string Item(const std::string& text, const std::string& name) {
    const std::size_t start = text.find('\n' + name + ' ') + name.size() + 2;
    return text.substr(start, text.find('\n', start) - start);
}

}  // namespace

TEST(SudokuSave, EveryPartOfThePlayStateComesBackAsItWas) {
    for (const std::int32_t level : {0, 1, 2}) {
        SCOPED_TRACE(level);
        SudokuGame game = PlayedGame(level);
        game.AddPlayedTime(61234);
        game.Undo();
        game.Undo();
        const auto read = GameFromSavedText(SavedGameText(game));
        ASSERT_TRUE(read.has_value());
        ExpectSameGame(*read, game);
        // And the game plays on as it would have: the steps come back in order, both ways.
        SudokuGame original = game, copy = *read;
        while (original.Redo()) {
            ASSERT_TRUE(copy.Redo());
            ExpectSameGame(copy, original);
        }
        while (original.Undo()) {
            ASSERT_TRUE(copy.Undo());
            ExpectSameGame(copy, original);
        }
        EXPECT_FALSE(copy.CanUndo());
    }
}

TEST(SudokuSave, TheKeptGamesOfTheOtherLevelsComeBackWithTheOnePlayed) {
    SudokuKeptGames kept;
    kept.Keep(PlayedGame(0));
    kept.Keep(PlayedGame(2));
    const SudokuGame playing = PlayedGame(1);
    const auto read = SavedGamesFromText(SavedGamesText(playing, kept));
    ASSERT_TRUE(read.has_value());
    ExpectSameGame(read->Playing, playing);
    for (const int level : {0, 2}) {
        ASSERT_TRUE(read->Kept.Of(level).has_value()) << level;
        ExpectSameGame(*read->Kept.Of(level), *kept.Of(level));
    }
    EXPECT_FALSE(read->Kept.Of(1).has_value());
    // A puzzle the player brought keeps its origin.
    SudokuGame imported;
    SudokuGrid givens = playing.Solution();
    givens[0][0] = -1;
    ASSERT_TRUE(imported.Import(givens, playing.Solution()));
    const auto again = GameFromSavedText(SavedGameText(imported));
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->Imported());
}

TEST(SudokuSave, TheFileIsPlainAndItsUndoLinesListOnlyTheChangedCells) {
    const SudokuGame game = PlayedGame();
    const std::string text = SavedGameText(game);
    EXPECT_EQ(text.rfind("VumSudoku saved game\nversion 3\nlevel 2\norigin made\ntime 0\nseen 1\nsolution ", 0), 0u)
        << text;
    EXPECT_NE(text.find("\nredo 0\n"), std::string::npos);
    EXPECT_NE(text.find("\nundo 10\n"), std::string::npos);
    // Newest first: before the entry of 5 that cell was empty and the cleared one held its
    // digit; the step before changed nothing.
    const std::size_t undo = text.find("\nundo 10\n") + 9;
    const std::size_t second = text.find('\n', undo) + 1;
    const std::string firstLine = text.substr(undo, second - 1 - undo);
    EXPECT_EQ(firstLine.size(), 17u) << firstLine;
    EXPECT_NE(firstLine.find(":.:000"), std::string::npos) << firstLine;
    EXPECT_EQ(text[second], '\n');
    // The marks 4 and 9 of one cell: bits 3 and 8, octal 410.
    EXPECT_NE(text.find("410"), std::string::npos);
}

TEST(SudokuSave, FilesOfTheEarlierVersionsAreReadAsOneGameAndTheFirstWithoutMarks) {
    for (const int version : {1, 2}) {
        SCOPED_TRACE(version);
        SudokuGame game = PlayedGame(1, version == 2);
        const std::string older = OlderText(game, version);
        ASSERT_EQ(older.find("redo"), std::string::npos);
        const auto read = GameFromSavedText(older);
        ASSERT_TRUE(read.has_value());
        // Whether the solution was seen is not known from those versions.
        EXPECT_FALSE(read->SolutionSeen());
        ExpectSameGame(*read, GameFromSavedText(SavedGameText(*read)).value());
        EXPECT_EQ(read->Position(), game.Position());
        EXPECT_EQ(read->UndoHistory(), game.UndoHistory());
        // Only the newest version keeps other levels' games.
        EXPECT_FALSE(GameFromSavedText(older + OlderText(game, version).substr(31)).has_value());
    }
    // Marks have no place in the first version, nor its tokens in the second.
    const SudokuGame game = PlayedGame(1, false);
    std::string withMarks = OlderText(game, 1);
    withMarks.replace(withMarks.find("\nundo "), 0, "\nmarks " + std::string(243, '0'));
    EXPECT_FALSE(GameFromSavedText(withMarks).has_value());
    std::string oldTokens = OlderText(game, 2);
    for (std::size_t at; (at = oldTokens.find(":000 ")) != std::string::npos;) oldTokens.erase(at, 4);
    EXPECT_FALSE(GameFromSavedText(oldTokens).has_value()) << "tokens of the first version in the second";
}

TEST(SudokuSave, AFileWrittenIsReadBackAndReplacedWhole) {
    TestFolder folder;
    const std::string path = folder.File(SavedGameName);
    EXPECT_FALSE(ReadSavedGame(path).has_value());
    const SudokuGame game = PlayedGame();
    ASSERT_TRUE(WriteSavedGame(path, game));
    const auto read = ReadSavedGame(path);
    ASSERT_TRUE(read.has_value());
    ExpectSameGame(*read, game);
    SudokuGame fresh;
    fresh.SetLevel(0);
    WRandom random(8);
    fresh.NewPuzzle(random);
    ASSERT_TRUE(WriteSavedGame(path, fresh));
    ExpectSameGame(*ReadSavedGame(path), fresh);
    // A folder that cannot be written: nothing is written, false is the answer.
    EXPECT_FALSE(WriteSavedGame(folder.File("missing/") + SavedGameName, fresh));
}

TEST(SudokuSave, AFileThatIsNotWholeIsIgnored) {
    const std::string good = SavedGameText(PlayedGame());
    SudokuGame solved = PlayedGame(0, false);
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (!solved.IsGiven(c, r)) solved.Enter(c, r, solved.Solution()[c][r]);
    const std::string solvedText = SavedGameText(solved);
    const std::string solvedGame = solvedText.substr(solvedText.find("\nlevel ") + 1);
    ASSERT_TRUE(GameFromSavedText(good).has_value());
    const std::string givens = Item(good, "givens");
    const int steps = std::stoi(Item(good, "undo"));
    const auto undo = [&](int count, const std::string& lines = "") {
        return WithLine(good, "undo", "undo " + std::to_string(count) + lines);
    };
    // One cell the player fills, changed to a character that is no digit 1..9.
    const auto oneCell = [&](const char* name, char c) {
        std::string line = Item(good, name);
        line[givens.find('0')] = c;
        return WithLine(good, name, std::string(name) + " " + line);
    };

    const std::vector<std::pair<const char*, std::string>> bad = {
        {"empty", ""},
        {"foreign", "[Difficult_Level]\nNumber=1\n"},
        {"truncated", good.substr(0, good.size() / 2)},
        {"cut in the undo lines", good.substr(0, good.rfind('\n', good.size() - 2) + 1)},
        {"older version", WithLine(good, "version", "version 0")},
        {"newer version", WithLine(good, "version", "version 4")},
        {"an unknown origin", WithLine(good, "origin", "origin elsewhere")},
        {"a time that is no number", WithLine(good, "time", "time 1s")},
        {"redo lines missing", WithLine(good, "redo", "redo 2")},
        // A second game of the level played.
        {"two games of one level", good + good.substr(good.find("\nlevel ") + 1)},
        {"a kept game that is solved", good + solvedGame},
        {"marks that are no octal digits", WithLine(good, "marks", "marks " + std::string(242, '0') + "8")},
        {"marks too short", WithLine(good, "marks", "marks 000")},
        {"digit outside 1..9", oneCell("entries", '0')},
        {"letter on the board", oneCell("shown", 'x')},
        {"short grid", WithLine(good, "entries", "entries ...")},
        {"undo line of another form", undo(steps + 1, "\n99:1:000")},
        {"undo token without marks", undo(steps + 1, "\n00:.")},
        {"more undo lines than said", undo(steps - 1)},
        {"fewer undo lines than said", undo(steps + 1)},
        {"a negative count", undo(-1)},
        {"more steps than a game keeps", undo(static_cast<int>(SudokuGame::MaxUndoSteps) + 1)},
        {"something after the end", good + "shown 1\n"},
        // Whole, but no game's: SudokuGame::Restore says which positions play can reach.
        {"level of another number of givens", WithLine(good, "level", "level 1")},
    };
    for (const auto& [what, text] : bad) EXPECT_FALSE(GameFromSavedText(text).has_value()) << what;
}

TEST(SudokuSave, AnUnreadableOrHugeFileIsIgnored) {
    TestFolder folder;
    const std::string path = folder.File(SavedGameName);
    ASSERT_TRUE(WriteSavedGame(path, PlayedGame()));
    TestFolder::Write(path, TestFolder::Read(path) + std::string(5 << 20, '\n'));
    EXPECT_FALSE(ReadSavedGame(path).has_value());
    ::mkdir(folder.File("folder").c_str(), 0755);
    EXPECT_FALSE(ReadSavedGame(folder.File("folder")).has_value());
}
