#include "feedline/coax_data.h"
#include "feedline/swr.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <fstream>

namespace tavora {
namespace {

const std::string kHeading = "CALCULATING SWR FOR VARIOUS INPUTS\r\n\r\n"
                             "SWR\tSWR\tCoax\tRev\tFwd\tUnits\r\n"
                             "bridge\tantenna\tloss db\r\n";

struct RowCase {
    MeasureMode mode;
    const char* reverse;
    const char* forward;
    const char* row;
};

void PrintTo(const RowCase& c, std::ostream* os)
{
    *os << "mode " << static_cast<int>(c.mode) << " R " << c.reverse << " F " << c.forward;
}

class SwrRows : public testing::TestWithParam<RowCase> {};

TEST_P(SwrRows, AppendsOneRowWithoutCoax)
{
    const RowCase& c = GetParam();
    SwrSession session;
    ChangeUnits(session, c.mode);
    FindSWR(session, c.reverse, c.forward);
    EXPECT_EQ(session.memo, kHeading + c.row);
    EXPECT_EQ(session.powerLine, "");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SwrRows,
    testing::Values(
        RowCase{MeasureMode::Power, "4", "100", "1.50\t1.50\t0.00\t   4.00\t 100.00\twatts\r\n"},
        RowCase{MeasureMode::Power, "0", "100", "1.00\t1.00\t0.00\t   0.00\t 100.00\twatts\r\n"},
        RowCase{MeasureMode::Volts, "2", "10", "1.50\t1.50\t0.00\t   2.00\t  10.00\tvolts\r\n"},
        RowCase{MeasureMode::Milliamps, "10", "50", "1.50\t1.50\t0.00\t  10.00\t  50.00\tmA\r\n"},
        RowCase{MeasureMode::Ohms, "50", "75", "1.50\t1.50\t0.00\t  50.00\t  75.00\tohms\r\n"},
        RowCase{MeasureMode::Ohms, "75", "50", "1.50\t1.50\t0.00\t  75.00\t  50.00\tohms\r\n"}));

TEST(Swr, FormulasWithALossOfOneDecibel)
{
    EXPECT_NEAR(AntennaSWR(1.5, 1), 1.67, 0.005);
    EXPECT_NEAR(PowerAtAntenna(100, 1), 79.43, 0.005);
    EXPECT_DOUBLE_EQ(AntennaSWR(1.5, 0), 1.5);
    EXPECT_EQ(AntennaSWR(3, 4), 999); // reflection 0.5 x 2.51 reaches 1
    EXPECT_EQ(SwrRow(1.5, AntennaSWR(1.5, 1), 1, 4, 100, MeasureMode::Power),
              "1.50\t1.67\t1.00\t   4.00\t 100.00\twatts\r\n");
}

TEST(Swr, EqualPowerReadingsGiveAVeryLargeSwr)
{
    EXPECT_EQ(AdjustedReverse(4, 4), 4 - 0.000001);
    EXPECT_EQ(AdjustedReverse(-3, 4), 0.000001);
    EXPECT_GT(BridgeSWR(MeasureMode::Power, 4, AdjustedReverse(4, 4)), 1e6);
}

TEST(Swr, ReverseAboveForwardIsRefused)
{
    for (MeasureMode mode : {MeasureMode::Power, MeasureMode::Volts, MeasureMode::Milliamps}) {
        SwrSession session;
        ChangeUnits(session, mode);
        try {
            FindSWR(session, "10", "5");
            FAIL();
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), kReverseAboveForward);
        }
        EXPECT_EQ(session.memo, kHeading);
    }
}

TEST(Swr, ReadingThatIsNotANumber)
{
    SwrSession session;
    try {
        FindSWR(session, "", "100");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
    }
    EXPECT_EQ(session.memo, kHeading);
}

TEST(Swr, MeasureTexts)
{
    EXPECT_STREQ(MeasureTextsOf(MeasureMode::Power).firstLabel, "Reverse watts");
    EXPECT_STREQ(MeasureTextsOf(MeasureMode::Milliamps).secondLabel, "Forward mA");
    EXPECT_STREQ(MeasureTextsOf(MeasureMode::Ohms).item, "Ohms (impedance)");
    EXPECT_STREQ(MeasureTextsOf(MeasureMode::Ohms).firstLabel, "Low impedance");
    EXPECT_STREQ(MeasureTextsOf(MeasureMode::Volts).unitName, "volts");
}

