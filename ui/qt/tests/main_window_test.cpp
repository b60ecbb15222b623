#include "main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include "qt_file_replacer.h"
#include "system_clock.h"
#include "system_random.h"

namespace quillop::ui {
namespace {

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Runs an action that opens a modal message box, notes what the box shows and
// closes it with the given key, as a user would.
SeenBox answerBox(const std::function<void()>& action, int key) {
    SeenBox seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        poll.stop();
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        QTest::keyClick(box, static_cast<Qt::Key>(key));
    });
    poll.start();
    action();
    return seen;
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : window({.random = random,
                  .clock = clock,
                  .replacer = replacer,
                  .programFolder = u"/programs/quillop",
                  .endProgram = [this] { ++endRequests; }}) {
        window.showCentred();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <typename W>
    W* get(const char* name) {
        W* widget = window.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QAction* action(const char* name) { return get<QAction>(name); }
    void click(const char* name) { QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton); }
    // Cyrillic access keys arrive as the key of that letter with Alt held.
    void altKey(char16_t letter) {
        const QChar upper = QChar(letter).toUpper();
        QTest::sendKeyEvent(QTest::Click, &window, static_cast<Qt::Key>(upper.unicode()),
                            QString(QChar(letter)), Qt::AltModifier);
    }
    QString text(const char* name) { return get<QLineEdit>(name)->text(); }
    bool isChecked(const char* name) { return get<QAbstractButton>(name)->isChecked(); }
    bool isEnabled(const char* name) { return get<QWidget>(name)->isEnabled(); }

    SystemRandom random;
    SystemClock clock;
    files::QtFileReplacer replacer;  // no test here saves
    int endRequests = 0;
    MainWindow window;
};

TEST_F(MainWindowTest, EveryControlSitsAtItsDesignedPlace) {
    const std::pair<const char*, QRect> places[] = {
        {"Command2", {160, 48, 97, 25}},  {"Frame1", {8, 104, 137, 57}},
        {"Option4", {8, 32, 121, 17}},    {"Option3", {8, 16, 121, 17}},
        {"Check1", {160, 144, 137, 17}},  {"Text2", {8, 80, 137, 19}},
        {"Option2", {160, 112, 137, 25}}, {"Option1", {160, 88, 129, 17}},
        {"Text1", {8, 32, 137, 19}},      {"Command1", {160, 24, 97, 25}},
        {"Label2", {8, 64, 81, 17}},      {"Label1", {8, 16, 57, 17}},
    };
    for (const auto& [name, rect] : places) EXPECT_EQ(get<QWidget>(name)->geometry(), rect) << name;
    EXPECT_EQ(get<QWidget>("Option3")->parentWidget(), get<QWidget>("Frame1"));

    QWidget* client = window.centralWidget();
    EXPECT_EQ(client->size(), QSize(297, 179));
    EXPECT_EQ(client->y(), window.menuBar()->height()) << "the client area starts below the menu";
    EXPECT_EQ(window.height(), window.menuBar()->height() + 179);
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed size";
}

TEST_F(MainWindowTest, WindowTitleIconButtonsAndCentring) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillop"));
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(window.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_LE(std::abs(window.geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(window.geometry().center().y() - screen.center().y()), 1);
}

TEST_F(MainWindowTest, CaptionsFontsAccessKeysAndAccessibleNames) {
    const std::pair<const char*, const char*> captions[] = {
        {"Command1", "&Генерировать"},  {"Command2", "&Очистить поля"},
        {"Option1", "Числовой пароль"}, {"Option2", "Символьный пароль"},
        {"Option3", "6 значный"},       {"Option4", "8 значный"},
        {"Check1", "Одновременно"},
    };
    for (const auto& [name, caption] : captions) {
        auto* button = get<QAbstractButton>(name);
        EXPECT_EQ(button->text(), QString::fromUtf8(caption)) << name;
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(caption).remove(u'&')) << name;
        EXPECT_DOUBLE_EQ(button->font().pointSizeF(), 8.25) << name;
    }
    EXPECT_EQ(get<QGroupBox>("Frame1")->title(), QStringLiteral("Генерировать числовой"));
    EXPECT_EQ(get<QLabel>("Label1")->text(), QStringLiteral("Числовой"));
    EXPECT_EQ(get<QLabel>("Label2")->text(), QStringLiteral("Символьный"));
    EXPECT_DOUBLE_EQ(get<QLabel>("Label1")->font().pointSizeF(), 8.25);
    // The fields keep the window's own font.
    EXPECT_EQ(get<QLineEdit>("Text1")->font(), window.font());

    const QString comicSans = QStringLiteral("Comic Sans MS");
    const bool usable = QFontDatabase::hasFamily(comicSans) &&
                        QFontDatabase::writingSystems(comicSans).contains(QFontDatabase::Cyrillic);
    EXPECT_EQ(get<QWidget>("Check1")->font().family(),
              usable ? comicSans : QApplication::font().family());

    EXPECT_EQ(get<QPushButton>("Command1")->shortcut(), QKeySequence(Qt::ALT | Qt::Key(0x0413)));
    // Alt+Г presses Generate, Alt+О the Clear button.
    altKey(u'Г');  // a button pressed by its key shows the press for a moment first
    EXPECT_TRUE(QTest::qWaitFor([&] { return action("mnuSave")->isEnabled(); }, 2000));
    click("Option2");
    const SeenBox box = answerBox(
        [&] {
            altKey(u'О');
            QTest::qWait(300);
        },
        Qt::Key_Return);
    EXPECT_EQ(box.text, QStringLiteral("Числовое и Символьное поля очищены!"));
}

// Runs a second time at QT_SCALE_FACTOR=2, where every size doubles.
TEST_F(MainWindowTest, NoCaptionIsClipped) {
    for (const char* name : {"Command1", "Command2", "Option1", "Option2", "Option3", "Option4",
                             "Check1", "Label1", "Label2"}) {
        QWidget* w = get<QWidget>(name);
        EXPECT_LE(w->sizeHint().width(), w->width()) << name;
        EXPECT_LE(w->fontMetrics().height(), w->height()) << name;
    }
    auto* frame = get<QGroupBox>("Frame1");
    EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()) + 2, frame->width());
    EXPECT_LE(window.menuBar()->sizeHint().height(), window.menuBar()->height());
}

