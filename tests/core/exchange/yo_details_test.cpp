// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/yo_details.h"

#include "design/report.h"
#include "physics/physics.h"
#include "state/box_names.h"
#include "state/errors.h"
#include "text/format.h"

#include <gtest/gtest.h>

using namespace tavora;

namespace {

// A screen with every box "0" but the ones given.
YoDetails Screen(std::initializer_list<std::pair<int, std::string>> texts)
{
    YoDetails y{DesignState().YoEntry};
    for (const auto& [n, t] : texts)
        y.Text(n) = t;
    return y;
}

// Dipole 980 x 6, reflector 1030 x 6, boom 20: every check passes.
YoDetails Worked(int source, int mounting)
{
    return Screen({{yo::kDipoleLength, "980"},
                   {yo::kDipoleDiam, "6"},
                   {yo::kReflLength, "1030"},
                   {yo::kElementDiam, "6"},
                   {yo::kBoomDiam, "20"},
                   {yo::kFreqSource, std::to_string(source)},
                   {yo::kMounting, std::to_string(mounting)}});
}

} // namespace

struct EstimateCase {
    const char* name;
    int source, mounting;
    const char* frequency;
};
void PrintTo(const EstimateCase& c, std::ostream* os)
{
    *os << c.name;
}

class WorkedEstimate : public testing::TestWithParam<EstimateCase> {};

TEST_P(WorkedEstimate, GivesTheWorkedFrequency)
{
    YoDetails y = Worked(GetParam().source, GetParam().mounting);
    EXPECT_EQ(CalcFfromRef(y), std::nullopt);
    EXPECT_EQ(y.Text(yo::kFrequency), GetParam().frequency);
    EXPECT_TRUE(y.frequencyReadOnly);
}

