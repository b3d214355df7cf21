#pragma once
// The Sudoku windows' own colours and pictures.

#include <QImage>
#include <QString>
#include <cstdint>

namespace vum {

// Window colours, 0x00BBGGRR.
namespace sudoku_colours {
constexpr std::uint32_t Window = 0x004080FF;        // main window, the notice's inner panel
constexpr std::uint32_t CounterPanel = 0x008AB0FF;  // LevelCountPanel1
constexpr std::uint32_t SidePanel = 0x000080FF;     // Panel2
constexpr std::uint32_t BlockA = 0x009CC99C;        // corner and centre blocks
constexpr std::uint32_t BlockB = 0x00C0DCC0;        // edge blocks
constexpr std::uint32_t SelectedCell = 0x00F0FBFF;
constexpr std::uint32_t GivenDigit = 0x00000000;
constexpr std::uint32_t EnteredDigit = 0x00FF0000;
constexpr std::uint32_t HighlightedDigit = 0x00FFFFFF;
constexpr std::uint32_t Picker = 0x00408000;
// The small square on a picker button whose digit is a mark of the cell.
constexpr std::uint32_t PickerMark = 0x00FFFFFF;
constexpr std::uint32_t GridLine = 0x00C0C0C0;
// Pencil marks: a dark grey that reads on both block colours and on the selected cell; the
// marks of the selected cell's digit in the entries' blue.
constexpr std::uint32_t Mark = 0x00505050;
constexpr std::uint32_t EmphasisedMark = EnteredDigit;
// The frame of the keyboard cursor.
constexpr std::uint32_t Cursor = 0x00000000;
// A hint: the ground of the cell it fills, of the cells that explain it, of a mistake; its
// notice.
constexpr std::uint32_t HintTarget = 0x0080FFFF;
constexpr std::uint32_t HintReason = 0x00FFD8B0;
constexpr std::uint32_t HintMistake = 0x009696FF;
constexpr std::uint32_t HintNotice = CounterPanel;
}  // namespace sudoku_colours

// The time of a puzzle as the game shows it: minutes and seconds ("7:05"), with the hours in
// front from the first hour on ("1:07:05").
QString PlayTimeText(std::int64_t milliseconds);

// A picture of the program's resources (":/sudoku/images/<name>.svg") at its natural size.
QImage SudokuPicture(const QString& name);

}  // namespace vum
