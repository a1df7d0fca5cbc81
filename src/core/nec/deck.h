// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nec/model.h"
#include "nec/pattern.h"

#include <string>
#include <vector>

namespace tavora {

inline constexpr double kAluminiumConductivity = 3.72e7; // S/m

// How a deck is written. Whole: every wire, as other NEC-2 programs and their
// users read it. Mirrored, for our own runs: where the model is symmetric
// about the plane y = 0 (MirrorSymmetric), the half with y >= 0 and a GX card
// that reflects it, so that the engine factors two half-size blocks instead of
// one full matrix; any other model is written whole.
enum class DeckForm { Whole, Mirrored };

// The deck text. Pattern cuts (E plane, H plane, 1 degree steps, and `fine`
// steps about forward where it has any) at the model's frequency when
// `patterns`; forward and backward gain over `sweep` when it has points.
std::string NecDeck(const NecModel& model, bool patterns, const std::vector<Sweep>& sweeps,
                    DeckForm form = DeckForm::Whole, FineSteps fine = {});

// The deck the design exports for other NEC-2 programs: patterns at the
// design frequency and the default sweep around it.
std::string ExportDeck(const NecModel& model);

// Whether the model is its own mirror image in the plane y = 0, as the GX
// card needs: each wire that crosses the plane is its own image and is cut
// there (an even count), every other wire has its image on the other side,
// none lies in the plane, and every source is the pair at the centre of a wire
// that crosses it.
bool MirrorSymmetric(const NecModel& model);

// Number text for the deck: a point, never the locale's separator.
std::string DeckNumber(double value);

} // namespace tavora
