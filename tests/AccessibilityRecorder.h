#pragma once
// Accessibility in the window tests: Qt's accessibility turned on, as a screen reader turns it
// on, and every event the windows send recorded. Offscreen, nothing listens: Qt makes no
// interface and sends no event until its platform's accessibility is active, which only
// Qt's private platform interface can make it (Debian: qt6-base-private-dev). Without it,
// Available() is false and the tests skip.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QString>
#include <vector>

#if VUM_QT_PRIVATE
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#endif

class AccessibilityRecorder {
public:
    struct Event {
        QAccessible::Event type;
        QObject* object;        // null for an item that is no object (a list's entry, say)
        QAccessible::Role role;  // of the object the event is about, when it was sent
        QString name;
    };

    static bool Available() { return VUM_QT_PRIVATE != 0; }

    AccessibilityRecorder() {
        current() = this;
        QAccessible::installUpdateHandler(&Record);
        SetActive(true);
    }
    ~AccessibilityRecorder() {
        SetActive(false);
        QAccessible::installUpdateHandler(nullptr);
        current() = nullptr;
    }
    AccessibilityRecorder(const AccessibilityRecorder&) = delete;
    AccessibilityRecorder& operator=(const AccessibilityRecorder&) = delete;

    // The texts screen readers were told to say as notices, in order.
    std::vector<QString> Announcements() const {
        std::vector<QString> said;
        for (const Event& event : events)
            if (event.type == QAccessible::ObjectShow && event.role == QAccessible::Notification) said.push_back(event.name);
        return said;
    }

    // The names of what took the focus, in order.
    std::vector<QString> Focused() const {
        std::vector<QString> names;
        for (const Event& event : events)
            if (event.type == QAccessible::Focus) names.push_back(event.name);
        return names;
    }

    void Clear() { events.clear(); }

    std::vector<Event> events;

private:
    static AccessibilityRecorder*& current() {
        static AccessibilityRecorder* recorder = nullptr;
        return recorder;
    }

    static void Record(QAccessibleEvent* event) {
        if (current() == nullptr) return;
        QAccessibleInterface* about = event->accessibleInterface();
        current()->events.push_back({event->type(), event->object(), about ? about->role() : QAccessible::NoRole,
                                     about ? about->text(QAccessible::Name) : QString()});
    }

    static void SetActive([[maybe_unused]] bool active) {
#if VUM_QT_PRIVATE
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(active);
#endif
    }
};

// The first statement of an accessibility test: skips it where accessibility cannot be
// turned on.
#define SKIP_WITHOUT_ACCESSIBILITY()                                                                   \
    if (!AccessibilityRecorder::Available()) GTEST_SKIP() << "needs Qt's private headers (qt6-base-private-dev)"

// The interface screen readers see for object.
inline QAccessibleInterface* AccessibleOf(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
// The name screen readers read for object.
inline QString NameOf(QObject* object) { return AccessibleOf(object)->text(QAccessible::Name); }
