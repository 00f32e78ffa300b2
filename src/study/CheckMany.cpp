#include "study/CheckMany.h"

#include "base/NumberText.h"
#include "calc/Calc.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "case/ProfileKinds.h"
#include "study/Study.h"
#include "study/StudyInputs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <exception>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

namespace velmora {

namespace {

// "1 row", "5 rows".
std::string rowCount(size_t n) {
    return std::to_string(n) + (n == 1 ? " row" : " rows");
}

// Rows a worker takes at a time: even shares for the threads, nothing spent on taking them.
constexpr int64_t kChunk = 256;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string valueText(double v) {
    if (std::isnan(v))
        return "nan";
    if (std::isinf(v))
        return v > 0 ? "inf" : "-inf";
    // Whole numbers in full, as row numbers are read ("100000", not "1e+05").
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return std::to_string(static_cast<int64_t>(v));
    return formatShortest(v);
}

bool isProfileRow(std::string_view name) {
    return name == "stiffRow" || name == "ringRow";
}

// The rows of one column that the case cannot take; "" when every row can be taken.
std::string checkValues(const State& st, const CheckManyColumn& column) {
    const std::string& name = column.name;
    const std::span<const double> values = column.values;
    for (size_t i = 0; i < values.size(); ++i) {
        const double v = values[i];
        if (!std::isfinite(v))
            return name + ": row " + std::to_string(i) + " is " + valueText(v) +
                   ", not a finite number";
        if (!std::isfinite(static_cast<float>(v)))
            return name + ": row " + std::to_string(i) + " is " + valueText(v) +
                   ", beyond the range of the case's single-precision fields";
    }
    if (!isProfileRow(name))
        return "";
    const bool stiffener = name == "stiffRow";
    const ProfileKindDesc* kind = findProfileKind(stiffener ? st.dc.stiff.kind : st.dc.ring.kind);
    if (!kind || !kind->table)
        return ""; // refused with the study's message before
    const int last = st.profiles.of(*kind->table).lastRow();
    for (size_t i = 0; i < values.size(); ++i) {
        const double v = values[i];
        if (v != std::floor(v))
            return name + ": row " + std::to_string(i) + " is " + valueText(v) +
                   ", not a whole row number";
        if (v < 0 || v > last)
            return name + ": row " + std::to_string(i) + " is " + valueText(v) + "; the " +
                   kind->stiffCaption + " of the " + (stiffener ? "stiffener" : "ring frame") +
                   " has rows 0 to " + std::to_string(last);
    }
    return "";
}

// Calculates rows on its own copy of the base case, as the design study calculates its points:
// the state without the database, restored before every row to the case and the results of the
// base case's last run (a run keeps the results of checks it does not run, and reads some of
// them) less their texts and panels, which a run without panel texts neither writes nor reads.
class RowEvaluator {
public:
    RowEvaluator(const State& base, const StudyGrid& grid,
                 const std::vector<CheckManyColumn>& columns, CheckManyResult& out)
        : grid_(grid), columns_(columns), out_(out), startDc_(base.dc),
          startRes_(resultsWithoutTexts(base.res)), work_(studyCopy(base)),
          values_(columns.size()) {
        // The panels stay empty: no run without texts writes them, so each row sets the rest.
        work_.res = startRes_;
    }

