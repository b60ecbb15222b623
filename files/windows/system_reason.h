#pragma once

#include <windows.h>

#include <string>

namespace quillop::files {

// The system's own words for an error code, in the user's language.
std::u16string systemReason(DWORD error);

}  // namespace quillop::files
