#include "sudoku/Inputdigitaldialog.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "gui/Fonts.h"
#include "gui/GlyphButton.h"
#include "gui/Keys.h"
#include "gui/Seams.h"
#include "gui/WinLook.h"
#include "sudoku/SudokuBoardGrid.h"
#include "sudoku/SudokuLook.h"

using namespace vum;

namespace {

struct ButtonRow {
    const char* name;
    QRect geometry;
    const char* caption;
};

constexpr ButtonRow DigitButtons[] = {
    {"SpeedButton1", {6, 4, 33, 33}, "1"},   {"SpeedButton2", {42, 4, 33, 33}, "2"},
    {"SpeedButton3", {78, 4, 33, 33}, "3"},  {"SpeedButton4", {6, 40, 33, 33}, "4"},
    {"SpeedButton5", {42, 40, 33, 33}, "5"}, {"SpeedButton6", {78, 40, 33, 33}, "6"},
    {"SpeedButton7", {6, 76, 33, 33}, "7"},  {"SpeedButton8", {42, 76, 33, 33}, "8"},
    {"SpeedButton9", {78, 76, 33, 33}, "9"}, {"SpeedButton10", {6, 112, 33, 33}, "-"},
};

Qt::WindowFlags PickerFlags(TInputDigitalDialog1::Kind kind) {
    if (kind == TInputDigitalDialog1::Kind::Popup) return Qt::Popup;
    return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

}  // namespace

TInputDigitalDialog1::TInputDigitalDialog1(QWidget* owner, Kind kind)
    : QDialog(owner, PickerFlags(kind)), kind_(kind) {
    setObjectName(QStringLiteral("InputDigitalDialog1"));
    // A press outside the popup closes it (mousePressEvent) and is not passed on to the board.
    if (kind == Kind::Popup) setAttribute(Qt::WA_NoMouseReplay);
    setWindowTitle(QString());
    setFixedSize(ClientWidth, ClientHeight);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, WinColour(sudoku_colours::Picker));
    setPalette(colours);
    setAutoFillBackground(true);

    const QFont digitFont = PixelFont(QStringLiteral("Microsoft Sans Serif"), 24);
    for (std::size_t i = 0; i < std::size(DigitButtons); ++i) {
        auto* button = new GlyphButton(this, DigitButtons[i].name, DigitButtons[i].geometry);
        button->setText(QLatin1String(DigitButtons[i].caption));
        button->setFont(digitFont);
        button->setCursor(Qt::PointingHandCursor);
        button->setAccessibleName(i < 9 ? QStringLiteral("Вписать ") + button->text() : QStringLiteral("Стереть"));
        Buttons[i] = button;
        if (i < 9)
            connect(button, &GlyphButton::clicked, this, [this, button] { SpeedButton1Click(button); });
        else
            connect(button, &GlyphButton::clicked, this, &TInputDigitalDialog1::SpeedButton10Click);
        // A right press on a button is a mark, not a press on the picker's surface.
        button->installEventFilter(this);
    }
    auto* close = new GlyphButton(this, "SpeedButton11", {92, 128, 17, 17});
    close->setText(QStringLiteral("X"));
    close->setFont(PixelFont(QStringLiteral("Arial Narrow"), 13));
    close->setCursor(Qt::PointingHandCursor);
    close->setAccessibleName(QStringLiteral("Закрыть"));
    close->setVisible(false);
    connect(close, &GlyphButton::clicked, this, &TInputDigitalDialog1::SpeedButton11Click);
    Buttons[10] = close;

    SpeedButton1 = Buttons[0];
    SpeedButton2 = Buttons[1];
    SpeedButton3 = Buttons[2];
    SpeedButton4 = Buttons[3];
    SpeedButton5 = Buttons[4];
    SpeedButton6 = Buttons[5];
    SpeedButton7 = Buttons[6];
    SpeedButton8 = Buttons[7];
    SpeedButton9 = Buttons[8];
    SpeedButton10 = Buttons[9];
    SpeedButton11 = Buttons[10];
}

void TInputDigitalDialog1::PlaceBeside(const QRect& cellOnScreen, const QRect& screen, int frameHeight) {
    const int pickerHeight = height() + frameHeight;
    const int left = cellOnScreen.left() + cellOnScreen.width();
    int top = cellOnScreen.top();
    if (screen.top() + screen.height() < top + pickerHeight + BottomMargin) top = cellOnScreen.top() - pickerHeight;
    move(left, top);
}

TInputDigitalDialog1::Kind TInputDigitalDialog1::KindFor(WindowSystem system) {
    return system == WindowSystem::X11 ? Kind::ToolWindow : Kind::Popup;
}

void TInputDigitalDialog1::PlaceBesideCell(const SudokuBoardGrid& board, int column, int row, WindowSystem system,
                                           const WindowOriginQuery& windowOrigin) {
    // A screen without a bottom, where the screen is unknown.
    constexpr QRect Unbounded(0, 0, 1 << 20, 1 << 20);
    const QWidget& window = *board.window();
    const QRect cell = board.CellRect(column, row);
    QRect cellOnScreen(board.mapToGlobal(cell.topLeft()), cell.size());
    const QScreen* screen = window.screen();
    QRect screenArea = screen != nullptr ? screen->geometry() : Unbounded;
    int frameHeight = 0;
    switch (system) {
    case WindowSystem::X11:
        // The picker's frame is not known before it is shown; the main window's is near it.
        frameHeight = window.frameGeometry().height() - window.geometry().height();
        break;
    case WindowSystem::XWayland:
        if (const std::optional<QPoint> origin = windowOrigin ? windowOrigin(window) : std::nullopt)
            cellOnScreen.moveTopLeft(*origin + board.mapTo(&window, cell.topLeft()));
        break;
    case WindowSystem::Wayland:
        screenArea = Unbounded;
        break;
    }
    PlaceBeside(cellOnScreen, screenArea, frameHeight);
}

