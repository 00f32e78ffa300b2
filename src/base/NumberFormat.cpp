// Writing numbers: the display patterns, the general text of a single, and the invariant
// notation of the files. Every formatter works on the decimal digits of DecimalDigits.h; each
// first works out the length of its text, then writes it into a string of that size, so that
// it allocates nothing but the text it returns (and nothing at all for texts that fit the
// string's own buffer).
#include "base/NumberText.h"

#include "base/DecimalDigits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace velmora {

namespace {

using numtext::Decimal;
using numtext::roundToDigits;
using numtext::roundToPlaces;

// ---------------------------------------------------------------------------------------------
// Digits into text

char* putDigits(char* out, const Decimal& d, long fromPlace, long toPlace) {
    for (long place = fromPlace; place >= toPlace; --place)
        *out++ = d.digitAt(place);
    return out;
}

// An exponent as sign ('-', or '+' when asked for) and at least a minimum count of digits.
struct ExponentText {
    char sign = 0;  // '-', '+' or none
    long zeros = 0; // leading zeros up to the minimum count of digits
    long size = 0;  // digits of the magnitude
    char digits[24] = {};

    long length() const { return (sign != 0 ? 1 : 0) + zeros + size; }
};

ExponentText exponentText(long e, bool alwaysSign, long minDigits) {
    ExponentText t;
    t.sign = e < 0 ? '-' : alwaysSign ? '+' : 0;
    const auto res = std::to_chars(t.digits, t.digits + sizeof t.digits, e < 0 ? -e : e);
    t.size = res.ptr - t.digits;
    t.zeros = t.size < minDigits ? minDigits - t.size : 0;
    return t;
}

// Writes the exponent into text prefilled with '0'.
char* putExponent(char* out, const ExponentText& e) {
    if (e.sign != 0)
        *out++ = e.sign;
    out += e.zeros;
    std::memcpy(out, e.digits, static_cast<size_t>(e.size));
    return out + e.size;
}

// The general text of a value with `significant` digits: trailing zeros and a dangling point
// dropped, a leading "0" before the point of values below 1, fixed notation for
// 1e-4 <= |x| < 10^fixedLimit, otherwise "d.dddE+XX" with at least two exponent digits.
std::string generalText(Decimal& d, long significant, long fixedLimit, char decimalSep) {
    roundToDigits(d, significant);
    if (d.isZero())
        return "0";
    const long sign = d.negative ? 1 : 0;
    if (d.exp >= -4 && d.exp < fixedLimit) {
        const long last = d.exp - d.count + 1; // place of the last digit
        const long intLen = d.exp < 0 ? 1 : d.exp + 1;
        const long decLen = last < 0 ? -last : 0;
        std::string s(static_cast<size_t>(sign + intLen + (decLen > 0 ? 1 + decLen : 0)), '0');
        char* out = s.data();
        if (d.negative)
            *out++ = '-';
        out = d.exp < 0 ? out + 1 : putDigits(out, d, d.exp, 0); // "0" of values below 1
        if (decLen > 0) {
            *out++ = decimalSep;
            putDigits(out, d, -1, last);
        }
        return s;
    }
    const ExponentText e = exponentText(d.exp, true, 2);
    const long mantissa = d.count > 1 ? d.count + 1 : 1;
    std::string s(static_cast<size_t>(sign + mantissa + 1 + e.length()), '0');
    char* out = s.data();
    if (d.negative)
        *out++ = '-';
    *out++ = d.digits[0];
    if (d.count > 1) {
        *out++ = decimalSep;
        std::memcpy(out, d.digits + 1, static_cast<size_t>(d.count - 1));
        out += d.count - 1;
    }
    *out++ = 'E';
    putExponent(out, e);
    return s;
}

std::string nonFiniteText(double value) {
    if (std::isnan(value))
        return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

// ---------------------------------------------------------------------------------------------
// Display patterns

// A display pattern: integer placeholders, optional point and decimal placeholders, optional
// exponent part. '0' is a required digit, '#' an optional one.
struct Pattern {
    long intPlaces = 0;    // placeholders before the point ('0' and '#')
    long intMin = 0;       // '0's before the point: minimum count of integer digits
    long decMax = 0;       // placeholders after the point
    long decMin = 0;       // decimals up to and including the last '0' are always shown
    bool exponent = false; // "E+0" / "E-0" part present
    bool expAlwaysSign = false;
    long expMin = 0; // '0's after the exponent sign: minimum count of exponent digits
};

bool isPlaceholder(char c) {
    return c == '0' || c == '#';
}

// Reads a pattern of the form [#0]* ( "." [#0]* )? ( [Ee][+-] [#0]+ )? with at least one
// placeholder in the mantissa. Returns false for anything else (literal text, grouping commas,
// sections), which formatNumber does not support.
bool readPattern(std::string_view text, Pattern& p) {
    size_t i = 0;
    for (; i < text.size() && isPlaceholder(text[i]); ++i) {
        ++p.intPlaces;
        if (text[i] == '0')
            ++p.intMin;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && isPlaceholder(text[i]); ++i) {
            ++p.decMax;
            if (text[i] == '0')
                p.decMin = p.decMax;
        }
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        if (i + 1 >= text.size() || (text[i + 1] != '+' && text[i + 1] != '-'))
            return false;
        p.exponent = true;
        p.expAlwaysSign = text[i + 1] == '+';
        i += 2;
        const size_t start = i;
        for (; i < text.size() && isPlaceholder(text[i]); ++i)
            if (text[i] == '0')
                ++p.expMin;
        if (i == start)
            return false;
    }
    // A pattern needs at least one digit placeholder ("" and "." are not display patterns).
    return i == text.size() && p.intPlaces + p.decMax > 0;
}

// Count of decimals shown when the last stored digit is the `lastDecimal`-th after the point
// (0 or less: none): trailing zeros are dropped down to decMin. A pattern whose decimals are all
// optional and that has nothing to show after the point shows no separator ("0.##" of 5 is "5",
// not "5.").
long shownDecimals(const Pattern& p, long lastDecimal) {
    return lastDecimal > p.decMin ? lastDecimal : p.decMin;
}

std::string formatFixed(Decimal& d, const Pattern& p, char sep) {
    roundToPlaces(d, p.decMax);
    const long intDigits = !d.isZero() && d.exp >= 0 ? d.exp + 1 : 0;
    const long intLen = intDigits < p.intMin ? p.intMin : intDigits;
    // After rounding, the last stored digit lies at most decMax places after the point.
    const long decLen = shownDecimals(p, d.isZero() ? 0 : d.count - d.exp - 1);
    // A value that rounds to zero in the shown digits carries no minus sign.
    const bool minus = d.negative && !d.isZero();
    std::string s(static_cast<size_t>((minus ? 1 : 0) + intLen + (decLen > 0 ? 1 + decLen : 0)),
                  '0');
    char* out = s.data();
    if (minus)
        *out++ = '-';
    out = putDigits(out + (intLen - intDigits), d, intDigits - 1, 0);
    if (decLen > 0) {
        *out++ = sep;
        putDigits(out, d, -1, -decLen);
    }
    return s;
}

std::string formatExponent(Decimal& d, const Pattern& p, char sep) {
    const long k = p.intPlaces; // integer digits of the mantissa
    long intLen = p.intMin;
    long shownExp = 0;
    if (!d.isZero()) {
        // Significant digits shown; a carry into a new digit moves the exponent (9.996 with
        // "0.00E+0" gives 1.00E+1) because the mantissa is always re-split after rounding.
        roundToDigits(d, k + p.decMax);
        shownExp = d.exp - (k - 1);
        intLen = k;
    }
    // Mantissa decimals start right below the last integer digit of the mantissa.
    const long decLen = shownDecimals(p, d.isZero() ? 0 : d.count - k);
    const ExponentText e = exponentText(shownExp, p.expAlwaysSign, p.expMin);
    const bool minus = d.negative && !d.isZero();
    std::string s(static_cast<size_t>((minus ? 1 : 0) + intLen + (decLen > 0 ? 1 + decLen : 0) + 1 +
                                      e.length()),
                  '0');
    char* out = s.data();
    if (minus)
        *out++ = '-';
    out = d.isZero() ? out + intLen : putDigits(out, d, d.exp, d.exp - k + 1);
    if (decLen > 0) {
        *out++ = sep;
        out = d.isZero() ? out + decLen : putDigits(out, d, d.exp - k, d.exp - k - decLen + 1);
    }
    *out++ = 'E';
    putExponent(out, e);
    return s;
}

// formatNumber with the digits of `digits`.
template <Decimal (*digits)(double)>
std::string formatWith(double value, std::string_view pattern, char decimalSep) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    Decimal d = digits(value);
    Pattern p;
    if (!readPattern(pattern, p)) {
        // Not one of the display patterns: show the value in general form rather than guess.
        return generalText(d, 15, 15, decimalSep);
    }
    return p.exponent ? formatExponent(d, p, decimalSep) : formatFixed(d, p, decimalSep);
}

