#pragma once

#include "state/design_state.h"

#include <istream>
#include <string>

namespace tavora {

inline constexpr const char* kFileSaved = "File saved";
inline constexpr const char* kYoFileSaved = "YO file saved";
inline constexpr const char* kNoYagFile = "No yag file found";
// The shipped example designs: a folder beside the program's other files.
inline constexpr const char* kExamplesFolder = "examples";

// The .yag text of the computed design (CRLF after every line). Numbers always
// use a point: our own reader knows no other separator. Throws FileError,
// naming the box, when the description begins with ";" or holds a line break
// or other control character.
std::string YagTextFromDesign(const DesignState& state);
void WriteYagFromDesign(const DesignState& state, const std::string& fileName);

// Director row k (1..16) of the YO entry group as written: distance, TAB, length.
std::string YoRowText(const YoEntryTexts& entries, int k);
// A row counts when its text is longer than 3 characters ("0<TAB>0" does not).
int YoDirectorRowCount(const YoEntryTexts& entries);

// The .yag text of the YO entry group: the rows that count, in screen order.
// The description and the entries written are refused as the design's is.
// The entries are typed with `decimalSep`; the file gets a point, the only
// separator the reader knows.
std::string YagTextFromEntries(const YoEntryTexts& entries, const std::string& description,
                               char decimalSep = '.');
// Writes the YO entry group (which the caller has filled from the boxes).
void GenerateYOfile(const DesignState& state, const std::string& fileName, char decimalSep = '.');

// The number-picking rules of the reader.
std::string FirstNumber(const std::string& line);
std::string LastNumber(const std::string& line);

// Reads up to 22 value lines from `in` into the YO entry group, the numbers'
// points written as `decimalSep`, as the boxes take them. A line 3 that is not
// a whole number throws the conversion error after entry 37 was set.
void ReadYagValues(std::istream& in, YoEntryTexts& entries, char decimalSep = '.');
// False (nothing changed) when the file cannot be found or opened.
bool ReadYagFile(YoEntryTexts& entries, const std::string& fileName, char decimalSep = '.');

} // namespace tavora
