#include "system_random.h"

#include <string.h>  // explicit_bzero

#include "os_random_bytes.h"

namespace quillop {

SystemRandom::SystemRandom(BytesFunction fill) : fill_(fill) {}

SystemRandom::SystemRandom() : SystemRandom(&osRandomBytes) {}

// The words not yet drawn are wiped in a way the compiler may not leave out.
SystemRandom::~SystemRandom() {
#if defined(__GLIBC__)
    explicit_bzero(words_.data(), sizeof words_);
#else
    volatile std::uint64_t* words = words_.data();
    for (std::size_t i = 0; i < kWords; ++i) words[i] = 0;
#endif
}

double SystemRandom::NextRandom() {
    if (next_ == kWords) {
        fill_(words_.data(), sizeof words_);  // throws before anything is drawn
        next_ = 0;
    }
    const std::uint64_t word = words_[next_];
    words_[next_++] = 0;
    // The top 53 bits, scaled exactly into [0, 1): every double of the form k / 2^53.
    return static_cast<double>(word >> 11) * 0x1.0p-53;
}

}  // namespace quillop
