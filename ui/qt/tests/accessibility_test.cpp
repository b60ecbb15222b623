#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMetaEnum>
#include <QTest>
#include <vector>

#include "handlers.h"
#include "option_click.h"
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

// Every control takes the focus, in this order from Generate, which has it at start.
TEST(AccessibilityTest, RolesNamesGroupsLabelsInTabOrder) {
    const char* const controls[] = {
        "Command1 Button Генерировать in ClientArea",
        "Text1 EditableText Числовой in ClientArea labelled by Числовой",
        "Option1 RadioButton checked Числовой пароль in ClientArea",
        "Option2 RadioButton Символьный пароль in ClientArea",
        "Text2 EditableText Символьный in ClientArea labelled by Символьный",
        "Check1 CheckBox Одновременно in ClientArea",
        "Option3 RadioButton checked 6 значный in Frame1 labelled by Генерировать числовой",
        "Option4 RadioButton 8 значный in Frame1 labelled by Генерировать числовой",
        "Command2 Button Очистить поля in ClientArea",
    };
    Window w;
    QWidget* focus = w.window.focusWidget();
    for (const char* control : controls) {
        EXPECT_EQ(announced(focus), QString::fromUtf8(control));
        do focus = focus->nextInFocusChain();
        while (focus->focusPolicy() == Qt::NoFocus);
    }
}

// Every way a person or an assistive tool clicks an option, the check box or
// Clear, in every kind state: the form changes by the rules of a click, every
// widget shows the form, and a box shows over the window as it already is.
TEST(AccessibilityTest, KeysAndAccessibleActionsActAsAClick) {
    enum Way { Mouse, Space, Toggle, Press };
    using Clicks = std::vector<std::string>;
    for (const Clicks& kind : {Clicks{}, {"Option2"}, {"Check1"}, {"Check1", "Check1"}})
        for (const std::string name :
             {"Option1", "Option2", "Option3", "Option4", "Check1", "Command2"})
            for (const Way way : {Mouse, Space, Toggle, Press}) {
                SCOPED_TRACE(name + " way " + std::to_string(way) + " after " +
                             std::to_string(kind.size()) + (kind.empty() ? "" : kind[0]));
                Window w;
                Form1 expected;
                doubles::RecordingMessages messages;
                messages.behind = [&] { return doubles::describe(expected); };
                const auto click = [&](const std::string& control) {
                    if (control == "Check1")
                        clickCheck1(expected);
                    else if (control != "Command2")
                        clickOption(expected, Option(control[6] - '1'));
                    else if (expected.Command2.Enabled)
                        onCommand2Click(expected, messages);
                };
                for (const std::string& control : kind) {
                    QTest::mouseClick(w.get(control), Qt::LeftButton);
                    click(control);
                }
                QTest::keyClicks(w.get("Text1"), QStringLiteral("12"));
                QTest::keyClicks(w.get("Text2"), QStringLiteral("AB"));
                expected.Text1.Text = u"12";
                expected.Text2.Text = u"AB";

                auto* button = w.get<QAbstractButton>(name);
                if (way == Mouse) QTest::mouseClick(button, Qt::LeftButton);
                if (way == Space) QTest::keyClick(button, Qt::Key_Space);
                if (way == Toggle || way == Press)
                    iface(button)->actionInterface()->doAction(
                        way == Toggle ? QAccessibleActionInterface::toggleAction()
                                      : QAccessibleActionInterface::pressAction());
                // A push button has nothing to toggle.
                if (name != "Command2" || way != Toggle) click(name);
                // A press shows the button down for a moment before it clicks.
                EXPECT_TRUE(QTest::qWaitFor([button] { return !button->isDown(); }));
                EXPECT_EQ(w.shows(), doubles::describe(expected));
                EXPECT_EQ(doubles::describe(w.window.form()), doubles::describe(expected));
                EXPECT_EQ(w.messages.shown, messages.shown);
            }
}

// Where the keyboard is: an open menu and its highlighted item, or the
// control with the focus.
std::string keyboardAt() {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        return menu->objectName().toStdString() + '>' +
               (menu->activeAction() ? menu->activeAction()->objectName().toStdString() : "");
    return QApplication::focusWidget()->objectName().toStdString();
}

// The keys as a Windows form answers them, from a window with typed text in
// both fields: "[clicked >] focused: keys", the form they leave, how many
// Clear boxes they show, and where the keyboard ends.
TEST(AccessibilityTest, KeysMoveAndPressAsInAWindowsForm) {
    const char* const typed = "Option1 Option3 [12|AB]";
    const char* const symbolic = "Option2 Option3 Clear [|]";
    const std::tuple<std::string, const char*, int, const char*> rows[] = {
        {"Option1: Down", symbolic, 0, "Option2"},
        {"Option1: Up", symbolic, 0, "Option2"},
        {"Option2 > Option2: Right Left", symbolic, 0, "Option2"},
        {"Option2: Down", typed, 0, "Option1"},
        {"Option3: Down", "Option1 Option4 [12|AB]", 0, "Option4"},
        {"Option3: Left Up", typed, 0, "Option3"},
        {"Check1 > Check1: Return", "Option3 Check1 !Option1 !Option2 Clear [12|AB]", 0, "Check1"},
        {"Option2 > Command2: Return", symbolic, 1, "Command2"},
        {"Option2 > Command2: Enter Space", symbolic, 2, "Command2"},
        {"Text1: Return", typed, 0, "Text1"},
        {"Option1: Enter", typed, 0, "Option1"},
        {"Command1: F10", typed, 0, "mnuFile>"},
        {"Option3: F10 Up Up", typed, 0, "mnuFile>mnuSave"},
        {"Option3: F10 Down Return", typed, 0, "mnuFile>mnuSaveChis"},
        {"Option3: F10 Escape Escape", typed, 0, "Option3"},
        {"Text1: Alt Down Escape Escape", typed, 0, "Text1"},
    };
    for (const auto& [keys, form, boxes, after] : rows) {
        SCOPED_TRACE(keys);
        Window w;
        QTest::keyClicks(w.get("Text1"), QStringLiteral("12"));
        QTest::keyClicks(w.get("Text2"), QStringLiteral("AB"));
        QStringList words = QString::fromStdString(keys).split(u' ');
        if (words.size() > 2 && words[1] == u'>')
            QTest::mouseClick(w.get(words.takeFirst().toStdString()), Qt::LeftButton);
        if (words.front() == u'>') words.removeFirst();
        w.messages.behind = nullptr;
        w.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
        w.get(words.takeFirst().chopped(1).toStdString())->setFocus();
        for (const QString& key : words) {
            QWidget* popup = QApplication::activePopupWidget();
            QTest::keyClick(popup ? popup : QApplication::focusWidget(),
                            key == u"Alt" ? Qt::Key_Alt : QKeySequence(key)[0].key());
        }
        EXPECT_EQ(keyboardAt(), after);
        EXPECT_EQ(doubles::describe(w.window.form()), form);
        EXPECT_EQ(w.shows(), form);
        EXPECT_EQ(w.messages.shown,
                  doubles::Shown(boxes, u"(i) OK: Числовое и Символьное поля очищены!"));
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }
}

}  // namespace
}  // namespace quillop::ui
