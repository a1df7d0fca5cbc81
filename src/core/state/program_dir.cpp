// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/program_dir.h"

#include "state/design_state.h"
#include "state/errors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace tavora {

std::filesystem::path TemporaryFolder()
{
    const char* named = std::getenv("TMPDIR");
    std::error_code ec;
    if (named != nullptr && *named != '\0' && std::filesystem::is_directory(named, ec))
        return named;
    return "/tmp";
}

void RecordProgramDir(DesignState& state)
{
    std::error_code ec;
    state.ProgramDir = std::filesystem::current_path(ec).string();
}

void BackToProgramDir(const DesignState& state)
{
    if (::chdir(state.ProgramDir.c_str()) != 0)
        throw FileError("Cannot go to the program folder " + state.ProgramDir + ": " +
                        std::strerror(errno));
}

void FailReading(const std::string& name, int err)
{
    throw FileError("Cannot read " + name + ": " + std::strerror(err));
}

std::filesystem::path InstalledDataDir(const std::filesystem::path& executable)
{
    if (executable.empty())
        return {};
    return (executable.parent_path() / TAVORA_BIN_TO_DATA).lexically_normal();
}

std::filesystem::path RunningExecutable()
{
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec);
}

std::string ProgramFile(const DesignState& state, const std::string& name)
{
    const std::filesystem::path own = std::filesystem::path(state.ProgramDir) / name;
    std::error_code ec;
    if (!std::filesystem::exists(own, ec) && !state.DataDir.empty()) {
        const std::filesystem::path installed = std::filesystem::path(state.DataDir) / name;
        if (std::filesystem::exists(installed, ec))
            return installed.string();
    }
    return own.string();
}

bool FileFound(const std::string& name)
{
    if (name.empty())
        return false;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(name, ec))
        return false;
    // Reading needs read permission only: a read-only file, or one on a
    // read-only mount, is found.
    std::FILE* f = std::fopen(name.c_str(), "r");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

namespace {

// The next line without its line end; false at the end of the file.
bool NextLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line)) {
        if (in.bad())
            throw FileError("I/O error");
        return false;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool IsComment(const std::string& line)
{
    return !line.empty() && line[0] == ';';
}

} // namespace

std::string ReadNextValue(std::istream& in)
{
    std::string line;
    while (NextLine(in, line))
        if (!IsComment(line))
            return line.empty() ? "0" : line;
    return "0";
}

std::vector<ValueLine> ReadValueLines(std::istream& in)
{
    std::vector<ValueLine> out;
    std::string line;
    for (int n = 1; NextLine(in, line); ++n)
        if (!IsComment(line))
            out.push_back({n, line});
    return out;
}

} // namespace tavora
