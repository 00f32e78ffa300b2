// Decimal digits of a binary number: the one form that every formatter of number text works on.
// Internal to number text (NumberFormat.cpp); the tests and the benchmark use it to hold the
// integer digit path against std::to_chars alone.
//
// A double is rendered once into its 15-significant-digit form, correctly rounded (ties to even,
// as any correct conversion of the exact binary value rounds); all further rounding is done on
// those digits, half away from zero, as the display patterns have always rounded. Working on the
// 15-significant-digit form means that a value such as 2.675, stored in binary as
// 2.67499999999999982..., is rounded as the 2.67500000000000 the engineer typed. A single is
// taken at its exact binary value.
//
// The digits come from exact integer arithmetic on the binary significand over the range of
// magnitudes that the program shows, and from std::to_chars outside it. Both are exact, so the
// digits do not depend on which one produced them; the functions named `...ByLibrary` take
// std::to_chars alone for every value, and a test compares the two over many millions of values.
#pragma once

#include <string>
#include <string_view>

namespace velmora::numtext {

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

// The 15-significant-digit form of a finite double.
Decimal fifteenDigitForm(double value);
// The first eight significant digits of a finite single's exact value, cut off (not rounded).
Decimal singleDigits(float value);

// The same digits from std::to_chars alone.
Decimal fifteenDigitFormByLibrary(double value);
Decimal singleDigitsByLibrary(float value);

// Keeps the first `keep` significant digits, rounding half away from zero on the first dropped
// digit. `keep` may be zero or negative: the value then rounds to zero or, when the first digit
// is 5 or more and keep is 0, to one unit of the next higher place.
void roundToDigits(Decimal& d, long keep);

// Rounds to `decimals` places after the point.
void roundToPlaces(Decimal& d, long decimals);

// formatNumber and formatGeneral (NumberText.h) with their digits from std::to_chars alone.
std::string formatNumberByLibrary(double value, std::string_view pattern, char decimalSep = '.');
std::string formatGeneralByLibrary(float value, char decimalSep = '.');

} // namespace velmora::numtext
