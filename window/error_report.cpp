#include "error_report.h"

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

void ErrorReport::show() {
    const QString message = m_pending.join(QLatin1Char('\n'));
    m_pending.clear();
    emit reported(message);
    if (!m_dialogsShown) {
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Warning, m_window->windowTitle(), message,
                                QMessageBox::Ok, m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

QString DescribeFailure(const QString& boxName, const QString& boxText, const QString& problem) {
    return ErrorReport::tr("The number in the %1 box, \u201c%2\u201d, could not be used: %3.")
        .arg(boxName, boxText, problem);
}

QString DescribeFailure(const QString& problem) {
    return ErrorReport::tr("The recommended video bitrate could not be worked out: %1.")
        .arg(problem);
}

} // namespace quorvel
