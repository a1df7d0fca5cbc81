// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/numbers.h"

#include "state/errors.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace tavora {

namespace {

bool IsBlank(char c) { return c > 0 && c <= ' '; }

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Rewrites a number typed with the user's separator into the form from_chars
// reads (no '+'), or gives an empty text when it is not a plain decimal number.
std::string CanonicalNumber(std::string_view s, char sep)
{
    std::string out;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        if (s[i++] == '-')
            out += '-';
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        out += s[i++];
        ++digits;
    }
    if (i < s.size() && s[i] == sep) {
        out += '.';
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            out += s[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return {};
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            out += s[i++];
        size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            out += s[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return {};
    }
    return i == s.size() ? out : std::string{};
}

[[noreturn]] void NotAFloat(std::string_view text)
{
    throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

} // namespace

long double StrToFloatExt(std::string_view text, char decimalSep)
{
    // from_chars never looks at the C library's locale, which the windows
    // program sets from the environment.
    const std::string c = CanonicalNumber(Trimmed(text), decimalSep);
    long double v = 0;
    const auto [end, ec] = std::from_chars(c.data(), c.data() + c.size(), v);
    // Too small reads as 0, as strtold gave; too large is no number.
    const bool underflow = ec == std::errc::result_out_of_range && c.find("e-") != std::string::npos;
    if (underflow)
        return 0;
    if (c.empty() || ec != std::errc{} || end != c.data() + c.size() || !std::isfinite(v))
        NotAFloat(text);
    return v;
}

double StrToFloat(std::string_view text, char decimalSep)
{
    const long double v = StrToFloatExt(text, decimalSep);
    if (std::fabs(v) > std::numeric_limits<double>::max())
        NotAFloat(text);
    return static_cast<double>(v);
}

int StrToInt(std::string_view text)
{
    std::string_view s = Trimmed(text);
    // from_chars takes a '-' but no '+'; leading zeros are no limit.
    if (s.size() > 1 && s[0] == '+' && IsDigit(s[1]))
        s.remove_prefix(1);
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc{} || end != s.data() + s.size())
        throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
    return v;
}

void CheckPrintable(double value)
{
    if (std::isnan(value))
        throw ArithmeticError(kInvalidOperation);
    if (std::isinf(value))
        throw ArithmeticError(kOverflow);
}

std::string GeneralFloatText(double value, char decimalSep)
{
    CheckPrintable(value);
    if (value == 0)
        return "0";
    // 15 significant digits, then drop the trailing zeros; to_chars, unlike
    // printf, ignores the C library's locale.
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string s(buf, written.ptr);
    const size_t e = s.find('e');
    int exponent = 0;
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
    std::string mantissa = s.substr(0, e);
    const bool negative = mantissa[0] == '-';
    std::string digits;
    for (char c : mantissa)
        if (IsDigit(c))
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1) {
            out += decimalSep;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
        return out;
    }
    if (exponent < 0) {
        out += '0';
        out += decimalSep;
        out += std::string(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
        return out;
    }
    const size_t intDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
        out += digits + std::string(intDigits - digits.size(), '0');
    } else {
        out += digits.substr(0, intDigits);
        out += decimalSep;
        out += digits.substr(intDigits);
    }
    return out;
}

namespace {

// `text` with its one separator `from` as `to`, when it is a number written so.
std::optional<std::string> Respelled(std::string_view text, char from, char to)
{
    if (CanonicalNumber(Trimmed(text), from).empty())
        return std::nullopt;
    std::string out(text);
    std::replace(out.begin(), out.end(), from, to);
    return out;
}

} // namespace

std::string FileNumberText(std::string_view text, char decimalSep)
{
    return Respelled(text, decimalSep, '.').value_or(std::string(text));
}

std::string BoxNumberText(std::string_view text, char decimalSep)
{
    if (auto t = Respelled(text, '.', decimalSep))
        return *t;
    return Respelled(text, ',', decimalSep).value_or(std::string(text));
}

void ClearFpFaults() { std::feclearexcept(FE_ALL_EXCEPT); }

namespace {

// Only a result that is not finite can be a fault, so flags that earlier code
// (the window system, a plot) left set never reject a valid value. The flags
// then say whether this step made the infinity or NaN; one that came in with
// an operand is passed on, as a "-" figure is. Every check leaves the flags
// clear for the next step.
template <class T> T CheckedValue(T v)
{
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    std::feclearexcept(FE_ALL_EXCEPT);
    if (std::isnan(v) && (raised & FE_INVALID))
        throw ArithmeticError(kInvalidOperation);
    if (std::isinf(v) && (raised & FE_DIVBYZERO))
        throw ArithmeticError(kDivisionByZero);
    if (std::isinf(v) && (raised & FE_OVERFLOW))
        throw ArithmeticError(kOverflow);
    return v;
}

} // namespace

double Checked(double v)
{
    return CheckedValue(v);
}

long double Checked(long double v)
{
    return CheckedValue(v);
}

double Narrowed(long double v)
{
    const double d = static_cast<double>(v);
    if (std::isnan(d))
        throw ArithmeticError(kInvalidOperation);
    if (std::isinf(d))
        throw ArithmeticError(kOverflow);
    return d;
}

long long RoundHalfEven(double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 9.2e18)
        throw ArithmeticError(kInvalidOperation);
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return static_cast<long long>(std::nearbyint(v));
}

} // namespace tavora
