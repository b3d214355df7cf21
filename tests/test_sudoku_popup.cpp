// Where a Wayland compositor places the windows: which window system the program decides it
// is on, the digit picker as a popup placed beside its cell from where the window system says
// the main window is, and the popup's own loop, which takes the keys a compositor sends to the
// main window and ends with a cancel on a click outside the picker or on the window system's
// close. Every platform here is offscreen: the window system a picker is made for is set on
// the window, and so is the place the X server would report.
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "SudokuUiSupport.h"
#include "gui/Keys.h"
#include "gui/WindowSystem.h"

using namespace vum;

namespace {

QPoint CellCentre(const SudokuBoardGrid& grid, Cell cell) { return grid.CellRect(cell.first, cell.second).center(); }

// The top-left corner of a cell in the main window's client area.
QPoint CellInWindow(const TForm1& form, Cell cell) {
    return form.StringGrid1->mapTo(&form, form.StringGrid1->CellRect(cell.first, cell.second).topLeft());
}

// A loop that does not end within two seconds ends the test's process (ctest runs each test
// in one of its own), so that the test fails instead of hanging.
void Watchdog(QObject* context, const char* what) {
    QTimer::singleShot(2000, context, [what] {
        std::fprintf(stderr, "FAILED: %s\n", what);
        std::_Exit(1);
    });
}

// Runs exec() on a picker while act works on it from the loop.
int ExecWith(TInputDigitalDialog1& picker, const std::function<void()>& act) {
    QTimer::singleShot(0, &picker, act);
    Watchdog(&picker, "the picker's loop did not end");
    return picker.exec();
}

// Answers every picker through the modal seam with a cancel, before it shows (the offscreen
// platform gives a shown window a frame of its own): where it was put, and its window type.
struct PlaceRecorder {
    std::vector<QPoint> places;
    std::vector<Qt::WindowType> types;

    PlaceRecorder() {
        Seams::modal = [this](QDialog& dialog) {
            places.push_back(dialog.pos());
            types.push_back(dialog.windowType());
            return int(QDialog::Rejected);
        };
    }
    ~PlaceRecorder() {
        Seams::modal = [](QDialog&) {
            ADD_FAILURE() << "unexpected modal dialog";
            return 0;
        };
    }
    PlaceRecorder(const PlaceRecorder&) = delete;
    PlaceRecorder& operator=(const PlaceRecorder&) = delete;
};

}  // namespace

TEST(WindowSystem, DecidedFromThePlatformTheScreenAndTheSession) {
    struct Case {
        const char* platform;
        const char* screen;
        const char* session;
        const char* waylandDisplay;
        WindowSystem expected;
    };
    const Case cases[] = {
        {"wayland", "", "wayland", "wayland-0", WindowSystem::Wayland},
        {"wayland-egl", "", "", "wayland-0", WindowSystem::Wayland},
        // XWayland names its screens itself, whatever the environment says.
        {"xcb", "XWAYLAND0", "", "", WindowSystem::XWayland},
        {"xcb", "XWAYLAND1", "x11", "", WindowSystem::XWayland},
        {"xcb", "DP-1", "wayland", "", WindowSystem::XWayland},
        {"xcb", "DP-1", "", "wayland-0", WindowSystem::XWayland},
        // A compositor nested in an X11 session leaves the session X11.
        {"xcb", "DP-1", "x11", "wayland-1", WindowSystem::X11},
        {"xcb", "screen", "", "", WindowSystem::X11},
        {"xcb", "DP-1", "tty", "", WindowSystem::X11},
        // Where Qt speaks to no window system, the program places its windows.
        {"offscreen", "offscreen", "wayland", "wayland-0", WindowSystem::X11},
    };
    for (const Case& test : cases)
        EXPECT_EQ(WindowSystemFor(QLatin1String(test.platform), QLatin1String(test.screen),
                                  QLatin1String(test.session), QLatin1String(test.waylandDisplay)),
                  test.expected)
            << test.platform << " " << test.screen << " " << test.session << " " << test.waylandDisplay;
}

