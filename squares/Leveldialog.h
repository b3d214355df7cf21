#pragma once
// TLevelDialog1: the choice of difficulty before the first game. Three pictures, a
// triangle under the selected one and its name below; arrows and presses select, Enter,
// a second press on the selected picture or a double click confirm, Esc or the close
// cross cancel.

#include <QDialog>
#include <cstdint>

namespace vum {
class BevelPanel;
class GlyphButton;
class PictureBox;
}  // namespace vum

class TLevelDialog1 : public QDialog {
    Q_OBJECT

public:
    explicit TLevelDialog1(QWidget* owner);

    // The level selected: 0, 1 or 2. The caller sets it before the dialog is shown and
    // reads it after an OK.
    std::int32_t LevelIndex = 0;

    void FormActivate();
    // A virtual-key code: Esc cancels, Enter confirms, the left and right arrows select.
    void FormKeyDown(int key);
    void Image1MouseDown(int x);
    void Image1DblClick();
    void CloseButton1Click();
    void DrawLevelCursor(std::int32_t level);
    // The level whose picture holds x; the borders between pictures and everything
    // outside give 0.
    static std::int32_t LevelAt(int x, int width);

    vum::BevelPanel* Panel1;
    vum::BevelPanel* TitlePanel1;
    vum::GlyphButton* CloseButton1;
    vum::PictureBox* Image1;
    vum::BevelPanel* CursorPanel1;
    vum::PictureBox* CursorImage1;
    vum::BevelPanel* LevelPanel1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
