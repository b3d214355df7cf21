// VumSquare: the colour-squares game.
#include <thread>
#ifdef VUM_SPEED_LEVEL_SEAM
#include <cstdlib>
#endif

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
    "who tell colours apart badly), F5 pause or go on, F10 the best scores; the arrow keys move a\n"
    "cursor over the field (a mouse click hides it again) and Space removes the group under it,\n"
    "as a click there would;\n"
    "in the level dialog the left and right arrows choose, Enter confirms, Esc ends.\n"
    "The game in progress is kept when the program ends and comes back, paused, when its\n"
    "difficulty is chosen at the next start.\n"
    "Files: the folder VumColor (VumColor.ini, VumColor1.dat to VumColor3.dat, the games in\n"
    "progress VumColor1.sav to VumColor3.sav), beside the program when its folder can be\n"
    "written, otherwise in $XDG_DATA_HOME/VumSquare/ (by default ~/.local/share/VumSquare/).\n"
    "A copy started while another one plays with the same files brings that one's window to\n"
    "the front and ends. See VumSquare(6).\n"};

#ifdef VUM_SPEED_LEVEL_SEAM
// The seam of the CPU benchmark, in its own build of the program only (VumSquare_speed): with
// VUM_SQUARES_SPEED_LEVEL=N the first game goes on at speed level N, as if N - 1 minutes had
// been played, so that a run at the top speed can be measured without nine minutes of play.
void StartAtSpeedLevel(TForm1& form) {
    const char* asked = std::getenv("VUM_SQUARES_SPEED_LEVEL");
    if (asked == nullptr || form.Game.CurrentPhase() != SquaresGame::Phase::Running) return;
    SquaresPosition position = form.Game.Position();
    position.SpeedLevel = std::atoi(asked);
    position.FieldInterval = SpeedClock::IntervalAt(position.SpeedLevel);
    if (form.RestoreGame(position)) form.PauseButton1Click();
}
#endif

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
#ifdef VUM_SPEED_LEVEL_SEAM
        StartAtSpeedLevel(*Form1);
#endif
        Form1->show();
        return Form1;
    });
}
