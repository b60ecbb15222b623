#include "system_random.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numeric>

#include "generators.h"

using namespace quillop;

// Two sources, reseeded alike, each value a fresh multiple of 2^-53 in [0, 1).
TEST(SystemRandom, FreshMultiplesOfTwoToTheMinus53AndTwoSourcesApart) {
    SystemRandom random, other;
    random.Reseed(0.0f);
    other.Reseed(0.0f);
    bool lowBitSeen = false, apart = false;
    double previous = -1;
    for (int i = 0; i < 10'000; ++i) {
        const double scaled = random.NextRandom() * 0x1.0p53;
        ASSERT_TRUE(scaled >= 0 && scaled < 0x1.0p53 && scaled == std::floor(scaled)) << scaled;
        ASSERT_NE(scaled, previous) << "a value drawn twice in a row";
        previous = scaled;
        // A single-precision value would never set the lowest bits.
        lowBitSeen = lowBitSeen || std::fmod(scaled, 2.0) == 1.0;
        apart = apart || scaled != other.NextRandom() * 0x1.0p53;
    }
    EXPECT_TRUE(lowBitSeen);
    EXPECT_TRUE(apart) << "reseeding made two sources alike";
}

// Chi-square of the counts against an even spread.
template <std::size_t N>
double chiSquare(const std::array<long, N>& counts) {
    const double expected = std::accumulate(counts.begin(), counts.end(), 0.0) / N;
    double sum = 0;
    for (long c : counts) sum += (c - expected) * (c - expected) / expected;
    return sum;
}

// The limits are the upper 1e-6 points of the chi-square distribution with 30
// and 9 degrees of freedom: a sound source fails less than once in a million runs.
TEST(SystemRandom, SymbolsAndEveryDigitOfNineDigitNumbersAreUniform) {
    SystemRandom random;
    std::array<long, 31> symbols{};
    for (long i = 0; i < 310'000; ++i) ++symbols[kSymbolTable.find(symbolicPassword(random, 1)[0])];
    EXPECT_LT(chiSquare(symbols), 82.1);
    std::array<std::array<long, 10>, 9> digits{};
    for (long i = 0; i < 50'000; ++i) {
        std::u16string text = numericPassword(random, 1'000'000'000);
        text.insert(0, 9 - text.size(), u'0');
        for (std::size_t pos = 0; pos < 9; ++pos) ++digits[pos][text[pos] - u'0'];
    }
    for (const auto& counts : digits) EXPECT_LT(chiSquare(counts), 44.9) << &counts - digits.data();
}

TEST(SystemRandom, AFailingSystemCallIsReportedNeverReplaced) {
    SystemRandom random([](void*, std::size_t) { throw RandomUnavailable("no entropy"); });
    EXPECT_THROW(random.NextRandom(), RandomUnavailable);
    EXPECT_THROW(random.NextRandom(), RandomUnavailable);
}
