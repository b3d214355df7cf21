#include "gui/Accessibility.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QPointer>
#include <QWidget>
#include <array>

namespace vum {

namespace {

// A notice: an object that screen readers see as a notification of its window, and nobody
// else sees at all.
class Notice : public QObject {
public:
    explicit Notice(QWidget* window) : QObject(window), window_(window) {}

    QWidget* Window() const { return window_; }
    QString text;

private:
    QPointer<QWidget> window_;
};

class NoticeInterface : public QAccessibleObject {
public:
    explicit NoticeInterface(Notice* notice) : QAccessibleObject(notice) {}

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(notice()->Window()); }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? notice()->text : QString(); }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    Notice* notice() const { return static_cast<Notice*>(object()); }
};

QAccessibleInterface* MakeNoticeInterface(const QString&, QObject* object) {
    auto* notice = dynamic_cast<Notice*>(object);
    return notice != nullptr ? new NoticeInterface(notice) : nullptr;
}

// A screen reader reads a notice's text a moment after the notice showed; a window's notices
// take turns, so that one is not given a new text while it may still be waiting to be read
// (the score and the speed level change at the same tick, say).
class Notices : public QObject {
public:
    static constexpr int Count = 4;

    explicit Notices(QWidget* window) : QObject(window) {
        for (auto& notice : notices_) notice = new Notice(window);
    }

    static Notice* Next(QWidget* window) {
        Notices* notices = nullptr;
        for (QObject* child : window->children())
            if ((notices = dynamic_cast<Notices*>(child)) != nullptr) break;
        if (notices == nullptr) notices = new Notices(window);
        Notice* notice = notices->notices_[notices->next_];
        notices->next_ = (notices->next_ + 1) % Count;
        return notice;
    }

private:
    std::array<Notice*, Count> notices_{};
    std::size_t next_ = 0;
};

}  // namespace

void Announce(QWidget* widget, const QString& text) {
    if (widget == nullptr || !QAccessible::isActive()) return;
    QWidget* window = widget->window();
    const QString said = text.trimmed();
    if (!window->isVisible() || said.isEmpty()) return;
    QAccessible::installFactory(MakeNoticeInterface);  // Qt keeps one of each factory

    Notice* notice = Notices::Next(window);
    notice->text = said;
    QAccessibleEvent renamed(notice, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void SetAccessibleText(QWidget* widget, const QString& text, Announcement announcement) {
    const QString name = text.trimmed();
    if (widget->accessibleName() == name) return;
    widget->setAccessibleName(name);
    if (announcement == Announcement::Spoken) Announce(widget, name);
}

void SetAccessibleContent(QWidget* dialog, const QStringList& lines) {
    QStringList sentences;
    for (const QString& line : lines) {
        QString sentence = line.trimmed();
        if (sentence.isEmpty()) continue;
        // A full stop makes a screen reader pause between lines.
        if (!QStringLiteral(".!?:;").contains(sentence.back())) sentence += u'.';
        sentences << sentence;
    }
    dialog->setAccessibleDescription(sentences.join(u' '));
}

}  // namespace vum
