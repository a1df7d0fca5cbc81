// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/entry.h"
#include "exchange/yo_details.h"
#include "simulation/simulation.h"
#include "text/result_text.h"

namespace tavora {

// Figures that follow typing: the entry screens simulate what is typed now,
// at the design frequency alone, the error bars once typing has stopped.

// What a live run asks of the engine: the design frequency only, against the
// dipole's own line, the bars left to a run of their own.
SimulationSettings LiveSettings();

// The model of the entry screen's boxes as Calculate would design it, without
// the band's sizes (typing is not leaving the frequency box), refused as
// Calculate and a run refuse it.
NecModel LiveModel(const DesignEntry& entry, const DesignState& state, Feed feed,
                   char decimalSep = '.');
// The same for an existing Yagi's entries.
NecModel LiveModel(const YoEntryTexts& entries, Feed feed, char decimalSep = '.');

// The figures a builder chooses by: forward gain over the DL6WU estimate,
// F/B, feed impedance and SWR; and the model's notes.
ResultText LiveFiguresText(const SimulationResult& result, char decimalSep = '.');

inline constexpr const char* kLiveTitle = "Simulated (NEC-2)";
inline constexpr const char* kLiveUpdating = "Updating...";
inline constexpr const char* kLiveBarsFollow = "Error bars follow";

} // namespace tavora
