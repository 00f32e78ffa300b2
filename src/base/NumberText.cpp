// Number text: display patterns, the general text of a single, the invariant notation of the
// files and the reading of numbers typed into the input boxes.
//
// Every formatting routine works on one internal form, `Decimal`: the leading significant digits
// of a value as characters plus the power of ten of the first digit. A double is rendered into it
// once, correctly rounded to 15 significant digits (ties to even, as any correct conversion of
// the exact binary value rounds), and all further rounding is done on those digits, half away
// from zero, as the display patterns have always rounded. Working on the 15-significant-digit
// form means that a value such as 2.675, stored in binary as 2.67499999999999982..., is rounded
// as the 2.67500000000000 the engineer typed. A single is taken at its exact binary value.
//
// The digits come from exact integer arithmetic on the binary significand over the range of
// magnitudes that the program shows, and from std::to_chars outside it; both are exact, so the
// digits do not depend on which one produced them. The formatters allocate nothing but the text
// they return.
#include "base/NumberText.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>
#include <type_traits>

namespace velmora {

namespace {

// ---------------------------------------------------------------------------------------------
// Decimal digits

__extension__ typedef unsigned __int128 Uint128;

// 10^0 .. 10^38, all below 2^128.
constexpr std::array<Uint128, 39> kPow10 = [] {
    std::array<Uint128, 39> t{};
    Uint128 p = 1;
    for (size_t i = 0; i < t.size(); ++i) {
        t[i] = p;
        if (i + 1 < t.size())
            p *= 10;
    }
    return t;
}();

// A finite value as sign, significant digits and decimal exponent: the first digit has place
// value 10^exp. `digits[0, count)` holds no leading and no trailing zeros; count is 0 for zero.
// The digits are those of the value's 15-digit form for a double; for a single they are the
// first eight digits of its exact value, which is all that rounding to seven digits half away
// from zero looks at.
struct Decimal {
    static constexpr long kCapacity = 15;
    bool negative = false;
    long count = 0;
    long exp = 0;
    char digits[kCapacity] = {};

    bool isZero() const { return count == 0; }