INSTANTIATE_TEST_SUITE_P(YoDetails, WorkedEstimate,
                         testing::Values(EstimateCase{"SingleRodDipole", 1, 2, "145.0"},
                                         EstimateCase{"FoldedDipole", 2, 2, "147.8"},
                                         EstimateCase{"ReflectorNonMetal", 0, 2, "142.3"},
                                         EstimateCase{"ReflectorThrough", 0, 0, "143.0"},
                                         EstimateCase{"ReflectorInsulated", 0, 1, "142.7"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FrequencyEstimate, ChecksInOrderNamingTheirBox)
{
    struct Case {
        const char* name;
        YoDetails screen;
        BoxMessage expected;
    };
    const Case cases[] = {
        {"all zero", Screen({{yo::kFreqSource, "1"}}), {"Reflector Length box empty or zero!", 39}},
        {"through with no boom", Worked(1, 0), {"Boom Diameter box empty or zero!", 38}},
        {"no dipole diameter",
         Screen({{39, "1030"}, {3, "980"}}),
         {"Dipole Diameter box empty or zero!", 1}},
        {"empty dipole length",
         Screen({{39, "1030"}, {1, "6"}, {3, ""}}),
         {"Dipole length box empty or zero!", 3}},
        {"no element diameter",
         Screen({{39, "1030"}, {1, "6"}, {3, "980"}}),
         {"Reflector Diameter box empty or zero!", 4}},
        // Negative values get the check's own message instead of a fault or a silent end.
        {"negative reflector",
         Screen({{39, "-1030"}, {1, "6"}, {3, "980"}, {4, "6"}, {40, "0"}}),
         {"Reflector Length box empty or zero!", 39}},
        {"negative dipole",
         Screen({{39, "1030"}, {1, "6"}, {3, "-980"}, {4, "6"}, {40, "1"}}),
         {"Dipole length box empty or zero!", 3}},
        {"negative boom",
         Screen({{39, "1030"}, {38, "-20"}, {1, "6"}, {3, "980"}, {4, "6"}, {41, "0"}}),
         {"Boom Diameter box empty or zero!", 38}},
    };
    for (const Case& c : cases) {
        YoDetails y = c.screen;
        if (std::string(c.name) == "through with no boom")
            y.Text(yo::kBoomDiam) = "0";
        EXPECT_EQ(CalcFfromRef(y), c.expected) << c.name;
        EXPECT_EQ(y.Text(yo::kFrequency), "0") << c.name;
        EXPECT_TRUE(y.frequencyReadOnly) << c.name;
    }
}

TEST(FrequencyEstimate, NonMetalNeedsNoBoomAndEstimateOnlyUnlocksTheBox)
{
    YoDetails y = Worked(3, 2);
    y.Text(yo::kBoomDiam) = "";
    EXPECT_EQ(CalcFfromRef(y), std::nullopt);
    EXPECT_FALSE(y.frequencyReadOnly);
    EXPECT_EQ(y.Text(yo::kFrequency), "0");
    y.Text(yo::kFreqSource) = "-1";
    EXPECT_EQ(CalcFfromRef(y), std::nullopt);
    EXPECT_TRUE(y.frequencyReadOnly);
    EXPECT_EQ(y.Text(yo::kFrequency), "0");
}

TEST(FrequencyEstimate, ATextThatIsNoNumberIsAConversionError)
{
    YoDetails y = Worked(1, 2);
    y.Text(yo::kDipoleDiam) = "6x";
    EXPECT_THROW(CalcFfromRef(y), ConversionError);
}

TEST(FrequencySearches, AreBoundedAndReportWhenTheyCannotMeetTheirCondition)
{
    EXPECT_EQ(DipoleSearch(-980, 6), std::nullopt);
    EXPECT_EQ(ReflectorSearch(1030, -6, 0, Mounting::NonMetal), std::nullopt);
    // A length of a thousandth of a millimetre would need 10^11 steps.
    EXPECT_EQ(DipoleSearch(0.001, 6), std::nullopt);
    YoDetails y = Screen({{39, "1030"}, {1, "6"}, {3, "0.001"}, {4, "6"}, {40, "1"}});
    EXPECT_EQ(CalcFfromRef(y), (BoxMessage{kNoFrequencyFound, yo::kDipoleLength}));
    EXPECT_EQ(y.Text(yo::kFrequency), "0");
}

// 2320 MHz, a 10 mm boom, elements insulated through it: the design caps the
// correction at 0.666 b and then halves it; the YO estimate halves it first,
// which keeps it under the cap.
TEST(YoBoomCorrection, AddsMoreThanTheDesignForAThickInsulatedBoom)
{
    const auto designed = [](char mounting) {
        DesignState s;
        s.DesignFreq = 2320;
        s.DirCount = 4;
        s.ElementDiam = s.RadiatorDiam = 4;
        s.BoomDiam = s.BoomSize = 10;
        s.Mounting = mounting;
        s.BendDiam = 25;
        s.FeedGap = 5;
        std::string report;
        Yagidimensions(s, report);
        return s;
    };
    const DesignState insulated = designed('I'), none = designed('N');
    EXPECT_EQ(FormatFixed(insulated.DirLength[4] - none.DirLength[4], 6, 2), "3.33");
    const double w = WaveLength(2320, kLightSpeedYo);
    EXPECT_EQ(FormatFixed(YoBoomCorrection(10 / w, Mounting::Insulated) * w, 6, 2), "5.39");
}

TEST(ConvertChecks, InOrderWithTheirOwnSpelling)
{
    YoEntryTexts e = Worked(0, 0).entries;
    e[36] = "144.1";
    EXPECT_EQ(ConvertChecks(e), std::nullopt);
    const std::pair<int, BoxMessage> steps[] = {
        {39, {"Reflector length box empty or zero!", 39}},
        {38, {"Boom diameter box empty or zero!", 38}},
        {1, {"Dipole Diameter box empty or zero!", 1}},
        {3, {"Dipole length box empty or zero!", 3}},
        {4, {"Director/Reflector diameter box empty or zero!", 4}},
        {37, {"Frequency box empty or zero!", 37}},
    };
    // Emptying the boxes from the last check back, each becomes the first failure.
    for (auto it = std::rbegin(steps); it != std::rend(steps); ++it) {
        e[static_cast<size_t>(it->first - 1)] = it == std::rbegin(steps) ? "" : "-1";
        EXPECT_EQ(ConvertChecks(e), it->second);
    }
    e[38] = "abc";
    EXPECT_THROW(ConvertChecks(e), ConversionError);
}

TEST(ChoiceIndex, ClampsAndRefusesNonWholeNumbers)
{
    EXPECT_EQ(ChoiceIndex("-5", 3), -1);
    EXPECT_EQ(ChoiceIndex("7", 3), 2);
    EXPECT_EQ(ChoiceIndex("1", 3), 1);
    EXPECT_THROW(ChoiceIndex("1.0", 3), ConversionError);
}

namespace {

// Directors 1..5 at increasing distances, rows 6..16 at "0".
YoEntryTexts FiveDirectors()
{
    YoDetails y = Worked(3, 2);
    y.Text(yo::kFrequency) = "144.1";
    y.Text(yo::kDipoleDist) = "400";
    for (int k = 1; k <= 5; ++k) {
        y.Text(yo::DirLengthEntry(k)) = std::to_string(930 - k);
        y.Text(yo::DirDistEntry(k)) = std::to_string(400 + 300 * k);
    }
    return y.entries;
}

} // namespace

TEST(MakeMmana, FillsTheDesignState)
{
    DesignState s;
    s.Mounting = 'Y';
    EXPECT_EQ(MakeMmana(FiveDirectors(), s), std::nullopt);
    EXPECT_EQ(s.DirCount, 5);
    EXPECT_EQ(s.Mounting, 'N');
    EXPECT_DOUBLE_EQ(s.WaveLength, 299793 / 144.1);
    EXPECT_EQ(s.RadiatorPos, 400);
    EXPECT_EQ(s.DirSpacing[1], 300);
    EXPECT_EQ(s.DirSpacing[5], 300);
    EXPECT_EQ(s.DirLength[5], 925);
    EXPECT_EQ(s.ReflLength, 1030);
    EXPECT_EQ(s.DipoleLength, 980);
    EXPECT_EQ(s.ElementDiam, 6);
    EXPECT_EQ(s.RadiatorDiam, 6);
}

TEST(MakeMmana, RefusesWhatCannotBeExported)
{
    struct Case {
        const char* name;
        int entry;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"director 3 at director 2's distance", yo::DirDistEntry(3), "1000", kDirectorMismatch},
        // Row 3 empty between filled rows 2 and 4: it would go out as a director.
        {"a gap at row 3", yo::DirLengthEntry(3), "0", kDirectorMismatch},
        {"a distance with no length after the last director", yo::DirDistEntry(6), "5000",
         kDirectorMismatch},
    };
    for (const Case& c : cases) {
        YoEntryTexts e = FiveDirectors();
        e[static_cast<size_t>(c.entry - 1)] = c.text;
        if (std::string(c.name) == "a gap at row 3")
            e[static_cast<size_t>(yo::DirDistEntry(3) - 1)] = "0";
        DesignState s;
        EXPECT_EQ(MakeMmana(e, s), std::string(c.message)) << c.name;
        EXPECT_EQ(s.Mounting, '\0') << c.name;
    }
}

// Make YO, Make Mmana and Simulate refuse the same boxes, each by its name.
TEST(YoEntries, ImpossibleBoxesAreRefusedNamingTheBox)
{
    const struct {
        int entry;
        const char *text, *message;
    } cases[] = {
        {yo::DirLengthEntry(3), "abc", "Dir 3 Length must be a number, not 'abc'"},
        {yo::kReflLength, "1e-300",
         "Reflector length must be from 520 to 1560 mm at 144.1 MHz (0.25 to 0.75 wavelength)"},
        {yo::kReflLength, "", "Reflector length box empty or zero!"},
        {yo::kReflLength, "1030mm", "Reflector length must be a number, not '1030mm'"},
        {yo::DirLengthEntry(2), "-928", "Dir 2 Length cannot be negative"},
        {yo::kDipoleDist, "-400", "Dipole dist from ref cannot be negative"},
        {yo::kDipoleDist, "0", "Dipole dist from ref box empty or zero!"},
        {yo::kFrequency, "0", "Frequency box empty or zero!"},
        {yo::kFrequency, "1.64886E+305", "Frequency must be from 50 to 10500 MHz"},
        {yo::kElementDiam, "300",
         "Director/Reflector diameter must be from 0.416 to 83.2 mm at 144.1 MHz (0.0002 to 0.04 "
         "wavelength)"},
    };
    for (const auto& c : cases) {
        YoEntryTexts e = FiveDirectors();
        e[static_cast<size_t>(c.entry - 1)] = c.text;
        DesignState s;
        try {
            MakeMmana(e, s);
            ADD_FAILURE() << c.message;
        } catch (const BoxRefusal& r) {
            EXPECT_STREQ(r.what(), c.message);
            EXPECT_EQ(r.box(), YoEntryBox(c.entry));
        }
        EXPECT_EQ(s.Mounting, '\0') << c.message;
    }
    // Rows after the last director may be left empty.
    YoEntryTexts e = FiveDirectors();
    e[static_cast<size_t>(yo::DirDistEntry(9) - 1)] = "";
    EXPECT_NO_THROW(RefuseYoEntries(e));
}

// An estimate past the frequencies the method answers is no fit.
TEST(YoEntries, AnEstimateOutsideTheFrequencyRangeIsNoFit)
{
    YoDetails y = Worked(0, 2);
    y.Text(yo::kReflLength) = "1e-300";
    EXPECT_EQ(CalcFfromRef(y), (BoxMessage{kNoFrequencyFound, yo::kReflLength}));
}
