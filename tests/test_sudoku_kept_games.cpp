// The games kept per level while another is played, and puzzles as text.
#include <gtest/gtest.h>

#include <algorithm>

#include "SudokuTestGames.h"
#include "common/WRandom.h"
#include "sudoku/engine/SudokuKeptGames.h"
#include "sudoku/engine/SudokuPuzzleText.h"

using namespace vum;

namespace {

// The first cell the player fills.
std::pair<int, int> OpenCell(const SudokuGame& game) {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (!game.IsGiven(c, r)) return {c, r};
    return {0, 0};
}

}  // namespace

TEST(SudokuKeptGames, ALevelLeftKeepsItsGameAndALevelComeBackToResumesIt) {
    SudokuKeptGames kept;
    SudokuGame game = NewGame(1, 2);
    const auto [c, r] = OpenCell(game);
    game.Enter(c, r, 4);
    const SudokuGame first = game;

    EXPECT_FALSE(kept.SwitchLevel(game, 2)) << "level 2 has no game yet";
    EXPECT_EQ(game.Level(), 2);
    EXPECT_EQ(game.GivenCount(), 28);
    ASSERT_TRUE(kept.Of(1).has_value());
    game = NewGame(2, 3);
    EXPECT_TRUE(kept.SwitchLevel(game, 1));
    EXPECT_EQ(game.Position(), first.Position());
    EXPECT_EQ(game.UndoHistory(), first.UndoHistory());
    EXPECT_FALSE(kept.Of(1).has_value()) << "the game being played is not kept besides";
    EXPECT_TRUE(kept.Of(2).has_value());
}

TEST(SudokuKeptGames, NeitherASolvedGameNorOneWithoutAPuzzleIsKept) {
    SudokuKeptGames kept;
    SudokuGame solved = NewGame(0, 5);
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (!solved.IsGiven(c, r)) solved.Enter(c, r, solved.Solution()[c][r]);
    ASSERT_TRUE(solved.Solved());
    EXPECT_FALSE(kept.Keep(solved));
    EXPECT_FALSE(kept.Keep(SudokuGame()));
    SudokuGame empty;
    EXPECT_FALSE(kept.SwitchLevel(empty, 0));
    EXPECT_FALSE(kept.Of(0) || kept.Of(1) || kept.Of(2));
}

TEST(SudokuPuzzleText, APuzzleGoesOutAsALineAndComesBackInTheUsualForms) {
    SudokuGame game = NewGame(1, 6);
    const auto [c, r] = OpenCell(game);
    game.Enter(c, r, game.Solution()[c][r]);
    const std::string puzzle = PuzzleLine(game);
    const std::string board = BoardLine(game);
    ASSERT_EQ(puzzle.size(), 81u);
    EXPECT_EQ(std::count(puzzle.begin(), puzzle.end(), '.'), 81 - 35);
    EXPECT_EQ(board[static_cast<std::size_t>(r * 9 + c)], char('0' + game.Solution()[c][r]));

    std::string zeros = puzzle, grid;
    std::replace(zeros.begin(), zeros.end(), '.', '0');
    for (std::size_t row = 0; row < 9; ++row) grid += " " + puzzle.substr(row * 9, 9) + "\r\n";
    for (const std::string& text : {puzzle, zeros, grid, puzzle + "\n" + board + "\n"}) {
        const PuzzleText read = ReadPuzzleText(text);
        ASSERT_EQ(read.Read, PuzzleText::Verdict::Puzzle) << text;
        EXPECT_EQ(read.Solution, game.Solution());
        for (int cc = 0; cc < 9; ++cc)
            for (int rr = 0; rr < 9; ++rr)
                EXPECT_EQ(read.Givens[cc][rr], game.IsGiven(cc, rr) ? game.Solution()[cc][rr] : -1);
    }
}

TEST(SudokuPuzzleText, AnythingButAPuzzleWithOneSolutionSaysWhy) {
    const SudokuGame game = NewGame(2, 7);
    const std::string puzzle = PuzzleLine(game);
    std::string repeated = puzzle;  // the first given's digit once more in its row
    const std::size_t given = repeated.find_first_not_of('.');
    const std::size_t rowStart = given / 9 * 9;
    for (std::size_t i = rowStart; i < rowStart + 9; ++i)
        if (repeated[i] == '.') {
            repeated[i] = repeated[given];
            break;
        }
    std::string fewer(81, '.');  // one given: many solutions
    fewer[0] = '5';
    std::string full;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) full += char('0' + game.Solution()[c][r]);
    using V = PuzzleText::Verdict;
    const std::vector<std::pair<std::string, V>> cases = {
        {"", V::NotAPuzzle},
        {"garbage", V::NotAPuzzle},
        {puzzle.substr(1), V::NotAPuzzle},
        {puzzle + "1", V::NotAPuzzle},
        {puzzle.substr(0, 80) + "x", V::NotAPuzzle},
        {full, V::NotAPuzzle},
        {repeated, V::NoSolution},
        {fewer, V::SeveralSolutions},
    };
    for (const auto& [text, verdict] : cases) EXPECT_EQ(ReadPuzzleText(text).Read, verdict) << text;
}
