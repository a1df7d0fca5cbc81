#include "state/errors.h"
#include "state/numbers.h"

#include <gtest/gtest.h>

#include <clocale>

#include <cmath>

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
}

TEST(TextToNumber, DoesNotFollowTheCLibrarysLocale)
{
    // The toolkit sets the user's LC_NUMERIC; a comma locale must not cut "144.1" to 144.
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale";
    EXPECT_DOUBLE_EQ(StrToFloat("144.1"), 144.1);
    EXPECT_DOUBLE_EQ(StrToFloat("144,1", ','), 144.1);
    EXPECT_EQ(StrToFloat("1e-5000"), 0);
    EXPECT_THROW(StrToFloat("1e5000"), ConversionError);
    std::setlocale(LC_NUMERIC, before.c_str());
}

TEST(TextToNumber, FailuresCarryTheTypedText)
{
    struct Case {
        const char* text;
        char sep;
    };
    for (const Case c : {Case{"", '.'}, Case{"abc", '.'}, Case{"1.2.3", '.'}, Case{"144.1", ','},
                         Case{"1e", '.'}, Case{"inf", '.'}, Case{"1e999", '.'}, Case{".", '.'},
                         Case{"1 2", '.'}}) {
        try {
            StrToFloat(c.text, c.sep);
            ADD_FAILURE() << c.text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(c.text) + "' is not a valid floating point value");
        }
    }
    for (const char* text : {"8.0", "", "x", "99999999999", "1e2"}) {
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
