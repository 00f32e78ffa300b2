// The design study: ranges and names refused with their messages, the steel mass against a
// hand-worked value, which checks a point reports, thresholds against direct runs on both
// sides, the lightest designs against a brute-force search, the same results on 1 and 4
// threads, and a cancelled run.
#include "study/Study.h"
#include "calc/Calc.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "study/StudyCsv.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace velmora {
namespace {

// The new case with the small tables, calculated as after opening it: stringers (L 200x90x9x12,
// A = 188 * 9 + 90 * 12 = 2772 mm2) and the ring-frame check (T 200x90x9x12, A = 2772 mm2).
State baseState() {
    State st = test::newTestState();
    QuietNotifier nt;
    calcAll(st, nt);
    return st;
}

StudyGrid gridOf(const State& st, const std::vector<StudyRange>& ranges) {
    StudyGrid g;
    const std::string error = makeStudyGrid(st, ranges, g);
    EXPECT_EQ(error, "");
    return g;
}

// Two study points of the same inputs alike in every value but `largest`.
void expectSamePoint(const StudyPoint& a, const StudyPoint& b) {
    EXPECT_EQ(a.index, b.index);
    EXPECT_EQ(a.inputs, b.inputs);
    EXPECT_EQ(a.completed, b.completed);
    EXPECT_EQ(a.message, b.message);
    EXPECT_EQ(a.governing, b.governing);
    EXPECT_EQ(a.loadCase, b.loadCase);
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.passes, b.passes);
    EXPECT_EQ(a.mass, b.mass);
    EXPECT_EQ(a.proportionsOk, b.proportionsOk);
    for (size_t c = 0; c < a.checks.size(); ++c) {
        EXPECT_EQ(a.checks[c].present, b.checks[c].present) << c;
        EXPECT_EQ(a.checks[c].uf, b.checks[c].uf) << c;
        EXPECT_EQ(a.checks[c].permitted, b.checks[c].permitted) << c;
    }
}

// Whether a calculated stringer-stiffened case passes, worked out here from its results: every
// check the case shows within its permitted value, the profiles within their proportion limits,
// and where the stringers are too far apart (s/t > 3 sqrt(r/t)) the same shell calculated as an
// unstiffened cylinder within its permitted value too. (The cases here have l >= s.)
bool passesCalculated(const State& st) {
    const DesignCase& dc = st.dc;
    const CaseResults& res = st.res;
    bool ok = res.shellUF <= res.UFallow && res.stiffProportionsOk;
    const bool slender = dc.s / dc.t > 3 * std::sqrt(dc.r / dc.t);
    if (!slender) {
        ok = ok && res.stiffUF <= res.stiffUFallow;
    } else {
        State plain = st;
        plain.dc.cylinderType = CylinderType::Unstiffened;
        plain.dc.ringControl = 0;
        QuietNotifier nt;
        ok = ok && calcAll(plain, nt) && plain.res.shellUF <= plain.res.UFallow;
    }
    if (dc.ringControl == 1)
        ok = ok && res.ringAreaUF <= dc.UF && res.ringInertiaUF <= dc.UF && res.ringProportionsOk;
    return ok;
}

// The same for a case with one input set to `v`, calculated directly.
bool passesDirectly(State st, void (*set)(DesignCase&, float), float v) {
    set(st.dc, v);
    QuietNotifier nt;
    return calcAll(st, nt) && passesCalculated(st);
}

TEST(StudyRanges, ValuesAndCounts) {
    const State st = baseState();
    StudyRange r;
    ASSERT_EQ(parseStudyRange("t=0.1:0.3:0.1", r), "");
    StudyGrid g = gridOf(st, {r});
    // (0.3 - 0.1) / 0.1 is a hair below 2 in binary: TO is still reached.
    ASSERT_EQ(g.size(), 3);
    EXPECT_EQ(g.axes[0].value(2), 0.3f);
    // TO not reached by the steps: 10, 13, ..., 28.
    ASSERT_EQ(parseStudyRange("r=10:30:3", r), "");
    EXPECT_EQ(gridOf(st, {r}).size(), 7);
    // A comma as the decimal separator, as the boxes take it; FROM = TO is one point.
    ASSERT_EQ(parseStudyRange("Sigx=-1,5:-1,5:0,5", r), "");
    EXPECT_EQ(r.from, -1.5);
    EXPECT_EQ(gridOf(st, {r}).size(), 1);
    // Values are FROM + i STEP: the 1000th of 0.1 steps is 100.0, not a sum of rounded steps.
    g = gridOf(st, {{"t", 0, 100, 0.1}});
    EXPECT_EQ(g.size(), 1001);
    EXPECT_EQ(g.axes[0].value(1000), 100.0f);
    EXPECT_EQ(g.axes[0].value(7), 0.7f);
    // Last input fastest.
    g = gridOf(st, {{"t", 10, 12, 1}, {"s", 500, 600, 100}});
    EXPECT_EQ(g.values(3), (std::vector<float>{11, 600}));
}

