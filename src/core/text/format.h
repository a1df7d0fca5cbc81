// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavora {

// F(x, p, n): x rounded to the coarser of p significant digits and n decimals,
// halves away from zero (decided on the value's 18-significant-digit decimal
// expansion), written with exactly n decimals and the given separator. A value
// needing more than p digits before the separator is written in exponent form.
// An infinity throws "Floating point overflow", a NaN "Invalid floating point
// operation": no text ever reads INF or NAN.
std::string FormatFixed(double x, int p, int n, char decimalSep = '.');

// A figure to `n` decimals, or "-" where there is none (NaN, an infinity):
// a missing figure in a table, not an arithmetic fault.
std::string FigureText(double x, int n, char decimalSep = '.');

// A text the program writes with point decimals, with `decimalSep` for each
// decimal point: a point with a digit on at least one side ("1.6", ".5",
// "4."), unless a blank follows it, which makes it a sentence's full stop.
// One rule for a number alone (a box's start-up text, a YO file's field) and
// for numbers among words (a model's notes).
std::string WithDecimalSep(std::string text, char decimalSep);

// The report's column separator: one tab (kind 1) or two tabs (kind 2) before the text.
std::string TabPrefix(const std::string& text, int kind);

} // namespace tavora
