#include "sudoku/SudokuHintNotice.h"

#include <QLabel>

#include "gui/Fonts.h"
#include "sudoku/SudokuLook.h"

namespace vum {

namespace {

constexpr int Padding = 8;
constexpr int Gap = 6;

QLabel* MakeLabel(QWidget* parent, const char* name, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

SudokuHintNotice::SudokuHintNotice(QWidget* window)
    : BevelPanel(window, "HintNotice1", {Left, Top, Width, 100}, sudoku_colours::HintNotice, Bevel::Raised,
                 Bevel::Lowered) {
    TextLabel = MakeLabel(this, "HintLabel1", PixelFont(QStringLiteral("Arial"), 15));
    KeysLabel = MakeLabel(this, "HintKeysLabel1", PixelFont(QStringLiteral("Arial"), 13, false, true));
    hide();
}

void SudokuHintNotice::ShowHint(const QString& text, bool mistake) {
    TextLabel->setText(text);
    KeysLabel->setText(mistake ? QStringLiteral("Ещё раз H — исправить цифру; другая клавиша или щелчок — закрыть.")
                               : QStringLiteral("Ещё раз H — вписать цифру; другая клавиша или щелчок — закрыть."));
    const int inner = Width - 2 * Padding;
    const int textHeight = TextLabel->heightForWidth(inner);
    const int keysHeight = KeysLabel->heightForWidth(inner);
    TextLabel->setGeometry(Padding, Padding, inner, textHeight);
    KeysLabel->setGeometry(Padding, Padding + textHeight + Gap, inner, keysHeight);
    setFixedSize(Width, 2 * Padding + textHeight + Gap + keysHeight);
    show();
    raise();
}

}  // namespace vum
