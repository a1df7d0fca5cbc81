// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/simulation.h"

#include <string>

namespace tavora {

// The sweep as a Touchstone 1.1 one-port file (.s1p): S11 of the feed
// impedance against the SWR reference, real and imaginary, frequencies in MHz,
// the reference on the "#" option line. VNA programs load it as a trace.
std::string TouchstoneS1p(const SimulationResult& result);

} // namespace tavora
