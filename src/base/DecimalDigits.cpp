// Decimal digits of doubles and singles (see DecimalDigits.h): exact integer arithmetic on the
// binary significand where it fits 128 bits, std::to_chars elsewhere.
#include "base/DecimalDigits.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>
#include <type_traits>

namespace velmora::numtext {

namespace {

__extension__ typedef unsigned __int128 Uint128;

// Digits a single keeps: the first eight of its exact value.
constexpr long kSingleKeep = 8;

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

// The first eight digits of a single, cut off, by integer arithmetic, which covers magnitudes
// from 2^-79 (about 1.7e-24) up: m * 10^k / 2^-e, or m * 2^e / 10^-k for large values, fits 128
// bits there. False outside that range.
bool singleDigitsByIntegers(const BinaryFields& f, Decimal& d) {
    if (f.biased == 0)
        return false;
    const auto m = static_cast<uint32_t>(f.fraction | (uint64_t{1} << 23));
    const int e = f.biased - 150;
    const int low = floorLog10Pow2(f.biased - 127); // decimal exponent low or low + 1
    long exp = low + 1;
    Uint128 t = 0;
    bool ok = low >= -24 && scaledDown(m, e, static_cast<int>(kSingleKeep - 1 - exp), t);
    if (ok && t < 10000000u) {
        --exp;
        ok = scaledDown(m, e, static_cast<int>(kSingleKeep - 1 - exp), t);
    }
    if (!ok || t < 10000000u || t >= 100000000u)
        return false;
    setDigits(d, static_cast<uint64_t>(t), kSingleKeep, exp);
    return true;
}

// The first `keep` digits of std::to_chars' correctly rounded expansion of `value` to
// `precision` digits after the first.
Decimal libraryDigits(double value, int precision, long keep) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;
    char buf[160];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision);
    if (res.ec == std::errc())
        readScientific(d, buf, res.ptr, keep);
    return d;
}

} // namespace

Decimal fifteenDigitFormByLibrary(double value) {
    return libraryDigits(value, 14, 15);
}

Decimal fifteenDigitForm(double value) {
    const BinaryFields f = fieldsOf(value);
    if (f.biased != 0) {
        Decimal d;
        d.negative = f.negative;
        if (fifteenDigits(d, f.fraction | (uint64_t{1} << 52), f.biased - 1075, f.biased - 1023))
            return d;
    }
    // Zero, subnormal, very small or very large: the library's correctly rounded expansion.
    return fifteenDigitFormByLibrary(value);
}

Decimal singleDigitsByLibrary(float value) {
    // A single has at most 112 significant digits, so 120 digits are its exact expansion.
    return libraryDigits(static_cast<double>(value), 119, kSingleKeep);
}

Decimal singleDigits(float value) {
    const BinaryFields f = fieldsOf(value);
    Decimal d;
    d.negative = f.negative;
    if (singleDigitsByIntegers(f, d))
        return d;
    return singleDigitsByLibrary(value);
}

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

void roundToPlaces(Decimal& d, long decimals) {
    if (!d.isZero())
        roundToDigits(d, d.exp + 1 + decimals);
}

} // namespace velmora::numtext
