// A case with several load cases: each load case gets exactly the results of a case with that
// load case alone, the geometry-only work runs once, and the case's verdict is the worst.
#include "calc/Calc.h"
#include "calc/Verdict.h"
#include "case/LoadCases.h"
#include "support/RecordingNotifier.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Three load cases over both design formats: a light LRFD one, a WSD one and a heavy one.
std::vector<LoadCase> threeLoadCases() {
    LoadCase op;
    op.name = "Operation";
    LoadCase storm;
    storm.name = "Storm";
    storm.designFormat = DesignFormat::WSD;
    storm.UF = 0.8f;
    storm.Sigx = -140;
    storm.Sigy = -25;
    storm.Tau = 20;
    storm.pd = -0.5f;
    storm.N = -3000;
    storm.M1a = 150;
    storm.M1b = -80;
    storm.M2a = 60;
    storm.M2b = -20;
    LoadCase accidental;
    accidental.name = "Accidental";
    accidental.UF = 0.9f;
    accidental.Sigx = -260;
    accidental.Sigy = -60;
    accidental.Tau = 70;
    accidental.pd = 0.2f;
    accidental.N = -12000;
    accidental.M1a = -900;
    accidental.M2b = 400;
    return {op, storm, accidental};
}

struct Geometry {
    CylinderType type;
    int16_t ringControl;
    int16_t heavyRing;
    float l;
    float s;
};

// Every cylinder type; stringers with the curved panel and with l < s (Ch 3.4 shell check)
// and s/t above 3 sqrt(r/t) (the shell as an unstiffened cylinder); ring frames with and
// without the heavy ring frame.
const Geometry kGeometries[] = {
    {CylinderType::Unstiffened, 0, 0, 3000, 600},
    {CylinderType::RingStiffened, 1, 1, 3000, 600},
    {CylinderType::RingStiffened, 1, 0, 2000, 600},
    {CylinderType::StringerStiffened, 1, 1, 3000, 600},
    {CylinderType::StringerStiffened, 1, 0, 3000, 500},
    {CylinderType::StringerStiffened, 0, 0, 500, 600},
    {CylinderType::Column, 0, 0, 3000, 600},
    {CylinderType::Column, 1, 1, 3000, 600},
};

State caseWith(const Geometry& g, const std::vector<LoadCase>& loads, int selected) {
    State st = test::newTestState();
    st.dc.cylinderType = g.type;
    st.dc.ringControl = g.ringControl;
    st.dc.heavyRingControl = g.heavyRing;
    st.dc.l = g.l;
    st.dc.s = g.s;
    setLoadCases(st.dc, loads, selected);
    return st;
}

// The results without the panels, which only the selected load case builds.
CaseResults numbers(CaseResults r) {
    r.shellPanel = r.stiffPanel = r.ringPanel = r.columnPanel = ResultPanel{};
    return r;
}

TEST(LoadCaseCalc, EachLoadCaseGetsTheResultsOfACaseWithItAlone) {
    const std::vector<LoadCase> loads = threeLoadCases();
    for (const Geometry& g : kGeometries) {
        SCOPED_TRACE(static_cast<int>(g.type) * 100 + g.ringControl * 10 + g.heavyRing);
        std::vector<State> alone;
        std::vector<RecordingNotifier> aloneNt(loads.size());
        for (size_t i = 0; i < loads.size(); ++i) {
            alone.push_back(caseWith(g, {loads[i]}, 0));
            calcAll(alone.back(), aloneNt[i]);
        }
        for (int selected = 0; selected < 3; ++selected) {
            SCOPED_TRACE(selected);
            State st = caseWith(g, loads, selected);
            RecordingNotifier nt;
            const bool completed = calcAll(st, nt);
            const State& same = alone[static_cast<size_t>(selected)];
            // The selected load case: everything, panels included, and the same warnings once.
            EXPECT_EQ(same.res, st.res);
            EXPECT_EQ(aloneNt[static_cast<size_t>(selected)].warnings().size() +
                          (completed ? 0u : 1u),
                      nt.warnings().size() + (same.run.lastRunCompleted ? 0u : 1u));
            EXPECT_EQ(same.dc.ltRing, st.dc.ltRing);
            ASSERT_EQ(3u, st.loadCaseResults.size());
            for (int i = 0; i < 3; ++i) {
                const State& ref = alone[static_cast<size_t>(i)];
                const LoadCaseResult& r = st.loadCaseResults[static_cast<size_t>(i)];
                EXPECT_EQ(loads[static_cast<size_t>(i)].name, r.name);
                EXPECT_EQ(ref.run.lastRunCompleted, r.completed) << i;
                const CaseResults* res = loadCaseResultsOf(st, i);
                ASSERT_NE(nullptr, res);
                if (ref.run.lastRunCompleted) {
                    EXPECT_EQ(numbers(ref.res), numbers(*res)) << i;
                }
                const Verdict v = loadCaseVerdict(st, i);
                const Verdict vr = caseVerdict(ref);
                EXPECT_EQ(vr.status, v.status) << i;
                EXPECT_EQ(vr.line, v.line) << i;
                EXPECT_EQ(vr.reasons, v.reasons) << i;
                EXPECT_EQ(i, v.loadCase);
            }
            // The selected load case's loads stay in the flat fields.
            EXPECT_EQ(loads[static_cast<size_t>(selected)], selectedLoadCase(st.dc));
        }
    }
}

