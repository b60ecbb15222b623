#pragma once

#include <string>

namespace quillop::files {

// The folder part of an executable's path: no trailing separator, except at
// a drive's root, which keeps its one ("C:\").
std::u16string folderOf(const std::u16string& executable);

}  // namespace quillop::files
