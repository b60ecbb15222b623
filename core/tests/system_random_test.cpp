#include "system_random.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "generators.h"

namespace quillop {
namespace {

// Upper 1e-6 points of the chi-square distribution: a sound source fails
// these thresholds less than once in a million runs.
constexpr double kChiSquare30Dof = 82.1;
constexpr double kChiSquare9Dof = 44.9;

template <std::size_t N>
double chiSquare(const std::array<long, N>& counts, double expected) {
    double sum = 0;
    for (long c : counts) sum += (c - expected) * (c - expected) / expected;
    return sum;
}

TEST(SystemRandom, ValuesAreMultiplesOfTwoToTheMinus53InsideTheUnitInterval) {
    SystemRandom random;
    bool lowBitSeen = false;
    for (int i = 0; i < 10'000; ++i) {
        const double r = random.NextRandom();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        const double scaled = r * 0x1.0p53;
        ASSERT_EQ(scaled, std::floor(scaled));
        // A single-precision value would never set the lowest bits.
        if (std::fmod(scaled, 2.0) == 1.0) lowBitSeen = true;
    }
    EXPECT_TRUE(lowBitSeen);
}

TEST(SystemRandom, TwoSourcesStartDifferentlyAndReseedChangesNothingPredictable) {
    SystemRandom a;
    SystemRandom b;
    a.Reseed(0.0f);
    b.Reseed(0.0f);
    EXPECT_NE(symbolicPassword(a, 8) + numericPassword(a, 1'000'000'000),
              symbolicPassword(b, 8) + numericPassword(b, 1'000'000'000));
}

TEST(SystemRandom, SymbolsAreUniform) {
    SystemRandom random;
    constexpr long kPerSymbol = 10'000;
    std::array<long, 31> counts{};
    for (long i = 0; i < 31 * kPerSymbol; ++i) {
        const auto symbol = symbolicPassword(random, 1)[0];
        ++counts[kSymbolTable.find(symbol)];
    }
    for (std::size_t k = 0; k < counts.size(); ++k) EXPECT_GT(counts[k], 0) << k;
    EXPECT_LT(chiSquare(counts, kPerSymbol), kChiSquare30Dof);
}

TEST(SystemRandom, DigitsOfNineDigitNumbersAreUniformInEveryPosition) {
    SystemRandom random;
    constexpr long kNumbers = 50'000;
    std::array<std::array<long, 10>, 9> counts{};
    for (long i = 0; i < kNumbers; ++i) {
        std::u16string text = numericPassword(random, 1'000'000'000);
        text.insert(0, 9 - text.size(), u'0');
        for (std::size_t pos = 0; pos < 9; ++pos) ++counts[pos][text[pos] - u'0'];
    }
    for (std::size_t pos = 0; pos < 9; ++pos) {
        SCOPED_TRACE(pos);
        EXPECT_LT(chiSquare(counts[pos], kNumbers / 10.0), kChiSquare9Dof);
    }
}

TEST(SystemRandom, AFailingSystemCallIsReportedNeverReplaced) {
    SystemRandom random([](void*, std::size_t) { throw RandomUnavailable("no entropy"); });
    EXPECT_THROW(random.NextRandom(), RandomUnavailable);
    EXPECT_THROW(random.NextRandom(), RandomUnavailable);
}

TEST(SystemRandom, EveryWordComesFromTheSystemExactlyOnce) {
    static int fills;
    fills = 0;
    SystemRandom random([](void* buffer, std::size_t size) {
        ++fills;
        std::memset(buffer, 0xFF, size);
    });
    for (int i = 0; i < 64; ++i) EXPECT_EQ(random.NextRandom(), std::nextafter(1.0, 0.0));
    EXPECT_EQ(fills, 2);
}

}  // namespace
}  // namespace quillop
