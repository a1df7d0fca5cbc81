#include "feedline/coax_data.h"

#include "state/errors.h"
#include "state/numbers.h"

#include <algorithm>
#include <cctype>
#include <fstream>

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

std::vector<std::string> ReadCoaxEntries(std::istream& in)
{
    std::vector<std::string> entries;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // An empty (or all blank) line is no cable, though the format has none.
        if (line.find_first_not_of(" \t") != std::string::npos && line[0] != '#')
            entries.push_back(line);
    }
    if (in.bad())
        throw FileError("I/O error");
    return entries;
}

bool LoadCoaxFile(const std::filesystem::path& file, std::vector<std::string>& list)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return false;
    std::ifstream in(file);
    if (!in)
        throw FileError("Cannot open file " + file.string());
    std::vector<std::string> entries = ReadCoaxEntries(in);
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
