// Timings of one number text: the display patterns of the panels and the general text of the
// database cells, over values like those the checks produce (single-precision results of a few
// significant digits shown, from hundredths to hundreds of thousands).
#include "base/NumberText.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>

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

void runPattern(benchmark::State& state, const char* pattern) {
    const std::array<float, kValues> values = typicalSingles();
    size_t i = 0;
    for (auto _ : state) {
        const std::string text =
            formatNumber(static_cast<double>(values[i++ % kValues]), pattern, '.');
        benchmark::DoNotOptimize(text.data());
    }
}

void BM_formatNumber_Fixed(benchmark::State& state) {
    runPattern(state, "0.00");
}

void BM_formatNumber_Padded(benchmark::State& state) {
    runPattern(state, "##0.000");
}

void BM_formatNumber_Integer(benchmark::State& state) {
    runPattern(state, "#000");
}

void BM_formatNumber_Exponent(benchmark::State& state) {
    runPattern(state, "0.00E+0");
}

// Values typed or read as decimals with few digits (2.675, 210000, 0.3).
void BM_formatNumber_ShortDecimals(benchmark::State& state) {
    const double values[] = {2.675, 210000.0, 0.3, 1090.99, 355.0, 6.5, 0.125, 12.345};
    size_t i = 0;
    for (auto _ : state) {
        const std::string text = formatNumber(values[i++ % 8], "0.00", ',');
        benchmark::DoNotOptimize(text.data());
    }
}

void BM_formatGeneral(benchmark::State& state) {
    const std::array<float, kValues> values = typicalSingles();
    size_t i = 0;
    for (auto _ : state) {
        const std::string text = formatGeneral(values[i++ % kValues], '.');
        benchmark::DoNotOptimize(text.data());
    }
}

} // namespace

BENCHMARK(BM_formatNumber_Fixed);
BENCHMARK(BM_formatNumber_Padded);
BENCHMARK(BM_formatNumber_Integer);
BENCHMARK(BM_formatNumber_Exponent);
BENCHMARK(BM_formatNumber_ShortDecimals);
BENCHMARK(BM_formatGeneral);
