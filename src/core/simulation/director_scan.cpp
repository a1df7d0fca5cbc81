// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/director_scan.h"

#include "design/entry.h"
#include "nec/model_builder.h"
#include "state/errors.h"
#include "text/csv.h"
#include "text/format.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavora {

namespace {

std::string Count(int directors)
{
    return std::to_string(directors) + (directors == 1 ? " director" : " directors");
}

// The row whose figure is best by `better`; NaN figures never are.
template <class Figure, class Better>
int BestRow(const std::vector<ScanRow>& rows, Figure figure, Better better)
{
    int best = -1;
    for (size_t i = 0; i < rows.size(); ++i) {
        const double value = figure(rows[i].result);
        if (std::isfinite(value) && (best < 0 || better(value, figure(rows[best].result))))
            best = static_cast<int>(i);
    }
    return best;
}

double FrontToBack(const SimulationResult& r)
{
    return r.frontToBack;
}

double SwrOf(const SimulationResult& r)
{
    return r.swr;
}

// Notes every count has once; the others with the counts that have them.
std::vector<std::string> ScanNotes(const std::vector<ScanRow>& rows)
{
    std::vector<std::pair<std::string, std::vector<int>>> seen;
    for (const ScanRow& row : rows)
        for (const std::string& note : row.result.notes) {
            auto it = std::find_if(seen.begin(), seen.end(),
                                   [&note](const auto& s) { return s.first == note; });
            if (it == seen.end())
                it = seen.insert(seen.end(), {note, {}});
            it->second.push_back(row.directors);
        }
    std::vector<std::string> notes;
    for (const auto& [note, counts] : seen) {
        if (counts.size() == rows.size()) {
            notes.push_back(note);
            continue;
        }
        std::string which = "Directors";
        for (int count : counts)
            which += (count == counts.front() ? " " : ", ") + std::to_string(count);
        notes.push_back(which + ": " + note);
    }
    return notes;
}

} // namespace

DesignState DesignWithDirectors(const ScanDesign& design, int directors)
{
    DesignEntry entry = GetValues(design.state.DesignEntry);
    entry.Directors = std::to_string(directors);
    try {
        return DesignFromEntry(entry, design.state, design.decimalSep);
    } catch (const Error& e) {
        throw Error(Count(directors) + ": " + e.what());
    }
}

std::vector<NecModel> ScanModels(const ScanDesign& design, const DirectorScanSettings& settings)
{
    std::vector<NecModel> models;
    for (int n = settings.from; n <= settings.to; ++n)
        models.push_back(ModelFromDesign(DesignWithDirectors(design, n), settings.feed));
    return models;
}

namespace {

// Every count's model once checked: the range first, then each count's
// design as Calculate checks it and its model as a run does.
std::vector<NecModel> RefusedModels(const DirectorScanSettings& settings, const ScanDesign& design,
                                    char sep)
{
    const auto inRange = [](int count, const char* box) {
        if (count < kScanDirectorRange.low || count > kScanDirectorRange.high)
            throw BoxRefusal(box, std::string(box) + " must be from " +
                                      FigureText(kScanDirectorRange.low, 0) + " to " +
                                      FigureText(kScanDirectorRange.high, 0));
    };
    inRange(settings.from, kScanFromBox);
    inRange(settings.to, kScanToBox);
    if (settings.to < settings.from)
        throw BoxRefusal(kScanToBox, std::string(kScanToBox) + " cannot be below " + kScanFromBox +
                                         " (" + std::to_string(settings.from) + ")");
    std::vector<NecModel> models = ScanModels(design, settings);
    for (const NecModel& model : models)
        Refuse(FiguresOnly(settings.z0), model, sep);
    return models;
}

} // namespace

void Refuse(const DirectorScanSettings& settings, const ScanDesign& design, char sep)
{
    RefusedModels(settings, design, sep);
}

int RunSize(const DirectorScanSettings& settings, const ScanDesign&)
{
    return std::max(settings.to - settings.from + 1, 0);
}

DirectorScan Run(const ScanDesign& design, const DirectorScanSettings& settings,
                 const RunControl& control)
{
    const SimulationSettings one = FiguresOnly(settings.z0);
    const std::vector<NecModel> models = RefusedModels(settings, design, design.decimalSep);
    // Each count's jobs as a run of `simulate` would have them, all in one
    // solve, so that progress counts decks and Cancel ends every engine.
    std::vector<NecJob> jobs;
    std::vector<size_t> first;
    for (const NecModel& model : models) {
        first.push_back(jobs.size());
        for (NecJob& job : SimulationJobs(model, one, 1))
            jobs.push_back(std::move(job));
    }
    first.push_back(jobs.size());
    const int total = static_cast<int>(jobs.size());
    const std::vector<Solution> solutions =
        Solve(jobs, control, Batches{ProcessCount({.processes = settings.processes}), 0, total});

    DirectorScan scan;
    scan.feed = settings.feed;
    scan.z0 = ReferenceImpedance(settings.feed, settings.z0);
    for (size_t k = 0; k < models.size(); ++k) {
        const std::vector<Solution> own(solutions.begin() + first[k],
                                        solutions.begin() + first[k + 1]);
        scan.rows.push_back({settings.from + static_cast<int>(k), models[k].lastElementPos,
                             ResultFromSolutions(models[k], one, own)});
    }
    scan.frequency = scan.rows.empty() ? 0 : scan.rows.front().result.frequency;
    scan.bestFrontToBack = BestRow(scan.rows, FrontToBack, std::greater<>());
    scan.lowestSwr = BestRow(scan.rows, SwrOf, std::less<>());
    scan.notes = ScanNotes(scan.rows);
    return scan;
}

