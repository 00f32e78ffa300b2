#include "study/Study.h"

#include "base/Fp.h"
#include "calc/Calc.h"
#include "calc/State.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "checks/Checks.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>

namespace velmora {

namespace {

// Steel density, kg/m3, and mm2 to m2.
constexpr double kSteelDensity = 7850;
constexpr double kSquareMmToSquareM = 1e-6;

// Points a worker takes at a time: small enough for a prompt cancel and even shares, large
// enough that taking them costs nothing.
constexpr int64_t kChunk = 64;

// What a study needs of its points: everything (a sweep, one point), or only whether they pass
// and, for those that do, their values (the lightest designs): then no point fills
// StudyPoint::largest, and a point's run stops at its first load case that does not pass, the
// rest of a failing point being of no use.
enum class PointUse { Everything, PassingOnly };

// Calculates points on its own copy of the base case: the state without the database, with
// the results of the base case's last run (a run keeps the results of checks it does not run,
// and reads some of them) less their texts, which no study run writes or reads.
class PointEvaluator {
public:
    PointEvaluator(const State& base, const StudyGrid& grid, PointUse use)
        : grid_(grid), startDc_(base.dc), startRes_(resultsWithoutTexts(base.res)),
          work_(studyCopy(base)), use_(use) {
        // The panels stay empty: no study run writes them, so each point sets only the rest.
        work_.res = startRes_;
    }

    // Point `index` into `p`, reusing its storage.
    void evaluate(int64_t index, StudyPoint& p) {
        grid_.values(index, p.inputs);
        evaluateValues(p);
        p.index = index;
    }

    // The point of the values already in p.inputs.
    void evaluateValues(StudyPoint& p) {
        work_.dc = startDc_;
        work_.res.numbers() = startRes_.numbers();
        applyStudyValues(work_, quiet_, grid_, p.inputs);
        CalcOptions options{false};
        options.stopAtFailingLoadCase = use_ == PointUse::PassingOnly;
        p.completed = calcAll(work_, quiet_, options);
        collect(p);
    }

private:
    void collect(StudyPoint& p) const {
        const VerdictCore v = verdictOfRun(work_);
        p.checks = v.checks;
        p.governing = v.governing;
        p.loadCase = v.loadCase;
        p.status = v.status;
        p.largest = {};
        if (use_ == PointUse::Everything)
            collectLargest(p);
        p.passes = v.status == VerdictStatus::Passes;
        p.message.clear();
        p.mass = 0;
        p.proportionsOk = true;
        if (!p.completed) {
            p.message = work_.run.calcMessage;
            return;
        }
        // Every load case's run completed: the proportions and the mass belong to the geometry.
        p.proportionsOk = proportionsPass(work_.dc, work_.res);
        p.mass = steelMassPerMetre(work_.dc, work_.res);
    }

    // Each check's largest ratio over the load cases, each load case's values as its verdict
    // weighs them.
    void collectLargest(StudyPoint& p) const {
        const int count = loadCaseCount(work_.dc);
        if (count == 1) {
            p.largest = p.checks;
            return;
        }
        for (int i = 0; i < count; ++i) {
            const VerdictCore v = i == p.loadCase ? VerdictCore{} : loadCaseVerdictOfRun(work_, i);
            const CheckValues& checks = i == p.loadCase ? p.checks : v.checks;
            for (size_t c = 0; c < checks.size(); ++c) {
                const CheckValue& x = checks[c];
                CheckValue& most = p.largest[c];
                if (x.present && (!most.present || x.ratio() > most.ratio()))
                    most = x;
            }
        }
    }

