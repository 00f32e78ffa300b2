// Reading numbers: the text typed into an input box (parseNumber, with the plain decimal of a
// stored field read directly, as the database reader meets it in every field) and the strict
// invariant notation of the files (readInvariant).
#include "base/NumberText.h"
#include "base/Text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>
#include <utility>

namespace velmora {

namespace {

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

NumberSyntax invariantSyntax() {
    NumberSyntax syn;
    syn.dExponent = true;
    return syn;
}

} // namespace

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
        r.found = sc.found;
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

bool readInvariant(std::string_view text, float& out) {
    // Read straight into a single so that the decimal text is rounded once.
    return readWhole(text, invariantSyntax(), out);
}

bool readInvariant(std::string_view text, double& out) {
    return readWhole(text, invariantSyntax(), out);
}

} // namespace velmora
