#pragma once

#include <windows.h>

#include "file_replacer.h"

namespace quillop::files {

// The system calls of a save, one method each, so that a test can make any of
// them fail, stop the save there as a crash would, or count the waits.
class SaveCalls {
public:
    virtual ~SaveCalls() = default;
    virtual HANDLE createNew(const wchar_t* path, SECURITY_ATTRIBUTES* security);
    virtual BOOL write(HANDLE file, const char* bytes, DWORD size, DWORD* written);
    virtual BOOL flush(HANDLE file);
    virtual BOOL close(HANDLE file);
    virtual BOOL move(const wchar_t* from, const wchar_t* to);  // over the target, written through
    virtual void pause(unsigned milliseconds);
};

// Writes a temporary owner-only file beside the target ("пароль.~00" for
// "пароль.txt"), puts it on disk and only then moves it over the target, so
// the target is either the old file byte for byte or the new one. Each save
// first removes what an interrupted save of that name left behind. Not
// ReplaceFileW: it would copy the old file's permissions onto the new one.
class Win32FileReplacer final : public FileReplacer {
public:
    Win32FileReplacer() : calls_(systemCalls_) {}
    explicit Win32FileReplacer(SaveCalls& calls) : calls_(calls) {}

    std::optional<ReplaceFailure> replace(const std::u16string& path,
                                          std::string_view bytes) override;

private:
    SaveCalls systemCalls_;
    SaveCalls& calls_;
};

}  // namespace quillop::files
