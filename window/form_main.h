#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include "calc_state.h"

class QLabel;

// The calculator's one window. It builds its controls from the layout table,
// owns the CalcState, and ties each control event to one handler, named after
// the control and the event. The handlers hold no state: each reads a control,
// calls the core, writes back, and ends by recomputing the result.
//
// A handler that meets an OverflowError or ArithmeticError ends at that step;
// what it wrote before stays. The error is caught where the control raised its
// event, so a handler whose write set off the failing one goes on with its own
// steps, and the user is told once the chain of events has unwound.
namespace quorvel {

class ErrorReport;
class Line;
class OptionButton;
class TextBox;

class Form_Main : public QWidget {
    Q_OBJECT
public:
    explicit Form_Main(QWidget* parent = nullptr);

    const CalcState& state() const { return m_state; }
    ErrorReport& errorReport() { return *m_errors; }

    // The control of that name in the layout table, or nullptr.
    QWidget* control(const QString& name) const { return m_controls.value(name); }

private:
    using Handler = void (Form_Main::*)();

    void BuildControls();
    void BindControls();
    void ConnectEvents();
    // Runs a handler for the event `source` raised; stops it at a core error.
    void Raise(QWidget* source, Handler handler);

    void ShowResult(const QString& kbps);
    void Write(TextBox* box, const std::string& text);
    static std::string Text(const TextBox* box);
    void Recompute();
    void SizePresetChosen(std::int32_t kbits);
    void AudioPresetChosen(std::int32_t kbps);

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
    QHash<QString, QWidget*> m_controls;

    // The controls the handlers read and write.
    OptionButton* m_File650 = nullptr;
    OptionButton* m_FileOther = nullptr;
    TextBox* m_FileSectors = nullptr;
    TextBox* m_FileBytes = nullptr;
    OptionButton* m_Audio96 = nullptr;
    OptionButton* m_AudioOther = nullptr;
    TextBox* m_AudioKBPS = nullptr;
    TextBox* m_LengthHours = nullptr;
    TextBox* m_LengthMinutes = nullptr;
    TextBox* m_LengthSeconds = nullptr;
    QLabel* m_VideoBitRate = nullptr;

    RewriteBox m_rewrite;
    ResultDisplay m_display;
};

} // namespace quorvel
