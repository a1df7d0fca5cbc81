#pragma once

#include "design/entry.h"
#include "exchange/mmana.h"
#include "state/design_state.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace tavora::cli {

// Each command registers its subcommand; its callback sets `exitCode`.
void AddDesignCommand(CLI::App& app, int& exitCode);
void AddYoCommand(CLI::App& app, int& exitCode);
void AddSimulateCommand(CLI::App& app, int& exitCode);

// The design entry screen's boxes and the balun coax, as options (--freq, ...).
struct DesignInput {
    DesignEntry entry;
    std::string coax;
    std::optional<std::string> velocityFactor;
};
void AddDesignInputOptions(CLI::App* cmd, DesignInput& in);
// Calculate on the entry screen and the results window's engine run. Throws Error.
void CalculateDesign(const DesignInput& in, DesignState& state, std::string& report);

// The MMANA-GAL export window's choices as options (--maa-name, --dm1, ...).
void AddMaaOptions(CLI::App* cmd, MaaOptions& options);
void AddGainCommand(CLI::App& app, int& exitCode);
void AddStackCommand(CLI::App& app, int& exitCode);
void AddSwrCommand(CLI::App& app, int& exitCode);
void AddImpedanceCommand(CLI::App& app, int& exitCode);
void AddQuarterWaveCommand(CLI::App& app, int& exitCode);

void AddCutListCommand(CLI::App& app, int& exitCode);

// "-" as the name of a file option means standard output; the command then
// prints that file alone, not its usual text.
inline constexpr const char* kStdoutName = "-";
bool ToStdout(const std::string& path);
// Writes the file (atomically), or its text to standard output for "-".
void WriteOutput(const std::string& path, const std::string& text);
// A usage error when more than one of the command's files is "-".
void CheckOneStdout(const std::vector<const std::string*>& files);

// Reports are kept with CRLF line ends; the command line prints LF.
std::string ToLf(const std::string& text);

} // namespace tavora::cli
