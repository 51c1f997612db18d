#include "form_main_ui.h"

#include <string>

#include <QAccessible>
#include <QCoreApplication>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

#include "controls.h"
#include "conversions.h"
#include "fonts.h"
#include "quorvel_icon_pixels.h"
#include "text_box_accessible.h"
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
    // A rule covers both of its end points.
    const int extra = row.kind == ControlKind::Line ? 1 : 0;
    control->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top),
                         twipsToPixels(row.width) + extra, twipsToPixels(row.height) + extra);
}

[[noreturn]] void refuseRow(const char* name, const std::string& problem) {
    throw LayoutError("layout row " + std::string(name) + ": " + problem);
}

// Whether the handlers read, write or hear from the control of this row of kLayout.
bool handlersUse(const ControlRow& row) {
    return row.kind == ControlKind::TextBox || row.kind == ControlKind::OptionButton ||
           row.name == kResultLabel;
}

} // namespace

void FormMainUi::setupUi(QWidget* form, std::span<const ControlRow> layout) {
    form->setWindowTitle(QString::fromLatin1(kWindowCaption));
    form->setWindowIcon(applicationIcon());
    form->setFont(makeFont(windowFont()));
    form->setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    // Each application forgets the factories it was given when it ends.
    QAccessible::installFactory(TextBoxAccessible::create);

    if (const auto row = rowInNoEarlierFrame(layout)) {
        refuseRow(layout[*row].name, "its container " + std::string(layout[*row].container) +
                                         " is not a frame of an earlier row");
    }
    if (const auto row = rowRepeatingAName(layout)) {
        refuseRow(layout[*row].name, "an earlier row has the same name");
    }
    const std::vector<QWidget*> built = createAndPlace(form, layout);
    styleAndFit(layout, built);
    colourFixedText(form->palette().color(QPalette::Window));
    setTabOrderAndAccessibility(form, layout, built);
    findControls(layout, built);
}

TextBox* FormMainUi::box(RowOf<ControlKind::TextBox> row) const {
    return static_cast<TextBox*>(m_controls[row.index()]);
}

OptionButton* FormMainUi::option(RowOf<ControlKind::OptionButton> row) const {
    return static_cast<OptionButton*>(m_controls[row.index()]);
}

QLabel* FormMainUi::label(RowOf<ControlKind::Label> row) const {
    return static_cast<QLabel*>(m_controls[row.index()]);
}

TextBox* FormMainUi::boxShowing(Box box) const {
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        if (kLayout[row].mirrors == box) {
            return static_cast<TextBox*>(m_controls[row]);
        }
    }
    return nullptr;
}

void FormMainUi::colourFixedText(const QColor& background) {
    for (const FixedColour& fixed : m_fixedColours) {
        QPalette palette = fixed.caption->palette();
        palette.setColor(QPalette::WindowText, readableOn(fixed.designed, background));
        fixed.caption->setPalette(palette);
    }
}

// Every control of the table, in its container, at its place.
std::vector<QWidget*> FormMainUi::createAndPlace(QWidget* form,
                                                 std::span<const ControlRow> layout) {
    QHash<QString, QWidget*> frames;
    std::vector<QWidget*> built;
    for (const ControlRow& row : layout) {
        QWidget* container =
            row.container ? frames.value(QString::fromLatin1(row.container)) : form;
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
void FormMainUi::styleAndFit(std::span<const ControlRow> layout,
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
}

// Tab goes through the boxes and options in the table's order; the other
// controls take no focus. Boxes speak what they are, the result label what its
// number is.
void FormMainUi::setTabOrderAndAccessibility(QWidget* form, std::span<const ControlRow> layout,
                                             const std::vector<QWidget*>& built) {
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const ControlRow& row = layout[i];
        QWidget* widget = built[i];
        if (row.kind == ControlKind::TextBox || row.kind == ControlKind::OptionButton) {
            if (previous) {
                form->setTabOrder(previous, widget);
            }
            previous = widget;
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        if (row.spokenName) {
            widget->setAccessibleName(QString::fromUtf8(row.spokenName));
        }
        if (row.name == kResultLabel) {
            widget->setAccessibleDescription(QCoreApplication::translate(
                "quorvel::Form_Main", "Recommended video bitrate in kbps"));
        }
    }
}

// The controls the handlers use, found by the names of kLayout's rows in the
// table built. A table that has no row for a control of the handlers, or
// builds it of another kind, is refused rather than leaving a handler without
// its control.
void FormMainUi::findControls(std::span<const ControlRow> layout,
                              const std::vector<QWidget*>& built) {
    QHash<QString, std::size_t> byName;
    for (std::size_t i = 0; i < layout.size(); ++i) {
        byName.insert(QString::fromLatin1(layout[i].name), i);
    }
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        const ControlRow& design = kLayout[row];
        const auto found = byName.constFind(QString::fromLatin1(design.name));
        if (found == byName.cend() || layout[*found].kind != design.kind) {
            if (!handlersUse(design)) {
                continue;
            }
            if (found == byName.cend()) {
                throw LayoutError("layout: no row builds " + std::string(design.name) +
                                  ", a control the handlers need");
            }
            refuseRow(design.name, "it is not of the kind of " + std::string(design.name) +
                                       ", the control the handlers expect there");
        }
        m_controls[row] = built[*found];
    }
}

} // namespace quorvel
