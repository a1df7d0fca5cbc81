// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "state/atomic_file.h"
#include "state/errors.h"

#include <iostream>

namespace tavora::cli {

bool ToStdout(const std::string& path)
{
    return path == kStdoutName;
}

namespace {

template <typename Write>
void NamingOption(const std::string& option, Write write)
{
    try {
        write();
    } catch (const FileError& e) {
        throw FileError(option + ": " + e.what());
    }
}

} // namespace

void WriteOutput(const std::string& option, const std::string& path, const std::string& text)
{
    if (!ToStdout(path))
        return NamingOption(option, [&] { WriteFileAtomically(path, text); });
    // The file's own bytes, line ends included, as a redirection would save them.
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout.flush();
    if (!std::cout)
        throw FileError(option + ": Cannot write to standard output");
}

void WriteCsvTables(const std::string& option, const std::string& name, const CsvTables& tables)
{
    if (ToStdout(name))
        return WriteOutput(option, name, tables.at(0).text);
    NamingOption(option, [&] { WriteCsvFiles(name, tables); });
}

void CheckOneStdout(const std::vector<const std::string*>& files)
{
    int count = 0;
    for (const std::string* file : files)
        count += ToStdout(*file);
    if (count > 1)
        throw CLI::ValidationError("-", "only one file option can name standard output");
}

void PrintLines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        std::cout << line << '\n';
}

} // namespace tavora::cli
