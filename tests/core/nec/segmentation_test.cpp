// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/segmentation.h"

#include "core/nec/nec_fixture.h"
#include "nec/deck.h"
#include "simulation/simulation.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <map>

#include <cmath>

using namespace tavora;
using tavora::test::Designed;

namespace {

DesignState AtBand(const char* mhz, const char* directors = "5")
{
    return Designed([&](DesignEntry& e) {
        e.Frequency = mhz;
        ApplyBandDefaults(e);
        e.Directors = directors;
    });
}

double Length(const NecWire& w)
{
    return std::hypot(w.x2 - w.x1, w.y2 - w.y1, w.z2 - w.z1);
}

bool Names(const NecModel& m, const std::string& element)
{
    for (const std::string& note : m.rangeNotes)
        if (note.rfind(element + ": segments only ", 0) == 0)
            return true;
    return false;
}

} // namespace

TEST(Segmentation, EveryModelSolvedKeepsWithinTheKernelsRange)
{
    // The model and each model its error bars come from, in every band: the
    // extended kernel, segments no shorter than 2 radii and no longer than a
    // tenth of a wave; where a design leaves no way to that, the note names
    // the element and none of its figures gets a bar.
    for (const char* mhz : {"50", "144", "432", "1296", "2320", "3400", "5760", "10368"})
        for (Feed feed : {Feed::SingleDipole, Feed::FoldedDipole}) {
            const NecModel m = ModelFromDesign(AtBand(mhz), feed);
            std::vector<NecModel> solved = BarModels(m);
            EXPECT_EQ(solved.empty(), !m.rangeNotes.empty()) << mhz;
            solved.insert(solved.begin(), m);
            const double lambda = 299.792 / m.frequency;
            for (const NecModel& s : solved) {
                EXPECT_TRUE(s.extendedKernel) << mhz;
                for (const NecWire& w : s.wires) {
                    const double segment = Length(w) / w.segments;
                    EXPECT_LE(segment, 0.1 * lambda) << mhz << " wire " << w.tag;
                    if (segment < 2 * w.radius * (1 - 1e-9)) { // a piece cut at the limit
                        EXPECT_TRUE(Names(m, ElementName(m, w.element))) << mhz << " " << w.tag;
                    }
                }
            }
            // Cut at the boom, the mirror plane; the bends' chords beside it
            // keep a centre segment.
            for (const NecWire& w : m.wires)
                EXPECT_EQ(w.segments % 2, w.bend ? 1 : 0) << mhz << " wire " << w.tag;
        }
}

TEST(Segmentation, ThickElementsGetFewerLongerSegments)
{
    // 2320 MHz: 1 mm elements take the density's 21 segments per half wave,
    // 5 mm ones as few as keep them 2 radii long for the extended kernel.
    const auto model = [](const char* diam) {
        return ModelFromDesign(Designed([diam](DesignEntry& e) {
                                   e.Frequency = "2320";
                                   ApplyBandDefaults(e);
                                   e.ElementDiam = e.RadiatorDiam = diam;
                               }),
                               Feed::SingleDipole);
    };
    const NecModel thin = model("1"), thick = model("5");
    EXPECT_TRUE(thick.extendedKernel);
    EXPECT_EQ(thin.wires[0].segments, 20);
    EXPECT_LT(thick.wires[0].segments, 20);
    EXPECT_GE(Length(thick.wires[0]) / thick.wires[0].segments, 2 * thick.wires[0].radius);
}

TEST(Segmentation, NoteNamesTheElementAndTheFigure)
{
    // Elements thicker than a design takes, as a model may still be given them.
    DesignState s = AtBand("10000");
    s.ElementDiam = s.RadiatorDiam = 4;
    const NecModel m = ModelFromDesign(s, Feed::SingleDipole);
    ASSERT_FALSE(m.rangeNotes.empty());
    EXPECT_EQ(m.rangeNotes.front().rfind("Reflector: segments only ", 0), 0u);
    EXPECT_NE(m.rangeNotes.front().find(" radii long: gain and impedance are rough"),
              std::string::npos);
    EXPECT_NE(NecDeck(m, true, {}).find("\nEK 0\n"), std::string::npos);
}

TEST(Segmentation, CoarserAndWidenedModelsChangeOnlyWhatTheySay)
{
    const auto fedSegment = [](const NecModel& model) {
        const auto w = std::find_if(model.wires.begin(), model.wires.end(), [&](const NecWire& w) {
            return w.tag == model.sources[0].tag;
        });
        return std::pair{w->segments,
                         std::hypot(w->x2 - w->x1, w->y2 - w->y1, w->z2 - w->z1) / w->segments};
    };
    const auto perElement = [](const NecModel& model) {
        std::map<int, std::pair<int, double>> e; // segments, wire length
        for (const NecWire& w : model.wires) {
            e[w.element].first += w.segments;
            e[w.element].second += std::hypot(w.x2 - w.x1, w.y2 - w.y1, w.z2 - w.z1);
        }
        return e;
    };
    const NecModel m2320 = ModelFromDesign(AtBand("2320"), Feed::FoldedDipole);
    const NecModel m432 = ModelFromDesign(AtBand("432"), Feed::FoldedDipole);
    // The coarser model: every element coarser, the source's pair and a
    // neighbour either side as long as before. The widened one: those four
    // twice as long and the rest as it was; on a driven element too short for
    // that (2320 MHz), the source's pair alone.
    const struct {
        const NecModel& from;
        NecModel model;
        double density, lengthening;
        int fedSegments;
    } cases[] = {{m432, Recut(m432, kCoarserDensity, FeedSegment(m432)).value(),
                  m432.density * kCoarserDensity, 1, 4},
                 {m2320, FeedWidened(m2320).value(), m2320.density, kFeedWidening, 2},
                 {m432, FeedWidened(m432).value(), m432.density, kFeedWidening, 4}};
    for (const auto& c : cases) {
        const bool coarser = c.density < c.from.density;
        EXPECT_DOUBLE_EQ(c.model.density, c.density);
        const auto [segments, length] = fedSegment(c.model);
        EXPECT_EQ(segments, c.fedSegments);
        EXPECT_NEAR(length, fedSegment(c.from).second * c.lengthening, 1e-12);
        EXPECT_EQ(c.model.sources[0].segment, c.fedSegments / 2);
        EXPECT_EQ(c.model.sources[0].span, 2);
        const auto before = perElement(c.from), after = perElement(c.model);
        for (const auto& [element, figures] : before) {
            EXPECT_NEAR(after.at(element).second, figures.second, 1e-12) << element;
            if (coarser) {
                EXPECT_LT(after.at(element).first, figures.first) << element;
            } else if (element != 1) {
                EXPECT_EQ(after.at(element).first, figures.first) << element;
            }
        }
    }
}

TEST(Segmentation, BendWiderThanTheFoldedDipoleIsRefused)
{
    // 10 GHz: a 25 mm bend on a 14 mm dipole; the design's own rule names the
    // box before any model is drawn.
    try {
        ModelFromDesign(Designed([](DesignEntry& e) {
                            e.Frequency = "10000";
                            ApplyBandDefaults(e);
                            e.BendDiam = "25";
                        }),
                        Feed::FoldedDipole);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Diameter of dipole bend mm must be below", 0), 0u)
            << e.what();
    }
}
