// Timings of one calculation run per cylinder type and of the database work over a full
// database of 1001 rows, with the delivered material and profile tables.
#include "BenchState.h"
#include "calc/Calc.h"
#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "case/Notifier.h"
#include "database/Batch.h"
#include "files/DataFiles.h"
#include "files/DatabaseFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

using namespace velmora;

using bench::preparedState;

void runCalc(benchmark::State& state, State st, const CalcOptions& options = {}) {
    QuietNotifier nt;
    for (auto _ : state) {
        const bool ok = calcAll(st, nt, options);
        benchmark::DoNotOptimize(ok);
    }
}

void BM_calcAll_Unstiffened(benchmark::State& state) {
    State st = preparedState();
    st.dc.cylinderType = CylinderType::Unstiffened;
    st.dc.ringControl = 0;
    runCalc(state, st);
}

void BM_calcAll_RingStiffened(benchmark::State& state) {
    State st = preparedState();
    st.dc.cylinderType = CylinderType::RingStiffened;
    runCalc(state, st);
}

void BM_calcAll_StringerWithRingFrame(benchmark::State& state) {
    runCalc(state, preparedState()); // the new case
}

void BM_calcAll_StringerWithHeavyRingFrame(benchmark::State& state) {
    State st = preparedState();
    st.dc.heavyRingControl = 1;
    runCalc(state, st);
}

// The numbers alone, as each point of a design study calculates them.
void BM_calcAll_StringerWithHeavyRingFrame_NoText(benchmark::State& state) {
    State st = preparedState();
    st.dc.heavyRingControl = 1;
    runCalc(state, st, CalcOptions{false});
}

// Six load cases of the heavy ring-frame case in one run, the selected one's panels built.
void BM_calcAll_SixLoadCases(benchmark::State& state) {
    runCalc(state, bench::sixLoadCaseState());
}

// The same with the numbers alone, as each point of a design study with six load cases.
void BM_calcAll_SixLoadCases_NoText(benchmark::State& state) {
    runCalc(state, bench::sixLoadCaseState(), CalcOptions{false});
}

void BM_calcAll_Column(benchmark::State& state) {
    State st = preparedState();
    st.dc.cylinderType = CylinderType::Column;
    st.dc.ringControl = 0;
    runCalc(state, st);
}

// A database of 1000 case rows, the delivered cases repeated, and the marker.
State fullDatabase() {
    State st = preparedState();
    const std::string error =
        readDatabaseFile(st, std::string(VELMORA_DATA_DIR) + "/Velmora_Dnv_in.csv");
    if (!error.empty())
        std::abort();
    CaseDatabase full;
    full.reset();
    int n = 0;
    while (n < CaseDatabase::kCapacity - 1)
        for (int i = 0; i <= st.db.lastRow && n < CaseDatabase::kCapacity - 1; ++i)
            if (!st.db.rows[static_cast<size_t>(i)].isComment)
                full.rows[static_cast<size_t>(n++)] = st.db.rows[static_cast<size_t>(i)];
    full.rows[static_cast<size_t>(n)] = commentRow("End");
    full.lastRow = static_cast<int16_t>(n);
    st.db = std::move(full);
    return st;
}

void BM_resultsFile_1001Rows(benchmark::State& state) {
    State st = fullDatabase();
    for (auto _ : state) {
        std::vector<RowMessage> stopped;
        std::vector<RowMessage> warnings;
        const std::string text = resultsFileText(st, stopped, warnings);
        benchmark::DoNotOptimize(text.data());
    }
}

void BM_readDatabase_1001Rows(benchmark::State& state) {
    const State st = fullDatabase();
    std::string text;
    std::string error;
    if (!databaseFileText(st.db, '.', text, error))
        std::abort();
    for (auto _ : state) {
        CaseDatabase db;
        const bool ok = parseDatabaseText(text, "bench_in.csv", st.profiles.bulb, true, db, error);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_writeDatabase_1001Rows(benchmark::State& state) {
    const State st = fullDatabase();
    for (auto _ : state) {
        std::string text;
        std::string error;
        const bool ok = databaseFileText(st.db, '.', text, error);
        benchmark::DoNotOptimize(ok);
    }
}

} // namespace

BENCHMARK(BM_calcAll_Unstiffened);
BENCHMARK(BM_calcAll_RingStiffened);
BENCHMARK(BM_calcAll_StringerWithRingFrame);
BENCHMARK(BM_calcAll_StringerWithHeavyRingFrame);
BENCHMARK(BM_calcAll_StringerWithHeavyRingFrame_NoText);
BENCHMARK(BM_calcAll_Column);
BENCHMARK(BM_calcAll_SixLoadCases);
BENCHMARK(BM_calcAll_SixLoadCases_NoText);
BENCHMARK(BM_resultsFile_1001Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_readDatabase_1001Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_writeDatabase_1001Rows)->Unit(benchmark::kMillisecond);
