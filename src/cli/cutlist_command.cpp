// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "design/cut_list.h"
#include "state/errors.h"

#include <ctime>
#include <iostream>

namespace tavora::cli {

namespace {

struct CutListOptions {
    DesignInput input;
    CutUnit unit = CutUnit::Millimetre;
    CutDipole dipole = CutDipole::Folded;
    CutFraction fraction = CutFraction::SixtyFourth;
    std::string csvFile;
};

std::string Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d", &local));
}

int RunCutList(const CutListOptions& o)
{
    try {
        DesignState state;
        std::string report;
        CalculateDesign(o.input, state, report);
        const CutList list = MakeCutList(state, o.unit, o.dipole, '.', o.fraction);
        if (!ToStdout(o.csvFile))
            PrintLines(CutListLines(list, Today()));
        if (!o.csvFile.empty())
            WriteCsvTables("--csv", o.csvFile, CutListCsv(list));
    } catch (const Error& e) {
        std::cout << std::flush;
        std::cerr << ErrorText(e) << '\n';
        return 1;
    }
    return 0;
}

} // namespace

void AddCutListCommand(CLI::App& app, int& exitCode)
{
    auto o = std::make_shared<CutListOptions>();
    CLI::App* cmd = app.add_subcommand(
        "cutlist", "Print the cut list of a design: lengths, boom marks and insert-to distances");
    AddDesignInputOptions(cmd, o->input);
    AddWords(cmd, "--units", o->unit, {{"mm", CutUnit::Millimetre}, {"inch", CutUnit::Inch}},
             "Lengths in millimetres, or in decimal inches with the fraction beside");
    AddWords(cmd, "--fraction", o->fraction,
             {{"32", CutFraction::ThirtySecond}, {"64", CutFraction::SixtyFourth}},
             "Inches to the nearest 1/32 or 1/64");
    AddWords(cmd, "--dipole", o->dipole,
             {{"single", CutDipole::Single}, {"folded", CutDipole::Folded}},
             "Driven element; the folded dipole comes with its rod");
    cmd->add_option("--csv", o->csvFile,
                    "Also write CSV files, one table each: NAME-elements.csv and, for the folded "
                    "dipole, NAME-rod.csv (- writes the elements alone to standard output)")
        ->type_name("NAME");
    cmd->callback([o, &exitCode] { exitCode = RunCutList(*o); });
}

} // namespace tavora::cli
