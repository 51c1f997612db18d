#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

// Tells the user about a calculation that could not be done. A failing handler
// only records what went wrong; the message is shown once the whole chain of
// nested events has unwound, so that it neither interrupts a handler halfway nor
// takes the focus from a box in the middle of its events.
namespace quorvel {

class ErrorReport : public QObject {
    Q_OBJECT
public:
    // Messages appear in a window-modal box over `window`.
    explicit ErrorReport(QWidget* window);

    // Records one line for the next message; a line already waiting is not repeated.
    void add(const QString& line);
    // The same for a fault of the program itself: once its message has been
    // shown and closed, faultReported is emitted.
    void addFault(const QString& line);

    // Whether message boxes are shown; the reported signal is emitted either way.
    void setDialogsShown(bool shown) { m_dialogsShown = shown; }

signals:
    // The text shown to the user, once per chain of events.
    void reported(const QString& message);
    // A message that told of a fault of the program has been read.
    void faultReported();

private:
    void show();

    QWidget* m_window;
    QStringList m_pending;
    bool m_faultPending = false;
    bool m_dialogsShown = true;
};

// What went wrong, in the user's words: the number `boxText` in the box a screen
// reader calls `boxName` could not be used because of `problem`.
QString describeFailure(const QString& boxName, const QString& boxText, const QString& problem);
// The same for a failure that no box's number caused.
QString describeFailure(const QString& problem);
// A fault of the program itself, `what` being what it met.
QString describeFault(const QString& what);

} // namespace quorvel
