#include "feedline/coax_data.h"
#include "feedline/swr.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <ostream>

#include <fstream>
#include <sstream>

namespace tavora {
namespace {

TEST(CoaxData, ReaderSkipsCommentsAndEmptyLines)
{
    std::istringstream in("# cables\r\nB cable     144MHZ=5\r\n\r\n#x\nA cable     50MHZ=1\n \n");
    const std::vector<std::string> entries = ReadCoaxEntries(in);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], "B cable     144MHZ=5");
    EXPECT_EQ(entries[1], "A cable     50MHZ=1");
}

TEST(CoaxData, BandKeys)
{
    EXPECT_EQ(BandKey("50 MHz"), "50MHZ");
    EXPECT_EQ(BandKey("144 MHz"), "144MHZ");
    EXPECT_EQ(BandKey("1296 MHz"), "1296MHZ");
}

struct FigureCase {
    const char* entry;
    const char* key;
    const char* figure; // nullptr: no figure for the band
};

void PrintTo(const FigureCase& c, std::ostream* os)
{
    *os << "'" << c.entry << "' " << c.key;
}

class Figure : public testing::TestWithParam<FigureCase> {};

TEST_P(Figure, TextAfterTheKey)
{
    const FigureCase& c = GetParam();
    const auto figure = CoaxFigureText(c.entry, c.key);
    if (c.figure == nullptr) {
        EXPECT_FALSE(figure.has_value());
    } else {
        ASSERT_TRUE(figure.has_value());
        EXPECT_EQ(*figure, c.figure);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, Figure,
    testing::Values(FigureCase{"Cable     50MHZ=2.1 144MHZ=4.3", "144MHZ", "4.3 "},
                    FigureCase{"Cable     50MHZ=2.1 144MHZ=4.3", "50MHZ", "2.1 "},
                    FigureCase{"Cable     50MHZ=2.1   144MHZ=4.3", "50MHZ", "2.1 "},
                    FigureCase{"Cable     50MHZ=2.1", "432MHZ", nullptr},
                    // a band named in the description is not a figure
                    FigureCase{"Best 144MHZ=1 cable     50MHZ=2", "144MHZ", nullptr},
                    // lower-case keys do not match
                    FigureCase{"Cable     144mhz=2", "144MHZ", nullptr},
                    FigureCase{"Cable     144MHZ =5", "144MHZ", ""},
                    FigureCase{"Cable     144MHZ= 5", "144MHZ", " "}));

TEST(CoaxData, DescriptionAndFigure)
{
    EXPECT_EQ(CoaxDescription("RG-213/U 50 ohm     50MHZ=1.6"), "RG-213/U 50 ohm");
    EXPECT_EQ(CoaxFigure("5 "), 5);
    EXPECT_EQ(CoaxFigure("2.5 ", ','), 2.5);
    EXPECT_EQ(CoaxFigure("2,5 ", ','), 2.5);
    EXPECT_THROW(CoaxFigure(""), ConversionError);
}

TEST(CoaxData, LossToHundredths)
{
    EXPECT_EQ(CoaxLoss(20, 5), 3.28);
    EXPECT_EQ(CoaxLoss(30.48, 5), 5);
    EXPECT_EQ(CoaxLoss(3.048, 1.5), 0.15);
}

// The shipped file: every entry parses for every band it names.
TEST(ShippedCoaxFile, LoadsWhole)
{
    std::vector<std::string> list;
    ASSERT_TRUE(LoadCoaxFile(TAVORA_COAX_DTA, list));
    EXPECT_GE(list.size(), 15u);
    std::ifstream in(TAVORA_COAX_DTA);
    std::string line;
    size_t cableLines = 0;
    while (std::getline(in, line))
        if (!line.empty() && line[0] != '#')
            ++cableLines;
    EXPECT_EQ(list.size(), cableLines);
    for (const std::string& entry : list) {
        SCOPED_TRACE(entry);
        EXPECT_FALSE(CoaxDescription(entry).empty());
        EXPECT_NE(CoaxDescription(entry), entry) << "no run of five blanks";
        int bands = 0;
        for (const char* band : kBands)
            if (const auto figure = CoaxFigureText(entry, BandKey(band))) {
                ++bands;
                const double perFoot = CoaxFigure(*figure);
                EXPECT_GT(perFoot, 0);
                EXPECT_LT(perFoot, 50);
            }
        EXPECT_GT(bands, 0);
    }
}

struct ShippedCase {
    const char* cable;
    int band;
    const char* length;
    const char* label;
    const char* message;
};

void PrintTo(const ShippedCase& c, std::ostream* os)
{
    *os << c.cable << " band " << c.band;
}

class ShippedCable : public testing::TestWithParam<ShippedCase> {};

TEST_P(ShippedCable, LossLabelFromTheFilesFigure)
{
    const ShippedCase& c = GetParam();
    SwrSession session;
    session.compensate = true;
    ASSERT_TRUE(LoadCoaxFile(TAVORA_COAX_DTA, session.cables));
    for (size_t i = 0; i < session.cables.size(); ++i)
        if (CoaxDescription(session.cables[i]) == c.cable)
            session.selectedCable = static_cast<int>(i);
    ASSERT_GE(session.selectedCable, 0) << c.cable;
    session.band = c.band;
    EXPECT_EQ(GetLoss(session, c.length), c.message);
    EXPECT_EQ(session.lossLabel, c.label);
}

INSTANTIATE_TEST_SUITE_P(
    ThreeCables, ShippedCable,
    testing::Values(
        // LMR-400 144MHZ=1.5: 100 ft is 1.5 dB
        ShippedCase{"LMR-400 50 ohm (Times)", 1, "30.48", "Coax lost= 1.5 dB", ""},
        // RG-213/U 432MHZ=5.1: 20 m is 3.346... dB
        ShippedCase{"RG-213/U 50 ohm (Belden 8267)", 2, "20", "Coax lost= 3.35 dB", ""},
        // Aircell 7 1296MHZ=8.0: 10 m is 2.624... dB
        ShippedCase{"Aircell 7 50 ohm (SSB-Electronic)", 3, "10", "Coax lost= 2.62 dB", ""},
        // the maker gives Aircell 7 no 50 MHz figure
        ShippedCase{"Aircell 7 50 ohm (SSB-Electronic)", 0, "10", "Coax loss", kNoLossFigure}));

} // namespace
} // namespace tavora
