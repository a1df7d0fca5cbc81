// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/entry.h"
#include "design/report.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

using namespace tavora;

namespace {

struct BandCase {
    const char* freq;
    const char *gap, *bend, *radiator, *element, *boom, *thick = "2";
};
// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const BandCase& c, std::ostream* os)
{
    *os << c.freq << " MHz";
}

class BandDefaults : public ::testing::TestWithParam<BandCase> {};

TEST_P(BandDefaults, RewriteTheNineSizeBoxes)
{
    const BandCase& c = GetParam();
    DesignEntry e = FormDefaults();
    e.Directors = "17";
    e.Frequency = c.freq;
    ApplyBandDefaults(e);
    EXPECT_EQ(e.FeedGap, c.gap);
    EXPECT_EQ(e.BendDiam, c.bend);
    EXPECT_EQ(e.RadiatorDiam, c.radiator);
    EXPECT_EQ(e.RadiatorWidth, c.radiator);
    EXPECT_EQ(e.ElementDiam, c.element);
    EXPECT_EQ(e.ElementWidth, c.element);
    EXPECT_EQ(e.RadiatorThick, c.thick);
    EXPECT_EQ(e.ElementThick, c.thick);
    EXPECT_EQ(e.BoomSection, c.boom);
    EXPECT_EQ(e.Directors, "17");
}

INSTANTIATE_TEST_SUITE_P(Bands, BandDefaults,
                         ::testing::Values(BandCase{"144.1", "15", "50", "10", "7", "25"},
                                           BandCase{"200", "15", "50", "10", "7", "25"},
                                           BandCase{"432", "10", "35", "6", "6", "25"},
                                           BandCase{"1000", "5", "25", "4", "4", "15"},
                                           BandCase{"1296", "5", "25", "4", "4", "15"},
                                           BandCase{"1600", "5", "25", "4", "4", "8"},
                                           BandCase{"2320", "5", "25", "4", "4", "8"},
                                           BandCase{"2900", "3", "8", "2", "2", "5", "1"},
                                           BandCase{"5760", "2", "4", "1", "1", "3", "0.5"},
                                           BandCase{"10368", "1", "3", "1", "1", "2", "0.5"}),
                         [](const auto& info) {
                             return "At" + std::to_string(info.index) + "_" +
                                    std::string(info.param.freq).substr(0, 3) + "MHz";
                         });

TEST(BandDefaultsText, SizesBelowAMillimetreTakeTheUsersSeparator)
{
    DesignEntry e = FormDefaults();
    e.Frequency = "5760";
    ApplyBandDefaults(e, ',');
    EXPECT_EQ(e.ElementThick, "0,5");
}

TEST(BandDefaultsText, NotANumberWritesTheLowestBandThenFails)
{
    DesignEntry e = FormDefaults();
    e.Frequency = "abc";
    e.FeedGap = "99";
    try {
        ApplyBandDefaults(e);
        ADD_FAILURE();
    } catch (const ConversionError& err) {
        EXPECT_STREQ(err.what(), "'abc' is not a valid floating point value");
    }
    EXPECT_EQ(e.FeedGap, "15");
    EXPECT_EQ(e.BendDiam, "50");
}

TEST(ChoiceString, GetValuesAndSaveValues)
{
    DesignEntryTexts t = DesignState().DesignEntry;
    // The first opening shows the form's own choices and sizes.
    DesignEntry e = GetValues(t);
    EXPECT_EQ(e.Boom, BoomType::Round);
    EXPECT_EQ(e.ElementMounting, Mounting::NonMetal);
    EXPECT_EQ(e.DipoleMounting, DipoleMount::FullyInsulated);
    EXPECT_EQ(SaveValues(e), t);
    EXPECT_EQ(t[11], "12001");
    EXPECT_EQ(e.ElementWidth, "7");
    EXPECT_EQ(e.ElementThick, "2");
    EXPECT_EQ(e.RadiatorThick, "2");

    t[11] = ""; // empty choices (an old data file) select every first item
    e = GetValues(t);
    EXPECT_EQ(e.Boom, BoomType::Square);
    EXPECT_EQ(e.ElementMounting, Mounting::Bonded);
    EXPECT_EQ(e.DipoleMounting, DipoleMount::SameAsDirectors);
    EXPECT_EQ(SaveValues(e)[11], "00000");

    t[11] = "9x2";
    e = GetValues(t);
    EXPECT_EQ(e.Boom, BoomType::Round);             // past the end: the last item
    EXPECT_EQ(e.ElementMounting, Mounting::Bonded); // not a digit: the first
    EXPECT_EQ(e.RadiatorShape, Shape::Flat);
    EXPECT_EQ(e.ElementShape, Shape::Round);

    e = FormDefaults();
    e.ElementMounting = Mounting::Insulated;
    e.RadiatorShape = Shape::Square;
    e.ElementShape = Shape::Flat;
    DesignState s;
    e.ElementWidth = "10";
    YagiDoCalculate(e, s);
    EXPECT_EQ(s.DesignEntry[11], "11121");
    EXPECT_EQ(GetValues(s.DesignEntry).ElementShape, Shape::Flat);
}

TEST(Coax, ListItemsGiveFactorNameAndStatus)
{
    ASSERT_EQ(CoaxList().size(), 46u);
    DesignState s;
    EXPECT_EQ(NoteCoax(s, 37), "RG-213 (PE)  4:1 balun");
    EXPECT_EQ(s.VelocityFactor, 0.66);
    EXPECT_EQ(s.CoaxName, "RG-213 (PE) ");

    EXPECT_EQ(NoteCoax(s, 42), "9913 (air PE)  4:1 balun");
    EXPECT_EQ(s.VelocityFactor, 0.84);
    EXPECT_EQ(s.CoaxName, "9913 (air PE) ");

    EXPECT_EQ(CoaxNameOf("RG-55 (PE) 53.5 ohm"), "RG-55 (PE) ");

    EXPECT_EQ(NoteCoax(s, kUserCoaxIndex, "0.82"), "4:1 balun uses velocity factor of 0.82");
    EXPECT_EQ(s.VelocityFactor, 0.82);
    EXPECT_EQ(s.CoaxName.rfind("USER", 0), 0u);
    EXPECT_EQ(NoteCoax(s, kUserCoaxIndex, "1.2"), "Velocity factor not in range");
    EXPECT_EQ(s.VelocityFactor, 1.2);
    EXPECT_EQ(NoteCoax(s, kUserCoaxIndex, "1"), "4:1 balun uses velocity factor of 1");
    EXPECT_EQ(NoteCoax(s, kUserCoaxIndex, "0"), "Velocity factor not in range");
}

TEST(Coax, AnswerThatIsNotANumberKeepsNameAndClearsFactor)
{
    DesignState s;
    NoteCoax(s, 37);
    EXPECT_THROW(NoteCoax(s, kUserCoaxIndex, "fast"), ConversionError);
    EXPECT_EQ(s.VelocityFactor, 0);
    EXPECT_EQ(s.CoaxName, "RG-213 (PE) ");
}

TEST(Calculate, ShapesAndBoomGiveEquivalentDiameters)
{
    EXPECT_NEAR(static_cast<double>(FlatStripDiameter("10", "2")), 6.712, 1e-12);
    EXPECT_THROW(FlatStripDiameter("0", "2"), ArithmeticError);

    DesignEntry e = FormDefaults();
    e.ElementShape = Shape::Square;
    e.ElementWidth = "10";
    e.RadiatorShape = Shape::Flat;
    e.RadiatorWidth = "10";
    e.RadiatorThick = "2";
    e.Boom = BoomType::Square;
    DesignState s;
    NoteCoax(s, 37);
    YagiDoCalculate(e, s);
    EXPECT_DOUBLE_EQ(s.ElementDiam, 11.8);
    EXPECT_NEAR(s.RadiatorDiam, 6.712, 1e-12);
    EXPECT_DOUBLE_EQ(s.BoomDiam, 29.5);
    EXPECT_EQ(s.BoomSize, 25);
    EXPECT_TRUE(s.BoomSquare);
    EXPECT_EQ(s.Mounting, 'N');
    EXPECT_EQ(s.DipoleMounting, 1);
    EXPECT_EQ(s.ElementWidthText, "10");
    EXPECT_EQ(s.RadiatorThickText, "2");
    EXPECT_NEAR(s.BalunLength, 686.55, 0.005);
    EXPECT_DOUBLE_EQ(s.BalunLength, 299792 / 144.1 * 0.66 / 2);
}

TEST(Calculate, FailingConversionStopsButKeepsEarlierMembers)
{
    DesignEntry e = FormDefaults();
    e.Frequency = "432";
    e.BoomSection = "wide";
    DesignState s;
    try {
        YagiDoCalculate(e, s);
        ADD_FAILURE();
    } catch (const ConversionError& err) {
        EXPECT_STREQ(err.what(), "'wide' is not a valid floating point value");
    }
    EXPECT_EQ(s.DesignFreq, 432);
    EXPECT_EQ(s.DirCount, 8);
    EXPECT_EQ(s.Mounting, '\0'); // set after the boom

    // Hidden boxes are converted whatever the shape; empty ones fail.
    e = FormDefaults();
    e.ElementShape = Shape::Flat;
    e.ElementThick = "";
    EXPECT_THROW(YagiDoCalculate(e, s), ConversionError);
    e = FormDefaults();
    e.Directors = "8.5";
    EXPECT_THROW(YagiDoCalculate(e, s), ConversionError);
}

TEST(Calculate, RefusesADirectorCountOutside0To100)
{
    for (const char* count : {"101", "-1", "1000"}) {
        DesignEntry e = FormDefaults();
        e.Directors = count;
        DesignState s;
        s.DirCount = 5;
        try {
            YagiDoCalculate(e, s);
            ADD_FAILURE() << count;
        } catch (const Error& err) {
            EXPECT_STREQ(err.what(), "Number of directors must be from 0 to 100");
        }
        EXPECT_EQ(s.DirCount, 5);
        EXPECT_EQ(s.ElementDiam, 0);
    }
    for (const char* count : {"0", "100"}) {
        DesignEntry e = FormDefaults();
        e.Directors = count;
        DesignState s;
        EXPECT_NO_THROW(YagiDoCalculate(e, s));
    }
}

TEST(Calculate, FirstOpeningCalculatesWhicheverShapeIsChosen)
{
    for (Shape shape : {Shape::Round, Shape::Square, Shape::Flat}) {
        DesignEntry e = FormDefaults();
        e.ElementShape = e.RadiatorShape = shape;
        e.Boom = BoomType::Square;
        DesignState s;
        EXPECT_NO_THROW(YagiDoCalculate(e, s)) << static_cast<int>(shape);
    }
}

// A design a builder cannot make, from the defaults of the worked example.
struct Refusal {
    const char* name;
    std::vector<std::pair<std::string DesignEntry::*, const char*>> boxes;
    const char* message;
    Shape shape = Shape::Round;
    Mounting mounting = Mounting::NonMetal;
};
void PrintTo(const Refusal& r, std::ostream* os)
{
    *os << r.name;
}

class ImpossibleEntries : public ::testing::TestWithParam<Refusal> {};

TEST_P(ImpossibleEntries, AreRefusedNamingTheBoxAndWhatIsAllowed)
{
    const Refusal& r = GetParam();
    DesignEntry e = FormDefaults();
    e.Boom = BoomType::Round;
    e.ElementShape = e.RadiatorShape = r.shape;
    e.ElementMounting = r.mounting;
    e.ElementWidth = e.ElementThick = e.RadiatorWidth = e.RadiatorThick = "4";
    for (const auto& [box, text] : r.boxes)
        e.*box = text;
    DesignState s;
    try {
        YagiDoCalculate(e, s);
        ADD_FAILURE();
    } catch (const BoxRefusal& err) {
        EXPECT_STREQ(err.what(), r.message);
        EXPECT_EQ(std::string(err.what()).rfind(err.box(), 0), 0u) << "names its box first";
    }
}

using D = DesignEntry;
INSTANTIATE_TEST_SUITE_P(
    Calculate, ImpossibleEntries,
    ::testing::Values(
        Refusal{
            "NegativeFrequency", {{&D::Frequency, "-5"}}, "Frequency in MHz cannot be negative"},
        Refusal{"NegativeBoom",
                {{&D::BoomSection, "-25"}},
                "Cross-section of boom mm cannot be negative"},
        Refusal{"NegativeDirectorDiameter",
                {{&D::ElementDiam, "-7"}},
                "Diameter of element (mm) of the directors/reflector cannot be negative"},
        Refusal{"NegativeDirectorWidth",
                {{&D::ElementWidth, "-7"}},
                "Width of element (mm) of the directors/reflector cannot be negative",
                Shape::Square},
        Refusal{"NegativeRibbonThickness",
                {{&D::RadiatorThick, "-2"}},
                "Thickness of element (mm) of the dipole cannot be negative",
                Shape::Flat},
        Refusal{"NegativeRadiatorDiameter",
                {{&D::RadiatorDiam, "-10"}},
                "Diameter of element (mm) of the dipole cannot be negative"},
        Refusal{"NegativeBend",
                {{&D::BendDiam, "-50"}},
                "Diameter of dipole bend mm cannot be negative"},
        Refusal{"NegativeGap",
                {{&D::FeedGap, "-15"}},
                "Dipole gap at feed point mm cannot be negative"},
        Refusal{
            "BoomWiderThanAnElementLeavesNoInsertTo",
            {{&D::BoomSection, "5000"}},
            "Cross-section of boom mm must be below 875 mm, the length of the shortest element"},
        Refusal{
            "AnEnormousBoom",
            {{&D::BoomSection, "1e300"}},
            "Cross-section of boom mm must be below 875 mm, the length of the shortest element"},
        Refusal{"AVanishingElement",
                {{&D::ElementDiam, "1e-300"}},
                "Diameter of element (mm) of the directors/reflector must be from 0.416 to 83.2 mm "
                "at 144.1 MHz (0.0002 to 0.04 wavelength)"},
        Refusal{"ElementsTooThickForTheBand",
                {{&D::ElementDiam, "300"}},
                "Diameter of element (mm) of the directors/reflector must be from 0.416 to 83.2 mm "
                "at 144.1 MHz (0.0002 to 0.04 wavelength)"},
        Refusal{"ASquareRadiatorTooThick",
                {{&D::RadiatorWidth, "80"}},
                "Width of element (mm) of the dipole must be from 0.353 to 70.5 mm at 144.1 MHz "
                "(0.0002 to 0.04 wavelength)",
                Shape::Square},
        Refusal{"ABendPastTheDipole",
                {{&D::BendDiam, "2000"}},
                "Diameter of dipole bend mm must be below 985 mm, to leave a straight on the "
                "folded dipole of 1000 mm"},
        Refusal{"AGapPastTheDipole",
                {{&D::FeedGap, "3000"}},
                "Dipole gap at feed point mm must be below 950 mm, to leave a straight on the "
                "folded dipole of 1000 mm"},
        Refusal{"ABendTighterThanTheRod",
                {{&D::BendDiam, "0.5"}},
                "Diameter of dipole bend mm must be at least 20 mm, twice the diameter of the "
                "dipole's rod"},
        Refusal{"NoGap", {{&D::FeedGap, "0"}}, "Dipole gap at feed point mm box empty or zero!"},
        Refusal{"NoBend", {{&D::BendDiam, "0"}}, "Diameter of dipole bend mm box empty or zero!"},
        Refusal{"AStripOfNoThickness",
                {{&D::ElementThick, "0"}},
                "Thickness of element (mm) of the directors/reflector box empty or zero!",
                Shape::Flat},
        Refusal{"NoFrequency", {{&D::Frequency, "0"}}, "Frequency in MHz box empty or zero!"},
        Refusal{"AVanishingFrequency",
                {{&D::Frequency, "1e-300"}},
                "Frequency in MHz must be from 50 to 10500 MHz"},
        Refusal{"AFrequencyPastTheMethod",
                {{&D::Frequency, "30000"}},
                "Frequency in MHz must be from 50 to 10500 MHz"},
        Refusal{"AMetalBoomPastTheBoomCorrection",
                {{&D::BoomSection, "500"}},
                "Cross-section of boom mm must be from 0 to 208 mm at 144.1 MHz (0 to 0.1 "
                "wavelength)",
                Shape::Round,
                Mounting::Bonded},
        Refusal{"TooManyDirectors",
                {{&D::Directors, "101"}},
                "Number of directors must be from 0 to 100"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculate, HiddenNegativeSizesAndANoBoomAreNotRefused)
{
    DesignEntry e = FormDefaults();
    e.ElementWidth = "-7"; // hidden behind the round shape
    e.BoomSection = "0";
    DesignState s;
    EXPECT_NO_THROW(YagiDoCalculate(e, s));
}

// The ends of the range are answered with the band's own sizes, the elements
// through a square metal boom.
TEST(Calculate, TheEndsOfTheFrequencyRangeAreAnswered)
{
    for (const char* f : {"50", "10500"}) {
        DesignEntry e = FormDefaults();
        e.Frequency = f;
        ApplyBandDefaults(e);
        e.ElementMounting = Mounting::Bonded;
        e.Boom = BoomType::Square;
        DesignState s;
        EXPECT_NO_THROW(YagiDoCalculate(e, s)) << f;
    }
}

} // namespace