TEST(StudyRanges, RefusedWithTheirMessages) {
    const State st = baseState();
    StudyRange r;
    EXPECT_EQ(parseStudyRange("t10:20:1", r), "\"t10:20:1\": give the input as NAME=FROM:TO:STEP");
    EXPECT_EQ(parseStudyRange("t=10:20", r), "\"t=10:20\": give the range as FROM:TO:STEP");
    EXPECT_EQ(parseStudyRange("t=10:20:1:2", r), "\"t=10:20:1:2\": give the range as FROM:TO:STEP");
    EXPECT_EQ(parseStudyRange("t=ten:20:1", r), "t: FROM \"ten\" is not a finite number");
    EXPECT_EQ(parseStudyRange("t=10:nan:1", r), "t: TO \"nan\" is not a finite number");
    EXPECT_EQ(parseStudyRange("t=10:20:inf", r), "t: STEP \"inf\" is not a finite number");
    EXPECT_EQ(parseStudyRange("t=10:1e999:1", r), "t: TO \"1e999\" is not a finite number");
    EXPECT_EQ(parseStudyRange("thickness=10:20:1", r)
                  .rfind("unknown input \"thickness\"; the "
                         "inputs are t, r, l, L, s, ",
                         0),
              0u);
    EXPECT_EQ(r.name, "") << "a refused range leaves the output alone";

    StudyGrid g;
    auto refused = [&](const std::vector<StudyRange>& ranges) {
        g = StudyGrid{};
        const std::string error = makeStudyGrid(st, ranges, g);
        EXPECT_EQ(g.size(), 0) << error;
        return error;
    };
    EXPECT_EQ(refused({}), "nothing to vary: give at least one input with its range");
    EXPECT_EQ(refused({{"t", 10, 20, 0}}), "t: the step must be greater than 0 (got 0)");
    EXPECT_EQ(refused({{"t", 10, 20, -1}}), "t: the step must be greater than 0 (got -1)");
    EXPECT_EQ(refused({{"t", 20, 10, 1}}), "t: FROM 20 is greater than TO 10");
    EXPECT_EQ(refused({{"t", 10, NAN, 1}}), "t: FROM, TO and STEP must be finite numbers");
    EXPECT_EQ(refused({{"t", 10, 20, 1}, {"t", 1, 2, 1}}), "t is varied twice");
    EXPECT_EQ(refused({{"E", 1, 2, 1}, {"tt", 1, 2, 1}}).rfind("unknown input \"tt\"", 0), 0u);
    // 10^7 points pass, one value more does not; the count is checked before it is formed.
    EXPECT_EQ(gridOf(st, {{"t", 1, 1000, 1}, {"r", 1, 10000, 1}}).size(), 10'000'000);
    const std::string tooMany = "the grid has more than 10000000 points; take fewer inputs, "
                                "shorter ranges or larger steps";
    EXPECT_EQ(refused({{"t", 1, 1000, 1}, {"r", 0, 10000, 1}}), tooMany);
    EXPECT_EQ(refused({{"t", 0, 1e300, 1e-300}}), tooMany);

    // Profile rows: whole numbers within the table of the profile's kind.
    EXPECT_EQ(gridOf(st, {{"stiffRow", 0, 2, 1}}).size(), 3);
    EXPECT_EQ(refused({{"stiffRow", 0, 3, 1}}),
              "stiffRow: the L-table of the stiffener has rows 0 to 2; 3 is outside it");
    EXPECT_EQ(refused({{"ringRow", -1, 1, 1}}),
              "ringRow: the T-table of the ring frame has rows 0 to 1; -1 is outside it");
    EXPECT_EQ(refused({{"stiffRow", 0, 2, 0.5}}),
              "stiffRow: profile rows are whole numbers; FROM and STEP must be whole (got "
              "0:2:0.5)");
    State builtUp = st;
    builtUp.dc.ring.kind = ProfileKind::TBuiltUp;
    g = StudyGrid{};
    EXPECT_EQ(makeStudyGrid(builtUp, {{"ringRow", 0, 1, 1}}, g),
              "ringRow: the ring frame is T-built up, which takes no table row");
}

