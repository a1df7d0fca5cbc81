// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/deck.h"
#include "nec/model_builder.h"

#include "core/nec/nec_fixture.h"
#include "design/report.h"
#include "exchange/yo_details.h"
#include "nec/segmentation.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace tavora;
using tavora::test::Designed;
using tavora::test::Recorded;

namespace {

int Lines(const std::string& text, const std::string& prefix)
{
    int n = 0;
    for (size_t at = 0; (at = text.find("\n" + prefix, at)) != std::string::npos; ++at)
        ++n;
    return n;
}

} // namespace

TEST(NecDeck, WorkedExampleGivesTheRecordedDeck)
{
    // 144.1 MHz, 8 directors: reflector at 0, radiator at 416.09 mm, director 1
    // at 572.1 mm from the reflector. The recorded output came from an older
    // deck: the standard kernel, odd counts and the feed on one segment.
    const NecModel m = ModelFromDesign(Designed(), Feed::SingleDipole);
    ASSERT_EQ(m.wires.size(), 10u);
    EXPECT_DOUBLE_EQ(m.wires[0].x1, 0);
    EXPECT_NEAR(m.wires[1].x1, 0.41609, 1e-5);
    EXPECT_NEAR(m.wires[2].x1, 0.57212, 1e-5);
    EXPECT_NEAR(m.wires[0].y2 * 2000, 1016.41, 0.01);
    EXPECT_NEAR(m.wires[1].y2 * 2000, 980.04, 0.01);
    EXPECT_DOUBLE_EQ(m.wires[0].radius, 0.0035);
    EXPECT_DOUBLE_EQ(m.wires[1].radius, 0.005);
    // Every element is cut at the boom, and the feed is the two segments
    // meeting there.
    ASSERT_EQ(m.sources.size(), 1u);
    EXPECT_EQ(m.sources[0].tag, 2);
    EXPECT_EQ(m.sources[0].span, 2);
    EXPECT_EQ(m.sources[0].segment, m.wires[1].segments / 2);
    for (const NecWire& w : m.wires)
        EXPECT_EQ(w.segments % 2, 0) << "wire " << w.tag;
    EXPECT_TRUE(m.notes.empty());
    EXPECT_EQ(NecDeck(m, true, {SweepAround(m.frequency, 2, 21)}), Recorded("default_144.nec"));
}

TEST(NecDeck, SegmentsAreAboutEqualAcrossElementsAndHalfAsLongOnTheDriven)
{
    const NecModel m = ModelFromDesign(Designed(), Feed::SingleDipole);
    const double lambda = 299792 / m.frequency / 1000;
    for (const NecWire& w : m.wires) {
        const double segment = (w.y2 - w.y1) / w.segments * (w.element == 1 ? 2 : 1);
        EXPECT_NEAR(segment, lambda / 42, lambda / 42 * 0.12) << "wire " << w.tag;
    }
}

TEST(NecDeck, ThroughBoomDesignIsModelledWithoutTheBoomCorrection)
{
    const auto bonded = [](DesignEntry& e) {
        e.ElementMounting = Mounting::Bonded;
        e.DipoleMounting = DipoleMount::SameAsDirectors;
    };
    const auto nonMetal = [](DesignEntry& e) { e.DipoleMounting = DipoleMount::SameAsDirectors; };
    for (Feed feed : {Feed::SingleDipole, Feed::FoldedDipole}) {
        const NecModel withBoom = ModelFromDesign(Designed(bonded), feed);
        const NecModel without = ModelFromDesign(Designed(nonMetal), feed);
        EXPECT_EQ(NecDeck(withBoom, true, {}).substr(NecDeck(withBoom, true, {}).find("CE")),
                  NecDeck(without, true, {}).substr(NecDeck(without, true, {}).find("CE")));
        EXPECT_EQ(withBoom.notes, std::vector<std::string>{kNoBoomNote});
        EXPECT_NE(NecDeck(withBoom, false, {}).find(std::string("CM ") + kNoBoomNote),
                  std::string::npos);
    }
}

