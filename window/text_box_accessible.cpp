#include "text_box_accessible.h"

#include <QFontMetrics>
#include <QTextBoundaryFinder>

#include "controls.h"

namespace quorvel {

TextBoxAccessible::TextBoxAccessible(TextBox* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

QAccessibleInterface* TextBoxAccessible::create(const QString& className, QObject* object) {
    if (className == QLatin1String(TextBox::staticMetaObject.className())) {
        if (auto* box = qobject_cast<TextBox*>(object)) {
            return new TextBoxAccessible(box);
        }
    }
    return nullptr;
}

TextBox* TextBoxAccessible::box() const {
    return static_cast<TextBox*>(object());
}

QString TextBoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value && !box()->text().isEmpty()) {
        return box()->text();
    }
    return QAccessibleWidget::text(t);
}

void TextBoxAccessible::setText(QAccessible::Text t, const QString& text) {
    if (t == QAccessible::Value) {
        box()->setText(text);
    } else {
        QAccessibleWidget::setText(t, text);
    }
}

QAccessible::State TextBoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.readOnly = box()->isReadOnly();
    state.selectableText = true;
    return state;
}

void* TextBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

void TextBoxAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

QString TextBoxAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

int TextBoxAccessible::cursorPosition() const {
    return box()->cursorPosition();
}

QRect TextBoxAccessible::characterRect(int offset) const {
    const QString character = text(offset, offset + 1);
    if (character.isEmpty()) {
        return {};
    }
    // Measured from the caret, which the box places after aligning and
    // scrolling its text.
    const QFontMetrics metrics(box()->font());
    const QString all = box()->text();
    const int left = box()->caretX() + metrics.horizontalAdvance(all.left(offset)) -
                     metrics.horizontalAdvance(all.left(box()->cursorPosition()));
    const QRect rect(left, box()->textTop(), metrics.horizontalAdvance(character),
                     metrics.height());
    return rect.translated(box()->mapToGlobal(QPoint(0, 0)));
}

int TextBoxAccessible::selectionCount() const {
    return box()->hasSelectedText() ? 1 : 0;
}

int TextBoxAccessible::offsetAtPoint(const QPoint& point) const {
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void TextBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0) {
        *startOffset = box()->selectionStart();
        *endOffset = *startOffset + static_cast<int>(box()->selectedText().size());
    }
}

QString TextBoxAccessible::text(int startOffset, int endOffset) const {
    if (startOffset > endOffset) {
        return {};
    }
    return box()->text().mid(startOffset, endOffset - startOffset);
}

QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    return QAccessibleTextInterface::textBeforeOffset(offset == -2 ? cursorPosition() : offset,
                                                      boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int* startOffset, int* endOffset) const {
    return QAccessibleTextInterface::textAfterOffset(offset == -2 ? cursorPosition() : offset,
                                                     boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                        int* startOffset, int* endOffset) const {
    const QString all = box()->text();
    if (offset == -2) {
        offset = cursorPosition();
    } else if (offset == -1) {
        offset = static_cast<int>(all.size());
    }
    const bool word = boundaryType == QAccessible::WordBoundary;
    if (!word && boundaryType != QAccessible::SentenceBoundary) {
        return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset, endOffset);
    }
    *startOffset = *endOffset = -1;
    if (all.isEmpty() || offset < 0 || offset > all.size()) {
        return {};
    }
    // The item around the offset: back to the boundary that starts or ends an
    // item, then on to the next one, or to the end of the text where none follows.
    constexpr auto kItemEdge = QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem;
    QTextBoundaryFinder boundary(word ? QTextBoundaryFinder::Word : QTextBoundaryFinder::Sentence,
                                 all);
    boundary.setPosition(offset);
    while (!(boundary.boundaryReasons() & kItemEdge) && boundary.position() > 0) {
        boundary.toPreviousBoundary();
    }
    *startOffset = static_cast<int>(boundary.position());
    *endOffset = *startOffset;
    while (boundary.toNextBoundary() != -1) {
        *endOffset = static_cast<int>(boundary.position());
        if (boundary.boundaryReasons() & kItemEdge) {
            break;
        }
    }
    return all.mid(*startOffset, *endOffset - *startOffset);
}

void TextBoxAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        box()->deselect();
    }
}

void TextBoxAccessible::setCursorPosition(int position) {
    box()->setCursorPosition(position);
}

void TextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        box()->setSelection(startOffset, endOffset - startOffset);
    }
}

int TextBoxAccessible::characterCount() const {
    return static_cast<int>(box()->text().size());
}

void TextBoxAccessible::scrollToSubstring(int startIndex, int endIndex) {
    box()->setCursorPosition(endIndex);
    box()->setCursorPosition(startIndex);
}

void TextBoxAccessible::deleteText(int startOffset, int endOffset) {
    box()->setText(box()->text().remove(startOffset, endOffset - startOffset));
}

void TextBoxAccessible::insertText(int offset, const QString& text) {
    box()->setText(box()->text().insert(offset, text));
}

void TextBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
}

} // namespace quorvel
