#include "gui/HeldInput.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

namespace vum {

namespace {

bool IsHeld(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            return false;
    }
}

// Takes the input events of the program while it lives, keeping copies of the keys and
// clicks.
class InputCatcher : public QObject {
public:
    InputCatcher() { qApp->installEventFilter(this); }
    ~InputCatcher() override { qApp->removeEventFilter(this); }

    std::vector<std::unique_ptr<QEvent>> Caught;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (!IsHeld(event->type())) return false;
        if (event->type() != QEvent::ShortcutOverride) Caught.emplace_back(event->clone());
        return true;
    }
};

// Where an input event goes when it is handed on.
QWidget* Target(const QEvent& event, QWidget* window) {
    QWidget* popup = QApplication::activePopupWidget();
    if (popup != nullptr) return popup;
    QWidget* modal = QApplication::activeModalWidget();
    if (event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease) {
        if (modal != nullptr) return modal;
        if (window == nullptr) return nullptr;
        return window->focusWidget() != nullptr ? window->focusWidget() : window;
    }
    const QPointF global = static_cast<const QMouseEvent&>(event).globalPosition();
    QWidget* under = QApplication::widgetAt(global.toPoint());
    // A modal dialog takes no clicks meant for the windows under it.
    if (modal != nullptr && (under == nullptr || !modal->isAncestorOf(under)) && under != modal) return nullptr;
    return under;
}

void Deliver(QEvent& event, QWidget& target) {
    if (event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease) {
        auto& key = static_cast<QKeyEvent&>(event);
        QKeyEvent copy(key.type(), key.key(), key.modifiers(), key.nativeScanCode(), key.nativeVirtualKey(),
                       key.nativeModifiers(), key.text(), key.isAutoRepeat(), static_cast<quint16>(key.count()));
        QApplication::sendEvent(&target, &copy);
        return;
    }
    auto& mouse = static_cast<QMouseEvent&>(event);
    const QPointF local = target.mapFromGlobal(mouse.globalPosition());
    QMouseEvent copy(mouse.type(), local, local, mouse.globalPosition(), mouse.button(), mouse.buttons(),
                     mouse.modifiers());
    QApplication::sendEvent(&target, &copy);
}

// Hands on the events from the first, one at a time: the next is queued before this one is
// delivered, so that a window this one opens (a dialog with a loop of its own) gets the next.
void HandOn(std::shared_ptr<std::vector<std::unique_ptr<QEvent>>> events, std::size_t next, QPointer<QWidget> window) {
    if (next >= events->size()) return;
    QTimer::singleShot(0, qApp, [events, next, window] { HandOn(events, next + 1, window); });
    QEvent& event = *(*events)[next];
    if (QWidget* target = Target(event, window)) Deliver(event, *target);
}

}  // namespace

void WaitHoldingInput(int milliseconds, QWidget* window) {
    auto caught = std::make_shared<std::vector<std::unique_ptr<QEvent>>>();
    {
        InputCatcher catcher;
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec();
        *caught = std::move(catcher.Caught);
    }
    if (caught->empty()) return;
    const QPointer<QWidget> fallback(window);
    QTimer::singleShot(0, qApp, [caught, fallback] { HandOn(caught, 0, fallback); });
}

}  // namespace vum
