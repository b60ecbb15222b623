#include "main_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "handlers.h"
#include "qt_file_replacer.h"
#include "qt_message_boxes.h"
#include "test_doubles.h"

using namespace quillop;
using namespace quillop::ui;

// Each box's text, with the numeric field's text behind it at that moment.
class BoxesOverFields final : public MessageBoxes {
public:
    MessageAnswer show(const std::u16string& text, MessageIcon, MessageButtons) override {
        seen << QString::fromStdU16String(text) + u'|' + field->text();
        return MessageAnswer::Ok;
    }
    QLineEdit* field = nullptr;
    QStringList seen;
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        boxes.field = get<QLineEdit>("Text1");
        window.showCentred();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    template <typename W = QWidget>
    W* get(const char* name) {
        W* widget = window.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString textOf(const char* name) {
        const QWidget* w = get(name);
        return w->property(w->property("text").isValid() ? "text" : "title").toString();
    }
    // The form as the widgets show it.
    Form1 shown() {
        Form1 f;
        for (auto [name, option] : {std::pair{"Option1", &f.Option1},
                                    {"Option2", &f.Option2},
                                    {"Option3", &f.Option3},
                                    {"Option4", &f.Option4}})
            *option = OptionButton{get<QAbstractButton>(name)->isChecked(), get(name)->isEnabled()};
        f.Check1.Value = get<QAbstractButton>("Check1")->isChecked() ? 1 : 0;
        f.Command2.Enabled = get("Command2")->isEnabled();
        f.Text1.Text = textOf("Text1").toStdU16String();
        f.Text2.Text = textOf("Text2").toStdU16String();
        return f;
    }

    doubles::ScriptedRandom random;  // no test here generates
    files::QtFileReplacer replacer;  // nor saves
    BoxesOverFields boxes;
    MainWindow window{{random, random, replacer, u"/nowhere", [] {}, &boxes}};
};

// Also run at QT_SCALE_FACTOR=2, where every size doubles on the screen.
TEST_F(MainWindowTest, EveryControlSitsAtItsPlaceInAFixedWindow) {
    const std::pair<const char*, QRect> places[] = {
        {"Command2", {160, 48, 97, 25}},  {"Frame1", {8, 104, 137, 57}},
        {"Option4", {8, 32, 121, 17}},    {"Option3", {8, 16, 121, 17}},
        {"Check1", {160, 144, 137, 17}},  {"Text2", {8, 80, 137, 19}},
        {"Option2", {160, 112, 137, 25}}, {"Option1", {160, 88, 129, 17}},
        {"Text1", {8, 32, 137, 19}},      {"Command1", {160, 24, 97, 25}},
        {"Label2", {8, 64, 81, 17}},      {"Label1", {8, 16, 57, 17}},
    };
    for (const auto& [name, rect] : places) EXPECT_EQ(get(name)->geometry(), rect) << name;
    EXPECT_EQ(get("Option3")->parentWidget(), get("Frame1"));
    EXPECT_EQ(window.centralWidget()->geometry(), QRect(0, window.menuBar()->height(), 297, 179));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    EXPECT_FALSE(window.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

// Also run at QT_SCALE_FACTOR=2: no caption is cut off.
TEST_F(MainWindowTest, CaptionsInTheirFontAndUnclipped) {
    QStringList captions;
    for (const char* name : {"Command1", "Command2", "Option1", "Option2", "Option3", "Option4",
                             "Check1", "Label1", "Label2", "Frame1"}) {
        QWidget* w = get(name);
        captions << textOf(name);
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 8.25) << name;
        EXPECT_LE(std::max(w->sizeHint().width(),
                           w->fontMetrics().horizontalAdvance(captions.back()) + 2),
                  w->width())
            << name;
        EXPECT_LE(w->fontMetrics().height(), w->height()) << name;
    }
    for (QAction* item : get<QMenu>("mnuFile")->actions()) captions << item->text();
    EXPECT_EQ(captions.join(u'|'),
              QStringLiteral("&Генерировать|&Очистить поля|Числовой пароль|Символьный пароль|6 "
                             "значный|8 значный|Одновременно|Числовой|Символьный|Генерировать "
                             "числовой|Сохранить числовой|Сохранить символьный|Сохранить "
                             "оба|Выход"));
    EXPECT_EQ(get<QMenu>("mnuFile")->title(), QStringLiteral("Файл"));
}

TEST_F(MainWindowTest, GreenOnBlackFieldsRefuseTextBeyondTheirLimits) {
    for (const char* name : {"Text1", "Text2"}) {
        EXPECT_EQ(get(name)->palette().color(QPalette::Base), QColor(Qt::black)) << name;
        EXPECT_EQ(get(name)->palette().color(QPalette::Text), QColor(0, 255, 0)) << name;
    }
    QTest::keyClicks(get("Text1"), QStringLiteral("0123456789"));
    QApplication::clipboard()->setText(QStringLiteral("пароль-длинный"));
    get("Text2")->setFocus();
    QTest::keyClick(get("Text2"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window.form().Text1.Text, u"012345678");
    EXPECT_EQ(window.form().Text2.Text, u"пароль-д");
}

TEST_F(MainWindowTest, FocusStartsOnGenerateTabsInOrderAndEnterPressesNothing) {
    // The disabled Clear button is skipped by Tab, so walk the focus chain itself.
    QStringList chain;
    for (QWidget* w = QApplication::focusWidget(); chain.size() < 9; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus) chain << w->objectName();
    EXPECT_EQ(chain.join(u' '), QStringLiteral("Command1 Text1 Option1 Option2 Text2 Check1 "
                                               "Option3 Option4 Command2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(window.form().mnuSave.Enabled) << "Enter pressed Generate";
}

// After every click and keystroke of a walk through the controls, the form
// follows the rules of a click and every widget shows exactly the form.
TEST_F(MainWindowTest, EveryWidgetShowsTheFormThroughAWalkOfClicks) {
    Form1 expected;
    doubles::RecordingMessages messages;
    for (const std::string step :
         {"Text1", "Option2", "Text1", "Check1", "Command2", "Option2", "Check1", "Option1",
          "Option1", "Option4", "Option4", "Text2", "Option3", "Check1", "Option2"}) {
        if (step.starts_with("Text")) {
            QTest::keyClicks(get(step.c_str()), QStringLiteral("12"));
            (step == "Text1" ? expected.Text1 : expected.Text2).Text += u"12";
        } else {
            QTest::mouseClick(get<QAbstractButton>(step.c_str()), Qt::LeftButton);
        }
        if (step == "Check1") clickCheck1(expected);
        if (step == "Command2") onCommand2Click(expected, messages);
        if (step.starts_with("Option")) clickOption(expected, Option(step[6] - '1'));
        EXPECT_EQ(doubles::describe(shown()), doubles::describe(expected)) << step;
    }
    EXPECT_EQ(boxes.seen, QStringList{QStringLiteral("Числовое и Символьное поля очищены!|")})
        << "the box shows over the emptied fields";
}

// The real boxes: title, icon (1 information, 3 critical), text and buttons
// (400 OK, 400400 OK and Cancel) as asked, and the answer of Return or Escape.
TEST(QtMessageBoxesTest, ShowWhatWasAskedAndAnswerAsPressed) {
    using enum MessageIcon;
    using enum MessageButtons;
    const std::tuple<MessageIcon, MessageButtons, Qt::Key, const char*, MessageAnswer> rows[] = {
        {Information, Ok, Qt::Key_Return, "Quillop 1 Текст 400", MessageAnswer::Ok},
        {Critical, Ok, Qt::Key_Return, "Quillop 3 Текст 400", MessageAnswer::Ok},
        {Information, OkCancel, Qt::Key_Return, "Quillop 1 Текст 400400", MessageAnswer::Ok},
        {Information, OkCancel, Qt::Key_Escape, "Quillop 1 Текст 400400", MessageAnswer::Cancel},
    };
    for (const auto& [icon, buttons, key, expected, answer] : rows) {
        QString seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = QStringLiteral("%1 %2 %3 %4").arg(box->windowTitle()).arg(box->icon());
            seen = seen.arg(box->text()).arg(box->standardButtons().toInt(), 0, 16);
            QTest::keyClick(box, key);
        });
        EXPECT_EQ(QtMessageBoxes().show(u"Текст", icon, buttons), answer);
        EXPECT_EQ(seen, QString::fromUtf8(expected));
    }
}
