// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/uncertain.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tavora;

TEST(Uncertain, PrintsOnlyTheDigitsTheErrorAllows)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double value, error;
        int most;
        const char* text;
    };
    for (const Case& c :
         {Case{17.2712, 0.03, 2, "17.27 \u00b10.03"}, Case{55.23, 0.8, 1, "55.2 \u00b10.8"},
          Case{-0.13, 1.2, 1, "-0.1 \u00b11.2"}, Case{31.2, 2.1, 1, "31 \u00b12"},
          Case{4432.4, 17, 0, "4432 \u00b117"}, Case{1.234, 0.0149, 2, "1.23 \u00b10.01"},
          Case{17.27, 0, 2, "17.27 \u00b1<0.01"}, Case{15.0, 0.04, 1, "15.0 \u00b1<0.1"}, Case{17.27, kNaN, 2, "17.27"},
          Case{kNaN, 0.03, 2, "-"}, Case{std::numeric_limits<double>::infinity(), kNaN, 1, "-"}})
        EXPECT_EQ((Uncertain{c.value, c.error}.Text(c.most)), c.text) << c.value;
    EXPECT_EQ((Uncertain{17.2712, 0.03}.Text(2, ',')), "17,27 \u00b10,03");
}
