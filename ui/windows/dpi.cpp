#include "dpi.h"

namespace quillop::ui::dpi {

namespace {

template <typename Function>
Function lookUp(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (!handle) handle = LoadLibraryW(module);
    // The signature is the documented one; FARPROC is only the carrier.
    return handle
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
               : nullptr;
}

using DpiAwarenessContext = HANDLE;
const auto kPerMonitorAwareV2 = reinterpret_cast<DpiAwarenessContext>(-4);

UINT systemDpi() {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value > 0 ? static_cast<UINT>(value) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

void becomeAware() {
    using SetContext = DpiAwarenessContext(WINAPI*)(DpiAwarenessContext);
    using SetAware = BOOL(WINAPI*)();
    if (auto set = lookUp<SetContext>(L"user32.dll", "SetThreadDpiAwarenessContext")) {
        set(kPerMonitorAwareV2);
    } else if (auto aware = lookUp<SetAware>(L"user32.dll", "SetProcessDPIAware")) {
        aware();  // Windows 7 and 8: system DPI, like the manifest asks
    }
}

UINT of(HWND window) {
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto get = lookUp<GetDpiForWindow>(L"user32.dll", "GetDpiForWindow");
    const UINT value = get && window ? get(window) : 0;
    return value ? value : systemDpi();
}

RECT windowRectFor(RECT client, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi) {
    using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = lookUp<Adjust>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&client, style, hasMenu, exStyle, dpi))
        AdjustWindowRectEx(&client, style, hasMenu, exStyle);
    return client;
}

LOGFONTW messageFont(UINT dpi) {
    using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto forDpi =
        lookUp<ParametersForDpi>(L"user32.dll", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return metrics.lfMessageFont;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    // Older systems give it at the system DPI.
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                            static_cast<int>(systemDpi()));
    return metrics.lfMessageFont;
}

}  // namespace quillop::ui::dpi
