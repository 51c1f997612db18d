#include "error_report.h"

#include <utility>

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace quorvel {
namespace {

// Makes `window` the active window at the first key or click that reaches it
// while the application holds no window active, then goes. A desktop or an
// assistive tool may hand the keyboard to the window while the message is
// still up (a screen reader's press of OK closes it a tenth of a second
// later); Qt 6.8 on X11 passes that on to the message, which the X server
// ignores, and forgets it. Once the message is gone the window has the
// keyboard, but asking for it changes nothing, so Qt is never told: keys and
// clicks would reach an inactive window, and Tab would move the focus on
// without the box being left.
class KeyboardReclaim : public QObject {
public:
    explicit KeyboardReclaim(QWidget* window) : QObject(window), m_window(window) {
        connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
            if (focused == m_window->windowHandle()) {
                deleteLater();
            }
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) {
            if (!QGuiApplication::focusWindow()) {
                // QWidget::activateWindow asks the desktop, which has nothing
                // to change; only this tells Qt.
                QT_WARNING_PUSH
                QT_WARNING_DISABLE_DEPRECATED
                QApplication::setActiveWindow(m_window);
                QT_WARNING_POP
            }
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_window;
};

// Once a message is closed the keyboard goes back to the window, and in it to
// the box the message was about, whatever the desktop does.
void giveKeyboardBack(QWidget* window) {
    window->activateWindow();
    if (QWindow* handle = window->windowHandle();
        handle && QGuiApplication::focusWindow() != handle) {
        handle->installEventFilter(new KeyboardReclaim(window));
    }
}

} // namespace

ErrorReport::ErrorReport(QWidget* window) : QObject(window), m_window(window) {}

void ErrorReport::add(const QString& line) {
    if (m_pending.contains(line)) {
        return;
    }
    if (m_pending.isEmpty()) {
        QTimer::singleShot(0, this, &ErrorReport::show);
    }
    m_pending.append(line);
}

void ErrorReport::addFault(const QString& line) {
    m_faultPending = true;
    add(line);
}

void ErrorReport::show() {
    const QString message = m_pending.join(QLatin1Char('\n'));
    const bool fault = std::exchange(m_faultPending, false);
    m_pending.clear();
    emit reported(message);
    if (!m_dialogsShown) {
        if (fault) {
            emit faultReported();
        }
        return;
    }
    auto* box = new QMessageBox(fault ? QMessageBox::Critical : QMessageBox::Warning,
                                m_window->windowTitle(), message, QMessageBox::Ok, m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    // A desktop that leaves the keyboard nowhere once the message is closed
    // would have keys reach the box while the window is not active, so that
    // Tab moved on without the box being left.
    connect(box, &QDialog::finished, m_window, [window = m_window] { giveKeyboardBack(window); });
    if (fault) {
        connect(box, &QDialog::finished, this, &ErrorReport::faultReported);
    }
    box->open();
}

QString describeFailure(const QString& boxName, const QString& boxText, const QString& problem) {
    return ErrorReport::tr("The number in the %1 box, \u201c%2\u201d, could not be used: %3.")
        .arg(boxName, boxText, problem);
}

QString describeFault(const QString& what) {
    return ErrorReport::tr("The program met an internal error (%1) and will close. This is a fault "
                           "of the program, not of any number typed.")
        .arg(what);
}

QString describeFailure(const QString& problem) {
    return ErrorReport::tr("The recommended video bitrate could not be worked out: %1.")
        .arg(problem);
}

} // namespace quorvel
