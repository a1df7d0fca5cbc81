// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/format.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>
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

// Texts the printf-based formatter wrote; the expansion behind them now comes
// from to_chars and must round exactly as "%.17e" did.
INSTANTIATE_TEST_SUITE_P(
    Expansion, FormatFixedTest,
    ::testing::Values(
        // Typed values near a decimal half: the stored double decides.
        FormatCase{1.005, 6, 2, "1.00"}, FormatCase{1.115, 6, 2, "1.11"},
        FormatCase{0.285, 6, 2, "0.28"}, FormatCase{8.345, 6, 2, "8.35"},
        FormatCase{1.45, 6, 1, "1.4"}, FormatCase{2.5, 6, 0, "3"}, FormatCase{-2.5, 6, 0, "-3"},
        FormatCase{0.375, 6, 2, "0.38"}, FormatCase{1234.5, 4, 0, "1235"},
        FormatCase{0.05, 6, 1, "0.1"}, FormatCase{0.15, 6, 1, "0.1"},
        FormatCase{999.95, 6, 1, "1000.0"}, FormatCase{9.995, 3, 2, "9.99"},
        FormatCase{1e-5, 6, 4, "0.0000"}, FormatCase{0.5, 1, 0, "1"},
        // Exact ties at the 18th digit (19 digits ending in 5) round to even.
        FormatCase{0x1.47b8p-7, 18, 19, "0.0100011825561523438"},
        FormatCase{0x1.47d8p-7, 18, 19, "0.0100049972534179688"},
        FormatCase{0x1.06ap-10, 18, 20, "0.00100183486938476562"},
        FormatCase{0x1.082p-10, 18, 20, "0.00100755691528320312"},
        // A random sample over magnitudes, precisions and decimals.
        FormatCase{-0x1.f6531eb66d9a7p+18, 10, 6, "-514380.479900"},
        FormatCase{0x1.322ea2a5ce47p+16, 17, 4, "78382.6353"},
        FormatCase{0x1.e694f6378f1c4p+8, 7, 4, "486.5819"},
        FormatCase{-0x1.881b052b6a73ep+24, 1, 7, "-3E+0007"},
        FormatCase{-0x1.2b2c836ad73b3p+15, 2, 1, "-3.8E+4"},
        FormatCase{0x1.fe600673414c1p+36, 9, 6, "1.37002772E+0011"},
        FormatCase{-0x1.d1f983d587cf9p-530, 1, 4, "0.0000"},
        FormatCase{-0x1.6c7e5742e1c3ep+16, 11, 4, "-93310.3409"},
        FormatCase{0x1.54b802b2f20e2p+38, 13, 2, "365844016316.50"},
        FormatCase{-0x0.44617594ad20bp-1022, 10, 5, "0.00000"},
        FormatCase{0x1.3d540a35891c4p+15, 1, 6, "4E+0004"},
        FormatCase{0x1.47993742f825ep+32, 16, 2, "5496190786.97"},
        FormatCase{0x1.fc65fdce47acp+14, 8, 6, "32537.498000"},
        FormatCase{-0x1.3739672dbb3f4p+15, 8, 3, "-39836.702"},
        FormatCase{0x1.af6dc43434954p+15, 14, 0, "55223"},
        FormatCase{0x1.205438631fba9p+11, 1, 1, "2E+3"}));

TEST(FormatFixed, IgnoresTheCLibraryLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale installed";
    const std::string point = FormatFixed(1016.41, 6, 1);
    const std::string comma = FormatFixed(-0.125, 6, 2, ',');
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(point, "1016.4");
    EXPECT_EQ(comma, "-0,13");
}

TEST(FormatFixed, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(FormatFixed(980.04, 6, 1, ','), "980,0");
    EXPECT_EQ(FormatFixed(980.04, 6, 0, ','), "980");
}

TEST(FormatFixed, ANumberThatIsNotFiniteIsAnArithmeticFault)
{
    const double inf = std::numeric_limits<double>::infinity();
    const auto fault = [](double x) {
        try {
            FormatFixed(x, 6, 1);
        } catch (const ArithmeticError& e) {
            return std::string(e.what());
        }
        return std::string("written");
    };
    EXPECT_EQ(fault(inf), "Floating point overflow");
    EXPECT_EQ(fault(-inf), "Floating point overflow");
    EXPECT_EQ(fault(std::numeric_limits<double>::quiet_NaN()), "Invalid floating point operation");
}

TEST(WithDecimalSep, DecimalPointsChangeAndFullStopsStay)
{
    const struct {
        const char* text;
        char sep;
        const char* expected;
    } cases[] = {
        {"Director 12: segments only 1.6 radii long. NEC-2 0.024", ',',
         "Director 12: segments only 1,6 radii long. NEC-2 0,024"},
        {"3.1 %", '.', "3.1 %"},
        // A YO file may write a diameter without a digit on one side.
        {".5", ',', ",5"},
        {"4.", ',', "4,"},
        {"144.1", ',', "144,1"},
        {".5 and 5. stay", ',', ",5 and 5. stay"},
        {"No number.", ',', "No number."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithDecimalSep(c.text, c.sep), c.expected) << c.text;
}

TEST(TabPrefix, OneOrTwoTabs)
{
    EXPECT_EQ(TabPrefix("1.0", 1), "\t1.0");
    EXPECT_EQ(TabPrefix("1.0", 2), "\t\t1.0");
}

} // namespace
