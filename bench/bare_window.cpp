// The yardstick of the start-up benchmark: the smallest Qt 6 Widgets program that shows a
// window with a line of text, blue so that the probe can tell the painted window from an
// unpainted one (which shows black).
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Bare Qt window");
    label.setWindowTitle("Bare Qt window");
    label.setStyleSheet("color: #0000ff");
    label.resize(400, 200);
    label.show();
    return app.exec();
}
