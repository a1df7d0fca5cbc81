// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/simulation.h"

#include "child_processes.h"
#include "core/nec/nec_fixture.h"
#include "simulation/live.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace tavora;
using tavora::test::Designed;
using tavora::test::Recorded;
using tavora::test::RecordedModel;

namespace {

SimulationResult RecordedResult(const std::vector<std::string>& files)
{
    std::vector<std::string> outputs;
    for (const std::string& f : files)
        outputs.push_back(Recorded(f));
    return ResultFromSolutions(RecordedModel(), {}, SolutionsFromOutputs(RecordedModel(), outputs));
}

} // namespace

TEST(Simulation, FiguresOfTheRecordedRun)
{
    const SimulationResult r = RecordedResult({"default_144.out"});
    // From the printed fields: 14.01 and 27.84 dB in the gain columns.
    EXPECT_NEAR(r.gainDbi, 14.0127, 1e-4);
    EXPECT_NEAR(r.frontToBack, 27.8443, 1e-4);
    EXPECT_EQ(r.z0, 50);
    ASSERT_EQ(r.sweep.size(), 21u);
    EXPECT_DOUBLE_EQ(r.sweep.front().frequency, 141.218);
    EXPECT_NEAR(r.sweep[10].gainDbi, 14.0127, 1e-4);

    // The heading and the figures, then after an empty line the sweep table.
    const std::vector<std::string> all = ResultLines(SimulationText(r));
    const std::vector<std::string> lines(all.begin(), all.begin() + 14);
    const std::vector<std::string> expected{
        "Simulated with nec2c (NEC-2) in free space, aluminium elements",
        "Frequency:\t144.100 MHz",
        "Feed impedance:\t47.7 + j3.9 ohm",
        "SWR (50 ohm):\t1.10",
        "Forward gain:\t14.01 dBi\t11.86 dBd\tDL6WU estimate 11.7 dBd",
        "F/B (180 deg):\t27.8 dB",
        "F/R (rear half):\t19.9 dB",
        "E plane beamwidth:\t36.6 deg\t\tDL6WU estimate 41.1 deg",
        "H plane beamwidth:\t40.4 deg",
        "E plane first side lobe:\t-18.3 dB",
        "H plane first side lobe:\t-13.0 dB",
        "Efficiency:\t99.2 %",
        "Vertical stacking (H plane):\t3016 mm",
        "Horizontal stacking (E plane):\t3311 mm"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(ResultLines(SimulationText(r, ','))[3], "SWR (50 ohm):\t1,10");

    const std::vector<std::string> table(all.begin() + 15, all.end());
    ASSERT_EQ(table.size(), 22u);
    EXPECT_EQ(table[0], "MHz\tR (ohm)\tX (ohm)\tSWR\tGain (dBi)\tF/B (dB)");
    EXPECT_EQ(table[11], "144.100\t47.7\t3.9\t1.10\t14.01\t27.8");
}

TEST(Simulation, SweepPiecesMergeInFrequencyOrder)
{
    // Pieces may finish in any order; the rows come out by frequency.
    const SimulationResult r =
        RecordedResult({"default_144.out", "piece_high.out", "piece_low.out"});
    ASSERT_EQ(r.sweep.size(), 25u);
    EXPECT_TRUE(
        std::is_sorted(r.sweep.begin(), r.sweep.end(), [](const SweepRow& a, const SweepRow& b) {
            return a.frequency < b.frequency;
        }));
    EXPECT_DOUBLE_EQ(r.sweep.back().frequency, 146.982);
}

TEST(Simulation, DesignFrequencyIsSolvedOnceAndItsRowComesFromThePatternDeck)
{
    const NecModel m = RecordedModel();
    struct Case {
        int points, pieces;
        std::vector<std::string> frCards; // after the pattern deck's
    };
    for (const Case& c :
         {Case{21, 2, {"FR 0 10 0 0 141.218 0.2882", "FR 0 10 0 0 144.3882 0.2882"}},
          Case{21, 1, {"FR 0 10 0 0 141.218 0.2882", "FR 0 10 0 0 144.3882 0.2882"}},
          Case{4, 2, {"FR 0 2 0 0 141.218 1.92133333", "FR 0 2 0 0 145.060667 1.92133333"}},
          Case{1, 2, {}}}) {
        SimulationSettings settings;
        settings.points = c.points;
        std::vector<std::string> cards;
        for (const NecJob& job : SimulationJobs(m, settings, c.pieces)) {
            const std::string deck = JobDeck(job);
            for (size_t at = deck.find("\nFR "); at != std::string::npos;
                 at = deck.find("\nFR ", at + 1))
                cards.push_back(deck.substr(at + 1, deck.find('\n', at + 1) - at - 1));
        }
        ASSERT_FALSE(cards.empty());
        EXPECT_EQ(cards.front(), "FR 0 1 0 0 144.1 0");
        EXPECT_EQ(std::vector<std::string>(cards.begin() + 1, cards.end()), c.frCards)
            << c.points << " " << c.pieces;
    }
    // The sweep's middle row comes from the pattern block: here the recorded
    // output cut after it.
    const std::string all = Recorded("default_144.out");
    const size_t first = all.find("FREQUENCY :");
    const std::string pattern = all.substr(0, all.find("FREQUENCY :", first + 1));
    const SimulationResult r = ResultFromSolutions(m, {}, SolutionsFromOutputs(m, {pattern}));
    ASSERT_EQ(r.sweep.size(), 1u);
    EXPECT_DOUBLE_EQ(r.sweep[0].frequency, 144.1);
    EXPECT_DOUBLE_EQ(r.sweep[0].gainDbi, r.gainDbi);
    // And once only where a sweep block holds it too.
    EXPECT_EQ(ResultFromSolutions(m, {}, SolutionsFromOutputs(m, {all})).sweep.size(), 21u);
}

TEST(Simulation, OutputWithoutPatternIsAnError)
{
    const NecModel m = ModelFromDesign(Designed(), Feed::SingleDipole);
    const auto result = [&m](const std::string& output) {
        return ResultFromSolutions(m, {}, SolutionsFromOutputs(m, {output}));
    };
    EXPECT_THROW(result(Recorded("piece_low.out")), Error);
    EXPECT_THROW(result(""), Error);
}

TEST(Simulation, CsvHoldsTheSweepBothCutsFiguresAndNotesEachATable)
{
    const CsvTables csv = SimulationCsv(RecordedResult({"default_144.out"}));
    ASSERT_EQ(csv.size(), 4u);
    const auto table = [&csv](size_t k, const char* name, const char* start) {
        EXPECT_EQ(csv[k].name, name);
        EXPECT_EQ(csv[k].text.rfind(start, 0), 0u) << csv[k].text;
        EXPECT_EQ(csv[k].text.find("\n\n"), std::string::npos) << name;
    };
    table(0, "sweep", "frequency_mhz,r_ohm,x_ohm,swr,gain_dbi,front_to_back_db\n");
    EXPECT_NE(csv[0].text.find("\n144.1000,47.67,3.90,1.098,14.01,27.84\n"), std::string::npos);
    table(1, "pattern", "angle_deg,e_plane_dbi,h_plane_dbi\n0,14.01,14.01\n");
    // None of the figures with a bar, without the bars' models.
    table(2, "figures", "figure,value,uncertainty\nfeed_r_ohm,47.7,\n");
    table(3, "notes", "note\n");
}

TEST(Simulation, ReferenceImpedanceFollowsTheDipole)
{
    EXPECT_EQ(ReferenceImpedance(Feed::SingleDipole, 0), 50);
    EXPECT_EQ(ReferenceImpedance(Feed::FoldedDipole, 0), 200);
    EXPECT_EQ(ReferenceImpedance(Feed::FoldedDipole, 75), 75);
}

TEST(Simulation, FiguresFinerSegmentsWouldMovePastTheLimitsAreNoted)
{
    // Segments 12 radii long have three quarters of the move from half the
    // density still ahead; at 3 radii the figures have settled.
    struct Case {
        double radii, gain, r; // the half density's gain and R
        std::vector<std::string> notes;
    };
    const std::string gain = "Finer segments would move the gain about 0.06 dB: gain is rough";
    const std::string r =
        "Finer segments would move the feed resistance about 3.3 %: impedance is rough";
    for (const Case& c : {Case{12, 16.94, 51.9, {}}, Case{12, 16.92, 50, {gain}},
                          Case{12, 17, 52.2, {r}}, Case{12, 17.08, 47.8, {gain, r}},
                          Case{3, 16.5, 60, {}}}) {
        SimulationResult at, coarse;
        at.gainDbi = 17, at.impedance = {50, 0}, at.segmentRadii = c.radii;
        coarse.gainDbi = c.gain, coarse.impedance = {c.r, -3};
        at.coarse = std::make_shared<const SimulationResult>(coarse);
        EXPECT_EQ(UnsettledNotes(at), c.notes) << c.gain << " " << c.r;
    }
}

TEST(Simulation, ReferenceImpedancesOutsideTheRangeAreRefused)
{
    NecModel model;
    model.frequency = 144.1;
    const struct {
        double z0;
        const char* message; // nullptr: accepted
    } cases[] = {
        {-50, "SWR reference (ohm, 0 by dipole) cannot be negative"},
        {1e300, "SWR reference (ohm, 0 by dipole) must be 0, or from 10 to 1000 ohm"},
        {0.000001, "SWR reference (ohm, 0 by dipole) must be 0, or from 10 to 1000 ohm"},
        {0, nullptr},
        {75, nullptr},
    };
    for (const auto& c : cases) {
        SimulationSettings settings;
        settings.z0 = c.z0;
        if (!c.message) {
            EXPECT_NO_THROW(Refuse(settings, model)) << c.z0;
            continue;
        }
        try {
            Refuse(settings, model);
            ADD_FAILURE() << c.message;
        } catch (const BoxRefusal& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    model.frequency = 30000;
    EXPECT_THROW(Refuse(SimulationSettings{}, model), BoxRefusal);
}

// Typing is not leaving the frequency box: the live model keeps the sizes
// typed, not the new band's, and refuses what Calculate refuses.
TEST(Simulation, LiveModelKeepsTheTypedSizesAndCalculatesRefusals)
{
    DesignEntry e = FormDefaults(); // 2 m sizes, 7 mm elements
    e.Frequency = "432";
    const NecModel m = LiveModel(e, DesignState{}, Feed::SingleDipole);
    EXPECT_DOUBLE_EQ(m.frequency, 432);
    EXPECT_DOUBLE_EQ(m.wires.front().radius, 0.0035); // the band's would be 3 mm
    e.Directors = "101";
    try {
        LiveModel(e, DesignState{}, Feed::SingleDipole);
        ADD_FAILURE() << "101 directors accepted";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), kDirectorCountRange);
    }
}

#ifdef TAVORA_NEC2C

struct LiveCase {
    const char* name;
    const char* directors;
    Feed feed;
    Shape shape;
};

class LiveDeck : public ::testing::TestWithParam<LiveCase> {};

TEST_P(LiveDeck, RunsAndGivesItsFigures)
{
    const LiveCase& p = GetParam();
    const DesignState s = Designed([&p](DesignEntry& e) {
        e.Directors = p.directors;
        e.ElementShape = e.RadiatorShape = p.shape;
        e.ElementMounting = Mounting::Insulated;
    });
    const NecModel model = ModelFromDesign(s, p.feed);
    SimulationSettings settings;
    settings.points = 3;
    RunControl c;
    c.engine = TAVORA_NEC2C;
    std::vector<std::pair<int, int>> progress;
    c.progress = [&progress](int done, int total) { progress.emplace_back(done, total); };
    const SimulationResult r = tavora::Run(model, settings, c);
    EXPECT_GT(r.gainDbi, 2);
    EXPECT_GT(r.impedance.real(), 0);
    EXPECT_EQ(r.sweep.size(), 3u);
    // Counted in frequencies: the design frequency once, the sweep's other two,
    // and one per model of the error bars.
    const int size = 3 + static_cast<int>(BarModels(model).size());
    EXPECT_EQ(progress.back(), std::make_pair(size, size));
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(ChildProcessCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Decks, LiveDeck,
    ::testing::Values(LiveCase{"NoDirectorsSingle", "0", Feed::SingleDipole, Shape::Round},
                      LiveCase{"NoDirectorsFolded", "0", Feed::FoldedDipole, Shape::Round},
                      LiveCase{"OneSquareDirector", "1", Feed::SingleDipole, Shape::Square},
                      LiveCase{"FlatElementsFolded", "6", Feed::FoldedDipole, Shape::Flat},
                      LiveCase{"SeventeenDirectors", "17", Feed::SingleDipole, Shape::Round}),
    [](const auto& info) { return std::string(info.param.name); });

// The figures that follow typing come without bars, and the bars later: the
// same figures and bars as one run with both.
TEST(Simulation, BarsAddedAfterwardsEqualThoseSolvedBeside)
{
    const NecModel model =
        ModelFromDesign(Designed([](DesignEntry& e) { e.Directors = "5"; }), Feed::FoldedDipole);
    SimulationSettings settings;
    settings.points = 1;
    RunControl c;
    c.engine = TAVORA_NEC2C;
    const SimulationResult both = tavora::Run(model, settings, c);
    settings.bars = false;
    SimulationResult later = tavora::Run(model, settings, c);
    EXPECT_EQ(RunSize(settings, model), 1);
    EXPECT_FALSE(later.coarse);
    EXPECT_TRUE(std::isnan(FigureOf(later, "gain_dbi").error));
    AddBars(later, model, settings, c);
    for (const char* name : {"gain_dbi", "feed_r_ohm", "feed_x_ohm", "swr", "front_to_back_db"}) {
        EXPECT_EQ(FigureOf(later, name).value, FigureOf(both, name).value) << name;
        EXPECT_EQ(FigureOf(later, name).error, FigureOf(both, name).error) << name;
    }
    EXPECT_EQ(later.notes, both.notes);
}

// A sweep narrower than the five digits the engine prints: every row keeps
// the frequency it was solved at, the design frequency's once.
TEST(Simulation, NarrowSweepRowsKeepTheirFrequencies)
{
    const NecModel m =
        ModelFromDesign(Designed([](DesignEntry& e) { e.Directors = "2"; }), Feed::SingleDipole);
    SimulationSettings settings;
    settings.sweepPercent = 0.1;
    settings.points = 101;
    RunControl c;
    c.engine = TAVORA_NEC2C;
    const SimulationResult r = tavora::Run(m, settings, c);
    const Sweep asked = SweepAround(m.frequency, settings.sweepPercent, settings.points);
    ASSERT_EQ(r.sweep.size(), 101u);
    for (int i = 0; i < asked.points; ++i)
        EXPECT_EQ(r.sweep[static_cast<size_t>(i)].frequency, asked.At(i)) << i;
}

#endif
