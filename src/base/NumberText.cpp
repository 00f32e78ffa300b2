// Number text: display patterns, the general text of a single, the invariant notation of the
// files and the reading of numbers typed into the input boxes.
//
// Every formatting routine works on one internal form, `Decimal`: the significant digits of a
// value as characters plus the power of ten of the first digit. The value is rendered into it
// once by the C library (which rounds the exact binary value correctly), and all further
// rounding is done on the digit string, half away from zero, as the display patterns have always
// rounded. Working on the 15-significant-digit form means that a value such as 2.675, stored in
// binary as 2.67499999999999982..., is rounded as the 2.67500000000000 the engineer typed.
#include "base/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace velmora {

namespace {

// ---------------------------------------------------------------------------------------------
// Decimal digits

// A finite value as sign, significant digits and decimal exponent: the first digit has the place
// value 10^exp. `digits` holds no leading and no trailing zeros; it is empty for zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    long exp = 0;

    bool isZero() const { return digits.empty(); }

    // Digit of place value 10^place ('0' outside the stored digits).
    char digitAt(long place) const {
        const long index = exp - place;
        if (index < 0 || index >= static_cast<long>(digits.size()))
            return '0';
        return digits[static_cast<size_t>(index)];
    }
};

void stripTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exp = 0;
}

// Renders a finite value with `significant` digits (the C library rounds the exact binary value
// to that many digits) and parses the "d.ddde+XX" text into a Decimal.
Decimal toDecimal(double value, int significant) {
    // Up to 120 significant digits, a sign, point, "e-324" and the terminator fit.
    char buf[160];
    const int n = std::snprintf(buf, sizeof buf, "%.*e", significant - 1, value);
    Decimal d;
    if (n <= 0 || n >= static_cast<int>(sizeof buf))
        return d;
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p != '\0' && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    long e = 0;
    if (*p == 'e') {
        ++p;
        bool eneg = false;
        if (*p == '-' || *p == '+')
            eneg = *p++ == '-';
        for (; *p >= '0' && *p <= '9'; ++p)
            e = e * 10 + (*p - '0');
        if (eneg)
            e = -e;
    }
    d.exp = e;
    stripTrailingZeros(d);
    return d;
}

// The exact decimal expansion of a single. A single has at most 112 significant decimal digits
// (the smallest subnormal 2^-149 has 105), so 120 digits are exact.
Decimal exactDecimal(float value) {
    return toDecimal(static_cast<double>(value), 120);
}

// Keeps the first `keep` significant digits, rounding half away from zero on the first dropped
// digit. `keep` may be zero or negative: the value then rounds to zero or, when the first digit
// is 5 or more and keep is 0, to one unit of the next higher place.
void roundToDigits(Decimal& d, long keep) {
    if (d.isZero() || keep >= static_cast<long>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        d.exp = 0;
        return;
    }
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9') {
            d.digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            // Carry into a new leading digit (9.96 -> 10.0).
            d.digits.insert(d.digits.begin(), '1');
            ++d.exp;
        } else {
            ++d.digits[i - 1];
        }
    }
    stripTrailingZeros(d);
}

// Rounds to `decimals` places after the point.
void roundToPlaces(Decimal& d, long decimals) {
    if (!d.isZero())
        roundToDigits(d, d.exp + 1 + decimals);
}

std::string exponentText(long e, bool alwaysSign, size_t minDigits) {
    std::string s;
    if (e < 0)
        s.push_back('-');
    else if (alwaysSign)
        s.push_back('+');
    std::string digits = std::to_string(e < 0 ? -e : e);
    if (digits.size() < minDigits)
        digits.insert(0, minDigits - digits.size(), '0');
    return s + digits;
}

