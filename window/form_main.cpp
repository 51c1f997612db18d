#include "form_main.h"

#include <exception>
#include <string>
#include <type_traits>
#include <variant>

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

#include "calc_state.h"
#include "controls.h"
#include "error_report.h"
#include "errors.h"
#include "fonts.h"
#include "quorvel_icon_pixels.h"
#include "text_colours.h"

namespace quorvel {
namespace {

// The window's icon up to 64 pixels, enough for a title bar or task bar at twice
// the scale. The pixels are built in, so nothing is read or decoded for it.
QIcon ApplicationIcon() {
    QIcon icon;
    for (const IconPixels& image : kWindowIcon) {
        icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(image.argb),
                                                 image.size, image.size, image.size * 4,
                                                 QImage::Format_ARGB32_Premultiplied)));
    }
    return icon;
}

Qt::Alignment ToQt(Alignment alignment) {
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

QWidget* CreateControl(const ControlRow& row, QWidget* parent) {
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(text, parent);
        // Captions sit at the top of their box, as the layout was drawn.
        label->setAlignment(ToQt(row.alignment) | Qt::AlignTop);
        return label;
    }
    case ControlKind::TextBox: {
        auto* box = new TextBox(parent);
        box->setText(text);
        box->setAlignment(ToQt(row.alignment) | Qt::AlignVCenter);
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
    case ControlKind::Line:
        return new Line(QColor(row.colour.red, row.colour.green, row.colour.blue), parent);
    }
    return nullptr;
}

void Place(QWidget* control, const ControlRow& row) {
    if (row.kind == ControlKind::Line) {
        // A rule covers both of its end points.
        control->setGeometry(TwipsToPixels(row.left), TwipsToPixels(row.top),
                             TwipsToPixels(row.width) + 1, TwipsToPixels(row.height) + 1);
        return;
    }
    control->setGeometry(TwipsToPixels(row.left), TwipsToPixels(row.top), TwipsToPixels(row.width),
                         TwipsToPixels(row.height));
}

// The control a slot of `controls` holds; none for a row that fills no slot.
QObject* FilledBy(const FormControls& controls, const ControlSlot& slot) {
    return std::visit(
        [&controls](auto member) -> QObject* {
            if constexpr (std::is_same_v<decltype(member), std::monostate>) {
                return nullptr;
            } else {
                return controls.*member;
            }
        },
        slot);
}

enum class Kept { Kept, OfAnotherKind, FilledBefore };

// Stores a built control where the handlers find it, typed as its row says.
Kept Keep(FormControls& controls, const ControlSlot& slot, QWidget* widget) {
    if (FilledBy(controls, slot)) {
        return Kept::FilledBefore;
    }
    return std::visit(
        [&controls, widget](auto member) {
            if constexpr (std::is_same_v<decltype(member), std::monostate>) {
                return Kept::Kept;
            } else {
                using Control =
                    std::remove_pointer_t<std::remove_reference_t<decltype(controls.*member)>>;
                controls.*member = qobject_cast<Control*>(widget);
                return controls.*member ? Kept::Kept : Kept::OfAnotherKind;
            }
        },
        slot);
}

// The member of FormControls that `slot` names.
std::string SlotName(const ControlSlot& slot) {
    for (const HandlerControl& control : HandlerControls()) {
        if (control.slot == slot) {
            return control.name;
        }
    }
    return "a control of no name";
}

[[noreturn]] void RefuseRow(const ControlRow& row, const std::string& problem) {
    throw LayoutError("layout row " + std::string(row.name) + ": " + problem);
}

} // namespace

Form_Main::Form_Main(QWidget* parent) : Form_Main(LayoutTable(), parent) {}

Form_Main::Form_Main(std::span<const ControlRow> layout, QWidget* parent) : QWidget(parent) {
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    setWindowIcon(ApplicationIcon());
    setFont(MakeFont(WindowFont()));
    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));

    m_errors = new ErrorReport(this);
    m_rewrite = [this](Box box, const std::string& text) {
        TextBox* const boxes[] = {m_controls.FileSectors,   m_controls.FileBytes,
                                  m_controls.AudioKBPS,     m_controls.LengthHours,
                                  m_controls.LengthMinutes, m_controls.LengthSeconds};
        write(boxes[static_cast<int>(box)], text);
    };
    m_display = [this](const std::string& text) { showResult(QString::fromStdString(text)); };
    buildControls(layout);
    colourFixedText();
    connectEvents();
    // A screen reader that speaks only the control with the focus hears the
    // result through that control's description.
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this,
                           [this](QWidget*, QWidget* now) { describeResultTo(now); });
    connect(m_errors, &ErrorReport::faultReported, this, &QWidget::close);
    m_resultSettles.setSingleShot(true);
    connect(&m_resultSettles, &QTimer::timeout, this, &Form_Main::resultSettled);
    // A message that a number could not be used is read out in place of the
    // result it leaves, and the box it returns the focus to describes that.
    connect(m_errors, &ErrorReport::reported, this, [this] {
        m_resultSettles.stop();
        m_toldResult = m_spokenResult;
    });
    handleEvent(this, [this] { Form_Load(); });
    // The window opens with its start-up result, which its first reading tells.
    m_resultSettles.stop();
    m_toldResult = m_spokenResult;
}

