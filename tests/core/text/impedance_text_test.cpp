// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/impedance_text.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tavora;

TEST(ImpedanceText, TheSignIsThatOfTheReactanceAsPrinted)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::complex<double> z;
        int rDecimals, xDecimals;
        char sep;
        const char* text;
    } cases[] = {
        {{50, 12.34}, 1, 1, '.', "50.0 + j12.3"},
        {{50, -12.34}, 1, 1, '.', "50.0 - j12.3"},
        {{50.04, -0.04}, 1, 1, '.', "50.0 + j0.0"},
        {{50.04, -0.04}, 1, 2, '.', "50.0 - j0.04"},
        {{49.96, 1.25}, 0, 2, ',', "50 + j1,25"},
        {{kNaN, kNaN}, 1, 1, '.', "- + j-"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImpedanceText(c.z, c.rDecimals, c.xDecimals, c.sep), c.text) << c.text;
}
