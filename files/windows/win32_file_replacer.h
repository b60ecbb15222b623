#pragma once

#include "file_replacer.h"

namespace quillop::files {

// Writes a temporary owner-only file beside the target, puts it on disk and
// only then moves it over the target, so the target is either the old file
// byte for byte or the new one. Not ReplaceFileW: it would copy the old
// file's permissions onto the new one.
class Win32FileReplacer final : public FileReplacer {
public:
    std::optional<std::u16string> replace(const std::u16string& path,
                                          std::string_view bytes) override;
};

}  // namespace quillop::files
