// The calculation driver and its steps: each step runs one routine of the checks or sections on
// the current case and stores what it returned; nothing is stored by a step that faults.
#include "calc/Calc.h"

#include "base/Fp.h"
#include "calc/State.h"
#include "calc/Steps.h"
#include "calc/Verdict.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "checks/CalcTrace.h"
#include "checks/Checks.h"
#include "checks/PanelTexts.h"
#include "sections/Materials.h"
#include "sections/Sections.h"

#include <exception>
#include <optional>
#include <string>

namespace velmora {

namespace {

SectionInputs sectionInputs(const State& st, const CalcOptions& options = {}) {
    return {st.dc, st.profiles, st.materials, st.decimalSep(), options.panelTexts};
}

// The work of a run that depends on the geometry alone, done for the first load case and
// taken over by the others: the stiffener and ring-frame sections, each where a check computes
// it (equal inputs give equal sections, so the numbers are those of a section computed anew),
// and whether the section texts are to be stored.
struct RunShared {
    std::optional<SectionResult> ringForStresses;
    std::optional<SectionResult> stiffener;
    std::optional<SectionResult> ring;
    // The elastic buckling strengths of the shell checks: the curved panel's, and the
    // unstiffened cylinder's for the curvature parameter they were computed with.
    std::optional<ShellStrengths> curvedPanel;
    std::optional<std::pair<double, ShellStrengths>> unstiffened;
    // The parts of the stiffener and ring-frame checks that do not depend on the loads.
    StiffenerInvariants stiffenerKept;
    RingInvariants ringKept;
    bool sectionTexts = true;
};

// The kept parts of a check, or none for a check on its own. A traced run works them out anew,
// so that the calculation sheet shows how they came about.
template <class T> T& keptParts(T* sharedParts, T& fresh, const CalcOptions& options) {
    return sharedParts && !options.trace ? *sharedParts : fresh;
}

// A traced run computes them anew, so that the calculation sheet shows how they came about.
const ShellStrengths& sharedCurvedPanelStrengths(const DesignCase& dc, RunShared& shared,
                                                 CalcTrace* trace) {
    if (trace || !shared.curvedPanel)
        shared.curvedPanel = curvedPanelStrengths(dc, trace);
    return *shared.curvedPanel;
}

const ShellStrengths& sharedUnstiffenedStrengths(const DesignCase& dc, double Zl, RunShared& shared,
                                                 CalcTrace* trace) {
    if (trace || !shared.unstiffened || shared.unstiffened->first != Zl)
        shared.unstiffened.emplace(Zl, unstiffenedCylinderStrengths(dc, Zl, trace));
    return shared.unstiffened->second;
}

// The section held in `slot`, or the one `compute` makes, kept there for the next load case;
// without a slot, the one `compute` makes, held in `own`.
template <class F>
const SectionResult& sharedSection(std::optional<SectionResult>& own,
                                   std::optional<SectionResult>* slot, F compute) {
    std::optional<SectionResult>& held = slot ? *slot : own;
    if (!held)
        held = compute();
    return *held;
}

// The working dimensions and the (possibly corrected) table rows of a computed section.
void storeRecord(ProfileRecord& rec, const ProfileRecord& computed) {
    rec.H = computed.H;
    rec.B = computed.B;
    rec.a = computed.a;
    rec.tw = computed.tw;
    rec.tf = computed.tf;
    rec.Ro = computed.Ro;
    rec.rowL = computed.rowL;
    rec.rowT = computed.rowT;
    rec.rowFlat = computed.rowFlat;
    rec.rowBulb = computed.rowBulb;
}

void storeText(std::string& text, const std::optional<ProportionCheck>& check) {
    if (check)
        text = check->text;
}

// A section computed without texts leaves the texts the window shows as they were.
void storeStiffenerSection(State& st, CaseResults& res, const SectionResult& s, bool texts = true) {
    storeRecord(st.dc.stiff, s.record);
    res.stiffProportionsFailing = s.failingProportions();
    res.stiffProportionsOk = res.stiffProportionsFailing == 0;
    st.dc.fys = s.fy;
    res.tGovern = s.tGovern;
    res.stiffSection = s.props;
    res.stiffSketch = s.sketch;
    if (!texts)
        return;
    res.stiffProfileText = s.profileText;
    storeText(res.webCheckText, s.web);
    storeText(res.flangeCheckText, s.flange);
}

void storeRingSection(State& st, CaseResults& res, const SectionResult& s, bool texts = true) {
    storeRecord(st.dc.ring, s.record);
    res.ringProportionsFailing = s.failingProportions();
    res.ringProportionsOk = res.ringProportionsFailing == 0;
    st.dc.fyr = s.fy;
    res.tGovern = s.tGovern;
    res.ringSection = s.props;
    res.ringSketch = s.sketch;
    if (!texts)
        return;
    res.ringProfileText = s.profileText;
    storeText(res.ringWebCheckText, s.web);
    storeText(res.ringSlendernessCheckText, s.slenderness);
    storeText(res.ringFlangeCheckText, s.flange);
    storeText(res.ringEccentricityCheckText, s.eccentricity);
}

// The case as the checks take it: a column case is checked with the stresses the design-stress
// step formed from its axial force in place of the typed Sigx, Sigy and Tau, which stay in the
// case as typed. Made where a check is called, so that it has every input stored before.
class CheckedCase {
public:
    CheckedCase(const DesignCase& dc, const CaseResults& res) : dc_(dc) {
        if (dc.cylinderType != CylinderType::Column)
            return;
        own_.emplace(dc);
        own_->Sigx = res.checkedSigx;
        own_->Sigy = res.checkedSigy;
        own_->Tau = res.checkedTau;
    }
    operator const DesignCase&() const { return own_ ? *own_ : dc_; }

private:
    const DesignCase& dc_;
    std::optional<DesignCase> own_;
};

void storeFactor(CaseResults& res, const MaterialFactor& m) {
    res.gM = m.gM;
    if (m.beta)
        res.beta = *m.beta;
    res.UFallow = m.UFallow;
}

void storeShell(State& st, CaseResults& res, const ShellResult& r, const CalcOptions& options) {
    res.fEa = r.fEa;
    res.fEh = r.fEh;
    res.fEtau = r.fEtau;
    res.Siga0Sd = r.Siga0Sd;
    res.SigjSd = r.SigjSd;
    res.lamdas = r.lamdas;
    res.fks = r.fks;
    res.shellStressRatio = r.shellStressRatio;
    storeFactor(res, r.factor);
    res.shellUF = r.shellUF;
    res.shellUFallow = r.factor.UFallow;
    if (options.panelTexts)
        fillShellPanel(res.shellPanel, r, res.SighPd, st.decimalSep());
}

} // namespace

void computeStiffenerSection(State& st, Notifier& nt, int16_t kind) {
    storeStiffenerSection(st, st.res,
                          stiffenerSection(sectionInputs(st), kind, st.res.stiffSection, nt));
}

void computeRingSection(State& st, Notifier& nt, int16_t kind) {
    storeRingSection(st, st.res, ringSection(sectionInputs(st), kind, st.res.ringSection, nt));
}

void lookupFyp(State& st) {
    st.dc.fyp = lookupYield(st.materials, st.dc.plateMaterial, st.dc.t, st.dc.fyp);
}

void lookupFys(State& st) {
    st.dc.fys = lookupYield(st.materials, st.dc.stiffMaterial, st.res.tGovern, st.dc.fys);
}

void lookupFyr(State& st) {
    st.dc.fyr = lookupYield(st.materials, st.dc.ringMaterial, st.res.tGovern, st.dc.fyr);
}

void limitRingTorsionalLength(State& st, Notifier& nt) {
    if (const std::optional<float> corrected = correctedRingTorsionalLength(st.dc)) {
        nt.warn(" lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ");
        st.dc.ltRing = *corrected;
    }
}

namespace {

bool sectionTexts(const CalcOptions& options, const RunShared* shared) {
    return shared ? shared->sectionTexts : options.panelTexts;
}

void designStressStep(State& st, CaseResults& res, Notifier& nt, const CalcOptions& options,
                      RunShared* shared) {
    if (options.trace)
        options.trace->begin("shell", "Design stresses (Ch 3.2)");
    const ShellGeometry g = shellGeometry(st.dc, options.trace);
    std::optional<SectionResult> own;
    const SectionResult* ring = nullptr;
    const auto ringArea = [&] {
        ring = &sharedSection(own, shared ? &shared->ringForStresses : nullptr, [&] {
            return ringSection(sectionInputs(st, options), st.dc.ring.kind, res.ringSection, nt);
        });
        return ring->props.A;
    };
    // Handed on by one reference, which std::function holds without allocating.
    const DesignStressResult ds = designStresses(
        st.dc, g, [&ringArea] { return ringArea(); }, options.trace);
    if (ring)
        storeRingSection(st, res, *ring, sectionTexts(options, shared));
    res.Zl = g.Zl;
    res.leo = g.leo;
    res.SighPd = ds.SighPd;
    res.SighSd = ds.SighSd;
    res.SigaSd = ds.SigaSd;
    res.checkedSigx = ds.Sigx;
    res.checkedSigy = ds.Sigy;
    res.checkedTau = ds.Tau;
}

} // namespace

void runDesignStresses(State& st, Notifier& nt, const CalcOptions& options) {
    designStressStep(st, st.res, nt, options, nullptr);
}

void runCurvedPanel(State& st, const CalcOptions& options) {
    if (options.trace)
        options.trace->begin("shell", "Shell buckling (Ch 3.3.2)");
    storeShell(st, st.res, checkCurvedPanel(st.dc, st.res, options.trace), options);
}

void runUnstiffenedCylinder(State& st, const CalcOptions& options) {
    if (options.trace)
        options.trace->begin("shell", "Shell buckling (Ch 3.4.2)");
    const ShellResult r = checkUnstiffenedCylinder(st.dc, st.res, 0.0, options.trace);
    st.res.SigmSd = 0;
    storeShell(st, st.res, r, options);
}

namespace {

void curvedPanelStep(State& st, CaseResults& res, const CalcOptions& options, RunShared& shared) {
    if (options.trace)
        options.trace->begin("shell", "Shell buckling (Ch 3.3.2)");
    storeShell(st, res,
               checkCurvedPanel(st.dc, res,
                                sharedCurvedPanelStrengths(st.dc, shared, options.trace),
                                options.trace),
               options);
}

void unstiffenedCylinderStep(State& st, CaseResults& res, const CalcOptions& options,
                             RunShared& shared) {
    if (options.trace)
        options.trace->begin("shell", "Shell buckling (Ch 3.4.2)");
    const ShellStresses ds = shellStresses(res);
    const ShellResult r = checkUnstiffenedCylinder(
        st.dc, ds, 0.0, sharedUnstiffenedStrengths(st.dc, ds.Zl, shared, options.trace),
        options.trace);
    res.SigmSd = 0;
    storeShell(st, res, r, options);
}

} // namespace

namespace {

void stiffenerStep(State& st, CaseResults& res, Notifier& nt, const CalcOptions& options,
                   RunShared* shared) {
    std::optional<SectionResult> own;
    const SectionResult& section = sharedSection(own, shared ? &shared->stiffener : nullptr, [&] {
        return stiffenerSection(sectionInputs(st, options), st.dc.stiff.kind, res.stiffSection, nt);
    });
    if (options.trace)
        options.trace->begin("stiffener", "Stiffener buckling (Ch 3.6.3)");
    StiffenerInvariants fresh;
    const StiffenerResult r = checkStiffenerBuckling(
        st.dc, res, section, keptParts(shared ? &shared->stiffenerKept : nullptr, fresh, options),
        options.trace);
    storeStiffenerSection(st, res, section, sectionTexts(options, shared));
    res.fT = r.fT;
    res.se = r.se;
    res.eff = r.eff;
    res.Isef = r.Isef;
    res.SigaSd = r.SigaSd;
    res.Zl = r.Zl;
    res.SigjSd = r.SigjSd;
    res.fks = r.fks;
    res.gM = r.gM;
    res.beta = r.beta;
    res.stiffUFallow = r.stiffUFallow;
    res.stiffUF = r.stiffUF;
    if (options.panelTexts)
        fillStiffenerPanel(res.stiffPanel, r, res.SighPd, st.decimalSep());
}

} // namespace

void runStiffenerCheck(State& st, Notifier& nt, const CalcOptions& options) {
    stiffenerStep(st, st.res, nt, options, nullptr);
}

namespace {

void columnStep(State& st, CaseResults& res, const CalcOptions& options) {
    // The check sets calcMessage itself before an operation that can fail on a negative root.
    const ColumnResult r =
        checkColumnBuckling(CheckedCase(st.dc, res), res, st.run.calcMessage, options.trace);
    res.SigmSd = r.SigmSd;
    storeShell(st, res, r.shell, options);
    storeFactor(res, r.factor);
    res.fakd = r.fakd;
    res.fkcd1 = r.fkcd1;
    res.lamda1 = r.lamda1;
    res.fE1 = r.fE1;
    res.fkcd2 = r.fkcd2;
    res.lamda2 = r.lamda2;
    res.fE2 = r.fE2;
    res.M1Sd = r.M1Sd;
    res.M2Sd = r.M2Sd;
    res.Sigm1Sd = r.Sigm1Sd;
    res.Sigm2Sd = r.Sigm2Sd;
    res.UF1 = r.UF1;
    res.UF2 = r.UF2;
    if (options.panelTexts)
        fillColumnPanel(res.columnPanel, r, st.dc.dimMoment == 1, st.decimalSep());
}

} // namespace

void runColumnCheck(State& st, const CalcOptions& options) {
    columnStep(st, st.res, options);
}

namespace {

void panelRingStep(State& st, CaseResults& res, Notifier& nt, const CalcOptions& options,
                   RunShared* shared) {
    std::optional<SectionResult> own;
    const SectionResult& section = sharedSection(own, shared ? &shared->ring : nullptr, [&] {
        return ringSection(sectionInputs(st, options), st.dc.ring.kind, res.ringSection, nt);
    });
    RingInvariants fresh;
    const RingResult r = checkPanelRing(
        CheckedCase(st.dc, res), res, section,
        keptParts(shared ? &shared->ringKept : nullptr, fresh, options), options.trace);
    storeRingSection(st, res, section, sectionTexts(options, shared));
    res.Areq = r.Areq;
    res.le = r.le;
    res.eff = r.section.eff;
    res.r0 = r.section.r0;
    res.rf = r.section.rf;
    res.fT = r.fT;
    res.SighRing = r.SighRing;
    res.ringAreaUF = r.ringAreaUF;
    res.Ix = r.Ix;
    res.Ixh = r.Ixh;
    res.Ih = r.Ih;
    res.IR = r.IR;
    res.ringInertiaUF = r.ringInertiaUF;
    if (r.Zl)
        res.Zl = *r.Zl;
    if (options.panelTexts)
        fillRingPanel(res.ringPanel, r, res.ringSection.A, st.dc.UF, st.decimalSep());
}

} // namespace

void runPanelRing(State& st, Notifier& nt, const CalcOptions& options) {
    panelRingStep(st, st.res, nt, options, nullptr);
}

namespace {

void heavyRingStep(State& st, CaseResults& res, const CalcOptions& options, RunShared* shared) {
    RingInvariants fresh;
    const HeavyRingResult r = checkHeavyRing(
        CheckedCase(st.dc, res), res,
        keptParts(shared ? &shared->ringKept : nullptr, fresh, options), options.trace);
    res.fT = r.fT;
    res.Ihr = r.Ihr;
    if (options.panelTexts)
        fillHeavyRingRow(res.ringPanel, r, st.decimalSep());
}

} // namespace

void runHeavyRing(State& st, const CalcOptions& options) {
    heavyRingStep(st, st.res, options, nullptr);
}

namespace {

void setPanel(RunState& run, PanelId p, bool notRecalculated) {
    run.notRecalculated[static_cast<size_t>(p)] = notRecalculated;
}

void runChecks(State& st, CaseResults& res, Notifier& nt, const CalcOptions& options,
               RunShared& shared, const char*& step) {
    const DesignCase& dc = st.dc;
    RunState& run = st.run;
    const bool stringer = dc.cylinderType == CylinderType::StringerStiffened;
    const bool column = dc.cylinderType == CylinderType::Column;

    // The panels this run brings up to date, each marked until its check has stored it; a run
    // that stops leaves the marks of the failing check's panel and those after it.
    run.notRecalculated = {};
    setPanel(run, PanelId::Shell, true);
    setPanel(run, PanelId::Stiffener, stringer);
    setPanel(run, PanelId::Column, column);
    setPanel(run, PanelId::Ring, dc.ringControl == 1);

    step = "Lateral torsional buckling length of the ring frame (Ch 3.9)";
    limitRingTorsionalLength(st, nt);

    step = "Design stresses";
    designStressStep(st, res, nt, options, &shared);
    // The shell as the design-stress step leaves it, for the check of a slender shell at the
    // end: the checks after the shell check overwrite Zl and SigaSd.
    const ShellStresses designStress = shellStresses(res);
    lookupFyp(st);

    bool curvedPanel = false;
    switch (dc.cylinderType) {
    case CylinderType::Unstiffened:
    case CylinderType::RingStiffened:
        step = "Shell Buckling (Ch 3.4.2)";
        unstiffenedCylinderStep(st, res, options, shared);
        break;
    case CylinderType::StringerStiffened:
        if (fdiv(dc.l, dc.s) < 1) {
            step = "Shell Buckling (Ch 3.4.2)";
            unstiffenedCylinderStep(st, res, options, shared);
        } else {
            step = "Shell Buckling (Ch 3.3.2)";
            curvedPanelStep(st, res, options, shared);
            curvedPanel = true;
        }
        break;
    case CylinderType::Column:
        break;
    }
    if (!column)
        setPanel(run, PanelId::Shell, false);
    if (stringer) {
        step = "Stiffener Buckling (Ch 3.6.3)";
        stiffenerStep(st, res, nt, options, &shared);
    }
    if (column) {
        step = "Global Buckling (Ch 3.8)";
        columnStep(st, res, options);
        setPanel(run, PanelId::Shell, false);
        setPanel(run, PanelId::Column, false);
    }
    if (dc.ringControl == 1) {
        step = "Panel Ring Buckling (Ch 3.5.2)";
        panelRingStep(st, res, nt, options, &shared);
        // The heavy ring frame builds on the panel ring check of this run: never without it.
        if (dc.heavyRingControl == 1) {
            step = "Heavy ring frame";
            heavyRingStep(st, res, options, &shared);
        }
        setPanel(run, PanelId::Ring, false);
    }

    // A slender shell between stringers gets the note in the stiffener panel's place; the test
    // is made for every cylinder type.
    res.slenderNote = fdiv(dc.s, dc.t) > 3 * fsqrt(fdiv(dc.r, dc.t));

    // Stringers that far apart do not stiffen the shell between them (Ch 3.6.1): the shell is
    // also checked as an unstiffened cylinder between its ring frames, from the design stresses
    // of this run, after every other check so that it changes none of them. (Where l < s the
    // shell check above already was this check.)
    if (stringer && curvedPanel && res.slenderNote) {
        step = "Shell as an unstiffened cylinder (Ch 3.4.2)";
        if (options.trace)
            options.trace->begin("unstiffened",
                                 "Shell as an unstiffened cylinder between ring frames (Ch 3.4.2)");
        const ShellResult r = checkUnstiffenedCylinder(
            dc, designStress, 0.0,
            sharedUnstiffenedStrengths(dc, designStress.Zl, shared, options.trace), options.trace);
        res.unstiffenedUF = r.shellUF;
        res.unstiffenedUFallow = r.factor.UFallow;
    }
    setPanel(run, PanelId::Stiffener, false);
}

// One load case: the one in the flat fields of the case. Returns false when its run stopped,
// with calcMessage saying why.
bool runLoadCase(State& st, CaseResults& res, Notifier& nt, const CalcOptions& options,
                 RunShared& shared) {
    st.run.calcMessage.clear();
    const char* step = "";
    std::string fault;
    try {
        runChecks(st, res, nt, options, shared, step);
        return true;
    } catch (const CalcFault& e) {
        fault = e.what();
    } catch (const std::exception& e) {
        fault = e.what();
    }
    // The run stopped at `step`. A check that knows why sets calcMessage before the failing
    // operation; otherwise say where and what failed rather than showing an empty warning.
    if (st.run.calcMessage.empty())
        st.run.calcMessage = std::string(" Calculation terminated in ") + step + ": " + fault + " ";
    return false;
}

// The load cases other than the selected one, each run in its own entry, which calcAll set to
// the results the case had before the run (as a case with that load case alone would start),
// numbers only: only the selected load case's panels are shown, the others' stay empty. The
// selected one's panel marks and loads come back after. `failing` names a load case that did
// not pass, after which none runs; with `stopAtFailing` the first that does not pass becomes it.
void runOtherLoadCases(State& st, Notifier& nt, RunShared& shared, bool stopAtFailing,
                       std::string failing) {
    const LoadCase selected = selectedLoadCase(st.dc);
    const std::array<bool, kPanelCount> marks = st.run.notRecalculated;
    const std::string selectedMessage = st.run.calcMessage;
    const CalcOptions numbersOnly{false};
    for (int i = 0; i < loadCaseCount(st.dc); ++i) {
        if (i == st.dc.selectedLoadCase)
            continue;
        LoadCaseResult& out = st.loadCaseResults[static_cast<size_t>(i)];
        if (!failing.empty()) {
            out.completed = false;
            out.calcMessage = " Not calculated: load case " + failing + " does not pass ";
            continue;
        }
        putLoadCase(
            st.dc,
            st.dc.otherLoadCases[static_cast<size_t>(i < st.dc.selectedLoadCase ? i : i - 1)]);
        out.completed = runLoadCase(st, out.res, nt, numbersOnly, shared);
        out.calcMessage = st.run.calcMessage;
        if (stopAtFailing && !(out.completed && loadCasePasses(st.dc, out.res)))
            failing = out.name;
    }
    putLoadCase(st.dc, selected);
    st.run.notRecalculated = marks;
    st.run.calcMessage = selectedMessage;
}

// The inputs the results belong to. A run without texts (the design study, which judges each
// run at once) keeps none.
void keepInputs(State& st, const CalcOptions& options) {
    if (options.panelTexts)
        st.run.calculatedInputs = st.dc;
    else
        st.run.calculatedInputs.reset();
}

} // namespace

bool calcAll(State& st, Notifier& nt, const CalcOptions& options) {
    const int count = loadCaseCount(st.dc);
    const int selected = st.dc.selectedLoadCase;
    st.loadCaseResults.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        LoadCaseResult& r = st.loadCaseResults[static_cast<size_t>(i)];
        r.name = i == selected ? st.dc.loadCaseName : loadCaseAt(st.dc, i).name;
        r.selected = i == selected;
        // Each further load case starts from the results before the run. A run without texts
        // leaves the panels as they were: these stay empty, and only the rest is copied.
        if (i != selected)
            r.res.numbers() = st.res.numbers();
    }

