#include "generators.h"

#include <gtest/gtest.h>

#include "test_doubles.h"

using namespace quillop;
using namespace quillop::doubles;

TEST(ScaleToBound, TruncatesAtTheLastBucketsEdgeAndStaysBelowTheBound) {
    for (std::uint32_t bound : {31u, 1'000'000u, 100'000'000u, 1'000'000'000u}) {
        // The smallest value that reaches the last bucket, and the one just below it.
        const double last = static_cast<double>(bound - 1) / bound;
        EXPECT_EQ(scaleToBound(std::nextafter(last, 1.0), bound), bound - 1) << bound;
        EXPECT_EQ(scaleToBound(std::nextafter(last, 0.0), bound), bound - 2) << bound;
        // Values a sound source never gives still land inside.
        for (double r : {1.0, -0.5, std::nan("")}) EXPECT_LT(scaleToBound(r, bound), bound) << r;
    }
}

TEST(DecimalText, DigitsWithoutLeadingZerosSignOrGrouping) {
    for (const auto& [value, text] :
         std::initializer_list<std::pair<std::uint32_t, std::u16string>>{
             {0, u"0"}, {7, u"7"}, {1000, u"1000"}, {999'999'999, u"999999999"}})
        EXPECT_EQ(decimalText(value), text);
}

// The first and last value of each of the 31 buckets, in turn, draw the
// table's symbols in its order, each twice.
TEST(SymbolicPassword, EveryBucketEdgeDrawsItsSymbolInDrawOrder) {
    const std::u16string table = u"QWERTYUIOPASDFGHJKLZXCVBNM@!#$%";
    ScriptedRandom random;
    std::u16string expected;
    for (std::size_t k = 0; k < table.size(); ++k) {
        const double start = k / 31.0;
        random.values.push_back(std::floor(start * 31) == k ? start : std::nextafter(start, 1.0));
        random.values.push_back(k == 30 ? kJustBelowOne : std::nextafter((k + 1) / 31.0, 0.0));
        expected += std::u16string(2, table[k]);
    }
    EXPECT_EQ(symbolicPassword(random, 62), expected);
}
