// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/tolerance.h"

#include "simulation/simulation.h"

#include "child_processes.h"
#include "core/nec/nec_fixture.h"
#include "nec/deck.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iterator>

using namespace tavora;
using tavora::test::Designed;

namespace {

DesignState Design(const std::string& mhz, const std::string& directors)
{
    return Designed([&](DesignEntry& e) {
        e.Frequency = mhz;
        ApplyBandDefaults(e);
        e.Directors = directors;
    });
}

NecModel Model(const DesignState& s)
{
    return ModelFromMembers(s, Feed::SingleDipole, s.BendDiam);
}

} // namespace

// Pinned so that a change to a library's distributions (or to ours) shows: a
// seed typed from another machine's page must give the same builds.
TEST(ToleranceRefusal, SaysTheLimitWithTheUsersDecimalSeparator)
{
    // A twentieth of the wavelength at 432 MHz, to a tenth of a mm.
    const NecModel m = ModelFromDesign(Designed([](DesignEntry& e) {
                                           e.Frequency = "432";
                                           ApplyBandDefaults(e);
                                       }),
                                       Feed::SingleDipole);
    ToleranceSettings s;
    s.positionTol = 100;
    for (const auto& [sep, limit] : {std::pair{'.', "34.6"}, std::pair{',', "34,6"}}) {
        try {
            Refuse(s, m, sep);
            ADD_FAILURE() << "not refused";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("cannot be above ") + limit),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST(RandomErrors, OneSeedGivesTheSameErrorsEverywhere)
{
    struct Row {
        ErrorDistribution distribution;
        double first, second;
    };
    for (const Row& row :
         {Row{ErrorDistribution::Uniform, 1.0175412166114319, 1.7972048115705768},
          Row{ErrorDistribution::Normal, 1.5913998756469563, 0.38890323470535709}}) {
        std::mt19937_64 a(7), b(7);
        const auto errors = RandomErrors(a, 50, 2, row.distribution);
        EXPECT_EQ(errors, RandomErrors(b, 50, 2, row.distribution));
        for (double e : errors)
            EXPECT_LE(std::abs(e), 2);
        EXPECT_NEAR(errors[0], row.first, 1e-12);
        EXPECT_NEAR(errors[1], row.second, 1e-12);
    }
}

TEST(Perturbed, ErrorsAreSymmetricAboutTheCentreAndMoveTheWholeElement)
{
    for (Feed feed : {Feed::SingleDipole, Feed::FoldedDipole}) {
        const DesignState s = Design("144.1", "3");
        const NecModel m = ModelFromMembers(s, feed, s.BendDiam);
        const NecModel p = Perturbed(m, {0, 4, 0, 0, 0}, {0, 2, 0, 0, 0});
        const auto extent = [](const NecModel& model, int element) {
            double lo = 0, hi = 0, x = 0;
            for (const NecWire& w : model.wires)
                if (w.element == element)
                    lo = std::min({lo, w.y1, w.y2}), hi = std::max({hi, w.y1, w.y2}), x = w.x1;
            return std::array{lo, hi, x};
        };
        const auto before = extent(m, 1), after = extent(p, 1);
        EXPECT_NEAR(after[0], before[0] - 0.002, 1e-12);
        EXPECT_NEAR(after[1], before[1] + 0.002, 1e-12);
        EXPECT_NEAR(after[2], before[2] + 0.002, 1e-12);
        EXPECT_EQ(extent(p, 2), extent(m, 2));
        EXPECT_EQ(NecDeck(Perturbed(m, std::vector(5, 0.0), std::vector(5, 0.0)), true, {}),
                  NecDeck(m, true, {}));
    }
}

TEST(SpreadOf, PercentilesWorstAndHistogram)
{
    std::vector<double> v;
    for (int i = 100; i >= 0; --i)
        v.push_back(i); // 0 to 100, in no helpful order
    const Spread gain = SpreadOf(v, Judged::Gain, 10);
    EXPECT_DOUBLE_EQ(gain.median, 50);
    EXPECT_DOUBLE_EQ(gain.p5, 5);
    EXPECT_DOUBLE_EQ(gain.p95, 95);
    EXPECT_DOUBLE_EQ(gain.worst, 0);
    EXPECT_DOUBLE_EQ(SpreadOf(v, Judged::Swr).worst, 100);
    ASSERT_EQ(gain.histogram.counts.size(), 10u);
    EXPECT_EQ(gain.histogram.counts.front(), 10); // 0 to 9
    EXPECT_EQ(gain.histogram.counts.back(), 11);  // 90 to 100, the top edge included
    EXPECT_EQ(SpreadOf({3, 3, 3}, Judged::Gain).histogram.counts, std::vector<int>{3});
}

TEST(ToleranceText, ChangesPerMmShowThreeDecimals)
{
    ToleranceResult r;
    r.model = Model(Design("144.1", "3"));
    r.settings.lengthTol = 1;
    struct Row {
        double gain, frontToBack, swr;
        const char* shown[3];
    };
    const Row rows[] = {{0.0123, -1.2346, 0.0044, {"0.012", "-1.235", "0.004"}},
                        {-0.0036, 0.0006, -0.0126, {"-0.004", "0.001", "-0.013"}}};
    for (const Row& row : rows)
        r.sensitivity.push_back({static_cast<int>(r.sensitivity.size()),
                                 {{}, row.gain, row.frontToBack, row.swr},
                                 {{}, row.gain, row.frontToBack, row.swr}});
    const ResultText text = ToleranceText(r);
    const TextTable& table = text.tables.back();
    EXPECT_NE(table.caption.find("1 mm either way"), std::string::npos) << table.caption;
    ASSERT_EQ(table.rows.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i)
        for (size_t column = 0; column < 6; ++column)
            EXPECT_EQ(table.rows[i][1 + column], rows[i].shown[column % 3]) << i << " " << column;
    EXPECT_EQ(ToleranceText(r, ',').tables.back().rows[0][1], "0,012");
}

#ifdef TAVORA_NEC2C

namespace {

// A private TMPDIR, so the test sees that no run left its folder.
class ToleranceRun : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("TMPDIR", tmp.Path().c_str(), 1); }
    void TearDown() override
    {
        ::unsetenv("TMPDIR");
        EXPECT_TRUE(std::filesystem::is_empty(tmp.Path())) << "a run's folder was left";
        EXPECT_EQ(ChildProcessCount(), 0) << "an engine process was left";
    }
    static ToleranceResult Run(const NecModel& m, ToleranceSettings s, const RunControl& c = {})
    {
        RunControl control = c;
        control.engine = TAVORA_NEC2C;
        return tavora::Run(m, s, control);
    }
    TempDir tmp;
};

} // namespace

