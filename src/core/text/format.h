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

// A text written with point decimals (a model's notes) with `decimalSep` for
// each point that stands between two digits.
std::string WithDecimalSep(std::string text, char decimalSep);

// The report's column separator: one tab (kind 1) or two tabs (kind 2) before the text.
std::string TabPrefix(const std::string& text, int kind);

} // namespace tavora
