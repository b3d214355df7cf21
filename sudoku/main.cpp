// VumSudoku: the Sudoku game.
#include "common/CommandLine.h"
#include "gui/VumApplication.h"
#include "sudoku/Unit1.h"

using namespace vum;

namespace {

constexpr CommandLineText CommandLine{
    "VumSudoku", "usage: VumSudoku [--help | --version]",
    "ВУМ Судоку: a 9x9 Sudoku with three difficulties, in a window with a Russian interface.\n"
    "It takes no arguments but these:\n"
    "  -h, --help   print this help and exit\n"
    "  --version    print the version and exit\n"
    "Keys: Enter closes the window; the arrow keys move the selection; Escape closes the digit picker.\n"
    "Files: VumSudoku.ini and VumSudoku.dat, beside the program when its folder can be written,\n"
    "otherwise in $XDG_DATA_HOME/VumSudoku/ (by default ~/.local/share/VumSudoku/). See VumSudoku(6).\n"};

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is asked for: no display is needed, no file touched.
    if (const auto status = AnswerCommandLine(argc, argv, CommandLine)) return *status;
    VumApplication app(argc, argv, QStringLiteral("ВУМ Судоку 1.0"));
    return app.Run([] {
        auto Form1 = std::make_unique<TForm1>();
        Form1->show();
        return Form1;
    });
}
