#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "common/WRandom.h"
#include "squares/engine/SpeedClock.h"
#include "squares/engine/SquaresField.h"

using namespace vum;

// Counts the heap allocations made while Counting is set, to show that play allocates nothing.
namespace {
bool Counting = false;
std::int64_t Allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    if (Counting) ++Allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
// Inlined into a caller, free() after operator new looks mismatched to GCC; here it is not.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

using Grid = SquaresField::Grid;
constexpr std::int32_t Rows = SquaresField::Rows;
constexpr std::int32_t Columns = SquaresField::Columns;

std::uint8_t& At(Grid& grid, std::int32_t row, std::int32_t column) {
    return grid[static_cast<std::size_t>(row * Columns + column)];
}
std::uint8_t At(const Grid& grid, std::int32_t row, std::int32_t column) {
    return grid[static_cast<std::size_t>(row * Columns + column)];
}

// A field drawn as text, one string per row, digits for codes and '.' for empty cells;
// the rows given are the bottom ones.
Grid Drawn(const std::vector<std::string>& bottomRows) {
    Grid grid{};
    const auto first = Rows - static_cast<std::int32_t>(bottomRows.size());
    for (std::size_t i = 0; i < bottomRows.size(); ++i)
        for (std::int32_t c = 0; c < Columns; ++c) {
            const char mark = bottomRows[i][static_cast<std::size_t>(c)];
            At(grid, first + static_cast<std::int32_t>(i), c) =
                mark == '.' ? 0 : static_cast<std::uint8_t>(mark - '0');
        }
    return grid;
}

SquaresField FieldOf(const std::vector<std::string>& bottomRows) {
    SquaresField field;
    field.NewGame();
    field.Field = Drawn(bottomRows);
    return field;
}

// Clicks the middle of a cell.
bool Click(SquaresField& field, std::int32_t row, std::int32_t column) {
    return field.ClickSquare(column * SquaresField::CellSize + 15, row * SquaresField::CellSize + 15);
}

TEST(SquaresClick, EmptyCellLoneSquareAndPairChangeNothing) {
    SquaresField field = FieldOf({
        "..........",
        "1.2......3",
        "1.3.....44",
    });
    field.Score = 40;
    const Grid before = field.Field;

    EXPECT_FALSE(Click(field, 17, 1));  // empty
    EXPECT_FALSE(Click(field, 19, 2));  // lone square
    EXPECT_FALSE(Click(field, 18, 0));  // vertical pair
    EXPECT_FALSE(Click(field, 19, 9));  // L of three in two colours: a pair of 4s
    EXPECT_EQ(field.Field, before);
    EXPECT_EQ(field.Score, 40);
}

TEST(SquaresClick, CornerContactDoesNotJoin) {
    // Each 1 touches the next only at a corner; the 2s make a side-joined pair only.
    SquaresField field = FieldOf({
        "1.........",
        ".1........",
        "..1.22....",
    });
    const Grid before = field.Field;
    for (std::int32_t k = 0; k < 3; ++k) EXPECT_FALSE(Click(field, 17 + k, k));
    EXPECT_FALSE(Click(field, 19, 4));
    EXPECT_EQ(field.Field, before);
    EXPECT_EQ(field.Score, 0);
}

TEST(SquaresClick, LOfThreeFallsColumnByColumnKeepingOrder) {
    // The L of 2s spans two columns, so column 0 falls two rows and column 1 one row.
    SquaresField field = FieldOf({
        "3.........",
        "15....4...",
        "245...1...",
        "225...2...",
    });
    EXPECT_TRUE(Click(field, 19, 1));  // any square of the group will do
    EXPECT_EQ(field.Field, Drawn({
                               "..........",
                               "......4...",
                               "355...1...",
                               "145...2...",
                           }));
    EXPECT_EQ(field.Score, 30);
}

TEST(SquaresClick, GroupOfSevenScoresSeventy) {
    SquaresField field = FieldOf({
        "....1.....",
        "...111....",
        "..21311...",
        "..2232333.",
    });
    EXPECT_TRUE(Click(field, 17, 3));
    EXPECT_EQ(field.Field, Drawn({
                               "..........",
                               "..2.3.....",
                               "..2232333.",
                           }));
    EXPECT_EQ(field.Score, 70);

    // A second removal adds to the score.
    field.Field = Drawn({"555.......", "5........."});
    EXPECT_TRUE(Click(field, 18, 2));
    EXPECT_EQ(field.Score, 110);
}

TEST(SquaresClick, RowZeroSquareIsNeitherDroppedNorPulledDown) {
    // After the end of a game a square can stand in row 0 while clicks are taken again.
    SquaresField field;
    field.NewGame();
    At(field.Field, 0, 0) = 4;
    At(field.Field, 1, 0) = 1;
    At(field.Field, 17, 0) = 2;
    At(field.Field, 18, 0) = 2;
    At(field.Field, 19, 0) = 2;
    EXPECT_TRUE(Click(field, 19, 0));
    EXPECT_EQ(At(field.Field, 0, 0), 4);
    EXPECT_EQ(At(field.Field, 19, 0), 1);
    for (std::int32_t r = 1; r < Rows - 1; ++r) EXPECT_EQ(At(field.Field, r, 0), 0) << "row " << r;
}

TEST(SquaresHitBoxes, SharedBordersBelongToTheLowerIndex) {
    SquaresField field;
    field.NewGame();
    EXPECT_EQ(field.HitBoxes[0], (SquaresField::HitBox{0, 31, 0, 31}));
    EXPECT_EQ(field.HitBoxes[199], (SquaresField::HitBox{270, 301, 570, 601}));

    EXPECT_EQ(field.CellAt(30, 40), 10);  // row 1, column 0
    EXPECT_EQ(field.CellAt(31, 40), 10);
    EXPECT_EQ(field.CellAt(32, 40), 11);
    EXPECT_EQ(field.CellAt(5, 30), 0);
    EXPECT_EQ(field.CellAt(5, 31), 0);
    EXPECT_EQ(field.CellAt(5, 32), 10);
    EXPECT_EQ(field.CellAt(301, 601), 199);
    EXPECT_EQ(field.CellAt(302, 5), -1);
    EXPECT_EQ(field.CellAt(5, 602), -1);
    EXPECT_EQ(field.CellAt(-1, 5), -1);
}

TEST(SquaresHitBoxes, ClickOnTheDangerRowBorderHitsRowZero) {
    // A group of 1s in column 0 reaching up to row 1: y = 30 and 31 still mean row 0.
    SquaresField field;
    field.NewGame();
    for (std::int32_t r = 1; r < Rows; ++r) At(field.Field, r, 0) = 1;
    EXPECT_FALSE(field.ClickSquare(5, 30));
    EXPECT_FALSE(field.ClickSquare(5, 31));
    EXPECT_EQ(field.Score, 0);
    EXPECT_TRUE(field.ClickSquare(5, 32));
    EXPECT_EQ(field.Score, 190);

    // x = 30 and 31 still mean column 0, whose squares are gone; x = 32 is column 1.
    field.Field = Drawn({"1111......"});
    At(field.Field, 19, 0) = 0;
    EXPECT_FALSE(field.ClickSquare(30, 580));
    EXPECT_FALSE(field.ClickSquare(31, 580));
    EXPECT_TRUE(field.ClickSquare(32, 580));
}

TEST(SquaresFlood, CountsTheStartOnlyWhenReachedBack) {
    Grid grid = Drawn({"1.1.......", "1..1......"});
    std::int32_t counter = 5;  // the counter is added to, not reset
    SquaresField::FloodGroup(19, 3, 1, grid, counter);
    EXPECT_EQ(counter, 5);
    EXPECT_EQ(At(grid, 19, 3), 1);

    SquaresField::FloodGroup(19, 0, 1, grid, counter);
    EXPECT_EQ(counter, 7);
    EXPECT_EQ(grid, Drawn({"..1.......", "...1......"}));

    // An empty code has no group, and a call off the field does nothing.
    counter = 0;
    SquaresField::FloodGroup(0, 0, 0, grid, counter);
    SquaresField::FloodGroup(20, 0, 1, grid, counter);
    SquaresField::FloodGroup(18, -1, 1, grid, counter);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(grid, Drawn({"..1.......", "...1......"}));
}

TEST(SquaresFlood, WholeFieldOfOneColour) {
    // The largest flood: 200 cells, 201 calls at most.
    for (const std::int32_t start : {0, 105, 199}) {
        Grid grid;
        grid.fill(3);
        std::int32_t counter = 0;
        SquaresField::FloodGroup(start / Columns, start % Columns, 3, grid, counter);
        EXPECT_EQ(counter, 200);
        EXPECT_EQ(grid, Grid{});
    }
    // A serpentine that makes the recursion run down one long path.
    Grid snake{};
    for (std::int32_t r = 0; r < Rows; ++r)
        for (std::int32_t c = 0; c < Columns; ++c)
            At(snake, r, c) = (r % 2 == 0 || c == (r % 4 == 1 ? 9 : 0)) ? 2 : 1;
    std::int32_t counter = 0;
    SquaresField::FloodGroup(0, 0, 2, snake, counter);
    EXPECT_EQ(counter, 10 * 10 + 10);
}

TEST(SquaresDrop, ColumnsPackOntoRowNineteenInOrder) {
    SquaresField field;
    field.NewGame();
    field.Field = Drawn({
        "1.3.......",
        "....5.....",
        "2..4......",
        "..........",
        "3.5.1.....",
        "......2...",
    });
    field.DropSquares();
    EXPECT_EQ(field.Field, Drawn({
                               "1.........",
                               "2.3.5.....",
                               "3.541.2...",
                           }));
    EXPECT_EQ(field.Score, 0);
}

TEST(SquaresRise, NewRowsAreCompleteAndWithinTheColourCount) {
    for (const std::int32_t colours : {3, 5}) {
        WRandom random(77);
        WRandom replay(77);
        SquaresField field;
        field.NewGame();
        field.ColourCount = colours;
        std::array<bool, 7> seen{};
        for (std::int32_t tick = 0; tick < 19; ++tick) {
            ASSERT_FALSE(field.RiseField(random)) << "tick " << tick;
            for (std::int32_t c = 0; c < Columns; ++c) {
                const std::uint8_t code = At(field.Field, 19, c);
                // One 31-bit draw per column, left to right: a seed replays a game.
                EXPECT_EQ(code, replay.Draw31() % colours + 1);
                ASSERT_GE(code, 1);
                ASSERT_LE(code, colours);
                seen[code] = true;
            }
        }
        for (std::int32_t code = 1; code <= colours; ++code)
            EXPECT_TRUE(seen[static_cast<std::size_t>(code)]) << "code " << code;
        EXPECT_TRUE(field.TopRowEmpty());
        EXPECT_EQ(At(field.Field, 0, 0), 0);
        EXPECT_NE(At(field.Field, 1, 0), 0);
    }
}

TEST(SquaresRise, GameEndsAtTheTickThatFillsRowZero) {
    WRandom random(5);
    SquaresField field;
    field.NewGame();
    for (std::int32_t r = 2; r < Rows; ++r) At(field.Field, r, 6) = 2;  // 18 squares
    EXPECT_FALSE(field.RiseField(random));
    EXPECT_TRUE(field.TopRowEmpty());

    const Grid before = field.Field;
    EXPECT_TRUE(field.RiseField(random));
    EXPECT_FALSE(field.TopRowEmpty());
    EXPECT_EQ(At(field.Field, 0, 6), 2);
    for (std::int32_t c = 0; c < Columns; ++c) {
        EXPECT_NE(At(field.Field, 19, c), 0);  // the new row is in place
        for (std::int32_t r = 0; r < Rows - 1; ++r)
            EXPECT_EQ(At(field.Field, r, c), At(before, r + 1, c));
    }

    // A square in row 0 is pushed out by the next rise.
    At(field.Field, 1, 6) = 0;
    EXPECT_FALSE(field.RiseField(random));
}

TEST(SquaresNewGame, EmptiesTheFieldAndScoreButKeepsTheColours) {
    SquaresField field;
    field.ColourCount = 5;
    field.Field.fill(4);
    field.Score = 990;
    field.HitBoxes[17] = {};
    field.NewGame();
    EXPECT_EQ(field.Field, Grid{});
    EXPECT_EQ(field.Score, 0);
    EXPECT_EQ(field.ColourCount, 5);
    EXPECT_EQ(field.HitBoxes[17], (SquaresField::HitBox{210, 241, 30, 61}));
}

// Runs the speed clock through the given number of one-second ticks, feeding each new
// interval back as a timer would; the speed-ups seen, as (interval, level) pairs.
std::vector<std::pair<std::int32_t, std::int32_t>> RunClock(SpeedClock& clock, std::int32_t& interval,
                                                            std::int32_t seconds) {
    std::vector<std::pair<std::int32_t, std::int32_t>> speedUps;
    for (std::int32_t s = 0; s < seconds; ++s)
        if (const auto next = clock.Tick(interval)) {
            interval = *next;
            speedUps.emplace_back(interval, clock.SpeedLevel);
        }
    return speedUps;
}

TEST(SpeedClock, FollowsTheScheduleDownToFiveHundred) {
    SpeedClock clock;
    clock.NewGame();
    std::int32_t interval = SpeedClock::StartInterval;
    EXPECT_TRUE(RunClock(clock, interval, 59).empty());
    EXPECT_EQ(clock.SecondCount, 59);
    EXPECT_EQ(clock.SpeedLevel, 1);

    const std::vector<std::pair<std::int32_t, std::int32_t>> expected = {
        {2100, 2}, {1900, 3}, {1700, 4}, {1500, 5}, {1300, 6}, {1100, 7},
        {900, 8},  {700, 9},  {500, 10}, {500, 10}, {500, 10},
    };
    // The first speed-up comes at the 60th tick; each next one 60 ticks later.
    EXPECT_EQ(RunClock(clock, interval, 1 + 60 * 10), expected);
    EXPECT_EQ(clock.SecondCount, 0);
}

TEST(SpeedClock, OffTheScheduleTheFloorAndTheCapStillHold) {
    // Only a candidate below the floor means level 10; the floor itself is one step.
    SpeedClock clock;
    clock.SecondCount = 59;
    EXPECT_EQ(clock.Tick(600), 500);
    EXPECT_EQ(clock.SpeedLevel, 10);
    clock.SpeedLevel = 3;
    clock.SecondCount = 59;
    EXPECT_EQ(clock.Tick(700), 500);
    EXPECT_EQ(clock.SpeedLevel, 4);
    clock.SpeedLevel = 10;
    clock.SecondCount = 59;
    EXPECT_EQ(clock.Tick(1000), 800);
    EXPECT_EQ(clock.SpeedLevel, 10);

    // Before the first game the field tick has the window design's 2000 ms.
    clock.SpeedLevel = 1;
    clock.SecondCount = 59;
    EXPECT_EQ(clock.Tick(2000), 1800);
    EXPECT_EQ(clock.SpeedLevel, 2);
}

TEST(SpeedClock, NewGameKeepsTheSecondCount) {
    SpeedClock clock;
    std::int32_t interval = SpeedClock::StartInterval;
    RunClock(clock, interval, 60 * 3 + 45);
    ASSERT_EQ(clock.SpeedLevel, 4);

    clock.NewGame();
    interval = SpeedClock::StartInterval;
    EXPECT_EQ(clock.SpeedLevel, 1);
    EXPECT_EQ(clock.SecondCount, 45);
    // So the new game's first speed-up comes after 15 seconds.
    EXPECT_TRUE(RunClock(clock, interval, 14).empty());
    EXPECT_EQ(clock.Tick(interval), 2100);
    EXPECT_EQ(clock.SpeedLevel, 2);
}

// What a click must do, worked out independently: the side-joined group of the clicked
// square by breadth-first search, removed when it holds three or more, then each column
// below row 0 compacted onto row 19.
struct Expected {
    Grid field;
    std::int32_t removed = 0;
};

Expected ExpectedClick(const Grid& field, std::int32_t x, std::int32_t y) {
    Expected result{field, 0};
    // Box c spans 30c .. 30c + 31, and the lower index wins on the two shared lines.
    const auto band = [](std::int32_t p, std::int32_t count) {
        if (p < 0 || p > (count - 1) * 30 + 31) return -1;
        return p < 2 ? 0 : (p - 2) / 30;
    };
    const std::int32_t row = band(y, Rows);
    const std::int32_t column = band(x, Columns);
    if (row < 0 || column < 0) return result;
    const std::uint8_t code = At(field, row, column);
    if (code == 0) return result;

    std::array<bool, 200> inGroup{};
    std::array<std::int32_t, 200> queue{};
    std::int32_t head = 0;
    std::int32_t tail = 0;
    queue[static_cast<std::size_t>(tail++)] = row * Columns + column;
    inGroup[static_cast<std::size_t>(row * Columns + column)] = true;
    while (head < tail) {
        const std::int32_t cell = queue[static_cast<std::size_t>(head++)];
        const std::int32_t r = cell / Columns;
        const std::int32_t c = cell % Columns;
        const std::array<std::array<std::int32_t, 2>, 4> steps = {{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
        for (const auto& [dr, dc] : steps) {
            const std::int32_t nr = r + dr;
            const std::int32_t nc = c + dc;
            if (nr < 0 || nr >= Rows || nc < 0 || nc >= Columns) continue;
            const auto next = static_cast<std::size_t>(nr * Columns + nc);
            if (inGroup[next] || field[next] != code) continue;
            inGroup[next] = true;
            queue[static_cast<std::size_t>(tail++)] = nr * Columns + nc;
        }
    }
    if (tail < 3) return result;

    result.removed = tail;
    for (std::int32_t c = 0; c < Columns; ++c) {
        std::int32_t write = Rows - 1;
        for (std::int32_t r = Rows - 1; r >= 1; --r) {
            const auto i = static_cast<std::size_t>(r * Columns + c);
            if (!inGroup[i] && field[i] != 0) At(result.field, write--, c) = field[i];
        }
        for (; write >= 1; --write) At(result.field, write, c) = 0;
    }
    return result;
}

// Every column below row 0 is a gap-free stack standing on row 19.
bool ColumnsStandPacked(const Grid& field) {
    for (std::int32_t c = 0; c < Columns; ++c) {
        bool emptySeen = false;
        for (std::int32_t r = Rows - 1; r >= 1; --r) {
            if (At(field, r, c) == 0) emptySeen = true;
            else if (emptySeen) return false;
        }
    }
    return true;
}

std::int32_t SquareCount(const Grid& field) {
    std::int32_t count = 0;
    for (const std::uint8_t code : field) count += code != 0 ? 1 : 0;
    return count;
}

TEST(SquaresRandomGames, RulesHoldThroughManySeededGames) {
    std::int64_t removals = 0;
    for (std::uint32_t seed = 1; seed <= 600; ++seed) {
        WRandom random(seed);
        WRandom player(seed * 7919u);
        SquaresField field;
        field.NewGame();
        field.ColourCount = 3 + static_cast<std::int32_t>(seed % 3);
        std::int32_t added = 0;
        bool over = false;
        std::int32_t steps = 0;

        // Mostly clicks, one rise in four, until a rise puts a square into row 0.
        while (!over) {
            ASSERT_LT(++steps, 100000) << "seed " << seed;
            if (player.Draw15() % 4 == 0) {
                ASSERT_TRUE(field.TopRowEmpty());
                over = field.RiseField(random);
                added += Columns;
                ASSERT_EQ(over, !field.TopRowEmpty()) << "seed " << seed;
            } else {
                const std::int32_t x = player.Draw15() % 312 - 5;
                // Half the clicks go to the lower half, where the squares stand.
                const std::int32_t y =
                    player.Draw15() % 2 == 0 ? player.Draw15() % 612 - 5 : 300 + player.Draw15() % 307;
                const Expected expected = ExpectedClick(field.Field, x, y);
                const std::int32_t score = field.Score;
                ASSERT_EQ(field.ClickSquare(x, y), expected.removed > 0) << "seed " << seed;
                ASSERT_EQ(field.Field, expected.field) << "seed " << seed << " click " << x << "," << y;
                ASSERT_EQ(field.Score, score + 10 * expected.removed);
                removals += expected.removed > 0 ? 1 : 0;
            }
            ASSERT_TRUE(ColumnsStandPacked(field.Field)) << "seed " << seed;
            ASSERT_EQ(field.Score, 10 * (added - SquareCount(field.Field))) << "seed " << seed;
        }
    }
    // The games must have exercised the removal path, not only the rises.
    EXPECT_GT(removals, 6000);
}

TEST(SquaresRandomGames, PlayAllocatesNothing) {
    WRandom random(3);
    SquaresField field;
    SpeedClock clock;
    std::int32_t interval = SpeedClock::StartInterval;
    Counting = true;
    Allocations = 0;
    for (std::int32_t game = 0; game < 20; ++game) {
        field.NewGame();
        clock.NewGame();
        for (std::int32_t tick = 0; tick < 1000 && !field.RiseField(random); ++tick) {
            for (std::int32_t k = 0; k < 6; ++k)
                field.ClickSquare(random.Draw15() % 301, random.Draw15() % 601);
            if (const auto next = clock.Tick(interval)) interval = *next;
        }
    }
    Counting = false;
    EXPECT_EQ(Allocations, 0);
}

}  // namespace
