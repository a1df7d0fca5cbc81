// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <istream>
#include <string>

namespace tavora {

struct DesignState;

inline constexpr const char* kDataFileName = "Tavora.cnf";
inline constexpr const char* kProgramDataSaved = "Program data saved";
inline constexpr const char* kNoDataFile = "No data file found";
inline constexpr const char* kOldDataReloaded = "Old data reloaded";

// The saved data file's text for the four text groups (65 lines) and the cut
// list's units (2 lines after them): CRLF line ends, none after the last.
// Numbers typed with the user's `decimalSep` are stored with a point, as every
// file of the program has them. Throws FileError naming the screen and box of
// a value that begins with ";" (the reader would skip it as a comment) or
// holds a line break or other control character.
std::string DataFileText(const DesignState& state, char decimalSep = '.');

// Writes "Tavora.cnf" in the program directory, which stays the working
// directory. Nothing is written when a value is refused; a file error leaves
// the old file as it was.
void WriteDataFile(const DesignState& state, char decimalSep = '.');

// Takes the 58 values from `in` into the four groups, numbers with the user's
// `decimalSep` (a file of an older version may hold commas), then the cut
// list's units. A file with fewer value lines is cut off: FileError says so,
// and no group changes.
void ReadDataValues(std::istream& in, DesignState& state, char decimalSep = '.');

// Reads "Tavora.cnf" from the program directory back into the four groups.
// False when it cannot be found or opened for reading and writing (nothing
// changes then: the caller shows kNoDataFile).
bool ReadDataFile(DesignState& state, char decimalSep = '.');

} // namespace tavora
