#pragma once
// TBestScoreTableDialog1: the ten best scores of one level, the new entry's name in
// yellow. Any key or any mouse button closes it.

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

namespace vum {
class BevelPanel;
class PictureBox;
}  // namespace vum

class TBestScoreTableDialog1 : public QDialog {
    Q_OBJECT

public:
    static constexpr int Rows = 10;

    explicit TBestScoreTableDialog1(QWidget* owner);

    // Set by the caller before the dialog is shown.
    QString BestScorePath;
    std::int32_t NewRecordRow = -1;  // 0..9, or -1 for no row marked
    std::int32_t LevelIndex = 0;

    // Fills the level line and the rows from the file, each time the dialog becomes active.
    void FormActivate();
    void FormKeyDown();
    void FormMouseDown();

    vum::BevelPanel* Panel1;
    vum::BevelPanel* HeadingPanel1;
    vum::BevelPanel* CategoryPanel1;
    vum::PictureBox* StripImage1;
    vum::BevelPanel* TitlePanel3;
    vum::BevelPanel* TitlePanel1;
    vum::BevelPanel* TitlePanel2;
    std::array<vum::BevelPanel*, Rows> NamePanels{};   // NamePanel1 .. NamePanel10
    std::array<vum::BevelPanel*, Rows> ScorePanels{};  // ScorePanel1 .. ScorePanel10
    vum::PictureBox* ApprovalImage1;
};
