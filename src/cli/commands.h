#pragma once

#include "exchange/mmana.h"

#include <CLI/CLI.hpp>

#include <string>

namespace tavora::cli {

// Each command registers its subcommand; its callback sets `exitCode`.
void AddDesignCommand(CLI::App& app, int& exitCode);
void AddYoCommand(CLI::App& app, int& exitCode);

// The MMANA-GAL export window's choices as options (--maa-name, --dm1, ...).
void AddMaaOptions(CLI::App* cmd, MaaOptions& options);
void AddGainCommand(CLI::App& app, int& exitCode);
void AddStackCommand(CLI::App& app, int& exitCode);
void AddSwrCommand(CLI::App& app, int& exitCode);
void AddImpedanceCommand(CLI::App& app, int& exitCode);
void AddQuarterWaveCommand(CLI::App& app, int& exitCode);

// Reports are kept with CRLF line ends; the command line prints LF.
std::string ToLf(const std::string& text);

} // namespace tavora::cli
