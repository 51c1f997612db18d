#include "form_main.h"

#include <array>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

#include "calc_state.h"
#include "controls.h"
#include "conversions.h"
#include "error_report.h"
#include "errors.h"
#include "fonts.h"
#include "quorvel_icon_pixels.h"
#include "result_announcer.h"
#include "text_colours.h"

namespace quorvel {
namespace {

// The window's icon up to 64 pixels, enough for a title bar or task bar at twice
// the scale. The pixels are built in, so nothing is read or decoded for it.
QIcon applicationIcon() {
    QIcon icon;
    for (const IconPixels& image : kWindowIcon) {
        icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(image.argb),
                                                 image.size, image.size, image.size * 4,
                                                 QImage::Format_ARGB32_Premultiplied)));
    }
    return icon;
}

Qt::Alignment toQt(Alignment alignment) {
    switch (alignment) {
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QWidget* createControl(const ControlRow& row, QWidget* parent) {
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(text, parent);
        // Captions sit at the top of their box, as the layout was drawn.
        label->setAlignment(toQt(row.alignment) | Qt::AlignTop);
        return label;
    }
    case ControlKind::TextBox: {
        auto* box = new TextBox(parent);
        box->setText(text);
        box->setAlignment(toQt(row.alignment) | Qt::AlignVCenter);
        if (row.maxLength > 0) {
            box->setMaxLength(row.maxLength);
        }
        return box;
    }
    case ControlKind::Frame:
        return new Frame(text, parent);
    case ControlKind::OptionButton: {
        auto* option = new OptionButton(parent);
        option->setText(text);
        option->setChecked(row.selected);
        return option;
    }
    case ControlKind::Line: {
        const Rgb colour = row.colour.value_or(Rgb{});
        return new Line(QColor(colour.red, colour.green, colour.blue), parent);
    }
    }
    return nullptr;
}

void place(QWidget* control, const ControlRow& row) {
    if (row.kind == ControlKind::Line) {
        // A rule covers both of its end points.
        control->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top),
                             twipsToPixels(row.width) + 1, twipsToPixels(row.height) + 1);
        return;
    }
    control->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
                         twipsToPixels(row.height));
}

// The boxes of FormControls that the core names, in the order of its Box enum,
// so that a rewrite it reports reaches the box it means.
constexpr std::array<std::pair<Box, TextBox * FormControls::*>, 6> kRewrittenBoxes = {{
    {Box::FileSectors, &FormControls::FileSectors},
    {Box::FileBytes, &FormControls::FileBytes},
    {Box::AudioKBPS, &FormControls::AudioKBPS},
    {Box::LengthHours, &FormControls::LengthHours},
    {Box::LengthMinutes, &FormControls::LengthMinutes},
    {Box::LengthSeconds, &FormControls::LengthSeconds},
}};

constexpr bool InTheCoresOrder() {
    for (std::size_t i = 0; i < kRewrittenBoxes.size(); ++i) {
        if (kRewrittenBoxes[i].first != static_cast<Box>(i)) {
            return false;
        }
    }
    return kRewrittenBoxes.size() == static_cast<std::size_t>(Box::LengthSeconds) + 1;
}
static_assert(InTheCoresOrder(), "every box of the core, in the order of its Box enum");

[[noreturn]] void refuseRow(const ControlRow& row, const std::string& problem) {
    throw LayoutError("layout row " + std::string(row.name) + ": " + problem);
}

// The control of the handlers named `name` among `controls`, of the kind they
// expect; a table without it, or with one of another kind, is refused.
template <typename Control>
Control* Find(const QHash<QString, QWidget*>& controls, const char* name) {
    QWidget* widget = controls.value(QString::fromLatin1(name));
    if (!widget) {
        throw LayoutError("layout: no row builds " + std::string(name) +
                          ", a control the handlers need");
    }
    auto* control = qobject_cast<Control*>(widget);
    if (!control) {
        throw LayoutError("layout row " + std::string(name) + ": it is not of the kind of " + name +
                          ", the control the handlers expect there");
    }
    return control;
}

} // namespace

Form_Main::Form_Main(QWidget* parent) : Form_Main(layoutTable(), parent) {}

