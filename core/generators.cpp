#include "generators.h"

#include <cmath>

namespace quillop {

std::uint32_t scaleToBound(double r, std::uint32_t bound) {
    const double whole = std::floor(r * static_cast<double>(bound));
    // r < 1 keeps the product below bound; the guard holds even if a source misbehaves.
    if (!(whole >= 0.0)) return 0;
    if (whole >= static_cast<double>(bound)) return bound - 1;
    return static_cast<std::uint32_t>(whole);
}

std::u16string decimalText(std::uint32_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

std::u16string numericPassword(RandomSource& random, std::uint32_t bound) {
    return decimalText(scaleToBound(random.NextRandom(), bound));
}

std::u16string symbolicPassword(RandomSource& random, int length) {
    std::u16string symbols;
    for (int i = 0; i < length; ++i) {
        const auto index = scaleToBound(random.NextRandom(), kSymbolTable.size());
        symbols += kSymbolTable[index];
    }
    return symbols;
}

}  // namespace quillop
