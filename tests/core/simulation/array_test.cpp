// SPDX-License-Identifier: GPL-3.0-or-later
// Stacked arrays: the model's copies, and the array's figures against an
// independently written deck and against what stacking gives in practice.
// The engine runs; the wider sweeps run when TAVORA_FULL_ACCURACY is set.

#include "simulation/array.h"

#include "core/nec/nec_fixture.h"
#include "physics/physics.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <set>
#include <sstream>

using namespace tavora;
using tavora::test::Designed;

namespace {

NecModel Yagi(const char* directors, const char* mhz = "432")
{
    return ModelFromDesign(Designed([&](DesignEntry& e) {
                               e.Frequency = mhz;
                               ApplyBandDefaults(e);
                               e.Directors = directors;
                           }),
                           Feed::SingleDipole);
}

std::string Named(Arrangement a)
{
    return a == Arrangement::Vertical     ? "Vertical"
           : a == Arrangement::Horizontal ? "Horizontal"
                                          : "Box";
}

bool Full()
{
    return std::getenv("TAVORA_FULL_ACCURACY") != nullptr;
}

} // namespace

struct ModelCase {
    Arrangement arrangement;
    std::set<std::pair<double, double>> centres; // (y, z) of each copy's driven element
};

class ArrayModelCopies : public ::testing::TestWithParam<ModelCase> {};

TEST_P(ArrayModelCopies, EachCopyIsTheYagiOffsetWithItsOwnFeed)
{
    const NecModel single = Yagi("5");
    const ModelCase c = GetParam();
    const NecModel m = ArrayModel(single, c.arrangement, 2, 3);
    const size_t n = single.wires.size();
    ASSERT_EQ(m.wires.size(), c.centres.size() * n);
    std::set<std::pair<double, double>> fed;
    for (const NecSource& s : m.sources) {
        const NecWire& w = m.wires.at(static_cast<size_t>(s.tag - 1));
        EXPECT_EQ(w.tag, s.tag); // tags number the wires from 1, unique
        EXPECT_EQ(w.element, 1);
        EXPECT_EQ(s.segment, single.sources[0].segment);
        fed.insert({(w.y1 + w.y2) / 2, w.z1});
    }
    EXPECT_EQ(fed, c.centres);
    for (size_t k = 0; k < m.wires.size(); ++k)
        EXPECT_EQ(m.wires[k].segments, single.wires[k % n].segments);
}

INSTANTIATE_TEST_SUITE_P(
    Arrangements, ArrayModelCopies,
    ::testing::Values(ModelCase{Arrangement::Vertical, {{0, -1}, {0, 1}}},
                      ModelCase{Arrangement::Horizontal, {{-1.5, 0}, {1.5, 0}}},
                      ModelCase{Arrangement::Box, {{-1.5, -1}, {1.5, -1}, {-1.5, 1}, {1.5, 1}}}),
    [](const auto& info) { return Named(info.param.arrangement); });

TEST(ArrayRefusal, SettingsNoArrayAnswersAreRefused)
{
    const auto refused = [](auto change) {
        ArraySettings s;
        change(s);
        EXPECT_THROW(RefuseArray(s), BoxRefusal);
    };
    refused([](ArraySettings& s) { s.spacing = -1; });
    refused([](ArraySettings& s) { s.sweepFrom = 900, s.sweepTo = 800; });
    refused([](ArraySettings& s) { s.sweepPoints = 1; });
    refused([](ArraySettings& s) { s.sweepPoints = kMaxSweepPoints + 1; });
    refused([](ArraySettings& s) { s.sideLobeLimit = 0; });
    EXPECT_NO_THROW(RefuseArray(ArraySettings{}));
}

#ifdef TAVORA_NEC2C

namespace {

class ArrayRun : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("TMPDIR", tmp.Path().c_str(), 1); }
    void TearDown() override { ::unsetenv("TMPDIR"); }
    RunControl Control()
    {
        RunControl c;
        c.engine = TAVORA_NEC2C;
        return c;
    }
    TempDir tmp;
};

