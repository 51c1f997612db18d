#pragma once

#include <QAccessible>
#include <QAccessibleEvent>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

// Records the accessibility events the widgets send, as a screen reader's
// bridge would receive them. Headless platforms have no bridge, so Qt would
// drop every event before any handler: while a recorder lives, the platform's
// accessibility is switched on and events come here instead.
namespace quorvel::test {

struct AccessibilityEvent {
    QPointer<QObject> object;
    QAccessible::Event type;
    bool checked;    // for a state change: whether the object is now checked
    QString message; // for an announcement: what is to be said
};

class AccessibilityRecorder {
public:
    AccessibilityRecorder() {
        s_events = &m_events;
        platform()->setActive(true);
        QAccessible::installUpdateHandler(&record);
    }
    ~AccessibilityRecorder() {
        QAccessible::installUpdateHandler(nullptr);
        platform()->setActive(false);
        s_events = nullptr;
    }
    AccessibilityRecorder(const AccessibilityRecorder&) = delete;
    AccessibilityRecorder& operator=(const AccessibilityRecorder&) = delete;

    // How many events of `type` were sent for `object` since the last clear().
    qsizetype count(const QObject* object, QAccessible::Event type) const {
        qsizetype n = 0;
        for (const AccessibilityEvent& event : m_events) {
            n += event.object == object && event.type == type ? 1 : 0;
        }
        return n;
    }
    const QList<AccessibilityEvent>& events() const { return m_events; }
    void clear() { m_events.clear(); }

private:
    static QPlatformAccessibility* platform() {
        return QGuiApplicationPrivate::platformIntegration()->accessibility();
    }
    static void record(QAccessibleEvent* event) {
        if (!s_events) {
            return;
        }
        bool checked = false;
        QString message;
        if (event->type() == QAccessible::StateChanged) {
            checked = event->object()->property("checked").toBool();
        }
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (event->type() == QAccessible::Announcement) {
            message = static_cast<QAccessibleAnnouncementEvent*>(event)->message();
        }
#endif
        s_events->append({event->object(), event->type(), checked, message});
    }

    QList<AccessibilityEvent> m_events;
    static inline QList<AccessibilityEvent>* s_events = nullptr;
};

} // namespace quorvel::test
