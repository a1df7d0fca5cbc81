// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/live.h"

#include "design/report.h"
#include "nec/model_builder.h"
#include "text/format.h"

#include <algorithm>
#include <string_view>

namespace tavora {

SimulationSettings LiveSettings()
{
    SimulationSettings settings;
    settings.points = 1;
    settings.bars = false;
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
    DesignState s = state;
    YagiDoCalculate(entry, s, sep);
    std::string report;
    Yagidimensions(s, report, sep);
    return Refused(ModelFromDesign(s, feed), sep);
}

NecModel LiveModel(const YoEntryTexts& entries, Feed feed, char sep)
{
    return Refused(ModelFromYoEntries(entries, feed, sep), sep);
}

ResultText LiveFiguresText(const SimulationResult& result, char sep)
{
    const ResultText all = SimulationText(result, sep);
    ResultText text{"", all.notes, {}, {}};
    const auto starts = [](const FigureRow& row, std::string_view label) {
        return row.label.rfind(label, 0) == 0;
    };
    for (const FigureRow& row : all.figures) {
        if (starts(row, "Forward gain:")) {
            // In dBd, over the estimate in dBd.
            text.figures.push_back({row.label, row.beside.at(0), "", "", {}});
            text.figures.push_back(
                {"DL6WU estimate:", FigureText(result.estimateGainDbd, 1, sep), "dBd", "", {}});
        } else if (starts(row, "F/B (") || starts(row, "Feed impedance:") || starts(row, "SWR (")) {
            text.figures.push_back(row);
        }
    }
    // The builder's order: what he gains first, then what he matches.
    std::stable_partition(text.figures.begin(), text.figures.end(), [&](const FigureRow& row) {
        return starts(row, "Forward gain:") || starts(row, "DL6WU") || starts(row, "F/B (");
    });
    return text;
}

} // namespace tavora
