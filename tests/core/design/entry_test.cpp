#include "design/entry.h"
#include "design/report.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tavora;

namespace {


struct BandCase {
    const char* freq;
    const char *gap, *bend, *radiator, *element, *boom;
};
// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const BandCase& c, std::ostream* os) { *os << c.freq << " MHz"; }

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
    EXPECT_EQ(e.RadiatorThick, "2");
    EXPECT_EQ(e.ElementThick, "2");
    EXPECT_EQ(e.BoomSection, c.boom);
    EXPECT_EQ(e.Directors, "17");
}

INSTANTIATE_TEST_SUITE_P(Bands, BandDefaults,
                         ::testing::Values(BandCase{"144.1", "15", "50", "10", "7", "25"},
                                           BandCase{"200", "15", "50", "10", "7", "25"},
                                           BandCase{"432", "10", "35", "6", "6", "25"},
                                           BandCase{"1000", "5", "25", "4", "4", "15"},
                                           BandCase{"1296", "5", "25", "4", "4", "15"}),
                         [](const auto& info) { return "At" + std::to_string(info.index) + "_" +
                                                       std::string(info.param.freq).substr(0, 3) + "MHz"; });

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
    EXPECT_EQ(e.Boom, BoomType::Round);          // past the end: the last item
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

TEST(Calculate, ZeroFrequencyDividesByZeroAtTheBalunLength)
{
    DesignEntry e = FormDefaults();
    e.Frequency = "0";
    DesignState s;
    try {
        YagiDoCalculate(e, s);
        ADD_FAILURE();
    } catch (const ArithmeticError& err) {
        EXPECT_STREQ(err.what(), "Floating point division by zero");
    }
    EXPECT_EQ(s.FeedGap, 15); // everything before the balun length was converted
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

struct Refusal {
    const char* name;
    std::string DesignEntry::*box;
    const char* text;
    Shape shape;
    const char* message;
};
void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class ImpossibleEntries : public ::testing::TestWithParam<Refusal> {};

TEST_P(ImpossibleEntries, AreRefusedNamingTheBox)
{
    const Refusal& r = GetParam();
    DesignEntry e = FormDefaults();
    e.ElementShape = e.RadiatorShape = r.shape;
    e.*r.box = r.text;
    DesignState s;
    try {
        YagiDoCalculate(e, s);
        ADD_FAILURE();
    } catch (const Error& err) {
        EXPECT_STREQ(err.what(), r.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Calculate, ImpossibleEntries,
    ::testing::Values(
        Refusal{"NegativeFrequency", &DesignEntry::Frequency, "-5", Shape::Round,
                "Frequency in MHz cannot be negative"},
        Refusal{"NegativeBoom", &DesignEntry::BoomSection, "-25", Shape::Round,
                "Cross-section of boom mm cannot be negative"},
        Refusal{"NegativeDirectorDiameter", &DesignEntry::ElementDiam, "-7", Shape::Round,
                "Diameter of element (mm) of the directors/reflector cannot be negative"},
        Refusal{"NegativeDirectorWidth", &DesignEntry::ElementWidth, "-7", Shape::Square,
                "Width of element (mm) of the directors/reflector cannot be negative"},
        Refusal{"NegativeRibbonThickness", &DesignEntry::RadiatorThick, "-2", Shape::Flat,
                "Thickness of element (mm) of the dipole cannot be negative"},
        Refusal{"NegativeRadiatorDiameter", &DesignEntry::RadiatorDiam, "-10", Shape::Round,
                "Diameter of element (mm) of the dipole cannot be negative"},
        Refusal{"NegativeBend", &DesignEntry::BendDiam, "-50", Shape::Round,
                "Diameter of dipole bend mm cannot be negative"},
        Refusal{"NegativeGap", &DesignEntry::FeedGap, "-15", Shape::Round,
                "Dipole gap at feed point mm cannot be negative"},
        // 100 GHz with 7 mm elements: a dipole of -0.7 mm.
        Refusal{"ElementsTooThick", &DesignEntry::Frequency, "100000", Shape::Round,
                "The elements are too thick for this frequency: their lengths come out zero "
                "or negative"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculate, HiddenNegativeSizesAndZerosAreNotRefused)
{
    DesignEntry e = FormDefaults();
    e.ElementWidth = "-7"; // hidden behind the round shape
    e.BoomSection = "0";
    e.FeedGap = "0";
    DesignState s;
    EXPECT_NO_THROW(YagiDoCalculate(e, s));
    EXPECT_TRUE(ElementLengthsPositive(s));
}

} // namespace