    void evaluate(int64_t row) {
        const auto i = static_cast<size_t>(row);
        for (size_t k = 0; k < columns_.size(); ++k)
            values_[k] = static_cast<float>(columns_[k].values[i]);
        work_.dc = startDc_;
        work_.res.numbers() = startRes_.numbers();
        applyStudyValues(work_, quiet_, grid_, values_);
        calcAll(work_, quiet_, CalcOptions{false});
        const VerdictCore v = verdictOfRun(work_);
        out_.status[i] = v.status;
        out_.passes[i] = v.status == VerdictStatus::Passes ? 1 : 0;
        out_.loadCase[i] = v.loadCase;
        if (v.governing) {
            out_.governing[i] = static_cast<int8_t>(*v.governing);
            out_.ratio[i] = v.checks[static_cast<size_t>(*v.governing)].ratio();
        } else {
            out_.governing[i] = -1;
            out_.ratio[i] = kNaN;
        }
        for (size_t c = 0; c < v.checks.size(); ++c) {
            const CheckValue& x = v.checks[c];
            out_.uf[c][i] = x.present ? x.uf : kNaN;
            out_.permitted[c][i] = x.present ? x.permitted : kNaN;
        }
    }

private:
    const StudyGrid& grid_;
    const std::vector<CheckManyColumn>& columns_;
    CheckManyResult& out_;
    DesignCase startDc_;
    CaseResults startRes_;
    State work_;
    QuietNotifier quiet_;
    std::vector<float> values_;
};

} // namespace

std::string checkMany(const State& base, const std::vector<CheckManyColumn>& columns,
                      const StudyControl& control, CheckManyResult& out) {
    if (columns.empty())
        return "no inputs given: give at least one input with its values";
    // The names as the design study checks them; the grid's ranges are not used beyond that.
    std::vector<StudyRange> ranges;
    for (const CheckManyColumn& c : columns)
        ranges.push_back({c.name, 0, 0, 1});
    StudyGrid grid;
    if (std::string error = makeStudyGrid(base, ranges, grid); !error.empty())
        return error;
    const size_t n = columns.front().values.size();
    for (const CheckManyColumn& c : columns)
        if (c.values.size() != n)
            return "columns of unequal length: " + columns.front().name + " has " + rowCount(n) +
                   ", " + c.name + " has " + std::to_string(c.values.size());
    for (const CheckManyColumn& c : columns)
        if (std::string error = checkValues(base, c); !error.empty())
            return error;

    CheckManyResult r;
    r.rows = static_cast<int64_t>(n);
    r.loadCaseNames = loadCaseNames(base.dc);
    r.passes.resize(n);
    r.status.resize(n);
    r.governing.resize(n);
    r.ratio.resize(n);
    r.loadCase.resize(n);
    for (size_t c = 0; c < kCheckCount; ++c) {
        r.uf[c].resize(n);
        r.permitted[c].resize(n);
    }

    // Rows are shared out in chunks as the workers become free; each row's results go to its
    // own index, so which worker takes which row changes nothing.
    unsigned workers = control.threads ? control.threads : std::thread::hardware_concurrency();
    const int64_t chunks = (r.rows + kChunk - 1) / kChunk;
    workers = static_cast<unsigned>(std::clamp<int64_t>(chunks, 1, std::max(1u, workers)));
    std::atomic<int64_t> next{0};
    std::atomic<int64_t> done{0};
    std::atomic<bool> stop{false};
    std::mutex errorMutex;
    std::string error;
    auto cancelled = [&control] {
        return control.cancel && control.cancel->load(std::memory_order_relaxed);
    };
    using Clock = std::chrono::steady_clock;
    auto lastReport = Clock::now() - std::chrono::seconds(1); // the first chunk reports at once
    // Worker 0 is the calling thread, which also reports the progress.
    auto work = [&](unsigned w) {
        try {
            std::optional<RowEvaluator> ev;
            while (!stop.load(std::memory_order_relaxed)) {
                if (cancelled()) {
                    stop = true;
                    break;
                }
                const int64_t begin = next.fetch_add(kChunk);
                if (begin >= r.rows)
                    break;
                if (!ev)
                    ev.emplace(base, grid, columns, r);
                const int64_t end = std::min(r.rows, begin + kChunk);
                for (int64_t i = begin; i < end; ++i)
                    ev->evaluate(i);
                done += end - begin;
                if (w == 0 && control.progress &&
                    Clock::now() - lastReport > std::chrono::milliseconds(50)) {
                    lastReport = Clock::now();
                    control.progress(done.load(), r.rows);
                }
            }
        } catch (const std::exception& e) {
            const std::lock_guard<std::mutex> lock(errorMutex);
            if (error.empty())
                error = std::string("the calculation failed: ") + e.what();
            stop = true;
        } catch (...) {
            const std::lock_guard<std::mutex> lock(errorMutex);
            if (error.empty())
                error = "the calculation failed";
            stop = true;
        }
    };
    {
        std::vector<std::jthread> pool;
        for (unsigned w = 1; w < workers; ++w)
            pool.emplace_back(work, w);
        work(0);
    }
    if (!error.empty())
        return error;
    if (cancelled())
        return kCheckManyCancelled;
    if (control.progress)
        control.progress(r.rows, r.rows);
    out = std::move(r);
    return "";
}

} // namespace velmora
