// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavora {

// The DL6WU long-Yagi formulas. Ratios are to the wavelength; lengths in mm.
// The YO estimate keeps its own copy (exchange/yo_details.cpp), deliberately
// unlike these in the boom correction (see BoomCorrection).

// Spacing of director n from the previous element, in wavelengths.
double DirSpacingTable(int n);

// Director n's length in wavelengths before the boom correction; d = diameter / wavelength.
double DirectorRelLength(double d, int n);

// Reflector length in mm; the last factor is the wavelength at kLightSpeedYo,
// not the design's kLightSpeed.
double ReflectorLength(double d, double boomCorr, double designFreq);

// Straight dipole length in wavelengths for a radiator diameter x mm.
double DipoleRelLength(double x, double waveLength);

// Length added to every parasitic element, in wavelengths, for a boom ratio b
// and the mounting 'Y', 'I' or other. Capped at 0.666 b before insulated
// elements halve it; the YO estimate halves first (YoBoomCorrection in
// exchange/yo_details.h).
double BoomCorrection(double b, char mounting);

// Distance from an element's tip to the near edge of the boom.
double InsertTo(double length, long double boomSize);

double LengthTolerance(double waveLength);

} // namespace tavora
