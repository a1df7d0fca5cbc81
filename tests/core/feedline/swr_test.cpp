// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedline/coax_data.h"
#include "feedline/swr.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tavora {
namespace {

using M = MeasureMode;
const std::string kHeading = "CALCULATING SWR FOR VARIOUS INPUTS\r\n\r\n"
                             "SWR\tSWR\tCoax\tRev\tFwd\tUnits\r\n"
                             "bridge\tantenna\tloss db\r\n";

TEST(Swr, RowsWithoutCoax)
{
    const struct {
        M mode;
        const char *reverse, *forward, *row;
    } cases[] = {
        {M::Power, "4", "100", "1.50\t1.50\t0.00\t   4.00\t 100.00\twatts\r\n"},
        {M::Power, "0", "100", "1.00\t1.00\t0.00\t   0.00\t 100.00\twatts\r\n"},
        {M::Volts, "2", "10", "1.50\t1.50\t0.00\t   2.00\t  10.00\tvolts\r\n"},
        {M::Milliamps, "10", "50", "1.50\t1.50\t0.00\t  10.00\t  50.00\tmA\r\n"},
        {M::Ohms, "50", "75", "1.50\t1.50\t0.00\t  50.00\t  75.00\tohms\r\n"},
        {M::Ohms, "75", "50", "1.50\t1.50\t0.00\t  75.00\t  50.00\tohms\r\n"},
    };
    for (const auto& c : cases) {
        SwrSession session;
        ChangeUnits(session, c.mode);
        FindSWR(session, c.reverse, c.forward, "0");
        EXPECT_EQ(session.memo, kHeading + c.row);
        EXPECT_EQ(session.powerLine, "");
    }
}

TEST(Swr, FormulasAndAdjustments)
{
    EXPECT_EQ(SwrRow(1.5, AntennaSWR(1.5, 1), 1, 4, 100, M::Power),
              "1.50\t1.67\t1.00\t   4.00\t 100.00\twatts\r\n");
    EXPECT_NEAR(PowerAtAntenna(100, 1), 79.43, 0.005);
    EXPECT_DOUBLE_EQ(AntennaSWR(1.5, 0), 1.5);
    EXPECT_EQ(AntennaSWR(3, 4), 999); // reflection 0.5 x 2.51 reaches 1
    EXPECT_EQ(AdjustedReverse(4, 4), 4 - 0.000001);
    EXPECT_EQ(AdjustedReverse(-3, 4), 0.000001);
    EXPECT_GT(BridgeSWR(M::Power, 4, AdjustedReverse(4, 4)), 1e6); // large, no division error
}

TEST(Swr, RefusedReadingsAppendNothing)
{
    for (M mode : {M::Power, M::Volts, M::Milliamps}) {
        SwrSession session;
        ChangeUnits(session, mode);
        try {
            FindSWR(session, "10", "5", "0");
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), kReverseAboveForward);
        }
        EXPECT_THROW(FindSWR(session, "", "100", "0"), ConversionError);
        EXPECT_EQ(session.memo, kHeading);
    }
    // Negative readings are refused naming the box, in every mode.
    const struct {
        M mode;
        const char *reverse, *forward, *message;
    } negative[] = {
        {M::Power, "-4", "100", "Reverse watts cannot be negative"},
        {M::Volts, "2", "-10", "Forward volts cannot be negative"},
        {M::Ohms, "-50", "75", "Low impedance cannot be negative"},
        {M::Ohms, "50", "-75", "High impedance cannot be negative"},
        // A line of 0 ohms has no ratio to another.
        {M::Ohms, "0", "75", "Low impedance box empty or zero!"},
        {M::Ohms, "75", "0", "High impedance box empty or zero!"},
    };
    for (const auto& c : negative) {
        SwrSession session;
        ChangeUnits(session, c.mode);
        try {
            FindSWR(session, c.reverse, c.forward, "0");
            ADD_FAILURE() << c.message;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(session.memo, kHeading);
    }
}

// A program directory holding a Coax.dta; the working directory is put back.
class SwrWithCoax : public testing::Test {
  protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() /
               (std::string("tavora_swr_") + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        state_.ProgramDir = dir_.string();
        std::ofstream(dir_ / "Coax.dta")
            << "# test cables\nTest cable     50MHZ=2 144MHZ=5\n\nAnother cable     144MHZ=1.5\n";
        EXPECT_EQ(Docoax(session_, true, state_), "");
    }
    void TearDown() override
    {
        std::filesystem::current_path(saved_);
        std::filesystem::remove_all(dir_);
    }
    void Pick(int cable, int band)
    {
        session_.selectedCable = cable;
        session_.band = band;
    }

    std::filesystem::path saved_ = std::filesystem::current_path(), dir_;
    DesignState state_;
    SwrSession session_;
};

TEST_F(SwrWithCoax, TwentyMetresAtFiveDecibelsPerHundredFeet)
{
    ASSERT_EQ(session_.cables.size(), 2u);
    EXPECT_EQ(session_.cables[1], "Test cable     50MHZ=2 144MHZ=5"); // sorted
    Pick(1, 1);
    EXPECT_EQ(GetLoss(session_, "20"), "");
    EXPECT_EQ(session_.lossLabel, "Coax lost= 3.28 dB");
    FindSWR(session_, "4", "100", "20");
    EXPECT_EQ(session_.memo, kHeading + "1.50\t2.48\t3.28\t   4.00\t 100.00\twatts\r\n");
    EXPECT_EQ(session_.powerLine, "100 watts at bottom of coax delivers 46.99 watts to antenna");
    EXPECT_EQ(UpdateEdit(session_, "30.48"), "");
    EXPECT_EQ(session_.lossLabel, "Coax lost= 5 dB");
    EXPECT_EQ(session_.powerLine, "");
    EXPECT_EQ(UpdateEdit(session_, ""), ""); // an emptied box is skipped
}

