#pragma once

#include <sys/types.h>

#include "file_replacer.h"

namespace quillop::files {

// The system calls of a save, one method each, so that a test can make any of
// them fail or stop the save there as a crash would.
class SaveCalls {
public:
    virtual ~SaveCalls() = default;
    virtual int createTemporary(char* pathTemplate);  // mkostemp: owner-only, never an old file
    virtual int makeOwnerOnly(int file);
    virtual ssize_t write(int file, const char* bytes, size_t size);
    virtual int syncData(int file);
    virtual int close(int file);
    virtual int rename(const char* from, const char* to);
    virtual int syncFolder(const char* folder);
};

// Writes "<name>.quillop-XXXXXX" beside the target, owner-only, syncs its
// data, and only then renames it over the target and syncs the folder, so
// the target is the old file or the whole new one, also after a power cut.
// Each save first removes what an interrupted save of that name left behind.
class PosixFileReplacer final : public FileReplacer {
public:
    PosixFileReplacer() : calls_(systemCalls_) {}
    explicit PosixFileReplacer(SaveCalls& calls) : calls_(calls) {}

    std::optional<ReplaceFailure> replace(const std::u16string& path,
                                          std::string_view bytes) override;

private:
    SaveCalls systemCalls_;
    SaveCalls& calls_;
};

}  // namespace quillop::files
