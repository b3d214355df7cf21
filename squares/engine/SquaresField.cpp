#include "squares/engine/SquaresField.h"

#include <algorithm>

#include "common/WRandom.h"

namespace vum {

namespace {

constexpr std::size_t Index(std::int32_t row, std::int32_t column) {
    return static_cast<std::size_t>(row * SquaresField::Columns + column);
}

}  // namespace

// The boxes are computed here as well as by NewGame, so that a click before the first
// game meets real boxes (over an empty field) rather than 200 boxes at the origin.
SquaresField::SquaresField() { ComputeHitBoxes(); }

void SquaresField::NewGame() {
    Score = 0;
    Field.fill(0);
    ComputeHitBoxes();
}

void SquaresField::ComputeHitBoxes() {
    for (std::int32_t r = 0; r < Rows; ++r)
        for (std::int32_t c = 0; c < Columns; ++c)
            // One pixel wider than the 31-pixel cell picture: neighbours share two lines.
            HitBoxes[Index(r, c)] = {c * CellSize, c * CellSize + CellSize + 1, r * CellSize,
                                     r * CellSize + CellSize + 1};
}

bool SquaresField::RiseField(WRandom& random) {
    std::copy(Field.begin() + Columns, Field.end(), Field.begin());
    AddBottomRow(random);
    return !TopRowEmpty();
}

void SquaresField::AddBottomRow(WRandom& random) {
    for (std::int32_t c = 0; c < Columns; ++c)
        Field[Index(Rows - 1, c)] = static_cast<std::uint8_t>(random.Draw31() % ColourCount + 1);
}

bool SquaresField::TopRowEmpty() const {
    return std::all_of(Field.begin(), Field.begin() + Columns, [](std::uint8_t code) { return code == 0; });
}

std::int32_t SquaresField::CellAt(std::int32_t x, std::int32_t y) const {
    for (std::int32_t i = 0; i < Cells; ++i) {
        const HitBox& box = HitBoxes[static_cast<std::size_t>(i)];
        if (box.Left <= x && x <= box.Right && box.Top <= y && y <= box.Bottom) return i;
    }
    return -1;
}

bool SquaresField::ClickSquare(std::int32_t x, std::int32_t y) { return RemoveGroupAt(CellAt(x, y)); }

SquaresField::CellSet SquaresField::GroupAt(std::int32_t cell) const {
    if (cell < 0 || cell >= Cells) return {};
    const std::uint8_t code = Field[static_cast<std::size_t>(cell)];
    Grid scratch = Field;
    std::int32_t size = 0;
    FloodGroup(cell / Columns, cell % Columns, code, scratch, size);
    CellSet group;
    if (size < 3) return group;
    // The flood cleared exactly the group's cells, the start among them.
    for (std::size_t i = 0; i < Field.size(); ++i) group[i] = scratch[i] != Field[i];
    return group;
}

bool SquaresField::RemoveGroupAt(std::int32_t cell) {
    if (cell < 0 || cell >= Cells) return false;
    const std::int32_t row = cell / Columns;
    const std::int32_t column = cell % Columns;
    const std::uint8_t code = Field[static_cast<std::size_t>(cell)];
    if (code == 0) return false;

    // Size the group on a scratch copy so that a group too small leaves the field alone.
    Grid scratch = Field;
    std::int32_t size = 0;
    FloodGroup(row, column, code, scratch, size);
    if (size < 3) return false;

    std::int32_t removed = 0;
    FloodGroup(row, column, code, Field, removed);
    Field[static_cast<std::size_t>(cell)] = 0;
    DropSquares();
    Score += removed * PointsPerSquare;
    return true;
}

void SquaresField::FloodGroup(std::int32_t row, std::int32_t column, std::uint8_t code, Grid& grid,
                              std::int32_t& counter) {
    // Empty cells form no group; flooding them would never end, since clearing does not
    // change them.
    if (code == 0 || row < 0 || row >= Rows || column < 0 || column >= Columns) return;

    const auto visit = [&](std::int32_t r, std::int32_t c) {
        std::uint8_t& cell = grid[Index(r, c)];
        if (cell != code) return;
        ++counter;
        cell = 0;
        FloodGroup(r, c, code, grid, counter);
    };
    if (row - 1 >= 0) visit(row - 1, column);
    if (row + 1 <= Rows - 1) visit(row + 1, column);
    if (column - 1 >= 0) visit(row, column - 1);
    if (column + 1 <= Columns - 1) visit(row, column + 1);
}

void SquaresField::DropSquares() {
    for (std::int32_t c = 0; c < Columns; ++c) {
        for (std::int32_t target = Rows - 1; target >= 1; --target) {
            std::uint8_t& below = Field[Index(target, c)];
            if (below != 0) continue;
            for (std::int32_t source = target - 1; source >= 1; --source) {
                std::uint8_t& above = Field[Index(source, c)];
                if (above == 0) continue;
                below = above;
                above = 0;
                break;
            }
        }
    }
}

}  // namespace vum
