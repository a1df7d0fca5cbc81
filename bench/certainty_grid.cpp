// SPDX-License-Identifier: GPL-3.0-or-later
// The simulation's figures and error bars against independently written
// decks, over the grid of designs the error bars are judged on, and the
// convergence study they are built from. Takes minutes; run by hand:
//   certainty_grid grid     every design: figure, bar, independent, covered
//   certainty_grid study    the independent model's figures against density
//   certainty_grid tune     the tune page's bands against an independent
//                           model fed across the report's gap

#include "independent/independent_deck.h"

#include "design/cut_list.h"
#include "design/entry.h"
#include "design/report.h"
#include "nec/model_builder.h"
#include "nec/pattern.h"
#include "nec/segmentation.h"
#include "simulation/simulation.h"
#include "simulation/tune.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace tavora;

namespace {

DesignState BandDesign(const std::string& mhz, int directors)
{
    DesignEntry e = FormDefaults();
    e.Frequency = mhz;
    ApplyBandDefaults(e);
    // Above 3 GHz the band's 4 mm elements, 15 mm boom and 25 mm bend are
    // more than the method takes.
    if (std::atof(mhz.c_str()) > 3000) {
        e.ElementDiam = e.RadiatorDiam = "1";
        e.BoomSection = "5";
        e.BendDiam = "5";
    }
    e.Directors = std::to_string(directors);
    return DesignFromEntry(e, DesignState{});
}

// The span of the model's feed (mm): the source's segments.
double FedSpan(const NecModel& m)
{
    const NecSource& s = m.sources.at(0);
    for (const NecWire& w : m.wires)
        if (w.tag == s.tag)
            return 1000 * std::hypot(w.x2 - w.x1, w.y2 - w.y1, w.z2 - w.z1) / w.segments * s.span;
    return 0;
}

CutList List(const DesignState& state, Feed feed)
{
    return MakeCutList(state, CutUnit::Millimetre,
                       feed == Feed::SingleDipole ? CutDipole::Single : CutDipole::Folded);
}

const char* Name(Feed feed)
{
    return feed == Feed::SingleDipole ? "single" : "folded";
}

int Grid(bool quick)
{
    RunControl control;
    std::vector<const char*> bands{"144.1", "432", "1296", "2320"};
    std::vector<int> directors{5, 10, 17, 24};
    if (quick)
        bands = {"432"}, directors = {10};
    int covered[4] = {}, zeroBars = 0, rightNotes = 0, designs = 0;
    std::printf("design | gain ours bar indep | R ours bar indep | X ours bar indep | "
                "F/B ours bar indep | rough: noted needed\n");
    for (const char* mhz : bands)
        for (int dirs : directors)
            for (Feed feed : {Feed::SingleDipole, Feed::FoldedDipole}) {
                const DesignState state = BandDesign(mhz, dirs);
                const NecModel model = ModelFromDesign(state, feed);
                SimulationSettings one;
                one.points = 1;
                const SimulationResult r = tavora::Run(model, one, control);
                // A careful modeller's check: twice our density, within range.
                independent::DeckSettings settings;
                settings.segmentsPerHalfWave = 2 * kSegmentsPerHalfWave;
                settings.feedWidth = FedSpan(model);
                const CutList list = List(state, feed);
                const auto ind = independent::Solve(
                    {independent::Deck(list, state.DesignFreq, settings)}, control)[0];
                const Uncertain figures[4] = {FigureOf(r, "gain_dbi"), FigureOf(r, "feed_r_ohm"),
                                              FigureOf(r, "feed_x_ohm"),
                                              FigureOf(r, "front_to_back_db")};
                const double theirs[4] = {ind.gainDbi, ind.z.real(), ind.z.imag(), ind.frontToBack};
                std::printf("%s/%d %s", mhz, dirs, Name(feed));
                for (int k = 0; k < 4; ++k) {
                    const bool in = std::abs(figures[k].value - theirs[k]) <= figures[k].error;
                    covered[k] += in;
                    zeroBars += !(figures[k].error > 0);
                    std::printf(" | %.3f %.3f %.3f %s", figures[k].value, figures[k].error,
                                theirs[k], in ? "ok" : "OUT");
                }
                bool noted = false;
                for (const std::string& n : r.notes)
                    noted = noted || n.find("rough") != std::string::npos;
                const bool needed = std::abs(figures[0].value - theirs[0]) > 0.05 ||
                                    std::abs(figures[1].value / theirs[1] - 1) > 0.03;
                rightNotes += noted == needed;
                ++designs;
                std::printf(" | %s %s%s | moved gain %.3f R %.2f %%, off gain %.3f R %.2f %% h/r %.1f\n",
                            noted ? "yes" : "no", needed ? "yes" : "no",
                            noted == needed ? "" : " WRONG", r.coarse->gainDbi - r.gainDbi,
                            100 * (r.coarse->impedance.real() / r.impedance.real() - 1),
                            theirs[0] - figures[0].value, 100 * (theirs[1] / figures[1].value - 1),
                            TypicalSegmentRadii(model));
                for (const std::string& n : r.notes)
                    std::printf("    %s\n", n.c_str());
                std::fflush(stdout);
            }
    std::printf("covered of %d: gain %d, R %d, X %d, F/B %d; zero bars %d; notes right %d\n",
                designs, covered[0], covered[1], covered[2], covered[3], zeroBars, rightNotes);
    return 0;
}

// Each band's 10-director design, both dipoles: our figures and the half
// density's beside independent decks at our density, twice and four times it
// (never below 2 radii), the table the manual's simulation page shows.
int Study()
{
    RunControl control;
    std::printf("| MHz | dipole | segment / radius | gain: half, ours, 1x, 2x, 4x (dBi) | "
                "R: half, ours, 1x, 2x, 4x (ohm) |\n");
    for (const char* mhz : {"50", "144.1", "432", "1296", "2320", "5760", "10000"})
        for (Feed feed : {Feed::SingleDipole, Feed::FoldedDipole}) {
            const DesignState state = BandDesign(mhz, 10);
            const NecModel model = ModelFromDesign(state, feed);
            SimulationSettings one;
            one.points = 1;
            const SimulationResult r = tavora::Run(model, one, control);
            std::vector<std::string> decks;
            for (double factor : {1, 2, 4}) {
                independent::DeckSettings s;
                s.segmentsPerHalfWave = factor * kSegmentsPerHalfWave;
                s.feedWidth = FedSpan(model);
                decks.push_back(independent::Deck(List(state, feed), state.DesignFreq, s));
            }
            const auto f = independent::Solve(decks, control);
            std::printf("| %s | %s | %.1f | %.3f, %.3f, %.3f, %.3f, %.3f | %.1f, %.1f, %.1f, %.1f, "
                        "%.1f |\n",
                        mhz, Name(feed), TypicalSegmentRadii(model),
                        r.coarse ? r.coarse->gainDbi : NAN, r.gainDbi, f[0].gainDbi, f[1].gainDbi,
                        f[2].gainDbi, r.coarse ? r.coarse->impedance.real() : NAN,
                        r.impedance.real(), f[0].z.real(), f[1].z.real(), f[2].z.real());
            std::fflush(stdout);
        }
    return 0;
}


// Where the independent model with the report's gap comes to X = 0 and to its
// lowest SWR: its driven element cut at lengths round DL6WU's, then the bracket
// read by linear (X) and parabolic (SWR) interpolation.
struct IndependentTune {
    double resonance = NAN, match = NAN;
};

IndependentTune TuneIndependently(const DesignState& state, Feed feed, double z0,
                                  const RunControl& control)
{
    independent::DeckSettings settings;
    settings.segmentsPerHalfWave = 2 * kSegmentsPerHalfWave;
    settings.feedWidth = state.FeedGap > 0 ? state.FeedGap : 0;
    const double l0 = feed == Feed::SingleDipole ? state.DipoleLength : state.FoldedLength;
    std::vector<double> lengths;
    std::vector<std::string> decks;
    for (double step = -0.1; step <= 0.1 + 1e-9; step += 0.0025) {
        DesignState s = state;
        (feed == Feed::SingleDipole ? s.DipoleLength : s.FoldedLength) = l0 * (1 + step);
        lengths.push_back(l0 * (1 + step));
        decks.push_back(independent::Deck(List(s, feed), s.DesignFreq, settings));
    }
    const auto f = independent::Solve(decks, control);
    IndependentTune t;
    // |reflection|^2 is smooth at its least, where the SWR has a corner.
    const auto swr = [z0](std::complex<double> z) { return std::norm((z - z0) / (z + z0)); };
    size_t best = 0;
    for (size_t i = 0; i < f.size(); ++i) {
        if (swr(f[i].z) < swr(f[best].z))
            best = i;
        if (i > 0 && std::isnan(t.resonance) && (f[i - 1].z.imag() < 0) != (f[i].z.imag() < 0)) {
            const double x0 = f[i - 1].z.imag(), x1 = f[i].z.imag();
            t.resonance = lengths[i - 1] - x0 * (lengths[i] - lengths[i - 1]) / (x1 - x0);
        }
    }
    t.match = lengths[best];
    if (best > 0 && best + 1 < f.size()) {
        const double y0 = swr(f[best - 1].z), y1 = swr(f[best].z), y2 = swr(f[best + 1].z);
        const double h = lengths[best + 1] - lengths[best];
        t.match += h * (y0 - y2) / (2 * (y0 - 2 * y1 + y2));
    }
    return t;
}

int Tune()
{
    RunControl control;
    int held = 0, cases = 0;
    std::printf("design | match: band / independent | resonance: band / independent | "
                "SWR: DL6WU, suggested\n");
    for (const char* mhz : {"144.1", "432", "1296"})
        for (int dirs : {10, 24})
            for (Feed feed : {Feed::SingleDipole, Feed::FoldedDipole}) {
                const DesignState state = BandDesign(mhz, dirs);
                TuneSettings settings;
                settings.simulation.points = 1;
                settings.sweepBefore = false;
                const TuneResult r = tavora::Run(TuneSubjectOf(state, feed), settings, control);
                const IndependentTune ind = TuneIndependently(state, feed, r.z0, control);
                const LengthBand match = r.Band(false);
                bool ok = match.Holds(ind.match);
                std::printf("%s/%d %s | %.1f (%.1f-%.1f; gap %.1f wide %.1f density %.1f) / %.1f %s",
                            mhz, dirs, Name(feed), match.length, match.low, match.high,
                            match.gapLength, match.wideLength, match.density, ind.match,
                            match.Holds(ind.match) ? "ok" : "OUT");
                if (r.ShowsResonance()) {
                    const LengthBand res = r.Band(true);
                    ok = ok && res.Holds(ind.resonance);
                    std::printf(" | %.1f (%.1f-%.1f; gap %.1f wide %.1f density %.1f) / %.1f %s",
                                res.length, res.low, res.high, res.gapLength, res.wideLength,
                                res.density, ind.resonance, res.Holds(ind.resonance) ? "ok" : "OUT");
                } else {
                    std::printf(" | none / %.1f", ind.resonance);
                }
                std::printf(" | %.3f %.3f%s\n", Swr(r.own.solves.front().impedance, r.z0),
                            Swr(r.Tuned().impedance, r.z0), r.Changes() ? " changes" : "");
                held += ok;
                ++cases;
                std::fflush(stdout);
            }
    std::printf("bands hold the independent lengths in %d of %d\n", held, cases);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "grid")
        return Grid(argc > 2 && std::strcmp(argv[2], "--quick") == 0);
    if (what == "study")
        return Study();
    if (what == "tune")
        return Tune();
    if (what == "bars" && argc == 5) { // MHZ DIRECTORS single|folded: the bar models' decks
        const Feed feed = std::strcmp(argv[4], "folded") == 0 ? Feed::FoldedDipole : Feed::SingleDipole;
        const NecModel model = ModelFromDesign(BandDesign(argv[2], std::atoi(argv[3])), feed);
        std::fputs(JobDeck({model, true, {}}).c_str(), stdout);
        for (const NecModel& m : BarModels(model))
            std::fputs(JobDeck({m, false, {{m.frequency, 0, 1}}}).c_str(), stdout);
        return 0;
    }
    if (what == "deck" && argc >= 6) { // MHZ DIRECTORS single|folded DENSITY [FEED_MM]
        const Feed feed = std::strcmp(argv[4], "folded") == 0 ? Feed::FoldedDipole : Feed::SingleDipole;
        const DesignState state = BandDesign(argv[2], std::atoi(argv[3]));
        independent::DeckSettings s;
        s.segmentsPerHalfWave = std::atof(argv[5]);
        s.feedWidth = argc > 6 ? std::atof(argv[6]) : FedSpan(ModelFromDesign(state, feed));
        std::fputs(independent::Deck(List(state, feed), state.DesignFreq, s).c_str(), stdout);
        return 0;
    }
    std::fprintf(stderr, "usage: certainty_grid grid [--quick] | study\n");
    return 2;
}
