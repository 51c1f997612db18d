#include "controls.h"

#include <QFocusEvent>
#include <QPainter>

namespace quorvel {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        emit LostFocus();
    }
}

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::toggled, this, [this](bool selected) {
        if (selected) {
            emit Click();
        }
    });
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
