// SPDX-License-Identifier: GPL-3.0-or-later
#include "arrays/stacking.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tavora {
namespace {

constexpr int kV = 0, kH = 1;

TEST(Stacking, PublishedExamples)
{
    const struct {
        const char *freq, *beamwidth;
        int plane;
        const char *gain, *distance, *estimate, *array;
    } cases[] = {
        {"144.1", "30", kV, "14.5", "4022", "4125", "17.3"},
        {"144.1", "30", kH, "14.5", "4022", "3922", "17.3"},
        {"144.1", "60", kV, "8.4", "2082", "2248", "11.3"},
        {"432", "20", kV, "18.0", "2000", "2026", "20.8"},
        {"50", "45", kH, "10.9", "7840", "7428", "13.8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.freq) + " MHz " + c.beamwidth + " degrees");
        DesignState state;
        std::string memo = "old";
        FindBeamGain(state, c.freq, c.beamwidth, c.plane, memo);
        const bool v = c.plane == kV;
        EXPECT_EQ(memo,
                  std::string("Estimated gain of antenna:\t") + c.gain + " dBd\r\n" +
                      (v ? "Vertical" : "Horizontal") + " stacking distance:\t" + c.distance +
                      " mm\r\n" +
                      (v ? "Estimated horiz. stacking:\t" : "Estimated vertical stacking:\t") +
                      c.estimate + " mm\r\nEstimated gain of array:\t" + c.array + " dBd\r\n");
        EXPECT_EQ(state.WaveLength, 300000 / state.DesignFreq);
    }
}

TEST(Stacking, PercentOfTheRoundedKey)
{
    // Key 132.5 goes to the even 132 (96.3), not to 133 (96.7); a negative key
    // falls to the last row, not the first.
    const struct {
        double gain, percent;
    } cases[] = {{0.0, 88.0},   {-0.04, 88.0},   {5.0, 88.0},   {5.1, 89.9},  {8.4, 92.6},
                 {10.9, 94.75}, {14.4691, 97.5}, {16.3, 98.55}, {16.5, 98.6}, {16.6, 98.7},
                 {13.25, 96.3}, {-0.1, 98.7},    {-5, 98.7}};
    for (const auto& c : cases)
        EXPECT_EQ(StackingPercent(c.gain), c.percent) << c.gain;
    EXPECT_DOUBLE_EQ(EstimateVerticalStacking(1000, 14.5), 975);
    EXPECT_DOUBLE_EQ(EstimateHorizontalStacking(975, 14.5), 1000);
}

TEST(Stacking, FailuresKeepWhatWasWritten)
{
    DesignState state;
    std::string memo = "old";
    EXPECT_THROW(FindBeamGain(state, "144.1", "x", kV, memo), BoxRefusal);
    EXPECT_EQ(memo, "old");
    EXPECT_EQ(state.DesignFreq, 144.1);
    FindBeamGain(state, "144.1", "30", 2, memo); // neither plane
    EXPECT_EQ(memo, "Estimated gain of antenna:\t14.5 dBd\r\n");
}

TEST(Stacking, ImpossibleValuesAreRefusedNamingTheBox)
{
    const struct {
        const char *freq, *beamwidth;
        int plane;
        const char* message;
    } cases[] = {
        {"-144.1", "30", kV, "Frequency in MHz cannot be negative"},
        {"144.1", "-30", kV, "Half power vertical beamwidth cannot be negative"},
        {"144.1", "180", 1, "Half power horizontal beamwidth must be from 10 to 150 degrees"},
        {"144.1", "0", kV, "Half power vertical beamwidth box empty or zero!"},
        {"0", "30", kV, "Frequency in MHz box empty or zero!"},
        {"1e300", "30", kV, "Frequency in MHz must be from 50 to 10500 MHz"},
    };
    for (const auto& c : cases) {
        DesignState state;
        std::string memo = "old";
        try {
            FindBeamGain(state, c.freq, c.beamwidth, c.plane, memo);
            ADD_FAILURE() << c.message;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(memo, "old");
    }
    std::string memo;
    DesignState state;
    EXPECT_NO_THROW(FindBeamGain(state, "144.1", "150", kV, memo));
    EXPECT_NO_THROW(FindBeamGain(state, "50", "10", kV, memo));
}

TEST(Stacking, PlaneCaptionsAndPictures)
{
    DesignState state;
    state.ProgramDir = "/opt/tavora";
    const StackingPlaneView v = StackingPlaneViewOf(kV, state);
    const StackingPlaneView h = StackingPlaneViewOf(kH, state);
    EXPECT_EQ(v.planeLabel + "|" + v.beamwidthLabel,
              "Vertical stacking|Half power vertical beamwidth");
    EXPECT_EQ(h.planeLabel + "|" + h.beamwidthLabel,
              "Horizontal stacking|Half power horizontal beamwidth");
    EXPECT_EQ(v.pictureFile, (std::filesystem::path("/opt/tavora") / "vertical.bmp").string());
    EXPECT_EQ(h.pictureFile, (std::filesystem::path("/opt/tavora") / "horizontal.bmp").string());
}

TEST(Stacking, PicturesFallBackToTheInstalledOnes)
{
    const std::filesystem::path installed =
        std::filesystem::temp_directory_path() / "tavora_stacking_installed";
    std::filesystem::create_directories(installed);
    std::ofstream(installed / "vertical.bmp") << "BM";
    DesignState state;
    state.ProgramDir = "/nonexistent-home";
    state.DataDir = installed.string();
    EXPECT_EQ(StackingPlaneViewOf(kV, state).pictureFile, (installed / "vertical.bmp").string());
    std::filesystem::remove_all(installed);
}

} // namespace
} // namespace tavora
