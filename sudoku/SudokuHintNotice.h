#pragma once
// SudokuHintNotice: the small notice of a hint, over the window's right-hand side so that it
// never covers the board: the hint's sentences and a line that says what the keys do. It
// fits its height to the text; the window shows and hides it.

#include <QString>

#include "gui/Panels.h"

class QLabel;

namespace vum {

class SudokuHintNotice : public BevelPanel {
    Q_OBJECT

public:
    // The place of the notice in the window: right of the board, as wide as the controls and
    // the side panel together.
    static constexpr int Left = 344;
    static constexpr int Top = 4;
    static constexpr int Width = 392;

    explicit SudokuHintNotice(QWidget* window);

    // Shows the text, with what the second H does: enter the digit, or correct a mistake.
    void ShowHint(const QString& text, bool mistake);

    QLabel* TextLabel;
    QLabel* KeysLabel;
};

}  // namespace vum