TEST_F(MainWindowTest, GreenOnBlackFieldsRefuseTextBeyondTheirLimits) {
    for (const char* name : {"Text1", "Text2"}) {
        const QPalette palette = get<QLineEdit>(name)->palette();
        EXPECT_EQ(palette.color(QPalette::Base), QColor(Qt::black)) << name;
        EXPECT_EQ(palette.color(QPalette::Text), QColor(0, 255, 0)) << name;
    }
    auto* text1 = get<QLineEdit>("Text1");
    QTest::keyClicks(text1, QStringLiteral("0123456789"));
    EXPECT_EQ(text1->text(), QStringLiteral("012345678"));

    auto* text2 = get<QLineEdit>("Text2");
    QApplication::clipboard()->setText(QStringLiteral("пароль-длинный"));
    text2->setFocus();
    QTest::keyClick(text2, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text2->text(), QStringLiteral("пароль-д"));

    // What was typed is what a save writes.
    EXPECT_EQ(window.form().Text1.Text, u"012345678");
    EXPECT_EQ(window.form().Text2.Text, u"пароль-д");
}

TEST_F(MainWindowTest, StartsWithFocusOnGenerateInTabOrderAndNoDefaultButton) {
    EXPECT_EQ(QApplication::focusWidget(), get<QWidget>("Command1"));
    const char* order[] = {"Command1", "Text1",   "Option1", "Option2", "Text2",
                           "Check1",   "Option3", "Option4", "Command2"};
    // The disabled Clear button is skipped by Tab, so walk the focus chain itself.
    QWidget* w = get<QWidget>("Command1");
    for (const char* name : order) {
        EXPECT_EQ(w, get<QWidget>(name)) << name;
        do w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
    }
    for (const char* name : {"Command1", "Command2"}) {
        EXPECT_FALSE(get<QPushButton>(name)->isDefault());
        EXPECT_FALSE(get<QPushButton>(name)->autoDefault());
    }
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(action("mnuSave")->isEnabled()) << "Enter pressed nothing";
}