TEST(StudyMass, HandWorkedValues) {
    const State st = baseState();
    // 2 pi r = 9424.778 mm. Shell 9424.778 * 20 = 188495.56 mm2; stringers 9424.778 / 600
    // * 2772 = 43542.47 mm2; rings 9424.778 * 2772 / 3000 = 8708.49 mm2; 240746.53 mm2 of
    // steel at 7850 kg/m3: 1889.860 kg/m. L row 1 (150x90x10x10): A = 140 * 10 + 90 * 10 =
    // 2300 mm2, stringers 36128.32 mm2, 1831.659 kg/m.
    SweepResult r = runSweep(st, gridOf(st, {{"stiffRow", 0, 1, 1}}));
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_NEAR(r.points[0].mass, 1889.860, 0.002);
    EXPECT_NEAR(r.points[1].mass, 1831.659, 0.002);

    // Unstiffened, no ring-frame check: the shell alone, 188495.56 mm2, 1479.690 kg/m.
    State plain = st;
    plain.dc.cylinderType = CylinderType::Unstiffened;
    plain.dc.ringControl = 0;
    EXPECT_NEAR(evaluateStudyPoint(plain, gridOf(plain, {{"t", 20, 20, 1}}), 0).mass, 1479.690,
                0.002);
}

TEST(StudyPoints, ChecksThatApplyAndTheirPermittedValues) {
    State st = baseState();
    // The new case's s / t = 30 > 3 sqrt(75) = 25.98: the slenderness note takes the stiffener
    // panel's place, so the stiffener check is absent; with s = 500 (s / t = 25) it is there.
    StudyPoint p = evaluateStudyPoint(st, gridOf(st, {{"s", 600, 600, 1}}), 0);
    ASSERT_TRUE(p.completed);
    EXPECT_TRUE(p.check(StudyCheck::Shell).present);
    EXPECT_FALSE(p.check(StudyCheck::Stiffener).present);
    EXPECT_TRUE(p.check(StudyCheck::RingArea).present);
    EXPECT_TRUE(p.check(StudyCheck::RingInertia).present);
    EXPECT_FALSE(p.check(StudyCheck::Column1).present);
    p = evaluateStudyPoint(st, gridOf(st, {{"s", 500, 500, 1}}), 0);
    EXPECT_TRUE(p.check(StudyCheck::Stiffener).present);

    // WSD with n0 = 0.9: ring checks compare with n0 itself, the column with 1.15 n0 = 1.035,
    // the shell with 1.15 beta n0 = 0.828, beta = 0.8 above lamdas 1.0 (the column's shell is
    // slender).
    st.dc.cylinderType = CylinderType::Column;
    st.dc.ringControl = 1;
    st.dc.designFormat = DesignFormat::WSD;
    st.dc.UF = 0.9f;
    p = evaluateStudyPoint(st, gridOf(st, {{"N", -1000, -1000, 1}}), 0);
    ASSERT_TRUE(p.completed) << p.message;
    State direct = st;
    QuietNotifier nt;
    ASSERT_TRUE(calcAll(direct, nt));
    ASSERT_GT(direct.res.lamdas, 1.0f);
    EXPECT_NEAR(p.check(StudyCheck::Shell).permitted, 1.15 * 0.8 * 0.9f, 1e-12);
    EXPECT_NEAR(p.check(StudyCheck::Column1).permitted, 1.15 * 0.9f, 1e-12);
    EXPECT_NEAR(p.check(StudyCheck::Column2).permitted, 1.15 * 0.9f, 1e-12);
    EXPECT_EQ(p.check(StudyCheck::RingArea).permitted, 0.9f);
    EXPECT_FALSE(p.check(StudyCheck::Stiffener).present);
    // The governing check has the largest ratio of usage factor to permitted value.
    for (const StudyCheckValue& v : p.checks) {
        if (v.present) {
            EXPECT_LE(v.ratio(), p.governingRatio());
        }
    }

    // A run that stops (a wall thickness of 0) has no usage factors and does not pass.
    st = baseState();
    p = evaluateStudyPoint(st, gridOf(st, {{"t", 0, 0, 1}}), 0);
    EXPECT_FALSE(p.completed);
    EXPECT_NE(p.message, "");
    EXPECT_FALSE(p.passes);
    EXPECT_FALSE(p.governing.has_value());
    EXPECT_EQ(p.failure(), "stopped");
    for (const StudyCheckValue& v : p.checks)
        EXPECT_FALSE(v.present);
}

