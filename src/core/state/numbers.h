// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tavora {

// Text to number as an entry box is read: blanks around the number are allowed,
// the decimal separator is the user's. Failures throw ConversionError with
// "'<text>' is not a valid floating point value" / "... integer value".
long double StrToFloatExt(std::string_view text, char decimalSep = '.');
double StrToFloat(std::string_view text, char decimalSep = '.');
int StrToInt(std::string_view text);

// Shortest text of a value with up to 15 significant digits ("1012.5", "0.82",
// "1E-6"); exponent form for very small or very large values. An infinity or
// NaN throws the arithmetic error it stands for.
std::string GeneralFloatText(double value, char decimalSep = '.');

// A box text as a file stores it: a number typed with the user's separator
// gets a point; any other text stays as typed.
std::string FileNumberText(std::string_view text, char decimalSep);
// A stored text as a box shows it: a number written with a point, or with a
// comma by an older version, gets the user's separator.
std::string BoxNumberText(std::string_view text, char decimalSep);

// Arithmetic faults: every step's result passes through Checked(), which
// throws ArithmeticError with the system's text when that step divided by
// zero, was invalid or overflowed. A finite result always passes, whatever
// flags earlier code left set. Precision loss and underflow are ignored.
// Checked is deliberately out of line: the value, as an argument of an opaque
// call, must be computed before the flags are read.
double Checked(double v);
long double Checked(long double v);
// Clears the flags at a calculation's start, so that a fault of its first
// step is named by that step's own flags.
void ClearFpFaults();

// A result narrowed from extended to double precision: one that does not fit a
// double is an overflow (and not a number an invalid operation), never an
// infinity that would reach a text.
double Narrowed(long double v);

// A value about to become text: an infinity is an overflow and not a number an
// invalid operation, so that no result ever reads "INF" or "NAN".
void CheckPrintable(double value);

// Rounds to the nearest whole number, halves to the even neighbour; a value
// that is not finite or does not fit is an invalid operation.
long long RoundHalfEven(double v);

} // namespace tavora
