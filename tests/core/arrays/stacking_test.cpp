#include "arrays/stacking.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <string>

namespace tavora {
namespace {

struct StackCase {
    const char* freq;
    const char* beamwidth;
    StackingPlane plane;
    const char* memo;
};

void PrintTo(const StackCase& c, std::ostream* os)
{
    *os << c.freq << " MHz, " << c.beamwidth << " degrees, plane " << static_cast<int>(c.plane);
}

class StackingMemo : public testing::TestWithParam<StackCase> {};

TEST_P(StackingMemo, WritesFourLines)
{
    const StackCase& c = GetParam();
    DesignState state;
    std::string memo = "old";
    FindBeamGain(state, c.freq, c.beamwidth, static_cast<int>(c.plane), memo);
    EXPECT_EQ(memo, c.memo);
}

INSTANTIATE_TEST_SUITE_P(PublishedExamples, StackingMemo,
                         testing::Values(StackCase{"144.1", "30", StackingPlane::Vertical,
                                                   "Estimated gain of antenna:\t14.5 dBd\r\n"
                                                   "Vertical stacking distance:\t4022 mm\r\n"
                                                   "Estimated horiz. stacking:\t4125 mm\r\n"
                                                   "Estimated gain of array:\t17.3 dBd\r\n"},
                                         StackCase{"144.1", "30", StackingPlane::Horizontal,
                                                   "Estimated gain of antenna:\t14.5 dBd\r\n"
                                                   "Horizontal stacking distance:\t4022 mm\r\n"
                                                   "Estimated vertical stacking:\t3922 mm\r\n"
                                                   "Estimated gain of array:\t17.3 dBd\r\n"},
                                         StackCase{"144.1", "60", StackingPlane::Vertical,
                                                   "Estimated gain of antenna:\t8.4 dBd\r\n"
                                                   "Vertical stacking distance:\t2082 mm\r\n"
                                                   "Estimated horiz. stacking:\t2248 mm\r\n"
                                                   "Estimated gain of array:\t11.3 dBd\r\n"},
                                         StackCase{"432", "20", StackingPlane::Vertical,
                                                   "Estimated gain of antenna:\t18.0 dBd\r\n"
                                                   "Vertical stacking distance:\t2000 mm\r\n"
                                                   "Estimated horiz. stacking:\t2026 mm\r\n"
                                                   "Estimated gain of array:\t20.8 dBd\r\n"},
                                         StackCase{"50", "45", StackingPlane::Horizontal,
                                                   "Estimated gain of antenna:\t10.9 dBd\r\n"
                                                   "Horizontal stacking distance:\t7840 mm\r\n"
                                                   "Estimated vertical stacking:\t7428 mm\r\n"
                                                   "Estimated gain of array:\t13.8 dBd\r\n"}));

TEST(Stacking, DefaultsInDetail)
{
    const double gain = GainFromBeamwidth(30);
    EXPECT_NEAR(gain, 14.4691, 5e-5);
    EXPECT_EQ(StackingPercent(gain), 97.5);
    EXPECT_NEAR(StackingDistance(300000 / 144.1, 30), 4022.187, 5e-4);
}

struct PercentCase {
    double gain;
    double percent;
};

void PrintTo(const PercentCase& c, std::ostream* os)
{
    *os << "gain " << c.gain;
}

class PercentTable : public testing::TestWithParam<PercentCase> {};

TEST_P(PercentTable, RowOfTheRoundedKey)
{
    EXPECT_EQ(StackingPercent(GetParam().gain), GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(Rows, PercentTable,
                         testing::Values(PercentCase{0.0, 88.0}, PercentCase{-0.04, 88.0},
                                         PercentCase{5.0, 88.0}, PercentCase{5.1, 89.9},
                                         PercentCase{8.4, 92.6}, PercentCase{10.9, 94.75},
                                         PercentCase{11.4, 95.2}, PercentCase{14.5, 97.5},
                                         PercentCase{16.3, 98.55}, PercentCase{16.5, 98.6},
                                         PercentCase{16.6, 98.7}, PercentCase{18.0, 98.7},
                                         // key 132.5 rounds to the even 132, not up to 133 (96.7)
                                         PercentCase{13.25, 96.3},
                                         // a negative key falls to the last row, not the first
                                         PercentCase{-0.1, 98.7}, PercentCase{-5, 98.7}));

TEST(Stacking, EstimatesScaleByThePercent)
{
    EXPECT_DOUBLE_EQ(EstimateVerticalStacking(1000, 14.5), 975);
    EXPECT_DOUBLE_EQ(EstimateHorizontalStacking(975, 14.5), 1000);
}

TEST(Stacking, StoresFrequencyAndWavelength)
{
    DesignState state;
    std::string memo;
    FindBeamGain(state, "144.1", "30", 0, memo);
    EXPECT_EQ(state.DesignFreq, 144.1);
    EXPECT_EQ(state.WaveLength, 300000 / 144.1);
}

TEST(Stacking, ZeroFrequencyLeavesOnlyTheGainLine)
{
    DesignState state;
    std::string memo = "old";
    EXPECT_THROW(
        try { FindBeamGain(state, "0", "30", 0, memo); } catch (const ArithmeticError& e) {
            EXPECT_STREQ(e.what(), kDivisionByZero);
            throw;
        },
        ArithmeticError);
    EXPECT_EQ(memo, "Estimated gain of antenna:\t14.5 dBd\r\n");
}

TEST(Stacking, BadBeamwidthKeepsTheMemoButStoresTheFrequency)
{
    DesignState state;
    std::string memo = "old";
    EXPECT_THROW(FindBeamGain(state, "144.1", "x", 0, memo), ConversionError);
    EXPECT_EQ(memo, "old");
    EXPECT_EQ(state.DesignFreq, 144.1);
    try {
        FindBeamGain(state, "144.1", "0", 0, memo);
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), kDivisionByZero);
    }
    EXPECT_EQ(memo, "old");
}

TEST(Stacking, UnknownPlaneWritesTheGainLineOnly)
{
    DesignState state;
    std::string memo;
    FindBeamGain(state, "144.1", "30", 2, memo);
    EXPECT_EQ(memo, "Estimated gain of antenna:\t14.5 dBd\r\n");
}

TEST(Stacking, PlaneCaptionsAndPictures)
{
    DesignState state;
    state.ProgramDir = "/opt/tavora";
    const StackingPlaneView v = StackingPlaneViewOf(0, state);
    EXPECT_EQ(v.planeLabel, "Vertical stacking");
    EXPECT_EQ(v.beamwidthLabel, "Half power vertical beamwidth");
    EXPECT_EQ(v.pictureFile, (std::filesystem::path("/opt/tavora") / "vertical.bmp").string());
    const StackingPlaneView h = StackingPlaneViewOf(1, state);
    EXPECT_EQ(h.planeLabel, "Horizontal stacking");
    EXPECT_EQ(h.beamwidthLabel, "Half power horizontal beamwidth");
    EXPECT_EQ(h.pictureFile, (std::filesystem::path("/opt/tavora") / "horizontal.bmp").string());
}

} // namespace
} // namespace tavora
