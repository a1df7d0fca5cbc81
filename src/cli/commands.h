#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace tavora::cli {

// Each command registers its subcommand; its callback sets `exitCode`.
void AddDesignCommand(CLI::App& app, int& exitCode);

// Reports are kept with CRLF line ends; the command line prints LF.
std::string ToLf(const std::string& text);

} // namespace tavora::cli
