#include "option_button_accessible.h"

#include <QAccessibleWidget>
#include <QRadioButton>

namespace quillop::ui {

namespace {

// What Qt's own interface says of a radio button in an auto-exclusive group:
// its role, whether it is selected, and the one action that selects it.
class OptionButtonAccessible final : public QAccessibleWidget {
public:
    explicit OptionButtonAccessible(QRadioButton* option)
        : QAccessibleWidget(option, QAccessible::RadioButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = option()->isChecked();
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (option()->isEnabled()) names.prepend(toggleAction());
        return names;
    }

    // Selecting is a click, so the window hears of it as of any other click;
    // like any radio button, the selected one is not toggled off.
    void doAction(const QString& name) override {
        if (name != toggleAction() && name != pressAction())
            return QAccessibleWidget::doAction(name);
        if (!option()->isChecked()) option()->click();  // click() ignores a disabled button
    }

private:
    QRadioButton* option() const { return static_cast<QRadioButton*>(widget()); }
};

// Every radio button of this program is an option button of the form.
QAccessibleInterface* optionButtonInterface(const QString& className, QObject* object) {
    auto* option = qobject_cast<QRadioButton*>(object);
    if (!option || className != QLatin1String("QRadioButton")) return nullptr;
    return new OptionButtonAccessible(option);
}

}  // namespace

void announceOptionButtonsAsRadioButtons() { QAccessible::installFactory(optionButtonInterface); }

}  // namespace quillop::ui
