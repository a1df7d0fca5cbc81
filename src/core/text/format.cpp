// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/format.h"

#include "state/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tavora {

namespace {

constexpr int kDigits = 18;

struct Decimal {
    bool negative = false;
    int count = 0;              // significant digits held, the first one non-zero
    char digits[kDigits + 1]{}; // room for the digit a carry adds
    int exponent = 0;           // value = 0.d1d2... x 10^(exponent + 1)
};

// to_chars rounds exactly as printf's "%.17e" does, but never looks at the
// locale, and its fixed-size result needs no allocation.
Decimal Expansion18(double x)
{
    char buf[32];
    const char* const end =
        std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, kDigits - 1).ptr;
    Decimal d;
    const char* s = buf;
    if (*s == '-') {
        d.negative = true;
        ++s;
    }
    for (; *s != 'e'; ++s)
        if (*s != '.')
            d.digits[d.count++] = *s;
    const bool negativeExponent = s[1] == '-';
    std::from_chars(s + 2, end, d.exponent);
    if (negativeExponent)
        d.exponent = -d.exponent;
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one.
// Holds no digits when the value rounds to nothing.
void RoundDigits(Decimal& d, int keep)
{
    if (keep < 0) {
        d.count = 0;
        return;
    }
    if (keep >= d.count)
        return;
    const bool up = d.digits[keep] >= '5';
    d.count = keep;
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9') {
        d.digits[i] = '0';
        --i;
    }
    if (i >= 0) {
        ++d.digits[i];
    } else {
        d.digits[keep] = '0';
        d.digits[0] = '1';
        d.count = keep + 1;
        ++d.exponent;
    }
}

// Digit i of the held digits, zeros beyond them.
char DigitAt(const Decimal& d, int i) { return i >= 0 && i < d.count ? d.digits[i] : '0'; }

std::string ExponentForm(Decimal d, int p, int n, char sep)
{
    const int shown = std::max(p, 1);
    RoundDigits(d, shown);
    std::string out = d.negative ? "-" : "";
    out += DigitAt(d, 0);
    if (shown > 1) {
        out += sep;
        for (int i = 1; i < shown; ++i)
            out += DigitAt(d, i);
    }
    std::string e = std::to_string(std::abs(d.exponent));
    const size_t minDigits = static_cast<size_t>(std::clamp(n, 0, 4));
    if (e.size() < minDigits)
        e.insert(0, minDigits - e.size(), '0');
    out += 'E';
    out += d.exponent < 0 ? '-' : '+';
    out += e;
    return out;
}

} // namespace

std::string FormatFixed(double x, int p, int n, char decimalSep)
{
    CheckPrintable(x);
    n = std::max(n, 0);

    const Decimal exact = Expansion18(x);
    Decimal d = exact;
    if (x != 0) {
        RoundDigits(d, std::min(p, d.exponent + 1 + n));
        while (d.count > 0 && d.digits[d.count - 1] == '0')
            --d.count;
    } else {
        d.count = 0;
    }
    if (d.count == 0) {
        d.negative = false;
        d.exponent = 0;
    }
    if (d.exponent + 1 > p && d.count > 0)
        return ExponentForm(exact, p, n, decimalSep);

    const int intDigits = d.count == 0 ? 0 : d.exponent + 1;
    std::string out;
    out.reserve(static_cast<size_t>(std::max(intDigits, 1) + n + 2));
    if (d.negative)
        out += '-';
    if (intDigits <= 0)
        out += '0';
    for (int i = 0; i < intDigits; ++i)
        out += DigitAt(d, i);
    if (n > 0) {
        out += decimalSep;
        // The k-th decimal is digit intDigits + k - 1 of the kept digits.
        for (int k = 1; k <= n; ++k)
            out += DigitAt(d, intDigits + k - 1);
    }
    return out;
}

std::string FigureText(double x, int n, char decimalSep)
{
    return std::isfinite(x) ? FormatFixed(x, 15, n, decimalSep) : std::string("-");
}

std::string WithDecimalSep(std::string text, char decimalSep)
{
    const auto digit = [&text](size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };
    const auto blank = [&text](size_t i) {
        return i < text.size() && text[i] > 0 && text[i] <= ' ';
    };
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '.' && ((i > 0 && digit(i - 1)) || digit(i + 1)) && !blank(i + 1))
            text[i] = decimalSep;
    return text;
}

std::string TabPrefix(const std::string& text, int kind)
{
    return std::string(kind == 2 ? 2 : 1, '\t') + text;
}

} // namespace tavora
