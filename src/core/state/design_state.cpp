// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/design_state.h"

namespace tavora {

DesignState::DesignState()
{
    YoEntry.fill("0");
    // The last two YO entries are the frequency source and the mounting choice.
    YoEntry[39] = "3";
    YoEntry[40] = "2";
    // The entry screen's own sizes and choices (round boom, non-metal boom,
    // round elements, fully insulated dipole), so that a first opening can
    // calculate whatever shape is then chosen; the command line starts here too.
    DesignEntry = {"144.1", "8", "7", "10", "25", "10", "50", "15", "2", "7", "2", "12001"};
    GainValues = {"144.1", "4000"};
    StackingValues = {"144.1", "30", "0"};
}

} // namespace tavora
