#include "state/design_state.h"

namespace tavora {

DesignState::DesignState()
{
    YoEntry.fill("0");
    // The last two YO entries are the frequency source and the mounting choice.
    YoEntry[39] = "3";
    YoEntry[40] = "2";
    DesignEntry = {"144.1", "8", "7", "10", "25", "10", "50", "15", "", "", "", ""};
    GainValues = {"144.1", "4000"};
    StackingValues = {"144.1", "30", "0"};
}

} // namespace tavora