TEST_F(MainWindowTest, InitialStateAndTheKindStateMachine) {
    EXPECT_TRUE(isChecked("Option1") && !isChecked("Option2") && !isChecked("Check1"));
    EXPECT_TRUE(isChecked("Option3") && !isChecked("Option4"));
    EXPECT_FALSE(isEnabled("Command2"));
    for (const char* item : {"mnuSaveChis", "mnuSaveSim", "mnuSave"})
        EXPECT_FALSE(action(item)->isEnabled()) << item;
    EXPECT_TRUE(action("mnuExit")->isEnabled());

    click("Option2");
    EXPECT_TRUE(isChecked("Option2") && !isChecked("Option1") && isEnabled("Command2"));

    get<QLineEdit>("Text1")->setText(QStringLiteral("12"));
    click("Check1");  // Both: fields kept, options disabled and cleared
    EXPECT_TRUE(isChecked("Check1"));
    EXPECT_FALSE(isChecked("Option1") || isChecked("Option2"));
    EXPECT_FALSE(isEnabled("Option1") || isEnabled("Option2"));
    EXPECT_EQ(text("Text1"), QStringLiteral("12"));

    click("Check1");  // Unset: options enabled, none selected
    EXPECT_TRUE(isEnabled("Option1") && isEnabled("Option2"));
    EXPECT_FALSE(isChecked("Option1") || isChecked("Option2"));
    EXPECT_TRUE(isEnabled("Command2"));

    click("Option1");  // Numeric again: Clear disabled, fields emptied
    EXPECT_TRUE(isChecked("Option1") && !isEnabled("Command2"));
    EXPECT_TRUE(text("Text1").isEmpty());

    click("Option1");  // already selected: stays selected
    EXPECT_TRUE(isChecked("Option1"));

    click("Option4");
    EXPECT_TRUE(isChecked("Option4") && !isChecked("Option3"));
    click("Option4");
    EXPECT_TRUE(isChecked("Option4")) << "a length option cannot be cleared by a click";
    click("Option3");
    EXPECT_TRUE(isChecked("Option3") && !isChecked("Option4"));
}

TEST_F(MainWindowTest, GenerateFillsTheNumberAtOnceAndTheSymbolsOnTheTick) {
    click("Command1");
    EXPECT_EQ(text("Text1").size(), QString::number(text("Text1").toInt()).size());
    EXPECT_LT(text("Text1").toInt(), 1'000'000);
    for (const char* item : {"mnuSaveChis", "mnuSaveSim", "mnuSave"})
        EXPECT_TRUE(action(item)->isEnabled()) << item;

    click("Check1");
    click("Option4");
    click("Command1");
    EXPECT_TRUE(text("Text2").isEmpty()) << "the symbols wait for the tick";
    EXPECT_LT(text("Text1").toLongLong(), 1'000'000'000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !text("Text2").isEmpty(); }, 2000));
    EXPECT_EQ(text("Text2").size(), 8);
    for (QChar c : text("Text2"))
        EXPECT_TRUE(QStringLiteral("QWERTYUIOPASDFGHJKLZXCVBNM@!#$%").contains(c))
            << int(c.unicode());

    // Two presses before the tick give one run of symbols.
    click("Command1");
    click("Command1");
    QTest::qWait(30);
    EXPECT_EQ(text("Text2").size(), 8);
}

TEST_F(MainWindowTest, ClearShowsItsMessageOverEmptiedFields) {
    click("Option2");
    get<QLineEdit>("Text1")->setText(QStringLiteral("1"));
    QString shownBehind = QStringLiteral("unset");
    const SeenBox box = answerBox(
        [&] {
            QTimer::singleShot(0, [&] { shownBehind = text("Text1"); });
            click("Command2");
        },
        Qt::Key_Return);
    EXPECT_EQ(box.title, QStringLiteral("Quillop"));
    EXPECT_EQ(box.text, QStringLiteral("Числовое и Символьное поля очищены!"));
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_TRUE(shownBehind.isEmpty()) << "the fields are empty while the box shows";
}

TEST_F(MainWindowTest, ExitAsksAndOnlyOkEndsTheProgram) {
    click("Option2");
    get<QLineEdit>("Text1")->setText(QStringLiteral("777"));
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
        const SeenBox box = answerBox([&] { action("mnuExit")->trigger(); }, key);
        EXPECT_EQ(box.title, QStringLiteral("Quillop"));
        EXPECT_EQ(box.text, QStringLiteral("Вы хотите выйти?"));
        EXPECT_EQ(box.icon, QMessageBox::Information);
        EXPECT_EQ(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        if (key == Qt::Key_Escape) {
            EXPECT_EQ(endRequests, 0) << "Escape is Cancel";
            EXPECT_EQ(text("Text1"), QStringLiteral("777"));
            EXPECT_TRUE(isChecked("Option2") && isEnabled("Command2"));
        }
    }
    EXPECT_EQ(endRequests, 1) << "Return presses OK, the default button";
}

}  // namespace
}  // namespace quillop::ui
