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
}

// The same game as version 1 wrote it, without marks.
std::string VersionOneText(const SudokuGame& game) {
    std::string text = SavedGameText(game);
    text.replace(text.find("version 2"), 9, "version 1");
    const std::size_t marks = text.find("\nmarks ");
    text.erase(marks, text.find('\n', marks + 1) - marks);
    for (std::size_t at; (at = text.find(":000")) != std::string::npos;) text.erase(at, 4);
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
        const SudokuGame game = PlayedGame(level);
        const auto read = GameFromSavedText(SavedGameText(game));
        ASSERT_TRUE(read.has_value());
        ExpectSameGame(*read, game);
        // And the game plays on as it would have: the undo steps come back in order.
        SudokuGame original = game, copy = *read;
        while (original.Undo()) {
            ASSERT_TRUE(copy.Undo());
            ExpectSameGame(copy, original);
        }
        EXPECT_FALSE(copy.CanUndo());
    }
}

TEST(SudokuSave, TheFileIsPlainAndItsUndoLinesListOnlyTheChangedCells) {
    const SudokuGame game = PlayedGame();
    const std::string text = SavedGameText(game);
    EXPECT_EQ(text.rfind("VumSudoku saved game\nversion 2\nlevel 2\nsolution ", 0), 0u) << text;
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

TEST(SudokuSave, AFileOfTheFirstVersionIsReadAsAGameWithoutMarks) {
    const SudokuGame game = PlayedGame(1, false);
    const std::string older = VersionOneText(game);
    ASSERT_EQ(older.find("marks"), std::string::npos);
    const auto read = GameFromSavedText(older);
    ASSERT_TRUE(read.has_value());
    ExpectSameGame(*read, game);
    // Marks have no place in the first version.
    std::string withMarks = older;
    withMarks.replace(withMarks.find("\nundo "), 0, "\nmarks " + std::string(243, '0'));
    EXPECT_FALSE(GameFromSavedText(withMarks).has_value());
    const std::string newer = SavedGameText(game);
    std::string oldTokens = newer;
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
        {"newer version", WithLine(good, "version", "version 3")},
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