    // The selected load case first, as the window shows it; the others take over its sections.
    RunShared shared;
    shared.sectionTexts = options.panelTexts;
    LoadCaseResult& sel = st.loadCaseResults[static_cast<size_t>(selected)];
    sel.completed = runLoadCase(st, st.res, nt, options, shared);
    sel.calcMessage = st.run.calcMessage;
    if (count > 1) {
        const bool selectedFails =
            options.stopAtFailingLoadCase && !(sel.completed && loadCasePasses(st.dc, st.res));
        runOtherLoadCases(st, nt, shared, options.stopAtFailingLoadCase,
                          selectedFails ? sel.name : std::string());
    }

    keepInputs(st, options);
    // The case's run completed when every load case's did; the message is the first stopped
    // one's, named by its load case where there are several.
    st.run.lastRunCompleted = true;
    st.run.calcMessage.clear();
    for (const LoadCaseResult& r : st.loadCaseResults) {
        if (r.completed)
            continue;
        st.run.lastRunCompleted = false;
        st.run.calcMessage =
            count > 1 ? "Load case " + r.name + ":" + r.calcMessage : r.calcMessage;
        break;
    }
    if (st.run.lastRunCompleted)
        return true;
    nt.warn(st.run.calcMessage);
    return false;
}

} // namespace velmora