TEST(WindowSystem, OffscreenTheWindowIsPlacedByTheProgramAndNoXServerIsAsked) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    EXPECT_EQ(CurrentWindowSystem(), WindowSystem::X11);
    EXPECT_EQ(form->PickerWindowSystem, WindowSystem::X11);
    EXPECT_FALSE(XServerOrigin(*form).has_value());
}

TEST(SudokuPicker, APopupHasNoFrameAndTheToolWindowKeepsItsCloseBox) {
    const TInputDigitalDialog1 popup(nullptr, TInputDigitalDialog1::Kind::Popup);
    EXPECT_EQ(popup.windowFlags() & Qt::WindowType_Mask, Qt::Popup);
    EXPECT_TRUE(popup.testAttribute(Qt::WA_NoMouseReplay));
    EXPECT_EQ(popup.size(), QSize(116, 148));
    const TInputDigitalDialog1 tool(nullptr);
    EXPECT_EQ(tool.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(tool.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(tool.testAttribute(Qt::WA_NoMouseReplay));
}

TEST(SudokuPicker, OnXWaylandThePopupStandsBesideTheCellWhereTheXServerSaysTheWindowIs) {
    SudokuFolder folder;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto form = ShownGame(folder, {20, 20});
    form->PickerWindowSystem = WindowSystem::XWayland;
    // The compositor put the window's client area here, lower than Qt believes: the board ends
    // 10 pixels above the screen's bottom, so its top rows have room below them for the picker
    // and its bottom rows have not.
    const QPoint origin(300, screen.top() + screen.height() - 10 - 4 - 328);
    int asked = 0;
    form->WindowOrigin = [&](const QWidget& window) {
        EXPECT_EQ(&window, form.get());
        ++asked;
        return std::optional<QPoint>(origin);
    };
    PlaceRecorder pickers;
    int below = 0, above = 0;
    for (const Cell& cell : EmptyCells(*form)) {
        if (cell.second > 1 && cell.second < 7) continue;
        bool canSelect = true;
        form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
        const QPoint corner = origin + CellInWindow(*form, cell);
        // A popup has no frame: only its own height counts.
        const bool room = corner.y() + 148 + 40 <= screen.top() + screen.height();
        ASSERT_FALSE(pickers.places.empty());
        EXPECT_EQ(pickers.types.back(), Qt::Popup);
        EXPECT_EQ(pickers.places.back(), QPoint(corner.x() + 35, room ? corner.y() : corner.y() - 148))
            << cell.first << "," << cell.second;
        (room ? below : above) += 1;
        EXPECT_EQ(room, cell.second <= 1);
    }
    EXPECT_GT(below, 0);
    EXPECT_GT(above, 0);
    EXPECT_EQ(asked, static_cast<int>(pickers.places.size()));

    // An X server that does not answer leaves Qt's idea of the window.
    form->WindowOrigin = [](const QWidget&) { return std::optional<QPoint>(); };
    const Cell cell = EmptyCells(*form).front();
    bool canSelect = true;
    form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
    const QRect rect = form->StringGrid1->CellRect(cell.first, cell.second);
    EXPECT_EQ(pickers.places.back().x(), form->StringGrid1->mapToGlobal(rect.topLeft()).x() + 35);
}

TEST(SudokuPicker, OnWaylandThePopupStandsBesideTheCellInTheWindowsCoordinatesEvenAtTheBottom) {
    SudokuFolder folder;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // Where Qt believes the window to be, the bottom rows would open their picker above them;
    // on Wayland nobody here knows where the window is, and the compositor decides.
    const auto form = ShownGame(folder, {20, screen.top() + screen.height() - 10 - 4 - 328});
    form->PickerWindowSystem = WindowSystem::Wayland;
    form->WindowOrigin = [](const QWidget&) {
        ADD_FAILURE() << "an X server asked on Wayland";
        return std::optional<QPoint>();
    };
    PlaceRecorder pickers;
    for (const Cell& cell : EmptyCells(*form)) {
        if (cell.second < 7) continue;
        bool canSelect = true;
        form->StringGrid1SelectCell(cell.first, cell.second, canSelect);
        const QRect rect = form->StringGrid1->CellRect(cell.first, cell.second);
        ASSERT_FALSE(pickers.places.empty());
        EXPECT_EQ(pickers.types.back(), Qt::Popup);
        EXPECT_EQ(pickers.places.back(), form->StringGrid1->mapToGlobal(rect.topLeft()) + QPoint(35, 0));
    }
    EXPECT_FALSE(pickers.places.empty());
}

TEST(SudokuPicker, APopupTakesTheKeysSentToTheMainWindow) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    // A compositor that keeps the keyboard on the main window while its popup is open.
    TInputDigitalDialog1 escaped(form.get(), TInputDigitalDialog1::Kind::Popup);
    EXPECT_EQ(ExecWith(escaped, [&] { QTest::keyClick(form->windowHandle(), Qt::Key_Escape); }), QDialog::Rejected);

    TInputDigitalDialog1 picked(form.get(), TInputDigitalDialog1::Kind::Popup);
    EXPECT_EQ(ExecWith(picked, [&] { QTest::keyClick(form->windowHandle(), Qt::Key_6); }), QDialog::Accepted);
    EXPECT_EQ(picked.DigitValue, 6);

    TInputDigitalDialog1 moved(form.get(), TInputDigitalDialog1::Kind::Popup);
    EXPECT_EQ(ExecWith(moved, [&] { QTest::keyClick(form->windowHandle(), Qt::Key_Right); }), QDialog::Rejected);
    EXPECT_EQ(moved.MoveKey, virtual_keys::Right);
}

TEST(SudokuPicker, APopupClosedByTheWindowSystemIsACancel) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    // As Qt does when the compositor takes a popup away.
    TInputDigitalDialog1 closed(form.get(), TInputDigitalDialog1::Kind::Popup);
    EXPECT_EQ(ExecWith(closed, [&] { closed.windowHandle()->close(); }), QDialog::Rejected);
    EXPECT_EQ(closed.DigitValue, -1);
    TInputDigitalDialog1 hidden(form.get(), TInputDigitalDialog1::Kind::Popup);
    EXPECT_EQ(ExecWith(hidden, [&] { hidden.hide(); }), QDialog::Rejected);
}

