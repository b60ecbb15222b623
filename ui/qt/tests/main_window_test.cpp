#include "main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "desktop_language.h"
#include "field_colours.h"
#include "qt_message_boxes.h"
#include "window_fixture.h"

using namespace quillop;
using namespace quillop::ui;

// Also run at QT_SCALE_FACTOR=2, where every size doubles on the screen: no
// caption is cut off there either.
TEST(MainWindowTest, EveryControlAtItsPlaceWithItsCaptionUnclipped) {
    const std::pair<const char*, QRect> places[] = {
        {"Command2", {160, 48, 97, 25}},  {"Frame1", {8, 104, 137, 57}},
        {"Option4", {8, 32, 121, 17}},    {"Option3", {8, 16, 121, 17}},
        {"Check1", {160, 144, 137, 17}},  {"Text2", {8, 80, 137, 19}},
        {"Option2", {160, 112, 137, 25}}, {"Option1", {160, 88, 129, 17}},
        {"Text1", {8, 32, 137, 19}},      {"Command1", {160, 24, 97, 25}},
        {"Label2", {8, 64, 81, 17}},      {"Label1", {8, 16, 57, 17}},
    };
    Window w;
    for (const auto& [name, rect] : places) {
        QWidget* control = w.get(name);
        EXPECT_EQ(control->geometry(), rect) << name;
        const QString caption =
            control->property("text").toString() + control->property("title").toString();
        if (caption.isEmpty()) continue;  // a field
        EXPECT_DOUBLE_EQ(control->font().pointSizeF(), 8.25) << name;
        EXPECT_LE(std::max(control->sizeHint().width(),
                           control->fontMetrics().horizontalAdvance(caption) + 2),
                  control->width())
            << name;
        EXPECT_LE(control->fontMetrics().height(), control->height()) << name;
    }
    QStringList menu{w.get<QMenu>("mnuFile")->title()};
    for (QAction* item : w.get<QMenu>("mnuFile")->actions()) menu << item->text();
    EXPECT_EQ(menu.join(u'|'), QStringLiteral("Файл|Сохранить числовой|Сохранить "
                                              "символьный|Сохранить оба|Выход"));
    EXPECT_EQ(w.window.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    EXPECT_FALSE(w.window.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

// Green on black, or where the desktop asks for high contrast, its own colours.
TEST(MainWindowTest, GreenOnBlackFieldsUnlessHighContrastIsAskedFor) {
    const QPalette desktop = QGuiApplication::palette();
    EXPECT_EQ(fieldColours(desktop, true), desktop);
    Window w;
    for (const char* name : {"Text1", "Text2"}) {
        EXPECT_EQ(w.get(name)->palette().color(QPalette::Base), QColor(Qt::black)) << name;
        EXPECT_EQ(w.get(name)->palette().color(QPalette::Text), QColor(0, 255, 0)) << name;
    }
}

// The real boxes on a Russian desktop: title, icon (1 information, 3
// critical), text and buttons as asked, the buttons worded as a Russian
// Windows words them, and the answer of Return or Escape.
TEST(QtMessageBoxesTest, ShowWhatWasAskedAndAnswerAsPressed) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    speakDesktopLanguage(*qApp);
    using enum MessageIcon;
    using enum MessageButtons;
    const std::tuple<MessageIcon, MessageButtons, Qt::Key, const char*, MessageAnswer> rows[] = {
        {Critical, Ok, Qt::Key_Return, "Quillop 3 Текст ОК", MessageAnswer::Ok},
        {Information, OkCancel, Qt::Key_Return, "Quillop 1 Текст ОК|Отмена", MessageAnswer::Ok},
        {Information, OkCancel, Qt::Key_Escape, "Quillop 1 Текст ОК|Отмена", MessageAnswer::Cancel},
    };
    for (const auto& [icon, buttons, key, expected, answer] : rows) {
        QString seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = QStringLiteral("%1 %2 %3 %4").arg(box->windowTitle()).arg(box->icon());
            QStringList buttons;
            for (const QAbstractButton* button : box->buttons()) buttons << button->text();
            buttons.sort();
            seen = seen.arg(box->text(), buttons.join(u'|'));
            QTest::keyClick(box, key);
        });
        EXPECT_EQ(QtMessageBoxes().show(u"Текст", icon, buttons), answer);
        EXPECT_EQ(seen, QString::fromUtf8(expected));
    }
}
