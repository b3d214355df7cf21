#include "sudoku/SudokuCellText.h"

#include <QStringList>

#include "sudoku/engine/SudokuGame.h"

namespace vum {

QString CellPlace(int column, int row) { return QStringLiteral("Строка %1, столбец %2").arg(row + 1).arg(column + 1); }

QString CellContent(const SudokuGame& game, int column, int row) {
    const std::int32_t digit = game.Shown(column, row);
    if (digit >= 1 && digit <= 9)
        return game.IsGiven(column, row) ? QStringLiteral("задана цифра %1").arg(digit) : QString::number(digit);
    const std::uint16_t marks = game.MarksOf(column, row);
    if (marks == 0) return QStringLiteral("пусто");
    QStringList digits;
    for (int mark = 1; mark <= 9; ++mark)
        if ((marks & (1u << (mark - 1))) != 0) digits << QString::number(mark);
    const QString last = digits.takeLast();
    if (digits.isEmpty()) return QStringLiteral("пусто, пометка ") + last;
    return QStringLiteral("пусто, пометки ") + digits.join(QStringLiteral(", ")) + QStringLiteral(" и ") + last;
}

QString CellName(const SudokuGame& game, int column, int row) {
    return CellPlace(column, row) + QStringLiteral(": ") + CellContent(game, column, row);
}

}  // namespace vum
