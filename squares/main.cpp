// VumSquare: the colour-squares game.
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <exception>
#include <thread>

#include "gui/VumApplication.h"
#include "gui/Fonts.h"
#include "squares/Unit1.h"

using namespace vum;

namespace {

// Loads the font database and the level dialog's title font; the first text drawn would
// otherwise wait for it.
void WarmUpFonts() {
    QFontDatabase::families();
    QFontMetrics(PixelFont(QStringLiteral("Arial"), 23, true)).horizontalAdvance(QStringLiteral("Выберите"));
}

}  // namespace

int main(int argc, char** argv) {
    VumApplication app(argc, argv, QStringLiteral("ВУМ квадратики"));
    // The first text drawn waits for the font database: it is loaded in a thread of its own
    // while the main window and the level dialog are built.
    std::jthread fonts(WarmUpFonts);
    try {
        TForm1 Form1;
        // The level dialog, inside construction, was cancelled: no game, nothing written.
        if (Form1.Terminated()) return 0;
        Form1.show();
        app.exec();
    } catch (const std::exception& exception) {
        VumApplication::ShowException(&exception);
    } catch (...) {
        VumApplication::ShowException(nullptr);
    }
    return 0;
}
