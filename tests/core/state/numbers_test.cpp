// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/errors.h"
#include "state/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

using namespace tavora;

TEST(TextToNumber, AcceptsBlanksSignsExponentsAndTheUsersSeparator)
{
    EXPECT_DOUBLE_EQ(StrToFloat(" 144.1 "), 144.1);
    EXPECT_DOUBLE_EQ(StrToFloat("-2.5e1"), -25);
    EXPECT_DOUBLE_EQ(StrToFloat("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("7."), 7);
    EXPECT_DOUBLE_EQ(StrToFloat("144,1", ','), 144.1);
    EXPECT_EQ(StrToInt(" 8 "), 8);
    EXPECT_EQ(StrToInt("-3"), -3);
    EXPECT_EQ(StrToInt("+8"), 8);
    EXPECT_EQ(StrToInt("00000000008"), 8);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    // A value too small for a double is still one for the extended conversion.
    EXPECT_GT(StrToFloatExt("1e-320"), 0);
}

namespace {

// Switches the C library to a comma-decimal locale for one test, as the
// windows program does from the environment.
class CommaLocale : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }

private:
    std::string saved_;
};

} // namespace

TEST_F(CommaLocale, TextsAndNumbersIgnoreTheCLibrarysLocale)
{
    EXPECT_EQ(StrToFloat("144.1"), 144.1);
    EXPECT_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_EQ(StrToFloat("144,1", ','), 144.1);
    EXPECT_EQ(StrToFloat("0,82", ','), 0.82);
    EXPECT_EQ(StrToFloat("1,5e3", ','), 1500);
    EXPECT_EQ(StrToFloat("1e-5000"), 0); // too small reads as 0
    EXPECT_THROW(StrToFloat("1e5000"), ConversionError);
    EXPECT_EQ(GeneralFloatText(1012.5), "1012.5");
    EXPECT_EQ(GeneralFloatText(1012.5, ','), "1012,5");
    EXPECT_EQ(GeneralFloatText(1.5e-7, ','), "1,5E-7");
}

TEST(TextToNumber, FailuresCarryTheTypedText)
{
    struct Case {
        const char* text;
        char sep;
    };
    for (const Case c : {Case{"", '.'}, Case{"abc", '.'}, Case{"1.2.3", '.'}, Case{"144.1", ','},
                         Case{"1e", '.'}, Case{"inf", '.'}, Case{"1e999", '.'}, Case{".", '.'},
                         Case{"1 2", '.'}, Case{"nan", '.'}, Case{"0x10", '.'},
                         Case{"1,5", '.'}, Case{"+-1", '.'}}) {
        try {
            StrToFloat(c.text, c.sep);
            ADD_FAILURE() << c.text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(c.text) + "' is not a valid floating point value");
        }
    }
    for (const char* text : {"8.0", "", "x", "99999999999", "1e2", "2147483648", "+-8", "8 8", "0x8"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(GeneralFloatText, ShortestWithFifteenDigits)
{
    EXPECT_EQ(GeneralFloatText(1012.5), "1012.5");
    EXPECT_EQ(GeneralFloatText(1023), "1023");
    EXPECT_EQ(GeneralFloatText(0.82), "0.82");
    EXPECT_EQ(GeneralFloatText(0.1 + 0.2), "0.3");
    EXPECT_EQ(GeneralFloatText(-26.64), "-26.64");
    EXPECT_EQ(GeneralFloatText(0.00001), "0.00001");
    EXPECT_EQ(GeneralFloatText(0.000001), "1E-6");
    EXPECT_EQ(GeneralFloatText(1e20), "1E20");
    EXPECT_EQ(GeneralFloatText(0), "0");
    EXPECT_EQ(GeneralFloatText(2.5, ','), "2,5");
    EXPECT_EQ(GeneralFloatText(-1.23456789012345e-100), "-1.23456789012345E-100");
    EXPECT_EQ(GeneralFloatText(123456789012345678.0), "1.23456789012346E17");
}

TEST(NoInfinityAsText, AFaultNeverBecomesAText)
{
    EXPECT_THROW(GeneralFloatText(INFINITY), ArithmeticError);
    EXPECT_THROW(GeneralFloatText(NAN), ArithmeticError);
    EXPECT_EQ(Narrowed(0.5L), 0.5);
    EXPECT_EQ(Narrowed(1e-400L), 0); // underflow passes, as in every calculation
    try {
        Narrowed(1e400L);
        ADD_FAILURE();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    try {
        Narrowed(-std::numeric_limits<long double>::quiet_NaN());
        ADD_FAILURE();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
}

TEST(ArithmeticFaults, RaiseTheSystemsTexts)
{
    volatile double zero = 0;
    ClearFpFaults();
    try {
        Checked(1 / zero);
        ADD_FAILURE();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
    try {
        Checked(std::sqrt(-1 + zero));
        ADD_FAILURE();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
    try {
        Checked(std::exp(1000 + zero));
        ADD_FAILURE();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    // Underflow and precision loss pass.
    EXPECT_NO_THROW(Checked(1e-300 * (1e-300 + zero)));
    EXPECT_NO_THROW(Checked(1 / (3 + zero)));
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(926.5), 926);
    EXPECT_EQ(RoundHalfEven(927.5), 928);
    EXPECT_EQ(RoundHalfEven(12.5), 12);
    EXPECT_EQ(RoundHalfEven(13.5), 14);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(19.99), 20);
    EXPECT_THROW(RoundHalfEven(INFINITY), ArithmeticError);
    EXPECT_THROW(RoundHalfEven(NAN), ArithmeticError);
}
