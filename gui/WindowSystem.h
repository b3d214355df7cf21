#pragma once
// Which window system the program's windows live on, and where a window really stands on
// the screen when the window system places it without telling the toolkit.

#include <QPoint>
#include <QString>
#include <optional>

class QWidget;

namespace vum {

enum class WindowSystem {
    // An X server with or without a window manager, and every platform that is not a Wayland
    // compositor's (offscreen, VNC...): a window stands at the screen position the program
    // gives it, and the toolkit knows where its windows are.
    X11,
    // Qt speaks Wayland: the compositor places every window and no window knows its screen
    // position; a popup is placed relative to the window it belongs to.
    Wayland,
    // Qt speaks X11 to a Wayland compositor's X server (XWayland): the compositor places the
    // main windows and tells the X server where, not Qt; an override-redirect window (a popup)
    // stands where the program puts it.
    XWayland,
};

// The decision, from what the process sees: platformName is QGuiApplication::platformName(),
// screenName the name of the primary screen (XWayland names its outputs XWAYLAND0, 1...),
// sessionType and waylandDisplay the environment's XDG_SESSION_TYPE and WAYLAND_DISPLAY.
// A session that says it is X11 is X11 whatever WAYLAND_DISPLAY says (a nested compositor).
WindowSystem WindowSystemFor(const QString& platformName, const QString& screenName, const QString& sessionType,
                             const QString& waylandDisplay);

// The window system of this process (QGuiApplication must exist).
WindowSystem CurrentWindowSystem();

// The top-left corner of a shown window's client area on the X server's root window, as the
// X server knows it (it knows where the compositor or window manager put the window, which Qt
// may not); nothing where Qt does not speak X11 or the server does not answer.
std::optional<QPoint> XServerOrigin(const QWidget& window);

}  // namespace vum
