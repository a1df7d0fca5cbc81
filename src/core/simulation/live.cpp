// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/live.h"

#include "nec/model_builder.h"
#include "text/format.h"

#include <algorithm>
#include <string_view>

namespace tavora {

SimulationSettings LiveSettings()
{
    SimulationSettings settings = FiguresOnly();
    // One engine at a time: typing goes on beside it.
    settings.processes = 1;
    return settings;
}

namespace {

NecModel Refused(NecModel model, char sep)
{
    Refuse(LiveSettings(), model, sep);
    return model;
}

} // namespace

NecModel LiveModel(const DesignEntry& entry, const DesignState& state, Feed feed, char sep)
{
    return Refused(ModelFromDesign(DesignFromEntry(entry, state, sep), feed), sep);
}

NecModel LiveModel(const YoEntryTexts& entries, Feed feed, char sep)
{
    return Refused(ModelFromYoEntries(entries, feed, sep), sep);
}

ResultText LiveFiguresText(const SimulationResult& result, char sep)
{
    const ResultText all = SimulationText(result, sep);
    const auto row = [&all](std::string_view label) {
        return *std::find_if(all.figures.begin(), all.figures.end(), [label](const FigureRow& r) {
            return r.label.rfind(label, 0) == 0;
        });
    };
    // What he gains first, in dBd over the estimate in dBd; then what he matches.
    const FigureRow gain = row("Forward gain:");
    return {"",
            all.notes,
            {{gain.label, gain.beside.at(0), "", "", {}},
             {"DL6WU estimate:", FigureText(result.estimateGainDbd, 1, sep), "dBd", "", {}},
             row("F/B ("),
             row("Feed impedance:"),
             row("SWR (")},
            {}};
}

} // namespace tavora
