// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedline/coax_data.h"
#include "feedline/swr.h"
#include "state/errors.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tavora {
namespace {

TEST(CoaxData, ReaderSkipsCommentsAndEmptyLines)
{
    std::istringstream in("# cables\r\nB cable     144MHZ=5\r\n\r\n#x\nA cable     50MHZ=1\n \n");
    EXPECT_EQ(ReadCoaxEntries(in),
              (std::vector<std::string>{"B cable     144MHZ=5", "A cable     50MHZ=1"}));
    EXPECT_EQ(BandKey("1296 MHz"), "1296MHZ");
}

TEST(CoaxData, FigureAfterTheKey)
{
    const struct {
        const char *entry, *key, *figure; // nullptr: no figure for the band
    } cases[] = {
        {"Cable     50MHZ=2.1 144MHZ=4.3", "144MHZ", "4.3 "},
        {"Cable     50MHZ=2.1   144MHZ=4.3", "50MHZ", "2.1 "},
        {"Cable     50MHZ=2.1", "432MHZ", nullptr},
        {"Best 144MHZ=1 cable     50MHZ=2", "144MHZ", nullptr}, // the description is no figure
        {"Cable     144mhz=2", "144MHZ", nullptr},              // keys are upper case
        {"Cable     144MHZ =5", "144MHZ", ""},
        {"Cable     144MHZ= 5", "144MHZ", " "},
    };
    for (const auto& c : cases) {
        const auto figure = CoaxFigureText(c.entry, c.key);
        EXPECT_EQ(figure.has_value(), c.figure != nullptr) << c.entry;
        if (figure && c.figure) {
            EXPECT_EQ(*figure, c.figure);
        }
    }
    EXPECT_EQ(CoaxFigure("2,5 ", ','), 2.5);
    EXPECT_EQ(CoaxFigure("2.5 ", ','), 2.5);
    EXPECT_THROW(CoaxFigure(""), ConversionError);
    EXPECT_EQ(CoaxLoss(20, 5), 3.28);
    EXPECT_EQ(CoaxLoss(30.48, 5), 5);
}

TEST(CoaxData, AFaultyLineIsRefusedNamingIt)
{
    const struct {
        const char *text, *error;
    } cases[] = {
        {"A     144MHZ=-5.0\n", "line 1: 144MHZ figure \"-5.0\" is negative"},
        {"A     144MHZ= 5\n", "line 1: 144MHZ figure \"\" is not a number"},
        {"A     50MHZ=x\n", "line 1: 50MHZ figure \"x\" is not a number"},
        {"A     50MHZ=1\n# B\nA     144MHZ=2\n", "line 3: \"A\" is there twice, first on line 1"},
        {"A     144MHZ=1 50MHZ=2 144MHZ=3\n", "line 1: 144MHZ is given twice"},
        {"A     144MHZ=1,5\n", "line 1: 144MHZ figure \"1,5\" is not a number"},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.text);
        try {
            ReadCoaxEntries(in);
            ADD_FAILURE() << c.text;
        } catch (const FileError& e) {
            EXPECT_STREQ(e.what(), c.error);
        }
    }
    std::istringstream bom("\xEF\xBB\xBF" "A     50MHZ=0\r\n");
    EXPECT_EQ(ReadCoaxEntries(bom), std::vector<std::string>{"A     50MHZ=0"});
    // With the user's comma, as the loss then reads it.
    std::istringstream comma("A     144MHZ=1,5\n");
    EXPECT_EQ(ReadCoaxEntries(comma, ','), std::vector<std::string>{"A     144MHZ=1,5"});
    TempDir dir;
    WriteAll(dir.File("Coax.dta"), "A     50MHZ=-1\n");
    std::vector<std::string> list;
    try {
        LoadCoaxFile(dir.File("Coax.dta"), list);
        ADD_FAILURE();
    } catch (const FileError& e) {
        EXPECT_EQ(e.what(), dir.File("Coax.dta") + ", line 1: 50MHZ figure \"-1\" is negative");
    }
}

TEST(ShippedCoaxFile, LoadsWholeAndEveryFigureParses)
{
    std::vector<std::string> list;
    ASSERT_TRUE(LoadCoaxFile(TAVORA_COAX_DTA, list));
    std::ifstream in(TAVORA_COAX_DTA);
    size_t cableLines = 0;
    for (std::string line; std::getline(in, line);)
        cableLines += !line.empty() && line[0] != '#';
    EXPECT_EQ(list.size(), cableLines);
    EXPECT_GE(list.size(), 15u);
    for (const std::string& entry : list) {
        EXPECT_NE(CoaxDescription(entry), entry) << "no run of five blanks: " << entry;
        int bands = 0;
        for (const char* band : kBands)
            if (const auto figure = CoaxFigureText(entry, BandKey(band))) {
                ++bands;
                EXPECT_GT(CoaxFigure(*figure), 0) << entry;
            }
        EXPECT_GT(bands, 0) << entry;
    }
}

TEST(ShippedCoaxFile, LossLabelsFromTheFilesFigures)
{
    const struct {
        const char* cable;
        int band;
        const char *length, *label, *message;
    } cases[] = {
        {"LMR-400 50 ohm (Times)", 1, "30.48", "Coax lost= 1.5 dB", ""},          // 144MHZ=1.5
        {"RG-213/U 50 ohm (Belden 8267)", 2, "20", "Coax lost= 3.35 dB", ""},     // 432MHZ=5.1
        {"Aircell 7 50 ohm (SSB-Electronic)", 3, "10", "Coax lost= 2.62 dB", ""}, // 1296MHZ=8.0
        {"Aircell 7 50 ohm (SSB-Electronic)", 0, "10", "Coax loss", kNoLossFigure},
    };
    for (const auto& c : cases) {
        SwrSession session;
        ASSERT_TRUE(LoadCoaxFile(TAVORA_COAX_DTA, session.cables));
        for (size_t i = 0; i < session.cables.size(); ++i)
            if (CoaxDescription(session.cables[i]) == c.cable)
                session.selectedCable = static_cast<int>(i);
        ASSERT_GE(session.selectedCable, 0) << c.cable;
        session.band = c.band;
        EXPECT_EQ(GetLoss(session, c.length), c.message);
        EXPECT_EQ(session.lossLabel, c.label);
    }
}

} // namespace
} // namespace tavora
