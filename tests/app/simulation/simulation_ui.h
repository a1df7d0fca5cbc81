// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the simulation window's tests share.

#include "app/shell/user_locale.h"
#include "design/entry.h"
#include "design/report.h"
#include "state/design_state.h"

#include <string>

namespace tavora::test {

// A run of the engine may take this long on a loaded machine.
inline constexpr int kRunLimitMs = 60000;

// The entry screen's design (a harness's state holds it in the user's
// numbers) with `directors`, calculated as Calculate leaves it.
inline void Design(DesignState& state, const char* directors = "8")
{
    DesignEntry e = GetValues(state.DesignEntry);
    e.Directors = directors;
    state = DesignFromEntry(e, state, app::UserDecimalSep());
}

} // namespace tavora::test