TEST_F(ToleranceRun, ZeroTolerancesBuildTheNominalDesignAndASeedRepeats)
{
    const NecModel m = Model(Design("144.1", "4"));
    // The nominal design reads as the simulation reads it, for either dipole.
    for (Feed feed : {Feed::SingleDipole, Feed::FoldedDipole}) {
        const DesignState s = Design("144.1", "4");
        const NecModel model = ModelFromMembers(s, feed, s.BendDiam);
        RunControl c;
        c.engine = TAVORA_NEC2C;
        const SimulationResult sim = tavora::Run(model, SimulationSettings{.points = 1}, c);
        const ToleranceResult tol = Run(model, {.builds = 1});
        EXPECT_NEAR(tol.nominal.swr, sim.swr, 1e-9);
        EXPECT_NEAR(tol.nominal.gainDbi, sim.gainDbi, 1e-9);
        EXPECT_NEAR(tol.nominal.frontToBack, sim.frontToBack, 1e-9);
    }
    for (ErrorDistribution d : {ErrorDistribution::Uniform, ErrorDistribution::Normal}) {
        const ToleranceResult r =
            Run(m, {.builds = 3, .lengthTol = 0, .positionTol = 0, .distribution = d});
        for (const Build& b : r.builds)
            for (Judged j : kJudged)
                EXPECT_EQ(Value(b.figures, j), Value(r.nominal, j));
    }
    const ToleranceSettings s{.builds = 3, .distribution = ErrorDistribution::Normal, .seed = 42};
    EXPECT_EQ(ToleranceCsv(Run(m, s)), ToleranceCsv(Run(m, s)));
}

TEST_F(ToleranceRun, LargerTolerancesWidenTheSpread)
{
    const NecModel m = Model(Design("432.1", "17"));
    const double report = DefaultLengthTolerance(m);
    std::array<double, kJudged.size()> last{};
    for (double times : {0.5, 1.0, 2.0}) {
        const ToleranceResult r =
            Run(m, {.builds = 8, .lengthTol = times * report, .positionTol = times});
        for (size_t k = 0; k < kJudged.size(); ++k) {
            SCOPED_TRACE(std::string(JudgedName(kJudged[k])) + " at " + std::to_string(times));
            std::vector<double> off;
            for (const Build& b : r.builds)
                off.push_back(
                    std::abs(Value(b.figures, kJudged[k]) - Value(r.nominal, kJudged[k])));
            const double median = Percentile(off, 50);
            EXPECT_GT(median, last[k]);
            last[k] = median;
        }
    }
}

