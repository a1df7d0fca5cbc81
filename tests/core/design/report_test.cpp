// SPDX-License-Identifier: GPL-3.0-or-later
#include "arrays/gain.h"
#include "design/dl6wu.h"
#include "design/entry.h"
#include "text/format.h"
#include "design/report.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

using namespace tavora;

namespace {

DesignEntry Entry144()
{
    // The worked example's feed gap is 10 mm.
    DesignEntry e = FormDefaults();
    e.FeedGap = "10";
    return e;
}

std::string Report(DesignState& s)
{
    std::string r;
    Yagidimensions(s, r);
    return r;
}

std::string Calculated(const DesignEntry& e, DesignState& s)
{
    YagiDoCalculate(e, s);
    return Report(s);
}

std::vector<std::string> Lines(const std::string& crlfText)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = crlfText.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(crlfText.substr(start, at - start));
    lines.push_back(crlfText.substr(start));
    return lines;
}

std::string Line(const std::string& report, const std::string& prefix)
{
    for (const std::string& l : Lines(report))
        if (l.rfind(prefix, 0) == 0)
            return l;
    return "<no line " + prefix + ">";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Report, The144MHzDesignIsExactLineByLine)
{
    DesignState s;
    NoteCoax(s, 37);
    const std::string report = Calculated(Entry144(), s);
    std::string expected = ReadFile(TAVORA_TEST_DATA "/report_144_rg213.txt");
    // The golden file is kept with LF ends; the report itself uses CRLF.
    std::string crlf;
    for (char c : expected)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(report, crlf);
    EXPECT_TRUE(report.ends_with("frequency is 142.6MHz and K is 0.951\r\n"));
}

TEST(Report, The144MHzDesignStoresItsValues)
{
    DesignState s;
    Calculated(Entry144(), s);
    EXPECT_NEAR(s.WaveLength, 2080.444, 0.0005);
    EXPECT_NEAR(s.DipoleLength, 980.04, 0.005);
    EXPECT_NEAR(s.FoldedLength, 999.64, 0.005);
    EXPECT_NEAR(s.ReflLength, 1016.41, 0.005);
    EXPECT_NEAR(s.RadiatorPos, 416.09, 0.005);
    EXPECT_NEAR(s.BoomLength + 30, 4522.55, 0.005);
    EXPECT_NEAR(s.DirBoomPos[8], 4492.6 - 30, 0.05);
    EXPECT_NEAR(s.DirSpacing[1], 156.0, 0.05);
    EXPECT_EQ(s.DirLength[9], 0);
    EXPECT_EQ(s.FoldedTipToTip, s.FoldedLength);
    EXPECT_DOUBLE_EQ(s.FoldedStraight, s.FoldedLength - 50);
    EXPECT_EQ(s.FoldedBendDiam, 50);
    EXPECT_EQ(FormatFixed(BeamwidthFromGain(GainVK3AUU(s.DirBoomPos[8], s.WaveLength)), 6, 2),
              "41.09");
    EXPECT_EQ(FormatFixed(LengthTolerance(s.WaveLength), 6, 2), "6.24");
}

