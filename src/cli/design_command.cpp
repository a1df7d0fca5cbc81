// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "design/entry.h"
#include "design/report.h"
#include "exchange/mmana.h"
#include "exchange/yo_file.h"
#include "nec/deck.h"
#include "simulation/simulation.h"
#include "state/atomic_file.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <vector>

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
    // Both files hold the boom-corrected lengths; the programs that read them
    // expect lengths for elements insulated from the boom: each warning names
    // its own program.
    const bool onBoom = state.Mounting != 'N';
    if (!o.yagFile.empty()) {
        if (onBoom)
            std::cerr << kYoNotInsulated << '\n';
        state.YagiDescription = o.description;
        WriteOutput("--yag", o.yagFile, YagTextFromDesign(state));
        if (!ToStdout(o.yagFile)) // the file itself is the output
            std::cerr << kFileSaved << '\n';
    }
    if (!o.maaFile.empty()) {
        if (onBoom)
            std::cerr << kNotInsulated << '\n';
        WriteOutput("--maa", o.maaFile, MaaText(state, o.maa));
    }
    if (!o.necFile.empty()) {
        const Feed feed = o.maa.dipole == 0 ? Feed::SingleDipole : Feed::FoldedDipole;
        WriteOutput("--nec", o.necFile, ExportDeck(ModelFromDesign(state, feed)));
    }
}

int CoaxIndex(const std::string& coax)
{
    std::vector<std::string> items;
    for (int i = 0; i < kCoaxCount; ++i) {
        items.emplace_back(CoaxList()[static_cast<size_t>(i)].text);
        if (coax == items.back())
            return i;
    }
    if (!coax.empty() && coax.find_first_not_of("0123456789") == std::string::npos &&
        coax.size() <= 2 && std::stoi(coax) < kCoaxCount)
        return std::stoi(coax);
    std::string message = "'" + coax + "' is not an item of `tavora-cli coax`";
    const std::vector<std::string> near = Closest(items, coax);
    for (size_t i = 0; i < near.size() && i < 5; ++i)
        message += (i == 0 ? "; did you mean '" : "', '") + near[i];
    if (!near.empty())
        message += "'?";
    throw CLI::ValidationError("--coax", message);
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
void ApplyBandSizes(DesignInput& in, const CLI::App& cmd)
{
    DesignEntry band = in.entry;
    try {
        ApplyBandDefaults(band);
    } catch (const ConversionError&) {
    }
    in.bandSizes.clear();
    for (const auto& [option, box] : kSizeOptions)
        if (cmd.count(option) == 0) {
            in.entry.*box = band.*box;
            in.bandSizes.emplace_back(option);
        }
}

// A size refused that the user never typed: the refusal says where it came
// from and which option replaces it.
BoxRefusal FromTheBand(const BoxRefusal& refusal, const DesignInput& in)
{
    const std::string text = ErrorText(refusal);
    const std::string option = text.substr(0, text.find(':'));
    const auto size = std::find_if(std::begin(kSizeOptions), std::end(kSizeOptions),
                                   [&](const auto& o) { return option == o.first; });
    if (size == std::end(kSizeOptions) ||
        std::find(in.bandSizes.begin(), in.bandSizes.end(), option) == in.bandSizes.end())
        return refusal;
    return BoxRefusal(refusal.box(), refusal.what() + ("; " + in.entry.*size->second) +
                                         " mm is the band's size for " + in.entry.Frequency +
                                         " MHz: give " + option + " a size that fits");
}

// Sizes of a shape the design does not have are not used: said on stderr, not
// refused, so that a script giving every size for every shape keeps working.
void WarnUnusedSizes(const DesignEntry& entry, const CLI::App& cmd)
{
    const struct {
        const char* option;
        Shape DesignEntry::*shape;
        std::vector<Shape> usedWith;
    } sizes[] = {
        {"--element-diam", &DesignEntry::ElementShape, {Shape::Round}},
        {"--element-width", &DesignEntry::ElementShape, {Shape::Square, Shape::Flat}},
        {"--element-thick", &DesignEntry::ElementShape, {Shape::Flat}},
        {"--radiator-diam", &DesignEntry::RadiatorShape, {Shape::Round}},
        {"--radiator-width", &DesignEntry::RadiatorShape, {Shape::Square, Shape::Flat}},
        {"--radiator-thick", &DesignEntry::RadiatorShape, {Shape::Flat}},
    };
    static const char* const shapeWords[] = {"round", "square", "flat"};
    for (const auto& [option, shape, usedWith] : sizes) {
        const Shape given = entry.*shape;
        if (cmd.count(option) > 0 &&
            std::find(usedWith.begin(), usedWith.end(), given) == usedWith.end())
            std::cerr << option << ": not used with a " << shapeWords[static_cast<int>(given)]
                      << " cross-section (--"
                      << (shape == &DesignEntry::ElementShape ? "element" : "radiator")
                      << "-shape)\n";
    }
}

} // namespace