Form_Main::Form_Main(std::span<const ControlRow> layout, QWidget* parent) : QWidget(parent) {
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    setWindowIcon(applicationIcon());
    setFont(makeFont(windowFont()));
    setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));

    m_errors = new ErrorReport(this);
    connect(m_errors, &ErrorReport::faultReported, this, &QWidget::close);
    const std::vector<QWidget*> built = createAndPlace(layout);
    styleAndFit(layout, built);
    setTabOrderAndAccessibility(layout, built);
    bindControls(layout, built);
    m_announcer = std::make_unique<ResultAnnouncer>(this, m_controls.VideoBitRate, *m_errors);
    m_rewrite = [this](Box box, const std::string& text) {
        write(m_controls.*kRewrittenBoxes[static_cast<std::size_t>(box)].second, text);
    };
    m_display = [this](const std::string& text) { showResult(QString::fromStdString(text)); };
    handleEvent(this, [this] { Form_Load(); });
}

// The announcer goes first, while the controls whose focus it follows are whole.
Form_Main::~Form_Main() = default;

// Every control of the table, in its container, at its place. A row placed in
// a frame that no earlier row builds is refused, in every build, rather than
// leaving a control out of the window.
std::vector<QWidget*> Form_Main::createAndPlace(std::span<const ControlRow> layout) {
    QHash<QString, QWidget*> frames;
    std::vector<QWidget*> built;
    for (const ControlRow& row : layout) {
        QWidget* container = this;
        if (row.container) {
            container = frames.value(QString::fromLatin1(row.container));
            if (!container) {
                refuseRow(row, "its container " + std::string(row.container) +
                                   " is not a frame of an earlier row");
            }
        }
        QWidget* widget = createControl(row, container);
        widget->setObjectName(QString::fromLatin1(row.name));
        if (row.kind == ControlKind::Frame) {
            frames.insert(widget->objectName(), widget);
        }
        place(widget, row);
        built.push_back(widget);
    }
    return built;
}

// Each control's font and colour; a caption drawn in a face wider than the
// layout's made just small enough to show whole, the result label's for the
// widest result.
void Form_Main::styleAndFit(std::span<const ControlRow> layout,
                            const std::vector<QWidget*>& built) {
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const ControlRow& row = layout[i];
        QWidget* widget = built[i];
        if (row.font.family) {
            widget->setFont(makeFont(row.font));
        }
        if (row.colour && row.kind != ControlKind::Line) {
            m_fixedColours.push_back(
                {widget, QColor(row.colour->red, row.colour->green, row.colour->blue)});
        }
        if (row.kind == ControlKind::Label || row.kind == ControlKind::OptionButton) {
            const QString caption = row.name == kResultLabel
                                        ? QString::fromStdString(LongToText(kLargestVideoKbps))
                                        : QString::fromUtf8(row.text);
            fitCaption(widget, row, caption, toQt(row.alignment), layout);
        }
        if (row.sizedToText) {
            widget->adjustSize();
        }
    }
    colourFixedText();
}

// Tab goes through the boxes and options in the table's order; the other
// controls take no focus. Boxes speak what they are, the result label what its
// number is.
void Form_Main::setTabOrderAndAccessibility(std::span<const ControlRow> layout,
                                            const std::vector<QWidget*>& built) {
    QList<QWidget*> tabOrder;
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const ControlRow& row = layout[i];
        QWidget* widget = built[i];
        if (row.kind == ControlKind::TextBox || row.kind == ControlKind::OptionButton) {
            tabOrder.append(widget);
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        if (row.spokenName) {
            widget->setAccessibleName(QString::fromUtf8(row.spokenName));
        }
        if (row.name == kResultLabel) {
            widget->setAccessibleDescription(tr("Recommended video bitrate in kbps"));
        }
    }
    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

// The controls of the handlers found by their rows' names, and every event the
// handlers hear tied to its handler. A table that names two rows alike, that
// has no row for a control of the handlers or builds it of another kind, is
// refused, in every build, rather than leaving a handler without its control.
void Form_Main::bindControls(std::span<const ControlRow> layout,
                             const std::vector<QWidget*>& built) {
    QHash<QString, QWidget*> byName;
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const QString name = QString::fromLatin1(layout[i].name);
        if (byName.contains(name)) {
            refuseRow(layout[i], "an earlier row has the same name");
        }
        byName.insert(name, built[i]);
    }
    for (const FormControl& control : FormControlList()) {
        std::visit(
            [&](auto member) {
                using Control =
                    std::remove_pointer_t<std::remove_reference_t<decltype(m_controls.*member)>>;
                m_controls.*member = Find<Control>(byName, control.name);
            },
            control.member);
    }
    connectEvents(byName);
}

