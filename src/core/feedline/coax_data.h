// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace tavora {

// Cable entries of a Coax.dta text: every line but "#" comments and empty or
// blank lines, unchanged (a CR of a CRLF file and a leading UTF-8 byte order
// mark dropped), in the order of the file. A description given twice, a band
// given twice on a line, or a band's figure that is empty, negative or no
// number as CoaxFigure reads it with `decimalSep`, throws FileError naming the
// line: a figure is refused as the file is read, not when it is chosen.
std::vector<std::string> ReadCoaxEntries(std::istream& in, char decimalSep = '.');

// Reads the file's entries into `list`, sorted as the cable list shows them.
// False when there is no such file; a file that cannot be read, or that holds
// a faulty line, throws FileError naming the file (and the line).
bool LoadCoaxFile(const std::filesystem::path& file, std::vector<std::string>& list,
                  char decimalSep = '.');

// The band choices of the SWR window, and the key each one has in Coax.dta
// ("144 MHz" gives "144MHZ").
inline constexpr std::array<const char*, 4> kBands{"50 MHz", "144 MHz", "432 MHz", "1296 MHz"};
std::string BandKey(const std::string& bandText);

// The description of an entry: the text before its first run of five blanks.
std::string CoaxDescription(const std::string& entry);

// The text of the entry's figure for the band key, trailing blank included,
// or nothing when the entry has no figure for that band. A figure written
// with a blank around "=" gives an empty text.
std::optional<std::string> CoaxFigureText(const std::string& entry, const std::string& key);

// Attenuation in dB per 100 ft from a figure text: written with a point as
// the shipped file is, or with the user's separator.
double CoaxFigure(const std::string& figureText, char decimalSep = '.');

// Loss in dB of `metres` of cable with `per100ft` dB per 100 ft, to hundredths
// (halves to even).
double CoaxLoss(double metres, double per100ft);

} // namespace tavora