// The general text of a value with `significant` digits: trailing zeros and a dangling point
// dropped, a leading "0" before the point of values below 1, fixed notation for
// 1e-4 <= |x| < 10^fixedLimit, otherwise "d.dddE+XX" with at least two exponent digits.
std::string generalText(Decimal d, int significant, long fixedLimit, char decimalSep) {
    roundToDigits(d, significant);
    if (d.isZero())
        return "0";
    std::string s = d.negative ? "-" : "";
    if (d.exp >= -4 && d.exp < fixedLimit) {
        if (d.exp < 0) {
            s.push_back('0');
        } else {
            for (long p = d.exp; p >= 0; --p)
                s.push_back(d.digitAt(p));
        }
        const long last = d.exp - static_cast<long>(d.digits.size()) + 1; // place of last digit
        if (last < 0) {
            s.push_back(decimalSep);
            for (long p = -1; p >= last; --p)
                s.push_back(d.digitAt(p));
        }
        return s;
    }
    s.push_back(d.digits[0]);
    if (d.digits.size() > 1) {
        s.push_back(decimalSep);
        s.append(d.digits, 1, std::string::npos);
    }
    return s + "E" + exponentText(d.exp, true, 2);
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
    size_t intPlaces = 0;  // placeholders before the point ('0' and '#')
    size_t intMin = 0;     // '0's before the point: minimum count of integer digits
    size_t decMax = 0;     // placeholders after the point
    size_t decMin = 0;     // decimals up to and including the last '0' are always shown
    bool exponent = false; // "E+0" / "E-0" part present
    bool expAlwaysSign = false;
    size_t expMin = 0; // '0's after the exponent sign: minimum count of exponent digits
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

// Decimals of a pattern: places -1 .. -decMax, trailing zeros dropped down to decMin.
std::string decimalsOf(const Pattern& p, const Decimal& d, long firstPlace) {
    std::string dec;
    for (size_t k = 0; k < p.decMax; ++k)
        dec.push_back(d.digitAt(firstPlace - static_cast<long>(k)));
    while (dec.size() > p.decMin && dec.back() == '0')
        dec.pop_back();
    return dec;
}

// Joins sign, integer part and decimals. A pattern whose decimals are all optional and that has
// nothing to show after the point shows no separator ("0.##" of 5 is "5", not "5.").
std::string joinParts(bool negative, std::string intPart, const std::string& dec, char sep) {
    std::string s = negative ? "-" : "";
    s += intPart;
    if (!dec.empty()) {
        s.push_back(sep);
        s += dec;
    }
    return s;
}

std::string formatFixed(Decimal d, const Pattern& p, char sep) {
    roundToPlaces(d, static_cast<long>(p.decMax));
    std::string intPart;
    if (!d.isZero() && d.exp >= 0)
        for (long place = d.exp; place >= 0; --place)
            intPart.push_back(d.digitAt(place));
    if (intPart.size() < p.intMin)
        intPart.insert(0, p.intMin - intPart.size(), '0');
    // A value that rounds to zero in the shown digits carries no minus sign.
    return joinParts(d.negative && !d.isZero(), intPart, decimalsOf(p, d, -1), sep);
}

std::string formatExponent(Decimal d, const Pattern& p, char sep) {
    const long k = static_cast<long>(p.intPlaces); // integer digits of the mantissa
    std::string intPart;
    long shownExp = 0;
    if (d.isZero()) {
        intPart.assign(p.intMin, '0');
    } else {
        // Significant digits shown; a carry into a new digit moves the exponent (9.996 with
        // "0.00E+0" gives 1.00E+1) because the mantissa is always re-split after rounding.
        roundToDigits(d, k + static_cast<long>(p.decMax));
        shownExp = d.exp - (k - 1);
        for (long place = d.exp; place > d.exp - k; --place)
            intPart.push_back(d.digitAt(place));
    }
    // Mantissa decimals start right below the last integer digit of the mantissa.
    const long firstDecimal = d.isZero() ? -1 : d.exp - k;
    std::string s =
        joinParts(d.negative && !d.isZero(), intPart, decimalsOf(p, d, firstDecimal), sep);
    return s + "E" + exponentText(shownExp, p.expAlwaysSign, p.expMin);
}

// ---------------------------------------------------------------------------------------------
// Reading numbers

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Rules for scanning one number.
struct NumberSyntax {
    char point = '.';        // decimal separator
    std::string_view group;  // thousands separator accepted between integer digits, "" for none
    bool groupBlank = false; // a plain blank also counts as thousands separator
    bool skipBlanks = false; // blanks, tabs and line feeds anywhere are skipped
    bool dExponent = false;  // "D"/"d" accepted as exponent letter besides "E"/"e"
};

// One scanned number in canonical form for std::from_chars ("-12.5e+3"), with the position just
// after it and its rough decimal magnitude (power of ten of its leading digit, saturated), which
// tells an overflow from an underflow.
struct Scanned {
    size_t end = 0;
    bool found = false;
    std::string canonical;
    long magnitude = 0;
};

// Scans the longest number that starts at `pos`: optional sign, digits with at most one decimal
// separator (digits may be missing on one side of it but not on both), optional exponent letter
// with optional sign and at least one digit. An exponent letter not followed by digits is not
// part of the number ("12E" scans as 12).
// Length of the thousands separator standing at `i`, 0 when there is none.
size_t groupLength(std::string_view s, size_t i, const NumberSyntax& syn) {
    if (!syn.group.empty() && s.substr(i, syn.group.size()) == syn.group)
        return syn.group.size();
    return syn.groupBlank && i < s.size() && s[i] == ' ' ? 1 : 0;
}

Scanned scanNumber(std::string_view s, size_t pos, const NumberSyntax& syn) {
    auto skip = [&](size_t i) {
        if (syn.skipBlanks)
            while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n'))
                ++i;
        return i;
    };
    Scanned r;
    size_t i = skip(pos);
    std::string mant;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            mant.push_back('-');
        i = skip(i + 1);
    }
    std::string intDigits, fracDigits;
    while (i < s.size()) {
        if (isDigit(s[i])) {
            intDigits.push_back(s[i]);
            i = skip(i + 1);
        } else if (const size_t n = groupLength(s, i, syn);
                   n != 0 && !intDigits.empty() && i + n < s.size() && isDigit(s[i + n])) {
            i += n; // thousands separator between two digits
        } else {
            break;
        }
    }
    size_t afterMantissa = i;
    if (i < s.size() && s[i] == syn.point) {
        i = skip(i + 1);
        while (i < s.size() && isDigit(s[i])) {
            fracDigits.push_back(s[i]);
            i = skip(i + 1);
        }
        afterMantissa = i;
    }
    if (intDigits.empty() && fracDigits.empty())
        return r;
    r.found = true;

    // Magnitude of the leading nonzero digit, from the mantissa alone.
    const size_t firstInt = intDigits.find_first_not_of('0');
    long mag = 0;
    if (firstInt != std::string::npos) {
        mag = static_cast<long>(intDigits.size() - firstInt) - 1;
    } else {
        const size_t firstFrac = fracDigits.find_first_not_of('0');
        mag = firstFrac == std::string::npos ? 0 : -static_cast<long>(firstFrac) - 1;
    }

    mant += intDigits.empty() ? "0" : intDigits;
    if (!fracDigits.empty())
        mant += "." + fracDigits;
    r.end = afterMantissa;

    if (i < s.size() &&
        (s[i] == 'E' || s[i] == 'e' || (syn.dExponent && (s[i] == 'D' || s[i] == 'd')))) {
        size_t j = skip(i + 1);
        bool eneg = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            eneg = s[j] == '-';
            j = skip(j + 1);
        }
        std::string expDigits;
        long ev = 0;
        constexpr long kExpCap = 100000000; // far beyond any representable exponent
        while (j < s.size() && isDigit(s[j])) {
            expDigits.push_back(s[j]);
            ev = ev >= kExpCap ? kExpCap : ev * 10 + (s[j] - '0');
            j = skip(j + 1);
        }
        if (!expDigits.empty()) {
            // from_chars copes with long exponents, but a saturated one keeps the text short.
            mant += (eneg ? "e-" : "e+") + std::to_string(ev);
            mag += eneg ? -ev : ev;
            r.end = j;
        }
    }
    r.canonical = std::move(mant);
    r.magnitude = mag;
    if (syn.skipBlanks)
        r.end = skip(r.end);
    return r;
}

