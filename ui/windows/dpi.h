#pragma once

#include <windows.h>

// Per-monitor DPI where the system has it (Windows 10 1703 and later), the
// system DPI elsewhere. The newer calls are looked up at run time, so one
// executable starts on Windows 7 too.
namespace quillop::ui::dpi {

// Before the first window: per-monitor v2 if the manifest has not done it.
void becomeAware();

UINT of(HWND window);

// The window rectangle around a client rectangle at this DPI.
RECT windowRectFor(RECT client, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi);

// The system's message font at this DPI, for the fields.
LOGFONTW messageFont(UINT dpi);

}  // namespace quillop::ui::dpi
