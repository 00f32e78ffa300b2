// Number text: display patterns, general text, invariant notation and typed-number parsing.
// Expected texts are worked out by hand (decimal rounding half away from zero of the value's
// 15-digit form, or of a single's exact value for the general text).
#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

struct FmtCase {
    double value;
    const char* pattern;
    const char* expected;
};

void expectFormats(const std::vector<FmtCase>& cases, char sep = '.') {
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.pattern, sep), c.expected)
            << "value " << c.value << " pattern \"" << c.pattern << "\"";
}

TEST(NumberTextFormat, FixedDecimals) {
    expectFormats({{1.1, "0.0", "1.1"},
                   {1090.99, "0.0", "1091.0"},
                   {1090.99, "0.00", "1090.99"},
                   {0.0, "0.0", "0.0"},
                   {0.0, "0.000", "0.000"},
                   {3.0, "0.00", "3.00"},
                   {1.5, "0.000", "1.500"},
                   {-0.3, "0.000", "-0.300"},
                   {0.04, "#0.0", "0.0"},
                   {12.345, "#0.00", "12.35"},
                   {1234.5678, "#0.000", "1234.568"},
                   {-100.0, "##0.0", "-100.0"},
                   {-0.3, "##0.000", "-0.300"},
                   {123.4, "#0.0", "123.4"},
                   {0.5, "0", "1"},
                   {0.49, "0", "0"},
                   {7.0, "0", "7"},
                   {1e22, "0", "10000000000000000000000"}});
}

TEST(NumberTextFormat, IntegerPadding) {
    expectFormats({{5.0, "#00", "05"},       {1234.6, "#00", "1235"}, {0.0, "#00", "00"},
                   {0.4, "#00", "00"},       {7.0, "00", "07"},       {123.0, "00", "123"},
                   {50.0, "#000", "050"},    {355.0, "#000", "355"},  {2000.0, "#000", "2000"},
                   {1500.0, "#00", "1500"},  {-5.0, "#00", "-05"},    {0.5, "##.00", ".50"},
                   {12.5, "##.00", "12.50"}, {-0.5, "##.00", "-.50"}, {0.0, "##.00", ".00"},
                   {0.0, "###", ""},         {0.0, "#", ""},          {0.4, "#", ""},
                   {-0.4, "#", ""},          {42.0, "###", "42"},     {12345.0, "###", "12345"},
                   {7.0, "#", "7"}});
}

TEST(NumberTextFormat, OptionalDecimals) {
    expectFormats({{5.0, "0.##", "5"},
                   {2.5, "0.##", "2.5"},
                   {2.456, "0.##", "2.46"},
                   {2.004, "0.##", "2"},
                   {2.005, "0.##", "2.01"},
                   {0.0, "0.##", "0"},
                   {-0.001, "0.##", "0"},
                   {-1.2, "0.##", "-1.2"}});
}

// Rounding is half away from zero on the 15-digit decimal form, not on the binary value.
TEST(NumberTextFormat, RoundingAtHalf) {
    expectFormats({{0.125, "0.00", "0.13"},
                   {2.675, "0.00", "2.68"}, // binary 2.67499999999999982...
                   {1.005, "0.00", "1.01"}, // binary 1.00499999999999989...
                   {8.345, "0.00", "8.35"},
                   {1.115, "#0.00", "1.12"},
                   {0.05, "0.0", "0.1"},
                   {0.15, "0.0", "0.2"},
                   {0.25, "0.0", "0.3"},
                   {0.35, "0.0", "0.4"},
                   {0.45, "0.0", "0.5"},
                   {1.45, "#0.0", "1.5"},
                   {4.35, "##0.0", "4.4"},
                   {2.5, "0", "3"},
                   {3.5, "0", "4"},
                   {-2.5, "0", "-3"},
                   {-1.25, "0.0", "-1.3"},
                   {-0.05, "0.0", "-0.1"},
                   {0.0005, "0.000", "0.001"},
                   {0.0004999, "0.000", "0.000"},
                   {123456789.125, "0.00", "123456789.13"},
                   // A single's value is not a tie: 2.675f is 2.67499995231628...
                   {static_cast<double>(2.675f), "0.00", "2.67"},
                   {static_cast<double>(1.45f), "0.0", "1.5"}, // 1.45000004768...
                   {static_cast<double>(-0.3f), "##0.000", "-0.300"}});
}

