#include "calc/Verdict.h"

#include "base/NumberText.h"
#include "case/LoadCases.h"

#include <limits>
#include <optional>
#include <utility>

namespace velmora {

namespace {

constexpr const char* kInputsChanged = "the inputs changed after the last calculation";

// By VerdictStatus: as windows and the report show it, and as JSON writes it.
constexpr const char* kStatusTexts[4][2] = {{"NOT CALCULATED", "not calculated"},
                                            {"INPUT OUT OF LIMITS", "inputs out of limits"},
                                            {"FAILS", "fails"},
                                            {"PASSES", "passes"}};

struct CheckDesc {
    const char* name;
    const char* title;
    const char* chapter;
};

constexpr CheckDesc kChecks[kCheckCount] = {
    {"shell", "shell buckling", nullptr},
    {"unstiffened", "shell as an unstiffened cylinder", "3.4.2"},
    {"stiffener", "stiffener buckling", "3.6.3"},
    {"ringArea", "ring-frame area", "3.5.2"},
    {"ringInertia", "ring-frame moment of inertia", "3.5.2"},
    {"column1", "column buckling, axis 1", "3.8"},
    {"column2", "column buckling, axis 2", "3.8"},
};

const CheckDesc& desc(CheckId c) {
    return kChecks[static_cast<size_t>(c)];
}

// The shell check is the curved panel (Ch 3.3.2) for a stringer-stiffened cylinder whose ring
// frames are at least one stiffener spacing apart, the unstiffened cylinder otherwise.
bool curvedPanel(const DesignCase& dc) {
    return dc.cylinderType == CylinderType::StringerStiffened &&
           !(static_cast<double>(dc.l) / dc.s < 1);
}

// A message without the blanks the program's fixed texts carry at both ends.
std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool sameCalculationInputs(const DesignCase& now, const DesignCase& calculated) {
    DesignCase named = now;
    named.projectName = calculated.projectName;
    named.identification = calculated.identification;
    return named == calculated;
}

// "stiffener buckling (Ch 3.6.3)"
std::string titled(CheckId c, const DesignCase& dc) {
    return std::string(checkTitle(c)) + " (Ch " + checkChapter(c, dc) + ")";
}

// The proportion limits that fail, one text each.
void addProportionReasons(const DesignCase& dc, const CaseResults& res,
                          std::vector<std::string>& out) {
    for (const auto& [role, profile] : {std::pair{ProfileRole::Stiffener, "stiffener"},
                                        std::pair{ProfileRole::RingFrame, "ring frame"}}) {
        const ProportionFailure failure = proportionFailure(dc, res, role);
        if (!failure.fails)
            continue;
        const std::string lead = std::string(profile) + " proportion limit (Ch 3.10)";
        for (const std::string& limit : failure.limits)
            out.push_back(lead + ": " + limit);
        if (failure.limits.empty())
            out.push_back(lead + " not met");
    }
}

// The status of calculated results; `within` says whether the case's inputs lie within their
// limits.
VerdictStatus statusOfCalculated(const DesignCase& dc, const CaseResults& res,
                                 const CheckValues& checks, bool within) {
    if (!within)
        return VerdictStatus::InputOutOfLimits;
    for (const CheckValue& v : checks)
        if (v.exceeds())
            return VerdictStatus::Fails;
    return proportionsPass(dc, res) ? VerdictStatus::Passes : VerdictStatus::Fails;
}

// The case with load case `index` in its flat fields.
DesignCase withLoadCase(const DesignCase& dc, int index) {
    DesignCase d = dc;
    if (index != dc.selectedLoadCase)
        putLoadCase(d, loadCaseAt(dc, index));
    return d;
}

const CaseResults& resultsOf(const State& st, int index) {
    const CaseResults* r = loadCaseResultsOf(st, index);
    return r ? *r : st.res;
}

} // namespace

const char* verdictStatusText(VerdictStatus s) {
    return kStatusTexts[static_cast<size_t>(s)][0];
}

const char* verdictStatusJson(VerdictStatus s) {
    return kStatusTexts[static_cast<size_t>(s)][1];
}

const char* checkName(CheckId c) {
    return desc(c).name;
}

const char* checkTitle(CheckId c) {
    return desc(c).title;
}

const char* checkChapter(CheckId c, const DesignCase& dc) {
    if (c == CheckId::Shell)
        return curvedPanel(dc) ? "3.3.2" : "3.4.2";
    return desc(c).chapter;
}

double CheckValue::ratio() const {
    if (permitted > 0)
        return uf / permitted;
    return uf > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

CheckValues caseChecks(const DesignCase& dc, const CaseResults& res) {
    CheckValues checks{};
    auto set = [&checks](CheckId c, double uf, double permitted) {
        checks[static_cast<size_t>(c)] = {true, uf, permitted};
    };
    set(CheckId::Shell, res.shellUF, res.shellUFallow);
    if (dc.cylinderType == CylinderType::StringerStiffened) {
        if (!res.slenderNote)
            set(CheckId::Stiffener, res.stiffUF, res.stiffUFallow);
        else if (curvedPanel(dc))
            set(CheckId::Unstiffened, res.unstiffenedUF, res.unstiffenedUFallow);
    }
    if (dc.ringControl == 1) {
        set(CheckId::RingArea, res.ringAreaUF, dc.UF);
        set(CheckId::RingInertia, res.ringInertiaUF, dc.UF);
    }
    if (dc.cylinderType == CylinderType::Column) {
        set(CheckId::Column1, res.UF1, res.UFallow);
        set(CheckId::Column2, res.UF2, res.UFallow);
    }
    return checks;
}

std::optional<CheckId> governingCheck(const CheckValues& checks) {
    std::optional<CheckId> governing;
    double worst = -std::numeric_limits<double>::infinity();
    for (int c = 0; c < kCheckCount; ++c) {
        const CheckValue& v = checks[static_cast<size_t>(c)];
        if (v.present && v.ratio() > worst) {
            worst = v.ratio();
            governing = static_cast<CheckId>(c);
        }
    }
    return governing;
}

bool proportionsPass(const DesignCase& dc, const CaseResults& res) {
    if (dc.cylinderType == CylinderType::StringerStiffened && !res.stiffProportionsOk)
        return false;
    return dc.ringControl != 1 || res.ringProportionsOk;
}

ProportionFailure proportionFailure(const DesignCase& dc, const CaseResults& res, ProfileRole p) {
    struct Texts {
        bool inUse;
        bool ok;
        unsigned failing;
        std::pair<unsigned, const std::string*> texts[4];
    };
    const Texts t = p == ProfileRole::Stiffener
                        ? Texts{dc.cylinderType == CylinderType::StringerStiffened,
                                res.stiffProportionsOk,
                                res.stiffProportionsFailing,
                                {{ProportionBit::Web, &res.webCheckText},
                                 {ProportionBit::Flange, &res.flangeCheckText},
                                 {0, nullptr},
                                 {0, nullptr}}}
                        : Texts{dc.ringControl == 1,
                                res.ringProportionsOk,
                                res.ringProportionsFailing,
                                {{ProportionBit::Web, &res.ringWebCheckText},
                                 {ProportionBit::Slenderness, &res.ringSlendernessCheckText},
                                 {ProportionBit::Flange, &res.ringFlangeCheckText},
                                 {ProportionBit::Eccentricity, &res.ringEccentricityCheckText}}};
    ProportionFailure out;
    if (!t.inUse || t.ok)
        return out;
    out.fails = true;
    for (const auto& [bit, text] : t.texts)
        if (text != nullptr && (t.failing & bit) != 0 && !text->empty())
            out.limits.push_back(*text);
    return out;
}

bool resultsCurrent(const State& st) {
    return st.run.lastRunCompleted && st.run.calculatedInputs &&
           sameCalculationInputs(st.dc, *st.run.calculatedInputs);
}

namespace {

// `within`: whether the inputs of `dc` lie within their limits, when the caller knows it.
VerdictCore coreOf(const DesignCase& dc, const CaseResults& res, bool completed,
                   std::optional<bool> within = std::nullopt) {
    VerdictCore v;
    if (!completed)
        return v;
    v.checks = caseChecks(dc, res);
    v.governing = governingCheck(v.checks);
    v.status = statusOfCalculated(dc, res, v.checks, within ? *within : inputsWithinLimits(dc));
    return v;
}

double coreRatio(const VerdictCore& v) {
    return v.governing ? v.checks[static_cast<size_t>(*v.governing)].ratio() : 0.0;
}

} // namespace

bool loadCasePasses(const DesignCase& dc, const CaseResults& res) {
    return coreOf(dc, res, true).status == VerdictStatus::Passes;
}

VerdictCore loadCaseVerdictOfRun(const State& st, int index) {
    if (loadCaseCount(st.dc) == 1)
        return coreOf(st.dc, st.res, st.run.lastRunCompleted);
    VerdictCore v;
    if (static_cast<size_t>(index) < st.loadCaseResults.size())
        v = coreOf(withLoadCase(st.dc, index), resultsOf(st, index),
                   st.loadCaseResults[static_cast<size_t>(index)].completed);
    v.loadCase = index;
    return v;
}

VerdictCore verdictOfRun(const State& st) {
    const int count = loadCaseCount(st.dc);
    if (count == 1)
        return loadCaseVerdictOfRun(st, 0);
    // One copy of the case, each load case put into its flat fields in turn; the limits of
    // what the load cases share are tested once, each one's UF on its own.
    DesignCase dc = st.dc;
    const bool sharedWithin = inputsWithinLimitsOtherThan(dc, LimitId::UF);
    const InputLimit& ufLimit = inputLimit(LimitId::UF);
    VerdictCore worst;
    for (int i = 0; i < count; ++i) {
        putLoadCase(dc, loadCaseAt(st.dc, i));
        const bool completed = static_cast<size_t>(i) < st.loadCaseResults.size() &&
                               st.loadCaseResults[static_cast<size_t>(i)].completed;
        const bool within = sharedWithin && (!inputUsed(ufLimit.use, dc) || ufLimit.holds(dc));
        VerdictCore v = coreOf(dc, resultsOf(st, i), completed, within);
        v.loadCase = i;
        if (i == 0 || worseVerdict(v.status, coreRatio(v), worst.status, coreRatio(worst)))
            worst = v;
    }
    return worst;
}

std::string checkLine(CheckId c, const CheckValue& v, const DesignCase& dc, char sep) {
    return titled(c, dc) + ": UF " + formatNumber(v.uf, "0.00", sep) +
           (v.exceeds() ? " > " : " <= ") + formatNumber(v.permitted, "0.00", sep);
}

std::optional<std::string> notCalculatedReason(const State& st) {
    if (!st.run.lastRunCompleted) {
        const std::string message = trimmed(st.run.calcMessage);
        return message.empty() ? std::string("the calculation stopped") : message;
    }
    if (!resultsCurrent(st))
        return std::string(kInputsChanged);
    return std::nullopt;
}

namespace {

// The verdict of the load case in the flat fields of `dc` with the results `res`; `reason` says
// why they are not its results (a stopped run, `stopped`, or changed inputs).
Verdict verdictOf(const DesignCase& dc, const CaseResults& res,
                  const std::optional<std::string>& reason, bool stopped, char sep) {
    Verdict v;
    // A field out of its limits outranks results that are only older than the inputs: a box
    // that stores a refused value without recalculating shows the limit, not a stale run.
    if (reason && (stopped || inputsWithinLimits(dc))) {
        v.reasons.push_back(*reason);
        v.line = std::string(verdictStatusText(v.status)) + " - " + *reason;
        return v;
    }
    if (!reason) {
        v.checks = caseChecks(dc, res);
        v.governing = governingCheck(v.checks);
    }
    v.status = statusOfCalculated(dc, res, v.checks, inputsWithinLimits(dc));
    if (v.governing)
        v.ratio = v.checks[static_cast<size_t>(*v.governing)].ratio();

    auto eachCheck = [&](bool failingOnly) {
        for (int c = 0; c < kCheckCount; ++c) {
            const CheckValue& value = v.checks[static_cast<size_t>(c)];
            if (value.present && (!failingOnly || value.exceeds()))
                v.reasons.push_back(checkLine(static_cast<CheckId>(c), value, dc, sep));
        }
    };
    switch (v.status) {
    case VerdictStatus::InputOutOfLimits:
        v.violations = inputViolations(dc);
        for (const InputViolation& violation : v.violations)
            v.reasons.push_back(violationText(violation, sep));
        break;
    case VerdictStatus::Fails:
        eachCheck(true);
        addProportionReasons(dc, res, v.reasons);
        break;
    case VerdictStatus::Passes:
        eachCheck(false);
        break;
    case VerdictStatus::NotCalculated:
        break;
    }

    v.line = verdictStatusText(v.status);
    const bool byGoverning =
        v.governing && (v.status == VerdictStatus::Passes ||
                        (v.status == VerdictStatus::Fails &&
                         v.checks[static_cast<size_t>(*v.governing)].exceeds()));
    if (byGoverning) {
        const CheckValue& g = v.checks[static_cast<size_t>(*v.governing)];
        v.line += " - governing: " + titled(*v.governing, dc) + ", UF " +
                  formatNumber(g.uf, "0.00", sep) + " of " + formatNumber(g.permitted, "0.00", sep);
    } else if (!v.reasons.empty()) {
        v.line += " - " + v.reasons.front();
    }
    return v;
}

bool inputsCurrent(const State& st) {
    return st.run.calculatedInputs && sameCalculationInputs(st.dc, *st.run.calculatedInputs);
}

// Why load case `index` of a case with several has no current results, or nothing.
std::optional<std::string> loadCaseReason(const State& st, int index) {
    if (static_cast<size_t>(index) >= st.loadCaseResults.size() || !inputsCurrent(st))
        return std::string(kInputsChanged);
    const LoadCaseResult& r = st.loadCaseResults[static_cast<size_t>(index)];
    if (!r.completed) {
        const std::string message = trimmed(r.calcMessage);
        return message.empty() ? std::string("the calculation stopped") : message;
    }
    return std::nullopt;
}

bool loadCaseStopped(const State& st, int index) {
    return static_cast<size_t>(index) < st.loadCaseResults.size() &&
           !st.loadCaseResults[static_cast<size_t>(index)].completed;
}

} // namespace

Verdict loadCaseVerdict(const State& st, int index) {
    if (loadCaseCount(st.dc) == 1) {
        Verdict v = verdictOf(st.dc, st.res, notCalculatedReason(st), !st.run.lastRunCompleted,
                              st.decimalSep());
        v.loadCaseName = st.dc.loadCaseName;
        return v;
    }
    Verdict v = verdictOf(withLoadCase(st.dc, index), resultsOf(st, index),
                          loadCaseReason(st, index), loadCaseStopped(st, index), st.decimalSep());
    v.loadCase = index;
    v.loadCaseName = loadCaseAt(st.dc, index).name;
    return v;
}

bool worseVerdict(VerdictStatus a, double ratioA, VerdictStatus b, double ratioB) {
    if (a != b)
        return static_cast<int>(a) < static_cast<int>(b);
    return ratioA > ratioB;
}

Verdict caseVerdict(const State& st) {
    const int count = loadCaseCount(st.dc);
    if (count == 1)
        return loadCaseVerdict(st, 0);
    Verdict worst = loadCaseVerdict(st, 0);
    for (int i = 1; i < count; ++i) {
        Verdict v = loadCaseVerdict(st, i);
        if (worseVerdict(v.status, v.ratio, worst.status, worst.ratio))
            worst = std::move(v);
    }
    // Inputs changed since the run concern the whole case, not one load case.
    if (worst.status == VerdictStatus::NotCalculated && !worst.reasons.empty() &&
        worst.reasons.front() == kInputsChanged)
        return worst;
    // Name the governing load case in the line and in every reason.
    const std::string& name = worst.loadCaseName;
    const std::string status = verdictStatusText(worst.status);
    const std::string governing = status + " - governing: ";
    if (worst.line.rfind(governing, 0) == 0)
        worst.line = governing + "load case " + name + ", " + worst.line.substr(governing.size());
    else if (worst.line.size() > status.size())
        worst.line = status + " - load case " + name + ": " + worst.line.substr(status.size() + 3);
    for (std::string& reason : worst.reasons)
        reason = name + ": " + reason;
    return worst;
}

std::optional<std::string> reportRefusal(const State& st) {
    if (const std::optional<std::string> reason = notCalculatedReason(st))
        return "The case was not calculated: " + *reason;
    return std::nullopt;
}

} // namespace velmora
