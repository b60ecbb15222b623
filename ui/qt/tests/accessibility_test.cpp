#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMetaEnum>
#include <QTest>

#include "window_fixture.h"

namespace quillop::ui {
namespace {

QAccessibleInterface* iface(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

// What an assistive tool hears of a control: role, checked or not, name, the
// group it is in and the label that labels it.
QString announced(QWidget* widget) {
    QAccessibleInterface* control = iface(widget);
    const auto role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(control->role());
    QStringList seen{widget->objectName(), QString::fromLatin1(role)};
    if (control->state().checked) seen << QStringLiteral("checked");
    seen << control->text(QAccessible::Name) << QStringLiteral("in")
         << control->parent()->object()->objectName();
    for (const auto& [label, relation] : control->relations(QAccessible::Label))
        seen << QStringLiteral("labelled by") << label->text(QAccessible::Name);
    return seen.join(u' ');
}

// Tab reaches every control, from Generate round to it again, each as Qt's
// accessibility interfaces describe it to a screen reader.
TEST(AccessibilityTest, TabReachesEveryControlWithItsRoleNameGroupAndLabel) {
    const char* const controls[] = {
        "Command1 Button Генерировать in ClientArea",
        "Text1 EditableText Числовой in ClientArea labelled by Числовой",
        "Option1 RadioButton Числовой пароль in ClientArea",
        "Option2 RadioButton checked Символьный пароль in ClientArea",
        "Text2 EditableText Символьный in ClientArea labelled by Символьный",
        "Check1 CheckBox Одновременно in ClientArea",
        "Option3 RadioButton checked 6 значный in Frame1 labelled by Генерировать числовой",
        "Option4 RadioButton 8 значный in Frame1 labelled by Генерировать числовой",
        "Command2 Button Очистить поля in ClientArea",
        "Command1 Button Генерировать in ClientArea",
    };
    Window w;
    QTest::mouseClick(w.get("Option2"), Qt::LeftButton);  // Clear takes the focus too
    w.get("Command1")->setFocus();
    for (const char* control : controls) {
        EXPECT_EQ(announced(w.window.focusWidget()), QString::fromUtf8(control));
        QTest::keyClick(w.window.focusWidget(), Qt::Key_Tab);
    }
}

// Every way a person or an assistive tool clicks an option, the check box or
// Clear, in each kind state: the controller hears it as a click, every widget
// shows the form, and a box shows over the window as it already is.
TEST(AccessibilityTest, EveryWayOfClickingReachesTheController) {
    enum Way { Mouse, Space, Toggle, Press };
    using enum Control;
    for (const Control before : {Command1, Option2, Check1})  // Command1: none
        for (const Control control : {Option1, Option2, Option3, Option4, Check1, Command2})
            for (const Way way : {Mouse, Space, Toggle, Press}) {
                SCOPED_TRACE(testing::Message()
                             << int(control) << " way " << way << " after " << int(before));
                Window w;
                doubles::Rig expected;
                if (before != Command1) {
                    QTest::mouseClick(w.get(before), Qt::LeftButton);
                    expected.controller.click(before);
                }
                QTest::keyClicks(w.get("Text1"), QStringLiteral("12"));
                QTest::keyClicks(w.get("Text2"), QStringLiteral("AB"));
                expected.controller.typed(Text1, u"12");
                expected.controller.typed(Text2, u"AB");

                auto* button = w.get<QAbstractButton>(control);
                if (way == Mouse) QTest::mouseClick(button, Qt::LeftButton);
                if (way == Space) QTest::keyClick(button, Qt::Key_Space);
                if (way == Toggle || way == Press)
                    iface(button)->actionInterface()->doAction(
                        way == Toggle ? QAccessibleActionInterface::toggleAction()
                                      : QAccessibleActionInterface::pressAction());
                // A push button has nothing to toggle.
                if (control != Command2 || way != Toggle) expected.controller.click(control);
                // A press shows the button down for a moment before it clicks.
                EXPECT_TRUE(QTest::qWaitFor([button] { return !button->isDown(); }));
                const std::string form = doubles::describe(expected.controller.form());
                EXPECT_EQ(w.shows(), form);
                EXPECT_EQ(doubles::describe(w.window.form()), form);
                const bool cleared = expected.view.told.find(u"очищены") != std::u16string::npos;
                const std::string box = "(i) OK: Числовое и Символьное поля очищены! over " + form;
                EXPECT_EQ(w.messages.shown,
                          doubles::Shown(cleared, QString::fromStdString(box).toStdU16String()));
            }
}

// Where the keyboard is: an open menu and its highlighted item, or the
// control with the focus, " selected" after a field with selected text.
std::string keyboardAt(MainWindow& window) {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        return menu->objectName().toStdString() + '>' +
               (menu->activeAction() ? menu->activeAction()->objectName().toStdString() : "");
    auto* field = qobject_cast<QLineEdit*>(window.focusWidget());
    return window.focusWidget()->objectName().toStdString() +
           (field && field->hasSelectedText() ? " selected" : "");
}

// Each kind of key reaches the controller from the widget with the focus, and
// the menu answers F10 and the arrows as a Windows menu does: from a window
// with typed text in both fields, "focused: keys", the form they leave, how
// many Clear boxes they show, and where the keyboard ends.
TEST(AccessibilityTest, KeysReachTheControllerAndTheMenu) {
    const char* const typed = "Option1 Option3 [12|AB]";
    const char* const symbolic = "Option2 Option3 Clear [|]";
    const std::tuple<std::string, const char*, int, const char*> rows[] = {
        {"Option1: Down", symbolic, 0, "Option2"},
        {"Option3: Left", "Option1 Option4 [12|AB]", 0, "Option4"},
        {"Text1: Shift+Tab", typed, 0, "Command1"},
        {"Command1: Return", "Option1 Option3 SaveChis SaveSim SaveBoth [500000|]", 0, "Command1"},
        // Orca would read a selected field twice: entered by Tab, its text stays unselected.
        {"Text1: Shift+Tab Tab", typed, 0, "Text1"},
        {"Option1: Down Shift+Tab Shift+Tab Shift+Tab Shift+Tab Enter", symbolic, 1, "Command2"},
        {"Command1: F10", typed, 0, "mnuFile>"},
        {"Option3: F10 Up Up", typed, 0, "mnuFile>mnuSave"},
        {"Option3: F10 Escape Escape", typed, 0, "Option3"},
        {"Text1: Alt Down Escape Escape", typed, 0, "Text1"},
    };
    for (const auto& [keys, form, boxes, after] : rows) {
        SCOPED_TRACE(keys);
        Window w;
        w.random.values = {0.5};
        QTest::keyClicks(w.get("Text1"), QStringLiteral("12"));
        QTest::keyClicks(w.get("Text2"), QStringLiteral("AB"));
        QStringList words = QString::fromStdString(keys).split(u' ');
        w.messages.behind = nullptr;
        w.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
        w.get(words.takeFirst().chopped(1).toStdString())->setFocus();
        for (const QString& key : words) {
            QWidget* popup = QApplication::activePopupWidget();
            const QKeyCombination combination = QKeySequence(key)[0];
            QTest::keyClick(popup ? popup : w.window.focusWidget(),
                            key == u"Alt" ? Qt::Key_Alt : combination.key(),
                            combination.keyboardModifiers());
        }
        EXPECT_EQ(keyboardAt(w.window), after);
        EXPECT_EQ(w.shows(), form);
        EXPECT_EQ(w.messages.shown,
                  doubles::Shown(boxes, u"(i) OK: Числовое и Символьное поля очищены!"));
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }
}

}  // namespace
}  // namespace quillop::ui
