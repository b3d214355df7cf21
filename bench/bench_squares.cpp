// The colour-squares window's cost of play: the CPU one field tick takes (the rise, the new
// row, the field's picture drawn and shown), one tick of the speed clock and one write of the
// saved game (every fifth second of play), with the colour symbols off and on, and from them
// the CPU per second of play at speed level 1 (a field tick every 2300 ms) and at speed level
// 10 (every 500 ms). The window runs on the offscreen platform; the level dialog is answered
// through the modal seam. The whole program under X: bench/squares_cpu.py.
//
//   bench_squares [--ticks N]
#include <time.h>

#include <QApplication>
#include <QDialog>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "common/WRandom.h"
#include "gui/Seams.h"
#include "gui/VumApplication.h"
#include "squares/Leveldialog.h"
#include "squares/Unit1.h"

using namespace vum;

namespace {

double ThreadCpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Costs {
    double FieldTick = 0;  // microseconds
    double ClockTick = 0;
    double Save = 0;
};

// Ticks of a running game at the hardest level; the field is kept from reaching the top.
Costs Measure(TForm1& form, bool symbols, int ticks) {
    if (form.ColourSymbols != symbols) form.ToggleColourSymbols();
    std::vector<double> field, clock, save;
    for (int i = 0; i < ticks; ++i) {
        if (form.Game.Field()[5 * SquaresField::Columns] != 0) {
            // The top fifteen rows emptied: the stacks below still stand on the bottom row.
            SquaresPosition position = form.Game.Position();
            std::fill(position.Field.begin(), position.Field.begin() + 15 * SquaresField::Columns, 0);
            form.RestoreGame(position);
            form.PauseButton1Click();
        }
        double start = ThreadCpuMicroseconds();
        form.Timer1Timer();
        QApplication::processEvents();  // the picture shown
        field.push_back(ThreadCpuMicroseconds() - start);
        start = ThreadCpuMicroseconds();
        form.Timer2Timer();
        QApplication::processEvents();
        clock.push_back(ThreadCpuMicroseconds() - start);
        if (i % 10 == 0) {
            start = ThreadCpuMicroseconds();
            form.SaveGame();
            save.push_back(ThreadCpuMicroseconds() - start);
        }
    }
    return {Median(field), Median(clock), Median(save)};
}

}  // namespace

int main(int argc, char** argv) {
    int ticks = 2000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--ticks") == 0) ticks = std::atoi(argv[i + 1]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    VumApplication app(argc, argv, QStringLiteral("bench"));
    Seams::modal = [](QDialog& dialog) {
        if (auto* level = dynamic_cast<TLevelDialog1*>(&dialog)) level->LevelIndex = 2;
        return static_cast<int>(QDialog::Accepted);
    };
    char folder[] = "/tmp/vum-bench-XXXXXX";
    if (::mkdtemp(folder) == nullptr) return 1;
    TForm1 form(std::string(folder) + "/");
    form.show();
    QApplication::processEvents();
    const bool wasOn = form.ColourSymbols;

    std::printf("per tick, median of %d, CPU of the GUI thread:\n", ticks);
    for (const bool symbols : {false, true}) {
        const Costs costs = Measure(form, symbols, ticks);
        // A second of play: 1000 / interval field ticks, one tick of the speed clock and a fifth
        // of a write.
        const auto perSecond = [&](double interval) {
            return (1000.0 / interval * costs.FieldTick + costs.ClockTick + costs.Save / 5) / 1000.0;
        };
        std::printf("symbols %-3s  field tick %6.1f us  clock tick %5.1f us  save %6.1f us  CPU per second of play: "
                    "speed level 1 %.3f ms, speed level 10 %.3f ms\n",
                    symbols ? "on" : "off", costs.FieldTick, costs.ClockTick, costs.Save, perSecond(2300),
                    perSecond(500));
    }
    if (form.ColourSymbols != wasOn) form.ToggleColourSymbols();
    form.close();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
