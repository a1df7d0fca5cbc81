// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "feedline/coax_data.h"
#include "feedline/swr.h"
#include "shell/startup.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <iostream>
#include <optional>

namespace tavora::cli {

namespace {

struct SwrOptions {
    MeasureMode mode = MeasureMode::Power;
    std::string reverse;
    std::string forward;
    std::optional<std::string> coaxFile;
    std::optional<std::string> cable;
    std::optional<std::string> band;
    std::string length = "0";
};

int CableIndex(const std::vector<std::string>& cables, const std::string& description)
{
    for (size_t i = 0; i < cables.size(); ++i)
        if (CoaxDescription(cables[i]) == description)
            return static_cast<int>(i);
    throw CLI::ValidationError("--cable", "no cable described as '" + description + "'");
}

int BandIndex(const std::string& band)
{
    for (size_t i = 0; i < kBands.size(); ++i)
        if (band == kBands[i])
            return static_cast<int>(i);
    throw CLI::ValidationError("--band", "not a band: " + band);
}

// Gives the loss label, or throws the message that stops the loss.
std::string ChooseCable(SwrSession& session, const SwrOptions& o)
{
    if (o.coaxFile) {
        session.compensate = true;
        if (!LoadCoaxFile(*o.coaxFile, session.cables))
            throw Error(kNoCoaxFile);
    } else {
        // The window's own rule: the working folder's Coax.dta, else the installed one.
        DesignState state;
        shell::InitialiseProgram(state);
        const std::string message = Docoax(session, true, state);
        if (!message.empty())
            throw Error(message);
    }
    session.selectedCable = CableIndex(session.cables, *o.cable);
    if (o.band)
        session.band = BandIndex(*o.band);
    const std::string message = GetLoss(session, o.length);
    if (message == kSelectBandFirst)
        throw Error(message);
    if (!message.empty())
        std::cerr << message << '\n';
    return session.lossLabel + '\n';
}

int RunSwr(const SwrOptions& o)
{
    SwrSession session;
    session.mode = o.mode;
    std::string out;
    try {
        if (o.cable)
            out += ChooseCable(session, o);
        const size_t rowStart = session.memo.size();
        FindSWR(session, o.reverse, o.forward, o.length);
        out += ToLf(session.memo.substr(rowStart));
        if (!session.powerLine.empty())
            out += session.powerLine + '\n';
    } catch (const Error& e) {
        std::cout << out << std::flush;
        std::cerr << ErrorText(e) << '\n';
        return 1;
    }
    std::cout << out;
    return 0;
}

} // namespace

void AddSwrCommand(CLI::App& app, int& exitCode)
{
    auto o = std::make_shared<SwrOptions>();
    CLI::App* cmd = app.add_subcommand("swr", "SWR at bridge and antenna, with coax loss");
    AddWords(cmd, "--measure", o->mode,
             {{"power", MeasureMode::Power},
              {"volts", MeasureMode::Volts},
              {"milliamps", MeasureMode::Milliamps},
              {"ohms", MeasureMode::Ohms}},
             "What the bridge reads");
    AddNumber(cmd, "--reverse", o->reverse, "Reverse reading, or the low impedance");
    AddNumber(cmd, "--forward", o->forward, "Forward reading, or the high impedance");
    cmd->add_option("--coax-file", o->coaxFile,
                    "Cable data file; by default Coax.dta in the current folder, else the "
                    "installed one");
    cmd->add_option("--cable", o->cable, "Cable entry, by its description");
    cmd->add_option("--band", o->band, "\"50 MHz\", \"144 MHz\", \"432 MHz\" or \"1296 MHz\"");
    AddNumber(cmd, "--length", o->length, "Coax length in metres")->capture_default_str();
    cmd->callback([o, &exitCode] {
        // A script learns which readings it left out, not that '' is no number.
        if (o->reverse.empty() || o->forward.empty()) {
            const bool both = o->reverse.empty() && o->forward.empty();
            throw CLI::ValidationError("swr",
                                       both ? "the --reverse and --forward readings are missing"
                                            : std::string("the ") +
                                                  (o->reverse.empty() ? "--reverse" : "--forward") +
                                                  " reading is missing");
        }
        exitCode = RunSwr(*o);
    });
}

} // namespace tavora::cli
