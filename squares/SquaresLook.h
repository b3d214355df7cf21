#pragma once
// The colour-squares windows' own colours and pictures.

#include <QImage>
#include <QString>
#include <cstdint>

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
QImage SquaresPicture(const QString& name);

}  // namespace vum
