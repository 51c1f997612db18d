#include "error_report.h"

#include <QMessageBox>
#include <QTimer>
#include <QWidget>

namespace quorvel {

ErrorReport::ErrorReport(QWidget* window) : QObject(window), m_window(window) {}

void ErrorReport::Add(const QString& line) {
    if (m_pending.contains(line)) {
        return;
    }
    if (m_pending.isEmpty()) {
        QTimer::singleShot(0, this, &ErrorReport::Show);
    }
    m_pending.append(line);
}

void ErrorReport::Show() {
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

namespace {

QString PlaceOf(const QString& controlName) {
    if (controlName == QLatin1String("FileSectors")) {
        return ErrorReport::tr("the sectors box");
    }
    if (controlName == QLatin1String("FileBytes")) {
        return ErrorReport::tr("the bytes / sector box");
    }
    if (controlName == QLatin1String("AudioKBPS") || controlName == QLatin1String("AudioOther")) {
        return ErrorReport::tr("the audio kbps box");
    }
    if (controlName == QLatin1String("LengthHours")) {
        return ErrorReport::tr("the hours box");
    }
    if (controlName == QLatin1String("LengthMinutes")) {
        return ErrorReport::tr("the minutes box");
    }
    if (controlName == QLatin1String("LengthSeconds")) {
        return ErrorReport::tr("the seconds box");
    }
    return {};
}

} // namespace

QString DescribeFailure(const QString& controlName, const QString& boxText,
                        const QString& problem) {
    const QString place = PlaceOf(controlName);
    if (place.isEmpty()) {
        return ErrorReport::tr("The recommended video bitrate could not be worked out: %1.")
            .arg(problem);
    }
    return ErrorReport::tr("The number in %1, \u201c%2\u201d, could not be used: %3.")
        .arg(place, boxText, problem);
}

} // namespace quorvel
