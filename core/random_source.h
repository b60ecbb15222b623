#pragma once

#include <stdexcept>

namespace quillop {

// Thrown when the operating system cannot supply random bytes. Never
// answered with a weaker generator: the caller shows no password instead.
class RandomUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one random sequence the generators draw from, in the order they run.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A value in [0, 1) that carries 53 random bits.
    virtual double NextRandom() = 0;
    // A request to reseed from the time of day. A secure source may ignore it:
    // reseeding must never make the output more predictable.
    virtual void Reseed(float seed) = 0;
};

// The time of day, as seconds since local midnight.
class Clock {
public:
    virtual ~Clock() = default;
    virtual float ClockSeconds() = 0;
};

}  // namespace quillop