namespace {

std::string Marks(const DirectorScan& scan, int row)
{
    std::string marks;
    if (row == scan.bestFrontToBack)
        marks = "best F/B";
    if (row == scan.lowestSwr)
        marks += (marks.empty() ? "" : ", ") + std::string("lowest SWR");
    return marks;
}

// "17 directors (30.1 dB)" for a marked row; "-" where no count has it.
std::string Best(const DirectorScan& scan, int row, double figure, int decimals, const char* unit,
                 char sep)
{
    if (row < 0)
        return "-";
    return Count(scan.rows[row].directors) + " (" + FigureText(figure, decimals, sep) + unit + ")";
}

} // namespace

ResultText DirectorScanText(const DirectorScan& scan, char sep)
{
    ResultText text{kSimulatedHeading, {}, {}, {}};
    const auto F = [sep](double x, int n) { return FigureText(x, n, sep); };
    const auto at = [&scan](int row) -> const SimulationResult& { return scan.rows[row].result; };
    text.figures = {
        {"Frequency:", F(scan.frequency, 3), "MHz", "", {}},
        {"Best F/B:",
         Best(scan, scan.bestFrontToBack,
              scan.bestFrontToBack < 0 ? 0 : at(scan.bestFrontToBack).frontToBack, 1, " dB", sep),
         "",
         "",
         {}},
        {"Lowest SWR:",
         Best(scan, scan.lowestSwr, scan.lowestSwr < 0 ? 0 : at(scan.lowestSwr).swr, 2, "", sep),
         "",
         "",
         {}},
    };
    for (const std::string& note : scan.notes)
        text.notes.push_back(WithDecimalSep(note, sep));
    TextTable table{
        "Each count at the design frequency, without error bars; boom from the reflector to the "
        "last director, the length the DL6WU estimate is for",
        {"Directors", "Boom (mm)", "DL6WU (dBd)", "Gain (dBi)", "Gain (dBd)", "F/B (dB)",
         "F/R (dB)", "R (ohm)", "X (ohm)", "SWR (" + F(scan.z0, 0) + " ohm)", "Best"},
        {},
        {}};
    for (size_t i = 0; i < scan.rows.size(); ++i) {
        const ScanRow& row = scan.rows[i];
        const SimulationResult& r = row.result;
        table.rows.push_back({std::to_string(row.directors), F(row.boomLength, 0),
                              F(r.estimateGainDbd, 1), F(r.gainDbi, 2), F(r.GainDbd(), 2),
                              F(r.frontToBack, 1), F(r.frontToRear, 1), F(r.impedance.real(), 1),
                              F(r.impedance.imag(), 1), F(r.swr, 2),
                              Marks(scan, static_cast<int>(i))});
    }
    text.tables.push_back(std::move(table));
    return text;
}

CsvTables DirectorScanCsv(const DirectorScan& scan)
{
    // The decimals of the sweep's CSV, so that a count's row reads as
    // `simulate` writes that design's.
    const auto F = [](double x, int n) { return FigureText(x, n, '.'); };
    std::string csv = "directors,boom_mm,dl6wu_gain_dbd,gain_dbi,gain_dbd,front_to_back_db,"
                      "front_to_rear_db,r_ohm,x_ohm,swr,best_front_to_back,lowest_swr\n";
    for (size_t i = 0; i < scan.rows.size(); ++i) {
        const ScanRow& row = scan.rows[i];
        const SimulationResult& r = row.result;
        const int k = static_cast<int>(i);
        csv += std::to_string(row.directors) + "," + F(row.boomLength, 1) + "," +
               F(r.estimateGainDbd, 2) + "," + F(r.gainDbi, 2) + "," + F(r.GainDbd(), 2) + "," +
               F(r.frontToBack, 2) + "," + F(r.frontToRear, 2) + "," + F(r.impedance.real(), 2) +
               "," + F(r.impedance.imag(), 2) + "," + F(r.swr, 3) + "," +
               (k == scan.bestFrontToBack ? "1" : "0") + "," + (k == scan.lowestSwr ? "1" : "0") +
               "\n";
    }
    return {{"scan", csv}};
}

} // namespace tavora