// Converts a scanned number. Returns false when it is beyond the range of T; a value too small
// for T becomes a zero of the right sign.
template <class T> bool convert(const Scanned& sc, T& out) {
    const char* first = sc.canonical.data();
    const char* last = first + sc.canonical.size();
    T v{};
    const auto res = std::from_chars(first, last, v);
    if (res.ec == std::errc::result_out_of_range) {
        if (sc.magnitude >= 0)
            return false;
        out = sc.canonical[0] == '-' ? -T(0) : T(0);
        return true;
    }
    if (res.ec != std::errc() || res.ptr != last || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

// Rounds a double to single precision; false when the result would be infinite. Checked before
// the conversion, since converting an out-of-range double to float is undefined.
bool narrowToSingle(double d, float& out) {
    constexpr double kMax = static_cast<double>(std::numeric_limits<float>::max());
    // Values from the largest single up to half its last step round down to it; the halfway
    // value itself and beyond round to infinity.
    constexpr double kOverflow = kMax + 0x1p103;
    if (!std::isfinite(d) || std::fabs(d) >= kOverflow)
        return false;
    if (std::fabs(d) > kMax)
        out = d < 0 ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    else
        out = static_cast<float>(d);
    return true;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Strict reading of a whole text: blanks around one number and nothing else.
template <class T> bool readWhole(std::string_view text, const NumberSyntax& syn, T& out) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const Scanned sc = scanNumber(text, i, syn);
    if (!sc.found)
        return false;
    size_t j = sc.end;
    while (j < text.size() && isBlank(text[j]))
        ++j;
    if (j != text.size())
        return false;
    return convert(sc, out);
}

} // namespace

// ---------------------------------------------------------------------------------------------

std::string formatNumber(double value, std::string_view pattern, char decimalSep) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const Decimal d = toDecimal(value, 15);
    Pattern p;
    if (!readPattern(pattern, p)) {
        // Not one of the display patterns: show the value in general form rather than guess.
        return generalText(d, 15, 15, decimalSep);
    }
    return p.exponent ? formatExponent(d, p, decimalSep) : formatFixed(d, p, decimalSep);
}