ArraySettings AtTheRule(Arrangement a)
{
    ArraySettings s;
    s.arrangement = a;
    s.sweepPoints = 0;
    return s;
}

// The deck written here, card by card, apart from the program's writer.
std::string OwnDeck(const NecModel& single, double dz)
{
    std::ostringstream d;
    d.imbue(std::locale::classic());
    d.precision(10);
    d << "CM two Yagis\nCE\n";
    const int n = static_cast<int>(single.wires.size());
    for (int copy = 0; copy < 2; ++copy)
        for (const NecWire& w : single.wires) {
            const double z = copy == 0 ? -dz / 2 : dz / 2;
            d << "GW " << w.tag + copy * n << " " << w.segments << " " << w.x1 << " " << w.y1 << " "
              << w.z1 + z << " " << w.x2 << " " << w.y2 << " " << w.z2 + z << " " << w.radius
              << "\n";
        }
    d << "GE 0\n" << (single.extendedKernel ? "EK 0\n" : "") << "LD 5 0 0 0 3.72e7\n";
    for (int copy = 0; copy < 2; ++copy)
        d << "EX 0 " << single.sources[0].tag + copy * n << " " << single.sources[0].segment
          << " 0 1 0\n";
    d << "FR 0 1 0 0 " << single.frequency << " 0\nRP 0 1 1 1000 90 0 0 0\nEN\n";
    return d.str();
}

} // namespace

TEST_F(ArrayRun, TwoLongYagisStackedVerticallyAtTheRuleGainAsAnOwnDeckSays)
{
    const NecModel single = Yagi("17");
    const ArrayResult r = tavora::Run(single, AtTheRule(Arrangement::Vertical), Control());
    EXPECT_GE(r.atRule.overOne, 2.5);
    EXPECT_LE(r.atRule.overOne, 3.1);
    ASSERT_EQ(r.atRule.feeds.size(), 2u);
    // In phase and alike by symmetry: equal voltages put equal power in each.
    EXPECT_NEAR(std::abs(r.atRule.feeds[0] - r.atRule.feeds[1]), 0, 0.05);
    const auto own = RunDecks({OwnDeck(single, r.ruleSpacing / 1000)}, Control());
    EXPECT_NEAR(GainAt(own.at(0).at(0).pattern, 90, 0), r.atRule.result.gainDbi, 0.02);
}

TEST_F(ArrayRun, FourYagisInABoxGainFiveToSixDecibels)
{
    const ArrayResult r = tavora::Run(Yagi("10"), AtTheRule(Arrangement::Box), Control());
    EXPECT_GE(r.atRule.overOne, 5);
    EXPECT_LE(r.atRule.overOne, 6.2);
    EXPECT_EQ(r.atRule.feeds.size(), 4u);
}

TEST_F(ArrayRun, YagisThatWouldTouchAreRefusedAndLeftOutOfTheSweep)
{
    ArraySettings s = AtTheRule(Arrangement::Horizontal);
    const NecModel single = Yagi("2");
    s.spacing = ClearSpacing(single, false) - 1;
    EXPECT_THROW(tavora::Run(single, s, Control()), BoxRefusal);
    s.spacing = 0;
    s.sweepFrom = 100;
    s.sweepTo = ClearSpacing(single, false) + 100;
    s.sweepPoints = 2;
    const ArrayResult r = tavora::Run(single, s, Control());
    EXPECT_EQ(r.sweep.size(), 1u);
    EXPECT_EQ(r.notes.size(), single.notes.size() + single.rangeNotes.size() + 1);
}

