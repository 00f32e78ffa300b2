// Many rows checked at once: every row's verdict and checks against a plain calculation of its
// own case (a copy of the case with the fields set directly, a full run with panel texts, the
// case's verdict), for random rows of every cylinder type, with runs that stop and inputs out of
// limits; the same arrays on 1, 2 and 3 threads; progress and cancel; the refused tables with
// their messages.
#include "study/CheckMany.h"
#include "calc/Calc.h"
#include "calc/Steps.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <string>

namespace velmora {
namespace {

State calculated(State st) {
    QuietNotifier nt;
    calcAll(st, nt);
    return st;
}

// The new case with the small tables: stringers (L table) and the ring-frame check (T table).
State stringerState() {
    return calculated(test::newTestState());
}

// Sets input `name` of the case to `v` as a single, the way an engineer would edit the case
// by hand: the field itself; a typed yield strength in the user-defined material row; a profile
// row in the record, its section computed where the run does not compute it.
void setInput(State& st, const std::string& name, double v) {
    DesignCase& dc = st.dc;
    const auto f = static_cast<float>(v);
    const std::map<std::string, float DesignCase::*> fields = {
        {"t", &DesignCase::t},       {"r", &DesignCase::r},     {"l", &DesignCase::l},
        {"L", &DesignCase::L},       {"s", &DesignCase::s},     {"Sigx", &DesignCase::Sigx},
        {"Sigy", &DesignCase::Sigy}, {"Tau", &DesignCase::Tau}, {"pd", &DesignCase::pd},
        {"N", &DesignCase::N},       {"M1a", &DesignCase::M1a}, {"M2b", &DesignCase::M2b},
        {"k1", &DesignCase::k1},     {"UF", &DesignCase::UF},   {"E", &DesignCase::E}};
    QuietNotifier nt;
    if (name == "fyp") {
        dc.fyp = f;
        dc.plateMaterial = static_cast<int16_t>(st.materials.materialCount());
    } else if (name == "stiffRow") {
        dc.stiff.rowL = static_cast<int16_t>(v);
        if (dc.cylinderType != CylinderType::StringerStiffened)
            computeStiffenerSection(st, nt, dc.stiff.kind);
    } else if (name == "ringRow") {
        dc.ring.rowT = static_cast<int16_t>(v);
        if (dc.cylinderType != CylinderType::RingStiffened && dc.ringControl != 1)
            computeRingSection(st, nt, dc.ring.kind);
    } else {
        dc.*fields.at(name) = f;
    }
}

struct Range {
    std::string name;
    double from, to;
    bool whole = false;
};

// n random rows over the ranges; a tenth of the rows get t = 0 where t is a column, which stops
// the run.
std::vector<std::vector<double>> randomColumns(const std::vector<Range>& ranges, size_t n,
                                               std::mt19937& rng) {
    std::vector<std::vector<double>> cols(ranges.size(), std::vector<double>(n));
    std::uniform_real_distribution<double> unit(0, 1);
    for (size_t k = 0; k < ranges.size(); ++k)
        for (size_t i = 0; i < n; ++i) {
            const Range& r = ranges[k];
            double v = r.from + unit(rng) * (r.to - r.from);
            if (r.whole)
                v = std::floor(v);
            if (r.name == "t" && unit(rng) < 0.1)
                v = 0;
            cols[k][i] = v;
        }
    return cols;
}

std::vector<CheckManyColumn> columnsOf(const std::vector<Range>& ranges,
                                       const std::vector<std::vector<double>>& cols) {
    std::vector<CheckManyColumn> out;
    for (size_t k = 0; k < ranges.size(); ++k)
        out.push_back({ranges[k].name, cols[k]});
    return out;
}

bool sameDouble(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

TEST(CheckMany, EveryRowEqualsAPlainCalculationOfItsCase) {
    State three = test::newTestState();
    LoadCase storm;
    storm.name = "Storm";
    storm.designFormat = DesignFormat::WSD;
    storm.UF = 0.8f;
    storm.Sigx = -80;
    storm.Tau = 55;
    LoadCase transport;
    transport.name = "Transport";
    transport.Sigx = -140;
    setLoadCases(three.dc, {LoadCase{}, storm, transport}, 1);
    State unstiffened = test::newTestState();
    unstiffened.dc.cylinderType = CylinderType::Unstiffened;
    unstiffened.dc.ringControl = 0;
    State ringStiffened = test::newTestState();
    ringStiffened.dc.cylinderType = CylinderType::RingStiffened;
    State column = test::newTestState();
    column.dc.cylinderType = CylinderType::Column;
    column.dc.ringControl = 0;
    State heavy = test::newTestState();
    heavy.dc.heavyRingControl = 1;

    struct Kind {
        const char* what;
        State st;
        std::vector<Range> ranges;
    };
    const std::vector<Kind> kinds = {
        {"stringers and ring frames",
         stringerState(),
         {{"t", 8, 35},
          {"s", 300, 900},
          {"l", 1000, 5000},
          {"Sigx", -250, 50},
          {"UF", 0.3, 1.8},
          {"stiffRow", 0, 3, true},
          {"ringRow", 0, 2, true}}},
        {"heavy ring frame", calculated(heavy), {{"t", 8, 35}, {"Tau", 0, 120}, {"pd", -2, 1}}},
        {"three load cases",
         calculated(three),
         {{"t", 8, 35}, {"s", 300, 900}, {"Sigx", -250, 50}, {"UF", 0.3, 1.8}}},
        {"unstiffened",
         calculated(unstiffened),
         {{"t", 5, 40}, {"r", 500, 4000}, {"Sigy", -100, 20}, {"fyp", 200, 460}}},
        {"ring-stiffened",
         calculated(ringStiffened),
         {{"t", 8, 35}, {"l", 500, 6000}, {"ringRow", 0, 2, true}, {"E", 150000, 250000}}},
        {"column",
         calculated(column),
         {{"t", 8, 35},
          {"N", -40000, 5000},
          {"M1a", -3000, 3000},
          {"M2b", -3000, 3000},
          {"k1", 0.5, 2.5},
          {"L", 2000, 40000},
          {"ringRow", 0, 2, true}}},
    };

    std::mt19937 rng(20261209);
    std::map<VerdictStatus, int> seen;
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.what);
        const size_t n = 150;
        const auto cols = randomColumns(kind.ranges, n, rng);
        CheckManyResult r;
        ASSERT_EQ(checkMany(kind.st, columnsOf(kind.ranges, cols), 2, r), "");
        ASSERT_EQ(r.rows, static_cast<int64_t>(n));
        EXPECT_EQ(r.loadCaseNames, loadCaseNames(kind.st.dc));
        for (size_t i = 0; i < n; ++i) {
            SCOPED_TRACE("row " + std::to_string(i));
            State plain = kind.st;
            for (size_t k = 0; k < kind.ranges.size(); ++k)
                setInput(plain, kind.ranges[k].name, cols[k][i]);
            QuietNotifier nt;
            calcAll(plain, nt);
            const Verdict v = caseVerdict(plain);
            ++seen[v.status];
            EXPECT_EQ(r.status[i], v.status);
            EXPECT_EQ(r.passes[i], v.status == VerdictStatus::Passes ? 1 : 0);
            EXPECT_EQ(r.loadCase[i], v.loadCase);
            EXPECT_EQ(r.governing[i], v.governing ? static_cast<int>(*v.governing) : -1);
            if (v.governing) {
                EXPECT_EQ(r.ratio[i], v.ratio);
            } else {
                EXPECT_TRUE(std::isnan(r.ratio[i]));
            }
            for (size_t c = 0; c < kCheckCount; ++c) {
                const CheckValue& x = v.checks[c];
                EXPECT_TRUE(sameDouble(r.uf[c][i], x.present ? x.uf : NAN)) << c;
                EXPECT_TRUE(sameDouble(r.permitted[c][i], x.present ? x.permitted : NAN)) << c;
            }
            if (v.status == VerdictStatus::NotCalculated) {
                for (size_t c = 0; c < kCheckCount; ++c)
                    EXPECT_TRUE(std::isnan(r.uf[c][i]));
            }
        }
    }
    // Every outcome was among the rows compared.
    for (VerdictStatus s : {VerdictStatus::NotCalculated, VerdictStatus::InputOutOfLimits,
                            VerdictStatus::Fails, VerdictStatus::Passes})
        EXPECT_GT(seen[s], 0) << verdictStatusJson(s);
}

TEST(CheckMany, KnownVerdictsOfTheNewCase) {
    // The new case needs an allowable usage factor of 1.30 for its ring-frame area (3601.5 /
    // 2772): it passes at UF 1.5 and fails on the ring frame at 1.2; UF 7 lies outside 0.5 to
    // 1.5; a wall thickness of 0 stops the run. s / t = 30 > 3 sqrt(75): the slenderness note
    // takes the stiffener panel's place, so the stiffener check is absent and the unstiffened
    // one is there.
    const State st = stringerState();
    const std::vector<double> uf = {1.5, 1.2, 7, 1};
    const std::vector<double> t = {20, 20, 20, 0};
    CheckManyResult r;
    ASSERT_EQ(checkMany(st, {{"UF", uf}, {"t", t}}, 0, r), "");
    EXPECT_EQ(r.status, (std::vector<VerdictStatus>{VerdictStatus::Passes, VerdictStatus::Fails,
                                                    VerdictStatus::InputOutOfLimits,
                                                    VerdictStatus::NotCalculated}));
    EXPECT_EQ(r.passes, (std::vector<uint8_t>{1, 0, 0, 0}));
    const auto ringArea = static_cast<size_t>(CheckId::RingArea);
    EXPECT_EQ(r.governing[1], static_cast<int8_t>(CheckId::RingArea));
    EXPECT_NEAR(r.uf[ringArea][1], 3601.5 / 2772, 2e-3);
    EXPECT_EQ(r.permitted[ringArea][1], 1.2f);
    EXPECT_EQ(r.permitted[ringArea][0], 1.5);
    EXPECT_TRUE(std::isnan(r.uf[static_cast<size_t>(CheckId::Stiffener)][0]));
    EXPECT_FALSE(std::isnan(r.uf[static_cast<size_t>(CheckId::Unstiffened)][0]));
    EXPECT_TRUE(std::isnan(r.uf[static_cast<size_t>(CheckId::Column1)][0]));
    EXPECT_EQ(r.governing[3], -1);
    EXPECT_TRUE(std::isnan(r.ratio[3]));
    EXPECT_TRUE(std::isnan(r.permitted[static_cast<size_t>(CheckId::Shell)][3]));
}

TEST(CheckMany, SameArraysOnAnyNumberOfThreads) {
    const State st = stringerState();
    std::mt19937 rng(7);
    const std::vector<Range> ranges = {{"t", 8, 35}, {"s", 300, 900}, {"ringRow", 0, 2, true}};
    const auto cols = randomColumns(ranges, 1500, rng);
    CheckManyResult one;
    ASSERT_EQ(checkMany(st, columnsOf(ranges, cols), 1, one), "");
    for (unsigned threads : {2u, 3u, 0u}) {
        CheckManyResult r;
        ASSERT_EQ(checkMany(st, columnsOf(ranges, cols), threads, r), "");
        EXPECT_EQ(r.status, one.status);
        EXPECT_EQ(r.governing, one.governing);
        EXPECT_EQ(r.loadCase, one.loadCase);
        for (size_t c = 0; c < kCheckCount; ++c) {
            EXPECT_EQ(std::memcmp(r.uf[c].data(), one.uf[c].data(), 1500 * sizeof(double)), 0);
            EXPECT_EQ(
                std::memcmp(r.permitted[c].data(), one.permitted[c].data(), 1500 * sizeof(double)),
                0);
        }
    }
    // Progress on the calling thread up to all rows; a cancel from it stops the work.
    std::vector<int64_t> reports;
    StudyControl control{2, [&](int64_t done, int64_t total) {
                             EXPECT_EQ(total, 1500);
                             reports.push_back(done);
                         }};
    CheckManyResult reported;
    ASSERT_EQ(checkMany(st, columnsOf(ranges, cols), control, reported), "");
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_EQ(reports.back(), 1500);
    EXPECT_EQ(reported.status, one.status);
    std::atomic<bool> cancel{false};
    control.progress = [&](int64_t, int64_t) { cancel = true; };
    control.cancel = &cancel;
    CheckManyResult stopped;
    stopped.rows = -1;
    EXPECT_EQ(checkMany(st, columnsOf(ranges, cols), control, stopped), kCheckManyCancelled);
    EXPECT_EQ(stopped.rows, -1);

    // No rows: empty arrays.
    CheckManyResult none;
    ASSERT_EQ(checkMany(st, {{"t", {}}}, 0, none), "");
    EXPECT_EQ(none.rows, 0);
    EXPECT_TRUE(none.uf[0].empty());
}

TEST(CheckMany, RefusedTablesWithTheirMessages) {
    const State st = stringerState();
    const std::vector<double> five = {10, 12, 14, 16, 18};
    const std::vector<double> four = {500, 600, 700, 800};
    CheckManyResult r;
    r.rows = -1;
    auto refused = [&](const std::vector<CheckManyColumn>& cols) {
        const std::string error = checkMany(st, cols, 0, r);
        EXPECT_EQ(r.rows, -1) << "a refused call leaves the result alone";
        return error;
    };
    EXPECT_EQ(refused({}), "no inputs given: give at least one input with its values");
    EXPECT_EQ(refused({{"thickness", five}})
                  .rfind("unknown input \"thickness\"; the inputs are "
                         "t, r, l, L, s, ",
                         0),
              0u);
    EXPECT_EQ(refused({{"t", five}, {"t", five}}), "t is varied twice");
    EXPECT_EQ(refused({{"t", five}, {"s", four}}),
              "columns of unequal length: t has 5 rows, s has 4");
    const std::vector<double> one = {10};
    EXPECT_EQ(refused({{"t", one}, {"s", four}}),
              "columns of unequal length: t has 1 row, s has 4");
    const std::vector<double> bad = {10, 12, NAN, 16, 18};
    EXPECT_EQ(refused({{"t", bad}}), "t: row 2 is nan, not a finite number");
    const std::vector<double> inf = {10, -INFINITY};
    EXPECT_EQ(refused({{"Sigx", inf}}), "Sigx: row 1 is -inf, not a finite number");
    const std::vector<double> huge = {10, 1e300};
    EXPECT_EQ(refused({{"r", huge}}),
              "r: row 1 is 1e+300, beyond the range of the case's single-precision fields");
    const std::vector<double> half = {0, 1, 1.5};
    EXPECT_EQ(refused({{"stiffRow", half}}), "stiffRow: row 2 is 1.5, not a whole row number");
    const std::vector<double> outside = {0, 2, 3};
    EXPECT_EQ(refused({{"stiffRow", outside}}),
              "stiffRow: row 2 is 3; the L-table of the stiffener has rows 0 to 2");
    const std::vector<double> negative = {-1};
    const std::vector<double> far = {0, 100000};
    EXPECT_EQ(refused({{"stiffRow", far}}),
              "stiffRow: row 1 is 100000; the L-table of the stiffener has rows 0 to 2");
    EXPECT_EQ(refused({{"ringRow", negative}}),
              "ringRow: row 0 is -1; the T-table of the ring frame has rows 0 to 1");
    State builtUp = st;
    builtUp.dc.ring.kind = ProfileKind::TBuiltUp;
    const std::vector<double> zero = {0};
    EXPECT_EQ(checkMany(builtUp, {{"ringRow", zero}}, 0, r),
              "ringRow: the ring frame is T-built up, which takes no table row");
}

} // namespace
} // namespace velmora
