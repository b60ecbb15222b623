#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <initializer_list>

#include "main_window.h"
#include "qt_file_replacer.h"
#include "qt_message_boxes.h"
#include "system_clock.h"
#include "system_random.h"

namespace quillop::ui {
namespace {

using Role = QAccessible::Role;
using Actions = QAccessibleActionInterface;
QAccessibleInterface* iface(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

// A fresh window as at start, seen the way an assistive tool sees it.
struct Window {
    SystemRandom random;
    SystemClock clock;
    files::QtFileReplacer replacer;  // nothing here saves
    MainWindow window{{random, clock, replacer, u"/nowhere", [] {}}};
    Window() { window.showCentred(); }

    template <typename W = QWidget>
    W* get(const char* name) {
        return window.findChild<W*>(QString::fromLatin1(name));
    }
    // What every widget shows and what the form holds.
    QString state() {
        QString seen;
        for (auto* b : window.findChildren<QAbstractButton*>())
            seen += b->objectName() + QString::number(b->isChecked() * 2 + b->isEnabled());
        for (auto* f : window.findChildren<QLineEdit*>()) seen += f->text() + u' ';
        const Form1& f = window.form();
        for (bool value : {f.Option1.Value, f.Option2.Value, f.Option3.Value, f.Option4.Value,
                           f.Check1.Value == 1, f.Command2.Enabled})
            seen += QString::number(value);
        return seen + QString::fromStdU16String(u' ' + f.Text1.Text + u' ' + f.Text2.Text);
    }
};

TEST(AccessibilityTest, RolesNamesGroupsLabelsAndFocus) {
    const struct {
        const char *control, *name, *group, *labelledBy;
        Role role;
        bool checked;
    } controls[] = {
        {"Option1", "Числовой пароль", "ClientArea", "", Role::RadioButton, true},
        {"Option2", "Символьный пароль", "ClientArea", "", Role::RadioButton, false},
        {"Option3", "6 значный", "Frame1", "Генерировать числовой", Role::RadioButton, true},
        {"Option4", "8 значный", "Frame1", "Генерировать числовой", Role::RadioButton, false},
        {"Check1", "Одновременно", "ClientArea", "", Role::CheckBox, false},
        {"Command1", "Генерировать", "ClientArea", "", Role::Button, false},
        {"Command2", "Очистить поля", "ClientArea", "", Role::Button, false},
        {"Text1", "Числовой", "ClientArea", "Числовой", Role::EditableText, false},
        {"Text2", "Символьный", "ClientArea", "Символьный", Role::EditableText, false},
    };
    Window w;
    for (const auto& c : controls) {
        SCOPED_TRACE(c.control);
        QAccessibleInterface* control = iface(w.get(c.control));
        EXPECT_EQ(control->role(), c.role);
        EXPECT_EQ(control->text(QAccessible::Name), QString::fromUtf8(c.name));
        EXPECT_EQ(control->parent()->object()->objectName(), QString::fromLatin1(c.group));
        const auto labels = control->relations(QAccessible::Label);
        EXPECT_EQ(labels.size(), *c.labelledBy ? 1 : 0);
        for (const auto& [label, relation] : labels)
            EXPECT_EQ(label->text(QAccessible::Name), QString::fromUtf8(c.labelledBy));
        EXPECT_EQ(control->state().checked, c.checked);
        EXPECT_TRUE(control->state().focusable);
    }
    EXPECT_EQ(iface(w.get("Frame1"))->role(), Role::Grouping);
}

// Every way of selecting an option or ticking the box, in every kind state,
// leaves the widgets and the form exactly as a mouse click does.
TEST(AccessibilityTest, KeysAndAccessibleActionsActAsAClick) {
    enum Way { Mouse, Space, Toggle, Press };
    using Clicks = std::initializer_list<const char*>;
    const auto after = [](Clicks clicks, const char* name, Way way) {
        Window w;
        for (const char* click : clicks) QTest::mouseClick(w.get(click), Qt::LeftButton);
        w.get<QLineEdit>("Text1")->setText(QStringLiteral("12"));
        w.get<QLineEdit>("Text2")->setText(QStringLiteral("AB"));
        auto* button = w.get<QAbstractButton>(name);
        if (way == Mouse) QTest::mouseClick(button, Qt::LeftButton);
        if (way == Space) QTest::keyClick(button, Qt::Key_Space);
        if (way == Toggle || way == Press)
            iface(button)->actionInterface()->doAction(way == Toggle ? Actions::toggleAction()
                                                                     : Actions::pressAction());
        // A press shows the button down for a moment before it clicks.
        EXPECT_TRUE(QTest::qWaitFor([button] { return !button->isDown(); }));
        return w.state();
    };
    for (Clicks kind : {Clicks{}, {"Option2"}, {"Check1"}, {"Check1", "Check1"}})
        for (const char* name : {"Option1", "Option2", "Option3", "Option4", "Check1"})
            for (const Way way : {Space, Toggle, Press})
                EXPECT_EQ(after(kind, name, way), after(kind, name, Mouse))
                    << name << " way " << way << " after " << kind.size() << " clicks";
}

TEST(AccessibilityTest, MessageBoxesAreAlertsCarryingTheirText) {
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QAccessibleInterface* alert = iface(box);
        EXPECT_EQ(alert->role(), Role::AlertMessage);
        EXPECT_EQ(alert->text(QAccessible::Name), QStringLiteral("Quillop"));
        QStringList texts;
        for (int i = 0; i < alert->childCount(); ++i)
            texts << alert->child(i)->text(QAccessible::Name);
        EXPECT_TRUE(texts.contains(QStringLiteral("Вы хотите выйти?")));
        box->reject();
    });
    QtMessageBoxes().show(u"Вы хотите выйти?", MessageIcon::Information, MessageButtons::OkCancel);
}

}  // namespace
}  // namespace quillop::ui