TEST(StudyPoints, CarryTheVerdictOfTheirCase) {
    const State st = baseState();
    // UF 7 is calculated but lies outside 0.5 to 1.5. The new case needs an allowable usage
    // factor of 1.30 for its ring-frame area (3601.5 / 2772) and 1.005 for its slender shell as
    // an unstiffened cylinder: it passes at 1.5 and fails on the ring frame at 1.2.
    StudyPoint p = evaluateStudyPoint(st, gridOf(st, {{"UF", 7, 7, 1}}), 0);
    ASSERT_TRUE(p.completed);
    EXPECT_EQ(p.status, VerdictStatus::InputOutOfLimits);
    EXPECT_FALSE(p.passes);
    EXPECT_EQ(p.failure(), "inputs out of limits");
    EXPECT_TRUE(p.check(StudyCheck::Unstiffened).present);
    p = evaluateStudyPoint(st, gridOf(st, {{"UF", 1.5, 1.5, 1}}), 0);
    EXPECT_EQ(p.status, VerdictStatus::Passes);
    EXPECT_TRUE(p.passes);
    EXPECT_EQ(p.failure(), "");
    p = evaluateStudyPoint(st, gridOf(st, {{"UF", 1.2f, 1.2f, 1}}), 0);
    EXPECT_EQ(p.status, VerdictStatus::Fails);
    EXPECT_EQ(p.failure(), "ringArea");
    // The same status as the case's own verdict when calculated directly.
    State direct = st;
    direct.dc.UF = 1.2f;
    QuietNotifier nt;
    ASSERT_TRUE(calcAll(direct, nt));
    EXPECT_EQ(caseVerdict(direct).status, p.status);
}

TEST(StudyPoints, TypedYieldStrengthTakesTheUserDefinedMaterial) {
    // The plate is material row 2, whose 355 MPa a run would look up again; a study of fyp
    // stores the value in the user-defined row as the box takes it.
    const State st = baseState();
    const SweepResult r = runSweep(st, gridOf(st, {{"fyp", 235, 355, 120}}));
    ASSERT_EQ(r.points.size(), 2u);
    for (const StudyPoint& p : r.points) {
        State direct = st;
        direct.dc.plateMaterial = static_cast<int16_t>(direct.materials.materialCount());
        direct.dc.fyp = p.inputs[0];
        QuietNotifier nt;
        ASSERT_TRUE(calcAll(direct, nt));
        EXPECT_EQ(p.check(StudyCheck::Shell).uf, direct.res.shellUF);
    }
    EXPECT_GT(r.points[0].check(StudyCheck::Shell).uf, r.points[1].check(StudyCheck::Shell).uf);
}

