#pragma once

#include <chrono>

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;
class QWidget;

// Tells a screen reader the result. The result label alone would say only a
// number, so its accessible name says what it is ("Recommended video bitrate:
// 1103 kbps") and changes with each new result. Screen readers such as Orca
// speak only changes of the control that has the focus, so the focused control
// carries the result as its description: the box being typed in once typing
// has paused, so that a burst of keystrokes is followed by one word on its
// final result; any other control (an option chosen by click or arrow key) at
// once, as the focus arrives. Windows screen readers do not read a description
// that changes under the focus: there each new result is announced after the
// same pause.
namespace quorvel {

class ErrorReport;

class ResultAnnouncer : public QObject {
    Q_OBJECT
public:
    // How long a new result stands, with no further event of a control, before
    // the focused box describes it and, on Windows, it is announced: longer than
    // the gap between the keys of a burst of typing (an eighth to a third of a
    // second), and short enough for the result of one keystroke to be heard
    // within a second, after the screen reader's echo of the key.
    static constexpr std::chrono::milliseconds kPause{500};

    // Speaks for `result`, the result label of `window`, whose controls all
    // exist by now. A message of `errors` is read out in place of the result it
    // leaves, and the box it returns the focus to describes that.
    ResultAnnouncer(QWidget* window, QLabel* result, ErrorReport& errors);
    ~ResultAnnouncer() override;

    // The result label now shows `kbps`. A result shown before the window is,
    // the one it opens with, is told by the window opening.
    void resultShown(const QString& kbps);

private:
    void eventOfAControl();
    void settled();
    void describeTo(QWidget* control);

    QWidget* m_window;
    QLabel* m_result;
    QMetaObject::Connection m_focusWatch;
    // What a screen reader is told the result is, and the last result it was
    // given word of, by the window opening, an announcement or a message.
    QString m_spoken;
    QString m_told;
    // Runs out once a new result has stood for the pause with no further event,
    // the last of which came at m_lastEvent. Each event only notes its time:
    // setting the timer is a call into the system each time.
    QTimer m_settles;
    std::chrono::steady_clock::time_point m_lastEvent;
};

} // namespace quorvel