TEST(NecDeck, FoldedDipoleIsTheBentRodFedOnTheGapSide)
{
    // 144.1 MHz, bend 50 mm, gap 15 mm: two straights 50 mm apart joined by
    // two bends of six chords each; as much conductor as the rod and its gap.
    DesignState s = Designed();
    const NecModel m = ModelFromDesign(s, Feed::FoldedDipole);
    ASSERT_EQ(m.wires.size(), 10u - 1 + 2 + 2 * kBendChords);
    const NecWire &fed = m.wires[1], &top = m.wires[2];
    EXPECT_NEAR(top.z1 - fed.z1, 0.050, 1e-12);
    EXPECT_NEAR(fed.z1 + top.z1, 0, 1e-12);
    EXPECT_EQ(fed.segments, top.segments);
    EXPECT_EQ(m.sources[0].tag, fed.tag);
    EXPECT_EQ(m.sources[0].segment, fed.segments / 2);
    EXPECT_EQ(m.sources[0].span, 2);
    double conductor = 0, tip = 0;
    for (const NecWire& w : m.wires)
        if (w.element == 1) {
            conductor += std::hypot(w.y2 - w.y1, w.z2 - w.z1);
            tip = std::max({tip, w.y1, w.y2});
        }
    std::string report;
    Yagidimensions(s, report);
    FoldedDipoleDetails(s, report);
    EXPECT_NEAR(conductor * 1000, FoldedRodLength(s.FoldedLength, 50, 15) + 15, 1e-9);
    EXPECT_NEAR(tip * 2000, s.FoldedLength, 0.02 * 50); // the chords cut the bends a little
    // Each bend runs from one straight's end to the other's, chord to chord.
    for (size_t k = 3; k + 1 < m.wires.size() && m.wires[k + 1].bend; ++k)
        if (k != 2 + kBendChords) {
            EXPECT_EQ(std::tie(m.wires[k].y2, m.wires[k].z2),
                      std::tie(m.wires[k + 1].y1, m.wires[k + 1].z1));
        }
}

TEST(NecDeck, DirectorCountsAndShapesGiveOneWirePerElement)
{
    struct Case {
        const char* directors;
        Feed feed;
        Shape shape;
        size_t wires;
    };
    for (const Case& c : {Case{"0", Feed::SingleDipole, Shape::Round, 2},
                          Case{"0", Feed::FoldedDipole, Shape::Square, 15},
                          Case{"100", Feed::SingleDipole, Shape::Flat, 102},
                          Case{"100", Feed::FoldedDipole, Shape::Round, 115}}) {
        const DesignState s = Designed([&c](DesignEntry& e) {
            e.Directors = c.directors;
            e.ElementShape = e.RadiatorShape = c.shape;
        });
        const NecModel m = ModelFromDesign(s, c.feed);
        const std::string deck = NecDeck(m, true, {});
        EXPECT_EQ(m.wires.size(), c.wires) << c.directors;
        EXPECT_EQ(Lines(deck, "GW "), static_cast<int>(c.wires));
        // Square and flat elements take their equivalent round diameter.
        EXPECT_DOUBLE_EQ(m.wires.front().radius, s.ElementDiam / 2000);
        EXPECT_DOUBLE_EQ(m.wires[1].radius, s.RadiatorDiam / 2000);
    }
}

TEST(NecDeck, PatternAndSweepCards)
{
    const NecModel m = ModelFromDesign(Designed(), Feed::SingleDipole);
    const std::string both = NecDeck(m, true, SplitSweep(SweepAround(144.1, 2, 21), 2));
    EXPECT_NE(
        both.find("\nFR 0 1 0 0 144.1 0\nRP 0 1 360 1000 90 0 0 1\nRP 0 360 1 1000 -180 0 1 0\n"),
        std::string::npos);
    EXPECT_NE(both.find("\nFR 0 10 0 0 141.218 0.2882\nRP 0 1 2 1000 90 0 0 180\n"),
              std::string::npos);
    EXPECT_EQ(Lines(both, "FR "), 3);
    const std::string sweepOnly = NecDeck(m, false, {SweepAround(144.1, 2, 21)});
    EXPECT_EQ(Lines(sweepOnly, "RP 0 1 360"), 0);
    EXPECT_NE(both.find("\nLD 5 0 0 0 37200000\n"), std::string::npos);
    EXPECT_EQ(both.substr(both.size() - 3), "EN\n");
}

