#include "win32_file_replacer.h"

#include <windows.h>

#include "owner_only_security.h"
#include "system_reason.h"
#include "wide_string.h"

namespace quillop::files {

namespace {

constexpr int kMoveAttempts = 5;
constexpr DWORD kMoveRetryMs = 100;

// A virus scanner or indexer may hold a new file for a moment.
bool worthRetrying(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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

DWORD moveOver(const std::wstring& temporary, const std::wstring& target) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        if (attempt == kMoveAttempts || !worthRetrying(error) || isFolder(target)) return error;
        Sleep(kMoveRetryMs);
    }
}

// A new file beside the target that no other save can be using.
HANDLE createTemporary(const std::wstring& target, OwnerOnlySecurity& security,
                       std::wstring& name) {
    for (unsigned attempt = 0;; ++attempt) {
        name = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(attempt) + L".tmp";
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, security.attributes(), CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS || attempt == 99)
            return file;
    }
}

}  // namespace

std::optional<std::u16string> Win32FileReplacer::replace(const std::u16string& path,
                                                         std::string_view bytes) {
    const std::wstring target = wide(path);
    OwnerOnlySecurity security;
    if (!security.valid()) return systemReason(GetLastError());

    std::wstring temporary;
    HANDLE file = createTemporary(target, security, temporary);
    if (file == INVALID_HANDLE_VALUE) return systemReason(GetLastError());

    DWORD error = writeAll(file, bytes);
    if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
    if (error == ERROR_SUCCESS) error = moveOver(temporary, target);
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
        return systemReason(error);
    }
    return std::nullopt;
}

}  // namespace quillop::files
