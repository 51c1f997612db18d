#include "controls.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>

namespace quorvel {
namespace {

// The options' captions were laid out for an indicator set close to its text;
// the platform's wider gap would push "Other:" past the option's right edge.
class CompactOptionStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_RadioButtonLabelSpacing ? qMin(value, 3) : value;
    }
};

// One style for every option of the application. It goes with the application
// that owns it; the pointer notices, and the next application gets a new one.
QStyle* optionStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new CompactOptionStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

int TextBox::caretX() const {
    // Qt's line edit starts the caret's rectangle five pixels before the caret
    // (QWidgetLineControl::rectForPos, the same in Qt 6.4 and 6.8), after its
    // margins, alignment and scrolling.
    return cursorRect().left() + 5;
}

int TextBox::textTop() const {
    // The caret's rectangle runs from the top of the text line, placed after
    // the box's margins and vertical alignment.
    return cursorRect().top();
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        emit LostFocus();
    }
}

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent) {
    setStyle(optionStyle());
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::toggled, this, [this](bool selected) {
        if (selected) {
            becomeTabStop();
            emit Click();
        }
    });
}

// Qt moves a group's Tab stop to the option that takes the focus; an option
// the program selects takes no focus, so it takes the Tab stop itself. An
// option of no group is its own Tab stop.
void OptionButton::becomeTabStop() {
    setFocusPolicy(Qt::StrongFocus);
    if (!parentWidget()) {
        return;
    }
    for (auto* option : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly)) {
        if (option != this) {
            option->setFocusPolicy(Qt::ClickFocus);
        }
    }
}

bool OptionButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

Frame::Frame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
    setFocusPolicy(Qt::NoFocus);
}

void Frame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int top = metrics.height() / 2;
    const QRect border(0, top, width() - 2, height() - top - 2);
    // An etched line: a shadow with a highlight one pixel below and right.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(border);

    const int captionLeft = 8;
    const QRect caption(captionLeft, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

Line::Line(QColor colour, QWidget* parent) : QWidget(parent), m_colour(colour) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(m_colour, 1));
    if (width() >= height()) {
        painter.drawLine(0, 0, width() - 1, 0);
    } else {
        painter.drawLine(0, 0, 0, height() - 1);
    }
}

} // namespace quorvel
