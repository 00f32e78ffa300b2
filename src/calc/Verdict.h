// The verdict of the calculated case, the one judgement every front end shows: the window's
// verdict line, the report, the command line, the database summary and the design study. None
// of them decides pass or fail on its own.
//
// It is formed from every check that applies to the case (usage factor, permitted value,
// chapter), the proportion limits (Ch 3.10) of each profile in use, the input limits of every
// field in use (calc/InputLimits.h), whether the last run completed and whether the results
// still belong to the inputs. The first that matches gives the status:
//   NOT CALCULATED      the run stopped;
//   INPUT OUT OF LIMITS a field in use lies outside its limits (also before a recalculation);
//   NOT CALCULATED      the inputs changed since the run;
//   FAILS               a check exceeds its permitted value or a profile fails a proportion
//                       limit;
//   PASSES              otherwise.
#pragma once

#include "calc/InputLimits.h"
#include "calc/State.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

enum class VerdictStatus { NotCalculated, InputOutOfLimits, Fails, Passes };

// "NOT CALCULATED", "INPUT OUT OF LIMITS", "FAILS", "PASSES": as windows and the report show it.
const char* verdictStatusText(VerdictStatus s);
// "not calculated", "inputs out of limits", "fails", "passes": as JSON writes it.
const char* verdictStatusJson(VerdictStatus s);

// The checks a verdict weighs, in this order.
enum class CheckId { Shell, Unstiffened, Stiffener, RingArea, RingInertia, Column1, Column2 };
inline constexpr int kCheckCount = 7;

// "shell", "unstiffened", "stiffener", "ringArea", "ringInertia", "column1", "column2".
const char* checkName(CheckId c);
// "shell buckling", "stiffener buckling", ...: how a verdict line names the check.
const char* checkTitle(CheckId c);
// The chapter of DNV-RP-C202 the check follows, "3.6.3"; the shell check's depends on the case
// (the curved panel, Ch 3.3.2, or the unstiffened cylinder, Ch 3.4.2).
const char* checkChapter(CheckId c, const DesignCase& dc);

// A check's usage factor and its permitted value; absent for a check that does not apply to the
// case (or whose place the slenderness note takes).
struct CheckValue {
    bool present = false;
    double uf = 0;
    double permitted = 0;

    bool exceeds() const { return present && uf > permitted; }
    // uf / permitted, the measure the governing check is chosen by.
    double ratio() const;
};
using CheckValues = std::array<CheckValue, kCheckCount>;

// The checks that apply to the case, with the values of its results: the shell check against
// its own permitted value; for a stringer-stiffened cylinder the stiffener check, absent where
// the slenderness note takes its panel's place, and there the shell as an unstiffened cylinder
// (unless the shell check already was that check, l < s); the ring-frame area and inertia
// against UF, as their panel compares them, where the ring-frame check runs; for a column both
// column lines against the column check's permitted value.
CheckValues caseChecks(const DesignCase& dc, const CaseResults& res);
// The check with the largest uf / permitted (the first of equal ones); none without checks.
std::optional<CheckId> governingCheck(const CheckValues& checks);
// Whether the profiles in use pass their proportion limits: the stiffener of a
// stringer-stiffened cylinder, the ring frame where the ring-frame check runs.
bool proportionsPass(const DesignCase& dc, const CaseResults& res);

// The two profiles whose proportions a verdict weighs.
enum class ProfileRole { Stiffener, RingFrame };
// The proportion limits (Ch 3.10) a profile the case uses fails, each as its check text
// ("h <= 3 (Eq 3.10.7) ==> NOK"); empty when it passes them or the case does not use it.
// `fails` tells a failing profile whose texts were not made.
struct ProportionFailure {
    bool fails = false;
    std::vector<std::string> limits;
};
ProportionFailure proportionFailure(const DesignCase& dc, const CaseResults& res, ProfileRole p);

// Whether the results belong to the case as it is now: the last run completed and the inputs
// (less project name and identification) are those it ran with.
bool resultsCurrent(const State& st);

// The status with its checks, without any text: for the design study, right after its own run
// (so the inputs are not compared with the run's).
// With several load cases the case's verdict is the worst of theirs (status, then the
// governing ratio, then the first in the list), with the checks of that load case, the
// governing load case.
struct VerdictCore {
    VerdictStatus status = VerdictStatus::NotCalculated;
    CheckValues checks{};
    std::optional<CheckId> governing;
    int loadCase = 0; // the governing load case's list index
};
VerdictCore verdictOfRun(const State& st);
// The same for load case `index` alone.
VerdictCore loadCaseVerdictOfRun(const State& st, int index);
// Whether the completed run of the load case in the flat fields of `dc`, with results `res`,
// passes: its verdict as a case with that load case alone.
bool loadCasePasses(const DesignCase& dc, const CaseResults& res);

struct Verdict {
    VerdictStatus status = VerdictStatus::NotCalculated;
    CheckValues checks{};             // empty when not calculated
    std::optional<CheckId> governing; // none when not calculated
    double ratio = 0;                 // the governing check's uf / permitted
    std::vector<InputViolation> violations;
    // Why: the message of the stopped run; each field with its limit; each failing check and
    // proportion limit; for a passing case every check with its usage factor.
    std::vector<std::string> reasons;
    // One line: "PASSES - governing: stiffener buckling (Ch 3.6.3), UF 0.80 of 1.00", the same
    // for FAILS; for the other two the status and the first reason. With several load cases
    // the governing one is named: "FAILS - governing: load case Storm, stiffener buckling
    // (Ch 3.6.3), UF 1.20 of 1.00", "NOT CALCULATED - load case Storm: ...", and each reason
    // starts with its name: "Storm: ...".
    std::string line;
    int loadCase = 0;         // the governing load case's list index
    std::string loadCaseName; // and its name
};
// The case's verdict: that of its one load case, or the worst of its load cases.
Verdict caseVerdict(const State& st);
// The verdict of load case `index` alone, as caseVerdict gives it for a case with that load
// case only (no load-case name in its line or reasons).
Verdict loadCaseVerdict(const State& st, int index);
// Which of two verdicts is worse: the lower status, then the larger governing ratio.
bool worseVerdict(VerdictStatus a, double ratioA, VerdictStatus b, double ratioB);

// The line a check's usage factor makes: "stiffener buckling (Ch 3.6.3): UF 0.80 <= 1.00".
std::string checkLine(CheckId c, const CheckValue& v, const DesignCase& dc, char sep);

// Why the results are not those of the case, or nothing when they are: the stopped run's
// message, or that the inputs changed after the run.
std::optional<std::string> notCalculatedReason(const State& st);

// The report is drawn only for a calculated case: "The case was not calculated: " and the
// reason, or nothing when it may be drawn (Print, Export Report as PDF, the command line).
std::optional<std::string> reportRefusal(const State& st);

} // namespace velmora
