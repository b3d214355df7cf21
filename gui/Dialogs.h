#pragma once
// What the games' own dialogs share: no title bar, a fixed client area centred over the
// owner, keys and presses anywhere in a dialog seen by the dialog first, and dialogs that
// any input closes.

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace vum {

// A modal dialog without title bar, of a fixed client size, centred over its owner. The
// title names the window to the window system only.
void MakeBorderlessDialog(QDialog* dialog, QWidget* owner, QSize client, const QString& title);

// Centres window over owner's frame (where a main window not shown yet will appear), or,
// without an owner, over the screen's available area; a half pixel left over goes to the
// right and the bottom.
void CentreOver(QWidget* window, const QWidget* owner);

// Installs filter on window and on every widget inside it, so that the window's handler
// sees their keys and presses before they do.
void PreviewInput(QWidget* window, QObject* filter);

// Calls onActivate each time window is shown and each time it becomes the active window,
// as the window system's activation event of a form does.
void CallOnActivation(QWidget* window, std::function<void()> onActivate);

// Closes a dialog on any key and on a mouse press anywhere in it: every key goes to onKey;
// the mouse to onClick, either at the press of any button or at a left click (a left press
// and its release on the same widget). The dialog's widgets see no key and no press.
class CloseOnInput : public QObject {
public:
    enum class Click { AnyPress, LeftClick };

    CloseOnInput(QWidget* dialog, Click click, std::function<void()> onKey, std::function<void()> onClick);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Click click_;
    std::function<void()> onKey_;
    std::function<void()> onClick_;
    // The widget that took the last left press, until its release.
    QObject* pressed_ = nullptr;
};

}  // namespace vum