TEST(StudyThresholds, AgreeWithDirectRunsOnBothSides) {
    // With the heavier ring frame (T 300x150x10x15, A = 4950 mm2) the new case passes only
    // inside a band of t: up to t = 20 its shell, too slender for stringers 600 apart
    // (s/t > 3 sqrt(r/t) below t = 26.7), fails as an unstiffened cylinder (UF 1.005 at t = 20);
    // from t = 28 the ring-frame area requirement (Areq grows with t) fails.
    State st = baseState();
    st.dc.ring.rowT = 1;
    QuietNotifier quiet;
    ASSERT_TRUE(calcAll(st, quiet));
    const StudyGrid g = gridOf(st, {{"t", 10, 30, 1}});
    const SweepResult r = runSweep(st, g);
    ASSERT_EQ(r.thresholds.size(), 2u);
    const StudyThreshold& low = r.thresholds[0];
    const StudyThreshold& high = r.thresholds[1];
    EXPECT_FALSE(low.passesBelow);
    EXPECT_EQ(low.governing, "unstiffened");
    EXPECT_EQ(low.between[0], 20.0f);
    EXPECT_TRUE(high.passesBelow);
    EXPECT_EQ(high.governing, "ringArea");
    // The points carry the verdict of their case.
    for (const StudyPoint& p : r.points)
        EXPECT_EQ(p.status, p.passes ? VerdictStatus::Passes : VerdictStatus::Fails);
    auto setT = [](DesignCase& dc, float v) { dc.t = v; };
    for (const StudyThreshold& t : r.thresholds) {
        EXPECT_EQ(t.between[1] - t.between[0], 1.0f);
        EXPECT_GE(t.value, t.between[0]);
        EXPECT_LE(t.value, t.between[1]);
        EXPECT_LE(std::fabs(static_cast<double>(t.failValue) - t.value), 1e-4);
        EXPECT_TRUE(passesDirectly(st, setT, t.value)) << t.value;
        EXPECT_FALSE(passesDirectly(st, setT, t.failValue)) << t.failValue;
        // Half the tolerance further into each side keeps its verdict.
        const float dir = t.passesBelow ? 1.0f : -1.0f;
        EXPECT_TRUE(passesDirectly(st, setT, t.value - dir * 5e-5f));
        EXPECT_FALSE(passesDirectly(st, setT, t.failValue + dir * 5e-5f));
    }
    // Every grid point agrees with its direct run.
    for (const StudyPoint& p : r.points)
        EXPECT_EQ(p.passes, passesDirectly(st, setT, p.inputs[0])) << p.inputs[0];
    // No thresholds for a sweep of two inputs.
    EXPECT_TRUE(runSweep(st, gridOf(st, {{"t", 10, 30, 1}, {"UF", 1, 1, 1}})).thresholds.empty());
}

TEST(StudyLightest, EqualsBruteForceSearch) {
    const State st = baseState();
    const StudyGrid g = gridOf(st, {{"t", 12, 20, 1}, {"s", 400, 700, 50}, {"ringRow", 0, 1, 1}});
    const LightestResult best = findLightest(st, g, 4);
    ASSERT_EQ(best.evaluated, 9 * 7 * 2);

    struct Found {
        double mass;
        float t, s, row;
    };
    std::vector<Found> found;
    for (float t = 12; t <= 20; t += 1)
        for (float s = 400; s <= 700; s += 50)
            for (int16_t row = 0; row <= 1; ++row) {
                State c = st;
                c.dc.ring.rowT = row;
                c.dc.t = t;
                c.dc.s = s;
                QuietNotifier nt;
                if (!calcAll(c, nt) || !passesCalculated(c))
                    continue;
                const CaseResults& res = c.res;
                const double twoPiR = 2 * 3.14159265358979 * 1500;
                const double area = twoPiR * t + twoPiR / s * res.stiffSection.A +
                                    twoPiR * res.ringSection.A / 3000;
                found.push_back({7850e-6 * area, t, s, static_cast<float>(row)});
            }
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.mass < b.mass; });
    ASSERT_EQ(best.passing, static_cast<int64_t>(found.size()));
    ASSERT_EQ(best.designs.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(best.designs[i].mass, found[i].mass, 1e-6 * found[i].mass);
        EXPECT_EQ(best.designs[i].inputs,
                  (std::vector<float>{found[i].t, found[i].s, found[i].row}))
            << i;
        EXPECT_TRUE(best.designs[i].passes);
    }
}

// Operation (the new case's loads), a WSD storm and a heavier LRFD transport load case.
std::vector<LoadCase> operationStormTransport() {
    LoadCase storm;
    storm.name = "Storm";
    storm.designFormat = DesignFormat::WSD;
    storm.UF = 0.8f;
    storm.Sigx = -80;
    storm.Sigy = -30;
    storm.Tau = 55;
    storm.pd = -0.5f;
    LoadCase transport;
    transport.name = "Transport";
    transport.Sigx = -140;
    transport.Sigy = -5;
    transport.Tau = 10;
    return {LoadCase{}, storm, transport};
}