TEST_F(ArrayRun, TheBestSpacingKeepsTheRulesSideLobesAndBeatsTheSweep)
{
    std::vector<const char*> designs{"10"};
    if (Full())
        designs = {"10", "17", "24"};
    for (const char* directors : designs) {
        ArraySettings s = AtTheRule(Arrangement::Vertical);
        s.sweepPoints = Full() ? 11 : 5;
        RunControl c = Control();
        int last = 0, total = 0;
        c.progress = [&](int done, int of) { last = done, total = of; };
        const ArrayResult r = tavora::Run(Yagi(directors), s, c);
        EXPECT_EQ(last, total);
        ASSERT_TRUE(r.best) << directors;
        EXPECT_LE(r.best->worstSideLobe, r.atRule.worstSideLobe) << directors;
        const ArrayPoint* grid = nullptr; // the sweep's best by the same rule
        for (const ArrayPoint& p : r.sweep)
            if (p.worstSideLobe <= r.atRule.worstSideLobe &&
                (!grid || p.result.gainDbi > grid->result.gainDbi))
                grid = &p;
        ASSERT_NE(grid, nullptr);
        EXPECT_GE(r.best->result.gainDbi, grid->result.gainDbi) << directors;
        EXPECT_LE(r.nearFrom, r.best->spacing);
        EXPECT_GE(r.nearTo, r.best->spacing);
        // The side lobe line holds at every spacing solved over the range it names.
        ASSERT_TRUE(r.clean);
        for (const auto* points : {&r.sweep, &r.search})
            for (const ArrayPoint& p : *points)
                if (p.spacing >= r.cleanFrom && p.spacing <= r.clean->spacing) {
                    EXPECT_LT(p.worstSideLobe, r.sideLobeLimit) << p.spacing;
                }
    }
}

struct Lobes {
    Arrangement arrangement;
    double wavelengths;
};

class ArrayLobes : public ArrayRun, public ::testing::WithParamInterface<Lobes> {};

// A short Yagi's own pattern is far wider than the pair's: the array's beam
// in the plane the copies stand in is the array factor's of two point
// sources, 2 asin(lambda / 4d), and its first side lobe the grating lobe at
// asin(lambda / d), as high as one Yagi's pattern is there.
TEST_P(ArrayLobes, BeamwidthAndSideLobeFollowTheArrayFactor)
{
    const NecModel single = Yagi("2");
    const Lobes l = GetParam();
    const double lambda = WaveLength(single.frequency);
    ArraySettings s = AtTheRule(l.arrangement);
    s.spacing = l.wavelengths * lambda;
    const ArrayResult r = tavora::Run(single, s, Control());
    const auto check = [&](double d, double beamwidth, double sideLobe, const PatternCut& one) {
        const double expected = 2 * std::asin(lambda / (4 * d)) * 180 / std::numbers::pi;
        EXPECT_NEAR(beamwidth / expected, 1, 0.1) << beamwidth << " against " << expected;
        const double grating = std::asin(lambda / d) * 180 / std::numbers::pi;
        const auto i = static_cast<size_t>(std::floor(grating));
        const double atGrating = one[i] + (one[i + 1] - one[i]) * (grating - std::floor(grating));
        EXPECT_NEAR(sideLobe, atGrating - one[0], 1) << grating << " deg";
    };
    const SimulationResult& a = r.at.result;
    if (l.arrangement != Arrangement::Horizontal)
        check(r.at.spacing, a.beamwidthH, a.sideLobeH, r.single.hPlane);
    if (l.arrangement != Arrangement::Vertical)
        check(l.arrangement == Arrangement::Box ? r.at.horizontalSpacing : r.at.spacing,
              a.beamwidthE, a.sideLobeE, r.single.ePlane);
}

INSTANTIATE_TEST_SUITE_P(
    Spacings, ArrayLobes,
    ::testing::Values(Lobes{Arrangement::Vertical, 2}, Lobes{Arrangement::Vertical, 5},
                      Lobes{Arrangement::Vertical, 10}, Lobes{Arrangement::Vertical, 14},
                      Lobes{Arrangement::Horizontal, 5}, Lobes{Arrangement::Box, 10}),
    [](const auto& info) {
        return std::string(info.param.arrangement == Arrangement::Vertical     ? "Vertical"
                           : info.param.arrangement == Arrangement::Horizontal ? "Horizontal"
                                                                               : "Box") +
               std::to_string(static_cast<int>(info.param.wavelengths));
    });

#endif
