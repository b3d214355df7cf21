#pragma once
// TLevelDialog1: the choice of difficulty before the first game. Three pictures, a
// triangle under the selected one and its name below; arrows and presses select, Enter,
// a second press on the selected picture or a double click confirm, Esc or the close
// cross cancel.

#include <QDialog>
#include <cstdint>

class BevelPanel;
class FlatButton;
class PictureBox;

class TLevelDialog1 : public QDialog {
    Q_OBJECT

public:
    explicit TLevelDialog1(QWidget* owner);

    // The level selected: 0, 1 or 2. The caller sets it before the dialog is shown and
    // reads it after an OK.
    std::int32_t LevelIndex = 0;

    void FormActivate();
    void FormKeyDown(int key);
    void Image1MouseDown(int x);
    void Image1DblClick();
    void CloseButton1Click();
    void DrawLevelCursor(std::int32_t level);
    // The level whose picture holds x; the borders between pictures and everything
    // outside give 0.
    static std::int32_t LevelAt(int x, int width);

    BevelPanel* Panel1;
    BevelPanel* TitlePanel1;
    FlatButton* CloseButton1;
    PictureBox* Image1;
    BevelPanel* CursorPanel1;
    PictureBox* CursorImage1;
    BevelPanel* LevelPanel1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
};
