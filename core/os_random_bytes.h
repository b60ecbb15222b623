#pragma once

#include <cstddef>

namespace quillop {

// Fills the buffer from the operating system's cryptographically secure
// generator, or throws RandomUnavailable. The only place that knows the platform.
void osRandomBytes(void* buffer, std::size_t size);

}  // namespace quillop