TEST_F(SwrWithCoax, TypingPassesOverPartialLengthsAndCalculateTakesTheBox)
{
    Pick(1, 1);
    // Typed key by key: nothing is said, and the last number's loss stays.
    for (const char* typed : {"-", "1", "1e", "1e3", "1e30", "1e300", "20,", "-5"})
        EXPECT_EQ(UpdateEdit(session_, typed), "") << typed;
    EXPECT_EQ(session_.lossLabel, "Coax lost= 164.04 dB");
    EXPECT_EQ(UpdateEdit(session_, "20"), "");
    EXPECT_EQ(UpdateEdit(session_, "20,"), "");
    EXPECT_EQ(session_.lossLabel, "Coax lost= 3.28 dB");
    // Calculate converts what the box holds then, and refuses what is no length.
    EXPECT_THROW(FindSWR(session_, "4", "100", "20,"), ConversionError);
    EXPECT_THROW(FindSWR(session_, "4", "100", "1e300"), ArithmeticError);
    try {
        FindSWR(session_, "4", "100", "-5");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Length coax - metres cannot be negative");
    }
    EXPECT_EQ(session_.memo, kHeading);
    FindSWR(session_, "4", "100", "30.48");
    EXPECT_EQ(session_.lossLabel, "Coax lost= 5 dB");
    EXPECT_EQ(session_.memo, kHeading + "1.50\t4.44\t5.00\t   4.00\t 100.00\twatts\r\n");
}

TEST_F(SwrWithCoax, BandFirstThenNoFigureShowsNotAvailable)
{
    Pick(0, -1);
    EXPECT_EQ(GetLoss(session_, "20"), kSelectBandFirst);
    EXPECT_EQ(session_.selectedCable, -1);
    Pick(0, 0); // "Another cable" has no 50 MHz figure
    EXPECT_EQ(GetLoss(session_, "20"), kNoLossFigure);
    EXPECT_EQ(session_.lossLabel, "Coax loss");
    const std::string row = "1.50\tN/A\tN/A\t   4.00\t 100.00\twatts\r\n";
    FindSWR(session_, "4", "100", "20");
    FindSWR(session_, "4", "100", "20");
    EXPECT_EQ(session_.memo, kHeading + row + row);
    EXPECT_EQ(session_.selectedCable, -1);
    EXPECT_EQ(session_.powerLine, ""); // no power is claimed without a loss figure
}

TEST_F(SwrWithCoax, SwitchingOffAndOnAndAMissingFile)
{
    Pick(1, 1);
    GetLoss(session_, "20");
    Docoax(session_, false, state_);
    EXPECT_EQ(session_.coaxLoss, 0);
    EXPECT_TRUE(session_.cables.empty());
    Docoax(session_, true, state_);
    Docoax(session_, true, state_);
    EXPECT_EQ(session_.cables.size(), 2u);
    std::filesystem::remove(dir_ / "Coax.dta");
    EXPECT_EQ(Docoax(session_, true, state_), kNoCoaxFile);
    EXPECT_TRUE(session_.cables.empty());
}

TEST_F(SwrWithCoax, WithoutItsOwnFileTheInstalledCablesAreListed)
{
    const std::filesystem::path installed = dir_ / "share";
    std::filesystem::create_directories(installed);
    std::filesystem::rename(dir_ / "Coax.dta", installed / "Coax.dta");
    state_.DataDir = installed.string();
    EXPECT_EQ(Docoax(session_, true, state_), "");
    EXPECT_EQ(session_.cables.size(), 2u);
}

TEST(SwrPrint, PowerBreaksAfterLine48WithoutAColon)
{
    const std::string row = "1.50\t1.50\t0.00\t   4.00\t 100.00\twatts\r\n";
    std::string memo = SwrMemoHeading();
    for (int i = 0; i < 60; ++i)
        memo += row;
    auto lines = SwrPrintLines(memo, M::Power); // 64 memo lines
    ASSERT_EQ(lines.size(), 3u + 64u + 3u);
    EXPECT_EQ(lines[2] + lines[3], "\tCALCULATING SWR FOR VARIOUS INPUTS");
    const std::vector<std::string> pageBreak{"\t1.50\t1.50\t0.00\t   4.00\t 100.00\twatts", "\f",
                                             "", ""};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 51, lines.begin() + 55), pageBreak);
    EXPECT_EQ(SwrPrintLines(memo, M::Volts).size(), 3u + 64u);
    memo.insert(SwrMemoHeading().size() + 44 * row.size(), "note: a\r\nnote: b\r\n"); // 48, 49
    lines = SwrPrintLines(memo, M::Power);
    EXPECT_EQ(lines[53], "\t1.50\t1.50\t0.00\t   4.00\t 100.00\twatts"); // memo line 50
    EXPECT_EQ(lines[54], "\f");
}

} // namespace
} // namespace tavora
