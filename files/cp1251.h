#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillop::files {

// Windows-1251, one byte per character; nullopt when any character has no
// byte in the code page, so nothing is ever written as a substitute.
std::optional<std::string> toWindows1251(std::u16string_view text);

}  // namespace quillop::files
