// The puzzle's time in the Sudoku window: the clock in the title, on a key and kept in the
// settings, and the statistics dialog on its key, its texts fitting, its file kept.
#include <QFontMetrics>

#include "SudokuUiSupport.h"
#include "sudoku/Statisticsdialog.h"

using namespace vum;

namespace {

// A shown, active window whose clock runs on the test's own milliseconds.
std::unique_ptr<TForm1> TimedGame(const SudokuFolder& folder, std::int64_t& now) {
    auto form = std::make_unique<TForm1>(folder.Data());
    form->Now = [&now] { return now; };
    form->show();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->FormActivate();
    return form;
}

int PaintsOf(QWidget& widget, const std::function<void()>& action) {
    struct Counter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    widget.installEventFilter(&counter);
    action();
    QApplication::processEvents();
    widget.removeEventFilter(&counter);
    return counter.paints;
}

}  // namespace

TEST(SudokuClock, CtrlTPutsThePuzzlesTimeInTheTitleWithoutTouchingTheBoardAndKeepsTheChoice) {
    SudokuFolder folder;
    std::int64_t now = 0;
    {
        const auto form = TimedGame(folder, now);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("ВУМ Судоку"));
        now += 5000;
        form->ShowTitle();
        EXPECT_EQ(form->windowTitle(), QStringLiteral("ВУМ Судоку")) << "no clock unless asked for";
        QTest::keyClick(form->StringGrid1, Qt::Key_T, Qt::ControlModifier);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("ВУМ Судоку — 0:05"));
        now += 60000;
        EXPECT_EQ(PaintsOf(*form->StringGrid1, [&] { form->ShowTitle(); }), 0);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("ВУМ Судоку — 1:05"));
        form->close();
    }
    {
        const auto form = TimedGame(folder, now);
        EXPECT_TRUE(form->ClockInTitle) << "the choice is kept";
        EXPECT_EQ(form->windowTitle(), QStringLiteral("ВУМ Судоку — 1:05")) << "and the time with the game";
        QTest::keyClick(form->StringGrid1, Qt::Key_T, Qt::ControlModifier);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("ВУМ Судоку"));
    }
}

TEST(SudokuClock, TheStatisticsOpenOnF10WithTheirFileAndTheCounterAndTheirTextsFit) {
    SudokuFolder folder;
    folder.Count(1, 4);
    std::int64_t now = 0;
    const auto form = TimedGame(folder, now);
    PickerScript pickers;
    const auto empty = EmptyCells(*form);
    for (std::size_t i = 0; i + 1 < empty.size(); ++i) form->Game.Enter(empty[i].first, empty[i].second, Solution(*form, empty[i]));
    now += 83000;
    Seams::wait = [](int) {};
    Enter(*form, pickers, empty.back(), Solution(*form, empty.back()));
    // The level passed: its time is the best, and is new.
    EXPECT_EQ(SudokuStatistics::Read(folder.File(StatisticsName)).Of(1).BestMilliseconds, 83000);

    std::vector<QString> row;
    bool marked = false;
    Seams::modal = [&](QDialog& dialog) {
        auto& statistics = dynamic_cast<TStatisticsDialog1&>(dialog);
        for (const BevelPanel* cell : statistics.Cells[1]) row.push_back(cell->Caption());
        marked = statistics.Cells[1][3]->FontColour() != statistics.Cells[0][3]->FontColour();
        const auto fits = [](const BevelPanel* panel) {
            EXPECT_LE(QFontMetrics(panel->font()).horizontalAdvance(panel->Caption()), panel->width() - 4)
                << panel->Caption().toStdString();
        };
        fits(statistics.TitlePanel1);
        fits(statistics.NotePanel1);
        for (const BevelPanel* heading : statistics.Headings) fits(heading);
        for (const auto& cells : statistics.Cells)
            for (const BevelPanel* cell : cells) fits(cell);
        return int(QDialog::Accepted);
    };
    QTest::keyClick(form->StringGrid1, Qt::Key_F10);
    EXPECT_EQ(row, (std::vector<QString>{"Средний", "5", "2", "1:23", "1:23", "1", "1", "0"}));
    EXPECT_TRUE(marked) << "the new best time's row stands out";
    EXPECT_FALSE(SudokuStatistics::Read(folder.File(StatisticsName)).Of(1).NewBest) << "once shown, no longer new";
}
