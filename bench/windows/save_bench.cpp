// One save of the numeric password, atomic replace included, against
// CreateFileW, WriteFile, FlushFileBuffers and MoveFileExW of the same bytes
// over the same file; the two alternate, each going first in turn.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "save_commands.h"
#include "silent_messages.h"
#include "stats.h"
#include "win32_file_replacer.h"

namespace {

// "Числовой пароль: " in Windows-1251, the password, CR LF.
const std::string kBytes =
    "\xD7\xE8\xF1\xEB\xEE\xE2\xEE\xE9\x20\xEF\xE0\xF0\xEE\xEB\xFC\x3A\x20"
    "123456789\r\n";

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s failed: error %lu\n", what, GetLastError());
    std::exit(1);
}

void plainReplace(const std::wstring& target, const std::wstring& temporary) {
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("CreateFileW");
    DWORD written = 0;
    if (!WriteFile(file, kBytes.data(), DWORD(kBytes.size()), &written, nullptr) ||
        written != kBytes.size())
        fail("WriteFile");
    if (!FlushFileBuffers(file)) fail("FlushFileBuffers");
    if (!CloseHandle(file)) fail("CloseHandle");
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        fail("MoveFileExW");
}

std::string contents(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    char buffer[256];
    DWORD read = 0;
    const BOOL ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return ok ? std::string(buffer, read) : std::string();
}

double millisecondsOf(auto&& action) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    action();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillop_bench_save FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const int rounds = argc > 2 ? _wtoi(argv[2]) : 200;
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring target = folder + L"\\Числовой пароль.txt";
    const std::wstring temporary = folder + L"\\floor.tmp";

    quillop::Form1 form;
    form.Text1.Text = u"123456789";
    quillop::files::Win32FileReplacer replacer;
    quillop::bench::SilentMessages messages;
    quillop::files::SaveServices services{std::u16string(folder.begin(), folder.end()), replacer,
                                          messages};
    const auto save = [&] { quillop::files::onMnuSaveChisClick(form, services); };
    const auto floorSave = [&] { plainReplace(target, temporary); };

    save();
    if (messages.lastIcon != quillop::MessageIcon::Information || contents(target) != kBytes) {
        std::fprintf(stderr, "the save command did not write the expected bytes\n");
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

    quillop::bench::printRow("win_save", "Windows: save numeric password (ms)", program, floor,
                             "ratio <= 1.2");
    return 0;
}
