#include "win32_file_replacer.h"

#include <windows.h>

#include <algorithm>

#include "owner_only_security.h"
#include "system_reason.h"
#include "wide_string.h"

namespace quillop::files {

namespace {

// At most four waits of 50 ms: long enough for a scanner to let go of the
// file, too short for a person to see the window freeze.
constexpr int kMoveAttempts = 5;
constexpr unsigned kMoveRetryMs = 50;

// A virus scanner or indexer may hold the target for a moment: that shows as a
// sharing or lock violation, or as access denied on a file that exists and is
// writable. A read-only file, a folder or a missing one stays so however long
// the user waits.
bool worthRetrying(DWORD error, const std::wstring& target) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
}

// Writes every byte or reports why not; a short write counts as a failure.
DWORD writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : DWORD(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_DISK_FULL;
        bytes.remove_prefix(written);
    }
    return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

DWORD moveOver(const std::wstring& temporary, const std::wstring& target,
               const Win32FileReplacer::Pause& pause) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        if (attempt == kMoveAttempts || !worthRetrying(error, target)) return error;
        pause(kMoveRetryMs);
    }
}

// A new file beside the target that no other save is using, its name as long
// as the target's ("пароль.~00" for "пароль.txt"): wherever the system limits
// the length of a path, a folder that can hold the target can hold it too.
// CREATE_NEW: a file left over or planted under that name is passed by, never
// written into and moved over the target with permissions of its own.
HANDLE createTemporary(const std::wstring& target, OwnerOnlySecurity& security,
                       std::wstring& name) {
    const std::size_t nameStart = target.find_last_of(L"\\/") + 1;  // 0 without a folder
    const std::size_t kept = target.size() - std::min<std::size_t>(3, target.size() - nameStart);
    for (unsigned attempt = 0;; ++attempt) {
        name = target.substr(0, kept) + L'~' + wchar_t(L'0' + attempt / 10) +
               wchar_t(L'0' + attempt % 10);
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, security.attributes(), CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS || attempt == 99)
            return file;
    }
}

}  // namespace

Win32FileReplacer::Win32FileReplacer()
    : pause_([](unsigned milliseconds) { Sleep(milliseconds); }) {}

std::optional<std::u16string> Win32FileReplacer::replace(const std::u16string& path,
                                                         std::string_view bytes) {
    const std::wstring target = wide(path);
    OwnerOnlySecurity security;
    if (!security.valid()) return systemReason(GetLastError());

    // Kept as its user made it, before anything is written: Windows would
    // refuse to move over it only at the end, and wine not at all.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return systemReason(ERROR_ACCESS_DENIED);

    std::wstring temporary;
    HANDLE file = createTemporary(target, security, temporary);
    if (file == INVALID_HANDLE_VALUE) return systemReason(GetLastError());

    DWORD error = writeAll(file, bytes);
    if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
    if (error == ERROR_SUCCESS) error = moveOver(temporary, target, pause_);
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
        return systemReason(error);
    }
    return std::nullopt;
}

}  // namespace quillop::files
