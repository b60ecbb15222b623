// A bcrypt.dll as a hostile page could leave it in Downloads beside the exe.
// It makes itself known the moment it is loaded, by creating a file in the
// current folder, and it never gives a random byte.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        HANDLE file = CreateFileW(L"planted-dll-loaded", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) LONG WINAPI BCryptGenRandom(void*, unsigned char*, ULONG, ULONG) {
    return static_cast<LONG>(0xC0000001L);  // STATUS_UNSUCCESSFUL
}
