#pragma once

#include <string>

namespace quillop::files {

// The folder of the running executable, without a trailing separator except
// at the root. One implementation per platform; the Qt one needs a
// QCoreApplication.
std::u16string programFolder();

}  // namespace quillop::files
