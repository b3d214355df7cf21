#pragma once
// TStatisticsDialog1: the player's statistics of the three levels, a row each: the solved
// counter, the puzzles started, the best time and the mean of the last ten, the current and the
// longest run of puzzles solved without the solution (the record), and the hints asked for. A level whose best time is
// new since the statistics were last shown has its row marked. Without border, in the main
// window's colours; any key or mouse button closes it. Screen readers read it row by row.

#include <QDialog>
#include <array>
#include <cstdint>

namespace vum {
class BevelPanel;
class SudokuStatistics;
}  // namespace vum

class TStatisticsDialog1 : public QDialog {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 739;
    static constexpr int ClientHeight = 212;
    static constexpr int Columns = 8;
    static constexpr int Levels = 3;

    // solved: the solved counters of the levels (VumSudoku.dat).
    TStatisticsDialog1(QWidget* owner, const vum::SudokuStatistics& statistics,
                       const std::array<std::int32_t, Levels>& solved);

    vum::BevelPanel* TitlePanel1;
    std::array<vum::BevelPanel*, Columns> Headings{};
    std::array<std::array<vum::BevelPanel*, Columns>, Levels> Cells{};
    vum::BevelPanel* NotePanel1;
};
