#include "exchange/yo_file.h"

#include "design/format.h"
#include "exchange/yo_details.h"
#include "state/atomic_file.h"
#include "state/box_names.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/program_dir.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <initializer_list>

namespace tavora {

namespace {

constexpr int kYoRows = 16;

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// Entry n of the group, numbered from 1 as on the screen.
const std::string& Entry(const YoEntryTexts& e, int n) { return e[static_cast<size_t>(n - 1)]; }
std::string& Entry(YoEntryTexts& e, int n) { return e[static_cast<size_t>(n - 1)]; }

// Every text begins a line or stands between TABs, and the reader takes a
// first ";" for a comment.
void CheckEntries(const YoEntryTexts& e, std::initializer_list<int> entries)
{
    for (const int n : entries)
        CheckValueLine(Entry(e, n), YoEntryBox(n));
}

std::string Whole(double v) { return FormatFixed(v, 6, 0, '.'); }

} // namespace

std::string YagTextFromDesign(const DesignState& s)
{
    CheckValueLine(s.YagiDescription, kDescriptionBox);
    std::string out = s.YagiDescription + "\r\n";
    out += FormatFixed(s.DesignFreq, 6, 2, '.') + " MHz\r\n";
    out += std::to_string(s.DirCount + 2) + " Elements, millimeters\r\n";
    out += "\t" + FormatFixed(s.ElementDiam, 3, 1, '.') + "\t" + FormatFixed(s.RadiatorDiam, 3, 1, '.') +
           "\r\n";
    out += "0\t" + Whole(s.ReflLength) + "\r\n";
    out += Whole(s.RadiatorPos) + "\t\t" + Whole(s.DipoleLength) + "\r\n";
    for (int i = 1; i <= s.DirCount && i <= kMaxDirectors; ++i)
        out += Whole(s.DirBoomPos[static_cast<size_t>(i)]) + "\t" +
               Whole(s.DirLength[static_cast<size_t>(i)]) + "\r\n";
    return out;
}

void WriteYagFromDesign(const DesignState& state, const std::string& fileName)
{
    WriteFileAtomically(fileName, YagTextFromDesign(state));
}

std::string YoRowText(const YoEntryTexts& e, int k)
{
    return Entry(e, 4 + 2 * k) + "\t" + Entry(e, 3 + 2 * k);
}

int YoDirectorRowCount(const YoEntryTexts& e)
{
    int n = 0;
    for (int k = 1; k <= kYoRows; ++k)
        if (YoRowText(e, k).size() > 3)
            ++n;
    return n;
}

std::string YagTextFromEntries(const YoEntryTexts& typed, const std::string& description,
                               char sep)
{
    YoEntryTexts e = typed;
    for (std::string& text : e)
        std::replace(text.begin(), text.end(), sep, '.');
    CheckValueLine(description, kDescriptionBox);
    CheckEntries(e, {1, 2, 3, 4, 37, 39});
    std::string out = description + "\r\n";
    out += Entry(e, 37) + " MHz\r\n";
    out += std::to_string(YoDirectorRowCount(e) + 2) + "  elements,  millimeters\r\n";
    out += "\t" + Entry(e, 4) + "\t" + Entry(e, 1) + "\r\n";
    out += "0\t" + Entry(e, 39) + "\r\n";
    out += Entry(e, 2) + "\t\t" + Entry(e, 3) + "\r\n";
    // Only the rows that count, so an empty row between filled ones cannot
    // push a director out of the file.
    for (int k = 1; k <= kYoRows; ++k) {
        const std::string row = YoRowText(e, k);
        if (row.size() > 3) {
            CheckEntries(e, {4 + 2 * k, 3 + 2 * k});
            out += row + "\r\n";
        }
    }
    return out;
}

void GenerateYOfile(const DesignState& state, const std::string& fileName, char sep)
{
    const std::string text = YagTextFromEntries(state.YoEntry, state.YagiDescription, sep);
    RefuseYoEntries(state.YoEntry, sep);
    WriteFileAtomically(fileName, text);
}

std::string FirstNumber(const std::string& line)
{
    size_t i = 0;
    while (i < line.size() && !IsNumberChar(line[i]))
        ++i;
    size_t j = i;
    while (j < line.size() && IsNumberChar(line[j]))
        ++j;
    return i == j ? "0" : line.substr(i, j - i);
}

std::string LastNumber(const std::string& line)
{
    size_t i = line.size();
    while (i > 0 && IsNumberChar(line[i - 1]))
        --i;
    return i == line.size() ? "0" : line.substr(i);
}

void ReadYagValues(std::istream& in, YoEntryTexts& e, char sep)
{
    const auto put = [&](int n, const std::string& number) {
        Entry(e, n) = WithDecimalSep(number, sep);
    };
    ReadNextValue(in); // the description; a load keeps the current one
    put(37, FirstNumber(ReadNextValue(in)));
    StrToInt(FirstNumber(ReadNextValue(in))); // the element count only has to be whole
    std::string line = ReadNextValue(in);
    put(4, FirstNumber(line));
    put(1, LastNumber(line));
    put(39, LastNumber(ReadNextValue(in)));
    line = ReadNextValue(in);
    put(2, FirstNumber(line));
    put(3, LastNumber(line));
    for (int k = 1; k <= kYoRows; ++k) {
        line = ReadNextValue(in);
        put(3 + 2 * k, LastNumber(line));
        put(4 + 2 * k, FirstNumber(line));
    }
    Entry(e, 38) = "0";
    Entry(e, 41) = "2";
    Entry(e, 40) = "3";
}

bool ReadYagFile(YoEntryTexts& entries, const std::string& fileName, char sep)
{
    if (!FileFound(fileName))
        return false;
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw FileError(std::strerror(errno));
    ReadYagValues(in, entries, sep);
    return true;
}

} // namespace tavora
