#include "password_field_accessible.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace quillop::ui {

namespace {

// A line edit as Qt describes one (an editable text with its label's name,
// its text as its value, its cursor and selection), read through the
// widget's own public interface.
class PasswordFieldAccessible final : public QAccessibleWidget,
                                      public QAccessibleTextInterface,
                                      public QAccessibleEditableTextInterface {
public:
    explicit PasswordFieldAccessible(QLineEdit* field)
        : QAccessibleWidget(field, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? field()->text() : QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t == QAccessible::Value && !field()->isReadOnly()) field()->setText(text);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !field()->isReadOnly();
        state.readOnly = field()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    // The text: one run of attributes over all of it.
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
    QString text(int startOffset, int endOffset) const override {
        return field()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(field()->text().size()); }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    QRect characterRect(int offset) const override {
        const QString text = field()->text();
        if (offset < 0 || offset >= text.size()) return {};
        const QFontMetrics metrics = field()->fontMetrics();
        const QRect cursor = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = cursor.center().x() + metrics.horizontalAdvance(text.left(offset)) -
                      metrics.horizontalAdvance(text.left(field()->cursorPosition()));
        const QRect local(x, cursor.top(), metrics.horizontalAdvance(text.at(offset)),
                          cursor.height());
        return local.translated(field()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        field()->setCursorPosition(endIndex);
        field()->setCursorPosition(startIndex);
    }

    // The selection: a line edit has at most one.
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (index != 0 || !field()->hasSelectedText()) return;
        *startOffset = field()->selectionStart();
        *endOffset = *startOffset + field()->selectionLength();
    }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int index) override {
        if (index == 0) field()->deselect();
    }
    void setSelection(int index, int startOffset, int endOffset) override {
        if (index == 0) field()->setSelection(startOffset, endOffset - startOffset);
    }

    // Editing replaces the whole text, so the field's length limit holds.
    void deleteText(int startOffset, int endOffset) override {
        replaceText(startOffset, endOffset, {});
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        if (field()->isReadOnly()) return;
        field()->setText(field()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit* field() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* passwordFieldInterface(const QString& className, QObject* object) {
    auto* field = qobject_cast<QLineEdit*>(object);
    if (!field || className != QLatin1String("QLineEdit")) return nullptr;
    return new PasswordFieldAccessible(field);
}

}  // namespace

void readPasswordFieldsWhole() { QAccessible::installFactory(passwordFieldInterface); }

}  // namespace quillop::ui
