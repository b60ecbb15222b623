#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "random_source.h"

namespace quillop {

// Q W E R T Y ... M, then five punctuation marks: 31 symbols.
inline constexpr std::u16string_view kSymbolTable = u"QWERTYUIOPASDFGHJKLZXCVBNM@!#$%";

// The whole part of r * bound for r in [0, 1): an integer in [0, bound).
std::uint32_t scaleToBound(double r, std::uint32_t bound);

// Decimal digits without sign, grouping or leading zeros.
std::u16string decimalText(std::uint32_t value);

// One draw: a number below bound, as decimal text.
std::u16string numericPassword(RandomSource& random, std::uint32_t bound);

// One draw per symbol, appended in draw order.
std::u16string symbolicPassword(RandomSource& random, int length);

}  // namespace quillop