TEST(SudokuPicker, AClickOutsideThePopupCancelsItAndGoesNoFurther) {
    SudokuFolder folder;
    const auto form = ShownGame(folder);
    form->PickerWindowSystem = WindowSystem::Wayland;
    SudokuBoardGrid& grid = *form->StringGrid1;
    const std::vector<Cell> empty = EmptyCells(*form);
    ASSERT_GE(empty.size(), 2U);
    // The picker opens beside the last empty cell; the click goes to the first, left of it or
    // above it, outside the picker.
    const Cell opened = empty.back();
    const Cell clicked = empty.front();
    const std::vector<std::int32_t> before = ShownDigits(*form);
    int pickers = 0;
    std::vector<int> results;
    Seams::modal = [&](QDialog& dialog) {
        ++pickers;
        if (pickers > 1) return int(QDialog::Rejected);
        // The press on the board goes through the main window, as the window system sends it.
        QTimer::singleShot(0, &dialog, [&] {
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, CellInWindow(*form, clicked) + QPoint(17, 17));
        });
        Watchdog(&dialog, "the click outside the picker did not close it");
        results.push_back(dialog.exec());
        return results.back();
    };
    QTest::mouseClick(&grid, Qt::LeftButton, {}, CellCentre(grid, opened));
    QCoreApplication::processEvents();
    EXPECT_EQ(results, std::vector<int>{QDialog::Rejected});
    EXPECT_EQ(pickers, 1);
    EXPECT_EQ(grid.Col(), opened.first);
    EXPECT_EQ(grid.Row(), opened.second);
    EXPECT_EQ(ShownDigits(*form), before);
}
