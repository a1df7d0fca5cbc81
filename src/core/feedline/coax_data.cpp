// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedline/coax_data.h"

#include "state/errors.h"
#include "state/numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <map>

namespace tavora {

namespace {

constexpr const char* kFiveBlanks = "     ";

bool CaseInsensitiveLess(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

} // namespace

std::vector<std::string> ReadCoaxEntries(std::istream& in, char decimalSep)
{
    std::vector<std::string> entries;
    std::map<std::string, int> described; // the line of each description
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        // An editor's UTF-8 byte order mark is no part of the first cable.
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // An empty (or all blank) line is no cable, though the format has none.
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#')
            continue;
        const auto refuse = [number](const std::string& problem) {
            throw FileError("line " + std::to_string(number) + ": " + problem);
        };
        // The list shows one cable per description: a second would never be chosen.
        const std::string description = CoaxDescription(line);
        if (const auto [first, fresh] = described.emplace(description, number); !fresh)
            refuse("\"" + description + "\" is there twice, first on line " +
                   std::to_string(first->second));
        const size_t run = line.find(kFiveBlanks);
        const std::string figures = run == std::string::npos ? line : line.substr(run);
        for (const char* band : kBands) {
            const std::string key = BandKey(band);
            const std::optional<std::string> figure = CoaxFigureText(line, key);
            if (!figure)
                continue;
            // Only the first would ever be read.
            if (figures.find(key) != figures.rfind(key))
                refuse(key + " is given twice");
            // The figure text ends in the blank that closes it.
            const std::string shown =
                key + " figure \"" + figure->substr(0, figure->find(' ')) + "\"";
            std::optional<double> value;
            try {
                value = CoaxFigure(*figure, decimalSep);
            } catch (const Error&) {
            }
            if (!value || !std::isfinite(*value))
                refuse(shown + " is not a number");
            // A negative loss would deliver more power than goes in.
            if (*value < 0)
                refuse(shown + " is negative");
        }
        entries.push_back(line);
    }
    if (in.bad())
        throw FileError("I/O error");
    return entries;
}

bool LoadCoaxFile(const std::filesystem::path& file, std::vector<std::string>& list,
                  char decimalSep)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return false;
    std::ifstream in(file);
    if (!in)
        throw FileError("Cannot open file " + file.string());
    std::vector<std::string> entries;
    try {
        entries = ReadCoaxEntries(in, decimalSep);
    } catch (const FileError& e) {
        throw FileError(file.string() + ", " + e.what());
    }
    list.insert(list.end(), entries.begin(), entries.end());
    std::stable_sort(list.begin(), list.end(), CaseInsensitiveLess);
    return true;
}

std::string BandKey(const std::string& bandText)
{
    std::string key = bandText;
    if (const size_t blank = key.find(' '); blank != std::string::npos)
        key.erase(blank, 1);
    for (char& c : key)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

std::string CoaxDescription(const std::string& entry)
{
    return entry.substr(0, entry.find(kFiveBlanks));
}

std::optional<std::string> CoaxFigureText(const std::string& entry, const std::string& key)
{
    // The description goes up to and with the first blank of the run of five,
    // so a band named in it is not taken for a figure.
    std::string text = entry + ' ';
    if (const size_t run = text.find(kFiveBlanks); run != std::string::npos)
        text.erase(0, run + 1);
    const size_t at = text.find(key);
    if (at == std::string::npos)
        return std::nullopt;
    text.erase(0, at);
    const size_t equals = text.find('=');
    const size_t blank = text.find(' ');
    if (equals == std::string::npos || blank < equals)
        return std::string();
    return text.substr(equals + 1, blank - equals);
}

double CoaxFigure(const std::string& figureText, char sep)
{
    try {
        return StrToFloat(figureText, '.');
    } catch (const ConversionError&) {
        if (sep == '.')
            throw;
    }
    return StrToFloat(figureText, sep);
}

double CoaxLoss(double metres, double per100ft)
{
    ClearFpFaults();
    const double loss = Checked(metres * per100ft / 30.48);
    return static_cast<double>(RoundHalfEven(Checked(loss * 100))) / 100;
}

} // namespace tavora
