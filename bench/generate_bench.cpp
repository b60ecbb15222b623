// From the click of Generate in the Both state until the symbolic field holds
// its symbols, the 1 ms timer included, on the offscreen platform. The floor
// is a bare button whose click empties a field and arms a 1 ms timer that
// fills it, measured click by click in turn with the program's window.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "generators.h"
#include "main_window.h"
#include "silent_messages.h"
#include "stats.h"
#include "system_clock.h"
#include "system_random.h"

namespace {

using Clock = std::chrono::steady_clock;

// Nothing is saved here; the window only needs something to hold.
class NoFiles final : public quillop::files::FileReplacer {
public:
    std::optional<std::u16string> replace(const std::u16string&, std::string_view) override {
        return std::nullopt;
    }
};

bool timedOut = false;

// Milliseconds from the click until the field first holds `length` characters.
double clickUntilFilled(QPushButton* button, QLineEdit* field, qsizetype length) {
    bool filled = false;
    Clock::time_point filledAt;
    const auto watch = QObject::connect(field, &QLineEdit::textChanged, [&](const QString& text) {
        if (!filled && text.size() == length) {
            filledAt = Clock::now();
            filled = true;
        }
    });
    const auto start = Clock::now();
    QTest::mouseClick(button, Qt::LeftButton);
    while (!filled && !timedOut) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QObject::disconnect(watch);
    if (!filled) {
        std::fprintf(stderr, "the field was not filled within the time allowed\n");
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(filledAt - start).count();
}

bool onlySymbols(const QString& text) {
    for (QChar c : text)
        if (quillop::kSymbolTable.find(c.unicode()) == std::u16string_view::npos) return false;
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int clicks = argc > 1 ? std::atoi(argv[1]) : 1000;

    quillop::SystemRandom random;
    quillop::SystemClock clock;
    NoFiles files;
    quillop::bench::SilentMessages messages;
    quillop::ui::MainWindow window({.platform = {.random = random,
                                                 .clock = clock,
                                                 .replacer = files,
                                                 .programFolder = u"/nonexistent"},
                                    .endProgram = [] {},
                                    .messages = &messages});
    window.showCentred();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    auto* command1 = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* text2 = window.findChild<QLineEdit*>(QStringLiteral("Text2"));
    auto* check1 = window.findChild<QCheckBox*>(QStringLiteral("Check1"));
    if (!command1 || !text2 || !check1) {
        std::fprintf(stderr, "Command1, Text2 or Check1 not found\n");
        return 1;
    }
    QTest::mouseClick(check1, Qt::LeftButton);
    const quillop::Form1& form = window.form();
    if (form.Check1.Value != 1 || form.Option1.Value || form.Option2.Value) {
        std::fprintf(stderr, "the window is not in the Both state\n");
        return 1;
    }
    const qsizetype length = form.Option4.Value ? 8 : 6;

    QWidget floorWindow;
    auto* floorButton = new QPushButton(QStringLiteral("Generate"), &floorWindow);
    auto* floorField = new QLineEdit(&floorWindow);
    floorField->move(0, 40);
    QTimer floorTimer;
    floorTimer.setSingleShot(true);
    floorTimer.setInterval(1);
    floorTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(floorButton, &QPushButton::clicked, [&] {
        floorField->clear();
        floorTimer.start();
    });
    QObject::connect(&floorTimer, &QTimer::timeout,
                     [&] { floorField->setText(QStringLiteral("QWERTYUI").left(length)); });
    floorWindow.show();
    if (!QTest::qWaitForWindowExposed(&floorWindow)) return 1;

    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { timedOut = true; });
    watchdog.start(120'000);

    for (int i = 0; i < 50; ++i) {
        clickUntilFilled(command1, text2, length);
        clickUntilFilled(floorButton, floorField, length);
    }
    std::vector<double> program, floor;
    for (int i = 0; i < clicks; ++i) {
        if (i % 2 == 0) {
            program.push_back(clickUntilFilled(command1, text2, length));
            floor.push_back(clickUntilFilled(floorButton, floorField, length));
        } else {
            floor.push_back(clickUntilFilled(floorButton, floorField, length));
            program.push_back(clickUntilFilled(command1, text2, length));
        }
        if (!onlySymbols(text2->text()) || form.Text1.Text.empty()) {
            std::fprintf(stderr, "Generate did not fill both fields\n");
            return 1;
        }
    }

    quillop::bench::printRow("generate", "Generate to filled, Both state (ms)", program, floor,
                             "Quillop < 3 ms");
    return 0;
}
