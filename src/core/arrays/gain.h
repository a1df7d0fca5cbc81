#pragma once

namespace tavora {

// Gain in dBd of a Yagi whose last element is x mm from the reflector.
double GainVK3AUU(double x, double waveLength);

// Estimated 3 dB beamwidth in degrees from a gain in dBd.
double BeamwidthFromGain(double gainDbd);

} // namespace tavora
