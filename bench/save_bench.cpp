// One save of the numeric password, atomic replace included, against
// writing, fdatasync-ing and renaming the same bytes with plain system calls
// into the same folder; the two alternate, each going first in turn.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "qt_file_replacer.h"
#include "save_commands.h"
#include "silent_messages.h"
#include "stats.h"

namespace {

using Clock = std::chrono::steady_clock;

// "Числовой пароль: " in Windows-1251, the password, CR LF.
const std::string kBytes =
    "\xD7\xE8\xF1\xEB\xEE\xE2\xEE\xE9\x20\xEF\xE0\xF0\xEE\xEB\xFC\x3A\x20"
    "123456789\r\n";

[[noreturn]] void fail(const char* what) {
    std::perror(what);
    std::exit(1);
}

void plainReplace(const std::string& target, const std::string& temporary) {
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) fail("open");
    if (write(fd, kBytes.data(), kBytes.size()) != static_cast<ssize_t>(kBytes.size()))
        fail("write");
    if (fdatasync(fd) != 0) fail("fdatasync");
    if (close(fd) != 0) fail("close");
    if (rename(temporary.c_str(), target.c_str()) != 0) fail("rename");
}

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

double millisecondsOf(auto&& action) {
    const auto start = Clock::now();
    action();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillop_bench_save FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 200;
    mkdir(folder.c_str(), 0777);
    const std::string target = folder + "/Числовой пароль.txt";
    const std::string temporary = folder + "/.floor.tmp";

    quillop::Form1 form;
    form.Text1.Text = u"123456789";
    quillop::files::QtFileReplacer replacer;
    quillop::bench::SilentMessages messages;
    quillop::files::SaveServices services{QString::fromStdString(folder).toStdU16String(), replacer,
                                          messages};
    const auto save = [&] { quillop::files::onMnuSaveChisClick(form, services); };
    const auto floorSave = [&] { plainReplace(target, temporary); };

    save();
    if (messages.lastIcon != quillop::MessageIcon::Information || contents(target) != kBytes) {
        std::fprintf(stderr, "the save command did not write the expected bytes to %s\n",
                     target.c_str());
        return 1;
    }
    for (int i = 0; i < 10; ++i) {
        save();
        floorSave();
    }

    std::vector<double> program, floor;
    quillop::bench::alternate(
        rounds, [&] { return millisecondsOf(save); }, [&] { return millisecondsOf(floorSave); },
        program, floor);
    if (messages.lastIcon != quillop::MessageIcon::Information || contents(target) != kBytes) {
        std::fprintf(stderr, "a save failed\n");
        return 1;
    }

    quillop::bench::printRow("save", "save numeric password (ms)", program, floor, "ratio <= 1.2");
    return 0;
}
