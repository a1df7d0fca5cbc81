#include "feedline/impedance.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tavora {
namespace {

constexpr const char* kRoundRange =
    "Calculated Impedance outside range of algorithms (45-175 ohms)";
constexpr const char* kSquareRange =
    "Calculated Impedance outside range of algorithms (15-320 ohms)";

struct RodsCase {
    RodUnknown unknown;
    RodSection section;
    const char* cross;
    const char* spacing;
    const char* impedance;
    const char* result;
    const char* message;
};

void PrintTo(const RodsCase& c, std::ostream* os)
{
    *os << "unknown " << static_cast<int>(c.unknown) << " section " << static_cast<int>(c.section)
        << " gives " << c.result;
}

class Rods : public testing::TestWithParam<RodsCase> {};

TEST_P(Rods, UnknownBoxAndMessage)
{
    const RodsCase& c = GetParam();
    const RodsResult r = CalculateRods(c.unknown, c.section, c.cross, c.spacing, c.impedance);
    EXPECT_EQ(r.unknownText, c.result);
    EXPECT_EQ(r.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    PublishedExamples, Rods,
    testing::Values(
        RodsCase{RodUnknown::Impedance, RodSection::Round, "9.5", "12.8", "x", "99.8", ""},
        RodsCase{RodUnknown::Impedance, RodSection::Square, "9.5", "12.8", "x", "162.0", ""},
        RodsCase{RodUnknown::CrossSection, RodSection::Round, "x", "12.8", "100", "9.5", ""},
        RodsCase{RodUnknown::Spacing, RodSection::Round, "9.5", "x", "100", "12.8", ""},
        RodsCase{RodUnknown::CrossSection, RodSection::Round, "x", "12.8", "200", "Out of range",
                 kRoundRange},
        RodsCase{RodUnknown::Spacing, RodSection::Square, "9.5", "x", "300", "56.9", ""},
        RodsCase{RodUnknown::CrossSection, RodSection::Round, "x", "12.8", "30", "12.2",
                 kRoundRange},
        RodsCase{RodUnknown::Spacing, RodSection::Square, "9.5", "x", "350", "Out of range",
                 kSquareRange},
        RodsCase{RodUnknown::Impedance, RodSection::Square, "9.5", "0.1", "x", "4.0",
                 kSquareRange}));

TEST(Rods, FitsOverTheSearchedRanges)
{
    EXPECT_NEAR(static_cast<double>(RoundRodImpedance(1.05L)), 42.85, 0.005);
    EXPECT_NEAR(static_cast<double>(RoundRodImpedance(2.2L)), 179.09, 0.005);
    EXPECT_NEAR(static_cast<double>(SquareRodImpedance(0.04L)), 13.68, 0.005);
    EXPECT_NEAR(static_cast<double>(SquareRodImpedance(0.92L)), 344.96, 0.005);
    EXPECT_NEAR(static_cast<double>(RoundRodImpedance(12.8L / 9.5L)), 99.79, 0.005);
    EXPECT_NEAR(static_cast<double>(SquareRodImpedance(12.8L / 22.3L)), 161.96, 0.005);
}

struct RatioCase {
    RodSection section;
    RodUnknown unknown;
    long double wanted;
    double x;
};

void PrintTo(const RatioCase& c, std::ostream* os)
{
    *os << "section " << static_cast<int>(c.section) << " wanted " << static_cast<double>(c.wanted)
        << " stops at " << c.x;
}

class RodRatio : public testing::TestWithParam<RatioCase> {};

TEST_P(RodRatio, StopsAtTheFirstStepWithinATenthOfAnOhm)
{
    const RatioCase& c = GetParam();
    long double x = 0;
    ASSERT_TRUE(FindRodRatio(c.section, c.unknown, c.wanted, x));
    EXPECT_NEAR(static_cast<double>(x), c.x, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    PublishedExamples, RodRatio,
    testing::Values(RatioCase{RodSection::Round, RodUnknown::CrossSection, 100, 1.3482},
                    RatioCase{RodSection::Round, RodUnknown::Spacing, 100, 1.3489},
                    RatioCase{RodSection::Square, RodUnknown::Spacing, 300, 0.8569},
                    RatioCase{RodSection::Round, RodUnknown::CrossSection, 30, 1.05},
                    RatioCase{RodSection::Square, RodUnknown::CrossSection, 5, 0.04},
                    RatioCase{RodSection::Square, RodUnknown::Spacing, 5, 0.0409}));

TEST(Rods, EntryBoxErrorsAndArithmeticFaults)
{
    try {
        CalculateRods(RodUnknown::Spacing, RodSection::Round, "9,5", "", "100");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), kEntryBoxError);
    }
    try {
        CalculateRods(RodUnknown::Impedance, RodSection::Round, "0", "12.8", "");
        FAIL();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), kDivisionByZero);
    }
    try {
        CalculateRods(RodUnknown::Impedance, RodSection::Square, "-5", "5", "");
        FAIL();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), kDivisionByZero);
    }
}

TEST(Rods, BoxesShowTheTwoKnowns)
{
    EXPECT_FALSE(VisibleRodBoxes(RodUnknown::Impedance).impedance);
    EXPECT_TRUE(VisibleRodBoxes(RodUnknown::Impedance).crossSection);
    EXPECT_TRUE(VisibleRodBoxes(RodUnknown::Impedance).spacing);
    EXPECT_FALSE(VisibleRodBoxes(RodUnknown::CrossSection).crossSection);
    EXPECT_FALSE(VisibleRodBoxes(RodUnknown::Spacing).spacing);
    EXPECT_TRUE(VisibleRodBoxes(RodUnknown::Spacing).impedance);
    EXPECT_STREQ(SpacingLabel(RodSection::Round), "Centre to centre (mm)");
    EXPECT_STREQ(SpacingLabel(RodSection::Square), "Face to face (mm)");
}

struct QuarterCase {
    const char *freq, *zIn, *zOut, *vf, *length, *impedance;
};

void PrintTo(const QuarterCase& c, std::ostream* os)
{
    *os << c.freq << " MHz, vf " << c.vf;
}

class QuarterWave : public testing::TestWithParam<QuarterCase> {};

TEST_P(QuarterWave, LengthAndImpedance)
{
    const QuarterCase& c = GetParam();
    QuarterWaveResult r;
    CalculateQuarterWave(c.freq, c.zIn, c.zOut, c.vf, r);
    EXPECT_EQ(r.length, c.length);
    EXPECT_EQ(r.impedance, c.impedance);
}

INSTANTIATE_TEST_SUITE_P(Examples, QuarterWave,
                         testing::Values(QuarterCase{"144.0", "200", "50", "1.0", "520.5", "100.0"},
                                         QuarterCase{"144.0", "200", "50", "0.66", "343.5",
                                                     "100.0"},
                                         QuarterCase{"432", "50", "75", "0.8", "138.8", "61.2"}));

TEST(QuarterWave, Failures)
{
    QuarterWaveResult r;
    EXPECT_THROW(CalculateQuarterWave("144", "200", "abc", "1", r), ConversionError);
    try {
        CalculateQuarterWave("0", "200", "50", "1", r);
        FAIL();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), kDivisionByZero);
    }
    try {
        CalculateQuarterWave("144.0", "-200", "50", "1.0", r);
        FAIL();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), kInvalidOperation);
    }
    EXPECT_EQ(r.length, "520.5"); // written before the impedance failed
}

} // namespace
} // namespace tavora
