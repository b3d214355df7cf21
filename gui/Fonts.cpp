#include "gui/Fonts.h"

#include <dlfcn.h>

#include <thread>

namespace vum {

QString FontFace(const QString& family) {
    const bool oldSans = family == QLatin1String("MS Sans Serif") || family == QLatin1String("Microsoft Sans Serif");
    return oldSans ? QStringLiteral("Arial") : family;
}

QFont PixelFont(const QString& family, int pixelSize, bool bold, bool italic) {
    QFont font(FontFace(family));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void StartLoadingFontConfiguration() {
    // Qt's own library brings fontconfig in; looked up rather than linked, so that a system
    // where Qt uses no fontconfig simply skips this.
    using Initialise = int (*)();
    if (const auto initialise = reinterpret_cast<Initialise>(::dlsym(RTLD_DEFAULT, "FcInit")))
        std::thread(initialise).detach();
}

}  // namespace vum
