// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/csv.h"

#include "state/atomic_file.h"

namespace tavora {

std::string CsvQuoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char ch : text)
        quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

std::string CsvTablePath(const std::string& name, const std::string& table)
{
    const std::string suffix = ".csv";
    const bool hasSuffix = name.size() > suffix.size() &&
                           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    return (hasSuffix ? name.substr(0, name.size() - suffix.size()) : name) + "-" + table + suffix;
}

std::vector<std::string> WriteCsvFiles(const std::string& name, const CsvTables& tables)
{
    // A stream is one file: the main table alone.
    if (WritesIntoStream(name)) {
        WriteFileAtomically(name, tables.at(0).text);
        return {name};
    }
    std::vector<std::string> files;
    for (const CsvTable& table : tables) {
        files.push_back(CsvTablePath(name, table.name));
        WriteFileAtomically(files.back(), table.text);
    }
    return files;
}

} // namespace tavora