TEST(Report, BondedMountingAddsTheBoomCorrection)
{
    DesignEntry e = Entry144();
    e.ElementMounting = Mounting::Bonded;
    e.DipoleMounting = DipoleMount::SameAsDirectors;
    DesignState none, bonded, insulated;
    Calculated(Entry144(), none);
    const std::string r = Calculated(e, bonded);
    e.ElementMounting = Mounting::Insulated;
    Calculated(e, insulated);

    const double lambda = bonded.WaveLength;
    EXPECT_NEAR(BoomCorrection(25 / lambda, 'Y'), 0.0035353, 5e-8);
    EXPECT_DOUBLE_EQ(BoomCorrection(25 / lambda, 'I'), BoomCorrection(25 / lambda, 'Y') / 2);
    EXPECT_EQ(BoomCorrection(25 / lambda, 'N'), 0);
    for (int n = 1; n <= 8; ++n) {
        EXPECT_NEAR(bonded.DirLength[n] - none.DirLength[n], 7.35, 0.005);
        EXPECT_NEAR(insulated.DirLength[n] - none.DirLength[n], 7.35 / 2, 0.005);
        EXPECT_EQ(bonded.DirSpacing[n], none.DirSpacing[n]);
    }
    EXPECT_NEAR(bonded.ReflLength, 1023.77, 0.005);
    EXPECT_EQ(bonded.DipoleLength, none.DipoleLength);
    EXPECT_EQ(FormatFixed(bonded.FoldedLength, 6, 2), "1007.14");
    EXPECT_EQ(Line(r, "Parasitic"),
              "Parasitic elements contacting a round section metal boom 25 mm across.");
    EXPECT_EQ(Line(r, "Folded dipole m"), "Folded dipole mounted same as directors and reflector");
    EXPECT_EQ(Line(r, "1\t"), "1\t934.2\t156.0\t602.1\t\t454.5\t4.8\t6.9");
}

TEST(Report, ThickBoomUsesTheLinearCorrection)
{
    const double b = 90 / (299792 / 144.0);
    EXPECT_GT(b, 0.0430);
    EXPECT_DOUBLE_EQ(BoomCorrection(b, 'Y'), 0.666 * b);
    EXPECT_DOUBLE_EQ(BoomCorrection(0.02, 'Y'), 12 * 0.02 * 0.02 + 0.15 * 0.02);
}

TEST(Report, The432MHzTwentyDirectorDesign)
{
    DesignEntry e = Entry144();
    e.Frequency = "432";
    e.Directors = "20";
    e.ElementDiam = e.RadiatorDiam = "6";
    e.ElementMounting = Mounting::Insulated;
    e.DipoleMounting = DipoleMount::SameAsDirectors;
    DesignState s;
    const std::string r = Calculated(e, s);
    EXPECT_NEAR(s.WaveLength, 693.963, 0.0005);
    EXPECT_NEAR(BoomCorrection(25 / s.WaveLength, 'I'), 0.0104887, 5e-8);
    EXPECT_EQ(FormatFixed(s.ReflLength, 6, 2), "344.31");
    EXPECT_EQ(FormatFixed(s.DipoleLength, 6, 2), "324.09");
    EXPECT_EQ(FormatFixed(s.FoldedLength, 6, 2), "337.99");
    EXPECT_EQ(Line(r, "1\t"), "1\t304.2\t52.0\t220.8\t\t139.5\t4.8\t6.9");
    EXPECT_EQ(FormatFixed(s.DirLength[14], 6, 1), "273.2");
    EXPECT_EQ(FormatFixed(s.DirSpacing[14], 6, 1), "274.1");
    EXPECT_EQ(FormatFixed(s.DirBoomPos[14] + 30, 6, 1), "3080.0");
    for (int n = 15; n <= 20; ++n)
        EXPECT_EQ(FormatFixed(s.DirSpacing[n], 6, 1), "277.6") << n;
    EXPECT_EQ(Line(r, "20\t"), "20\t266.5\t277.6\t4745.5\t\t120.5\t15.6\t17.8");
    EXPECT_EQ(FormatFixed(s.BoomLength + 30, 6, 2), "4775.48");
    EXPECT_EQ(Line(r, "The beam"), "The beam's estimated 3dB beamwidth is 26 deg");
    EXPECT_EQ(FormatFixed(BeamwidthFromGain(GainVK3AUU(s.DirBoomPos[20], s.WaveLength)), 6, 1),
              "26.2");
}