    const StudyGrid& grid_;
    DesignCase startDc_;
    CaseResults startRes_;
    State work_;
    QuietNotifier quiet_;
    PointUse use_;
};

unsigned threadCount(const StudyControl& control, int64_t work) {
    unsigned n = control.threads ? control.threads : std::thread::hardware_concurrency();
    n = std::max(1u, n);
    const int64_t chunks = (work + kChunk - 1) / kChunk;
    return static_cast<unsigned>(std::min<int64_t>(n, std::max<int64_t>(1, chunks)));
}

bool cancelled(const StudyControl& control) {
    return control.cancel && control.cancel->load(std::memory_order_relaxed);
}

// Runs work(worker, begin, end) over [0, count) in chunks shared out to the workers as they
// become free; worker 0 is the calling thread, which also reports progress. Which worker does
// which chunk varies from run to run; callers store results by index, so the outcome does not.
// Returns false when cancelled; rethrows the first exception of a worker.
bool runParallel(int64_t count, unsigned workers, const StudyControl& control, int64_t doneBefore,
                 int64_t total, int64_t chunk,
                 const std::function<void(unsigned, int64_t, int64_t)>& work) {
    std::atomic<int64_t> next{0};
    std::atomic<int64_t> done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr error;
    std::mutex errorMutex;
    using Clock = std::chrono::steady_clock;
    auto lastReport = Clock::now() - std::chrono::seconds(1); // the first chunk reports at once

    auto loop = [&](unsigned w) {
        try {
            while (!stop.load(std::memory_order_relaxed)) {
                if (cancelled(control)) {
                    stop = true;
                    break;
                }
                const int64_t begin = next.fetch_add(chunk);
                if (begin >= count)
                    break;
                const int64_t end = std::min(count, begin + chunk);
                work(w, begin, end);
                done += end - begin;
                if (w == 0 && control.progress &&
                    Clock::now() - lastReport > std::chrono::milliseconds(50)) {
                    lastReport = Clock::now();
                    control.progress(doneBefore + done.load(), total);
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(errorMutex);
            if (!error)
                error = std::current_exception();
            stop = true;
        }
    };
    {
        std::vector<std::jthread> threads;
        for (unsigned w = 1; w < workers; ++w)
            threads.emplace_back(loop, w);
        loop(0);
    }
    if (error)
        std::rethrow_exception(error);
    return !cancelled(control);
}

// One evaluator per worker, each made on its own thread when it first takes work.
class Evaluators {
public:
    Evaluators(const State& base, const StudyGrid& grid, unsigned n, PointUse use)
        : base_(base), grid_(grid), use_(use), evaluators_(n) {}

    PointEvaluator& operator[](unsigned w) {
        std::optional<PointEvaluator>& e = evaluators_[w];
        if (!e)
            e.emplace(base_, grid_, use_);
        return *e;
    }

private:
    const State& base_;
    const StudyGrid& grid_;
    PointUse use_;
    std::vector<std::optional<PointEvaluator>> evaluators_;
};

// Bisection between a passing and a failing value of the one input, on the values the case can
// store (singles), until they are 1e-4 of the step apart or no single lies between them.
StudyThreshold bisect(PointEvaluator& ev, const StudyAxis& axis, const StudyPoint& a,
                      const StudyPoint& b) {
    const bool passLow = a.passes;
    float pass = passLow ? a.inputs[0] : b.inputs[0];
    float fail = passLow ? b.inputs[0] : a.inputs[0];
    StudyPoint failPoint = passLow ? b : a;
    const double tolerance = 1e-4 * axis.range.step;
    StudyPoint p;
    p.inputs.resize(1);
    if (!axis.profileRow) {
        while (std::fabs(static_cast<double>(fail) - pass) > tolerance) {
            const float mid = static_cast<float>((static_cast<double>(pass) + fail) / 2);
            if (mid == pass || mid == fail)
                break;
            p.inputs[0] = mid;
            ev.evaluateValues(p);
            if (p.passes) {
                pass = mid;
            } else {
                fail = mid;
                failPoint = p;
            }
        }
    }
    StudyThreshold t;
    t.name = axis.range.name;
    t.between[0] = a.inputs[0];
    t.between[1] = b.inputs[0];
    t.value = pass;
    t.failValue = fail;
    t.passesBelow = passLow;
    t.governing = failPoint.failure();
    return t;
}

// Orders passing points: lighter first, then the more reserve, then the lower grid index.
bool lighter(const StudyPoint& x, const StudyPoint& y) {
    auto key = [](double m) { return std::isnan(m) ? std::numeric_limits<double>::infinity() : m; };
    if (key(x.mass) != key(y.mass))
        return key(x.mass) < key(y.mass);
    if (x.governingRatio() != y.governingRatio())
        return x.governingRatio() < y.governingRatio();
    return x.index < y.index;
}

} // namespace

double StudyPoint::governingRatio() const {
    return governing ? check(*governing).ratio() : std::numeric_limits<double>::infinity();
}

std::string StudyPoint::failure() const {
    if (passes)
        return "";
    if (!completed)
        return "stopped";
    if (status == VerdictStatus::InputOutOfLimits)
        return "inputs out of limits";
    if (governing && check(*governing).exceeds())
        return studyCheckName(*governing);
    for (int c = 0; c < kStudyCheckCount; ++c)
        if (checks[static_cast<size_t>(c)].exceeds())
            return studyCheckName(static_cast<StudyCheck>(c));
    return "proportions";
}

State studyCopy(const State& st) {
    return caseCopy(st);
}

CaseResults resultsWithoutTexts(const CaseResults& res) {
    CaseResults out = res;
    for (ResultPanel* p : {&out.shellPanel, &out.stiffPanel, &out.ringPanel, &out.columnPanel})
        *p = ResultPanel{};
    for (std::string* s :
         {&out.webCheckText, &out.flangeCheckText, &out.stiffProfileText, &out.ringWebCheckText,
          &out.ringSlendernessCheckText, &out.ringFlangeCheckText, &out.ringEccentricityCheckText,
          &out.ringProfileText})
        s->clear();
    return out;
}

double steelMassPerMetre(const DesignCase& dc, const CaseResults& res) {
    const double r = dc.r;
    const double circumference = 2 * kPi * r;
    double area = circumference * dc.t;
    if (dc.cylinderType == CylinderType::StringerStiffened)
        area += circumference / dc.s * res.stiffSection.A;
    if (dc.ringControl == 1)
        area += circumference * res.ringSection.A / dc.l;
    return kSteelDensity * area * kSquareMmToSquareM;
}

StudyPoint evaluateStudyPoint(const State& base, const StudyGrid& grid, int64_t index,
                              const StudyOptions&) {
    PointEvaluator ev(base, grid, PointUse::Everything);
    StudyPoint p;
    ev.evaluate(index, p);
    return p;
}

SweepResult runSweep(const State& base, const StudyGrid& grid, const StudyOptions&,
                     const StudyControl& control) {
    SweepResult out;
    const int64_t n = grid.size();
    std::vector<StudyPoint> points(static_cast<size_t>(n));
    const unsigned workers = threadCount(control, n);
    Evaluators ev(base, grid, workers, PointUse::Everything);
    const bool finished =
        runParallel(n, workers, control, 0, n, kChunk, [&](unsigned w, int64_t b, int64_t e) {
            PointEvaluator& pe = ev[w];
            for (int64_t i = b; i < e; ++i)
                pe.evaluate(i, points[static_cast<size_t>(i)]);
        });
    if (!finished) {
        out.cancelled = true;
        return out;
    }

    std::vector<int64_t> pairs;
    if (grid.axes.size() == 1)
        for (int64_t i = 0; i + 1 < n; ++i)
            if (points[static_cast<size_t>(i)].passes != points[static_cast<size_t>(i + 1)].passes)
                pairs.push_back(i);
    std::vector<StudyThreshold> thresholds(pairs.size());
    const auto m = static_cast<int64_t>(pairs.size());
    if (m > 0) {
        const unsigned tw = std::min<unsigned>(workers, static_cast<unsigned>(m));
        if (!runParallel(m, tw, control, n, n + m, 1, [&](unsigned w, int64_t b, int64_t e) {
                for (int64_t j = b; j < e; ++j) {
                    const auto i = static_cast<size_t>(pairs[static_cast<size_t>(j)]);
                    thresholds[static_cast<size_t>(j)] =
                        bisect(ev[w], grid.axes[0], points[i], points[i + 1]);
                }
            })) {
            out.cancelled = true;
            return out;
        }
    }
    if (control.progress)
        control.progress(n + m, n + m);
    out.points = std::move(points);
    out.loadCaseNames = loadCaseNames(base.dc);
    out.thresholds = std::move(thresholds);
    return out;
}

LightestResult findLightest(const State& base, const StudyGrid& grid, int count,
                            const StudyOptions&, const StudyControl& control) {
    LightestResult out;
    const int64_t n = grid.size();
    const auto keep = static_cast<size_t>(std::max(0, count));
    const unsigned workers = threadCount(control, n);
    Evaluators ev(base, grid, workers, PointUse::PassingOnly);
    // Each worker keeps its own best `keep` as a heap with the heaviest on top.
    std::vector<std::vector<StudyPoint>> best(workers);
    std::vector<int64_t> passing(workers, 0);
    std::vector<StudyPoint> scratch(workers);
    const bool finished =
        runParallel(n, workers, control, 0, n, kChunk, [&](unsigned w, int64_t b, int64_t e) {
            PointEvaluator& pe = ev[w];
            std::vector<StudyPoint>& heap = best[w];
            StudyPoint& p = scratch[w];
            for (int64_t i = b; i < e; ++i) {
                pe.evaluate(i, p);
                if (!p.passes)
                    continue;
                ++passing[w];
                if (heap.size() < keep) {
                    heap.push_back(p);
                    std::push_heap(heap.begin(), heap.end(), lighter);
                } else if (keep > 0 && lighter(p, heap.front())) {
                    std::pop_heap(heap.begin(), heap.end(), lighter);
                    heap.back() = p;
                    std::push_heap(heap.begin(), heap.end(), lighter);
                }
            }
        });
    if (!finished) {
        out.cancelled = true;
        return out;
    }
    for (unsigned w = 0; w < workers; ++w) {
        out.passing += passing[w];
        for (StudyPoint& p : best[w])
            out.designs.push_back(std::move(p));
    }
    std::sort(out.designs.begin(), out.designs.end(), lighter);
    if (out.designs.size() > keep)
        out.designs.resize(keep);
    out.evaluated = n;
    out.loadCaseNames = loadCaseNames(base.dc);
    if (control.progress)
        control.progress(n, n);
    return out;
}

} // namespace velmora
