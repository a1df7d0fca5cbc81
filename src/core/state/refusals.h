// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavora {

// Typed values the formulas would answer with a confident wrong result are
// refused before anything is computed or written. Each message names the box
// by its caption and says what is allowed; they throw BoxRefusal.
// A text a message quotes (a box's, a file's line): a byte that does not
// print as \xNN (a binary file's, or a NUL that would end the message there),
// and at most kQuotedChars characters, "..." marking the cut, so that the
// message box fits a screen.
inline constexpr size_t kQuotedChars = 80;
std::string Quoted(std::string_view text);
// A box's text as a number: an empty box is refused as "<box> box empty or
// zero!", a text that is no number as "<box> must be a number, not '<text>'".
double BoxNumber(const std::string& text, std::string_view box, char decimalSep = '.');
// A box that counts: as BoxNumber, and a number with a fraction as "<box>
// must be a whole number, not '<text>'".
int BoxWholeNumber(const std::string& text, std::string_view box, char decimalSep = '.');
// "<box> cannot be negative"
void RefuseNegative(double value, std::string_view box);
// "<box> box empty or zero!", as the screens that check their boxes say it;
// a negative value is refused as above.
void RefuseNotPositive(double value, std::string_view box);
// "<box> cannot be above <limit>"
void RefuseAbove(double value, double limit, std::string_view box, char decimalSep = '.');

// What the DL6WU method and the NEC-2 engine can answer. These are the only
// place the limits live: the windows' tooltips, the command line, the README
// and the manual all name these.
struct Range {
    double low, high;
    const char* unit;
};
// Design, gain and stacking frequency, from the 6 m band to the top of the
// 3 cm band; the simulation answers the same span.
inline constexpr Range kFrequencyRange{50, 10500, "MHz"};
// Element and radiator diameter in wavelengths: below the lower end the
// directors come out longer than the reflector; at the upper end (4 mm rods
// at 3 GHz) a wire's radius is still below a simulation segment (half a wave
// in 21), as the thin-wire model needs.
inline constexpr Range kElementRatioRange{0.0002, 0.04, "wavelength"};
// An element's length in wavelengths, for dimensions typed rather than designed.
inline constexpr Range kElementLengthRange{0.25, 0.75, "wavelength"};
// Boom cross-section in wavelengths for elements through a metal boom: the
// boom correction is a fit to booms up to about a tenth of a wavelength.
inline constexpr Range kThroughBoomRatioRange{0, 0.1, "wavelength"};
// Boom length in wavelengths that the gain formulas are fitted to.
inline constexpr Range kGainBoomRange{0.2, 50, "wavelengths"};
// A Yagi's half-power beamwidth: wider than 150 degrees gives a gain below a
// dipole's, narrower than 10 more gain than any single Yagi has.
inline constexpr Range kBeamwidthRange{10, 150, "degrees"};
// SWR reference of the simulation (0 takes the dipole's own).
inline constexpr Range kReferenceImpedanceRange{10, 1000, "ohm"};
// Spacing of a stacked array in wavelengths: more than any builder stacks,
// and the finer pattern steps of the array's lobes still hold there.
inline constexpr Range kStackSpacingRange{0, 15, "wavelengths"};
// Height above ground of the MMANA-GAL model.
inline constexpr Range kHeightRange{0, 1000, "metres"};

// "50 to 10500 MHz", for messages and tooltips.
std::string RangeText(Range range, char decimalSep = '.');
// Zero and negative values as above (a range whose low end is 0 accepts 0),
// then "<box> must be from <low> to <high> <unit>".
void RefuseOutside(double value, Range range, std::string_view box, char decimalSep = '.');
// A size in mm whose allowed range is given in wavelengths: "<box> must be
// from 0.416 to 41.6 mm at 144.1 MHz (0.0002 to 0.02 wavelength)". `mm` is the
// size the ratio limits; `boxPerMm` turns it into the box's own measure (the
// side of a square section is 1 / 1.18 of its equivalent diameter).
void RefuseOutsideWavelengths(double mm, Range ratio, double frequency, std::string_view box,
                              char decimalSep = '.', double boxPerMm = 1);
// A value in text for a message, to three significant figures.
std::string RoundedText(double value, char decimalSep = '.');

} // namespace tavora
