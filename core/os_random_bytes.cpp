#include "os_random_bytes.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "random_source.h"

#if defined(_WIN32)
#include <windows.h>
// bcrypt.h needs the types of windows.h
#include <bcrypt.h>
#elif defined(__linux__)
#include <sys/random.h>
#else
#include <stdlib.h>  // arc4random_buf
#endif

namespace quillop {

void osRandomBytes(void* buffer, std::size_t size) {
#if defined(_WIN32)
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (size > 0) {
        const ULONG chunk = size > 0x10000000 ? 0x10000000 : static_cast<ULONG>(size);
        if (BCryptGenRandom(nullptr, bytes, chunk, BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0)
            throw RandomUnavailable("BCryptGenRandom failed");
        bytes += chunk;
        size -= chunk;
    }
#elif defined(__linux__)
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (size > 0) {
        const ssize_t got = getrandom(bytes, size, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw RandomUnavailable(std::string("getrandom: ") + std::strerror(errno));
        }
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
#else
    arc4random_buf(buffer, size);  // cannot fail
#endif
}

}  // namespace quillop
