#include "result_announcer.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "controls.h"
#include "error_report.h"

namespace quorvel {

ResultAnnouncer::ResultAnnouncer(QWidget* window, QLabel* result, ErrorReport& errors)
    : m_window(window), m_result(result) {
    m_settles.setSingleShot(true);
    connect(&m_settles, &QTimer::timeout, this, &ResultAnnouncer::settled);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this,
                           [this](QWidget*, QWidget* now) { describeTo(now); });
    // Every event of a control puts off a pending word on the result.
    for (auto* box : window->findChildren<TextBox*>()) {
        connect(box, &TextBox::Change, this, &ResultAnnouncer::eventOfAControl);
        connect(box, &TextBox::LostFocus, this, &ResultAnnouncer::eventOfAControl);
    }
    for (auto* option : window->findChildren<OptionButton*>()) {
        connect(option, &OptionButton::Click, this, &ResultAnnouncer::eventOfAControl);
    }
    connect(&errors, &ErrorReport::reported, this, [this] {
        m_settles.stop();
        m_told = m_spoken;
    });
}

ResultAnnouncer::~ResultAnnouncer() {
    // The controls going away move the focus; nothing is described once the
    // window is only partly there.
    disconnect(m_focusWatch);
}

void ResultAnnouncer::resultShown(const QString& kbps) {
    // Setting the name announces the change, so it is set only when what is
    // said changes.
    const QString spoken = tr("Recommended video bitrate: %1 kbps").arg(kbps);
    if (spoken == m_spoken) {
        return;
    }
    m_spoken = spoken;
    m_result->setAccessibleName(spoken);
    if (!m_window->isVisible()) {
        m_told = spoken;
        return;
    }
    m_lastEvent = std::chrono::steady_clock::now();
    if (!m_settles.isActive()) {
        m_settles.start(kPause);
    }
    // A screen reader speaks a focused box's new description over the echo of
    // the keys being typed, each one cutting off the last: the box being typed
    // in describes the result once typing pauses.
    QWidget* focused = QApplication::focusWidget();
    if (!qobject_cast<TextBox*>(focused)) {
        describeTo(focused);
    }
}

void ResultAnnouncer::eventOfAControl() {
    if (m_settles.isActive()) {
        m_lastEvent = std::chrono::steady_clock::now();
    }
}

void ResultAnnouncer::settled() {
    const auto since = std::chrono::steady_clock::now() - m_lastEvent;
    if (since < kPause) {
        m_settles.start(std::chrono::ceil<std::chrono::milliseconds>(kPause - since));
        return;
    }
    describeTo(QApplication::focusWidget());
#if defined(Q_OS_WIN) && QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Windows screen readers speak an announcement (a UI Automation
    // notification). Elsewhere the description's change is spoken, and an
    // announcement too would say the result twice.
    if (m_spoken != m_told) {
        QAccessibleAnnouncementEvent announcement(m_result, m_spoken);
        announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
        QAccessible::updateAccessibility(&announcement);
    }
#endif
    m_told = m_spoken;
}

void ResultAnnouncer::describeTo(QWidget* control) {
    if (control && control->window() == m_window && control->accessibleDescription() != m_spoken) {
        control->setAccessibleDescription(m_spoken);
    }
}

} // namespace quorvel
