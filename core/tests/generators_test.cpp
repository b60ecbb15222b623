#include "generators.h"

#include <gtest/gtest.h>

#include <cmath>

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

// The middle of each of the 31 buckets, in turn, draws the table's symbols in its order.
TEST(SymbolicPassword, EveryBucketDrawsItsSymbolInDrawOrder) {
    ScriptedRandom random;
    for (int k = 0; k < 31; ++k) random.values.push_back((k + 0.5) / 31);
    EXPECT_EQ(symbolicPassword(random, 31), u"QWERTYUIOPASDFGHJKLZXCVBNM@!#$%");
}
