#include "gui/Dialogs.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace vum {

namespace {

// d / 2 rounded down, also for a window larger than what it is centred over.
int FloorHalf(int d) { return d >= 0 ? d / 2 : -((1 - d) / 2); }

class ActivationWatcher : public QObject {
public:
    ActivationWatcher(QWidget* window, std::function<void()> onActivate)
        : QObject(window), window_(window), onActivate_(std::move(onActivate)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_) return false;
        const bool shown = event->type() == QEvent::Show;
        const bool activated = event->type() == QEvent::ActivationChange && window_->isActiveWindow();
        if (shown || activated) onActivate_();
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> onActivate_;
};

}  // namespace

void MakeBorderlessDialog(QDialog* dialog, QWidget* owner, QSize client, const QString& title) {
    dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    dialog->setWindowTitle(title);
    dialog->setFixedSize(client);
    dialog->setModal(true);
    CentreOver(dialog, owner);
}

void CentreOver(QWidget* window, const QWidget* owner) {
    QRect area;
    if (owner != nullptr) {
        area = owner->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    window->move(area.left() + FloorHalf(area.width() - window->width()),
                 area.top() + FloorHalf(area.height() - window->height()));
}

void CallOnActivation(QWidget* window, std::function<void()> onActivate) {
    new ActivationWatcher(window, std::move(onActivate));
}

void PreviewInput(QWidget* window, QObject* filter) {
    window->installEventFilter(filter);
    for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(filter);
}

CloseOnInput::CloseOnInput(QWidget* dialog, Click click, std::function<void()> onKey, std::function<void()> onClick)
    : QObject(dialog), click_(click), onKey_(std::move(onKey)), onClick_(std::move(onClick)) {
    PreviewInput(dialog, this);
}

bool CloseOnInput::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            onKey_();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (click_ == Click::AnyPress) {
                onClick_();
                return true;
            }
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) pressed_ = watched;
            return true;
        case QEvent::MouseButtonRelease: {
            if (click_ == Click::AnyPress) return false;
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) return true;
            const bool click =
                watched == pressed_ && static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
            pressed_ = nullptr;
            if (click) onClick_();
            return true;
        }
        default:
            return false;
    }
}

}  // namespace vum
