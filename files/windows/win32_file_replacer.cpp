#include "win32_file_replacer.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

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
DWORD writeAll(SaveCalls& calls, HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : DWORD(bytes.size());
        DWORD written = 0;
        if (!calls.write(file, bytes.data(), chunk, &written)) return GetLastError();
        if (written == 0) return ERROR_DISK_FULL;
        bytes.remove_prefix(written);
    }
    return calls.flush(file) ? ERROR_SUCCESS : GetLastError();
}

DWORD moveOver(SaveCalls& calls, const std::wstring& temporary, const std::wstring& target) {
    for (int attempt = 1;; ++attempt) {
        if (calls.move(temporary.c_str(), target.c_str())) return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        if (attempt == kMoveAttempts || !worthRetrying(error, target)) return error;
        calls.pause(kMoveRetryMs);
    }
}

// The temporaries of a target share its name up to its last three characters
// ("пароль.~00" for "пароль.txt"): wherever the system limits the length of a
// path, a folder that can hold the target can hold them too.
std::wstring temporaryStem(const std::wstring& target) {
    const std::size_t nameStart = target.find_last_of(L"\\/") + 1;  // 0 without a folder
    return target.substr(0, target.size() - std::min<std::size_t>(3, target.size() - nameStart)) +
           L'~';
}

// What an interrupted save left may hold a password, and nothing else ever
// removes it. Only a plain file under such a name that nobody but this user
// may open is certainly one; a temporary still being written is held open
// and cannot be deleted.
void removeLeftTemporaries(const std::wstring& stem) {
    const std::size_t folderEnd = stem.find_last_of(L"\\/") + 1;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((stem + L"??").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        const std::wstring path = stem.substr(0, folderEnd) + found.cFileName;
        if (path.size() == stem.size() + 2 && iswdigit(path.end()[-2]) && iswdigit(path.back()) &&
            !(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY |
                                        FILE_ATTRIBUTE_REPARSE_POINT)) &&
            onlyThisUserMayOpen(path))
            DeleteFileW(path.c_str());
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// A new file under the first free temporary name. CREATE_NEW: a file of
// someone else's under that name is passed by, never written into and moved
// over the target with permissions of its own.
HANDLE createTemporary(SaveCalls& calls, const std::wstring& stem, OwnerOnlySecurity& security,
                       std::wstring& name) {
    for (unsigned attempt = 0;; ++attempt) {
        name = stem + wchar_t(L'0' + attempt / 10) + wchar_t(L'0' + attempt % 10);
        HANDLE file = calls.createNew(name.c_str(), security.attributes());
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS || attempt == 99)
            return file;
    }
}

}  // namespace

HANDLE SaveCalls::createNew(const wchar_t* path, SECURITY_ATTRIBUTES* security) {
    return CreateFileW(path, GENERIC_WRITE, 0, security, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}
BOOL SaveCalls::write(HANDLE file, const char* bytes, DWORD size, DWORD* written) {
    return WriteFile(file, bytes, size, written, nullptr);
}
BOOL SaveCalls::flush(HANDLE file) { return FlushFileBuffers(file); }
BOOL SaveCalls::close(HANDLE file) { return CloseHandle(file); }
BOOL SaveCalls::move(const wchar_t* from, const wchar_t* to) {
    return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}
void SaveCalls::pause(unsigned milliseconds) { Sleep(milliseconds); }

std::optional<ReplaceFailure> Win32FileReplacer::replace(const std::u16string& path,
                                                         std::string_view bytes) {
    const std::wstring target = wide(path);
    OwnerOnlySecurity security;
    if (!security.valid()) return ReplaceFailure{systemReason(GetLastError())};

    // Kept as its user made it, before anything is written: Windows would
    // refuse to move over it only at the end, and wine not at all.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return ReplaceFailure{systemReason(ERROR_ACCESS_DENIED)};

    const std::wstring stem = temporaryStem(target);
    removeLeftTemporaries(stem);
    std::wstring temporary;
    HANDLE file = createTemporary(calls_, stem, security, temporary);
    if (file == INVALID_HANDLE_VALUE) return ReplaceFailure{systemReason(GetLastError())};

    DWORD error = writeAll(calls_, file, bytes);
    if (!calls_.close(file) && error == ERROR_SUCCESS) error = GetLastError();
    if (error == ERROR_SUCCESS) error = moveOver(calls_, temporary, target);
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
        return ReplaceFailure{systemReason(error)};
    }
    return std::nullopt;
}

}  // namespace quillop::files
