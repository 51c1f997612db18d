#pragma once

#include <QColor>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

// Thin control classes that give Qt's widgets the events the window's handlers
// are written against. Each adds its event rule and keeps no calculation state.
namespace quorvel {

// A one-line text box.
//   Change: on every change of the text, by the user (typing, deleting, pasting,
//     cutting) or by the program; delivered inside the write, so the handler has
//     run to its end when setText returns. Writing the same text raises nothing.
//   LostFocus: when the focus moves from the box to another control of the
//     window. Another application or a dialog taking the focus, or a context
//     menu opening, leaves the box holding the window's focus: nothing is raised.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Where the box draws its caret, from its left edge, after the text's
    // alignment and scrolling.
    int caretX() const;
    // Where the box draws the top of its text line, from its top edge.
    int textTop() const;

signals:
    void Change();
    void LostFocus();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

// An option of an exclusive group (the options that share a frame).
//   Click: when the user chooses it, or the program selects it while it was not
//     selected, inside the write. The option cleared by the choice raises nothing,
//     and choosing the option already selected raises nothing.
// Options take the focus on a mouse press on every platform, so the LostFocus of
// the box being left, and all it sets off, has run before the Click. A click
// anywhere in the option's rectangle chooses it, not only one on its indicator
// or caption. Tab stops at the selected option of a group, however it was
// selected.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(QWidget* parent = nullptr);

    // Selects the option as the program does.
    void select() { setChecked(true); }

signals:
    void Click();

protected:
    bool hitButton(const QPoint& pos) const override;

private:
    void becomeTabStop();
};

// A captioned frame around a group of controls placed inside it at fixed
// positions. Its etched border runs through the middle of the caption, so the
// controls placed close under the top edge stand clear of it.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A straight rule of one pixel from the top-left corner of its geometry.
class Line : public QWidget {
    Q_OBJECT
public:
    Line(QColor colour, QWidget* parent = nullptr);
    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};

} // namespace quorvel
