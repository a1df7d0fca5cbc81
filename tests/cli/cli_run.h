#pragma once

// Runs tavora-cli as a black box for the command-line tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>

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
    // Tests run in parallel: each call gets its own stderr file.
    static int calls = 0;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string errFile = ::testing::TempDir() + "tavora_cli_" + test->test_suite_name() + "_" +
                          test->name() + "_" + std::to_string(++calls) + ".err";
    // Parameterised tests have slashes in their names.
    std::replace(errFile.begin() + static_cast<long>(::testing::TempDir().size()), errFile.end(), '/', '_');
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
