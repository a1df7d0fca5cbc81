// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/design_state.h"

#include <istream>
#include <optional>
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
// Said before a design with elements through a metal boom is written: the file
// holds boom-corrected lengths, which YO reads as lengths for insulated ones.
inline constexpr const char* kYoNotInsulated =
    "The elements are not insulated from the boom. YO will give an incorrect assessment";
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
// Writes the YO entry group (which the caller has filled from the boxes),
// refused as RefuseYoEntries does before anything is written.
void GenerateYOfile(const DesignState& state, const std::string& fileName, char decimalSep = '.');

// The number-picking rules of the reader.
std::string FirstNumber(const std::string& line);
std::string LastNumber(const std::string& line);

// Reads up to 22 value lines from `in` into the YO entry group, the numbers'
// points written as `decimalSep`, as the boxes take them; gives the number of
// director lines the file holds (the group takes 16). A file that is not a
// YO file (it ends before its driven element line, line 2 has no frequency,
// line 3 no whole element count), or a number read with a decimal comma, a
// sign or an exponent, throws FileError saying why, and nothing changes.
int ReadYagValues(std::istream& in, YoEntryTexts& entries, char decimalSep = '.');
// No value (nothing changed) when the file cannot be found or opened.
std::optional<int> ReadYagFile(YoEntryTexts& entries, const std::string& fileName,
                               char decimalSep = '.');
// What a load says about the directors beyond the screen's 16; empty when
// every director was loaded.
std::string DirectorsLeftOut(int directorsInFile);

} // namespace tavora
