// A long day's use of quillop.exe's window in one process: its real controls
// pressed, its real timer, its real message boxes answered with OK, its files
// saved by the real replacer into FOLDER, and every 100th round a move to
// another DPI. Prints the GDI and USER objects and the private bytes at round
// 1,000 and at the last round as rows.
#include <windows.h>
// psapi.h needs the types of windows.h
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "menu.h"
#include "running_window.h"
#include "soak.h"
#include "system_clock.h"
#include "system_random.h"
#include "wide_string.h"
#include "win32_file_replacer.h"

namespace {

using quillop::bench::Control;
using quillop::bench::Save;
using namespace quillop::ui;

// Wine has no GetGuiResources (it answers 0, ERROR_CALL_NOT_IMPLEMENTED). Its
// handle tables take a handle's bare index, so the live objects are counted
// by index instead: every GDI object, and for USER the windows and menus.
bool guiResourcesCounted() {
    SetLastError(ERROR_SUCCESS);
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0 ||
           GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
}

double gdiObjects() {
    if (guiResourcesCounted()) return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    int count = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return count;
}

BOOL CALLBACK countWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, countWindow, count);
    return TRUE;
}

double userObjects() {
    if (guiResourcesCounted()) return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    for (UINT_PTR handle = 0x20; handle <= 0xFFFF; handle += 2)
        count += IsMenu(reinterpret_cast<HMENU>(handle)) != 0;
    return count;
}

// The commit charge; wine reports it only as the page-file usage.
double privateKiB() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return double(bytes) / 1024.0;
}

class Win32Driver final : public quillop::bench::SoakDriver {
public:
    Win32Driver(quillop::bench::RunningWindow& window, std::wstring folder)
        : window_(window), folder_(std::move(folder)) {}

    void click(Control control) override { window_.click(idOf(control)); }

    void generate(int symbols) override {
        window_.click(kCommand1Id);
        window_.pumpUntilFilled(kText2Id, symbols);
    }

    std::u16string clickWithBox(Control control) override {
        return quillop::files::utf16(window_.clickWithBox(idOf(control)));
    }

    std::u16string save(Save which) override {
        static const MenuCommand commands[] = {kMnuSaveChis, kMnuSaveSim, kMnuSave};
        return quillop::files::utf16(window_.pick(commands[int(which)]));
    }

    std::u16string field(int number) override {
        return quillop::files::utf16(window_.text(number == 1 ? kText1Id : kText2Id));
    }

    std::optional<std::string> fileBytes(const std::u16string& name) override {
        const std::wstring path = folder_ + L"\\" + quillop::files::wide(name);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return std::nullopt;
        char buffer[256];
        DWORD read = 0;
        const BOOL ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr);
        CloseHandle(file);
        if (!ok) return std::nullopt;
        return std::string(buffer, read);
    }

    // What the window is told when it is dragged onto a monitor of this DPI.
    void changeDpi(int dpi) override {
        RECT rect;
        GetWindowRect(window_.handle(), &rect);
        const int width = MulDiv(rect.right - rect.left, dpi, dpi_);
        const int height = MulDiv(rect.bottom - rect.top, dpi, dpi_);
        RECT suggested{rect.left, rect.top, rect.left + width, rect.top + height};
        SendMessageW(window_.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        dpi_ = dpi;
    }

    std::vector<Reading> read() override {
        return {
            {"win_soak_gdi", "Windows soak: GDI objects, round 10,000 against 1,000", 0,
             gdiObjects()},
            {"win_soak_user", "Windows soak: USER objects, round 10,000 against 1,000", 0,
             userObjects()},
            {"win_soak_private", "Windows soak: private bytes (KiB), round 10,000 against 1,000",
             256, privateKiB()}};
    }

private:
    static ControlId idOf(Control control) {
        static const ControlId ids[] = {kOption1Id, kOption2Id,  kOption3Id, kOption4Id,
                                        kCheck1Id,  kCommand1Id, kCommand2Id};
        return ids[int(control)];
    }

    quillop::bench::RunningWindow& window_;
    std::wstring folder_;
    int dpi_ = 96;
};

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillop_soak FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const int rounds = argc > 2 ? _wtoi(argv[2]) : 10'000;
    CreateDirectoryW(folder.c_str(), nullptr);

    quillop::SystemRandom random;
    quillop::SystemClock clock;
    quillop::files::Win32FileReplacer replacer;
    quillop::bench::RunningWindow window({.random = random,
                                          .clock = clock,
                                          .replacer = replacer,
                                          .programFolder = quillop::files::utf16(folder)});
    if (!window.created()) return 1;
    std::fprintf(stderr, "soak: objects counted %s\n",
                 guiResourcesCounted() ? "by GetGuiResources" : "by handle index (wine)");

    Win32Driver driver(window, folder);
    quillop::bench::Soak soak(driver);
    if (!soak.run(rounds)) return 1;
    soak.printRows(rounds);
    return 0;
}
