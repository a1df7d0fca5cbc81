// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nec/solve.h"
#include "text/csv.h"
#include "text/result_text.h"

#include <array>
#include <complex>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tavora {

// How a builder's errors spread within the tolerance.
enum class ErrorDistribution { Uniform, Normal };

inline constexpr int kDefaultBuilds = 100, kMostBuilds = 10000;
inline constexpr double kDefaultPositionTol = 1; // mm

struct ToleranceSettings {
    int builds = kDefaultBuilds;
    // mm either way; NaN takes the report's (DefaultLengthTolerance)
    double lengthTol = std::numeric_limits<double>::quiet_NaN();
    double positionTol = kDefaultPositionTol; // mm either way along the boom
    ErrorDistribution distribution = ErrorDistribution::Uniform;
    std::uint64_t seed = 1;
    double z0 = 0;     // SWR reference; 0 takes the dipole's own
    int processes = 0; // engines at once; 0 takes one per core
};

inline constexpr const char* kBuildsBox = "Builds";
inline constexpr const char* kLengthTolBox = "Length tolerance (mm)";
inline constexpr const char* kPositionTolBox = "Position tolerance (mm)";

// The report's tolerance for element lengths at the model's frequency (mm).
double DefaultLengthTolerance(const NecModel& model);

// The settings' length tolerance, or the report's where they have none.
double LengthTolerance(const ToleranceSettings& settings, const NecModel& model);

// Refuses, before the engine runs, what the simulation refuses of the model,
// a build count outside 1 to kMostBuilds and tolerances that are negative or
// a twentieth of a wavelength and more (past that the elements of a dense
// Yagi could cross).
void Refuse(const ToleranceSettings& settings, const NecModel& model, char decimalSep = '.');
// The decks as the progress bar counts them: the nominal design, every
// build, all long and all short, and four per element.
int RunSize(const ToleranceSettings& settings, const NecModel& model);

// Errors in mm for `count` elements, each within ±tolerance: uniform, or
// normal with sigma = tolerance / 2 and drawn again when outside. The numbers
// come from the engine's raw output alone, so a seed gives the same errors
// with every standard library.
std::vector<double> RandomErrors(std::mt19937_64& engine, int count, double tolerance,
                                 ErrorDistribution distribution);

// The model with each element `length[e]` mm longer, the same either side of
// its centre, and `position[e]` mm further forward; cut into segments again.
NecModel Perturbed(const NecModel& model, const std::vector<double>& length,
                   const std::vector<double>& position);

// What each build is judged by, at the design frequency.
struct BuildFigures {
    std::complex<double> impedance;
    double gainDbi = 0;
    double frontToBack = 0;
    double swr = 0;
};

struct Build {
    std::vector<double> length, position; // errors per element, mm
    BuildFigures figures;
};

// Equal-width bins from `low`.
struct Histogram {
    double low = 0;
    double width = 0;
    std::vector<int> counts;
};

struct Spread {
    double median = 0, p5 = 0, p95 = 0;
    double worst = 0; // the least gain or F/B, the highest SWR
    Histogram histogram;
};

// The three figures in the order every table shows them.
enum class Judged { Gain, FrontToBack, Swr };
inline constexpr std::array<Judged, 3> kJudged{Judged::Gain, Judged::FrontToBack, Judged::Swr};
double Value(const BuildFigures& figures, Judged figure);
const char* JudgedName(Judged figure); // "Gain (dBi)", ...

// Linear between the ranks (the 5th of 100 values lies between the 5th and
// 6th smallest); NaN for no values.
double Percentile(std::vector<double> values, double percent);
Spread SpreadOf(const std::vector<double>& values, Judged figure, int bins = 12);

// The change one element makes per mm longer and per mm further forward.
struct Sensitivity {
    int element = 0;
    // Half the difference between the element 1 mm long and 1 mm short (1 mm
    // forward and 1 mm back): the slope, also where the figure is least.
    BuildFigures perMmLength, perMmPosition;
};

// Every element cut long (or short) by the length tolerance.
struct Systematic {
    double lengthError = 0;    // mm, + long
    double frequencyShift = 0; // MHz the antenna's response moves by
    BuildFigures figures;
};

struct ToleranceResult {
    NecModel model;
    ToleranceSettings settings;
    double z0 = 50;
    BuildFigures nominal;
    std::vector<Build> builds;
    std::array<Spread, 3> spreads; // in kJudged's order
    std::vector<Sensitivity> sensitivity;
    Systematic longer, shorter;
};

// The response of elements cut `error` mm long moves down in frequency by
// about the ratio of their lengths: each element resonates at f L / (L + e);
// the shift is that averaged over the elements (MHz).
double SystematicShift(const NecModel& model, double error);

// The nominal model, every random build, each element alone 1 mm longer and
// shorter and 1 mm forward and back, and all long and all short: one deck each at the design
// frequency with the forward and backward gain only, at most ProcessCount
// engines at once. Progress counts decks over the whole run; Cancel and the
// engine's errors as Solve.
ToleranceResult Run(const NecModel& model, const ToleranceSettings& settings,
                    const RunControl& control);

// Each model solved at its frequency for the figures above, `processes`
// engines at a time; progress counts models.
std::vector<BuildFigures> SolveModels(const std::vector<NecModel>& models, double z0, int processes,
                                      const RunControl& control);
// The figures of a model's solution as the same run reads them.
BuildFigures FiguresFromSolution(const Solution& solution, double z0);

// The run's settings as the heading; the spread and the systematic errors as
// the first two tables, the change per mm of each element as the third.
ResultText ToleranceText(const ToleranceResult& result, char decimalSep = '.');
// Comma separated with point decimals: "builds", every build's errors and
// figures; "spread", "systematic" and "sensitivities".
CsvTables ToleranceCsv(const ToleranceResult& result);

} // namespace tavora