// The parts of the stiffener and ring-frame checks that depend on the geometry alone are worked
// out by the first load case that reaches them and kept for the others. Each branch that skips
// one is taken first here: tension with no shear and an inner pressure (no effective width, no
// Ix, Ixh or Ih), then a load that buckles the plate (no rotational restraint in the torsional
// strengths), then the full set; for every profile kind with a section of its own, as stiffener
// and as ring frame, each load case equals the case with it alone.
TEST(LoadCaseCalc, KeptCheckPartsGiveTheResultsWorkedOutAnew) {
    LoadCase tension;
    tension.name = "Tension";
    tension.Sigx = 80;
    tension.Sigy = 10;
    tension.Tau = 0;
    tension.pd = 0.3f;
    LoadCase buckling;
    buckling.name = "Buckling";
    buckling.designFormat = DesignFormat::WSD;
    buckling.UF = 0.8f;
    buckling.Sigx = -300;
    buckling.Sigy = -120;
    buckling.Tau = 90;
    buckling.pd = -0.2f;
    LoadCase full;
    full.name = "Full";
    full.Sigx = -150;
    full.Sigy = -30;
    full.Tau = 40;
    full.pd = -0.4f;
    const std::vector<LoadCase> loads = {tension, buckling, full};
    const int16_t kinds[] = {ProfileKind::LBuiltUp, ProfileKind::TBuiltUp, ProfileKind::FlatBuiltUp,
                             ProfileKind::RHS,      ProfileKind::Trapez,   ProfileKind::IBuiltUp};
    const Geometry g = {CylinderType::StringerStiffened, 1, 1, 3000, 600};
    int compared = 0;
    for (const int16_t kind : kinds) {
        SCOPED_TRACE(kind);
        auto withKind = [&](std::vector<LoadCase> list) {
            State st = caseWith(g, list, 0);
            st.dc.stiff.kind = kind;
            st.dc.ring.kind = kind;
            return st;
        };
        State st = withKind(loads);
        RecordingNotifier nt;
        calcAll(st, nt);
        for (size_t i = 0; i < loads.size(); ++i) {
            State alone = withKind({loads[i]});
            RecordingNotifier aloneNt;
            calcAll(alone, aloneNt);
            const LoadCaseResult& r = st.loadCaseResults[i];
            EXPECT_EQ(alone.run.lastRunCompleted, r.completed) << i;
            const CaseResults* res = loadCaseResultsOf(st, static_cast<int>(i));
            ASSERT_NE(nullptr, res);
            if (alone.run.lastRunCompleted) {
                EXPECT_EQ(numbers(alone.res), numbers(*res)) << i;
                ++compared;
            }
        }
    }
    // Most of them calculate, so that the comparison is made.
    EXPECT_GE(compared, 12);
}

