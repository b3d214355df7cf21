#include "gui/FixedSizeWindow.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "gui/WindowSystem.h"

namespace vum {

namespace {

constexpr Qt::WindowStates Refused = Qt::WindowMaximized | Qt::WindowFullScreen;

class NormalStateKeeper : public QObject {
public:
    explicit NormalStateKeeper(QWidget& window)
        : QObject(&window), window_(window), size_(window.size()), wayland_(CurrentWindowSystem() == WindowSystem::Wayland) {
        if (wayland_) {
            window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            // A compositor answers a request to be normal only once it has seen the maximised
            // size drawn, which may come after the first request: it is repeated until the
            // window has its size again.
            retry_.setInterval(100);
            connect(&retry_, &QTimer::timeout, this, &NormalStateKeeper::AskForNormalState);
        }
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange && (window_.windowState() & Refused)) {
            if (!wayland_) {
                window_.setWindowState(window_.windowState() & ~Refused);
            } else {
                attempts_ = 0;
                retry_.start();
            }
        } else if (event->type() == QEvent::Resize && window_.size() != size_ && !retry_.isActive()) {
            // Another size without the state that would explain it (weston maximises an X
            // window so): the window takes its own back.
            window_.resize(size_);
        }
        return false;
    }

private:
    void AskForNormalState() {
        QWindow* handle = window_.windowHandle();
        if (handle == nullptr || (window_.size() == size_ && !(handle->windowStates() & Refused)) || ++attempts_ > 50) {
            retry_.stop();
            if (window_.size() != size_) window_.resize(size_);
            return;
        }
        // The toolkit's own state may already say normal; the window system's does not.
        handle->setWindowStates(Qt::WindowNoState);
    }

    QWidget& window_;
    const QSize size_;
    const bool wayland_;
    QTimer retry_;
    int attempts_ = 0;
};

}  // namespace

void KeepNormalState(QWidget& window) { new NormalStateKeeper(window); }

}  // namespace vum
