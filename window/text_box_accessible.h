#pragma once

#include <QAccessibleWidget>

namespace quorvel {

class TextBox;

// What a screen reader is told of a text box: its text, caret and selection,
// as Qt tells it of any line edit, with two of its answers mended (Qt 6.4.2
// and 6.8.2 give both):
//   - asked for the word or sentence at the end of the text, Qt's line edit
//     loops for ever, and the window with it, while the screen reader waits;
//   - asked for the run of text attributes around a character, it answers an
//     empty run, from which a screen reader reads the text one character short
//     ("33280" for 332800).
// The box's text has no attributes, so it is one run from start to end.
class TextBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit TextBoxAccessible(TextBox* box);

    // Made known to Qt's accessibility, once per application, by every box.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface
    void addSelection(int startOffset, int endOffset) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;
    int cursorPosition() const override;
    QRect characterRect(int offset) const override;
    int selectionCount() const override;
    int offsetAtPoint(const QPoint& point) const override;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    void removeSelection(int selectionIndex) override;
    void setCursorPosition(int position) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int characterCount() const override;
    void scrollToSubstring(int startIndex, int endIndex) override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    TextBox* box() const;
};

} // namespace quorvel
