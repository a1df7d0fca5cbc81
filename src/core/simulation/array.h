// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/simulation.h"

#include <complex>
#include <optional>
#include <string>
#include <vector>

namespace tavora {

// How the Yagis of an array stand: one above the other, side by side, or
// four in a 2 x 2 box.
enum class Arrangement { Vertical, Horizontal, Box };

// Copies of `single` (its wires and segments, new tags), `vertical` metres
// apart in z and `horizontal` metres apart in y as the arrangement uses them,
// centred on the single Yagi's axis, each fed on its own driven element with
// the single Yagi's voltage, in phase.
NecModel ArrayModel(const NecModel& single, Arrangement arrangement, double vertical,
                    double horizontal);

// The least spacing (mm) at which the copies keep clear of each other in
// that direction: the Yagi's extent across it and a few wire radii.
double ClearSpacing(const NecModel& single, bool vertical);

inline constexpr int kDefaultSpacingPoints = 11, kMaxSweepPoints = 101;
inline constexpr double kDefaultSideLobeLimit = -15; // dB

struct ArraySettings {
    Arrangement arrangement = Arrangement::Vertical;
    // mm; the vertical spacing for vertical and box, the horizontal one side
    // by side. A box keeps the rule's ratio of horizontal to vertical. Zero
    // takes the rule's spacing.
    double spacing = 0;
    // The sweep in mm; `sweepFrom` and `sweepTo` zero take kSweepFrom and
    // kSweepTo times the rule's spacing. No points, no sweep.
    double sweepFrom = 0, sweepTo = 0;
    int sweepPoints = kDefaultSpacingPoints;
    double sideLobeLimit = kDefaultSideLobeLimit; // dB under the forward gain
    int processes = 0;                            // decks at once; 0 takes one per core
};

inline constexpr double kSweepFrom = 0.5, kSweepTo = 2;
// The best spacing's search after the sweep: rounds of points solved at once.
inline constexpr int kSearchRounds = 5, kSearchPoints = 4;
inline constexpr double kNearBest = 0.1; // dB: the spacings the page gives as good as the best
inline constexpr const char* kSpacingBox = "Spacing in mm";
inline constexpr const char* kSweepBox = "Sweep spacings in mm";
inline constexpr const char* kSweepPointsBox = "Sweep points";
inline constexpr const char* kSideLobeBox = "Side lobe level in dB";

// The array at one spacing.
struct ArrayPoint {
    double spacing = 0;                      // mm, as ArraySettings::spacing
    double horizontalSpacing = 0;            // mm, a box's other spacing (else 0)
    SimulationResult result;                 // the figures at the sum of the feeds
    std::vector<std::complex<double>> feeds; // each Yagi's feed impedance
    double overOne = 0;                      // dB over one Yagi
    double worstSideLobe = 0;                // the stronger first side lobe of the cuts
};

struct ArrayResult {
    Arrangement arrangement = Arrangement::Vertical;
    SimulationResult single;   // one Yagi at the same segmentation
    double ruleSpacing = 0;    // mm: the stacking rule on the single Yagi's simulated beamwidth
    double ruleHorizontal = 0; // mm: a box's other rule spacing
    double sideLobeLimit = -15;
    ArrayPoint at;     // at the spacing asked for
    ArrayPoint atRule; // at the rule's spacing
    std::vector<ArrayPoint> sweep;
    std::vector<ArrayPoint> search; // the best spacing's search, in the order solved
    // The largest gain among the sweep and the search whose worst side lobe
    // is no higher than at the rule's spacing; none where no spacing is.
    std::optional<ArrayPoint> best;
    // mm: the spacings around the best whose gain is within kNearBest of its
    // gain, interpolated between the solved ones; NaN without a best.
    double nearFrom = 0, nearTo = 0;
    // The largest solved spacing whose side lobes are below the limit, and
    // (mm) the least one from which every solved spacing up to it has them
    // below too; none where no spacing has.
    std::optional<ArrayPoint> clean;
    double cleanFrom = 0;
    std::vector<std::string> notes;
};

// The rule's spacing for the arrangement from one Yagi's figures: vertical
// from the H plane, horizontal from the E plane; a box's vertical first.
std::pair<double, double> RuleSpacing(const SimulationResult& single, Arrangement arrangement);

// Refuses settings no array answers: a spacing or sweep bound negative,
// a sweep from above its end, fewer than 2 or more than kMaxSweepPoints
// points, a side lobe level not below 0 dB.
void RefuseArray(const ArraySettings& settings, char decimalSep = '.');
// Refuses a sweep of other than 2 to kMaxSweepPoints whole points.
void RefuseSweepPoints(double points);
// What the simulation refuses of the single Yagi, the settings as above, and
// a spacing or sweep bound beyond kStackSpacingRange.
void Refuse(const ArraySettings& settings, const NecModel& single, char decimalSep = '.');
// The decks as the progress bar counts them: one Yagi, the spacing asked
// for, the rule's, every sweep point and, after a sweep, the search.
int RunSize(const ArraySettings& settings, const NecModel& single);

// One Yagi, then the array at the spacing asked for, at the rule's spacing
// and at every sweep point, then the search for the best spacing between
// the sweep's neighbours of the best it found, at most ProcessCount decks at
// once; progress counts every deck of the run. The cuts take finer steps
// about forward where whole degrees would miss the array's lobes. Throws
// Error when the Yagis would touch at the spacing asked for (sweep points
// where they would are left out, with a note), SimulationCancelled on Cancel.
ArrayResult Run(const NecModel& single, const ArraySettings& settings, const RunControl& control);

// The heading; the figures, the first "Stacked gain:" with the dB over one
// Yagi beside it, then the notes; the sweep table with the rule's spacing,
// the best spacing, the spacings near its gain and the last clean spacing as
// its summary.
ResultText ArrayText(const ArrayResult& result, char decimalSep = '.');
// For spreadsheets (comma separated, point decimals): "figures", "feeds",
// "spacings" (the sweep), and "pattern", both cuts beside the single Yagi's.
CsvTables ArrayCsv(const ArrayResult& result);

} // namespace tavora
