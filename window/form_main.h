#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include <QHash>
#include <QString>
#include <QWidget>

#include "calc_state.h"
#include "form_main_ui.h"
#include "layout_table.h"

// The calculator's one window. Its controls are built from the layout table
// (FormMainUi); it owns the CalcState, and ties each control event to one
// handler, named after the control and the event. The handlers hold no state: each reads a control,
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
class ResultAnnouncer;

class Form_Main : public QWidget {
    Q_OBJECT
public:
    explicit Form_Main(QWidget* parent = nullptr);
    // The window built from `layout` instead of its own table; one that cannot
    // be built throws LayoutError.
    explicit Form_Main(std::span<const ControlRow> layout, QWidget* parent = nullptr);
    ~Form_Main() override;

    // Runs `handler` as the handler of an event that `source` raised, as every
    // control event is run: a failure ends it and is reported.
    void handleEvent(QWidget* source, const std::function<void()>& handler);

    const CalcState& state() const { return m_state; }
    ErrorReport& errorReport() { return *m_errors; }
    const FormMainUi& ui() const { return m_ui; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void connectEvents();

    TextBox* box(RowOf<ControlKind::TextBox> row) const { return m_ui.box(row); }
    OptionButton* option(RowOf<ControlKind::OptionButton> row) const { return m_ui.option(row); }
    void showResult(const QString& kbps);
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
    FormMainUi m_ui;
    ErrorReport* m_errors = nullptr;
    // The box whose number an option's Click reads, for the error message.
    QHash<const QWidget*, const TextBox*> m_readsFrom;
    std::unique_ptr<ResultAnnouncer> m_announcer;

    RewriteBox m_rewrite;
    ResultDisplay m_display;
};

} // namespace quorvel
