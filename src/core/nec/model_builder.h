// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nec/model.h"
#include "state/design_state.h"

#include <string>

namespace tavora {

// Chords each semicircular bend of the folded dipole is drawn with, where
// they stay kExtendedKernelRadii long; a thick rod on a tight bend gets fewer
// (BendChords, for a bend and rod diameter in the same unit).
inline constexpr int kBendChords = 6;
inline constexpr int kMostBendChords = 8;
int BendChords(double bend, double diam, int most = kBendChords);

// The folded dipole with its straights as long as the report has them (the
// model lengthens them to keep the conductor's length) and each bend redrawn
// on its arc with up to kMostBendChords chords: the other way to draw a bend,
// for the error bars. Any other model as it is.
NecModel WithInscribedBends(const NecModel& model);

// The design the engine leaves in the state, rebuilt for a non-metal boom when
// its elements carry a boom correction (the model has no boom to cancel it).
// Runs the engine on a copy; its arithmetic errors propagate.
NecModel ModelFromDesign(const DesignState& state, Feed feed);
// The design state that model is built from, and whether it was rebuilt.
DesignState ModelledDesign(const DesignState& state);
bool BoomCorrected(const DesignState& state);

// An existing Yagi from the YO entry group; lengths for a metal boom are first
// converted to a non-metal one. Throws Error with the screen's own message
// when the entries describe no antenna.
NecModel ModelFromYoEntries(const YoEntryTexts& entries, Feed feed, char decimalSep = '.');

// The model from the numeric design members (positions from RadiatorPos and
// DirSpacing). Throws Error when a length, diameter or frequency is not positive.
// The folded dipole is the rod the report tells the builder to bend.
NecModel ModelFromMembers(const DesignState& state, Feed feed, double bendDiam);

// The model in words, for a printout's heading: "144.1 MHz, 8 directors, single dipole".
std::string ModelSummary(const NecModel& model, char decimalSep = '.');

inline constexpr const char* kNoBoomNote =
    "Modelled without the boom: element lengths for a non-metal boom (no boom correction)";
inline constexpr const char* kBendTooWide =
    "The folded dipole's bend diameter must be less than its length";
inline constexpr const char* kNotAnAntenna =
    "Element lengths, diameters and the frequency must be greater than zero";

} // namespace tavora
