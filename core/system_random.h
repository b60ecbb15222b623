#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "random_source.h"

namespace quillop {

// The random source of the shipped program: every value comes from the
// operating system's secure generator. Reseed is ignored on purpose.
class SystemRandom final : public RandomSource {
public:
    using BytesFunction = void (*)(void* buffer, std::size_t size);

    explicit SystemRandom(BytesFunction fill);
    SystemRandom();
    ~SystemRandom() override;
    SystemRandom(const SystemRandom&) = delete;
    SystemRandom& operator=(const SystemRandom&) = delete;

    double NextRandom() override;
    void Reseed(float) override {}

private:
    // One system call serves several draws; every word is wiped once used.
    static constexpr std::size_t kWords = 32;
    BytesFunction fill_;
    std::array<std::uint64_t, kWords> words_{};
    std::size_t next_ = kWords;
};

}  // namespace quillop
