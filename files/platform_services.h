#pragma once

#include <string>

#include "file_replacer.h"
#include "random_source.h"

namespace quillop::files {

// What a window's handlers reach the platform through, the same for every
// front end; tests substitute any of them.
struct PlatformServices {
    RandomSource& random;
    Clock& clock;
    FileReplacer& replacer;
    std::u16string programFolder;
};

}  // namespace quillop::files
