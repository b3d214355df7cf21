#include "squares/SquaresAccessibility.h"

#include <QWidget>
#include <array>

#include "gui/Accessibility.h"

namespace vum {

void ShowPauseAccessibly(QWidget* pauseButton, bool paused) {
    const QString name = paused ? QStringLiteral("Продолжить игру") : QStringLiteral("Пауза");
    const QString before = pauseButton->accessibleName();
    if (before == name) return;
    pauseButton->setAccessibleName(name);
    // The button's first name is no change.
    if (!before.isEmpty()) Announce(pauseButton, paused ? QStringLiteral("Пауза") : QStringLiteral("Игра продолжается"));
}

QString CursorSquareText(std::uint8_t colour, std::size_t group) {
    // The names of the field's codes, as squares_colours paints them.
    static const std::array<QString, 6> Names = {QStringLiteral("Пусто"),  QStringLiteral("Красный"),
                                                 QStringLiteral("Зелёный"), QStringLiteral("Синий"),
                                                 QStringLiteral("Жёлтый"), QStringLiteral("Фиолетовый")};
    if (colour == 0 || colour >= Names.size()) return Names[0];
    if (group == 0) return Names[colour] + QStringLiteral(", без группы");
    const bool one = group % 10 == 1 && group % 100 != 11;
    return Names[colour] + QStringLiteral(", группа из %1 %2").arg(group).arg(one ? QStringLiteral("квадрата")
                                                                                  : QStringLiteral("квадратов"));
}

}  // namespace vum