TEST(NecDeck, SweepPieces)
{
    struct Case {
        int points, pieces;
        std::vector<int> counts;
    };
    for (const Case& c : {Case{21, 1, {21}}, Case{21, 2, {10, 11}}, Case{21, 4, {5, 5, 5, 6}},
                          Case{3, 8, {1, 1, 1}}, Case{1, 2, {1}}}) {
        const Sweep whole = SweepAround(144.1, 2, c.points);
        const auto pieces = SplitSweep(whole, c.pieces);
        std::vector<int> counts;
        int next = 0;
        for (const Sweep& p : pieces) {
            counts.push_back(p.points);
            EXPECT_DOUBLE_EQ(p.from, whole.At(next));
            next += p.points;
        }
        EXPECT_EQ(counts, c.counts) << c.points << " points in " << c.pieces;
    }
    const Sweep s = SweepAround(144.1, 2, 21);
    EXPECT_DOUBLE_EQ(s.from, 141.218);
    EXPECT_NEAR(s.At(10), 144.1, 1e-12);
    EXPECT_NEAR(s.At(20), 146.982, 1e-12);
    EXPECT_EQ(SweepAround(144.1, 2, 1).from, 144.1);
}

namespace {

YoEntryTexts YoYagi()
{
    DesignState s;
    YoEntryTexts e = s.YoEntry;
    const std::pair<int, const char*> values[] = {
        {yo::kFrequency, "144"},        {yo::kElementDiam, "6"},
        {yo::kDipoleDiam, "8"},         {yo::kReflLength, "1030"},
        {yo::kDipoleLength, "980"},     {yo::kDipoleDist, "400"},
        {yo::DirLengthEntry(1), "920"}, {yo::DirDistEntry(1), "560"},
        {yo::DirLengthEntry(2), "910"}, {yo::DirDistEntry(2), "900"},
        {yo::kBoomDiam, "20"},          {yo::kMounting, "2"}};
    for (auto [n, text] : values)
        e[static_cast<size_t>(n - 1)] = text;
    return e;
}

} // namespace

TEST(NecDeck, YoEntriesGiveTheirElements)
{
    const NecModel m = ModelFromYoEntries(YoYagi(), Feed::SingleDipole);
    ASSERT_EQ(m.wires.size(), 4u);
    EXPECT_EQ(m.frequency, 144);
    const double x[] = {0, 0.4, 0.56, 0.9}, length[] = {1.030, 0.980, 0.920, 0.910};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(m.wires[k].x1, x[k], 1e-12);
        EXPECT_NEAR(m.wires[k].y2 * 2, length[k], 1e-12);
    }
    EXPECT_DOUBLE_EQ(m.wires[1].radius, 0.004);
    EXPECT_TRUE(m.notes.empty());
    EXPECT_EQ(m.lastElementPos, 900);
}

TEST(NecDeck, YoThroughBoomLengthsLoseTheBoomCorrection)
{
    YoEntryTexts e = YoYagi();
    e[yo::kMounting - 1] = "0";
    const NecModel m = ModelFromYoEntries(e, Feed::FoldedDipole);
    EXPECT_LT(m.wires[0].y2 * 2, 1.030);
    EXPECT_NEAR(m.wires[3 + kBendChords / 2].y1 * 2, -0.980, 0.02 * m.bendDiam); // kept
    EXPECT_EQ(m.notes.front(), kNoBoomNote);
    EXPECT_EQ(m.wires.size(), 3u + 2 + 2 * kBendChords);
}

TEST(NecDeck, EntriesThatDescribeNoAntennaAreRefused)
{
    YoEntryTexts e = YoYagi();
    e[yo::DirDistEntry(2) - 1] = "560"; // director 2 where director 1 is
    try {
        ModelFromYoEntries(e, Feed::SingleDipole);
        FAIL();
    } catch (const Error& x) {
        EXPECT_STREQ(x.what(), kDirectorMismatch);
    }
    e = YoYagi();
    e[yo::kElementDiam - 1] = "0";
    try {
        ModelFromYoEntries(e, Feed::SingleDipole);
        FAIL();
    } catch (const Error& x) {
        EXPECT_STREQ(x.what(), "Director/Reflector diameter box empty or zero!");
    }
}