void CalculateDesign(const DesignInput& in, DesignState& state, std::string& report)
{
    if (in.velocityFactor && (in.coax.empty() || CoaxIndex(in.coax) != kUserCoaxIndex))
        std::cerr << "--velocity-factor: not used: only the user-defined coax (--coax "
                  << kUserCoaxIndex << ") takes it\n";
    if (!in.coax.empty())
        NoteCoax(state, CoaxIndex(in.coax), in.velocityFactor.value_or("0"));
    try {
        YagiDoCalculate(in.entry, state);
    } catch (const BoxRefusal& refusal) {
        throw FromTheBand(refusal, in);
    }
    Yagidimensions(state, report);
}

namespace {

// The report box's text ends without a line end when the folded dipole is
// outside the flat-plane range; as a text file every report ends with one.
std::string Printed(const std::string& report)
{
    std::string text = ToLf(report);
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    return text;
}

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
            std::cout << Printed(report) << std::flush;
        std::cerr << ErrorText(e) << '\n';
        return 1;
    }
    if (printReport)
        std::cout << Printed(report);
    return 0;
}

} // namespace

void AddDesignInputOptions(CLI::App* cmd, DesignInput& in)
{
    DesignEntry& e = in.entry;
    e = FormDefaults();
    const std::vector<std::pair<std::string, Shape>> shapes{
        {"round", Shape::Round}, {"square", Shape::Square}, {"flat", Shape::Flat}};

    AddNumber(cmd, "--freq", e.Frequency, "Frequency in MHz")->capture_default_str();
    cmd->add_option("--directors", e.Directors, "Number of directors")
        ->check(WholeNumber())
        ->type_name("NUMBER")
        ->capture_default_str();
    // The size boxes follow the band of --freq unless given (see ApplyBandSizes).
    AddNumber(cmd, "--boom", e.BoomSection, "Cross-section of boom mm (band default)");
    AddWords(cmd, "--boom-type", e.Boom, {{"round", BoomType::Round}, {"square", BoomType::Square}},
             "Cross-section shape of the boom");
    AddWords(cmd, "--mounting", e.ElementMounting,
             {{"bonded", Mounting::Bonded},
              {"insulated", Mounting::Insulated},
              {"nonmetal", Mounting::NonMetal}},
             "Elements through a metal boom bonded, insulated, or on a non-metal boom");
    AddWords(cmd, "--element-shape", e.ElementShape, shapes,
             "Cross-section of the parasitic elements");
    AddNumber(cmd, "--element-diam", e.ElementDiam, "Diameter of round elements mm (band default)");
    AddNumber(cmd, "--element-width", e.ElementWidth,
              "Width of square or flat elements mm (band default)");
    AddNumber(cmd, "--element-thick", e.ElementThick,
              "Thickness of flat elements mm (band default)");
    AddWords(cmd, "--radiator-shape", e.RadiatorShape, shapes,
             "Cross-section of the folded dipole's rod");
    AddNumber(cmd, "--radiator-diam", e.RadiatorDiam,
              "Diameter of a round radiator rod mm (band default)");
    AddNumber(cmd, "--radiator-width", e.RadiatorWidth,
              "Width of a square or flat radiator rod mm (band default)");
    AddNumber(cmd, "--radiator-thick", e.RadiatorThick,
              "Thickness of a flat radiator rod mm (band default)");
    AddWords(cmd, "--dipole-mounting", e.DipoleMounting,
             {{"same", DipoleMount::SameAsDirectors}, {"insulated", DipoleMount::FullyInsulated}},
             "Radiator mounted as the directors, or fully insulated");
    AddNumber(cmd, "--bend", e.BendDiam, "Diameter of dipole bend mm (band default)");
    AddNumber(cmd, "--gap", e.FeedGap, "Dipole gap at feed point mm (band default)");
    cmd->add_option("--coax", in.coax,
                    "Balun coax: an item text or index as `tavora-cli coax` lists them");
    cmd->add_option("--velocity-factor", in.velocityFactor,
                    "Velocity factor typed for the user-defined coax (item 45)")
        ->check(Number())
        ->type_name("NUMBER");
    cmd->parse_complete_callback([&in, cmd] {
        ApplyBandSizes(in, *cmd);
        WarnUnusedSizes(in.entry, *cmd);
    });
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