namespace {

// Each design solved at the design frequency, as the run reads it.
std::vector<BuildFigures> Solved(const std::vector<DesignState>& designs, double z0)
{
    std::vector<NecJob> jobs;
    for (const DesignState& d : designs)
        jobs.push_back({Model(d), false, {{d.DesignFreq, 0, 1}}});
    RunControl c;
    c.engine = TAVORA_NEC2C;
    std::vector<BuildFigures> out;
    for (const Solution& solution : Solve(jobs, c))
        out.push_back(FiguresFromSolution(solution, z0));
    return out;
}

// The design with one change made `mm` and -`mm`.
std::vector<DesignState> BothWays(const DesignState& s,
                                  const std::function<void(DesignState&, double)>& change)
{
    std::vector<DesignState> out;
    for (double mm : {1.0, -1.0}) {
        out.push_back(s);
        change(out.back(), mm);
    }
    return out;
}

} // namespace

TEST_F(ToleranceRun, SensitivityIsHalfTheDifferenceOfTheDesignsEitherSide)
{
    const DesignState s = Design("432.1", "3");
    const ToleranceResult r = Run(Model(s), {.builds = 1});
    // Each element changed in the design itself, the elements after it kept in place.
    struct Row {
        const char* name;
        int element;
        bool position;
        std::function<void(DesignState&, double)> change;
    };
    const std::vector<Row> rows{
        {"reflector longer", 0, false, [](DesignState& d, double mm) { d.ReflLength += mm; }},
        {"dipole longer", 1, false, [](DesignState& d, double mm) { d.DipoleLength += mm; }},
        {"director 1 longer", 2, false, [](DesignState& d, double mm) { d.DirLength[1] += mm; }},
        {"director 3 longer", 4, false, [](DesignState& d, double mm) { d.DirLength[3] += mm; }},
        {"dipole forward", 1, true,
         [](DesignState& d, double mm) { d.RadiatorPos += mm, d.DirSpacing[1] -= mm; }},
        {"director 2 longer", 3, false, [](DesignState& d, double mm) { d.DirLength[2] += mm; }},
        {"director 2 forward", 3, true,
         [](DesignState& d, double mm) { d.DirSpacing[2] += mm, d.DirSpacing[3] -= mm; }},
        {"last director forward", 4, true,
         [](DesignState& d, double mm) { d.DirSpacing[3] += mm; }},
    };
    std::vector<DesignState> designs;
    for (const Row& row : rows)
        for (const DesignState& d : BothWays(s, row.change))
            designs.push_back(d);
    const std::vector<BuildFigures> solved = Solved(designs, r.z0);
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        const BuildFigures &longer = solved[2 * i], &shorter = solved[2 * i + 1];
        const Sensitivity& se = r.sensitivity.at(static_cast<size_t>(rows[i].element));
        const BuildFigures& got = rows[i].position ? se.perMmPosition : se.perMmLength;
        for (Judged j : kJudged)
            EXPECT_NEAR(Value(got, j), (Value(longer, j) - Value(shorter, j)) / 2, 1e-9);
    }
    // Every element's length is a row, each as the designs give it: the gains
    // per mm rank the elements as the designs do, and being finer than the
    // engine's 0.01 dB column they tell the elements apart.
    std::vector<double> gains;
    for (const Sensitivity& se : r.sensitivity)
        gains.push_back(se.perMmLength.gainDbi);
    const auto [least, most] = std::minmax_element(gains.begin(), gains.end());
    EXPECT_GE(*most - *least, 0.005) << "the elements tie at three decimals";
}

TEST_F(ToleranceRun, CancelStopsBetweenBatchesAndLeavesNothing)
{
    std::atomic<bool> cancel{false};
    RunControl c;
    c.cancel = &cancel;
    int last = 0;
    c.progress = [&](int done, int total) {
        EXPECT_GT(done, last);
        EXPECT_EQ(total, 1 + 20 + 2 + 4 * 6);
        last = done;
        if (done >= 2)
            cancel = true;
    };
    EXPECT_THROW(Run(Model(Design("144.1", "4")), {.builds = 20, .processes = 1}, c),
                 SimulationCancelled);
    EXPECT_LT(last, 5);
}

#endif
