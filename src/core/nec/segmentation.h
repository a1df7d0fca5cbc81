// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nec/model.h"

#include <optional>

namespace tavora {

// How the model is cut into segments, after NEC-2's modelling guidelines. All
// the rules live in SegmentModel; the manual's simulation page explains them.

// The standard kernel puts the current on the wire's axis and is good to
// about 1 % down to segments 8 radii long; the extended thin-wire kernel (EK)
// puts it on the surface and holds down to about 2 radii.
inline constexpr double kStandardKernelRadii = 8;
inline constexpr double kExtendedKernelRadii = 2;

// The density every model is cut at, in segments per half wave.
inline constexpr int kSegmentsPerHalfWave = 21;
// Sets every wire's segment count for about `density` segments per half wave,
// the kernel, and the notes where the model is outside the engine's valid range.
void SegmentModel(NecModel& model, double density);

// Whether every segment is long enough for the standard kernel as well.
bool StandardKernelHolds(const NecModel& model);

// The median wire's segment length in radii (bends left aside).
double TypicalSegmentRadii(const NecModel& model);

// The length of each of the fed segments (metres).
double FeedSegment(const NecModel& model);

// The same model with the driven element's fed segments, and one either side,
// `centre` metres long each, the rest of its wire as it was: the engine's feed
// acts like a gap as wide as they are, so this gives the feed another width.
// None where the fed wire is too short to hold even the fed pair.
std::optional<NecModel> WithFeedSegments(const NecModel& model, double centre);

// The same model fed as the builder feeds it: one segment as wide as the gap
// at the driven element's centre, a neighbour as long either side. It
// crosses the mirror plane, so the engine solves the whole antenna.
std::optional<NecModel> WithFedGap(const NecModel& model, double gap);

// The feed `factor` times as wide as the model's.
inline constexpr double kFeedWidening = 2;
std::optional<NecModel> FeedWidened(const NecModel& model, double factor = kFeedWidening);

// The model with every wire's segment count scaled by `factor` (none longer
// than a tenth of a wave); Recut also makes the fed segments `feedSegment`
// metres long. At half the density, how far the figures move is the
// density's share of their uncertainty, and a feed of another width
// measures the feed's share.
inline constexpr double kCoarserDensity = 0.5;
NecModel Recounted(const NecModel& model, double factor);
std::optional<NecModel> Recut(const NecModel& model, double factor, double feedSegment);

} // namespace tavora
