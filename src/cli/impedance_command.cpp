// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "feedline/impedance.h"

#include <iostream>

namespace tavora::cli {

namespace {

struct ImpedanceOptions {
    RodUnknown unknown = RodUnknown::Impedance;
    RodSection section = RodSection::Round;
    RodsBoxes boxes;
};

} // namespace

void AddImpedanceCommand(CLI::App& app, int& exitCode)
{
    auto o = std::make_shared<ImpedanceOptions>();
    CLI::App* cmd = app.add_subcommand("impedance", "Impedance of a parallel rod line, or the "
                                                    "rod size or spacing for an impedance");
    AddWords(cmd, "--calculate", o->unknown,
             {{"impedance", RodUnknown::Impedance},
              {"cross-section", RodUnknown::CrossSection},
              {"spacing", RodUnknown::Spacing}},
             "The unknown");
    AddWords(cmd, "--section", o->section,
             {{"round", RodSection::Round}, {"square", RodSection::Square}},
             "Cross section of rods");
    AddNumber(cmd, "--cross-section", o->boxes.crossSection, "Rod diameter or width mm")
        ->capture_default_str();
    AddNumber(cmd, "--spacing", o->boxes.spacing, "Centre to centre (round) or face to face mm")
        ->capture_default_str();
    AddNumber(cmd, "--impedance", o->boxes.impedance, "Impedance in ohms")->capture_default_str();
    cmd->callback([o, cmd, &exitCode] {
        // The unknown's own box is what the command answers, not what it reads.
        static const char* const unknownOptions[] = {"--impedance", "--cross-section", "--spacing"};
        if (const char* unused = unknownOptions[static_cast<int>(o->unknown)]; cmd->count(unused))
            std::cerr << unused << ": not used: it is what --calculate finds\n";
        const RodsResult r = CalculateRods(o->unknown, o->section, o->boxes.crossSection,
                                           o->boxes.spacing, o->boxes.impedance);
        std::cout << r.unknownText << '\n';
        // A notice beside the result, as swr's: stdout holds only the result.
        if (!r.message.empty())
            std::cerr << r.message << '\n';
        exitCode = 0;
    });
}

} // namespace tavora::cli
