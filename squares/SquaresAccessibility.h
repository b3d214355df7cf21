#pragma once
// What the colour-squares main window tells a screen reader: the pause button is named after
// what a press on it does, a pause and its end are announced, and so is the square the
// keyboard's cursor reaches.

#include <QString>
#include <cstdint>

class QWidget;

namespace vum {

void ShowPauseAccessibly(QWidget* pauseButton, bool paused);

// The cursor's square in words: "Красный, группа из 5 квадратов", "Синий, без группы",
// "Пусто". colour: the field's code (0 empty, 1..5); group: the squares Space would remove.
QString CursorSquareText(std::uint8_t colour, std::size_t group);

}  // namespace vum
