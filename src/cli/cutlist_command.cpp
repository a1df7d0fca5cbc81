#include "commands.h"

#include "design/cut_list.h"
#include "state/errors.h"

#include <ctime>
#include <iostream>
#include <map>

namespace tavora::cli {

namespace {

struct CutListOptions {
    DesignInput input;
    CutUnit unit = CutUnit::Millimetre;
    CutDipole dipole = CutDipole::Folded;
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
        const CutList list = MakeCutList(state, o.unit, o.dipole);
        if (!ToStdout(o.csvFile))
            PrintLines(CutListLines(list, Today()));
        if (!o.csvFile.empty())
            WriteOutput("--csv", o.csvFile, CutListCsv(list));
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
    const std::map<std::string, CutUnit> units{{"mm", CutUnit::Millimetre},
                                               {"inch", CutUnit::Inch}};
    const std::map<std::string, CutDipole> dipole{{"single", CutDipole::Single},
                                                  {"folded", CutDipole::Folded}};
    cmd->add_option("--units", o->unit, "mm|inch (to 1/64 inch with the decimal inch beside)")
        ->transform(CLI::CheckedTransformer(units, CLI::ignore_case));
    cmd->add_option("--dipole", o->dipole, "single|folded (default folded, with its rod)")
        ->transform(CLI::CheckedTransformer(dipole, CLI::ignore_case));
    cmd->add_option("--csv", o->csvFile, "Also write the rows as CSV (- for standard output)");
    cmd->callback([o, &exitCode] { exitCode = RunCutList(*o); });
}

} // namespace tavora::cli
