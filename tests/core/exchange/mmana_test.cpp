// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/mmana.h"

#include "state/errors.h"
#include "temp_dir.h"

#include <filesystem>

#include <gtest/gtest.h>

using namespace tavora;

namespace {

// Three directors spaced 300, 400 and 500 mm, reflector 400 mm behind the radiator.
DesignState ThreeDirectors()
{
    DesignState s;
    s.DesignFreq = 144.1;
    s.WaveLength = 299792 / 144.1;
    s.DirCount = 3;
    s.RadiatorPos = 400;
    s.ReflLength = 1016;
    s.DipoleLength = 980;
    s.RadiatorDiam = 10;
    s.ElementDiam = 7;
    const double spacing[] = {300, 400, 500};
    const double length[] = {927, 918, 909};
    for (size_t k = 1; k <= 3; ++k) {
        s.DirSpacing[k] = spacing[k - 1];
        s.DirLength[k] = length[k - 1];
    }
    s.FoldedTipToTip = 1000;
    s.FoldedStraight = 987;
    s.FoldedBendDiam = 12.5;
    s.Mounting = 'N';
    return s;
}

const std::string kTail = "***Source***\r\n"
                          "1,    0\r\n"
                          "w1c,   0.0,    1.0\r\n"
                          "***Load***\r\n"
                          "0,     0\r\n"
                          "***Segmentation***\r\n"
                          "400,   40,   2.0,   1\r\n"
                          "***G/H/M/R/AzEl/X***\r\n";

const std::string kParasitics = "-0.4000,  -0.5080,  0.0,  -0.4000,  0.5080,  0.0,  0.0035,  -1\r\n"
                                "0.3000,  -0.4635,  0.0,  0.3000,  0.4635,  0.0,  0.0035,  -1\r\n"
                                "0.7000,  -0.4590,  0.0,  0.7000,  0.4590,  0.0,  0.0035,  -1\r\n"
                                "1.2000,  -0.4545,  0.0,  1.2000,  0.4545,  0.0,  0.0035,  -1\r\n";

} // namespace

TEST(MaaFile, SingleDipoleByteForByte)
{
    EXPECT_EQ(MaaText(ThreeDirectors(), MaaOptions{}),
              "Yagi01\r\n*\r\n144.100\r\n***Wires***\r\n5\r\n"
              "0.0,  -0.4900,  0.0, 0.0,  0.4900,  0.0,  0.0050,  -1\r\n" +
                  kParasitics + kTail + "0,   15,   4,   50.0,   120,    60,    0.0\r\n");
}

TEST(MaaFile, FoldedDipoleByteForByte)
{
    MaaOptions o;
    o.dipole = 1;
    o.name = "Fold";
    // D3 is 0.013 at three decimals, D 0.0125 at four.
    EXPECT_EQ(MaaText(ThreeDirectors(), o),
              "Fold\r\n*\r\n144.100\r\n***Wires***\r\n10\r\n"
              "0.0,  -0.4935,  -0.013,  0.0,  0.4935,  -0.013,  0.0050,  -1\r\n"
              "0.0,  -0.4935,  0.0, 0.0,  0.4935,  0.0,  0.0050,  -1\r\n"
              "0.0,  -0.4935,  0.0, 0.0,  -0.5000,  -0.0063,  0.0050,  -1\r\n"
              "0.0,  0.4935,  0.0,  0.0,  0.5000,  -0.0063,  0.0050,  -1\r\n"
              "0.0,  -0.4935,  -0.0125,  0.0,    -0.5000,  -0.0063,  0.0050,  -1\r\n"
              "0.0,  0.4935,  -0.0125,  0.0,  0.5000,  -0.0063,  0.0050,  -1\r\n" +
                  kParasitics + kTail + "0,   15,   4,   200.0,   120,    60,    0.0\r\n");
}

