// VumSquare: the colour-squares game.
#include <thread>

#include "common/CommandLine.h"
#include "gui/Fonts.h"
#include "gui/SingleCopy.h"
#include "gui/VumApplication.h"
#include "squares/SquaresLook.h"
#include "squares/Unit1.h"

using namespace vum;

namespace {

constexpr CommandLineText CommandLine{
    "VumSquare", "usage: VumSquare [--help | --version]",
    "ВУМ квадратики: a real-time colour-squares game, in a window with a Russian interface.\n"
    "It takes no arguments but these:\n"
    "  -h, --help   print this help and exit\n"
    "  --version    print the version and exit\n"
    "Keys: Esc ends the program, F1 help, F3 a symbol of its colour on every square (for players\n"
    "who tell colours apart badly), F5 pause or go on, F10 the best scores;\n"
    "in the level dialog the left and right arrows choose, Enter confirms, Esc ends.\n"
    "Files: the folder VumColor (VumColor.ini, VumColor1.dat to VumColor3.dat), beside the program\n"
    "when its folder can be written, otherwise in $XDG_DATA_HOME/VumSquare/ (by default\n"
    "~/.local/share/VumSquare/). A copy started while another one plays with the same files\n"
    "brings that one's window to the front and ends. See VumSquare(6).\n"};

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is asked for: no display is needed, no file touched.
    if (const auto status = AnswerCommandLine(argc, argv, CommandLine)) return *status;
    // A copy already playing with these files is brought to the front instead.
    const std::string dataFolder = GameDataFolder("VumSquare");
    SingleCopy copy(dataFolder, "VumSquare");
    if (const auto status = copy.EndStatus()) return *status;
    // The level dialog waits for the fonts and for its pictures: both are under way while the
    // application object and the windows are made. (Painting a picture needs the application
    // object.)
    StartLoadingFontConfiguration();
    VumApplication app(argc, argv, QStringLiteral("ВУМ квадратики"));
    const std::jthread pictures = PreparePictures({QStringLiteral("level_pacifier"), QStringLiteral("level_bottle"),
                                                   QStringLiteral("level_beer"), QStringLiteral("close_cross")});
    copy.AnswerLaterCopies();
    return app.Run([&dataFolder]() -> std::unique_ptr<QWidget> {
        auto Form1 = std::make_unique<TForm1>(dataFolder);
        // The level dialog, inside construction, was cancelled: no game, nothing written.
        if (Form1->Terminated()) return nullptr;
        Form1->show();
        return Form1;
    });
}
