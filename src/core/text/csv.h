// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tavora {

// A CSV field in double quotes, each quote inside doubled.
std::string CsvQuoted(const std::string& text);

// One table of an export, a file of its own so that a spreadsheet reads it
// whole: a header row whose names carry their units, then the rows.
struct CsvTable {
    std::string name; // the file's suffix: "sweep" in NAME-sweep.csv
    std::string text;
    bool operator==(const CsvTable&) const = default;
};
// An export's tables, the main one first.
using CsvTables = std::vector<CsvTable>;

// The file a table goes to for the name the user chose: NAME-TABLE.csv, a
// final ".csv" of NAME left out.
std::string CsvTablePath(const std::string& name, const std::string& table);

// Each table to its own file as CsvTablePath names it, written atomically; a
// name that stands for a descriptor, a device or a pipe takes the main table
// alone. Returns the files' names.
std::vector<std::string> WriteCsvFiles(const std::string& name, const CsvTables& tables);

} // namespace tavora
