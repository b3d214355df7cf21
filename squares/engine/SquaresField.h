#pragma once
// The colour-squares playing field: 20 rows of 10 cells that rise one row per field tick,
// the click rule that removes a joined group of one colour, the fall and the score.
// A plain value owned by the play state (SquaresGame); nothing here allocates. The field
// knows colour codes only: the windows give each code its colour.

#include <array>
#include <bitset>
#include <cstdint>

namespace vum {

class WRandom;

class SquaresField {
public:
    static constexpr std::int32_t Rows = 20;
    static constexpr std::int32_t Columns = 10;
    static constexpr std::int32_t Cells = Rows * Columns;

    // Cell of row r, column c at r * Columns + c; row 0 is the top (danger) row.
    // 0 is an empty cell, 1..5 a square of that colour.
    using Grid = std::array<std::uint8_t, Cells>;
    // A set of cells, by the same index.
    using CellSet = std::bitset<Cells>;

    // Click rectangle of a cell in image pixels, bounds inclusive.
    struct HitBox {
        std::int32_t Left = 0;
        std::int32_t Right = 0;
        std::int32_t Top = 0;
        std::int32_t Bottom = 0;
        bool operator==(const HitBox&) const = default;
    };

    static constexpr std::int32_t CellSize = 30;
    static constexpr std::int32_t PointsPerSquare = 10;
    static constexpr std::int32_t MaxColourCount = 5;

    SquaresField();

    // Score 0, every cell empty, hit boxes computed. The colour count is kept.
    void NewGame();

    // One field tick: every row moves up one (row 0's content is lost), a new row enters
    // at the bottom. True when a square now stands in row 0, i.e. the game is over.
    bool RiseField(WRandom& random);
    // Fills row 19 with one 31-bit draw per column, columns 0 to 9.
    void AddBottomRow(WRandom& random);
    bool TopRowEmpty() const;

    // The cell whose hit box holds the image point, scanning row 0 first and within a
    // row column 0 first (so a shared border belongs to the lower index); -1 for none.
    std::int32_t CellAt(std::int32_t x, std::int32_t y) const;
    // Removes the clicked group when it holds at least three squares, lets the squares
    // above fall and adds 10 points per removed square. True when anything was removed.
    bool ClickSquare(std::int32_t x, std::int32_t y);
    // The same for the cell itself, as a click inside it.
    bool RemoveGroupAt(std::int32_t cell);
    // The cells that RemoveGroupAt(cell) would remove: the square and every square of its
    // colour joined to it through sides, when they are three or more; none otherwise.
    CellSet GroupAt(std::int32_t cell) const;

    // Clears every neighbour of (row, column) in grid that holds code, and recursively
    // theirs, adding 1 to counter per cleared cell. The start cell is only cleared and
    // counted when reached back from a neighbour, so a group of k >= 2 squares gives k
    // and a lone square 0 (and stays). Every call but the first clears one cell first,
    // so a flood makes at most 1 + Cells calls and never nests deeper than that.
    static void FloodGroup(std::int32_t row, std::int32_t column, std::uint8_t code, Grid& grid,
                           std::int32_t& counter);

    // Packs every column's squares in rows 1..19 onto row 19, keeping their order.
    // Row 0 is never moved into nor out of.
    void DropSquares();

    Grid Field{};
    std::int32_t ColourCount = 4;  // 3, 4 or 5
    std::array<HitBox, Cells> HitBoxes{};
    std::int32_t Score = 0;

private:
    void ComputeHitBoxes();
};

}  // namespace vum