    // Digit of place value 10^place ('0' outside the stored digits).
    char digitAt(long place) const {
        const long index = exp - place;
        if (index < 0 || index >= count)
            return '0';
        return digits[index];
    }
};

void stripTrailingZeros(Decimal& d) {
    while (d.count > 0 && d.digits[d.count - 1] == '0')
        --d.count;
    if (d.count == 0)
        d.exp = 0;
}

// "00" "01" .. "99".
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> t{};
    for (size_t i = 0; i < 100; ++i) {
        t[2 * i] = static_cast<char>('0' + i / 10);
        t[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return t;
}();

// Writes `v` as exactly `n` digits (leading zeros where it is shorter), two at a time.
void putFixedDigits(char* out, uint32_t v, long n) {
    for (; n >= 2; n -= 2) {
        std::memcpy(out + n - 2, &kDigitPairs[2 * (v % 100)], 2);
        v /= 100;
    }
    if (n == 1)
        out[0] = static_cast<char>('0' + v);
}

// Stores `v` below 10^n, n at most kCapacity, as n digits whose first has place value 10^exp.
void setDigits(Decimal& d, uint64_t v, long n, long exp) {
    if (n > 8) {
        putFixedDigits(d.digits, static_cast<uint32_t>(v / 100000000), n - 8);
        putFixedDigits(d.digits + n - 8, static_cast<uint32_t>(v % 100000000), 8);
    } else {
        putFixedDigits(d.digits, static_cast<uint32_t>(v), n);
    }
    d.count = n;
    d.exp = exp;
    stripTrailingZeros(d);
}

// Reads std::to_chars' "d.ddde+XX" text into `d`, keeping the first `keep` digits.
void readScientific(Decimal& d, const char* p, const char* end, long keep) {
    if (p != end && *p == '-')
        ++p;
    d.count = 0;
    for (; p != end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9' && d.count < keep)
            d.digits[d.count++] = *p;
    long e = 0;
    if (p != end) {
        ++p;
        const bool eneg = *p == '-';
        for (++p; p != end; ++p)
            e = e * 10 + (*p - '0');
        if (eneg)
            e = -e;
    }
    d.exp = e;
    stripTrailingZeros(d);
}

// floor(log10(2^b)) for |b| up to 1650.
int floorLog10Pow2(int b) {
    return (b * 78913) >> 18;
}

// The 15 significant digits of x = m * 2^e, 2^52 <= m < 2^53, rounded to nearest with ties to
// even, for binary exponents b from -26 to 46 (x in [2^b, 2^(b+1)), about 1.5e-8 to 1.4e14):
// there m * 10^k, with 0 <= k <= 22 the power that brings x to 15 integer digits, is below 2^127,
// so the integer part of m * 10^k / 2^-e and its remainder are exact. False outside that range.
bool fifteenDigits(Decimal& d, uint64_t m, int e, int b) {
    const int low = floorLog10Pow2(b); // the decimal exponent is low or low + 1
    if (low < -8 || low > 13)
        return false;
    const int shift = -e; // from 6 to 78 in this range
    long exp = low + 1;
    Uint128 n = static_cast<Uint128>(m) * kPow10[static_cast<size_t>(14 - exp)];
    uint64_t q = static_cast<uint64_t>(n >> shift);
    if (q < 100000000000000u) { // below 10^exp: one more digit after the point
        --exp;
        n *= 10;
        q = static_cast<uint64_t>(n >> shift);
    }
    if (q < 100000000000000u || q >= 1000000000000000u)
        return false;
    const Uint128 rest = n & ((static_cast<Uint128>(1) << shift) - 1);
    const Uint128 half = static_cast<Uint128>(1) << (shift - 1);
    if (rest > half || (rest == half && (q & 1) != 0))
        ++q;
    if (q == 1000000000000000u) { // 9.99999999999999|5 and up carry into a new digit
        q = 100000000000000u;
        ++exp;
    }
    setDigits(d, q, 15, exp);
    return true;
}

// Sign, biased exponent and fraction field of a double or a single.
struct BinaryFields {
    bool negative = false;
    int biased = 0; // 0 for zero and subnormals
    uint64_t fraction = 0;
};

template <class T> BinaryFields fieldsOf(T value) {
    using Bits = std::conditional_t<sizeof(T) == 8, uint64_t, uint32_t>;
    constexpr int kFractionBits = std::numeric_limits<T>::digits - 1;
    constexpr int kSignBit = static_cast<int>(sizeof(T)) * 8 - 1;
    const Bits bits = std::bit_cast<Bits>(value);
    BinaryFields f;
    f.negative = (bits >> kSignBit) != 0;
    f.biased = static_cast<int>((bits & ~(Bits{1} << kSignBit)) >> kFractionBits);
    f.fraction = bits & ((Bits{1} << kFractionBits) - 1);
    return f;
}

// The value's 15-significant-digit decimal form.
Decimal toDecimal15(double value) {
    Decimal d;
    const BinaryFields f = fieldsOf(value);
    d.negative = f.negative;
    if (f.biased == 0 && f.fraction == 0)
        return d;
    if (f.biased != 0 &&
        fifteenDigits(d, f.fraction | (uint64_t{1} << 52), f.biased - 1075, f.biased - 1023))
        return d;
    // Subnormal, very small or very large: the library's correctly rounded expansion.
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    if (res.ec == std::errc())
        readScientific(d, buf, res.ptr, 15);
    return d;
}

// floor(m * 2^e * 10^k) for a single's significand m < 2^24; false when it does not fit the
// integer arithmetic.
bool scaledDown(uint32_t m, int e, int k, Uint128& out) {
    Uint128 n = m;
    if (k > 0) {
        if (k > 31) // m * 10^31 < 2^127
            return false;
        n *= kPow10[static_cast<size_t>(k)];
    }
    if (e >= 0) {
        if (k > 0)
            return false;
        n <<= e; // a single's value is below 2^128
    } else {
        if (e < -127)
            return false;
        n >>= -e;
    }
    if (k < 0) {
        if (k < -38)
            return false;
        n /= kPow10[static_cast<size_t>(-k)];
    }
    out = n;
    return true;
}

// The first eight significant digits of a single's exact value, cut off (not rounded). Integer
// arithmetic covers magnitudes from 2^-79 (about 1.7e-24) up: m * 10^k / 2^-e, or m * 2^e / 10^-k
// for large values, fits 128 bits there.
Decimal singleDecimal(float value) {
    constexpr long kKeep = 8;
    Decimal d;
    const BinaryFields f = fieldsOf(value);
    d.negative = f.negative;
    if (f.biased == 0 && f.fraction == 0)
        return d;
    if (f.biased != 0) {
        const auto m = static_cast<uint32_t>(f.fraction | (uint64_t{1} << 23));
        const int e = f.biased - 150;
        const int low = floorLog10Pow2(f.biased - 127); // decimal exponent low or low + 1
        long exp = low + 1;
        Uint128 t = 0;
        bool ok = low >= -24 && scaledDown(m, e, static_cast<int>(kKeep - 1 - exp), t);
        if (ok && t < 10000000u) {
            --exp;
            ok = scaledDown(m, e, static_cast<int>(kKeep - 1 - exp), t);
        }
        if (ok && t >= 10000000u && t < 100000000u) {
            setDigits(d, static_cast<uint64_t>(t), kKeep, exp);
            return d;
        }
    }
    // A single has at most 112 significant digits, so 120 digits are its exact expansion.
    char buf[160];
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                   std::chars_format::scientific, 119);
    if (res.ec == std::errc())
        readScientific(d, buf, res.ptr, kKeep);
    return d;
}

// Keeps the first `keep` significant digits, rounding half away from zero on the first dropped
// digit. `keep` may be zero or negative: the value then rounds to zero or, when the first digit
// is 5 or more and keep is 0, to one unit of the next higher place.
void roundToDigits(Decimal& d, long keep) {
    if (d.isZero() || keep >= d.count)
        return;
    if (keep < 0) {
        d.count = 0;
        d.exp = 0;
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.count = keep;
    if (up) {
        long i = d.count;
        while (i > 0 && d.digits[i - 1] == '9') {
            d.digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            // Carry into a new leading digit (9.96 -> 10.0); the zeros after it are dropped.
            d.digits[0] = '1';
            d.count = 1;
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

// ---------------------------------------------------------------------------------------------
// Writing text
//
// Each formatter first works out the length of its text, then writes it into a string of that
// size: one allocation at most, none for texts that fit the string's own buffer.

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

// The usual text of a stored or typed number: an optional "-", digits with at most one "." or
// "," among them and nothing else, short enough to need no exponent or range check. Both
// branches of parseNumber read such a text as this plain decimal, which is converted here
// directly; `point` becomes the separator the normalised text shows. False for anything else.
bool plainDecimal(std::string& text, char point, double& out) {
    constexpr size_t kMaxPlain = 24; // far inside the range of a single
    const size_t n = text.size();
    if (n == 0 || n > kMaxPlain)
        return false;
    char buf[kMaxPlain + 1];
    size_t i = 0;
    size_t k = 0;
    if (text[0] == '-')
        buf[k++] = text[i++];
    bool digits = false;
    size_t separator = n;
    for (; i < n; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            digits = true;
            buf[k++] = c;
        } else if ((c == '.' || c == ',') && separator == n) {
            separator = i;
            buf[k++] = '.';
        } else {
            return false;
        }
    }
    if (!digits)
        return false;
    double v = 0;
    const auto res = std::from_chars(buf, buf + k, v);
    if (res.ec != std::errc() || res.ptr != buf + k)
        return false;
    if (separator != n)
        text[separator] = point;
    out = v;
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------

std::string formatNumber(double value, std::string_view pattern, char decimalSep) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    Decimal d = toDecimal15(value);
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
    Decimal d = singleDecimal(value);
    return generalText(d, 7, 7, decimalSep);
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
    if (plainDecimal(r.text, decimalPointLocale ? '.' : ',', d)) {
        // Read as either branch reads it, without the scanner's general rules.
    } else if (decimalPointLocale) {
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
