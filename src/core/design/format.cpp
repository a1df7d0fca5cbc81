#include "design/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tavora {

namespace {

struct Decimal {
    bool negative = false;
    std::string digits; // significant digits, first one non-zero
    int exponent = 0;   // value = 0.d1d2... x 10^(exponent + 1)
};

Decimal Expansion18(double x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17e", x);
    Decimal d;
    const char* s = buf;
    if (*s == '-') {
        d.negative = true;
        ++s;
    }
    for (; *s && *s != 'e'; ++s)
        if (*s >= '0' && *s <= '9')
            d.digits += *s;
    d.exponent = std::atoi(s + 1);
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one.
// Gives an empty digit string when the value rounds to nothing.
void RoundDigits(Decimal& d, int keep)
{
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
        d.digits[static_cast<size_t>(i)] = '0';
        --i;
    }
    if (i >= 0) {
        ++d.digits[static_cast<size_t>(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exponent;
    }
}

std::string ExponentForm(Decimal d, int p, int n, char sep)
{
    RoundDigits(d, std::max(p, 1));
    d.digits.resize(static_cast<size_t>(std::max(p, 1)), '0');
    std::string out = d.negative ? "-" : "";
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += sep;
        out += d.digits.substr(1);
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
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x > 0 ? "INF" : "-INF";
    n = std::max(n, 0);

    Decimal d = Expansion18(x);
    if (x != 0) {
        const int keep = std::min(p, d.exponent + 1 + n);
        RoundDigits(d, keep);
        while (!d.digits.empty() && d.digits.back() == '0')
            d.digits.pop_back();
    } else {
        d.digits.clear();
    }
    if (d.digits.empty()) {
        d.negative = false;
        d.exponent = 0;
    }
    if (d.exponent + 1 > p && !d.digits.empty())
        return ExponentForm(Expansion18(x), p, n, decimalSep);

    std::string out = d.negative ? "-" : "";
    const int intDigits = d.digits.empty() ? 0 : d.exponent + 1;
    if (intDigits <= 0) {
        out += '0';
    } else {
        for (int i = 0; i < intDigits; ++i)
            out += i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(i)] : '0';
    }
    if (n > 0) {
        out += decimalSep;
        for (int k = 1; k <= n; ++k) {
            // The k-th decimal is digit index intDigits + k - 1 of the kept digits.
            const int i = intDigits + k - 1;
            out += (i >= 0 && i < static_cast<int>(d.digits.size())) ? d.digits[static_cast<size_t>(i)]
                                                                      : '0';
        }
    }
    return out;
}

std::string TabPrefix(const std::string& text, int kind)
{
    return std::string(kind == 2 ? 2 : 1, '\t') + text;
}

} // namespace tavora