TEST(Report, HeadingShowsShapesAndBoomAsTyped)
{
    DesignEntry e = Entry144();
    e.Boom = BoomType::Square;
    e.ElementMounting = Mounting::Bonded;
    e.ElementShape = Shape::Flat;
    e.ElementWidth = "10";
    e.ElementThick = "2";
    e.RadiatorShape = Shape::Square;
    e.RadiatorWidth = " 12 ";
    DesignState s;
    const std::string r = Calculated(e, s);
    EXPECT_EQ(Line(r, "Parasitic"),
              "Parasitic elements contacting a square section metal boom 25 mm across.");
    EXPECT_EQ(Line(r, "Director/"), "Director/reflector strip =10 mm by 2 mm");
    EXPECT_EQ(Line(r, "Radiator "), "Radiator square section = 12  mm");
    e.ElementMounting = Mounting::Insulated;
    e.Boom = BoomType::Round;
    e.ElementShape = Shape::Square;
    EXPECT_EQ(Line(Calculated(e, s), "Parasitic"),
              "Parasitic elements insulated through a round section metal boom 25 mm across.");
    EXPECT_EQ(Line(Calculated(e, s), "Director/"), "Director/reflector square section =10 mm");
}

TEST(Report, NoDirectors)
{
    DesignEntry e = Entry144();
    e.Directors = "0";
    DesignState s;
    const std::string r = Calculated(e, s);
    EXPECT_NE(r.find("(dBi)\r\n\r\nCOMMENTS\r\n"), std::string::npos);
    EXPECT_DOUBLE_EQ(s.BoomLength, s.RadiatorPos + 30);
    // The beamwidth comes from the gain at the radiator, never from an earlier design.
    const double expected = BeamwidthFromGain(GainVK3AUU(s.RadiatorPos, s.WaveLength));
    EXPECT_EQ(Line(r, "The beam"),
              "The beam's estimated 3dB beamwidth is " + FormatFixed(expected, 6, 0) + " deg");
}

TEST(Report, HundredDirectors)
{
    DesignEntry e = Entry144();
    e.Directors = "100";
    DesignState s;
    const std::string r = Calculated(e, s);
    int rows = 0;
    for (const std::string& l : Lines(r))
        rows += !l.empty() && l[0] >= '1' && l[0] <= '9' && l.find('\t') != std::string::npos;
    EXPECT_EQ(rows, 100);
    EXPECT_EQ(FormatFixed(s.DirSpacing[100], 6, 1), FormatFixed(0.4 * s.WaveLength, 6, 1));
    EXPECT_NE(Line(r, "100\t"), "<no line 100\t>");
    EXPECT_DOUBLE_EQ(s.BoomLength, s.DirBoomPos[100] + 30);
}

TEST(Report, RunningTwiceGivesTheSameReport)
{
    DesignState s;
    NoteCoax(s, 37);
    const std::string first = Calculated(Entry144(), s);
    EXPECT_EQ(Report(s), first);
}

TEST(Report, ArithmeticFaultsKeepThePartialReport)
{
    // Calculate refuses these; the engine meets them with a fault.
    DesignState s;
    YagiDoCalculate(Entry144(), s);
    s.ElementDiam = 0;
    std::string r;
    try {
        Yagidimensions(s, r);
        ADD_FAILURE();
    } catch (const ArithmeticError& err) {
        EXPECT_STREQ(err.what(), "Floating point division by zero");
    }
    EXPECT_EQ(r.rfind("Radiator diam =10 mm\r\n\r\n"), r.size() - 24);

    YagiDoCalculate(Entry144(), s);
    s.BendDiam = 0;
    EXPECT_THROW(Yagidimensions(s, r), ArithmeticError);
    EXPECT_EQ(r.substr(r.size() - 28), "FOLDED DIPOLE CONSTRUCTION\r\n");

    YagiDoCalculate(Entry144(), s);
    s.ElementDiam = -7; // Calculate refuses it; the engine meets it with a fault
    try {
        Yagidimensions(s, r);
        ADD_FAILURE();
    } catch (const ArithmeticError& err) {
        EXPECT_STREQ(err.what(), "Invalid floating point operation");
    }
}

TEST(InsertTo, HalfMillimetresRoundToEven)
{
    EXPECT_EQ(InsertTo(926.5, 25), 463 - 12.5);
    EXPECT_EQ(InsertTo(927.5, 25), 464 - 12.5);
    EXPECT_EQ(InsertTo(926.9, 25), 451.0);
}

