#include "os_random_bytes.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "random_source.h"

#if defined(_WIN32)
#include <windows.h>
// bcrypt.h needs the types of windows.h
#include <bcrypt.h>
#elif defined(__linux__)
#include <sys/random.h>
#else
#include <stdlib.h>  // arc4random_buf
#endif

namespace quillop {

#if defined(_WIN32)
namespace {

using GenRandomFunction = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, PUCHAR, ULONG, ULONG);

// bcrypt.dll is not one of the DLLs that Windows always takes from its own
// folder: imported or loaded by name, it would be looked for beside the exe
// first, where a planted copy may wait. So it is loaded from the system
// folder by that folder's path, which needs no update of Windows 7.
GenRandomFunction systemGenRandom() {
    static const GenRandomFunction function = []() -> GenRandomFunction {
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return nullptr;
        const std::wstring path = std::wstring(folder, length) + L"\\bcrypt.dll";
        HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (!module) return nullptr;
        return reinterpret_cast<GenRandomFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(module, "BCryptGenRandom")));
    }();
    return function;
}

}  // namespace
#endif

void osRandomBytes(void* buffer, std::size_t size) {
#if defined(_WIN32)
    const GenRandomFunction genRandom = systemGenRandom();
    if (!genRandom)
        throw RandomUnavailable("bcrypt.dll could not be loaded from the system folder");
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (size > 0) {
        const ULONG chunk = size > 0x10000000 ? 0x10000000 : static_cast<ULONG>(size);
        if (genRandom(nullptr, bytes, chunk, BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0)
            throw RandomUnavailable("BCryptGenRandom failed");
        bytes += chunk;
        size -= chunk;
    }
#elif defined(__linux__)
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (size > 0) {
        const ssize_t got = getrandom(bytes, size, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw RandomUnavailable(std::string("getrandom: ") + std::strerror(errno));
        }
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
#else
    arc4random_buf(buffer, size);  // cannot fail
#endif
}

}  // namespace quillop
