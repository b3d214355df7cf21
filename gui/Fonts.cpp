#include "gui/Fonts.h"

#include <QFontDatabase>

namespace vum {

QString FontFace(const QString& family) {
    const bool oldSans = family == QLatin1String("MS Sans Serif") || family == QLatin1String("Microsoft Sans Serif");
    if (oldSans && !QFontDatabase::hasFamily(family)) return QStringLiteral("Arial");
    return family;
}

QFont PixelFont(const QString& family, int pixelSize, bool bold, bool italic) {
    QFont font(FontFace(family));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

}  // namespace vum
