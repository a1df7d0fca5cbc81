// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <complex>
#include <string>

namespace tavora {

// "R + jX" with R and |X| to their decimals (a dash for a missing figure).
// The sign is that of X as printed: a reactance that prints as zero reads
// "+ j0.0", whichever side of zero it lies.
std::string ImpedanceText(std::complex<double> z, int rDecimals, int xDecimals,
                          char decimalSep = '.');

} // namespace tavora