TEST(MaaFile, NoDirectorsCountsTheDrivenElementAndReflectorOnly)
{
    DesignState s = ThreeDirectors();
    s.DirCount = 0;
    MaaOptions o;
    EXPECT_NE(MaaText(s, o).find("***Wires***\r\n2\r\n"), std::string::npos);
    o.dipole = 1;
    const std::string folded = MaaText(s, o);
    EXPECT_NE(folded.find("***Wires***\r\n7\r\n"), std::string::npos);
    EXPECT_EQ(folded.find("0.3000,"), std::string::npos);
}

TEST(MaaFile, OptionsGoInAsTextsAndIndexes)
{
    MaaOptions o;
    o.dm1 = "800";
    o.dm2 = "10";
    o.sc = "1.1";
    o.ec = "16";
    o.ground = 2;
    o.height = "7";
    o.material = -1;
    const std::string text = MaaText(ThreeDirectors(), o);
    EXPECT_NE(text.find("\r\n800,   10,   1.1,   16\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n2,   7,   -1,   50.0,   120,    60,    0.0\r\n"), std::string::npos);
    EXPECT_EQ(ItemIndex(kMaterialItems, "Al tube"), 4);
    EXPECT_EQ(ItemIndex(kGroundItems, "Moon"), -1);
    EXPECT_EQ(kDm1Items[28], "400");
    EXPECT_EQ(kDm2Items[7], "40");
    EXPECT_EQ(kHeightItems[3], "15");
}

TEST(MaaFile, WritesAtomically)
{
    TempDir dir;
    WriteMaaFile(ThreeDirectors(), MaaOptions{}, dir.File("y.maa"));
    EXPECT_EQ(ReadAll(dir.File("y.maa")), MaaText(ThreeDirectors(), MaaOptions{}));
    EXPECT_THROW(WriteMaaFile(ThreeDirectors(), MaaOptions{}, dir.File("no/y.maa")), FileError);
}