TEST(NecDeck, NumbersAreWrittenWithAPoint)
{
    EXPECT_EQ(DeckNumber(0.0035), "0.0035");
    EXPECT_EQ(DeckNumber(37200000), "37200000");
    EXPECT_EQ(DeckNumber(-0.508206652), "-0.508206652");
    EXPECT_EQ(DeckNumber(0), "0");
}

// A reference the SWR would answer with nonsense is refused before the engine runs.
TEST(NecDeck, OnlyAModelThatIsItsOwnMirrorImageIsWrittenAsHalf)
{
    // Two dipoles of 21 segments per half wave at 432 MHz, each fed at its centre.
    const auto pair = [](double y0, double y1) {
        NecModel m;
        m.frequency = 432;
        for (int tag = 1; tag <= 2; ++tag) {
            const double y = tag == 1 ? y0 : y1;
            m.wires.push_back({tag, 1, 0.2 * tag, y - 0.165, 0, 0.2 * tag, y + 0.165, 0, 0.002});
            m.sources.push_back({tag});
        }
        SegmentModel(m, kSegmentsPerHalfWave);
        return m;
    };
    struct Case {
        const char* name;
        NecModel model;
        bool symmetric;
        int wires; // GW cards of the deck for the engine
    };
    NecModel offCentre = pair(0, 0);
    offCentre.sources[1].segment += 1;
    offCentre.sources[1].span = 1;
    NecModel oddCount = pair(0, 0);
    oddCount.wires[1].segments += 1;
    NecModel inPlane = pair(0, 0);
    inPlane.wires.push_back({3, 3, 0.5, 0, -0.1, 0.5, 0, 0.1, 0.002});
    NecModel reversed = pair(0, 0);
    std::swap(reversed.wires[1].y1, reversed.wires[1].y2);
    NecModel images = pair(0.2, -0.2);
    images.wires[1].x1 = images.wires[1].x2 = images.wires[0].x1;
    NecModel unfed = images;
    unfed.sources.clear();
    NecModel unequal = images;
    unequal.sources[1].volts = {2, 0};
    for (const Case& c :
         {Case{"two dipoles across the plane", pair(0, 0), true, 2},
          Case{"one written the other way", reversed, true, 2},
          Case{"one beside the plane", pair(0, 0.1), false, 2},
          Case{"a source off the centre", offCentre, false, 2},
          Case{"an odd count", oddCount, false, 2}, Case{"a wire in the plane", inPlane, false, 3},
          Case{"each the other's image, unfed", unfed, true, 1},
          Case{"each the other's image, fed alike", images, true, 1},
          Case{"each the other's image, fed unlike", unequal, false, 2}}) {
        EXPECT_EQ(MirrorSymmetric(c.model), c.symmetric) << c.name;
        const std::string deck = NecDeck(c.model, false, {{432, 0, 1}}, DeckForm::Mirrored);
        EXPECT_EQ(deck.find("\nGX 1000 010\n") != std::string::npos, c.symmetric) << c.name;
        EXPECT_EQ(Lines(deck, "GW "), c.wires) << c.name;
    }
    // The half keeps the plane's end; the reflected copy runs the other way,
    // so its source takes the opposite sign.
    const std::string deck = NecDeck(reversed, false, {}, DeckForm::Mirrored);
    EXPECT_NE(deck.find("\nGW 1 10 0.2 0 0 0.2 0.165 0 0.002\n"), std::string::npos) << deck;
    EXPECT_NE(deck.find("\nEX 0 1 1 0 0.5 0\nEX 0 1001 1 0 -0.5 0\n"
                        "EX 0 2 1 0 -0.5 0\nEX 0 1002 1 0 0.5 0\n"),
              std::string::npos)
        << deck;
    EXPECT_EQ(NecDeck(reversed, false, {}).find("GX"), std::string::npos);
}
