#include "design/format.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tavora;

namespace {

struct FormatCase {
    double x;
    int p, n;
    const char* text;
};

class FormatFixedTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFixedTest, WritesTheRoundedValue)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.x, c.p, c.n), c.text) << c.x << " p=" << c.p << " n=" << c.n;
}

INSTANTIATE_TEST_SUITE_P(
    Report, FormatFixedTest,
    ::testing::Values(
        FormatCase{144.1, 6, 2, "144.10"}, FormatCase{2080.444, 7, 0, "2080"},
        FormatCase{1016.41, 6, 1, "1016.4"}, FormatCase{4522.55, 15, 0, "4523"},
        FormatCase{6.24, 6, 0, "6"}, FormatCase{0.66, 2, 2, "0.66"},
        FormatCase{686.55, 6, 0, "687"}, FormatCase{0.9509, 5, 3, "0.951"},
        FormatCase{8, 5, 0, "8"}, FormatCase{156.03, 17, 1, "156.0"},
        // The decision is taken on 18 significant digits: 2.675 is 2.67499999...
        FormatCase{2.675, 6, 2, "2.67"}, FormatCase{0.125, 6, 2, "0.13"},
        FormatCase{-12.345, 6, 2, "-12.35"}, FormatCase{-0.04, 6, 1, "0.0"},
        FormatCase{0.6, 6, 0, "1"}, FormatCase{0.4, 6, 0, "0"}, FormatCase{0.0123, 6, 3, "0.012"},
        FormatCase{0, 6, 2, "0.00"},
        // Fewer significant digits than decimals: the coarser one wins, zeros fill.
        FormatCase{1016.41, 4, 1, "1016.0"}, FormatCase{99.96, 3, 1, "100.0"},
        // More digits before the point than the precision: exponent form.
        FormatCase{999.6, 3, 0, "1.00E+3"}, FormatCase{1234567, 4, 0, "1.235E+6"}));

TEST(FormatFixed, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(FormatFixed(980.04, 6, 1, ','), "980,0");
    EXPECT_EQ(FormatFixed(980.04, 6, 0, ','), "980");
}

TEST(TabPrefix, OneOrTwoTabs)
{
    EXPECT_EQ(TabPrefix("1.0", 1), "\t1.0");
    EXPECT_EQ(TabPrefix("1.0", 2), "\t\t1.0");
}

} // namespace