TEST(NumberTextFormat, CarryIntoNewDigit) {
    expectFormats({{9.96, "0.0", "10.0"},
                   {99.5, "#00", "100"},
                   {9.5, "#00", "10"},
                   {999.9996, "0.000", "1000.000"},
                   {0.996, "0.00", "1.00"},
                   {0.96, "#.0", "1.0"},
                   {-9.95, "#0.0", "-10.0"},
                   {9.999, "0.##", "10"},
                   {99.96, "##.00", "99.96"},
                   {99.996, "##.00", "100.00"}});
}

TEST(NumberTextFormat, NoNegativeZero) {
    expectFormats({{-0.0, "0.0", "0.0"},
                   {-0.04, "0.0", "0.0"},
                   {-0.0004, "0.000", "0.000"},
                   {-0.4, "#00", "00"},
                   {-0.0, "0.00E+0", "0.00E+0"},
                   {-1e-300, "0.00", "0.00"}});
}

TEST(NumberTextFormat, ExponentForm) {
    expectFormats({{210000.0, "0.00E+0", "2.10E+5"},
                   {0.00123, "0.00E+0", "1.23E-3"},
                   {0.0, "0.00E+0", "0.00E+0"},
                   {1234567.0, "0.000E+0", "1.235E+6"},
                   {210000.0, "00.0E+0", "21.0E+4"},
                   {9.996, "0.00E+0", "1.00E+1"},
                   {9.994, "0.00E+0", "9.99E+0"},
                   {1.0, "0.00E+0", "1.00E+0"},
                   {-210000.0, "0.00E+0", "-2.10E+5"},
                   {-0.00123, "0.000E+0", "-1.230E-3"},
                   {2.125, "0.00E+0", "2.13E+0"},
                   {1e-300, "0.00E+0", "1.00E-300"},
                   {1.7976931348623157e308, "0.00E+0", "1.80E+308"},
                   {99950.0, "0.00E+0", "1.00E+5"},
                   {0.5, "00.0E+0", "50.0E-2"},
                   {210000.0, "0.00E+00", "2.10E+05"},
                   {210000.0, "0.00E-0", "2.10E5"},
                   {0.00123, "0.00E-0", "1.23E-3"},
                   {0.0, "00.0E+0", "00.0E+0"}});
}

TEST(NumberTextFormat, CommaSeparator) {
    expectFormats({{1.1, "0.0", "1,1"},
                   {1090.99, "0.00", "1090,99"},
                   {0.5, "##.00", ",50"},
                   {2.5, "0.##", "2,5"},
                   {5.0, "0.##", "5"},
                   {210000.0, "0.00E+0", "2,10E+5"},
                   {5.0, "#00", "05"}},
                  ',');
}

TEST(NumberTextFormat, NonFiniteAndUnknownPatterns) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(formatNumber(inf, "0.0"), "Inf");
    EXPECT_EQ(formatNumber(-inf, "#00"), "-Inf");
    EXPECT_EQ(formatNumber(std::nan(""), "0.00E+0"), "NaN");
    // Not a display pattern: the value in general form, never a guess at the pattern.
    EXPECT_EQ(formatNumber(2.5, "0.0 mm"), "2.5");
    EXPECT_EQ(formatNumber(1234.5, "#,##0.0"), "1234.5");
    EXPECT_EQ(formatNumber(2.5, ""), "2.5");
    EXPECT_EQ(formatNumber(2.5, "."), "2.5");
    EXPECT_EQ(formatNumber(2.5, "0.0E"), "2.5");
    EXPECT_EQ(formatNumber(2.5, "E+0"), "2.5");
    // Very long patterns stay well defined.
    EXPECT_EQ(formatNumber(1.0, std::string(40, '0')), std::string(39, '0') + "1");
}

