// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nec/model.h"
#include "nec/pattern.h"
#include "nec/runner.h"

#include <complex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavora {

// The one way the questions reach the engine: they say what they want of each
// model, and get back figures, never decks or the engine's text.

// One model and what is asked of it.
struct NecJob {
    NecModel model;
    bool patterns = false;     // both pattern cuts at the model's frequency, solved first
    std::vector<Sweep> sweeps; // the feed and the forward and backward gain at every point
    FineSteps fine{};          // finer steps about forward in both cuts
};

// What the engine gave for one frequency.
struct SolvedFrequency {
    // MHz as the job asked for it; read from an output without its job, as
    // the engine printed it, to five digits.
    double frequency = 0;
    // Each source's impedance in the model's order, a source on a pair of
    // segments the two in series; a model without sources has the first printed.
    std::vector<std::complex<double>> feeds;
    double forwardGain = 0;  // dBi along +x (theta 90, phi 0), NaN when not computed
    double backwardGain = 0; // dBi along -x (theta 90, phi 180)
    double efficiency = 0;   // percent
    std::complex<double> Feed() const { return feeds.at(0); }
};

struct PatternCuts {
    PatternCut ePlane{}, hPlane{};
    FineCut eFine{}, hFine{}; // empty unless the job asked for finer steps
};

// One job's figures: its frequencies in the order its deck asks for them, the
// cuts' first, and the cuts of that first frequency when they were asked for.
struct Solution {
    std::vector<SolvedFrequency> frequencies;
    std::optional<PatternCuts> cuts;
};

// How a run's decks go to the engines. Size 0: every deck at once, progress
// counting frequencies over them all. Otherwise at most `size` decks at once,
// progress going on from `done` of `total` decks (one per core rather than a
// process per deck for a run of many).
struct Batches {
    int size = 0;
    int done = 0;
    int total = 0;
};

// Writes each job's deck (mirrored where the model allows), runs them as
// `batches` says, and reads the figures. Throws as RunDecks does, and Error
// when a source's impedance is missing.
std::vector<Solution> Solve(const std::vector<NecJob>& jobs, const RunControl& control,
                            const Batches& batches = {});

// The deck Solve writes for a job.
std::string JobDeck(const NecJob& job);

// The figures of engine outputs already at hand (recorded ones), one per
// output; the cuts are read from each output's first frequency.
std::vector<Solution> SolutionsFromOutputs(const NecModel& model,
                                           const std::vector<std::string>& outputs);

} // namespace tavora
