#include "state/numbers.h"

#include "state/errors.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

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

// Rewrites a number typed with the user's separator into the C form, or gives
// an empty text when it is not a plain decimal number.
std::string CanonicalNumber(std::string_view s, char sep)
{
    std::string out;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        out += s[i++];
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
    const std::string c = CanonicalNumber(Trimmed(text), decimalSep);
    if (c.empty())
        NotAFloat(text);
    // from_chars, not strtold: the program runs with the user's LC_NUMERIC
    // (the toolkit sets it), under which strtold stops at the point and reads
    // "144.1" as 144.
    long double v = 0;
    const size_t plus = c[0] == '+' ? 1 : 0; // from_chars takes no plus sign
    const auto r = std::from_chars(c.data() + plus, c.data() + c.size(), v);
    // Out of range: too small reads as 0, as strtold gave; too large fails below.
    if (r.ec == std::errc::result_out_of_range)
        v = c.find("e-") != std::string::npos ? 0 : HUGE_VALL;
    if (std::isinf(v))
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
    const std::string_view s = Trimmed(text);
    size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    const bool ok = i < s.size() && [&] {
        for (size_t k = i; k < s.size(); ++k)
            if (!IsDigit(s[k]))
                return false;
        return true;
    }();
    if (ok && s.size() - i <= 10) {
        const long long v = std::strtoll(std::string(s).c_str(), nullptr, 10);
        if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
            return static_cast<int>(v);
    }
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
}

std::string GeneralFloatText(double value, char decimalSep)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";
    // 15 significant digits, then drop the trailing zeros.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    std::string s(buf);
    const size_t e = s.find('e');
    int exponent = std::atoi(s.c_str() + e + 1);
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

void ClearFpFaults() { std::feclearexcept(FE_ALL_EXCEPT); }

namespace {

void RaiseFpFaults()
{
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    if (raised == 0)
        return;
    std::feclearexcept(FE_ALL_EXCEPT);
    if (raised & FE_DIVBYZERO)
        throw ArithmeticError(kDivisionByZero);
    if (raised & FE_INVALID)
        throw ArithmeticError(kInvalidOperation);
    throw ArithmeticError(kOverflow);
}

} // namespace

double Checked(double v)
{
    RaiseFpFaults();
    return v;
}

long double Checked(long double v)
{
    RaiseFpFaults();
    return v;
}

long long RoundHalfEven(double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 9.2e18)
        throw ArithmeticError(kInvalidOperation);
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return static_cast<long long>(std::nearbyint(v));
}

} // namespace tavora
