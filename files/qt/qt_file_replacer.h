#pragma once

#include "file_replacer.h"

namespace quillop::files {

// Writes a temporary file beside the target and renames it over the target
// only once every byte is written and on disk. The result is owner-only.
class QtFileReplacer final : public FileReplacer {
public:
    std::optional<std::u16string> replace(const std::u16string& path,
                                          std::string_view bytes) override;
};

}  // namespace quillop::files
