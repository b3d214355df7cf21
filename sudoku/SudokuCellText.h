#pragma once
// What a cell of the board says in words, for screen readers: its place ("Строка 3,
// столбец 5") and its content ("задана цифра 7", "4", "пусто, пометки 1, 4 и 9"), as the board
// shows it.

#include <QString>

namespace vum {

class SudokuGame;

QString CellPlace(int column, int row);
QString CellContent(const SudokuGame& game, int column, int row);
// "Строка 3, столбец 5: 4".
QString CellName(const SudokuGame& game, int column, int row);

}  // namespace vum
