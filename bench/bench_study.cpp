// Timings of the design study on the new case with the delivered tables, spread over every
// core: a one-input sweep of 10^5 points with every result (and its thresholds) but no panel
// text, the lightest-design search over a grid of 10^6 points, and a table of 10^6 rows checked
// at once.
#include "BenchState.h"
#include "study/CheckMany.h"
#include "study/Study.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

namespace {

using namespace velmora;

StudyGrid grid(const State& st, const std::vector<StudyRange>& ranges) {
    StudyGrid g;
    if (!makeStudyGrid(st, ranges, g).empty())
        std::abort();
    return g;
}

// t from 10 to 30 mm in 10^5 values: the shell check fails below about 13.6 mm, the ring-frame
// area above about 15.4 mm, so the sweep has two thresholds.
// The argument is the number of threads, 0 for one per core.
void BM_study_Sweep100k(benchmark::State& state) {
    const State st = bench::preparedState();
    const StudyGrid g = grid(st, {{"t", 10, 30, 20.0 / 99999}});
    if (g.size() != 100000)
        std::abort();
    const StudyControl control{static_cast<unsigned>(state.range(0)), {}, nullptr};
    for (auto _ : state) {
        const SweepResult r = runSweep(st, g, {}, control);
        benchmark::DoNotOptimize(r.points.data());
    }
}

// 25 000 wall thicknesses by the 40 rows of the T table of the ring frame.
void BM_study_Lightest1M(benchmark::State& state) {
    const State st = bench::preparedState();
    const StudyGrid g = grid(st, {{"t", 10, 30, 20.0 / 24999}, {"ringRow", 0, 39, 1}});
    if (g.size() != 1000000)
        std::abort();
    for (auto _ : state) {
        const LightestResult r = findLightest(st, g, 10);
        benchmark::DoNotOptimize(r.designs.data());
    }
}

// The same grid for the heavy ring-frame case with six load cases: each point judged by all six.
void BM_study_Lightest1M_SixLoadCases(benchmark::State& state) {
    const State st = bench::sixLoadCaseState();
    const StudyGrid g = grid(st, {{"t", 10, 30, 20.0 / 24999}, {"ringRow", 0, 39, 1}});
    if (g.size() != 1000000)
        std::abort();
    for (auto _ : state) {
        const LightestResult r = findLightest(st, g, 10);
        benchmark::DoNotOptimize(r.designs.data());
    }
}

// 100 wall thicknesses by the 40 ring-frame rows (4000 points) on one thread, the heavy ring-frame
// case with one load case and with the six of BM_calcAll_SixLoadCases: small and steady enough
// to count the instructions of a point with callgrind.
void studyOneThread(benchmark::State& state, const State& st) {
    const StudyGrid g = grid(st, {{"t", 10, 30, 20.0 / 99}, {"ringRow", 0, 39, 1}});
    const StudyControl control{1, {}, nullptr};
    for (auto _ : state) {
        const LightestResult r = findLightest(st, g, 10, {}, control);
        benchmark::DoNotOptimize(r.designs.data());
    }
}

void BM_study_Lightest4000_OneThread(benchmark::State& state) {
    State st = bench::preparedState();
    st.dc.heavyRingControl = 1;
    studyOneThread(state, st);
}

void BM_study_Lightest4000_SixLoadCases_OneThread(benchmark::State& state) {
    studyOneThread(state, bench::sixLoadCaseState());
}

// 10^6 rows of the new case (stringers with ring frames), each with its own t (10 to 30 mm),
// s (400 to 800 mm), l (2000 to 4000 mm) and Sigx (-200 to -20 MPa), drawn at random once; every
// row's verdict and checks. The argument is the number of threads, 0 for one per core.
void BM_checkMany_1M(benchmark::State& state) {
    const State st = bench::preparedState();
    const size_t n = 1000000;
    std::vector<double> t(n), s(n), l(n), sigx(n);
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> unit(0, 1);
    for (size_t i = 0; i < n; ++i) {
        t[i] = 10 + 20 * unit(rng);
        s[i] = 400 + 400 * unit(rng);
        l[i] = 2000 + 2000 * unit(rng);
        sigx[i] = -200 + 180 * unit(rng);
    }
    const std::vector<CheckManyColumn> columns = {{"t", t}, {"s", s}, {"l", l}, {"Sigx", sigx}};
    for (auto _ : state) {
        CheckManyResult r;
        if (!checkMany(st, columns, static_cast<unsigned>(state.range(0)), r).empty())
            std::abort();
        benchmark::DoNotOptimize(r.ratio.data());
    }
}

} // namespace

BENCHMARK(BM_study_Lightest4000_OneThread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_study_Lightest4000_SixLoadCases_OneThread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_checkMany_1M)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_study_Sweep100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_study_Lightest1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_study_Lightest1M_SixLoadCases)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