TEST(StudyLightest, WithThreeLoadCasesEqualsBruteForceSearch) {
    // Each point must carry all three load cases.
    State st = test::newTestState();
    setLoadCases(st.dc, operationStormTransport(), 0);
    QuietNotifier quiet;
    calcAll(st, quiet);
    const StudyGrid g = gridOf(st, {{"t", 12, 22, 2}, {"s", 400, 700, 100}, {"ringRow", 0, 1, 1}});
    const LightestResult best = findLightest(st, g, 3);
    ASSERT_EQ(best.evaluated, 6 * 4 * 2);

    struct Found {
        double mass;
        float t, s, row;
        int governing; // the load case with the largest ratio
    };
    std::vector<Found> found;
    std::array<int, 3> governs{};
    int failedByAnother = 0; // points the first load case alone passes and another fails
    for (float t = 12; t <= 22; t += 2)
        for (float s = 400; s <= 700; s += 100)
            for (int16_t row = 0; row <= 1; ++row) {
                bool all = true;
                double mass = 0;
                double worst = -1;
                int governing = 0;
                for (int lc = 0; lc < 3; ++lc) {
                    // The geometry with this load case alone.
                    State c = test::newTestState();
                    c.dc = st.dc;
                    setLoadCases(c.dc, {loadCaseAt(st.dc, lc)}, 0);
                    c.dc.ring.rowT = row;
                    c.dc.t = t;
                    c.dc.s = s;
                    all = all && calcAll(c, quiet) && passesCalculated(c);
                    if (!all) {
                        failedByAnother += lc > 0 ? 1 : 0;
                        break;
                    }
                    const double twoPiR = 2 * 3.14159265358979 * 1500;
                    mass = 7850e-6 * (twoPiR * t + twoPiR / s * c.res.stiffSection.A +
                                      twoPiR * c.res.ringSection.A / 3000);
                    const VerdictCore v = verdictOfRun(c);
                    const double ratio = v.checks[static_cast<size_t>(*v.governing)].ratio();
                    if (ratio > worst) {
                        worst = ratio;
                        governing = lc;
                    }
                }
                if (!all)
                    continue;
                ++governs[static_cast<size_t>(governing)];
                found.push_back({mass, t, s, static_cast<float>(row), governing});
            }
    // The grid is one where load cases other than the first decide.
    EXPECT_GT(failedByAnother, 0);
    EXPECT_GT(governs[1] + governs[2], 0);
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.mass < b.mass; });
    ASSERT_EQ(best.passing, static_cast<int64_t>(found.size()));
    ASSERT_EQ(best.designs.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(best.designs[i].mass, found[i].mass, 1e-6 * found[i].mass);
        EXPECT_EQ(best.designs[i].inputs,
                  (std::vector<float>{found[i].t, found[i].s, found[i].row}))
            << i;
        EXPECT_EQ(best.designs[i].loadCase, found[i].governing) << i;
        EXPECT_TRUE(best.designs[i].passes);
    }
}

// The lightest-design search stops a failing point's run at its first load case that does not
// pass. Its designs must be the passing points of a sweep of the same grid with every value but
// `largest` alike, and it must count as many: for every cylinder type, with a load of the
// selected load case varied, and with the selected load case first or in the middle.
TEST(StudyLightest, DesignsAreTheSweepsPassingPoints) {
    // A milder storm, so that every cylinder type has passing points, and column loads.
    std::vector<LoadCase> loads = operationStormTransport();
    LoadCase& storm = loads[1];
    storm.Tau = 25;
    storm.pd = -0.2f;
    storm.N = -2000;
    storm.M1a = 300;
    loads[2].N = -6000;
    for (const CylinderType type : {CylinderType::StringerStiffened, CylinderType::RingStiffened,
                                    CylinderType::Unstiffened, CylinderType::Column}) {
        for (const int selected : {0, 1}) {
            SCOPED_TRACE(static_cast<int>(type) * 10 + selected);
            State st = test::newTestState();
            st.dc.cylinderType = type;
            setLoadCases(st.dc, loads, selected);
            QuietNotifier quiet;
            calcAll(st, quiet);
            const StudyGrid g =
                gridOf(st, {{"t", 8, 24, 2}, {"Sigx", -160, -20, 35}, {"ringRow", 0, 1, 1}});
            const SweepResult sweep = runSweep(st, g);
            const LightestResult best = findLightest(st, g, static_cast<int>(g.size()));
            std::vector<StudyPoint> passing;
            for (const StudyPoint& p : sweep.points)
                if (p.passes)
                    passing.push_back(p);
            ASSERT_EQ(static_cast<int64_t>(passing.size()), best.passing);
            ASSERT_EQ(passing.size(), best.designs.size());
            // The grid has points that pass, and points that only a later load case fails.
            EXPECT_GT(passing.size(), 0u);
            EXPECT_LT(passing.size(), sweep.points.size());
            std::sort(passing.begin(), passing.end(),
                      [](const StudyPoint& a, const StudyPoint& b) { return a.index < b.index; });
            std::vector<StudyPoint> designs = best.designs;
            std::sort(designs.begin(), designs.end(),
                      [](const StudyPoint& a, const StudyPoint& b) { return a.index < b.index; });
            for (size_t i = 0; i < passing.size(); ++i) {
                ASSERT_EQ(passing[i].index, designs[i].index);
                expectSamePoint(passing[i], designs[i]);
            }
        }
    }
}

