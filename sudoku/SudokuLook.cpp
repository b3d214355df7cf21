#include "sudoku/SudokuLook.h"

#include <algorithm>

#include "gui/Pictures.h"

// At namespace scope, as Q_INIT_RESOURCE needs. The pictures live in a static library, and
// the linker keeps no resource initialiser that nothing calls.
static void InitSudokuResources() {
    Q_INIT_RESOURCE(sudoku);
}

namespace vum {

QString PlayTimeText(std::int64_t milliseconds) {
    const std::int64_t seconds = std::max<std::int64_t>(milliseconds, 0) / 1000;
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2").arg(seconds / 60 % 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (seconds < 3600) return minutesAndSeconds;
    return QStringLiteral("%1:%2").arg(seconds / 3600).arg(minutesAndSeconds.rightJustified(5, QLatin1Char('0')));
}

QImage SudokuPicture(const QString& name) {
    static const bool initialised = (InitSudokuResources(), true);
    (void)initialised;
    return SvgImage(QStringLiteral(":/sudoku/images/") + name + QStringLiteral(".svg"));
}

}  // namespace vum
