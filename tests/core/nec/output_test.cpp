// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/output.h"

#include "core/nec/nec_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

using namespace tavora;
using tavora::test::Designed;
using tavora::test::Recorded;
using tavora::test::RecordedModel;

namespace {

// Half the column's 0.01 dB step, and what the fields' and the input power's
// five digits add.
constexpr double kColumnRounding = 0.005 + 0.001;

// The TOTAL column of every pattern line, in print order: the rows below
// each table's units line, to the blank line after them.
std::vector<double> PrintedGains(const std::string& text)
{
    std::vector<double> out;
    std::istringstream in(text);
    bool rows = false;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;)
            w.push_back(word);
        double gain = 0;
        if (line.find("DEGREES   DEGREES") != std::string::npos)
            rows = true;
        else if (w.empty())
            rows = false;
        else if (rows && w.size() >= 5 &&
                 std::from_chars(w[4].data(), w[4].data() + w[4].size(), gain).ec == std::errc())
            out.push_back(gain);
    }
    return out;
}

} // namespace

TEST(NecOutput, FieldGainsRoundToThePrintedColumn)
{
    // The worked example, and the pieces of a run cut in two: every line's
    // gain from its fields within the column's rounding, and finer than it.
    for (const char* name : {"default_144.out", "piece_low.out", "piece_high.out"}) {
        SCOPED_TRACE(name);
        const std::string text = Recorded(name);
        const std::vector<double> printed = PrintedGains(text);
        std::vector<double> read;
        for (const FrequencyOutput& f : ParseNecOutput(text))
            for (const PatternPoint& p : f.pattern)
                read.push_back(p.gain);
        ASSERT_EQ(read.size(), printed.size());
        size_t finer = 0;
        for (size_t i = 0; i < read.size(); ++i) {
            EXPECT_NEAR(read[i], printed[i], kColumnRounding) << i;
            finer += read[i] != printed[i];
        }
        EXPECT_GT(finer, read.size() / 2);
    }
}

TEST(NecOutput, GainIsTheColumnWhereTheFieldsCannotGiveIt)
{
    const std::string power = "  INPUT POWER   =  1.0419E-02 Watts\n";
    const std::string columns = "   90.00      0.00   -999.99    14.01    14.01";
    const std::string fields = "   0.0000   -90.00 LINEAR  0.0000E+00   0.00  3.9671E+00   -1.47";
    const struct {
        const char* why;
        std::string budget, line;
        double gain;
    } rows[] = {
        // 2 pi 3.9671^2 / (376.73 * 1.0419E-02) in dB, printed 14.01.
        {"fields", power, columns + fields, 14.0127},
        {"no input power", "", columns + fields, 14.01},
        {"no fields", power, columns, 14.01},
        {"fields that do not give the column", power,
         "  90.00  0.00  -999.99  11.00  11.00" + fields, 11.00},
        {"no field at all", power,
         "  90.00 0.00 -999.99 -999.99 -999.99 0.0000 0.00 0.0000E+00 0.00 0.0000E+00 0.00",
         -999.99},
    };
    for (const auto& row : rows) {
        const auto blocks =
            ParseNecOutput("  FREQUENCY : 1.4400E+02 MHz\n" + row.budget +
                           "  ---------- RADIATION PATTERNS -----------\n" + row.line + "\n");
        ASSERT_EQ(blocks.size(), 1u) << row.why;
        ASSERT_EQ(blocks[0].pattern.size(), 1u) << row.why;
        EXPECT_NEAR(blocks[0].pattern[0].gain, row.gain, 0.0001) << row.why;
    }
}

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
    // The printed column's figures, which the gains round to.
    for (const Point& p : {Point{e, 0, 14.01}, Point{e, 20, 10.36}, Point{e, 180, -13.83},
                           Point{h, 0, 14.01}, Point{h, 20, 11.08}, Point{h, 180, -13.83}})
        EXPECT_NEAR(p.cut[p.angle], p.gain, kColumnRounding) << p.angle;
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
