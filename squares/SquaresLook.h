#pragma once
// The colour-squares windows' own colours and pictures.

#include <QImage>
#include <QString>
#include <cstdint>
#include <thread>
#include <vector>

namespace vum {

// Window colours, 0x00BBGGRR.
namespace squares_colours {
constexpr std::uint32_t DarkBrownishRed = 0x00404080;
constexpr std::uint32_t LightRed = 0x008080FF;
constexpr std::uint32_t LightOrange = 0x004080FF;
constexpr std::uint32_t Yellow = 0x0000FFFF;
// The ground of the frame strips, shown where a strip picture ends short of its panel.
constexpr std::uint32_t StripGround = 0x00000080;
}  // namespace squares_colours

// A picture of the program's resources (":/squares/images/<name>.svg") at its natural size.
// One that PreparePictures is rendering is waited for and taken from there.
QImage SquaresPicture(const QString& name);

// Renders pictures in a thread of its own, for the windows about to be built: the level
// dialog shows sooner. The thread ends with the object returned.
[[nodiscard]] std::jthread PreparePictures(std::vector<QString> names);

}  // namespace vum
