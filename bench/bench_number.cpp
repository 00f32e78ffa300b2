// Timings of one number text: the display patterns of the panels and the general text of the
// database cells, over values like those the checks produce (single-precision results of a few
// significant digits shown, from hundredths to hundreds of thousands). Each is timed twice: with
// the digits from exact integer arithmetic, as the program makes them, and (`_ToChars`) with the
// same digits from std::to_chars alone.
#include "base/DecimalDigits.h"
#include "base/NumberText.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace velmora;

constexpr size_t kValues = 256;

// Singles spread over seven decades, from a fixed linear congruential sequence so that every
// run times the same values.
std::array<float, kValues> typicalSingles() {
    std::array<float, kValues> v{};
    uint32_t x = 12345;
    for (size_t i = 0; i < kValues; ++i) {
        x = x * 1664525u + 1013904223u;
        const float mantissa = 1.0f + static_cast<float>(x >> 8) / 16777216.0f * 9.0f;
        float scale = 0.01f;
        for (uint32_t d = (x >> 4) % 8; d > 0; --d)
            scale *= 10.0f;
        v[i] = (x & 1u) != 0 ? -mantissa * scale : mantissa * scale;
    }
    return v;
}

using PatternText = std::string (*)(double, std::string_view, char);
using GeneralText = std::string (*)(float, char);

void runPattern(benchmark::State& state, const char* pattern, PatternText format) {
    const std::array<float, kValues> values = typicalSingles();
    size_t i = 0;
    for (auto _ : state) {
        const std::string text = format(static_cast<double>(values[i++ % kValues]), pattern, '.');
        benchmark::DoNotOptimize(text.data());
    }
}

void BM_formatNumber_Fixed(benchmark::State& state) {
    runPattern(state, "0.00", formatNumber);
}

void BM_formatNumber_Padded(benchmark::State& state) {
    runPattern(state, "##0.000", formatNumber);
}

void BM_formatNumber_Integer(benchmark::State& state) {
    runPattern(state, "#000", formatNumber);
}

void BM_formatNumber_Exponent(benchmark::State& state) {
    runPattern(state, "0.00E+0", formatNumber);
}

void BM_formatNumber_Fixed_ToChars(benchmark::State& state) {
    runPattern(state, "0.00", numtext::formatNumberByLibrary);
}

void BM_formatNumber_Padded_ToChars(benchmark::State& state) {
    runPattern(state, "##0.000", numtext::formatNumberByLibrary);
}

void BM_formatNumber_Integer_ToChars(benchmark::State& state) {
    runPattern(state, "#000", numtext::formatNumberByLibrary);
}

void BM_formatNumber_Exponent_ToChars(benchmark::State& state) {
    runPattern(state, "0.00E+0", numtext::formatNumberByLibrary);
}

// Values typed or read as decimals with few digits (2.675, 210000, 0.3).
void runShortDecimals(benchmark::State& state, PatternText format) {
    const double values[] = {2.675, 210000.0, 0.3, 1090.99, 355.0, 6.5, 0.125, 12.345};
    size_t i = 0;
    for (auto _ : state) {
        const std::string text = format(values[i++ % 8], "0.00", ',');
        benchmark::DoNotOptimize(text.data());
    }
}

void BM_formatNumber_ShortDecimals(benchmark::State& state) {
    runShortDecimals(state, formatNumber);
}

void BM_formatNumber_ShortDecimals_ToChars(benchmark::State& state) {
    runShortDecimals(state, numtext::formatNumberByLibrary);
}

void runGeneral(benchmark::State& state, GeneralText format) {
    const std::array<float, kValues> values = typicalSingles();
    size_t i = 0;
    for (auto _ : state) {
        const std::string text = format(values[i++ % kValues], '.');
        benchmark::DoNotOptimize(text.data());
    }
}

void BM_formatGeneral(benchmark::State& state) {
    runGeneral(state, formatGeneral);
}

void BM_formatGeneral_ToChars(benchmark::State& state) {
    runGeneral(state, numtext::formatGeneralByLibrary);
}

// The digits alone, without the text.
template <class T> void runDigits(benchmark::State& state, numtext::Decimal (*digits)(T)) {
    const std::array<float, kValues> values = typicalSingles();
    size_t i = 0;
    for (auto _ : state) {
        const numtext::Decimal d = digits(static_cast<T>(values[i++ % kValues]));
        benchmark::DoNotOptimize(d);
    }
}

void BM_fifteenDigitForm(benchmark::State& state) {
    runDigits<double>(state, numtext::fifteenDigitForm);
}

void BM_fifteenDigitForm_ToChars(benchmark::State& state) {
    runDigits<double>(state, numtext::fifteenDigitFormByLibrary);
}

void BM_singleDigits(benchmark::State& state) {
    runDigits<float>(state, numtext::singleDigits);
}

void BM_singleDigits_ToChars(benchmark::State& state) {
    runDigits<float>(state, numtext::singleDigitsByLibrary);
}

} // namespace

BENCHMARK(BM_formatNumber_Fixed);
BENCHMARK(BM_formatNumber_Fixed_ToChars);
BENCHMARK(BM_formatNumber_Padded);
BENCHMARK(BM_formatNumber_Padded_ToChars);
BENCHMARK(BM_formatNumber_Integer);
BENCHMARK(BM_formatNumber_Integer_ToChars);
BENCHMARK(BM_formatNumber_Exponent);
BENCHMARK(BM_formatNumber_Exponent_ToChars);
BENCHMARK(BM_formatNumber_ShortDecimals);
BENCHMARK(BM_formatNumber_ShortDecimals_ToChars);
BENCHMARK(BM_formatGeneral);
BENCHMARK(BM_formatGeneral_ToChars);
BENCHMARK(BM_fifteenDigitForm);
BENCHMARK(BM_fifteenDigitForm_ToChars);
BENCHMARK(BM_singleDigits);
BENCHMARK(BM_singleDigits_ToChars);