// formatGeneral with the digits of `digits`.
template <Decimal (*digits)(float)> std::string generalWith(float value, char decimalSep) {
    if (!std::isfinite(value))
        return nonFiniteText(static_cast<double>(value));
    // Seven significant digits, fixed notation for 1e-4 <= |x| < 1e7.
    Decimal d = digits(value);
    return generalText(d, 7, 7, decimalSep);
}

// The shortest text that std::from_chars reads back as `value`.
template <class T> std::string shortestText(T value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    if (res.ec != std::errc())
        return "0";
    return std::string(buf, res.ptr);
}

} // namespace

std::string formatNumber(double value, std::string_view pattern, char decimalSep) {
    return formatWith<numtext::fifteenDigitForm>(value, pattern, decimalSep);
}

std::string formatGeneral(float value, char decimalSep) {
    return generalWith<numtext::singleDigits>(value, decimalSep);
}

std::string formatInvariant(float value) {
    return shortestText(value);
}

std::string formatShortest(double value) {
    return shortestText(value);
}

std::string formatSignificant(double value, int digits) {
    if (!std::isfinite(value))
        return shortestText(value);
    if (value == 0)
        return "0";
    if (digits < 1)
        digits = 1;
    // Scientific digits first: "-1.090976e+03".
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    if (res.ec != std::errc())
        return "0";
    const std::string sci(buf, res.ptr);
    const size_t ePos = sci.find('e');
    const int exponent = std::stoi(sci.substr(ePos + 1));
    const bool negative = sci[0] == '-';
    std::string mantissa;
    for (size_t i = negative ? 1 : 0; i < ePos; ++i)
        if (sci[i] != '.')
            mantissa += sci[i];
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
    std::string out = negative ? "-" : "";
    if (exponent < -6 || exponent >= 15) {
        out += mantissa.substr(0, 1);
        if (mantissa.size() > 1)
            out += "." + mantissa.substr(1);
        return out + "e" + (exponent < 0 ? "-" : "+") + std::to_string(std::abs(exponent));
    }
    if (exponent < 0)
        return out + "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
    const auto intDigits = static_cast<size_t>(exponent + 1);
    if (mantissa.size() <= intDigits)
        return out + mantissa + std::string(intDigits - mantissa.size(), '0');
    return out + mantissa.substr(0, intDigits) + "." + mantissa.substr(intDigits);
}

bool detectDecimalSeparator(char localeDecimalSep) {
    return formatNumber(1.1, "0.0", localeDecimalSep) == "1.1";
}

namespace numtext {

std::string formatNumberByLibrary(double value, std::string_view pattern, char decimalSep) {
    return formatWith<fifteenDigitFormByLibrary>(value, pattern, decimalSep);
}

std::string formatGeneralByLibrary(float value, char decimalSep) {
    return generalWith<singleDigitsByLibrary>(value, decimalSep);
}

} // namespace numtext

} // namespace velmora
