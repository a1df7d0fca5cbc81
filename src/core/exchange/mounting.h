// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/entry.h"
#include "state/design_state.h"

namespace tavora {

// Boom correction in mm at `designFreq` MHz for a boom of `boomDiam` mm, for
// elements bonded through a metal boom (the design's wavelength, kLightSpeed).
double BoomCorrection(double designFreq, double boomDiam);

// Length added when elements move from mounting `from` to `to` (item numbers
// 0 bonded, 1 insulated, 2 non-metal); `from` outside 0..2 gives none.
double MountingShift(int from, int to, double boomCorr);

// Converts the 17 parasitic lengths of the YO entry group from the mounting in
// entry 41 to `to` and stores `to` in entry 41. Shifted lengths are rounded to
// whole mm, halves to even; with no shift a length is only reformatted, never
// rounded. A text that is not a number throws before anything changes.
void DoTheConversion(YoEntryTexts& entries, Mounting to, char decimalSep = '.');

} // namespace tavora