TEST(StudyPoints, LargestRatioOfEachCheckIsTheMaximumOverSingleLoadCaseRuns) {
    // Three load cases swept over the thickness: each check's largest ratio against the same
    // geometry run with each load case alone.
    State st = test::newTestState();
    std::vector<LoadCase> loads = operationStormTransport();
    // Light loads at a low usage factor: ring-frame ratios above the storm's, the shell's below.
    LoadCase harbour;
    harbour.name = "Harbour";
    harbour.designFormat = DesignFormat::WSD;
    harbour.UF = 0.6f;
    harbour.Sigx = -20;
    harbour.Sigy = -5;
    harbour.Tau = 10;
    loads[2] = harbour;
    setLoadCases(st.dc, loads, 0);
    QuietNotifier quiet;
    calcAll(st, quiet);
    const StudyGrid g = gridOf(st, {{"t", 10, 30, 4}});
    const SweepResult sweep = runSweep(st, g);
    ASSERT_EQ(sweep.points.size(), 6u);
    EXPECT_EQ(sweep.loadCaseNames, (std::vector<std::string>{"LC1", "Storm", "Harbour"}));
    int fromAnother = 0; // checks whose largest ratio is not the governing load case's
    for (const StudyPoint& p : sweep.points) {
        CheckValues largest{};
        for (int lc = 0; lc < 3; ++lc) {
            State c = test::newTestState();
            c.dc = st.dc;
            setLoadCases(c.dc, {loadCaseAt(st.dc, lc)}, 0);
            c.dc.t = p.inputs[0];
            calcAll(c, quiet);
            const VerdictCore v = verdictOfRun(c);
            for (size_t k = 0; k < largest.size(); ++k)
                if (v.checks[k].present &&
                    (!largest[k].present || v.checks[k].ratio() > largest[k].ratio()))
                    largest[k] = v.checks[k];
        }
        for (size_t k = 0; k < largest.size(); ++k) {
            ASSERT_EQ(p.largest[k].present, largest[k].present) << p.inputs[0] << " " << k;
            if (!largest[k].present)
                continue;
            EXPECT_EQ(p.largest[k].uf, largest[k].uf) << p.inputs[0] << " " << k;
            EXPECT_EQ(p.largest[k].permitted, largest[k].permitted) << p.inputs[0] << " " << k;
            EXPECT_GE(p.largest[k].ratio(), p.checks[k].ratio());
            fromAnother += p.largest[k].ratio() > p.checks[k].ratio() ? 1 : 0;
        }
    }
    // The sweep is one where a check's worst load case is not the governing one.
    EXPECT_GT(fromAnother, 0);
}

