#include "arrays/gain.h"

#include "state/numbers.h"

#include <cmath>

namespace tavora {

double GainVK3AUU(double x, double waveLength)
{
    const double ratio = Checked(x / waveLength);
    return Checked(3.39 * Checked(std::log(ratio)) + 9.15);
}

double BeamwidthFromGain(double gainDbd)
{
    // 2.303 stands for ln 10, as the formula is published.
    const double power = Checked(std::exp(2.303 * (gainDbd + 2.14) / 10));
    return Checked(std::sqrt(Checked(41253 / power)));
}

} // namespace tavora
