#include "state/data_file.h"

#include "state/atomic_file.h"
#include "state/box_names.h"
#include "state/design_state.h"
#include "state/errors.h"
#include "state/program_dir.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace tavora {

namespace {

// `box(i)` names value i's box on `screen` for a refusal.
template <size_t N, class BoxName>
void AppendValues(std::string& out, const std::array<std::string, N>& values, const char* screen,
                  BoxName box)
{
    for (size_t i = 0; i < N; ++i) {
        CheckValueLine(values[i], std::string(screen) + ": " + box(i));
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

template <size_t N>
void ReadValues(std::istream& in, std::array<std::string, N>& values)
{
    for (std::string& v : values)
        v = ReadNextValue(in);
}

} // namespace

std::string DataFileText(const DesignState& state)
{
    std::string out =
        "; This is the storage file for Tavora.exe, and it is created by the user\r\n"
        "; when he/she accesses the SAVE DATA menu item under FILE.\r\n"
        ";\r\n"
        "; The first set of entries form the YO entry screen\r\n";
    AppendValues(out, state.YoEntry, "Make YO file",
                 [](size_t i) { return YoEntryBox(static_cast<int>(i) + 1); });
    out += "; this second set store the Design Yagi details\r\n";
    AppendValues(out, state.DesignEntry, "Design Yagi", kDesignEntryBoxes);
    out += "; this third set store the Gain Calculation details\r\n";
    AppendValues(out, state.GainValues, "Gain Calculations", kGainBoxes);
    out += "; this last set store the Spacing details\r\n";
    AppendValues(out, state.StackingValues, "Stacking", kStackingBoxes);
    // Added after the original lines, which older readers take as they were;
    // they ignore what follows the 58th value.
    out += "; the cut list's units (0 mm, 1 inch)\r\n";
    CheckValueLine(state.CutListUnits, "Cut list: Units");
    out += state.CutListUnits;
    return out;
}

void WriteDataFile(const DesignState& state)
{
    const std::string text = DataFileText(state);
    BackToProgramDir(state);
    WriteFileAtomically(kDataFileName, text);
}

void ReadDataValues(std::istream& in, DesignState& state)
{
    ReadValues(in, state.YoEntry);
    ReadValues(in, state.DesignEntry);
    ReadValues(in, state.GainValues);
    ReadValues(in, state.StackingValues);
    state.CutListUnits = ReadNextValue(in); // "0", mm, in a file saved before the choice
}

bool ReadDataFile(DesignState& state)
{
    if (!FileFound(state.ProgramDir + "/" + kDataFileName))
        return false;
    BackToProgramDir(state);
    std::ifstream in(kDataFileName, std::ios::binary);
    if (!in)
        throw FileError(std::strerror(errno));
    ReadDataValues(in, state);
    return true;
}

} // namespace tavora