TEST(StudyThreads, SameResultsOnOneAndFourThreads) {
    // Thin walls that stop the run (t = 0) or fail, and passing points, over a grid.
    const State st = baseState();
    const StudyGrid g = gridOf(st, {{"t", 0, 30, 0.5}, {"l", 2000, 3500, 250}});
    const SweepResult one = runSweep(st, g, {}, StudyControl{1, {}, nullptr});
    const SweepResult four = runSweep(st, g, {}, StudyControl{4, {}, nullptr});
    ASSERT_EQ(one.points.size(), static_cast<size_t>(g.size()));
    ASSERT_EQ(four.points.size(), one.points.size());
    int stopped = 0;
    for (size_t i = 0; i < one.points.size(); ++i) {
        const StudyPoint& a = one.points[i];
        EXPECT_EQ(a.index, static_cast<int64_t>(i));
        expectSamePoint(a, four.points[i]);
        stopped += a.completed ? 0 : 1;
    }
    EXPECT_GT(stopped, 0);
    const LightestResult l1 = findLightest(st, g, 5, {}, StudyControl{1, {}, nullptr});
    const LightestResult l4 = findLightest(st, g, 5, {}, StudyControl{4, {}, nullptr});
    ASSERT_EQ(l1.designs.size(), 5u);
    EXPECT_EQ(l4.passing, l1.passing);
    for (size_t i = 0; i < l1.designs.size(); ++i)
        EXPECT_EQ(l4.designs[i].index, l1.designs[i].index);
}

TEST(StudyCancel, StopsAndLeavesTheCaseUntouched) {
    const State st = baseState();
    const State before = st;
    const StudyGrid g = gridOf(st, {{"t", 10, 30, 0.0001}});
    std::atomic<bool> cancel{false};
    int64_t seenDone = 0;
    StudyControl control;
    control.threads = 2;
    control.cancel = &cancel;
    control.progress = [&](int64_t done, int64_t total) {
        seenDone = done;
        EXPECT_EQ(total, g.size());
        cancel = true;
    };
    const SweepResult r = runSweep(st, g, {}, control);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(r.points.empty());
    EXPECT_GT(seenDone, 0);
    EXPECT_LT(seenDone, g.size());
    EXPECT_TRUE(findLightest(st, g, 3, {}, control).cancelled);
    EXPECT_EQ(st.dc.t, before.dc.t);
    EXPECT_EQ(st.dc.plateMaterial, before.dc.plateMaterial);
    EXPECT_EQ(st.res.shellUF, before.res.shellUF);
    EXPECT_EQ(st.res.shellPanel.value, before.res.shellPanel.value);
    EXPECT_EQ(st.res.ringProfileText, before.res.ringProfileText);
}

TEST(StudyCsv, HeaderQuotingAndAbsentValues) {
    const State st = baseState();
    const StudyGrid g = gridOf(st, {{"t", 0, 20, 20}});
    SweepResult r = runSweep(st, g);
    r.points[0].message = "stopped, \"here\"";
    const std::string csv = studyCsvText(g, r.points);
    const std::string header =
        "t,completed,message,shell,unstiffened,stiffener,ringArea,ringInertia,column1,column2,"
        "shell permitted,unstiffened permitted,stiffener permitted,ringArea permitted,"
        "ringInertia permitted,column1 permitted,column2 permitted,governing,passes,status,"
        "proportions,mass\r\n";
    ASSERT_EQ(csv.substr(0, header.size()), header);
    const std::string first =
        "0,false,\"stopped, \"\"here\"\"\",,,,,,,,,,,,,,,,false,not calculated,true,\r\n";
    EXPECT_EQ(csv.substr(header.size(), first.size()), first);
    // The new case: shell, unstiffened (s/t = 30 > 25.98) and ring checks present, stiffener
    // and column absent.
    const std::string second = csv.substr(header.size() + first.size());
    EXPECT_EQ(second.rfind("20,true,,0.", 0), 0u) << second;
    EXPECT_NE(second.find(",1,1,,1,1,,,ringArea,false,fails,true,1889.8"), std::string::npos)
        << second;

    // With the case's load-case names: the governing one's after the status, quoted where it
    // holds a comma.
    r.points[1].loadCase = 1;
    const std::string named = studyCsvText(g, r.points, {"LC1", "Storm, 100 yr"});
    EXPECT_NE(named.find(",governing,passes,status,loadCase,proportions,mass\r\n"),
              std::string::npos);
    EXPECT_NE(named.find(",false,not calculated,LC1,true,\r\n"), std::string::npos) << named;
    EXPECT_NE(named.find(",ringArea,false,fails,\"Storm, 100 yr\",true,1889.8"), std::string::npos)
        << named;
}

} // namespace
} // namespace velmora
