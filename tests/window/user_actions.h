#pragma once

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>

// What a user does with the mouse and keyboard, sent as real events.
namespace quorvel::test {

// Clicks near the left edge, where an option's indicator and a box's text are.
inline void clickOn(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
}

// Clicks into a box and selects all it holds, as before typing over it.
inline void selectAllIn(QLineEdit* box) {
    clickOn(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
}

// Types `text` where the cursor is, one key at a time; characters with no key
// of their own arrive as a keyboard layout or input method would send them.
inline void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0x20 && c.unicode() < 0x7F) {
            QTest::keyClick(widget, static_cast<char>(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// Types `text` over everything the box holds.
inline void typeOver(QLineEdit* box, const QString& text) {
    selectAllIn(box);
    type(box, text);
}

// Pastes `text` over everything the box holds.
inline void pasteOver(QLineEdit* box, const QString& text) {
    QApplication::clipboard()->setText(text);
    selectAllIn(box);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Moves the focus on from the widget that has it, as the Tab key does.
inline void pressTab() {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused, Qt::Key_Tab);
}

// Lets queued work run, such as an error report waiting for its chain to unwind.
inline void settle() {
    QApplication::processEvents();
}

} // namespace quorvel::test
