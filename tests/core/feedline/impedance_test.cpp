// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedline/impedance.h"
#include "state/errors.h"

#include <gtest/gtest.h>

namespace tavora {
namespace {

using U = RodUnknown;
using S = RodSection;
constexpr const char* kRound = "Calculated Impedance outside range of algorithms (45-175 ohms)";
constexpr const char* kSquare = "Calculated Impedance outside range of algorithms (15-320 ohms)";

TEST(Rods, PublishedExamples)
{
    const struct {
        U unknown;
        S section;
        const char *cross, *spacing, *impedance, *result, *message;
    } cases[] = {
        {U::Impedance, S::Round, "9.5", "12.8", "x", "99.8", ""},
        {U::Impedance, S::Square, "9.5", "12.8", "x", "162.0", ""},
        {U::CrossSection, S::Round, "x", "12.8", "100", "9.5", ""},
        {U::Spacing, S::Round, "9.5", "x", "100", "12.8", ""},
        {U::CrossSection, S::Round, "x", "12.8", "200", "Out of range", kRound},
        {U::Spacing, S::Square, "9.5", "x", "300", "56.9", ""},
        {U::CrossSection, S::Round, "x", "12.8", "30", "12.2", kRound},
        {U::Spacing, S::Square, "9.5", "x", "350", "Out of range", kSquare},
        {U::Impedance, S::Square, "9.5", "0.1", "x", "4.0", kSquare},
    };
    for (const auto& c : cases) {
        const RodsResult r = CalculateRods(c.unknown, c.section, c.cross, c.spacing, c.impedance);
        EXPECT_EQ(r.unknownText, c.result) << c.cross << " " << c.spacing << " " << c.impedance;
        EXPECT_EQ(r.message, c.message);
    }
}

TEST(Rods, SearchStopsAtTheFirstRatioWithinATenthOfAnOhm)
{
    const struct {
        S section;
        U unknown;
        long double wanted;
        double x;
    } cases[] = {
        {S::Round, U::CrossSection, 100, 1.3482}, {S::Round, U::Spacing, 100, 1.3489},
        {S::Square, U::Spacing, 300, 0.8569},     {S::Round, U::CrossSection, 30, 1.05},
        {S::Square, U::CrossSection, 5, 0.04},    {S::Square, U::Spacing, 5, 0.0409},
    };
    for (const auto& c : cases) {
        long double x = 0;
        EXPECT_TRUE(FindRodRatio(c.section, c.unknown, c.wanted, x));
        EXPECT_NEAR(static_cast<double>(x), c.x, 1e-9);
    }
    EXPECT_NEAR(static_cast<double>(RoundRodImpedance(2.2L)), 179.09, 0.005);
    EXPECT_NEAR(static_cast<double>(SquareRodImpedance(0.92L)), 344.96, 0.005);
}

TEST(Rods, FailuresAndVisibleBoxes)
{
    try {
        CalculateRods(U::Spacing, S::Round, "9,5", "", "100");
        ADD_FAILURE();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), kEntryBoxError);
    }
    const RodBoxes b = VisibleRodBoxes(U::CrossSection);
    EXPECT_TRUE(!b.crossSection && b.spacing && b.impedance);
    EXPECT_STREQ(SpacingLabel(S::Square), "Face to face (mm)");
}

TEST(Rods, ImpossibleValuesAreRefusedNamingTheBox)
{
    const struct {
        U unknown;
        S section;
        const char *cross, *spacing, *impedance, *message;
    } cases[] = {
        {U::Impedance, S::Round, "9.5", "-12.8", "x", "Centre to centre (mm) cannot be negative"},
        {U::Impedance, S::Round, "9.5", "0", "x", "Centre to centre (mm) box empty or zero!"},
        {U::Impedance, S::Square, "0", "12.8", "x", "Cross section (mm) box empty or zero!"},
        {U::CrossSection, S::Round, "x", "0", "100", "Centre to centre (mm) box empty or zero!"},
        {U::Spacing, S::Square, "-9.5", "x", "300", "Cross section (mm) cannot be negative"},
        {U::CrossSection, S::Square, "x", "5", "-100", "Impedance (ohms) cannot be negative"},
        {U::Impedance, S::Round, "0", "12.8", "x", "Cross section (mm) box empty or zero!"},
        {U::Impedance, S::Round, "20", "12.8", "x",
         "Centre to centre (mm) must be above the Cross section (mm), 20.0 mm: closer, the rods "
         "overlap"},
    };
    for (const auto& c : cases) {
        try {
            CalculateRods(c.unknown, c.section, c.cross, c.spacing, c.impedance);
            ADD_FAILURE() << c.message;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(QuarterWave, ImpossibleValuesAreRefusedNamingTheBox)
{
    const struct {
        const char *freq, *zIn, *zOut, *vf, *message, *length;
    } cases[] = {
        {"-144", "200", "50", "1", "Frequency (MHz) cannot be negative", ""},
        {"0", "200", "50", "1", "Frequency (MHz) box empty or zero!", ""},
        {"144", "200", "50", "0", "Velocity factor box empty or zero!", ""},
        {"144", "200", "50", "1.2", "Velocity factor cannot be above 1", ""},
        {"144", "-200", "-50", "1", "Input impedance (ohms) cannot be negative", "520.5"},
        {"144", "200", "0", "1", "Output impedance (ohms) box empty or zero!", "520.5"},
    };
    for (const auto& c : cases) {
        QuarterWaveResult r;
        try {
            CalculateQuarterWave(c.freq, c.zIn, c.zOut, c.vf, r);
            ADD_FAILURE() << c.message;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(r.length, c.length);
        EXPECT_EQ(r.impedance, "");
    }
}

TEST(QuarterWave, LengthAndImpedance)
{
    QuarterWaveResult r;
    CalculateQuarterWave("144.0", "200", "50", "1.0", r);
    EXPECT_EQ(r.length + " " + r.impedance, "520.5 100.0");
    CalculateQuarterWave("144.0", "200", "50", "0.66", r);
    EXPECT_EQ(r.length, "343.5");
    EXPECT_THROW(CalculateQuarterWave("144", "200", "abc", "1", r), ConversionError);
    try {
        CalculateQuarterWave("432", "-200", "50", "1.0", r);
        ADD_FAILURE();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), kInvalidOperation);
    }
    EXPECT_EQ(r.length, "173.5"); // written before the impedance failed
}

} // namespace
} // namespace tavora
