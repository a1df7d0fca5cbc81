// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/entry.h"
#include "exchange/mmana.h"
#include "nec/model_builder.h"
#include "state/design_state.h"
#include "text/csv.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavora::cli {

// Each command registers its subcommand; its callback sets `exitCode`.
void AddDesignCommand(CLI::App& app, int& exitCode);
void AddYoCommand(CLI::App& app, int& exitCode);
void AddSimulateCommand(CLI::App& app, int& exitCode);
void AddSimulateStackCommand(CLI::App& app, int& exitCode);

// The design entry screen's boxes and the balun coax, as options (--freq, ...).
struct DesignInput {
    DesignEntry entry;
    std::string coax;
    std::optional<std::string> velocityFactor;
    // The size options not given, which took the band's size of --freq.
    std::vector<std::string> bandSizes;
};
void AddDesignInputOptions(CLI::App* cmd, DesignInput& in);
// --dipole single|folded: the radiator of a simulation's model.
void AddFeedOption(CLI::App* cmd, Feed& feed);
// Calculate on the entry screen and the results window's engine run. Throws Error.
void CalculateDesign(const DesignInput& in, DesignState& state, std::string& report);

// Every number option's range, from one table of every command's: the help
// names it, and a value outside is refused by the option's name before the
// command runs. After every command is added.
void AddOptionRanges(CLI::App& app);

// The MMANA-GAL export window's choices as options (--maa-name, --dm1, ...).
void AddMaaOptions(CLI::App* cmd, MaaOptions& options);
void AddGainCommand(CLI::App& app, int& exitCode);
void AddStackCommand(CLI::App& app, int& exitCode);
void AddSwrCommand(CLI::App& app, int& exitCode);
void AddImpedanceCommand(CLI::App& app, int& exitCode);
void AddQuarterWaveCommand(CLI::App& app, int& exitCode);
void AddCoaxCommand(CLI::App& app, int& exitCode);

// Parser checks whose errors name the option and what it allows
// ("--freq: 'abc' is not a number").
CLI::Validator Number();
CLI::Validator WholeNumber();
CLI::Option* AddNumber(CLI::App* cmd, const std::string& name, std::string& target,
                       const std::string& help);
// An option given by one of `words` (any case); the help lists them and
// names the word of `current`, the default.
CLI::Option* AddWordOption(CLI::Option* option,
                           const std::vector<std::pair<std::string, int>>& words,
                           std::optional<int> current);
template <class T>
std::vector<std::pair<std::string, int>>
WordValues(const std::vector<std::pair<std::string, T>>& words)
{
    std::vector<std::pair<std::string, int>> values;
    for (const auto& [word, value] : words)
        values.emplace_back(word, static_cast<int>(value));
    return values;
}
template <class T> std::optional<int> DefaultValue(const T& target)
{
    return static_cast<int>(target);
}
// An optional option has no default: its action is taken only when it is given.
template <class T> std::optional<int> DefaultValue(const std::optional<T>&)
{
    return std::nullopt;
}
template <class T> struct WordOf {
    using type = T;
};
template <class T> struct WordOf<std::optional<T>> {
    using type = T;
};
template <class T>
CLI::Option* AddWords(CLI::App* cmd, const std::string& name, T& target,
                      const std::vector<std::pair<std::string, typename WordOf<T>::type>>& words,
                      const std::string& help)
{
    return AddWordOption(cmd->add_option(name, target, help), WordValues(words),
                         DefaultValue(target));
}
// The candidates that hold what was typed, else the nearest by spelling.
std::vector<std::string> Closest(const std::vector<std::string>& candidates,
                                 const std::string& text);

// An error's text as the command line prints it: a refused box is named by the
// option that fills it first ("--boom: Cross-section of boom mm cannot be negative").
std::string ErrorText(const std::exception& e);

void AddCutListCommand(CLI::App& app, int& exitCode);

// "-" as the name of a file option means standard output; the command then
// prints that file alone, not its usual text.
inline constexpr const char* kStdoutName = "-";
bool ToStdout(const std::string& path);
// Writes the file (atomically), or its text to standard output for "-".
// A failure names `option`, the option that named the file.
void WriteOutput(const std::string& option, const std::string& path, const std::string& text);
// Each table to its own file, NAME-TABLE.csv; standard output takes the main
// table alone.
void WriteCsvTables(const std::string& option, const std::string& name, const CsvTables& tables);
// Lines of the core's text on standard output, each ended by a line feed.
void PrintLines(const std::vector<std::string>& lines);
// A usage error when more than one of the command's files is "-".
void CheckOneStdout(const std::vector<const std::string*>& files);

// Reports are kept with CRLF line ends; the command line prints LF.
std::string ToLf(const std::string& text);

} // namespace tavora::cli