std::string formatGeneral(float value, char decimalSep) {
    if (!std::isfinite(value))
        return nonFiniteText(static_cast<double>(value));
    // Seven significant digits, fixed notation for 1e-4 <= |x| < 1e7.
    return generalText(exactDecimal(value), 7, 7, decimalSep);
}

std::string formatInvariant(float value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    if (res.ec != std::errc())
        return "0";
    return std::string(buf, res.ptr);
}

ParsedNumber parseNumber(std::string_view text, bool decimalPointLocale,
                         std::string_view thousandsSep) {
    ParsedNumber r;
    size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    r.text.assign(text.substr(start));

    double d = 0;
    if (decimalPointLocale) {
        // Either separator is taken as the decimal point; the leading number counts and the
        // rest of the text is ignored, as in "12abc".
        for (char& c : r.text)
            if (c == ',')
                c = '.';
        NumberSyntax syn;
        syn.skipBlanks = true;
        syn.dExponent = true;
        const Scanned sc = scanNumber(r.text, 0, syn);
        // No leading number reads as 0. A number beyond the range of a single cannot be stored:
        // it is refused like a mistyped one, so the field keeps its value and the user is told,
        // instead of storing an infinity or a silent 0.
        if (sc.found && !convert(sc, d)) {
            r.ok = false;
            return r;
        }
    } else {
        // The locale writes "," as decimal separator; a typed "." means the same.
        for (char& c : r.text)
            if (c == '.')
                c = ',';
        NumberSyntax syn;
        syn.point = ',';
        // A "." or "," separator has become the decimal comma and cannot be told from it.
        if (thousandsSep != "," && thousandsSep != ".")
            syn.group = thousandsSep;
        // Where the locale groups with a no-break space (U+00A0, U+202F) the blank typed for it
        // on the keyboard counts too.
        syn.groupBlank = thousandsSep == "\xC2\xA0" || thousandsSep == "\xE2\x80\xAF";
        if (!readWhole(r.text, syn, d)) {
            r.ok = false;
            return r;
        }
    }
    float f = 0;
    if (!narrowToSingle(d, f)) {
        r.ok = false;
        return r;
    }
    r.value = f == 0.0f ? 0.0f : f; // "-0" reads as plain 0
    return r;
}

bool detectDecimalSeparator(char localeDecimalSep) {
    return formatNumber(1.1, "0.0", localeDecimalSep) == "1.1";
}

namespace {
NumberSyntax invariantSyntax() {
    NumberSyntax syn;
    syn.dExponent = true;
    return syn;
}
} // namespace

bool readInvariant(std::string_view text, float& out) {
    // Read straight into a single so that the decimal text is rounded once.
    return readWhole(text, invariantSyntax(), out);
}

bool readInvariant(std::string_view text, double& out) {
    return readWhole(text, invariantSyntax(), out);
}

} // namespace velmora
