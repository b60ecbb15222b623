// A long day's use of the Qt window in one process: its real widgets clicked,
// its real timer, its real message boxes answered with Return, its files
// saved by the real replacer into FOLDER. Prints the resident memory at round
// 1,000 and at the last round as a row.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "main_window.h"
#include "qt_file_replacer.h"
#include "soak.h"
#include "system_clock.h"
#include "system_random.h"

namespace {

using quillop::bench::Control;
using quillop::bench::Save;

double residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6);
    return 0;
}

class QtDriver final : public quillop::bench::SoakDriver {
public:
    QtDriver(quillop::ui::MainWindow& window, QString folder)
        : window_(window), folder_(std::move(folder)) {}

    void click(Control control) override { QTest::mouseClick(widget(control), Qt::LeftButton); }

    void generate(int symbols) override {
        click(Control::Command1);
        while (window_.form().Timer1.Enabled || field(2).size() != std::size_t(symbols))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    std::u16string clickWithBox(Control control) override {
        return answered([&] { click(control); });
    }

    std::u16string save(Save which) override {
        static const char* const names[] = {"mnuSaveChis", "mnuSaveSim", "mnuSave"};
        auto* action = window_.findChild<QAction*>(QString::fromLatin1(names[int(which)]));
        return answered([&] { action->trigger(); });
    }

    std::u16string field(int number) override {
        const auto name = number == 1 ? QStringLiteral("Text1") : QStringLiteral("Text2");
        return window_.findChild<QLineEdit*>(name)->text().toStdU16String();
    }

    std::optional<std::string> fileBytes(const std::u16string& name) override {
        QFile file(folder_ + QLatin1Char('/') + QString::fromStdU16String(name));
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        return file.readAll().toStdString();
    }

    std::vector<Reading> read() override {
        return {{"soak_rss", "soak: resident memory (KiB), round 10,000 against 1,000", 256,
                 residentKiB()}};
    }

private:
    QWidget* widget(Control control) {
        static const char* const names[] = {"Option1", "Option2",  "Option3", "Option4",
                                            "Check1",  "Command1", "Command2"};
        return window_.findChild<QWidget*>(QString::fromLatin1(names[int(control)]));
    }

    // Return is pressed in the box as soon as it is up, as a person would.
    template <typename Action>
    std::u16string answered(Action action) {
        QString text;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            poll.stop();
            text = box->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        poll.start(0);
        action();
        return text.toStdU16String();
    }

    quillop::ui::MainWindow& window_;
    QString folder_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillop_soak FOLDER [ROUNDS]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 10'000;

    quillop::SystemRandom random;
    quillop::SystemClock clock;
    quillop::files::QtFileReplacer replacer;
    quillop::ui::MainWindow window({.platform = {.random = random,
                                                 .clock = clock,
                                                 .replacer = replacer,
                                                 .programFolder = folder.toStdU16String()},
                                    .endProgram = [] {}});
    window.showCentred();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;

    QtDriver driver(window, folder);
    quillop::bench::Soak soak(driver);
    if (!soak.run(rounds)) return 1;
    soak.printRows(rounds);
    return 0;
}
