#pragma once
// TInputDigitalDialog1: the digit picker that opens beside a cell of the board. Nine
// digit buttons, "-" to clear the cell, and a hidden "X"; Escape, a press on its own
// surface or its close box cancel it. The keys 1-9 pick a digit as its button does, 0,
// Delete, Backspace and '-' clear; an arrow key cancels it and asks the board to move on.
// Pencil marks: a right click on a digit button or Ctrl with the digit's key sets or takes
// away that mark, a right click on "-" or Ctrl with a clearing key takes all marks away; the
// picker stays open for more. The buttons of the cell's marked digits carry a small square.
// A key of one of the main window's commands (Ctrl+Z, ...) cancels the picker and is kept, for
// the window to run its command.
// Screen readers read the picker by the name and description its owner gives it (the cell's
// place and content), and its buttons by what they do ("Вписать 5", "Стереть").
// Where a Wayland compositor places the windows, the picker is a popup of the main window
// instead of a tool window: no frame and no close box; a click anywhere outside it cancels
// it as well, and that click goes nowhere else.

#include <QDialog>
#include <QPoint>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "gui/Commands.h"
#include "gui/WindowSystem.h"

namespace vum {
class GlyphButton;
}  // namespace vum

class QEventLoop;
class SudokuBoardGrid;

class TInputDigitalDialog1 : public QDialog {
    Q_OBJECT

public:
    // A tool window with a close box, placed at screen coordinates; or a popup of its owner.
    enum class Kind { ToolWindow, Popup };

    explicit TInputDigitalDialog1(QWidget* owner, Kind kind = Kind::ToolWindow);
    // The kind a window system takes: a tool window under X11, a popup where a Wayland
    // compositor places the windows.
    static Kind KindFor(vum::WindowSystem system);

    static constexpr int ClientWidth = 116;
    static constexpr int ClientHeight = 148;
    // Flash of a picked digit before the picker closes.
    static constexpr int FlashMilliseconds = 100;
    // Room below the picker that must stay free on the screen, or it opens above the cell.
    static constexpr int BottomMargin = 40;

    // The picked digit 1..9, or -1 for "clear" (and until something is picked).
    std::int32_t DigitValue = -1;
    // The arrow key (a virtual-key code) that cancelled the picker, 0 for none.
    int MoveKey = 0;
    // Where the marks go: a digit's mark to set or take away, all marks to take away.
    std::function<void(std::int32_t digit)> OnMark;
    std::function<void()> OnClearMarks;
    // Whether a key is one of the main window's commands; the key that cancelled the picker
    // for that (no key: 0).
    std::function<bool(int key, Qt::KeyboardModifiers modifiers)> IsWindowCommand;
    vum::KeyChord CommandKey;

    // What a key means for a cell, here and on the board: a digit 1..9, 0 to clear the cell
    // (0, Delete, Backspace, '-'), -1 for neither.
    static int DigitOfKey(int key);

    // Shows which digits are the cell's marks (digit d in bit d - 1).
    void ShowMarks(std::uint16_t marks);

    // Places the picker with its top-left corner at the top-right corner of the cell
    // (screen coordinates); when less than BottomMargin pixels of the screen would stay
    // below it, with its bottom edge at the cell's top instead. frameHeight: what the
    // window frame adds to the client height (nothing for a popup).
    void PlaceBeside(const QRect& cellOnScreen, const QRect& screen, int frameHeight);
    // Where the window system says a window's client area stands on the screen; nullopt where
    // it does not say.
    using WindowOriginQuery = std::function<std::optional<QPoint>(const QWidget& window)>;
    // Places the picker beside a cell of the board, as PlaceBeside, wherever the window system
    // lets it know the cell's place. Under X11 a tool window goes to the cell's screen position
    // as Qt knows it. On XWayland the compositor put the board's window where the X server
    // knows and Qt may not: the popup goes there. On Wayland the popup is placed relative to
    // the window, whose place on the screen nobody here knows, so the rule for the bottom of
    // the screen is left to the compositor (Qt lets it flip or slide a popup that would leave
    // the screen; weston 10 does neither).
    void PlaceBesideCell(const SudokuBoardGrid& board, int column, int row, vum::WindowSystem system,
                         const WindowOriginQuery& windowOrigin);

    // Runs the picker until it closes; its result (Accepted / Rejected). A tool window runs
    // modally. A popup takes every key and click of the program while it is open, and runs
    // without modality: a modal window would lose the keys that a compositor sends to the
    // main window while its popup is open (weston does so).
    int exec() override;

    void SpeedButton1Click(vum::GlyphButton* button);
    void SpeedButton10Click();
    // The marks: a right click on a digit button, or on "-".
    void SpeedButton1MarkClick(vum::GlyphButton* button);
    void SpeedButton10MarkClick();
    void SpeedButton11Click();
    // Virtual-key codes: Escape cancels, digits pick, 0 / Delete / Backspace / '-' clear, an
    // arrow cancels and is kept in MoveKey. True when the key was used.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift = {});
    void FormMouseDown();

    vum::GlyphButton* SpeedButton1;
    vum::GlyphButton* SpeedButton2;
    vum::GlyphButton* SpeedButton3;
    vum::GlyphButton* SpeedButton4;
    vum::GlyphButton* SpeedButton5;
    vum::GlyphButton* SpeedButton6;
    vum::GlyphButton* SpeedButton7;
    vum::GlyphButton* SpeedButton8;
    vum::GlyphButton* SpeedButton9;
    vum::GlyphButton* SpeedButton10;
    vum::GlyphButton* SpeedButton11;
    // SpeedButton1 .. SpeedButton11 in order.
    std::array<vum::GlyphButton*, 11> Buttons{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Kind kind_;
    // The loop of exec() while a popup runs.
    QEventLoop* popupLoop_ = nullptr;
};
