#include "sudoku/SudokuLook.h"

#include "gui/Pictures.h"

// At namespace scope, as Q_INIT_RESOURCE needs. The pictures live in a static library, and
// the linker keeps no resource initialiser that nothing calls.
static void InitSudokuResources() {
    Q_INIT_RESOURCE(sudoku);
}

namespace vum {

QImage SudokuPicture(const QString& name) {
    static const bool initialised = (InitSudokuResources(), true);
    (void)initialised;
    return SvgImage(QStringLiteral(":/sudoku/images/") + name + QStringLiteral(".svg"));
}

}  // namespace vum
