#pragma once

namespace tavora {

// The speed of light in km/s as the published formulas take it: a wavelength
// in mm is the speed over the frequency in MHz. Each formula keeps the
// constant it was published with, since the lengths it gives are the ones
// builders compare with.
// The DL6WU design engine, the balun, the mounting conversion, the line
// impedance's quarter wave and the simulation's models.
inline constexpr double kLightSpeed = 299792;
// The reflector length's final scaling and the YO details screen.
inline constexpr double kLightSpeedYo = 299793;
// The gain and stacking calculators, and stacking distances from simulated
// beamwidths, which follow the stacking calculator.
inline constexpr double kLightSpeedRounded = 300000;

// The wavelength in mm at `frequency` MHz.
constexpr double WaveLength(double frequency, double speed = kLightSpeed)
{
    return speed / frequency;
}

// dBi over dBd: the half-wave dipole's gain over the isotropic radiator.
inline constexpr double kDipoleGainDbi = 2.15;
// The same as the gain and stacking formulas were published with.
inline constexpr double kDipoleGainDbiAsPublished = 2.14;

} // namespace tavora
