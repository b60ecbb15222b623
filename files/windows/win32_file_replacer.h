#pragma once

#include <functional>

#include "file_replacer.h"

namespace quillop::files {

// Writes a temporary owner-only file beside the target, puts it on disk and
// only then moves it over the target, so the target is either the old file
// byte for byte or the new one. Not ReplaceFileW: it would copy the old
// file's permissions onto the new one.
class Win32FileReplacer final : public FileReplacer {
public:
    // How it waits before moving again; tests count the waits instead.
    using Pause = std::function<void(unsigned milliseconds)>;

    Win32FileReplacer();
    explicit Win32FileReplacer(Pause pause) : pause_(std::move(pause)) {}

    std::optional<std::u16string> replace(const std::u16string& path,
                                          std::string_view bytes) override;

private:
    Pause pause_;
};

}  // namespace quillop::files
