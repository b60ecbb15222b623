#include "system_dlls.h"

#include <windows.h>

namespace quillop::ui {

void loadDllsFromSystemFolderOnly() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    // Looked up, not imported: Windows 7 has it only with KB2533623.
    const FARPROC found =
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (!found) return;
    const auto function = reinterpret_cast<void (*)()>(found);
    reinterpret_cast<SetDefaultDllDirectoriesFunction>(function)(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

namespace {

// Before the C runtime's own constructors: the stack protector's set-up asks
// the system's cryptography provider for its guard, which loads more DLLs by
// name.
[[gnu::constructor(101)]] void restrictBeforeAnythingElse() { loadDllsFromSystemFolderOnly(); }

}  // namespace

}  // namespace quillop::ui
