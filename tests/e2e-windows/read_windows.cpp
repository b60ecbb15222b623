// What a person gets of Quillop's windows under wine, which has no screen-reader
// channel: waits for the main window and for the program to be idle, however
// long the wine session takes to start, then prints in UTF-8 what window_probe
// (beside this program) reads inside the program.
// Usage: read_windows [DPI]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

std::wstring probed;

LRESULT CALLBACK receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    probed.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    HWND main;
    while (!(main = FindWindowW(L"QuillopForm1", nullptr)) || !IsWindowVisible(main)) Sleep(20);
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(main, &process);
    WaitForInputIdle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process),
                     INFINITE);

    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wcscpy(std::wcsrchr(path, L'\\') + 1, L"window_probe.dll");
    HMODULE dll = LoadLibraryW(path);
    const auto probe =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "probe")));
    const WNDCLASSW receiver{0,       receive, 0,       0,       nullptr,
                             nullptr, nullptr, nullptr, nullptr, L"QuillopProbeReader"};
    RegisterClassW(&receiver);
    HWND me = CreateWindowW(receiver.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            nullptr, nullptr);
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, probe, dll, thread);
    const LPARAM command = argc < 2 ? 0 : std::atoi(argv[1]);
    // Busy for a minute at most.
    for (int attempt = 0; attempt < 3000 && (probed.empty() || probed == L"busy\n"); ++attempt) {
        if (attempt) Sleep(20);
        SendMessageW(main, RegisterWindowMessageW(L"QuillopProbe"), reinterpret_cast<WPARAM>(me),
                     command);
    }
    UnhookWindowsHookEx(hook);
    std::string utf8(probed.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, probed.data(), int(probed.size()), utf8.data(),
                                    int(utf8.size()), nullptr, nullptr));
    std::fputs(utf8.c_str(), stdout);
}
