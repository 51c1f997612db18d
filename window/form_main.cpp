#include "form_main.h"

#include <exception>
#include <optional>
#include <string>

#include <QEvent>
#include <QLabel>
#include <QPalette>

#include "controls.h"
#include "error_report.h"
#include "errors.h"
#include "result_announcer.h"

namespace quorvel {
namespace {

using Handler = void (Form_Main::*)();
enum class Event { Click, Change, LostFocus };

// One control event and the handler it runs.
struct Binding {
    std::size_t control; // its row of kLayout
    Event event;
    Handler handler;
    // The box whose number the handler reads, which a message about it names.
    std::optional<std::size_t> reads;
};

// A binding of the control named `control`, which must be an option for a
// Click and a box for a Change or LostFocus, as the build checks.
consteval Binding on(const char* control, Event event, Handler handler,
                     const char* reads = nullptr) {
    if (event == Event::Click) {
        return {RowOf<ControlKind::OptionButton>(control).index(), event, handler,
                reads ? std::optional(RowOf<ControlKind::TextBox>(reads).index()) : std::nullopt};
    }
    return {RowOf<ControlKind::TextBox>(control).index(), event, handler, std::nullopt};
}

// Whether every option of kLayout is bound on Click and every box on Change
// and LostFocus, each once.
template <std::size_t n> constexpr bool everyControlBoundOnce(const Binding (&bindings)[n]) {
    const auto count = [&](std::size_t row, Event event) {
        std::size_t found = 0;
        for (const Binding& binding : bindings) {
            found += binding.control == row && binding.event == event ? 1 : 0;
        }
        return found;
    };
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        const ControlKind kind = kLayout[row].kind;
        if (kind == ControlKind::OptionButton && count(row, Event::Click) != 1) {
            return false;
        }
        if (kind == ControlKind::TextBox &&
            (count(row, Event::Change) != 1 || count(row, Event::LostFocus) != 1)) {
            return false;
        }
    }
    return true;
}

} // namespace

Form_Main::Form_Main(QWidget* parent) : Form_Main(layoutTable(), parent) {}

Form_Main::Form_Main(std::span<const ControlRow> layout, QWidget* parent) : QWidget(parent) {
    m_errors = new ErrorReport(this);
    connect(m_errors, &ErrorReport::faultReported, this, &QWidget::close);
    m_ui.setupUi(this, layout);
    connectEvents();
    m_announcer = std::make_unique<ResultAnnouncer>(this, m_ui.label(kResultLabel), *m_errors);
    m_rewrite = [this](Box shown, const std::string& text) { write(m_ui.boxShowing(shown), text); };
    m_display = [this](const std::string& text) { showResult(QString::fromStdString(text)); };
    handleEvent(this, [this] { Form_Load(); });
}

// The announcer goes first, while the controls whose focus it follows are whole.
Form_Main::~Form_Main() = default;

// Which handler runs on which event of which control.
void Form_Main::connectEvents() {
    static constexpr Binding kBindings[] = {
        on("File650", Event::Click, &Form_Main::File650_Click),
        on("File700", Event::Click, &Form_Main::File700_Click),
        on("File651", Event::Click, &Form_Main::File651_Click),
        on("File654", Event::Click, &Form_Main::File654_Click),
        on("File702", Event::Click, &Form_Main::File702_Click),
        on("FileOther", Event::Click, &Form_Main::FileOther_Click),
        on("FileSectors", Event::Change, &Form_Main::FileSectors_Change),
        on("FileSectors", Event::LostFocus, &Form_Main::FileSectors_LostFocus),
        on("FileBytes", Event::Change, &Form_Main::FileBytes_Change),
        on("FileBytes", Event::LostFocus, &Form_Main::FileBytes_LostFocus),
        on("Audio96", Event::Click, &Form_Main::Audio96_Click),
        on("Audio112", Event::Click, &Form_Main::Audio112_Click),
        on("Audio128", Event::Click, &Form_Main::Audio128_Click),
        on("Audio160", Event::Click, &Form_Main::Audio160_Click),
        on("Audio192", Event::Click, &Form_Main::Audio192_Click),
        on("Audio224", Event::Click, &Form_Main::Audio224_Click),
        on("Audio256", Event::Click, &Form_Main::Audio256_Click),
        on("Audio320", Event::Click, &Form_Main::Audio320_Click),
        on("AudioOther", Event::Click, &Form_Main::AudioOther_Click, "AudioKBPS"),
        on("AudioKBPS", Event::Change, &Form_Main::AudioKBPS_Change),
        on("AudioKBPS", Event::LostFocus, &Form_Main::AudioKBPS_LostFocus),
        on("LengthHours", Event::Change, &Form_Main::LengthHours_Change),
        on("LengthHours", Event::LostFocus, &Form_Main::LengthHours_LostFocus),
        on("LengthMinutes", Event::Change, &Form_Main::LengthMinutes_Change),
        on("LengthMinutes", Event::LostFocus, &Form_Main::LengthMinutes_LostFocus),
        on("LengthSeconds", Event::Change, &Form_Main::LengthSeconds_Change),
        on("LengthSeconds", Event::LostFocus, &Form_Main::LengthSeconds_LostFocus),
    };
    static_assert(everyControlBoundOnce(kBindings),
                  "every option bound on Click, every box on Change and LostFocus, once");
    for (const Binding& binding : kBindings) {
        QWidget* control = m_ui.control(binding.control);
        const auto run = [this, control, handler = binding.handler] {
            handleEvent(control, [this, handler] { (this->*handler)(); });
        };
        switch (binding.event) {
        case Event::Click:
            connect(static_cast<OptionButton*>(control), &OptionButton::Click, this, run);
            break;
        case Event::Change:
            connect(static_cast<TextBox*>(control), &TextBox::Change, this, run);
            break;
        case Event::LostFocus:
            connect(static_cast<TextBox*>(control), &TextBox::LostFocus, this, run);
            break;
        }
        if (binding.reads) {
            m_readsFrom.insert(control, static_cast<const TextBox*>(m_ui.control(*binding.reads)));
        }
    }
}

void Form_Main::handleEvent(QWidget* source, const std::function<void()>& handler) {
    // Qt cannot carry an exception through its event delivery: the handler ends
    // here and the user is told once the event chain has unwound.
    try {
        handler();
    } catch (const CalcError& error) {
        const TextBox* box = m_readsFrom.value(source, qobject_cast<const TextBox*>(source));
        m_errors->add(box ? describeFailure(box->accessibleName(), box->text(),
                                            QString::fromUtf8(error.what()))
                          : describeFailure(QString::fromUtf8(error.what())));
    } catch (const std::exception& error) {
        m_errors->addFault(describeFault(QString::fromUtf8(error.what())));
    } catch (...) {
        m_errors->addFault(describeFault(tr("an unknown exception")));
    }
}

void Form_Main::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        m_ui.colourFixedText(palette().color(QPalette::Window));
    }
}

void Form_Main::showResult(const QString& kbps) {
    m_ui.label(kResultLabel)->setText(kbps);
    m_announcer->resultShown(kbps);
}

void Form_Main::write(TextBox* box, const std::string& text) {
    box->setText(QString::fromStdString(text));
}

std::string Form_Main::textOf(const TextBox* box) {
    return box->text().toStdString();
}

void Form_Main::recompute() {
    CalcVideoBitRate(m_state, m_display);
}

} // namespace quorvel
