#pragma once

// What the simulation window's tests share.

#include "design/entry.h"
#include "design/report.h"
#include "state/design_state.h"

#include <string>

namespace tavora::test {

// A run of the engine may take this long on a loaded machine.
inline constexpr int kRunLimitMs = 60000;

// The default design with `directors`, calculated as Calculate leaves it.
inline void Design(DesignState& state, const char* directors = "8")
{
    DesignEntry e = FormDefaults();
    e.Directors = directors;
    YagiDoCalculate(e, state);
    std::string report;
    Yagidimensions(state, report);
}

} // namespace tavora::test
