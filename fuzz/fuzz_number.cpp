// Fuzz target of the number text module: arbitrary bytes as typed text (both decimal-separator
// branches), as file text for the strict reader, as display patterns, and as raw doubles and
// singles for the formatters. Besides "no crash, no sanitizer report" it checks properties that
// must hold for every input and traps when one fails.
#include "base/DecimalDigits.h"
#include "base/NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// Characters a formatted number may contain.
bool isNumberText(const std::string& s, char sep) {
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'E' || c == sep))
            return false;
    return true;
}

// A minus sign is only shown for a value that does not round to zero.
bool hasNonzeroMantissa(const std::string& s) {
    for (char c : s) {
        if (c == 'E')
            break;
        if (c >= '1' && c <= '9')
            return true;
    }
    return false;
}

const char* const kPatterns[] = {"0.0",      "0.00",    "0.000",   "#00",  "00",    "#0.0", "#0.00",
                                 "#0.000",   "##0.0",   "##0.000", "#000", "##.00", "0.##", "0",
                                 "0.000E+0", "0.00E+0", "00.0E+0", "###",  "#"};

// The integer digit path gives the digits std::to_chars gives.
bool sameDigits(const velmora::numtext::Decimal& a, const velmora::numtext::Decimal& b) {
    return a.negative == b.negative && a.count == b.count && a.exp == b.exp &&
           std::memcmp(a.digits, b.digits, static_cast<size_t>(a.count)) == 0;
}

void formatAll(double value) {
    if (std::isfinite(value))
        check(sameDigits(velmora::numtext::fifteenDigitForm(value),
                         velmora::numtext::fifteenDigitFormByLibrary(value)));
    for (const char* pattern : kPatterns) {
        const std::string a = velmora::formatNumber(value, pattern, '.');
        const std::string b = velmora::formatNumber(value, pattern, ',');
        if (std::isfinite(value)) {
            check(isNumberText(a, '.'));
            check(isNumberText(b, ','));
            check(a.size() == b.size());
            check(!a.empty() || !std::isfinite(value) || std::fabs(value) < 1.0);
            check(a.empty() || a[0] != '-' || hasNonzeroMantissa(a));
        }
    }
    // The 15-digit form (shown whole for a text that is not a pattern) of a normal double reads
    // back as a double with the same 15-digit form, so a digit off by more than the rounding
    // shows up here (ties are left to the tests). Only forms that round up past the largest
    // double cannot be read back.
    if (std::isnormal(value) && std::fabs(value) < 1.79769313486231e308) {
        const std::string whole = velmora::formatNumber(value, "x", '.');
        double back = 0;
        check(velmora::readInvariant(whole, back));
        check(velmora::formatNumber(back, "x", '.') == whole);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Typed text, both branches and a few thousands separators.
    const velmora::ParsedNumber p = velmora::parseNumber(text, true);
    check(p.ok ? std::isfinite(p.value) : true);
    for (const char* thousands : {".", " ", "'", "\xC2\xA0", "\xE2\x80\xAF"}) {
        const velmora::ParsedNumber c = velmora::parseNumber(text, false, thousands);
        if (c.ok)
            check(std::isfinite(c.value));
    }

    // Strict file reading; what reads must survive a trip through the invariant text.
    float f = 0;
    if (velmora::readInvariant(text, f)) {
        check(std::isfinite(f));
        float back = 0;
        check(velmora::readInvariant(velmora::formatInvariant(f), back));
        check(std::memcmp(&back, &f, sizeof f) == 0);
    }
    double d = 0;
    if (velmora::readInvariant(text, d))
        check(std::isfinite(d));

    // The bytes as a display pattern (mostly unsupported ones, which must still be safe).
    if (size <= 64) {
        (void)velmora::formatNumber(1234.5678, text, '.');
        (void)velmora::formatNumber(-0.000123, text, ',');
    }

    // The bytes as raw doubles and singles.
    for (size_t i = 0; i + sizeof(double) <= size && i < 64; i += sizeof(double)) {
        double v;
        std::memcpy(&v, data + i, sizeof v);
        formatAll(v);
    }
    for (size_t i = 0; i + sizeof(float) <= size && i < 64; i += sizeof(float)) {
        float v;
        std::memcpy(&v, data + i, sizeof v);
        const std::string g = velmora::formatGeneral(v, ',');
        if (std::isfinite(v)) {
            check(sameDigits(velmora::numtext::singleDigits(v),
                             velmora::numtext::singleDigitsByLibrary(v)));
            check(isNumberText(g, ','));
            float back = 0;
            check(velmora::readInvariant(velmora::formatInvariant(v), back));
            check(std::memcmp(&back, &v, sizeof v) == 0);
        }
        formatAll(static_cast<double>(v));
    }
    return 0;
}