// The 15-digit form itself, shown whole by a text that is not a display pattern.
TEST(NumberTextDigits, FifteenDigitForm) {
    expectFormats({{0.1 + 0.2, "x", "0.3"}, // 0.300000000000000044...
                   {2.0 / 3.0, "x", "0.666666666666667"},
                   {1.0 / 3.0, "x", "0.333333333333333"},
                   {1e-5 / 3.0, "x", "3.33333333333333E-06"},
                   {123456789012345678.0, "x", "1.23456789012346E+17"},
                   // 99999999999999.953125 and 999999999999999.875 carry into a new digit.
                   {99999999999999.953125, "0.0", "100000000000000.0"},
                   {999999999999999.875, "0", "1000000000000000"},
                   // Smallest subnormal, smallest normal and largest double.
                   {std::numeric_limits<double>::denorm_min(), "x", "4.94065645841247E-324"},
                   {std::numeric_limits<double>::denorm_min(), "0.00E+0", "4.94E-324"},
                   {std::numeric_limits<double>::min(), "x", "2.2250738585072E-308"},
                   {std::numeric_limits<double>::max(), "x", "1.79769313486232E+308"},
                   {-0.0, "x", "0"}});
    // Digits past the fifteenth of a fixed text are zeros: 309 digits in all.
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::max(), "0"),
              "179769313486232" + std::string(294, '0'));
    EXPECT_EQ(formatNumber(-std::nan(""), "0.0"), "NaN");
    EXPECT_EQ(formatGeneral(std::nanf("")), "NaN");
    EXPECT_EQ(formatGeneral(-std::numeric_limits<float>::infinity(), ','), "-Inf");
}

// Values whose exact binary value lies halfway between two 15-digit forms exist only from 1e14
// up. The 15-digit form takes the even neighbour, as a correct conversion of the exact value
// does; the display pattern then rounds that form half away from zero.
TEST(NumberTextDigits, BinaryTiesAtTheSixteenthDigit) {
    expectFormats({{100000000000000.5, "0", "100000000000000"},
                   {100000000000000.5, "0.0", "100000000000000.0"},
                   {100000000000001.5, "0", "100000000000002"},
                   {100000000000002.5, "0", "100000000000002"},
                   {-100000000000003.5, "0", "-100000000000004"},
                   {100000000000000.515625, "0", "100000000000001"}, // next double up
                   {1000000000000005.0, "0", "1000000000000000"},
                   {1000000000000015.0, "0", "1000000000000020"},
                   {1000000000000025.0, "0", "1000000000000020"},
                   {-1000000000000035.0, "0", "-1000000000000040"},
                   {10000000000000050.0, "0", "10000000000000000"},
                   {10000000000000150.0, "0", "10000000000000200"}});
}

