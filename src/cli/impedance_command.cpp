#include "commands.h"

#include "feedline/impedance.h"

#include <iostream>
#include <map>

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
    const std::map<std::string, RodUnknown> unknowns{{"impedance", RodUnknown::Impedance},
                                                     {"cross-section", RodUnknown::CrossSection},
                                                     {"spacing", RodUnknown::Spacing}};
    const std::map<std::string, RodSection> sections{{"round", RodSection::Round},
                                                     {"square", RodSection::Square}};
    cmd->add_option("--calculate", o->unknown, "The unknown: impedance|cross-section|spacing")
        ->transform(CLI::CheckedTransformer(unknowns, CLI::ignore_case));
    cmd->add_option("--section", o->section, "Cross section of rods: round|square")
        ->transform(CLI::CheckedTransformer(sections, CLI::ignore_case));
    cmd->add_option("--cross-section", o->boxes.crossSection, "Rod diameter or width mm")
        ->capture_default_str();
    cmd->add_option("--spacing", o->boxes.spacing, "Centre to centre (round) or face to face mm")
        ->capture_default_str();
    cmd->add_option("--impedance", o->boxes.impedance, "Impedance in ohms")->capture_default_str();
    cmd->callback([o, &exitCode] {
        const RodsResult r = CalculateRods(o->unknown, o->section, o->boxes.crossSection,
                                           o->boxes.spacing, o->boxes.impedance);
        std::cout << r.unknownText << '\n';
        if (!r.message.empty())
            std::cout << r.message << '\n';
        exitCode = 0;
    });
}

} // namespace tavora::cli