// A program directory holding a Coax.dta; the working directory is put back.
class SwrWithCoax : public testing::Test {
  protected:
    void SetUp() override
    {
        saved_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() /
               ("tavora_swr_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        state_.ProgramDir = dir_.string();
        std::ofstream(dir_ / "Coax.dta") << "# test cables\n"
                                            "Test cable     50MHZ=2 144MHZ=5\n"
                                            "\n"
                                            "Another cable     144MHZ=1.5\n";
    }
    void TearDown() override
    {
        std::filesystem::current_path(saved_);
        std::filesystem::remove_all(dir_);
    }
    void Pick(const std::string& description, int band)
    {
        for (size_t i = 0; i < session_.cables.size(); ++i)
            if (CoaxDescription(session_.cables[i]) == description)
                session_.selectedCable = static_cast<int>(i);
        session_.band = band;
    }

    std::filesystem::path saved_, dir_;
    DesignState state_;
    SwrSession session_;
};

TEST_F(SwrWithCoax, TwentyMetresAtFiveDecibelsPerHundredFeet)
{
    EXPECT_EQ(Docoax(session_, true, state_), "");
    ASSERT_EQ(session_.cables.size(), 2u);
    EXPECT_EQ(session_.cables[0], "Another cable     144MHZ=1.5"); // sorted
    Pick("Test cable", 1);
    EXPECT_EQ(GetLoss(session_, "20"), "");
    EXPECT_EQ(session_.lossLabel, "Coax lost= 3.28 dB");
    FindSWR(session_, "4", "100");
    EXPECT_EQ(session_.memo, kHeading + "1.50\t2.48\t3.28\t   4.00\t 100.00\twatts\r\n");
    EXPECT_EQ(session_.powerLine, "100 watts at bottom of coax delivers 46.99 watts to antenna");
    EXPECT_EQ(UpdateEdit(session_, "30.48"), "");
    EXPECT_EQ(session_.lossLabel, "Coax lost= 5 dB");
    EXPECT_EQ(session_.powerLine, "");
}

TEST_F(SwrWithCoax, BandMustComeFirst)
{
    Docoax(session_, true, state_);
    Pick("Test cable", -1);
    EXPECT_EQ(GetLoss(session_, "20"), kSelectBandFirst);
    EXPECT_EQ(session_.selectedCable, -1);
    EXPECT_EQ(session_.coaxLoss, 0);
}

TEST_F(SwrWithCoax, NoFigureForTheBandShowsNotAvailable)
{
    Docoax(session_, true, state_);
    Pick("Another cable", 0);
    EXPECT_EQ(GetLoss(session_, "20"), kNoLossFigure);
    EXPECT_EQ(session_.coaxLoss, kNoLossData);
    EXPECT_EQ(session_.lossLabel, "Coax loss");
    FindSWR(session_, "4", "100");
    EXPECT_EQ(session_.memo, kHeading + "1.50\tN/A\tN/A\t   4.00\t 100.00\twatts\r\n");
    EXPECT_EQ(session_.selectedCable, -1);
    // No power is claimed without a loss figure.
    EXPECT_EQ(session_.powerLine, "");
    FindSWR(session_, "4", "100");
    EXPECT_EQ(session_.memo, kHeading + "1.50\tN/A\tN/A\t   4.00\t 100.00\twatts\r\n" +
                                 "1.50\tN/A\tN/A\t   4.00\t 100.00\twatts\r\n");
}

TEST_F(SwrWithCoax, SwitchingOffAndOnReloadsWithoutDuplicates)
{
    Docoax(session_, true, state_);
    Pick("Test cable", 1);
    GetLoss(session_, "20");
    EXPECT_EQ(Docoax(session_, false, state_), "");
    EXPECT_FALSE(session_.CableControlsVisible());
    EXPECT_EQ(session_.coaxLoss, 0);
    EXPECT_TRUE(session_.cables.empty());
    Docoax(session_, true, state_);
    Docoax(session_, true, state_);
    EXPECT_EQ(session_.cables.size(), 2u);
    EXPECT_EQ(session_.selectedCable, -1);
}

TEST_F(SwrWithCoax, LengthEdits)
{
    Docoax(session_, true, state_);
    Pick("Test cable", 1);
    EXPECT_EQ(UpdateEdit(session_, ""), ""); // an emptied box is skipped
    EXPECT_EQ(session_.lossLabel, "Coax loss");
    try {
        UpdateEdit(session_, "-");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'-' is not a valid floating point value");
    }
}

TEST_F(SwrWithCoax, MissingFile)
{
    std::filesystem::remove(dir_ / "Coax.dta");
    EXPECT_EQ(Docoax(session_, true, state_), kNoCoaxFile);
    EXPECT_TRUE(session_.cables.empty());
    FindSWR(session_, "4", "100"); // still works, with no loss
    EXPECT_EQ(session_.memo, kHeading + "1.50\t1.50\t0.00\t   4.00\t 100.00\twatts\r\n");
}

std::string Rows(int count)
{
    std::string memo = SwrMemoHeading();
    for (int i = 0; i < count; ++i)
        memo += "1.50\t1.50\t0.00\t   4.00\t 100.00\twatts\r\n";
    return memo;
}

TEST(SwrPrint, PowerBreaksAfterLine48)
{
    const auto pages = SwrPrintPages(Rows(60), MeasureMode::Power); // 64 memo lines
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), 3u + 49u);
    EXPECT_EQ(pages[1].size(), 3u + 15u);
    EXPECT_EQ(pages[0][0], "");
    EXPECT_EQ(pages[0][3], "\tCALCULATING SWR FOR VARIOUS INPUTS");
    EXPECT_EQ(pages[1][2], "");
    EXPECT_EQ(pages[1][3], "\t1.50\t1.50\t0.00\t   4.00\t 100.00\twatts");
}

TEST(SwrPrint, ALineWithAColonPutsTheBreakOff)
{
    std::string memo = Rows(44); // lines 0..47
    memo += "note: new cable\r\nnote: again\r\nx\r\n";
    const auto pages = SwrPrintPages(memo, MeasureMode::Power);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), 3u + 51u);
    EXPECT_EQ(pages[0].back(), "\tx");
}

TEST(SwrPrint, OtherModesNeverBreak)
{
    EXPECT_EQ(SwrPrintPages(Rows(100), MeasureMode::Volts).size(), 1u);
    EXPECT_EQ(SwrPrintPages(Rows(100), MeasureMode::Power).size(), 3u);
}

} // namespace
} // namespace tavora
