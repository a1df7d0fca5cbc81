// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"
#include "shell/version.h"
#include "state/errors.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace tavora::cli {

std::string ToLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

// A first word that is no command: the nearest commands, for a typo such as
// "desing". Empty for a command.
std::string UnknownCommand(const CLI::App& app, const std::string& word)
{
    std::vector<std::string> names;
    for (const CLI::App* sub : app.get_subcommands({}))
        if (sub->check_name(word))
            return {};
        else
            names.push_back(sub->get_name());
    std::string message = "'" + word + "' is not a command";
    const std::vector<std::string> near = Closest(names, word);
    for (size_t i = 0; i < near.size(); ++i)
        message += (i == 0 ? "; did you mean '" : "' or '") + near[i];
    return message + (near.empty() ? "; see tavora-cli --help" : "'?");
}

// The options the parser found no place for, each with the nearest of its
// command's options ("--freqency: did you mean --freq?"). Empty when every
// word left over is a value, which the parser's own message reports.
std::string UnknownOptions(const CLI::App& command)
{
    std::vector<std::string> names;
    for (const CLI::Option* option : command.get_options()) {
        for (const std::string& name : option->get_lnames())
            names.push_back("--" + name);
        for (const std::string& name : option->get_snames())
            names.push_back("-" + name);
    }
    const std::string help =
        (command.get_parent() != nullptr ? command.get_name() + " " : std::string()) + "--help";
    std::string message;
    for (const std::string& word : command.remaining()) {
        if (word.size() < 2 || word[0] != '-')
            continue;
        const std::string typed = word.substr(0, word.find('='));
        const std::vector<std::string> near = Closest(names, typed);
        message += typed;
        for (size_t i = 0; i < near.size(); ++i)
            message += (i == 0 ? ": did you mean " : " or ") + near[i];
        message += near.empty() ? ": no such option; see tavora-cli " + help + "\n" : "?\n";
    }
    for (const CLI::App* sub : command.get_subcommands())
        message += UnknownOptions(*sub);
    return message;
}

} // namespace tavora::cli

int main(int argc, char** argv)
{
    // The user's locale, as the windows program has it: the core's number
    // texts must not depend on it.
    std::setlocale(LC_ALL, "");
    // Numbers on the command line are written with a point in every locale,
    // as the core reads them; the option parser reads through the C library.
    std::setlocale(LC_NUMERIC, "C");
    CLI::App app{"Tavora: DL6WU long Yagi calculator"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("tavora-cli ") + tavora::shell::kVersion + '\n' +
                                          tavora::shell::kLicenceLine + '\n' +
                                          tavora::shell::kNoWarranty);
    int exitCode = 0;
    tavora::cli::AddDesignCommand(app, exitCode);
    tavora::cli::AddYoCommand(app, exitCode);
    tavora::cli::AddSimulateCommand(app, exitCode);
    tavora::cli::AddSimulateStackCommand(app, exitCode);
    tavora::cli::AddCutListCommand(app, exitCode);
    tavora::cli::AddGainCommand(app, exitCode);
    tavora::cli::AddStackCommand(app, exitCode);
    tavora::cli::AddSwrCommand(app, exitCode);
    tavora::cli::AddImpedanceCommand(app, exitCode);
    tavora::cli::AddQuarterWaveCommand(app, exitCode);
    tavora::cli::AddCoaxCommand(app, exitCode);
    tavora::cli::AddOptionRanges(app);
    if (argc > 1 && argv[1][0] != '-')
        if (const std::string unknown = tavora::cli::UnknownCommand(app, argv[1]);
            !unknown.empty()) {
            std::cerr << unknown << '\n';
            return 2;
        }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ExtrasError& e) {
        const std::string unknown = tavora::cli::UnknownOptions(app);
        if (unknown.empty())
            return app.exit(e) == 0 ? 0 : 2;
        std::cerr << unknown;
        return 2;
    } catch (const CLI::ParseError& e) {
        const int rc = app.exit(e);
        return rc == 0 ? 0 : 2;
    } catch (const tavora::Error& e) {
        // What a command printed before it failed comes first.
        std::cout << std::flush;
        std::cerr << tavora::cli::ErrorText(e) << '\n';
        return 1;
    }
    // A full disk or a closed pipe behind standard output is a failure, not
    // a run that printed its answer.
    std::cout.flush();
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const int err = errno;
    if (!flushed || std::ferror(stdout) || !std::cout) {
        std::cerr << "Cannot write to standard output"
                  << (err != 0 ? std::string(": ") + std::strerror(err) : std::string()) << '\n';
        return 1;
    }
    return exitCode;
}