TEST(MaaFile, ATextThatWouldShapeTheFileIsRefusedByItsBoxAndNothingIsWritten)
{
    const std::string control = "A line break or other control character cannot be saved (";
    const std::string comma = "A ',' cannot be saved, it separates the file's fields (";
    const struct {
        std::string MaaOptions::*text;
        const char* value;
        std::string message;
    } cases[] = {
        {&MaaOptions::name, "Yagi\r\n***Wires***", control + "Filename)"},
        {&MaaOptions::dm1, "400, 9", comma + "DM1)"},
        {&MaaOptions::dm2, "40\t", control + "DM2)"},
        {&MaaOptions::sc, "2,0", comma + "SC)"},
        {&MaaOptions::ec, "1\n", control + "EC)"},
        {&MaaOptions::height, "15,", comma + "Height (metres))"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        MaaOptions o;
        o.*c.text = c.value;
        try {
            WriteMaaFile(ThreeDirectors(), o, dir.File("y.maa"));
            ADD_FAILURE() << "no refusal: " << c.message;
        } catch (const FileError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("y.maa")));
    // A comma in the name line is only text.
    MaaOptions named;
    named.name = "Yagi, 2 m";
    EXPECT_EQ(MaaText(ThreeDirectors(), named).substr(0, 11), "Yagi, 2 m\r\n");
}

// The number boxes are checked when the file is saved, typed with the user's separator.
TEST(MaaFile, NumberBoxesAreCheckedAtSaveNamingTheBox)
{
    const struct {
        std::string MaaOptions::*text;
        const char *value, *message;
    } cases[] = {
        {&MaaOptions::height, "x", "Height (metres) must be a number, not 'x'"},
        {&MaaOptions::height, "-5", "Height (metres) cannot be negative"},
        {&MaaOptions::height, "5000", "Height (metres) must be from 0 to 1000 metres"},
        {&MaaOptions::dm1, "", "DM1 box empty or zero!"},
        {&MaaOptions::dm2, "0", "DM2 box empty or zero!"},
        {&MaaOptions::sc, "2..5", "SC must be a number, not '2..5'"},
        {&MaaOptions::ec, "1.5", "EC must be a whole number of segments"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        MaaOptions o;
        o.*c.text = c.value;
        try {
            WriteMaaFile(ThreeDirectors(), o, dir.File("y.maa"));
            ADD_FAILURE() << c.message;
        } catch (const BoxRefusal& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_FALSE(std::filesystem::exists(dir.File("y.maa"))) << c.message;
    }
    MaaOptions comma;
    comma.sc = "2,5";
    comma.height = "7,5";
    const std::string text = MaaText(ThreeDirectors(), comma, ',');
    EXPECT_NE(text.find("\r\n400,   40,   2.5,   1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n0,   7.5,   4,"), std::string::npos);
}

TEST(MaaFile, TheOptimiserFolder)
{
    TempDir dir;
    bool created = false;
    EXPECT_EQ(OptimiserDir(dir.Path().string(), created), dir.File("Optimiser"));
    EXPECT_TRUE(created);
    OptimiserDir(dir.Path().string(), created); // already there
    EXPECT_TRUE(created);
    WriteAll(dir.File("f"), "");
    OptimiserDir(dir.File("f"), created);
    EXPECT_FALSE(created);
}

TEST(FillLabels, BothEnginesAtTheDefaults)
{
    DesignState s = ThreeDirectors();
    // s = 2080.4 / 200000 = 0.0104 wavelength; w = 10 / 2080.4 = 0.0048.
    GuidelineLabels mm = FillLabels(s, "400", 0);
    EXPECT_EQ(mm.segment.text, "Segment = 0.0104 WaveLength");
    EXPECT_EQ(mm.wireDiam.text, "Diam El =0.0048 Wavelength");
    EXPECT_EQ(mm.segDiam.text, "Seg:Diam = 2.2:1");
    EXPECT_FALSE(mm.segment.red);
    EXPECT_FALSE(mm.wireDiam.red);
    EXPECT_FALSE(mm.segDiam.red);
    GuidelineLabels nec = FillLabels(s, "400", 1);
    EXPECT_EQ(nec.segDiam.text, mm.segDiam.text);
    EXPECT_FALSE(nec.segment.red);
    EXPECT_TRUE(nec.segDiam.red); // below 4:1
    EXPECT_FALSE(nec.wireDiam.red);
}

TEST(FillLabels, Thresholds)
{
    DesignState s = ThreeDirectors();
    s.WaveLength = 1000;
    struct Case {
        const char* dm1;
        int engine;
        double radiatorDiam;
        bool segRed, wireRed, ratioRed;
    };
    const Case cases[] = {
        {"40", 0, 20, false, false, false}, // s 0.05, w 0.02, 2.5:1
        {"40", 0, 21, false, true, false},  // w above 0.02
        {"40", 1, 21, false, false, true},  // NEC-2 allows w to 0.32 but wants 4:1
        {"20", -1, 10, true, false, false}, // typed engine text: NEC-2 figures; s 0.1
        {"20001", 0, 1, true, false, true}, // s below 0.0001
        {"40", 1, 330, false, true, true},
    };
    for (const Case& c : cases) {
        s.RadiatorDiam = c.radiatorDiam;
        const GuidelineLabels l = FillLabels(s, c.dm1, c.engine);
        EXPECT_EQ(l.segment.red, c.segRed) << c.dm1 << " " << c.radiatorDiam;
        EXPECT_EQ(l.wireDiam.red, c.wireRed) << c.dm1 << " " << c.radiatorDiam;
        EXPECT_EQ(l.segDiam.red, c.ratioRed) << c.dm1 << " " << c.radiatorDiam;
    }
    EXPECT_THROW(FillLabels(s, "4o0", 0), ConversionError);
    EXPECT_EQ(FillLabels(s, "400", 0, ',').segment.text, "Segment = 0,0050 WaveLength");
}
