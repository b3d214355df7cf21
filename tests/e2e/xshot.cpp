// Looks at real windows on the X server for the end-to-end tests and for reviews:
//   xshot <window-id|root> <file.png>      save a screenshot of the window
//   xshot --pixel <window-id> <x> <y>      print the colour of one pixel as RRGGBB
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto windowId = [](const QString& text) -> WId { return text == "root" ? 0 : text.toULongLong(nullptr, 0); };
    if (args.size() == 5 && args[1] == "--pixel") {
        const QImage image = app.primaryScreen()->grabWindow(windowId(args[2]), args[3].toInt(), args[4].toInt(), 1, 1).toImage();
        if (image.isNull()) return 1;
        std::printf("%06X\n", image.pixel(0, 0) & 0xFFFFFF);
        return 0;
    }
    if (args.size() == 3) return app.primaryScreen()->grabWindow(windowId(args[1])).save(args[2]) ? 0 : 1;
    std::fprintf(stderr, "usage: xshot <window-id|root> <file.png> | xshot --pixel <window-id> <x> <y>\n");
    return 2;
}
