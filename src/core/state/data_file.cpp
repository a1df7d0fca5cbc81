// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/data_file.h"

#include "state/atomic_file.h"
#include "state/box_names.h"
#include "state/design_state.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/program_dir.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tavora {

namespace {

constexpr const char* kNotANumberValue = "A value that is not a number cannot be saved";

// A value as a number box takes it: written with a point, or with a comma by
// an older version; an empty line stands for 0.
bool IsNumberText(const std::string& text)
{
    for (const char sep : {'.', ','})
        try {
            StrToFloat(text, sep);
            return true;
        } catch (const ConversionError&) {
        }
    return text.find_first_not_of(" \t") == std::string::npos;
}

// `box(i)` names value i's box on `screen` for a refusal.
template <size_t N, class BoxName>
void AppendValues(std::string& out, const std::array<std::string, N>& values, const char* screen,
                  BoxName box)
{
    for (size_t i = 0; i < N; ++i) {
        const std::string name = std::string(screen) + ": " + box(i);
        CheckValueLine(values[i], name);
        // Reading the file back would refuse it.
        if (!IsNumberText(values[i]))
            throw FileError(std::string(kNotANumberValue) + " (" + name + ")");
        out += values[i];
        out += "\r\n";
    }
}

template <size_t N>
void AppendValues(std::string& out, const std::array<std::string, N>& values, const char* screen,
                  const std::array<const char*, N>& boxes)
{
    AppendValues(out, values, screen, [&](size_t i) { return std::string(boxes[i]); });
}

template <size_t N> void ReadValues(std::istream& in, std::array<std::string, N>& values, char sep)
{
    for (std::string& v : values)
        v = BoxNumberText(ReadNextValue(in), sep);
}

template <size_t N>
std::array<std::string, N> FileTexts(const std::array<std::string, N>& values, char sep)
{
    std::array<std::string, N> out;
    for (size_t i = 0; i < N; ++i)
        out[i] = FileNumberText(values[i], sep);
    return out;
}

constexpr size_t kValueCount = 58;

// Enough of a line to find it in the file.
std::string Shortened(const std::string& text)
{
    return text.size() <= 40 ? text : text.substr(0, 40) + "...";
}

} // namespace

std::string DataFileText(const DesignState& state, char sep)
{
    std::string out = "; This is the storage file for Tavora.exe, and it is created by the user\r\n"
                      "; when he/she accesses the SAVE DATA menu item under FILE.\r\n"
                      ";\r\n"
                      "; The first set of entries form the YO entry screen\r\n";
    AppendValues(out, FileTexts(state.YoEntry, sep), "Make YO file",
                 [](size_t i) { return YoEntryBox(static_cast<int>(i) + 1); });
    out += "; this second set store the Design Yagi details\r\n";
    AppendValues(out, FileTexts(state.DesignEntry, sep), "Design Yagi", kDesignEntryBoxes);
    out += "; this third set store the Gain Calculation details\r\n";
    AppendValues(out, FileTexts(state.GainValues, sep), "Gain Calculations", kGainBoxes);
    out += "; this last set store the Spacing details\r\n";
    AppendValues(out, FileTexts(state.StackingValues, sep), "Stacking", kStackingBoxes);
    // Added after the original lines, which older readers take as they were;
    // they ignore what follows the 58th value.
    out += "; the cut list's units (0 mm, 1 inch)\r\n";
    CheckValueLine(state.CutListUnits, "Cut list: Units");
    out += state.CutListUnits;
    return out;
}

void WriteDataFile(const DesignState& state, char sep)
{
    const std::string text = DataFileText(state, sep);
    BackToProgramDir(state);
    WriteFileAtomically(kDataFileName, text);
}

void ReadDataValues(std::istream& in, DesignState& state, char sep)
{
    // A cut-off file would replace the entries after its end with "0".
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw FileError("I/O error");
    std::istringstream lines(text);
    const std::vector<ValueLine> found = ReadValueLines(lines);
    if (found.size() < kValueCount)
        throw FileError(std::string(kDataFileName) + " is incomplete: it holds " +
                        std::to_string(found.size()) + " of the " + std::to_string(kValueCount) +
                        " values; the entries were kept");
    // Each of these boxes is a number box: another text would reach a
    // calculation as the box's value.
    for (size_t i = 0; i < kValueCount; ++i)
        if (!IsNumberText(found[i].text))
            throw FileError(std::string(kDataFileName) + " line " + std::to_string(found[i].line) +
                            " holds \"" + Shortened(found[i].text) +
                            "\", not a number; the entries were kept");
    std::istringstream values(text);
    DesignState read = state;
    ReadValues(values, read.YoEntry, sep);
    ReadValues(values, read.DesignEntry, sep);
    ReadValues(values, read.GainValues, sep);
    ReadValues(values, read.StackingValues, sep);
    read.CutListUnits = ReadNextValue(values); // "0", mm, in a file saved before the choice
    state = std::move(read);
}

bool ReadDataFile(DesignState& state, char sep)
{
    if (!FileFound(state.ProgramDir + "/" + kDataFileName))
        return false;
    BackToProgramDir(state);
    std::ifstream in(kDataFileName, std::ios::binary);
    if (!in)
        FailReading(kDataFileName, errno);
    ReadDataValues(in, state, sep);
    return true;
}

} // namespace tavora
