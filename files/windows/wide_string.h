#pragma once

#include <string>
#include <string_view>

// On Windows wchar_t is UTF-16, like char16_t: the same code units.
namespace quillop::files {

inline std::wstring wide(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::u16string utf16(std::wstring_view text) { return {text.begin(), text.end()}; }

}  // namespace quillop::files
