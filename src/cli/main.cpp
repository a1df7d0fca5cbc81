#include "commands.h"
#include "state/errors.h"

#include <clocale>
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

} // namespace tavora::cli

int main(int argc, char** argv)
{
    // The user's locale, as the windows program has it: the core's number
    // texts must not depend on it.
    std::setlocale(LC_ALL, "");
    CLI::App app{"Tavora: DL6WU long Yagi calculator"};
    app.require_subcommand(1);
    int exitCode = 0;
    tavora::cli::AddDesignCommand(app, exitCode);
    tavora::cli::AddYoCommand(app, exitCode);
    tavora::cli::AddSimulateCommand(app, exitCode);
    tavora::cli::AddCutListCommand(app, exitCode);
    tavora::cli::AddGainCommand(app, exitCode);
    tavora::cli::AddStackCommand(app, exitCode);
    tavora::cli::AddSwrCommand(app, exitCode);
    tavora::cli::AddImpedanceCommand(app, exitCode);
    tavora::cli::AddQuarterWaveCommand(app, exitCode);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int rc = app.exit(e);
        return rc == 0 ? 0 : 2;
    } catch (const tavora::Error& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return exitCode;
}
