#include "squares/SquaresAccessibility.h"

#include <QWidget>

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

}  // namespace vum
