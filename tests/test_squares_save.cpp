// The saved game of the colour squares: its file, read back whole or not at all, and the game
// it holds taken back by the play state, which never takes back a game that has ended.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFolder.h"
#include "common/WRandom.h"
#include "squares/engine/SquaresSave.h"

using namespace vum;

namespace {

// A game of level 2 played for a while: rows risen, groups removed, the clock at level 3.
SquaresGame Played() {
    SquaresGame game;
    game.ChooseLevel(2);
    game.NewGame();
    WRandom random(29);
    for (int tick = 0; tick < 8; ++tick) {
        game.FieldTick(random);
        for (int x = 5; x < 300; x += 30) game.Press(x, 585);
    }
    for (int second = 0; second < 2 * 60 + 41; ++second) game.ClockTick();
    return game;
}

const std::string Sample =
    "VumSquare saved game\n"
    "version 1\n"
    "level 0\n"
    "score 120\n"
    "speed 4\n"
    "seconds 17\n"
    "interval 1700\n"
    "field " + std::string(170, '0') + "000000000" "3" "1200000003" "1210000023" "\n";

}  // namespace

TEST(SquaresSave, AGameComesBackFromItsFileAsItWasSaved) {
    const SquaresGame played = Played();
    const SquaresPosition position = played.Position();
    ASSERT_GT(position.Score, 0);
    ASSERT_EQ(position.SpeedLevel, 3);

    TestFolder folder;
    const std::string path = folder.File(SavedRunName(position.Level));
    EXPECT_EQ(SavedRunName(0), "VumColor1.sav");
    EXPECT_EQ(SavedRunName(2), "VumColor3.sav");
    ASSERT_TRUE(WriteSavedRun(path, position));
    const auto read = ReadSavedRun(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, position);
    SquaresGame resumed;
    ASSERT_TRUE(resumed.Restore(*read));
    EXPECT_EQ(resumed.Position(), position);

    // The form, item by item, and a file with CR LF line ends and blank lines after it.
    const auto sample = PositionFromSavedText(Sample);
    ASSERT_TRUE(sample.has_value());
    EXPECT_EQ(SavedRunText(*sample), Sample);
    EXPECT_EQ(sample->Level, 0);
    EXPECT_EQ(sample->Score, 120);
    EXPECT_EQ(sample->SpeedLevel, 4);
    EXPECT_EQ(sample->SecondCount, 17);
    EXPECT_EQ(sample->FieldInterval, 1700);
    EXPECT_EQ(sample->Field[179], 3);
    EXPECT_EQ(sample->Field[198], 2);
    std::string crlf;
    for (const char c : Sample) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(PositionFromSavedText(crlf + "\r\n\n"), sample);

    RemoveSavedRun(path);
    EXPECT_FALSE(ReadSavedRun(path).has_value());
    RemoveSavedRun(path);  // nothing there: nothing happens
}

TEST(SquaresSave, ADamagedFileIsNotRead) {
    const auto with = [](const std::string& line, const std::string& replacement) {
        std::string text = Sample;
        const auto at = text.find(line);
        EXPECT_NE(at, std::string::npos) << line;
        return text.replace(at, line.size(), replacement);
    };
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"empty", ""},
        {"another heading", with("VumSquare saved game", "VumSudoku saved game")},
        {"a later version", with("version 1", "version 2")},
        {"no version", with("version 1\n", "")},
        {"a number with a tail", with("score 120", "score 120x")},
        {"a number too long", with("score 120", "score 99999999999")},
        {"no number", with("speed 4", "speed ")},
        {"items out of order", with("speed 4\nseconds 17", "seconds 17\nspeed 4")},
        {"a short field", with("field 0", "field ")},
        {"a long field", with("023\n", "0230\n")},
        {"a code beyond five", with("023\n", "063\n")},
        {"a letter in the field", with("023\n", "0a3\n")},
        {"a line after the field", Sample + "score 10\n"},
    };
    for (const auto& [fault, text] : damaged) EXPECT_FALSE(PositionFromSavedText(text).has_value()) << fault;
    // Cut anywhere: gone.
    for (std::size_t size = 0; size + 1 < Sample.size(); ++size)
        EXPECT_FALSE(PositionFromSavedText(Sample.substr(0, size)).has_value()) << size;

    TestFolder folder;
    const std::string path = folder.File("VumColor1.sav");
    EXPECT_FALSE(ReadSavedRun(path).has_value()) << "no file";
    // A file far larger than any saved game is not read past its head.
    TestFolder::Write(path, Sample + std::string(1 << 20, '\n'));
    EXPECT_FALSE(ReadSavedRun(path).has_value());
    TestFolder::Write(path, Sample);
    EXPECT_TRUE(ReadSavedRun(path).has_value());
}

TEST(SquaresSave, AGameThatEndedIsNotTakenBack) {
    SquaresGame game = Played();
    WRandom random(3);
    while (!game.FieldTick(random)) {
    }
    ASSERT_EQ(game.CurrentPhase(), SquaresGame::Phase::Ended);
    // Its field, with a square in the danger row, is one no running game has.
    const auto ended = PositionFromSavedText(SavedRunText(game.Position()));
    ASSERT_TRUE(ended.has_value());
    SquaresGame later;
    EXPECT_FALSE(later.Restore(*ended));
    EXPECT_EQ(later.CurrentPhase(), SquaresGame::Phase::ChoosingLevel);
}
