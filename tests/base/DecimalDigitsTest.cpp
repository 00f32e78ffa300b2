// The two digit paths of number text give the same digits: the exact integer arithmetic the
// program uses where it fits, and std::to_chars alone. Five million doubles and five million
// singles from every decade and the awkward places (zero, subnormals, near integers, near powers
// of ten, near short decimals), and the halfway cases of every display pattern and of the
// general text of a single, where the texts are also compared with values worked out from the
// decimal digits.
#include "base/DecimalDigits.h"
#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

namespace velmora::numtext {
namespace {

// Share of the full counts run: all in an optimised build; a fiftieth under the sanitizers and
// without optimisation, where each conversion costs many times more. VELMORA_DIGIT_SAMPLES sets
// the count of random doubles (and of singles) instead of the full 10^7.
double sampleShare() {
    if (const char* env = std::getenv("VELMORA_DIGIT_SAMPLES"))
        return std::atof(env) / 1e7;
#if defined(__OPTIMIZE__) && !defined(__SANITIZE_ADDRESS__)
    return 1.0;
#else
    return 0.02;
#endif
}

long samples(long full) {
    const auto n = static_cast<long>(static_cast<double>(full) * sampleShare());
    return n < 1 ? 1 : n;
}

std::string digitsText(const Decimal& d) {
    return std::string(d.negative ? "-" : "") +
           std::string(d.digits, static_cast<size_t>(d.count)) + " E" + std::to_string(d.exp);
}

bool same(const Decimal& a, const Decimal& b) {
    return a.negative == b.negative && a.count == b.count && a.exp == b.exp &&
           std::memcmp(a.digits, b.digits, static_cast<size_t>(a.count)) == 0;
}

std::string hexText(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%a", v);
    return buf;
}

// Compares the two paths for one value; reports a difference and counts it.
template <class T> void compare(T v, Decimal (*fast)(T), Decimal (*library)(T), int& differences) {
    const Decimal a = fast(v);
    const Decimal b = library(v);
    if (same(a, b))
        return;
    if (++differences <= 20)
        ADD_FAILURE() << hexText(static_cast<double>(v)) << ": integer path " << digitsText(a)
                      << ", std::to_chars " << digitsText(b);
}

class Random {
public:
    explicit Random(uint64_t seed) : rng_(seed) {}
    uint64_t bits() { return rng_(); }
    // Uniform in [lo, hi].
    long between(long lo, long hi) {
        return lo + static_cast<long>(rng_() % static_cast<uint64_t>(hi - lo + 1));
    }
    bool coin() { return (rng_() & 1) != 0; }
    // A decimal of `digits` random digits, the first not zero.
    std::string digitText(long digits) {
        std::string s(1, static_cast<char>('1' + between(0, 8)));
        for (long i = 1; i < digits; ++i)
            s.push_back(static_cast<char>('0' + between(0, 9)));
        return s;
    }

private:
    std::mt19937_64 rng_;
};

// The value `steps` representable values away from finite v, toward larger magnitudes for
// positive steps: at most the largest finite value, and at least the smallest subnormal.
template <class T> T stepped(T v, long steps) {
    using Bits = std::conditional_t<sizeof(T) == 8, uint64_t, uint32_t>;
    constexpr Bits kSign = Bits{1} << (sizeof(T) * 8 - 1);
    Bits bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    Bits magnitude = bits & ~kSign;
    Bits largest = 0;
    const T max = std::numeric_limits<T>::max();
    std::memcpy(&largest, &max, sizeof max);
    const auto distance = static_cast<Bits>(steps < 0 ? -steps : steps);
    if (steps < 0)
        magnitude = magnitude > distance ? magnitude - distance : 1;
    else
        magnitude = largest - magnitude > distance ? magnitude + distance : largest;
    bits = (bits & kSign) | magnitude;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

double fromBits(uint64_t sign, uint64_t biased, uint64_t fraction) {
    const uint64_t bits = (sign << 63) | (biased << 52) | (fraction & ((uint64_t{1} << 52) - 1));
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

float singleFromBits(uint32_t sign, uint32_t biased, uint32_t fraction) {
    const uint32_t bits = (sign << 31) | (biased << 23) | (fraction & ((1u << 23) - 1));
    float v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// Values read from decimal text, drawn from in turn (reading text is slower than converting).
template <class T> struct Pools {
    std::vector<T> shortDecimals; // d.ddd * 10^k of 1 to 15 (singles: 9) random digits
    std::vector<T> powersOfTen;   // 10^k, and for doubles 15-digit forms that carry (9.99..95)

    Pools(Random& r, long maxDigits, long lowExp, long highExp) {
        for (int i = 0; i < 4096; ++i) {
            std::string text = r.digitText(r.between(1, maxDigits));
            text.insert(1, ".");
            text += "e" + std::to_string(r.between(lowExp, highExp));
            shortDecimals.push_back(read(text));
        }
        static const char* const kLead[] = {"1", "9.99999999999999", "9.999999999999995",
                                            "9.999999999999994", "9.999999999999996"};
        for (long e = lowExp; e <= highExp; ++e)
            for (const char* lead : kLead)
                if (sizeof(T) == 8 || std::string(lead) == "1")
                    powersOfTen.push_back(read(lead + ("e" + std::to_string(e))));
    }

    static T read(const std::string& text) {
        if constexpr (sizeof(T) == 8)
            return std::strtod(text.c_str(), nullptr);
        else
            return std::strtof(text.c_str(), nullptr);
    }

    template <class V> static T pick(Random& r, const V& pool) {
        return pool[static_cast<size_t>(r.between(0, static_cast<long>(pool.size()) - 1))];
    }
};

// A double of one of the kinds the comparison draws from, the kind chosen by `kind`.
double drawDouble(Random& r, const Pools<double>& pools, long kind) {
    const uint64_t sign = r.coin() ? 1 : 0;
    const double s = sign != 0 ? -1.0 : 1.0;
    switch (kind) {
    case 0:
    case 1:
    case 2: // every decade from about 1e-42 to 1e42, evenly by binary exponent
        return fromBits(sign, static_cast<uint64_t>(r.between(1023 - 140, 1023 + 140)), r.bits());
    case 3: // the whole range, subnormals included
        return fromBits(sign, static_cast<uint64_t>(r.between(0, 2046)), r.bits());
    case 4: { // near integers of every size up to 2^64, and integers and a half
        const double n = static_cast<double>(r.bits() >> r.between(0, 63)) + 1;
        return s * stepped(r.coin() ? n : n + 0.5, r.between(-3, 3));
    }
    case 5: // near short decimals, the values typed and shown most
        return s * stepped(Pools<double>::pick(r, pools.shortDecimals), r.between(-2, 2));
    case 6: // near powers of ten and near 15-digit forms that carry into a new digit
        return s * stepped(Pools<double>::pick(r, pools.powersOfTen), r.between(-4, 4));
    default: { // halves at the sixteenth digit, at the top of the integer path's range
        const double n = static_cast<double>(r.between(100000000000000, (long{1} << 47) - 1));
        return s * (n + 0.25 * static_cast<double>(r.between(0, 3)));
    }
    }
}

float drawSingle(Random& r, const Pools<float>& pools, long kind) {
    const uint32_t sign = r.coin() ? 1 : 0;
    const float s = sign != 0 ? -1.0f : 1.0f;
    const auto fraction = static_cast<uint32_t>(r.bits());
    switch (kind) {
    case 0:
    case 1:
    case 2: // every decade of the single range, evenly by binary exponent
        return singleFromBits(sign, static_cast<uint32_t>(r.between(1, 254)), fraction);
    case 3: // subnormals
        return singleFromBits(sign, 0, fraction);
    case 4: { // near integers of every size up to 2^40, and integers and a half
        const auto n = static_cast<float>(r.bits() >> r.between(24, 63)) + 1;
        return s * stepped(r.coin() ? n : n + 0.5f, r.between(-3, 3));
    }
    case 5: // near short decimals
        return s * stepped(Pools<float>::pick(r, pools.shortDecimals), r.between(-2, 2));
    case 6: // near powers of ten
        return s * stepped(Pools<float>::pick(r, pools.powersOfTen), r.between(-4, 4));
    default: { // cut-off ties: eight digits ending in 5 (integers from 10^7 to 2^24)
        const long n = r.between(1000000, 1677720) * 10 + 5;
        return s * static_cast<float>(n);
    }
    }
}

// Compares the two paths for the values of `fixed` and the values on either side of them, then
// for five million values that `draw` gives for the kinds 0 to 7.
template <class T, class Draw>
void compareAll(std::initializer_list<T> fixed, const Draw& draw, Decimal (*fast)(T),
                Decimal (*library)(T)) {
    int differences = 0;
    for (T v : fixed)
        for (long steps = -1; steps <= 1; ++steps)
            compare(stepped(v, steps), fast, library, differences);
    const long n = samples(5000000);
    for (long i = 0; i < n && differences <= 20; ++i)
        compare(draw(i % 8), fast, library, differences);
    EXPECT_EQ(differences, 0);
}

TEST(DecimalDigits, FifteenDigitFormAsStdToCharsGivesIt) {
    Random r(20261209);
    const Pools<double> pools(r, 15, -40, 40);
    compareAll<double>(
        {0.0, -0.0, std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
         std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(), 0x1p-26, 0x1p-27,
         0x1p47, 0x1p46, 1e14, 1.4e14, 99999999999999.953125, 999999999999999.875},
        [&](long kind) { return drawDouble(r, pools, kind); }, fifteenDigitForm,
        fifteenDigitFormByLibrary);
}

TEST(DecimalDigits, SingleDigitsAsStdToCharsGivesThem) {
    Random r(77);
    const Pools<float> pools(r, 9, -45, 37);
    compareAll<float>(
        {0.0f, -0.0f, std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::min(),
         std::numeric_limits<float>::max(), 0x1p-79f, 0x1p-80f, 0x1p100f, 0x1p127f, 16777215.0f,
         1e7f},
        [&](long kind) { return drawSingle(r, pools, kind); }, singleDigits, singleDigitsByLibrary);
}

// A display pattern and how it rounds: to `decimals` places after the point, or for an
// exponent pattern to `significant` digits.
struct PatternRounding {
    const char* pattern;
    long decimals;
    long significant; // 0: fixed notation
};

const PatternRounding kPatterns[] = {
    {"0.0", 1, 0},  {"0.00", 2, 0},     {"0.000", 3, 0},   {"#00", 0, 0},    {"00", 0, 0},
    {"#0.0", 1, 0}, {"#0.00", 2, 0},    {"#0.000", 3, 0},  {"##0.0", 1, 0},  {"##0.000", 3, 0},
    {"#000", 0, 0}, {"##.00", 2, 0},    {"0.##", 2, 0},    {"0", 0, 0},      {"###", 0, 0},
    {"#", 0, 0},    {"0.000E+0", 3, 4}, {"0.00E+0", 2, 3}, {"00.0E+0", 1, 3}};

// The value a text shows, read by the C library ("" is the zero of "#").
double shownValue(const std::string& text) {
    return text.empty() ? 0.0 : std::strtod(text.c_str(), nullptr);
}

// A halfway value: the digits of `kept` and a 5 after them, its 15-digit form exactly that
// decimal. Formatted with the pattern it must show kept + 1 in the last place, and so must the
// doubles on either side of it (whose 15-digit form is the same); the library path shows the
// same texts.
void expectRoundsUp(const PatternRounding& p, bool negative, const std::string& kept,
                    long lastPlace, int& failures) {
    const std::string sign = negative ? "-" : "";
    const std::string half = sign + kept + "5e" + std::to_string(lastPlace - 1);
    // kept + 1 in the place 10^lastPlace.
    std::string up = kept;
    long i = static_cast<long>(up.size()) - 1;
    while (i >= 0 && up[static_cast<size_t>(i)] == '9')
        up[static_cast<size_t>(i--)] = '0';
    if (i < 0)
        up.insert(up.begin(), '1');
    else
        ++up[static_cast<size_t>(i)];
    const double expected =
        std::strtod((sign + up + "e" + std::to_string(lastPlace)).c_str(), nullptr);
    const double v = std::strtod(half.c_str(), nullptr);
    for (const double x : {v, stepped(v, -1), stepped(v, 1)}) {
        const std::string text = formatNumber(x, p.pattern);
        const std::string byLibrary = formatNumberByLibrary(x, p.pattern);
        if (shownValue(text) != expected || text != byLibrary) {
            if (++failures <= 20)
                ADD_FAILURE() << half << " (" << hexText(x) << ") with \"" << p.pattern
                              << "\" shows \"" << text << "\" (std::to_chars digits: \""
                              << byLibrary << "\"), not " << sign << up << "e" << lastPlace;
        }
    }
}

TEST(DecimalDigits, HalfwayCasesOfEveryDisplayPattern) {
    Random r(5);
    int failures = 0;
    const long randomCases = samples(10000);
    for (const PatternRounding& p : kPatterns) {
        if (p.significant == 0) {
            // Every halfway value from 0.5 units to 999.5 units of the last place shown, then
            // random ones of up to 15 significant digits.
            for (long k = 0; k < 1000; ++k)
                expectRoundsUp(p, k % 2 == 1, std::to_string(k), -p.decimals, failures);
            for (long k = 0; k < randomCases; ++k)
                expectRoundsUp(p, r.coin(), r.digitText(r.between(1, 14)), -p.decimals, failures);
        } else {
            for (long k = 0; k < randomCases; ++k) {
                const long e = r.coin() ? r.between(-30, 30) : r.between(-290, 290);
                expectRoundsUp(p, r.coin(), r.digitText(p.significant), e, failures);
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

// The general text of a single rounds its exact value to seven digits half away from zero. A
// single whose exact value has eight significant digits ending in 5 is m * 2^-j with m odd below
// 2^24 and m * 5^j of eight digits (j at most 11), or an integer from 10^7 to 2^24 ending in 5:
// every one of them shows its first seven digits plus one in the last place.
TEST(DecimalDigits, HalfwayCasesOfTheGeneralText) {
    Random r(11);
    int failures = 0;
    auto expectTie = [&failures](float v, uint64_t eightDigits, long lastPlace) {
        const uint64_t up = eightDigits / 10 + 1;
        const std::string sign = v < 0 ? "-" : "";
        const double expected = std::strtod(
            (sign + std::to_string(up) + "e" + std::to_string(lastPlace + 1)).c_str(), nullptr);
        const std::string text = formatGeneral(v);
        const std::string byLibrary = formatGeneralByLibrary(v);
        if (std::strtod(text.c_str(), nullptr) != expected || text != byLibrary) {
            if (++failures <= 20)
                ADD_FAILURE() << hexText(static_cast<double>(v)) << " shows \"" << text
                              << "\" (std::to_chars digits: \"" << byLibrary << "\"), not " << sign
                              << up << "e" << lastPlace + 1;
        }
    };
    const long perExponent = samples(40000);
    uint64_t pow5 = 1;
    for (int j = 1; j <= 11; ++j) {
        pow5 *= 5;
        const auto lo = static_cast<long>((10000000 + pow5 - 1) / pow5);
        const long hi = std::min(static_cast<long>(99999999 / pow5), long{(1 << 24) - 1});
        for (long k = 0; k < perExponent; ++k) {
            const long m = r.between(lo, hi) | 1;
            if (m > hi)
                continue;
            const float v = std::ldexp(static_cast<float>(m), -j);
            expectTie(r.coin() ? -v : v, static_cast<uint64_t>(m) * pow5, -j);
        }
    }
    for (long k = 0; k < perExponent; ++k) {
        const long n = r.between(1000000, 1677720) * 10 + 5;
        const auto v = static_cast<float>(n);
        expectTie(r.coin() ? -v : v, static_cast<uint64_t>(n), 0);
    }
    EXPECT_EQ(failures, 0);
}

} // namespace
} // namespace velmora::numtext