int TInputDigitalDialog1::exec() {
    if (kind_ != Kind::Popup) return QDialog::exec();
    setResult(QDialog::Rejected);
    QEventLoop loop;
    popupLoop_ = &loop;
    show();
    // The keys go to the popup: grabKeyboard makes Qt send it every key of the program (on
    // Wayland the keys come through the main window, as no client may grab them there). On
    // XWayland the X server is asked as well, once the popup is on the screen: the compositor
    // may take the X input focus off the main window while the popup is open, and only a grab
    // brings the keys to the popup then. Qt's own request, made before the popup is mapped, is
    // refused.
    grabKeyboard();
    if (QWindow* window = windowHandle()) window->setKeyboardGrabEnabled(true);
    if (isVisible()) loop.exec(QEventLoop::DialogExec);
    releaseKeyboard();
    popupLoop_ = nullptr;
    return result();
}

void TInputDigitalDialog1::hideEvent(QHideEvent* event) {
    // However the popup closes (a pick, a cancel, the window system), its loop ends.
    if (popupLoop_ != nullptr) popupLoop_->quit();
    QDialog::hideEvent(event);
}

void TInputDigitalDialog1::SpeedButton1Click(GlyphButton* button) {
    DigitValue = button->text().toInt();
    button->SetFontColour(WinColour(sudoku_colours::EnteredDigit));
    button->repaint();
    // What the player types meanwhile goes to the board, or to the next picker, afterwards.
    Seams::WaitKeepingInput(FlashMilliseconds, parentWidget());
    button->SetFontColour(WinColour(system_colours::Black));
    done(QDialog::Accepted);
}

void TInputDigitalDialog1::SpeedButton10Click() {
    DigitValue = -1;
    done(QDialog::Accepted);
}

void TInputDigitalDialog1::SpeedButton11Click() { done(QDialog::Rejected); }

void TInputDigitalDialog1::SpeedButton1MarkClick(GlyphButton* button) {
    if (OnMark) OnMark(button->text().toInt());
}

void TInputDigitalDialog1::SpeedButton10MarkClick() {
    if (OnClearMarks) OnClearMarks();
}

bool TInputDigitalDialog1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonRelease)
        return QDialog::eventFilter(watched, event);
    if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) return false;
    if (type != QEvent::MouseButtonRelease) {
        auto* button = static_cast<GlyphButton*>(watched);
        if (button == SpeedButton10)
            SpeedButton10MarkClick();
        else
            SpeedButton1MarkClick(button);
    }
    return true;
}

bool TInputDigitalDialog1::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
    namespace vk = virtual_keys;
    const bool mark = shift.testFlag(Qt::ControlModifier);
    if (key == vk::Escape) {
        done(QDialog::Rejected);
    } else if (const int digit = DigitOfKey(key); digit > 0) {
        GlyphButton* button = Buttons[static_cast<std::size_t>(digit - 1)];
        if (mark)
            SpeedButton1MarkClick(button);
        else
            SpeedButton1Click(button);
    } else if (digit == 0) {
        if (mark)
            SpeedButton10MarkClick();
        else
            SpeedButton10Click();
    } else if (key == vk::Left || key == vk::Up || key == vk::Right || key == vk::Down) {
        MoveKey = key;
        done(QDialog::Rejected);
    } else if (IsWindowCommand && IsWindowCommand(key, shift)) {
        CommandKey = {key, shift};
        done(QDialog::Rejected);
    } else {
        return false;
    }
    return true;
}

int TInputDigitalDialog1::DigitOfKey(int key) {
    namespace vk = virtual_keys;
    if (key > vk::Digit0 && key <= vk::Digit0 + 9) return key - vk::Digit0;
    if (key > vk::Numpad0 && key <= vk::Numpad0 + 9) return key - vk::Numpad0;
    const bool clears = key == vk::Digit0 || key == vk::Numpad0 || key == vk::Delete || key == vk::Back ||
                        key == vk::OemMinus || key == vk::Subtract;
    return clears ? 0 : -1;
}

void TInputDigitalDialog1::ShowMarks(std::uint16_t marks) {
    for (std::size_t digit = 1; digit <= 9; ++digit)
        Buttons[digit - 1]->SetCornerMark((marks >> (digit - 1) & 1) != 0 ? WinColour(sudoku_colours::PickerMark)
                                                                           : QColor());
}

void TInputDigitalDialog1::FormMouseDown() { done(QDialog::Rejected); }

void TInputDigitalDialog1::keyPressEvent(QKeyEvent* event) {
    // The buttons never take the focus, so every key comes here first.
    if (FormKeyDown(VirtualKeyCode(*event), event->modifiers())) return;
    QDialog::keyPressEvent(event);
}

void TInputDigitalDialog1::mousePressEvent(QMouseEvent*) { FormMouseDown(); }