Form_Main::~Form_Main() {
    // The controls going away move the focus; this window must not hear of it
    // once it is only partly there.
    disconnect(m_focusWatch);
}

// A wrong table is refused here, in every build, rather than leaving a control
// out of the window or a handler without its control.
void Form_Main::buildControls(std::span<const ControlRow> layout) {
    QHash<QString, QWidget*> frames;
    QList<QWidget*> tabOrder;
    for (const ControlRow& row : layout) {
        QWidget* container = this;
        if (row.container) {
            container = frames.value(QString::fromLatin1(row.container));
            if (!container) {
                RefuseRow(row, "its container " + std::string(row.container) +
                                   " is not a frame of an earlier row");
            }
        }
        QWidget* widget = CreateControl(row, container);
        widget->setObjectName(QString::fromLatin1(row.name));
        if (row.kind == ControlKind::Frame) {
            frames.insert(widget->objectName(), widget);
        }
        if (row.font.family) {
            widget->setFont(MakeFont(row.font));
        }
        if (row.colour.red >= 0 && row.kind != ControlKind::Line) {
            m_fixedColours.push_back(
                {widget, QColor(row.colour.red, row.colour.green, row.colour.blue)});
        }
        Place(widget, row);
        if (row.kind == ControlKind::Label || row.kind == ControlKind::OptionButton) {
            FitCaption(widget, row, ToQt(row.alignment), layout);
        }
        if (row.sizedToText) {
            widget->adjustSize();
        }
        if (row.kind == ControlKind::TextBox || row.kind == ControlKind::OptionButton) {
            tabOrder.append(widget);
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        if (row.spokenName) {
            widget->setAccessibleName(QString::fromUtf8(row.spokenName));
        }
        switch (Keep(m_controls, row.slot, widget)) {
        case Kept::OfAnotherKind:
            RefuseRow(row, "it is not of the kind of " + SlotName(row.slot) +
                               ", the control the handlers expect there");
        case Kept::FilledBefore:
            RefuseRow(row, "it builds " + SlotName(row.slot) + ", which an earlier row built");
        case Kept::Kept:
            break;
        }
        if (row.readsFrom) {
            m_readsFrom.insert(widget, row.readsFrom);
        }
    }
    for (const HandlerControl& control : HandlerControls()) {
        if (!FilledBy(m_controls, control.slot)) {
            throw LayoutError("layout: no row builds " + std::string(control.name) +
                              ", a control the handlers need");
        }
    }
    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    m_controls.VideoBitRate->setAccessibleDescription(tr("Recommended video bitrate in kbps"));
}

void Form_Main::connectEvents() {
    using Handler = void (Form_Main::*)();
    const auto run = [this](QWidget* source, Handler handler) {
        return [this, source, handler] {
            handleEvent(source, [this, handler] { (this->*handler)(); });
        };
    };
    const auto onClick = [this, &run](OptionButton* option, Handler handler) {
        connect(option, &OptionButton::Click, this, run(option, handler));
    };
    const auto onChange = [this, &run](TextBox* box, Handler change, Handler lostFocus) {
        connect(box, &TextBox::Change, this, run(box, change));
        connect(box, &TextBox::LostFocus, this, run(box, lostFocus));
    };
    const FormControls& c = m_controls;
    onClick(c.File650, &Form_Main::File650_Click);
    onClick(c.File700, &Form_Main::File700_Click);
    onClick(c.File651, &Form_Main::File651_Click);
    onClick(c.File654, &Form_Main::File654_Click);
    onClick(c.File702, &Form_Main::File702_Click);
    onClick(c.FileOther, &Form_Main::FileOther_Click);
    onChange(c.FileSectors, &Form_Main::FileSectors_Change, &Form_Main::FileSectors_LostFocus);
    onChange(c.FileBytes, &Form_Main::FileBytes_Change, &Form_Main::FileBytes_LostFocus);
    onClick(c.Audio96, &Form_Main::Audio96_Click);
    onClick(c.Audio112, &Form_Main::Audio112_Click);
    onClick(c.Audio128, &Form_Main::Audio128_Click);
    onClick(c.Audio160, &Form_Main::Audio160_Click);
    onClick(c.Audio192, &Form_Main::Audio192_Click);
    onClick(c.Audio224, &Form_Main::Audio224_Click);
    onClick(c.Audio256, &Form_Main::Audio256_Click);
    onClick(c.Audio320, &Form_Main::Audio320_Click);
    onClick(c.AudioOther, &Form_Main::AudioOther_Click);
    onChange(c.AudioKBPS, &Form_Main::AudioKBPS_Change, &Form_Main::AudioKBPS_LostFocus);
    onChange(c.LengthHours, &Form_Main::LengthHours_Change, &Form_Main::LengthHours_LostFocus);
    onChange(c.LengthMinutes, &Form_Main::LengthMinutes_Change,
             &Form_Main::LengthMinutes_LostFocus);
    onChange(c.LengthSeconds, &Form_Main::LengthSeconds_Change,
             &Form_Main::LengthSeconds_LostFocus);
}

void Form_Main::handleEvent(QWidget* source, const std::function<void()>& handler) {
    // Every event of the user's puts off a pending word on the result, so that
    // a burst of keystrokes is followed by one, on its final result. Only the
    // time is noted: the timer, a call into the system each time it is set,
    // is set once a pause and looks at the time when it runs out.
    if (m_resultSettles.isActive()) {
        m_lastEvent = std::chrono::steady_clock::now();
    }
    // Qt cannot carry an exception through its event delivery: the handler ends
    // here and the user is told once the event chain has unwound.
    try {
        handler();
    } catch (const CalcError& error) {
        const TextBox* box = qobject_cast<const TextBox*>(source);
        if (const auto readsFrom = m_readsFrom.value(source)) {
            box = m_controls.*readsFrom;
        }
        m_errors->add(box ? DescribeFailure(box->accessibleName(), box->text(),
                                            QString::fromUtf8(error.what()))
                          : DescribeFailure(QString::fromUtf8(error.what())));
    } catch (const std::exception& error) {
        m_errors->addFault(DescribeFault(QString::fromUtf8(error.what())));
    } catch (...) {
        m_errors->addFault(DescribeFault(tr("an unknown exception")));
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
        palette.setColor(QPalette::WindowText, ReadableOn(fixed.designed, background));
        fixed.label->setPalette(palette);
    }
}

void Form_Main::showResult(const QString& kbps) {
    m_controls.VideoBitRate->setText(kbps);
    // The label alone would say only the number: say what it is. Setting the
    // name announces the change, so it is set only when what is said changes.
    const QString spoken = tr("Recommended video bitrate: %1 kbps").arg(kbps);
    if (spoken == m_spokenResult) {
        return;
    }
    m_spokenResult = spoken;
    m_controls.VideoBitRate->setAccessibleName(spoken);
    m_lastEvent = std::chrono::steady_clock::now();
    if (!m_resultSettles.isActive()) {
        m_resultSettles.start(kResultPause);
    }
    // A screen reader speaks a focused box's new description over the echo of
    // the keys being typed, each one cutting off the last: the box being typed
    // in describes the result once typing pauses. Any other control (an option
    // chosen by click or arrow key) describes it at once, as the focus arrives.
    QWidget* focused = QApplication::focusWidget();
    if (!qobject_cast<TextBox*>(focused)) {
        describeResultTo(focused);
    }
}

void Form_Main::resultSettled() {
    const auto since = std::chrono::steady_clock::now() - m_lastEvent;
    if (since < kResultPause) {
        m_resultSettles.start(std::chrono::ceil<std::chrono::milliseconds>(kResultPause - since));
        return;
    }
    describeResultTo(QApplication::focusWidget());
#if defined(Q_OS_WIN) && QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Windows screen readers do not read a description that changes under the
    // focus, but they speak an announcement (a UI Automation notification).
    // Elsewhere the description's change is spoken, and an announcement too
    // would say the result twice.
    if (m_spokenResult != m_toldResult) {
        QAccessibleAnnouncementEvent announcement(m_controls.VideoBitRate, m_spokenResult);
        announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
        QAccessible::updateAccessibility(&announcement);
    }
#endif
    m_toldResult = m_spokenResult;
}

void Form_Main::describeResultTo(QWidget* control) {
    if (control && control->window() == this &&
        control->accessibleDescription() != m_spokenResult) {
        control->setAccessibleDescription(m_spokenResult);
    }
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
