#include "gui/WindowSystem.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace vum {

WindowSystem WindowSystemFor(const QString& platformName, const QString& screenName, const QString& sessionType,
                             const QString& waylandDisplay) {
    // "wayland" and "wayland-egl" are both Qt's Wayland platform.
    if (platformName.startsWith(QLatin1String("wayland"))) return WindowSystem::Wayland;
    if (platformName != QLatin1String("xcb")) return WindowSystem::X11;
    if (screenName.startsWith(QLatin1String("XWAYLAND"))) return WindowSystem::XWayland;
    if (sessionType == QLatin1String("wayland")) return WindowSystem::XWayland;
    if (sessionType.isEmpty() && !waylandDisplay.isEmpty()) return WindowSystem::XWayland;
    return WindowSystem::X11;
}

WindowSystem CurrentWindowSystem() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return WindowSystemFor(QGuiApplication::platformName(), screen != nullptr ? screen->name() : QString(),
                           qEnvironmentVariable("XDG_SESSION_TYPE"), qEnvironmentVariable("WAYLAND_DISPLAY"));
}

std::optional<QPoint> XServerOrigin(const QWidget& window) {
    // The offscreen platform offers the same interface, without a connection.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || window.windowHandle() == nullptr)
        return std::nullopt;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return std::nullopt;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen == nullptr) return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> reply(
        xcb_translate_coordinates_reply(connection, xcb_translate_coordinates(connection, id, screen->root, 0, 0),
                                        nullptr),
        &std::free);
    if (!reply) return std::nullopt;
    return QPoint(reply->dst_x, reply->dst_y);
}

}  // namespace vum
