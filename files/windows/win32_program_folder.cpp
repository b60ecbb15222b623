#include "win32_program_folder.h"

#include <windows.h>

#include "program_folder.h"
#include "wide_string.h"

namespace quillop::files {

std::u16string folderOf(const std::u16string& executable) {
    const auto separator = executable.find_last_of(u"\\/");
    if (separator == std::u16string::npos) return {};
    const bool driveRoot = separator == 2 && executable[1] == u':';
    return executable.substr(0, driveRoot ? separator + 1 : separator);
}

std::u16string programFolder() {
    // Long paths do not fit MAX_PATH: grow until the whole name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return folderOf(utf16(path));
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace quillop::files
