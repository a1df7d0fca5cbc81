// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Header-only and free of every other folder, so that any folder, the state
// included, can take the wavelength from here.

namespace tavora {

// The speed of light in km/s as the published formulas take it: a wavelength
// in mm is the speed over the frequency in MHz. Each formula keeps the
// constant it was published with, since the lengths it gives are the ones
// builders compare with.
// The DL6WU design engine and its report (the folded dipole's flat-plane
// resonance too), the balun, the mounting conversion, the line impedance's
// quarter wave, the limits given in wavelengths, and the simulation's models.
inline constexpr double kLightSpeed = 299792;
// The reflector length's final scaling and the YO details screen (its
// frequency searches and the wavelength Make Mmana stores).
inline constexpr double kLightSpeedYo = 299793;
// The gain and stacking calculators, and stacking distances from simulated
// beamwidths, which follow the stacking calculator.
inline constexpr double kLightSpeedRounded = 300000;

// The wavelength in mm at `frequency` MHz. The same division gives the
// frequency of a wavelength, and a slower `speed` the wavelength in a line.
constexpr double WaveLength(double frequency, double speed = kLightSpeed)
{
    return speed / frequency;
}

// The same in extended precision, for the line calculator's arithmetic.
constexpr long double WaveLength(long double frequency, long double speed)
{
    return speed / frequency;
}

// dBi over dBd: the half-wave dipole's gain over the isotropic radiator.
// The report, the cut list and the simulation's dBd.
inline constexpr double kDipoleGainDbi = 2.15;
// The same as the gain and stacking formulas were published with: the gain
// calculator's beamwidth from gain, the stacking calculator's gain from
// beamwidth.
inline constexpr double kDipoleGainDbiAsPublished = 2.14;

} // namespace tavora
