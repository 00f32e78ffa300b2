// Number text: the display patterns of the program, the invariant notation of the files and the
// reading of typed and stored numbers. Writing is in NumberFormat.cpp (on the decimal digits of
// DecimalDigits.cpp), reading in NumberParse.cpp.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// ---------------------------------------------------------------------------------------------
// Writing numbers

// Formats `value` with a display pattern such as "0.0", "0.00", "#00", "#0.0", "##0.000",
// "#000", "##.00", "0.##", "0", "00", "0.000E+0", "0.00E+0", "00.0E+0", "###" or "#", using
// `decimalSep` as the decimal separator. Rounds half away from zero on the value's
// 15-significant-digit decimal form.
std::string formatNumber(double value, std::string_view pattern, char decimalSep = '.');

// General text of a single-precision number: up to 7 significant digits, shortest form, no
// padding ("100", "6.5", "0.25", "1.234568E+07").
std::string formatGeneral(float value, char decimalSep = '.');

// Shortest text that reads back as the same single (invariant notation, "." decimal point,
// exponent form for very small or large magnitudes). Used for numbers in files.
std::string formatInvariant(float value);

// Shortest text that reads back as the same double, in the same notation ("0.1", "1e+20", and
// "-0.30000001192092896" for the single -0.3 widened; "inf", "-inf" and "nan" for the values
// that are not finite).
std::string formatShortest(double value);

// `value` rounded to `digits` significant digits (round half to even on the exact binary value),
// written out in plain decimals without trailing zeros and with "." ("1090.976", "-0.3",
// "123456800"); very small or large magnitudes (below 1e-6, from 1e15) in exponent form
// ("1.5e-07"). Used by the calculation sheet, whose expressions any script can evaluate.
std::string formatSignificant(double value, int digits);

// True when the locale whose decimal separator is `localeDecimalSep` writes 1.1 as "1.1".
bool detectDecimalSeparator(char localeDecimalSep);

// ---------------------------------------------------------------------------------------------
// Reading numbers

struct ParsedNumber {
    bool ok = true;    // false: type mismatch off the point branch, or beyond single range
    bool found = true; // false: the point branch found no leading number and read 0
    float value = 0;   // rounded to single precision
    std::string text;  // the normalised text that was converted
};

// Text typed into a box to a single. With `decimalPointLocale` every "," becomes "." and the
// longest leading decimal number counts (never fails); otherwise every "." becomes "," and the
// whole text must be a number in the locale's notation (`thousandsSep`, UTF-8, accepted between
// digits).
ParsedNumber parseNumber(std::string_view text, bool decimalPointLocale,
                         std::string_view thousandsSep = ".");

// Strict reading of a number in invariant notation as files hold it ("1500", "-.3", "2.1E+05",
// surrounding blanks allowed); false when the text is not exactly one number.
bool readInvariant(std::string_view text, float& out);
bool readInvariant(std::string_view text, double& out);

} // namespace velmora
