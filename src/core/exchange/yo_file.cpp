// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/yo_file.h"

#include "text/format.h"
#include "exchange/yo_details.h"
#include "state/atomic_file.h"
#include "state/box_names.h"
#include "state/errors.h"
#include "state/refusals.h"
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

namespace {

constexpr int kYoHeadLines = 6; // description to driven element

bool IsBlankChar(char c)
{
    return c == ' ' || c == '\t';
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlankChar(line[i]))
            ++i;
        size_t j = i;
        while (j < line.size() && !IsBlankChar(line[j]))
            ++j;
        if (j > i)
            out.push_back(line.substr(i, j - i));
        i = j;
    }
    return out;
}

bool HasDigit(const std::string& s)
{
    return std::any_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits with at most one point: what the number rules read whole.
bool IsPlainNumber(const std::string& s)
{
    return HasDigit(s) && std::count(s.begin(), s.end(), '.') <= 1 &&
           std::all_of(s.begin(), s.end(), IsNumberChar);
}

[[noreturn]] void NotYoFile(const std::string& why)
{
    throw FileError("Not a YO file: " + why + "; nothing was loaded");
}

// The number rules would read a part of a comma, sign or exponent number as
// the whole ("144,10" as 144, "-1016" as 1016), so such a line is refused.
void CheckNumber(const ValueLine& v, const std::string& field)
{
    if (!IsPlainNumber(field))
        throw FileError("Line " + std::to_string(v.line) + " \"" + Quoted(v.text) + "\": \"" +
                        Quoted(field) +
                        "\" is not a number with a decimal point and no sign or exponent; "
                        "nothing was loaded");
}

} // namespace

int ReadYagValues(std::istream& in, YoEntryTexts& entries, char sep)
{
    const std::vector<ValueLine> lines = ReadValueLines(in);
    const char* const heads[] = {"description", "frequency", "element count",
                                 "diameter",    "reflector", "driven element"};
    const auto need = [&](int v) {
        if (lines.size() < static_cast<size_t>(v))
            NotYoFile(std::string("it ends before its ") + heads[v - 1] + " line");
    };
    const auto where = [&](int v) {
        return " on line " + std::to_string(lines[static_cast<size_t>(v - 1)].line);
    };
    // Lines 2 and 3 begin with a number and go on in words; the others are numbers only.
    const auto first = [&](int v) {
        const std::vector<std::string> f = Fields(lines[static_cast<size_t>(v - 1)].text);
        return f.empty() ? std::string() : f[0];
    };
    need(2);
    if (!HasDigit(first(2)))
        NotYoFile("no frequency" + where(2));
    CheckNumber(lines[1], first(2));
    need(3);
    if (!HasDigit(first(3)))
        NotYoFile("no element count" + where(3));
    CheckNumber(lines[2], first(3));
    if (first(3).find('.') != std::string::npos)
        NotYoFile("the element count" + where(3) + " is not a whole number");
    StrToInt(first(3)); // the element count only has to be whole
    for (int v = 4; v <= kYoHeadLines; ++v)
        need(v);
    const size_t read = std::min(lines.size(), static_cast<size_t>(kYoHeadLines + kYoRows));
    for (size_t v = 3; v < read; ++v)
        for (const std::string& field : Fields(lines[v].text))
            CheckNumber(lines[v], field);

    YoEntryTexts e = entries;
    const auto line = [&](int v) {
        return v <= static_cast<int>(lines.size()) ? lines[static_cast<size_t>(v - 1)].text
                                                   : std::string();
    };
    const auto put = [&](int n, const std::string& number) {
        Entry(e, n) = WithDecimalSep(number, sep);
    };
    put(37, FirstNumber(line(2)));
    put(4, FirstNumber(line(4)));
    put(1, LastNumber(line(4)));
    put(39, LastNumber(line(5)));
    put(2, FirstNumber(line(6)));
    put(3, LastNumber(line(6)));
    for (int k = 1; k <= kYoRows; ++k) {
        put(3 + 2 * k, LastNumber(line(kYoHeadLines + k)));
        put(4 + 2 * k, FirstNumber(line(kYoHeadLines + k)));
    }
    Entry(e, 38) = "0";
    Entry(e, 41) = "2";
    Entry(e, 40) = "3";
    entries = e;

    int directors = 0; // up to the last line that holds anything
    for (size_t v = kYoHeadLines; v < lines.size(); ++v)
        if (!Fields(lines[v].text).empty())
            directors = static_cast<int>(v) - kYoHeadLines + 1;
    return directors;
}

std::optional<int> ReadYagFile(YoEntryTexts& entries, const std::string& fileName, char sep)
{
    if (!FileFound(fileName))
        return std::nullopt;
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        FailReading(fileName, errno);
    return ReadYagValues(in, entries, sep);
}

std::string DirectorsLeftOut(int directorsInFile)
{
    if (directorsInFile <= kYoRows)
        return {};
    const std::string n = std::to_string(directorsInFile);
    const std::string first = std::to_string(kYoRows + 1);
    return n + " directors in the file; the screen holds " + std::to_string(kYoRows) + ": " +
           (directorsInFile == kYoRows + 1 ? "director " + first + " was"
                                           : "directors " + first + " to " + n + " were") +
           " not loaded";
}

} // namespace tavora