TEST(LoadCaseCalc, TheCaseVerdictIsTheWorstAndNamesItsLoadCase) {
    const Geometry g = {CylinderType::StringerStiffened, 0, 0, 3000, 500};
    std::vector<LoadCase> loads = threeLoadCases();
    State st = caseWith(g, loads, 0);
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt)) << st.run.calcMessage;
    const Verdict op = loadCaseVerdict(st, 0);
    const Verdict acc = loadCaseVerdict(st, 2);
    ASSERT_EQ(VerdictStatus::Passes, op.status) << op.line;
    ASSERT_EQ(VerdictStatus::Fails, acc.status) << acc.line;
    const Verdict v = caseVerdict(st);
    EXPECT_EQ(VerdictStatus::Fails, v.status);
    EXPECT_EQ(2, v.loadCase);
    EXPECT_EQ("Accidental", v.loadCaseName);
    EXPECT_EQ(acc.governing, v.governing);
    EXPECT_EQ(acc.ratio, v.ratio);
    EXPECT_EQ("FAILS - governing: load case Accidental, " +
                  acc.line.substr(std::string("FAILS - governing: ").size()),
              v.line);
    ASSERT_FALSE(v.reasons.empty());
    EXPECT_EQ("Accidental: " + acc.reasons.front(), v.reasons.front());
    const VerdictCore core = verdictOfRun(st);
    EXPECT_EQ(VerdictStatus::Fails, core.status);
    EXPECT_EQ(2, core.loadCase);

    // All passing: the one with the largest governing ratio governs.
    loads.pop_back();
    st = caseWith(g, loads, 0);
    ASSERT_TRUE(calcAll(st, nt));
    const Verdict a = loadCaseVerdict(st, 0);
    const Verdict b = loadCaseVerdict(st, 1);
    ASSERT_EQ(VerdictStatus::Passes, a.status);
    ASSERT_EQ(VerdictStatus::Passes, b.status);
    EXPECT_EQ(a.ratio > b.ratio ? 0 : 1, caseVerdict(st).loadCase);

    // A changed load case makes every result stale.
    st.dc.otherLoadCases[0].Sigx = -1;
    EXPECT_EQ(VerdictStatus::NotCalculated, caseVerdict(st).status);
    EXPECT_EQ("NOT CALCULATED - the inputs changed after the last calculation",
              caseVerdict(st).line);
}

// The study's verdict of a run tests the shared inputs' limits once and each load case's UF on
// its own; it must judge as the window's verdict, which tests every limit of every load case.
TEST(LoadCaseCalc, LimitsOfOneLoadCaseOrOfTheSharedInputsJudgeAsTheWindowsVerdict) {
    struct Fault {
        const char* what;
        void (*apply)(State&);
    };
    const Fault faults[] = {
        {"none", [](State&) {}},
        {"UF of the second load case", [](State& st) { st.dc.otherLoadCases[0].UF = 2.0f; }},
        {"UF of the selected load case", [](State& st) { st.dc.UF = 0.4f; }},
        {"t", [](State& st) { st.dc.t = 0.05f; }},
        {"E", [](State& st) { st.dc.E = 999.0f; }},
        {"s above r", [](State& st) { st.dc.s = st.dc.r + 1; }},
        {"fyr", [](State& st) { st.dc.fyr = 2500; }},
        {"k1", [](State& st) { st.dc.k1 = 0.1f; }},
    };
    for (const Geometry& g : kGeometries) {
        for (const Fault& f : faults) {
            State st = caseWith(g, threeLoadCases(), 0);
            f.apply(st);
            RecordingNotifier nt;
            calcAll(st, nt);
            const Verdict window = caseVerdict(st);
            const VerdictCore run = verdictOfRun(st);
            SCOPED_TRACE(std::string(f.what) + ", cylinder type " +
                         std::to_string(static_cast<int>(g.type)));
            EXPECT_EQ(window.status, run.status) << window.line;
            EXPECT_EQ(window.loadCase, run.loadCase) << window.line;
        }
    }
    // The UF of one load case outside its limits puts that load case, and so the case, out of
    // limits.
    State st = caseWith(kGeometries[3], threeLoadCases(), 0);
    st.dc.otherLoadCases[0].UF = 2.0f;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt)) << st.run.calcMessage;
    EXPECT_EQ(VerdictStatus::InputOutOfLimits, verdictOfRun(st).status);
    EXPECT_EQ(1, verdictOfRun(st).loadCase);
}

