#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillop::files {

// Why a replace failed, in the system's words, and whether the earlier file
// is still there as it was.
struct ReplaceFailure {
    std::u16string reason;
    // False when the new file is already in place but the system could not
    // confirm that it is on the disk.
    bool earlierFileKept = true;

    bool operator==(const ReplaceFailure&) const = default;
};

// Puts exactly these bytes at path, on the disk, or leaves whatever was there
// untouched. A temporary file that an interrupted save of this path left
// behind is removed by the next save.
class FileReplacer {
public:
    virtual ~FileReplacer() = default;
    // nullopt once the bytes are on the disk under path.
    virtual std::optional<ReplaceFailure> replace(const std::u16string& path,
                                                  std::string_view bytes) = 0;
};

}  // namespace quillop::files
