// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/plot_scale.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>

using namespace tavora;

TEST(PlotScale, PolarRadiusFromTheRimDown)
{
    struct Case {
        double gain, radius;
    };
    for (const Case& c : {Case{14, 1}, Case{4, 0.75}, Case{-6, 0.5}, Case{-26, 0}, Case{-60, 0},
                          Case{20, 1}, Case{NAN, 0}})
        EXPECT_DOUBLE_EQ(PolarRadius(c.gain, 14), c.radius) << c.gain;
}

TEST(PlotScale, RingsAndTheirLabels)
{
    EXPECT_EQ(PolarRings(), (std::vector<double>{0, -10, -20, -30}));
    EXPECT_EQ(RingLabel(-10), "-10 dB");
    EXPECT_EQ(RingLabel(0), "0 dB");
    EXPECT_EQ(SwrCaption(200), "SWR against 200 ohm");
    EXPECT_EQ(PolarScaleCaption(14.01, ','), "0 dB = 14,01 dBi");
}

TEST(PlotScale, AxisTicks)
{
    struct Case {
        double lo, hi;
        std::vector<double> ticks;
    };
    for (const Case& c : {Case{141.218, 146.982, {142, 143, 144, 145, 146}},
                          Case{1, 1.71, {1, 1.2, 1.4, 1.6}}, Case{13.43, 14.07, {13.6, 13.8, 14}},
                          Case{0, 100, {0, 20, 40, 60, 80, 100}}, Case{3, 3, {3}}}) {
        const auto ticks = AxisTicks(c.lo, c.hi);
        ASSERT_EQ(ticks.size(), c.ticks.size()) << c.lo << ".." << c.hi;
        for (size_t i = 0; i < ticks.size(); ++i)
            EXPECT_NEAR(ticks[i], c.ticks[i], 1e-9);
    }
    // Numbers too close for their precision give a few ticks, not an endless loop.
    const auto close = AxisTicks(1.0E+16, 1.0000000000000002E+16);
    EXPECT_FALSE(close.empty());
    EXPECT_LE(close.size(), 7u);
    EXPECT_TRUE(std::is_sorted(close.begin(), close.end()));
    EXPECT_EQ(TickLabel(1.4, 0.2), "1.4");
    EXPECT_EQ(TickLabel(144, 1), "144");
    EXPECT_EQ(TickLabel(13.5, 0.1, ','), "13,5");
}
