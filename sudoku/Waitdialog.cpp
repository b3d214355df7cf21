#include "sudoku/Waitdialog.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>

#include "gui/Accessibility.h"
#include "gui/Dialogs.h"
#include "gui/Fonts.h"
#include "gui/Panels.h"
#include "sudoku/SudokuLook.h"

using namespace vum;

namespace {

// How long ShowNow waits at most for the window system to put the notice on the screen.
constexpr int ExposeTimeoutMilliseconds = 1000;

// Ends a local loop when the window it watches is put on the screen.
class ExposeWatcher : public QObject {
public:
    explicit ExposeWatcher(QEventLoop& loop) : loop_(loop) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) loop_.quit();
        return false;
    }

private:
    QEventLoop& loop_;
};

}  // namespace

TWaitDialog1::TWaitDialog1(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("WaitDialog1"));
    setFixedSize(ClientWidth, ClientHeight);
    // The main window keeps the focus; the notice only informs.
    setAttribute(Qt::WA_ShowWithoutActivating);
    WhitePanel = new BevelPanel(this, "WhitePanel", {0, 0, ClientWidth, ClientHeight}, system_colours::White);
    Panel1 = new BevelPanel(WhitePanel, "Panel1", {12, 12, 445, 69}, sudoku_colours::Window, Bevel::Raised);
    Panel1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 24));
    Panel1->SetFontColour(WinColour(system_colours::White));
    Panel1->SetCaption(QString::fromUtf8(DesignCaption));
}

void TWaitDialog1::ShowNow() {
    QWidget* owner = parentWidget();
    if (owner != nullptr) CentreOver(this, owner->window());
    show();
    // Screen readers read it as a notice of the window it stands over, which outlives it.
    Announce(owner != nullptr ? owner : this, Panel1->Caption());
    // A new window can be painted only once the window system has mapped it: let the
    // events that map it through (no input), then paint.
    QWindow* handle = windowHandle();
    if (handle != nullptr && !handle->isExposed()) {
        QEventLoop loop;
        ExposeWatcher watcher(loop);
        handle->installEventFilter(&watcher);
        QTimer::singleShot(ExposeTimeoutMilliseconds, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        handle->removeEventFilter(&watcher);
    }
    repaint();
}
