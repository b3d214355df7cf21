// VumSudoku: the Sudoku game.
#include <exception>

#include "gui/VumApplication.h"
#include "sudoku/Unit1.h"

using namespace vum;

int main(int argc, char** argv) {
    VumApplication app(argc, argv, QStringLiteral("ВУМ Судоку 1.0"));
    try {
        TForm1 Form1;
        Form1.show();
        app.exec();
    } catch (const std::exception& exception) {
        VumApplication::ShowException(&exception);
    } catch (...) {
        VumApplication::ShowException(nullptr);
    }
    return 0;
}
