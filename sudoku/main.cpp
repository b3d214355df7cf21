// VumSudoku: the Sudoku game.
#include "common/CommandLine.h"
#include "gui/Fonts.h"
#include "gui/SingleCopy.h"
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
    "Keys: Enter closes the window. Ctrl+N new game, F5 start the puzzle again, Ctrl+Z undo,\n"
    "Ctrl+Shift+Z or Ctrl+Y redo, F9 show the solution, Alt+1 Alt+2 Alt+3 the levels, Ctrl+C\n"
    "copy the puzzle as text, Ctrl+V paste one, Ctrl+T the puzzle's time in the title on or off,\n"
    "F10 the statistics of the levels, H a hint (H again enters its digit, any other key closes\n"
    "it). The arrow keys move the cursor; Space opens the\n"
    "digit picker of its cell. On the board and in the picker: 1-9 enter a digit, 0 or Delete\n"
    "empty the cell, Ctrl+1-9 set or take away a pencil mark, Escape closes the picker; a right\n"
    "click on a digit in the picker sets its mark.\n"
    "Files: VumSudoku.ini, VumSudoku.dat, VumSudoku.sav (the puzzles being played) and\n"
    "VumSudoku.stat (the statistics), beside the program when its folder can be written,\n"
    "otherwise in $XDG_DATA_HOME/VumSudoku/ (by default ~/.local/share/VumSudoku/). A copy\n"
    "started while another one plays with the same files brings that one's window to the front\n"
    "and ends. See VumSudoku(6).\n"};

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is asked for: no display is needed, no file touched.
    if (const auto status = AnswerCommandLine(argc, argv, CommandLine)) return *status;
    // A copy already playing with these files is brought to the front instead.
    const std::string dataFolder = GameDataFolder("VumSudoku");
    SingleCopy copy(dataFolder, "VumSudoku");
    if (const auto status = copy.EndStatus()) return *status;
    // The first puzzle's digits wait for the fonts: the system's font configuration is read
    // while the application object and the window are made.
    StartLoadingFontConfiguration();
    VumApplication app(argc, argv, QStringLiteral("ВУМ Судоку 1.0"));
    copy.AnswerLaterCopies();
    return app.Run([&dataFolder] {
        auto Form1 = std::make_unique<TForm1>(dataFolder);
        Form1->show();
        return Form1;
    });
}
