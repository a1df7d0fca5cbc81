// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/dl6wu.h"

#include "physics/physics.h"
#include "state/numbers.h"

#include <cmath>

namespace tavora {

double DirSpacingTable(int n)
{
    static const double table[] = {0.075, 0.18,  0.215, 0.25, 0.28,  0.3,   0.315,
                                   0.33,  0.345, 0.36,  0.375, 0.385, 0.39, 0.395};
    return (n >= 1 && n <= 14) ? table[n - 1] : 0.4;
}

double DirectorRelLength(double d, int n)
{
    const double p1 = Checked(std::pow(d, 0.1996));
    const double p2 = Checked(std::pow(d, 0.2078));
    return Checked((0.1794 * p1 + 0.007344) * std::exp(-0.07586 * n) + 0.5179 - 0.4328 * p2);
}

double ReflectorLength(double d, double boomCorr, double designFreq)
{
    const double ln = Checked(std::log(Checked(2 / d)));
    const double half = Checked((1 - Checked(20 / (186.8769 * ln - 320))) / 2);
    return Checked((half + boomCorr) * Checked(WaveLength(designFreq, kLightSpeedYo)));
}

double DipoleRelLength(double x, double waveLength)
{
    const double r = Checked(x / waveLength);
    return Checked((0.4777 - 1.0522 * r + 0.43363 * Checked(std::pow(r, -0.014891))) / 2);
}

double BoomCorrection(double b, char mounting)
{
    if (mounting != 'Y' && mounting != 'I')
        return 0;
    double corr = Checked(12 * b * b + 0.15 * b);
    if (0.666 * b < corr)
        corr = 0.666 * b;
    return mounting == 'I' ? corr / 2 : corr;
}

double InsertTo(double length, long double boomSize)
{
    return static_cast<double>(static_cast<long double>(RoundHalfEven(length)) / 2 - boomSize / 2);
}

double LengthTolerance(double waveLength) { return 0.003 * waveLength; }

} // namespace tavora