TEST(LoadCaseCalc, AStoppedLoadCaseStopsTheCaseAndIsNamed) {
    // A column under an outside pressure of 1.5 MPa stops on a negative root (Eq 3.8.8), in
    // that load case only.
    const Geometry g = kGeometries[6];
    std::vector<LoadCase> loads = threeLoadCases();
    loads[2].pd = -1.5f;
    State alone = caseWith(g, {loads[2]}, 0);
    RecordingNotifier aloneNt;
    ASSERT_FALSE(calcAll(alone, aloneNt));
    State st = caseWith(g, loads, 0);
    RecordingNotifier nt;
    EXPECT_FALSE(calcAll(st, nt));
    EXPECT_FALSE(st.run.lastRunCompleted);
    EXPECT_TRUE(st.loadCaseResults[0].completed);
    EXPECT_FALSE(st.loadCaseResults[2].completed);
    EXPECT_EQ("Load case Accidental:" + alone.run.calcMessage, st.run.calcMessage);
    ASSERT_EQ(1u, nt.warnings().size());
    EXPECT_EQ(st.run.calcMessage, nt.warnings().front());
    const Verdict v = caseVerdict(st);
    EXPECT_EQ(VerdictStatus::NotCalculated, v.status);
    EXPECT_EQ(2, v.loadCase);
}

// The lightest-design search stops a run at its first load case that does not pass (the
// selected one first, then the list). A case whose load cases all pass runs as without it;
// any other never passes, and the load cases it ran have their full results. Each state was
// calculated in full before, so a load case that is not run must not keep that run's results.
TEST(LoadCaseCalc, StoppingAtAFailingLoadCaseNeverPassesAndChangesNoPassingRun) {
    std::vector<LoadCase> all = threeLoadCases();
    std::vector<LoadCase> light = {all[0], all[0], all[0]};
    light[1].name = "Operation 2";
    light[1].Sigx = -30;
    light[2].name = "Operation 3";
    light[2].designFormat = DesignFormat::WSD;
    light[2].UF = 0.9f;
    int stopped = 0;
    int passing = 0;
    for (const Geometry& g : kGeometries) {
        for (const std::vector<LoadCase>* loads : {&all, &light}) {
            for (int selected = 0; selected < 3; ++selected) {
                SCOPED_TRACE(std::to_string(static_cast<int>(g.type)) + " " + (*loads)[0].name +
                             (*loads)[1].name + " " + std::to_string(selected));
                // The case calculated in full, then again without texts, as the study does:
                // once in full and once stopping.
                State ref = caseWith(g, *loads, selected);
                RecordingNotifier nt;
                calcAll(ref, nt);
                State st = ref;
                calcAll(ref, nt, CalcOptions{false});
                CalcOptions options{false};
                options.stopAtFailingLoadCase = true;
                const bool completed = calcAll(st, nt, options);
                const VerdictCore full = verdictOfRun(ref);
                if (full.status == VerdictStatus::Passes) {
                    ++passing;
                    EXPECT_TRUE(completed);
                    EXPECT_EQ(VerdictStatus::Passes, verdictOfRun(st).status);
                    EXPECT_EQ(full.loadCase, verdictOfRun(st).loadCase);
                    for (int i = 0; i < 3; ++i)
                        EXPECT_EQ(numbers(*loadCaseResultsOf(ref, i)),
                                  numbers(*loadCaseResultsOf(st, i)));
                    continue;
                }
                EXPECT_NE(VerdictStatus::Passes, verdictOfRun(st).status);
                std::vector<int> order = {selected};
                for (int i = 0; i < 3; ++i)
                    if (i != selected)
                        order.push_back(i);
                std::string failing;
                bool skipped = false;
                for (int i : order) {
                    const LoadCaseResult& r = st.loadCaseResults[static_cast<size_t>(i)];
                    if (!failing.empty()) {
                        ++stopped;
                        skipped = true;
                        EXPECT_FALSE(r.completed) << i;
                        EXPECT_EQ(" Not calculated: load case " + failing + " does not pass ",
                                  r.calcMessage);
                        continue;
                    }
                    EXPECT_EQ(ref.loadCaseResults[static_cast<size_t>(i)].completed, r.completed);
                    if (r.completed) {
                        EXPECT_EQ(numbers(*loadCaseResultsOf(ref, i)),
                                  numbers(*loadCaseResultsOf(st, i)))
                            << i;
                    }
                    if (loadCaseVerdictOfRun(ref, i).status != VerdictStatus::Passes)
                        failing = r.name;
                }
                EXPECT_NE("", failing);
                // The run counts as stopped where it left load cases out.
                EXPECT_EQ(!skipped && ref.run.lastRunCompleted, completed);
            }
        }
    }
    // Both kinds of case occur, and load cases are left out.
    EXPECT_GT(passing, 0);
    EXPECT_GT(stopped, 0);
}

} // namespace
} // namespace velmora
