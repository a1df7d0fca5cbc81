#include "nec/output.h"

#include "core/nec/nec_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace tavora;
using tavora::test::Designed;
using tavora::test::Recorded;
using tavora::test::RecordedModel;

TEST(NecOutput, RecordedRunOfTheWorkedExample)
{
    // nec2c's output for the 144.1 MHz default design: the pattern block, then
    // the 21 sweep frequencies.
    const auto blocks = ParseNecOutput(Recorded("default_144.out"));
    ASSERT_EQ(blocks.size(), 22u);
    const FrequencyOutput& f = blocks[0];
    EXPECT_DOUBLE_EQ(f.frequency, 144.1);
    EXPECT_DOUBLE_EQ(f.impedance.real(), 47.668);
    EXPECT_DOUBLE_EQ(f.impedance.imag(), 3.903);
    EXPECT_DOUBLE_EQ(f.efficiency, 99.15);
    EXPECT_EQ(f.pattern.size(), 720u);
    EXPECT_DOUBLE_EQ(blocks[1].frequency, 141.22); // as printed, to five digits
    EXPECT_EQ(blocks[1].pattern.size(), 2u);

    const PatternCut e = EPlaneCut(f.pattern), h = HPlaneCut(f.pattern);
    struct Point {
        const PatternCut& cut;
        size_t angle;
        double gain;
    };
    for (const Point& p : {Point{e, 0, 14.01}, Point{e, 20, 10.36}, Point{e, 180, -13.83},
                           Point{h, 0, 14.01}, Point{h, 20, 11.08}, Point{h, 180, -13.83}})
        EXPECT_DOUBLE_EQ(p.cut[p.angle], p.gain) << p.angle;
    EXPECT_TRUE(std::none_of(e.begin(), e.end(), [](double g) { return std::isnan(g); }));
    EXPECT_TRUE(std::none_of(h.begin(), h.end(), [](double g) { return std::isnan(g); }));
}

TEST(NecOutput, TextWithoutFrequencyBlocksGivesNone)
{
    EXPECT_TRUE(ParseNecOutput("").empty());
    EXPECT_TRUE(ParseNecOutput("  GEOMETRY DATA CARD ERROR\n").empty());
}

namespace {

PatternCut Cut(double (*gain)(double angle))
{
    PatternCut c;
    for (int a = 0; a < 360; ++a)
        c[static_cast<size_t>(a)] = gain(a <= 180 ? a : 360 - a);
    return c;
}

} // namespace

TEST(NecOutput, BeamwidthAndSideLobeOfDrawnCuts)
{
    // -3 dB exactly 20 degrees either side.
    const PatternCut parabola = Cut([](double a) { return 10 - 3 * (a / 20) * (a / 20); });
    EXPECT_DOUBLE_EQ(Beamwidth(parabola), 40);
    EXPECT_TRUE(std::isnan(FirstSideLobe(parabola)));

    // A null at 30 degrees, a side lobe peaking at 45 degrees, 20 dB down.
    const PatternCut lobed = Cut([](double a) {
        if (a <= 30)
            return -40 * a / 30;
        if (a <= 45)
            return -40 + 20 * (a - 30) / 15;
        return -20 - 40 * (a - 45) / 135;
    });
    EXPECT_DOUBLE_EQ(FirstSideLobe(lobed), -20);
    EXPECT_DOUBLE_EQ(Beamwidth(lobed), 2 * 30 * 3.0 / 40);

    const PatternCut flat = Cut([](double) { return 2.0; });
    EXPECT_DOUBLE_EQ(Beamwidth(flat), 360);
    EXPECT_DOUBLE_EQ(RearMaximum(parabola, lobed), std::max(parabola[90], lobed[90]));
}

TEST(NecOutput, SwrAgainstTheReference)
{
    struct Case {
        std::complex<double> z;
        double z0, swr;
    };
    for (const Case& c : {Case{{50, 0}, 50, 1}, Case{{100, 0}, 50, 2}, Case{{25, 0}, 50, 2},
                          Case{{50, 50}, 50, 2.6180339887}, Case{{200, 0}, 200, 1}})
        EXPECT_NEAR(Swr(c.z, c.z0), c.swr, 1e-9) << c.z;
    EXPECT_EQ(Swr({0, 30}, 50), INFINITY); // a pure reactance reflects everything
}
