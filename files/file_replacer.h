#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillop::files {

// Puts exactly these bytes at path, or leaves whatever was there untouched.
class FileReplacer {
public:
    virtual ~FileReplacer() = default;
    // nullopt on success; otherwise the system's reason, for the user to read.
    virtual std::optional<std::u16string> replace(const std::u16string& path,
                                                  std::string_view bytes) = 0;
};

}  // namespace quillop::files