struct KCase {
    long long b;
    const char* k;
};
void PrintTo(const KCase& c, std::ostream* os)
{
    *os << "B=" << c.b;
}
class FindKTest : public ::testing::TestWithParam<KCase> {};
TEST_P(FindKTest, FlatPlaneFactor)
{
    EXPECT_EQ(FormatFixed(FindK(GetParam().b), 8, 7), GetParam().k) << GetParam().b;
}
INSTANTIATE_TEST_SUITE_P(Table, FindKTest,
                         ::testing::Values(KCase{10, "0.9200000"}, KCase{12, "0.9260000"},
                                           KCase{14, "0.9320000"}, KCase{20, "0.9509000"},
                                           KCase{21, "0.9436000"}, KCase{75, "0.9639196"},
                                           KCase{76, "0.9658915"}, KCase{100, "0.9689803"},
                                           KCase{101, "0.9651310"}, KCase{200, "0.9681307"},
                                           KCase{201, "0.9751350"}, KCase{10001, "0.9800000"}),
                         [](const auto& info) { return "RatioOf" + std::to_string(info.param.b); });

TEST(FoldedDipole, RatioBelowTenIsOutOfRange)
{
    DesignState s;
    s.FoldedLength = 990;
    s.BendDiam = 100;
    s.FeedGap = 10;
    std::string r;
    FoldedDipoleDetails(s, r);
    EXPECT_EQ(r.substr(r.size() - 82),
              " then its resonant frequency is less than the flat plane algorithm's range of 10:1");
    s.BendDiam = 990 / 12.5;
    r.clear();
    FoldedDipoleDetails(s, r);
    EXPECT_NE(r.find("K is 0.926\r\n"), std::string::npos);
    s.BendDiam = 990 / 13.5;
    r.clear();
    FoldedDipoleDetails(s, r);
    EXPECT_NE(r.find("K is 0.932\r\n"), std::string::npos);
}

TEST(BalunLine, NamesTheCoaxOrNothing)
{
    DesignState s;
    s.DesignFreq = 144.1;
    EXPECT_EQ(BalunLine(s), "");
    NoteCoax(s, 37);
    s.BalunLength = 299792 / 144.1 * 0.66 / 2;
    EXPECT_EQ(BalunLine(s), "A half wave 4:1 balun uses 0.66 velocity factor RG-213 (PE)  and is "
                            "687 mm long plus leads\r\n");
    NoteCoax(s, kUserCoaxIndex, "0.82");
    EXPECT_NE(BalunLine(s).find("velocity factor coax and is"), std::string::npos);
    EXPECT_EQ(s.CoaxName, "coax");
    NoteCoax(s, kUserCoaxIndex, "1.2");
    EXPECT_EQ(BalunLine(s), "");
    EXPECT_EQ(s.CoaxName, "coax");
}

TEST(PrintResults, FramesTheReportWithBlankLinesAndTheSketchAsOneBlockUnderItsHeading)
{
    const std::vector<std::string> printed = ReportPrintLines({"TAVORA", "", "a long paragraph"});
    ASSERT_EQ(printed.size(), 3u + 3u + 2u);
    EXPECT_EQ(printed[0] + printed[1] + printed[2], "");
    EXPECT_EQ(printed[3], "TAVORA");
    EXPECT_EQ(printed[5], "a long paragraph");
    EXPECT_EQ(printed[6], "");
    EXPECT_EQ(printed[7], "Folded dipole measuring points\r\n"
                          "\t   B               C              D\r\n"
                          "\t  /--------------|-------------\\\r\n"
                          "\tA                                      E\r\n"
                          "\t  \\-------------| |-------------/\r\n"
                          "\t   I               H G            F");
}

TEST(BalunLine, WithoutCoaxTheFoldedSectionFollowsTheBeamwidth)
{
    DesignState s;
    const std::string r = Calculated(Entry144(), s);
    EXPECT_NE(r.find(" deg\r\n\r\nFOLDED DIPOLE CONSTRUCTION\r\n"), std::string::npos);
}

} // namespace
