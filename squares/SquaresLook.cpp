#include "squares/SquaresLook.h"

#include "gui/Pictures.h"

// At namespace scope, as Q_INIT_RESOURCE needs. The pictures live in a static library, and
// the linker keeps no resource initialiser that nothing calls.
static void InitSquaresResources() {
    Q_INIT_RESOURCE(squares);
}

namespace vum {

QImage SquaresPicture(const QString& name) {
    static const bool initialised = (InitSquaresResources(), true);
    (void)initialised;
    return SvgImage(QStringLiteral(":/squares/images/") + name + QStringLiteral(".svg"));
}

}  // namespace vum