// Which handler runs on which event of which control, by the control's name.
void Form_Main::connectEvents(const QHash<QString, QWidget*>& controls) {
    using Handler = void (Form_Main::*)();
    enum class Event { Click, Change, LostFocus };
    struct Binding {
        const char* control;
        Event event;
        Handler handler;
        // The box whose number the handler reads, which a message about it names.
        const char* reads = nullptr;
    };
    static constexpr Binding kBindings[] = {
        {"File650", Event::Click, &Form_Main::File650_Click},
        {"File700", Event::Click, &Form_Main::File700_Click},
        {"File651", Event::Click, &Form_Main::File651_Click},
        {"File654", Event::Click, &Form_Main::File654_Click},
        {"File702", Event::Click, &Form_Main::File702_Click},
        {"FileOther", Event::Click, &Form_Main::FileOther_Click},
        {"FileSectors", Event::Change, &Form_Main::FileSectors_Change},
        {"FileSectors", Event::LostFocus, &Form_Main::FileSectors_LostFocus},
        {"FileBytes", Event::Change, &Form_Main::FileBytes_Change},
        {"FileBytes", Event::LostFocus, &Form_Main::FileBytes_LostFocus},
        {"Audio96", Event::Click, &Form_Main::Audio96_Click},
        {"Audio112", Event::Click, &Form_Main::Audio112_Click},
        {"Audio128", Event::Click, &Form_Main::Audio128_Click},
        {"Audio160", Event::Click, &Form_Main::Audio160_Click},
        {"Audio192", Event::Click, &Form_Main::Audio192_Click},
        {"Audio224", Event::Click, &Form_Main::Audio224_Click},
        {"Audio256", Event::Click, &Form_Main::Audio256_Click},
        {"Audio320", Event::Click, &Form_Main::Audio320_Click},
        {"AudioOther", Event::Click, &Form_Main::AudioOther_Click, "AudioKBPS"},
        {"AudioKBPS", Event::Change, &Form_Main::AudioKBPS_Change},
        {"AudioKBPS", Event::LostFocus, &Form_Main::AudioKBPS_LostFocus},
        {"LengthHours", Event::Change, &Form_Main::LengthHours_Change},
        {"LengthHours", Event::LostFocus, &Form_Main::LengthHours_LostFocus},
        {"LengthMinutes", Event::Change, &Form_Main::LengthMinutes_Change},
        {"LengthMinutes", Event::LostFocus, &Form_Main::LengthMinutes_LostFocus},
        {"LengthSeconds", Event::Change, &Form_Main::LengthSeconds_Change},
        {"LengthSeconds", Event::LostFocus, &Form_Main::LengthSeconds_LostFocus},
    };
    for (const Binding& binding : kBindings) {
        const auto run = [this, handler = binding.handler](QWidget* source) {
            return [this, source, handler] {
                handleEvent(source, [this, handler] { (this->*handler)(); });
            };
        };
        if (binding.event == Event::Click) {
            auto* option = Find<OptionButton>(controls, binding.control);
            connect(option, &OptionButton::Click, this, run(option));
            if (binding.reads) {
                m_readsFrom.insert(option, Find<TextBox>(controls, binding.reads));
            }
        } else {
            auto* box = Find<TextBox>(controls, binding.control);
            connect(box, binding.event == Event::Change ? &TextBox::Change : &TextBox::LostFocus,
                    this, run(box));
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
        colourFixedText();
    }
}

void Form_Main::colourFixedText() {
    const QColor background = palette().color(QPalette::Window);
    for (const FixedColour& fixed : m_fixedColours) {
        QPalette palette = fixed.label->palette();
        palette.setColor(QPalette::WindowText, readableOn(fixed.designed, background));
        fixed.label->setPalette(palette);
    }
}

void Form_Main::showResult(const QString& kbps) {
    m_controls.VideoBitRate->setText(kbps);
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
