#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include <QColor>
#include <QHash>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "calc_state.h"
#include "layout_table.h"

class QLabel;

// The calculator's one window. It builds its controls from the layout table,
// owns the CalcState, and ties each control event to one handler, named after
// the control and the event. The handlers hold no state: each reads a control,
// calls the core, writes back, and ends by recomputing the result.
//
// A handler that meets an OverflowError or ArithmeticError ends at that step;
// what it wrote before stays. The error is caught where the control raised its
// event, so a handler whose write set off the failing one goes on with its own
// steps, and the user is told once the chain of events has unwound. Any other
// exception is a fault of the program, not of a number typed: the user is told
// so, and the window closes, since what it shows may no longer add up.
namespace quorvel {

class ErrorReport;

class Form_Main : public QWidget {
    Q_OBJECT
public:
    // How long a new result stands, with no further keystroke or click, before
    // the focused box describes it and, on Windows, it is announced: longer
    // than the gap between the keys of a burst of typing (an eighth to a third
    // of a second), and short enough for the result of one keystroke to be
    // heard within a second, after the screen reader's echo of the key.
    static constexpr std::chrono::milliseconds kResultPause{500};

    explicit Form_Main(QWidget* parent = nullptr);
    // The window built from `layout` instead of its own table. A table that
    // cannot be built throws LayoutError: a row placed in no earlier frame, of
    // another kind than its slot, or filling a slot an earlier row filled; or a
    // control of the handlers that no row builds.
    explicit Form_Main(std::span<const ControlRow> layout, QWidget* parent = nullptr);
    ~Form_Main() override;

    // Runs `handler` as the handler of an event that `source` raised, as every
    // control event is run: a failure ends it and is reported.
    void handleEvent(QWidget* source, const std::function<void()>& handler);

    const CalcState& state() const { return m_state; }
    ErrorReport& errorReport() { return *m_errors; }
    const FormControls& controls() const { return m_controls; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildControls(std::span<const ControlRow> layout);
    void connectEvents();

    void showResult(const QString& kbps);
    void resultSettled();
    void describeResultTo(QWidget* control);
    void colourFixedText();
    void write(TextBox* box, const std::string& text);
    static std::string textOf(const TextBox* box);
    void recompute();
    void sizePresetChosen(std::int32_t kbits);
    void audioPresetChosen(std::int32_t kbps);

    void Form_Load();
    void File650_Click();
    void File700_Click();
    void File651_Click();
    void File654_Click();
    void File702_Click();
    void FileOther_Click();
    void FileSectors_Change();
    void FileBytes_Change();
    void FileSectors_LostFocus();
    void FileBytes_LostFocus();
    void Audio96_Click();
    void Audio112_Click();
    void Audio128_Click();
    void Audio160_Click();
    void Audio192_Click();
    void Audio224_Click();
    void Audio256_Click();
    void Audio320_Click();
    void AudioOther_Click();
    void AudioKBPS_Change();
    void AudioKBPS_LostFocus();
    void LengthHours_Change();
    void LengthMinutes_Change();
    void LengthSeconds_Change();
    void LengthHours_LostFocus();
    void LengthMinutes_LostFocus();
    void LengthSeconds_LostFocus();

    CalcState m_state;
    ErrorReport* m_errors = nullptr;
    FormControls m_controls;
    // The box whose number an option's Click reads, for the error message.
    QHash<const QWidget*, TextBox * FormControls::*> m_readsFrom;
    // The labels drawn in a colour of their own, with the colour they were designed in.
    struct FixedColour {
        QWidget* label;
        QColor designed;
    };
    std::vector<FixedColour> m_fixedColours;
    QMetaObject::Connection m_focusWatch;
    // What a screen reader is told the result is, and the last result it was
    // given word of, by the window opening, an announcement or a message.
    QString m_spokenResult;
    QString m_toldResult;
    // Runs out once a new result has stood for the pause with no further event,
    // the last of which came at m_lastEvent.
    QTimer m_resultSettles;
    std::chrono::steady_clock::time_point m_lastEvent;

    RewriteBox m_rewrite;
    ResultDisplay m_display;
};

} // namespace quorvel
