// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/cut_list.h"

#include "design/entry.h"
#include "design/report.h"
#include "state/numbers.h"

#include <gtest/gtest.h>

using namespace tavora;

namespace {

// The worked example: the entry screen's defaults with a 10 mm feed gap.
DesignState Worked(const char* directors = "8", const char* band = nullptr)
{
    DesignEntry e = FormDefaults();
    if (band != nullptr) {
        e.Frequency = band;
        ApplyBandDefaults(e);
    }
    e.FeedGap = "10";
    e.Directors = directors;
    DesignState s;
    YagiDoCalculate(e, s);
    std::string report;
    Yagidimensions(s, report);
    return s;
}

// A small CSV reader: quoted fields with doubled quotes, LF line ends.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"')
            rows.back().back() += text[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            rows.back().emplace_back();
        else if (!quoted && c == '\n')
            rows.emplace_back(1);
        else
            rows.back().back() += c;
    }
    rows.pop_back(); // after the last line end
    return rows;
}

} // namespace

TEST(CutList, LengthTexts)
{
    struct Case {
        double mm;
        CutUnit unit;
        char sep;
        const char* text;
        CutFraction fraction = CutFraction::SixtyFourth;
    };
    const Case cases[] = {
        {1016.44, CutUnit::Millimetre, '.', "1016.4"},
        {1016.44, CutUnit::Millimetre, ',', "1016,4"},
        {25.4, CutUnit::Inch, '.', "1 (1.000)"},
        {12.7, CutUnit::Inch, '.', "1/2 (0.500)"},
        {6, CutUnit::Inch, ',', "15/64 (0,236)"},
        {1016.44, CutUnit::Inch, '.', "40 1/64 (40.017)"},
        {0.1, CutUnit::Inch, '.', "0 (0.004)"},
        {-12.7, CutUnit::Inch, '.', "-1/2 (-0.500)"},
        {25.35, CutUnit::Inch, '.', "1 (0.998)"}, // rounds up into the next whole inch
        {1016.44, CutUnit::Inch, '.', "40 1/32 (40.017)", CutFraction::ThirtySecond},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CutLength(c.mm, c.unit, c.sep, c.fraction), c.text) << c.mm;
}

TEST(CutList, RowsHoldTheReportsValues)
{
    const CutList list = MakeCutList(Worked(), CutUnit::Millimetre, CutDipole::Folded);
    ASSERT_EQ(list.rows.size(), 10u); // reflector, dipole, 8 directors
    using Row = std::vector<std::string>;
    EXPECT_EQ(list.rows[0], (Row{"Reflector", "1016.4", "30.0", "495.5", "7.0"}));
    EXPECT_EQ(list.rows[1], (Row{"Folded dipole", "999.6", "446.1", "487.5", "10.0"}));
    EXPECT_EQ(list.rows[2], (Row{"Director 1", "926.9", "602.1", "451.0", "7.0"}));
    EXPECT_EQ(list.summary.front().second, "144.10 MHz");
    EXPECT_EQ(list.rodRows.size(), 10u);
    EXPECT_EQ(list.rodRows.front(), (Row{"Tip to tip", "999.6"}));

    const DesignState none = Worked("0");
    const CutList single = MakeCutList(none, CutUnit::Inch, CutDipole::Single);
    ASSERT_EQ(single.rows.size(), 2u);
    EXPECT_EQ(single.rows[1][0], "Dipole");
    EXPECT_EQ(single.rows[1][2], InchFraction(none.DipoleLength, CutFraction::SixtyFourth));
    EXPECT_TRUE(single.rodRows.empty());
    EXPECT_EQ(single.columns[1], "Length (in)");
    EXPECT_EQ(single.columns[2], "Length to 1/64 (in)");
}

// A spreadsheet adds up the inch list's number columns: their sums are the
// millimetre list's within 1/128 inch a row.
class InchNumbers
    : public ::testing::TestWithParam<std::tuple<const char*, const char*, CutDipole>> {};

TEST_P(InchNumbers, AddUpToTheMillimetreTotal)
{
    const auto [band, directors, dipole] = GetParam();
    const DesignState s = Worked(directors, band);
    const CutList mm = MakeCutList(s, CutUnit::Millimetre, dipole);
    const CutList inch = MakeCutList(s, CutUnit::Inch, dipole, ',');
    ASSERT_EQ(inch.columns.size(), 2 * mm.columns.size() - 1);
    for (size_t c = 1; c < mm.columns.size(); ++c) {
        double inches = 0, mms = 0;
        for (size_t r = 0; r < mm.rows.size(); ++r) {
            inches += StrToFloat(inch.rows[r][2 * c - 1], ',');
            mms += StrToFloat(mm.rows[r][c]);
        }
        EXPECT_NEAR(inches * 25.4, mms, static_cast<double>(mm.rows.size()) * 25.4 / 128)
            << mm.columns[c];
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, InchNumbers,
                         ::testing::Values(std::make_tuple("50", "3", CutDipole::Single),
                                           std::make_tuple("144.1", "8", CutDipole::Folded),
                                           std::make_tuple("432", "20", CutDipole::Single),
                                           std::make_tuple("1296", "16", CutDipole::Folded)));

TEST(CutList, CsvReadsBackAsTheSameRowsOneTableAFile)
{
    for (const char sep : {'.', ','}) {
        const CutList list = MakeCutList(Worked(), CutUnit::Inch, CutDipole::Folded, sep);
        const CsvTables csv = CutListCsv(list);
        ASSERT_EQ(csv.size(), 2u);
        std::vector<std::vector<std::string>> elements{list.columns}, rod{list.rodColumns};
        elements.insert(elements.end(), list.rows.begin(), list.rows.end());
        rod.insert(rod.end(), list.rodRows.begin(), list.rodRows.end());
        EXPECT_EQ(ReadCsv(csv[0].text), elements) << sep;
        EXPECT_EQ(ReadCsv(csv[1].text), rod) << sep;
    }
    EXPECT_EQ(CutListCsv(MakeCutList(Worked(), CutUnit::Inch, CutDipole::Single)).size(), 1u);
    EXPECT_EQ(CsvTablePath("out.csv", "rod"), "out-rod.csv");
    EXPECT_EQ(CsvTablePath("dir.csv/out", "rod"), "dir.csv/out-rod.csv");
}

TEST(CutList, UnitsAsTheDataFileKeepsThem)
{
    EXPECT_EQ(CutUnitFromText(CutUnitText(CutUnit::Inch)), CutUnit::Inch);
    EXPECT_EQ(CutUnitFromText(CutUnitText(CutUnit::Millimetre)), CutUnit::Millimetre);
    EXPECT_EQ(CutUnitFromText("x"), CutUnit::Millimetre);
}
