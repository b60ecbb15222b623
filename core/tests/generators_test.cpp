#include "generators.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scripted_random.h"

namespace quillop {
namespace {

using testing::kJustBelowOne;
using testing::ScriptedRandom;

TEST(ScaleToBound, BucketEdgesOfEveryBound) {
    for (std::uint32_t bound : {31u, 1'000'000u, 100'000'000u, 1'000'000'000u}) {
        SCOPED_TRACE(bound);
        EXPECT_EQ(scaleToBound(0.0, bound), 0u);
        EXPECT_EQ(scaleToBound(kJustBelowOne, bound), bound - 1);
        // The smallest value that reaches the last bucket, and the one just below it.
        const double last = static_cast<double>(bound - 1) / bound;
        EXPECT_EQ(scaleToBound(std::nextafter(last, 1.0), bound), bound - 1);
        EXPECT_EQ(scaleToBound(std::nextafter(last, 0.0), bound), bound - 2);
    }
}

TEST(ScaleToBound, OutOfRangeValuesStayInsideTheBound) {
    EXPECT_EQ(scaleToBound(1.0, 1'000'000), 999'999u);
    EXPECT_EQ(scaleToBound(-0.5, 1'000'000), 0u);
    EXPECT_EQ(scaleToBound(std::nan(""), 1'000'000), 0u);
}

TEST(DecimalText, NoLeadingZerosSignOrGrouping) {
    EXPECT_EQ(decimalText(0), u"0");
    EXPECT_EQ(decimalText(7), u"7");
    EXPECT_EQ(decimalText(1000), u"1000");
    EXPECT_EQ(decimalText(999'999'999), u"999999999");
}

TEST(NumericPassword, TakesOneDrawAndScalesIt) {
    ScriptedRandom random{kJustBelowOne, kJustBelowOne, kJustBelowOne, 0.0, 0.000001};
    EXPECT_EQ(numericPassword(random, 1'000'000), u"999999");
    EXPECT_EQ(numericPassword(random, 100'000'000), u"99999999");
    EXPECT_EQ(numericPassword(random, 1'000'000'000), u"999999999");
    EXPECT_EQ(numericPassword(random, 1'000'000), u"0");
    EXPECT_EQ(numericPassword(random, 1'000'000'000), u"1000");
    EXPECT_EQ(random.remaining(), 0u);
}

TEST(SymbolicPassword, EveryBucketEdgeMapsToItsSymbol) {
    for (std::size_t k = 0; k < kSymbolTable.size(); ++k) {
        SCOPED_TRACE(k);
        const double start = static_cast<double>(k) / 31.0;
        const double end = static_cast<double>(k + 1) / 31.0;
        // First and last values of bucket k; the last one of bucket 30 is just below 1.
        const double first =
            std::floor(start * 31.0) == static_cast<double>(k) ? start : std::nextafter(start, 1.0);
        const double last = k + 1 == kSymbolTable.size() ? kJustBelowOne : std::nextafter(end, 0.0);
        ScriptedRandom random{first, last};
        const std::u16string expected(2, kSymbolTable[k]);
        EXPECT_EQ(symbolicPassword(random, 2), expected);
    }
}

TEST(SymbolicPassword, AppendsInDrawOrder) {
    ScriptedRandom random{0.0, kJustBelowOne, 26.0 / 31.0 + 1e-9, 10.0 / 31.0 + 1e-9, 0.5, 0.9};
    EXPECT_EQ(symbolicPassword(random, 6), u"Q%@AH!");
}

}  // namespace
}  // namespace quillop
