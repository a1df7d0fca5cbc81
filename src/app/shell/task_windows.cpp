// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/app_context.h"
#include "app/design/design_entry_window.h"
#include "app/arrays/gain_window.h"
#include "app/feedline/impedance_window.h"
#include "app/arrays/stacking_window.h"
#include "app/feedline/swr_window.h"
#include "app/exchange/yo_details_window.h"

// Each task window's header, then one AddTask line below.

namespace tavora::app {

void RegisterWindows(Registry& registry)
{
    registry.AddTask<DesignEntryWindow>(TaskId::DesignYagi);
    registry.AddTask<GainWindow>(TaskId::Gain);
    registry.AddTask<StackingWindow>(TaskId::Stacking);
    registry.AddTask<YoDetailsWindow>(TaskId::YoFile);
    registry.AddTask<SwrWindow>(TaskId::Swr);
    registry.AddTask<ImpedanceWindow>(TaskId::Impedance);
}

} // namespace tavora::app
