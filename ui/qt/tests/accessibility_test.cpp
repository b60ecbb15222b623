#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "main_window.h"
#include "qt_file_replacer.h"
#include "qt_message_boxes.h"
#include "system_clock.h"
#include "system_random.h"

namespace quillop::ui {
namespace {

using Role = QAccessible::Role;
QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// A fresh window as at start, seen the way an assistive tool sees it.
struct Window {
    SystemRandom random;
    SystemClock clock;
    files::QtFileReplacer replacer;  // nothing here saves
    MainWindow window{{.random = random,
                       .clock = clock,
                       .replacer = replacer,
                       .programFolder = u"/nowhere",
                       .endProgram = [] {}}};
    Window() { window.showCentred(); }

    template <typename W = QWidget>
    W* get(const char* name) {
        return window.findChild<W*>(QString::fromLatin1(name));
    }
    QAccessibleInterface* control(const char* name) { return accessible(get(name)); }
    // What every widget shows and what the form holds.
    QString state() {
        QString shown;
        for (auto* b : window.findChildren<QAbstractButton*>())
            shown += QStringLiteral("%1:%2%3 ").arg(b->objectName()).arg(b->isChecked()).arg(b->isEnabled());
        for (auto* f : window.findChildren<QLineEdit*>()) shown += f->objectName() + u'=' + f->text() + u' ';
        const Form1& f = window.form();
        for (const OptionButton& o : {f.Option1, f.Option2, f.Option3, f.Option4})
            shown += QStringLiteral("%1%2").arg(o.Value).arg(o.Enabled);
        return shown + QStringLiteral(" %1%2 %3 %4").arg(f.Check1.Value).arg(f.Command2.Enabled)
                           .arg(QString::fromStdU16String(f.Text1.Text), QString::fromStdU16String(f.Text2.Text));
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
        QAccessibleInterface* control = w.control(c.control);
        EXPECT_EQ(control->role(), c.role) << c.control;
        EXPECT_EQ(control->text(QAccessible::Name), QString::fromUtf8(c.name)) << c.control;
        EXPECT_EQ(control->parent()->object()->objectName(), QString::fromLatin1(c.group)) << c.control;
        QStringList labels;
        for (const auto& [label, relation] : control->relations(QAccessible::Label))
            labels << label->text(QAccessible::Name);
        EXPECT_EQ(labels.join(u','), QString::fromUtf8(c.labelledBy)) << c.control;
        EXPECT_EQ(control->state().checked, c.checked) << c.control;
        EXPECT_TRUE(control->state().focusable) << c.control;
    }
    EXPECT_EQ(w.control("Frame1")->role(), Role::Grouping);
}

// Every way of selecting an option or ticking the box, in every kind state,
// leaves the widgets and the form exactly as a mouse click does.
TEST(AccessibilityTest, KeysAndAccessibleActionsActAsAClick) {
    enum Way { Mouse, Space, Toggle, Press };
    const auto after = [](std::initializer_list<const char*> clicks, const char* name, Way way) {
        Window w;
        for (const char* click : clicks) QTest::mouseClick(w.get(click), Qt::LeftButton);
        w.get<QLineEdit>("Text1")->setText(QStringLiteral("12"));
        w.get<QLineEdit>("Text2")->setText(QStringLiteral("AB"));
        auto* button = w.get<QAbstractButton>(name);
        if (way == Mouse) QTest::mouseClick(button, Qt::LeftButton);
        if (way == Space) QTest::keyClick(button, Qt::Key_Space);
        if (way == Toggle) accessible(button)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        if (way == Press) {
            accessible(button)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            EXPECT_TRUE(QTest::qWaitFor([button] { return !button->isDown(); }));
        }
        return w.state();
    };
    for (const auto& clicks : {std::initializer_list<const char*>{}, {"Option2"}, {"Check1"}, {"Check1", "Check1"}})
        for (const char* name : {"Option1", "Option2", "Option3", "Option4", "Check1"})
            for (const Way way : {Space, Toggle, Press})
                EXPECT_EQ(after(clicks, name, way), after(clicks, name, Mouse))
                    << name << " way " << way << " after " << clicks.size() << " clicks";
}

TEST(AccessibilityTest, MessageBoxesAreAlertsCarryingTheirText) {
    QTimer look;
    look.setInterval(5);
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        look.stop();
        QAccessibleInterface* alert = accessible(box);
        EXPECT_EQ(alert->role(), Role::AlertMessage);
        EXPECT_EQ(alert->text(QAccessible::Name), QStringLiteral("Quillop"));
        QStringList texts;
        for (int i = 0; i < alert->childCount(); ++i) texts << alert->child(i)->text(QAccessible::Name);
        EXPECT_TRUE(texts.contains(QStringLiteral("Вы хотите выйти?"))) << texts.join(u'|').toStdString();
        box->reject();
    });
    look.start();
    QtMessageBoxes().show(u"Вы хотите выйти?", MessageIcon::Information, MessageButtons::OkCancel);
}

}  // namespace
}  // namespace quillop::ui
