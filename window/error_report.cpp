#include "error_report.h"

#include <utility>

#include <QMessageBox>
#include <QTimer>
#include <QWidget>

namespace quorvel {

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
    // Once the message is closed the keyboard goes back to the window, and in
    // it to the box the message was about, whatever the desktop does: a desktop
    // that leaves the keyboard nowhere would have keys reach the box while the
    // window is not active, so that Tab moved on without the box being left.
    connect(box, &QDialog::finished, m_window, [window = m_window] { window->activateWindow(); });
    if (fault) {
        connect(box, &QDialog::finished, this, &ErrorReport::faultReported);
    }
    box->open();
}

QString DescribeFailure(const QString& boxName, const QString& boxText, const QString& problem) {
    return ErrorReport::tr("The number in the %1 box, \u201c%2\u201d, could not be used: %3.")
        .arg(boxName, boxText, problem);
}

QString DescribeFault(const QString& what) {
    return ErrorReport::tr("The program met an internal error (%1) and will close. This is a fault "
                           "of the program, not of any number typed.")
        .arg(what);
}

QString DescribeFailure(const QString& problem) {
    return ErrorReport::tr("The recommended video bitrate could not be worked out: %1.")
        .arg(problem);
}

} // namespace quorvel
