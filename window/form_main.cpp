#include "form_main.h"

#include <exception>

#include <QAccessible>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

#include "controls.h"
#include "error_report.h"
#include "errors.h"
#include "fonts.h"
#include "layout_table.h"
#include "quorvel_icon_pixels.h"

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

// What a screen reader says a box is; it reads the box's text as its value.
struct SpokenName {
    const char* control;
    const char* name;
};
constexpr SpokenName kSpokenNames[] = {
    {"FileSectors", "sectors"}, {"FileBytes", "bytes / sector"}, {"AudioKBPS", "audio kbps"},
    {"LengthHours", "hours"},   {"LengthMinutes", "minutes"},    {"LengthSeconds", "seconds"},
};

} // namespace

Form_Main::Form_Main(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    setWindowIcon(ApplicationIcon());
    setFont(MakeFont(WindowFont()));
    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));

    m_errors = new ErrorReport(this);
    BuildControls();
    BindControls();
    ConnectEvents();
    Raise(this, &Form_Main::Form_Load);
}

void Form_Main::BuildControls() {
    QList<QWidget*> tabOrder;
    for (const ControlRow& row : LayoutTable()) {
        QWidget* container = row.container ? control(QString::fromLatin1(row.container)) : this;
        QWidget* widget = CreateControl(row, container);
        widget->setObjectName(QString::fromLatin1(row.name));
        if (row.font.family) {
            widget->setFont(MakeFont(row.font));
        }
        if (row.colour.red >= 0) {
            QPalette palette = widget->palette();
            palette.setColor(QPalette::WindowText,
                             QColor(row.colour.red, row.colour.green, row.colour.blue));
            widget->setPalette(palette);
        }
        Place(widget, row);
        if (row.sizedToText) {
            widget->adjustSize();
        }
        if (row.kind == ControlKind::TextBox || row.kind == ControlKind::OptionButton) {
            tabOrder.append(widget);
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        m_controls.insert(widget->objectName(), widget);
    }
    // The table lists the controls in tab order.
    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

void Form_Main::BindControls() {
    const auto find = [this](const char* name) { return control(QString::fromLatin1(name)); };
    m_File650 = qobject_cast<OptionButton*>(find("File650"));
    m_FileOther = qobject_cast<OptionButton*>(find("FileOther"));
    m_FileSectors = qobject_cast<TextBox*>(find("FileSectors"));
    m_FileBytes = qobject_cast<TextBox*>(find("FileBytes"));
    m_Audio96 = qobject_cast<OptionButton*>(find("Audio96"));
    m_AudioOther = qobject_cast<OptionButton*>(find("AudioOther"));
    m_AudioKBPS = qobject_cast<TextBox*>(find("AudioKBPS"));
    m_LengthHours = qobject_cast<TextBox*>(find("LengthHours"));
    m_LengthMinutes = qobject_cast<TextBox*>(find("LengthMinutes"));
    m_LengthSeconds = qobject_cast<TextBox*>(find("LengthSeconds"));
    m_VideoBitRate = qobject_cast<QLabel*>(find("VideoBitRate"));

    m_rewrite = [this](Box box, const std::string& text) {
        TextBox* const boxes[] = {m_FileSectors, m_FileBytes,     m_AudioKBPS,
                                  m_LengthHours, m_LengthMinutes, m_LengthSeconds};
        Write(boxes[static_cast<int>(box)], text);
    };
    for (const SpokenName& spoken : kSpokenNames) {
        control(QString::fromLatin1(spoken.control))
            ->setAccessibleName(QString::fromLatin1(spoken.name));
    }
    m_VideoBitRate->setAccessibleDescription(tr("Recommended video bitrate in kbps"));
    m_display = [this](const std::string& text) { ShowResult(QString::fromStdString(text)); };
}

void Form_Main::ConnectEvents() {
    enum Event { Click, Change, LostFocus };
    struct Binding {
        const char* control;
        Event event;
        Handler handler;
    };
    static const Binding bindings[] = {
        {"File650", Click, &Form_Main::File650_Click},
        {"File700", Click, &Form_Main::File700_Click},
        {"File651", Click, &Form_Main::File651_Click},
        {"File654", Click, &Form_Main::File654_Click},
        {"File702", Click, &Form_Main::File702_Click},
        {"FileOther", Click, &Form_Main::FileOther_Click},
        {"FileSectors", Change, &Form_Main::FileSectors_Change},
        {"FileSectors", LostFocus, &Form_Main::FileSectors_LostFocus},
        {"FileBytes", Change, &Form_Main::FileBytes_Change},
        {"FileBytes", LostFocus, &Form_Main::FileBytes_LostFocus},
        {"Audio96", Click, &Form_Main::Audio96_Click},
        {"Audio112", Click, &Form_Main::Audio112_Click},
        {"Audio128", Click, &Form_Main::Audio128_Click},
        {"Audio160", Click, &Form_Main::Audio160_Click},
        {"Audio192", Click, &Form_Main::Audio192_Click},
        {"Audio224", Click, &Form_Main::Audio224_Click},
        {"Audio256", Click, &Form_Main::Audio256_Click},
        {"Audio320", Click, &Form_Main::Audio320_Click},
        {"AudioOther", Click, &Form_Main::AudioOther_Click},
        {"AudioKBPS", Change, &Form_Main::AudioKBPS_Change},
        {"AudioKBPS", LostFocus, &Form_Main::AudioKBPS_LostFocus},
        {"LengthHours", Change, &Form_Main::LengthHours_Change},
        {"LengthHours", LostFocus, &Form_Main::LengthHours_LostFocus},
        {"LengthMinutes", Change, &Form_Main::LengthMinutes_Change},
        {"LengthMinutes", LostFocus, &Form_Main::LengthMinutes_LostFocus},
        {"LengthSeconds", Change, &Form_Main::LengthSeconds_Change},
        {"LengthSeconds", LostFocus, &Form_Main::LengthSeconds_LostFocus},
    };
    for (const Binding& binding : bindings) {
        QWidget* source = control(QString::fromLatin1(binding.control));
        const auto run = [this, source, handler = binding.handler] { Raise(source, handler); };
        if (binding.event == Click) {
            connect(qobject_cast<OptionButton*>(source), &OptionButton::Click, this, run);
        } else if (binding.event == Change) {
            connect(qobject_cast<TextBox*>(source), &TextBox::Change, this, run);
        } else {
            connect(qobject_cast<TextBox*>(source), &TextBox::LostFocus, this, run);
        }
    }
}

void Form_Main::Raise(QWidget* source, Handler handler) {
    try {
        (this->*handler)();
    } catch (const std::exception& error) {
        // Qt cannot carry an exception through its event delivery: the handler
        // ends here and the user is told once the event chain has unwound.
        const TextBox* readFrom =
            source == m_AudioOther ? m_AudioKBPS : qobject_cast<const TextBox*>(source);
        m_errors->Add(DescribeFailure(source->objectName(), readFrom ? readFrom->text() : QString(),
                                      QString::fromUtf8(error.what())));
    }
}

void Form_Main::ShowResult(const QString& kbps) {
    m_VideoBitRate->setText(kbps);
    // The label alone would say only the number; say what it is, and that it changed.
    m_VideoBitRate->setAccessibleName(tr("Recommended video bitrate: %1 kbps").arg(kbps));
    QAccessibleEvent changed(m_VideoBitRate, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void Form_Main::Write(TextBox* box, const std::string& text) {
    box->setText(QString::fromStdString(text));
}

std::string Form_Main::Text(const TextBox* box) {
    return box->text().toStdString();
}

void Form_Main::Recompute() {
    CalcVideoBitRate(m_state, m_display);
}

} // namespace quorvel
