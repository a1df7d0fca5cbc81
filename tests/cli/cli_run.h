// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs tavora-cli as a black box for the command-line tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct CliRun {
    std::string out, err;
    int code = -1;
};

// Runs tavora-cli through the shell and collects stdout, stderr and the exit
// code. `env` (as "NAME=value ") goes before the command; `program` is the
// tavora-cli to run and `folder` its working folder, when given.
inline CliRun Cli(const std::string& args, const std::string& env = "",
                  const std::string& program = TAVORA_CLI, const std::string& folder = "")
{
    // In the test's own folder, a file per call.
    static int calls = 0;
    const std::string errFile =
        (std::filesystem::current_path() / ("tavora_cli_" + std::to_string(++calls) + ".err"))
            .string();
    const std::string cd = folder.empty() ? "" : "cd '" + folder + "' && ";
    const std::string cmd = cd + env + "'" + program + "' " + args + " 2>" + errFile;
    CliRun r;
    FILE* p = popen(cmd.c_str(), "r");
    std::array<char, 4096> buf{};
    for (size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;)
        r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    r.err.assign(std::istreambuf_iterator<char>(in), {});
    return r;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace
