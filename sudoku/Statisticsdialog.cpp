#include "sudoku/Statisticsdialog.h"

#include <QStringList>

#include "gui/Accessibility.h"
#include "gui/Dialogs.h"
#include "gui/Fonts.h"
#include "gui/Panels.h"
#include "sudoku/SudokuLook.h"
#include "sudoku/engine/SudokuStatistics.h"

using namespace vum;

namespace {

constexpr int Margin = 12;
constexpr int TitleHeight = 36;
constexpr int RowHeight = 30;
constexpr int Gap = 4;
constexpr std::array<int, TStatisticsDialog1::Columns> Widths = {100, 86, 86, 90, 90, 80, 80, 103};

QString TimeOrDash(const std::optional<std::int64_t>& milliseconds) {
    return milliseconds ? PlayTimeText(*milliseconds) : QStringLiteral("—");
}

// A level's row as screen readers read it: every figure with its name, a time only where
// there is one.
QString AccessibleRow(const QString& level, std::int32_t solved, const SudokuLevelStatistics& of) {
    QStringList parts = {QStringLiteral("решено %1").arg(solved), QStringLiteral("начато %1").arg(of.Started)};
    if (of.BestMilliseconds)
        parts << (of.NewBest ? QStringLiteral("новое лучшее время %1") : QStringLiteral("лучшее время %1"))
                     .arg(PlayTimeText(*of.BestMilliseconds));
    if (const std::optional<std::int64_t> mean = of.MeanMilliseconds())
        parts << QStringLiteral("среднее время %1").arg(PlayTimeText(*mean));
    parts << QStringLiteral("серия %1").arg(of.Run) << QStringLiteral("рекорд %1").arg(of.LongestRun)
          << QStringLiteral("подсказки %1").arg(of.Hints);
    return level + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

}  // namespace

TStatisticsDialog1::TStatisticsDialog1(QWidget* owner, const SudokuStatistics& statistics,
                                       const std::array<std::int32_t, Levels>& solved)
    : QDialog(owner) {
    setObjectName(QStringLiteral("StatisticsDialog1"));
    MakeBorderlessDialog(this, owner, {ClientWidth, ClientHeight}, QStringLiteral("Статистика"));
    auto* ground = new BevelPanel(this, "Panel1", {0, 0, ClientWidth, ClientHeight}, sudoku_colours::Window);

    TitlePanel1 = new BevelPanel(ground, "TitlePanel1", {Margin, Margin, ClientWidth - 2 * Margin, TitleHeight},
                                 sudoku_colours::SidePanel, Bevel::Lowered);
    TitlePanel1->setFont(PixelFont(QStringLiteral("Arial"), 20, true, true));
    TitlePanel1->SetFontColour(WinColour(system_colours::White));
    TitlePanel1->SetCaption(QStringLiteral("Статистика"));

    const QStringList headings = {
        QStringLiteral("Уровень"),      QStringLiteral("Решено"),        QStringLiteral("Начато"),
        QStringLiteral("Лучшее"),  QStringLiteral("Среднее"), QStringLiteral("Серия"),
        QStringLiteral("Рекорд"),  QStringLiteral("Подсказки"),
    };
    const QStringList levels = {QStringLiteral("Простой"), QStringLiteral("Средний"), QStringLiteral("Сложный")};
    const QFont font = PixelFont(QStringLiteral("Arial"), 15);
    const QFont bold = PixelFont(QStringLiteral("Arial"), 15, true);
    const QFont headingFont = PixelFont(QStringLiteral("Arial"), 15, true);
    int x = Margin;
    const int headingTop = Margin + TitleHeight + Gap;
    for (int column = 0; column < Columns; ++column) {
        const int width = Widths[static_cast<std::size_t>(column)];
        BevelPanel*& heading = Headings[static_cast<std::size_t>(column)];
        heading = new BevelPanel(ground, "Heading", {x, headingTop, width, RowHeight}, sudoku_colours::CounterPanel,
                                 Bevel::Lowered);
        heading->setFont(headingFont);
        heading->SetCaption(headings[column]);
        for (int level = 0; level < Levels; ++level) {
            BevelPanel*& cell = Cells[static_cast<std::size_t>(level)][static_cast<std::size_t>(column)];
            cell = new BevelPanel(ground, "Cell", {x, headingTop + RowHeight * (level + 1), width, RowHeight},
                                  system_colours::White, Bevel::Lowered);
            cell->setFont(font);
        }
        x += width;
    }
    QStringList content;
    for (int level = 0; level < Levels; ++level) {
        const SudokuLevelStatistics& of = statistics.Of(level);
        content << AccessibleRow(levels[level], solved[static_cast<std::size_t>(level)], of);
        const QStringList texts = {
            levels[level],
            QString::number(solved[static_cast<std::size_t>(level)]),
            QString::number(of.Started),
            TimeOrDash(of.BestMilliseconds),
            TimeOrDash(of.MeanMilliseconds()),
            QString::number(of.Run),
            QString::number(of.LongestRun),
            QString::number(of.Hints),
        };
        for (int column = 0; column < Columns; ++column) {
            BevelPanel* cell = Cells[static_cast<std::size_t>(level)][static_cast<std::size_t>(column)];
            cell->SetCaption(texts[column]);
            // A best time new since the last look: the row in the entries' blue, as the new row
            // of a table of records stands out.
            if (of.NewBest) {
                cell->SetFontColour(WinColour(sudoku_colours::EnteredDigit));
                cell->setFont(bold);
            }
        }
    }
    NotePanel1 = new BevelPanel(ground, "NotePanel1",
                                {Margin, headingTop + RowHeight * (Levels + 1) + Gap, ClientWidth - 2 * Margin, 24},
                                sudoku_colours::Window, Bevel::None);
    NotePanel1->setFont(PixelFont(QStringLiteral("Arial"), 13));
    NotePanel1->SetFontColour(WinColour(system_colours::White));
    NotePanel1->SetCaption(QStringLiteral(
        "Время: лучшее и среднее по десяти последним задачам; серия — задачи, решённые подряд без «Решения»."));
    content << NotePanel1->Caption();
    SetAccessibleContent(this, content);
    new CloseOnInput(this, CloseOnInput::Click::AnyPress, [this] { accept(); }, [this] { accept(); });
}
