#pragma once
// The colour-squares windows' own colours and pictures.

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <thread>
#include <vector>

namespace vum {

// The program's colours, 0x00BBGGRR; the window system's own are in gui/WinLook.h.
namespace squares_colours {
constexpr std::uint32_t DarkBrownishRed = 0x00404080;
constexpr std::uint32_t LightRed = 0x008080FF;
constexpr std::uint32_t LightOrange = 0x004080FF;
// The marks of the danger row and the level dialog's selection triangle.
constexpr std::uint32_t Orange = 0x000080FF;
constexpr std::uint32_t Yellow = 0x0000FFFF;
// The ground of the frame strips, shown where a strip picture ends short of its panel.
constexpr std::uint32_t StripGround = 0x00000080;

// The field picture.
constexpr std::uint32_t EmptyCell = 0x00FFFFFF;
constexpr std::uint32_t DangerBand = 0x00E4E4E4;
constexpr std::uint32_t CellMark = 0x00D2D2D2;
constexpr std::uint32_t SquareOutline = 0x00000000;
// The colour of each code of the field, 1..5 (code 0, an empty cell, is painted EmptyCell).
constexpr std::array<std::uint32_t, 6> SquareColours = {
    EmptyCell,
    0x000000FF,  // 1 red
    0x00008000,  // 2 green
    0x00FF0000,  // 3 blue
    0x0000FFFF,  // 4 yellow
    0x00800080,  // 5 purple
};
}  // namespace squares_colours

// A picture of the program's resources (":/squares/images/<name>.svg") at its natural size.
// One that PreparePictures is rendering is waited for and taken from there.
QImage SquaresPicture(const QString& name);

// Renders pictures in a thread of its own, for the windows about to be built: the level
// dialog shows sooner. The thread ends with the object returned.
[[nodiscard]] std::jthread PreparePictures(std::vector<QString> names);

}  // namespace vum