// A single is rounded from its exact value, also where that value has many more digits than are
// shown, and at both ends of the range.
TEST(NumberTextDigits, GeneralTextOfSinglesFarFromOne) {
    const std::vector<std::pair<float, const char*>> cases = {
        {0x1p-100f, "7.888609E-31"}, // 7.88860905221011805...
        {0x1p-80f, "8.271806E-25"},  // 8.27180612553027674...
        {0x1p-82f, "2.067952E-25"},  // 2.06795153138256918...
        {0x1p-130f, "7.34684E-40"},  // 7.34683969263929692... (subnormal)
        {0x1p-148f, "2.802597E-45"}, // 2.80259692864963414... (subnormal)
        {0x1p-79f, "1.654361E-24"},  // 1.65436122510605534...
        {0x1p-78f, "3.308722E-24"},  // 3.30872245021211069...
        {1e-30f, "1E-30"},           // 1.00000000317107685...
        {0x1p100f, "1.267651E+30"},  // 1267650600228229401496703205376
        {0x1p127f, "1.701412E+38"},
        {-10000015.0f, "-1.000002E+07"},
        {12345675.0f, "1.234568E+07"}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(formatGeneral(value), expected) << value;
}

struct GeneralCase {
    float value;
    const char* expected;
};

TEST(NumberTextGeneral, SevenSignificantDigits) {
    const std::vector<GeneralCase> cases = {
        {100.0f, "100"},
        {6.5f, "6.5"},
        {0.25f, "0.25"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {-0.3f, "-0.3"},
        {0.1f, "0.1"},
        {1.0f / 3.0f, "0.3333333"},
        {2.0f / 3.0f, "0.6666667"},
        {-1500.5f, "-1500.5"},
        {9999999.0f, "9999999"},
        {1234567.5f, "1234568"},
        {123456.75f, "123456.8"},
        {12345678.0f, "1.234568E+07"},
        {1e7f, "1E+07"},
        {16777215.0f, "1.677722E+07"},
        {10000005.0f, "1.000001E+07"}, // tie rounds away from zero
        {0.000001f, "1E-06"},
        {0.00001f, "1E-05"},
        {0.0001f, "0.0001"}, // 9.99999975e-05 rounds up into fixed range
        {0.00012345678f, "0.0001234568"},
        {1e-45f, "1.401298E-45"},
        {3.4028235e38f, "3.402823E+38"},
        {-2.5e-10f, "-2.5E-10"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatGeneral(c.value), c.expected) << c.value;
    EXPECT_EQ(formatGeneral(6.5f, ','), "6,5");
    EXPECT_EQ(formatGeneral(0.25f, ','), "0,25");
    EXPECT_EQ(formatGeneral(12345678.0f, ','), "1,234568E+07");
    EXPECT_EQ(formatGeneral(std::numeric_limits<float>::infinity()), "Inf");
}

TEST(NumberTextInvariant, ShortestText) {
    EXPECT_EQ(formatInvariant(1500.0f), "1500");
    EXPECT_EQ(formatInvariant(-0.3f), "-0.3");
    EXPECT_EQ(formatInvariant(1e20f), "1e+20");
    EXPECT_EQ(formatInvariant(0.1f), "0.1");
    EXPECT_EQ(formatInvariant(210000.0f), "210000");
}

TEST(NumberTextInvariant, RoundTrips) {
    const std::vector<float> values = {0.0f,
                                       -0.0f,
                                       1.0f,
                                       -0.3f,
                                       0.1f,
                                       1e-7f,
                                       3.4e38f,
                                       std::numeric_limits<float>::max(),
                                       std::numeric_limits<float>::min(),
                                       std::numeric_limits<float>::denorm_min(),
                                       1500.0f,
                                       16777217.0f,
                                       1.0f / 3.0f,
                                       -123456.789f,
                                       2.675f,
                                       6.02214e23f};
    for (float v : values) {
        const std::string text = formatInvariant(v);
        float back = 12345.0f;
        ASSERT_TRUE(readInvariant(text, back)) << text;
        EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text;
    }
}

// The shortest text of a double, as the study files and the workbook's column widths use it:
// the fewest digits that read back as the same double, not a fixed count of digits.
TEST(NumberTextInvariant, ShortestTextOfDoubles) {
    const std::vector<std::pair<double, const char*>> cases = {
        {0.0, "0"},
        {-0.0, "-0"},
        {2.0, "2"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.30000000000000004"},
        {static_cast<double>(-0.3f), "-0.30000001192092896"},
        {1e20, "1e+20"},
        {123456.75, "123456.75"},
        {5e-324, "5e-324"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(formatShortest(value), expected);
    EXPECT_EQ(formatShortest(std::nan("")), "nan");

    std::mt19937_64 rng(7);
    for (int n = 0; n < 20000; ++n) {
        double v = 0;
        const uint64_t bits = rng();
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v))
            continue;
        const std::string text = formatShortest(v);
        double back = 0;
        ASSERT_TRUE(readInvariant(text, back)) << text;
        ASSERT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text;
        // Shortest: the value rounded to one significant digit fewer is another double (whole
        // numbers without exponent are written with all their digits, the notation being the
        // shorter one).
        if (text.find_first_of(".e") == std::string::npos)
            continue;
        std::string digits = text.substr(0, text.find('e'));
        std::erase_if(digits, [](char c) { return c == '-' || c == '.'; });
        digits.erase(0, digits.find_first_not_of('0'));
        digits.erase(digits.find_last_not_of('0') + 1);
        if (digits.size() >= 2) {
            char fewer[40];
            std::snprintf(fewer, sizeof fewer, "%.*e", static_cast<int>(digits.size()) - 2, v);
            EXPECT_NE(std::strtod(fewer, nullptr), v) << text << " " << fewer;
        }
    }
}

TEST(NumberTextInvariant, AcceptedForms) {
    struct Case {
        const char* text;
        double expected;
    };
    const std::vector<Case> cases = {{"1500", 1500.0},    {"-.3", -0.3},   {".5", 0.5},
                                     {"5.", 5.0},         {"+7", 7.0},     {"2.1E+05", 210000.0},
                                     {"2.1e5", 210000.0}, {"1D3", 1000.0}, {"1d-3", 0.001},
                                     {"  12.5\t", 12.5},  {"\t-4 ", -4.0}, {"007", 7.0},
                                     {"1e-400", 0.0},     {"0e99999", 0.0}};
    for (const auto& c : cases) {
        double d = -99;
        ASSERT_TRUE(readInvariant(c.text, d)) << c.text;
        EXPECT_EQ(d, c.expected) << c.text;
    }
    float f = 0;
    ASSERT_TRUE(readInvariant("-.3", f));
    EXPECT_EQ(f, -0.3f);
    ASSERT_TRUE(readInvariant("0.1", f));
    EXPECT_EQ(f, 0.1f);
    // The float overload rounds the decimal text once, straight to single precision:
    // 1.00000005960464477539062501 lies just above the halfway point between 1 and the next
    // single, so it must give 1.00000012f (a detour through double would give 1.0f).
    ASSERT_TRUE(readInvariant("1.00000005960464477539062501", f));
    EXPECT_EQ(f, 1.00000012f);
    ASSERT_TRUE(readInvariant("1e-50", f));
    EXPECT_EQ(f, 0.0f);
    ASSERT_TRUE(readInvariant("3.4028235e38", f));
    EXPECT_EQ(f, std::numeric_limits<float>::max());
}

TEST(NumberTextInvariant, Rejections) {
    const char* bad[] = {"",    " ",    "abc",   "1,5",   "12abc",  "1.2.3", ".",
                         "-",   "+",    "e5",    "12E",   "12E+",   "1e5.5", "1 2",
                         "- 1", "nan",  "inf",   "-inf",  "0x10",   "1e39x", "--1",
                         "1e",  "1..2", "1.5\n", "1e400", "-1e309", "\xff"};
    for (const char* t : bad) {
        double d = 42;
        EXPECT_FALSE(readInvariant(t, d)) << '"' << t << '"';
        EXPECT_EQ(d, 42) << "output untouched on failure";
    }
    float f = 42;
    EXPECT_FALSE(readInvariant("1e39", f)); // beyond the range of a single
    EXPECT_FALSE(readInvariant("3.5e38", f));
    EXPECT_EQ(f, 42);
    EXPECT_FALSE(readInvariant(std::string_view("1\0", 2), f));
}

struct ParseCase {
    const char* text;
    bool ok;
    float value;
    const char* normalised;
};

void expectParses(const std::vector<ParseCase>& cases, bool pointLocale,
                  std::string_view thousands = ".") {
    for (const auto& c : cases) {
        const ParsedNumber r = parseNumber(c.text, pointLocale, thousands);
        EXPECT_EQ(r.ok, c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(r.value, c.value) << '"' << c.text << '"';
        }
        if (c.normalised != nullptr) {
            EXPECT_EQ(r.text, c.normalised) << '"' << c.text << '"';
        }
    }
}

TEST(NumberTextParse, PointLocaleTakesLeadingNumber) {
    expectParses({{"1,5", true, 1.5f, "1.5"},
                  {"1.5", true, 1.5f, "1.5"},
                  {"12abc", true, 12.0f, "12abc"},
                  {"abc", true, 0.0f, "abc"},
                  {"", true, 0.0f, ""},
                  {"   20", true, 20.0f, "20"},
                  {"1 500", true, 1500.0f, nullptr},
                  {" - 1\t2\n3", true, -123.0f, nullptr},
                  {"-0.3", true, -0.3f, nullptr},
                  {"-,3", true, -0.3f, "-.3"},
                  {".5", true, 0.5f, nullptr},
                  {"5.", true, 5.0f, nullptr},
                  {"+7", true, 7.0f, nullptr},
                  {"1.2.3", true, 1.2f, nullptr},
                  {"1,2,3", true, 1.2f, "1.2.3"},
                  {"2.1E+05", true, 210000.0f, nullptr},
                  {"2.1e5", true, 210000.0f, nullptr},
                  {"21D4", true, 210000.0f, nullptr},
                  {"1 e 3", true, 1000.0f, nullptr},
                  {"12E", true, 12.0f, nullptr},
                  {"12E+", true, 12.0f, nullptr},
                  {"12Ex", true, 12.0f, nullptr},
                  {"--5", true, 0.0f, nullptr},
                  {"-", true, 0.0f, nullptr},
                  {".", true, 0.0f, nullptr},
                  {"-0", true, 0.0f, nullptr},
                  {"1e-50", true, 0.0f, nullptr},
                  {"1e-400", true, 0.0f, nullptr},
                  {"3.4028235e38", true, std::numeric_limits<float>::max(), nullptr},
                  {"0.1", true, 0.1f, nullptr}},
                 true);
    EXPECT_FALSE(std::signbit(parseNumber("-0", true).value));
}

// Plain decimals, the usual text of a field, read as the C library reads them (rounded once to
// double, then to single) in either locale, with the locale's separator in the normalised text:
// short and long ones, with and without sign, separator, integer or fractional digits.
TEST(NumberTextParse, PlainDecimalsReadAsTheCLibraryReads) {
    std::mt19937 rng(20261209);
    auto digits = [&rng](int count) {
        std::string d;
        for (int i = 0; i < count; ++i)
            d.push_back(static_cast<char>('0' + rng() % 10));
        return d;
    };
    for (int n = 0; n < 20000; ++n) {
        const std::string whole = digits(static_cast<int>(rng() % 14));
        const std::string fraction = digits(static_cast<int>(rng() % 14));
        const int form = static_cast<int>(rng() % 3); // no separator, ".", ","
        if (whole.empty() && (fraction.empty() || form == 0))
            continue;
        const std::string sign = rng() % 2 ? "-" : "";
        const std::string c = sign + whole + (form == 0 ? "" : ".") + (form == 0 ? "" : fraction);
        const float expected = static_cast<float>(std::strtod(c.c_str(), nullptr));
        std::string text = c;
        if (form == 2)
            std::replace(text.begin(), text.end(), '.', ',');
        for (const bool pointLocale : {true, false}) {
            const ParsedNumber r = parseNumber(text, pointLocale, ".");
            ASSERT_TRUE(r.ok) << text;
            EXPECT_EQ(expected == 0.0f ? 0.0f : expected, r.value) << text;
            if (r.value == 0.0f) {
                EXPECT_FALSE(std::signbit(r.value)) << text;
            }
            std::string normalised = c;
            if (!pointLocale)
                std::replace(normalised.begin(), normalised.end(), '.', ',');
            EXPECT_EQ(normalised, r.text);
        }
    }
}

// A number beyond the range of a single cannot be stored: it is refused with ok false so the
// field reports a mismatch and keeps its value, instead of storing infinity.
TEST(NumberTextParse, PointLocaleRefusesOverflow) {
    expectParses({{"1e39", false, 0, nullptr},
                  {"3.4028236e38", false, 0, nullptr},
                  {"-1e39", false, 0, nullptr},
                  {"1e400", false, 0, nullptr},
                  {"1e99999999999999999999", false, 0, nullptr},
                  {"9e38abc", false, 0, nullptr}},
                 true);
}

TEST(NumberTextParse, CommaLocaleWholeText) {
    expectParses(
        {{"1,5", true, 1.5f, "1,5"},
         {"1.5", true, 1.5f, "1,5"},
         {"abc", false, 0, "abc"},
         {"12abc", false, 0, nullptr},
         {"", false, 0, ""},
         {"   ", false, 0, nullptr},
         {"  20  ", true, 20.0f, "20  "},
         {"-0,3", true, -0.3f, nullptr},
         {",5", true, 0.5f, nullptr},
         {"5,", true, 5.0f, nullptr},
         {"2,1E+05", true, 210000.0f, nullptr},
         {"2.1e5", true, 210000.0f, "2,1e5"},
         {"1,2,3", false, 0, nullptr},
         {"1.000,5", false, 0, "1,000,5"}, // "." thousands become "," and cannot be told apart
         {"1 5", false, 0, nullptr},
         {"12E", false, 0, nullptr},
         {"1D3", false, 0, nullptr},
         {"1e39", false, 0, nullptr},
         {"-", false, 0, nullptr}},
        false, ".");
}

TEST(NumberTextParse, CommaLocaleOtherThousandsSeparator) {
    expectParses({{"1 234,5", true, 1234.5f, nullptr},
                  {"12 345 678", true, 12345678.0f, nullptr},
                  {"1 234 ", true, 1234.0f, nullptr},
                  {" 1234", true, 1234.0f, nullptr},
                  {"1  234", false, 0, nullptr},
                  {"1,2 3", false, 0, nullptr}},
                 false, " ");
    expectParses({{"1'234,5", true, 1234.5f, nullptr}, {"'1", false, 0, nullptr}}, false, "'");
    // A no-break space as separator (two and three bytes in UTF-8); the plain blank typed on the
    // keyboard counts as well, but only between digits.
    expectParses({{"1\xC2\xA0"
                   "234,5",
                   true, 1234.5f, nullptr},
                  {"1 234,5", true, 1234.5f, nullptr},
                  {"1\xC2"
                   "234",
                   false, 0, nullptr},
                  {"1\xC2\xA0", false, 0, nullptr}},
                 false, "\xC2\xA0");
    expectParses({{"12\xE2\x80\xAF"
                   "345\xE2\x80\xAF"
                   "678",
                   true, 12345678.0f, nullptr},
                  {"2 500", true, 2500.0f, nullptr},
                  {"2\xC2\xA0"
                   "500",
                   false, 0, nullptr}},
                 false, "\xE2\x80\xAF");
    // On the point branch the separator plays no part: the leading number counts.
    expectParses({{"1'234", true, 1.0f, "1'234"}}, true, "'");
}

TEST(NumberTextParse, DetectDecimalSeparator) {
    EXPECT_TRUE(detectDecimalSeparator('.'));
    EXPECT_FALSE(detectDecimalSeparator(','));
}

} // namespace
} // namespace velmora
