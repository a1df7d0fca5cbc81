#pragma once

#include "nec/model.h"

#include <optional>

namespace tavora {

// How the model is cut into segments, after NEC-2's modelling guidelines. All
// the rules live in SegmentModel; the manual's simulation page explains them.

// The density every model is cut at, in segments per half wave.
inline constexpr int kSegmentsPerHalfWave = 21;
// The density of the second, finer solve that gives each figure its
// uncertainty: twice ours, the guidelines' own test of a segmentation. Near
// the kernel's limits a figure need not move steadily with the density (at
// 2320 MHz R moved 1.6 % at 1.6 times, 5.8 % at twice), so no smaller step
// scaled up tells how far twice the density moves it.
inline constexpr double kFinerDensity = 2;

// Sets every wire's segment count for about `density` segments per half wave,
// the kernel, and the notes where the model is outside the engine's valid range.
void SegmentModel(NecModel& model, double density);

// The same model with every wire cut into `factor` times as many segments,
// the limits of SegmentModel left aside; its notes are the original's.
NecModel Refined(const NecModel& model, double factor = kFinerDensity);

// The same model with the driven element's fed segments, and one either side,
// `factor` times as long: the engine's feed acts like a gap as wide as they
// are, so this measures what the feed's width, which the model cannot know
// from the build, does to the reactance. None where the fed wire is too short
// to hold even the fed pair widened.
inline constexpr double kFeedWidening = 2;
std::optional<NecModel> FeedWidened(const NecModel& model, double factor = kFeedWidening);

} // namespace tavora
