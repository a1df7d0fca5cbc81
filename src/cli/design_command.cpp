#include "commands.h"

#include "design/entry.h"
#include "design/report.h"
#include "exchange/mmana.h"
#include "exchange/yo_file.h"
#include "simulation/simulation.h"
#include "simulation/touchstone.h"
#include "state/atomic_file.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <iostream>
#include <map>
#include <optional>

namespace tavora::cli {

namespace {

struct DesignOptions {
    DesignInput input;
    std::string yagFile;
    std::string necFile;
    std::string description;
    std::string maaFile;
    MaaOptions maa;
};

// The results window's "Create YO" and "Save .MAA", after the report was built.
void WriteExports(const DesignOptions& o, DesignState& state)
{
    if (!o.yagFile.empty()) {
        state.YagiDescription = o.description;
        WriteOutput(o.yagFile, YagTextFromDesign(state));
        std::cerr << kFileSaved << '\n';
    }
    if (!o.maaFile.empty()) {
        if (state.Mounting != 'N')
            std::cerr << kNotInsulated << '\n';
        WriteOutput(o.maaFile, MaaText(state, o.maa));
    }
    if (!o.necFile.empty()) {
        const Feed feed = o.maa.dipole == 0 ? Feed::SingleDipole : Feed::FoldedDipole;
        WriteOutput(o.necFile, ExportDeck(ModelFromDesign(state, feed)));
    }
}

int CoaxIndex(const std::string& coax)
{
    for (int i = 0; i < kCoaxCount; ++i)
        if (coax == CoaxList()[static_cast<size_t>(i)].text)
            return i;
    if (!coax.empty() && coax.find_first_not_of("0123456789") == std::string::npos &&
        coax.size() <= 2 && std::stoi(coax) < kCoaxCount)
        return std::stoi(coax);
    throw CLI::ValidationError("--coax", "not an item of the coax list: " + coax);
}

// The nine size boxes that leaving the frequency box rewrites, by option.
const std::pair<const char*, std::string DesignEntry::*> kSizeOptions[] = {
    {"--boom", &DesignEntry::BoomSection},
    {"--element-diam", &DesignEntry::ElementDiam},
    {"--element-width", &DesignEntry::ElementWidth},
    {"--element-thick", &DesignEntry::ElementThick},
    {"--radiator-diam", &DesignEntry::RadiatorDiam},
    {"--radiator-width", &DesignEntry::RadiatorWidth},
    {"--radiator-thick", &DesignEntry::RadiatorThick},
    {"--bend", &DesignEntry::BendDiam},
    {"--gap", &DesignEntry::FeedGap}};

// As on the entry screen, where the frequency is typed first: the band's sizes
// for every size option not given. A frequency that is not a number is
// reported when the design is calculated.
void ApplyBandSizes(DesignEntry& entry, const CLI::App& cmd)
{
    DesignEntry band = entry;
    try {
        ApplyBandDefaults(band);
    } catch (const ConversionError&) {
    }
    for (const auto& [option, box] : kSizeOptions)
        if (cmd.count(option) == 0)
            entry.*box = band.*box;
}

} // namespace

void CalculateDesign(const DesignInput& in, DesignState& state, std::string& report)
{
    if (!in.coax.empty())
        NoteCoax(state, CoaxIndex(in.coax), in.velocityFactor.value_or("0"));
    YagiDoCalculate(in.entry, state);
    Yagidimensions(state, report);
}

namespace {

int RunDesign(const DesignOptions& o)
{
    CheckOneStdout({&o.yagFile, &o.maaFile, &o.necFile});
    // Standard output carries a file named "-" alone.
    const bool printReport = !ToStdout(o.yagFile) && !ToStdout(o.maaFile) && !ToStdout(o.necFile);
    DesignState state;
    std::string report;
    try {
        CalculateDesign(o.input, state, report);
        WriteExports(o, state);
    } catch (const Error& e) {
        if (printReport)
            std::cout << ToLf(report) << std::flush;
        std::cerr << e.what() << '\n';
        return 1;
    }
    if (printReport)
        std::cout << ToLf(report);
    return 0;
}

} // namespace

void AddDesignInputOptions(CLI::App* cmd, DesignInput& in)
{
    DesignEntry& e = in.entry;
    e = FormDefaults();
    const std::map<std::string, BoomType> boom{{"round", BoomType::Round},
                                               {"square", BoomType::Square}};
    const std::map<std::string, Mounting> mounting{{"bonded", Mounting::Bonded},
                                                   {"insulated", Mounting::Insulated},
                                                   {"nonmetal", Mounting::NonMetal}};
    const std::map<std::string, Shape> shape{
        {"round", Shape::Round}, {"square", Shape::Square}, {"flat", Shape::Flat}};
    const std::map<std::string, DipoleMount> dipole{{"same", DipoleMount::SameAsDirectors},
                                                    {"insulated", DipoleMount::FullyInsulated}};

    cmd->add_option("--freq", e.Frequency, "Frequency in MHz")->capture_default_str();
    cmd->add_option("--directors", e.Directors, "Number of directors")->capture_default_str();
    cmd->add_option("--boom", e.BoomSection, "Cross-section of boom mm")->capture_default_str();
    cmd->add_option("--boom-type", e.Boom, "round|square")
        ->transform(CLI::CheckedTransformer(boom, CLI::ignore_case));
    cmd->add_option("--mounting", e.ElementMounting, "bonded|insulated|nonmetal")
        ->transform(CLI::CheckedTransformer(mounting, CLI::ignore_case));
    cmd->add_option("--element-shape", e.ElementShape, "round|square|flat")
        ->transform(CLI::CheckedTransformer(shape, CLI::ignore_case));
    cmd->add_option("--element-diam", e.ElementDiam)->capture_default_str();
    cmd->add_option("--element-width", e.ElementWidth)->capture_default_str();
    cmd->add_option("--element-thick", e.ElementThick)->capture_default_str();
    cmd->add_option("--radiator-shape", e.RadiatorShape, "round|square|flat")
        ->transform(CLI::CheckedTransformer(shape, CLI::ignore_case));
    cmd->add_option("--radiator-diam", e.RadiatorDiam)->capture_default_str();
    cmd->add_option("--radiator-width", e.RadiatorWidth)->capture_default_str();
    cmd->add_option("--radiator-thick", e.RadiatorThick)->capture_default_str();
    cmd->add_option("--dipole-mounting", e.DipoleMounting, "same|insulated")
        ->transform(CLI::CheckedTransformer(dipole, CLI::ignore_case));
    cmd->add_option("--bend", e.BendDiam, "Diameter of dipole bend mm")->capture_default_str();
    cmd->add_option("--gap", e.FeedGap, "Dipole gap at feed point mm")->capture_default_str();
    cmd->add_option("--coax", in.coax, "Coax list item text, or its index 0 to 45");
    cmd->add_option("--velocity-factor", in.velocityFactor,
                    "Velocity factor typed for the user-defined coax");
    cmd->parse_complete_callback([&e, cmd] { ApplyBandSizes(e, *cmd); });
}

void AddDesignCommand(CLI::App& app, int& exitCode)
{
    auto o = std::make_shared<DesignOptions>();
    CLI::App* cmd = app.add_subcommand("design", "Print the results report of a design");
    AddDesignInputOptions(cmd, o->input);
    cmd->add_option("--yag", o->yagFile,
                    "Also write the design as a YO .yag file (- for standard output)");
    cmd->add_option("--description", o->description, "Yagi description, line 1 of the .yag file");
    cmd->add_option("--maa", o->maaFile,
                    "Also write the design as a MMANA-GAL .maa file (- for standard output)");
    cmd->add_option("--nec", o->necFile,
                    "Also write the design as a NEC-2 deck (the dipole as --dipole chooses; - for "
                    "standard output)");
    AddMaaOptions(cmd, o->maa);
    cmd->callback([o, &exitCode] { exitCode = RunDesign(*o); });
}

} // namespace tavora::cli
