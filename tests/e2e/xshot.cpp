// Looks at real windows on the X server for the end-to-end tests and for reviews:
//   xshot <window-id|root> <file.png>      save a screenshot of the window
//   xshot --pixel <window-id> <x> <y>      print the colour of one pixel as RRGGBB
//   xshot --boxes <window-id|root> <RRGGBB> <min-pixels>
//                                          print "x y width height" of every area of that
//                                          exact colour (pixels joined through their sides)
//                                          of at least min-pixels pixels, one a line
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <cstdio>
#include <vector>

namespace {

// The bounding boxes of the 4-connected areas of one colour with at least minPixels pixels.
std::vector<QRect> Boxes(const QImage& image, QRgb colour, long minPixels) {
    const int width = image.width(), height = image.height();
    std::vector<char> seen(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    auto index = [width](int x, int y) { return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x); };
    auto matches = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == colour; };
    std::vector<QRect> boxes;
    std::vector<QPoint> stack;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (seen[index(x, y)] || !matches(x, y)) continue;
            seen[index(x, y)] = 1;
            stack.assign(1, QPoint(x, y));
            QRect box(x, y, 1, 1);
            long pixels = 0;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++pixels;
                box |= QRect(p, QSize(1, 1));
                const QPoint next[] = {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)};
                for (const QPoint& n : next)
                    if (n.x() >= 0 && n.y() >= 0 && n.x() < width && n.y() < height && !seen[index(n.x(), n.y())] &&
                        matches(n.x(), n.y())) {
                        seen[index(n.x(), n.y())] = 1;
                        stack.push_back(n);
                    }
            }
            if (pixels >= minPixels) boxes.push_back(box);
        }
    return boxes;
}

}  // namespace

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
    if (args.size() == 5 && args[1] == "--boxes") {
        const QImage image = app.primaryScreen()->grabWindow(windowId(args[2])).toImage();
        if (image.isNull()) return 1;
        for (const QRect& box : Boxes(image, args[3].toUInt(nullptr, 16), args[4].toLong()))
            std::printf("%d %d %d %d\n", box.x(), box.y(), box.width(), box.height());
        return 0;
    }
    if (args.size() == 3) return app.primaryScreen()->grabWindow(windowId(args[1])).save(args[2]) ? 0 : 1;
    std::fprintf(stderr,
                 "usage: xshot <window-id|root> <file.png> | xshot --pixel <window-id> <x> <y> |"
                 " xshot --boxes <window-id|root> <RRGGBB> <min-pixels>\n");
    return 2;
}
