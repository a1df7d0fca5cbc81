// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/impedance_text.h"

#include "text/format.h"

namespace tavora {

std::string ImpedanceText(std::complex<double> z, int rDecimals, int xDecimals, char sep)
{
    const std::string x = FigureText(std::abs(z.imag()), xDecimals, sep);
    const bool printsZero = x.find_first_of("123456789") == std::string::npos;
    return FigureText(z.real(), rDecimals, sep) + (z.imag() < 0 && !printsZero ? " - j" : " + j") +
           x;
}

} // namespace tavora
